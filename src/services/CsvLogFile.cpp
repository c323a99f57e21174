#include "CsvLogFile.h"

#include "models/CsvDate.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>

namespace {

Error fileError(const QString &action, const QString &path, const QString &reason)
{
    return Error { QStringLiteral("Could not %1 %2: %3").arg(action, path, reason) };
}

} // namespace

CsvLogFile::CsvLogFile(QString filePath, QString header, qsizetype columnCount)
    : m_filePath(std::move(filePath))
    , m_header(std::move(header))
    , m_columnCount(columnCount)
{ }

void CsvLogFile::prepare(const LegacyRowConverter &convertLegacyRow) const
{
    const Result<QString> text = readText();
    if (!text) {
        if (!QFile::exists(m_filePath))
            static_cast<void>(rewrite({ m_header }));
        return;
    }
    CSVCodec::RecordCursor cursor(*text);
    const std::optional<QStringView> firstRecord = cursor.next();
    // An empty file would otherwise take the next append where the header belongs.
    if (!firstRecord) {
        static_cast<void>(rewrite({ m_header }));
        return;
    }
    if (*firstRecord != m_header)
        migrate(CSVCodec::records(*text), convertLegacyRow);
}

bool CsvLogFile::isDataRow(const QStringList &fields) const
{
    // Rows of the current layout, with or without the session title, hold the start and the end
    // at 1 and 2; no header ever held a timestamp.
    return fields.size() >= m_columnCount - 1
        && (CsvDate::parseTimestamp(fields[1]) || CsvDate::parseTimestamp(fields[2]));
}

void CsvLogFile::migrate(const QStringList &records, const LegacyRowConverter &convertLegacyRow) const
{
    QStringList output { m_header };
    output.reserve(records.size() + 1);
    // A file that begins with a row instead of a header (a hand-edited log) keeps that row.
    const qsizetype firstRow = isDataRow(CSVCodec::parseLine(records.first())) ? 0 : 1;
    qint64 number = 0;
    for (qsizetype i = firstRow; i < records.size(); ++i, ++number) {
        if (const std::optional<QStringList> row = convertLegacyRow(CSVCodec::parseLine(records[i]), number))
            output.append(CSVCodec::line(*row));
    }
    static_cast<void>(rewrite(output));
}

Result<QString> CsvLogFile::readText() const
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return fileError(QStringLiteral("open"), m_filePath, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fileError(QStringLiteral("read"), m_filePath, file.errorString());
    // Stateless, so that a sequence cut off at the end of the file counts as an error too.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return fileError(
            QStringLiteral("read"), m_filePath, QStringLiteral("the file is not valid UTF-8 text"));
    return text;
}

QByteArray CsvLogFile::repairBeforeAppend() const
{
    // Quotes are single bytes that never occur inside a multi-byte UTF-8 sequence, so their count
    // tells whether the file ends inside a quoted field.
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    qint64 remaining = file.size();
    if (remaining <= 0)
        return {};
    qint64 quotes = 0;
    char last = '\n';
    QByteArray chunk;
    while (remaining > 0) {
        chunk = file.read(std::min<qint64>(remaining, 1 << 16));
        if (chunk.isEmpty())
            break;
        quotes += std::count(chunk.cbegin(), chunk.cend(), '"');
        last = chunk.back();
        remaining -= chunk.size();
    }
    if (quotes % 2 != 0)
        return QByteArrayLiteral("\"\n");
    if (last != '\n')
        return QByteArrayLiteral("\n");
    return {};
}

Status CsvLogFile::append(const QStringList &fields) const
{
    QFile file(m_filePath);
    // Qt's append mode creates a missing file unless told not to; a deleted log stays deleted.
    // Unbuffered, so that a full disk shows in the result of write() instead of at a later flush.
    if (!file.open(
            QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return fileError(QStringLiteral("open"), m_filePath, file.errorString());
    QByteArray bytes = repairBeforeAppend();
    bytes += CSVCodec::line(fields).toUtf8();
    bytes += '\n';
    if (file.write(bytes) != bytes.size())
        return fileError(QStringLiteral("write to"), m_filePath, file.errorString());
    return Status::success();
}

Status CsvLogFile::rewrite(const QStringList &records) const
{
    QByteArray bytes;
    for (const QString &record : records) {
        bytes += record.toUtf8();
        bytes += '\n';
    }
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly))
        return fileError(QStringLiteral("open"), m_filePath, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return fileError(QStringLiteral("write"), m_filePath, file.errorString());
    return Status::success();
}
