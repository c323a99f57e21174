#include "FuzzInvariants.h"
#include "InvariantCheck.h"
#include "services/CSVCodec.h"

#include <QStringList>

namespace FuzzInvariants {

namespace {

// The record rules written out one character at a time, to hold the fast cursors against.
QStringList referenceRecords(QStringView text)
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

QStringList referenceFields(QStringView record)
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

QList<QStringList> rowsOf(QStringView text)
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

Status checkEncoding(const QStringList &fields)
{
    const QString encoded = CSVCodec::line(fields);
    EXPECT_OR_FAIL(CSVCodec::parseLine(encoded) == fields, fields << encoded);
    EXPECT_OR_FAIL(CSVCodec::line(CSVCodec::parseLine(encoded)) == encoded, encoded);
    // A written row is exactly one record, whatever its fields hold.
    const QStringList expected = encoded.isEmpty() ? QStringList() : QStringList { encoded };
    EXPECT_OR_FAIL(CSVCodec::records(encoded + u'\n') == expected, encoded);
    EXPECT_OR_FAIL(CSVCodec::records(encoded + QStringLiteral("\r\n")) == expected, encoded);
    return {};
}

} // namespace

Status csvCodec(QByteArrayView input)
{
    const QString text = QString::fromUtf8(input);
    const QStringList records = CSVCodec::records(text);
    EXPECT_OR_FAIL(records == referenceRecords(text), text << records);

    QList<QStringList> expectedRows;
    QString rewritten;
    for (const QString &record : records) {
        EXPECT_OR_FAIL(!record.isEmpty(), text);
        const QStringList fields = CSVCodec::parseLine(record);
        EXPECT_OR_FAIL(fields == referenceFields(record), record << fields);
        RETURN_IF_FAILED(checkEncoding(fields));
        expectedRows.append(fields);
        rewritten += CSVCodec::line(fields) + u'\n';
    }
    EXPECT_OR_FAIL(rowsOf(text) == expectedRows, text << rowsOf(text) << expectedRows);

    // Rewriting the rows in their own encoding keeps every row and every field, except a lone empty
    // field, which encodes as a blank line.
    QList<QStringList> keptRows = expectedRows;
    keptRows.removeAll(QStringList { QString() });
    EXPECT_OR_FAIL(rowsOf(rewritten) == keptRows, rewritten);

    // The whole text as one record, line breaks and all.
    EXPECT_OR_FAIL(CSVCodec::parseLine(text) == referenceFields(text), text);
    return {};
}

} // namespace FuzzInvariants
