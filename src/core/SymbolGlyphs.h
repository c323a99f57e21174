#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Symbols are stored and named by their descriptive names ("figure.walk"); on screen each name is one
// glyph of the embedded Material Icons font. The tray and the views draw from this one table.
namespace SymbolGlyphs {

// The resource of the embedded symbol font.
QString fontResource();

// The family of the embedded symbol font, registered with the application once, on first use; empty
// when it cannot be loaded. Needs a Gui application.
QString fontFamily();

// The code point of the glyph for a symbol name; none for a name the table does not know.
std::optional<char32_t> codePoint(QStringView name);

// The glyph as text in the symbol font; empty for an unknown name, so it draws nothing.
QString text(QStringView name);

} // namespace SymbolGlyphs
