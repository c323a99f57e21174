#pragma once

#include "core/FilePicker.h"

// The widget toolkit's open-file dialog (the desktop's own dialog where the platform theme offers one),
// modal and kept above the window it was asked from: the newest modal window, such as the settings
// sheet, else the focused window.
class DialogFilePicker : public FilePicker
{
public:
    QStringList pickFiles(const QString &title, const QList<FileTypeFilter> &filters,
        QStandardPaths::StandardLocation startFolder) override;
};
