#include "NotesTimelineRepository.h"

#include "services/CSVLogger.h"
#include "services/FocusSessionLogger.h"

#include <QHash>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace NotesTimelineRepository {

namespace {

// Turns start times into instants for sorting. Converting a local date-time goes through the time zone
// every time, which costs far more than the sort itself; on a day without a daylight-saving change the
// offset is the same all day, so one conversion per calendar day suffices.
class InstantOfLocalTime
{
public:
    qint64 milliseconds(const QDateTime &dateTime)
    {
        if (dateTime.timeSpec() != Qt::LocalTime)
            return dateTime.toMSecsSinceEpoch();
        const QDate date = dateTime.date();
        const std::optional<qint64> offset = steadyOffset(date);
        if (!offset)
            return dateTime.toMSecsSinceEpoch();
        const qint64 localMilliseconds = (date.toJulianDay() - epochJulianDay) * millisecondsPerDay
            + dateTime.time().msecsSinceStartOfDay();
        return localMilliseconds - *offset;
    }

private:
    static constexpr qint64 millisecondsPerDay = 86'400'000;
    static constexpr qint64 epochJulianDay = 2'440'588; // 1970-01-01

    // The local offset from UTC in milliseconds, when it does not change during the day.
    std::optional<qint64> steadyOffset(QDate date)
    {
        const auto known = m_offsetByDay.constFind(date.toJulianDay());
        if (known != m_offsetByDay.constEnd())
            return *known;
        const QDateTime first = date.startOfDay();
        const QDateTime last = date.endOfDay();
        std::optional<qint64> offset;
        if (first.isValid() && last.isValid() && first.offsetFromUtc() == last.offsetFromUtc())
            offset = qint64(first.offsetFromUtc()) * 1000;
        m_offsetByDay.insert(date.toJulianDay(), offset);
        return offset;
    }

    QHash<qint64, std::optional<qint64>> m_offsetByDay;
};

} // namespace

QList<NotesTimelineEntry> allEntries(const FocusSessionLogger &focusLog, const CSVLogger &activityLog)
{
    // Focus entries come first, so that among equal starts they stay ahead of the breaks.
    QList<NotesTimelineEntry> focus = focusLog.timelineEntries();
    QList<NotesTimelineEntry> breaks = activityLog.timelineEntries();
    const auto entryAt = [&](qsizetype index) -> NotesTimelineEntry & {
        return index < focus.size() ? focus[index] : breaks[index - focus.size()];
    };
    const qsizetype count = focus.size() + breaks.size();

    InstantOfLocalTime instants;
    std::vector<std::pair<qint64, qsizetype>> order;
    order.reserve(static_cast<size_t>(count));
    for (qsizetype index = 0; index < count; ++index)
        order.emplace_back(instants.milliseconds(entryAt(index).startTimestamp), index);
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
