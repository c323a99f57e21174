// Time to derive a palette and to make a thumbnail from a 4000 × 3000 JPEG photo and from a short 1080p
// video. Prints the median of several runs of each.

#include "media/MediaThumbnailCache.h"
#include "media/MediaThumbnailGenerator.h"
#include "media/PaletteExtractor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr int runs = 7;

double medianMilliseconds(const std::function<bool()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!work())
            return -1;
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool writePhoto(const QString &path)
{
    QImage photo(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, 4000, 3000);
    sky.setColorAt(0, QColor(30, 60, 110));
    sky.setColorAt(0.6, QColor(200, 140, 80));
    sky.setColorAt(1, QColor(40, 90, 50));
    painter.fillRect(photo.rect(), sky);
    for (int i = 0; i < 200; ++i)
        painter.fillRect(
            QRect((i * 733) % 3800, (i * 397) % 2800, 200, 200), QColor::fromHsv(i * 37 % 360, 160, 200));
    painter.end();
    return photo.save(path, "JPEG", 90);
}

// Two seconds of 1080p colour bars; the encoder is whichever H.264 or MPEG-4 encoder is installed.
bool writeVideo(const QString &path)
{
    const QStringList encoders[]
        = { { QStringLiteral("x264enc"), QStringLiteral("!"), QStringLiteral("h264parse") },
              { QStringLiteral("openh264enc"), QStringLiteral("!"), QStringLiteral("h264parse") },
              { QStringLiteral("avenc_mpeg4") } };
    for (const QStringList &encoder : encoders) {
        QStringList arguments { QStringLiteral("-q"), QStringLiteral("videotestsrc"),
            QStringLiteral("num-buffers=60"), QStringLiteral("pattern=smpte"), QStringLiteral("!"),
            QStringLiteral("video/x-raw,width=1920,height=1080,framerate=30/1"), QStringLiteral("!"),
            QStringLiteral("videoconvert"), QStringLiteral("!") };
        arguments += encoder;
        arguments += { QStringLiteral("!"), QStringLiteral("mp4mux"), QStringLiteral("!"),
            QStringLiteral("filesink"), QStringLiteral("location=") + path };
        QProcess launch;
        launch.start(QStringLiteral("gst-launch-1.0"), arguments);
        if (launch.waitForFinished(300000) && launch.exitStatus() == QProcess::NormalExit
            && launch.exitCode() == 0)
            return true;
    }
    return false;
}

void report(QTextStream &out, const QString &label, double milliseconds)
{
    if (milliseconds < 0)
        out << label << ": failed\n";
    else
        out << label << ": " << QString::number(milliseconds, 'f', 1) << " ms (median of " << runs << ")\n";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir directory;
    const QString photo = directory.filePath(QStringLiteral("photo.jpg"));
    const QString video = directory.filePath(QStringLiteral("clip.mp4"));
    if (!writePhoto(photo)) {
        out << "could not write the test photo\n";
        return 1;
    }
    const bool haveVideo = writeVideo(video);

    const PaletteExtractor extractor;
    const auto palette = [&extractor](const QString &path) {
        return [&extractor, path] { return extractor.extract(path).has_value(); };
    };
    const auto thumbnail = [](const QString &path) {
        return [path] {
            return MediaThumbnailGenerator::decode(path, MediaThumbnailCache::maximumPixelSize).has_value();
        };
    };

    report(out, QStringLiteral("palette, 4000 x 3000 JPEG"), medianMilliseconds(palette(photo)));
    report(out, QStringLiteral("thumbnail, 4000 x 3000 JPEG"), medianMilliseconds(thumbnail(photo)));
    if (haveVideo) {
        report(out, QStringLiteral("palette, 1080p video"), medianMilliseconds(palette(video)));
        report(out, QStringLiteral("thumbnail, 1080p video"), medianMilliseconds(thumbnail(video)));
    } else {
        out << "no video encoder installed; video figures skipped\n";
    }
    return 0;
}
