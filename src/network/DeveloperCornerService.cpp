#include "network/DeveloperCornerService.h"

#include "core/Uuid.h"
#include "network/DeveloperCornerPolicy.h"
#include "network/UpdateFeedChecker.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUuid>

namespace {

const QString feedbackPath = QStringLiteral("account/quorvane-contact");
const QString checkoutPath = QStringLiteral("payment/quorvane-donation-checkout");

constexpr int payloadTooLarge = 413;

bool isSuccess(int status)
{
    return status >= 200 && status <= 299;
}

// The reply of one request in flight, read within the size cap.
struct Exchange
{
    QNetworkReply *reply = nullptr;
    DeveloperCornerError refusal;
    // A checkout reads the body of a 2xx reply; a letter is decided by its status alone.
    bool needsBody = false;
    QByteArray body;
    bool settled = false;
};

DeveloperCornerError transportError(const QNetworkReply &reply)
{
    // Qt reports its own transfer time-out as a cancellation; nothing else cancels these requests.
    const QString description = reply.error() == QNetworkReply::OperationCanceledError
        ? QStringLiteral("The request timed out.")
        : reply.errorString();
    return { QStringLiteral("QNetworkReply"), int(reply.error()), description };
}

} // namespace

DeveloperCornerService::DeveloperCornerService(DeveloperCornerConfig config, QObject *parent)
    : QObject(parent)
    , m_config(std::move(config))
    , m_network(new QNetworkAccessManager(this))
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
    post(feedbackPath, QJsonDocument(letter).toJson(QJsonDocument::Compact), {}, contactUnavailable(), false,
        [completion = std::move(completion)](const std::variant<Delivery, DeveloperCornerError> &outcome) {
            if (const auto *failure = std::get_if<DeveloperCornerError>(&outcome))
                completion(*failure);
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
    // A fresh key per call: pressing the button again is a new checkout, not a retry of the last one.
    const Headers headers { { "Idempotency-Key", Uuid::upperText(QUuid::createUuid()).toLatin1() } };
    post(checkoutPath, QJsonDocument(checkout).toJson(QJsonDocument::Compact), headers, checkoutUnavailable(),
        true,
        [completion = std::move(completion), checkoutHost = m_config.checkoutHost](
            const std::variant<Delivery, DeveloperCornerError> &outcome) {
            if (const auto *failure = std::get_if<DeveloperCornerError>(&outcome)) {
                completion(*failure);
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
        this, [error, handle] { handle(error); }, Qt::QueuedConnection);
}

void DeveloperCornerService::post(const QString &path, const QByteArray &body, const Headers &extraHeaders,
    const DeveloperCornerError &refusal, bool needsBody, DeliveryHandler handle)
{
    // Plain HTTP would hand the letter and the checkout address to anyone on the way.
    if (!UpdateFeedChecker::isAcceptableFeedUrl(m_config.baseUrl)) {
        failSoon(refusal, handle);
        return;
    }

    QNetworkRequest request(endpoint(path));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    request.setRawHeader(
        "X-Quorvane-Client", clientIdentifier(QCoreApplication::applicationVersion()).toUtf8());
    for (const auto &[name, value] : extraHeaders)
        request.setRawHeader(name, value);
    // A followed 301/302/303 would resend the letter as a bodiless GET and report its answer as delivery.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(m_config.transferTimeoutMs);
    if (m_config.tls)
        request.setSslConfiguration(*m_config.tls);

    auto exchange = std::make_shared<Exchange>();
    exchange->reply = m_network->post(request, body);
    exchange->refusal = refusal;
    exchange->needsBody = needsBody;

    const auto settle
        = [this, exchange, handle](const std::variant<Delivery, DeveloperCornerError> &outcome) {
              if (std::exchange(exchange->settled, true))
                  return;
              QNetworkReply *reply = exchange->reply;
              reply->disconnect(this);
              // Aborted from the event loop, not from inside one of the reply's own signals, which Qt's
              // reply does not expect.
              QMetaObject::invokeMethod(
                  reply,
                  [reply] {
                      reply->abort();
                      reply->deleteLater();
                  },
                  Qt::QueuedConnection);
              handle(outcome);
          };
    const auto readAvailable = [exchange, settle] {
        // Qt closes a reply that it ended itself, its transfer time-out for one.
        if (exchange->settled || !exchange->reply->isReadable())
            return;
        exchange->body += exchange->reply->read(maximumReplyBytes - exchange->body.size() + 1);
        if (exchange->body.size() > maximumReplyBytes)
            settle(exchange->refusal);
    };

    // `this` as the context: once this object is going, its replies report nothing.
    connect(exchange->reply, &QNetworkReply::metaDataChanged, this, [exchange, settle] {
        // The status decides at once where no body is needed: a letter's, or any refusal. A server may
        // refuse before it has read the whole request, and the rest of the upload then fails.
        const QVariant status = exchange->reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (status.isValid() && (!exchange->needsBody || !isSuccess(status.toInt()))) {
            settle(Delivery { status.toInt(), {} });
            return;
        }
        const QVariant length = exchange->reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maximumReplyBytes)
            settle(exchange->refusal);
    });
    connect(exchange->reply, &QNetworkReply::readyRead, this, readAvailable);
    connect(exchange->reply, &QNetworkReply::finished, this, [exchange, settle, readAvailable] {
        readAvailable();
        const QNetworkReply &reply = *exchange->reply;
        const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
        // A status decides on its own: Qt sets an error code for a 404 as well.
        if (status.isValid())
            settle(Delivery { status.toInt(), exchange->body });
        else if (reply.error() != QNetworkReply::NoError)
            settle(transportError(reply));
        else
            settle(exchange->refusal);
    });
}
