#pragma once

#include "ControllerHarness.h"
#include "X11TestInput.h"
#include "app/WindowBehavior.h"
#include "ui/shell/ViewSetup.h"

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
        addImageProviders(*m_engine, controller);
        m_component = std::make_unique<QQmlComponent>(
            m_engine.get(), QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/Shell/Main.qml")));
        m_root.reset(m_component->beginCreate(m_engine->rootContext()));
        window = qobject_cast<QQuickWindow *>(m_root.get());
        if (!window)
            return false;
        behavior = std::make_unique<WindowBehavior>(*window, controller.preferences(), *controller.sheets());
        QObject::connect(&controller, &AppController::preferencesChanged, behavior.get(),
            &WindowBehavior::followPreferences);
        return true;
    }

    // Makes the window over a controller whose stored preferences keep it on top.
    bool makeKeptOnTop(ControllerHarness &harness)
    {
        AppPreferences preferences;
        preferences.keepWindowOnTop = true;
        controller = &harness.startWithStored(preferences);
        return make(*controller);
    }

    void show() { m_component->completeCreate(); }

    // Two clicks at a point of the window, through the X server as a user's would come.
    void doubleClick(X11TestInput &input, QPoint windowPosition) const
    {
        const QPoint global = window->mapToGlobal(windowPosition);
        input.moveTo(global.x(), global.y());
        input.click(1);
        input.click(1);
        input.sync();
    }

    QQuickItem *item(const char *objectName) const
    {
        return window->findChild<QQuickItem *>(QLatin1String(objectName));
    }

    AppController *controller = nullptr;
    QQuickWindow *window = nullptr;

private:
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    std::unique_ptr<QQmlComponent> m_component;
    std::unique_ptr<QObject> m_root;

public:
    // Last, so that it goes before the window does.
    std::unique_ptr<WindowBehavior> behavior;
};
