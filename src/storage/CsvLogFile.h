#pragma once

#include "core/Result.h"
#include "storage/CSVCodec.h"
#include "storage/CsvColumnMap.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QFile;

// The file mechanics that the two CSV logs share: the header line, start-up conversion of older
// layouts and of files that spreadsheets saved back, reading, appends that never create the file and
// atomic rewrites. Nothing a user wrote is lost: the exact bytes of a file go to a dated backup before
// any rewrite that is not the program's own edit of its own file, and a file that cannot be read at all
// is moved aside, never rewritten or appended to.
class CsvLogFile
{
public:
    // Turns one row of an older layout, numbered from 0 among the data rows, into the current
    // layout; nothing drops the row.
    using LegacyRowConverter = std::function<std::optional<QStringList>(QStringList fields, qint64 number)>;

    // A file that could not be read, renamed beside the new log that replaced it.
    struct MovedAside
    {
        QString fileName;
        QString newFileName;

        friend bool operator==(const MovedAside &, const MovedAside &) = default;
    };

    CsvLogFile(QString filePath, QString header, LegacyRowConverter convertLegacyRow);

    const QString &filePath() const { return m_filePath; }

    // At start-up and after a change by another program: gives a missing or empty file its header,
    // converts an older layout, a file in another encoding or with another separator, and gives rows
    // that repeat an earlier row's event id fresh ids; a file that needs none of these is not touched.
    // `today` dates the backup and a moved-aside file. Failures leave the file as it was.
    void prepare(QDate today) const;

    // The file moved aside since the last call, once.
    std::optional<MovedAside> takeMovedAside() const { return std::exchange(m_movedAside, std::nullopt); }

    // The whole file as text: UTF-8 with or without a byte order mark, else GB18030. A character cut
    // off at the very end of UTF-8, where a killed append stops, is left out.
    Result<QString> readText() const;

    // Adds one record, given in the log's column order, at the end of the existing file, in the
    // file's own column order. A file that another program left in another encoding or dialect is
    // converted first. A torn earlier record is closed first so that it cannot swallow this one.
    Status append(const QStringList &columns, QDate today) const;

    // Replaces the file with these records, each ended by a line feed, atomically.
    Status rewrite(const QStringList &records) const;

    // Rewrites the file after passing the columns of every row that holds them all to edit(); a row
    // that it leaves as it was keeps its text, and so do the header and shorter rows. An unreadable
    // file is left alone and its error returned; an empty one is not written.
    Status rewriteRows(const std::function<bool(QStringList &columns)> &edit, QDate today) const;

    // Calls visit(columns) for every record after the header, with the columns in the log's order as
    // views that are valid during the call only; a row too short to hold every column comes with
    // fewer. An unreadable file has no rows.
    template<typename Visit> void forEachDataRow(Visit &&visit) const
    {
        const Result<QString> text = readText();
        if (!text)
            return;
        CSVCodec::RowReader reader(*text);
        const std::optional<std::span<const QStringView>> header = reader.next();
        if (!header)
            return;
        const CsvColumnMap map = columnMapOf(*header);
        std::vector<QStringView> columns(m_columnNames.size());
        while (const std::optional<std::span<const QStringView>> fields = reader.next())
            visit(map.columnsOf(*fields, columns));
    }

    // The entries that rows after the header hide by lacking a column or a readable time (see
    // LogRowTimes); they stay as they are. A row hides one entry, and more when a stray quote made it
    // swallow the rows below it: each of its lines that reads as a row of its own is one more.
    qsizetype unreadableRowCount(qsizetype columnCount) const;

private:
    Result<QByteArray> readBytes() const;
    CsvColumnMap columnMapOf(std::span<const QStringView> header) const;
    bool isDataRow(const QStringList &fields) const;
    std::optional<QStringList> migrated(const QStringList &records, QChar separator) const;
    std::optional<QStringList> normalised(
        const QStringList &records, QChar separator, const CsvColumnMap &map, bool convert) const;
    Status backUp(const QByteArray &bytes, QDate today) const;
    // The header of a file in the program's own encoding and separator; an error for any other.
    Result<QStringList> ownDialectHeader() const;
    // The same after converting a file that another program saved in its own dialect.
    Result<QStringList> convertedHeader(QDate today) const;
    void moveAside(QDate today) const;
    QByteArray repairBeforeAppend(QFile &appendHandle) const;

    QString m_filePath;
    QString m_header;
    QStringList m_columnNames;
    LegacyRowConverter m_convertLegacyRow;
    mutable std::optional<MovedAside> m_movedAside;
    // The last preparation found work it could not write (a full disk): no row goes in until it has.
    mutable bool m_conversionPending = false;
};
