#pragma once

#include <QString>
#include <QStringList>

// The desktop's open-file dialog, behind a seam so that imports can be tested without one.
class FilePicker
{
public:
    virtual ~FilePicker() = default;
    // Shows a modal dialog that allows several files to be chosen, offering the files that match
    // the patterns (such as "*.png"). Returns the chosen paths in the dialog's order; empty when the
    // user cancels.
    virtual QStringList pickFiles(const QString &title, const QStringList &nameFilters) = 0;
};
