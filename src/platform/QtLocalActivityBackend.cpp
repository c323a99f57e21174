#include "platform/QtLocalActivityBackend.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

bool isModifierOnly(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return false;
    }
}

bool isActivity(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return !isModifierOnly(static_cast<const QKeyEvent *>(event)->key());
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

} // namespace

QtLocalActivityBackend::~QtLocalActivityBackend()
{
    remove();
}

bool QtLocalActivityBackend::install(std::function<void()> onEvent)
{
    QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return false;
    m_onEvent = std::move(onEvent);
    if (!m_installed)
        application->installEventFilter(this);
    m_installed = true;
    return true;
}

void QtLocalActivityBackend::remove()
{
    if (m_installed && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    m_installed = false;
    m_onEvent = nullptr;
}

bool QtLocalActivityBackend::eventFilter(QObject *watched, QEvent *event)
{
    if (m_installed && isActivity(event)) {
        // A copy, so that the callable outlives a remove() made from within it.
        const std::function<void()> onEvent = m_onEvent;
        onEvent();
    }
    return QObject::eventFilter(watched, event);
}
