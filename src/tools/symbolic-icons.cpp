// Writes the tray's symbolic icons for the installed icon theme: symbolic-icons SYMBOL FILE...
// Each FILE must be named after the icon the tray asks the theme for, so a renamed icon fails the build.
#include "platform/TraySymbolIcon.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments().mid(1);
    if (arguments.isEmpty() || arguments.size() % 2 != 0) {
        std::fputs("usage: symbolic-icons SYMBOL FILE...\n", stderr);
        return 2;
    }
    for (qsizetype i = 0; i < arguments.size(); i += 2) {
        const QString &symbol = arguments[i];
        const QString &path = arguments[i + 1];
        if (QFileInfo(path).completeBaseName() != TraySymbolIcon::themeName(symbol)) {
            std::fprintf(stderr, "%s: the icon of \"%s\" is named %s\n", qPrintable(path), qPrintable(symbol),
                qPrintable(TraySymbolIcon::themeName(symbol)));
            return 1;
        }
        const QByteArray svg = TraySymbolIcon::svg(symbol);
        QSaveFile file(path);
        if (svg.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(svg) != svg.size()
            || !file.commit()) {
            std::fprintf(
                stderr, "%s: cannot write the icon of \"%s\"\n", qPrintable(path), qPrintable(symbol));
            return 1;
        }
    }
    return 0;
}
