#pragma once

#include "app/LaunchRequest.h"

#include <QString>
#include <QStringList>

// The program's command line, read before anything else runs: --help and --version are answered without
// a display or the running copy, a mistake ends the start with a one-line error and status 2, Qt's own
// options (-platform, -style, ...) are left in place for QApplication, and what is left says what this
// start asks for.
struct CommandLine
{
    LaunchRequest request;
    // When the start ends here: the text for the terminal and the exit status.
    bool exits = false;
    int exitStatus = 0;
    QString output;

    // `arguments` begin with the program's own name.
    static CommandLine parse(const QStringList &arguments, const QByteArray &activationToken);
    static QStringList arguments(int argc, char *argv[]);

    // Prints the output, help and version to standard output, errors to standard error; returns the status.
    int report() const;
};
