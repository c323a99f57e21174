#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>

namespace {

constexpr int usageError = 2;

// The options QApplication takes from the same command line (its own, its QGuiApplication's and the X11
// platform's), with the texts Qt's own --help-all gives them. They are known here so that they are not taken
// for mistakes, and listed by --help-all; Qt reads them itself once the application is made.
struct QtOption
{
    const char *name;
    const char *valueName;
    const char *description;
};
constexpr QtOption qtOptions[] = {
    { "qmljsdebugger", "value",
        "Activates the QML/JS debugger with a specified port. The value must be of format port:1234[,block]. "
        "\"block\" makes the application wait for a connection." },
    { "platform", "platformName[:options]",
        "QPA plugin. See QGuiApplication documentation for available options for each plugin." },
    { "platformpluginpath", "path", "Path to the platform plugins." },
    { "platformtheme", "theme", "Platform theme." },
    { "plugin", "plugin", "Additional plugins to load, can be specified multiple times." },
    { "qwindowgeometry", "geometry",
        "Window geometry for the main window, using the X11-syntax, like "
        "100x100+50+50." },
    { "qwindowicon", "icon", "Default window icon." },
    { "qwindowtitle", "title", "Title of the first window." },
    { "reverse", nullptr, "Sets the application's layout direction to Qt::RightToLeft (debugging helper)." },
    { "session", "session", "Restores the application from an earlier session." },
    { "style", "style", "The widget style of the dialogs (fusion, windows, ...)." },
    { "stylesheet", "stylesheet", "A style sheet for the dialogs." },
    { "widgetcount", nullptr, "Prints at exit how many widgets were left undestroyed." },
    { "display", "display", "Display name, overrides $DISPLAY." },
    { "name", "name", "Instance name according to ICCCM 4.1.2.5." },
    { "nograb", nullptr, "Disable mouse grabbing (useful in debuggers)." },
    { "dograb", nullptr, "Force mouse grabbing (even when running in a debugger)." },
    { "visual", "id", "ID of the X11 Visual to use." },
    { "geometry", "geometry", "Alias for --qwindowgeometry." },
    { "icon", "icon", "Alias for --qwindowicon." },
    { "title", "title", "Alias for --qwindowtitle." },
};

// `listQtOptions` shows Qt's options in the help; they are accepted either way.
void describe(QCommandLineParser &parser, bool listQtOptions)
{
    // Qt's options are words after one dash (-platform), as Qt itself reads them.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("A focus timer that counts rounds from keyboard and "
                                                    "mouse activity and locks the keyboard for breaks."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        { QStringLiteral("hidden"),
            QStringLiteral("Start in the tray, without the window, when the desktop has a tray.") },
        { QStringLiteral("show-statistics"), QStringLiteral("Show the daily statistics.") },
        { QStringLiteral("open-journal"), QStringLiteral("Open the journal.") },
    });
    for (const QtOption &qt : qtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name), QString::fromLatin1(qt.description),
            QString::fromLatin1(qt.valueName));
        if (!listQtOptions)
            option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QString helpText(const QString &program, bool withQtOptions)
{
    QCommandLineParser parser;
    describe(parser, withQtOptions);
    // Parsed before the application exists, Qt cannot name the program itself.
    return parser.helpText().replace(QStringLiteral("<executable_name>"), program);
}

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
    describe(parser, false);

    if (!parser.parse(arguments))
        return finish(usageError,
            program + QStringLiteral(": ") + parser.errorText() + QStringLiteral(" Try --help.\n"));
    if (!parser.positionalArguments().isEmpty()) {
        return finish(usageError,
            program + QStringLiteral(": unexpected argument '") + parser.positionalArguments().constFirst()
                + QStringLiteral("'. Try --help.\n"));
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        return finish(0, helpText(program, parser.isSet(QStringLiteral("help-all"))));
    if (parser.isSet(QStringLiteral("version")))
        return finish(0, program + QStringLiteral(" " QUORVANE_VERSION "\n"));

    CommandLine commandLine;
    commandLine.request.activationToken = activationToken;
    if (parser.isSet(QStringLiteral("show-statistics")))
        commandLine.request.view = LaunchRequest::View::statistics;
    else if (parser.isSet(QStringLiteral("open-journal")))
        commandLine.request.view = LaunchRequest::View::journal;
    else if (parser.isSet(QStringLiteral("hidden")))
        commandLine.request.view = LaunchRequest::View::none;
    return commandLine;
}

int CommandLine::report() const
{
    std::fputs(output.toLocal8Bit().constData(), exitStatus == 0 ? stdout : stderr);
    return exitStatus;
}
