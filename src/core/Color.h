#pragma once

#include <QColor>
#include <QStringView>

// Makes a colour from a palette text: "RRGGBB" (opaque) or "RRGGBBAA". Characters other than
// letters, marks and digits are trimmed from both ends first, so "#172532" works. Exactly 8
// user-perceived characters after trimming select RRGGBBAA (an "0x" prefix counts among them);
// any other length reads RRGGBB from the low 24 bits of the number. Unreadable text gives 0.
QColor colorFromHex(QStringView hex);
