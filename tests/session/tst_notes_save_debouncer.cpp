#include "FakeOneShotTimer.h"
#include "TestProgram.h"
#include "session/NotesSaveDebouncer.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The round's notes as the controller keeps them: every save lands here and is announced back to the
// draft, as the controller's change signal does.
struct NotesStore
{
    QString notes;
    QStringList saves;
};

} // namespace

class NotesSaveDebouncerTest : public QObject
{
    Q_OBJECT

private slots:
    // Each step is one of: "appear", "disappear", "focus", "blur", "flush", "edit <text>",
    // "wait <milliseconds>", "outside <text>" (the round's notes change elsewhere) and
    // "saved <texts separated by |>" (what has been saved so far).
    void followsTheEditor_data()
    {
        QTest::addColumn<QString>("storedNotes");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("saves");
        QTest::addColumn<QString>("draft");

        QTest::newRow("three keys 0.2 s apart save once, 0.45 s after the last")
            << QString()
            << QStringList { u"appear"_s, u"focus"_s, u"edit a"_s, u"wait 200"_s, u"edit ab"_s, u"wait 200"_s,
                   u"edit abc"_s, u"wait 449"_s, u"saved "_s, u"wait 1"_s, u"saved abc"_s, u"wait 2000"_s }
            << QStringList { u"abc"_s } << "abc";
        QTest::newRow("losing focus writes at once and the cancelled save writes nothing")
            << QString()
            << QStringList { u"appear"_s, u"focus"_s, u"edit note"_s, u"wait 100"_s, u"blur"_s,
                   u"saved note"_s, u"wait 2000"_s }
            << QStringList { u"note"_s } << "note";
        QTest::newRow("a flush of the saved text writes nothing")
            << "same" << QStringList { u"appear"_s, u"focus"_s, u"flush"_s, u"blur"_s, u"disappear"_s }
            << QStringList {} << "same";
        QTest::newRow("leaving the screen writes at once")
            << QString()
            << QStringList { u"appear"_s, u"focus"_s, u"edit gone"_s, u"disappear"_s, u"saved gone"_s,
                   u"wait 2000"_s }
            << QStringList { u"gone"_s } << "gone";
        QTest::newRow("a change elsewhere while focused leaves the draft alone")
            << QString()
            << QStringList { u"appear"_s, u"focus"_s, u"edit mine"_s, u"outside theirs"_s, u"wait 450"_s }
            << QStringList { u"mine"_s } << "mine";
        QTest::newRow("a change elsewhere while unfocused replaces the draft and is saved like typing")
            << "old" << QStringList { u"appear"_s, u"outside theirs"_s, u"saved "_s, u"wait 450"_s }
            << QStringList { u"theirs"_s } << "theirs";
        QTest::newRow("a change taken in cancels the pending save")
            << QString()
            << QStringList { u"appear"_s, u"edit typed"_s, u"wait 200"_s, u"outside theirs"_s, u"wait 449"_s,
                   u"saved "_s, u"wait 1"_s }
            << QStringList { u"theirs"_s } << "theirs";
        // What the user saw while typing wins over the change that arrived meanwhile.
        QTest::newRow("once unfocused the next change elsewhere is taken in")
            << QString()
            << QStringList { u"appear"_s, u"focus"_s, u"edit mine"_s, u"outside first"_s, u"blur"_s,
                   u"outside second"_s, u"wait 450"_s }
            << QStringList { u"mine"_s, u"second"_s } << "second";
        QTest::newRow("without an editor nothing is taken in, and the next editor starts from the round")
            << QString() << QStringList { u"outside later"_s, u"wait 450"_s, u"appear"_s, u"wait 450"_s }
            << QStringList {} << "later";
        QTest::newRow("a new editor first writes what the old one still had pending")
            << QString()
            << QStringList { u"appear"_s, u"focus"_s, u"edit carried"_s, u"appear"_s, u"saved carried"_s,
                   u"disappear"_s, u"disappear"_s, u"wait 2000"_s }
            << QStringList { u"carried"_s } << "carried";
        QTest::newRow("a flush without an editor never writes an earlier round's draft")
            << QString()
            << QStringList { u"appear"_s, u"edit old"_s, u"disappear"_s, u"outside "_s, u"flush"_s }
            << QStringList { u"old"_s } << "old";
    }

    void followsTheEditor()
    {
        QFETCH(QString, storedNotes);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, saves);
        QFETCH(QString, draft);

        NotesStore store { storedNotes, {} };
        auto ownedTimer = std::make_unique<FakeOneShotTimer>();
        FakeOneShotTimer &timer = *ownedTimer;
        NotesSaveDebouncer *debouncer = nullptr;
        NotesSaveDebouncer owned(
            std::move(ownedTimer),
            [&](const QString &text) {
                store.saves.append(text);
                store.notes = text;
                debouncer->savedNotesChanged(text);
            },
            [&] { return store.notes; });
        debouncer = &owned;

        for (const QString &step : std::as_const(steps)) {
            const QString verb = step.section(QLatin1Char(' '), 0, 0);
            const QString argument = step.section(QLatin1Char(' '), 1);
            if (verb == QLatin1String("appear")) {
                debouncer->editorAppeared();
            } else if (verb == QLatin1String("disappear")) {
                debouncer->editorDisappeared();
            } else if (verb == QLatin1String("focus")) {
                debouncer->setFocused(true);
            } else if (verb == QLatin1String("blur")) {
                debouncer->setFocused(false);
            } else if (verb == QLatin1String("flush")) {
                debouncer->flush();
            } else if (verb == QLatin1String("edit")) {
                debouncer->edit(argument);
            } else if (verb == QLatin1String("wait")) {
                timer.advance(std::chrono::milliseconds(argument.toInt()));
            } else if (verb == QLatin1String("outside")) {
                store.notes = argument;
                debouncer->savedNotesChanged(argument);
            } else if (verb == QLatin1String("saved")) {
                const QStringList expected
                    = argument.isEmpty() ? QStringList {} : argument.split(QLatin1Char('|'));
                QVERIFY2(store.saves == expected,
                    qPrintable(step + QStringLiteral(" got: ") + store.saves.join(QLatin1Char('|'))));
            } else {
                QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
            }
        }
        QCOMPARE(store.saves, saves);
        QCOMPARE(debouncer->draft(), draft);
    }

    void announcesEveryChangeOfTheDraft()
    {
        QString notes = QStringLiteral("start");
        int announcements = 0;
        NotesSaveDebouncer debouncer(
            std::make_unique<FakeOneShotTimer>(), [&](const QString &text) { notes = text; },
            [&] { return notes; });
        debouncer.onDraftChanged = [&] { ++announcements; };
        debouncer.editorAppeared();
        QCOMPARE(announcements, 1);
        debouncer.edit(QStringLiteral("start"));
        QCOMPARE(announcements, 1);
        QVERIFY(!debouncer.hasPendingSave());
        debouncer.edit(QStringLiteral("started"));
        QCOMPARE(announcements, 2);
        QVERIFY(debouncer.hasPendingSave());
    }
};

QUORVANE_TEST_GUILESS_MAIN(NotesSaveDebouncerTest)
#include "tst_notes_save_debouncer.moc"
