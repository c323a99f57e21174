#pragma once

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QWindow>

// Places the windows the views open, on the screen where the main window is, and the tooltips' bubble.
class ViewPlacement : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Where `sheet`, of `size`, opens over `parent` (see SheetPlacement::position).
    Q_INVOKABLE QPoint sheetPosition(QWindow *sheet, QWindow *parent, const QSize &size) const;
    // The size `sheet`, wanting `size`, opens at over `parent` (see SheetPlacement::size).
    Q_INVOKABLE QSize sheetSize(QWindow *sheet, QWindow *parent, const QSize &size) const;
    // Where an instant tooltip's bubble of `height` opens for a control framed by `anchor`, by its
    // placement's name (see InstantTooltipBubble::position); an unknown name opens it trailing.
    Q_INVOKABLE QPointF tooltipPosition(const QRectF &anchor, const QString &placement, double height) const;
};
