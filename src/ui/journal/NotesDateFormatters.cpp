#include "ui/journal/NotesDateFormatters.h"

namespace NotesDateFormatters {

QString time(const QDateTime &instant, AppLanguage language)
{
    return locale(language).toString(instant.toLocalTime().time(),
        localized(language, QStringLiteral("HH:mm"), QStringLiteral("h:mm AP")));
}

QString month(QDate date, AppLanguage language)
{
    return locale(language).toString(
        date, localized(language, QStringLiteral("yyyy年M月"), QStringLiteral("MMMM yyyy")));
}

QString day(QDate date, AppLanguage language)
{
    return locale(language).toString(
        date, localized(language, QStringLiteral("M月d日dddd"), QStringLiteral("dddd, MMMM d")));
}

} // namespace NotesDateFormatters
