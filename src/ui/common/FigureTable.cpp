#include "ui/common/FigureTable.h"

#include <QAccessible>
#include <algorithm>

FigureTable::FigureTable(QQuickItem *parent)
    : QQuickItem(parent)
{
    setActiveFocusOnTab(true);
}

void FigureTable::setColumns(const QStringList &columns)
{
    if (columns == m_columns)
        return;
    m_columns = columns;
    emit contentChanged();
}

void FigureTable::setCells(const QStringList &cells)
{
    if (cells == m_cells)
        return;
    m_cells = cells;
    emit contentChanged();
}

QString FigureTable::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return m_cells[row * columnCount() + column];
}

void FigureTable::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        moveTo(m_currentRow - 1, m_currentColumn);
        break;
    case Qt::Key_Down:
        moveTo(m_currentRow + 1, m_currentColumn);
        break;
    case Qt::Key_Left:
        moveTo(m_currentRow, m_currentColumn - 1);
        break;
    case Qt::Key_Right:
        moveTo(m_currentRow, m_currentColumn + 1);
        break;
    case Qt::Key_Home:
        moveTo(0, m_currentColumn);
        break;
    case Qt::Key_End:
        moveTo(rowCount() - 1, m_currentColumn);
        break;
    default:
        event->ignore();
    }
}

// A screen reader hears of the cell that holds the keys rather than of the table around it: it names the
// table as it enters it.
void FigureTable::focusInEvent(QFocusEvent *)
{
    moveTo(m_currentRow, m_currentColumn);
}

void FigureTable::moveTo(int row, int column)
{
    // The content may have shrunk since the cell was current; at an edge the cell stays, and is told again.
    m_currentRow = std::clamp(row, 0, std::max(0, rowCount() - 1));
    m_currentColumn = std::clamp(column, 0, std::max(0, columnCount() - 1));
    tellCurrentCell();
}

void FigureTable::tellCurrentCell()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(this);
    QAccessibleInterface *cell = table && table->tableInterface()
        ? table->tableInterface()->cellAt(m_currentRow, m_currentColumn)
        : nullptr;
    if (cell == nullptr)
        return;
    QAccessibleEvent event(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}
