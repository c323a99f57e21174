#include "ui/common/InterfaceFonts.h"

#include "core/SymbolGlyphs.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QRawFont>

namespace {

const QString latinFamily = QStringLiteral("Noto Sans");
const QString chineseFamily = QStringLiteral("Noto Sans CJK SC");

// Body text of the interface, in pixels.
constexpr int interfacePixelSize = 13;

} // namespace

void InterfaceFonts::install(AppLanguage language)
{
    symbolFamily();
    const QFont font = interfaceFont(interfaceFamilies(language), interfacePixelSize);
    if (font != QGuiApplication::font())
        QGuiApplication::setFont(font);
}

QStringList InterfaceFonts::interfaceFamilies(AppLanguage language)
{
    static const QStringList latinFirst = [] {
        QStringList installed;
        for (const QString &family : { latinFamily, chineseFamily }) {
            if (QFontDatabase::hasFamily(family))
                installed.append(family);
        }
        if (installed.isEmpty())
            installed.append(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
        return installed;
    }();
    if (language == AppLanguage::english)
        return latinFirst;
    QStringList chineseFirst = latinFirst;
    if (chineseFirst.removeOne(chineseFamily))
        chineseFirst.prepend(chineseFamily);
    return chineseFirst;
}

QFont InterfaceFonts::interfaceFont(const QStringList &families, int pixelSize, QFont::Weight weight)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QString InterfaceFonts::timerFamily()
{
    static const QString family = [] {
        for (const QString &candidate : { QStringLiteral("DejaVu Sans"), nameFamily() }) {
            QFont font(candidate);
            font.setWeight(timerWeight);
            if (QFontDatabase::hasFamily(candidate) && hasEqualDigitAdvances(font))
                return candidate;
        }
        return nameFamily();
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
