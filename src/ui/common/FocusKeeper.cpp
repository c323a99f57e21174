#include "ui/common/FocusKeeper.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QQuickItem>
#include <QQuickWindow>
#include <memory>

namespace {

// How many of a window's recent controls are remembered.
constexpr qsizetype visitsKept = 16;

bool isControl(const QQuickItem *item)
{
    return item->activeFocusOnTab() || item->inherits("QQuickTextInput") || item->inherits("QQuickTextEdit");
}

bool canTakeKeys(const QQuickItem *item)
{
    return item && item->isVisible() && item->isEnabled() && item->window() && isControl(item);
}

bool insideOpenPopup(const QQuickItem *item)
{
    for (; item; item = item->parentItem()) {
        if (item->inherits("QQuickPopupItem"))
            return item->isVisible();
    }
    return false;
}

QQuickItem *findShown(QQuickItem *item, const QString &name)
{
    if (item->objectName() == name && canTakeKeys(item))
        return item;
    const QList<QQuickItem *> children = item->childItems();
    for (QQuickItem *child : children) {
        if (QQuickItem *found = findShown(child, name))
            return found;
    }
    return nullptr;
}

bool showsKeyboardFocus(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
        || reason == Qt::ShortcutFocusReason;
}

} // namespace

FocusKeeper::FocusKeeper(QObject *parent)
    : QObject(parent)
{
    connect(qGuiApp, &QGuiApplication::focusObjectChanged, this, &FocusKeeper::focusMoved);
}

void FocusKeeper::install()
{
    installApplicationEventFilter<FocusKeeper>();
}

bool FocusKeeper::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        m_keyboardLast = true;
        stopAwaiting();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::TouchBegin:
        m_keyboardLast = false;
        stopAwaiting();
        break;
    case QEvent::Hide:
        // A sheet starts afresh at its next opening.
        if (auto *window = qobject_cast<QQuickWindow *>(watched))
            m_visits.remove(window);
        break;
    default:
        break;
    }
    return false;
}

void FocusKeeper::focusMoved(QObject *focusObject)
{
    auto *item = qobject_cast<QQuickItem *>(focusObject);
    QQuickWindow *window = item ? item->window() : nullptr;
    if (!window)
        return;
    const bool windowChanged = window != m_focusWindow;
    m_focusWindow = window;
    if (canTakeKeys(item)) {
        const bool hasReason = item->metaObject()->indexOfProperty("focusReason") >= 0;
        const auto reason = item->property("focusReason").value<Qt::FocusReason>();
        if (windowChanged && m_keyboardLast && hasReason && !showsKeyboardFocus(reason))
            item->setProperty("focusReason", QVariant::fromValue(Qt::TabFocusReason));
        record(window, item);
        return;
    }
    // The keys fall to a focus scope when their control goes; an item a view focused on purpose keeps them.
    if ((item->isVisible() && !item->isFocusScope()) || insideOpenPopup(item))
        return;
    // Look once whatever closed has gone and what takes its place is made: views make their new items
    // when they are polished, before the window's next frame.
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = connect(window, &QQuickWindow::afterAnimating, this, [this, window, once] {
        disconnect(*once);
        recover(window);
    });
    window->update();
}

void FocusKeeper::record(QQuickWindow *window, QQuickItem *control)
{
    QList<Visit> &visits = m_visits[window];
    if (!visits.isEmpty() && visits.constLast().item == control)
        return;
    if (visits.isEmpty())
        connect(window, &QObject::destroyed, this, [this, window] { m_visits.remove(window); });
    visits.append({ control, control->objectName() });
    if (visits.size() > visitsKept)
        visits.removeFirst();
}

QQuickItem *FocusKeeper::replacement(QQuickWindow *window, QStringList &missing) const
{
    const QList<Visit> visits = m_visits.value(window);
    if (visits.isEmpty() || canTakeKeys(visits.constLast().item))
        return nullptr;
    for (auto visit = visits.crbegin(); visit != visits.crend(); ++visit) {
        if (canTakeKeys(visit->item) && visit->item->window() == window)
            return visit->item;
        if (visit->name.isEmpty())
            continue;
        if (QQuickItem *namesake = findShown(window->contentItem(), visit->name))
            return namesake;
        missing.append(visit->name);
    }
    return nullptr;
}

void FocusKeeper::recover(QQuickWindow *window)
{
    if (!window || !window->isVisible())
        return;
    QQuickItem *focused = window->activeFocusItem();
    if (focused
        && (canTakeKeys(focused) || (focused->isVisible() && !focused->isFocusScope())
            || insideOpenPopup(focused)))
        return;
    QStringList missing;
    QQuickItem *control = replacement(window, missing);
    if (!control)
        return;
    control->forceActiveFocus(m_keyboardLast ? Qt::TabFocusReason : Qt::OtherFocusReason);
    // A view that reloads (the journal's timeline) makes the newer ones again a little later: until the user
    // acts, the keys go on to the first of them to show.
    if (missing.isEmpty())
        return;
    m_awaited = { window, control, missing, m_keyboardLast ? Qt::TabFocusReason : Qt::OtherFocusReason };
    disconnect(m_awaitedFrames);
    m_awaitedFrames = connect(window, &QQuickWindow::afterAnimating, this, &FocusKeeper::awaitNamesake);
}

void FocusKeeper::awaitNamesake()
{
    QQuickWindow *window = m_awaited.window;
    if (!window || !m_awaited.fallback || window->activeFocusItem() != m_awaited.fallback) {
        stopAwaiting();
        return;
    }
    for (const QString &name : std::as_const(m_awaited.names)) {
        if (QQuickItem *namesake = findShown(window->contentItem(), name)) {
            const Qt::FocusReason reason = m_awaited.reason;
            stopAwaiting();
            namesake->forceActiveFocus(reason);
            return;
        }
    }
}

void FocusKeeper::stopAwaiting()
{
    disconnect(m_awaitedFrames);
    m_awaited = {};
}
