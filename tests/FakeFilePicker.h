#pragma once

#include "services/FilePicker.h"

// An open-file dialog that "chooses" what the test put in `selection`, and remembers how it was asked.
class FakeFilePicker : public FilePicker
{
public:
    QStringList pickFiles(const QString &title, const QList<FileTypeFilter> &filters,
        QStandardPaths::StandardLocation startFolder) override
    {
        ++shown;
        lastTitle = title;
        lastFilters = filters;
        lastStartFolder = startFolder;
        return selection;
    }

    QStringList selection;
    int shown = 0;
    QString lastTitle;
    QList<FileTypeFilter> lastFilters;
    QStandardPaths::StandardLocation lastStartFolder = QStandardPaths::HomeLocation;
};
