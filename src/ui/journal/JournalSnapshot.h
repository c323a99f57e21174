#pragma once

#include "core/NotesTimelineEntry.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>

// One read of every logged journal entry with what the journal looks up in it, built away from the
// main thread: the entries by the local day on which they ended, and the set of those days.
struct JournalSnapshot
{
    QList<NotesTimelineEntry> entries;
    // Positions in `entries`, ascending, of each day's entries.
    QHash<QDate, QList<qsizetype>> positionsByDay;
    QSet<QDate> days;
    // The read found exactly the entries it was compared with; it then holds none of its own.
    bool unchanged = false;

    // Files every entry under the day of its end. When the entries equal `previous`, the result is
    // an empty snapshot marked unchanged, so the caller keeps what it has.
    static JournalSnapshot build(
        QList<NotesTimelineEntry> entries, const QList<NotesTimelineEntry> &previous);

    // The entries that ended on `day`, in order.
    QList<NotesTimelineEntry> entriesOf(QDate day) const;
};
