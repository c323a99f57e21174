#pragma once

#include <QApplication>
#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTest>

// An Xvfb of the test's own, so that helpers it starts (a tray host, the program itself) meet no tray
// host, window manager or keyboard grab of another test or of the user's desktop. Xvfb picks a free
// display and writes its number to our pipe once it accepts clients; DISPLAY then points at it for this
// process and every child it starts. Create it before the QGuiApplication that should use it.
class PrivateXServer
{
public:
    // `size` is the screen's, such as "1920x1080".
    explicit PrivateXServer(const QString &size = QStringLiteral("1920x1080"))
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty()) {
            m_error = QStringLiteral("Xvfb is not installed");
            return;
        }
        m_server.setProcessChannelMode(QProcess::SeparateChannels);
        m_server.setStandardErrorFile(QProcess::nullDevice());
        m_server.start(xvfb,
            { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), size + QStringLiteral("x24"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp"), QStringLiteral("-noreset") });
        QByteArray number;
        // A loaded machine may take a while to bring a server up.
        while (!number.endsWith('\n') && m_server.waitForReadyRead(60000))
            number += m_server.readAllStandardOutput();
        number = number.trimmed();
        if (number.isEmpty()) {
            m_error = QStringLiteral("Xvfb did not start");
            return;
        }
        m_display = QStringLiteral(":") + QString::fromLatin1(number);
        m_previousDisplay = qgetenv("DISPLAY");
        qputenv("DISPLAY", m_display.toLatin1());
    }

    ~PrivateXServer()
    {
        if (!m_display.isEmpty())
            qputenv("DISPLAY", m_previousDisplay);
        if (m_server.state() == QProcess::NotRunning)
            return;
        m_server.terminate();
        if (!m_server.waitForFinished(10000))
            m_server.kill();
        m_server.waitForFinished(10000);
    }

    PrivateXServer(const PrivateXServer &) = delete;
    PrivateXServer &operator=(const PrivateXServer &) = delete;

    bool isRunning() const { return !m_display.isEmpty(); }
    // Why the server is not running; empty while it runs.
    const QString &error() const { return m_error; }
    const QString &display() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
    QByteArray m_previousDisplay;
    QString m_error;
};

// The main of a test whose application runs on a display of its own (a `Display` made of `arguments`),
// there before the application connects to it and gone after it.
template<typename Test, typename Display = PrivateXServer, typename... Arguments>
int runOnOwnDisplay(int argc, char *argv[], const Arguments &...arguments)
{
    Display display(arguments...);
    if (!display.isRunning()) {
        qCritical("%s", qPrintable(display.error()));
        return 1;
    }
    QApplication application(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

#define QUORVANE_PRIVATE_X_TEST_MAIN(TestObject)                                                             \
    int main(int argc, char *argv[])                                                                         \
    {                                                                                                        \
        return runOnOwnDisplay<TestObject>(argc, argv);                                                      \
    }
