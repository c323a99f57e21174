#pragma once

#include <QFont>
#include <QObject>
#include <QString>

// The faces of the interface. Chinese needs a CJK face, or every Han character is a box; the timer
// needs digits of equal advance, or the time jitters as it counts; symbols come from the embedded font.
class InterfaceFonts : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString interfaceFamily READ interfaceFamily CONSTANT)
    Q_PROPERTY(QString timerFamily READ timerFamily CONSTANT)
    Q_PROPERTY(QString symbolFamily READ symbolFamily CONSTANT)

public:
    using QObject::QObject;

    // Loads the symbol font and makes the interface face the application's font. Call before any view.
    static void install();

    // Noto Sans CJK SC when installed, otherwise the system's general face.
    static QString interfaceFamily();
    // The first of the candidate faces whose digits all advance equally at the timer's thin weight.
    static QString timerFamily();
    // The family of the embedded symbol font; empty when it could not be loaded.
    static QString symbolFamily();

    // The weight the timer is drawn in.
    static constexpr QFont::Weight timerWeight = QFont::ExtraLight;

    // True when the digits 0 to 9 of the font all have the same advance width.
    static bool hasEqualDigitAdvances(const QFont &font);

    // The text that draws the named symbol in the symbol family; empty for an unknown name.
    Q_INVOKABLE QString symbolText(const QString &name) const;
};
