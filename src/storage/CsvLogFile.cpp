#include "storage/CsvLogFile.h"

#include "core/CsvDate.h"
#include "core/Uuid.h"
#include "storage/LogRowTimes.h"
#include "storage/WholeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>
#include <unistd.h>

namespace {

// The messages are keys of the string table with the file's name still to be put in, so that the
// alert says them in the user's language.
Error openError()
{
    return Error { QStringLiteral("无法打开数据文件夹中的 %1。") };
}

Error readError()
{
    return Error { QStringLiteral("无法读取数据文件夹中的 %1：它不是可以识别的文本。") };
}

Error writeError()
{
    return Error { QStringLiteral("无法写入数据文件夹中的 %1：磁盘可能已满，或没有写入权限。") };
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

// Text as the tools that users open the logs with save it: UTF-8, with or without a byte order mark,
// or GB18030, the default of Excel and WPS on Chinese Windows, of which GBK is a part.
struct DecodedText
{
    QString text;
    bool utf8 = true;
};

std::optional<DecodedText> decode(const QByteArray &bytes)
{
    // A killed append can end inside a character: the kernel stops a write at a page boundary, which
    // may fall anywhere. Those bytes belong to the torn last record, which reads without them as it
    // will after the next append's repair.
    const QByteArrayView whole = QByteArrayView(bytes).chopped(
        cutOffSequenceLength(QByteArrayView(bytes).last(std::min(bytes.size(), maximumSequenceLength))));
    // Stateless, so that a sequence cut off anywhere else counts as an error.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(whole);
    if (!utf8.hasError())
        return DecodedText { std::move(text), true };
    // A UTF-8 file damaged in a few places is not GB18030: read as such, its good characters would turn
    // into others. GB18030 text read as UTF-8 gives hardly any good character beside the errors.
    const QString lenient = QString::fromUtf8(bytes);
    const auto replaced = std::count(lenient.cbegin(), lenient.cend(), QChar::ReplacementCharacter);
    const auto nonAscii
        = std::count_if(lenient.cbegin(), lenient.cend(), [](QChar c) { return c.unicode() >= 0x80; });
    if (nonAscii - replaced >= replaced)
        return std::nullopt;
    QStringDecoder gb18030("GB18030", QStringDecoder::Flag::Stateless);
    if (!gb18030.isValid())
        return std::nullopt;
    text = gb18030(bytes);
    if (gb18030.hasError())
        return std::nullopt;
    return DecodedText { std::move(text), false };
}

QString datedName(const QString &path, const QString &kind, QDate day, int copy)
{
    const QFileInfo file(path);
    const QString number = copy > 1 ? u'-' + QString::number(copy) : QString();
    return file.dir().filePath(
        file.completeBaseName() + u'.' + kind + u'-' + CsvDate::day(day) + number + u'.' + file.suffix());
}

// The records exactly as the program writes them, so that a file in this form loses nothing when
// the program rewrites it.
QByteArray ownBytesOf(const QStringList &records)
{
    QByteArray bytes;
    for (const QString &record : records) {
        bytes += record.toUtf8();
        bytes += '\n';
    }
    return bytes;
}

} // namespace

CsvLogFile::CsvLogFile(QString filePath, QString header, LegacyRowConverter convertLegacyRow)
    : m_filePath(std::move(filePath))
    , m_header(std::move(header))
    , m_columnNames(m_header.split(u','))
    , m_convertLegacyRow(std::move(convertLegacyRow))
{ }

void CsvLogFile::prepare(QDate today) const
{
    m_conversionPending = false;
    if (!QFile::exists(m_filePath)) {
        static_cast<void>(rewrite({ m_header }));
        return;
    }
    const Result<QByteArray> bytes = readBytes();
    if (!bytes)
        return;
    const std::optional<DecodedText> decoded = decode(*bytes);
    if (!decoded) {
        moveAside(today);
        return;
    }
    const QStringList records = CSVCodec::records(decoded->text);
    // An empty file would otherwise take the next append where the header belongs.
    if (records.isEmpty()) {
        m_conversionPending = !rewrite({ m_header });
        return;
    }
    const QChar separator = CSVCodec::separatorOf(records.first());
    std::optional<QStringList> output;
    if (const auto map = CsvColumnMap::of(CSVCodec::parseLine(records.first(), separator), m_columnNames)) {
        output = normalised(records, separator, *map, !decoded->utf8 || separator != u',');
    } else {
        output = migrated(records, separator);
        if (!output) {
            moveAside(today);
            return;
        }
    }
    if (output)
        m_conversionPending = !backUp(*bytes, today) || !rewrite(*output);
}

bool CsvLogFile::isDataRow(const QStringList &fields) const
{
    // Rows of the current layout, with or without the session title, hold the start and the end
    // at 1 and 2; no header ever held a timestamp.
    return fields.size() >= m_columnNames.size() - 1
        && (CsvDate::parseTimestamp(fields[1]) || CsvDate::parseTimestamp(fields[2]));
}

std::optional<QStringList> CsvLogFile::migrated(const QStringList &records, QChar separator) const
{
    QStringList output { m_header };
    output.reserve(records.size() + 1);
    // A file that begins with a row instead of a header (a hand-edited log) keeps that row.
    const qsizetype firstRow = isDataRow(CSVCodec::parseLine(records.first(), separator)) ? 0 : 1;
    qint64 number = 0;
    for (qsizetype i = firstRow; i < records.size(); ++i, ++number) {
        if (const std::optional<QStringList> row
            = m_convertLegacyRow(CSVCodec::parseLine(records[i], separator), number))
            output.append(CSVCodec::line(*row));
    }
    // Rows of which not one could be read are not a log of ours, whatever their first line says.
    if (output.size() == 1 && records.size() > firstRow)
        return std::nullopt;
    return output;
}

std::optional<QStringList> CsvLogFile::normalised(
    const QStringList &records, QChar separator, const CsvColumnMap &map, bool convert) const
{
    QStringList output;
    output.reserve(records.size());
    output.append(
        convert ? CSVCodec::line(CSVCodec::parseLine(records.first(), separator)) : records.first());
    bool changed = convert;
    QSet<QString> eventIDs;
    const qsizetype idPosition = map.position(0);
    for (qsizetype i = 1; i < records.size(); ++i) {
        QStringList fields = CSVCodec::parseLine(records[i], separator);
        // A row copied to log a second moment keeps its text but not the id of the row it came from,
        // so that an edit of one never lands on the other. Rows too short to be read keep their text.
        bool renamed = false;
        if (fields.size() >= map.neededFields()) {
            if (eventIDs.contains(fields[idPosition])) {
                fields[idPosition] = Uuid::newEventID();
                renamed = true;
            }
            eventIDs.insert(fields[idPosition]);
        }
        changed = changed || renamed;
        output.append(convert || renamed ? CSVCodec::line(fields) : records[i]);
    }
    if (!changed)
        return std::nullopt;
    return output;
}

Status CsvLogFile::backUp(const QByteArray &bytes, QDate today) const
{
    // One a day: the first version of the day is the one a rewrite could not give back.
    const QString path = datedName(m_filePath, QStringLiteral("backup"), today, 1);
    if (QFile::exists(path))
        return Status::success();
    if (!WholeFileWrite::replace(path, bytes))
        return writeError();
    return Status::success();
}

void CsvLogFile::moveAside(QDate today) const
{
    QString path;
    for (int copy = 1; path.isEmpty() || QFile::exists(path); ++copy)
        path = datedName(m_filePath, QStringLiteral("unreadable"), today, copy);
    if (!QFile::rename(m_filePath, path))
        return;
    m_movedAside = MovedAside { QFileInfo(m_filePath).fileName(), QFileInfo(path).fileName() };
    static_cast<void>(rewrite({ m_header }));
}

Result<QByteArray> CsvLogFile::readBytes() const
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return openError();
    // Up to the size it has, so that a device standing in for a file (a test's /dev/full) ends too.
    QByteArray bytes = file.read(file.size());
    if (file.error() != QFileDevice::NoError)
        return readError();
    return bytes;
}

Result<QString> CsvLogFile::readText() const
{
    const Result<QByteArray> bytes = readBytes();
    if (!bytes)
        return Error { bytes.error() };
    std::optional<DecodedText> decoded = decode(*bytes);
    if (!decoded)
        return readError();
    return std::move(decoded->text);
}

qsizetype CsvLogFile::unreadableRowCount(qsizetype columnCount) const
{
    const Result<QString> text = readText();
    if (!text)
        return 0;
    CSVCodec::RowReader reader(*text);
    const std::optional<std::span<const QStringView>> header = reader.next();
    if (!header)
        return 0;
    const CsvColumnMap map = columnMapOf(*header);
    std::vector<QStringView> columns(m_columnNames.size());
    const auto readable = [&](std::span<const QStringView> fields) {
        return LogRowTimes::of(map.columnsOf(fields, columns), columnCount).has_value();
    };
    qsizetype count = 0;
    while (const std::optional<std::span<const QStringView>> fields = reader.next()) {
        if (readable(*fields))
            continue;
        ++count;
        for (const QStringView field : *fields) {
            const QList<QStringView> lines = field.split(u'\n');
            for (qsizetype line = 1; line < lines.size(); ++line) {
                const QStringList swallowed = CSVCodec::parseLine(lines[line]);
                count += readable(std::vector<QStringView>(swallowed.cbegin(), swallowed.cend())) ? 1 : 0;
            }
        }
    }
    return count;
}

CsvColumnMap CsvLogFile::columnMapOf(std::span<const QStringView> header) const
{
    QStringList names;
    names.reserve(qsizetype(header.size()));
    for (const QStringView name : header)
        names.append(name.toString());
    // A header that names no columns is one of an older layout, read by position until converted.
    return CsvColumnMap::of(names, m_columnNames).value_or(CsvColumnMap::identity(m_columnNames.size()));
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

Result<QStringList> CsvLogFile::ownDialectHeader() const
{
    const Result<QByteArray> bytes = readBytes();
    if (!bytes)
        return Error { bytes.error() };
    const std::optional<DecodedText> decoded = decode(*bytes);
    if (!decoded || !decoded->utf8)
        return readError();
    CSVCodec::RecordCursor cursor(decoded->text);
    const QString header = cursor.next().value_or(QStringView()).toString();
    if (CSVCodec::separatorOf(header) != u',')
        return readError();
    return CSVCodec::parseLine(header);
}

Result<QStringList> CsvLogFile::convertedHeader(QDate today) const
{
    // Another program may have saved the file since start-up, or its conversion then could not be
    // written (a full disk): a row of the current layout never goes below a header of an older one.
    Result<QStringList> header = ownDialectHeader();
    if ((!header || m_conversionPending) && QFile::exists(m_filePath)) {
        prepare(today);
        if (m_conversionPending)
            return writeError();
        header = ownDialectHeader();
    }
    return header;
}

Status CsvLogFile::append(const QStringList &columns, QDate today) const
{
    // Rows of our encoding and dialect never go into a file that another program saved in its own.
    const Result<QStringList> header = convertedHeader(today);
    if (!header)
        return Error { header.error() };
    QFile file(m_filePath);
    // Qt's append mode creates a missing file unless told not to; a deleted log stays deleted.
    // Unbuffered, so that a full disk shows in the result of write() instead of at a later flush.
    if (!file.open(
            QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return openError();
    const QStringList fields = CsvColumnMap::of(*header, m_columnNames)
                                   .value_or(CsvColumnMap::identity(m_columnNames.size()))
                                   .newRow(columns, header->size());
    QByteArray bytes = repairBeforeAppend(file);
    bytes += CSVCodec::line(fields).toUtf8();
    bytes += '\n';
    // What a full disk let through is taken back: a fragment would join the next row. The row counts
    // as written only once it is on the disk.
    const qint64 lengthBefore = file.size();
    if (file.write(bytes) != bytes.size() || ::fdatasync(file.handle()) != 0) {
        static_cast<void>(file.resize(lengthBefore));
        return writeError();
    }
    return Status::success();
}

Status CsvLogFile::rewriteRows(const std::function<bool(QStringList &columns)> &edit, QDate today) const
{
    if (const Result<QStringList> header = convertedHeader(today); !header)
        return Error { header.error() };
    // The row to edit went with a file that had to be moved aside.
    if (m_movedAside)
        return readError();
    const Result<QByteArray> bytes = readBytes();
    if (!bytes)
        return Error { bytes.error() };
    const std::optional<DecodedText> decoded = decode(*bytes);
    if (!decoded)
        return readError();
    const QStringList records = CSVCodec::records(decoded->text);
    if (records.isEmpty())
        return Status::success();
    const CsvColumnMap map = CsvColumnMap::of(CSVCodec::parseLine(records.first()), m_columnNames)
                                 .value_or(CsvColumnMap::identity(m_columnNames.size()));
    QStringList output { records.first() };
    output.reserve(records.size());
    qsizetype changedRows = 0;
    for (qsizetype i = 1; i < records.size(); ++i) {
        QStringList fields = CSVCodec::parseLine(records[i]);
        if (fields.size() >= map.neededFields()) {
            const QStringList before = map.columnsOf(fields);
            QStringList columns = before;
            if (edit(columns) && columns != before) {
                map.place(columns, fields);
                output.append(CSVCodec::line(fields));
                ++changedRows;
                continue;
            }
        }
        output.append(records[i]);
    }
    // The edit of one row of a file in the program's own form changes nothing else. Any other rewrite
    // changes more than the user asked for (line ends, a byte order mark, other rows' figures), so the
    // bytes are kept first.
    if (changedRows > 1 || *bytes != ownBytesOf(records)) {
        if (Status backedUp = backUp(*bytes, today); !backedUp)
            return backedUp;
    }
    return rewrite(output);
}

Status CsvLogFile::rewrite(const QStringList &records) const
{
    if (!WholeFileWrite::replace(m_filePath, ownBytesOf(records)))
        return writeError();
    return Status::success();
}
