#pragma once

#include "MediaFixtures.h"
#include "TestSupport.h"
#include "core/AudioPlaylist.h"
#include "core/TrackPlayer.h"

#include <QDir>
#include <QList>
#include <QUuid>
#include <limits>
#include <memory>

// Where the stand-in players of one test stand in their tracks, shared by every player the music player
// makes, and what they were asked to do.
struct FixedTrackTimes
{
    double positionSeconds = 80;
    // Not a number: the length is not known.
    double durationSeconds = 200;
    bool playing = false;
    QList<double> seeks;
    static constexpr double unknown = std::numeric_limits<double>::quiet_NaN();
};

// A player whose track stands still at a chosen time: what the now-playing card shows must not run on
// while it is tested or taken. A seek moves it there.
class FixedTimeTrackPlayer : public TrackPlayer
{
public:
    explicit FixedTimeTrackPlayer(std::shared_ptr<FixedTrackTimes> times)
        : m_times(std::move(times))
    { }

    static TrackPlayerFactory factory(const std::shared_ptr<FixedTrackTimes> &times)
    {
        return [times] { return std::make_unique<FixedTimeTrackPlayer>(times); };
    }

    void load(const QString &) override { }
    void play() override { m_times->playing = true; }
    void pause() override { m_times->playing = false; }
    void stop() override { m_times->playing = false; }
    double positionSeconds() const override { return m_times->positionSeconds; }
    double durationSeconds() const override { return m_times->durationSeconds; }
    void seek(double seconds) override
    {
        m_times->seeks.append(seconds);
        m_times->positionSeconds = seconds;
    }
    void setVolume(float) override { }

private:
    std::shared_ptr<FixedTrackTimes> m_times;
};

// Writes a short tone for each name into `folder` and lists them in the playlist, which is switched on.
inline bool addToneTracks(AudioPlaylist &playlist, const QString &folder, const QStringList &names)
{
    QDir().mkpath(folder);
    playlist.isEnabled = true;
    for (const QString &name : names) {
        const QString path = QDir(folder).filePath(name + QStringLiteral(".wav"));
        if (!writeFileBytes(path, MediaFixtures::toneWave(0.2)))
            return false;
        playlist.tracks.append({ QUuid::createUuid(), name, path });
    }
    return true;
}
