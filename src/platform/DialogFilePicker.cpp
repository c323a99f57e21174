#include "platform/DialogFilePicker.h"

#include "platform/FileDialogContext.h"

#include <QFileDialog>
#include <QWindow>

QStringList DialogFilePicker::pickFiles(
    const QString &title, const QList<FileTypeFilter> &filters, QStandardPaths::StandardLocation startFolder)
{
    QStringList nameFilters;
    for (const FileTypeFilter &filter : filters)
        nameFilters.append(QStringLiteral("%1 (%2)").arg(filter.name, filter.patterns.join(u' ')));
    QFileDialog dialog(nullptr, title, FileDialogContext::startDirectory(startFolder));
    dialog.setNameFilters(nameFilters);
    // The filter box shows the filter's name alone: the patterns of every readable format make a line
    // wider than the screen.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (QWindow *owner = FileDialogContext::ownerWindow()) {
        // The dialog's own window must exist before it can be given a transient parent; a desktop
        // dialog shown in its place takes the same parent from it.
        dialog.winId();
        dialog.windowHandle()->setTransientParent(owner);
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}
