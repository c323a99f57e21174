#pragma once

#include "platform/TrayHostWatch.h"
#include "platform/TrayMenuModel.h"

#include <QList>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <memory>

class QAction;
class QWindow;

// The tray's icon and menu, kept in step with a TrayMenuModel. Choosing an entry emits its action.
//
// The icon itself is made only once a tray host is here (see TrayHostWatch), so that a host that comes
// after the program still gets it in the form it shows.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    explicit TrayIcon(QObject *parent = nullptr);
    ~TrayIcon() override;

    void setModel(const TrayMenuModel &model);
    const TrayMenuModel &model() const { return m_model; }

    void show();
    void hide();
    bool isVisible() const { return m_trayIcon && m_trayIcon->isVisible(); }
    // Whether a tray host shows the icon now, so that closing the main window may only hide it.
    bool showsIcon() const;
    // Where the tray host placed the icon; empty while no tray shows it.
    QRect geometry() const { return m_trayIcon ? m_trayIcon->geometry() : QRect(); }
    QIcon icon() const { return m_trayIcon ? m_trayIcon->icon() : QIcon(); }
    QMenu *menu() { return &m_menu; }
    // Where a window may not come forward by itself (Wayland), a StatusNotifier host shows that the program
    // waits for the user, until the window is active.
    void askForAttentionUntilActive(const QWindow &window);

signals:
    void actionTriggered(TrayMenuModel::Action action);

private:
    void createIconOnceAHostIsHere();
    // The model's symbol as this host takes it.
    QIcon symbolIcon() const;
    void rebuildMenu();
    void refreshMenu();
    void handleActivation(QSystemTrayIcon::ActivationReason reason);
    void setNeedsAttention(bool needsAttention);

    // The menu outlives the icon that shows it.
    QMenu m_menu;
    TrayHostWatch m_hosts;
    std::unique_ptr<QSystemTrayIcon> m_trayIcon;
    // StatusNotifier hosts activate an item on a left click and open its menu on a right click.
    bool m_statusNotifierItem = false;
    bool m_wantsShown = false;
    bool m_needsAttention = false;
    QMetaObject::Connection m_attentionEnd;
    QList<QAction *> m_actions;
    TrayMenuModel m_model;
};
