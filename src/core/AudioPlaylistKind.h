#pragma once

#include "core/AppLanguage.h"

// The break-music playlist is "reminder".
enum class AudioPlaylistKind { focus, reminder };

template<> struct RawValues<AudioPlaylistKind>
{
    static constexpr std::array texts { "focus", "reminder" };
};

QString title(AudioPlaylistKind kind, AppLanguage language);
