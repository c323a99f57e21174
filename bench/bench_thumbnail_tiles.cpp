// A background library of 30 items (24 photos, 6 short videos) loading its tiles' thumbnails: the longest
// stall of the thread that asks (the interface thread in the program) and the time until every tile has
// its picture. Cold: no picture stored yet. Warm: pictures stored on disk by an earlier run, none in
// memory. Memory: the same cache asked again.

#include "MediaFixtures.h"
#include "media/MediaThumbnailCache.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFutureSynchronizer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

struct Figures
{
    double longestStallMs = 0;
    double allShownMs = 0;
    int pictures = 0;
};

bool writePhoto(const QString &path, int number)
{
    QImage photo(3000, 2000, QImage::Format_RGB32);
    photo.fill(QColor::fromHsv(number * 15 % 360, 150, 180));
    QPainter painter(&photo);
    for (int i = 0; i < 60; ++i)
        painter.fillRect(QRect((i * 733 + number * 97) % 2800, (i * 397) % 1800, 200, 200),
            QColor::fromHsv((i * 37 + number) % 360, 160, 200));
    painter.end();
    return photo.save(path, "JPEG", 90);
}

// Asks for every tile at once, as a grid that comes on screen does, while a 1 ms timer on the asking
// thread measures the longest gap between its turns of the event loop.
Figures loadTiles(MediaThumbnailCache &cache, const QStringList &paths)
{
    Figures figures;
    QElapsedTimer clock;
    clock.start();
    qint64 lastTurn = clock.nsecsElapsed();
    const auto noteTurn = [&] {
        const qint64 now = clock.nsecsElapsed();
        figures.longestStallMs = std::max(figures.longestStallMs, double(now - lastTurn) / 1e6);
        lastTurn = now;
    };
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, noteTurn);
    ticker.start();

    QList<QFuture<std::optional<QImage>>> tiles;
    for (const QString &path : paths) {
        tiles.append(cache.thumbnail(path));
        noteTurn();
    }
    const auto allDone = [&tiles] {
        return std::all_of(tiles.cbegin(), tiles.cend(), [](const auto &tile) { return tile.isFinished(); });
    };
    while (!allDone())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    noteTurn();
    figures.allShownMs = double(clock.nsecsElapsed()) / 1e6;
    for (const auto &tile : std::as_const(tiles))
        figures.pictures += tile.result().has_value() ? 1 : 0;
    return figures;
}

void report(QTextStream &out, const QString &label, const Figures &figures)
{
    out << label << ": longest stall " << QString::number(figures.longestStallMs, 'f', 1)
        << " ms, all shown after " << QString::number(figures.allShownMs, 'f', 1) << " ms ("
        << figures.pictures << " pictures)\n";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir media;
    QTemporaryDir thumbnails;
    QStringList paths;
    for (int number = 0; number < 24; ++number) {
        paths.append(media.filePath(QStringLiteral("photo-%1.jpg").arg(number)));
        if (!writePhoto(paths.last(), number)) {
            out << "could not write the test photos\n";
            return 1;
        }
    }
    for (int number = 0; number < 6; ++number) {
        const QString path = media.filePath(QStringLiteral("clip-%1.mp4").arg(number));
        const QString failure = MediaFixtures::writeMp4(path, 1280, 720, 30);
        if (!failure.isEmpty()) {
            out << "videos skipped: " << failure << "\n";
            break;
        }
        paths.append(path);
    }
    out << paths.size() << " items\n";

    {
        MediaThumbnailCache cache(thumbnails.path());
        report(out, QStringLiteral("cold"), loadTiles(cache, paths));
        report(out, QStringLiteral("memory"), loadTiles(cache, paths));
    }
    MediaThumbnailCache laterRun(thumbnails.path());
    report(out, QStringLiteral("warm (stored on disk)"), loadTiles(laterRun, paths));
    return 0;
}
