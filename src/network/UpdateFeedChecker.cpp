#include "network/UpdateFeedChecker.h"

#include "core/QtOneShotTimer.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

constexpr int maximumFeedRedirects = 5;

bool isLoopbackHost(const QString &host)
{
    if (host.compare(u"localhost", Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

UpdateCheckFailure failureOf(UpdateCheckFailure::Kind kind, QString detail, int status = 0)
{
    return UpdateCheckFailure { kind, status, std::move(detail) };
}

UpdateCheckFailure tooLarge()
{
    return failureOf(UpdateCheckFailure::Kind::tooLarge,
        QStringLiteral("the reply is larger than %1 bytes").arg(UpdateFeedChecker::maximumReplyBytes));
}

// What a finished reply that is not a usable 2xx tells the user.
UpdateCheckFailure replyFailure(const QNetworkReply &reply)
{
    using Kind = UpdateCheckFailure::Kind;
    const QNetworkReply::NetworkError error = reply.error();
    if (error == QNetworkReply::SslHandshakeFailedError || error == QNetworkReply::InsecureRedirectError)
        return failureOf(Kind::insecureConnection, reply.errorString());
    // Qt numbers the failures of the connection itself below the first content error; the status of an
    // earlier hop may still be set then and says nothing.
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if ((error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied) || !status.isValid())
        return failureOf(Kind::noConnection, reply.errorString());
    return failureOf(Kind::serverError, QStringLiteral("HTTP %1").arg(status.toInt()), status.toInt());
}

// Feed hosts count requests, and some refuse them, by the program that sends them.
constexpr char userAgent[] = "Quorvane/" QUORVANE_VERSION " Linux";

bool isSuccessStatus(const QNetworkReply &reply)
{
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return reply.error() == QNetworkReply::NoError && status >= 200 && status <= 299;
}

} // namespace

UpdateFeedChecker::UpdateFeedChecker(
    QUrl feedUrl, std::unique_ptr<OneShotTimer> deadlineTimer, QObject *parent)
    : QObject(parent)
    , m_feedUrl(std::move(feedUrl))
    , m_deadline(deadlineTimer ? std::move(deadlineTimer) : std::make_unique<QtOneShotTimer>())
    , m_network(new QNetworkAccessManager(this))
{ }

UpdateFeedChecker::~UpdateFeedChecker() = default;

bool UpdateFeedChecker::isAcceptableFeedUrl(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    if (url.scheme() == u"https")
        return true;
    return url.scheme() == u"http" && isLoopbackHost(url.host());
}

void UpdateFeedChecker::check()
{
    if (isFetching())
        return;
    if (!isAcceptableFeedUrl(m_feedUrl)) {
        emit finished(failureOf(UpdateCheckFailure::Kind::insecureConnection,
            QStringLiteral("the feed address is not an HTTPS address")));
        return;
    }
    m_visited.clear();
    m_deadline->start(deadline, [this] {
        settle(
            failureOf(UpdateCheckFailure::Kind::timedOut, QStringLiteral("no answer within the deadline")));
    });
    fetch(m_feedUrl);
}

void UpdateFeedChecker::fetch(const QUrl &url)
{
    m_body.clear();
    m_visited.append(url);
    QNetworkRequest request(url);
    request.setRawHeader("Accept", "application/rss+xml, application/xml;q=0.9, text/xml;q=0.8");
    request.setRawHeader("User-Agent", userAgent);
    // Redirects are followed here, one request each: Qt 6.4 ends a loop of them with a stray status 100
    // instead of reporting too many.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);

    QNetworkReply *reply = m_network->get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maximumReplyBytes)
            settle(tooLarge());
    });
    connect(reply, &QNetworkReply::readyRead, this, &UpdateFeedChecker::readAvailable);
    connect(reply, &QNetworkReply::finished, this, &UpdateFeedChecker::finishReply);
}

void UpdateFeedChecker::followRedirect(const QUrl &target)
{
    if (!isAcceptableFeedUrl(target)) {
        settle(failureOf(UpdateCheckFailure::Kind::insecureConnection,
            QStringLiteral("redirected to %1").arg(target.toDisplayString())));
    } else if (m_visited.contains(target)) {
        settle(failureOf(UpdateCheckFailure::Kind::redirectLoop,
            QStringLiteral("redirected round in a loop to %1").arg(target.toDisplayString())));
    } else if (m_visited.size() > maximumFeedRedirects) {
        settle(failureOf(UpdateCheckFailure::Kind::tooManyRedirects,
            QStringLiteral("redirected more than %1 times").arg(maximumFeedRedirects)));
    } else {
        releaseReply();
        fetch(target);
    }
}

void UpdateFeedChecker::readAvailable()
{
    if (!m_reply)
        return;
    const qint64 room = maximumReplyBytes - m_body.size();
    m_body.append(m_reply->read(room + 1));
    if (m_body.size() > maximumReplyBytes)
        settle(tooLarge());
}

void UpdateFeedChecker::finishReply()
{
    if (!m_reply)
        return;
    readAvailable();
    if (!m_reply)
        return;
    const QUrl target = m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (!target.isEmpty() && m_reply->error() == QNetworkReply::NoError) {
        followRedirect(m_reply->url().resolved(target));
        return;
    }
    if (!isSuccessStatus(*m_reply)) {
        settle(replyFailure(*m_reply));
        return;
    }
    const Result<std::optional<AppcastItem>> feed = readNewestAppcastItem(m_body);
    if (!feed) {
        settle(failureOf(UpdateCheckFailure::Kind::notAFeed, feed.error()));
        return;
    }
    settle(feed.value());
}

void UpdateFeedChecker::cancel()
{
    if (!m_reply)
        return;
    m_deadline->cancel();
    releaseReply();
}

// Ends the running fetch; the reply's own signals are ignored afterwards.
void UpdateFeedChecker::settle(const UpdateCheckOutcome &outcome)
{
    if (!m_reply)
        return;
    cancel();
    emit finished(outcome);
}

void UpdateFeedChecker::releaseReply()
{
    QNetworkReply *reply = m_reply;
    m_reply.clear();
    m_body.clear();
    reply->disconnect(this);
    if (!reply->isFinished())
        reply->abort();
    reply->deleteLater();
}
