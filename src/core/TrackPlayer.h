#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

// Plays one audio file. The music player makes a new one for every track, so a player never changes
// its file after load().
class TrackPlayer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void load(const QString &filePath) = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    // Releases the output; the player is not used again afterwards.
    virtual void stop() = 0;
    // Both in seconds; not a number while the player does not know them.
    virtual double positionSeconds() const = 0;
    virtual double durationSeconds() const = 0;
    virtual void seek(double seconds) = 0;
    // Linear, 0 to 1.
    virtual void setVolume(float volume) = 0;

signals:
    void playedToEnd();
    void failed(const QString &message);
};

using TrackPlayerFactory = std::function<std::unique_ptr<TrackPlayer>()>;
