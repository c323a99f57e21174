#pragma once

#include "core/OneShotTimer.h"
#include "network/UpdateCheckFailure.h"

#include <QByteArray>
#include <QList>
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
    // Ends a running fetch without a word: no finished() follows.
    void cancel();

signals:
    void finished(const UpdateCheckOutcome &outcome);

private:
    void fetch(const QUrl &url);
    void followRedirect(const QUrl &target);
    void readAvailable();
    void finishReply();
    void settle(const UpdateCheckOutcome &outcome);
    void releaseReply();

    QUrl m_feedUrl;
    std::unique_ptr<OneShotTimer> m_deadline;
    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;
    // The addresses of this fetch so far, the feed's first: a redirect to one of them is a loop.
    QList<QUrl> m_visited;
};
