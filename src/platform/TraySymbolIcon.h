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

// Empty for a symbol the table does not know, or without the symbol font. Needs a Gui application.
QIcon make(const QString &symbol);

// The glyph as a 16 × 16 SVG document in the grey that hosts recolour; empty as make() is.
QByteArray svg(const QString &symbol);

} // namespace TraySymbolIcon
