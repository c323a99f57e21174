#include "platform/MessageBoxQuitQuestion.h"

#include <QMessageBox>
#include <QPushButton>

bool MessageBoxQuitQuestion::confirm(
    const QString &title, const QString &message, const QString &keepRunning, const QString &quit)
{
    QMessageBox box(QMessageBox::Warning, title, message);
    QPushButton *keep = box.addButton(keepRunning, QMessageBox::RejectRole);
    QPushButton *leave = box.addButton(quit, QMessageBox::DestructiveRole);
    box.setDefaultButton(keep);
    box.setEscapeButton(keep);
    box.exec();
    return box.clickedButton() == leave;
}
