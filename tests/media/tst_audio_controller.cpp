#include "CountingBeep.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "media/AudioController.h"

#include <QDir>
#include <QPointer>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <cmath>
#include <limits>

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
const double largestRoll = std::nextafter(1.0, 0.0);

class FakeTrackPlayer : public TrackPlayer
{
public:
    enum class State { loaded, playing, paused, stopped };

    void load(const QString &filePath) override { path = filePath; }
    void play() override { state = State::playing; }
    void pause() override { state = State::paused; }
    void stop() override { state = State::stopped; }
    double positionSeconds() const override { return position; }
    double durationSeconds() const override { return duration; }
    void seek(double seconds) override
    {
        seeks.append(seconds);
        position = seconds;
    }
    void setVolume(float value) override { volume = value; }

    void finish() { emit playedToEnd(); }

    QString path;
    State state = State::loaded;
    double position = 0;
    double duration = 180;
    float volume = -1;
    QList<double> seeks;
};

// Hands out the given rolls in turn, starting again after the last.
class ScriptedRandomSource : public RandomSource
{
public:
    explicit ScriptedRandomSource(QList<double> &rolls)
        : m_rolls(rolls)
    { }
    double unitRoll() override
    {
        if (m_rolls.isEmpty())
            return 0;
        return m_rolls.at(m_next++ % m_rolls.size());
    }

private:
    QList<double> &m_rolls;
    qsizetype m_next = 0;
};

using NowPlaying = std::optional<NowPlayingInfo>;

} // namespace

class AudioControllerTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void playPublishesTheFirstTrack();
    void playSkipsMissingFiles();
    void silentPlaylists_data();
    void silentPlaylists();
    void disabledPlaylistKeepsKindAndMode();
    void shuffleStartsAtTheRolledTrack_data();
    void shuffleStartsAtTheRolledTrack();
    void oneTrackListReplaysItself_data();
    void oneTrackListReplaysItself();
    void sequentialSteppingWraps();
    void shuffleOverTwoAlternates();
    void shuffleNeverRepeatsTheCurrentTrack_data();
    void shuffleNeverRepeatsTheCurrentTrack();
    void backTwiceThenNextReplaysTheHistory();
    void previousAtTheFrontPrepends();
    void endOfTrackAdvances();
    void repeatOneReplaysTheSameTrack();
    void newTrackClearsThePausedFlag_data();
    void newTrackClearsThePausedFlag();
    void togglePauseAndRepeatPublish();
    void togglePlaybackMode();
    void controlsDoNothingWithoutAPlayer();
    void lateSignalsOfAReplacedPlayerAreIgnored();
    void volumeIsClamped_data();
    void volumeIsClamped();
    void setOutputVolumeReachesTheCurrentPlayer();
    void seek_data();
    void seek();
    void publishedTimesAreFiniteAndNotNegative_data();
    void publishedTimesAreFiniteAndNotNegative();
    void timeIsReportedWhilePlaying();
    void stopResetsAndPublishesNothing();

private:
    AudioPlaylist playlist(int trackCount, AudioPlaybackMode mode = AudioPlaybackMode::sequential);
    AudioTrack missingTrack(const QString &name) const;
    FakeTrackPlayer *currentPlayer() const;
    NowPlaying lastPublished() const;
    QList<qsizetype> stepForward(int steps);

    std::unique_ptr<QTemporaryDir> m_folder;
    QList<QPointer<FakeTrackPlayer>> m_players;
    QList<double> m_rolls;
    CountingBeep *m_beep = nullptr;
    std::unique_ptr<AudioController> m_audio;
    std::unique_ptr<QSignalSpy> m_published;
};

void AudioControllerTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_players.clear();
    m_rolls.clear();
    auto makePlayer = [this]() -> std::unique_ptr<TrackPlayer> {
        auto player = std::make_unique<FakeTrackPlayer>();
        m_players.append(player.get());
        return player;
    };
    auto beep = std::make_unique<CountingBeep>();
    m_beep = beep.get();
    m_audio = std::make_unique<AudioController>(
        makePlayer, std::move(beep), std::make_unique<ScriptedRandomSource>(m_rolls));
    m_published = std::make_unique<QSignalSpy>(m_audio.get(), &AudioController::nowPlayingChanged);
}

void AudioControllerTest::cleanup()
{
    m_published.reset();
    m_audio.reset();
    m_folder.reset();
}

AudioPlaylist AudioControllerTest::playlist(int trackCount, AudioPlaybackMode mode)
{
    AudioPlaylist result;
    result.isEnabled = true;
    result.playbackMode = mode;
    for (int i = 0; i < trackCount; ++i) {
        const QString name = QStringLiteral("track%1").arg(i);
        const QString path = m_folder->filePath(name + QStringLiteral(".mp3"));
        if (!writeFileBytes(path, {}))
            qFatal("cannot create a track file");
        result.tracks.append({ QUuid::createUuid(), name, path });
    }
    return result;
}

AudioTrack AudioControllerTest::missingTrack(const QString &name) const
{
    return { QUuid::createUuid(), name, m_folder->filePath(name + QStringLiteral(".mp3")) };
}

FakeTrackPlayer *AudioControllerTest::currentPlayer() const
{
    return m_players.isEmpty() ? nullptr : m_players.last().data();
}

NowPlaying AudioControllerTest::lastPublished() const
{
    if (m_published->isEmpty())
        return std::nullopt;
    return m_published->last().at(0).value<NowPlaying>();
}

QList<qsizetype> AudioControllerTest::stepForward(int steps)
{
    QList<qsizetype> indices { m_audio->currentIndex() };
    for (int i = 0; i < steps; ++i) {
        m_audio->advanceToNextTrack();
        indices.append(m_audio->currentIndex());
    }
    return indices;
}

void AudioControllerTest::playPublishesTheFirstTrack()
{
    AudioPlaylist list = playlist(3);
    m_audio->play(list, AudioPlaylistKind::reminder, 0.5, true);

    QCOMPARE(m_beep->beeps, 0);
    QCOMPARE(m_players.size(), 1);
    QCOMPARE(currentPlayer()->path, list.tracks.at(0).path);
    QCOMPARE(currentPlayer()->state, FakeTrackPlayer::State::playing);
    QCOMPARE(currentPlayer()->volume, 0.5f);

    // stop() publishes nothing first, then the first track.
    QCOMPARE(m_published->size(), 2);
    QVERIFY(!m_published->first().at(0).value<NowPlaying>().has_value());
    const NowPlaying info = lastPublished();
    QVERIFY(info.has_value());
    QCOMPARE(info->trackID, list.tracks.at(0).id);
    QCOMPARE(info->title, QStringLiteral("track0"));
    QCOMPARE(info->fileExtension, QStringLiteral("MP3"));
    QCOMPARE(info->kind, AudioPlaylistKind::reminder);
    QCOMPARE(info->playbackMode, AudioPlaybackMode::sequential);
    QCOMPARE(info->trackIndex, 0);
    QCOMPARE(info->trackCount, 3);
    QCOMPARE(info->elapsedSeconds, 0.0);
    QCOMPARE(info->durationSeconds, 180.0);
    QVERIFY(!info->isPaused);
    QVERIFY(!info->isRepeatingCurrentTrack);
    QCOMPARE(m_audio->playbackHistory(), QList<qsizetype> { 0 });
}

void AudioControllerTest::playSkipsMissingFiles()
{
    AudioPlaylist list = playlist(2);
    list.tracks.insert(0, missingTrack(QStringLiteral("gone")));
    list.tracks.insert(2, missingTrack(QStringLiteral("lost")));
    list.tracks.append({ QUuid::createUuid(), QStringLiteral("empty path"), QString() });

    m_audio->play(list, AudioPlaylistKind::focus, 1, false);

    QCOMPARE(m_audio->tracks().size(), 2);
    QCOMPARE(m_audio->tracks().at(0).name, QStringLiteral("track0"));
    QCOMPARE(m_audio->tracks().at(1).name, QStringLiteral("track1"));
    QCOMPARE(lastPublished()->trackCount, 2);
    QCOMPARE(currentPlayer()->path, list.tracks.at(1).path);
}

void AudioControllerTest::silentPlaylists_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("withTracks");
    QTest::addColumn<bool>("fallbackBeep");
    QTest::addColumn<int>("expectedBeeps");

    QTest::newRow("enabled, only missing files, beep wanted") << true << true << true << 1;
    QTest::newRow("enabled, no tracks, beep wanted") << true << false << true << 1;
    QTest::newRow("enabled, only missing files, no beep wanted") << true << true << false << 0;
    QTest::newRow("disabled, only missing files, beep wanted") << false << true << true << 0;
    QTest::newRow("disabled, no tracks, beep wanted") << false << false << true << 0;
}

void AudioControllerTest::silentPlaylists()
{
    QFETCH(bool, enabled);
    QFETCH(bool, withTracks);
    QFETCH(bool, fallbackBeep);
    QFETCH(int, expectedBeeps);

    AudioPlaylist list;
    list.isEnabled = enabled;
    if (withTracks)
        list.tracks = { missingTrack(QStringLiteral("a")), missingTrack(QStringLiteral("b")) };

    // Every sync plays the playlist again, so every sync beeps once.
    for (int sync = 1; sync <= 3; ++sync) {
        m_audio->play(list, AudioPlaylistKind::reminder, 0.72, fallbackBeep);
        QCOMPARE(m_beep->beeps, expectedBeeps * sync);
    }
    QVERIFY(m_players.isEmpty());
    QVERIFY(!lastPublished().has_value());
    QCOMPARE(m_published->size(), 3);
}

void AudioControllerTest::disabledPlaylistKeepsKindAndMode()
{
    m_audio->play(playlist(2, AudioPlaybackMode::shuffle), AudioPlaylistKind::reminder, 0.3, true);
    AudioPlaylist disabled = playlist(2);
    disabled.isEnabled = false;

    m_audio->play(disabled, AudioPlaylistKind::focus, 0.9, false);

    QCOMPARE(m_audio->playlistKind(), AudioPlaylistKind::reminder);
    QCOMPARE(m_audio->playbackMode(), AudioPlaybackMode::shuffle);
    QCOMPARE(m_audio->outputVolume(), 0.9f);
    QVERIFY(m_audio->tracks().isEmpty());
    QCOMPARE(currentPlayer()->state, FakeTrackPlayer::State::stopped);
    QVERIFY(!lastPublished().has_value());
}

void AudioControllerTest::shuffleStartsAtTheRolledTrack_data()
{
    QTest::addColumn<double>("roll");
    QTest::addColumn<qsizetype>("expectedStart");

    QTest::newRow("0") << 0.0 << qsizetype(0);
    QTest::newRow("just below a quarter") << 0.2499 << qsizetype(0);
    QTest::newRow("a quarter") << 0.25 << qsizetype(1);
    QTest::newRow("a half") << 0.5 << qsizetype(2);
    QTest::newRow("largest roll") << largestRoll << qsizetype(3);
}

void AudioControllerTest::shuffleStartsAtTheRolledTrack()
{
    QFETCH(double, roll);
    QFETCH(qsizetype, expectedStart);

    m_rolls = { roll };
    m_audio->play(playlist(4, AudioPlaybackMode::shuffle), AudioPlaylistKind::focus, 1, false);

    QCOMPARE(m_audio->currentIndex(), expectedStart);
    QCOMPARE(m_audio->playbackHistory(), QList<qsizetype> { expectedStart });
    QCOMPARE(lastPublished()->trackIndex, expectedStart);
}

void AudioControllerTest::oneTrackListReplaysItself_data()
{
    QTest::addColumn<AudioPlaybackMode>("mode");
    QTest::newRow("sequential") << AudioPlaybackMode::sequential;
    QTest::newRow("shuffle") << AudioPlaybackMode::shuffle;
}

void AudioControllerTest::oneTrackListReplaysItself()
{
    QFETCH(AudioPlaybackMode, mode);

    m_rolls = { 0.7 };
    const AudioPlaylist list = playlist(1, mode);
    m_audio->play(list, AudioPlaylistKind::focus, 1, false);

    m_audio->advanceToNextTrack();
    QCOMPARE(m_audio->currentIndex(), 0);
    m_audio->returnToPreviousTrack();
    QCOMPARE(m_audio->currentIndex(), 0);
    m_audio->returnToPreviousTrack();
    QCOMPARE(m_audio->currentIndex(), 0);
    currentPlayer()->finish();
    QCOMPARE(m_audio->currentIndex(), 0);

    // Each step started the only track afresh on a new player.
    QCOMPARE(m_players.size(), 5);
    QCOMPARE(currentPlayer()->path, list.tracks.at(0).path);
    QCOMPARE(currentPlayer()->state, FakeTrackPlayer::State::playing);
    QCOMPARE(lastPublished()->trackIndex, 0);
}

void AudioControllerTest::sequentialSteppingWraps()
{
    m_audio->play(playlist(3), AudioPlaylistKind::focus, 1, false);
    QCOMPARE(stepForward(4), (QList<qsizetype> { 0, 1, 2, 0, 1 }));
    QCOMPARE(m_audio->playbackHistory(), (QList<qsizetype> { 0, 1, 2, 0, 1 }));
    QCOMPARE(m_audio->historyPosition(), 4);
}

void AudioControllerTest::shuffleOverTwoAlternates()
{
    m_rolls = { 0.0, 0.5, largestRoll, 0.99 };
    m_audio->play(playlist(2, AudioPlaybackMode::shuffle), AudioPlaylistKind::focus, 1, false);
    const qsizetype start = m_audio->currentIndex();

    const QList<qsizetype> forward = stepForward(6);
    for (qsizetype i = 0; i < forward.size(); ++i)
        QCOMPARE(forward.at(i), (start + i) % 2);

    // Back through the history and then past its front, still alternating.
    for (int i = 0; i < 10; ++i) {
        const qsizetype before = m_audio->currentIndex();
        m_audio->returnToPreviousTrack();
        QCOMPARE(m_audio->currentIndex(), 1 - before);
    }
}

void AudioControllerTest::shuffleNeverRepeatsTheCurrentTrack_data()
{
    QTest::addColumn<int>("trackCount");
    QTest::addColumn<QList<double>>("rolls");

    const QList<double> spread { 0.0, 0.1, 0.33, 0.5, 0.66, 0.9, largestRoll };
    QTest::newRow("3 tracks") << 3 << spread;
    QTest::newRow("4 tracks") << 4 << spread;
    QTest::newRow("7 tracks") << 7 << spread;
    QTest::newRow("5 tracks, always the lowest roll") << 5 << QList<double> { 0.0 };
    QTest::newRow("5 tracks, always the highest roll") << 5 << QList<double> { largestRoll };
}

void AudioControllerTest::shuffleNeverRepeatsTheCurrentTrack()
{
    QFETCH(int, trackCount);
    QFETCH(QList<double>, rolls);

    m_rolls = rolls;
    m_audio->play(playlist(trackCount, AudioPlaybackMode::shuffle), AudioPlaylistKind::focus, 1, false);

    QSet<qsizetype> seen;
    for (int i = 0; i < 40; ++i) {
        const qsizetype before = m_audio->currentIndex();
        m_audio->advanceToNextTrack();
        QVERIFY(m_audio->currentIndex() != before);
        QVERIFY(m_audio->currentIndex() >= 0 && m_audio->currentIndex() < trackCount);
        seen.insert(m_audio->currentIndex());
    }
    // Previous at the front of the history draws too, never the current track.
    while (m_audio->historyPosition() > 0)
        m_audio->returnToPreviousTrack();
    for (int i = 0; i < 40; ++i) {
        const qsizetype before = m_audio->currentIndex();
        m_audio->returnToPreviousTrack();
        QVERIFY(m_audio->currentIndex() != before);
        QVERIFY(m_audio->currentIndex() >= 0 && m_audio->currentIndex() < trackCount);
    }
    if (rolls.size() > 1)
        QCOMPARE(seen.size(), trackCount);
}

void AudioControllerTest::backTwiceThenNextReplaysTheHistory()
{
    m_rolls = { 0.0, 0.6, 0.3, 0.9, 0.1 };
    m_audio->play(playlist(5, AudioPlaybackMode::shuffle), AudioPlaylistKind::focus, 1, false);
    stepForward(3);
    const QList<qsizetype> history = m_audio->playbackHistory();
    QCOMPARE(history.size(), 4);

    m_audio->returnToPreviousTrack();
    m_audio->returnToPreviousTrack();
    QCOMPARE(m_audio->historyPosition(), 1);
    QCOMPARE(m_audio->currentIndex(), history.at(1));

    m_audio->advanceToNextTrack();
    QCOMPARE(m_audio->currentIndex(), history.at(2));
    m_audio->advanceToNextTrack();
    QCOMPARE(m_audio->currentIndex(), history.at(3));
    QCOMPARE(m_audio->playbackHistory(), history);

    // Only past the end of the history is a new track drawn.
    m_audio->advanceToNextTrack();
    QCOMPARE(m_audio->playbackHistory().size(), 5);
    QCOMPARE(m_audio->historyPosition(), 4);
    QVERIFY(m_audio->currentIndex() != history.at(3));
    QCOMPARE(lastPublished()->trackIndex, m_audio->currentIndex());
}

void AudioControllerTest::previousAtTheFrontPrepends()
{
    m_audio->play(playlist(3), AudioPlaylistKind::focus, 1, false);

    m_audio->returnToPreviousTrack();
    QCOMPARE(m_audio->currentIndex(), 2);
    QCOMPARE(m_audio->playbackHistory(), (QList<qsizetype> { 2, 0 }));
    QCOMPARE(m_audio->historyPosition(), 0);

    m_audio->returnToPreviousTrack();
    QCOMPARE(m_audio->currentIndex(), 1);
    QCOMPARE(m_audio->playbackHistory(), (QList<qsizetype> { 1, 2, 0 }));
    QCOMPARE(m_audio->historyPosition(), 0);

    // Next walks the prepended history forward again.
    QCOMPARE(stepForward(3), (QList<qsizetype> { 1, 2, 0, 1 }));
    QCOMPARE(m_audio->playbackHistory(), (QList<qsizetype> { 1, 2, 0, 1 }));
    QCOMPARE(m_audio->historyPosition(), 3);
}

void AudioControllerTest::endOfTrackAdvances()
{
    const AudioPlaylist list = playlist(2);
    m_audio->play(list, AudioPlaylistKind::focus, 1, false);
    FakeTrackPlayer *first = currentPlayer();

    first->finish();

    QCOMPARE(m_audio->currentIndex(), 1);
    QCOMPARE(m_players.size(), 2);
    QCOMPARE(first->state, FakeTrackPlayer::State::stopped);
    QCOMPARE(currentPlayer()->path, list.tracks.at(1).path);
    QCOMPARE(currentPlayer()->state, FakeTrackPlayer::State::playing);
    QCOMPARE(lastPublished()->trackIndex, 1);
}

void AudioControllerTest::repeatOneReplaysTheSameTrack()
{
    m_audio->play(playlist(3), AudioPlaylistKind::focus, 1, false);
    m_audio->toggleRepeatCurrentTrack();
    QVERIFY(lastPublished()->isRepeatingCurrentTrack);
    FakeTrackPlayer *player = currentPlayer();
    player->position = 180;

    player->finish();
    player->finish();

    QCOMPARE(m_players.size(), 1);
    QCOMPARE(m_audio->currentIndex(), 0);
    QCOMPARE(player->seeks, (QList<double> { 0, 0 }));
    QCOMPARE(player->state, FakeTrackPlayer::State::playing);
    QCOMPARE(lastPublished()->elapsedSeconds, 0.0);
    QVERIFY(lastPublished()->isRepeatingCurrentTrack);

    // The buttons still step while repeat-one is on.
    m_audio->advanceToNextTrack();
    QCOMPARE(m_audio->currentIndex(), 1);
}

void AudioControllerTest::newTrackClearsThePausedFlag_data()
{
    QTest::addColumn<QString>("step");
    QTest::newRow("next") << QStringLiteral("next");
    QTest::newRow("previous") << QStringLiteral("previous");
    QTest::newRow("end of track") << QStringLiteral("end");
    QTest::newRow("end of a repeated track") << QStringLiteral("repeat");
}

void AudioControllerTest::newTrackClearsThePausedFlag()
{
    QFETCH(QString, step);

    m_audio->play(playlist(3), AudioPlaylistKind::focus, 1, false);
    stepForward(1); // leaves history to go back through
    m_audio->togglePause();
    QVERIFY(lastPublished()->isPaused);
    QCOMPARE(currentPlayer()->state, FakeTrackPlayer::State::paused);

    if (step == QStringLiteral("next")) {
        m_audio->advanceToNextTrack();
    } else if (step == QStringLiteral("previous")) {
        m_audio->returnToPreviousTrack();
    } else {
        if (step == QStringLiteral("repeat"))
            m_audio->toggleRepeatCurrentTrack();
        currentPlayer()->finish();
    }

    QCOMPARE(currentPlayer()->state, FakeTrackPlayer::State::playing);
    QVERIFY(!m_audio->isPaused());
    QVERIFY(!lastPublished()->isPaused);

    // So the next press pauses what is audibly playing.
    m_audio->togglePause();
    QCOMPARE(currentPlayer()->state, FakeTrackPlayer::State::paused);
    QVERIFY(lastPublished()->isPaused);
}

void AudioControllerTest::togglePauseAndRepeatPublish()
{
    m_audio->play(playlist(2), AudioPlaylistKind::focus, 1, false);
    currentPlayer()->position = 42.5;

    m_audio->togglePause();
    QVERIFY(lastPublished()->isPaused);
    QCOMPARE(lastPublished()->elapsedSeconds, 42.5);
    QCOMPARE(currentPlayer()->state, FakeTrackPlayer::State::paused);

    m_audio->toggleRepeatCurrentTrack();
    QVERIFY(lastPublished()->isPaused);
    QVERIFY(lastPublished()->isRepeatingCurrentTrack);

    m_audio->togglePause();
    QVERIFY(!lastPublished()->isPaused);
    QCOMPARE(currentPlayer()->state, FakeTrackPlayer::State::playing);

    m_audio->toggleRepeatCurrentTrack();
    QVERIFY(!lastPublished()->isRepeatingCurrentTrack);
}

void AudioControllerTest::togglePlaybackMode()
{
    QCOMPARE(m_audio->togglePlaybackMode(), std::nullopt);

    m_audio->play(playlist(3), AudioPlaylistKind::reminder, 1, false);
    m_audio->advanceToNextTrack();
    m_audio->toggleRepeatCurrentTrack();
    const QList<qsizetype> history = m_audio->playbackHistory();

    QCOMPARE(m_audio->togglePlaybackMode(), AudioPlaybackMode::shuffle);
    QCOMPARE(lastPublished()->playbackMode, AudioPlaybackMode::shuffle);
    QVERIFY(!lastPublished()->isRepeatingCurrentTrack);
    QCOMPARE(m_audio->playbackHistory(), history);
    QCOMPARE(m_players.size(), 2);

    QCOMPARE(m_audio->togglePlaybackMode(), AudioPlaybackMode::sequential);
    QCOMPARE(lastPublished()->playbackMode, AudioPlaybackMode::sequential);

    m_audio->stop();
    QCOMPARE(m_audio->togglePlaybackMode(), std::nullopt);
    QCOMPARE(m_audio->playbackMode(), AudioPlaybackMode::sequential);
}

void AudioControllerTest::controlsDoNothingWithoutAPlayer()
{
    m_audio->advanceToNextTrack();
    m_audio->returnToPreviousTrack();
    m_audio->togglePause();
    m_audio->toggleRepeatCurrentTrack();
    m_audio->seek(0.5);
    m_audio->reportPlaybackTime();

    QVERIFY(m_players.isEmpty());
    QVERIFY(m_published->isEmpty());
    QVERIFY(!m_audio->isPaused());
    QVERIFY(!m_audio->isRepeatingCurrentTrack());
}

void AudioControllerTest::lateSignalsOfAReplacedPlayerAreIgnored()
{
    m_audio->play(playlist(3), AudioPlaylistKind::focus, 1, false);
    QPointer<FakeTrackPlayer> replaced = currentPlayer();
    m_audio->advanceToNextTrack();
    QVERIFY(replaced);
    const qsizetype publishedBefore = m_published->size();

    replaced->finish();
    emit replaced->failed(QStringLiteral("decoder gone"));

    QCOMPARE(m_audio->currentIndex(), 1);
    QCOMPARE(m_players.size(), 2);
    QCOMPARE(m_published->size(), publishedBefore);

    // The replaced player is released once control returns to the event loop.
    QTRY_VERIFY(replaced.isNull());
}

void AudioControllerTest::volumeIsClamped_data()
{
    QTest::addColumn<double>("volume");
    QTest::addColumn<float>("expected");

    QTest::newRow("above 1") << 1.4 << 1.0f;
    QTest::newRow("1") << 1.0 << 1.0f;
    QTest::newRow("inside") << 0.25 << 0.25f;
    QTest::newRow("0") << 0.0 << 0.0f;
    QTest::newRow("negative") << -1.0 << 0.0f;
    QTest::newRow("not a number") << notANumber << 0.0f;
    QTest::newRow("infinite") << infinity << 0.0f;
}

void AudioControllerTest::volumeIsClamped()
{
    QFETCH(double, volume);
    QFETCH(float, expected);

    QCOMPARE(AudioController::clampedVolume(volume), static_cast<double>(expected));
    m_audio->play(playlist(2), AudioPlaylistKind::focus, volume, false);
    QCOMPARE(m_audio->outputVolume(), expected);
    QCOMPARE(currentPlayer()->volume, expected);
    m_audio->advanceToNextTrack();
    QCOMPARE(currentPlayer()->volume, expected);
}

void AudioControllerTest::setOutputVolumeReachesTheCurrentPlayer()
{
    QCOMPARE(m_audio->outputVolume(), AudioController::defaultVolume);
    m_audio->setOutputVolume(0.4);
    QCOMPARE(m_audio->outputVolume(), 0.4f);

    m_audio->play(playlist(2), AudioPlaylistKind::focus, 0.9, false);
    m_audio->setOutputVolume(1.4);
    QCOMPARE(currentPlayer()->volume, 1.0f);
    m_audio->setOutputVolume(notANumber);
    QCOMPARE(currentPlayer()->volume, 0.0f);
    m_audio->advanceToNextTrack();
    QCOMPARE(currentPlayer()->volume, 0.0f);
}

void AudioControllerTest::seek_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<bool>("seeks");
    QTest::addColumn<double>("target");

    QTest::newRow("a quarter") << 200.0 << 0.25 << true << 50.0;
    QTest::newRow("start") << 200.0 << 0.0 << true << 0.0;
    QTest::newRow("end") << 200.0 << 1.0 << true << 200.0;
    QTest::newRow("fraction 2 is the end") << 200.0 << 2.0 << true << 200.0;
    QTest::newRow("negative fraction is the start") << 200.0 << -0.5 << true << 0.0;
    QTest::newRow("fraction not a number is the start") << 200.0 << notANumber << true << 0.0;
    QTest::newRow("infinite fraction is the start") << 200.0 << infinity << true << 0.0;
    QTest::newRow("unknown duration") << notANumber << 0.5 << false << 0.0;
    QTest::newRow("zero duration") << 0.0 << 0.5 << false << 0.0;
    QTest::newRow("negative duration") << -3.0 << 0.5 << false << 0.0;
    QTest::newRow("infinite duration") << infinity << 0.5 << false << 0.0;
}

void AudioControllerTest::seek()
{
    QFETCH(double, duration);
    QFETCH(double, fraction);
    QFETCH(bool, seeks);
    QFETCH(double, target);

    m_audio->play(playlist(1), AudioPlaylistKind::focus, 1, false);
    currentPlayer()->duration = duration;
    const qsizetype publishedBefore = m_published->size();

    m_audio->seek(fraction);

    if (!seeks) {
        QVERIFY(currentPlayer()->seeks.isEmpty());
        QCOMPARE(m_published->size(), publishedBefore);
        return;
    }
    QCOMPARE(currentPlayer()->seeks, QList<double> { target });
    QCOMPARE(m_published->size(), publishedBefore + 1);
    QCOMPARE(lastPublished()->elapsedSeconds, target);
    QCOMPARE(lastPublished()->durationSeconds, duration);
}

void AudioControllerTest::publishedTimesAreFiniteAndNotNegative_data()
{
    QTest::addColumn<double>("reported");
    QTest::addColumn<double>("published");

    QTest::newRow("ordinary") << 12.5 << 12.5;
    QTest::newRow("0") << 0.0 << 0.0;
    QTest::newRow("negative") << -2.0 << 0.0;
    QTest::newRow("not a number") << notANumber << 0.0;
    QTest::newRow("infinite") << infinity << 0.0;
    QTest::newRow("negative infinite") << -infinity << 0.0;
}

void AudioControllerTest::publishedTimesAreFiniteAndNotNegative()
{
    QFETCH(double, reported);
    QFETCH(double, published);

    m_audio->play(playlist(1), AudioPlaylistKind::focus, 1, false);
    currentPlayer()->position = reported;
    currentPlayer()->duration = reported;

    m_audio->reportPlaybackTime();

    QCOMPARE(lastPublished()->elapsedSeconds, published);
    QCOMPARE(lastPublished()->durationSeconds, published);
}

void AudioControllerTest::timeIsReportedWhilePlaying()
{
    m_audio->play(playlist(2), AudioPlaylistKind::focus, 1, false);
    currentPlayer()->position = 7;
    currentPlayer()->duration = 90;

    QVERIFY(m_published->wait(5000));
    QCOMPARE(lastPublished()->elapsedSeconds, 7.0);
    QCOMPARE(lastPublished()->durationSeconds, 90.0);
    QCOMPARE(lastPublished()->trackIndex, 0);
}

void AudioControllerTest::stopResetsAndPublishesNothing()
{
    m_audio->play(playlist(3, AudioPlaybackMode::shuffle), AudioPlaylistKind::reminder, 0.6, false);
    m_audio->advanceToNextTrack();
    m_audio->togglePause();
    m_audio->toggleRepeatCurrentTrack();
    FakeTrackPlayer *player = currentPlayer();

    m_audio->stop();

    QCOMPARE(player->state, FakeTrackPlayer::State::stopped);
    QVERIFY(!lastPublished().has_value());
    QVERIFY(m_audio->tracks().isEmpty());
    QCOMPARE(m_audio->currentIndex(), 0);
    QVERIFY(m_audio->playbackHistory().isEmpty());
    QCOMPARE(m_audio->historyPosition(), 0);
    QVERIFY(!m_audio->isPaused());
    QVERIFY(!m_audio->isRepeatingCurrentTrack());
    QCOMPARE(m_audio->playlistKind(), AudioPlaylistKind::reminder);
    QCOMPARE(m_audio->playbackMode(), AudioPlaybackMode::shuffle);
    QCOMPARE(m_audio->outputVolume(), 0.6f);

    // Nothing is reported after the stop.
    const qsizetype publishedAfterStop = m_published->size();
    QVERIFY(!m_published->wait(3 * AudioController::timeReportInterval.count()));
    QCOMPARE(m_published->size(), publishedAfterStop);
}

QUORVANE_TEST_GUILESS_MAIN(AudioControllerTest)
#include "tst_audio_controller.moc"
