#include "ControllerHarness.h"
#include "ReadOnlyFolder.h"
#include "TestProgram.h"
#include "core/Tones.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

constexpr auto leading = FocusConsoleDock::leading;
constexpr auto trailing = FocusConsoleDock::trailing;

AppController &startDocked(
    ControllerHarness &harness, FocusConsoleDock dock, AppLanguage language = AppLanguage::english)
{
    AppPreferences stored;
    stored.focusConsoleDock = dock;
    stored.language = language;
    return harness.startWithStored(stored);
}

QByteArray storedPreferences(const ControllerHarness &harness)
{
    return readFileBytes(harness.file(QStringLiteral("preferences.json")));
}

void verifyAtRest(const FocusConsoleDocking &docking)
{
    QCOMPARE(docking.dragTranslation(), 0.0);
    QVERIFY(!docking.isDraggingConsole());
    QVERIFY(!docking.pendingConsoleDock());
    QVERIFY(!docking.isSnappingConsole());
}

// A colour compared by its channels, the opacity with the precision of its 16-bit storage.
void compareColor(const QColor &actual, const QColor &expected)
{
    QCOMPARE(actual.rgb() & 0xFFFFFF, expected.rgb() & 0xFFFFFF);
    QVERIFY2(qAbs(actual.alphaF() - expected.alphaF()) < 1e-3,
        qPrintable(QStringLiteral("opacity %1, expected %2").arg(actual.alphaF()).arg(expected.alphaF())));
}

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(float(opacity));
    return color;
}

enum class Gesture { rest, dragBelow, dragPast, tapSnap, springBack };

} // namespace

class ConsoleDockingTest : public QObject
{
    Q_OBJECT

private slots:
    void releaseSnapsThenStoresTheSide_data()
    {
        QTest::addColumn<FocusConsoleDock>("dock");
        QTest::addColumn<double>("travel");
        QTest::addColumn<double>("translation");
        QTest::addColumn<double>("dragOffset");
        QTest::addColumn<double>("snapOffset");
        QTest::addColumn<FocusConsoleDock>("stored");

        QTest::newRow("d 400, leading, 111 springs back")
            << leading << 400.0 << 111.0 << 111.0 << 0.0 << leading;
        QTest::newRow("d 400, leading, 112 switches")
            << leading << 400.0 << 112.0 << 112.0 << 400.0 << trailing;
        QTest::newRow("d 400, trailing, -111 springs back")
            << trailing << 400.0 << -111.0 << -111.0 << 0.0 << trailing;
        QTest::newRow("d 400, trailing, -112 switches")
            << trailing << 400.0 << -112.0 << -112.0 << -400.0 << leading;
        QTest::newRow("past the far corner stops there")
            << leading << 400.0 << 900.0 << 400.0 << 400.0 << trailing;
        QTest::newRow("leading, towards the wall") << leading << 400.0 << -300.0 << 0.0 << 0.0 << leading;
        QTest::newRow("trailing, towards the wall") << trailing << 400.0 << 300.0 << 0.0 << 0.0 << trailing;
        QTest::newRow("d 0 never moves") << leading << 0.0 << 300.0 << 0.0 << 0.0 << leading;
        QTest::newRow("negative d is no travel") << trailing << -20.0 << -300.0 << 0.0 << 0.0 << trailing;
        QTest::newRow("d 126, threshold 63") << leading << 126.0 << 63.0 << 63.0 << 126.0 << trailing;
    }

    void releaseSnapsThenStoresTheSide()
    {
        QFETCH(FocusConsoleDock, dock);
        QFETCH(double, travel);
        QFETCH(double, translation);
        QFETCH(double, dragOffset);
        QFETCH(double, snapOffset);
        QFETCH(FocusConsoleDock, stored);

        ControllerHarness harness;
        AppController &controller = startDocked(harness, dock);
        FocusConsoleDocking &docking = *controller.console()->consoleDocking();
        const QByteArray before = storedPreferences(harness);
        QSignalSpy published(&controller, &AppController::preferencesChanged);

        docking.dragChanged(translation, travel);
        QCOMPARE(docking.dragTranslation(), dragOffset);
        QVERIFY(docking.isDraggingConsole());
        QCOMPARE(docking.pendingConsoleDock(), std::optional(stored));

        docking.dragEnded(translation, travel);
        QVERIFY(docking.isSnappingConsole());
        QCOMPARE(docking.dragTranslation(), snapOffset);
        QCOMPARE(docking.pendingConsoleDock(), std::optional(stored));

        harness.dockTimer->advance(339ms);
        QCOMPARE(controller.preferences().focusConsoleDock, dock);
        QVERIFY(docking.isSnappingConsole());
        harness.dockTimer->advance(1ms);
        QCOMPARE(controller.preferences().focusConsoleDock, stored);
        verifyAtRest(docking);
        if (stored == dock) {
            QCOMPARE(published.count(), 0);
            QCOMPARE(storedPreferences(harness), before);
        } else {
            QCOMPARE(published.count(), 1);
            QCOMPARE(AppStorageService::loadPreferences(harness.root()).value().focusConsoleDock, stored);
        }
        QVERIFY(!controller.sheets()->showingAlert());
    }

    void tapSwitchesAfterTheSnap_data()
    {
        QTest::addColumn<FocusConsoleDock>("dock");
        QTest::addColumn<double>("travel");
        QTest::addColumn<double>("snapOffset");

        QTest::newRow("leading, d 400") << leading << 400.0 << 400.0;
        QTest::newRow("trailing, d 400") << trailing << 400.0 << -400.0;
        QTest::newRow("leading, d 0") << leading << 0.0 << 0.0;
        QTest::newRow("trailing, d 0") << trailing << 0.0 << 0.0;
    }

    void tapSwitchesAfterTheSnap()
    {
        QFETCH(FocusConsoleDock, dock);
        QFETCH(double, travel);
        QFETCH(double, snapOffset);
        const FocusConsoleDock other = dock == leading ? trailing : leading;

        ControllerHarness harness;
        AppController &controller = startDocked(harness, dock);
        FocusConsoleDocking &docking = *controller.console()->consoleDocking();
        QSignalSpy published(&controller, &AppController::preferencesChanged);

        docking.tapped(travel);
        QVERIFY(docking.isSnappingConsole());
        QVERIFY(!docking.isDraggingConsole());
        QCOMPARE(docking.dragTranslation(), snapOffset);
        QCOMPARE(docking.pendingConsoleDock(), std::optional(other));
        harness.dockTimer->advance(339ms);
        QCOMPARE(controller.preferences().focusConsoleDock, dock);
        harness.dockTimer->advance(1ms);
        QCOMPARE(controller.preferences().focusConsoleDock, other);
        QCOMPARE(published.count(), 1);
        QCOMPARE(AppStorageService::loadPreferences(harness.root()).value().focusConsoleDock, other);
        verifyAtRest(docking);
    }

    // Gestures that arrive while the console is held or snapping; then time runs out and one tap
    // after the reset must switch back.
    void gesturesWhileBusyAreIgnored_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<FocusConsoleDock>("storedAfterRound");

        QTest::newRow("tap during a tap's snap") << "tap, tap" << trailing;
        QTest::newRow("tap while a drag is held") << "hold, tap" << leading;
        QTest::newRow("tap within 0.34 s of a release") << "release, tap" << trailing;
        QTest::newRow("drag during a snap") << "tap, drag" << trailing;
        QTest::newRow("release during a snap") << "tap, release" << trailing;
    }

    void gesturesWhileBusyAreIgnored()
    {
        QFETCH(QString, scenario);
        QFETCH(FocusConsoleDock, storedAfterRound);
        const double travel = 400;

        ControllerHarness harness;
        AppController &controller = startDocked(harness, leading);
        FocusConsoleDocking &docking = *controller.console()->consoleDocking();
        QSignalSpy published(&controller, &AppController::preferencesChanged);

        if (scenario == "hold, tap"_L1) {
            docking.dragChanged(50, travel);
            docking.tapped(travel);
            QVERIFY(!docking.isSnappingConsole());
            QCOMPARE(docking.dragTranslation(), 50.0);
            docking.dragEnded(50, travel);
        } else {
            if (scenario.startsWith("tap"_L1))
                docking.tapped(travel);
            else
                docking.dragEnded(200, travel);
            harness.dockTimer->advance(200ms);
            if (scenario.endsWith("tap"_L1))
                docking.tapped(travel);
            else if (scenario.endsWith("drag"_L1))
                docking.dragChanged(10, travel);
            else
                docking.dragEnded(0, travel);
            // Still the first snap: heading right, by the whole travel.
            QVERIFY(docking.isSnappingConsole());
            QCOMPARE(docking.dragTranslation(), travel);
            QCOMPARE(docking.pendingConsoleDock(), std::optional(trailing));
        }
        // The round ends 0.34 s after the first snap began, not after the ignored gesture.
        const auto sinceSnap = scenario == "hold, tap"_L1 ? 0ms : 200ms;
        harness.dockTimer->advance(339ms - sinceSnap);
        QCOMPARE(controller.preferences().focusConsoleDock, leading);
        QVERIFY(docking.isSnappingConsole());
        harness.dockTimer->advance(1ms);
        QCOMPARE(controller.preferences().focusConsoleDock, storedAfterRound);
        QCOMPARE(published.count(), storedAfterRound == leading ? 0 : 1);
        verifyAtRest(docking);

        const FocusConsoleDock back = storedAfterRound == leading ? trailing : leading;
        docking.tapped(travel);
        harness.dockTimer->advance(340ms);
        QCOMPARE(controller.preferences().focusConsoleDock, back);
        verifyAtRest(docking);
    }

    void failedSaveKeepsTheOldSide()
    {
        ControllerHarness harness;
        AppController &controller = startDocked(harness, leading);
        FocusConsoleDocking &docking = *controller.console()->consoleDocking();
        const QString path = harness.file(QStringLiteral("preferences.json"));
        const QByteArray before = storedPreferences(harness);

        docking.dragChanged(250, 400);
        docking.dragEnded(250, 400);
        {
            const ReadOnlyFolder readOnly(QFileInfo(path).absolutePath(), harness.home.path());
            harness.dockTimer->advance(340ms);
        }
        QCOMPARE(controller.preferences().focusConsoleDock, leading);
        QCOMPARE(controller.console()->focusConsoleDockName(), QStringLiteral("leading"));
        QVERIFY(controller.sheets()->showingAlert());
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("Could Not Save Console Position"));
        QVERIFY(!controller.sheets()->alertMessage().isEmpty());
        QCOMPARE(storedPreferences(harness), before);
        verifyAtRest(docking);
    }

    void sideIsStoredAfterTheRoundEnds()
    {
        ControllerHarness harness;
        AppController &controller = startDocked(harness, trailing);
        FocusConsoleDocking &docking = *controller.console()->consoleDocking();

        docking.dragChanged(-300, 400);
        docking.dragEnded(-300, 400);
        harness.dockTimer->advance(100ms);
        controller.round()->finishFocusNow();
        QCOMPARE(controller.round()->phase(), SessionPhase::SessionComplete);
        harness.dockTimer->advance(240ms);
        QCOMPARE(controller.preferences().focusConsoleDock, leading);
        QCOMPARE(AppStorageService::loadPreferences(harness.root()).value().focusConsoleDock, leading);
        verifyAtRest(docking);
    }

    void handleLooksFollowTheGesture_data()
    {
        QTest::addColumn<FocusConsoleDock>("dock");
        QTest::addColumn<Gesture>("gesture");
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<bool>("accentForeground");
        QTest::addColumn<double>("bar");
        QTest::addColumn<double>("tint");
        QTest::addColumn<bool>("accentStroke");
        QTest::addColumn<double>("strokeOpacity");

        for (const FocusConsoleDock dock : { leading, trailing }) {
            const char *side = dock == leading ? "leading" : "trailing";
            const QString toOther = dock == leading ? u"arrow.right"_s : u"arrow.left"_s;
            const QString both = QStringLiteral("arrow.left.and.right");
            QTest::addRow("%s, at rest", side)
                << dock << Gesture::rest << both << false << 0.3 << 0.25 << false << Tones::controlOutline();
            QTest::addRow("%s, below the threshold", side)
                << dock << Gesture::dragBelow << both << true << 0.62 << 0.38 << true << Tones::accentEdge();
            QTest::addRow("%s, past the threshold", side) << dock << Gesture::dragPast << toOther << true
                                                          << 0.76 << 0.38 << true << Tones::accentMark();
            QTest::addRow("%s, snapping after a tap", side)
                << dock << Gesture::tapSnap << toOther << true << 0.76 << 0.25 << true << Tones::accentMark();
            QTest::addRow("%s, springing back", side)
                << dock << Gesture::springBack << both << true << 0.62 << 0.38 << true << Tones::accentEdge();
        }
    }

    void handleLooksFollowTheGesture()
    {
        QFETCH(FocusConsoleDock, dock);
        QFETCH(Gesture, gesture);
        QFETCH(QString, arrow);
        QFETCH(bool, accentForeground);
        QFETCH(double, bar);
        QFETCH(double, tint);
        QFETCH(bool, accentStroke);
        QFETCH(double, strokeOpacity);

        ControllerHarness harness;
        AppController &controller = startDocked(harness, dock);
        FocusConsoleDocking &docking = *controller.console()->consoleDocking();
        const double towardsOther = dock == leading ? 1 : -1;
        QSignalSpy changed(controller.console(), &Console::consoleDragHandleChanged);
        switch (gesture) {
        case Gesture::rest:
            break;
        case Gesture::dragBelow:
            docking.dragChanged(towardsOther * 100, 400);
            break;
        case Gesture::dragPast:
            docking.dragChanged(towardsOther * 100, 400);
            docking.dragChanged(towardsOther * 120, 400);
            break;
        case Gesture::tapSnap:
            docking.tapped(400);
            break;
        case Gesture::springBack:
            docking.dragChanged(towardsOther * 130, 400);
            docking.dragChanged(towardsOther * 60, 400);
            docking.dragEnded(towardsOther * 60, 400);
            break;
        }
        QCOMPARE(changed.isEmpty(), gesture == Gesture::rest);

        const ConsoleDragHandlePresentation &handle = controller.console()->consoleDragHandle();
        const QColor accent = controller.appearance()->accentColor();
        QCOMPARE(handle.arrowSymbol, arrow);
        compareColor(handle.foreground, accentForeground ? accent : Tones::white(Tones::textSubtitle()));
        QCOMPARE(handle.barOpacity, bar);
        QCOMPARE(handle.tintOpacity, tint);
        compareColor(handle.stroke, withOpacity(accentStroke ? accent : QColor(Qt::white), strokeOpacity));

        // Back at rest once the snap is over, whichever side it chose.
        harness.dockTimer->advance(340ms);
        docking.dragEnded(0, 400);
        harness.dockTimer->advance(340ms);
        QCOMPARE(
            controller.console()->consoleDragHandle().arrowSymbol, QStringLiteral("arrow.left.and.right"));
        QCOMPARE(controller.console()->consoleDragHandle().barOpacity, 0.3);
    }

    void handleTextsFollowTheStoredSide_data()
    {
        QTest::addColumn<FocusConsoleDock>("dock");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("detail");

        const auto zh = AppLanguage::chinese;
        const auto en = AppLanguage::english;
        const QString zhDetail = QStringLiteral("单击直接换边；也可拖过高亮阈值后松开");
        const QString enDetail
            = QStringLiteral("Click to switch sides, or drag past the highlighted threshold");
        QTest::newRow("leading, zh") << leading << zh << "专注控制台停靠在左下角"
                                     << "停靠在左下角"
                                     << "切换控制台位置" << zhDetail;
        QTest::newRow("trailing, zh") << trailing << zh << "专注控制台停靠在左下角"
                                      << "停靠在右下角"
                                      << "切换控制台位置" << zhDetail;
        QTest::newRow("leading, en") << leading << en << "Focus Console Docked Bottom Left"
                                     << "Docked bottom left"
                                     << "Move Focus Console" << enDetail;
        QTest::newRow("trailing, en") << trailing << en << "Focus Console Docked Bottom Left"
                                      << "Docked bottom right"
                                      << "Move Focus Console" << enDetail;
    }

    void handleTextsFollowTheStoredSide()
    {
        QFETCH(FocusConsoleDock, dock);
        QFETCH(AppLanguage, language);
        QFETCH(QString, label);
        QFETCH(QString, value);
        QFETCH(QString, title);
        QFETCH(QString, detail);

        ControllerHarness harness;
        AppController &controller = startDocked(harness, dock, language);
        // Held past the threshold: the value still names the stored side.
        controller.console()->consoleDocking()->dragChanged(dock == leading ? 300 : -300, 400);
        const ConsoleDragHandlePresentation &handle = controller.console()->consoleDragHandle();
        QCOMPARE(handle.accessibleLabel, label);
        QCOMPARE(handle.accessibleChecked, dock == leading);
        QCOMPARE(handle.accessibleValue, value);
        QCOMPARE(handle.tooltipTitle, title);
        QCOMPARE(handle.tooltipDetail, detail);
    }
};

QUORVANE_TEST_GUILESS_MAIN(ConsoleDockingTest)
#include "tst_console_docking.moc"
