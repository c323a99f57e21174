#include "ui/common/ControllerSingleton.h"

#include <QJSEngine>

namespace {
AppController *current = nullptr;
}

void ControllerSingleton::use(AppController &controller)
{
    current = &controller;
}

AppController &ControllerSingleton::controller()
{
    Q_ASSERT(current);
    return *current;
}

AppController *ControllerSingleton::create(QQmlEngine *, QJSEngine *)
{
    QJSEngine::setObjectOwnership(&controller(), QJSEngine::CppOwnership);
    return &controller();
}
