#include "LocalHttpServer.h"
#include "SettingsSheetTest.h"
#include "TestProgram.h"
#include "network/UpdateController.h"

#include <QCoreApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

namespace {

QByteArray newerRelease()
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<rss version=\"2.0\" xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">\n"
           "<channel><title>Quorvane</title><item><title>Release</title>"
           "<sparkle:version>999.1</sparkle:version><link>https://example.org/release</link></item>"
           "</channel></rss>\n";
}

} // namespace

// The rhythm, records and update panes and the update result on a real X server, over a record edited
// by hand beyond what the steppers offer.
class UiSettingsPanesTest : public SettingsSheetTest
{
    Q_OBJECT

private:
    LocalHttpServer m_server;
    QQuickWindow *m_window = nullptr;

    void openSheetOn(const QString &pane)
    {
        openSettingsSheet(*m_controller, m_views);
        chooseSettingsPane(m_views, pane);
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("QuorvaneTests"));
        QCoreApplication::setApplicationName(QStringLiteral("UiSettingsPanesTest"));
        UpdateController(QString(), {}).setAutomaticallyChecksForUpdates(false);
        m_server.setReply("/appcast.xml", LocalHttpServer::reply(200, newerRelease()));
        AppPreferences stored;
        stored.sessionMinutes = 500;
        QVERIFY(AppStorageService::savePreferences(stored, m_harness.root()).ok());
        m_controller = &m_harness.start([&](AppControllerSeams &seams) {
            seams.updateFeedAddress = m_server.baseUrl().toString() + QStringLiteral("/appcast.xml");
        });
        QVERIFY(m_views.load(*m_controller));
        m_window = m_views.window;
        QCOMPARE(m_controller->preferences().sessionMinutes, qint64(500));
    }

    void cleanup() { closeSheet(); }

    void rhythmShowsAStored500AsItIs()
    {
        openSheetOn(QStringLiteral("focus"));
        QQuickItem *label = inView(QStringLiteral("sessionMinutesLabel"));
        QVERIFY(label);
        QCOMPARE(label->property("text").toString(), QStringLiteral("500 分钟"));
        QCOMPARE(session().draft().sessionMinutes, qint64(500));
        QVERIFY(!inView(QStringLiteral("sessionMinutesIncrease"))->isEnabled());

        click(inView(QStringLiteral("sessionMinutesDecrease")));

        QTRY_COMPARE(session().draft().sessionMinutes, qint64(180));
        QCOMPARE(label->property("text").toString(), QStringLiteral("180 分钟"));
        QCOMPARE(m_controller->preferences().sessionMinutes, qint64(500));
    }

    void inputAccessShowsItsAlertOverTheSheet()
    {
        openSheetOn(QStringLiteral("records"));

        click(inView(QStringLiteral("inputAccessButton")));

        QTRY_VERIFY(m_controller->sheets()->showingAlert());
        QCOMPARE(m_controller->sheets()->alertHost(), Sheets::Sheet::Settings);
        auto *alert = view()->window()->findChild<QObject *>(QStringLiteral("settingsAlert"));
        QVERIFY(alert);
        QTRY_VERIFY(alert->property("visible").toBool());
        QVERIFY(m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
    }

    void saveAndCheckShowsTheResultInTheMainWindow()
    {
        UpdateController &updates = m_controller->updateController();
        QTRY_VERIFY(updates.canCheckForUpdates());
        openSheetOn(QStringLiteral("update"));
        QQuickItem *button = inView(QStringLiteral("checkButton"));
        QVERIFY(button && button->isEnabled());
        QVERIFY(inView(QStringLiteral("automaticChecksSwitch"))->isEnabled());

        click(button);

        QTRY_VERIFY(!sheet()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(updates.updateAvailable(), 30000);
        auto *dialog = m_views.root->findChild<QObject *>(QStringLiteral("updateResult"));
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->property("visible").toBool());
        QVERIFY(updates.updateAvailable());
        QQuickItem *openPage = findItem(m_window->contentItem(), QStringLiteral("updateResultOpenPage"));
        QVERIFY(openPage);
        click(openPage);
        QTRY_VERIFY(!updates.showingResult());
        QCOMPARE(m_harness.workspace->openedUrls,
            QList<QUrl> { QUrl(QStringLiteral("https://example.org/release")) });
        QTRY_VERIFY(!dialog->property("visible").toBool());
    }
};

QUORVANE_TEST_MAIN(UiSettingsPanesTest)
#include "tst_ui_settings_panes.moc"
