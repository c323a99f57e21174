#include "ControllerHarness.h"
#include "MainWindowViews.h"
#include "TestProgram.h"

#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

namespace {

// The main window over a controller whose console docks on `dock` and whose library holds
// `backgrounds` images, at a width that gives the console a travel of 400.
struct DockingWindow
{
    ControllerHarness harness;
    MainWindowViews views;

    bool open(FocusConsoleDock dock, int backgrounds = 0)
    {
        AppPreferences stored;
        stored.focusConsoleDock = dock;
        for (int i = 0; i < backgrounds; ++i) {
            const QString path = harness.file(QStringLiteral("Media/Background/%1.png").arg(i));
            QImage image(8, 8, QImage::Format_RGB32);
            image.fill(QColor::fromHsv(i * 90, 200, 200));
            if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path))
                return false;
            stored.backgroundLibrary.append({ QUuid::createUuid(), QString::number(i), path });
        }
        if (backgrounds > 0)
            stored.activeBackgroundID = stored.backgroundLibrary.constFirst().id;
        harness.startWithStored(stored);
        if (!views.load(*harness.controller))
            return false;
        views.window->resize(874, 620);
        return QTest::qWaitFor([this] { return views.root->width() == 874; });
    }

    QQuickItem *item(const char *name) const
    {
        return views.window->findChild<QQuickItem *>(QLatin1String(name));
    }
    QPoint centreOf(const char *name) const
    {
        QQuickItem *found = item(name);
        return found->mapToScene(QPointF(found->width() / 2, found->height() / 2)).toPoint();
    }
    double groupX() const { return item("consoleGroup")->x(); }
};

// Where the console group sits at rest in a window 874 wide.
constexpr double leadingX = 32;
constexpr double trailingX = 874 - 32 - 410;

} // namespace

class UiConsoleDockingTest : public QObject
{
    Q_OBJECT

private slots:
    void aDragPastTheThresholdMovesTheConsoleWithoutAJump()
    {
        DockingWindow window;
        QVERIFY(window.open(FocusConsoleDock::leading));
        QTRY_COMPARE(window.groupX(), leadingX);
        QQuickWindow *w = window.views.window;
        const QPoint start = window.centreOf("consoleDragHandle");

        QTest::mousePress(w, Qt::LeftButton, {}, start);
        for (int step = 10; step <= 120; step += 10)
            QTest::mouseMove(w, start + QPoint(step, 0));
        QTRY_COMPARE(window.harness.controller->console()->consoleDocking()->dragTranslation(), 120.0);
        QTRY_COMPARE(window.groupX(), leadingX + 120);
        QTest::mouseRelease(w, Qt::LeftButton, {}, start + QPoint(120, 0));

        // The snap carries the console to the far corner; the side has not changed yet.
        QTRY_COMPARE_WITH_TIMEOUT(window.groupX(), trailingX, 10000);
        QCOMPARE(window.harness.controller->console()->focusConsoleDockName(), QStringLiteral("leading"));
        window.harness.dockTimer->advance(340ms);
        QCOMPARE(window.harness.controller->console()->focusConsoleDockName(), QStringLiteral("trailing"));
        // The side flips under the console, which stays where it is, also in the frame that follows.
        QCOMPARE(window.groupX(), trailingX);
        QSignalSpy framed(w, &QQuickWindow::frameSwapped);
        w->update();
        QVERIFY(framed.wait());
        QCOMPARE(window.groupX(), trailingX);
        QCOMPARE(window.harness.controller->console()->consoleDocking()->dragTranslation(), 0.0);
    }

    void aTapSwitchesSides()
    {
        DockingWindow window;
        QVERIFY(window.open(FocusConsoleDock::trailing));
        QTRY_COMPARE(window.groupX(), trailingX);
        QTest::mouseClick(window.views.window, Qt::LeftButton, {}, window.centreOf("consoleDragHandle"));
        QTRY_VERIFY(window.harness.controller->console()->consoleDocking()->isSnappingConsole());
        QTRY_COMPARE_WITH_TIMEOUT(window.groupX(), leadingX, 10000);
        window.harness.dockTimer->advance(340ms);
        QCOMPARE(window.harness.controller->console()->focusConsoleDockName(), QStringLiteral("leading"));
        QCOMPARE(window.groupX(), leadingX);
    }

    void theClusterSitsOppositeTheConsole()
    {
        DockingWindow window;
        QVERIFY(window.open(FocusConsoleDock::leading));
        QQuickItem *cluster = window.item("cornerCluster");
        QVERIFY(cluster);
        QTRY_COMPARE(cluster->x(), 874 - 32 - cluster->width());
        window.harness.controller->console()->consoleDocking()->tapped(400);
        window.harness.dockTimer->advance(340ms);
        QTRY_COMPARE_WITH_TIMEOUT(cluster->x(), 32.0, 10000);
        QCOMPARE(window.groupX(), trailingX);
    }

    void theBackgroundButtonsStepThroughTheLibrary()
    {
        DockingWindow window;
        QVERIFY(window.open(FocusConsoleDock::trailing, 3));
        AppController &controller = *window.harness.controller;
        const auto &library = controller.preferences().backgroundLibrary;
        QTRY_VERIFY(window.item("nextBackgroundButton")->isEnabled());

        QTest::mouseClick(window.views.window, Qt::LeftButton, {}, window.centreOf("nextBackgroundButton"));
        QTRY_COMPARE(controller.preferences().activeBackgroundID, std::optional(library.at(1).id));
        QTest::mouseClick(
            window.views.window, Qt::LeftButton, {}, window.centreOf("previousBackgroundButton"));
        QTRY_COMPARE(controller.preferences().activeBackgroundID, std::optional(library.at(0).id));
    }

    void withOneBackgroundTheButtonsIgnoreClicks()
    {
        DockingWindow window;
        QVERIFY(window.open(FocusConsoleDock::trailing, 1));
        AppController &controller = *window.harness.controller;
        const std::optional<QUuid> active = controller.preferences().activeBackgroundID;
        QQuickItem *next = window.item("nextBackgroundButton");
        QTRY_COMPARE(next->opacity(), 0.35);
        QVERIFY(!next->isEnabled());
        QTest::mouseClick(window.views.window, Qt::LeftButton, {}, window.centreOf("nextBackgroundButton"));
        QTest::mouseClick(
            window.views.window, Qt::LeftButton, {}, window.centreOf("previousBackgroundButton"));
        QCOMPARE(controller.preferences().activeBackgroundID, active);
    }

    void hidingLeavesOnlyTheMiddleButton()
    {
        DockingWindow window;
        QVERIFY(window.open(FocusConsoleDock::leading, 2));
        QQuickItem *layer = window.item("interfaceLayer");
        QTest::mouseClick(window.views.window, Qt::LeftButton, {}, window.centreOf("toggleInterfaceButton"));
        QTRY_VERIFY(!layer->isVisible());
        QTRY_COMPARE(window.item("previousBackgroundButton")->opacity(), 0.0);
        QCOMPARE(window.item("nextBackgroundButton")->opacity(), 0.0);
        QVERIFY(!window.item("nextBackgroundButton")->isEnabled());
        QQuickItem *toggle = window.item("toggleInterfaceButton");
        QCOMPARE(toggle->opacity(), 1.0);
        QCOMPARE(toggle->property("look").value<CornerControlButton>().symbol, QStringLiteral("chevron.up"));

        QTest::mouseClick(window.views.window, Qt::LeftButton, {}, window.centreOf("toggleInterfaceButton"));
        QTRY_VERIFY(layer->isVisible());
        QTRY_COMPARE(window.item("nextBackgroundButton")->opacity(), 1.0);
    }
};

QUORVANE_TEST_MAIN(UiConsoleDockingTest)
#include "tst_ui_console_docking.moc"
