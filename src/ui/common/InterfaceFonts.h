#pragma once

#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

// The faces of the interface. Chinese needs a CJK face, or every Han character is a box, but a CJK face
// draws quotes and apostrophes full width, so Latin text takes a Latin face first; the timer needs digits
// of equal advance, or the time jitters as it counts; symbols come from the embedded font.
class InterfaceFonts : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(Fonts)
    QML_SINGLETON
    Q_PROPERTY(QString timerFamily READ timerFamily CONSTANT FINAL)
    Q_PROPERTY(QString symbolFamily READ symbolFamily CONSTANT FINAL)

public:
    using QObject::QObject;

    // Loads the symbol font and makes the interface face the application's font. Call before any view.
    static void install();

    // Noto Sans, then Noto Sans CJK SC for what it lacks, of those installed; the system's general face
    // when neither is.
    static QStringList interfaceFamilies();
    // The interface's faces at that size and weight.
    static QFont interfaceFont(int pixelSize, QFont::Weight weight = QFont::Normal);
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
