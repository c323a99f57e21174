#include "ControllerHarness.h"
#include "TestProgram.h"
#include "storage/FocusSessionLogger.h"
#include "ui/shell/ViewSetup.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

// The focus console and the round-complete screen, clicked like a user would, acting on one controller
// through a whole round: permission, pause, resume, notes, finish now and the locked break.
class UiFocusConsoleTest : public QObject
{
    Q_OBJECT

private:
    ControllerHarness m_harness;
    AppController *m_controller = nullptr;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QQuickWindow> m_window;

    // Builds one screen in a window of the smallest size, or the main window itself from Main.qml.
    QQuickItem *show(const QString &file)
    {
        m_window.reset();
        QQmlComponent component(
            m_engine.get(), QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/Shell/") + file));
        QObject *object = component.create();
        if (!object) {
            qWarning() << component.errorString();
            return nullptr;
        }
        auto *item = qobject_cast<QQuickItem *>(object);
        if (item) {
            m_window = std::make_unique<QQuickWindow>();
            item->setParent(m_window->contentItem());
            item->setParentItem(m_window->contentItem());
        } else {
            m_window.reset(qobject_cast<QQuickWindow *>(object));
        }
        m_window->resize(760, 540);
        if (item)
            item->setSize(m_window->size());
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            return nullptr;
        return m_window->contentItem();
    }

    QQuickItem *find(const char *name) const
    {
        return m_window->findChild<QQuickItem *>(QLatin1String(name));
    }

    // Clicks the middle of a visible item, once the layout has given it its place.
    bool click(const char *name)
    {
        QQuickItem *item = find(name);
        if (!item || !QTest::qWaitFor([item] { return item->isVisible() && item->width() > 0; }))
            return false;
        const QPoint centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
        QTest::mouseClick(m_window.get(), Qt::LeftButton, {}, centre);
        return true;
    }

    bool isShown(const char *name) const
    {
        const QQuickItem *item = find(name);
        return item && item->isVisible();
    }

private slots:
    void initTestCase()
    {
        // The round starts without input access, as in a session without X11.
        m_harness.trusted = false;
        m_controller = &m_harness.start();
        setUpViews(*m_controller);
        m_engine = std::make_unique<QQmlEngine>();
    }

    void thePermissionButtonAsksForInputAccess()
    {
        QCOMPARE(m_controller->round()->trackingState(), WorkTrackingState::permissionRequired);

        QVERIFY(show(QStringLiteral("FocusSessionView.qml")));
        QVERIFY(isShown("permissionButton"));
        QVERIFY(!isShown("pauseButton"));
        QVERIFY(!isShown("resumeButton"));
        QVERIFY(!isShown("finishNowButton"));

        QVERIFY(click("permissionButton"));
        QVERIFY(m_controller->sheets()->showingAlert());
        m_controller->sheets()->setShowingAlert(false);

        m_harness.trust->trusted = true;
        m_harness.global->canInstall = true;
        QVERIFY(click("permissionButton"));
        QCOMPARE(m_controller->round()->trackingState(), WorkTrackingState::waitingForActivity);
        QTRY_VERIFY(isShown("pauseButton"));
        QVERIFY(!isShown("permissionButton"));
    }

    void pauseAndResumeActOnTheRound()
    {
        QVERIFY(show(QStringLiteral("FocusSessionView.qml")));
        m_controller->round()->handleInputActivity();
        QVERIFY(click("pauseButton"));
        QCOMPARE(m_controller->round()->trackingState(), WorkTrackingState::manuallyPaused);
        QTRY_VERIFY(isShown("resumeButton"));
        QVERIFY(!isShown("pauseButton"));

        QVERIFY(click("resumeButton"));
        QCOMPARE(m_controller->round()->trackingState(), WorkTrackingState::tracking);
        QTRY_VERIFY(isShown("pauseButton"));
    }

    void theTimeStandsStillWhileTheWindowIsHidden()
    {
        QVERIFY(show(QStringLiteral("FocusSessionView.qml")));
        const QQuickItem *time = find("consoleTime");
        QVERIFY(time);
        QCOMPARE(m_controller->round()->trackingState(), WorkTrackingState::tracking);
        m_controller->round()->handleInputActivity();
        m_harness.tick(1000);
        const QString shownTime = m_controller->round()->formattedTime();
        QCOMPARE(time->property("text").toString(), shownTime);

        m_window->hide();
        m_controller->round()->handleInputActivity();
        m_harness.tick(2000);
        QVERIFY(m_controller->round()->formattedTime() != shownTime);
        QCOMPARE(time->property("text").toString(), shownTime);

        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_COMPARE(time->property("text").toString(), m_controller->round()->formattedTime());
    }

    void typedNotesReachTheRoundWhenTheEditorLosesFocus()
    {
        QVERIFY(show(QStringLiteral("FocusSessionView.qml")));
        QVERIFY(click("active-session-notes-editor"));
        QTRY_VERIFY(find("active-session-notes-editor")->hasActiveFocus());
        for (const char key : { 'd', 'r', 'a', 'f', 't' })
            QTest::keyClick(m_window.get(), key);
        QCOMPARE(m_controller->journal()->notesDraft(), QStringLiteral("draft"));
        QVERIFY(m_controller->journal()->hasPendingNotesSave());
        QVERIFY(m_controller->journal()->currentSessionNotes().isEmpty());

        // Pressing a button takes the focus, which saves at once.
        QVERIFY(click("pauseButton"));
        QCOMPARE(m_controller->journal()->currentSessionNotes(), QStringLiteral("draft"));
        QVERIFY(!m_controller->journal()->hasPendingNotesSave());
        QVERIFY(click("resumeButton"));
    }

    void finishNowEndsTheRound()
    {
        QVERIFY(show(QStringLiteral("FocusSessionView.qml")));
        QVERIFY(click("finishNowButton"));
        QCOMPARE(m_controller->round()->phase(), SessionPhase::SessionComplete);
        QCOMPARE(m_controller->statistics()->todayCompletedSessions(), 0);
    }

    void theRoundCompleteScreenKeepsTheNotes()
    {
        QVERIFY(show(QStringLiteral("SessionCompleteView.qml")));
        const QQuickItem *editor = find("active-session-notes-editor");
        QVERIFY(editor);
        QCOMPARE(editor->property("text").toString(), QStringLiteral("draft"));
    }

    void theBreakButtonLocksTheKeyboardOrShowsTheAlert()
    {
        QVERIFY(show(QStringLiteral("SessionCompleteView.qml")));
        m_harness.grab->canGrab = false;
        QVERIFY(click("startBreakButton"));
        QCOMPARE(m_controller->round()->phase(), SessionPhase::SessionComplete);
        QVERIFY(m_controller->sheets()->showingAlert());
        QCOMPARE(m_controller->sheets()->alertTitle(), QStringLiteral("无法锁定键盘"));
        m_controller->sheets()->setShowingAlert(false);

        m_harness.grab->canGrab = true;
        QVERIFY(click("startBreakButton"));
        QCOMPARE(m_controller->round()->phase(), SessionPhase::Wheel);
        QVERIFY(m_controller->breakWheel()->keyboardIsLocked());
    }

    // A round that ends while a save is pending (its target reached, say) swaps the console for the
    // round-complete screen; what was typed moves along and is written to the round's row.
    void notesTypedAsTheRoundEndsReachItsRow()
    {
        m_controller->breakWheel()->spinWheel(0);
        QTRY_COMPARE(m_controller->round()->phase(), SessionPhase::Activity);
        m_controller->breakWheel()->confirmActivityCompleted();
        QCOMPARE(m_controller->round()->phase(), SessionPhase::Focus);

        QVERIFY(show(QStringLiteral("Main.qml")));
        QVERIFY(click("active-session-notes-editor"));
        QTRY_VERIFY(find("active-session-notes-editor")->hasActiveFocus());
        for (const char key : { 'l', 'a', 's', 't' })
            QTest::keyClick(m_window.get(), key);
        QVERIFY(m_controller->journal()->hasPendingNotesSave());

        m_controller->round()->finishFocusNow();
        QTRY_VERIFY(find("startBreakButton"));
        QTRY_VERIFY(!find("finishNowButton"));
        QCOMPARE(find("active-session-notes-editor")->property("text").toString(), QStringLiteral("last"));
        QVERIFY(!m_controller->journal()->hasPendingNotesSave());
        const auto rows
            = FocusSessionLogger(m_harness.file(QStringLiteral("focus-session-log.csv"))).timelineEntries();
        QCOMPARE(rows.constLast().notes, QStringLiteral("last"));
        m_controller->shutdown();
    }

    void cleanupTestCase() { m_window.reset(); }
};

QUORVANE_TEST_MAIN(UiFocusConsoleTest)
#include "tst_ui_focus_console.moc"
