#pragma once

#include "core/DonationCurrency.h"
#include "core/ExactDecimal.h"
#include "core/FeedbackImage.h"
#include "network/DeveloperCornerConfig.h"
#include "network/DeveloperCornerError.h"

#include <QList>
#include <QObject>
#include <QUrl>
#include <chrono>
#include <functional>
#include <optional>
#include <utility>
#include <variant>

// The developer corner's web client: sends feedback letters and asks the maker's service for a donation
// checkout page, each request once and within deadlines that fit the link. Requests are not cancelled, so the
// controller owns this for the whole run: closing a sheet must not abort a letter on its way.
class DeveloperCornerService : public QObject
{
    Q_OBJECT

public:
    // A checkout reply is one address; nothing the service sends is near this size.
    static constexpr qint64 maximumReplyBytes = 64 * 1024;
    // A request whose connection and upload make no progress for this long ends; a slow uplink that
    // keeps moving takes as long as the letter needs.
    static constexpr std::chrono::seconds stallTimeout { 60 };
    // The whole answer, a slow trickle included, comes within this after the last byte went out.
    static constexpr std::chrono::seconds answerDeadline { 60 };

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
    // The whole letter went out, but the connection ended before the server said whether it took it.
    static DeveloperCornerError letterMayHaveArrived();
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
    struct Undelivered
    {
        DeveloperCornerError error;
        // Every byte of the request went out, and nothing came back before it failed.
        bool unanswered = false;
    };
    using DeliveryHandler = std::function<void(const std::variant<Delivery, Undelivered> &)>;

    // POSTs the JSON body once to the path under the base address and hands over the HTTP reply, or the
    // transport's failure. Anything the service refuses to read ends in `refusal`.
    void post(const QString &path, const QByteArray &body, const DeveloperCornerError &refusal,
        bool needsBody, DeliveryHandler handle);
    void failSoon(const DeveloperCornerError &error, const DeliveryHandler &handle);
    QUrl endpoint(const QString &path) const;

    DeveloperCornerConfig m_config;
};
