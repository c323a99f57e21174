#pragma once

#include <QString>
#include <QStringList>

// The sheets that are open, in the order they were opened. The one alert shows over the newest of
// them, so that it is never hidden behind a sheet, and falls back to the main window when none is open.
class SheetStack
{
public:
    // Records a sheet opening or closing; true when that changed the newest open sheet.
    bool setOpen(const QString &sheet, bool open);
    // The newest open sheet; empty when none is open.
    QString top() const { return m_open.isEmpty() ? QString() : m_open.constLast(); }

private:
    QStringList m_open;
};
