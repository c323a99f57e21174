#include "TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <csignal>

// The real program under a real X server, with trayer as the tray host.
class ApplicationTest : public QObject
{
    Q_OBJECT

private:
    static QString windowTree()
    {
        QProcess tree;
        tree.start(QStringLiteral("xwininfo"), { QStringLiteral("-root"), QStringLiteral("-tree") });
        return tree.waitForFinished(5000) ? QString::fromUtf8(tree.readAllStandardOutput()) : QString();
    }

    static bool windowTreeContains(const QString &text) { return windowTree().contains(text); }

    // The tray host embeds the icon as a small window of ours inside its panel.
    static bool trayIconIsDocked()
    {
        static const QRegularExpression icon(
            QStringLiteral(R"("Quorvane": \("quorvane" "Quorvane"\)\s+(\d+)x(\d+))"));
        auto matches = icon.globalMatch(windowTree());
        while (matches.hasNext()) {
            const auto match = matches.next();
            if (match.captured(1).toInt() <= 64 && match.captured(2).toInt() <= 64)
                return true;
        }
        return false;
    }

private slots:
    void terminationSavesTheRunningRound()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X server");
        TemporaryDataHome home;
        const QString snapshot = home.filePath(QStringLiteral("data/Quorvane/active-focus-session.json"));

        QProcess tray;
        tray.start(QStringLiteral("trayer"),
            { QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("pixel"),
                QStringLiteral("--width"), QStringLiteral("120") });
        QVERIFY(tray.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(windowTreeContains(QStringLiteral("panel")), 10000);

        QProcess application;
        application.setProcessChannelMode(QProcess::ForwardedChannels);
        application.start(QStringLiteral(QUORVANE_EXECUTABLE), {});
        QVERIFY(application.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(snapshot), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(windowTreeContains(QStringLiteral("柯帆")), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(trayIconIsDocked(), 20000);

        QTest::qWait(1200);
        const double requestedAt = QDateTime::currentMSecsSinceEpoch() / 1000.0;
        ::kill(pid_t(application.processId()), SIGTERM);
        QVERIFY(application.waitForFinished(20000));
        QCOMPARE(application.exitStatus(), QProcess::NormalExit);
        QCOMPARE(application.exitCode(), 0);

        const QJsonObject saved = QJsonDocument::fromJson(readFileBytes(snapshot)).object();
        QVERIFY(saved.value(QStringLiteral("savedAtEpoch")).toDouble() >= requestedAt - 0.01);
        QCOMPARE(saved.value(QStringLiteral("title")).toString(), QStringLiteral("第 1 轮专注"));
        // A first launch stores its defaults, so the default wheel items keep their identities.
        const QByteArray preferences
            = readFileBytes(home.filePath(QStringLiteral("data/Quorvane/preferences.json")));
        QCOMPARE(QJsonDocument::fromJson(preferences).object().size(), 18);

        tray.terminate();
        tray.waitForFinished(5000);
    }
};

QTEST_GUILESS_MAIN(ApplicationTest)
#include "tst_x11_application.moc"
