#include "app/TrayMenuBridge.h"

#include "app/AppController.h"
#include "network/UpdateController.h"

TrayMenuBridge::TrayMenuBridge(AppController &controller, QObject *parent)
    : QObject(parent)
    , m_controller(controller)
{
    for (auto changed :
        { &Round::phaseChanged, &Round::trackingStateChanged, &Round::secondsRemainingChanged })
        connect(controller.round(), changed, this, &TrayMenuBridge::refresh);
    connect(&controller, &AppController::preferencesChanged, this, &TrayMenuBridge::refresh);
    connect(&controller.updateController(), &UpdateController::canCheckForUpdatesChanged, this,
        &TrayMenuBridge::refresh);
    connect(&m_trayIcon, &TrayIcon::actionTriggered, this, &TrayMenuBridge::perform);
    refresh();
    m_trayIcon.show();
}

void TrayMenuBridge::refresh()
{
    m_trayIcon.setModel(TrayMenuModel::make(m_controller.round()->phase(),
        m_controller.round()->trackingState(), m_controller.language(), m_controller.round()->formattedTime(),
        m_controller.round()->secondsRemainingForDisplay(),
        m_controller.updateController().canCheckForUpdates(), m_controller.windowSystem()));
}

void TrayMenuBridge::perform(TrayMenuModel::Action action)
{
    switch (action) {
    case TrayMenuModel::Action::none:
        break;
    case TrayMenuModel::Action::showMainWindow:
        m_controller.window()->bringMainWindowForward();
        break;
    case TrayMenuModel::Action::enableAutomaticTracking:
        // The window comes forward first, so that an alert about the missing access is seen.
        m_controller.window()->bringMainWindowForward();
        m_controller.round()->enableAutomaticTracking();
        break;
    case TrayMenuModel::Action::showDailyInsights:
        m_controller.showDailyInsights();
        break;
    case TrayMenuModel::Action::checkForUpdates:
        m_controller.updateController().checkForUpdates();
        break;
    case TrayMenuModel::Action::openActivityLog:
        m_controller.window()->openActivityLogInFileManager();
        break;
    case TrayMenuModel::Action::quit:
        emit quitRequested();
        break;
    }
}
