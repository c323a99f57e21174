#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <optional>

// The two date forms of the logs and day keys, in the local time zone with a 24-hour clock and
// ASCII digits whatever the user's locale: "yyyy-MM-dd HH:mm:ss" and "yyyy-MM-dd".
namespace CsvDate {

QString timestamp(const QDateTime &instant);
QString day(const QDateTime &instant);
QString day(QDate date);

// The form above, also as spreadsheets save it back: a "T" between date and time, and the seconds
// left out; always a real calendar date and time of day. The instant comes back in UTC
// (cheap to compare and sort); call toLocalTime() before reading its calendar fields.
std::optional<QDateTime> parseTimestamp(QStringView text);
std::optional<QDate> parseDay(QStringView text);

// The local calendar day of an instant, as toLocalTime().date() gives it but without asking the time
// zone for every row of a log.
QDate localDay(const QDateTime &instant);

} // namespace CsvDate
