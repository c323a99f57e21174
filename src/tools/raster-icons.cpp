// Draws the application's icon at the hicolor theme's fixed sizes, for desktops and docks that show no SVG:
// raster-icons SVG SIZE FILE...
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments().mid(1);
    if (arguments.size() < 3 || arguments.size() % 2 != 1) {
        std::fputs("usage: raster-icons SVG SIZE FILE...\n", stderr);
        return 2;
    }
    for (qsizetype i = 1; i < arguments.size(); i += 2) {
        bool isNumber = false;
        const int size = arguments[i].toInt(&isNumber);
        QImageReader reader(arguments[0]);
        reader.setScaledSize(QSize(size, size));
        const QImage image = isNumber && size > 0 ? reader.read() : QImage();
        QImageWriter writer(arguments[i + 1], "png");
        if (image.isNull() || !writer.write(image)) {
            std::fprintf(stderr, "%s: cannot draw %s at %s pixels: %s\n", qPrintable(arguments[i + 1]),
                qPrintable(arguments[0]), qPrintable(arguments[i]),
                qPrintable(image.isNull() ? reader.errorString() : writer.errorString()));
            return 1;
        }
    }
    return 0;
}
