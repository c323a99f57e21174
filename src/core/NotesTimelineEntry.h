#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// What a journal entry is: a focus round with its completed flag, or a break activity with its score.
struct NotesTimelineKind
{
    enum class Case { focus, breakActivity };

    Case kind = Case::focus;
    bool completed = false;
    qint64 healthScore = 0;

    static NotesTimelineKind focus(bool completed) { return { Case::focus, completed, 0 }; }
    static NotesTimelineKind breakActivity(qint64 healthScore)
    {
        return { Case::breakActivity, false, healthScore };
    }

    bool isFocus() const { return kind == Case::focus; }

    friend bool operator==(const NotesTimelineKind &, const NotesTimelineKind &) = default;
};

// One entry of the journal timeline.
struct NotesTimelineEntry
{
    // The log row's event identifier, or the running round's identifier for the live entry.
    QString id;
    NotesTimelineKind kind;
    QDateTime startTimestamp;
    QDateTime endTimestamp;
    qint64 sessionNumber = 0;
    // For a break activity, the break round's title.
    QString title;
    // Absent for focus entries.
    std::optional<QString> activityTitle;
    QString notes;

    friend bool operator==(const NotesTimelineEntry &, const NotesTimelineEntry &) = default;
};
// Every member may be moved in memory as plain bytes, so a growing list of a whole log's entries is
// reallocated instead of being moved entry by entry.
Q_DECLARE_TYPEINFO(NotesTimelineEntry, Q_RELOCATABLE_TYPE);
