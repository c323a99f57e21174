#include "app/SheetStack.h"

bool SheetStack::setOpen(const QString &sheet, bool open)
{
    const QString before = top();
    m_open.removeAll(sheet);
    if (open)
        m_open.append(sheet);
    return top() != before;
}
