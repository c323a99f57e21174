#pragma once

#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QNetworkProxy>
#include <QPointer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <memory>
#include <utility>

// An HTTP/1.1 server on 127.0.0.1 for the tests of the network clients, plain or over TLS with the
// committed self-signed certificate for 127.0.0.1 and localhost (tests/data). Each path answers with its
// scripted reply, any other path with 404; every request is recorded. One request per connection.
class LocalHttpServer : public QObject
{
public:
    enum class Transport { http, https };

    struct Reply
    {
        int status = 200;
        // Further header lines, each ending in "\r\n".
        QByteArray headers {};
        QByteArray body {};
        // Without a length the reply ends when the connection closes.
        bool sendsLength = true;
        // Reads the request and never answers while the server lives.
        bool stalls = false;
        // Above 0: the head goes out at once, the body in pieces of `pieceBytes`, one per interval.
        int trickleIntervalMs = 0;
        int pieceBytes = 1;
        // Not empty: sent as it is in place of an HTTP reply.
        QByteArray raw {};
        // Answers as soon as the request's head is in, as a server refusing an upload does.
        bool answersBeforeBody = false;
        // Resets the connection right after answering, unread bytes and all.
        bool resetsAfterAnswer = false;
        // Closes the connection without a word.
        bool drops = false;
    };

    struct Request
    {
        QByteArray method;
        QByteArray path;
        // Names in lower case.
        QHash<QByteArray, QByteArray> headers;
        QByteArray body;
    };

    static Reply reply(int status, QByteArray body = {}, QByteArray headers = {})
    {
        Reply reply;
        reply.status = status;
        reply.body = std::move(body);
        reply.headers = std::move(headers);
        return reply;
    }

    explicit LocalHttpServer(Transport transport = Transport::http)
        : m_transport(transport)
    {
        // The clients under test must reach this server directly, whatever proxy the environment names.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        if (transport == Transport::https) {
            auto server = std::make_unique<QSslServer>();
            QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
            tls.setLocalCertificate(certificate());
            tls.setPrivateKey(privateKey());
            server->setSslConfiguration(tls);
            server->setHandshakeTimeout(10'000);
            m_server = std::move(server);
        } else {
            m_server = std::make_unique<QTcpServer>();
        }
        m_server->setProxy(QNetworkProxy::NoProxy);
        connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this, &LocalHttpServer::accept);
        m_server->listen(QHostAddress::LocalHost, 0);
    }

    static QSslCertificate certificate()
    {
        return QSslCertificate(readData(QStringLiteral("localhost-cert.pem")), QSsl::Pem);
    }

    static QSslKey privateKey() { return QSslKey(readData(QStringLiteral("localhost-key.pem")), QSsl::Ec); }

    // TLS settings that trust this server's certificate.
    static QSslConfiguration trustingConfiguration()
    {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificate(certificate());
        return tls;
    }

    // An address on this machine where nothing listens: connecting to it is refused.
    static QUrl refusingUrl()
    {
        QTcpServer probe;
        probe.setProxy(QNetworkProxy::NoProxy);
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port));
    }

    bool isListening() const { return m_server->isListening(); }
    QUrl baseUrl() const
    {
        const QString scheme
            = m_transport == Transport::https ? QStringLiteral("https") : QStringLiteral("http");
        return QUrl(QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(m_server->serverPort()));
    }
    void setReply(const QByteArray &path, Reply reply) { m_replies.insert(path, std::move(reply)); }
    const QList<Request> &requests() const { return m_requests; }

    // Reads no more than `bytes` of each request, leaving the rest in the network's small buffers, as a
    // slow uplink would; readOn() lets it read further. `resets`: resets the connection at that point.
    void limitReading(qint64 bytes, bool resets = false)
    {
        m_readLimit = bytes;
        m_resetsAtLimit = resets;
    }
    void readOn(qint64 bytes)
    {
        m_readLimit += bytes;
        for (QTcpSocket *socket : m_connections.keys())
            read(socket);
    }

    // While held, requests are recorded but wait unanswered until release().
    void hold() { m_holding = true; }
    void release()
    {
        m_holding = false;
        for (const auto &[socket, reply] : std::exchange(m_waiting, {})) {
            if (socket)
                answer(socket, reply);
        }
    }

private:
    struct Connection
    {
        QByteArray received;
        qsizetype headEnd = -1;
        qsizetype bodyLength = 0;
    };

    static QByteArray readData(const QString &name)
    {
        QFile file(QStringLiteral(QUORVANE_TEST_DATA "/") + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void accept()
    {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QObject::destroyed, this, [this, socket] { m_connections.remove(socket); });
            if (m_readLimit > 0)
                socket->setReadBufferSize(64 * 1024);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            // Bytes may have come in with the TLS handshake, before anyone listened.
            if (socket->bytesAvailable() > 0)
                read(socket);
        }
    }

    void read(QTcpSocket *socket)
    {
        Connection &connection = m_connections[socket];
        // Never more than has come: QIODevice::read() first allocates the whole size asked for, and a
        // limit lifted to a gigabyte would make each read a gigabyte's allocation.
        connection.received += m_readLimit > 0
            ? socket->read(std::min(m_readLimit - connection.received.size(), socket->bytesAvailable()))
            : socket->readAll();
        if (m_readLimit > 0 && m_resetsAtLimit && connection.received.size() >= m_readLimit) {
            m_connections.remove(socket);
            socket->abort();
            return;
        }
        if (connection.headEnd < 0) {
            const qsizetype end = connection.received.indexOf("\r\n\r\n");
            if (end < 0)
                return;
            connection.headEnd = end + 4;
            connection.bodyLength
                = headers(connection.received.left(end)).value("content-length").toLongLong();
        }
        const QByteArray head = connection.received.left(connection.headEnd - 4);
        const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
        const Reply scripted
            = m_replies.value(requestLine.value(1), reply(404, QByteArrayLiteral("missing")));
        if (connection.received.size() < connection.headEnd + connection.bodyLength
            && !scripted.answersBeforeBody)
            return;

        Request request;
        request.method = requestLine.value(0);
        request.path = requestLine.value(1);
        request.headers = headers(head);
        request.body = connection.received.mid(connection.headEnd, connection.bodyLength);
        m_connections.remove(socket);
        disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
        m_requests.append(request);
        if (m_holding)
            m_waiting.append({ QPointer<QTcpSocket>(socket), scripted });
        else
            answer(socket, scripted);
    }

    static QHash<QByteArray, QByteArray> headers(const QByteArray &head)
    {
        QHash<QByteArray, QByteArray> fields;
        const QList<QByteArray> lines = head.split('\n');
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                fields.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
        }
        return fields;
    }

    void answer(QTcpSocket *socket, const Reply &reply)
    {
        if (reply.stalls)
            return;
        if (reply.drops) {
            socket->abort();
            return;
        }
        if (!reply.raw.isEmpty()) {
            socket->write(reply.raw);
            socket->disconnectFromHost();
            return;
        }
        QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " Scripted\r\n";
        if (reply.sendsLength)
            head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        head += reply.headers + "Connection: close\r\n\r\n";
        if (reply.trickleIntervalMs <= 0) {
            socket->write(head + reply.body);
            // A web server reads the rest of an upload it refused before it closes: closing on unread
            // bytes would reset the connection and lose the answer. The client closes it here.
            if (reply.resetsAfterAnswer) {
                socket->flush();
                socket->abort();
            } else if (reply.answersBeforeBody) {
                connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
            } else {
                socket->disconnectFromHost();
            }
            return;
        }
        socket->write(head);
        auto *timer = new QTimer(socket);
        auto remaining = std::make_shared<QByteArray>(reply.body);
        connect(timer, &QTimer::timeout, socket, [socket, timer, remaining, pieceBytes = reply.pieceBytes] {
            socket->write(remaining->left(pieceBytes));
            remaining->remove(0, pieceBytes);
            if (remaining->isEmpty()) {
                timer->stop();
                socket->disconnectFromHost();
            }
        });
        timer->start(reply.trickleIntervalMs);
    }

    Transport m_transport;
    QHash<QByteArray, Reply> m_replies;
    QHash<QTcpSocket *, Connection> m_connections;
    QList<Request> m_requests;
    QList<std::pair<QPointer<QTcpSocket>, Reply>> m_waiting;
    bool m_holding = false;
    qint64 m_readLimit = 0;
    bool m_resetsAtLimit = false;
    // Last, so that its sockets go first, while what they report into is still here.
    std::unique_ptr<QTcpServer> m_server;
};

// The developer service's addresses that the corner's tests serve, and how long a test waits for a reply
// that only a slow machine delays.
inline const QByteArray letterPath = "/account/quorvane-contact";
inline const QByteArray checkoutPath = "/payment/quorvane-donation-checkout";
inline constexpr int generousWaitMs = 20'000;
