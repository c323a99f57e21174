#include "ControllerHarness.h"
#include "ReadOnlyFolder.h"
#include "TestProgram.h"

#include <QRegularExpression>
#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

enum class Fault { fullAtStart, readOnly, logDirectory, settings, rewrite, backup, roundNote, append, quit };

// No file grows past `bytes`, as on a full disk: a write that crosses it stops there, the next fails.
void setFileSizeCeiling(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit ceiling { bytes, RLIM_INFINITY };
    setrlimit(RLIMIT_FSIZE, &ceiling);
}

} // namespace

class FullDiskTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { setFileSizeCeiling(RLIM_INFINITY); }

    void nothingIsLost_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("alert");
        QTest::addColumn<QByteArray>("writtenLater");
        QTest::newRow("full at start, a log to migrate")
            << Fault::fullAtStart << u"无法写入数据文件夹"_s << "kept"_ba;
        QTest::newRow("read-only at start") << Fault::readOnly << u"无法写入数据文件夹"_s << ""_ba;
        QTest::newRow("a log that is a folder at start")
            << Fault::logDirectory << u"无法读取记录文件"_s << ""_ba;
        QTest::newRow("settings") << Fault::settings << u"设置保存失败"_s << "s\": 42"_ba;
        QTest::newRow("a log rewrite") << Fault::rewrite << u"无法保存笔记"_s << ""_ba;
        QTest::newRow("a backup") << Fault::backup << u"无法保存笔记"_s << ""_ba;
        QTest::newRow("a note on round complete")
            << Fault::roundNote << u"无法保存笔记"_s << "typed on round complete"_ba;
        QTest::newRow("an append") << Fault::append << u"番茄记录写入失败"_s << "kept"_ba;
        QTest::newRow("a quit with the round waiting") << Fault::quit << u"番茄记录写入失败"_s << "kept"_ba;
    }

    void nothingIsLost()
    {
        QFETCH(Fault, fault);
        QFETCH(QString, alert);
        QFETCH(QByteArray, writtenLater);
        ControllerHarness harness;
        const QString path
            = harness.file(fault == Fault::settings ? u"preferences.json"_s : u"focus-session-log.csv"_s);
        const QString folder = QFileInfo(path).absolutePath();
        const QByteArray legacy = "end_timestamp,date,session_number,active_seconds,target_seconds\n"
                                  "2024-03-01 08:00:00,2024-03-01,3,90,1500\n";
        const bool atStart = fault <= Fault::logDirectory;
        QVERIFY(!atStart || (QDir().mkpath(folder) && writeFileBytes(path, legacy)));
        QVERIFY(fault != Fault::logDirectory || (QFile::remove(path) && QDir().mkpath(path)));
        // The ceiling stops appends to the log only; it must leave room for the round's saved state, which a
        // full disk lets the program write over in place.
        QVERIFY(fault != Fault::quit
            || (QDir().mkpath(folder)
                && writeFileBytes(path,
                    legacy.left(legacy.indexOf('\n') + 1)
                        + QByteArray("2024-02-29 08:00:00,2024-02-29,3,90,1500\n").repeated(100))));
        if (fault == Fault::fullAtStart)
            setFileSizeCeiling(64);
        std::optional<ReadOnlyFolder> readOnly;
        if (fault == Fault::readOnly)
            readOnly.emplace(folder, harness.home.path());
        AppController &controller = harness.start();
        controller.journal()->updateCurrentSessionNotes(u"kept"_s);
        if (fault == Fault::rewrite || fault == Fault::backup || fault == Fault::roundNote)
            controller.round()->finishFocusNow();
        if (fault == Fault::backup)
            QVERIFY(writeFileBytes(path, readFileBytes(path).replace("\n", "\r\n")));
        const QByteArray before = readFileBytes(path);
        QVERIFY(fault > Fault::readOnly || before == legacy);
        if (!atStart)
            setFileSizeCeiling(fault >= Fault::append ? before.size() + 10 : 64);
        AppPreferences edited = controller.preferences();
        edited.sessionMinutes = 42;
        if (fault == Fault::settings)
            controller.savePreferences(edited);
        if (fault == Fault::rewrite || fault == Fault::backup)
            controller.journal()->updateJournalEntry(
                controller.journal()->allNotesEntries({}).first(), u"T"_s, {}, {}, {});
        if (fault >= Fault::append)
            controller.round()->finishFocusNow();
        // Told once, not at every keystroke that fails again.
        if (fault == Fault::roundNote) {
            controller.journal()->updateCurrentSessionNotes(u"typed"_s);
            controller.sheets()->setShowingAlert(false);
            controller.journal()->updateCurrentSessionNotes(u"typed on round complete"_s);
            QVERIFY(!controller.sheets()->showingAlert());
        }
        QCOMPARE(controller.sheets()->alertTitle(), alert);
        // Whole in the interface's language, the system's reason included: no English words in a row.
        QVERIFY2(!controller.sheets()->alertMessage().contains(QRegularExpression(u"[A-Za-z]+ [a-z]+"_s)),
            qPrintable(controller.sheets()->alertMessage()));
        QVERIFY(fault != Fault::readOnly || controller.sheets()->alertMessage().contains(folder));
        QVERIFY(fault != Fault::logDirectory || controller.sheets()->alertMessage().contains(path));
        QCOMPARE(QDir(folder).entryList({ u"*backup*"_s }, QDir::Files).size(), fault == Fault::quit ? 1 : 0);
        // A round that ends while the disk is still full is kept back too.
        if (controller.round()->phase() == SessionPhase::Focus)
            controller.round()->finishFocusNow();
        QCOMPARE(readFileBytes(path), before);
        if (fault == Fault::quit) {
            QVERIFY(!controller.confirmQuit());
            harness.quitQuestion->quit = true;
            QVERIFY(controller.confirmQuit());
            QCOMPARE(harness.quitQuestion->messages.size(), 2);
            controller.shutdown();
            harness.controller.reset();
        }
        setFileSizeCeiling(RLIM_INFINITY);
        if (fault == Fault::quit)
            harness.start();
        harness.tick(11'000);
        harness.tick(11'000);
        QVERIFY(writtenLater.isEmpty() || readFileBytes(path).count(writtenLater) == 1);
        QVERIFY(fault != Fault::fullAtStart || readFileBytes(path).contains("legacy-focus-0"));
        QVERIFY(fault != Fault::append || !QFile::exists(harness.file(u"active-focus-session.json"_s)));
        // The next start writes the ended round and resumes nothing.
        QVERIFY(fault != Fault::quit || harness.controller->round()->secondsRemaining() == 25 * 60);
    }
};

QUORVANE_TEST_GUILESS_MAIN(FullDiskTest)
#include "tst_full_disk.moc"
