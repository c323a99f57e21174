#include "NotesTimelineRepository.h"

#include "services/CSVLogger.h"
#include "services/FocusSessionLogger.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace NotesTimelineRepository {

QList<NotesTimelineEntry> allEntries(const FocusSessionLogger &focusLog, const CSVLogger &activityLog)
{
    // Focus entries come first, so that among equal starts they stay ahead of the breaks.
    QList<NotesTimelineEntry> focus = focusLog.timelineEntries();
    QList<NotesTimelineEntry> breaks = activityLog.timelineEntries();
    const auto entryAt = [&](qsizetype index) -> NotesTimelineEntry & {
        return index < focus.size() ? focus[index] : breaks[index - focus.size()];
    };
    const qsizetype count = focus.size() + breaks.size();

    // The logs give their instants in UTC, so these are cheap to compare.
    std::vector<std::pair<qint64, qsizetype>> order;
    order.reserve(static_cast<size_t>(count));
    for (qsizetype index = 0; index < count; ++index)
        order.emplace_back(entryAt(index).startTimestamp.toMSecsSinceEpoch(), index);
    // Only a strictly earlier start moves an entry forward: equal starts keep focus rounds first and the
    // file order within each log.
    std::stable_sort(order.begin(), order.end(),
        [](const auto &left, const auto &right) { return left.first < right.first; });

    QList<NotesTimelineEntry> sorted;
    sorted.reserve(count);
    for (const auto &entry : order)
        sorted.append(std::move(entryAt(entry.second)));
    return sorted;
}

} // namespace NotesTimelineRepository
