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

constexpr qsizetype maximumSequenceLength = 4;

// The length of the UTF-8 sequence that `tail` begins correctly but ends before its last byte, or 0.
qsizetype cutOffSequenceLength(QByteArrayView tail)
{
    for (qsizetype length = 1; length < maximumSequenceLength && length <= tail.size(); ++length) {
        const auto lead = quint8(tail[tail.size() - length]);
        if ((lead & 0xC0) == 0x80)
            continue;
        if (lead < 0xC2 || lead > 0xF4)
            return 0;
        const qsizetype needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (length >= needed)
            return 0;
        if (length >= 2) {
            // After these leads the second byte is narrower: overlong forms, surrogates and values
            // beyond U+10FFFF are not characters.
            const auto second = quint8(tail[tail.size() - length + 1]);
            const quint8 low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
            const quint8 high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
            if (second < low || second > high)
                return 0;
        }
        return length;
    }
    return 0;
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
    // A killed append can end inside a character: the kernel stops a write at a page boundary, which
    // may fall anywhere. Those bytes belong to the torn last record, which reads without them as it
    // will after the next append's repair; anything else that is not UTF-8 still makes the file
    // unreadable.
    const QByteArrayView whole = QByteArrayView(bytes).chopped(
        cutOffSequenceLength(QByteArrayView(bytes).last(std::min(bytes.size(), maximumSequenceLength))));
    // Stateless, so that a sequence cut off anywhere else counts as an error.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(whole);
    if (decoder.hasError())
        return fileError(
            QStringLiteral("read"), m_filePath, QStringLiteral("the file is not valid UTF-8 text"));
    return text;
}

QByteArray CsvLogFile::repairBeforeAppend(QFile &appendHandle) const
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
    // Decoded only to find bytes that are not UTF-8. Not stateless, so a character cut off at the
    // very end stays pending instead of counting as an error.
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString decoded;
    QByteArray tail;
    QByteArray chunk;
    while (remaining > 0) {
        chunk = file.read(std::min<qint64>(remaining, 1 << 16));
        if (chunk.isEmpty())
            break;
        quotes += std::count(chunk.cbegin(), chunk.cend(), '"');
        decoded.resize(decoder.requiredSpace(chunk.size()));
        decoder.appendToBuffer(decoded.data(), chunk);
        tail = (tail + chunk.right(maximumSequenceLength)).right(maximumSequenceLength);
        remaining -= chunk.size();
    }
    // A killed append can stop inside a multi-byte character, which would make the whole file
    // unreadable from then on; the rest of the torn record is kept.
    const qsizetype cutOff = decoder.hasError() || remaining > 0 ? 0 : cutOffSequenceLength(tail);
    if (cutOff > 0 && appendHandle.resize(file.size() - cutOff))
        tail.chop(cutOff);
    if (quotes % 2 != 0)
        return QByteArrayLiteral("\"\n");
    if (!tail.isEmpty() && tail.back() != '\n')
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
    QByteArray bytes = repairBeforeAppend(file);
    bytes += CSVCodec::line(fields).toUtf8();
    bytes += '\n';
    if (file.write(bytes) != bytes.size())
        return fileError(QStringLiteral("write to"), m_filePath, file.errorString());
    return Status::success();
}

Status CsvLogFile::rewriteRows(const std::function<bool(QStringList &fields)> &edit) const
{
    const Result<QString> text = readText();
    if (!text)
        return Error { text.error() };
    const QStringList records = CSVCodec::records(*text);
    if (records.isEmpty())
        return Status::success();
    QStringList output { records.first() };
    output.reserve(records.size());
    for (qsizetype i = 1; i < records.size(); ++i) {
        QStringList fields = CSVCodec::parseLine(records[i]);
        if (fields.size() >= m_columnCount && edit(fields))
            output.append(CSVCodec::line(fields));
        else
            output.append(records[i]);
    }
    return rewrite(output);
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
