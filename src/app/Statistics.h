#pragma once

#include "core/DailyStat.h"

#include <QDateTime>
#include <QList>
#include <QObject>

class CSVLogger;
class FocusSessionLogger;

// The figures read back from both logs: today's score and completed rounds, the recent days of the
// statistics sheet, and the rows that could not be read.
class Statistics : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qint64 todayHealthScore READ todayHealthScore NOTIFY todayHealthScoreChanged FINAL)
    Q_PROPERTY(
        qint64 todayCompletedSessions READ todayCompletedSessions NOTIFY todayCompletedSessionsChanged FINAL)

public:
    // Rows of the focus log and of the activity log that could not be read at the last reload.
    struct UnreadableLogRows
    {
        qsizetype focus = 0;
        qsizetype activity = 0;
    };

    Statistics(const FocusSessionLogger &focusLog, const CSVLogger &activityLog);

    qint64 todayHealthScore() const { return m_todayHealthScore; }
    qint64 todayCompletedSessions() const { return m_todayCompletedSessions; }
    const QList<DailyStat> &dailyStats() const { return m_dailyStats; }
    UnreadableLogRows unreadableLogRows() const { return m_unreadableLogRows; }

    // Reads both logs again for the recent days, today's figures and the unreadable rows.
    void reload(const QDateTime &now);
    // Reads both logs again for the recent days only.
    void reloadDays(const QDateTime &now);

signals:
    void todayHealthScoreChanged();
    void todayCompletedSessionsChanged();
    void dailyStatsChanged();

private:
    const FocusSessionLogger &m_focusLog;
    const CSVLogger &m_activityLog;
    qint64 m_todayHealthScore = 0;
    qint64 m_todayCompletedSessions = 0;
    QList<DailyStat> m_dailyStats;
    UnreadableLogRows m_unreadableLogRows;
};
