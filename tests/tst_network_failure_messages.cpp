#include "ControllerHarness.h"
#include "DeveloperCornerController.h"
#include "LocalHttpServer.h"
#include "services/UpdateController.h"
#include "services/UpdateFeedChecker.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Reply = LocalHttpServer::Reply;
// The bad certificate's checkout goes to the server that nobody trusts.
enum class Target { update, letter, checkout, untrustedCheckout };
Q_DECLARE_METATYPE(Target)
Q_DECLARE_METATYPE(AppLanguage)
Q_DECLARE_METATYPE(Reply)

// What the user reads when a server misbehaves, for the update check and the developer corner alike.
class NetworkFailureMessagesTest : public QObject
{
    Q_OBJECT

    TemporaryDataHome m_home;

private slots:
    void theUserReadsWhatWentWrong_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<Reply>("reply");
        QTest::addColumn<AppLanguage>("language");
        // Empty: the letter arrived.
        QTest::addColumn<QString>("message");

        const auto zh = AppLanguage::chinese;
        const Reply stall { .stalls = true };
        const Reply early413 { .status = 413, .answersBeforeBody = true };
        const QString late = u"更新服务器在一分钟内没有答复，请稍后再试。"_s;
        const QString insecure = u"无法与更新服务器建立安全连接，因此没有读取任何更新信息。"_s;
        QTest::newRow("slow headers") << Target::update << stall << zh << late;
        QTest::newRow("slow headers, English") << Target::update << stall << AppLanguage::english
                                               << u"The update server did not answer within a minute; please "
                                                  "try again later."_s;
        QTest::newRow("trickled body")
            << Target::update << Reply { .body = QByteArray(4096, ' '), .trickleIntervalMs = 50 } << zh
            << late;
        QTest::newRow("reset") << Target::update << Reply { .drops = true } << zh
                               << u"无法连接到更新服务器，请检查网络连接后稍后再试。"_s;
        QTest::newRow("redirect to http")
            << Target::update << Reply { 302, "Location: http://updates.example.org/appcast.xml\r\n" } << zh
            << insecure;
        QTest::newRow("redirect to another host with a bad certificate")
            << Target::update << Reply { 302, "Location: {tls}\r\n" } << zh << insecure;
        const QString notAFeed = u"更新服务器的答复不是可以读取的更新信息。"_s;
        const QString tooLarge = u"更新服务器的答复太大，不像是更新信息。"_s;
        const QByteArray oversized(UpdateFeedChecker::maximumReplyBytes + 1, 'x');
        QTest::newRow("not well-formed")
            << Target::update << Reply { .body = "<rss></chanel>" } << zh << notAFeed;
        QTest::newRow("document type declared")
            << Target::update << Reply { .body = "<!DOCTYPE rss [<!ENTITY a \"a\">]><rss>&a;</rss>" } << zh
            << notAFeed;
        QTest::newRow("not found") << Target::update << Reply { 404 } << zh
                                   << u"更新服务器拒绝了请求（代码 404）。"_s;
        QTest::newRow("server fault")
            << Target::update << Reply { 500 } << zh << u"更新服务器出错了（代码 500），请稍后再试。"_s;
        QTest::newRow("feed too large") << Target::update << Reply { .body = oversized } << zh << tooLarge;
        QTest::newRow("feed too large, no length")
            << Target::update << Reply { .body = oversized, .sendsLength = false } << zh << tooLarge;
        QTest::newRow("early 413") << Target::letter << early413 << zh
                                   << u"这封信和它的图片太大，服务器无法接收；请去掉一些图片后再寄。"_s;
        QTest::newRow("early 413, English") << Target::letter << early413 << AppLanguage::english
                                            << u"The letter and its images are too large for the server; "
                                               "remove some images and send it again."_s;
        QTest::newRow("oversized 2xx")
            << Target::letter << Reply { .body = QByteArray(200'000, 'x') } << zh << QString();
        QTest::newRow("2xx cut off") << Target::letter
                                     << Reply { .raw = "HTTP/1.1 200 OK\r\nContent-Length: 900\r\n\r\nshort" }
                                     << zh << QString();
        QTest::newRow("bad certificate") << Target::untrustedCheckout << Reply {} << zh
                                         << u"无法与服务器建立安全连接，因此什么也没有发送。"_s;
        QTest::newRow("checkout reply not JSON") << Target::checkout << Reply { .body = "{\"url\": nope}" }
                                                 << zh << u"安全支付暂时不可用，请稍后再试。"_s;
    }

    void theUserReadsWhatWentWrong()
    {
        QFETCH(Target, target);
        QFETCH(Reply, reply);
        QFETCH(AppLanguage, language);
        QFETCH(QString, message);

        LocalHttpServer server;
        LocalHttpServer tlsServer(LocalHttpServer::Transport::https);
        QUrl otherHost = tlsServer.baseUrl();
        otherHost.setHost(QStringLiteral("localhost"));
        reply.headers.replace("{tls}", otherHost.toEncoded());
        for (const QByteArray path :
            { "/feed", "/account/quorvane-contact", "/payment/quorvane-donation-checkout" })
            server.setReply(path, reply);

        if (target == Target::update) {
            auto ownedDeadline = std::make_unique<FakeOneShotTimer>();
            FakeOneShotTimer *deadline = ownedDeadline.get();
            UpdateController updates(
                server.baseUrl().toString() + u"/feed"_s, {}, nullptr, nullptr, std::move(ownedDeadline));
            updates.setLanguage(language);
            QTRY_VERIFY(updates.canCheckForUpdates());
            updates.checkForUpdates();
            // Only a server that is still at it when the check's one deadline passes.
            if (reply.stalls || reply.trickleIntervalMs > 0) {
                QTRY_COMPARE(server.requests().size(), 1);
                deadline->advance(UpdateFeedChecker::deadline);
            }
            QTRY_VERIFY_WITH_TIMEOUT(!updates.isChecking(), 20'000);
            QCOMPARE(updates.resultMessage(), message);
            return;
        }

        ControllerHarness harness;
        AppPreferences preferences;
        preferences.language = language;
        QVERIFY(AppStorageService::savePreferences(preferences, harness.root()).ok());
        AppController &controller = harness.start([&](AppControllerSeams &seams) {
            seams.developerCorner.baseUrl
                = target == Target::untrustedCheckout ? tlsServer.baseUrl() : server.baseUrl();
            seams.developerCorner.checkoutHost = QStringLiteral("checkout.example.com");
        });
        DeveloperCornerController corner;
        corner.setController(&controller);
        // Two large attachments: a server answering early has read little of them.
        const QString picture = m_home.filePath(QStringLiteral("large.png"));
        QVERIFY(writeFileBytes(picture, QByteArray(DeveloperCornerController::maximumImageBytes, 'q')));
        corner.addImageFiles({ picture, picture });
        corner.setEmail(QStringLiteral("reader@example.com"));
        corner.setMessage(QStringLiteral("Hello"));
        corner.setAmount(QStringLiteral("5"));
        target == Target::letter ? corner.sendFeedback() : corner.beginDonation();
        QTRY_VERIFY_WITH_TIMEOUT(!corner.sending() && !corner.creatingCheckout(), 20'000);
        QCOMPARE(corner.alertMessage(), message);
        QCOMPARE(corner.sent(), message.isEmpty());
    }
};

QTEST_GUILESS_MAIN(NetworkFailureMessagesTest)
#include "tst_network_failure_messages.moc"
