#include "platform/QtSystemBeep.h"

#include <QApplication>

void QtSystemBeep::beep()
{
    QApplication::beep();
}
