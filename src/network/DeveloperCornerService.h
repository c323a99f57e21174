#pragma once

#include "core/DonationCurrency.h"
#include "core/ExactDecimal.h"
#include "core/FeedbackImage.h"
#include "network/DeveloperCornerConfig.h"
#include "network/DeveloperCornerError.h"

#include <QList>
#include <QObject>
#include <QUrl>
#include <functional>
#include <optional>
#include <utility>
#include <variant>

class QNetworkAccessManager;

// The developer corner's web client: sends feedback letters and asks the maker's service for a donation
// checkout page. Requests are never cancelled, so the controller owns this for the whole run: closing
// a sheet must not abort a letter on its way.
class DeveloperCornerService : public QObject
{
    Q_OBJECT

public:
    // A checkout reply is one address; nothing the service sends is near this size.
    static constexpr qint64 maximumReplyBytes = 64 * 1024;

    // Called once, on the main thread: no error when the letter was delivered.
    using FeedbackCompletion = std::function<void(const std::optional<DeveloperCornerError> &failure)>;
    // Called once, on the main thread: the checkout page to open, or why there is none.
    using CheckoutCompletion = std::function<void(const std::variant<QUrl, DeveloperCornerError> &outcome)>;

    explicit DeveloperCornerService(DeveloperCornerConfig config, QObject *parent = nullptr);

    // "Quorvane/<version> Linux"; "unknown" stands in for an empty version.
    static QString clientIdentifier(const QString &version);
    static DeveloperCornerError contactUnavailable();
    // The server refused the letter's size (HTTP 413), often before it has read all of it.
    static DeveloperCornerError letterTooLarge();
    static DeveloperCornerError checkoutUnavailable();

    // The e-mail address and the message are sent trimmed; the caller has checked them.
    void sendFeedback(const QString &email, const QString &message, const QList<FeedbackImage> &images,
        FeedbackCompletion completion);
    // The amount is sent in minor units, any smaller fraction dropped; the caller has checked its range.
    void createDonationCheckout(
        const ExactDecimal &amount, DonationCurrency currency, CheckoutCompletion completion);

private:
    struct Delivery
    {
        int status = 0;
        QByteArray body;
    };
    using DeliveryHandler = std::function<void(const std::variant<Delivery, DeveloperCornerError> &)>;
    using Headers = QList<std::pair<QByteArray, QByteArray>>;

    // POSTs the JSON body to the path under the base address and hands over the HTTP reply, or the
    // transport's failure. Anything the service refuses to read ends in `refusal`.
    void post(const QString &path, const QByteArray &body, const Headers &extraHeaders,
        const DeveloperCornerError &refusal, bool needsBody, DeliveryHandler handle);
    void failSoon(const DeveloperCornerError &error, const DeliveryHandler &handle);
    QUrl endpoint(const QString &path) const;

    DeveloperCornerConfig m_config;
    // A child, not a member: its replies are destroyed after this object's connections are gone, so no
    // completion runs while the owner is being torn down.
    QNetworkAccessManager *m_network;
};
