#include "ui/journal/JournalSnapshot.h"

#include "core/CsvDate.h"

JournalSnapshot JournalSnapshot::build(
    QList<NotesTimelineEntry> entries, const QList<NotesTimelineEntry> &previous)
{
    JournalSnapshot snapshot;
    if (entries == previous) {
        snapshot.unchanged = true;
        return snapshot;
    }
    for (qsizetype position = 0; position < entries.size(); ++position)
        snapshot.positionsByDay[CsvDate::localDay(entries[position].endTimestamp)].append(position);
    snapshot.days.reserve(snapshot.positionsByDay.size());
    for (auto day = snapshot.positionsByDay.keyBegin(); day != snapshot.positionsByDay.keyEnd(); ++day)
        snapshot.days.insert(*day);
    snapshot.entries = std::move(entries);
    return snapshot;
}

QList<NotesTimelineEntry> JournalSnapshot::entriesOf(QDate day) const
{
    QList<NotesTimelineEntry> found;
    const auto positions = positionsByDay.constFind(day);
    if (positions == positionsByDay.cend())
        return found;
    found.reserve(positions->size());
    for (const qsizetype position : *positions)
        found.append(entries[position]);
    return found;
}
