#include "platform/TrayIcon.h"

#include "platform/TrayHostPresence.h"
#include "platform/TrayItemStatus.h"
#include "platform/TraySymbolIcon.h"

#include <QAction>
#include <QCursor>
#include <QWindow>

namespace {

using EntryKind = TrayMenuModel::EntryKind;

} // namespace

TrayIcon::TrayIcon(QObject *parent)
    : QObject(parent)
    , m_hosts(QDBusConnection::sessionBus())
{
    connect(&m_hosts, &TrayHostWatch::hostAppeared, this, &TrayIcon::createIconOnceAHostIsHere);
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::show()
{
    m_wantsShown = true;
    if (m_trayIcon)
        m_trayIcon->show();
    else
        createIconOnceAHostIsHere();
}

void TrayIcon::hide()
{
    m_wantsShown = false;
    if (m_trayIcon)
        m_trayIcon->hide();
}

bool TrayIcon::showsIcon() const
{
    return m_trayIcon && TrayHostPresence::showsIcon(TrayHostPresence::current());
}

void TrayIcon::createIconOnceAHostIsHere()
{
    if (m_trayIcon || !m_wantsShown)
        return;
    // Qt makes the icon a StatusNotifierItem exactly when the watcher knows a host at this moment.
    m_statusNotifierItem = m_hosts.statusNotifierHostRegistered();
    if (!m_statusNotifierItem && !m_hosts.xembedHostPresent())
        return;
    m_trayIcon = std::make_unique<QSystemTrayIcon>();
    m_trayIcon->setContextMenu(&m_menu);
    m_trayIcon->setIcon(symbolIcon());
    m_trayIcon->setToolTip(m_model.toolTip);
    connect(m_trayIcon.get(), &QSystemTrayIcon::activated, this, &TrayIcon::handleActivation);
    TrayItemStatus::setNeedsAttention(*m_trayIcon, m_needsAttention);
    m_trayIcon->show();
}

void TrayIcon::askForAttentionUntilActive(const QWindow &window)
{
    if (window.isActive())
        return;
    setNeedsAttention(true);
    disconnect(m_attentionEnd);
    m_attentionEnd = connect(&window, &QWindow::activeChanged, this, [this, &window] {
        if (!window.isActive())
            return;
        disconnect(m_attentionEnd);
        setNeedsAttention(false);
    });
}

void TrayIcon::setNeedsAttention(bool needsAttention)
{
    m_needsAttention = needsAttention;
    if (m_trayIcon)
        TrayItemStatus::setNeedsAttention(*m_trayIcon, needsAttention);
}

void TrayIcon::setModel(const TrayMenuModel &model)
{
    if (model == m_model)
        return;
    const bool iconChanged = model.iconSymbol != m_model.iconSymbol;
    bool sameShape = model.entries.size() == m_model.entries.size();
    for (qsizetype i = 0; sameShape && i < model.entries.size(); ++i) {
        sameShape = model.entries[i].kind == m_model.entries[i].kind
            && model.entries[i].action == m_model.entries[i].action;
    }
    // The tooltip goes to the tray host over X11; the menu's texts change far more often than it does.
    const bool toolTipChanged = model.toolTip != m_model.toolTip;
    m_model = model;

    if (iconChanged && m_trayIcon)
        m_trayIcon->setIcon(symbolIcon());
    if (toolTipChanged && m_trayIcon)
        m_trayIcon->setToolTip(m_model.toolTip);
    // Changing texts in place keeps an open menu open while the time ticks.
    if (sameShape)
        refreshMenu();
    else
        rebuildMenu();
}

QIcon TrayIcon::symbolIcon() const
{
    if (m_statusNotifierItem && TraySymbolIcon::isInstalled(m_model.iconSymbol))
        return TraySymbolIcon::nameOnly(m_model.iconSymbol);
    return TraySymbolIcon::make(m_model.iconSymbol);
}

void TrayIcon::rebuildMenu()
{
    m_menu.clear();
    m_actions.clear();
    for (const TrayMenuModel::Entry &entry : std::as_const(m_model.entries)) {
        QAction *action
            = entry.kind == EntryKind::separator ? m_menu.addSeparator() : m_menu.addAction(QString());
        if (entry.kind == EntryKind::action) {
            const TrayMenuModel::Action id = entry.action;
            connect(action, &QAction::triggered, this, [this, id] { emit actionTriggered(id); });
        }
        m_actions.append(action);
    }
    refreshMenu();
}

void TrayIcon::refreshMenu()
{
    for (qsizetype i = 0; i < m_actions.size(); ++i) {
        const TrayMenuModel::Entry &entry = m_model.entries[i];
        if (entry.kind == EntryKind::separator)
            continue;
        m_actions[i]->setText(entry.text);
        m_actions[i]->setEnabled(entry.enabled);
    }
}

// A plain click on an XEmbed tray opens the menu too, as a menu-bar item would. A StatusNotifier host
// shows the menu itself on a right click and expects a left click to activate the program: it shows the
// window, as the menu's first entry does.
void TrayIcon::handleActivation(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger)
        return;
    if (m_statusNotifierItem)
        emit actionTriggered(TrayMenuModel::Action::showMainWindow);
    else
        m_menu.popup(QCursor::pos());
}
