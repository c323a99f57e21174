#include "CsvReference.h"
#include "FuzzInvariants.h"
#include "InvariantCheck.h"
#include "storage/CSVCodec.h"

#include <QStringList>

namespace FuzzInvariants {

namespace {

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
