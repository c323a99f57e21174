#include "TestSupport.h"
#include "platform/MainWindowControl.h"
#include "platform/WaylandBreakFocus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRasterWindow>
#include <QTest>
#include <QThread>

// Runs inside the headless GNOME session that headless-gnome-session.sh makes: the test and the program
// are native Wayland clients of mutter, and input comes through mutter's remote desktop service, the way
// a user's reaches the compositor.

namespace {

const QString remoteDesktop = QStringLiteral("org.gnome.Mutter.RemoteDesktop");

// Linux input key codes.
constexpr uint keyEscape = 1;
constexpr uint keyLeftControl = 29;
constexpr uint keyLeftAlt = 56;
constexpr uint keyLeftSuper = 125;

// A remote desktop session of mutter's, which injects input the way a user's reaches the compositor.
class RemoteInput
{
public:
    bool start()
    {
        const QDBusMessage reply = QDBusConnection::sessionBus().call(
            QDBusMessage::createMethodCall(remoteDesktop, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"),
                remoteDesktop, QStringLiteral("CreateSession")));
        m_session = reply.arguments().value(0).value<QDBusObjectPath>().path();
        return !m_session.isEmpty() && call(QStringLiteral("Start"));
    }

    bool call(const QString &method, const QVariantList &arguments = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            remoteDesktop, m_session, remoteDesktop + QStringLiteral(".Session"), method);
        message.setArguments(arguments);
        return QDBusConnection::sessionBus().call(message).type() == QDBusMessage::ReplyMessage;
    }

private:
    QString m_session;
};

QStringList breakMessages;
QtMessageHandler previousHandler = nullptr;

void collectBreakMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && QByteArrayView(context.category) == "quorvane.break")
        breakMessages.append(message);
    previousHandler(type, context, message);
}

int countOf(const QString &text)
{
    return int(std::count_if(breakMessages.cbegin(), breakMessages.cend(),
        [&](const QString &message) { return message.contains(text); }));
}

} // namespace

class WaylandSessionTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { previousHandler = qInstallMessageHandler(collectBreakMessages); }

    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }

    // The real program: a minute without input counts nothing, a minute of input completes a one-minute
    // round in about a minute.
    void activityComesFromTheIdleMonitor()
    {
        TemporaryDataHome home;
        const QString data = home.filePath(QStringLiteral("data/Quorvane/"));
        QVERIFY(QDir().mkpath(data));
        QVERIFY(writeFileBytes(data + QStringLiteral("preferences.json"), R"({"sessionMinutes": 1})"));
        const QString focusLog = data + QStringLiteral("focus-session-log.csv");
        const auto loggedRounds = [&] {
            return QString::fromUtf8(readFileBytes(focusLog)).split(u'\n', Qt::SkipEmptyParts).mid(1);
        };

        QProcess program;
        QString output;
        program.setProcessChannelMode(QProcess::MergedChannels);
        connect(
            &program, &QProcess::readyRead, this, [&] { output += QString::fromUtf8(program.readAll()); });
        program.start(QStringLiteral(QUORVANE_EXECUTABLE), {});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(
            output.contains(QStringLiteral("Input activity: GNOME's idle monitor")), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(data + QStringLiteral("active-focus-session.json")), 30000);

        // As long as the input below: anything counted without input would complete the round by then.
        QTest::qWait(61000);
        QVERIFY2(loggedRounds().isEmpty(), qPrintable(loggedRounds().join(u'\n')));

        RemoteInput input;
        QVERIFY(input.start());
        QElapsedTimer sinceInput;
        sinceInput.start();
        // Back and forth, so that the pointer stays where it is.
        for (double step = 1; loggedRounds().isEmpty() && sinceInput.elapsed() < 90000; step = -step) {
            QVERIFY(input.call(QStringLiteral("NotifyPointerMotionRelative"), { step, 0.0 }));
            QTest::qWait(100);
        }
        const qint64 took = sinceInput.elapsed();
        const QStringList rounds = loggedRounds();
        QCOMPARE(rounds.size(), 1);
        const QStringList fields = rounds.constFirst().split(u',');
        QCOMPARE(fields.value(8), QStringLiteral("true"));
        const double active = fields.value(6).toDouble();
        QVERIFY2(active >= 59 && active <= 61, qPrintable(fields.value(6)));
        QVERIFY2(took >= 59000 && took <= 62000, qPrintable(QString::number(took)));

        program.terminate();
        program.waitForFinished(20000);
    }

    // The break window is full screen and focused, asks for the desktop's shortcuts and hears the
    // compositor's answer; the watchdog gives them back while the main thread hangs, and the chord ends it.
    void breakWindowHoldsTheKeyboardUntilTheChord()
    {
        QRasterWindow window;
        window.resize(400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MainWindowControl control;
        control.setWindow(&window);
        WaylandBreakFocus focus(control, std::chrono::milliseconds(300));
        bool chord = false;
        QVERIFY(focus.grab([&] {
            chord = true;
            focus.release();
        }));
        control.enterFullScreen();
        QTRY_COMPARE_WITH_TIMEOUT(window.visibility(), QWindow::FullScreen, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(window.isActive(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(countOf(QStringLiteral("(inhibitor active)")) == 1, 20000);

        // A hang longer than the watchdog time; the request is made again once the main thread answers.
        QThread::msleep(1000);
        QTRY_VERIFY_WITH_TIMEOUT(countOf(QStringLiteral("Asked the compositor")) == 2, 20000);

        // The compositor gives the window a keyboard only once the remote desktop's device exists: the
        // chord is pressed until it arrives.
        RemoteInput input;
        QVERIFY(input.start());
        const uint chordKeys[] = { keyLeftControl, keyLeftAlt, keyLeftSuper, keyEscape };
        QElapsedTimer waited;
        waited.start();
        while (!chord && waited.elapsed() < 20000) {
            for (const bool pressed : { true, false }) {
                for (const uint key : chordKeys)
                    QVERIFY(input.call(QStringLiteral("NotifyKeyboardKeycode"), { key, pressed }));
            }
            QTest::qWait(200);
        }
        QVERIFY(chord);
    }
};

QTEST_MAIN(WaylandSessionTest)
#include "tst_wayland_session.moc"
