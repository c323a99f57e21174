#pragma once

#include "core/AppLanguage.h"
#include "core/RawValueEnum.h"

// The panes of the settings sheet, in the order of its sidebar.
enum class SettingsPane { appearance, general, focus, audio, wheel, records, update };

template<> struct RawValues<SettingsPane>
{
    static constexpr std::array texts { "appearance", "general", "focus", "audio", "wheel", "records",
        "update" };
};

// The pane's name in the sidebar and the header.
QString title(SettingsPane pane, AppLanguage language);
// What the pane holds, shown after its title in the header.
QString subtitle(SettingsPane pane, AppLanguage language);
// The symbol name of the pane's sidebar row.
QString symbol(SettingsPane pane);
