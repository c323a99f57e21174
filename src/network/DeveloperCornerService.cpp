#include "network/DeveloperCornerService.h"

#include "core/QtOneShotTimer.h"
#include "core/Uuid.h"
#include "network/DeveloperCornerPolicy.h"
#include "network/SingleHttpPost.h"
#include "network/UpdateFeedChecker.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

namespace {

const QString feedbackPath = QStringLiteral("account/quorvane-contact");
const QString checkoutPath = QStringLiteral("payment/quorvane-donation-checkout");

constexpr int payloadTooLarge = 413;

bool isSuccess(int status)
{
    return status >= 200 && status <= 299;
}

} // namespace

DeveloperCornerService::DeveloperCornerService(DeveloperCornerConfig config, QObject *parent)
    : QObject(parent)
    , m_config(std::move(config))
{ }

QString DeveloperCornerService::clientIdentifier(const QString &version)
{
    return QStringLiteral("Quorvane/%1 Linux").arg(version.isEmpty() ? QStringLiteral("unknown") : version);
}

DeveloperCornerError DeveloperCornerService::contactUnavailable()
{
    return { QStringLiteral("QuorvaneContact"), 1,
        QStringLiteral("The Mirenvale support service is temporarily unavailable.") };
}

DeveloperCornerError DeveloperCornerService::letterTooLarge()
{
    return { QStringLiteral("QuorvaneContact"), 2,
        QStringLiteral("The letter and its images are too large for the server.") };
}

DeveloperCornerError DeveloperCornerService::letterMayHaveArrived()
{
    return { QStringLiteral("QuorvaneContact"), 3,
        QStringLiteral("The connection ended after the letter was sent: it may have arrived, and sending it "
                       "again may deliver it twice.") };
}

DeveloperCornerError DeveloperCornerService::checkoutUnavailable()
{
    return { QStringLiteral("QuorvaneDonation"), 1,
        QStringLiteral("Secure checkout is temporarily unavailable.") };
}

void DeveloperCornerService::sendFeedback(const QString &email, const QString &message,
    const QList<FeedbackImage> &images, FeedbackCompletion completion)
{
    QJsonArray attachments;
    for (const FeedbackImage &image : images) {
        attachments.append(QJsonObject {
            { QStringLiteral("filename"), image.name },
            { QStringLiteral("mimeType"), image.mimeType },
            { QStringLiteral("content"), QString::fromLatin1(image.data.toBase64()) },
        });
    }
    const QJsonObject letter {
        { QStringLiteral("email"), email.trimmed() },
        { QStringLiteral("message"), message.trimmed() },
        { QStringLiteral("attachments"), attachments },
    };
    post(feedbackPath, QJsonDocument(letter).toJson(QJsonDocument::Compact), contactUnavailable(), false,
        [completion = std::move(completion)](const std::variant<Delivery, Undelivered> &outcome) {
            // Once the whole letter is out, only the server knows whether it arrived.
            if (const auto *failure = std::get_if<Undelivered>(&outcome))
                completion(failure->unanswered ? letterMayHaveArrived() : failure->error);
            else if (isSuccess(std::get<Delivery>(outcome).status))
                completion(std::nullopt);
            else if (std::get<Delivery>(outcome).status == payloadTooLarge)
                completion(letterTooLarge());
            else
                completion(contactUnavailable());
        });
}

void DeveloperCornerService::createDonationCheckout(
    const ExactDecimal &amount, DonationCurrency currency, CheckoutCompletion completion)
{
    const auto minorUnits = amount.truncatedHundredths();
    if (!minorUnits) {
        failSoon(checkoutUnavailable(), [completion](const auto &) { completion(checkoutUnavailable()); });
        return;
    }
    const QJsonObject checkout {
        { QStringLiteral("currency"), rawValue(currency) },
        { QStringLiteral("amountMinor"), *minorUnits },
    };
    post(checkoutPath, QJsonDocument(checkout).toJson(QJsonDocument::Compact), checkoutUnavailable(), true,
        [completion = std::move(completion), checkoutHost = m_config.checkoutHost](
            const std::variant<Delivery, Undelivered> &outcome) {
            if (const auto *failure = std::get_if<Undelivered>(&outcome)) {
                completion(failure->error);
                return;
            }
            const Delivery &delivery = std::get<Delivery>(outcome);
            if (!isSuccess(delivery.status)) {
                completion(checkoutUnavailable());
                return;
            }
            QJsonParseError parseError;
            const QJsonDocument document = QJsonDocument::fromJson(delivery.body, &parseError);
            if (parseError.error != QJsonParseError::NoError) {
                completion(DeveloperCornerError {
                    QStringLiteral("QJsonParseError"), int(parseError.error), parseError.errorString() });
                return;
            }
            const QJsonValue text = document.object().value(QStringLiteral("url"));
            const QUrl address(text.toString(), QUrl::StrictMode);
            if (!document.isObject() || !text.isString() || !address.isValid()
                || !DeveloperCornerPolicy::isTrustedStripeCheckoutURL(address, checkoutHost)) {
                completion(checkoutUnavailable());
                return;
            }
            completion(address);
        });
}

QUrl DeveloperCornerService::endpoint(const QString &path) const
{
    QUrl url = m_config.baseUrl;
    QString basePath = url.path();
    if (!basePath.endsWith(u'/'))
        basePath += u'/';
    url.setPath(basePath + path);
    return url;
}

void DeveloperCornerService::failSoon(const DeveloperCornerError &error, const DeliveryHandler &handle)
{
    // Even a request that cannot start answers later, never inside the caller's own call.
    QMetaObject::invokeMethod(
        this,
        [error, handle] {
            handle(Undelivered { error, false });
        },
        Qt::QueuedConnection);
}

void DeveloperCornerService::post(const QString &path, const QByteArray &body,
    const DeveloperCornerError &refusal, bool needsBody, DeliveryHandler handle)
{
    // Plain HTTP would hand the letter and the checkout address to anyone on the way.
    if (!UpdateFeedChecker::isAcceptableFeedUrl(m_config.baseUrl)) {
        failSoon(refusal, handle);
        return;
    }

    const SingleHttpPost::Headers headers {
        { "Content-Type", "application/json" },
        { "X-Quorvane-Client", clientIdentifier(QCoreApplication::applicationVersion()).toUtf8() },
        // A fresh key per press: a server that got the request twice keeps one; a second press is new.
        { "Idempotency-Key", Uuid::upperText(QUuid::createUuid()).toLatin1() },
    };
    SingleHttpPost::Options options;
    options.tls = m_config.tls;
    // A refusal decides at once: a server may refuse before it has read the whole request.
    options.readsBody = [needsBody](int status) { return needsBody && isSuccess(status); };
    options.maximumBodyBytes = maximumReplyBytes;
    options.timer = m_config.deadlineTimers ? m_config.deadlineTimers() : std::make_unique<QtOneShotTimer>();
    options.stallTimeout = stallTimeout;
    options.answerDeadline = answerDeadline;
    // A redirect is never followed: a 301/302/303 would resend the letter as a bodiless GET.
    auto *exchange = new SingleHttpPost(endpoint(path), headers, body, std::move(options), this);
    // `this` as the context: once this object is going, its exchanges report nothing.
    connect(exchange, &SingleHttpPost::finished, this, [exchange, refusal, handle] {
        exchange->deleteLater();
        if (const auto &failure = exchange->failure())
            handle(Undelivered { *failure, exchange->unansweredAfterSending() });
        else if (exchange->bodyTooLarge())
            handle(Undelivered { refusal, false });
        else
            handle(Delivery { exchange->status(), exchange->body() });
    });
    exchange->start();
}
