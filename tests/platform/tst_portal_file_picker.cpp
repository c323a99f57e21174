#include "FakeFilePicker.h"
#include "PrivateSessionBus.h"
#include "TestSupport.h"
#include "platform/FileDialogContext.h"
#include "platform/PortalFilePicker.h"

#include <QDBusArgument>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;

// The portal's file chooser: it answers each request on the request's own path, as the portal does.
class StandInFileChooser : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.FileChooser")

public:
    uint response = 0;
    QStringList uris;
    QString firstFilterName;

public slots:
    QDBusObjectPath OpenFile(const QString &, const QString &, const QVariantMap &options)
    {
        const auto filters = options.value(u"filters"_s).value<QDBusArgument>();
        filters.beginArray();
        filters.beginStructure();
        filters >> firstFilterName;
        // Each begin opens a reader that only its end frees.
        filters.endStructure();
        filters.endArray();
        const QString path = u"/org/freedesktop/portal/desktop/request/%1/%2"_s.arg(
            message().service().mid(1).replace(u'.', u'_'), options.value(u"handle_token"_s).toString());
        QDBusMessage answer
            = QDBusMessage::createSignal(path, u"org.freedesktop.portal.Request"_s, u"Response"_s);
        answer << response << QVariantMap { { u"uris"_s, uris } };
        connection().send(answer);
        return QDBusObjectPath(path);
    }
};

// Files chosen through the desktop portal, and the toolkit's dialog where there is no portal.
class PortalFilePickerTest : public QObject
{
    Q_OBJECT

private:
    // The remembered folders go to its configuration folder.
    TemporaryDataHome m_home;
    PrivateSessionBus m_bus;

private slots:
    void initTestCase() { QVERIFY(m_bus.start()); }

    void pickFiles_data()
    {
        QTest::addColumn<bool>("portal");
        QTest::addColumn<uint>("response");
        QTest::addColumn<QStringList>("chosen");

        QTest::newRow("chosen") << true << 0u << QStringList { u"/tmp/a.png"_s, u"/tmp/b c.jpg"_s };
        QTest::newRow("cancelled") << true << 1u << QStringList();
        QTest::newRow("no portal: the toolkit's dialog") << false << 0u << QStringList { u"/fallback.png"_s };
    }

    void pickFiles()
    {
        QFETCH(bool, portal);
        QFETCH(uint, response);
        QFETCH(QStringList, chosen);

        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        const QString picturesBefore = FileDialogContext::startDirectory(QStandardPaths::PicturesLocation);
        StandInFileChooser chooser;
        chooser.response = response;
        chooser.uris = { u"file:///tmp/a.png"_s, u"file:///tmp/b%20c.jpg"_s };
        QDBusConnection server = QDBusConnection::connectToBus(m_bus.address(), u"portal "_s + tag);
        if (portal) {
            QVERIFY(server.registerObject(
                u"/org/freedesktop/portal/desktop"_s, &chooser, QDBusConnection::ExportAllSlots));
            QVERIFY(server.registerService(u"org.freedesktop.portal.Desktop"_s));
        }
        auto fallback = std::make_unique<FakeFilePicker>();
        FakeFilePicker &dialog = *fallback;
        dialog.selection = { u"/fallback.png"_s };
        PortalFilePicker picker(
            std::move(fallback), QDBusConnection::connectToBus(m_bus.address(), u"client "_s + tag));

        QCOMPARE(picker.pickFiles(
                     u"添加图片"_s, { { u"图片"_s, { u"*.png"_s } } }, QStandardPaths::PicturesLocation),
            chosen);
        QCOMPARE(dialog.shown, portal ? 0 : 1);
        QCOMPARE(chooser.firstFilterName, portal ? u"图片"_s : QString());
        // The next dialog for pictures opens where these came from (a cancel keeps the last); music's does
        // not.
        const QString pictures = FileDialogContext::startDirectory(QStandardPaths::PicturesLocation);
        QCOMPARE(pictures, chosen.isEmpty() ? picturesBefore : QFileInfo(chosen.constFirst()).absolutePath());
        QVERIFY(FileDialogContext::startDirectory(QStandardPaths::MusicLocation) != pictures);
        server.unregisterService(u"org.freedesktop.portal.Desktop"_s);
        QDBusConnection::disconnectFromBus(u"portal "_s + tag);
        QDBusConnection::disconnectFromBus(u"client "_s + tag);
    }
};

QTEST_MAIN(PortalFilePickerTest)
#include "tst_portal_file_picker.moc"
