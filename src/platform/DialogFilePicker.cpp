#include "platform/DialogFilePicker.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QWindow>

namespace {

// The window the dialog belongs to: the newest modal window (a sheet), else the focused one. Without an
// owner the window manager may stack the dialog behind a sheet that is kept above its main window.
QWindow *ownerWindow()
{
    if (QWindow *modal = QGuiApplication::modalWindow())
        return modal;
    return QGuiApplication::focusWindow();
}

} // namespace

QStringList DialogFilePicker::pickFiles(const QString &title, const QStringList &nameFilters)
{
    // A filter without a label lists its patterns; one filter keeps every accepted kind in view at once.
    QFileDialog dialog(nullptr, title, QString(), nameFilters.join(u' '));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (QWindow *owner = ownerWindow()) {
        // The dialog's own window must exist before it can be given a transient parent; a desktop
        // dialog shown in its place takes the same parent from it.
        dialog.winId();
        dialog.windowHandle()->setTransientParent(owner);
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}
