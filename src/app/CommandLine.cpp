#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>

namespace {

constexpr int usageError = 2;

CommandLine finish(int status, const QString &output)
{
    CommandLine commandLine;
    commandLine.exits = true;
    commandLine.exitStatus = status;
    commandLine.output = output;
    return commandLine;
}

} // namespace

QStringList CommandLine::arguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

CommandLine CommandLine::parse(const QStringList &arguments, const QByteArray &activationToken)
{
    const QString program
        = arguments.isEmpty() ? QStringLiteral("quorvane") : QFileInfo(arguments[0]).fileName();
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A focus timer that counts rounds from keyboard and "
                                                    "mouse activity and locks the keyboard for breaks."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption hidden(QStringLiteral("hidden"),
        QStringLiteral("Start in the tray, without the window, when the desktop has a tray."));
    const QCommandLineOption statistics(
        QStringLiteral("show-statistics"), QStringLiteral("Show the daily statistics."));
    const QCommandLineOption journal(QStringLiteral("open-journal"), QStringLiteral("Open the journal."));
    parser.addOptions({ hidden, statistics, journal });

    if (!parser.parse(arguments))
        return finish(usageError,
            program + QStringLiteral(": ") + parser.errorText() + QStringLiteral(" Try --help.\n"));
    if (!parser.positionalArguments().isEmpty()) {
        return finish(usageError,
            program + QStringLiteral(": unexpected argument '") + parser.positionalArguments().constFirst()
                + QStringLiteral("'. Try --help.\n"));
    }
    if (parser.isSet(help))
        // Parsed before the application exists, Qt cannot name the program itself.
        return finish(0, parser.helpText().replace(QStringLiteral("<executable_name>"), program));
    if (parser.isSet(version))
        return finish(0, program + QStringLiteral(" " QUORVANE_VERSION "\n"));

    CommandLine commandLine;
    commandLine.request.activationToken = activationToken;
    if (parser.isSet(statistics))
        commandLine.request.view = LaunchRequest::View::statistics;
    else if (parser.isSet(journal))
        commandLine.request.view = LaunchRequest::View::journal;
    else if (parser.isSet(hidden))
        commandLine.request.view = LaunchRequest::View::none;
    return commandLine;
}

int CommandLine::report() const
{
    std::fputs(output.toLocal8Bit().constData(), exitStatus == 0 ? stdout : stderr);
    return exitStatus;
}
