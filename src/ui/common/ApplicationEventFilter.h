#pragma once

#include <QCoreApplication>

// Makes the one filter of its type and installs it on the application, where it sees the events of every
// window; later calls find it there. The filter lives as long as the application.
template<typename Filter> void installApplicationEventFilter()
{
    static Filter *filter = nullptr;
    if (filter)
        return;
    filter = new Filter(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}
