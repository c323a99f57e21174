#include "ControllerHarness.h"
#include "FakeOneShotTimer.h"
#include "TestProgram.h"
#include "platform/MainWindowControl.h"
#include "ui/shell/MainWindowHost.h"
#include "ui/shell/ViewSetup.h"

#include <QGuiApplication>
#include <QQuickWindow>
#include <QTest>

namespace {

QList<QQuickWindow *> quickWindows()
{
    QList<QQuickWindow *> found;
    for (QWindow *window : QGuiApplication::allWindows()) {
        if (auto *quick = qobject_cast<QQuickWindow *>(window))
            found.append(quick);
    }
    return found;
}

AppController &startWithWindowControl(ControllerHarness &harness, MainWindowControl *&control)
{
    AppController &controller = harness.start([&control](AppControllerSeams &seams) {
        auto window = std::make_unique<MainWindowControl>();
        control = window.get();
        seams.window = std::move(window);
    });
    setUpViews(controller);
    return controller;
}

} // namespace

// Started for the tray, the program makes its main window (and the QML engine behind it) only when the
// window is first to show, and every later way of showing it brings that one window back.
class UiMainWindowHostTest : public QObject
{
    Q_OBJECT

private slots:
    void aHiddenStartMakesTheWindowWhenItFirstShows_data()
    {
        QTest::addColumn<QString>("firstShow");
        QTest::newRow("the tray's Show") << QStringLiteral("tray");
        QTest::newRow("the round's end") << QStringLiteral("round end");
        QTest::newRow("a second start") << QStringLiteral("second start");
    }

    void aHiddenStartMakesTheWindowWhenItFirstShows()
    {
        QFETCH(QString, firstShow);
        ControllerHarness harness;
        MainWindowControl *control = nullptr;
        AppController &controller = startWithWindowControl(harness, control);
        MainWindowHost host(
            controller, *control, harness.root(), [] { return true; }, std::make_unique<FakeOneShotTimer>());
        host.start(LaunchRequest { LaunchRequest::View::none, {} });
        // The start's decision runs once the event loop does.
        QCoreApplication::processEvents();
        QVERIFY(quickWindows().isEmpty());

        const QMap<QString, std::function<void()>> shows {
            { QStringLiteral("tray"), [&] { controller.window()->bringMainWindowForward(); } },
            { QStringLiteral("round end"), [&] { controller.round()->finishFocusNow(); } },
            { QStringLiteral("second start"),
                [&] { controller.showLaunchView(LaunchRequest::View::mainWindow); } },
        };
        shows[firstShow]();
        QWindow *const window = control->window();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // The main window and its sheets' windows, made once.
        const QList<QQuickWindow *> made = quickWindows();

        for (const QString &again : shows.keys()) {
            // A round ends once.
            if (again == QStringLiteral("round end") && controller.round()->phase() != SessionPhase::Focus)
                continue;
            window->close();
            QTRY_VERIFY(!window->isVisible());
            shows[again]();
            QTRY_VERIFY(window->isVisible());
            QCOMPARE(control->window(), window);
            QCOMPARE(quickWindows(), made);
        }
    }

    void aWindowLongHiddenIsGivenBackUnlessASheetIsOpen_data()
    {
        QTest::addColumn<bool>("sheetOpen");
        QTest::newRow("in a focus round") << false;
        QTest::newRow("with the statistics open") << true;
    }

    void aWindowLongHiddenIsGivenBackUnlessASheetIsOpen()
    {
        QFETCH(bool, sheetOpen);
        ControllerHarness harness;
        MainWindowControl *control = nullptr;
        AppController &controller = startWithWindowControl(harness, control);
        auto ownedTimer = std::make_unique<FakeOneShotTimer>();
        FakeOneShotTimer &timer = *ownedTimer;
        MainWindowHost host(
            controller, *control, harness.root(), [] { return true; }, std::move(ownedTimer));
        host.start(LaunchRequest { LaunchRequest::View::mainWindow, {} });
        QVERIFY(QTest::qWaitForWindowExposed(control->window()));
        if (sheetOpen)
            controller.sheets()->open(Sheets::Sheet::Statistics);
        control->window()->close();
        QTRY_VERIFY(!control->window()->isVisible());
        timer.advance(std::chrono::minutes(10));
        QCoreApplication::processEvents();
        QCOMPARE(quickWindows().isEmpty(), !sheetOpen);

        controller.window()->bringMainWindowForward();
        QVERIFY(QTest::qWaitForWindowExposed(control->window()));
    }
};

QUORVANE_TEST_MAIN(UiMainWindowHostTest)
#include "tst_ui_main_window_host.moc"
