#pragma once

#include "app/BackgroundLibraryModel.h"
#include "app/ConsoleDragHandlePresentation.h"
#include "app/FocusConsoleDocking.h"
#include "app/FocusConsolePresentation.h"
#include "app/HeaderPresentation.h"
#include "app/PlaylistModel.h"
#include "app/ReorderableListModel.h"
#include "app/RoundCompletePresentation.h"
#include "app/SettingsPaneTexts.h"
#include "app/SettingsSession.h"
#include "media/LoopingVideoPipeline.h"
#include "media/VideoStartWatchdog.h"
#include "network/UpdateController.h"
#include "ui/developer-corner/DeveloperCornerController.h"
#include "ui/journal/JournalController.h"
#include "ui/journal/JournalDayModel.h"
#include "ui/now-playing/NowPlayingPresentation.h"
#include "ui/now-playing/NowPlayingSeekState.h"
#include "ui/settings/AppearanceSettings.h"
#include "ui/settings/SymbolPickerModel.h"
#include "ui/settings/WheelItemsModel.h"
#include "ui/settings/WheelPaneValues.h"
#include "ui/statistics/StatisticsModel.h"
#include "ui/statistics/StatisticsTexts.h"

#include <QtQml/qqml.h>

// The views' types whose classes live in the core library, which has no QML: each is declared to the
// module here, where the type registration and the QML tools read it.

struct ForeignSettingsSession
{
    Q_GADGET
    QML_FOREIGN(SettingsSession)
    QML_NAMED_ELEMENT(SettingsSession)
    QML_UNCREATABLE("The controller makes it when the settings open.")
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

struct ForeignUpdateController
{
    Q_GADGET
    QML_FOREIGN(UpdateController)
    QML_NAMED_ELEMENT(UpdateController)
    QML_UNCREATABLE("The controller owns the one update controller.")
};

struct ForeignJournalDayModel
{
    Q_GADGET
    QML_FOREIGN(JournalDayModel)
    QML_NAMED_ELEMENT(JournalDayModel)
    QML_UNCREATABLE("Made by the journal")
};

struct ForeignJournalController
{
    Q_GADGET
    QML_FOREIGN(JournalController)
    QML_NAMED_ELEMENT(JournalController)
};

struct ForeignDeveloperCornerController
{
    Q_GADGET
    QML_FOREIGN(DeveloperCornerController)
    QML_NAMED_ELEMENT(DeveloperCornerController)
};

struct ForeignStatisticsModel
{
    Q_GADGET
    QML_FOREIGN(StatisticsModel)
    QML_NAMED_ELEMENT(StatisticsModel)
};

struct ForeignNowPlayingSeekState
{
    Q_GADGET
    QML_FOREIGN(NowPlayingSeekState)
    QML_NAMED_ELEMENT(NowPlayingSeekState)
};

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

struct ForeignVideoStartWatchdog
{
    Q_GADGET
    QML_FOREIGN(VideoStartWatchdog)
    QML_NAMED_ELEMENT(VideoStartWatchdog)
};

struct ForeignLoopingVideoPipeline
{
    Q_GADGET
    QML_FOREIGN(LoopingVideoPipeline)
    QML_NAMED_ELEMENT(LoopingVideoPipeline)
};

// Types the views read through the controller's properties but never name.

struct ForeignFocusConsoleDocking
{
    Q_GADGET
    QML_FOREIGN(FocusConsoleDocking)
    QML_ANONYMOUS
};

struct ForeignConsoleDragHandlePresentation
{
    Q_GADGET
    QML_FOREIGN(ConsoleDragHandlePresentation)
    QML_ANONYMOUS
};

struct ForeignFocusConsolePresentation
{
    Q_GADGET
    QML_FOREIGN(FocusConsolePresentation)
    QML_ANONYMOUS
};

struct ForeignHeaderPresentation
{
    Q_GADGET
    QML_FOREIGN(HeaderPresentation)
    QML_ANONYMOUS
};

struct ForeignNowPlayingPresentation
{
    Q_GADGET
    QML_FOREIGN(NowPlayingPresentation)
    QML_ANONYMOUS
};

struct ForeignRoundCompletePresentation
{
    Q_GADGET
    QML_FOREIGN(RoundCompletePresentation)
    QML_ANONYMOUS
};

struct ForeignSettingsPaneTexts
{
    Q_GADGET
    QML_FOREIGN(SettingsPaneTexts)
    QML_ANONYMOUS
};

struct ForeignStatisticsTexts
{
    Q_GADGET
    QML_FOREIGN(StatisticsTexts)
    QML_ANONYMOUS
};
