#pragma once

#include "app/AppController.h"

#include <QtQml/qqml.h>

class QJSEngine;
class QQmlEngine;

// The controller as the views' singleton "AppController": the one object that main.cpp (or a test) made
// before the first engine, handed to every engine and kept by C++, so that no engine deletes it.
struct ControllerSingleton
{
    Q_GADGET
    QML_FOREIGN(AppController)
    QML_NAMED_ELEMENT(AppController)
    QML_SINGLETON

public:
    // The controller that engines made from now on show.
    static void use(AppController &controller);
    static AppController &controller();
    static AppController *create(QQmlEngine *, QJSEngine *engine);
};
