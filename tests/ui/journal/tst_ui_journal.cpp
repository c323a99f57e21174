#include "ControllerHarness.h"
#include "MainWindowViews.h"
#include "ReadOnlyFolder.h"
#include "TestProgram.h"
#include "storage/FocusSessionLogger.h"
#include "ui/journal/JournalController.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

// The journal sheet in the real window: a click on a card's notes opens the editor with the keyboard
// in it, every way of leaving saves what was typed, and a failed save shows its alert over the sheet.
class UiJournalTest : public QObject
{
    Q_OBJECT

private:
    ControllerHarness m_harness;
    AppController *m_controller = nullptr;
    MainWindowViews m_views;
    QQuickWindow *m_window = nullptr;
    QQuickWindow *m_sheet = nullptr;
    JournalController *m_journal = nullptr;

    QString focusLog() const
    {
        return QString::fromUtf8(readFileBytes(m_harness.file(QStringLiteral("focus-session-log.csv"))));
    }

    // Searched through the items' own tree: the rows a list view makes have no object parent.
    static QQuickItem *itemIn(QQuickItem *root, const QString &name)
    {
        if (root->objectName() == name)
            return root;
        for (QQuickItem *child : root->childItems()) {
            if (QQuickItem *found = itemIn(child, name))
                return found;
        }
        return nullptr;
    }
    QQuickItem *item(const QString &name) const { return itemIn(m_sheet->contentItem(), name); }

    // QtTest types whole texts into widgets only.
    static void typeInto(QWindow *window, const char *text)
    {
        for (const char *key = text; *key; ++key)
            QTest::keyClick(window, *key);
    }

    // Opens a fresh journal over the logged round.
    void openJournal()
    {
        m_controller->sheets()->open(Sheets::Sheet::Journal);
        m_sheet = m_window->findChild<QQuickWindow *>(QStringLiteral("notesSheet"));
        QVERIFY(m_sheet);
        QVERIFY(QTest::qWaitForWindowExposed(m_sheet));
        auto *view = m_sheet->property("view").value<QQuickItem *>();
        QVERIFY(view);
        m_journal = view->property("journal").value<JournalController *>();
        QVERIFY(m_journal);
        QTRY_VERIFY_WITH_TIMEOUT(m_journal->snapshotLoaded(), 30000);
    }

    // Clicks the round's notes and waits until its notes editor has the keyboard.
    void openTheRoundInTheEditor()
    {
        QQuickItem *display = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((display = item(QStringLiteral("journal-note-display-round"))), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(display->isVisible() && display->width() > 0, 30000);
        m_sheet->requestActivate();
        QVERIFY(waitForFocus(m_sheet));
        QTest::mouseClick(m_sheet, Qt::LeftButton, {},
            display->mapToScene(QPointF(display->width() / 2, display->height() / 2)).toPoint());
        QTRY_COMPARE_WITH_TIMEOUT(m_journal->editingEntryID(), QStringLiteral("round"), 30000);
        QQuickItem *editor = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((editor = item(QStringLiteral("journal-note-editor-round"))), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(editor->hasActiveFocus(), 30000);
        // Opened to go on writing: the caret after what the note says.
        QCOMPARE(editor->property("cursorPosition").toInt(), editor->property("length").toInt());
    }

private slots:
    // One logged round of today with notes, read back by every journal the tests open.
    void initTestCase()
    {
        AppStorageService::storageDirectory(m_harness.root());
        const QDateTime end = m_harness.startTime.addSecs(-600);
        QVERIFY(FocusSessionLogger(m_harness.file(QStringLiteral("focus-session-log.csv")))
                    .append({ QStringLiteral("round"), end.addSecs(-1500), end, 1, QStringLiteral("Writing"),
                        1500, 1500, true, QStringLiteral("first draft") })
                    .ok());
        m_controller = &m_harness.start();
        m_controller->round()->finishFocusNow();
        QVERIFY(m_views.load(*m_controller));
        m_window = m_views.window;
    }

    void cleanup()
    {
        m_controller->sheets()->setShowingAlert(false);
        m_controller->sheets()->close(Sheets::Sheet::Journal);
        QTRY_VERIFY_WITH_TIMEOUT(!m_sheet || !m_sheet->isVisible(), 30000);
        m_journal = nullptr;
    }

    void clickingACardsNotesFocusesTheEditor()
    {
        openJournal();
        openTheRoundInTheEditor();
        QCOMPARE(m_journal->editingNotes(), QStringLiteral("first draft"));
    }

    void aReadOnlyLogShowsTheAlertOverTheJournal()
    {
        openJournal();
        openTheRoundInTheEditor();
        typeInto(m_sheet, "lost ");
        auto *done = item(QStringLiteral("journalEditorDoneButton"));
        QVERIFY(done);
        QObject *alert = m_sheet->findChild<QObject *>(QStringLiteral("notesAlert"));
        QVERIFY(alert);
        const QString before = focusLog();
        {
            const ReadOnlyFolder readOnly(
                QFileInfo(m_harness.file(QStringLiteral("focus-session-log.csv"))).absolutePath(),
                m_harness.home.path());
            QTest::mouseClick(m_sheet, Qt::LeftButton, {},
                done->mapToScene(QPointF(done->width() / 2, done->height() / 2)).toPoint());
            QTRY_VERIFY_WITH_TIMEOUT(m_journal->editingEntryID().isEmpty(), 30000);
        }
        AppController &controller = *m_controller;
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("无法保存笔记"));
        QTRY_VERIFY_WITH_TIMEOUT(alert->property("opened").toBool(), 30000);
        QVERIFY(controller.sheets()->isOpen(Sheets::Sheet::Journal));
        QCOMPARE(focusLog(), before);
    }

    void escapeAfterTypingClosesOnlyTheEditorWithTheTextSaved()
    {
        openJournal();
        openTheRoundInTheEditor();
        QTest::keyClick(m_sheet, Qt::Key_End, Qt::ControlModifier);
        typeInto(m_sheet, ", typed");
        QTRY_COMPARE_WITH_TIMEOUT(m_journal->editingNotes(), QStringLiteral("first draft, typed"), 30000);
        AppController &controller = *m_controller;
        const qint64 revision = controller.journal()->notesRevision();
        QTest::keyClick(m_sheet, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(m_journal->editingEntryID().isEmpty(), 30000);
        QVERIFY(controller.sheets()->isOpen(Sheets::Sheet::Journal) && m_sheet->isVisible());
        QCOMPARE(controller.journal()->notesRevision(), revision + 1);
        QVERIFY(focusLog().contains(QStringLiteral("\"first draft, typed\"")));
    }
};

QUORVANE_TEST_MAIN(UiJournalTest)
#include "tst_ui_journal.moc"
