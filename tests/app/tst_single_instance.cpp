#include "ReadOnlyFolder.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "app/SingleInstance.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

// What a lock holder writes into the lock file, with its first line, the holder's process id,
// replaced.
QByteArray lockContentsNaming(qint64 pid, const QString &scratchFolder)
{
    QLockFile probe(QDir(scratchFolder).filePath(QStringLiteral("probe.lock")));
    if (!probe.tryLock(0))
        return {};
    QByteArray bytes = readFileBytes(probe.fileName());
    probe.unlock();
    return QByteArray::number(pid) + bytes.mid(bytes.indexOf('\n'));
}

enum class Holder { none, runningCopy, quitCopy, endedProcess, reusedProcessID };

} // namespace

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void whoHoldsTheLockDecides_data()
    {
        QTest::addColumn<Holder>("holder");
        QTest::addColumn<bool>("claimed");
        QTest::newRow("nobody") << Holder::none << true;
        QTest::newRow("a running copy") << Holder::runningCopy << false;
        QTest::newRow("a copy that quit") << Holder::quitCopy << true;
        // Killed or crashed: its lock file stays behind.
        QTest::newRow("a process that ended") << Holder::endedProcess << true;
        QTest::newRow("its process id now used by another program") << Holder::reusedProcessID << true;
    }

    void whoHoldsTheLockDecides()
    {
        QFETCH(Holder, holder);
        QFETCH(bool, claimed);
        TemporaryDataHome home;
        const QString folder = home.filePath(QStringLiteral("data/Quorvane"));
        QVERIFY(QDir().mkpath(folder));
        const QString lockFile = QDir(folder).filePath(QStringLiteral("instance.lock"));

        std::unique_ptr<SingleInstance> first;
        QProcess other;
        switch (holder) {
        case Holder::none:
            break;
        case Holder::runningCopy:
        case Holder::quitCopy:
            first = std::make_unique<SingleInstance>(folder);
            QVERIFY(first->claim({}));
            if (holder == Holder::quitCopy)
                first.reset();
            break;
        case Holder::endedProcess:
        case Holder::reusedProcessID: {
            other.start(QStringLiteral("sleep"), { QStringLiteral("30") });
            QVERIFY(other.waitForStarted());
            const qint64 pid = other.processId();
            if (holder == Holder::endedProcess) {
                other.kill();
                QVERIFY(other.waitForFinished());
            }
            QVERIFY(writeFileBytes(lockFile, lockContentsNaming(pid, home.path())));
            break;
        }
        }

        SingleInstance second(folder);
        QCOMPARE(second.claim({}), claimed);
        if (claimed) {
            // It now holds the lock itself.
            SingleInstance third(folder);
            QVERIFY(!third.claim({}));
        }
        other.kill();
        other.waitForFinished();
    }

    void aLaterStartSendsItsRequestAndTouchesNothing()
    {
        TemporaryDataHome home;
        const QString folder = home.filePath(QStringLiteral("data/Quorvane"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFileBytes(QDir(folder).filePath(QStringLiteral("preferences.json")), "{}"));
        SingleInstance first(folder);
        QVERIFY(first.claim({}));
        QSignalSpy received(&first, &SingleInstance::launchRequested);
        const QMap<QString, QByteArray> before = fileBytesBelow(home.path());
        const QDateTime lockModified
            = QFileInfo(QDir(folder).filePath(QStringLiteral("instance.lock"))).lastModified();

        const QList<LaunchRequest> requests = { {},
            { LaunchRequest::View::statistics, "openbox-7-host_TIME42" }, { LaunchRequest::View::none, {} } };
        for (const LaunchRequest &request : requests) {
            SingleInstance later(folder);
            QVERIFY(!later.claim(request));
            QTRY_VERIFY_WITH_TIMEOUT(!received.isEmpty(), 20000);
            QCOMPARE(received.takeFirst().constFirst().value<LaunchRequest>(), request);
        }
        QCOMPARE(fileBytesBelow(home.path()), before);
        QCOMPARE(
            QFileInfo(QDir(folder).filePath(QStringLiteral("instance.lock"))).lastModified(), lockModified);
    }

    void aCopyOverAnotherFolderRunsBeside()
    {
        TemporaryDataHome home;
        const QString one = home.filePath(QStringLiteral("one"));
        const QString two = home.filePath(QStringLiteral("two"));
        QVERIFY(QDir().mkpath(one) && QDir().mkpath(two));
        SingleInstance first(one);
        QVERIFY(first.claim({}));
        SingleInstance second(two);
        QVERIFY(second.claim({}));
        QVERIFY(SingleInstance::serverName(one) != SingleInstance::serverName(two));
        QCOMPARE(SingleInstance::serverName(one), SingleInstance::serverName(one + QStringLiteral("/.")));
    }

    // The lock cannot be tried; the program runs and the controller reports the folder.
    void anUnwritableFolderDoesNotStopTheStart()
    {
        TemporaryDataHome home;
        const QString folder = home.filePath(QStringLiteral("data/Quorvane"));
        QVERIFY(QDir().mkpath(folder));
        ReadOnlyFolder readOnly(folder, home.path());
        SingleInstance only(folder);
        QVERIFY(only.claim({}));
        QVERIFY(!QFile::exists(QDir(folder).filePath(QStringLiteral("instance.lock"))));
    }
};

QUORVANE_TEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_single_instance.moc"
