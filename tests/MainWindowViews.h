#pragma once

#include "AppController.h"
#include "views/ViewSetup.h"

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <memory>

// The item of that name among the item's visual descendants: delegates are found too.
inline QQuickItem *findItem(QQuickItem *item, const QString &name)
{
    if (item->objectName() == name)
        return item;
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    return nullptr;
}

// The main window as the program shows it: Main.qml loaded over a started controller.
struct MainWindowViews
{
    // Loads the window and waits until it is on screen; false when it cannot be shown.
    bool load(AppController &controller)
    {
        setUpViews(controller);
        engine = std::make_unique<QQmlApplicationEngine>();
        addImageProviders(*engine, controller);
        engine->load(QUrl(QStringLiteral("qrc:/quorvane/qml/Main.qml")));
        window = engine->rootObjects().isEmpty()
            ? nullptr
            : qobject_cast<QQuickWindow *>(engine->rootObjects().constFirst());
        root = window ? window->findChild<QQuickItem *>(QStringLiteral("rootView")) : nullptr;
        return root && QTest::qWaitForWindowExposed(window);
    }

    std::unique_ptr<QQmlApplicationEngine> engine;
    QQuickWindow *window = nullptr;
    QQuickItem *root = nullptr;
};
