#include "ui/statistics/StatisticsLocalization.h"

namespace StatisticsLocalization {

QString formatMinutes(qint64 minutes, AppLanguage language)
{
    const qint64 hours = minutes / 60;
    const qint64 rest = minutes % 60;
    if (minutes < 60)
        return localized(language, QStringLiteral("%1分"), QStringLiteral("%1m")).arg(minutes);
    if (rest == 0)
        return localized(language, QStringLiteral("%1小时"), QStringLiteral("%1h 0m")).arg(hours);
    return localized(language, QStringLiteral("%1小时 %2分"), QStringLiteral("%1h %2m")).arg(hours).arg(rest);
}

QString chartDateLabel(const QDate &date, AppLanguage language)
{
    return locale(language).toString(
        date, localized(language, QStringLiteral("M月d日"), QStringLiteral("MMM d")));
}

QString dayLabel(const QDate &date, const QDate &today, AppLanguage language)
{
    if (date == today)
        return localized(language, QStringLiteral("今天"), QStringLiteral("Today"));
    const QString format = localized(language, QStringLiteral("M月d日ddd"), QStringLiteral("ddd, MMM d"));
    return locale(language).toString(date, format);
}

} // namespace StatisticsLocalization
