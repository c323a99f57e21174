// Resident memory after a 6000 × 4000 JPEG background is shown in a 1240 × 880 window, and the longest
// stall of the main thread while the picture loads. Run under an X server (or Xvfb).

#include "ControllerHarness.h"
#include "ui/shell/ViewSetup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTextStream>
#include <QTimer>

namespace {

// The resident set of this process in MiB, from the kernel's own account.
double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').constFirst().toDouble() / 1024;
    }
    return -1;
}

bool writePhoto(const QString &path)
{
    QImage photo(6000, 4000, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, 6000, 4000);
    sky.setColorAt(0, QColor(0x3A, 0x4E, 0x8C));
    sky.setColorAt(1, QColor(0xE0, 0x8A, 0x5A));
    painter.fillRect(photo.rect(), sky);
    painter.end();
    return photo.save(path, "JPEG", 90);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QTextStream out(stdout);
    ControllerHarness harness;
    const QString path = harness.home.filePath(QStringLiteral("photo.jpg"));
    if (!writePhoto(path)) {
        out << "cannot write the photo\n";
        return 1;
    }
    setUpViews(harness.start());
    QQmlEngine engine;
    QQuickWindow window;
    window.resize(1240, 880);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        out << "the window was never shown\n";
        return 1;
    }
    QTest::qWait(500);
    const double before = residentMiB();

    QQmlComponent component(
        &engine, QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/Common/BackgroundMediaView.qml")));
    QElapsedTimer sinceTick;
    qint64 longestStall = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(
        &ticker, &QTimer::timeout, [&] { longestStall = std::max(longestStall, sinceTick.restart()); });
    sinceTick.start();
    ticker.start();
    QElapsedTimer loading;
    loading.start();
    auto *view = qobject_cast<QQuickItem *>(
        component.createWithInitialProperties({ { QStringLiteral("url"), QUrl::fromLocalFile(path) },
            { QStringLiteral("videoAudioTakesPriority"), false } }));
    if (!view) {
        out << component.errorString() << '\n';
        return 1;
    }
    view->setParentItem(window.contentItem());
    view->setSize(QSizeF(1240, 880));
    auto *picture = view->findChild<QQuickItem *>(QStringLiteral("backgroundPicture"));
    if (!QTest::qWaitFor([&] { return picture->isVisible(); }, 60000)) {
        out << "the picture never showed\n";
        return 1;
    }
    const qint64 shownAfter = loading.elapsed();
    QTest::qWait(500);
    ticker.stop();
    const double after = residentMiB();

    out << "window 1240 x 880, picture 6000 x 4000 JPEG\n";
    out << "decoded size: " << picture->implicitWidth() << " x " << picture->implicitHeight() << '\n';
    out << "resident before the picture: " << QString::number(before, 'f', 1) << " MiB\n";
    out << "resident with the picture shown: " << QString::number(after, 'f', 1) << " MiB (+"
        << QString::number(after - before, 'f', 1) << " MiB)\n";
    out << "shown after: " << shownAfter << " ms; longest main-thread stall meanwhile: " << longestStall
        << " ms\n";
    delete view;
    return 0;
}
