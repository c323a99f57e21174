#pragma once

#include "core/AppLanguage.h"

#include <QDate>
#include <QDateTime>
#include <QString>

// The journal's date texts in the interface language, in the local time zone.
namespace NotesDateFormatters {

// "14:07" / "2:07 PM".
QString time(const QDateTime &instant, AppLanguage language);
// "2024年3月" / "March 2024".
QString month(QDate date, AppLanguage language);
// "3月5日星期二" / "Tuesday, March 5".
QString day(QDate date, AppLanguage language);

} // namespace NotesDateFormatters
