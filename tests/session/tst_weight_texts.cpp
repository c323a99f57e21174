#include "DecimalCommaLocale.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "session/ProbabilityTextCodec.h"
#include "session/WeightNormalizer.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double largest = std::numeric_limits<double>::max();
constexpr double smallestSubnormal = std::numeric_limits<double>::denorm_min();

const QString digitsOf1e308 = QStringLiteral(
    "100000000000000001097906362944045541740492309677311846336810682903157585404911491537163328978494688899"
    "061249669721172515611590283743140088328307009198146046031271664502933027185697489699588559043338384466"
    "165001178426897626212945177628091195786707458122783970171784415105291802893207873272974885715430223118"
    "336");
const QString digitsOfLargest = QStringLiteral(
    "179769313486231570814527423731704356798070567525844996598917476803157260780028538760589558632766878171"
    "540458953514382464234321326889464182768467546703537516986049910576551282076245490090389328944075868508"
    "455133942304583236903222948165808559332123348274797826204144723168738177180919299881250404026184124858"
    "368");

// Bit for bit, so that negative zero differs from zero.
std::optional<QList<double>> percentList(std::initializer_list<double> values)
{
    return QList<double>(values);
}

bool identical(double a, double b)
{
    return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
}

QByteArray shown(std::optional<double> value)
{
    if (!value)
        return QByteArrayLiteral("none");
    return (std::signbit(*value) && *value == 0 ? "-" : "") + QByteArray::number(*value, 'g', 17);
}

QByteArray shown(const std::optional<QList<double>> &values)
{
    if (!values)
        return QByteArrayLiteral("none");
    QByteArrayList texts;
    for (const double value : *values)
        texts.append(QByteArray::number(value, 'g', 17));
    return texts.join(", ");
}

// What "%.2f" writes in the C locale, trimmed of trailing zeros and the point as the codec does.
QString cFormattedWeight(double value)
{
    char text[400];
    std::snprintf(text, sizeof text, "%.2f", value);
    QString result = QString::fromLatin1(text);
    while (result.endsWith(u'0'))
        result.chop(1);
    if (result.endsWith(u'.'))
        result.chop(1);
    return result;
}

void checkParse()
{
    QFETCH(QString, text);
    QFETCH(std::optional<double>, expected);

    const std::optional<double> parsed = ProbabilityTextCodec::parse(text);
    QVERIFY2(parsed.has_value() == expected.has_value() && (!parsed || identical(*parsed, *expected)),
        "parsed " + shown(parsed) + ", expected " + shown(expected));
}

void checkFormat()
{
    QFETCH(double, weight);
    QFETCH(QString, expected);

    QCOMPARE(ProbabilityTextCodec::format(weight), expected);
}

} // namespace

class WeightTextsTest : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("expected");
        const std::optional<double> none;

        QTest::newRow("decimal comma") << QStringLiteral("12,5") << std::optional(12.5);
        QTest::newRow("decimal point") << QStringLiteral("12.5") << std::optional(12.5);
        QTest::newRow("spaces around") << QStringLiteral("  12,5  ") << std::optional(12.5);
        QTest::newRow("tabs around") << QStringLiteral("\t12,5\t") << std::optional(12.5);
        QTest::newRow("line breaks around") << QStringLiteral("\r\n12,5\n") << std::optional(12.5);
        QTest::newRow("mixed whitespace around") << QStringLiteral(" \t12,5\n") << std::optional(12.5);
        QTest::newRow("vertical tab and form feed") << QStringLiteral("\v12\f") << std::optional(12.0);
        QTest::newRow("next line U+0085") << QStringLiteral("\u008512\u0085") << std::optional(12.0);
        QTest::newRow("no-break space") << QStringLiteral("\u00a012\u00a0") << std::optional(12.0);
        QTest::newRow("ideographic space") << QStringLiteral("\u300012\u3000") << std::optional(12.0);
        QTest::newRow("line separator") << QStringLiteral("\u202812\u2029") << std::optional(12.0);
        QTest::newRow("empty") << QString() << none;
        QTest::newRow("spaces only") << QStringLiteral("  ") << none;
        QTest::newRow("whitespace and line breaks only") << QStringLiteral(" \n\t\r\n ") << none;
        QTest::newRow("comma is never a thousands separator")
            << QStringLiteral("1,000") << std::optional(1.0);
        QTest::newRow("comma and point make two points") << QStringLiteral("1,000.5") << none;
        QTest::newRow("two commas") << QStringLiteral("1,2,3") << none;
        QTest::newRow("full-width comma") << QStringLiteral("12\uff0c5") << none;
        QTest::newRow("exponent") << QStringLiteral("1e2") << std::optional(100.0);
        QTest::newRow("exponent with comma") << QStringLiteral("2,5E1") << std::optional(25.0);
        QTest::newRow("hexadecimal") << QStringLiteral("0x10") << std::optional(16.0);
        QTest::newRow("hexadecimal float") << QStringLiteral("0X1p-2") << std::optional(0.25);
        QTest::newRow("plus sign") << QStringLiteral("+3") << std::optional(3.0);
        QTest::newRow("trailing point") << QStringLiteral("5.") << std::optional(5.0);
        QTest::newRow("leading comma") << QStringLiteral(",5") << std::optional(0.5);
        QTest::newRow("point alone") << QStringLiteral(".") << none;
        QTest::newRow("sign alone") << QStringLiteral("-") << none;
        QTest::newRow("exponent without digits") << QStringLiteral("1e") << none;
        QTest::newRow("negative") << QStringLiteral("-1") << none;
        QTest::newRow("negative fraction") << QStringLiteral("-0.001") << none;
        QTest::newRow("negative zero") << QStringLiteral("-0") << std::optional(-0.0);
        QTest::newRow("negative zero with decimals") << QStringLiteral("-0,00") << std::optional(-0.0);
        QTest::newRow("nan") << QStringLiteral("nan") << none;
        QTest::newRow("NaN") << QStringLiteral("NaN") << none;
        QTest::newRow("nan with payload") << QStringLiteral("nan(1)") << none;
        QTest::newRow("inf") << QStringLiteral("inf") << none;
        QTest::newRow("INF") << QStringLiteral("INF") << none;
        QTest::newRow("-inf") << QStringLiteral("-inf") << none;
        QTest::newRow("Infinity") << QStringLiteral("Infinity") << none;
        QTest::newRow("overflow to infinity") << QStringLiteral("1e400") << none;
        QTest::newRow("underflow to zero") << QStringLiteral("1e-400") << std::optional(0.0);
        QTest::newRow("subnormal") << QStringLiteral("4.9406564584124654e-324")
                                   << std::optional(smallestSubnormal);
        QTest::newRow("largest double") << QStringLiteral("1.7976931348623157e308") << std::optional(largest);
        QTest::newRow("percent sign") << QStringLiteral("5%") << none;
        QTest::newRow("inner space") << QStringLiteral("5 5") << none;
        QTest::newRow("trailing letter") << QStringLiteral("5kg") << none;
        QTest::newRow("inner NUL") << QStringLiteral("5") + QChar(u'\0') + QStringLiteral("5") << none;
        QTest::newRow("trailing NUL") << QStringLiteral("5") + QChar(u'\0') << none;
        QTest::newRow("full-width digits") << QStringLiteral("\uff11\uff12") << none;
        QTest::newRow("inner zero-width space") << QStringLiteral("1\u200b2") << none;
        QTest::newRow("two thirds rounded") << QStringLiteral("0.33") << std::optional(0.33);
    }
    void parse() { checkParse(); }

    void parseUnderADecimalCommaLocale_data() { parse_data(); }
    void parseUnderADecimalCommaLocale()
    {
        const DecimalCommaLocale decimalComma;
        if (!decimalComma.isActive())
            QSKIP(DecimalCommaLocale::missingReason);
        // The locale is in force: the C library's own strtod now stops at a point.
        char *end = nullptr;
        QCOMPARE(std::strtod("12.5", &end), 12.0);
        checkParse();
    }

    void format_data()
    {
        QTest::addColumn<double>("weight");
        QTest::addColumn<QString>("expected");

        QTest::newRow("10") << 10.0 << QStringLiteral("10");
        QTest::newRow("12.5") << 12.5 << QStringLiteral("12.5");
        QTest::newRow("0.25") << 0.25 << QStringLiteral("0.25");
        QTest::newRow("3.14159") << 3.14159 << QStringLiteral("3.14");
        QTest::newRow("2.999") << 2.999 << QStringLiteral("3");
        QTest::newRow("100") << 100.0 << QStringLiteral("100");
        QTest::newRow("0") << 0.0 << QStringLiteral("0");
        QTest::newRow("negative zero") << -0.0 << QStringLiteral("-0");
        QTest::newRow("-2.5") << -2.5 << QStringLiteral("-2.5");
        QTest::newRow("tie rounds to even, as %.2f") << 0.125 << QStringLiteral("0.12");
        QTest::newRow("just above a tie") << 0.005 << QStringLiteral("0.01");
        QTest::newRow("one third") << 1.0 / 3.0 << QStringLiteral("0.33");
        QTest::newRow("rounds to zero") << 0.004 << QStringLiteral("0");
        QTest::newRow("tiny negative keeps its sign") << -0.001 << QStringLiteral("-0");
        QTest::newRow("zeros before the point stay") << 1000.001 << QStringLiteral("1000");
        QTest::newRow("1e308") << 1e308 << digitsOf1e308;
        QTest::newRow("largest double") << largest << digitsOfLargest;
        QTest::newRow("lowest double") << -largest << QString(u'-' + digitsOfLargest);
        QTest::newRow("smallest subnormal") << smallestSubnormal << QStringLiteral("0");
    }
    void format() { checkFormat(); }

    void formatUnderADecimalCommaLocale_data() { format_data(); }
    void formatUnderADecimalCommaLocale()
    {
        const DecimalCommaLocale decimalComma;
        if (!decimalComma.isActive())
            QSKIP(DecimalCommaLocale::missingReason);
        char text[16];
        std::snprintf(text, sizeof text, "%.2f", 0.25);
        QCOMPARE(QByteArray(text), QByteArrayLiteral("0,25"));
        checkFormat();
    }

    void formatMatchesCFormattingAndParsesBack()
    {
        std::setlocale(LC_NUMERIC, "C");
        QRandomGenerator random(24);
        for (int i = 0; i < 5000; ++i) {
            const double weight = random.generateDouble() * std::pow(10.0, random.bounded(-4, 10));
            const QString text = ProbabilityTextCodec::format(weight);
            QCOMPARE(text, cFormattedWeight(weight));
            const std::optional<double> parsed = ProbabilityTextCodec::parse(text);
            QVERIFY2(parsed, qPrintable(text));
            char rounded[400];
            std::snprintf(rounded, sizeof rounded, "%.2f", weight);
            QVERIFY2(identical(*parsed, std::strtod(rounded, nullptr)), qPrintable(text));
        }
    }

    void normalizeToHundred_data()
    {
        QTest::addColumn<QList<double>>("weights");
        QTest::addColumn<std::optional<QList<double>>>("expected");

        QTest::newRow("default items") << QList<double> { 18, 16, 16, 14, 12, 12, 12 }
                                       << percentList({ 18.0, 16.0, 16.0, 14.0, 12.0, 12.0, 12.0 });
        QTest::newRow("three equal") << QList<double> { 1, 1, 1 } << percentList({ 33.4, 33.3, 33.3 });
        QTest::newRow("two to one") << QList<double> { 2, 1 } << percentList({ 66.7, 33.3 });
        QTest::newRow("seven equal") << QList<double> { 1, 1, 1, 1, 1, 1, 1 }
                                     << percentList({ 14.3, 14.3, 14.3, 14.3, 14.3, 14.3, 14.2 });
        QTest::newRow("one to seven") << QList<double> { 1, 2, 3, 4, 5, 6, 7 }
                                      << percentList({ 3.6, 7.1, 10.7, 14.3, 17.9, 21.4, 25.0 });
        QTest::newRow("negative and not a number count as 0")
            << QList<double> { 5, -3, notANumber } << percentList({ 100.0, 0.0, 0.0 });
        QTest::newRow("infinity counts as 0")
            << QList<double> { infinity, 2, -infinity } << percentList({ 0.0, 100.0, 0.0 });
        QTest::newRow("negative zero counts as 0")
            << QList<double> { -0.0, 3 } << percentList({ 0.0, 100.0 });
        QTest::newRow("single small weight") << QList<double> { 0.001 } << percentList({ 100.0 });
        QTest::newRow("single huge weight") << QList<double> { largest } << percentList({ 100.0 });
        QTest::newRow("already a hundred")
            << QList<double> { 25, 25, 50 } << percentList({ 25.0, 25.0, 50.0 });
        QTest::newRow("subnormals") << QList<double> { smallestSubnormal, smallestSubnormal }
                                    << percentList({ 50.0, 50.0 });
        QTest::newRow("subnormal beside one")
            << QList<double> { smallestSubnormal, 1 } << percentList({ 0.0, 100.0 });
        QTest::newRow("total overflows, three equal")
            << QList<double> { 1e308, 1e308, 1e308 } << percentList({ 33.4, 33.3, 33.3 });
        QTest::newRow("total overflows beside a zero")
            << QList<double> { 1e308, 1e308, 0 } << percentList({ 50.0, 50.0, 0.0 });
        QTest::newRow("total overflows beside small weights")
            << QList<double> { largest, 1, largest, 1e300 } << percentList({ 50.0, 0.0, 50.0, 0.0 });
        QTest::newRow("all zero") << QList<double> { 0, 0 } << std::optional<QList<double>>();
        QTest::newRow("empty") << QList<double> {} << std::optional<QList<double>>();
        QTest::newRow("nothing usable")
            << QList<double> { -1, notANumber, infinity, -0.0 } << std::optional<QList<double>>();
    }
    void normalizeToHundred()
    {
        QFETCH(QList<double>, weights);
        QFETCH(std::optional<QList<double>>, expected);

        const std::optional<QList<double>> percentages = WeightNormalizer::normalizeToHundred(weights);
        QVERIFY2(percentages == expected, "got " + shown(percentages) + ", expected " + shown(expected));
    }

    void normalizeToHundredAlwaysHandsOutAThousandTenths()
    {
        const double pool[] = { notANumber, infinity, -infinity, -2.5, -smallestSubnormal, 0.0, -0.0,
            smallestSubnormal, std::numeric_limits<double>::min(), 1e-310, 1e308, largest, 1, 3, 7 };
        QRandomGenerator random(1024);
        for (int round = 0; round < 20000; ++round) {
            QList<double> weights(random.bounded(1, 51));
            for (double &weight : weights)
                weight = random.bounded(3) == 0 ? random.generateDouble() * 100
                                                : pool[random.bounded(int(std::size(pool)))];
            const auto isPositive = [](double weight) { return std::isfinite(weight) && weight > 0; };
            const std::optional<QList<double>> percentages = WeightNormalizer::normalizeToHundred(weights);
            QCOMPARE(percentages.has_value(), std::any_of(weights.cbegin(), weights.cend(), isPositive));
            if (!percentages)
                continue;
            QCOMPARE(percentages->size(), weights.size());
            qint64 tenths = 0;
            for (qsizetype i = 0; i < weights.size(); ++i) {
                const double entry = percentages->at(i);
                const qint64 entryTenths = std::llround(entry * 10);
                QVERIFY(identical(entry, entryTenths / 10.0));
                QVERIFY(entryTenths >= 0);
                if (!isPositive(weights[i]))
                    QVERIFY2(
                        entryTenths == 0, qPrintable(QStringLiteral("round %1, entry %2").arg(round).arg(i)));
                tenths += entryTenths;
            }
            QCOMPARE(tenths, 1000);
        }
    }
};

QUORVANE_TEST_GUILESS_MAIN(WeightTextsTest)
#include "tst_weight_texts.moc"
