#include <QApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QUrl>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setOrganizationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));

    QQmlApplicationEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("windowTitle"), QStringLiteral("柯帆"));
    engine.load(QUrl(QStringLiteral("qrc:/quorvane/qml/Main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    return application.exec();
}
