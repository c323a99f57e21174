#include "storage/NotesTimelineRepository.h"

#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"

#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <utility>
#include <vector>

namespace NotesTimelineRepository {

namespace {

using StartOrder = std::vector<std::pair<qint64, qsizetype>>;

// The positions of one log's entries by start, numbered from `first`. A log is written in order, so
// sorting is rarely needed; only a strictly earlier start moves an entry forward.
StartOrder startOrder(const QList<NotesTimelineEntry> &entries, qsizetype first)
{
    StartOrder order;
    order.reserve(static_cast<size_t>(entries.size()));
    // The logs give their instants in UTC, so these are cheap to compare.
    for (qsizetype index = 0; index < entries.size(); ++index)
        order.emplace_back(entries[index].startTimestamp.toMSecsSinceEpoch(), first + index);
    const auto earlier = [](const auto &left, const auto &right) { return left.first < right.first; };
    if (!std::is_sorted(order.begin(), order.end(), earlier))
        std::stable_sort(order.begin(), order.end(), earlier);
    return order;
}

struct ReadLog
{
    QList<NotesTimelineEntry> entries;
    StartOrder order;
};

template<typename Log> ReadLog readLog(const Log &log, qsizetype first)
{
    ReadLog read { log.timelineEntries(), {} };
    read.order = startOrder(read.entries, first);
    return read;
}

} // namespace

QList<NotesTimelineEntry> allEntries(const FocusSessionLogger &focusLog, const CSVLogger &activityLog)
{
    // The two files are read and decoded side by side.
    QFuture<ReadLog> focusRead = QtConcurrent::run([&focusLog] { return readLog(focusLog, 0); });
    ReadLog breaks = readLog(activityLog, 0);
    ReadLog focus = focusRead.takeResult();
    for (auto &position : breaks.order)
        position.second += focus.entries.size();

    // On equal starts the merge takes the first range first: focus rounds stay ahead of the breaks.
    StartOrder order;
    order.reserve(focus.order.size() + breaks.order.size());
    std::merge(focus.order.begin(), focus.order.end(), breaks.order.begin(), breaks.order.end(),
        std::back_inserter(order),
        [](const auto &left, const auto &right) { return left.first < right.first; });

    QList<NotesTimelineEntry> sorted;
    sorted.reserve(qsizetype(order.size()));
    for (const auto &[start, index] : order) {
        sorted.append(std::move(index < focus.entries.size() ? focus.entries[index]
                                                             : breaks.entries[index - focus.entries.size()]));
    }
    return sorted;
}

NotesTimelineEntry &insertAfterEqualStarts(QList<NotesTimelineEntry> &entries, NotesTimelineEntry entry)
{
    const auto at = std::upper_bound(entries.begin(), entries.end(), entry.startTimestamp,
        [](const QDateTime &start, const NotesTimelineEntry &other) { return start < other.startTimestamp; });
    return *entries.insert(at, std::move(entry));
}

} // namespace NotesTimelineRepository
