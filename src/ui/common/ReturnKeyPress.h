#pragma once

#include "ui/common/ApplicationEventFilter.h"

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QQuickItem;

// Return and Enter press the focused button, switch or row, as GTK's and KDE's do; Qt Quick's buttons
// take only Space. The key is handed to the button as Space, so it shows pressed and clicks on release
// exactly as with Space, and a window's Return shortcut (a sheet's Save) stands aside while a button has
// the focus. Installed once on the application, it serves every window.
class ReturnKeyPress : public QObject
{
    Q_OBJECT

public:
    static void install();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
    friend void installApplicationEventFilter<ReturnKeyPress>();

    // The button that the key would press: the focused item when it is an enabled button.
    static QQuickItem *buttonFor(QObject *watched);

    QPointer<QQuickItem> m_pressed;
};
