#pragma once

#include "AppcastItem.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// Fetches the update feed and reads its newest release. One fetch at a time; each ends in finished().
class UpdateFeedChecker : public QObject
{
    Q_OBJECT

public:
    // A real appcast is a few kilobytes; anything far larger is refused rather than held in memory.
    static constexpr qint64 maximumReplyBytes = 1024 * 1024;

    explicit UpdateFeedChecker(QUrl feedUrl, QObject *parent = nullptr);

    // HTTPS anywhere; plain HTTP only to this machine's loopback address.
    static bool isAcceptableFeedUrl(const QUrl &url);

    bool isFetching() const { return !m_reply.isNull(); }
    // Starts a fetch unless one is running already.
    void check();

signals:
    void finished(const Result<std::optional<AppcastItem>> &outcome);

private:
    void readAvailable();
    void finishReply();
    void fail(const QString &message);

    QUrl m_feedUrl;
    QNetworkAccessManager *m_network;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;
};
