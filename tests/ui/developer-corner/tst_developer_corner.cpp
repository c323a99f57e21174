#include "ControllerHarness.h"
#include "LocalHttpServer.h"
#include "MediaFixtures.h"
#include "TestProgram.h"
#include "core/MediaTypes.h"
#include "network/DeveloperCornerService.h"
#include "network/SingleHttpPost.h"
#include "network/UpdateController.h"
#include "network/UpdateFeedChecker.h"
#include "ui/developer-corner/DeveloperCornerController.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Reply = LocalHttpServer::Reply;
// Where a request goes; the bad certificate's checkout goes to a server that nobody trusts.
enum class Target { update, updateDuringBreak, letter, bareLetter, checkout, untrustedCheckout };

namespace {

const QString checkoutPage = QStringLiteral("https://checkout.example.com/c/pay");
const QString website = QStringLiteral("https://mirenvale.example.com/");
constexpr qint64 limit = DeveloperCornerController::maximumImageBytes;

using MediaFixtures::pngBytes;

// A controller over a local server that answers both requests, and the files a test picks.
class CornerSession
{
public:
    // `base`: the web service's address, when not the session's own server; `feedPath`: the update feed's
    // path on the session's server, none for no feed.
    explicit CornerSession(
        AppLanguage language = AppLanguage::chinese, const QUrl &base = {}, const QString &feedPath = {})
    {
        server.setReply(letterPath, LocalHttpServer::reply(204));
        server.setReply(checkoutPath,
            LocalHttpServer::reply(200, QStringLiteral("{\"url\":\"%1\"}").arg(checkoutPage).toUtf8()));
        AppPreferences preferences;
        preferences.language = language;
        [&] { QVERIFY(AppStorageService::savePreferences(preferences, harness.root()).ok()); }();
        controller = &harness.start([this, &base, &feedPath](AppControllerSeams &seams) {
            if (!feedPath.isEmpty())
                seams.updateFeedAddress = server.baseUrl().toString() + feedPath;
            seams.developerCorner.deadlineTimers = deadlines.factory();
            seams.developerCorner.baseUrl = base.isEmpty() ? server.baseUrl() : base;
            seams.developerCorner.checkoutHost = QStringLiteral("checkout.example.com");
            seams.developerCorner.websiteUrl = websiteUrl;
        });
        corner = open();
    }

    std::unique_ptr<DeveloperCornerController> open()
    {
        auto made = std::make_unique<DeveloperCornerController>();
        made->setController(controller);
        return made;
    }

    void setLanguage(AppLanguage language)
    {
        AppPreferences preferences = controller->preferences();
        preferences.language = language;
        QVERIFY(controller->savePreferences(preferences));
    }

    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = folder.filePath(name);
        QFile out(path);
        [&] {
            QVERIFY(out.open(QIODevice::WriteOnly));
            QCOMPARE(out.write(bytes), bytes.size());
        }();
        return path;
    }

    // The web client's requests, whether or not anyone is left to hear of them.
    bool requestsInFlight() const
    {
        return !controller->developerCornerService().findChildren<SingleHttpPost *>().isEmpty();
    }

    QJsonObject lastBody() const
    {
        return QJsonDocument::fromJson(server.requests().constLast().body).object();
    }

    void sendValidLetter()
    {
        corner->setEmail(QStringLiteral("reader@example.com"));
        corner->setMessage(QStringLiteral("Hello"));
        corner->sendFeedback();
    }

    QUrl websiteUrl = QUrl(website);
    QTemporaryDir folder;
    LocalHttpServer server;
    FakeTimeline deadlines;
    ControllerHarness harness;
    AppController *controller = nullptr;
    std::unique_ptr<DeveloperCornerController> corner;
};

void waitUntilIdle(const DeveloperCornerController &corner)
{
    QTRY_VERIFY_WITH_TIMEOUT(!corner.sending() && !corner.creatingCheckout(), generousWaitMs);
}

QStringList namesOf(const QList<FeedbackImage> &images)
{
    QStringList names;
    for (const FeedbackImage &image : images)
        names.append(image.name);
    return names;
}

} // namespace

class DeveloperCornerTest : public QObject
{
    Q_OBJECT

private slots:
    void eachPresentationStartsFresh()
    {
        CornerSession session;
        DeveloperCornerController &first = *session.corner;
        first.selectSection(QStringLiteral("support"));
        first.setAmount(QStringLiteral("12"));
        first.setEmail(QStringLiteral("reader@example.com"));
        first.setMessage(QStringLiteral("Hello"));
        first.addImageFiles({ session.file(QStringLiteral("a.png"), pngBytes()) });
        first.sendFeedback();
        waitUntilIdle(first);
        QVERIFY(first.sent());
        first.beginDonation();
        QVERIFY(first.creatingCheckout());
        waitUntilIdle(first);

        const auto next = session.open();
        QCOMPARE(next->section(), DeveloperCornerSection::letter);
        QCOMPARE(next->email(), QString());
        QCOMPARE(next->message(), QString());
        QVERIFY(next->images().isEmpty());
        QVERIFY(!next->sending());
        QVERIFY(!next->sent());
        QCOMPARE(next->amount(), QString());
        QVERIFY(!next->creatingCheckout());
        QVERIFY(!next->showingAlert());
        QCOMPARE(next->alertTitle(), QString());
    }

    void switchingSectionsKeepsEveryField_data()
    {
        QTest::addColumn<QStringList>("visits");
        QTest::newRow("to the letter and back") << QStringList { u"letter"_s, u"support"_s };
        QTest::newRow("through every section") << QStringList { u"story"_s, u"letter"_s, u"support"_s };
        QTest::newRow("an unknown name") << QStringList { u"coffee"_s, u"support"_s };
    }

    void switchingSectionsKeepsEveryField()
    {
        QFETCH(QStringList, visits);
        CornerSession session;
        DeveloperCornerController &corner = *session.corner;
        corner.selectSection(QStringLiteral("support"));
        corner.setAmount(QStringLiteral("12,5"));
        corner.setEmail(QStringLiteral("a@b.c"));
        corner.setMessage(QStringLiteral("draft"));
        corner.addImageFiles({ session.file(QStringLiteral("a.png"), pngBytes()) });
        for (const QString &section : visits)
            corner.selectSection(section);
        QCOMPARE(corner.sectionName(), QStringLiteral("support"));
        QCOMPARE(corner.amount(), QStringLiteral("12,5"));
        QCOMPARE(corner.email(), QStringLiteral("a@b.c"));
        QCOMPARE(corner.message(), QStringLiteral("draft"));
        QCOMPARE(corner.images().size(), 1);
    }

    void pressingTheSelectedSectionChangesNothing_data()
    {
        QTest::addColumn<QString>("section");
        for (const QString &section : DeveloperCornerController::sectionNames())
            QTest::newRow(qPrintable(section)) << section;
    }

    void pressingTheSelectedSectionChangesNothing()
    {
        QFETCH(QString, section);
        CornerSession session;
        DeveloperCornerController &corner = *session.corner;
        corner.selectSection(section);
        corner.setAmount(QStringLiteral("7"));
        QSignalSpy changes(&corner, &DeveloperCornerController::sectionChanged);
        corner.selectSection(section);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(corner.sectionName(), section);
        QCOMPARE(corner.amount(), QStringLiteral("7"));
    }

    void aLateReplyChangesNoSheet_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("checkout created") << 200;
        QTest::newRow("checkout refused") << 500;
    }

    void aLateReplyChangesNoSheet()
    {
        QFETCH(int, status);
        CornerSession session(AppLanguage::english);
        if (status != 200) {
            session.server.setReply(checkoutPath, LocalHttpServer::reply(status));
        }
        session.server.hold();
        session.corner->setAmount(QStringLiteral("5"));
        session.corner->beginDonation();
        QTRY_COMPARE_WITH_TIMEOUT(session.server.requests().size(), 1, generousWaitMs);
        session.corner.reset();
        const auto next = session.open();
        session.server.release();
        QTRY_VERIFY_WITH_TIMEOUT(!session.requestsInFlight(), generousWaitMs);

        // Not even the checkout page opens: the sheet that asked for it is gone.
        QVERIFY(session.harness.workspace->openedUrls.isEmpty());
        QVERIFY(!next->showingAlert());
        QVERIFY(!next->sent());
        QVERIFY(!next->sending());
        QVERIFY(!next->creatingCheckout());
        QVERIFY(!session.controller->sheets()->showingAlert());
    }

    void choosingImagesAsksForImages()
    {
        CornerSession session(AppLanguage::english);
        session.harness.picker->selection = { session.file(QStringLiteral("a.png"), pngBytes()) };
        session.corner->chooseImages();
        QCOMPARE(session.harness.picker->shown, 1);
        QCOMPARE(session.harness.picker->lastTitle, QStringLiteral("Add Images"));
        QCOMPARE(session.harness.picker->lastFilters,
            QList<FileTypeFilter>({ { u"Images"_s, MediaTypes::nameFilters(MediaKind::image) } }));
        QCOMPARE(namesOf(session.corner->images()), QStringList { u"a.png"_s });

        session.harness.picker->selection.clear();
        session.corner->chooseImages();
        QCOMPARE(session.corner->images().size(), 1);
    }

    void onlyTheFilesThatFitAreConsidered_data()
    {
        // Picked files are named by what they hold: "ok" a small image, "big" one byte over the limit,
        // "edge" exactly at the limit, "sparse" a 4 GiB hole, "gone" a missing file, "dir" a folder.
        QTest::addColumn<int>("attached");
        QTest::addColumn<QStringList>("picked");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<bool>("tooLarge");
        QTest::newRow("1 attached, 5 picked")
            << 1 << QStringList { u"ok1"_s, u"ok2"_s, u"ok3"_s, u"ok4"_s, u"ok5"_s }
            << QStringList { u"ok1"_s, u"ok2"_s } << false;
        QTest::newRow("one too large beside a good one")
            << 1 << QStringList { u"big"_s, u"ok1"_s, u"ok2"_s } << QStringList { u"ok1"_s } << true;
        QTest::newRow("exactly the limit")
            << 0 << QStringList { u"edge"_s } << QStringList { u"edge"_s } << false;
        QTest::newRow("a sparse 4 GiB picture")
            << 0 << QStringList { u"sparse"_s, u"ok1"_s } << QStringList { u"ok1"_s } << true;
        QTest::newRow("unreadable ones skipped silently")
            << 0 << QStringList { u"gone"_s, u"dir"_s, u"ok1"_s } << QStringList { u"ok1"_s } << false;
        QTest::newRow("no room left") << 3 << QStringList { u"ok1"_s } << QStringList {} << false;
    }

    void onlyTheFilesThatFitAreConsidered()
    {
        QFETCH(int, attached);
        QFETCH(QStringList, picked);
        QFETCH(QStringList, added);
        QFETCH(bool, tooLarge);
        CornerSession session(AppLanguage::english);
        DeveloperCornerController &corner = *session.corner;
        for (int i = 0; i < attached; ++i)
            corner.addImageFiles({ session.file(QStringLiteral("before%1.png").arg(i), pngBytes()) });
        QStringList paths;
        for (const QString &kind : picked) {
            if (kind.startsWith(u"ok")) {
                paths.append(session.file(kind, pngBytes()));
            } else if (kind == u"big") {
                paths.append(session.file(kind, QByteArray(limit + 1, 'x')));
            } else if (kind == u"edge") {
                paths.append(session.file(kind, QByteArray(limit, 'x')));
            } else if (kind == u"sparse") {
                QFile sparse(session.folder.filePath(QStringLiteral("big.png")));
                QVERIFY(sparse.open(QIODevice::WriteOnly));
                QVERIFY(sparse.resize(qint64(4) * 1024 * 1024 * 1024));
                paths.append(sparse.fileName());
            } else if (kind == u"gone") {
                paths.append(session.folder.filePath(kind));
            } else {
                QVERIFY(QDir(session.folder.path()).mkdir(kind));
                paths.append(session.folder.filePath(kind));
            }
        }
        corner.addImageFiles(paths);

        QCOMPARE(namesOf(corner.images()).mid(attached), added);
        QCOMPARE(corner.images().size(), attached + added.size());
        QCOMPARE(corner.showingAlert(), tooLarge);
        if (tooLarge) {
            QCOMPARE(corner.alertTitle(), QStringLiteral("Image Too Large"));
            QCOMPARE(corner.alertMessage(), QStringLiteral("Each image must be 5MB or smaller."));
        }
        QCOMPARE(corner.canAddImages(), corner.images().size() < 3);
        for (const FeedbackImage &image : corner.images())
            QVERIFY(image.data.size() <= limit);
    }

    void typeFollowsTheExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("mimeType");
        QTest::newRow("png") << u"shot.png"_s << u"image/png"_s;
        QTest::newRow("upper-case JPG") << u"shot.JPG"_s << u"image/jpeg"_s;
        QTest::newRow("gif") << u"shot.gif"_s << u"image/gif"_s;
        QTest::newRow("no extension") << u"shot"_s << u"image/jpeg"_s;
        QTest::newRow("unknown extension") << u"shot.qzqzq"_s << u"image/jpeg"_s;
    }

    void typeFollowsTheExtension()
    {
        QFETCH(QString, name);
        QFETCH(QString, mimeType);
        CornerSession session;
        session.corner->addImageFiles({ session.file(name, pngBytes()) });
        QCOMPARE(session.corner->images().size(), 1);
        QCOMPARE(session.corner->images().constFirst().name, name);
        QCOMPARE(session.corner->images().constFirst().mimeType, mimeType);
    }

    void previewsAreDecodedAtTileSize_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("previewSize");
        QTest::newRow("wide") << pngBytes(400, 100) << QSize(272, 68);
        QTest::newRow("tall") << pngBytes(100, 400) << QSize(94, 376);
        QTest::newRow("small") << pngBytes(47, 34) << QSize(94, 68);
        QTest::newRow("not a picture") << QByteArray("\x89PNG but not really") << QSize(0, 0);
    }

    void previewsAreDecodedAtTileSize()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, previewSize);
        CornerSession session;
        session.corner->addImageFiles({ session.file(QStringLiteral("p.png"), bytes) });
        QCOMPARE(session.corner->images().size(), 1);
        const QVariantMap entry = session.corner->imageEntries().constFirst().toMap();
        const QString id = entry.value(QStringLiteral("id")).toString();
        QCOMPARE(entry.value(QStringLiteral("hasPreview")).toBool(), !previewSize.isEmpty());
        QCOMPARE(DeveloperCornerController::preview(id).size(), previewSize);
        session.corner->removeImage(id);
        QVERIFY(DeveloperCornerController::preview(id).isNull());
    }

    void removingOneOfTwoNamesakesKeepsTheOther()
    {
        CornerSession session;
        const QString path = session.file(QStringLiteral("same.png"), pngBytes());
        session.corner->addImageFiles({ path, path });
        const QList<FeedbackImage> images = session.corner->images();
        QCOMPARE(namesOf(images), (QStringList { u"same.png"_s, u"same.png"_s }));
        QVERIFY(images[0].id != images[1].id);
        session.corner->removeImage(images[0].id.toString(QUuid::WithoutBraces));
        QCOMPARE(session.corner->images().size(), 1);
        QCOMPARE(session.corner->images().constFirst().id, images[1].id);
        session.corner->removeImage(QStringLiteral("not an id"));
        QCOMPARE(session.corner->images().size(), 1);
    }

    void aLetterIsCheckedBeforeItGoes_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("alert");
        const QString emailEnglish = QStringLiteral("Enter a valid email so we can reply.");
        const QString messageEnglish = QStringLiteral("Tell us what happened or what you'd like us to know.");
        QTest::newRow("blank e-mail, empty message, e-mail first")
            << AppLanguage::english << u"   "_s << u""_s << u"Email Required"_s << emailEnglish;
        QTest::newRow("no dot in the domain")
            << AppLanguage::english << u"a@b"_s << u"hi"_s << u"Email Required"_s << emailEnglish;
        QTest::newRow("message of blanks and line breaks")
            << AppLanguage::english << u"a@b.c"_s << u" \n\t\n "_s << u"Message Required"_s << messageEnglish;
        QTest::newRow("Chinese e-mail") << AppLanguage::chinese << u""_s << u"hi"_s << u"请填写邮箱"_s
                                        << u"请留下一个有效邮箱，以便我们回复。"_s;
        QTest::newRow("Chinese message") << AppLanguage::chinese << u"a@b.c"_s << u""_s << u"还没有内容"_s
                                         << u"请写下你遇到的问题或想告诉我们的事。"_s;
    }

    void aLetterIsCheckedBeforeItGoes()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QString, email);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QFETCH(QString, alert);
        CornerSession session(language);
        DeveloperCornerController &corner = *session.corner;
        corner.setEmail(email);
        corner.setMessage(message);
        corner.sendFeedback();
        QVERIFY(!corner.sending());
        QVERIFY(corner.showingAlert());
        QCOMPARE(corner.alertTitle(), title);
        QCOMPARE(corner.alertMessage(), alert);
        QCoreApplication::processEvents();
        QVERIFY(session.server.requests().isEmpty());
    }

    void aSentLetterShowsTheCardAndEmptiesTheImages()
    {
        CornerSession session;
        DeveloperCornerController &corner = *session.corner;
        corner.addImageFiles({ session.file(QStringLiteral("first.png"), pngBytes()) });
        session.server.hold();
        corner.setEmail(QStringLiteral(" reader@example.com "));
        corner.setMessage(QStringLiteral("\nHello\n"));
        corner.sendFeedback();
        QVERIFY(corner.sending());
        QTRY_COMPARE_WITH_TIMEOUT(session.server.requests().size(), 1, generousWaitMs);
        // In flight: a second press is ignored, and a new image is not part of this letter.
        corner.sendFeedback();
        corner.addImageFiles({ session.file(QStringLiteral("later.png"), pngBytes()) });
        QCOMPARE(corner.images().size(), 2);
        session.server.release();
        waitUntilIdle(corner);

        QCOMPARE(session.server.requests().size(), 1);
        const QJsonArray attachments = session.lastBody().value(QStringLiteral("attachments")).toArray();
        QCOMPARE(attachments.size(), 1);
        QCOMPARE(attachments[0].toObject().value(QStringLiteral("filename")).toString(),
            QStringLiteral("first.png"));
        QVERIFY(corner.sent());
        QVERIFY(!corner.showingAlert());
        QVERIFY(corner.images().isEmpty());
        QCOMPARE(corner.email(), QStringLiteral(" reader@example.com "));
        QCOMPARE(corner.message(), QStringLiteral("\nHello\n"));
    }

    void aFailedLetterKeepsEverything_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("English")
            << AppLanguage::english << u"Could Not Send"_s
            << u"The Mirenvale support service is temporarily unavailable; please try again "
               "later."_s;
        QTest::newRow("Chinese") << AppLanguage::chinese << u"暂时寄不出去"_s
                                 << u"Mirenvale 支持服务暂时不可用，请稍后再试。"_s;
    }

    void aFailedLetterKeepsEverything()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QString, title);
        QFETCH(QString, message);
        CornerSession session(language);
        session.server.setReply(letterPath, LocalHttpServer::reply(500));
        DeveloperCornerController &corner = *session.corner;
        corner.addImageFiles({ session.file(QStringLiteral("a.png"), pngBytes()) });
        session.sendValidLetter();
        waitUntilIdle(corner);
        QVERIFY(corner.showingAlert());
        QCOMPARE(corner.alertTitle(), title);
        QCOMPARE(corner.alertMessage(), message);
        QVERIFY(!corner.sent());
        QCOMPARE(corner.images().size(), 1);
        QCOMPARE(corner.email(), QStringLiteral("reader@example.com"));
        QCOMPARE(corner.message(), QStringLiteral("Hello"));
    }

    void anUndecodablePictureIsStillSent()
    {
        CornerSession session;
        const QByteArray bytes("not a picture at all");
        session.corner->addImageFiles({ session.file(QStringLiteral("broken.png"), bytes) });
        QVERIFY(session.corner->images().constFirst().preview.isNull());
        session.sendValidLetter();
        waitUntilIdle(*session.corner);
        QVERIFY(session.corner->sent());
        const QJsonObject sent
            = session.lastBody().value(QStringLiteral("attachments")).toArray().first().toObject();
        QCOMPARE(sent.value(QStringLiteral("mimeType")).toString(), QStringLiteral("image/png"));
        QCOMPARE(QByteArray::fromBase64(sent.value(QStringLiteral("content")).toString().toLatin1()), bytes);
    }

    void anAmountIsReadAndChecked_data()
    {
        // Either the alert's title, or the minor units sent.
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("outcome");
        const auto english = AppLanguage::english;
        const auto chinese = AppLanguage::chinese;
        QTest::newRow("en at the maximum") << english << u"20"_s << u"2000"_s;
        QTest::newRow("en over the maximum") << english << u"20.01"_s << u"That's More Than Enough"_s;
        QTest::newRow("en at the minimum") << english << u"1"_s << u"100"_s;
        QTest::newRow("en under the minimum") << english << u"0.99"_s << u"Below the Payment Minimum"_s;
        QTest::newRow("zh at the maximum") << chinese << u"30"_s << u"3000"_s;
        QTest::newRow("zh over the maximum") << chinese << u"30.5"_s << u"这份心意已经太多了"_s;
        QTest::newRow("zh at the minimum") << chinese << u"5"_s << u"500"_s;
        QTest::newRow("zh under the minimum") << chinese << u"4.99"_s << u"低于支付平台最低金额"_s;
        QTest::newRow("empty") << english << u""_s << u"Enter an Amount"_s;
        QTest::newRow("letters") << english << u"abc"_s << u"Enter an Amount"_s;
        QTest::newRow("zero") << english << u"0"_s << u"Enter an Amount"_s;
        QTest::newRow("negative") << english << u"-3"_s << u"Enter an Amount"_s;
        QTest::newRow("zh empty") << chinese << u""_s << u"请输入金额"_s;
        QTest::newRow("a lone point") << english << u"."_s << u"Enter an Amount"_s;
        QTest::newRow("decimal comma") << english << u"5,5"_s << u"550"_s;
        QTest::newRow("grouping comma, en") << english << u"1,000"_s << u"100"_s;
        QTest::newRow("grouping comma, zh") << chinese << u"1,000"_s << u"低于支付平台最低金额"_s;
        QTest::newRow("a word after") << english << u"12 coffees"_s << u"1200"_s;
        QTest::newRow("blanks before") << english << u"  12"_s << u"1200"_s;
        QTest::newRow("no exponent") << english << u"1e1"_s << u"100"_s;
        QTest::newRow("a tenth of a cent") << english << u"0.001"_s << u"Below the Payment Minimum"_s;
        QTest::newRow("25 digits") << english << u"1234567890123456789012345"_s
                                   << u"That's More Than Enough"_s;
        QTest::newRow("fraction of a fen") << chinese << u"5.555"_s << u"555"_s;
        QTest::newRow("plus sign") << english << u"+2"_s << u"200"_s;
        QTest::newRow("full-width digits and point") << chinese << u"１２．５"_s << u"1250"_s;
        QTest::newRow("full-width comma") << chinese << u"５，５"_s << u"550"_s;
    }

    void anAmountIsReadAndChecked()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QString, typed);
        QFETCH(QString, outcome);
        CornerSession session(language);
        DeveloperCornerController &corner = *session.corner;
        corner.setAmount(typed);
        corner.beginDonation();
        bool isMinor = false;
        const qint64 minor = outcome.toLongLong(&isMinor);
        if (!isMinor) {
            QVERIFY(!corner.creatingCheckout());
            QVERIFY(corner.showingAlert());
            QCOMPARE(corner.alertTitle(), outcome);
            QCoreApplication::processEvents();
            QVERIFY(session.server.requests().isEmpty());
        } else {
            QVERIFY(corner.creatingCheckout());
            waitUntilIdle(corner);
            QVERIFY(!corner.showingAlert());
            const QJsonObject body = session.lastBody();
            QCOMPARE(body.value(QStringLiteral("amountMinor")).toInteger(), minor);
            QCOMPARE(body.value(QStringLiteral("currency")).toString(),
                language == AppLanguage::english ? QStringLiteral("usd") : QStringLiteral("cny"));
            QCOMPARE(session.harness.workspace->openedUrls, QList<QUrl> { QUrl(checkoutPage) });
        }
        QCOMPARE(corner.amount(), typed);
    }

    void aPressWhileBusyIsIgnored()
    {
        CornerSession session(AppLanguage::english);
        DeveloperCornerController &corner = *session.corner;
        session.server.hold();
        corner.setAmount(QStringLiteral("3"));
        corner.beginDonation();
        QTRY_COMPARE_WITH_TIMEOUT(session.server.requests().size(), 1, generousWaitMs);
        corner.setAmount(QStringLiteral("300"));
        corner.beginDonation();
        QVERIFY(corner.creatingCheckout());
        QVERIFY(!corner.showingAlert());
        session.server.release();
        waitUntilIdle(corner);
        QCOMPARE(session.server.requests().size(), 1);
        QCOMPARE(session.harness.workspace->openedUrls.size(), 1);
    }

    void theLanguageAtThePressDecides()
    {
        CornerSession session(AppLanguage::english);
        DeveloperCornerController &corner = *session.corner;
        corner.setAmount(QStringLiteral("25"));
        corner.beginDonation();
        QCOMPARE(corner.alertTitle(), QStringLiteral("That's More Than Enough"));
        QCOMPARE(corner.currencyPrefix(), QStringLiteral("$"));
        corner.setShowingAlert(false);

        QSignalSpy texts(&corner, &DeveloperCornerController::languageChanged);
        session.setLanguage(AppLanguage::chinese);
        QVERIFY(texts.count() > 0);
        QCOMPARE(corner.currencyPrefix(), QStringLiteral("¥"));
        corner.beginDonation();
        waitUntilIdle(corner);
        QVERIFY(!corner.showingAlert());
        QCOMPARE(session.lastBody().value(QStringLiteral("currency")).toString(), QStringLiteral("cny"));
        QCOMPARE(session.lastBody().value(QStringLiteral("amountMinor")).toInteger(), 2500);
    }

    void aFailedCheckoutSaysWhy()
    {
        CornerSession session(AppLanguage::english);
        session.server.setReply(checkoutPath, LocalHttpServer::reply(500));
        DeveloperCornerController &corner = *session.corner;
        corner.setAmount(QStringLiteral("5"));
        corner.beginDonation();
        waitUntilIdle(corner);
        QVERIFY(corner.showingAlert());
        QCOMPARE(corner.alertTitle(), QStringLiteral("Could Not Open Checkout"));
        QCOMPARE(
            corner.alertMessage(), u"Secure checkout is temporarily unavailable; please try again later."_s);
        QVERIFY(session.harness.workspace->openedUrls.isEmpty());
        QCOMPARE(corner.amount(), QStringLiteral("5"));
    }

    void theWebsiteOpensWhenThereIsOne_data()
    {
        QTest::addColumn<QUrl>("address");
        QTest::newRow("built with an address") << QUrl(website);
        QTest::newRow("built without") << QUrl();
    }

    void theWebsiteOpensWhenThereIsOne()
    {
        QFETCH(QUrl, address);
        ControllerHarness harness;
        AppController &controller = harness.start(
            [&address](AppControllerSeams &seams) { seams.developerCorner.websiteUrl = address; });
        DeveloperCornerController corner;
        corner.setController(&controller);
        QCOMPARE(corner.canVisitWebsite(), !address.isEmpty());
        QCOMPARE(corner.storyParagraphs().constLast().contains(u"网站"_s), !address.isEmpty());
        corner.visitWebsite();
        QCOMPARE(harness.workspace->openedUrls, address.isEmpty() ? QList<QUrl>() : QList<QUrl> { address });
    }

    void theStoryFollowsTheLanguage()
    {
        CornerSession session(AppLanguage::english);
        DeveloperCornerController &corner = *session.corner;
        const QStringList english = corner.storyParagraphs();
        QCOMPARE(english.size(), 5);
        QCOMPARE(corner.sectionTitles(),
            (QStringList { u"Write to the Developer"_s, u"Buy Him a Coffee"_s, u"Why Quorvane Exists"_s }));
        session.setLanguage(AppLanguage::chinese);
        const QStringList chinese = corner.storyParagraphs();
        QCOMPARE(chinese.size(), 5);
        for (int i = 0; i < 5; ++i)
            QVERIFY(chinese[i] != english[i]);
        QCOMPARE(
            corner.sectionTitles(), (QStringList { u"给开发者写信"_s, u"给他买杯咖啡"_s, u"柯帆的由来"_s }));
    }

    // Closing the corner sends the letter on: a refusal shows over whatever is open, and the letter comes
    // back with the corner.
    void aLetterOutlivesItsCorner()
    {
        CornerSession session(AppLanguage::english);
        session.server.setReply(letterPath, LocalHttpServer::reply(503));
        session.server.hold();
        session.sendValidLetter();
        QTRY_COMPARE_WITH_TIMEOUT(session.server.requests().size(), 1, generousWaitMs);
        session.corner.reset();
        session.server.release();
        QTRY_VERIFY_WITH_TIMEOUT(session.controller->sheets()->showingAlert(), generousWaitMs);
        QCOMPARE(session.controller->sheets()->alertTitle(), u"Could Not Send"_s);
        QCOMPARE(session.open()->message(), u"Hello"_s);
    }

    // What the user reads when a server misbehaves, for the update check and the developer corner alike.
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
        QTest::newRow("document type declared")
            << Target::update << Reply { .body = "<!DOCTYPE rss [<!ENTITY a \"a\">]><rss>&a;</rss>" } << zh
            << u"更新服务器的答复不是可以读取的更新信息。"_s;
        QTest::newRow("not found") << Target::update << Reply { 404 } << zh
                                   << u"更新服务器拒绝了请求（代码 404）。"_s;
        QTest::newRow("server fault")
            << Target::update << Reply { 500 } << zh << u"更新服务器出错了（代码 500），请稍后再试。"_s;
        QTest::newRow("redirect loop")
            << Target::update << Reply { 302, "Location: /feed\r\n" } << zh
            << u"更新服务器不停地把请求转到别处，陷入了循环，因此没有读取任何更新信息。"_s;
        QTest::newRow("redirect loop, English")
            << Target::update << Reply { 302, "Location: /feed\r\n" } << AppLanguage::english
            << u"The update server kept redirecting the request in a loop, so no update information was read."_s;
        QTest::newRow("a release found during a break")
            << Target::updateDuringBreak
            << Reply { .body = "<rss xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">"
                               "<channel><item><sparkle:version>999.1</sparkle:version>"
                               "<link>https://example.org/r</link></item></channel></rss>" }
            << zh << u"发现新版本"_s;
        QTest::newRow("feed too large, no length")
            << Target::update
            << Reply { .body = QByteArray(UpdateFeedChecker::maximumReplyBytes + 1, 'x'),
                   .sendsLength = false }
            << zh << u"更新服务器的答复太大，不像是更新信息。"_s;
        QTest::newRow("early 413") << Target::letter << early413 << zh
                                   << u"这封信和它的图片太大，服务器无法接收；请去掉一些图片后再寄。"_s;
        QTest::newRow("early 413, English") << Target::letter << early413 << AppLanguage::english
                                            << u"The letter and its images are too large for the server; "
                                               "remove some images and send it again."_s;
        QTest::newRow("early 413 with a reset")
            << Target::letter << Reply { .status = 413, .answersBeforeBody = true, .resetsAfterAnswer = true }
            << zh << u"这封信和它的图片太大，服务器无法接收；请去掉一些图片后再寄。"_s;
        QTest::newRow("413 without images")
            << Target::bareLetter << Reply { 413 } << AppLanguage::english
            << u"The letter is too large for the server; shorten it and send it again."_s;
        QTest::newRow("read, then reset")
            << Target::letter << Reply { .drops = true } << AppLanguage::english
            << u"The letter went out, but the connection ended before the server "
               "answered: it may have arrived, and sending it again may deliver "
               "it twice."_s;
        QTest::newRow("trickled checkout")
            << Target::checkout
            << Reply { .body = "{\"url\":\"" + checkoutPage.toLatin1() + "\"}", .trickleIntervalMs = 20 }
            << zh << u"服务器没有及时答复，请稍后再试。"_s;
        QTest::newRow("oversized 2xx")
            << Target::letter << Reply { .body = QByteArray(200'000, 'x') } << zh << QString();
        QTest::newRow("2xx cut off") << Target::letter
                                     << Reply { .raw = "HTTP/1.1 200 OK\r\nContent-Length: 900\r\n\r\nshort" }
                                     << zh << QString();
        QTest::newRow("bad certificate") << Target::untrustedCheckout << Reply {} << zh
                                         << u"无法与服务器建立安全连接，因此什么也没有发送。"_s;
    }

    void theUserReadsWhatWentWrong()
    {
        QFETCH(Target, target);
        QFETCH(Reply, reply);
        QFETCH(AppLanguage, language);
        QFETCH(QString, message);

        LocalHttpServer tlsServer(LocalHttpServer::Transport::https);
        CornerSession session(language, target == Target::untrustedCheckout ? tlsServer.baseUrl() : QUrl(),
            target == Target::updateDuringBreak ? u"/feed"_s : QString());
        LocalHttpServer &server = session.server;
        QUrl otherHost = tlsServer.baseUrl();
        otherHost.setHost(QStringLiteral("localhost"));
        reply.headers.replace("{tls}", otherHost.toEncoded());
        for (const QByteArray &path : { QByteArray("/feed"), letterPath, checkoutPath })
            server.setReply(path, reply);

        if (target == Target::updateDuringBreak) {
            // The check at start-up finds the release while the wheel is showing.
            AppController &app = *session.controller;
            app.round()->finishFocusNow();
            app.breakWheel()->enterLockedBreak();
            QTRY_COMPARE(server.requests().size(), 1);
            QTRY_VERIFY(!app.updateController().isChecking());
            QVERIFY(!app.updateController().showingResult());
            app.breakWheel()->spinWheel(0);
            QTRY_COMPARE(app.round()->phase(), SessionPhase::Activity);
            app.breakWheel()->confirmActivityCompleted();
            QVERIFY(app.updateController().showingResult());
            QCOMPARE(app.updateController().resultTitle(), message);
            return;
        }
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

        DeveloperCornerController &corner = *session.corner;
        // Two large attachments: a server answering early has read little of them.
        const QString picture = session.file(QStringLiteral("large.png"), QByteArray(limit, 'q'));
        if (target != Target::bareLetter)
            corner.addImageFiles({ picture, picture });
        corner.setAmount(QStringLiteral("5"));
        if (target == Target::letter || target == Target::bareLetter)
            session.sendValidLetter();
        else
            corner.beginDonation();
        if (reply.trickleIntervalMs > 0) {
            QTRY_COMPARE(server.requests().size(), 1);
            session.deadlines.advance(DeveloperCornerService::answerDeadline);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!session.requestsInFlight(), 20'000);
        QCOMPARE(corner.alertMessage(), message);
        QCOMPARE(corner.sent(), message.isEmpty());
        // Sent once, whatever the server did with the connection; and no page opens afterwards.
        QCOMPARE(server.requests().size(), target == Target::untrustedCheckout ? 0 : 1);
        QVERIFY(session.harness.workspace->openedUrls.isEmpty());
    }
};

QUORVANE_TEST_GUILESS_MAIN(DeveloperCornerTest)
#include "tst_developer_corner.moc"
