#pragma once

#include "storage/CSVCodec.h"

#include <QList>
#include <QStringList>
#include <QStringView>

// The record rules written out one character at a time, to hold the fast cursors against.
inline QStringList referenceRecords(QStringView text)
{
    QStringList result;
    QString current;
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            inQuotes = !inQuotes;
            current += c;
        } else if (!inQuotes && c == u'\n') {
            if (!current.isEmpty())
                result.append(current);
            current.clear();
        } else if (!inQuotes && c == u'\r') {
            // Dropped; a following line feed ends the record on the next step.
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        result.append(current);
    return result;
}

inline QStringList referenceFields(QStringView record)
{
    QStringList result;
    QString current;
    bool inQuotes = false;
    for (qsizetype i = 0; i < record.size(); ++i) {
        const QChar c = record[i];
        if (c == u'"') {
            if (inQuotes && i + 1 < record.size() && record[i + 1] == u'"') {
                current += c;
                ++i;
            } else {
                inQuotes = !inQuotes;
            }
        } else if (!inQuotes && c == u',') {
            result.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    result.append(current);
    return result;
}

// The rows a RowReader hands out, as plain strings.
inline QList<QStringList> rowsOf(QStringView text)
{
    QList<QStringList> rows;
    CSVCodec::RowReader reader(text);
    while (const auto fields = reader.next()) {
        QStringList row;
        for (const QStringView field : *fields)
            row.append(field.toString());
        rows.append(row);
    }
    return rows;
}
