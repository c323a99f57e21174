#pragma once

#include "core/SessionPhase.h"

#include <QDateTime>
#include <QString>
#include <optional>

// What the journal needs of the focus round: which round runs or just ended, and its title and notes,
// which an edit saves wherever the round is now.
class RunningRound
{
public:
    virtual ~RunningRound() = default;

    virtual SessionPhase phase() const = 0;
    virtual const QString &currentSessionID() const = 0;
    // The ended round's row in the focus log, once written.
    virtual const std::optional<QString> &currentFocusLogID() const = 0;
    virtual const QDateTime &currentFocusStartedAt() const = 0;
    virtual qint64 sessionNumber() const = 0;
    virtual const QString &currentSessionTitle() const = 0;
    virtual const QString &currentSessionNotes() const = 0;
    // The user edited the round's title (none keeps it) or notes: saved in the round's saved state while
    // it runs, else in its row of the focus log; true when a written row changed.
    virtual bool editRoundText(const std::optional<QString> &title, const QString &notes) = 0;
    // The round's row was rewritten in the log by someone else: the round takes the text as it is there.
    virtual void takeRoundText(const QString &title, const QString &notes) = 0;
};
