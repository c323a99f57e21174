#pragma once

#include <QAccessible>
#include <QString>

// What a screen reader reads of the views' items: Qt Quick's own interface, less the faults of Qt 6.4 that a
// screen reader meets. Call before the first view.
void installViewItemAccessibility();

// The piece of a single line of text that holds `offset` (At), or the piece before or after it, as a screen
// reader asks for it at a caret: a character, a word with the spaces after it, a sentence, or the whole line.
// The start and end are set; out of range the piece is empty at the nearest end.
enum class TextPiece { Before, At, After };
QString textPiece(const QString &text, TextPiece which, int offset, QAccessible::TextBoundaryType boundary,
    int *start, int *end);
