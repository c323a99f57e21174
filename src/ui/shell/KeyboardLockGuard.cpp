#include "ui/shell/KeyboardLockGuard.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

// The events that carry keys or typed text.
bool isKeyboardEvent(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

} // namespace

KeyboardLockGuard::KeyboardLockGuard(QObject *parent)
    : QObject(parent)
{
    // Shortcut overrides go straight to the focused item, not through its window: only a filter on the
    // application sees every key event.
    QCoreApplication::instance()->installEventFilter(this);
}

KeyboardLockGuard::~KeyboardLockGuard()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void KeyboardLockGuard::setLocked(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    emit lockedChanged();
}

bool KeyboardLockGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_locked || !isKeyboardEvent(event->type()))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool confirming
            = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space;
        if (confirming && !key->isAutoRepeat() && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
            emit confirmKeyPressed();
    }
    // An accepted override also keeps the shortcut map from acting on the key.
    event->accept();
    return true;
}
