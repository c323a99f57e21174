#include "CountingBeep.h"
#include "MediaFixtures.h"
#include "TestSupport.h"
#include "services/AudioController.h"
#include "services/QtTrackPlayer.h"
#include "services/SystemRandomSource.h"

#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <cmath>

namespace {

constexpr double toneSeconds = 0.4;
// Generous: the first pipeline of a process can take seconds to build.
constexpr int endTimeoutMilliseconds = 20000;

} // namespace

class AudioSmokeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void realPlayerPlaysAWaveToItsEnd();
    void realPlayerReplaysFromTheStartAfterItsEnd();
    void controllerMovesToTheNextRealTrackAtTheEnd();

private:
    QString writeTone(const QString &name);

    QTemporaryDir m_folder;
};

void AudioSmokeTest::initTestCase()
{
    QVERIFY(m_folder.isValid());
    QMediaPlayer probe;
    if (!probe.isAvailable())
        QSKIP("No Qt Multimedia backend is available to play audio");
}

QString AudioSmokeTest::writeTone(const QString &name)
{
    const QString path = m_folder.filePath(name);
    return writeFileBytes(path, MediaFixtures::toneWave(toneSeconds)) ? path : QString();
}

void AudioSmokeTest::realPlayerPlaysAWaveToItsEnd()
{
    const QString path = writeTone(QStringLiteral("tone.wav"));
    QVERIFY(!path.isEmpty());
    QtTrackPlayer player;
    QSignalSpy ended(&player, &TrackPlayer::playedToEnd);
    QSignalSpy failed(&player, &TrackPlayer::failed);

    player.setVolume(0.1f);
    player.load(path);
    player.play();

    QVERIFY2(ended.wait(endTimeoutMilliseconds),
        failed.isEmpty() ? "the track never ended" : qPrintable(failed.first().at(0).toString()));
    QVERIFY(failed.isEmpty());
    QVERIFY(std::isfinite(player.durationSeconds()));
    QVERIFY(std::abs(player.durationSeconds() - toneSeconds) < 0.05);
}

// What repeat-one does with the same player at the end of its track.
void AudioSmokeTest::realPlayerReplaysFromTheStartAfterItsEnd()
{
    const QString path = writeTone(QStringLiteral("repeat.wav"));
    QVERIFY(!path.isEmpty());
    QtTrackPlayer player;
    QSignalSpy ended(&player, &TrackPlayer::playedToEnd);
    player.setVolume(0.1f);
    player.load(path);
    player.play();
    QVERIFY(ended.wait(endTimeoutMilliseconds));

    player.seek(0);
    player.play();

    QVERIFY(ended.wait(endTimeoutMilliseconds));
    QCOMPARE(ended.size(), 2);
}

void AudioSmokeTest::controllerMovesToTheNextRealTrackAtTheEnd()
{
    AudioPlaylist playlist;
    playlist.isEnabled = true;
    for (const QString &name : { QStringLiteral("first"), QStringLiteral("second") }) {
        const QString path = writeTone(name + QStringLiteral(".wav"));
        QVERIFY(!path.isEmpty());
        playlist.tracks.append({ QUuid::createUuid(), name, path });
    }
    AudioController audio([] { return std::make_unique<QtTrackPlayer>(); }, std::make_unique<CountingBeep>(),
        std::make_unique<SystemRandomSource>());
    QSignalSpy published(&audio, &AudioController::nowPlayingChanged);

    audio.play(playlist, AudioPlaylistKind::focus, 0.1, false);

    auto lastIndex = [&published]() -> qint64 {
        const auto info = published.last().at(0).value<std::optional<NowPlayingInfo>>();
        return info ? info->trackIndex : -1;
    };
    QTRY_COMPARE_WITH_TIMEOUT(lastIndex(), 1, endTimeoutMilliseconds);
    const auto info = published.last().at(0).value<std::optional<NowPlayingInfo>>();
    QCOMPARE(info->title, QStringLiteral("second"));
    QCOMPARE(info->fileExtension, QStringLiteral("WAV"));
    QVERIFY(!info->isPaused);
    audio.stop();
}

QTEST_GUILESS_MAIN(AudioSmokeTest)
#include "tst_audio_smoke.moc"
