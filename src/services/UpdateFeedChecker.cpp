#include "UpdateFeedChecker.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

constexpr int transferTimeoutMilliseconds = 30'000;
constexpr int maximumRedirects = 5;

bool isLoopbackHost(const QString &host)
{
    if (host.compare(u"localhost", Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

QString tooLargeMessage()
{
    return QStringLiteral("the reply is larger than %1 bytes")
        .arg(QString::number(UpdateFeedChecker::maximumReplyBytes));
}

} // namespace

UpdateFeedChecker::UpdateFeedChecker(QUrl feedUrl, QObject *parent)
    : QObject(parent)
    , m_feedUrl(std::move(feedUrl))
    , m_network(new QNetworkAccessManager(this))
{ }

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
    m_body.clear();
    if (!isAcceptableFeedUrl(m_feedUrl)) {
        emit finished(Error { QStringLiteral("the feed address is not an HTTPS address") });
        return;
    }

    QNetworkRequest request(m_feedUrl);
    request.setRawHeader("Accept", "application/rss+xml, application/xml;q=0.9, text/xml;q=0.8");
    request.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(maximumRedirects);
    request.setTransferTimeout(transferTimeoutMilliseconds);

    QNetworkReply *reply = m_network->get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::redirected, this, [this, reply](const QUrl &target) {
        if (isAcceptableFeedUrl(target))
            emit reply->redirectAllowed();
        else
            fail(QStringLiteral("the feed redirected to an address that is not HTTPS"));
    });
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maximumReplyBytes)
            fail(tooLargeMessage());
    });
    connect(reply, &QNetworkReply::readyRead, this, &UpdateFeedChecker::readAvailable);
    connect(reply, &QNetworkReply::finished, this, &UpdateFeedChecker::finishReply);
}

void UpdateFeedChecker::readAvailable()
{
    if (!m_reply)
        return;
    const qint64 room = maximumReplyBytes - m_body.size();
    m_body.append(m_reply->read(room + 1));
    if (m_body.size() > maximumReplyBytes)
        fail(tooLargeMessage());
}

void UpdateFeedChecker::finishReply()
{
    if (!m_reply)
        return;
    readAvailable();
    if (!m_reply)
        return;

    QNetworkReply *reply = m_reply;
    m_reply.clear();
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body = std::exchange(m_body, {});

    if (status != 0 && (status < 200 || status > 299)) {
        emit finished(Error { QStringLiteral("the server answered HTTP %1").arg(QString::number(status)) });
        return;
    }
    if (reply->error() == QNetworkReply::OperationCanceledError) {
        // Only the transfer timeout cancels a reply that is still connected here.
        emit finished(Error { QStringLiteral("the server did not answer in time") });
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        emit finished(Error { reply->errorString() });
        return;
    }
    emit finished(readNewestAppcastItem(body));
}

// Ends the running fetch with an error; the reply's own finished signal is ignored afterwards.
void UpdateFeedChecker::fail(const QString &message)
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply.clear();
    m_body.clear();
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    emit finished(Error { message });
}
