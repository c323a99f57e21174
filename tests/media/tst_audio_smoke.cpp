#include "CountingBeep.h"
#include "MediaFixtures.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "core/SystemRandomSource.h"
#include "media/AudioController.h"
#include "media/GstTrackPlayer.h"
#include "storage/AppStorageService.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <fcntl.h>
#include <malloc.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

constexpr double toneSeconds = 0.4;
// Generous: the first pipeline of a process can take seconds to build.
constexpr int endTimeoutMilliseconds = 20000;
// A real desktop sound of sound-theme-freedesktop, an Ogg Vorbis file.
const QString desktopSound = QStringLiteral("/usr/share/sounds/freedesktop/stereo/bell.oga");

// Fails the test when the main thread makes no progress for 10 s: a hang would otherwise wait forever.
class HangWatchdog
{
public:
    HangWatchdog()
        : m_thread([this] {
            std::unique_lock lock(m_mutex);
            for (int seen = -1; !m_done;) {
                const int now = m_steps;
                if (now == seen)
                    qFatal("the main thread made no progress for 10 s after step %d", now);
                seen = now;
                m_wake.wait_for(lock, std::chrono::seconds(10), [this] { return m_done; });
            }
        })
    { }
    ~HangWatchdog()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    void step()
    {
        const std::lock_guard lock(m_mutex);
        ++m_steps;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    int m_steps = 0;
    bool m_done = false;
    std::thread m_thread;
};

// No child the program starts later inherits what a player opened (its file, its bus's sockets).
bool everyDescriptorClosesOnExec()
{
    for (const QString &name : QDir(u"/proc/self/fd"_s).entryList(QDir::Files | QDir::System)) {
        const int flags = name.toInt() > 2 ? fcntl(name.toInt(), F_GETFD) : FD_CLOEXEC;
        if (flags >= 0 && !(flags & FD_CLOEXEC))
            return false;
    }
    return true;
}

} // namespace

class AudioSmokeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void realPlayerPlaysToItsEnd_data();
    void realPlayerPlaysToItsEnd();
    void realPlayerReplaysFromTheStartAfterItsEnd();
    void controllerMovesToTheNextRealTrackAtTheEnd();
    void manyPlayersStartTracksWithoutHanging();
    void tracksPlayedLeaveNoDescriptorOrMemoryBehind();

private:
    QString writeTone(const QString &name);

    QTemporaryDir m_folder;
};

void AudioSmokeTest::initTestCase()
{
    QVERIFY(m_folder.isValid());
}

QString AudioSmokeTest::writeTone(const QString &name)
{
    const QString path = m_folder.filePath(name);
    return writeFileBytes(path, MediaFixtures::toneWave(toneSeconds)) ? path : QString();
}

void AudioSmokeTest::realPlayerPlaysToItsEnd_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<double>("seconds");

    QTest::newRow("a wave") << QString() << toneSeconds;
    // Imported into a playlist as the user would, then played from the copy.
    QTest::newRow("a desktop sound") << desktopSound << 0.0;
}

void AudioSmokeTest::realPlayerPlaysToItsEnd()
{
    QFETCH(QString, source);
    QFETCH(double, seconds);

    QString path = writeTone(QStringLiteral("tone.wav"));
    if (!source.isEmpty()) {
        const auto tracks = AppStorageService::importAudioTracks(
            { source }, AudioPlaylistKind::focus, AppLanguage::english, m_folder.path());
        QVERIFY2(tracks, qPrintable(tracks.ok() ? QString() : tracks.error()));
        path = tracks->first().path;
    }
    QVERIFY(!path.isEmpty());
    GstTrackPlayer player;
    QSignalSpy ended(&player, &TrackPlayer::playedToEnd);
    QSignalSpy failed(&player, &TrackPlayer::failed);

    player.setVolume(0.1f);
    player.load(path);
    player.play();

    QVERIFY2(ended.wait(endTimeoutMilliseconds),
        failed.isEmpty() ? "the track never ended" : qPrintable(failed.first().at(0).toString()));
    QVERIFY(failed.isEmpty());
    QVERIFY(everyDescriptorClosesOnExec());
    QVERIFY(std::isfinite(player.durationSeconds()));
    if (seconds > 0)
        QVERIFY(std::abs(player.durationSeconds() - seconds) < 0.05);
}

// What repeat-one does with the same player at the end of its track.
void AudioSmokeTest::realPlayerReplaysFromTheStartAfterItsEnd()
{
    const QString path = writeTone(QStringLiteral("repeat.wav"));
    QVERIFY(!path.isEmpty());
    GstTrackPlayer player;
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
    AudioController audio([] { return std::make_unique<GstTrackPlayer>(); }, std::make_unique<CountingBeep>(),
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

// Track changes on many players at once, with every core busy, never hold the main thread: a start
// and a replaced player hand their waiting to GStreamer's own threads.
void AudioSmokeTest::manyPlayersStartTracksWithoutHanging()
{
    const QString path = writeTone(QStringLiteral("many.wav"));
    QVERIFY(!path.isEmpty());
    std::atomic<bool> busy = true;
    std::vector<std::thread> load;
    for (int i = 0; i < 3; ++i)
        load.emplace_back([&busy] {
            while (busy)
                std::this_thread::yield();
        });
    constexpr int playerCount = 12;
    std::vector<std::unique_ptr<GstTrackPlayer>> players(playerCount);
    std::vector<int> latestStart(playerCount, -1);
    std::vector<bool> latestEnded(playerCount, false);
    {
        HangWatchdog watchdog;
        for (int start = 0; start < 500; ++start) {
            const int slot = start % playerCount;
            latestStart[slot] = start;
            players[slot] = std::make_unique<GstTrackPlayer>();
            connect(players[slot].get(), &TrackPlayer::playedToEnd, this, [&, slot, start] {
                if (latestStart[slot] == start)
                    latestEnded[slot] = true;
            });
            players[slot]->setVolume(0.01f);
            players[slot]->load(path);
            players[slot]->play();
            QCoreApplication::processEvents();
            watchdog.step();
        }
    }
    busy = false;
    for (std::thread &thread : load)
        thread.join();
    // The last player of each slot still plays its track to the end.
    QTRY_VERIFY_WITH_TIMEOUT(std::ranges::all_of(latestEnded, [](bool done) { return done; }), 120000);
}

// A day of music is hundreds of tracks, each on a player of its own.
void AudioSmokeTest::tracksPlayedLeaveNoDescriptorOrMemoryBehind()
{
    const QString path = m_folder.filePath(QStringLiteral("short.wav"));
    QVERIFY(writeFileBytes(path, MediaFixtures::toneWave(0.02)));
    const auto descriptors
        = [] { return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size(); };
    const auto heap = [] { return qint64(mallinfo2().uordblks + mallinfo2().hblkhd); };
    qint64 heapBefore = 0;
    qsizetype descriptorsBefore = 0;
    // The first plays load GStreamer's plugins and start its shared threads.
    for (int play = -20; play < 300; ++play) {
        if (play == 0) {
            heapBefore = heap();
            descriptorsBefore = descriptors();
        }
        GstTrackPlayer player;
        QSignalSpy ended(&player, &TrackPlayer::playedToEnd);
        player.load(path);
        player.play();
        QVERIFY(ended.wait(endTimeoutMilliseconds));
    }
    // Players are released on GStreamer's control thread, a little after they go.
    QTRY_VERIFY(descriptors() <= descriptorsBefore + 4);
    QVERIFY(heap() - heapBefore < 4 * 1024 * 1024);
}

QUORVANE_TEST_GUILESS_MAIN(AudioSmokeTest)
#include "tst_audio_smoke.moc"
