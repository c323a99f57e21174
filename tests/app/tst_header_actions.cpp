#include "ControllerHarness.h"
#include "TestProgram.h"

#include <QImage>
#include <QMetaEnum>
#include <QSignalSpy>
#include <QTest>

// The header's commands, which open the sheets, and the window the one alert shows in while sheets
// are open.
class HeaderActionsTest : public QObject
{
    Q_OBJECT

private:
    static Sheets::Sheet sheetNamed(const QString &key)
    {
        return Sheets::Sheet(QMetaEnum::fromType<Sheets::Sheet>().keyToValue(key.toLatin1().constData()));
    }

private slots:
    void journalBumpsTheRevisionThenOpensThenBringsTheWindowForward()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        for (int press = 1; press <= 2; ++press) {
            controller.sheets()->close(Sheets::Sheet::Journal);
            const qint64 revision = controller.journal()->notesRevision();
            const int forwards = harness.window->broughtForward;
            QStringList steps;
            connect(controller.journal(), &Journal::notesRevisionChanged, this, [&] {
                steps << QStringLiteral("revision %1, sheet %2, forward %3")
                             .arg(controller.journal()->notesRevision() - revision)
                             .arg(controller.sheets()->isOpen(Sheets::Sheet::Journal))
                             .arg(harness.window->broughtForward - forwards);
            });
            connect(controller.sheets(), &Sheets::openSheetsChanged, this, [&] {
                steps << QStringLiteral("sheet %1, forward %2")
                             .arg(controller.sheets()->isOpen(Sheets::Sheet::Journal))
                             .arg(harness.window->broughtForward - forwards);
            });
            controller.openJournal();
            disconnect(controller.journal(), nullptr, this, nullptr);
            disconnect(controller.sheets(), nullptr, this, nullptr);
            QCOMPARE(steps,
                QStringList({ QStringLiteral("revision 1, sheet 0, forward 0"),
                    QStringLiteral("sheet 1, forward 0") }));
            QCOMPARE(harness.window->broughtForward - forwards, 1);
        }
    }

    void statisticsReadThirtyFreshDaysBeforeTheSheetOpens()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        // A day later: the sheet must end on that day, not on the start-up's.
        harness.clock->advanceMs(24 * 3600 * 1000);
        QList<DailyStat> seen;
        int forwardsWhenOpened = -1;
        connect(controller.sheets(), &Sheets::openSheetsChanged, this, [&] {
            seen = controller.statistics()->dailyStats();
            forwardsWhenOpened = harness.window->broughtForward;
        });
        controller.showDailyInsights();
        QVERIFY(controller.sheets()->isOpen(Sheets::Sheet::Statistics));
        QCOMPARE(seen.size(), 30);
        QCOMPARE(seen.constLast().date.date(), harness.startTime.date().addDays(1));
        QCOMPARE(seen.constFirst().date.date(), harness.startTime.date().addDays(-28));
        QCOMPARE(forwardsWhenOpened, 0);
        QCOMPARE(harness.window->broughtForward, 1);
    }

    void settingsAdoptTheBackgroundFolderBeforeTheSheetOpens()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        const QDir folder(AppStorageService::backgroundDirectory(harness.root()));
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        const QString added = folder.filePath(QStringLiteral("meadow.png"));
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QVERIFY(picture.save(added));
        QVERIFY(controller.preferences().backgroundLibrary.isEmpty());

        QStringList pathsWhenOpened;
        connect(controller.sheets(), &Sheets::openSheetsChanged, this, [&] {
            for (const BackgroundMediaItem &item : controller.preferences().backgroundLibrary)
                pathsWhenOpened << QFileInfo(item.path).fileName();
        });
        controller.openSettings();
        QVERIFY(controller.sheets()->isOpen(Sheets::Sheet::Settings));
        QCOMPARE(pathsWhenOpened, QStringList { QStringLiteral("meadow.png") });
        // The settings sheet does not bring the window forward.
        QCOMPARE(harness.window->broughtForward, 0);
    }

    void developerCornerOnlyOpensItsSheet()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        const qint64 revision = controller.journal()->notesRevision();
        QSignalSpy opened(controller.sheets(), &Sheets::openSheetsChanged);
        controller.openDeveloperCorner();
        controller.openDeveloperCorner();
        QVERIFY(controller.sheets()->isOpen(Sheets::Sheet::DeveloperCorner));
        QCOMPARE(opened.size(), 1);
        QCOMPARE(controller.journal()->notesRevision(), revision);
        QCOMPARE(harness.window->broughtForward, 0);
        QVERIFY(!controller.sheets()->isOpen(Sheets::Sheet::Settings)
            && !controller.sheets()->isOpen(Sheets::Sheet::Statistics)
            && !controller.sheets()->isOpen(Sheets::Sheet::Journal));
    }

    void theHeaderFollowsTheController()
    {
        ControllerHarness harness;
        harness.trusted = false;
        AppController &controller = harness.start();
        // Tracking is switched on but cannot run: the switch reads off and explains why.
        QVERIFY(controller.preferences().trackActivity);
        QVERIFY(!controller.console()->header().tracking.isOn);
        QCOMPARE(
            controller.console()->header().tracking.detail, QStringLiteral("待授权 · 点击查看 X11 输入权限"));

        QSignalSpy changes(controller.console(), &Console::headerChanged);
        controller.toggleBackgroundOverlay();
        QCOMPARE(
            controller.console()->header().overlay.isOn, controller.preferences().backgroundOverlayEnabled);
        QCOMPARE(changes.size(), 1);

        // Access granted later lets the break lock the keyboard.
        harness.trust->trusted = true;
        controller.round()->finishFocusNow();
        QCOMPARE(controller.console()->header().completed.value, QStringLiteral("完成 0 项"));
        controller.breakWheel()->enterLockedBreak();
        QVERIFY(controller.breakWheel()->keyboardIsLocked());
        QVERIFY(!controller.console()->header().commandsEnabled);
        controller.breakWheel()->spinWheel(0);
        QTRY_COMPARE(controller.round()->phase(), SessionPhase::Activity);
        controller.breakWheel()->confirmActivityCompleted();
        QVERIFY(controller.console()->header().commandsEnabled);
        QCOMPARE(controller.console()->header().health.value,
            QStringLiteral("%1 健康分").arg(controller.statistics()->todayHealthScore()));
        QVERIFY(controller.statistics()->todayHealthScore() > 0);
        QCOMPARE(controller.console()->header().round.value,
            QStringLiteral("第 %1 轮").arg(controller.round()->sessionNumber()));
    }

    // Each step opens (+) or closes (-) a sheet; the alert belongs to the newest sheet still open.
    void alertShowsInTheNewestOpenSheet_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("hostChanges");

        QTest::newRow("no sheet: main window") << ""
                                               << "None" << 0;
        QTest::newRow("one sheet") << "+Settings"
                                   << "Settings" << 1;
        QTest::newRow("one sheet, closed") << "+Journal -Journal"
                                           << "None" << 2;
        QTest::newRow("second sheet on top") << "+Settings +Statistics"
                                             << "Statistics" << 2;
        QTest::newRow("top closed: the one below") << "+Settings +Statistics -Statistics"
                                                   << "Settings" << 3;
        QTest::newRow("lower closed: top stays") << "+Settings +Statistics -Settings"
                                                 << "Statistics" << 2;
        QTest::newRow("reopened rises to the top")
            << "+DeveloperCorner +Journal -DeveloperCorner +DeveloperCorner"
            << "DeveloperCorner" << 3;
        QTest::newRow("raising an open flag again changes nothing") << "+Journal +Settings +Journal"
                                                                    << "Settings" << 2;
        QTest::newRow("closing a closed sheet changes nothing") << "+Journal -Settings"
                                                                << "Journal" << 1;
        QTest::newRow("all four, then all closed") << "+Settings +Statistics +Journal +DeveloperCorner "
                                                      "-Settings -DeveloperCorner -Journal -Statistics"
                                                   << "None" << 7;
    }

    void alertShowsInTheNewestOpenSheet()
    {
        QFETCH(QString, steps);
        QFETCH(QString, host);
        QFETCH(int, hostChanges);

        ControllerHarness harness;
        AppController &controller = harness.start();
        QSignalSpy changes(controller.sheets(), &Sheets::alertHostChanged);
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (step.startsWith(u'+'))
                controller.sheets()->open(sheetNamed(step.mid(1)));
            else
                controller.sheets()->close(sheetNamed(step.mid(1)));
        }
        QCOMPARE(controller.sheets()->alertHost(), sheetNamed(host));
        QCOMPARE(changes.size(), hostChanges);
    }

    void aSheetClosingUnderTheAlertHandsItToTheMainWindow()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        controller.openSettings();
        Sheets::Sheet hostWhenSheetClosed = Sheets::Sheet::Settings;
        connect(controller.sheets(), &Sheets::openSheetsChanged, this,
            [&] { hostWhenSheetClosed = controller.sheets()->alertHost(); });
        controller.sheets()->showAlert(QStringLiteral("设置保存失败"), QStringLiteral("磁盘已满"));
        QCOMPARE(controller.sheets()->alertHost(), Sheets::Sheet::Settings);
        controller.sheets()->close(Sheets::Sheet::Settings);
        // The host moved before the sheet's flag fell, and the alert stays up.
        QCOMPARE(hostWhenSheetClosed, Sheets::Sheet::None);
        QVERIFY(controller.sheets()->showingAlert());
    }
};

QUORVANE_TEST_MAIN(HeaderActionsTest)
#include "tst_header_actions.moc"
