#pragma once

#include <QAccessible>

class FigureTable;

// What a screen reader reads of a figure table: a table whose children are its column headers, then its
// cells row by row, each cell with its column's header and its row's first cell as its row header. Qt
// Quick 6.4 has no table for an item that is not a list view.
QAccessibleInterface *figureTableAccessible(FigureTable *table);
