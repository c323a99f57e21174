#include "platform/SoftwareSceneGraph.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Root opens any node whatever its permissions; the test then opens them as nobody does.
class ActingAsNobody
{
public:
    ActingAsNobody()
        : m_dropped(geteuid() == 0 && seteuid(65534) == 0)
    { }
    ~ActingAsNobody()
    {
        if (m_dropped)
            (void)seteuid(0);
    }
    ActingAsNobody(const ActingAsNobody &) = delete;
    ActingAsNobody &operator=(const ActingAsNobody &) = delete;

private:
    bool m_dropped;
};

} // namespace

class SoftwareSceneGraphTest : public QObject
{
    Q_OBJECT

private slots:
    void softwareWhereOpenGlWouldHaveNoGpu_data()
    {
        QTest::addColumn<QString>("adaptationAsked");
        QTest::addColumn<QString>("graphicsApiAsked");
        QTest::addColumn<bool>("x11");
        QTest::addColumn<bool>("dri3");
        QTest::addColumn<bool>("dri2");
        QTest::addColumn<bool>("renderNode");
        QTest::addColumn<bool>("software");
        const QString none;
        QTest::newRow("a GPU over DRI3") << none << none << true << true << false << true << false;
        QTest::newRow("a GPU over DRI2 only") << none << none << true << false << true << true << false;
        QTest::newRow("both") << none << none << true << true << true << true << false;
        QTest::newRow("a virtual server: no DRI") << none << none << true << false << false << true << true;
        QTest::newRow("no DRI, no node") << none << none << true << false << false << false << true;
        QTest::newRow("DRI3 but no node this user may open")
            << none << none << true << true << false << false << true;
        QTest::newRow("DRI2 but no node") << none << none << true << false << true << false << true;
        QTest::newRow("not X11: Qt's default") << none << none << false << false << false << false << false;
        QTest::newRow("asked for software on a GPU")
            << QStringLiteral("software") << none << true << true << true << true << true;
        QTest::newRow("asked for software elsewhere")
            << QStringLiteral("software") << none << false << false << false << false << true;
        QTest::newRow("asked for the default adaptation without a GPU")
            << QStringLiteral("rhi") << none << true << false << false << false << false;
        QTest::newRow("asked for OpenGL without a GPU")
            << none << QStringLiteral("opengl") << true << false << false << false << false;
        QTest::newRow("asked for Vulkan without a GPU")
            << none << QStringLiteral("vulkan") << true << false << false << false << false;
        // Qt lets the adaptation override the graphics API.
        QTest::newRow("asked for software and OpenGL")
            << QStringLiteral("software") << QStringLiteral("opengl") << true << true << true << true << true;
    }

    void softwareWhereOpenGlWouldHaveNoGpu()
    {
        QFETCH(QString, adaptationAsked);
        QFETCH(QString, graphicsApiAsked);
        QFETCH(bool, x11);
        QFETCH(bool, dri3);
        QFETCH(bool, dri2);
        QFETCH(bool, renderNode);
        QFETCH(bool, software);
        QCOMPARE(
            SoftwareSceneGraph::chosen({ adaptationAsked, graphicsApiAsked, x11, dri3, dri2, renderNode }),
            software);
    }

    void aRenderNodeCountsOnlyWhenItOpens_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<bool>("forbidden");
        QTest::addColumn<bool>("opens");
        QTest::newRow("none") << QStringList() << QStringList() << false << false;
        QTest::newRow("a render node")
            << QStringList { QStringLiteral("renderD128") } << QStringList() << false << true;
        QTest::newRow("one this user may not open")
            << QStringList { QStringLiteral("renderD128") } << QStringList() << true << false;
        QTest::newRow("the second of two") << QStringList { QStringLiteral("renderD129") }
                                           << QStringList { QStringLiteral("renderD128") } << false << true;
        QTest::newRow("only the primary node")
            << QStringList { QStringLiteral("card0") } << QStringList() << false << false;
        QTest::newRow("a folder by that name")
            << QStringList() << QStringList { QStringLiteral("renderD128") } << false << false;
    }

    void aRenderNodeCountsOnlyWhenItOpens()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, folders);
        QFETCH(bool, forbidden);
        QFETCH(bool, opens);
        QTemporaryDir dri;
        QVERIFY(dri.isValid());
        const QFile::Permissions everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
            | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QVERIFY(QFile::setPermissions(
            dri.path(), everyone | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));
        for (const QString &name : files) {
            QFile file(dri.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.setPermissions(forbidden ? QFile::Permissions() : everyone));
        }
        for (const QString &name : folders)
            QVERIFY(QDir(dri.path()).mkdir(name));
        const ActingAsNobody nobody;
        QCOMPARE(SoftwareSceneGraph::renderNodeOpens(dri.path()), opens);
    }

    // Render nodes are character devices, not plain files; the null device stands in for one.
    void aCharacterDeviceCounts()
    {
        QTemporaryDir dri;
        QVERIFY(dri.isValid());
        const QByteArray node = QFile::encodeName(dri.filePath(QStringLiteral("renderD128")));
        if (::mknod(node.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("making a device node needs root");
        QVERIFY(SoftwareSceneGraph::renderNodeOpens(dri.path()));
    }

    void noFolderNoNode()
    {
        QVERIFY(!SoftwareSceneGraph::renderNodeOpens(QStringLiteral("/nonexistent/dri")));
    }
};

QTEST_MAIN(SoftwareSceneGraphTest)
#include "tst_software_scene_graph.moc"
