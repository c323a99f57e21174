#include "network/SingleHttpPost.h"

#include <QNetworkReply>
#include <QScopedValueRollback>
#include <QSslSocket>

namespace {

// Written a piece at a time, so that a large letter is not copied whole into the socket's buffer.
constexpr qsizetype writePieceBytes = 64 * 1024;
// No real server sends a longer head.
constexpr qsizetype maximumHeadBytes = 64 * 1024;

// The errors are told in Qt's network terms, as its client would have told them.
QNetworkReply::NetworkError networkError(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return QNetworkReply::ConnectionRefusedError;
    case QAbstractSocket::RemoteHostClosedError:
        return QNetworkReply::RemoteHostClosedError;
    case QAbstractSocket::HostNotFoundError:
        return QNetworkReply::HostNotFoundError;
    case QAbstractSocket::SocketTimeoutError:
        return QNetworkReply::TimeoutError;
    case QAbstractSocket::SslHandshakeFailedError:
        return QNetworkReply::SslHandshakeFailedError;
    case QAbstractSocket::ProxyConnectionRefusedError:
    case QAbstractSocket::ProxyConnectionClosedError:
    case QAbstractSocket::ProxyNotFoundError:
    case QAbstractSocket::ProxyProtocolError:
    case QAbstractSocket::ProxyConnectionTimeoutError:
        return QNetworkReply::ProxyConnectionRefusedError;
    case QAbstractSocket::ProxyAuthenticationRequiredError:
        return QNetworkReply::ProxyAuthenticationRequiredError;
    default:
        return QNetworkReply::UnknownNetworkError;
    }
}

} // namespace

SingleHttpPost::SingleHttpPost(
    QUrl url, const Headers &headers, const QByteArray &body, Options options, QObject *parent)
    : QObject(parent)
    , m_url(std::move(url))
    , m_options(std::move(options))
{
    QByteArray target = m_url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (target.isEmpty())
        target = "/";
    m_request = "POST " + target + " HTTP/1.1\r\nHost: "
        + m_url.adjusted(QUrl::RemoveUserInfo).authority(QUrl::FullyEncoded).toLatin1() + "\r\n";
    for (const auto &[name, value] : headers)
        m_request += name + ": " + value + "\r\n";
    m_request
        += "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

SingleHttpPost::~SingleHttpPost() = default;

void SingleHttpPost::start()
{
    madeProgress();
    const bool secure = m_url.scheme() == u"https";
    QTcpSocket *socket = secure ? new QSslSocket(this) : new QTcpSocket(this);
    m_socket = socket;
    connect(socket, &QTcpSocket::readyRead, this, &SingleHttpPost::readReply);
    connect(socket, &QTcpSocket::connected, this, &SingleHttpPost::madeProgress);
    connect(socket, &QTcpSocket::bytesWritten, this, &SingleHttpPost::writeMore);
    connect(socket, &QTcpSocket::errorOccurred, this, &SingleHttpPost::connectionEnded);
    connect(socket, &QTcpSocket::disconnected, this, &SingleHttpPost::connectionEnded);
    if (auto *tls = qobject_cast<QSslSocket *>(socket)) {
        if (m_options.tls)
            tls->setSslConfiguration(*m_options.tls);
        connect(tls, &QSslSocket::encrypted, this, &SingleHttpPost::madeProgress);
        connect(tls, &QSslSocket::encrypted, this, &SingleHttpPost::writeMore);
        // Written to the network: the plain bytesWritten only says that the TLS library took them.
        connect(tls, &QSslSocket::encryptedBytesWritten, this, &SingleHttpPost::writeMore);
        tls->connectToHostEncrypted(m_url.host(), quint16(m_url.port(443)));
    } else {
        connect(socket, &QTcpSocket::connected, this, &SingleHttpPost::writeMore);
        socket->connectToHost(m_url.host(), quint16(m_url.port(80)));
    }
}

qint64 SingleHttpPost::unsentBytes() const
{
    const auto *tls = qobject_cast<const QSslSocket *>(m_socket.data());
    return m_socket->bytesToWrite() + (tls ? tls->encryptedBytesToWrite() : 0);
}

void SingleHttpPost::writeMore()
{
    // Flushing reports bytes written from inside this loop, and Qt tells of them only once.
    if (m_writing || m_finished || !m_socket)
        return;
    const auto *tls = qobject_cast<const QSslSocket *>(m_socket.data());
    if (tls && !tls->isEncrypted())
        return;
    const QScopedValueRollback writing(m_writing, true);
    if (!m_requestSent && m_written > 0)
        madeProgress();
    while (!m_finished && m_socket && unsentBytes() == 0) {
        // A write that meets a reset closes the socket, and an answer that came just before it would be
        // lost: what has come is read first, and each piece goes out at once.
        m_socket->waitForReadyRead(0);
        if (m_finished || !m_socket)
            return;
        if (m_written == m_request.size()) {
            if (!std::exchange(m_requestSent, true) && m_options.timer)
                m_options.timer->start(m_options.answerDeadline, [this] { timeOut(); });
            return;
        }
        const QByteArray piece = m_request.mid(m_written, writePieceBytes);
        m_written += piece.size();
        m_socket->write(piece);
        m_socket->flush();
    }
}

void SingleHttpPost::madeProgress()
{
    if (!m_requestSent && m_options.timer)
        m_options.timer->start(m_options.stallTimeout, [this] { timeOut(); });
}

void SingleHttpPost::timeOut()
{
    fail(QNetworkReply::TimeoutError, QStringLiteral("The request timed out."));
}

void SingleHttpPost::readReply()
{
    if (m_finished)
        return;
    m_received += m_socket->readAll();
    if (!m_headRead && !readHead())
        return;
    if (m_finished)
        return;
    bool complete = false;
    if (m_chunked) {
        complete = readChunks();
    } else {
        m_body += std::exchange(m_received, {});
        complete = m_contentLength >= 0 && m_body.size() >= m_contentLength;
        if (complete)
            m_body.truncate(m_contentLength);
    }
    if (m_finished)
        return;
    m_bodyTooLarge = m_body.size() > m_options.maximumBodyBytes;
    if (complete || m_bodyTooLarge)
        finish();
}

// True once the final head is read; ends the exchange when its status needs no body.
bool SingleHttpPost::readHead()
{
    for (;;) {
        const qsizetype end = m_received.indexOf("\r\n\r\n");
        if (end < 0) {
            if (m_received.size() > maximumHeadBytes)
                fail(QNetworkReply::ProtocolFailure, QStringLiteral("The server's answer is not HTTP."));
            return false;
        }
        const QList<QByteArray> lines = m_received.left(end).split('\n');
        const QList<QByteArray> statusLine = lines.constFirst().trimmed().split(' ');
        bool isNumber = false;
        const int status = statusLine.value(1).toInt(&isNumber);
        if (!statusLine.constFirst().startsWith("HTTP/1.") || !isNumber || status < 100 || status > 999) {
            fail(QNetworkReply::ProtocolFailure, QStringLiteral("The server's answer is not HTTP."));
            return false;
        }
        m_received.remove(0, end + 4);
        // "100 Continue" and its kind come before the real answer.
        if (status < 200)
            continue;
        for (const QByteArray &line : lines.sliced(1)) {
            const qsizetype colon = line.indexOf(':');
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed().toLower();
            if (name == "content-length")
                m_contentLength = value.toLongLong();
            else if (name == "transfer-encoding")
                m_chunked = value.contains("chunked");
        }
        m_status = status;
        m_headRead = true;
        if (!m_options.readsBody || !m_options.readsBody(status))
            finish();
        return true;
    }
}

bool SingleHttpPost::readChunks()
{
    for (;;) {
        if (m_chunkRemaining < 0) {
            const qsizetype end = m_received.indexOf("\r\n");
            if (end < 0)
                return false;
            bool isNumber = false;
            const qint64 size
                = m_received.left(end).split(';').constFirst().trimmed().toLongLong(&isNumber, 16);
            if (!isNumber || size < 0) {
                fail(QNetworkReply::ProtocolFailure, QStringLiteral("The server's answer is not HTTP."));
                return false;
            }
            m_received.remove(0, end + 2);
            // Trailers after the last chunk say nothing wanted here.
            if (size == 0)
                return true;
            m_chunkRemaining = size;
        }
        if (m_chunkRemaining > 0) {
            const qsizetype take = qsizetype(std::min<qint64>(m_chunkRemaining, m_received.size()));
            m_body += m_received.left(take);
            m_received.remove(0, take);
            m_chunkRemaining -= take;
            if (m_chunkRemaining > 0 || m_body.size() > m_options.maximumBodyBytes)
                return false;
        }
        if (m_received.size() < 2)
            return false;
        m_received.remove(0, 2);
        m_chunkRemaining = -1;
    }
}

void SingleHttpPost::connectionEnded()
{
    if (m_finished || !m_socket)
        return;
    const QAbstractSocket::SocketError error = m_socket->error();
    // Looking for an answer that has not come yet is no failure.
    if (error == QAbstractSocket::SocketTimeoutError && m_socket->state() == QAbstractSocket::ConnectedState)
        return;
    const QString description = m_socket->errorString();
    // What came before the close still counts: a server may answer early and close at once.
    readReply();
    if (m_finished)
        return;
    // A status has come: the body ends here, whole or not, and the reader judges it.
    if (m_headRead) {
        finish();
        return;
    }
    if (!m_received.isEmpty() && !m_received.startsWith("HTTP/")) {
        fail(QNetworkReply::ProtocolFailure, QStringLiteral("The server's answer is not HTTP."));
        return;
    }
    fail(error == QAbstractSocket::UnknownSocketError ? QNetworkReply::RemoteHostClosedError
                                                      : networkError(error),
        description);
}

void SingleHttpPost::fail(int networkError, const QString &description)
{
    if (m_finished)
        return;
    m_failure = DeveloperCornerError { QStringLiteral("QNetworkReply"), networkError, description };
    finish();
}

void SingleHttpPost::finish()
{
    if (std::exchange(m_finished, true))
        return;
    if (m_options.timer)
        m_options.timer->cancel();
    if (m_socket) {
        m_socket->disconnect(this);
        // Never from inside the socket's own signal, which Qt's socket does not expect.
        QMetaObject::invokeMethod(
            m_socket,
            [socket = m_socket] {
                socket->abort();
                socket->deleteLater();
            },
            Qt::QueuedConnection);
    }
    emit finished();
}
