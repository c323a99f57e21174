#pragma once

#include "services/TrayMenuModel.h"

#include <QIcon>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

class QAction;

// The tray's icon and menu, kept in step with a TrayMenuModel. Choosing an entry emits its action.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    explicit TrayIcon(QObject *parent = nullptr);

    // Draws an interface symbol from the embedded symbol font; an unknown name gives an empty icon.
    static QIcon symbolIcon(const QString &symbol);

    void setModel(const TrayMenuModel &model);
    const TrayMenuModel &model() const { return m_model; }

    void show() { m_trayIcon.show(); }
    void hide() { m_trayIcon.hide(); }
    bool isVisible() const { return m_trayIcon.isVisible(); }
    // Where the tray host placed the icon; empty while no tray shows it.
    QRect geometry() const { return m_trayIcon.geometry(); }
    QIcon icon() const { return m_trayIcon.icon(); }
    QMenu *menu() { return &m_menu; }

signals:
    void actionTriggered(TrayMenuModel::Action action);

private:
    void rebuildMenu();
    void refreshMenu();
    void handleActivation(QSystemTrayIcon::ActivationReason reason);

    // The menu outlives the icon that shows it.
    QMenu m_menu;
    QSystemTrayIcon m_trayIcon;
    QList<QAction *> m_actions;
    TrayMenuModel m_model;
};
