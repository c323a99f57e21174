#pragma once

#include "models/NotesTimelineEntry.h"

#include <QList>

class CSVLogger;
class FocusSessionLogger;

// The journal's single timeline, merged from both logs; nothing is cached, every call reads them again.
namespace NotesTimelineRepository {

// Every readable row of both logs, ascending by start. Equal starts keep focus rounds before break
// activities and, within one log, the file order.
QList<NotesTimelineEntry> allEntries(const FocusSessionLogger &focusLog, const CSVLogger &activityLog);

} // namespace NotesTimelineRepository
