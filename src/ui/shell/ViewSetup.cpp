#include "ui/shell/ViewSetup.h"

#include "app/AppController.h"
#include "platform/SoftwareSceneGraph.h"
#include "ui/common/ControllerSingleton.h"
#include "ui/common/InterfaceFonts.h"
#include "ui/settings/MediaThumbnailProvider.h"
#include "ui/shell/DarkPalette.h"

#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QQuickWindow>

// Generated with the module's type registration, in a file of this static library that nothing else
// names: naming it links that file, whose registration then runs when a view first imports "Quorvane".
void qml_register_types_Quorvane();

void setUpViews(AppController &controller)
{
    [[maybe_unused]] void (*volatile linkRegistration)() = &qml_register_types_Quorvane;
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    QGuiApplication::setPalette(darkPalette());
    InterfaceFonts::install();
    // Only before the first window: Qt reads the choice once.
    if (SoftwareSceneGraph::chosen(SoftwareSceneGraph::current()))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    ControllerSingleton::use(controller);
}

void addImageProviders(QQmlEngine &engine, AppController &controller)
{
    engine.addImageProvider(
        QStringLiteral("thumbnails"), new MediaThumbnailProvider(controller.thumbnailCache()));
}
