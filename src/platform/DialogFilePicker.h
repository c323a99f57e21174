#pragma once

#include "services/FilePicker.h"

// The widget toolkit's open-file dialog (the desktop's own dialog where the platform theme offers one).
class DialogFilePicker : public FilePicker
{
public:
    QStringList pickFiles(const QString &title, const QStringList &nameFilters) override;
};
