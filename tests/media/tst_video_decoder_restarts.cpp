#include "MediaFixtures.h"
#include "TestProgram.h"
#include "media/VideoDecoderProcess.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// The decoder that runs now; killed ones may still wait for their deletion.
QProcess *runningDecoder(const VideoDecoderProcess &player)
{
    for (QProcess *process : player.findChildren<QProcess *>()) {
        if (process->state() == QProcess::Running)
            return process;
    }
    return nullptr;
}

} // namespace

class VideoDecoderRestartsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_video;

private slots:
    void initTestCase()
    {
        m_video = m_folder.filePath(u"bars.mp4"_s);
        const QString failure = MediaFixtures::writeMp4(m_video, 160, 120, 300);
        if (!failure.isEmpty())
            QSKIP(qPrintable(failure));
    }

    void deathsCountWithinTheirWindow_data()
    {
        QTest::addColumn<qint64>("apart");
        QTest::addColumn<bool>("givenUp");
        QTest::newRow("spread beyond the window") << qint64(61'000) << false;
        QTest::newRow("within the window") << qint64(10'000) << true;
    }

    // Every restart goes on from where the video stood, and shows a frame without a second start.
    void deathsCountWithinTheirWindow()
    {
        QFETCH(qint64, apart);
        QFETCH(bool, givenUp);
        qint64 now = 0;
        VideoDecoderProcess player;
        player.setClock([&now] { return now; });
        QSignalSpy frames(&player, &VideoDecoderProcess::frameReady);
        // Drawn and let go at once, so that the decoder's slots come back as a view's would.
        connect(&player, &VideoDecoderProcess::frameReady, &player,
            [&player] { (void)player.frames()->takeNew(); });
        player.setSource(QUrl::fromLocalFile(m_video));
        player.setFrameSize(QSize(64, 48));
        player.setActive(true);
        for (int death = 0; death < VideoDecoderProcess::maximumDeaths; ++death) {
            QTRY_VERIFY_WITH_TIMEOUT(frames.size() > 0 && player.position() > 0, 30000);
            QProcess *decoder = runningDecoder(player);
            QVERIFY(decoder);
            frames.clear();
            ::kill(pid_t(decoder->processId()), SIGKILL);
            QTRY_VERIFY_WITH_TIMEOUT(decoder != runningDecoder(player), 30000);
            now += apart;
        }
        QCOMPARE(player.errorString().isEmpty(), !givenUp);
        QCOMPARE(player.playing(), !givenUp);
        if (!givenUp)
            QTRY_VERIFY_WITH_TIMEOUT(frames.size() > 0, 30000);
    }
};

QUORVANE_TEST_MAIN(VideoDecoderRestartsTest)
#include "tst_video_decoder_restarts.moc"
