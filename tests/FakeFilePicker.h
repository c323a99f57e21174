#pragma once

#include "services/FilePicker.h"

// An open-file dialog that "chooses" what the test put in `selection`, and remembers how it was asked.
class FakeFilePicker : public FilePicker
{
public:
    QStringList pickFiles(const QString &title, const QStringList &nameFilters) override
    {
        ++shown;
        lastTitle = title;
        lastNameFilters = nameFilters;
        return selection;
    }

    QStringList selection;
    int shown = 0;
    QString lastTitle;
    QStringList lastNameFilters;
};
