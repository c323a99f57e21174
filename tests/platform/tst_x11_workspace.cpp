#include "PrivateSessionBus.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "platform/DesktopWorkspace.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDesktopServices>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The file manager side of org.freedesktop.FileManager1, answering or failing as the test asks.
class FakeFileManager : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    bool fails = false;
    QList<QStringList> shownItems;

public slots:
    void ShowItems(const QStringList &uris, const QString &startupId)
    {
        Q_UNUSED(startupId);
        shownItems.append(uris);
        if (fails)
            sendErrorReply(QDBusError::Failed, QStringLiteral("cannot show"));
    }
};

enum class FileManager { absent, answers, fails };

} // namespace

class X11WorkspaceTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_directory;
    PrivateSessionBus m_bus;
    QList<QUrl> m_openedUrls;

public slots:
    void recordOpenedUrl(const QUrl &url) { m_openedUrls.append(url); }

private slots:
    void initTestCase()
    {
        // No real file manager can answer on it.
        QVERIFY2(m_bus.start(), "dbus-daemon did not start");

        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "recordOpenedUrl");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "recordOpenedUrl");
    }

    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    void init() { m_openedUrls.clear(); }

    void openUrlGoesToTheDesktop()
    {
        DesktopWorkspace workspace(QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("open")));
        const QUrl page(QStringLiteral("https://example.org/releases"));
        QVERIFY(workspace.openUrl(page));
        QCOMPARE(m_openedUrls, QList<QUrl> { page });
    }

    void revealFile_data()
    {
        QTest::addColumn<FileManager>("fileManager");
        QTest::addColumn<bool>("busReachable");
        QTest::addColumn<bool>("folderOpened");
        QTest::addColumn<bool>("opener");

        QTest::newRow("file manager shows the file") << FileManager::answers << true << false << true;
        QTest::newRow("file manager fails: folder") << FileManager::fails << true << true << true;
        QTest::newRow("no file manager: folder") << FileManager::absent << true << true << true;
        QTest::newRow("no session bus: folder") << FileManager::absent << false << true << true;
        QTest::newRow("no file manager, no opener: told") << FileManager::absent << true << false << false;
    }

    void revealFile()
    {
        QFETCH(FileManager, fileManager);
        QFETCH(bool, busReachable);
        QFETCH(bool, folderOpened);
        QFETCH(bool, opener);

        const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-').remove(u':');
        const QString folder = m_directory.filePath(QStringLiteral("活动 记录"));
        const QString file = folder + QStringLiteral("/daily activity-log.csv");
        QVERIFY(writeFileBytes(file, "date\n"));

        FakeFileManager fake;
        fake.fails = fileManager == FileManager::fails;
        QDBusConnection service
            = QDBusConnection::connectToBus(m_bus.address(), name + QStringLiteral("-service"));
        if (fileManager != FileManager::absent) {
            QVERIFY(service.registerObject(
                QStringLiteral("/org/freedesktop/FileManager1"), &fake, QDBusConnection::ExportAllSlots));
            QVERIFY(service.registerService(QStringLiteral("org.freedesktop.FileManager1")));
        }

        const QString address = busReachable ? m_bus.address() : QStringLiteral("unix:path=/nonexistent/bus");
        DesktopWorkspace workspace(QDBusConnection::connectToBus(address, name + QStringLiteral("-client")));
        // Without xdg-utils: no handler of the program's own and no xdg-open on the path.
        const QByteArray path = qgetenv("PATH");
        if (!opener) {
            QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
            qputenv("PATH", m_directory.path().toLocal8Bit());
        }
        QString unshownFolder;
        workspace.revealFile(file, [&unshownFolder](const QString &folder) { unshownFolder = folder; });
        if (!opener) {
            QTRY_COMPARE(unshownFolder, folder);
            qputenv("PATH", path);
            QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "recordOpenedUrl");
        }

        if (fileManager != FileManager::absent) {
            QTRY_COMPARE(fake.shownItems.size(), 1);
            const QStringList uris = fake.shownItems.first();
            QCOMPARE(uris.size(), 1);
            QVERIFY(uris.first().startsWith(u"file:///"));
            QVERIFY(uris.first().contains(u"%20"));
            QCOMPARE(QUrl(uris.first()).toLocalFile(), file);
        }
        if (folderOpened) {
            QTRY_COMPARE(m_openedUrls.size(), 1);
            QCOMPARE(m_openedUrls.first(), QUrl::fromLocalFile(folder));
        } else {
            // The reply has arrived; give the watcher a moment to act on it before checking nothing opened.
            QTest::qWait(300);
            QVERIFY(m_openedUrls.isEmpty());
        }
        QCOMPARE(unshownFolder.isEmpty(), opener);

        if (fileManager != FileManager::absent) {
            service.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
            service.unregisterObject(QStringLiteral("/org/freedesktop/FileManager1"));
        }
        QDBusConnection::disconnectFromBus(name + QStringLiteral("-service"));
        QDBusConnection::disconnectFromBus(name + QStringLiteral("-client"));
    }
};

QUORVANE_TEST_MAIN(X11WorkspaceTest)
#include "tst_x11_workspace.moc"
