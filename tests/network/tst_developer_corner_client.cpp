#include "ControllerHarness.h"
#include "LocalHttpServer.h"
#include "TestProgram.h"
#include "network/DeveloperCornerPolicy.h"
#include "network/DeveloperCornerService.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString checkoutHost = QStringLiteral("checkout.example.com");

// What a completion was called with, and how often.
template<typename T> struct Recorded
{
    int calls = 0;
    T value {};
    auto recorder()
    {
        return [this](const T &outcome) {
            ++calls;
            value = outcome;
        };
    }
};
using LetterOutcome = Recorded<std::optional<DeveloperCornerError>>;
using CheckoutOutcome = Recorded<std::variant<QUrl, DeveloperCornerError>>;

DeveloperCornerConfig configFor(const QUrl &baseUrl)
{
    DeveloperCornerConfig config;
    config.baseUrl = baseUrl;
    config.checkoutHost = checkoutHost;
    return config;
}

FeedbackImage image(const QString &name, const QString &mimeType, const QByteArray &data)
{
    return { QUuid::createUuid(), name, mimeType, data, {} };
}

// JSON written with single quotes, so that the expectations read without escapes.
QByteArray json(QByteArray text)
{
    return text.replace('\'', '"');
}

QByteArray checkoutReply(const QByteArray &address)
{
    return json("{'id':'cs_1','url':'" + address + "'}");
}

ExactDecimal decimal(const QString &text)
{
    return ExactDecimal::parse(text).value();
}

// An error's three parts in one text, so that a failed comparison shows them all.
QString describe(const DeveloperCornerError &error)
{
    return QStringLiteral("%1 %2: %3").arg(error.domain).arg(error.code).arg(error.description);
}

QString describe(const std::optional<DeveloperCornerError> &failure)
{
    return failure ? describe(*failure) : QStringLiteral("delivered");
}

QString describe(const std::variant<QUrl, DeveloperCornerError> &outcome)
{
    if (const auto *address = std::get_if<QUrl>(&outcome))
        return address->toString();
    return describe(std::get<DeveloperCornerError>(outcome));
}

LocalHttpServer::Reply withoutLength(LocalHttpServer::Reply reply)
{
    reply.sendsLength = false;
    return reply;
}

// What the user is told of a letter, in a word.
QString kindOf(const std::optional<DeveloperCornerError> &failure)
{
    if (!failure || failure->domain != u"QNetworkReply")
        return failure ? describe(failure) : QStringLiteral("delivered");
    return failure->code == QNetworkReply::TimeoutError ? QStringLiteral("timed out")
                                                        : QStringLiteral("connection lost");
}

// Three images of the largest size make a letter of 21 MB, far more than the network's buffers hold.
std::unique_ptr<DeveloperCornerService> sendLargestLetter(
    const LocalHttpServer &server, FakeTimeline &timeline, LetterOutcome &outcome)
{
    DeveloperCornerConfig config = configFor(server.baseUrl());
    config.tls = LocalHttpServer::trustingConfiguration();
    config.deadlineTimers = timeline.factory();
    auto service = std::make_unique<DeveloperCornerService>(config);
    const FeedbackImage largest
        = image(QStringLiteral("a.png"), QStringLiteral("image/png"), QByteArray(5 << 20, 'x'));
    service->sendFeedback(
        QStringLiteral("a@b.co"), QStringLiteral("Hi"), { largest, largest, largest }, outcome.recorder());
    return service;
}

QString parserError(const QByteArray &body)
{
    QJsonParseError error;
    QJsonDocument::fromJson(body, &error);
    return describe(
        DeveloperCornerError { QStringLiteral("QJsonParseError"), int(error.error), error.errorString() });
}

// Waits for the completion, then tells what it was called with, or how it misbehaved.
template<typename T> QString awaited(const Recorded<T> &outcome)
{
    if (!QTest::qWaitFor([&] { return outcome.calls > 0; }, generousWaitMs))
        return QStringLiteral("no completion");
    QCoreApplication::processEvents();
    return outcome.calls == 1 ? describe(outcome.value)
                              : QStringLiteral("called %1 times").arg(outcome.calls);
}

} // namespace

class DeveloperCornerClientTest : public QObject
{
    Q_OBJECT

private:
    // Sends one letter and waits for its only completion.
    static QString sendLetter(DeveloperCornerService &service,
        const QString &email = QStringLiteral("a@b.co"), const QString &message = QStringLiteral("Hello"),
        const QList<FeedbackImage> &images = {})
    {
        LetterOutcome outcome;
        service.sendFeedback(email, message, images, outcome.recorder());
        return awaited(outcome);
    }

    static QString createCheckout(DeveloperCornerService &service,
        const QString &amount = QStringLiteral("5"), DonationCurrency currency = DonationCurrency::cny)
    {
        CheckoutOutcome outcome;
        service.createDonationCheckout(decimal(amount), currency, outcome.recorder());
        return awaited(outcome);
    }

    static QString contactError() { return describe(DeveloperCornerService::contactUnavailable()); }
    static QString checkoutError() { return describe(DeveloperCornerService::checkoutUnavailable()); }

private slots:
    void init() { QCoreApplication::setApplicationVersion(QString()); }

    void decimalsParse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("canonical");
        QTest::newRow("whole") << "20"
                               << "20";
        QTest::newRow("fraction") << "5.555"
                                  << "5.555";
        QTest::newRow("leading and trailing zeros") << "007.500"
                                                    << "7.5";
        QTest::newRow("no whole digits") << ".25"
                                         << "0.25";
        QTest::newRow("no fraction digits") << "3."
                                            << "3";
        QTest::newRow("negative") << "-0.019"
                                  << "-0.019";
        QTest::newRow("negative zero is zero") << "-0.00"
                                               << "0";
        QTest::newRow("plus sign") << "+1.5"
                                   << "1.5";
        QTest::newRow("beyond any binary double") << "123456789012345678901234567890.000000000000000000001"
                                                  << "123456789012345678901234567890.000000000000000000001";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("point only") << "."
                                    << "";
        QTest::newRow("sign only") << "-"
                                   << "";
        QTest::newRow("two points") << "1.2.3"
                                    << "";
        QTest::newRow("decimal comma") << "5,5"
                                       << "";
        QTest::newRow("blank") << " 5"
                               << "";
        QTest::newRow("exponent") << "1e3"
                                  << "";
        QTest::newRow("non-ASCII digits") << QStringLiteral("٥") << "";
    }

    void decimalsParse()
    {
        QFETCH(QString, text);
        QFETCH(QString, canonical);
        const auto number = ExactDecimal::parse(text);
        QCOMPARE(number.has_value(), !canonical.isEmpty());
        if (number)
            QCOMPARE(number->toString(), canonical);
    }

    void decimalsTruncateToHundredths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("hundredths");
        QTest::addColumn<bool>("fits");
        QTest::newRow("20") << "20" << qint64(2000) << true;
        QTest::newRow("12.34") << "12.34" << qint64(1234) << true;
        QTest::newRow("5.555 drops, never rounds") << "5.555" << qint64(555) << true;
        QTest::newRow("5.559 drops, never rounds") << "5.559" << qint64(555) << true;
        QTest::newRow("0.009") << "0.009" << qint64(0) << true;
        QTest::newRow("one tenth") << "0.1" << qint64(10) << true;
        QTest::newRow("towards zero when negative") << "-0.019" << qint64(-1) << true;
        QTest::newRow("largest") << "92233720368547758.07" << std::numeric_limits<qint64>::max() << true;
        QTest::newRow("one past the largest") << "92233720368547758.08" << qint64(0) << false;
        QTest::newRow("far too large") << "1000000000000000000000" << qint64(0) << false;
    }

    void decimalsTruncateToHundredths()
    {
        QFETCH(QString, text);
        QFETCH(qint64, hundredths);
        QFETCH(bool, fits);
        const auto result = decimal(text).truncatedHundredths();
        QCOMPARE(result.has_value(), fits);
        if (fits)
            QCOMPARE(*result, hundredths);
    }

    void decimalsCompareExactly_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<int>("order");
        QTest::newRow("equal despite zeros") << "20.0"
                                             << "020" << 0;
        QTest::newRow("hundredth above") << "20.01"
                                         << "20" << 1;
        QTest::newRow("hundredth below") << "0.99"
                                         << "1" << -1;
        QTest::newRow("longer whole part") << "100"
                                           << "99.999" << 1;
        QTest::newRow("fraction digits, not length") << "0.5"
                                                     << "0.4999" << 1;
        QTest::newRow("negative below zero") << "-3"
                                             << "0" << -1;
        QTest::newRow("more negative is smaller") << "-3.5"
                                                  << "-3.25" << -1;
        QTest::newRow("zeros of both signs") << "-0"
                                             << "0" << 0;
    }

    void decimalsCompareExactly()
    {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(int, order);
        const auto ordering = decimal(left) <=> decimal(right);
        QCOMPARE(ordering < 0, order < 0);
        QCOMPARE(ordering > 0, order > 0);
        QCOMPARE(decimal(left) == decimal(right), order == 0);
    }

    void emailRule_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "ada@example.org" << true;
        QTest::newRow("nothing before the @") << "@example.org" << false;
        QTest::newRow("domain without a dot") << "ada@localhost" << false;
        QTest::newRow("domain ending with a dot") << "ada@example." << false;
        QTest::newRow("two @ together") << "ada@@example.org" << false;
        QTest::newRow("two @ apart") << "ada@example@org.net" << false;
        QTest::newRow("only dot first") << "ada@.org" << true;
        QTest::newRow("blanks only") << " \t\n " << false;
        QTest::newRow("blanks around") << "  ada@example.org \n" << true;
        QTest::newRow("inner space") << "a da@example.org" << true;
        QTest::newRow("empty") << "" << false;
    }

    void emailRule()
    {
        QFETCH(QString, email);
        QFETCH(bool, valid);
        QCOMPARE(DeveloperCornerPolicy::isValidEmail(email), valid);
    }

    // The rest of the rule is shown through whole checkouts below.
    void checkoutAddressRule_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("trusted");
        QTest::newRow("the host") << "https://checkout.example.com/c/pay" << checkoutHost << true;
        QTest::newRow("port, user and query are not looked at")
            << "https://user@checkout.example.com:8443/c?x=1" << checkoutHost << true;
        QTest::newRow("host as a prefix")
            << "https://checkout.example.com.evil.org/c" << checkoutHost << false;
        QTest::newRow("no checkout host configured") << "https://checkout.example.com/c"
                                                     << "" << false;
        QTest::newRow("configured host in capitals") << "https://checkout.example.com/c"
                                                     << "Checkout.Example.COM" << true;
    }

    void checkoutAddressRule()
    {
        QFETCH(QString, address);
        QFETCH(QString, host);
        QFETCH(bool, trusted);
        QCOMPARE(DeveloperCornerPolicy::isTrustedStripeCheckoutURL(QUrl(address, QUrl::StrictMode), host),
            trusted);
    }

    void letterBody_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<FeedbackImage>>("images");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("no images: an empty list")
            << "ada@example.org"
            << "Hello" << QList<FeedbackImage> {}
            << json("{'attachments':[],'email':'ada@example.org','message':'Hello'}");
        QTest::newRow("texts trimmed, inner line breaks kept")
            << " \t ada@example.org \n"
            << "\n  Line one\n\nLine two  \n\n\n"
            << QList<FeedbackImage> {}
            << json("{'attachments':[],'email':'ada@example.org','message':'Line one\\n\\nLine two'}");
        QTest::newRow("bytes 0x00 and 0xFF, padded, in order")
            << "ada@example.org"
            << "Pictures"
            << QList<FeedbackImage> { image(QStringLiteral("a.png"), QStringLiteral("image/png"),
                                          QByteArray("\x00\xff\x10", 3)),
                   image(QStringLiteral("b.jpg"), QStringLiteral("image/jpeg"), QByteArray("\x00\xff", 2)),
                   image(QStringLiteral("c.gif"), QStringLiteral("image/gif"), QByteArray("\xff", 1)) }
            << json("{'attachments':[{'content':'AP8Q','filename':'a.png','mimeType':'image/png'},"
                    "{'content':'AP8=','filename':'b.jpg','mimeType':'image/jpeg'},"
                    "{'content':'/w==','filename':'c.gif','mimeType':'image/gif'}],"
                    "'email':'ada@example.org','message':'Pictures'}");
        QTest::newRow("long content has no line breaks")
            << "ada@example.org"
            << "Big"
            << QList<FeedbackImage> { image(
                   QStringLiteral("big.png"), QStringLiteral("image/png"), QByteArray(120, '\xff')) }
            << json("{'attachments':[{'content':'" + QByteArray(160, '/')
                   + "','filename':'big.png','mimeType':'image/"
                     "png'}],'email':'ada@example.org','message':'Big'}");
    }

    void letterBody()
    {
        QFETCH(QString, email);
        QFETCH(QString, message);
        QFETCH(QList<FeedbackImage>, images);
        QFETCH(QByteArray, expected);

        LocalHttpServer server;
        server.setReply(letterPath, LocalHttpServer::reply(204));
        DeveloperCornerService service(configFor(server.baseUrl()));
        QCOMPARE(sendLetter(service, email, message, images), QStringLiteral("delivered"));
        QCOMPARE(server.requests().size(), 1);
        const QByteArray body = server.requests().constFirst().body;
        QCOMPARE(QJsonDocument::fromJson(body), QJsonDocument::fromJson(expected));
        QVERIFY2(!body.contains('\n') && !body.contains(": "), body.constData());
    }

    void requestHeaders_data()
    {
        QTest::addColumn<bool>("checkout");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("client");
        QTest::newRow("letter") << false << "" << letterPath << QByteArray("Quorvane/unknown Linux");
        QTest::newRow("checkout") << true << "" << checkoutPath << QByteArray("Quorvane/unknown Linux");
        QTest::newRow("letter, versioned")
            << false << "3.4.5" << letterPath << QByteArray("Quorvane/3.4.5 Linux");
    }

    void requestHeaders()
    {
        QFETCH(bool, checkout);
        QFETCH(QString, version);
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, client);

        QCoreApplication::setApplicationVersion(version);
        LocalHttpServer server;
        server.setReply(letterPath, LocalHttpServer::reply(200));
        server.setReply(
            checkoutPath, LocalHttpServer::reply(200, checkoutReply("https://checkout.example.com/c")));
        DeveloperCornerService service(configFor(server.baseUrl()));
        if (checkout)
            QCOMPARE(createCheckout(service), QStringLiteral("https://checkout.example.com/c"));
        else
            QCOMPARE(sendLetter(service), QStringLiteral("delivered"));

        QCOMPARE(server.requests().size(), 1);
        const LocalHttpServer::Request &request = server.requests().constFirst();
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.path, path);
        QCOMPARE(request.headers.value("content-type"), QByteArray("application/json"));
        QCOMPARE(request.headers.value("x-quorvane-client"), client);
        QVERIFY(request.headers.contains("idempotency-key"));
    }

    void letterReplies_data()
    {
        QTest::addColumn<LocalHttpServer::Reply>("reply");
        QTest::addColumn<QString>("outcome");

        const QByteArray elsewhere = "Location: /moved\r\n";
        QTest::newRow("200") << LocalHttpServer::reply(200, "ok") << "delivered";
        QTest::newRow("204") << LocalHttpServer::reply(204) << "delivered";
        QTest::newRow("299") << LocalHttpServer::reply(299) << "delivered";
        QTest::newRow("301") << LocalHttpServer::reply(301, {}, elsewhere) << contactError();
        QTest::newRow("302") << LocalHttpServer::reply(302, {}, elsewhere) << contactError();
        QTest::newRow("303") << LocalHttpServer::reply(303, {}, elsewhere) << contactError();
        QTest::newRow("307") << LocalHttpServer::reply(307, {}, elsewhere) << contactError();
        QTest::newRow("404") << LocalHttpServer::reply(404, "missing") << contactError();
        QTest::newRow("500") << LocalHttpServer::reply(500, "oops") << contactError();
        QTest::newRow("413") << LocalHttpServer::reply(413)
                             << describe(DeveloperCornerService::letterTooLarge());
        // The status alone decides: a long answer to a delivered letter is not read.
        QTest::newRow("a length past the cap")
            << LocalHttpServer::reply(200, QByteArray(DeveloperCornerService::maximumReplyBytes + 1, 'x'))
            << "delivered";
        QTest::newRow("bytes past the cap, no length") << withoutLength(
            LocalHttpServer::reply(200, QByteArray(DeveloperCornerService::maximumReplyBytes + 1, 'x')))
                                                       << "delivered";
    }

    void letterReplies()
    {
        QFETCH(LocalHttpServer::Reply, reply);
        QFETCH(QString, outcome);

        LocalHttpServer server;
        server.setReply(letterPath, reply);
        server.setReply("/moved", LocalHttpServer::reply(200));
        DeveloperCornerService service(configFor(server.baseUrl()));
        QCOMPARE(sendLetter(service), outcome);
        // A redirect is never followed: the letter is not resent somewhere else as a bodiless GET.
        QCOMPARE(server.requests().size(), 1);
    }

    // A letter over links that break part-way, over TLS as over plain TCP.
    void largestLetterOverBrokenLinks_data()
    {
        QTest::addColumn<LocalHttpServer::Transport>("transport");
        QTest::addColumn<LocalHttpServer::Reply>("reply");
        // The server reads this much, then resets the connection or, for a time-out, stops reading.
        QTest::addColumn<qint64>("readLimit");
        QTest::addColumn<QString>("outcome");
        for (const auto transport : { LocalHttpServer::Transport::http, LocalHttpServer::Transport::https }) {
            const char *over = transport == LocalHttpServer::Transport::https ? ", TLS" : "";
            QTest::addRow("413 after the head, then a reset%s", over)
                << transport
                << LocalHttpServer::Reply { .status = 413,
                       .answersBeforeBody = true,
                       .resetsAfterAnswer = true }
                << qint64(0) << describe(DeveloperCornerService::letterTooLarge());
            QTest::addRow("reset after the whole letter%s", over)
                << transport << LocalHttpServer::Reply { .drops = true } << qint64(0)
                << describe(DeveloperCornerService::letterMayHaveArrived());
            QTest::addRow("slow uplink reset part-way%s", over)
                << transport << LocalHttpServer::reply(204) << qint64(1 << 20) << "connection lost";
            QTest::addRow("uplink that stops%s", over)
                << transport << LocalHttpServer::reply(204) << qint64(1 << 20) << "timed out";
        }
    }

    void largestLetterOverBrokenLinks()
    {
        QFETCH(LocalHttpServer::Transport, transport);
        QFETCH(LocalHttpServer::Reply, reply);
        QFETCH(qint64, readLimit);
        QFETCH(QString, outcome);
        LocalHttpServer server(transport);
        server.setReply(letterPath, reply);
        server.limitReading(readLimit, outcome != u"timed out");
        FakeTimeline timeline;
        LetterOutcome letter;
        const auto service = sendLargestLetter(server, timeline, letter);
        if (outcome == u"timed out")
            timeline.advance(DeveloperCornerService::stallTimeout);
        QVERIFY(QTest::qWaitFor([&] { return letter.calls > 0; }, generousWaitMs));
        QCOMPARE(kindOf(letter.value), outcome);
    }

    // A letter that keeps moving, however slowly, is never cut off by a clock.
    void slowUplinkTakesItsTime()
    {
        LocalHttpServer server(LocalHttpServer::Transport::https);
        server.setReply(letterPath, LocalHttpServer::reply(204));
        server.limitReading(256 * 1024);
        FakeTimeline timeline;
        LetterOutcome letter;
        const auto service = sendLargestLetter(server, timeline, letter);
        for (int minute = 0; minute < 3; ++minute) {
            // The server reads on, a little at a time, until the letter moves again.
            QVERIFY(QTest::qWaitFor(
                [&] {
                    server.readOn(64 * 1024);
                    return timeline.longestRemaining() == DeveloperCornerService::stallTimeout;
                },
                generousWaitMs));
            timeline.advance(DeveloperCornerService::stallTimeout - std::chrono::seconds(1));
            QCOMPARE(letter.calls, 0);
        }
        server.readOn(1 << 30);
        QCOMPARE(awaited(letter), QStringLiteral("delivered"));
    }

    void transportFailures_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("description");
        QTest::newRow("connection refused") << true << QByteArray() << "Connection refused";
        QTest::newRow("not HTTP") << false << QByteArray("SSH-2.0-OpenSSH_9.2\r\n") << "";
    }

    void transportFailures()
    {
        QFETCH(bool, refused);
        QFETCH(QByteArray, raw);
        QFETCH(QString, description);

        LocalHttpServer server;
        LocalHttpServer::Reply reply;
        reply.raw = raw;
        server.setReply(letterPath, reply);
        const QUrl base = refused ? LocalHttpServer::refusingUrl() : server.baseUrl();
        DeveloperCornerService service(configFor(base));
        LetterOutcome outcome;
        service.sendFeedback(QStringLiteral("a@b.co"), QStringLiteral("Hi"), {}, outcome.recorder());
        QTRY_COMPARE_WITH_TIMEOUT(outcome.calls, 1, generousWaitMs);
        QVERIFY(outcome.value);
        QCOMPARE(outcome.value->domain, QStringLiteral("QNetworkReply"));
        QVERIFY2(outcome.value->code != 0, qPrintable(describe(outcome.value)));
        QVERIFY(!outcome.value->description.isEmpty());
        QVERIFY(outcome.value->description != DeveloperCornerService::contactUnavailable().description);
        if (!description.isEmpty())
            QCOMPARE(outcome.value->description, description);
    }

    void checkoutReplies_data()
    {
        QTest::addColumn<LocalHttpServer::Reply>("reply");
        QTest::addColumn<QString>("outcome");

        const QByteArray page = "https://checkout.example.com/c/pay/cs_1";
        QTest::newRow("the checkout page")
            << LocalHttpServer::reply(200, checkoutReply(page)) << QString::fromLatin1(page);
        QTest::newRow("201 is success")
            << LocalHttpServer::reply(201, checkoutReply(page)) << QString::fromLatin1(page);
        QTest::newRow("capitals with a subdomain")
            << LocalHttpServer::reply(200, checkoutReply("HTTPS://PAY.CHECKOUT.EXAMPLE.COM/c/pay"))
            << "https://pay.checkout.example.com/c/pay";
        QTest::newRow("404 with a good body")
            << LocalHttpServer::reply(404, checkoutReply(page)) << checkoutError();
        QTest::newRow("302 to a good reply")
            << LocalHttpServer::reply(302, {}, "Location: /moved\r\n") << checkoutError();
        QTest::newRow("url as a number")
            << LocalHttpServer::reply(200, json("{'url':42}")) << checkoutError();
        QTest::newRow("no url") << LocalHttpServer::reply(200, json("{'id':'cs_1'}")) << checkoutError();
        QTest::newRow("an array at the top")
            << LocalHttpServer::reply(200, "[\"" + page + "\"]") << checkoutError();
        QTest::newRow("empty body") << LocalHttpServer::reply(200) << parserError({});
        QTest::newRow("not JSON") << LocalHttpServer::reply(200, "<html>Checkout</html>")
                                  << parserError("<html>Checkout</html>");
        QTest::newRow("cut-off JSON") << LocalHttpServer::reply(200, json("{'url':'https://chec"))
                                      << parserError(json("{'url':'https://chec"));
        QTest::newRow("plain http") << LocalHttpServer::reply(
            200, checkoutReply("http://checkout.example.com/c/pay"))
                                    << checkoutError();
        QTest::newRow("another host")
            << LocalHttpServer::reply(200, checkoutReply("https://pay.example.org/c/pay")) << checkoutError();
        QTest::newRow("ends with the host's text only")
            << LocalHttpServer::reply(200, checkoutReply("https://evilcheckout.example.com/c/pay"))
            << checkoutError();
        QTest::newRow("no host") << LocalHttpServer::reply(200, checkoutReply("https:///c/pay"))
                                 << checkoutError();
        QTest::newRow("not an address")
            << LocalHttpServer::reply(200, checkoutReply("https://check out")) << checkoutError();
        QTest::newRow("exactly the cap") << LocalHttpServer::reply(
            200, checkoutReply(page).leftJustified(DeveloperCornerService::maximumReplyBytes, ' '))
                                         << QString::fromLatin1(page);
        QTest::newRow("64 KiB + 1 with a length") << LocalHttpServer::reply(
            200, checkoutReply(page).leftJustified(DeveloperCornerService::maximumReplyBytes + 1, ' '))
                                                  << checkoutError();
        QTest::newRow("64 KiB + 1 without a length") << withoutLength(LocalHttpServer::reply(
            200, checkoutReply(page).leftJustified(DeveloperCornerService::maximumReplyBytes + 1, ' ')))
                                                     << checkoutError();
    }

    void checkoutReplies()
    {
        QFETCH(LocalHttpServer::Reply, reply);
        QFETCH(QString, outcome);

        LocalHttpServer server;
        server.setReply(checkoutPath, reply);
        server.setReply(
            "/moved", LocalHttpServer::reply(200, checkoutReply("https://checkout.example.com/moved")));
        DeveloperCornerService service(configFor(server.baseUrl()));
        QCOMPARE(createCheckout(service), outcome);
        QCOMPARE(server.requests().size(), 1);
    }

    void checkoutBody_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<DonationCurrency>("currency");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("20 usd") << "20" << DonationCurrency::usd
                                << json("{'amountMinor':2000,'currency':'usd'}");
        QTest::newRow("5.555 cny") << "5.555" << DonationCurrency::cny
                                   << json("{'amountMinor':555,'currency':'cny'}");
        QTest::newRow("0.009 cny") << "0.009" << DonationCurrency::cny
                                   << json("{'amountMinor':0,'currency':'cny'}");
        QTest::newRow("12.34 usd") << "12.34" << DonationCurrency::usd
                                   << json("{'amountMinor':1234,'currency':'usd'}");
    }

    void checkoutBody()
    {
        QFETCH(QString, amount);
        QFETCH(DonationCurrency, currency);
        QFETCH(QByteArray, expected);

        LocalHttpServer server;
        server.setReply(
            checkoutPath, LocalHttpServer::reply(200, checkoutReply("https://checkout.example.com/c")));
        DeveloperCornerService service(configFor(server.baseUrl()));
        QCOMPARE(createCheckout(service, amount, currency), QStringLiteral("https://checkout.example.com/c"));
        QCOMPARE(server.requests().size(), 1);
        const QByteArray body = server.requests().constFirst().body;
        QCOMPARE(QJsonDocument::fromJson(body), QJsonDocument::fromJson(expected));
        QVERIFY2(!body.contains('\n') && !body.contains(": "), body.constData());
    }

    void amountBeyondMinorUnitsSendsNothing()
    {
        LocalHttpServer server;
        DeveloperCornerService service(configFor(server.baseUrl()));
        QCOMPARE(createCheckout(service, QStringLiteral("92233720368547758.08")), checkoutError());
        QVERIFY(server.requests().isEmpty());
    }

    void eachCheckoutHasItsOwnKey()
    {
        LocalHttpServer server;
        server.setReply(
            checkoutPath, LocalHttpServer::reply(200, checkoutReply("https://checkout.example.com/c")));
        DeveloperCornerService service(configFor(server.baseUrl()));
        QCOMPARE(createCheckout(service), QStringLiteral("https://checkout.example.com/c"));
        QCOMPARE(createCheckout(service), QStringLiteral("https://checkout.example.com/c"));

        QCOMPARE(server.requests().size(), 2);
        const QRegularExpression canonical(QStringLiteral("^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$"));
        const QString first = QString::fromLatin1(server.requests()[0].headers.value("idempotency-key"));
        const QString second = QString::fromLatin1(server.requests()[1].headers.value("idempotency-key"));
        QVERIFY2(canonical.match(first).hasMatch(), qPrintable(first));
        QVERIFY2(canonical.match(second).hasMatch(), qPrintable(second));
        QVERIFY(first != second);
    }

    void oneDeadlineEndsARequest()
    {
        LocalHttpServer server;
        server.setReply(checkoutPath, { .stalls = true });
        FakeTimeline timeline;
        DeveloperCornerConfig config = configFor(server.baseUrl());
        config.deadlineTimers = timeline.factory();
        DeveloperCornerService service(config);
        CheckoutOutcome checkout;
        service.createDonationCheckout(
            decimal(QStringLiteral("5")), DonationCurrency::cny, checkout.recorder());
        QTRY_COMPARE_WITH_TIMEOUT(server.requests().size(), 1, generousWaitMs);
        timeline.advance(DeveloperCornerService::answerDeadline - std::chrono::milliseconds(1));
        QCOMPARE(checkout.calls, 0);
        timeline.advance(std::chrono::milliseconds(1));
        QCOMPARE(describe(checkout.value),
            QStringLiteral("QNetworkReply %1: The request timed out.").arg(int(QNetworkReply::TimeoutError)));
    }

    void tlsTrustsOnlyTheConfiguredAuthority_data()
    {
        QTest::addColumn<bool>("trustsTestAuthority");
        QTest::newRow("system authorities only") << false;
        QTest::newRow("with the test authority") << true;
    }

    void tlsTrustsOnlyTheConfiguredAuthority()
    {
        QFETCH(bool, trustsTestAuthority);

        LocalHttpServer server(LocalHttpServer::Transport::https);
        server.setReply(letterPath, LocalHttpServer::reply(204));
        DeveloperCornerConfig config = configFor(server.baseUrl());
        if (trustsTestAuthority)
            config.tls = LocalHttpServer::trustingConfiguration();
        // A fresh service: a manager with a connection already made would not check the certificate again.
        DeveloperCornerService service(config);
        LetterOutcome outcome;
        service.sendFeedback(QStringLiteral("a@b.co"), QStringLiteral("Hi"), {}, outcome.recorder());
        QTRY_COMPARE_WITH_TIMEOUT(outcome.calls, 1, generousWaitMs);
        if (trustsTestAuthority) {
            QCOMPARE(describe(outcome.value), QStringLiteral("delivered"));
            QCOMPARE(server.requests().size(), 1);
        } else {
            QVERIFY(outcome.value);
            QCOMPARE(outcome.value->domain, QStringLiteral("QNetworkReply"));
            QCOMPARE(outcome.value->code, int(QNetworkReply::SslHandshakeFailedError));
            QVERIFY(server.requests().isEmpty());
        }
    }

    void baseAddressRule_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<bool>("sends");
        QTest::newRow("none") << "" << false;
        QTest::newRow("plain http elsewhere") << "http://quorvane.invalid" << false;
        QTest::newRow("not http") << "ftp://127.0.0.1:{port}" << false;
        QTest::newRow("not an address") << "::::" << false;
        QTest::newRow("plain http on this machine") << "http://127.0.0.1:{port}" << true;
        QTest::newRow("with a trailing slash") << "http://127.0.0.1:{port}/" << true;
    }

    void baseAddressRule()
    {
        QFETCH(QString, base);
        QFETCH(bool, sends);

        LocalHttpServer server;
        server.setReply(letterPath, LocalHttpServer::reply(204));
        server.setReply(
            checkoutPath, LocalHttpServer::reply(200, checkoutReply("https://checkout.example.com/c")));
        base.replace(QStringLiteral("{port}"), QString::number(server.baseUrl().port()));
        DeveloperCornerService service(configFor(QUrl(base, QUrl::StrictMode)));

        LetterOutcome letter;
        service.sendFeedback(QStringLiteral("a@b.co"), QStringLiteral("Hi"), {}, letter.recorder());
        // Even a refusal answers later, never inside the call.
        QCOMPARE(letter.calls, 0);
        QTRY_COMPARE_WITH_TIMEOUT(letter.calls, 1, generousWaitMs);
        QCOMPARE(describe(letter.value), sends ? QStringLiteral("delivered") : contactError());
        QCOMPARE(createCheckout(service),
            sends ? QStringLiteral("https://checkout.example.com/c") : checkoutError());
        QCOMPARE(server.requests().size(), sends ? 2 : 0);
        if (sends) {
            QCOMPARE(server.requests()[0].path, letterPath);
            QCOMPARE(server.requests()[1].path, checkoutPath);
        }
    }

    void controllerServiceUsesTheConfiguredAddress_data()
    {
        QTest::addColumn<bool>("configured");
        QTest::newRow("built without an address") << false;
        QTest::newRow("pointed at a server") << true;
    }

    void controllerServiceUsesTheConfiguredAddress()
    {
        QFETCH(bool, configured);

        LocalHttpServer server;
        server.setReply(letterPath, LocalHttpServer::reply(204));
        ControllerHarness harness;
        AppController &controller = harness.start([&](AppControllerSeams &seams) {
            if (configured)
                seams.developerCorner = configFor(server.baseUrl());
        });
        QCOMPARE(sendLetter(controller.developerCornerService()),
            configured ? QStringLiteral("delivered") : contactError());
        QCOMPARE(server.requests().size(), configured ? 1 : 0);
    }

    void destroyedServiceCallsNoCompletion()
    {
        LocalHttpServer server;
        LocalHttpServer::Reply stall;
        stall.stalls = true;
        server.setReply(letterPath, stall);
        auto service = std::make_unique<DeveloperCornerService>(configFor(server.baseUrl()));
        LetterOutcome outcome;
        service->sendFeedback(QStringLiteral("a@b.co"), QStringLiteral("Hi"), {}, outcome.recorder());
        QTRY_COMPARE_WITH_TIMEOUT(server.requests().size(), 1, generousWaitMs);
        service.reset();
        QCoreApplication::processEvents();
        QCOMPARE(outcome.calls, 0);
    }
};

QUORVANE_TEST_GUILESS_MAIN(DeveloperCornerClientTest)
#include "tst_developer_corner_client.moc"
