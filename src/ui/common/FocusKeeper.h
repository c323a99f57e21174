#pragma once

#include "ui/common/ApplicationEventFilter.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QQuickItem;
class QQuickWindow;

// Keeps the keys on a control of each window, and shows where they are when the keyboard moved them.
// When the focused control goes (a popup or an editor closes, a row is deleted), the keys would fall to the
// window itself and the next Tab would start over: they go instead to the newest control of the window's
// recent ones that still shows, or to the one that took its place under the same name (a row's button
// after the row before it was deleted, a display that an editor gave way to). A window that gets the keys
// back after the keyboard closed another (a sheet's Esc) shows its control's ring again, which Qt Quick
// drops at every change of the active window.
class FocusKeeper : public QObject
{
    Q_OBJECT

public:
    static void install();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit FocusKeeper(QObject *parent);
    friend void installApplicationEventFilter<FocusKeeper>();

    struct Visit
    {
        QPointer<QQuickItem> item;
        QString name;
    };

    void focusMoved(QObject *focusObject);
    void recover(QQuickWindow *window);
    void record(QQuickWindow *window, QQuickItem *control);
    // The control that should take the keys, or none when the newest one still can; `missing` gets the
    // names of the newer ones that are gone and have no namesake yet.
    QQuickItem *replacement(QQuickWindow *window, QStringList &missing) const;
    void awaitNamesake();
    void stopAwaiting();

    // After the keys went to an older control: the newer ones' names, awaited frame by frame.
    struct Awaited
    {
        QPointer<QQuickWindow> window;
        QPointer<QQuickItem> fallback;
        QStringList names;
        Qt::FocusReason reason = Qt::OtherFocusReason;
    };

    QHash<QQuickWindow *, QList<Visit>> m_visits;
    Awaited m_awaited;
    QMetaObject::Connection m_awaitedFrames;
    QPointer<QQuickWindow> m_focusWindow;
    bool m_keyboardLast = false;
};
