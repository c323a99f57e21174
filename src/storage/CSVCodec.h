#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <span>
#include <vector>

// The text dialect of the two logs: comma-separated fields, LF- or CRLF-ended records, a field quoted
// only when it holds a comma, a quote, a line feed or a carriage return, inner quotes doubled.
// Decoding never fails: malformed text is cut by the same rules.
namespace CSVCodec {

// The records of a whole file, in order, none of them empty. A carriage return outside quotes is
// dropped, so CRLF ends a record like LF and a lone CR joins the text on both sides.
QStringList records(QStringView text);

// The decoded fields of one record: at least one, as many as its commas outside quotes plus one.
QStringList parseLine(QStringView record);

// The same cut with another separator, as spreadsheets write with ";" or a tab.
QStringList parseLine(QStringView record, QChar separator);

// The separator of a file, told from its header line: whichever of comma, semicolon and tab occurs
// most often outside quotes; a comma when none does.
QChar separatorOf(QStringView headerRecord);

// One record without its line terminator.
QString line(const QStringList &fields);

// Walks the records of a text as records() cuts them, without copying them.
class RecordCursor
{
public:
    explicit RecordCursor(QStringView text);

    // The next non-empty record, or nothing at the end. The view is valid until the next call.
    std::optional<QStringView> next();

    // Where the text after the last record returned begins.
    qsizetype position() const { return m_position; }

private:
    QStringView m_text;
    qsizetype m_position = 0;
    // Holds a record whose lone carriage returns had to be cut out.
    QString m_joined;
};

// Walks the records of a text and cuts each into fields in the same pass, as parseLine() of each of
// records() would, for readers of large files. Plain fields are views into the text; nothing is
// copied per row.
class RowReader
{
public:
    explicit RowReader(QStringView text);

    // The fields of the next non-empty record, or nothing at the end. The views are valid until the
    // next call.
    std::optional<std::span<const QStringView>> next();

private:
    std::optional<std::span<const QStringView>> nextJoinedRecord(qsizetype start);
    QChar *decodedSpace(qsizetype used, qsizetype needed);

    QStringView m_text;
    qsizetype m_position = 0;
    std::vector<QStringView> m_fields;
    // Fields that held quotes, decoded.
    QString m_decoded;
    QString m_joinedRecord;
};

// Hands out one shared string while a column repeats the text of the row before, so that the titles
// and activities that recur through a long log are stored once.
class RepeatedText
{
public:
    const QString &operator()(QStringView field)
    {
        if (field != m_last)
            m_last = field.toString();
        return m_last;
    }

private:
    QString m_last;
};

} // namespace CSVCodec
