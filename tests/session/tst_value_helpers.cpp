#include "TestProgram.h"
#include "core/BackgroundLibraryPolicy.h"
#include "core/Color.h"
#include "core/CsvDate.h"
#include "core/FocusConsoleDockGeometry.h"
#include "core/MediaTypes.h"
#include "session/WheelItemConstraints.h"

#include <QTest>
#include <cmath>
#include <limits>

namespace {

const QUuid idA = QUuid::fromString(QStringLiteral("0F8FAD5B-D9CB-469F-A165-70867728950E"));
const QUuid idB = QUuid::fromString(QStringLiteral("7C9E6679-7425-40DE-944B-E07FC1F90AE7"));
const QUuid idC = QUuid::fromString(QStringLiteral("16FD2706-8BAF-433B-82EB-8C7FADA847DA"));
const QUuid idUnknown = QUuid::fromString(QStringLiteral("886313E1-3B8A-5372-9B90-0C9AEE199E5D"));

QList<BackgroundMediaItem> libraryOf(const QList<QUuid> &ids)
{
    QList<BackgroundMediaItem> library;
    for (const QUuid &id : ids)
        library.append({ id, QStringLiteral("item"), QStringLiteral("/b/item.jpg") });
    return library;
}

QList<WheelItem> itemsWeighing(const QList<double> &weights)
{
    QList<WheelItem> items;
    for (double weight : weights)
        items.append(
            { QUuid::createUuid(), QStringLiteral("activity"), weight, 1, QStringLiteral("sparkles") });
    return items;
}

} // namespace

class ValueHelpersTest : public QObject
{
    Q_OBJECT

private slots:
    void hexColors_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::addColumn<int>("alpha");

        QTest::newRow("palette RRGGBB") << QStringLiteral("#172532") << 0x17 << 0x25 << 0x32 << 255;
        QTest::newRow("lower case") << QStringLiteral("#ebcb83") << 0xEB << 0xCB << 0x83 << 255;
        QTest::newRow("RRGGBBAA") << QStringLiteral("#EBCB8380") << 0xEB << 0xCB << 0x83 << 0x80;
        QTest::newRow("empty") << QString() << 0 << 0 << 0 << 255;
        QTest::newRow("unreadable short") << QStringLiteral("ZZZ") << 0 << 0 << 0 << 255;
        QTest::newRow("unreadable eight") << QStringLiteral("ZZZZZZZZ") << 0 << 0 << 0 << 0;
        QTest::newRow("three digits not expanded") << QStringLiteral("FFF") << 0 << 0x0F << 0xFF << 255;
        QTest::newRow("prefix, nine characters")
            << QStringLiteral("0x1234567") << 0x23 << 0x45 << 0x67 << 255;
        QTest::newRow("prefix, eight characters") << QStringLiteral("0xABCDEF") << 0 << 0xAB << 0xCD << 0xEF;
        QTest::newRow("upper-case prefix") << QStringLiteral("0XABCDEF") << 0 << 0xAB << 0xCD << 0xEF;
        QTest::newRow("eight digits") << QStringLiteral("1234ABCD") << 0x12 << 0x34 << 0xAB << 0xCD;
        QTest::newRow("inner spaces read FF, count 8") << QStringLiteral("FF AA 00") << 0 << 0 << 0 << 255;
        QTest::newRow("white space and signs at both ends")
            << QStringLiteral(" \n#172532;\t") << 0x17 << 0x25 << 0x32 << 255;
        QTest::newRow("inner sign stops the number") << QStringLiteral("#17#2532") << 0 << 0 << 0x17 << 255;
        QTest::newRow("higher bits ignored") << QStringLiteral("ABC172532") << 0x17 << 0x25 << 0x32 << 255;
        QTest::newRow("too large saturates")
            << QStringLiteral("10000000000000000") << 0xFF << 0xFF << 0xFF << 255;
        QTest::newRow("emoji trimmed from both ends")
            << QStringLiteral("\U0001F600#172532\U0001F600") << 0x17 << 0x25 << 0x32 << 255;
        // Seven user-perceived characters although there are eight code points.
        QTest::newRow("combining mark counts with its base")
            << QStringLiteral("1234567\u0301") << 0x23 << 0x45 << 0x67 << 255;
        QTest::newRow("letter kept at the end counts")
            << QStringLiteral("1234567\u00E9") << 0x01 << 0x23 << 0x45 << 0x67;
    }

    void hexColors()
    {
        QFETCH(QString, text);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QFETCH(int, alpha);
        const QColor color = colorFromHex(text);
        QCOMPARE(color.spec(), QColor::Rgb);
        QCOMPARE(color.red(), red);
        QCOMPARE(color.green(), green);
        QCOMPARE(color.blue(), blue);
        QCOMPARE(color.alpha(), alpha);
    }

    void backgroundStepping_data()
    {
        QTest::addColumn<QList<QUuid>>("ids");
        QTest::addColumn<std::optional<QUuid>>("current");
        QTest::addColumn<std::optional<QUuid>>("next");
        QTest::addColumn<std::optional<QUuid>>("previous");

        const QList<QUuid> abc { idA, idB, idC };
        const std::optional<QUuid> none;
        QTest::newRow("after A") << abc << std::optional(idA) << std::optional(idB) << std::optional(idC);
        QTest::newRow("after B") << abc << std::optional(idB) << std::optional(idC) << std::optional(idA);
        QTest::newRow("wraps after C")
            << abc << std::optional(idC) << std::optional(idA) << std::optional(idB);
        QTest::newRow("unknown id") << abc << std::optional(idUnknown) << std::optional(idA)
                                    << std::optional(idC);
        QTest::newRow("no id") << abc << none << std::optional(idA) << std::optional(idC);
        QTest::newRow("empty library") << QList<QUuid>() << std::optional(idA) << none << none;
        QTest::newRow("empty library, no id") << QList<QUuid>() << none << none << none;
        QTest::newRow("one item") << QList<QUuid> { idB } << std::optional(idB) << std::optional(idB)
                                  << std::optional(idB);
        QTest::newRow("first of duplicate ids") << QList<QUuid> { idA, idB, idA, idC } << std::optional(idA)
                                                << std::optional(idB) << std::optional(idC);
    }

    void backgroundStepping()
    {
        QFETCH(QList<QUuid>, ids);
        QFETCH(std::optional<QUuid>, current);
        QFETCH(std::optional<QUuid>, next);
        QFETCH(std::optional<QUuid>, previous);
        const auto library = libraryOf(ids);
        QCOMPARE(BackgroundLibraryPolicy::nextItemID(library, current), next);
        QCOMPARE(BackgroundLibraryPolicy::previousItemID(library, current), previous);
    }

    void positiveWeights_data()
    {
        QTest::addColumn<QList<double>>("weights");
        QTest::addColumn<bool>("enough");

        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("one positive") << QList<double> { 5, 0, 0 } << false;
        QTest::newRow("two positive") << QList<double> { 5, 0.1 } << true;
        QTest::newRow("negative does not count") << QList<double> { 5, -3 } << false;
        QTest::newRow("NaN does not count") << QList<double> { 5, nan } << false;
        QTest::newRow("none") << QList<double>() << false;
        QTest::newRow("many") << QList<double> { 18, 16, 16, 14, 12, 12, 12 } << true;
    }

    void positiveWeights()
    {
        QFETCH(QList<double>, weights);
        QFETCH(bool, enough);
        QCOMPARE(WheelItemConstraints::hasEnoughPositiveWeights(itemsWeighing(weights)), enough);
    }

    void resolvedDock_data()
    {
        QTest::addColumn<FocusConsoleDock>("from");
        QTest::addColumn<double>("translation");
        QTest::addColumn<double>("travel");
        QTest::addColumn<FocusConsoleDock>("expected");

        const auto leading = FocusConsoleDock::leading;
        const auto trailing = FocusConsoleDock::trailing;
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("leading, below threshold 140") << leading << 139.0 << 500.0 << leading;
        QTest::newRow("leading, at threshold 140") << leading << 140.0 << 500.0 << trailing;
        QTest::newRow("leading, 111 of 400") << leading << 111.0 << 400.0 << leading;
        QTest::newRow("leading, 112 of 400") << leading << 112.0 << 400.0 << trailing;
        QTest::newRow("trailing, -112 of 400") << trailing << -112.0 << 400.0 << leading;
        QTest::newRow("leading, beyond the travel") << leading << 900.0 << 500.0 << trailing;
        QTest::newRow("leading, dragged the wrong way") << leading << -900.0 << 500.0 << leading;
        QTest::newRow("trailing, at threshold") << trailing << -140.0 << 500.0 << leading;
        QTest::newRow("trailing, below threshold") << trailing << -139.0 << 500.0 << trailing;
        QTest::newRow("trailing, dragged the wrong way") << trailing << 500.0 << 500.0 << trailing;
        QTest::newRow("half the travel when short: 50") << leading << 50.0 << 100.0 << trailing;
        QTest::newRow("half the travel when short: 49") << leading << 49.0 << 100.0 << leading;
        QTest::newRow("at least 72: 72") << leading << 72.0 << 250.0 << trailing;
        QTest::newRow("at least 72: 71") << leading << 71.0 << 250.0 << leading;
        QTest::newRow("at most 160: 160") << trailing << -160.0 << 1000.0 << leading;
        QTest::newRow("at most 160: 159") << trailing << -159.0 << 1000.0 << trailing;
        QTest::newRow("no travel, leading") << leading << 900.0 << 0.0 << leading;
        QTest::newRow("no travel, trailing") << trailing << -900.0 << 0.0 << trailing;
        QTest::newRow("negative travel") << leading << 900.0 << -10.0 << leading;
        QTest::newRow("NaN travel") << trailing << -900.0 << nan << trailing;
        QTest::newRow("NaN translation") << leading << nan << 500.0 << leading;
    }

    void resolvedDock()
    {
        QFETCH(FocusConsoleDock, from);
        QFETCH(double, translation);
        QFETCH(double, travel);
        QFETCH(FocusConsoleDock, expected);
        QCOMPARE(FocusConsoleDockGeometry::resolvedDock(from, translation, travel), expected);
    }

    void mediaKinds_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<std::optional<MediaKind>>("kind");
        QTest::addColumn<bool>("video");

        const std::optional<MediaKind> none;
        QTest::newRow("upper-case mov")
            << QStringLiteral("/x/clip.MOV") << std::optional(MediaKind::movie) << true;
        QTest::newRow("mp4") << QStringLiteral("/x/clip.mp4") << std::optional(MediaKind::movie) << true;
        QTest::newRow("m4v") << QStringLiteral("/x/clip.m4v") << std::optional(MediaKind::movie) << true;
        QTest::newRow("jpg") << QStringLiteral("/x/photo.jpg") << std::optional(MediaKind::image) << false;
        QTest::newRow("upper-case JPEG")
            << QStringLiteral("/x/photo.JPEG") << std::optional(MediaKind::image) << false;
        QTest::newRow("png") << QStringLiteral("/x/photo.png") << std::optional(MediaKind::image) << false;
        QTest::newRow("gif is an image")
            << QStringLiteral("/x/loop.gif") << std::optional(MediaKind::image) << false;
        QTest::newRow("mp3") << QStringLiteral("/x/song.mp3") << std::optional(MediaKind::audio) << false;
        QTest::newRow("m4a") << QStringLiteral("/x/song.m4a") << std::optional(MediaKind::audio) << false;
        QTest::newRow("wav") << QStringLiteral("/x/song.wav") << std::optional(MediaKind::audio) << false;
        QTest::newRow("no extension") << QStringLiteral("/x/clip") << none << false;
        QTest::newRow("empty extension") << QStringLiteral("/x/clip.") << none << false;
        QTest::newRow("extension only in a folder name") << QStringLiteral("/x.mov/clip") << none << false;
        QTest::newRow("text file") << QStringLiteral("/x/notes.txt") << none << false;
        QTest::newRow("unknown extension") << QStringLiteral("/x/clip.zzzq") << none << false;
        // A video type claims it only through the glob "*.anim[1-9j]"; the dialogs offer no such extension.
        QTest::newRow("extension only a fancier glob names")
            << QStringLiteral("/x/clip.anim1") << none << false;
        QTest::newRow("bare name") << QStringLiteral("clip.mov") << std::optional(MediaKind::movie) << true;
        QTest::newRow("no path") << QString() << none << false;
    }

    void mediaKinds()
    {
        QFETCH(QString, path);
        QFETCH(std::optional<MediaKind>, kind);
        QFETCH(bool, video);
        QCOMPARE(MediaTypes::kindForFileName(path), kind);
        QCOMPARE(BackgroundMediaType::isVideo(path), video);
        QCOMPARE(MediaTypes::isBackgroundMedia(path), kind == MediaKind::image || kind == MediaKind::movie);
        QCOMPARE(MediaTypes::isMusicMedia(path), kind == MediaKind::audio || kind == MediaKind::movie);
    }

    void nameFiltersAgreeWithTheTable_data()
    {
        QTest::addColumn<MediaKind>("kind");
        QTest::addColumn<QStringList>("required");
        QTest::addColumn<QStringList>("excluded");

        QTest::newRow("image") << MediaKind::image
                               << QStringList { QStringLiteral("*.jpg"), QStringLiteral("*.png"),
                                      QStringLiteral("*.gif") }
                               << QStringList { QStringLiteral("*.mov"), QStringLiteral("*.mp3") };
        QTest::newRow("movie") << MediaKind::movie
                               << QStringList { QStringLiteral("*.mov"), QStringLiteral("*.mp4") }
                               << QStringList { QStringLiteral("*.gif"), QStringLiteral("*.mp3") };
        QTest::newRow("audio") << MediaKind::audio
                               << QStringList { QStringLiteral("*.mp3"), QStringLiteral("*.m4a"),
                                      QStringLiteral("*.wav") }
                               << QStringList { QStringLiteral("*.mp4"), QStringLiteral("*.jpg") };
    }

    void nameFiltersAgreeWithTheTable()
    {
        QFETCH(MediaKind, kind);
        QFETCH(QStringList, required);
        QFETCH(QStringList, excluded);
        const QStringList filters = MediaTypes::nameFilters(kind);
        for (const QString &pattern : required)
            QVERIFY2(filters.contains(pattern), qPrintable(pattern));
        for (const QString &pattern : excluded)
            QVERIFY2(!filters.contains(pattern), qPrintable(pattern));
        QStringList sorted = filters;
        sorted.sort();
        QCOMPARE(filters, sorted);
        for (const QString &pattern : filters) {
            QVERIFY2(pattern.startsWith(QLatin1StringView("*.")), qPrintable(pattern));
            QCOMPARE(MediaTypes::kindForFileName(QStringLiteral("/x/file") + pattern.sliced(1)), kind);
        }
    }

    void csvFormats_data()
    {
        QTest::addColumn<QDateTime>("instant");
        QTest::addColumn<QString>("timestamp");
        QTest::addColumn<QString>("day");

        QTest::newRow("midnight") << QDateTime(QDate(2024, 3, 5), QTime(0, 0, 0), Qt::LocalTime)
                                  << QStringLiteral("2024-03-05 00:00:00") << QStringLiteral("2024-03-05");
        QTest::newRow("afternoon, 24-hour clock")
            << QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::LocalTime)
            << QStringLiteral("2024-03-05 14:07:09") << QStringLiteral("2024-03-05");
        QTest::newRow("last second of the year")
            << QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59, 999), Qt::LocalTime)
            << QStringLiteral("1999-12-31 23:59:59") << QStringLiteral("1999-12-31");
        QTest::newRow("noon") << QDateTime(QDate(2024, 2, 29), QTime(12, 0, 0), Qt::LocalTime)
                              << QStringLiteral("2024-02-29 12:00:00") << QStringLiteral("2024-02-29");
    }

    void csvFormats()
    {
        QFETCH(QDateTime, instant);
        QFETCH(QString, timestamp);
        QFETCH(QString, day);
        // A 12-hour locale with its own digits must not leak into the log formats.
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
        const QString formattedTimestamp = CsvDate::timestamp(instant);
        const QString formattedDay = CsvDate::day(instant);
        QLocale::setDefault(previous);
        QCOMPARE(formattedTimestamp, timestamp);
        QCOMPARE(formattedDay, day);
        QCOMPARE(CsvDate::day(instant.date()), day);
        const auto parsed = CsvDate::parseTimestamp(timestamp);
        QVERIFY(parsed);
        QCOMPARE(*parsed, instant.addMSecs(-instant.time().msec()));
        QCOMPARE(CsvDate::parseDay(day), std::optional(instant.date()));
    }

    void csvParsingIsStrict_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("timestampValid");
        QTest::addColumn<bool>("dayValid");

        QTest::newRow("timestamp") << QStringLiteral("2024-03-05 14:07:09") << true << false;
        QTest::newRow("day") << QStringLiteral("2024-03-05") << false << true;
        QTest::newRow("no such date") << QStringLiteral("2024-02-30 10:00:00") << false << false;
        QTest::newRow("no such day") << QStringLiteral("2023-02-29") << false << false;
        QTest::newRow("hour 24") << QStringLiteral("2024-03-05 24:00:00") << false << false;
        QTest::newRow("ISO separator, as spreadsheets save it")
            << QStringLiteral("2024-03-05T14:07:09") << true << false;
        QTest::newRow("no seconds, as spreadsheets save it")
            << QStringLiteral("2024-03-05 14:07") << true << false;
        QTest::newRow("short fields") << QStringLiteral("2024-3-5") << false << false;
        QTest::newRow("leading space") << QStringLiteral(" 2024-03-05") << false << false;
        QTest::newRow("12-hour form") << QStringLiteral("2024-03-05 2:07:09 PM") << false << false;
        QTest::newRow("non-ASCII digits") << QStringLiteral("２０２４-03-05") << false << false;
        QTest::newRow("empty") << QString() << false << false;
    }

    void csvParsingIsStrict()
    {
        QFETCH(QString, text);
        QFETCH(bool, timestampValid);
        QFETCH(bool, dayValid);
        QCOMPARE(CsvDate::parseTimestamp(text).has_value(), timestampValid);
        QCOMPARE(CsvDate::parseDay(text).has_value(), dayValid);
    }
};

QUORVANE_TEST_GUILESS_MAIN(ValueHelpersTest)
#include "tst_value_helpers.moc"
