#include "core/CsvDate.h"

#include <QTimeZone>
#include <limits>

namespace CsvDate {

namespace {

// Reads `count` ASCII digits at `position`, or -1.
int digits(QStringView text, qsizetype position, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const QChar c = text[position + i];
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

std::optional<QDate> dateAt(QStringView text)
{
    if (text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    const int year = digits(text, 0, 4);
    const int month = digits(text, 5, 2);
    const int dayOfMonth = digits(text, 8, 2);
    if (year < 0 || month < 0 || dayOfMonth < 0 || !QDate::isValid(year, month, dayOfMonth))
        return std::nullopt;
    return QDate(year, month, dayOfMonth);
}

constexpr qint64 millisecondsPerDay = 86'400'000;
constexpr qint64 unixEpochJulianDay = 2'440'588;

qint64 floorDivide(qint64 value, qint64 divisor)
{
    return value / divisor - (value % divisor < 0 ? 1 : 0);
}

// A date and time of day read as if they were UTC.
qint64 naiveMilliseconds(QDate date)
{
    return (date.toJulianDay() - unixEpochJulianDay) * millisecondsPerDay;
}

// A stretch of time in which the local zone keeps one offset from UTC. Logs hold thousands of rows
// and asking the C library for each local time is slow (it looks at the zone file every time), so
// the offset found for one row serves every row of the same stretch. Within a day of a clock change
// times are converted one by one, so a skipped or repeated hour is never guessed.
class OffsetSpan
{
public:
    std::optional<qint64> utcFromWallClock(qint64 wallClock) const
    {
        const qint64 utc = wallClock - m_offset;
        return isSafe(utc) ? std::optional(utc) : std::nullopt;
    }

    std::optional<qint64> wallClockFromUtc(qint64 utc) const
    {
        return isSafe(utc) ? std::optional(utc + m_offset) : std::nullopt;
    }

    // Learns the stretch around this instant from the zone's transitions, and only when the C
    // library, which converts the rows that fall outside it, gives the same offset at its ends.
    void learnAround(qint64 utc)
    {
        m_from = 1;
        m_until = 0;
        const QDateTime instant = QDateTime::fromMSecsSinceEpoch(utc, Qt::UTC);
        const QTimeZone zone = QTimeZone::systemTimeZone();
        if (!zone.isValid())
            return;
        const qint64 offset = qint64(zone.offsetFromUtc(instant)) * 1000;
        const QDateTime previous = zone.previousTransition(instant.addMSecs(1)).atUtc;
        const QDateTime next = zone.nextTransition(instant).atUtc;
        // A zone without changes is still checked a year either way.
        const qint64 first
            = previous.isValid() ? previous.toMSecsSinceEpoch() : utc - 366 * millisecondsPerDay;
        const qint64 last = next.isValid() ? next.toMSecsSinceEpoch() - 1 : utc + 366 * millisecondsPerDay;
        for (const qint64 probe : { first, utc, last }) {
            if (qint64(QDateTime::fromMSecsSinceEpoch(probe, Qt::UTC).toLocalTime().offsetFromUtc()) * 1000
                != offset)
                return;
        }
        m_offset = offset;
        m_from = previous.isValid() ? first + millisecondsPerDay : std::numeric_limits<qint64>::min();
        m_until = next.isValid() ? last + 1 - millisecondsPerDay : std::numeric_limits<qint64>::max();
    }

private:
    bool isSafe(qint64 utc) const { return utc >= m_from && utc < m_until; }

    qint64 m_offset = 0;
    // Empty until learned.
    qint64 m_from = 1;
    qint64 m_until = 0;
};

// A time that the clock skipped when it sprang forward names the instant it would have been on the
// clock before the change, shown after the change as the same distance past it (02:30 in a skipped
// hour is 03:30), as a lenient reading of a typed time gives it. Qt has no local time for it.
QDateTime skippedWallClockInstant(qint64 wallClock)
{
    const QDateTime dayBefore = QDateTime::fromMSecsSinceEpoch(wallClock - millisecondsPerDay, Qt::UTC);
    const qint64 offsetBefore = qint64(dayBefore.toLocalTime().offsetFromUtc()) * 1000;
    return QDateTime::fromMSecsSinceEpoch(wallClock - offsetBefore, Qt::UTC);
}

OffsetSpan &offsetSpan()
{
    thread_local OffsetSpan span;
    return span;
}

} // namespace

QString timestamp(const QDateTime &instant)
{
    const QDateTime local = instant.toLocalTime();
    const QDate date = local.date();
    const QTime time = local.time();
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", date.year(), date.month(), date.day(),
        time.hour(), time.minute(), time.second());
}

QString day(const QDateTime &instant)
{
    return day(instant.toLocalTime().date());
}

QString day(QDate date)
{
    return QString::asprintf("%04d-%02d-%02d", date.year(), date.month(), date.day());
}

std::optional<QDateTime> parseTimestamp(QStringView text)
{
    const bool withSeconds = text.size() == 19;
    if ((!withSeconds && text.size() != 16) || (text[10] != u' ' && text[10] != u'T') || text[13] != u':'
        || (withSeconds && text[16] != u':'))
        return std::nullopt;
    const auto date = dateAt(text);
    const int hour = digits(text, 11, 2);
    const int minute = digits(text, 14, 2);
    const int second = withSeconds ? digits(text, 17, 2) : 0;
    if (!date || hour < 0 || minute < 0 || second < 0 || !QTime::isValid(hour, minute, second))
        return std::nullopt;
    const QTime time(hour, minute, second);
    const qint64 wallClock = naiveMilliseconds(*date) + time.msecsSinceStartOfDay();
    if (const std::optional<qint64> fast = offsetSpan().utcFromWallClock(wallClock))
        return QDateTime::fromMSecsSinceEpoch(*fast, Qt::UTC);
    const QDateTime local(*date, time, Qt::LocalTime);
    const QDateTime instant = local.isValid() ? local.toUTC() : skippedWallClockInstant(wallClock);
    offsetSpan().learnAround(instant.toMSecsSinceEpoch());
    return instant;
}

QDate localDay(const QDateTime &instant)
{
    const qint64 utc = instant.toMSecsSinceEpoch();
    if (const std::optional<qint64> wallClock = offsetSpan().wallClockFromUtc(utc))
        return QDate::fromJulianDay(unixEpochJulianDay + floorDivide(*wallClock, millisecondsPerDay));
    offsetSpan().learnAround(utc);
    return instant.toLocalTime().date();
}

std::optional<QDate> parseDay(QStringView text)
{
    if (text.size() != 10)
        return std::nullopt;
    return dateAt(text);
}

} // namespace CsvDate
