#include "ui/statistics/StatisticsLocalization.h"

namespace StatisticsLocalization {

QString formatMinutes(qint64 minutes, AppLanguage language)
{
    const qint64 hours = minutes / 60;
    const qint64 rest = minutes % 60;
    if (language == AppLanguage::english) {
        if (minutes < 60)
            return QString::number(minutes) + u'm';
        return QString::number(hours) + QStringLiteral("h ") + QString::number(rest) + u'm';
    }
    if (minutes < 60)
        return QString::number(minutes) + QStringLiteral("分");
    if (rest == 0)
        return QString::number(hours) + QStringLiteral("小时");
    return QString::number(hours) + QStringLiteral("小时 ") + QString::number(rest) + QStringLiteral("分");
}

QString chartDateLabel(const QDate &date, AppLanguage language)
{
    if (language == AppLanguage::english)
        return QLocale(QLocale::English, QLocale::UnitedStates).toString(date, QStringLiteral("MMM d"));
    return QString::number(date.month()) + QStringLiteral("月") + QString::number(date.day())
        + QStringLiteral("日");
}

QString dayLabel(const QDate &date, const QDate &today, AppLanguage language)
{
    if (date == today)
        return localized(language, QStringLiteral("今天"), QStringLiteral("Today"));
    const QString format = localized(language, QStringLiteral("M月d日ddd"), QStringLiteral("ddd, MMM d"));
    return locale(language).toString(date, format);
}

} // namespace StatisticsLocalization
