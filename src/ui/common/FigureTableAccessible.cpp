#include "ui/common/FigureTableAccessible.h"

#include "ui/common/FigureTable.h"

#include <QMap>
#include <QPointer>
#include <QtQuick/private/qaccessiblequickitem_p.h>
#include <algorithm>

namespace {

// A cell, or at row -1 a column's header. It reads the table afresh at every question, so that it stays
// true as the figures change; a cell the table no longer has is invalid.
class FigureCell final : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    FigureCell(FigureTable *table, int row, int column)
        : m_table(table)
        , m_row(row)
        , m_column(column)
    { }

    bool isValid() const override
    {
        return m_table && m_row < m_table->rowCount() && m_column < m_table->columnCount();
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_table ? m_table->window() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_table); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override
    {
        return m_row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (!isValid() || (kind != QAccessible::Name && kind != QAccessible::Value))
            return {};
        return m_row < 0 ? m_table->columns().at(m_column) : m_table->cell(m_row, m_column);
    }
    void setText(QAccessible::Text, const QString &) override { }

    // A band of the table's area: the headers on top, then a band for each row.
    QRect rect() const override
    {
        const QAccessibleInterface *table = parent();
        if (!isValid() || table == nullptr)
            return {};
        const QRect area = table->rect();
        const int bands = m_table->rowCount() + 1;
        const int left = area.left() + area.width() * m_column / m_table->columnCount();
        const int top = area.top() + area.height() * (m_row + 1) / bands;
        return { QPoint(left, top),
            QPoint(area.left() + area.width() * (m_column + 1) / m_table->columnCount() - 1,
                area.top() + area.height() * (m_row + 2) / bands - 1) };
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (const QAccessibleInterface *table = parent(); table != nullptr && isValid()) {
            state.invisible = table->state().invisible;
            state.offscreen = table->state().offscreen;
        }
        state.focusable = m_row >= 0;
        state.focused = state.focusable && m_table && m_table->hasActiveFocus()
            && m_row == m_table->currentRow() && m_column == m_table->currentColumn();
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface && m_row >= 0
            ? static_cast<QAccessibleTableCellInterface *>(this)
            : nullptr;
    }

    bool isSelected() const override { return false; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    QAccessibleInterface *table() const override { return parent(); }
    // The table's first children are its column headers.
    QList<QAccessibleInterface *> columnHeaderCells() const override
    {
        return listed(parent() ? parent()->child(m_column) : nullptr);
    }
    QList<QAccessibleInterface *> rowHeaderCells() const override
    {
        const QAccessibleTableInterface *table = parent() ? parent()->tableInterface() : nullptr;
        return listed(table ? table->cellAt(m_row, 0) : nullptr);
    }

    int row() const { return m_row; }
    int column() const { return m_column; }

private:
    static QList<QAccessibleInterface *> listed(QAccessibleInterface *header)
    {
        return header ? QList<QAccessibleInterface *> { header } : QList<QAccessibleInterface *> {};
    }

    QPointer<FigureTable> m_table;
    int m_row;
    int m_column;
};

class FigureTableAccessible final : public QAccessibleQuickItem, public QAccessibleTableInterface
{
public:
    explicit FigureTableAccessible(FigureTable *table)
        : QAccessibleQuickItem(table)
        , m_table(table)
    { }

    // The cells go with the table; a cell asked for again is the same interface.
    ~FigureTableAccessible() override
    {
        for (const QAccessible::Id id : std::as_const(m_ids))
            QAccessible::deleteAccessibleInterface(id);
    }

    QAccessible::Role role() const override { return QAccessible::Table; }

    // The focus is on a cell, never on the table.
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleQuickItem::state();
        state.focused = false;
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleQuickItem::interface_cast(type);
    }

    int childCount() const override { return columnCount() * (rowCount() + 1); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        return cell(index / columnCount() - 1, index % columnCount());
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto *figure = dynamic_cast<const FigureCell *>(child);
        if (figure == nullptr || !figure->isValid() || child->parent() != this)
            return -1;
        return (figure->row() + 1) * columnCount() + figure->column();
    }

    int columnCount() const override { return m_table->columnCount(); }
    int rowCount() const override { return m_table->rowCount(); }
    // Qt 6.4 asks some questions of a row or column a screen reader gave without checking it, and uses the
    // cell it gets: a row or column out of range reads as the nearest there is. An empty table is not
    // shown.
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (rowCount() == 0 || columnCount() == 0)
            return nullptr;
        return cell(std::clamp(row, 0, rowCount() - 1), std::clamp(column, 0, columnCount() - 1));
    }
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QString columnDescription(int column) const override
    {
        return column >= 0 && column < columnCount() ? m_table->columns().at(column) : QString();
    }
    QString rowDescription(int row) const override { return m_table->cell(row, 0); }
    int selectedCellCount() const override { return 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override { }

private:
    QAccessibleInterface *cell(int row, int column) const
    {
        const auto key = std::pair(row, column);
        if (const auto found = m_ids.constFind(key); found != m_ids.cend())
            return QAccessible::accessibleInterface(*found);
        auto *cell = new FigureCell(m_table, row, column);
        m_ids.insert(key, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }

    FigureTable *m_table;
    mutable QMap<std::pair<int, int>, QAccessible::Id> m_ids;
};

} // namespace

QAccessibleInterface *figureTableAccessible(FigureTable *table)
{
    return new FigureTableAccessible(table);
}
