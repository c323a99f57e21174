#pragma once

#include "AppController.h"
#include "platform/WindowBehavior.h"
#include "views/ViewSetup.h"

#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <memory>

// The main window loaded the way the program loads it: its behaviour is attached after the window is
// made and before it first shows.
class MainWindowUnderTest
{
public:
    // Makes the window, unmapped; show() finishes it.
    bool make(AppController &controller)
    {
        setUpViews(controller);
        m_engine = std::make_unique<QQmlApplicationEngine>();
        m_component = std::make_unique<QQmlComponent>(
            m_engine.get(), QUrl(QStringLiteral("qrc:/quorvane/qml/Main.qml")));
        m_root.reset(m_component->beginCreate(m_engine->rootContext()));
        window = qobject_cast<QQuickWindow *>(m_root.get());
        if (!window)
            return false;
        behavior = std::make_unique<WindowBehavior>(*window, controller);
        return true;
    }

    void show() { m_component->completeCreate(); }

    QQuickItem *item(const char *objectName) const
    {
        return window->findChild<QQuickItem *>(QLatin1String(objectName));
    }

    QQuickWindow *window = nullptr;

private:
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    std::unique_ptr<QQmlComponent> m_component;
    std::unique_ptr<QObject> m_root;

public:
    // Last, so that it goes before the window does.
    std::unique_ptr<WindowBehavior> behavior;
};
