#include "TestProgram.h"
#include "TestSupport.h"
#include "session/WheelProbabilityEngine.h"

#include <QTest>
#include <limits>

using namespace WheelProbabilityEngine;

namespace {

QUuid idNumber(int number)
{
    return QUuid(static_cast<uint>(number), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
}

WheelItem item(int number, double weight)
{
    return WheelItem { idNumber(number), QStringLiteral("item %1").arg(number), weight, number,
        QStringLiteral("figure.walk") };
}

QList<QUuid> ids(const QList<int> &numbers)
{
    QList<QUuid> made;
    for (int number : numbers)
        made.append(idNumber(number));
    return made;
}

WeightedWheelItem weighted(int number, double effectiveWeight)
{
    return WeightedWheelItem { item(number, effectiveWeight), effectiveWeight, std::nullopt };
}

} // namespace

class WheelProbabilityEngineTest : public QObject
{
    Q_OBJECT

private slots:
    void weightsAndLabels_data();
    void weightsAndLabels();
    void labelsAreTheFixedTexts();
    void emptyItemsGiveAnEmptyList();
    void eligibleItemsKeepPositiveEntriesInOrder();
    void choose_data();
    void choose();
    void historyByRecordingSelection_data();
    void historyByRecordingSelection();
};

void WheelProbabilityEngineTest::weightsAndLabels_data()
{
    QTest::addColumn<QList<double>>("weights");
    QTest::addColumn<QList<int>>("history");
    QTest::addColumn<double>("strength");
    QTest::addColumn<qint64>("window");
    QTest::addColumn<QList<double>>("expectedWeights");
    // 0 no label, 1 the exclusion label, 2 the discount label.
    QTest::addColumn<QList<int>>("expectedLabels");

    QTest::newRow("empty history keeps every weight")
        << QList<double> { 1, 2.5, 0 } << QList<int> {} << 0.65 << 3LL << QList<double> { 1, 2.5, 0 }
        << QList<int> { 0, 0, 0 };
    QTest::newRow("negative and not-a-number weights become 0")
        << QList<double> { -2, notANumber, 3 } << QList<int> {} << 0.65 << 3LL << QList<double> { 0, 0, 3 }
        << QList<int> { 0, 0, 0 };
    QTest::newRow("latest draw of two is excluded") << QList<double> { 2, 5 } << QList<int> { 0 } << 0.65
                                                    << 3LL << QList<double> { 0, 5 } << QList<int> { 1, 0 };
    QTest::newRow("defaults discount the two draws before the latest")
        << QList<double> { 1, 1, 1, 1, 1 } << QList<int> { 4, 3, 2, 1 } << 0.65 << 3LL
        << QList<double> { 1, 1, 1 - 0.65 / 3, 1 - 0.65 / 2, 0 } << QList<int> { 0, 0, 2, 2, 1 };
    QTest::newRow("discount scales the base weight")
        << QList<double> { 4, 10 } << QList<int> { 0, 1 } << 0.65 << 3LL << QList<double> { 0, 6.75 }
        << QList<int> { 1, 2 };
    QTest::newRow("strength above the limit counts as 0.95")
        << QList<double> { 1, 1, 1 } << QList<int> { 0, 1, 2 } << 7.0 << 10LL
        << QList<double> { 0, 0.525, 1 - 0.95 / 3 } << QList<int> { 1, 2, 2 };
    QTest::newRow("strong discount deep in a long window")
        << QList<double> { 1, 1 } << QList<int> { 5, 4, 3, 2, 3, 4, 5, 6, 7, 0, 1 } << 0.95 << 10LL
        << QList<double> { 0.905, 1 } << QList<int> { 2, 0 };
    QTest::newRow("negative strength discounts nothing but still labels")
        << QList<double> { 1, 2 } << QList<int> { 0, 1 } << -1.0 << 3LL << QList<double> { 0, 2 }
        << QList<int> { 1, 2 };
    QTest::newRow("not-a-number strength counts as 0")
        << QList<double> { 1, 2 } << QList<int> { 0, 1 } << notANumber << 3LL << QList<double> { 0, 2 }
        << QList<int> { 1, 2 };
    QTest::newRow("window of 0 still excludes the latest")
        << QList<double> { 1, 2 } << QList<int> { 0, 1 } << 0.65 << 0LL << QList<double> { 0, 2 }
        << QList<int> { 1, 0 };
    QTest::newRow("negative window still excludes the latest")
        << QList<double> { 1, 2 } << QList<int> { 1, 0 } << 0.65 << -4LL << QList<double> { 1, 0 }
        << QList<int> { 0, 1 };
    QTest::newRow("draws at or past the window keep their weight")
        << QList<double> { 1, 1, 1 } << QList<int> { 9, 8, 7, 2, 1 } << 0.65 << 3LL
        << QList<double> { 1, 1, 1 } << QList<int> { 0, 0, 0 };
    QTest::newRow("only the first position in the history counts")
        << QList<double> { 1, 1 } << QList<int> { 1, 0, 1 } << 0.65 << 3LL
        << QList<double> { 1 - 0.65 / 2, 0 } << QList<int> { 2, 1 };
}

void WheelProbabilityEngineTest::weightsAndLabels()
{
    QFETCH(QList<double>, weights);
    QFETCH(QList<int>, history);
    QFETCH(double, strength);
    QFETCH(qint64, window);
    QFETCH(QList<double>, expectedWeights);
    QFETCH(QList<int>, expectedLabels);

    QList<WheelItem> items;
    for (int number = 0; number < weights.size(); ++number)
        items.append(item(number, weights[number]));
    const QList<WeightedWheelItem> result = weightedItems(items, ids(history), strength, window);

    QCOMPARE(result.size(), items.size());
    for (int number = 0; number < items.size(); ++number) {
        // Compared by identity and title: an item whose weight is not a number never equals itself.
        QCOMPARE(result[number].id(), items[number].id);
        QCOMPARE(result[number].item.title, items[number].title);
        QCOMPARE(result[number].effectiveWeight, expectedWeights[number]);
        const std::optional<QString> label = expectedLabels[number] == 0 ? std::nullopt
            : expectedLabels[number] == 1 ? std::optional(excludedLatestLabel())
                                          : std::optional(recentlyDrawnLabel());
        QCOMPARE(result[number].discountLabel, label);
    }
}

void WheelProbabilityEngineTest::labelsAreTheFixedTexts()
{
    QCOMPARE(excludedLatestLabel(), QString::fromUtf8("本轮不可连续抽中"));
    QCOMPARE(recentlyDrawnLabel(), QString::fromUtf8("近期项目 \u00b7 概率已降低"));
}

void WheelProbabilityEngineTest::emptyItemsGiveAnEmptyList()
{
    QVERIFY(weightedItems({}, ids({ 1, 2 }), 0.65, 3).isEmpty());
}

void WheelProbabilityEngineTest::eligibleItemsKeepPositiveEntriesInOrder()
{
    const QList<WeightedWheelItem> entries { weighted(1, 2), weighted(2, 0), weighted(3, -1),
        weighted(4, 0.5), weighted(5, notANumber) };
    QCOMPARE(eligibleItems(entries), (QList<WeightedWheelItem> { weighted(1, 2), weighted(4, 0.5) }));
    QVERIFY(eligibleItems({}).isEmpty());
}

void WheelProbabilityEngineTest::choose_data()
{
    QTest::addColumn<QList<double>>("weights");
    QTest::addColumn<double>("roll");
    // Position of the chosen entry, or -1 for none.
    QTest::addColumn<int>("expected");

    QTest::newRow("no entries") << QList<double> {} << 0.5 << -1;
    QTest::newRow("no positive weight") << QList<double> { 0, 0 } << 0.5 << -1;
    QTest::newRow("roll 0 takes the first positive") << QList<double> { 0, 2, 3 } << 0.0 << 1;
    QTest::newRow("roll 1 takes the last positive") << QList<double> { 1, 3, 0 } << 1.0 << 1;
    QTest::newRow("roll above 1 takes the last positive") << QList<double> { 1, 3 } << 42.0 << 1;
    QTest::newRow("negative roll counts as 0") << QList<double> { 1, 3 } << -0.5 << 0;
    QTest::newRow("not-a-number roll counts as 0") << QList<double> { 0, 1, 3 } << notANumber << 1;
    QTest::newRow("zero weight is skipped") << QList<double> { 1, 0, 3 } << 0.3 << 2;
    QTest::newRow("interval end belongs to the next entry") << QList<double> { 1, 1, 2 } << 0.25 << 1;
    QTest::newRow("just below an interval end") << QList<double> { 1, 1, 2 } << 0.2499 << 0;
    QTest::newRow("negative entry does not shrink the range") << QList<double> { 1, -5, 1 } << 0.75 << 2;
    QTest::newRow("not-a-number entry is skipped") << QList<double> { 1, notANumber, 1 } << 0.75 << 2;
    QTest::newRow("a single entry") << QList<double> { 0.001 } << 0.999 << 0;
}

void WheelProbabilityEngineTest::choose()
{
    QFETCH(QList<double>, weights);
    QFETCH(double, roll);
    QFETCH(int, expected);

    QList<WeightedWheelItem> entries;
    for (int number = 0; number < weights.size(); ++number)
        entries.append(weighted(number, weights[number]));
    const std::optional<WeightedWheelItem> chosen = WheelProbabilityEngine::choose(entries, roll);

    if (expected < 0) {
        QVERIFY(!chosen);
    } else {
        QVERIFY(chosen);
        QCOMPARE(*chosen, entries[expected]);
    }
}

void WheelProbabilityEngineTest::historyByRecordingSelection_data()
{
    QTest::addColumn<int>("selection");
    QTest::addColumn<QList<int>>("history");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<QList<int>>("expected");

    QList<int> twenty;
    for (int number = 100; number < 120; ++number)
        twenty.append(number);
    QList<int> movedFifth = twenty;
    movedFifth.move(5, 0);

    QTest::newRow("empty history") << 1 << QList<int> {} << 20LL << QList<int> { 1 };
    QTest::newRow("new id goes first") << 1 << QList<int> { 2, 3 } << 20LL << QList<int> { 1, 2, 3 };
    QTest::newRow("id at position 5 of 20 moves first") << 105 << twenty << 20LL << movedFifth;
    QTest::newRow("new id drops the oldest") << 1 << twenty << 20LL << (QList<int> { 1 } + twenty.first(19));
    QTest::newRow("every occurrence is removed")
        << 1 << QList<int> { 2, 1, 3, 1 } << 20LL << QList<int> { 1, 2, 3 };
    QTest::newRow("limit 0 keeps the id alone") << 1 << QList<int> { 2, 3 } << 0LL << QList<int> { 1 };
    QTest::newRow("negative limit keeps the id alone")
        << 1 << QList<int> { 2, 3 } << -7LL << QList<int> { 1 };
    QTest::newRow("small limit") << 4 << QList<int> { 1, 4, 2, 3 } << 3LL << QList<int> { 4, 1, 2 };
}

void WheelProbabilityEngineTest::historyByRecordingSelection()
{
    QFETCH(int, selection);
    QFETCH(QList<int>, history);
    QFETCH(qint64, limit);
    QFETCH(QList<int>, expected);

    QCOMPARE(WheelProbabilityEngine::historyByRecordingSelection(idNumber(selection), ids(history), limit),
        ids(expected));
}

QUORVANE_TEST_GUILESS_MAIN(WheelProbabilityEngineTest)
#include "tst_wheel_probability_engine.moc"
