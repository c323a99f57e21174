#pragma once

#include "app/AppController.h"
#include "ui/settings/AppearanceSettings.h"
#include "ui/settings/BackgroundLibraryModel.h"
#include "ui/settings/PlaylistModel.h"
#include "ui/settings/ReorderableListModel.h"
#include "ui/settings/SettingsPaneTexts.h"
#include "ui/settings/SettingsSession.h"
#include "ui/settings/SymbolPickerModel.h"
#include "ui/settings/WheelItemsModel.h"
#include "ui/settings/WheelPaneValues.h"

#include <QtQml/qqml.h>

// This feature's types that QML uses, declared to its module here, where the type registration and
// the QML tools read them: the classes keep no QML macros of their own.

struct ForeignWheelItemsModel
{
    Q_GADGET
    QML_FOREIGN(WheelItemsModel)
    QML_NAMED_ELEMENT(WheelItemsModel)
};

struct ForeignWheelPaneValues
{
    Q_GADGET
    QML_FOREIGN(WheelPaneValues)
    QML_NAMED_ELEMENT(WheelPaneValues)
};

struct ForeignSymbolPickerModel
{
    Q_GADGET
    QML_FOREIGN(SymbolPickerModel)
    QML_NAMED_ELEMENT(SymbolPickerModel)
};

struct ForeignAppearanceSettings
{
    Q_GADGET
    QML_FOREIGN(AppearanceSettings)
    QML_NAMED_ELEMENT(AppearanceSettings)
};

struct ForeignSettingsSession
{
    Q_GADGET
    QML_FOREIGN(SettingsSession)
    QML_NAMED_ELEMENT(SettingsSession)
};

struct ForeignSettingsPaneTexts
{
    Q_GADGET
    QML_FOREIGN(SettingsPaneTexts)
    QML_ANONYMOUS
};

struct ForeignReorderableListModel
{
    Q_GADGET
    QML_FOREIGN(ReorderableListModel)
    QML_NAMED_ELEMENT(ReorderableListModel)
    QML_UNCREATABLE("The background library and the playlists are reorderable lists.")
};

struct ForeignBackgroundLibraryModel
{
    Q_GADGET
    QML_FOREIGN(BackgroundLibraryModel)
    QML_NAMED_ELEMENT(BackgroundLibraryModel)
    QML_UNCREATABLE("Each settings session has its own.")
};

struct ForeignPlaylistModel
{
    Q_GADGET
    QML_FOREIGN(PlaylistModel)
    QML_NAMED_ELEMENT(PlaylistModel)
    QML_UNCREATABLE("The settings session makes one per playlist.")
};
