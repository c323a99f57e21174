#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace {

// The running copy takes its lock and listens at once, but a start in the same instant may connect in
// between.
constexpr int connectAttemptsMs = 1000;
constexpr int retryPauseMs = 50;
// A request is a view's name and a token; more is no request of ours.
constexpr qint64 requestLimit = 4096;

} // namespace

SingleInstance::SingleInstance(const QString &dataFolder, QObject *parent)
    : QObject(parent)
    , m_serverName(serverName(dataFolder))
    , m_lock(QDir(dataFolder).filePath(QStringLiteral("instance.lock")))
{
    // The lock is held for as long as the program runs: only a dead holder makes it stale, never its age.
    m_lock.setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        // The later start writes its request and hangs up: the request is whatever came before.
        while (QLocalSocket *socket = m_server.nextPendingConnection()) {
            socket->setReadBufferSize(requestLimit);
            const auto received = [this, socket] {
                socket->deleteLater();
                emit launchRequested(LaunchRequest::decode(socket->read(requestLimit)));
            };
            if (socket->state() == QLocalSocket::UnconnectedState)
                received();
            else
                connect(socket, &QLocalSocket::disconnected, this, received);
        }
    });
}

QString SingleInstance::serverName(const QString &dataFolder)
{
    const QByteArray path = QDir(dataFolder).absolutePath().toUtf8();
    return QStringLiteral("quorvane-")
        + QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex().left(24));
}

bool SingleInstance::claim(const LaunchRequest &request)
{
    if (m_lock.tryLock(0)) {
        listen();
        return true;
    }
    if (m_lock.error() != QLockFile::LockFailedError)
        return true;
    sendToRunningCopy(request);
    return false;
}

void SingleInstance::listen()
{
    // A socket left by a copy that was killed would refuse the name; holding the lock makes it ours.
    QLocalServer::removeServer(m_serverName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(m_serverName))
        qWarning("Quorvane cannot listen for later starts: %s", qPrintable(m_server.errorString()));
}

void SingleInstance::sendToRunningCopy(const LaunchRequest &request) const
{
    const QDeadlineTimer deadline(connectAttemptsMs);
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(int(std::max<qint64>(deadline.remainingTime(), 0)))) {
            socket.write(request.encode());
            socket.waitForBytesWritten(connectAttemptsMs);
            socket.disconnectFromServer();
            return;
        }
        if (deadline.hasExpired())
            return;
        QThread::msleep(retryPauseMs);
    }
}
