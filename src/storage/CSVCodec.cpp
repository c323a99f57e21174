#include "storage/CSVCodec.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace CSVCodec {

namespace {

bool needsQuotes(const QString &field)
{
    return std::any_of(field.cbegin(), field.cend(),
        [](QChar c) { return c == u',' || c == u'"' || c == u'\n' || c == u'\r'; });
}

// Every character that means something to the dialect sorts at or below the comma, so runs of
// ordinary text are skipped with one comparison per character.
constexpr char16_t highestSpecial = u',';
static_assert(u'"' < highestSpecial && u'\n' < highestSpecial && u'\r' < highestSpecial);

qsizetype skipOrdinary(const QChar *data, qsizetype i, qsizetype size)
{
    while (i < size && data[i].unicode() > highestSpecial)
        ++i;
    return i;
}

qsizetype skipToQuote(const QChar *data, qsizetype i, qsizetype size)
{
    while (i < size && data[i] != u'"')
        ++i;
    return i;
}

// parseLine() into views: plain fields point into the record, fields with quotes into `buffer`,
// which is overwritten.
void parseLineInto(QStringView record, std::vector<QStringView> &fields, QString &buffer)
{
    fields.clear();
    // Decoding only ever shortens a field, so the buffer never grows while views point into it.
    if (buffer.size() < record.size())
        buffer.resize(record.size());
    QChar *const out = buffer.data();
    const QChar *const in = record.data();
    const qsizetype size = record.size();

    qsizetype written = 0;
    qsizetype fieldStart = 0;
    // Where the current field's decoded text begins in the buffer, once it has met a quote.
    qsizetype decodedStart = -1;
    bool inQuotes = false;
    qsizetype i = 0;
    while (true) {
        const qsizetype runStart = i;
        i = inQuotes ? skipToQuote(in, i, size) : skipOrdinary(in, i, size);
        if (decodedStart >= 0) {
            std::copy(in + runStart, in + i, out + written);
            written += i - runStart;
        }
        if (i == size)
            break;
        const QChar c = in[i];
        if (c == u'"') {
            if (decodedStart < 0) {
                decodedStart = written;
                std::copy(in + fieldStart, in + i, out + written);
                written += i - fieldStart;
            }
            if (inQuotes && i + 1 < size && in[i + 1] == u'"') {
                out[written++] = c;
                i += 2;
                continue;
            }
            inQuotes = !inQuotes;
        } else if (c == u',') {
            // Inside quotes only a quote ends a run, so this comma is outside.
            fields.push_back(decodedStart < 0 ? record.sliced(fieldStart, i - fieldStart)
                                              : QStringView(out + decodedStart, written - decodedStart));
            fieldStart = i + 1;
            decodedStart = -1;
        } else if (decodedStart >= 0) {
            out[written++] = c;
        }
        ++i;
    }
    fields.push_back(decodedStart < 0 ? record.sliced(fieldStart, size - fieldStart)
                                      : QStringView(out + decodedStart, written - decodedStart));
}

} // namespace

RecordCursor::RecordCursor(QStringView text)
    : m_text(text)
{ }

std::optional<QStringView> RecordCursor::next()
{
    const QChar *const data = m_text.data();
    const qsizetype size = m_text.size();
    while (m_position < size) {
        const qsizetype start = m_position;
        qsizetype segmentStart = start;
        qsizetype end = size;
        qsizetype resume = size;
        bool joined = false;
        bool inQuotes = false;
        qsizetype i = start;
        while (true) {
            i = inQuotes ? skipToQuote(data, i, size) : skipOrdinary(data, i, size);
            if (i == size)
                break;
            const QChar c = data[i];
            // A doubled quote inside quotes flips twice, which is the same as staying in quotes.
            if (c == u'"') {
                inQuotes = !inQuotes;
            } else if (c == u'\n') {
                end = i;
                resume = i + 1;
                break;
            } else if (c == u'\r') {
                if (i + 1 < size && data[i + 1] == u'\n') {
                    end = i;
                    resume = i + 2;
                    break;
                }
                if (!joined)
                    m_joined.resize(0);
                m_joined.append(data + segmentStart, i - segmentStart);
                segmentStart = i + 1;
                joined = true;
            }
            ++i;
        }
        m_position = resume;
        QStringView record;
        if (joined) {
            m_joined.append(data + segmentStart, end - segmentStart);
            record = m_joined;
        } else {
            record = m_text.sliced(start, end - start);
        }
        if (!record.isEmpty())
            return record;
    }
    return std::nullopt;
}

RowReader::RowReader(QStringView text)
    : m_text(text)
{ }

QChar *RowReader::decodedSpace(qsizetype used, qsizetype needed)
{
    if (used + needed > m_decoded.size()) {
        // Growing moves the buffer: fields of this record that were decoded into it move along.
        const QChar *const oldStart = m_decoded.constData();
        const QChar *const oldEnd = oldStart + m_decoded.size();
        m_decoded.resize(std::max(used + needed, 2 * m_decoded.size()));
        const QChar *const newStart = m_decoded.constData();
        for (QStringView &field : m_fields) {
            if (std::less_equal<>()(oldStart, field.data()) && std::less_equal<>()(field.data(), oldEnd))
                field = QStringView(newStart + (field.data() - oldStart), field.size());
        }
    }
    return m_decoded.data() + used;
}

std::optional<std::span<const QStringView>> RowReader::nextJoinedRecord(qsizetype start)
{
    // Rare enough to take the two-step way: cut the record, then its fields.
    RecordCursor cursor(m_text.sliced(start));
    const std::optional<QStringView> record = cursor.next();
    m_position = start + cursor.position();
    if (!record)
        return std::nullopt;
    m_joinedRecord = record->toString();
    parseLineInto(m_joinedRecord, m_fields, m_decoded);
    return m_fields;
}

std::optional<std::span<const QStringView>> RowReader::next()
{
    const QChar *const in = m_text.data();
    const qsizetype size = m_text.size();
    while (m_position < size) {
        const qsizetype start = m_position;
        m_fields.clear();
        qsizetype written = 0;
        qsizetype fieldStart = start;
        // Where the current field's decoded text begins in the buffer, once it has met a quote.
        qsizetype decodedStart = -1;
        bool inQuotes = false;
        qsizetype i = start;
        qsizetype end = size;
        const auto decodeRun = [&](qsizetype from, qsizetype to) {
            std::copy(in + from, in + to, decodedSpace(written, to - from));
            written += to - from;
        };
        const auto finishField = [&](qsizetype fieldEnd) {
            m_fields.push_back(decodedStart < 0
                    ? m_text.sliced(fieldStart, fieldEnd - fieldStart)
                    : QStringView(m_decoded.constData() + decodedStart, written - decodedStart));
        };
        m_position = size;
        while (true) {
            const qsizetype runStart = i;
            i = inQuotes ? skipToQuote(in, i, size) : skipOrdinary(in, i, size);
            if (decodedStart >= 0)
                decodeRun(runStart, i);
            if (i == size)
                break;
            const QChar c = in[i];
            if (c == u'"') {
                if (decodedStart < 0) {
                    decodedStart = written;
                    decodeRun(fieldStart, i);
                }
                if (inQuotes && i + 1 < size && in[i + 1] == u'"') {
                    decodeRun(i, i + 1);
                    i += 2;
                    continue;
                }
                inQuotes = !inQuotes;
            } else if (c == u',') {
                // Inside quotes only a quote ends a run, so this comma is outside.
                finishField(i);
                fieldStart = i + 1;
                decodedStart = -1;
            } else if (c == u'\n') {
                end = i;
                m_position = i + 1;
                break;
            } else if (c == u'\r') {
                if (i + 1 >= size || in[i + 1] != u'\n')
                    return nextJoinedRecord(start);
                end = i;
                m_position = i + 2;
                break;
            } else if (decodedStart >= 0) {
                decodeRun(i, i + 1);
            }
            ++i;
        }
        if (end == start)
            continue;
        finishField(end);
        return m_fields;
    }
    return std::nullopt;
}

QStringList records(QStringView text)
{
    QStringList result;
    RecordCursor cursor(text);
    while (const auto record = cursor.next())
        result.append(record->toString());
    return result;
}

QStringList parseLine(QStringView record)
{
    std::vector<QStringView> views;
    QString buffer;
    parseLineInto(record, views, buffer);
    QStringList result;
    result.reserve(views.size());
    for (const QStringView view : views)
        result.append(view.toString());
    return result;
}

QStringList parseLine(QStringView record, QChar separator)
{
    if (separator == u',')
        return parseLine(record);
    QStringList result;
    QString field;
    bool inQuotes = false;
    for (qsizetype i = 0; i < record.size(); ++i) {
        const QChar c = record[i];
        if (c == u'"') {
            if (inQuotes && i + 1 < record.size() && record[i + 1] == u'"') {
                field.append(c);
                ++i;
            } else {
                inQuotes = !inQuotes;
            }
        } else if (c == separator && !inQuotes) {
            result.append(std::exchange(field, QString()));
        } else {
            field.append(c);
        }
    }
    result.append(field);
    return result;
}

QChar separatorOf(QStringView headerRecord)
{
    qsizetype commas = 0;
    qsizetype semicolons = 0;
    qsizetype tabs = 0;
    bool inQuotes = false;
    for (const QChar c : headerRecord) {
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (!inQuotes && c == u',')
            ++commas;
        else if (!inQuotes && c == u';')
            ++semicolons;
        else if (!inQuotes && c == u'\t')
            ++tabs;
    }
    if (semicolons > commas && semicolons >= tabs)
        return u';';
    if (tabs > commas && tabs > semicolons)
        return u'\t';
    return u',';
}

QString line(const QStringList &fields)
{
    QString result;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            result.append(u',');
        const QString &field = fields[i];
        if (needsQuotes(field)) {
            result.append(u'"');
            for (const QChar c : field) {
                if (c == u'"')
                    result.append(u'"');
                result.append(c);
            }
            result.append(u'"');
        } else {
            result.append(field);
        }
    }
    return result;
}

} // namespace CSVCodec
