#pragma once

#include "core/OneShotTimer.h"
#include "network/UpdateCheckFailure.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <chrono>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

// Fetches the update feed and reads its newest release. One fetch at a time; each ends in finished().
class UpdateFeedChecker : public QObject
{
    Q_OBJECT

public:
    // A real appcast is a few kilobytes; anything far larger is refused rather than held in memory.
    static constexpr qint64 maximumReplyBytes = 1024 * 1024;
    // The whole fetch, redirects and a slow trickle included, ends by then.
    static constexpr std::chrono::seconds deadline { 60 };

    // `deadlineTimer` ends a fetch that runs too long; a Qt timer when none is given.
    explicit UpdateFeedChecker(
        QUrl feedUrl, std::unique_ptr<OneShotTimer> deadlineTimer = nullptr, QObject *parent = nullptr);
    ~UpdateFeedChecker() override;

    // HTTPS anywhere; plain HTTP only to this machine's loopback address.
    static bool isAcceptableFeedUrl(const QUrl &url);

    bool isFetching() const { return !m_reply.isNull(); }
    // Starts a fetch unless one is running already.
    void check();

signals:
    void finished(const UpdateCheckOutcome &outcome);

private:
    void readAvailable();
    void finishReply();
    void settle(const UpdateCheckOutcome &outcome);

    QUrl m_feedUrl;
    std::unique_ptr<OneShotTimer> m_deadline;
    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;
};
