#pragma once

#include "core/OneShotTimer.h"
#include "network/DeveloperCornerError.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSslConfiguration>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QTcpSocket;

// One HTTP/1.1 POST on a connection of its own, sent at most once: Qt's client sends a request again, up
// to three times, when the connection drops before the answer, and it reads no answer that comes while
// the body is still going out. Here a status that comes at any time is read and decides, however the
// server closes afterwards, over TLS as over plain TCP; a dropped connection ends the exchange. The body
// goes out a piece at a time, each once the last has left for the network, so that "sent" means handed
// to the system, not to a buffer of Qt's.
class SingleHttpPost : public QObject
{
    Q_OBJECT

public:
    using Headers = QList<std::pair<QByteArray, QByteArray>>;
    // Whether the body of a reply with this status is read; otherwise the status alone ends the exchange.
    using BodyRule = std::function<bool(int status)>;

    struct Options
    {
        std::optional<QSslConfiguration> tls;
        BodyRule readsBody;
        qint64 maximumBodyBytes = 0;
        // Ends the exchange when connecting and sending make no progress for `stallTimeout` (a slow
        // uplink takes as long as it needs), and when the answer has not ended `answerDeadline` after
        // the last byte went out.
        std::unique_ptr<OneShotTimer> timer;
        std::chrono::milliseconds stallTimeout { 0 };
        std::chrono::milliseconds answerDeadline { 0 };
    };

    SingleHttpPost(
        QUrl url, const Headers &headers, const QByteArray &body, Options options, QObject *parent = nullptr);
    ~SingleHttpPost() override;

    void start();

    // What came, once finished() is emitted. A failure wins over a status: the deadline may end a reply
    // whose status has come but whose body has not.
    const std::optional<DeveloperCornerError> &failure() const { return m_failure; }
    int status() const { return m_status; }
    const QByteArray &body() const { return m_body; }
    bool bodyTooLarge() const { return m_bodyTooLarge; }
    // Every byte of the request was written to the network and not one came back: the server may have
    // acted on it.
    bool unansweredAfterSending() const { return m_requestSent && !m_headRead && m_received.isEmpty(); }

signals:
    void finished();

private:
    void writeMore();
    // Bytes written by the caller that have not yet left for the network, encrypted or not.
    qint64 unsentBytes() const;
    void madeProgress();
    void timeOut();
    void readReply();
    bool readHead();
    // True once the whole body is in.
    bool readChunks();
    void connectionEnded();
    void fail(int networkError, const QString &description);
    void finish();

    QUrl m_url;
    QByteArray m_request;
    qsizetype m_written = 0;
    Options m_options;
    QPointer<QTcpSocket> m_socket;
    QByteArray m_received;
    bool m_headRead = false;
    bool m_chunked = false;
    qint64 m_contentLength = -1;
    // Of the chunk being read; -1 while its size line is awaited, 0 while the line end after it is.
    qint64 m_chunkRemaining = -1;
    int m_status = 0;
    QByteArray m_body;
    bool m_bodyTooLarge = false;
    bool m_requestSent = false;
    bool m_writing = false;
    bool m_finished = false;
    std::optional<DeveloperCornerError> m_failure;
};
