#pragma once

#include "CSVCodec.h"
#include "models/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>

class QFile;

// The file mechanics that the two CSV logs share: the header line, start-up conversion of older
// layouts, strict UTF-8 reading, appends that never create the file and atomic rewrites.
class CsvLogFile
{
public:
    // Turns one row of an older layout, numbered from 0 among the data rows, into the current
    // layout; nothing drops the row.
    using LegacyRowConverter = std::function<std::optional<QStringList>(QStringList fields, qint64 number)>;

    CsvLogFile(QString filePath, QString header, qsizetype columnCount);

    const QString &filePath() const { return m_filePath; }

    // Start-up: converts a file of an older layout and gives a missing or empty file its header
    // line. Failures leave the file as it was.
    void prepare(const LegacyRowConverter &convertLegacyRow) const;

    // The whole file; bytes that are not UTF-8 make it unreadable, so it is never rewritten. A character
    // cut off at the very end, where a killed append stops, is left out instead.
    Result<QString> readText() const;

    // Adds one record at the end of the existing file. A torn earlier record is closed first so
    // that it cannot swallow this one, and loses a character that it cut off in the middle.
    Status append(const QStringList &fields) const;

    // Replaces the file with these records, each ended by a line feed, atomically.
    Status rewrite(const QStringList &records) const;

    // Rewrites the file after passing the fields of every row of the full width to edit(); a row for
    // which it returns false keeps its text as it was, and so do the header and shorter rows. An
    // unreadable file is left alone and its error returned; an empty one is not written.
    Status rewriteRows(const std::function<bool(QStringList &fields)> &edit) const;

    // Calls visit(fields) for every record after the header, with the fields as views that are
    // valid during the call only. An unreadable file has no rows.
    template<typename Visit> void forEachDataRow(Visit &&visit) const
    {
        const Result<QString> text = readText();
        if (!text)
            return;
        CSVCodec::RowReader reader(*text);
        if (!reader.next())
            return;
        while (const std::optional<std::span<const QStringView>> fields = reader.next())
            visit(*fields);
    }

private:
    bool isDataRow(const QStringList &fields) const;
    void migrate(const QStringList &records, const LegacyRowConverter &convertLegacyRow) const;
    QByteArray repairBeforeAppend(QFile &appendHandle) const;

    QString m_filePath;
    QString m_header;
    qsizetype m_columnCount;
};
