#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>

class QWindow;

// Places the windows the views open, on the screen where the main window is.
class ViewPlacement : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Where a sheet of `size` opens over `parent` (see SheetPlacement::position).
    Q_INVOKABLE QPoint sheetPosition(QWindow *parent, const QSize &size) const;
};
