#include "ui/shell/FirstExposure.h"

#include <QEvent>
#include <QWindow>

void FirstExposure::run(QWindow &window, std::function<void()> action)
{
    new FirstExposure(window, std::move(action));
}

FirstExposure::FirstExposure(QWindow &window, std::function<void()> action)
    : QObject(&window)
    , m_action(std::move(action))
{
    if (window.isExposed())
        runLater();
    else
        window.installEventFilter(this);
}

bool FirstExposure::eventFilter(QObject *watched, QEvent *event)
{
    auto *window = static_cast<QWindow *>(watched);
    if (event->type() == QEvent::Expose && window->isExposed()) {
        window->removeEventFilter(this);
        runLater();
    }
    return false;
}

void FirstExposure::runLater()
{
    // Not inside the exposure itself, which the window is still drawing.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_action();
            deleteLater();
        },
        Qt::QueuedConnection);
}
