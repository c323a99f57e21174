#include "ui/shell/GraphicsAdaptation.h"

#include <QQuickWindow>

GraphicsAdaptation *GraphicsAdaptation::create(QQmlEngine *, QJSEngine *)
{
    return new GraphicsAdaptation(QQuickWindow::sceneGraphBackend() == QLatin1String("software"));
}
