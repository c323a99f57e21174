#include "platform/AutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// A program path as one argument of Exec: quoted, with the characters the quotes do not protect escaped,
// and each backslash escaped once more for the key's own string rules. A % would start a field code.
QByteArray execArgument(const QString &program)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9/._+-]+$"));
    if (plain.match(program).hasMatch())
        return program.toUtf8();
    QString quoted;
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$')
            quoted += u'\\';
        else if (c == u'\\')
            quoted += QStringLiteral("\\\\\\");
        quoted += c;
    }
    return '"' + quoted.replace(u'%', QStringLiteral("%%")).toUtf8() + '"';
}

// A string value of a desktop entry key as written: its escapes undone.
QString unescapedValue(const QString &value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const QChar next = value[++i];
        text += next == u's' ? u' '
            : next == u'n'   ? u'\n'
            : next == u't'   ? u'\t'
            : next == u'r'   ? u'\r'
                             : next;
    }
    return text;
}

// The first argument of an Exec value whose string escapes are already undone: quoted or up to a space.
QString firstExecArgument(const QString &exec)
{
    if (!exec.startsWith(u'"'))
        return exec.section(u' ', 0, 0).replace(QStringLiteral("%%"), QStringLiteral("%"));
    QString argument;
    for (qsizetype i = 1; i < exec.size() && exec[i] != u'"'; ++i) {
        if (exec[i] == u'\\' && i + 1 < exec.size())
            ++i;
        argument += exec[i];
    }
    return argument.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

} // namespace

namespace AutostartEntry {

QString path()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("autostart/" QUORVANE_APPLICATION_ID ".desktop"));
}

QString startedProgram()
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression hidden(
        QStringLiteral("^Hidden\\s*=\\s*true\\s*$"), QRegularExpression::MultilineOption);
    static const QRegularExpression exec(
        QStringLiteral("^Exec\\s*=\\s*(.*?)\\s*$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch execLine = exec.match(text);
    if (hidden.match(text).hasMatch() || !execLine.hasMatch())
        return {};
    return firstExecArgument(unescapedValue(execLine.captured(1)));
}

bool isEnabled(const QString &program)
{
    // Compared as files: /bin and /usr/bin, or a link to the program, name one program.
    const QString started = QFileInfo(startedProgram()).canonicalFilePath();
    return !started.isEmpty() && started == QFileInfo(program).canonicalFilePath();
}

QByteArray contents(const QString &program)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Quorvane\n"
           "Name[zh_CN]=柯帆\n"
           "Icon=" QUORVANE_APPLICATION_ID "\n"
           // The desktop skips the entry once the program is gone, say with its package.
           "TryExec="
        + program.toUtf8().replace("\\", "\\\\")
        + "\n"
          "Exec="
        + execArgument(program)
        + " --hidden\n"
          "Terminal=false\n"
          "StartupNotify=false\n";
}

Status write(const QString &program)
{
    const QString file = path();
    if (!QDir().mkpath(QFileInfo(file).path()))
        return Error { QStringLiteral("cannot create the folder ") + QFileInfo(file).path() };
    QSaveFile entry(file);
    const QByteArray text = contents(program);
    if (!entry.open(QIODevice::WriteOnly) || entry.write(text) != text.size() || !entry.commit())
        return Error { entry.errorString() };
    return {};
}

Status remove()
{
    QFile entry(path());
    if (!entry.exists() || entry.remove())
        return {};
    return Error { entry.errorString() };
}

} // namespace AutostartEntry
