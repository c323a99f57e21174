#include "LocalHttpServer.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "network/UpdateController.h"
#include "network/UpdateFeedChecker.h"
#include "network/VersionNumber.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

QString feedAddress(const LocalHttpServer &server, const char *path)
{
    return server.baseUrl().toString() + QLatin1StringView(path);
}

enum class Expected { upToDate, updateAvailable };

const QString installedVersion = QStringLiteral(QUORVANE_VERSION);
const QString installedBuild = QStringLiteral(QUORVANE_BUILD_NUMBER);

QByteArray appcast(const QByteArray &items)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<rss version=\"2.0\" xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">\n"
           "<channel><title>Quorvane</title>\n"
        + items + "</channel></rss>\n";
}

QByteArray item(const QByteArray &fields)
{
    return "<item><title>Release</title>" + fields + "</item>\n";
}

QByteArray versionItem(const QByteArray &version, const QByteArray &link)
{
    return item("<sparkle:version>" + version + "</sparkle:version><link>" + link + "</link>");
}

// Turns automatic checks on or off in the stored settings without starting any check.
void storeAutomaticChecks(bool enabled)
{
    UpdateController settingsOnly(QString(), {});
    settingsOnly.setAutomaticallyChecksForUpdates(enabled);
}

} // namespace

class UpdateControllerTest : public QObject
{
    Q_OBJECT

private:
    TemporaryDataHome m_home;
    QList<QUrl> m_openedUrls;

    std::unique_ptr<UpdateController> makeController(const QString &address)
    {
        return std::make_unique<UpdateController>(
            address, [this](const QUrl &url) { m_openedUrls.append(url); });
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("QuorvaneTests"));
        QCoreApplication::setApplicationName(QStringLiteral("UpdateControllerTest"));
    }

    void init()
    {
        QSettings().clear();
        m_openedUrls.clear();
    }

    void versionOrder_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<int>("order");

        QTest::newRow("equal") << "2.1"
                               << "2.1" << 0;
        QTest::newRow("trailing zero is equal") << "2.1"
                                                << "2.1.0" << 0;
        QTest::newRow("leading zeros are numeric") << "2.01"
                                                   << "2.1" << 0;
        QTest::newRow("numeric, not textual") << "1.10"
                                              << "1.9" << 1;
        QTest::newRow("major wins") << "2"
                                    << "1.99.99" << 1;
        QTest::newRow("longer is newer") << "1.2.1"
                                         << "1.2" << 1;
        QTest::newRow("older") << "0.9.9"
                               << "1.0" << -1;
        QTest::newRow("date-time builds") << "20260714010203"
                                          << "20260714010159" << 1;
        QTest::newRow("lettered build before its number") << "830b"
                                                          << "830" << -1;
        QTest::newRow("lettered build after an older one") << "830b"
                                                           << "829" << 1;
    }

    void versionOrder()
    {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(int, order);
        const auto a = VersionNumber::parseBuild(left);
        const auto b = VersionNumber::parseBuild(right);
        QVERIFY(a && b);
        QCOMPARE(*a == *b, order == 0);
        QCOMPARE(*a > *b, order > 0);
        QCOMPARE(*a < *b, order < 0);
        QCOMPARE(*b > *a, order < 0);
    }

    void invalidVersionsAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("empty component") << "1..2";
        QTest::newRow("trailing dot") << "1.";
        QTest::newRow("leading dot") << ".1";
        QTest::newRow("suffix") << "1.2-beta";
        QTest::newRow("prefix") << "v1.2";
        QTest::newRow("sign") << "-1";
        QTest::newRow("space") << " 1.2";
        QTest::newRow("longer than any real number") << QString(65, u'1');
        QTest::newRow("non-ASCII digits") << QStringLiteral("١.٢");
    }

    void invalidVersionsAreRefused()
    {
        QFETCH(QString, text);
        QVERIFY(!VersionNumber::parse(text));
    }

    void versionText_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("build");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both") << "2.1"
                              << "57"
                              << "2.1 (57)";
        QTest::newRow("no build") << "2.1"
                                  << "" << QStringLiteral("2.1 (—)");
        QTest::newRow("no version") << ""
                                    << "57" << QStringLiteral("— (57)");
        QTest::newRow("neither") << ""
                                 << "" << QStringLiteral("— (—)");
    }

    void versionText()
    {
        QFETCH(QString, version);
        QFETCH(QString, build);
        QFETCH(QString, expected);
        QCOMPARE(UpdateController::versionText(version, build), expected);
    }

    void currentVersionComesFromTheBuild()
    {
        const auto controller = makeController(QString());
        QCOMPARE(
            controller->currentVersion(), UpdateController::versionText(installedVersion, installedBuild));
    }

    void acceptableFeedAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("acceptable");
        QTest::newRow("https") << "https://updates.example.org/appcast.xml" << true;
        QTest::newRow("loopback http") << "http://127.0.0.1:8080/appcast.xml" << true;
        QTest::newRow("localhost http") << "http://localhost/appcast.xml" << true;
        QTest::newRow("IPv6 loopback http") << "http://[::1]:9000/appcast.xml" << true;
        QTest::newRow("remote http") << "http://updates.example.org/appcast.xml" << false;
        QTest::newRow("loopback-looking name") << "http://127.0.0.1.example.org/appcast.xml" << false;
        QTest::newRow("ftp") << "ftp://127.0.0.1/appcast.xml" << false;
        QTest::newRow("file") << "file:///tmp/appcast.xml" << false;
        QTest::newRow("no host") << "https:///appcast.xml" << false;
        QTest::newRow("not an address") << "appcast.xml" << false;
    }

    void acceptableFeedAddresses()
    {
        QFETCH(QString, address);
        QFETCH(bool, acceptable);
        QCOMPARE(UpdateFeedChecker::isAcceptableFeedUrl(QUrl(address, QUrl::StrictMode)), acceptable);
    }

    void withoutUsableFeedNothingIsChecked_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("no feed configured") << "";
        QTest::newRow("plain http to another host") << "http://updates.example.org/appcast.xml";
        QTest::newRow("not an address") << "::::";
    }

    void withoutUsableFeedNothingIsChecked()
    {
        QFETCH(QString, address);
        if (!address.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Update checks are off")));
        const auto controller = makeController(address);
        QCoreApplication::processEvents();
        QVERIFY(!controller->canCheckForUpdates());
        controller->checkForUpdates();
        controller->checkForUpdatesInBackground();
        QVERIFY(!controller->isChecking());
        QVERIFY(!controller->showingResult());
    }

    void canCheckOnceTheEventLoopHasTurned()
    {
        storeAutomaticChecks(false);
        LocalHttpServer server;
        const auto controller = makeController(feedAddress(server, "/appcast.xml"));
        QVERIFY(!controller->canCheckForUpdates());
        QTRY_VERIFY(controller->canCheckForUpdates());
        QVERIFY(!controller->isChecking());
        QCOMPARE(server.requests().size(), 0);
    }

    void userCheckReportsTheFeed_data()
    {
        QTest::addColumn<LocalHttpServer::Reply>("reply");
        QTest::addColumn<Expected>("expected");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("link");

        const QByteArray page = "https://example.org/quorvane/releases";
        const QByteArray sameBuild = installedVersion.toLatin1();
        const QByteArray nextBuild = QByteArray::number(installedBuild.toLongLong() + 1);

        QTest::newRow("newer version in elements")
            << LocalHttpServer::Reply { 200, {}, appcast(versionItem("999.1", page)) }
            << Expected::updateAvailable << "999.1" << QString::fromLatin1(page);
        QTest::newRow("newer version in enclosure attributes") << LocalHttpServer::Reply { 200, {},
            appcast(item("<link>" + page
                + "</link><enclosure url=\"https://example.org/q.deb\" sparkle:version=\"4321\" "
                  "sparkle:shortVersionString=\"999.2\" length=\"1\" type=\"application/octet-stream\"/>")) }
                                                               << Expected::updateAvailable << "999.2 (4321)"
                                                               << QString::fromLatin1(page);
        QTest::newRow("elements win over the enclosure")
            << LocalHttpServer::Reply { 200, {},
                   appcast(item("<sparkle:shortVersionString>999.3</sparkle:shortVersionString><link>" + page
                       + "</link><enclosure url=\"https://example.org/q.deb\" "
                         "sparkle:shortVersionString=\"0.0.1\"/>")) }
            << Expected::updateAvailable << "999.3" << QString::fromLatin1(page);
        QTest::newRow("newest of several, unusable items passed over")
            << LocalHttpServer::Reply { 200, {},
                   appcast(versionItem("1.0", page) + versionItem("999.5", page + "/999.5")
                       + versionItem("1000.x", page) + versionItem("999.4", page)) }
            << Expected::updateAvailable << "999.5" << QString::fromLatin1(page + "/999.5");
        QTest::newRow("same release, newer build")
            << LocalHttpServer::Reply { 200, {},
                   appcast(item("<sparkle:shortVersionString>" + sameBuild
                       + "</sparkle:shortVersionString><sparkle:version>" + nextBuild
                       + "</sparkle:version><link>" + page + "</link>")) }
            << Expected::updateAvailable
            << UpdateController::versionText(installedVersion, QString::fromLatin1(nextBuild))
            << QString::fromLatin1(page);
        QTest::newRow("same version and build") << LocalHttpServer::Reply { 200, {},
            appcast(item("<sparkle:shortVersionString>" + sameBuild
                + "</sparkle:shortVersionString><sparkle:version>" + installedBuild.toLatin1()
                + "</sparkle:version><link>" + page + "</link>")) }
                                                << Expected::upToDate << ""
                                                << "";
        QTest::newRow("same version without build")
            << LocalHttpServer::Reply { 200, {}, appcast(versionItem(sameBuild, page)) } << Expected::upToDate
            << ""
            << "";
        QTest::newRow("older version")
            << LocalHttpServer::Reply { 200, {}, appcast(versionItem("0.0.1", page)) } << Expected::upToDate
            << ""
            << "";
        QTest::newRow("feed without items")
            << LocalHttpServer::Reply { 200, {}, appcast({}) } << Expected::upToDate << ""
            << "";
        QTest::newRow("redirect on this machine")
            << LocalHttpServer::Reply { 302, "Location: {base}/moved.xml\r\n", {} }
            << Expected::updateAvailable << "999.6" << QString::fromLatin1(page);
    }

    // Six hops, each somewhere new: too many, not a loop; each asked for by name and version.
    void aLongRedirectChainIsNoLoop()
    {
        LocalHttpServer server;
        for (int hop = 0; hop < 6; ++hop)
            server.setReply(
                "/" + QByteArray::number(hop), { 302, "Location: /" + QByteArray::number(hop + 1) + "\r\n" });
        UpdateFeedChecker checker(server.baseUrl().resolved(QUrl(QStringLiteral("/0"))));
        std::optional<UpdateCheckOutcome> outcome;
        connect(&checker, &UpdateFeedChecker::finished, this,
            [&](const UpdateCheckOutcome &ended) { outcome = ended; });
        checker.check();
        QTRY_VERIFY(outcome);
        QCOMPARE(std::get<UpdateCheckFailure>(*outcome).kind, UpdateCheckFailure::Kind::tooManyRedirects);
        QCOMPARE(server.requests().constFirst().headers.value("user-agent"),
            "Quorvane/" QUORVANE_VERSION " Linux");
    }

    void feedOffersTheRightRelease_data()
    {
        // The version offered and the name of its page in the language; empty: nothing to offer.
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("offer");
        const auto en = AppLanguage::english;
        // An archive is no page to open.
        QTest::newRow("webponize.xml") << en << "2.3.0 at ";
        QTest::newRow("macboard.xml") << en << "1.5 at ";
        QTest::newRow("clashx-meta.xml") << en << "1.4.43 (1507) at ";
        QTest::newRow("dockdoor.xml") << en << "1.18.3 at CHANGELOG.html";
        QTest::newRow("written-systems-and-channels.xml") << en << "3.2 at linux";
        QTest::newRow("written-deltas-without-links.xml") << en << "2.1 (210) at ";
        QTest::newRow("written-nothing-for-linux.xml") << en << "";
        QTest::newRow("written-enclosure-per-system.xml") << en << "4.2 at ";
        QTest::newRow("written-release-notes-languages.xml") << en << "5.0 at en.html";
        QTest::newRow("written-release-notes-languages.xml zh")
            << AppLanguage::chinese << "5.0 at plain.html";
        QTest::newRow("written-other-namespace.xml") << en << "4.0.0-beta1 (6293) at beta";
        QTest::newRow("written-date-time-builds.xml") << en << "3.0 (20260714010203) at newest";
        QTest::newRow("written-lettered-builds.xml") << en << "2.3 (830b) at 830b";
    }

    void feedOffersTheRightRelease()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QString, offer);
        const QString file = QString::fromLatin1(QTest::currentDataTag()).section(u' ', 0, 0);
        const Result<std::optional<AppcastItem>> newest
            = readNewestAppcastItem(readFileBytes(QStringLiteral(QUORVANE_TEST_DATA "/appcasts/") + file));
        QVERIFY(newest);
        const std::optional<AppcastItem> &item = newest.value();
        QCOMPARE(item
                ? QStringLiteral("%1 at %2").arg(item->displayVersion(), item->page(language).fileName())
                : QString(),
            offer);
    }

    void userCheckReportsTheFeed()
    {
        QFETCH(LocalHttpServer::Reply, reply);
        QFETCH(Expected, expected);
        QFETCH(QString, detail);
        QFETCH(QString, link);

        storeAutomaticChecks(false);
        LocalHttpServer server;
        reply.headers.replace("{base}", server.baseUrl().toEncoded());
        server.setReply("/appcast.xml", reply);
        server.setReply("/moved.xml",
            { 200, {}, appcast(versionItem("999.6", "https://example.org/quorvane/releases")) });
        const auto controller = makeController(feedAddress(server, "/appcast.xml"));
        controller->setLanguage(AppLanguage::english);
        QTRY_VERIFY(controller->canCheckForUpdates());

        controller->checkForUpdates();
        QVERIFY(controller->isChecking());
        QTRY_VERIFY(!controller->isChecking());

        QVERIFY(controller->showingResult());
        QCOMPARE(controller->updateAvailable(), expected == Expected::updateAvailable);
        switch (expected) {
        case Expected::upToDate:
            QCOMPARE(controller->resultTitle(), QStringLiteral("You’re Up to Date"));
            QCOMPARE(controller->resultMessage(),
                QStringLiteral("Quorvane %1 is the newest version available.")
                    .arg(controller->currentVersion()));
            QVERIFY(controller->availableVersion().isEmpty());
            break;
        case Expected::updateAvailable:
            QCOMPARE(controller->resultTitle(), QStringLiteral("A New Version Is Available"));
            QCOMPARE(controller->availableVersion(), detail);
            QVERIFY(controller->resultMessage().contains(detail));
            controller->openReleasePage();
            QCOMPARE(m_openedUrls, QList<QUrl> { QUrl(link) });
            QVERIFY(!controller->showingResult());
            break;
        }
        // The checker is ready for the next check after any outcome.
        controller->checkForUpdates();
        QVERIFY(controller->isChecking());
        QTRY_VERIFY(!controller->isChecking());
    }

    void resultTextsFollowTheLanguage_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("dismiss");

        QTest::newRow("chinese, newer") << AppLanguage::chinese << QByteArray("999.1")
                                        << QStringLiteral("发现新版本") << QStringLiteral("稍后");
        QTest::newRow("english, newer")
            << AppLanguage::english << QByteArray("999.1") << QStringLiteral("A New Version Is Available")
            << QStringLiteral("Later");
        QTest::newRow("chinese, current") << AppLanguage::chinese << QByteArray("0.0.1")
                                          << QStringLiteral("已是最新版本") << QStringLiteral("好");
        QTest::newRow("english, current") << AppLanguage::english << QByteArray("0.0.1")
                                          << QStringLiteral("You’re Up to Date") << QStringLiteral("OK");
    }

    void resultTextsFollowTheLanguage()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QByteArray, version);
        QFETCH(QString, title);
        QFETCH(QString, dismiss);

        storeAutomaticChecks(false);
        LocalHttpServer server;
        server.setReply(
            "/appcast.xml", { 200, {}, appcast(versionItem(version, "https://example.org/releases")) });
        const auto controller = makeController(feedAddress(server, "/appcast.xml"));
        const AppLanguage other
            = language == AppLanguage::chinese ? AppLanguage::english : AppLanguage::chinese;
        controller->setLanguage(other);
        QTRY_VERIFY(controller->canCheckForUpdates());
        controller->checkForUpdates();
        QTRY_VERIFY(!controller->isChecking());

        QSignalSpy textsChanged(controller.get(), &UpdateController::resultChanged);
        controller->setLanguage(language);
        QCOMPARE(textsChanged.size(), 1);
        QCOMPARE(controller->resultTitle(), title);
        QCOMPARE(controller->dismissButtonTitle(), dismiss);
        QCOMPARE(controller->openPageButtonTitle(),
            localized(language, QStringLiteral("打开下载页面"), QStringLiteral("Open Download Page")));
    }

    void automaticChecksAreRemembered()
    {
        storeAutomaticChecks(false);
        QVERIFY(!makeController(QString())->automaticallyChecksForUpdates());
        storeAutomaticChecks(true);
        QVERIFY(makeController(QString())->automaticallyChecksForUpdates());
    }

    void backgroundCheckAtStart_data()
    {
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<int>("requests");
        QTest::addColumn<bool>("shown");

        QTest::newRow("off: no check") << false << QByteArray("999.1") << 0 << false;
        QTest::newRow("on, newer release: shown") << true << QByteArray("999.1") << 1 << true;
        QTest::newRow("on, up to date: quiet") << true << QByteArray("0.0.1") << 1 << false;
    }

    void backgroundCheckAtStart()
    {
        QFETCH(bool, automatic);
        QFETCH(QByteArray, version);
        QFETCH(int, requests);
        QFETCH(bool, shown);

        storeAutomaticChecks(automatic);
        LocalHttpServer server;
        server.setReply(
            "/appcast.xml", { 200, {}, appcast(versionItem(version, "https://example.org/releases")) });
        const auto controller = makeController(feedAddress(server, "/appcast.xml"));
        QTRY_VERIFY(controller->canCheckForUpdates());
        QTRY_VERIFY(!controller->isChecking());
        QCOMPARE(server.requests().size(), requests);
        QCOMPARE(controller->showingResult(), shown);
        QCOMPARE(controller->updateAvailable(), shown);
    }

    void backgroundFailureIsQuiet()
    {
        storeAutomaticChecks(true);
        LocalHttpServer server;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("HTTP 404")));
        const auto controller = makeController(feedAddress(server, "/missing.xml"));
        QTRY_COMPARE(server.requests().size(), 1);
        QTRY_VERIFY(!controller->isChecking());
        QVERIFY(!controller->showingResult());
    }

    void backgroundAnnouncesEachReleaseOnce()
    {
        storeAutomaticChecks(true);
        LocalHttpServer server;
        server.setReply(
            "/appcast.xml", { 200, {}, appcast(versionItem("999.1", "https://example.org/releases")) });
        const auto controller = makeController(feedAddress(server, "/appcast.xml"));
        QTRY_VERIFY(controller->showingResult());
        controller->setShowingResult(false);

        controller->checkForUpdatesInBackground();
        QTRY_VERIFY(!controller->isChecking());
        QCOMPARE(server.requests().size(), 2);
        QVERIFY(!controller->showingResult());

        controller->checkForUpdates();
        QTRY_VERIFY(!controller->isChecking());
        QCOMPARE(controller->availableVersion(), QStringLiteral("999.1"));
    }

    void userCheckJoinsARunningBackgroundCheck()
    {
        storeAutomaticChecks(true);
        LocalHttpServer server;
        server.hold();
        server.setReply(
            "/appcast.xml", { 200, {}, appcast(versionItem("0.0.1", "https://example.org/releases")) });
        const auto controller = makeController(feedAddress(server, "/appcast.xml"));
        QTRY_COMPARE(server.requests().size(), 1);
        QVERIFY(controller->isChecking());

        controller->checkForUpdates();
        QVERIFY(controller->showingResult());
        QCOMPARE(controller->resultTitle(), QStringLiteral("正在检查更新…"));
        server.release();
        QTRY_VERIFY(!controller->isChecking());
        QCOMPARE(server.requests().size(), 1);
        QVERIFY(controller->showingResult());
        QVERIFY(!controller->updateAvailable());
    }

    void cancelStopsTheCheck()
    {
        storeAutomaticChecks(false);
        LocalHttpServer server;
        server.hold();
        server.setReply("/appcast.xml", { 200, {}, appcast(versionItem("999.1", "https://example.org/r")) });
        const auto controller = makeController(feedAddress(server, "/appcast.xml"));
        controller->setLanguage(AppLanguage::english);
        QTRY_VERIFY(controller->canCheckForUpdates());
        controller->checkForUpdates();
        QTRY_COMPARE(server.requests().size(), 1);
        QCOMPARE(controller->dismissButtonTitle(), QStringLiteral("Cancel"));
        controller->setShowingResult(false);
        QVERIFY(!controller->isChecking());
        QVERIFY(!controller->showingResult());
    }

    void switchingAutomaticChecksOffAnnouncesTheChange()
    {
        storeAutomaticChecks(true);
        const auto controller = makeController(QString());
        QSignalSpy changed(controller.get(), &UpdateController::automaticallyChecksForUpdatesChanged);
        controller->setAutomaticallyChecksForUpdates(false);
        controller->setAutomaticallyChecksForUpdates(false);
        QCOMPARE(changed.size(), 1);
        QVERIFY(!controller->automaticallyChecksForUpdates());
        QVERIFY(!QSettings().value(QStringLiteral("updates/automaticallyChecksForUpdates")).toBool());
    }
};

QUORVANE_TEST_GUILESS_MAIN(UpdateControllerTest)
#include "tst_update_controller.moc"
