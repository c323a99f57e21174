#include "ui/common/ReturnKeyPress.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QQuickItem>
#include <QQuickWindow>

namespace {

bool isReturn(const QEvent *event)
{
    const auto *key = static_cast<const QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier;
}

} // namespace

void ReturnKeyPress::install()
{
    installApplicationEventFilter<ReturnKeyPress>();
}

QQuickItem *ReturnKeyPress::buttonFor(QObject *watched)
{
    auto *item = qobject_cast<QQuickItem *>(watched);
    if (const auto *window = qobject_cast<QQuickWindow *>(watched))
        item = window->activeFocusItem();
    return item && item->hasActiveFocus() && item->isEnabled() && item->inherits("QQuickAbstractButton")
        ? item
        : nullptr;
}

bool ReturnKeyPress::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease)
        || !isReturn(event))
        return false;
    if (type == QEvent::KeyRelease) {
        // Only the button that Return pressed is released, wherever the focus went meanwhile.
        if (watched != m_pressed || !m_pressed)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        QKeyEvent space(
            QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), key->isAutoRepeat());
        if (!key->isAutoRepeat())
            m_pressed.clear();
        QCoreApplication::sendEvent(watched, &space);
        return true;
    }
    QQuickItem *button = buttonFor(watched);
    if (!button)
        return false;
    if (type == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    // The window hands the key on to its focused item, where it is turned into Space.
    if (watched != button)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    QKeyEvent space(
        QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), key->isAutoRepeat());
    m_pressed = button;
    QCoreApplication::sendEvent(button, &space);
    return true;
}
