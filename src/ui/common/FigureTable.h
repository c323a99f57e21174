#pragma once

#include <QQuickItem>
#include <QStringList>

// The figures a chart draws, as a table that a screen reader reads cell by cell with the headers of its
// column and row: laid over the chart, it draws nothing of its own. `cells` holds the rows one after
// another, `columns` cells each; the first cell of a row is its header. The arrow keys, Home and End move
// the current cell, which a screen reader is told of as the focus.
class FigureTable : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QStringList columns READ columns WRITE setColumns NOTIFY contentChanged FINAL)
    Q_PROPERTY(QStringList cells READ cells WRITE setCells NOTIFY contentChanged FINAL)
    Q_PROPERTY(int rowCount READ rowCount NOTIFY contentChanged FINAL)

public:
    explicit FigureTable(QQuickItem *parent = nullptr);

    const QStringList &columns() const { return m_columns; }
    void setColumns(const QStringList &columns);
    const QStringList &cells() const { return m_cells; }
    void setCells(const QStringList &cells);

    int columnCount() const { return int(m_columns.size()); }
    int rowCount() const { return m_columns.isEmpty() ? 0 : int(m_cells.size() / m_columns.size()); }
    QString cell(int row, int column) const;
    int currentRow() const { return m_currentRow; }
    int currentColumn() const { return m_currentColumn; }

signals:
    void contentChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void moveTo(int row, int column);
    void tellCurrentCell();

    QStringList m_columns;
    QStringList m_cells;
    int m_currentRow = 0;
    // The first figure after the row's header.
    int m_currentColumn = 1;
};
