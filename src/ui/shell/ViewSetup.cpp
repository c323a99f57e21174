#include "ui/shell/ViewSetup.h"

#include "app/AppController.h"
#include "platform/SoftwareSceneGraph.h"
#include "ui/common/ControllerSingleton.h"
#include "ui/common/FocusKeeper.h"
#include "ui/common/InterfaceFonts.h"
#include "ui/common/ReturnKeyPress.h"
#include "ui/common/ViewItemAccessible.h"
#include "ui/settings/MediaThumbnailProvider.h"
#include "ui/shell/DarkPalette.h"

#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QThreadPool>

// Generated with each module's type registration, in a file of its static library that nothing else
// names: naming them links those files, whose registrations then run when a view first imports the module.
void qml_register_types_Quorvane_Effects();
void qml_register_types_Quorvane_Common();
void qml_register_types_Quorvane_NowPlaying();
void qml_register_types_Quorvane_Statistics();
void qml_register_types_Quorvane_Journal();
void qml_register_types_Quorvane_DeveloperCorner();
void qml_register_types_Quorvane_Settings();
void qml_register_types_Quorvane_Shell();

void setUpViews(AppController &controller)
{
    [[maybe_unused]] void (*volatile const linkRegistrations[])()
        = { &qml_register_types_Quorvane_Effects, &qml_register_types_Quorvane_Common,
              &qml_register_types_Quorvane_NowPlaying, &qml_register_types_Quorvane_Statistics,
              &qml_register_types_Quorvane_Journal, &qml_register_types_Quorvane_DeveloperCorner,
              &qml_register_types_Quorvane_Settings, &qml_register_types_Quorvane_Shell };
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    QGuiApplication::setPalette(darkPalette());
    InterfaceFonts::install(controller.language());
    QObject::connect(&controller, &AppController::preferencesChanged, &controller,
        [&controller] { InterfaceFonts::install(controller.language()); });
    ReturnKeyPress::install();
    FocusKeeper::install();
    installViewItemAccessibility();
    // Only before the first window: Qt reads the choice once.
    if (SoftwareSceneGraph::chosen(SoftwareSceneGraph::current())) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        // Qt 6.4's raster engine splits each blend of 96 lines or more, a glyph's included, over the global
        // thread pool and waits for the parts. Over a video that is dozens of blends a frame, and waking a
        // thread for every part costs more than running them side by side saves: one pooled thread takes
        // them one after another for a single wake-up. Qt's large image conversions share that thread.
        QThreadPool::globalInstance()->setMaxThreadCount(1);
    }

    ControllerSingleton::use(controller);
}

void addImageProviders(QQmlEngine &engine, AppController &controller)
{
    engine.addImageProvider(
        QStringLiteral("thumbnails"), new MediaThumbnailProvider(controller.thumbnailCache()));
}
