#pragma once

#include <QString>

// Asks the user, before the program ends, whether to end it although something would be lost.
class QuitQuestion
{
public:
    virtual ~QuitQuestion() = default;

    // True when the user chose to quit; `keepRunning` is the default answer, and closing the question
    // gives it too.
    virtual bool confirm(
        const QString &title, const QString &message, const QString &keepRunning, const QString &quit)
        = 0;
};
