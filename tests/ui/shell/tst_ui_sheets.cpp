#include "ControllerHarness.h"
#include "MainWindowViews.h"
#include "ReadOnlyFolder.h"
#include "TestProgram.h"
#include "X11CloseRequest.h"
#include "platform/MainWindowControl.h"
#include "platform/XcbHandles.h"
#include "ui/common/SheetPlacement.h"

#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>
#include <QTest>

namespace {

// The title bar's close request, sent on the program's own connection.
bool sendDeleteWindow(const QWindow &window)
{
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    sendCloseRequest(connection, xcb_window_t(window.winId()));
    return xcb_flush(connection) > 0;
}

// The root window's children from the bottom of the stack to the top.
QList<xcb_window_t> stackingOrder()
{
    const XcbConnection connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get()))
        return {};
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data->root;
    const XcbReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection.get(), xcb_query_tree(connection.get(), root), nullptr));
    if (!tree)
        return {};
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    return QList<xcb_window_t>(children, children + xcb_query_tree_children_length(tree.get()));
}

// Whether this process has loaded the QML module plugin, a path below Qt's QML folder.
bool pluginLoaded(const QString &plugin)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly)
        && maps.readAll().contains((QStringLiteral("/qml/") + plugin).toUtf8());
}

} // namespace

// The sheets' windows: each flag opens its window with its title, size, parent and modality; each way
// of closing it clears the flag; the alert shows over the newest sheet.
class UiSheetsTest : public QObject
{
    Q_OBJECT

private:
    ControllerHarness m_harness;
    AppController *m_controller = nullptr;
    MainWindowViews m_views;
    QQuickWindow *m_window = nullptr;

    QQuickWindow *sheet(const QString &name) const { return sheetWindow(*m_window, name); }
    QObject *alert(const QString &name) const { return m_window->findChild<QObject *>(name); }
    static bool isShown(QObject *popup) { return popup && popup->property("opened").toBool(); }

    void setFlag(const QString &name, bool showing)
    {
        if (showing)
            m_controller->sheets()->open(sheetNamed(name));
        else
            m_controller->sheets()->close(sheetNamed(name));
    }
    bool flag(const QString &name) const { return m_controller->sheets()->isOpen(sheetNamed(name)); }

private slots:
    void initTestCase()
    {
        MainWindowControl *windowControl = nullptr;
        m_controller = &m_harness.start([&windowControl](AppControllerSeams &seams) {
            auto control = std::make_unique<MainWindowControl>();
            windowControl = control.get();
            seams.window = std::move(control);
        });
        QVERIFY(m_views.load(*m_controller));
        m_window = m_views.window;
        windowControl->setWindow(m_window);
    }

    // Runs first, while no sheet has been open yet: the main window alone loads none of these modules.
    void aModuleLoadsWhenTheFirstViewThatNeedsItShows_data()
    {
        QTest::addColumn<QString>("plugin");
        QTest::addColumn<QString>("name");

        QTest::newRow("charts") << "QtCharts/libqtchartsqml2plugin.so"
                                << "statistics";
        QTest::newRow("colour dialog") << "Qt/labs/platform/libqtlabsplatformplugin.so"
                                       << "settings";
    }

    void aModuleLoadsWhenTheFirstViewThatNeedsItShows()
    {
        QFETCH(QString, plugin);
        QFETCH(QString, name);

        QVERIFY(!pluginLoaded(plugin));
        setFlag(name, true);
        QVERIFY(pluginLoaded(plugin));
        setFlag(name, false);
        QTRY_VERIFY(!sheet(name)->isVisible());
    }

    void eachFlagOpensItsSheet_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("hasView");

        QTest::newRow("settings") << "settings"
                                  << "柯帆设置" << QSize(920, 720) << true;
        QTest::newRow("statistics") << "statistics"
                                    << "每日节律" << QSize(900, 720) << true;
        QTest::newRow("journal") << "notes"
                                 << "工作日志" << QSize(1020, 720) << true;
        QTest::newRow("developer corner") << "developerCorner"
                                          << "开发者角落" << QSize(920, 720) << true;
    }

    void eachFlagOpensItsSheet()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QSize, size);
        QFETCH(bool, hasView);

        QQuickWindow *window = sheet(name);
        QVERIFY(window);
        QVERIFY(!window->isVisible());
        setFlag(name, true);
        // The view is built in the same step, before the sheet's first frame.
        QCOMPARE(window->property("view").value<QQuickItem *>() != nullptr, hasView);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->title(), title);
        QCOMPARE(window->size(), size);
        QCOMPARE(window->minimumSize(), size);
        QCOMPARE(window->maximumSize(), size);
        QCOMPARE(window->transientParent(), m_window);
        QCOMPARE(window->modality(), Qt::WindowModal);
        QCOMPARE(window->type(), Qt::Dialog);
        // Without a window manager no window has a frame.
        QCOMPARE(window->position(),
            SheetPlacement::position(
                m_window->geometry(), size, QMargins(), m_window->screen()->availableGeometry()));
        // Where the view leaves it uncovered, the sheet is the dark window colour.
        QCOMPARE(window->color(), QColor(0x0A, 0x14, 0x1A));

        setFlag(name, false);
        QTRY_VERIFY(!window->isVisible());
    }

    void eachWayOfClosingClearsTheFlag_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("way");

        for (const char *name : { "settings", "statistics", "notes", "developerCorner" }) {
            for (const char *way : { "escape", "close", "window manager" })
                QTest::addRow("%s, %s", name, way) << name << way;
        }
    }

    void eachWayOfClosingClearsTheFlag()
    {
        QFETCH(QString, name);
        QFETCH(QString, way);

        QQuickWindow *window = sheet(name);
        setFlag(name, true);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->requestActivate();
        QVERIFY(waitForFocus(window));
        if (way == u"escape") {
            QTest::keyClick(window, Qt::Key_Escape);
        } else if (way == u"close") {
            QVERIFY(window->close());
        } else {
            QVERIFY(sendDeleteWindow(*window));
        }
        QTRY_VERIFY(!flag(name));
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(m_controller->sheets()->alertHost(), Sheets::Sheet::None);
    }

    // A row: the sheet; first Space on a control that opens the journal's editor, or an alert, whose one
    // button keeps the focus on Tab; then the control that Tab reaches with its ring.
    void tabShowsTheFocusRingOfEachControl_data()
    {
        QTest::addColumn<QStringList>("row");
        for (const char *rows :
            { "notes  journalMonthNext journalDay1 journal-note-display journalDoneButton",
                "notes journal-note-display journal-note-editor journalCancelButton journalEditorDoneButton",
                "statistics  statisticsPeriod statisticsDone", "statistics alert alertDismissButton",
                "developerCorner  emailField messageEditor developerCornerDone" }) {
            const QStringList words = QString::fromLatin1(rows).split(u' ');
            for (const QString &control : words.mid(2))
                QTest::newRow(qPrintable(control)) << QStringList { words[0], words[1], control };
        }
    }

    void tabShowsTheFocusRingOfEachControl()
    {
        QFETCH(QStringList, row);
        QQuickWindow *window = sheet(row[0]);
        setFlag(row[0], true);
        window->requestActivate();
        QVERIFY(waitForFocus(window));
        // One press a try, while the journal's entries may still be on their way.
        QString target = row[1];
        const auto reached = [&] {
            QTest::keyClick(window, Qt::Key_Tab);
            return window->activeFocusItem() && window->activeFocusItem()->objectName().startsWith(target);
        };
        if (row[1] == u"alert") {
            m_controller->sheets()->showAlert(QStringLiteral("title"), QStringLiteral("message"));
        } else if (!row[1].isEmpty()) {
            QVERIFY(QTest::qWaitFor(reached, 30000));
            QTest::keyClick(window, Qt::Key_Space);
        }
        target = row[2];
        QVERIFY(QTest::qWaitFor(reached, 30000));
        QVERIFY(ringShows(window->contentItem()));
        m_controller->sheets()->setShowingAlert(false);
        setFlag(row[0], false);
        QTRY_VERIFY(!window->isVisible());
    }

    void theViewIsBuiltAtEachOpeningAndKeptWhileOpen()
    {
        QQuickWindow *window = sheet(QStringLiteral("statistics"));
        const QString plainView = m_harness.home.filePath(QStringLiteral("PlainView.qml"));
        QVERIFY(writeFileBytes(plainView, "import QtQuick\nItem {}\n"));
        const QVariant statisticsView = window->property("content");
        window->setProperty("content", QUrl::fromLocalFile(plainView));

        m_controller->showDailyInsights();
        QPointer<QQuickItem> first = window->property("view").value<QQuickItem *>();
        QVERIFY(first);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(first->size(), QSizeF(900, 720));
        // Opening it again, another sheet opening or a language change keep the view.
        m_controller->showDailyInsights();
        m_controller->openDeveloperCorner();
        AppPreferences english = m_controller->preferences();
        english.language = AppLanguage::english;
        QVERIFY(m_controller->savePreferences(english));
        QCOMPARE(window->title(), QStringLiteral("Daily Rhythm"));
        QCOMPARE(window->property("view").value<QQuickItem *>(), first.data());

        m_controller->sheets()->close(Sheets::Sheet::DeveloperCorner);
        m_controller->sheets()->close(Sheets::Sheet::Statistics);
        QTRY_VERIFY(!first);
        m_controller->showDailyInsights();
        QQuickItem *second = window->property("view").value<QQuickItem *>();
        QVERIFY(second);
        m_controller->sheets()->close(Sheets::Sheet::Statistics);
        QTRY_VERIFY(!window->isVisible());
        window->setProperty("content", statisticsView);
        AppPreferences chinese = m_controller->preferences();
        chinese.language = AppLanguage::chinese;
        QVERIFY(m_controller->savePreferences(chinese));
    }

    void twoSheetsStayOpenTogether()
    {
        m_controller->openSettings();
        m_controller->showDailyInsights();
        QVERIFY(QTest::qWaitForWindowExposed(sheet(QStringLiteral("settings"))));
        QVERIFY(QTest::qWaitForWindowExposed(sheet(QStringLiteral("statistics"))));
        m_controller->sheets()->close(Sheets::Sheet::Statistics);
        QTRY_VERIFY(!sheet(QStringLiteral("statistics"))->isVisible());
        QVERIFY(sheet(QStringLiteral("settings"))->isVisible());
        m_controller->sheets()->close(Sheets::Sheet::Settings);
        QTRY_VERIFY(!sheet(QStringLiteral("settings"))->isVisible());
    }

    void theAlertShowsOverTheSheetAndSurvivesAFailedSave()
    {
        QQuickWindow *settings = sheet(QStringLiteral("settings"));
        m_controller->openSettings();
        QVERIFY(QTest::qWaitForWindowExposed(settings));
        m_controller->sheets()->showAlert(
            QStringLiteral("至少需要两个项目"), QStringLiteral("转盘需要保留 2–7 个项目"));
        QTRY_VERIFY(isShown(alert(QStringLiteral("settingsAlert"))));
        QVERIFY(!isShown(alert(QStringLiteral("mainAlert"))));

        // The alert takes Esc first; the sheet stays open.
        settings->requestActivate();
        QVERIFY(waitForFocus(settings));
        QTest::keyClick(settings, Qt::Key_Escape);
        QTRY_VERIFY(!m_controller->sheets()->showingAlert());
        QTRY_VERIFY(!isShown(alert(QStringLiteral("settingsAlert"))));
        QVERIFY(m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
        QVERIFY(settings->isVisible());

        // A save that cannot be written raises the alert and closes the sheet in one step.
        AppPreferences edited = m_controller->preferences();
        edited.sessionMinutes = 40;
        {
            ReadOnlyFolder readOnly(
                QFileInfo(m_harness.file(QStringLiteral("preferences.json"))).absolutePath(),
                m_harness.home.path());
            QVERIFY(m_controller->savePreferences(edited));
        }
        QVERIFY(!m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
        QTRY_VERIFY(!settings->isVisible());
        QTRY_VERIFY(isShown(alert(QStringLiteral("mainAlert"))));
        QVERIFY(!isShown(alert(QStringLiteral("settingsAlert"))));
        QCoreApplication::processEvents();
        QVERIFY(m_controller->sheets()->showingAlert());

        // Only the user's dismissal clears it.
        QObject *button
            = alert(QStringLiteral("mainAlert"))->findChild<QObject *>(QStringLiteral("alertDismissButton"));
        QVERIFY(button);
        QMetaObject::invokeMethod(button, "clicked");
        QTRY_VERIFY(!m_controller->sheets()->showingAlert());
        QTRY_VERIFY(!isShown(alert(QStringLiteral("mainAlert"))));
    }

    // Last: it leaves the focus phase for good.
    void inTheFullScreenBreakStatisticsOpenAboveTheMainWindow()
    {
        m_controller->round()->finishFocusNow();
        m_controller->breakWheel()->enterLockedBreak();
        QCOMPARE(m_controller->round()->phase(), SessionPhase::Wheel);
        QTRY_COMPARE(m_window->visibility(), QWindow::FullScreen);

        QQuickWindow *statistics = sheet(QStringLiteral("statistics"));
        m_controller->showDailyInsights();
        QVERIFY(QTest::qWaitForWindowExposed(statistics));
        const auto sheetAbove = [&] {
            const QList<xcb_window_t> order = stackingOrder();
            const qsizetype main = order.indexOf(xcb_window_t(m_window->winId()));
            const qsizetype above = order.indexOf(xcb_window_t(statistics->winId()));
            return main >= 0 && above > main;
        };
        QTRY_VERIFY(sheetAbove());
        m_controller->sheets()->close(Sheets::Sheet::Statistics);
        QTRY_VERIFY(!statistics->isVisible());
    }
};

QUORVANE_TEST_MAIN(UiSheetsTest)
#include "tst_ui_sheets.moc"
