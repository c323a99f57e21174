#include "CsvDate.h"

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
    if (text.size() != 19 || text[10] != u' ' || text[13] != u':' || text[16] != u':')
        return std::nullopt;
    const auto date = dateAt(text);
    const int hour = digits(text, 11, 2);
    const int minute = digits(text, 14, 2);
    const int second = digits(text, 17, 2);
    if (!date || hour < 0 || minute < 0 || second < 0 || !QTime::isValid(hour, minute, second))
        return std::nullopt;
    const QTime time(hour, minute, second);

    // Logs hold thousands of rows per day and asking the time zone is slow, so the start of the last
    // day seen is remembered. A day with a clock change is not 24 hours long: its times are converted
    // one by one.
    struct DayStart
    {
        QDate date;
        qint64 utcMilliseconds = 0;
        bool isWholeDay = false;
    };
    thread_local DayStart cached;
    if (cached.date != *date) {
        const qint64 start = QDateTime(*date, QTime(0, 0), Qt::LocalTime).toMSecsSinceEpoch();
        const qint64 end = QDateTime(date->addDays(1), QTime(0, 0), Qt::LocalTime).toMSecsSinceEpoch();
        cached = { *date, start, end - start == 86'400'000 };
    }
    if (!cached.isWholeDay)
        return QDateTime(*date, time, Qt::LocalTime).toUTC();
    return QDateTime::fromMSecsSinceEpoch(cached.utcMilliseconds + time.msecsSinceStartOfDay(), Qt::UTC);
}

std::optional<QDate> parseDay(QStringView text)
{
    if (text.size() != 10)
        return std::nullopt;
    return dateAt(text);
}

} // namespace CsvDate
