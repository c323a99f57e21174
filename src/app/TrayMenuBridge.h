#pragma once

#include "platform/TrayIcon.h"

#include <QObject>

class AppController;

// Keeps the tray's icon, tooltip and menu in step with the controller and carries out its commands.
class TrayMenuBridge : public QObject
{
    Q_OBJECT

public:
    explicit TrayMenuBridge(AppController &controller, QObject *parent = nullptr);

    bool showsIcon() const { return m_trayIcon.showsIcon(); }
    void askForAttentionUntilActive(const QWindow &window) { m_trayIcon.askForAttentionUntilActive(window); }

signals:
    void quitRequested();

private:
    void refresh();
    void perform(TrayMenuModel::Action action);

    AppController &m_controller;
    TrayIcon m_trayIcon;
};
