#include "InterfaceFonts.h"

#include "models/SymbolGlyphs.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QRawFont>

namespace {

const QString chineseFamily = QStringLiteral("Noto Sans CJK SC");

// Body text of the interface, in pixels.
constexpr int interfacePixelSize = 13;

} // namespace

void InterfaceFonts::install()
{
    symbolFamily();
    QFont font(interfaceFamily());
    font.setPixelSize(interfacePixelSize);
    QGuiApplication::setFont(font);
}

QString InterfaceFonts::interfaceFamily()
{
    static const QString family = QFontDatabase::hasFamily(chineseFamily)
        ? chineseFamily
        : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return family;
}

QString InterfaceFonts::timerFamily()
{
    static const QString family = [] {
        for (const QString &candidate : { QStringLiteral("DejaVu Sans"), interfaceFamily() }) {
            QFont font(candidate);
            font.setWeight(timerWeight);
            if (QFontDatabase::hasFamily(candidate) && hasEqualDigitAdvances(font))
                return candidate;
        }
        return interfaceFamily();
    }();
    return family;
}

QString InterfaceFonts::symbolFamily()
{
    return SymbolGlyphs::fontFamily();
}

bool InterfaceFonts::hasEqualDigitAdvances(const QFont &font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid())
        return false;
    std::optional<qreal> firstAdvance;
    for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
        if (!raw.supportsCharacter(QChar(digit)))
            return false;
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(QChar(digit)));
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
        if (advances.size() != 1)
            return false;
        if (!firstAdvance)
            firstAdvance = advances.constFirst().x();
        else if (!qFuzzyCompare(*firstAdvance, advances.constFirst().x()))
            return false;
    }
    return true;
}

QString InterfaceFonts::symbolText(const QString &name) const
{
    return SymbolGlyphs::text(name);
}
