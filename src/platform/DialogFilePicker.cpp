#include "platform/DialogFilePicker.h"

#include <QFileDialog>

QStringList DialogFilePicker::pickFiles(const QString &title, const QStringList &nameFilters)
{
    // A filter without a label lists its patterns; one filter keeps every accepted kind in view at once.
    return QFileDialog::getOpenFileNames(nullptr, title, QString(), nameFilters.join(u' '));
}
