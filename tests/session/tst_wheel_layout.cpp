#include "TestProgram.h"
#include "session/WheelEntryVariant.h"
#include "session/WheelLayout.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>
#include <numbers>

namespace {

const QSizeF frame(300, 300);
// Label ring of a 300-point wheel: 0.64 × (150 − 14).
constexpr double labelRadius = 0.64 * 136;

WeightedWheelItem entry(double effectiveWeight, double weight = 1, bool discounted = false)
{
    WeightedWheelItem item;
    item.item = { QUuid::createUuid(), QStringLiteral("Walk"), weight, 3, QStringLiteral("figure.walk") };
    item.effectiveWeight = effectiveWeight;
    if (discounted)
        item.discountLabel = QStringLiteral("近期项目 · 概率已降低");
    return item;
}

QList<WeightedWheelItem> entries(const QList<double> &weights)
{
    QList<WeightedWheelItem> list;
    for (double weight : weights)
        list.append(entry(weight));
    return list;
}

QPointF onLabelRing(double degrees)
{
    const double radians = degrees * std::numbers::pi / 180;
    return QPointF(150, 150) + QPointF(std::cos(radians), std::sin(radians)) * labelRadius;
}

bool near(const QPointF &a, const QPointF &b)
{
    return std::abs(a.x() - b.x()) < 1e-9 && std::abs(a.y() - b.y()) < 1e-9;
}

// A point on a ray from the centre of the frame, in screen degrees.
QPointF onRay(double degrees, double distance)
{
    const double radians = degrees * std::numbers::pi / 180;
    return QPointF(150, 150) + QPointF(std::cos(radians), std::sin(radians)) * distance;
}

// The whole title, two lines, one, the symbol with the share, the symbol alone, nothing.
const QList<QSizeF> longTitle { QSizeF(108, 125), QSizeF(108, 104), QSizeF(108, 69), QSizeF(70, 44),
    QSizeF(22, 26), QSizeF() };

} // namespace

class WheelLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void sliceRanges_data()
    {
        QTest::addColumn<QList<double>>("weights");
        QTest::addColumn<QList<double>>("starts");
        QTest::addColumn<QList<double>>("ends");
        QTest::addColumn<QList<double>>("midpoints");
        QTest::addColumn<QList<double>>("shares");
        QTest::newRow("one entry is the whole circle")
            << QList<double> { 2.5 } << QList<double> { -90 } << QList<double> { 270 } << QList<double> { 90 }
            << QList<double> { 100 };
        QTest::newRow("3 : 1") << QList<double> { 3, 1 } << QList<double> { -90, 180 }
                               << QList<double> { 180, 270 } << QList<double> { 45, 225 }
                               << QList<double> { 75, 25 };
        QTest::newRow("four equal") << QList<double> { 0.2, 0.2, 0.2, 0.2 }
                                    << QList<double> { -90, 0, 90, 180 } << QList<double> { 0, 90, 180, 270 }
                                    << QList<double> { -45, 45, 135, 225 }
                                    << QList<double> { 25, 25, 25, 25 };
        QTest::newRow("no entries") << QList<double> {} << QList<double> {} << QList<double> {}
                                    << QList<double> {} << QList<double> {};
    }

    void sliceRanges()
    {
        QFETCH(QList<double>, weights);
        QFETCH(QList<double>, starts);
        QFETCH(QList<double>, ends);
        QFETCH(QList<double>, midpoints);
        QFETCH(QList<double>, shares);

        const WheelLayout layout = WheelLayout::compute(entries(weights), 10, frame, QUuid(), false);
        QCOMPARE(layout.entries.size(), weights.size());
        for (qsizetype i = 0; i < weights.size(); ++i) {
            const WheelLayout::Entry &e = layout.entries[i];
            QCOMPARE(e.slice.startAngle, starts[i]);
            QCOMPARE(e.slice.endAngle, ends[i]);
            QCOMPARE(e.midpoint, midpoints[i]);
            QCOMPARE(e.currentShare, shares[i]);
            QVERIFY2(near(e.labelCentre, onLabelRing(midpoints[i])), qPrintable(QString::number(i)));
        }
    }

    void oneEntryLabelSitsStraightBelowTheCentre()
    {
        const WheelLayout layout = WheelLayout::compute(entries({ 1 }), 1, frame, QUuid(), false);
        QVERIFY(near(layout.entries[0].labelCentre, QPointF(150, 150 + labelRadius)));
        QCOMPARE(WheelLayout::currentShareText(layout.entries[0].currentShare, AppLanguage::english),
            QStringLiteral("Current 100%"));
    }

    void labelsSitOnTheRingOfAnOblongFrame()
    {
        // The ring follows the shorter side and stays centred in the frame.
        const WheelLayout layout
            = WheelLayout::compute(entries({ 3, 1 }), 4, QSizeF(400, 300), QUuid(), false);
        const double radians = 45 * std::numbers::pi / 180;
        QVERIFY(near(layout.entries[0].labelCentre,
            QPointF(200, 150) + QPointF(std::cos(radians), std::sin(radians)) * labelRadius));
    }

    void anyPositiveWeightsFillTheCircle_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 12; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }

    void anyPositiveWeightsFillTheCircle()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        QList<double> weights;
        const int count = random.bounded(1, 12);
        for (int i = 0; i < count; ++i)
            weights.append(std::ldexp(random.generateDouble() + 0.01, random.bounded(-20, 20)));

        const WheelLayout layout = WheelLayout::compute(entries(weights), 1, frame, QUuid(), false);
        double shares = 0;
        double previousEnd = -90;
        for (const WheelLayout::Entry &e : layout.entries) {
            QCOMPARE(e.slice.startAngle, previousEnd);
            QVERIFY(e.slice.endAngle > e.slice.startAngle);
            QCOMPARE(e.midpoint, (e.slice.startAngle + e.slice.endAngle) / 2);
            previousEnd = e.slice.endAngle;
            shares += e.currentShare;
        }
        QVERIFY(std::abs(previousEnd - 270) < 1e-9);
        QVERIFY(std::abs(shares - 100) < 1e-9);
    }

    void baseShares_data()
    {
        QTest::addColumn<double>("weight");
        QTest::addColumn<double>("baseTotal");
        QTest::addColumn<double>("share");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("a quarter") << 2.0 << 8.0 << 25.0 << "Base 25%"
                                   << "基础 25%";
        QTest::newRow("a third rounds down") << 1.0 << 3.0 << 100.0 / 3 << "Base 33%"
                                             << "基础 33%";
        QTest::newRow("two thirds round up") << 2.0 << 3.0 << 200.0 / 3 << "Base 67%"
                                             << "基础 67%";
        QTest::newRow("no base total") << 2.0 << 0.0 << 0.0 << "Base 0%"
                                       << "基础 0%";
        QTest::newRow("negative weight") << -4.0 << 3.0 << 0.0 << "Base 0%"
                                         << "基础 0%";
        QTest::newRow("weight not a number") << std::nan("") << 3.0 << 0.0 << "Base 0%"
                                             << "基础 0%";
    }

    void baseShares()
    {
        QFETCH(double, weight);
        QFETCH(double, baseTotal);
        QFETCH(double, share);
        QFETCH(QString, english);
        QFETCH(QString, chinese);

        const WheelLayout layout
            = WheelLayout::compute({ entry(1, weight) }, baseTotal, frame, QUuid(), false);
        QCOMPARE(layout.entries[0].baseShare, share);
        QCOMPARE(WheelLayout::baseShareText(layout.entries[0].baseShare, AppLanguage::english), english);
        QCOMPARE(WheelLayout::baseShareText(layout.entries[0].baseShare, AppLanguage::chinese), chinese);
    }

    void currentShareTexts()
    {
        const WheelLayout layout = WheelLayout::compute(entries({ 3, 1 }), 4, frame, QUuid(), false);
        QCOMPARE(WheelLayout::currentShareText(layout.entries[0].currentShare, AppLanguage::english),
            QStringLiteral("Current 75%"));
        QCOMPARE(WheelLayout::currentShareText(layout.entries[1].currentShare, AppLanguage::chinese),
            QStringLiteral("本轮 25%"));
    }

    void baseWeightTotalIgnoresWeightsBelowZero()
    {
        const QList<WheelItem> items {
            { QUuid::createUuid(), QStringLiteral("a"), 2, 1, QString() },
            { QUuid::createUuid(), QStringLiteral("b"), -5, 1, QString() },
            { QUuid::createUuid(), QStringLiteral("c"), std::nan(""), 1, QString() },
            { QUuid::createUuid(), QStringLiteral("d"), 0.5, 1, QString() },
        };
        QCOMPARE(WheelLayout::baseWeightTotal(items), 2.5);
        QCOMPARE(WheelLayout::baseWeightTotal({}), 0.0);
    }

    void fillOpacities_data()
    {
        QTest::addColumn<qsizetype>("index");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("showResult");
        QTest::addColumn<double>("opacity");
        QTest::newRow("index 0") << qsizetype(0) << false << false << 0.88;
        QTest::newRow("index 1") << qsizetype(1) << false << false << 0.81;
        QTest::newRow("index 2") << qsizetype(2) << false << false << 0.74;
        QTest::newRow("index 3 as index 0") << qsizetype(3) << false << false << 0.88;
        QTest::newRow("index 4 as index 1") << qsizetype(4) << false << false << 0.81;
        QTest::newRow("selected while turning") << qsizetype(1) << true << false << 0.81;
        QTest::newRow("selected with the result") << qsizetype(1) << true << true << 0.98;
        QTest::newRow("another entry with the result") << qsizetype(2) << false << true << 0.74;
    }

    void fillOpacities()
    {
        QFETCH(qsizetype, index);
        QFETCH(bool, selected);
        QFETCH(bool, showResult);
        QFETCH(double, opacity);
        QVERIFY(std::abs(WheelLayout::fillOpacity(index, selected, showResult) - opacity) < 1e-12);
    }

    void selectionMarksOnlyTheDrawnEntry()
    {
        const QList<WeightedWheelItem> list = entries({ 1, 1, 1, 1, 1 });
        const WheelLayout layout = WheelLayout::compute(list, 5, frame, list[3].id(), true);
        for (qsizetype i = 0; i < list.size(); ++i) {
            QCOMPARE(layout.entries[i].selected, i == 3);
            QCOMPARE(layout.entries[i].fillOpacity, WheelLayout::fillOpacity(i, i == 3, true));
        }
        const WheelLayout none = WheelLayout::compute(list, 5, frame, QUuid(), true);
        for (const WheelLayout::Entry &e : none.entries)
            QVERIFY(!e.selected);
    }

    void slicePathRunsClockwiseOnScreen_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<QList<double>>("inside");
        QTest::addColumn<QList<double>>("outside");
        QTest::newRow("top right quarter")
            << -90.0 << 0.0 << QList<double> { -80, -45, -10 } << QList<double> { 10, 45, 135, -135 };
        QTest::newRow("3 of 4 from the top")
            << -90.0 << 180.0 << QList<double> { -45, 45, 135 } << QList<double> { -135 };
        QTest::newRow("last quarter")
            << 180.0 << 270.0 << QList<double> { -135 } << QList<double> { -45, 45, 135 };
        QTest::newRow("whole circle")
            << -90.0 << 270.0 << QList<double> { -135, -45, 45, 135 } << QList<double> {};
    }

    void slicePathRunsClockwiseOnScreen()
    {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(QList<double>, inside);
        QFETCH(QList<double>, outside);

        const QPainterPath path = WheelSlice { start, end }.path(QRectF(QPointF(0, 0), frame));
        // Radius 150 − 16.
        for (double degrees : inside) {
            QVERIFY2(path.contains(onRay(degrees, 130)), qPrintable(QString::number(degrees)));
            QVERIFY2(!path.contains(onRay(degrees, 137)), qPrintable(QString::number(degrees)));
        }
        for (double degrees : outside)
            QVERIFY2(!path.contains(onRay(degrees, 100)), qPrintable(QString::number(degrees)));
    }

    void labelsGiveWay_data()
    {
        QTest::addColumn<double>("side");
        QTest::addColumn<QList<double>>("weights");
        QTest::addColumn<QList<qsizetype>>("expected");
        QTest::newRow("1366 × 768") << 528.0 << QList<double> { 18, 16, 16, 14, 12, 12, 12 }
                                    << QList<qsizetype> { 1, 2, 2, 2, 3, 3, 3 };
        QTest::newRow("4K, 90 %") << 540.0 << QList<double> { 90, 10 } << QList<qsizetype> { 0, 0 };
        QTest::newRow("2 % slices") << 540.0 << QList<double> { 90, 2, 2, 2, 2, 2 }
                                    << QList<qsizetype> { 0, 5, 5, 5, 5, 5 };
        QTest::newRow("below the pointer")
            << 160.0 << QList<double> { 1, 1, 1 } << QList<qsizetype> { 5, 5, 5 };
    }

    void labelsGiveWay()
    {
        QFETCH(double, side);
        QFETCH(QList<double>, weights);
        const WheelLayout layout
            = WheelLayout::compute(entries(weights), 1, QSizeF(side, side), QUuid(), false);
        // The pointer's tip ends 26.5 below the wheel's top.
        QTEST(layout.fittingLabelForms(QList<QList<QSizeF>>(weights.size(), longTitle), 26.5), "expected");
    }

    void entriesSurviveTheirVariantForm()
    {
        QList<WeightedWheelItem> list { entry(2.5, 4), entry(0.675, 1, true) };
        list[1].item.healthScore = -7;
        const QVariantList maps = WheelEntryVariant::fromEntries(list);
        QCOMPARE(WheelEntryVariant::toEntries(maps), list);

        QVariantList broken = maps;
        broken.append(QVariantMap { { QStringLiteral("id"), QStringLiteral("not an id") },
            { QStringLiteral("effectiveWeight"), 1.0 } });
        broken.append(
            QVariantMap { { QStringLiteral("id"), QUuid::createUuid().toString(QUuid::WithoutBraces) } });
        QCOMPARE(WheelEntryVariant::toEntries(broken), list);
    }
};

QUORVANE_TEST_GUILESS_MAIN(WheelLayoutTest)
#include "tst_wheel_layout.moc"
