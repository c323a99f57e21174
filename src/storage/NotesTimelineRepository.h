#pragma once

#include "core/NotesTimelineEntry.h"

#include <QList>

class CSVLogger;
class FocusSessionLogger;

// The journal's single timeline, merged from both logs; nothing is cached, every call reads them again.
// It only reads the files, so it may run on any thread; a log replaced meanwhile is read whole, old or new.
namespace NotesTimelineRepository {

// Every readable row of both logs, ascending by start. Equal starts keep focus rounds before break
// activities and, within one log, the file order.
QList<NotesTimelineEntry> allEntries(const FocusSessionLogger &focusLog, const CSVLogger &activityLog);

// Puts an entry into a list ordered by start, after every entry that starts at the same moment, without
// sorting the list again.
NotesTimelineEntry &insertAfterEqualStarts(QList<NotesTimelineEntry> &entries, NotesTimelineEntry entry);

} // namespace NotesTimelineRepository
