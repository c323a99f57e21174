#include "storage/CsvColumnMap.h"

#include <algorithm>
#include <numeric>

CsvColumnMap::CsvColumnMap(std::vector<qsizetype> positions)
    : m_positions(std::move(positions))
{
    for (qsizetype column = 0; column < qsizetype(m_positions.size()); ++column) {
        m_neededFields = std::max(m_neededFields, m_positions[column] + 1);
        m_identity = m_identity && m_positions[column] == column;
    }
}

std::optional<CsvColumnMap> CsvColumnMap::of(const QStringList &header, const QStringList &names)
{
    std::vector<qsizetype> positions;
    positions.reserve(names.size());
    for (const QString &name : names) {
        const auto found = std::find_if(header.cbegin(), header.cend(), [&](const QString &field) {
            // A byte order mark that a tool left before the first name is not part of it.
            QStringView text(field);
            if (text.startsWith(QChar(0xFEFF)))
                text = text.sliced(1);
            return text.trimmed().compare(name, Qt::CaseInsensitive) == 0;
        });
        if (found == header.cend())
            return std::nullopt;
        positions.push_back(found - header.cbegin());
    }
    return CsvColumnMap(std::move(positions));
}

CsvColumnMap CsvColumnMap::identity(qsizetype columnCount)
{
    std::vector<qsizetype> positions(columnCount);
    std::iota(positions.begin(), positions.end(), 0);
    return CsvColumnMap(std::move(positions));
}

QStringList CsvColumnMap::columnsOf(const QStringList &fileFields) const
{
    QStringList columns;
    columns.reserve(qsizetype(m_positions.size()));
    for (const qsizetype position : m_positions)
        columns.append(fileFields[position]);
    return columns;
}

std::span<const QStringView> CsvColumnMap::columnsOf(
    std::span<const QStringView> fileFields, std::vector<QStringView> &columns) const
{
    if (m_identity)
        return fileFields;
    if (qsizetype(fileFields.size()) < m_neededFields)
        return fileFields.first(0);
    for (qsizetype column = 0; column < qsizetype(m_positions.size()); ++column)
        columns[column] = fileFields[m_positions[column]];
    return columns;
}

void CsvColumnMap::place(const QStringList &columns, QStringList &fileFields) const
{
    for (qsizetype column = 0; column < columns.size(); ++column)
        fileFields[m_positions[column]] = columns[column];
}

QStringList CsvColumnMap::newRow(const QStringList &columns, qsizetype fileWidth) const
{
    QStringList fileFields(std::max(fileWidth, m_neededFields));
    place(columns, fileFields);
    return fileFields;
}
