#include "CsvReference.h"
#include "DecimalCommaLocale.h"
#include "TestProgram.h"
#include "storage/CSVCodec.h"
#include "storage/CsvNumber.h"

#include <QRandomGenerator>
#include <QTest>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

QString randomText(QRandomGenerator &random, const QString &alphabet, int maximumLength)
{
    QString text;
    const int length = random.bounded(maximumLength + 1);
    for (int i = 0; i < length; ++i)
        text += alphabet[random.bounded(int(alphabet.size()))];
    return text;
}

QList<QStringList> parsedRecords(const QString &text)
{
    QList<QStringList> rows;
    for (const QString &record : CSVCodec::records(text))
        rows.append(CSVCodec::parseLine(record));
    return rows;
}

QString cFormatted(double value)
{
    char text[400];
    std::snprintf(text, sizeof text, "%.3f", value);
    return QString::fromLatin1(text);
}

} // namespace

class TestCsvCodec : public QObject
{
    Q_OBJECT

private slots:
    void records_data();
    void records();
    void parseLine_data();
    void parseLine();
    void line_data();
    void line();
    void randomFieldsRoundTrip();
    void randomTextMatchesTheRules();
    void rowReaderMatchesRecordsAndParseLine_data();
    void rowReaderMatchesRecordsAndParseLine();
    void parseInteger_data();
    void parseInteger();
    void spreadsheetForms_data();
    void spreadsheetForms();
    void saturatingAdd_data();
    void saturatingAdd();
    void realHasThreeDecimals_data();
    void realHasThreeDecimals();
    void realMatchesCFormatting();
    void realIgnoresADecimalCommaLocale();
};

void TestCsvCodec::records_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("line feeds only") << QStringLiteral("\n\n\n") << QStringList();
    QTest::newRow("carriage returns only") << QStringLiteral("\r\r\n\r\n\r") << QStringList();
    QTest::newRow("lf") << QStringLiteral("a,b\nc,d\n")
                        << QStringList { QStringLiteral("a,b"), QStringLiteral("c,d") };
    QTest::newRow("crlf") << QStringLiteral("a,b\r\nc,d\r\n")
                          << QStringList { QStringLiteral("a,b"), QStringLiteral("c,d") };
    QTest::newRow("no final line feed")
        << QStringLiteral("a\nb") << QStringList { QStringLiteral("a"), QStringLiteral("b") };
    QTest::newRow("blank lines vanish")
        << QStringLiteral("\na\n\n\nb\n\n") << QStringList { QStringLiteral("a"), QStringLiteral("b") };
    QTest::newRow("lone cr joins") << QStringLiteral("a\rb\nc")
                                   << QStringList { QStringLiteral("ab"), QStringLiteral("c") };
    QTest::newRow("two lone crs") << QStringLiteral("x\ry\rz\n") << QStringList { QStringLiteral("xyz") };
    QTest::newRow("cr before crlf") << QStringLiteral("a\r\r\nb")
                                    << QStringList { QStringLiteral("a"), QStringLiteral("b") };
    QTest::newRow("trailing lone cr") << QStringLiteral("a\r") << QStringList { QStringLiteral("a") };
    QTest::newRow("crlf inside quotes") << QStringLiteral(
        "\"x\r\ny\",z\r\nw") << QStringList { QStringLiteral("\"x\r\ny\",z"), QStringLiteral("w") };
    QTest::newRow("lone cr inside quotes")
        << QStringLiteral("\"a\rb\"\n") << QStringList { QStringLiteral("\"a\rb\"") };
    QTest::newRow("doubled quotes kept")
        << QStringLiteral("\"say \"\"hi\"\"\",2\n") << QStringList { QStringLiteral("\"say \"\"hi\"\"\",2") };
    QTest::newRow("unclosed quote runs to the end") << QStringLiteral(
        "a\n\"b\nc\n\nd\n") << QStringList { QStringLiteral("a"), QStringLiteral("\"b\nc\n\nd\n") };
    QTest::newRow("stray quote joins lines") << QStringLiteral(
        "ab\"c\nd\"e\nf") << QStringList { QStringLiteral("ab\"c\nd\"e"), QStringLiteral("f") };
    QTest::newRow("non-ascii copied")
        << QStringLiteral("中文,é\n") << QStringList { QStringLiteral("中文,é") };
}

void TestCsvCodec::records()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(CSVCodec::records(text), expected);
}

void TestCsvCodec::parseLine_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty record") << QString() << QStringList { QString() };
    QTest::newRow("letter and comma")
        << QStringLiteral("a,") << QStringList { QStringLiteral("a"), QString() };
    QTest::newRow("two commas") << QStringLiteral(",,") << QStringList { QString(), QString(), QString() };
    QTest::newRow("two quotes") << QStringLiteral("\"\"") << QStringList { QString() };
    QTest::newRow("doubled quotes") << QStringLiteral("\"say \"\"hi\"\"\",2")
                                    << QStringList { QStringLiteral("say \"hi\""), QStringLiteral("2") };
    QTest::newRow("quote flips mid-field")
        << QStringLiteral("ab\"c,d\"e") << QStringList { QStringLiteral("abc,de") };
    QTest::newRow("two quotes outside quotes")
        << QStringLiteral("a\"\"b") << QStringList { QStringLiteral("ab") };
    QTest::newRow("quote at end of quoted field")
        << QStringLiteral("\"a\"\"\"") << QStringList { QStringLiteral("a\"") };
    QTest::newRow("crlf in field") << QStringLiteral("\"x\r\ny\",z")
                                   << QStringList { QStringLiteral("x\r\ny"), QStringLiteral("z") };
    QTest::newRow("unclosed quote takes the rest")
        << QStringLiteral("a,\"b,c") << QStringList { QStringLiteral("a"), QStringLiteral("b,c") };
    QTest::newRow("plain fields") << QStringLiteral(
        "1,two,3.000") << QStringList { QStringLiteral("1"), QStringLiteral("two"), QStringLiteral("3.000") };
    QTest::newRow("quoted then plain") << QStringLiteral(
        "\"a,b\",,c") << QStringList { QStringLiteral("a,b"), QString(), QStringLiteral("c") };
}

void TestCsvCodec::parseLine()
{
    QFETCH(QString, record);
    QFETCH(QStringList, expected);
    QCOMPARE(CSVCodec::parseLine(record), expected);
}

void TestCsvCodec::line_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no fields") << QStringList() << QString();
    QTest::newRow("one empty field") << QStringList { QString() } << QString();
    QTest::newRow("empty fields stay bare")
        << QStringList { QString(), QStringLiteral("a"), QString() } << QStringLiteral(",a,");
    QTest::newRow("comma") << QStringList { QStringLiteral("a,b"), QStringLiteral("c") }
                           << QStringLiteral("\"a,b\",c");
    QTest::newRow("only a carriage return")
        << QStringList { QStringLiteral("\r") } << QStringLiteral("\"\r\"");
    QTest::newRow("line feed") << QStringList { QStringLiteral("a\nb") } << QStringLiteral("\"a\nb\"");
    QTest::newRow("quote doubled, others bare")
        << QStringList { QStringLiteral("x"), QStringLiteral("say \"hi\""), QStringLiteral("y") }
        << QStringLiteral("x,\"say \"\"hi\"\"\",y");
    QTest::newRow("blanks are not quoted")
        << QStringList { QStringLiteral(" a "), QStringLiteral("b c") } << QStringLiteral(" a ,b c");
}

void TestCsvCodec::line()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, expected);
    QCOMPARE(CSVCodec::line(fields), expected);
}

void TestCsvCodec::randomFieldsRoundTrip()
{
    QRandomGenerator random(20240301);
    const QString alphabet = QStringLiteral("ab ,\"\n\r\u00e9\u4e2d");
    for (int round = 0; round < 2000; ++round) {
        QStringList lines;
        QList<QStringList> rows;
        const int rowCount = 1 + random.bounded(5);
        for (int r = 0; r < rowCount; ++r) {
            QStringList fields;
            const int fieldCount = 1 + random.bounded(6);
            for (int f = 0; f < fieldCount; ++f)
                fields.append(randomText(random, alphabet, 8));
            const QString encoded = CSVCodec::line(fields);
            QCOMPARE(CSVCodec::parseLine(encoded), fields);
            // A list of one empty field encodes to the empty line, which records() skips.
            if (!encoded.isEmpty()) {
                lines.append(encoded);
                rows.append(fields);
            }
        }
        const QString text = lines.join(u'\n') + u'\n';
        QCOMPARE(CSVCodec::records(text), lines);
        QString crlfText = lines.join(QStringLiteral("\r\n"));
        crlfText += QStringLiteral("\r\n");
        const QStringList crlfRecords = CSVCodec::records(crlfText);
        QCOMPARE(crlfRecords.size(), rows.size());
        for (qsizetype r = 0; r < rows.size(); ++r)
            QCOMPARE(CSVCodec::parseLine(crlfRecords[r]), rows[r]);
    }
}

void TestCsvCodec::randomTextMatchesTheRules()
{
    QRandomGenerator random(7);
    const QString alphabet = QStringLiteral("a,\"\n\r");
    for (int round = 0; round < 5000; ++round) {
        const QString text = randomText(random, alphabet, 24);
        const QStringList records = CSVCodec::records(text);
        QCOMPARE(records, referenceRecords(text));
        QList<QStringList> rows;
        for (const QString &record : records) {
            rows.append(referenceFields(record));
            QCOMPARE(CSVCodec::parseLine(record), rows.last());
        }
        QCOMPARE(rowsOf(text), rows);
        QCOMPARE(CSVCodec::parseLine(text), referenceFields(text));
    }
}

void TestCsvCodec::rowReaderMatchesRecordsAndParseLine_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("mixed shapes") << QStringLiteral(
        "\"long, quoted \"\"field\"\"\",x\r\nab\rcd,\"e\"\"\"\n\n,\n\"q\"\r\nplain,row,here\n");
    QTest::newRow("lone carriage returns") << QStringLiteral("\r\ra,\"b\"\r\"c\"\n\r\r\nx\ry");
    QTest::newRow("quoted field ends the text") << QStringLiteral("a,\"b\nc");
    QString manyQuoted;
    for (int i = 1; i <= 40; ++i)
        manyQuoted += QStringLiteral("\"%1\",").arg(QString(i * 7, u'q'));
    manyQuoted += QStringLiteral("tail\nshort,\"x\"\n");
    QTest::newRow("many decoded fields in one record") << manyQuoted;
}

void TestCsvCodec::rowReaderMatchesRecordsAndParseLine()
{
    QFETCH(QString, text);
    QCOMPARE(rowsOf(text), parsedRecords(text));
}

void TestCsvCodec::parseInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("parses");
    QTest::addColumn<qint64>("value");

    const qint64 maximum = std::numeric_limits<qint64>::max();
    const qint64 minimum = std::numeric_limits<qint64>::min();
    QTest::newRow("zero") << QStringLiteral("0") << true << qint64(0);
    QTest::newRow("leading zeros") << QStringLiteral("007") << true << qint64(7);
    QTest::newRow("plus") << QStringLiteral("+15") << true << qint64(15);
    QTest::newRow("minus") << QStringLiteral("-15") << true << qint64(-15);
    QTest::newRow("minus zero") << QStringLiteral("-0") << true << qint64(0);
    QTest::newRow("largest") << QStringLiteral("9223372036854775807") << true << maximum;
    QTest::newRow("smallest") << QStringLiteral("-9223372036854775808") << true << minimum;
    QTest::newRow("one past largest") << QStringLiteral("9223372036854775808") << false << qint64(0);
    QTest::newRow("one past smallest") << QStringLiteral("-9223372036854775809") << false << qint64(0);
    QTest::newRow("far too large") << QStringLiteral("123456789012345678901234567890") << false << qint64(0);
    QTest::newRow("empty") << QString() << false << qint64(0);
    QTest::newRow("sign only") << QStringLiteral("+") << false << qint64(0);
    QTest::newRow("minus only") << QStringLiteral("-") << false << qint64(0);
    QTest::newRow("two signs") << QStringLiteral("+-5") << false << qint64(0);
    QTest::newRow("leading blank") << QStringLiteral(" 5") << false << qint64(0);
    QTest::newRow("trailing blank") << QStringLiteral("5 ") << false << qint64(0);
    QTest::newRow("a fraction") << QStringLiteral("1.5") << false << qint64(0);
    QTest::newRow("exponent") << QStringLiteral("1e3") << false << qint64(0);
    QTest::newRow("hex") << QStringLiteral("0x10") << false << qint64(0);
    QTest::newRow("text") << QStringLiteral("abc") << false << qint64(0);
    QTest::newRow("thousands separator") << QStringLiteral("1,000") << false << qint64(0);
    QTest::newRow("arabic-indic digits") << QStringLiteral("\u0661\u0662") << false << qint64(0);
    QTest::newRow("fullwidth digit") << QStringLiteral("\uff15") << false << qint64(0);
}

void TestCsvCodec::parseInteger()
{
    QFETCH(QString, text);
    QFETCH(bool, parses);
    QFETCH(qint64, value);
    const std::optional<qint64> parsed = CsvNumber::parseInteger(text);
    QCOMPARE(parsed.has_value(), parses);
    if (parses)
        QCOMPARE(*parsed, value);
    QCOMPARE(CsvNumber::integerOrZero(text), value);
}

void TestCsvCodec::spreadsheetForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("number");
    QTest::addColumn<bool>("yes");
    QTest::newRow("point zero") << QStringLiteral("7.0") << qint64(7) << false;
    QTest::newRow("decimal comma") << QStringLiteral("7,00") << qint64(7) << false;
    QTest::newRow("digit groups") << QStringLiteral("1,000") << qint64(0) << false;
    QTest::newRow("a real fraction") << QStringLiteral("7.01") << qint64(0) << false;
    QTest::newRow("upper case") << QStringLiteral("TRUE") << qint64(0) << true;
    QTest::newRow("python") << QStringLiteral("True") << qint64(0) << true;
    QTest::newRow("one") << QStringLiteral("1") << qint64(1) << true;
    QTest::newRow("no") << QStringLiteral("FALSE") << qint64(0) << false;
}

void TestCsvCodec::spreadsheetForms()
{
    QFETCH(QString, text);
    QFETCH(qint64, number);
    QFETCH(bool, yes);
    QCOMPARE(CsvNumber::integerOrZero(text), number);
    QCOMPARE(CsvNumber::isTrue(text), yes);
}

void TestCsvCodec::saturatingAdd_data()
{
    QTest::addColumn<qint64>("sum");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<qint64>("expected");

    const qint64 maximum = std::numeric_limits<qint64>::max();
    const qint64 minimum = std::numeric_limits<qint64>::min();
    QTest::newRow("plain") << qint64(20) << qint64(-8) << qint64(12);
    QTest::newRow("reaches the maximum") << maximum - 1 << qint64(1) << maximum;
    QTest::newRow("past the maximum") << maximum << qint64(1) << maximum;
    QTest::newRow("two maxima") << maximum << maximum << maximum;
    QTest::newRow("past the minimum") << minimum << qint64(-1) << minimum;
    QTest::newRow("two minima") << minimum << minimum << minimum;
    QTest::newRow("back down from the maximum") << maximum << qint64(-5) << maximum - 5;
}

void TestCsvCodec::saturatingAdd()
{
    QFETCH(qint64, sum);
    QFETCH(qint64, value);
    QFETCH(qint64, expected);
    QCOMPARE(CsvNumber::saturatingAdd(sum, value), expected);
}

void TestCsvCodec::realHasThreeDecimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one") << 1.0 << QStringLiteral("1.000");
    QTest::newRow("quarter") << 0.25 << QStringLiteral("0.250");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0.000");
    QTest::newRow("negative") << -1.5 << QStringLiteral("-1.500");
    QTest::newRow("rounds") << 2.3456 << QStringLiteral("2.346");
    QTest::newRow("large") << 1e20 << QStringLiteral("100000000000000000000.000");
}

void TestCsvCodec::realHasThreeDecimals()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(CsvNumber::real(value), expected);
}

void TestCsvCodec::realMatchesCFormatting()
{
    std::setlocale(LC_NUMERIC, "C");
    QRandomGenerator random(99);
    const double special[] = { 0.0005, 0.0015, 2.0005, 1.0 / 3.0, -0.0004, 1e-10, 123456.7895,
        1.7976931348623157e308, -1.7976931348623157e308, 5e-324 };
    for (const double value : special)
        QCOMPARE(CsvNumber::real(value), cFormatted(value));
    for (int i = 0; i < 2000; ++i) {
        const double value = (random.generateDouble() - 0.5) * std::pow(10.0, random.bounded(-4, 12));
        QCOMPARE(CsvNumber::real(value), cFormatted(value));
    }
}

void TestCsvCodec::realIgnoresADecimalCommaLocale()
{
    const DecimalCommaLocale decimalComma;
    if (!decimalComma.isActive())
        QSKIP(DecimalCommaLocale::missingReason);
    // The locale is in force: printf now writes a comma.
    QCOMPARE(cFormatted(0.25), QStringLiteral("0,250"));
    QCOMPARE(CsvNumber::real(1.0), QStringLiteral("1.000"));
    QCOMPARE(CsvNumber::real(0.25), QStringLiteral("0.250"));
    QCOMPARE(CsvNumber::real(-1234.5678), QStringLiteral("-1234.568"));
}

QUORVANE_TEST_GUILESS_MAIN(TestCsvCodec)
#include "tst_csv_codec.moc"
