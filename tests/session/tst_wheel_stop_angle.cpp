#include "ControllerHarness.h"
#include "TestProgram.h"
#include "core/Uuid.h"
#include "session/WheelEntryVariant.h"
#include "session/WheelLayout.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

namespace {

const QSizeF wheelFrame(540, 540);

// How far an angle is from pointing straight up, in degrees, whatever the number of whole turns.
double offsetFromTop(double degrees)
{
    return std::abs(std::remainder(degrees + 90, 360));
}

WheelItem item(
    const QString &title, double weight, qint64 score, const QString &symbol = QStringLiteral("leaf.fill"))
{
    return { QUuid::createUuid(), title, weight, score, symbol };
}

} // namespace

// The controller turns the wheel so that the drawn entry's slice, as the wheel graphic lays it out from
// the controller's published entries, comes to rest under the pointer at the top.
class WheelStopAngleTest : public QObject
{
    Q_OBJECT

private slots:
    void drawnSliceStopsUnderThePointer_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 8; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }

    void drawnSliceStopsUnderThePointer()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        AppPreferences preferences;
        preferences.items.clear();
        const int count = random.bounded(2, 8);
        for (int i = 0; i < count; ++i)
            preferences.items.append(item(QString::number(i), 0.1 + random.generateDouble() * 10, i));
        // A weightless item never reaches the wheel.
        preferences.items.append(item(QStringLiteral("never"), 0, 1));
        preferences.recentDiscountStrength = random.generateDouble() * 0.95;
        preferences.recentWindow = random.bounded(0, 6);

        ControllerHarness harness;
        harness.startInBreak(preferences);
        if (QTest::currentTestFailed())
            return;
        AppController &controller = *harness.controller;

        for (int round = 0; round < 6; ++round) {
            const QVariantList shown = controller.breakWheel()->wheelEntries();
            const QList<WeightedWheelItem> entries = WheelEntryVariant::toEntries(shown);
            const double roll = random.generateDouble();
            harness.wheel->rolls = { roll };
            controller.breakWheel()->spinWheel(0);
            QVERIFY(controller.breakWheel()->isSpinning());
            // The wheel keeps the weights it was drawn with while it turns.
            QCOMPARE(controller.breakWheel()->wheelEntries(), shown);

            const WheelLayout layout
                = WheelLayout::compute(entries, controller.breakWheel()->wheelBaseWeightTotal(), wheelFrame,
                    *Uuid::parse(controller.breakWheel()->selectedItemID()), false);
            qsizetype drawn = -1;
            for (qsizetype i = 0; i < layout.entries.size(); ++i) {
                if (layout.entries[i].selected)
                    drawn = i;
            }
            QVERIFY2(drawn >= 0, "the drawn entry is on the wheel");
            QCOMPARE(entries[drawn].id(), controller.breakWheel()->selectedItem()->id());
            const WheelLayout::Entry &slice = layout.entries[drawn];

            // The roll falls inside the drawn slice, counted clockwise from the top.
            const double rollAngle = -90 + roll * 360;
            QVERIFY(slice.slice.startAngle - 1e-9 <= rollAngle && rollAngle < slice.slice.endAngle + 1e-9);

            // Turned by the new rotation, the slice's midpoint and its label point straight up.
            QVERIFY2(offsetFromTop(slice.midpoint + controller.breakWheel()->wheelRotation()) < 1e-6,
                qPrintable(QStringLiteral("midpoint %1, rotation %2")
                               .arg(slice.midpoint)
                               .arg(controller.breakWheel()->wheelRotation())));
            QTransform turn;
            turn.translate(270, 270).rotate(controller.breakWheel()->wheelRotation()).translate(-270, -270);
            const QPointF label = turn.map(slice.labelCentre);
            QVERIFY(std::abs(label.x() - 270) < 1e-6);
            QVERIFY(label.y() < 270);

            QTRY_COMPARE(controller.round()->phase(), SessionPhase::Activity);
            controller.breakWheel()->confirmActivityCompleted();
            QCOMPARE(controller.round()->phase(), SessionPhase::Focus);
            controller.round()->finishFocusNow();
            controller.breakWheel()->enterLockedBreak();
            QCOMPARE(controller.round()->phase(), SessionPhase::Wheel);
        }
    }

    void breakScreenValues_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::newRow("chinese") << AppLanguage::chinese;
        QTest::newRow("english") << AppLanguage::english;
    }

    void breakScreenValues()
    {
        QFETCH(AppLanguage, language);
        AppPreferences preferences;
        preferences.language = language;
        const WheelItem walk = item(QStringLiteral("散步"), 3, 7, QStringLiteral("figure.walk"));
        const WheelItem tea = item(QStringLiteral("Tea"), 1, 12, QStringLiteral("cup.and.saucer.fill"));
        const WheelItem off = item(QStringLiteral("Off"), -2, 4);
        preferences.items = { walk, tea, off };
        ControllerHarness harness;
        harness.startInBreak(preferences);
        if (QTest::currentTestFailed())
            return;
        AppController &controller = *harness.controller;

        // The entry with a weight below 0 is left off the wheel and out of the base total.
        QCOMPARE(controller.breakWheel()->wheelBaseWeightTotal(), 4.0);
        QList<WeightedWheelItem> entries
            = WheelEntryVariant::toEntries(controller.breakWheel()->wheelEntries());
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].item, walk);
        QCOMPARE(entries[1].item, tea);
        QVERIFY(!controller.breakWheel()->hasSelectedItem());
        QCOMPARE(controller.breakWheel()->selectedItemID(), QString());
        QCOMPARE(controller.breakWheel()->selectedItemTitle(), QString());
        QCOMPARE(controller.breakWheel()->selectedItemScoreText(), QString());

        QSignalSpy selection(controller.breakWheel(), &BreakWheel::selectedItemChanged);
        harness.wheel->rolls = { 0.1 };
        controller.breakWheel()->spinWheel(3.1);
        QCOMPARE(selection.size(), 1);
        QVERIFY(controller.breakWheel()->hasSelectedItem());
        QCOMPARE(controller.breakWheel()->selectedItemID(), Uuid::upperText(walk.id));
        QCOMPARE(controller.breakWheel()->selectedItemTitle(), QStringLiteral("散步"));
        QCOMPARE(controller.breakWheel()->selectedItemSymbol(), QStringLiteral("figure.walk"));
        QCOMPARE(controller.breakWheel()->selectedItemScoreText(), QStringLiteral("+7"));

        // Confirming records the draw: the walk was drawn last and leaves the wheel for one round.
        controller.breakWheel()->handleEmergencyUnlock();
        QVERIFY(!controller.breakWheel()->hasSelectedItem());
        controller.breakWheel()->enterLockedBreak();
        harness.wheel->rolls = { 0.1 };
        controller.breakWheel()->spinWheel(0);
        QTRY_COMPARE(controller.round()->phase(), SessionPhase::Activity);
        QSignalSpy weighted(controller.breakWheel(), &BreakWheel::weightedItemsChanged);
        controller.breakWheel()->confirmActivityCompleted();
        QVERIFY(!weighted.isEmpty());
        entries = WheelEntryVariant::toEntries(controller.breakWheel()->wheelEntries());
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].item, tea);
        QVERIFY(!controller.breakWheel()->hasSelectedItem());
    }
};

QUORVANE_TEST_GUILESS_MAIN(WheelStopAngleTest)
#include "tst_wheel_stop_angle.moc"
