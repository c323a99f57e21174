#include "ControllerHarness.h"
#include "DeveloperCornerController.h"
#include "LocalHttpServer.h"
#include "services/UpdateController.h"
#include "services/UpdateFeedChecker.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int generousWaitMs = 20'000;
// A checkout goes to the server with the certificate that nobody trusts.
enum class Target { update, letter, checkout, checkoutOverUntrustedTls };

LocalHttpServer::Reply scripted(LocalHttpServer::Reply reply, void (*adjust)(LocalHttpServer::Reply &))
{
    adjust(reply);
    return reply;
}

} // namespace

Q_DECLARE_METATYPE(Target)
Q_DECLARE_METATYPE(AppLanguage)
Q_DECLARE_METATYPE(LocalHttpServer::Reply)

// What the user reads when a server misbehaves, for the update check and the developer corner alike.
class NetworkFailureMessagesTest : public QObject
{
    Q_OBJECT

private:
    TemporaryDataHome m_home;

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("QuorvaneTests"));
        QCoreApplication::setApplicationName(QStringLiteral("NetworkFailureMessagesTest"));
    }

    void theUserReadsWhatWentWrong_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<LocalHttpServer::Reply>("reply");
        // The check's one deadline passes once the server has the request.
        QTest::addColumn<bool>("outlivesDeadline");
        QTest::addColumn<AppLanguage>("language");
        // Empty: the letter arrived.
        QTest::addColumn<QString>("message");

        using Reply = LocalHttpServer::Reply;
        const auto zh = AppLanguage::chinese;
        const auto en = AppLanguage::english;
        const Reply stall = scripted({}, [](Reply &r) { r.stalls = true; });
        const Reply trickle = scripted(
            LocalHttpServer::reply(200, QByteArray(4096, ' ')), [](Reply &r) { r.trickleIntervalMs = 50; });
        const Reply reset = scripted({}, [](Reply &r) { r.drops = true; });
        const Reply early413
            = scripted(LocalHttpServer::reply(413), [](Reply &r) { r.answersBeforeBody = true; });
        const QString late = QStringLiteral("更新服务器在一分钟内没有答复，请稍后再试。");
        const QString insecure = QStringLiteral("无法与更新服务器建立安全连接，因此没有读取任何更新信息。");
        const QString tooLarge
            = QStringLiteral("这封信和它的图片太大，服务器无法接收；请去掉一些图片后再寄。");

        QTest::newRow("slow headers") << Target::update << stall << true << zh << late;
        QTest::newRow("slow headers, English") << Target::update << stall << true << en
                                               << "The update server did not answer within a minute; please "
                                                  "try again later.";
        QTest::newRow("trickled body") << Target::update << trickle << true << zh << late;
        QTest::newRow("reset") << Target::update << reset << false << zh
                               << QStringLiteral("无法连接到更新服务器，请检查网络连接后稍后再试。");
        QTest::newRow("redirect to http")
            << Target::update
            << LocalHttpServer::reply(302, {}, "Location: http://updates.example.org/appcast.xml\r\n")
            << false << zh << insecure;
        QTest::newRow("redirect to another host with a bad certificate")
            << Target::update << LocalHttpServer::reply(302, {}, "Location: {tls}/appcast.xml\r\n") << false
            << zh << insecure;
        QTest::newRow("early 413") << Target::letter << early413 << false << zh << tooLarge;
        QTest::newRow("early 413, English") << Target::letter << early413 << false << en
                                            << "The letter and its images are too large for the server; "
                                               "remove some images and send it again.";
        QTest::newRow("oversized 2xx")
            << Target::letter << LocalHttpServer::reply(200, QByteArray(200 * 1024, 'x')) << false << zh
            << QString();
        QTest::newRow("2xx cut off") << Target::letter << scripted({}, [](Reply &r) {
            r.raw = "HTTP/1.1 200 OK\r\nContent-Length: 900\r\n\r\nshort";
        }) << false << zh << QString();
        QTest::newRow("bad certificate")
            << Target::checkoutOverUntrustedTls << LocalHttpServer::reply(200) << false << zh
            << QStringLiteral("无法与服务器建立安全连接，因此什么也没有发送。");
        QTest::newRow("checkout reply not JSON")
            << Target::checkout << LocalHttpServer::reply(200, "{\"url\": nope}") << false << zh
            << QStringLiteral("安全支付暂时不可用，请稍后再试。");
    }

    void theUserReadsWhatWentWrong()
    {
        QFETCH(Target, target);
        QFETCH(LocalHttpServer::Reply, reply);
        QFETCH(bool, outlivesDeadline);
        QFETCH(AppLanguage, language);
        QFETCH(QString, message);

        LocalHttpServer server;
        LocalHttpServer tlsServer(LocalHttpServer::Transport::https);
        QUrl otherHost = tlsServer.baseUrl();
        otherHost.setHost(QStringLiteral("localhost"));
        reply.headers.replace("{tls}", otherHost.toEncoded());
        const QByteArray path = target == Target::update ? "/appcast.xml"
            : target == Target::letter                   ? "/account/quorvane-contact"
                                                         : "/payment/quorvane-donation-checkout";
        server.setReply(path, reply);
        tlsServer.setReply(path, reply);

        if (target == Target::update) {
            auto deadline = std::make_unique<FakeOneShotTimer>();
            FakeOneShotTimer &clock = *deadline;
            UpdateController updates(server.baseUrl().toString() + QLatin1StringView(path), {}, nullptr,
                nullptr, std::move(deadline));
            updates.setLanguage(language);
            QTRY_VERIFY(updates.canCheckForUpdates());
            updates.checkForUpdates();
            if (outlivesDeadline) {
                QTRY_COMPARE_WITH_TIMEOUT(server.requests().size(), 1, generousWaitMs);
                clock.advance(UpdateFeedChecker::deadline);
            }
            QTRY_VERIFY_WITH_TIMEOUT(!updates.isChecking(), generousWaitMs);
            QCOMPARE(updates.resultMessage(), message);
            return;
        }

        ControllerHarness harness;
        AppPreferences preferences;
        preferences.language = language;
        QVERIFY(AppStorageService::savePreferences(preferences, harness.root()).ok());
        AppController &controller = harness.start([&](AppControllerSeams &seams) {
            seams.developerCorner.baseUrl
                = target == Target::checkoutOverUntrustedTls ? tlsServer.baseUrl() : server.baseUrl();
            seams.developerCorner.checkoutHost = QStringLiteral("checkout.example.com");
        });
        DeveloperCornerController corner;
        corner.setController(&controller);
        if (target == Target::letter) {
            // Two attachments near the limit: the server answers long before it could have read them.
            QTemporaryDir folder;
            QStringList files;
            for (const char *name : { "a.png", "b.png" }) {
                QFile file(folder.filePath(QLatin1StringView(name)));
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(QByteArray(DeveloperCornerController::maximumImageBytes, 'q'));
                files.append(file.fileName());
            }
            corner.addImageFiles(files);
            corner.setEmail(QStringLiteral("reader@example.com"));
            corner.setMessage(QStringLiteral("Hello"));
            corner.sendFeedback();
        } else {
            corner.setAmount(QStringLiteral("5"));
            corner.beginDonation();
        }
        QTRY_VERIFY_WITH_TIMEOUT(!corner.sending() && !corner.creatingCheckout(), generousWaitMs);
        QCOMPARE(corner.alertMessage(), message);
        QCOMPARE(corner.sent(), target == Target::letter && message.isEmpty());
    }
};

QTEST_GUILESS_MAIN(NetworkFailureMessagesTest)
#include "tst_network_failure_messages.moc"
