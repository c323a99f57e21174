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

} // namespace

namespace AutostartEntry {

QString path()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("autostart/" QUORVANE_APPLICATION_ID ".desktop"));
}

bool isEnabled()
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    static const QRegularExpression hidden(
        QStringLiteral("^Hidden\\s*=\\s*true\\s*$"), QRegularExpression::MultilineOption);
    return !hidden.match(QString::fromUtf8(file.readAll())).hasMatch();
}

QByteArray contents(const QString &program)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Quorvane\n"
           "Name[zh_CN]=柯帆\n"
           "Icon=" QUORVANE_APPLICATION_ID "\n"
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
