#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <span>
#include <vector>

// Where each column of a log lies in a file whose header names the columns in an order of its own, as
// spreadsheets leave it: columns moved, columns the user added, a leading unnamed index column.
class CsvColumnMap
{
public:
    // The map of a header that names every one of `names` (blanks around a name and its case aside);
    // nothing when one is missing.
    static std::optional<CsvColumnMap> of(const QStringList &header, const QStringList &names);
    // The program's own layout: column i at position i.
    static CsvColumnMap identity(qsizetype columnCount);

    bool isIdentity() const { return m_identity; }
    qsizetype position(qsizetype column) const { return m_positions[column]; }
    // How many fields a row needs to hold every column.
    qsizetype neededFields() const { return m_neededFields; }

    // The columns of a row of the file, in the log's order; the row must hold neededFields().
    QStringList columnsOf(const QStringList &fileFields) const;
    // The same as views, written into `columns` (which holds a place for each column) unless the map
    // is the identity; a row too short for every column gives none.
    std::span<const QStringView> columnsOf(
        std::span<const QStringView> fileFields, std::vector<QStringView> &columns) const;
    // Writes the columns back into their places in the row of the file.
    void place(const QStringList &columns, QStringList &fileFields) const;
    // A new row for the file: the columns in their places, the file's other columns left empty.
    QStringList newRow(const QStringList &columns, qsizetype fileWidth) const;

private:
    explicit CsvColumnMap(std::vector<qsizetype> positions);

    std::vector<qsizetype> m_positions;
    qsizetype m_neededFields = 0;
    bool m_identity = true;
};
