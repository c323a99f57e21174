#pragma once

// Logs as a long-time user's would be, for the programs that time reading them back.
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdio>

inline QString wallClock(const QDateTime &local)
{
    const QDate date = local.date();
    const QTime time = local.time();
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", date.year(), date.month(), date.day(),
        time.hour(), time.minute(), time.second());
}

// Ten focus rounds and ten breaks a day, ending today, so the logs span daylight-saving changes.
inline void writeLogs(const QString &focusPath, const QString &activityPath, int rows)
{
    QString focus = FocusSessionLogger::header() + u'\n';
    QString activity = CSVLogger::header() + u'\n';
    const QDate firstDay = QDate::currentDate().addDays(-(rows / 10));
    for (int row = 0; row < rows; ++row) {
        const QDateTime start(firstDay.addDays(row / 10), QTime(8 + row % 10, 0), Qt::LocalTime);
        const QString day = start.date().toString(Qt::ISODate);
        const QString id = QString::number(row);
        focus
            += QStringList { QStringLiteral("focus-") + id, wallClock(start), wallClock(start.addSecs(1500)),
                   day, QString::number(row % 10 + 1), QStringLiteral("Writing"), QStringLiteral("1500"),
                   QStringLiteral("1500"), QStringLiteral("true"), QStringLiteral("notes, with a comma") }
                   .join(u',')
            + u'\n';
        activity += QStringList { QStringLiteral("break-") + id, wallClock(start.addSecs(1500)),
            wallClock(start.addSecs(1800)), day, QString::number(row % 10 + 1), QStringLiteral("Writing"),
            QStringLiteral("Stretch"), QStringLiteral("3"), QStringLiteral("1.000"), QStringLiteral("1.000"),
            QString::number(row % 10 * 3 + 3), QString() }
                        .join(u',')
            + u'\n';
    }
    for (const auto &[path, text] :
        { std::pair { focusPath, focus }, std::pair { activityPath, activity } }) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0)
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
}
