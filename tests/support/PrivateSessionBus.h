#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

// A dbus-daemon of the test's own, so that the stand-in services a test registers meet no service of
// the user's desktop: its configuration names no service directory, so nothing installed is started
// on it. It ends with the object.
class PrivateSessionBus
{
public:
    PrivateSessionBus() = default;
    PrivateSessionBus(const PrivateSessionBus &) = delete;
    PrivateSessionBus &operator=(const PrivateSessionBus &) = delete;

    ~PrivateSessionBus()
    {
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }

    // Starts the daemon and reads its address; false when it did not start.
    bool start()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
            { QStringLiteral("--config-file=" QUORVANE_PRIVATE_BUS_CONFIG), QStringLiteral("--nofork"),
                QStringLiteral("--print-address") });
        if (!m_daemon.waitForStarted())
            return false;
        QByteArray line;
        // A loaded machine may take a while to bring the daemon up.
        while (!line.endsWith('\n') && m_daemon.waitForReadyRead(20000))
            line += m_daemon.readAllStandardOutput();
        m_address = QString::fromUtf8(line).trimmed();
        return !m_address.isEmpty();
    }

    const QString &address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};
