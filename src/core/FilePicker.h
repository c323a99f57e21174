#pragma once

#include <QList>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// One named choice of an open-file dialog's type list, such as "图片" and the patterns "*.png", "*.jpg".
struct FileTypeFilter
{
    QString name;
    QStringList patterns;

    bool operator==(const FileTypeFilter &) const = default;
};

// The desktop's open-file dialog, behind a seam so that imports can be tested without one.
class FilePicker
{
public:
    virtual ~FilePicker() = default;
    // Shows a modal dialog that allows several files to be chosen, offering the filters in order (the
    // first one chosen) and opening in the user's `startFolder` (pictures, music or videos). Returns
    // the chosen paths in the dialog's order; empty when the user cancels.
    virtual QStringList pickFiles(const QString &title, const QList<FileTypeFilter> &filters,
        QStandardPaths::StandardLocation startFolder)
        = 0;
};
