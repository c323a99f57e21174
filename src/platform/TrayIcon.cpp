#include "platform/TrayIcon.h"

#include "models/SymbolGlyphs.h"

#include <QAction>
#include <QCursor>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

using EntryKind = TrayMenuModel::EntryKind;

// A white glyph with a dark rim, readable on light and dark panels alike.
QPixmap drawGlyph(const QString &family, const QString &glyph, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);

    QFont font(family);
    font.setPixelSize(size);
    QPainterPath path;
    path.addText(0, 0, font, glyph);
    const QRectF bounds = path.boundingRect();
    const qreal scale = size * 0.86 / std::max(bounds.width(), bounds.height());

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(size / 2.0, size / 2.0);
    painter.scale(scale, scale);
    painter.translate(-bounds.center());
    painter.strokePath(path, QPen(QColor(0, 0, 0, 150), std::max(1.0, size / 14.0) / scale));
    painter.fillPath(path, QColor(250, 250, 250));
    return pixmap;
}

} // namespace

TrayIcon::TrayIcon(QObject *parent)
    : QObject(parent)
{
    m_trayIcon.setContextMenu(&m_menu);
    connect(&m_trayIcon, &QSystemTrayIcon::activated, this, &TrayIcon::handleActivation);
}

QIcon TrayIcon::symbolIcon(const QString &symbol)
{
    const QString glyph = SymbolGlyphs::text(symbol);
    const QString family = SymbolGlyphs::fontFamily();
    if (glyph.isEmpty() || family.isEmpty())
        return {};
    QIcon icon;
    for (const int size : { 16, 22, 24, 32, 48, 64 })
        icon.addPixmap(drawGlyph(family, glyph, size));
    return icon;
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

    if (iconChanged)
        m_trayIcon.setIcon(symbolIcon(m_model.iconSymbol));
    if (toolTipChanged)
        m_trayIcon.setToolTip(m_model.toolTip);
    // Changing texts in place keeps an open menu open while the time ticks.
    if (sameShape)
        refreshMenu();
    else
        rebuildMenu();
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

// A plain click opens the menu too, as a menu-bar item would.
void TrayIcon::handleActivation(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger)
        m_menu.popup(QCursor::pos());
}
