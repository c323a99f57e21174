#pragma once

#include "core/AppLanguage.h"

#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>

// The faces of the interface. Chinese needs a CJK face, or every Han character is a box: the Chinese
// interface takes it first, so that its digits, Latin letters and quotes come in the CJK face's own
// proportions and weights (the Latin face has no Medium here, which left "第 1 轮" thin beside its Han
// characters). A CJK face draws quotes and apostrophes full width, so English and the names the user typed
// take the Latin face first. The timer needs digits of equal advance, or the time jitters as it counts;
// symbols come from the embedded font.
class InterfaceFonts : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString timerFamily READ timerFamily CONSTANT FINAL)
    Q_PROPERTY(QString symbolFamily READ symbolFamily CONSTANT FINAL)
    Q_PROPERTY(QString nameFamily READ nameFamily CONSTANT FINAL)

public:
    using QObject::QObject;

    // Loads the symbol font and makes the faces of the language the application's font. Call before any
    // view, and again when the language changes: views made from then on take the new order.
    static void install(AppLanguage language);

    // Of Noto Sans and Noto Sans CJK SC those installed, the CJK face first for Chinese, the Latin one for
    // English; the system's general face when neither is.
    static QStringList interfaceFamilies(AppLanguage language);
    // The faces for what the user typed (item titles, track names): the Latin face first, in either language.
    static QStringList nameFamilies() { return interfaceFamilies(AppLanguage::english); }
    // The first of those, for a view's text.
    static QString nameFamily() { return nameFamilies().constFirst(); }
    // The faces at that size and weight.
    static QFont interfaceFont(
        const QStringList &families, int pixelSize, QFont::Weight weight = QFont::Normal);
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
