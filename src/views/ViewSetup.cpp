#include "ViewSetup.h"

#include "AppController.h"
#include "BackgroundMediaTypes.h"
#include "ChartAreaGradient.h"
#include "ChartDayLabels.h"
#include "ChartPoints.h"
#include "DarkPalette.h"
#include "DeveloperCornerController.h"
#include "FeedbackPreviews.h"
#include "FocusInterfaceState.h"
#include "GlassBackdrop.h"
#include "GraphicsAdaptation.h"
#include "InterfaceFonts.h"
#include "InterfaceTexts.h"
#include "JournalController.h"
#include "KeyboardLockGuard.h"
#include "MediaThumbnailProvider.h"
#include "OpaqueLayerView.h"
#include "RectangleGlow.h"
#include "RoundedGradient.h"
#include "SettingsSession.h"
#include "TextDropShadow.h"
#include "VideoFrameView.h"
#include "ViewPlacement.h"
#include "WeightedWheelGraphic.h"
#include "WindowResizeHandle.h"
#include "models/AppearanceSettings.h"
#include "models/NowPlayingSeekState.h"
#include "models/StatisticsModel.h"
#include "models/SymbolPickerModel.h"
#include "models/WheelItemsModel.h"
#include "models/WheelPaneValues.h"
#include "platform/SoftwareSceneGraph.h"
#include "services/LoopingVideoPipeline.h"
#include "services/UpdateController.h"
#include "services/VideoStartWatchdog.h"

#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QQuickWindow>

void setUpViews(AppController &controller)
{
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    QGuiApplication::setPalette(darkPalette());
    InterfaceFonts::install();
    // Only before the first window: Qt reads the choice once.
    const bool software = SoftwareSceneGraph::chosen(SoftwareSceneGraph::current());
    if (software)
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    const char *uri = "Quorvane";
    qmlRegisterSingletonInstance(uri, 1, 0, "AppController", &controller);
    qmlRegisterSingletonType<InterfaceTexts>(uri, 1, 0, "Texts",
        [&controller](QQmlEngine *engine, QJSEngine *) { return new InterfaceTexts(controller, *engine); });
    qmlRegisterSingletonType<InterfaceFonts>(
        uri, 1, 0, "Fonts", [](QQmlEngine *, QJSEngine *) { return new InterfaceFonts; });
    qmlRegisterSingletonType<BackgroundMediaTypes>(
        uri, 1, 0, "MediaTypes", [](QQmlEngine *, QJSEngine *) { return new BackgroundMediaTypes; });
    qmlRegisterSingletonType<FeedbackPreviews>(uri, 1, 0, "FeedbackPreviews",
        [](QQmlEngine *engine, QJSEngine *) { return new FeedbackPreviews(*engine); });
    qmlRegisterSingletonType<GraphicsAdaptation>(uri, 1, 0, "GraphicsAdaptation",
        [software](QQmlEngine *, QJSEngine *) { return new GraphicsAdaptation(software); });
    qmlRegisterSingletonType<ViewPlacement>(
        uri, 1, 0, "Placement", [](QQmlEngine *, QJSEngine *) { return new ViewPlacement; });
    qmlRegisterUncreatableType<SettingsSession>(
        uri, 1, 0, "SettingsSession", QStringLiteral("The controller makes it when the settings open."));
    qmlRegisterUncreatableType<ReorderableListModel>(uri, 1, 0, "ReorderableListModel",
        QStringLiteral("The background library and the playlists are reorderable lists."));
    qmlRegisterUncreatableType<BackgroundLibraryModel>(
        uri, 1, 0, "BackgroundLibraryModel", QStringLiteral("Each settings session has its own."));
    qmlRegisterUncreatableType<PlaylistModel>(
        uri, 1, 0, "PlaylistModel", QStringLiteral("The settings session makes one per playlist."));
    qmlRegisterUncreatableType<UpdateController>(
        uri, 1, 0, "UpdateController", QStringLiteral("The controller owns the one update controller."));
    qmlRegisterType<FocusInterfaceState>(uri, 1, 0, "FocusInterfaceState");
    qmlRegisterType<JournalController>(uri, 1, 0, "JournalController");
    qmlRegisterType<DeveloperCornerController>(uri, 1, 0, "DeveloperCornerController");
    qmlRegisterUncreatableType<JournalDayModel>(
        uri, 1, 0, "JournalDayModel", QStringLiteral("Made by the journal"));
    qmlRegisterType<KeyboardLockGuard>(uri, 1, 0, "KeyboardLockGuard");
    qmlRegisterType<StatisticsModel>(uri, 1, 0, "StatisticsModel");
    qmlRegisterType<ChartPoints>(uri, 1, 0, "ChartPoints");
    qmlRegisterType<ChartAreaGradient>(uri, 1, 0, "ChartAreaGradient");
    qmlRegisterType<ChartDayLabels>(uri, 1, 0, "ChartDayLabels");
    qmlRegisterType<WeightedWheelGraphic>(uri, 1, 0, "WeightedWheelGraphic");
    qmlRegisterType<WindowResizeHandle>(uri, 1, 0, "WindowResizeHandle");
    qmlRegisterType<TextDropShadow>(uri, 1, 0, "TextDropShadow");
    qmlRegisterType<RoundedGradient>(uri, 1, 0, "RoundedGradient");
    qmlRegisterType<RectangleGlow>(uri, 1, 0, "RectangleGlow");
    qmlRegisterType<OpaqueLayerView>(uri, 1, 0, "OpaqueLayerView");
    qmlRegisterType<GlassBackdrop>(uri, 1, 0, "GlassBackdrop");
    qmlRegisterType<NowPlayingSeekState>(uri, 1, 0, "NowPlayingSeekState");
    qmlRegisterType<WheelItemsModel>(uri, 1, 0, "WheelItemsModel");
    qmlRegisterType<WheelPaneValues>(uri, 1, 0, "WheelPaneValues");
    qmlRegisterType<SymbolPickerModel>(uri, 1, 0, "SymbolPickerModel");
    qmlRegisterType<AppearanceSettings>(uri, 1, 0, "AppearanceSettings");
    qmlRegisterType<VideoStartWatchdog>(uri, 1, 0, "VideoStartWatchdog");
    qmlRegisterType<VideoFrameView>(uri, 1, 0, "VideoFrameView");
    qmlRegisterType<LoopingVideoPipeline>(uri, 1, 0, "LoopingVideoPipeline");
}

void addImageProviders(QQmlEngine &engine, AppController &controller)
{
    engine.addImageProvider(
        QStringLiteral("thumbnails"), new MediaThumbnailProvider(controller.thumbnailCache()));
}
