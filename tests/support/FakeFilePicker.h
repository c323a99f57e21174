#pragma once

#include "core/FilePicker.h"

#include <functional>

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
        if (whileOpen)
            whileOpen();
        return selection;
    }

    QStringList selection;
    // Runs while the dialog would be open, as inside a real dialog's own event loop.
    std::function<void()> whileOpen;
    int shown = 0;
    QString lastTitle;
    QList<FileTypeFilter> lastFilters;
    QStandardPaths::StandardLocation lastStartFolder = QStandardPaths::HomeLocation;
};
