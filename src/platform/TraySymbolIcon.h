#pragma once

#include <QIcon>
#include <QString>

// The tray's icon for an interface symbol ("timer"). It draws the glyph of the embedded symbol font at
// whatever size a tray host asks for, and carries the name of the symbolic icon an installed copy puts in
// the hicolor theme: hosts that look icons up by name use that one and recolour it to the panel's text,
// the others take the drawn pictures.
namespace TraySymbolIcon {

// "quorvane-timer-symbolic" for "timer"; dots become dashes, as icon names have none.
QString themeName(const QString &symbol);

// Empty for a symbol the table does not know. Needs a Gui application.
QIcon make(const QString &symbol);

// Whether an installed copy put the symbol's icon in the hicolor theme, where hosts that look names up
// find it.
bool isInstalled(const QString &symbol);
// The icon's name alone, without pictures, for a host that looks the name up: a StatusNotifier host
// rereads the pictures with every change of the item.
QIcon nameOnly(const QString &symbol);

// The glyph as a 16 × 16 SVG document in a mid grey, 3 : 1 or more against white and light grey panels as
// against dark ones, for hosts that show it as it is; the others recolour it. Empty as make() is.
QByteArray svg(const QString &symbol);

} // namespace TraySymbolIcon
