#include "MediaFixtures.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "media/MediaThumbnailCache.h"
#include "media/MediaThumbnailGenerator.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

using MediaFixtures::filled;

// Landscape as stored: red on the left half, blue on the right half.
QImage redLeftBlueRight()
{
    QImage image(800, 400, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter painter(&image);
    painter.fillRect(QRect(0, 0, 400, 400), Qt::red);
    return image;
}

// A 1 × 1 GIF; Qt reads GIF but cannot write it.
QByteArray tinyGif()
{
    return QByteArrayLiteral("GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\xFF\xFF\x00\x00\x00"
                             "\x21\xF9\x04\x01\x00\x00\x00\x00"
                             "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B");
}

bool isRed(QColor colour)
{
    return colour.red() > 200 && colour.green() < 60 && colour.blue() < 60;
}

bool isBlue(QColor colour)
{
    return colour.blue() > 150 && colour.red() < 60 && colour.green() < 60;
}

bool isLightGrey(QColor colour)
{
    return colour.red() > 140 && colour.green() > 140 && colour.blue() > 140
        && qAbs(colour.red() - colour.blue()) < 40;
}

template<typename T> bool waitFor(const QFuture<T> &future)
{
    return QTest::qWaitFor([&future] { return future.isFinished(); }, 60000);
}

QString keyOf(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex());
}

QStringList jpegFilesIn(const QString &directory)
{
    return QDir(directory).entryList({ QStringLiteral("*.jpg") }, QDir::Files);
}

} // namespace

class MediaThumbnailsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cacheKey_data();
    void cacheKey();
    void decodeFile_data();
    void decodeFile();
    void decodeVideo_data();
    void decodeVideo();
    void exifRotatedPhotoIsUpright();
    void rotatedVideoIsUpright();
    void secondRequestIsServedFromMemory();
    void freshCacheReadsTheStoredJpegWithoutDecoding();
    void touchedFileGetsANewThumbnail();
    void memoryHoldsAtMostFortyThumbnails();
    void unwritableFolderStillGivesTheImage();
    void undecodableFileGivesNothing_data();
    void undecodableFileGivesNothing();
    void videoThumbnailThroughTheCache();

private:
    QString mediaPath(const QString &name) const { return m_media.filePath(name); }
    void skipWithoutVideo() const;

    QTemporaryDir m_media;
    QString m_videoSkipReason;
};

void MediaThumbnailsTest::initTestCase()
{
    QVERIFY(m_media.isValid());
    m_videoSkipReason = MediaFixtures::writeMp4(mediaPath(QStringLiteral("bars.mp4")), 320, 180, 10);
    if (m_videoSkipReason.isEmpty())
        m_videoSkipReason = MediaFixtures::writeMp4(mediaPath(QStringLiteral("large.mp4")), 640, 480, 10);
    if (m_videoSkipReason.isEmpty()) {
        m_videoSkipReason = MediaFixtures::writeMp4(mediaPath(QStringLiteral("rotated.mp4")), 320, 180, 10);
        if (m_videoSkipReason.isEmpty()
            && !MediaFixtures::markMp4RotatedClockwise(mediaPath(QStringLiteral("rotated.mp4"))))
            QFAIL("could not mark the MP4 as rotated");
    }
}

void MediaThumbnailsTest::skipWithoutVideo() const
{
    if (!m_videoSkipReason.isEmpty())
        QSKIP(qPrintable(m_videoSkipReason));
}

void MediaThumbnailsTest::cacheKey_data()
{
    QTest::addColumn<QString>("requestedPath");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<qint64>("modifiedMsecs");
    QTest::addColumn<QString>("keyedPath");
    QTest::addColumn<QString>("timeText");
    QTest::addColumn<QString>("sizeText");

    QTest::newRow("fractional modification time") << "a.png" << true << Q_INT64_C(1709647629123) << "a.png"
                                                  << "1709647629.123"
                                                  << "5";
    QTest::newRow("a whole second keeps its fraction")
        << "b.png" << true << Q_INT64_C(1709647629000) << "b.png"
        << "1709647629.0"
        << "5";
    QTest::newRow("dot segments are removed") << "sub/.././c.png" << true << Q_INT64_C(1000) << "c.png"
                                              << "1.0"
                                              << "5";
    QTest::newRow("missing file counts as time 0 and size 0")
        << "gone.png" << false << Q_INT64_C(0) << "gone.png"
        << "0.0"
        << "0";
}

void MediaThumbnailsTest::cacheKey()
{
    QFETCH(QString, requestedPath);
    QFETCH(bool, exists);
    QFETCH(qint64, modifiedMsecs);
    QFETCH(QString, keyedPath);
    QFETCH(QString, timeText);
    QFETCH(QString, sizeText);
    QTemporaryDir directory;
    QDir(directory.path()).mkpath(QStringLiteral("sub"));
    if (exists) {
        QFile file(directory.filePath(keyedPath));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write("12345"), qint64(5));
        file.close();
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(
            QDateTime::fromMSecsSinceEpoch(modifiedMsecs, Qt::UTC), QFileDevice::FileModificationTime));
    }

    const QString key = MediaThumbnailCache::cacheKey(directory.path() + u'/' + requestedPath);

    QCOMPARE(key,
        keyOf(directory.filePath(keyedPath) + u'|' + timeText + u'|' + sizeText + QStringLiteral("|360")));
    QCOMPARE(key.size(), 64);
}

void MediaThumbnailsTest::decodeFile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("expectedSize");

    QTest::newRow("wide PNG is fit into 360")
        << "wide.png" << encoded(filled({ 1000, 500 }, Qt::green), "PNG") << QSize(360, 180);
    QTest::newRow("tall JPEG is fit into 360")
        << "tall.jpg" << encoded(filled({ 300, 900 }, Qt::green), "JPEG") << QSize(120, 360);
    QTest::newRow("small image keeps its size")
        << "small.png" << encoded(filled({ 100, 50 }, Qt::green), "PNG") << QSize(100, 50);
    QTest::newRow("GIF goes through the image path") << "dot.gif" << tinyGif() << QSize(1, 1);
    QTest::newRow("EXIF orientation 6 turns the photo upright")
        << "portrait.jpg" << MediaFixtures::jpegWithOrientation(redLeftBlueRight(), 6) << QSize(180, 360);
    QTest::newRow("text named as an image") << "notes.png" << QByteArray("hello\n") << QSize();
    QTest::newRow("corrupt video") << "broken.mp4" << MediaFixtures::noiseBytes(64 * 1024) << QSize();
    QTest::newRow("missing file") << "" << QByteArray() << QSize();
}

void MediaThumbnailsTest::decodeFile()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, expectedSize);
    QTemporaryDir directory;
    QString path = directory.filePath(QStringLiteral("missing.png"));
    if (!fileName.isEmpty()) {
        path = directory.filePath(fileName);
        QVERIFY(writeFileBytes(path, bytes));
    }

    const std::optional<QImage> image
        = MediaThumbnailGenerator::decode(path, MediaThumbnailCache::maximumPixelSize);

    QCOMPARE(image.has_value(), expectedSize.isValid());
    if (image)
        QCOMPARE(image->size(), expectedSize);
}

void MediaThumbnailsTest::decodeVideo_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QSize>("expectedSize");

    QTest::newRow("small video keeps its size") << "bars.mp4" << QSize(320, 180);
    QTest::newRow("large video is fit into 360") << "large.mp4" << QSize(360, 270);
    QTest::newRow("video recorded rotated comes out portrait") << "rotated.mp4" << QSize(180, 320);
}

void MediaThumbnailsTest::decodeVideo()
{
    skipWithoutVideo();
    QFETCH(QString, fileName);
    QFETCH(QSize, expectedSize);

    const std::optional<QImage> image
        = MediaThumbnailGenerator::decode(mediaPath(fileName), MediaThumbnailCache::maximumPixelSize);

    QVERIFY(image.has_value());
    QCOMPARE(image->size(), expectedSize);
}

void MediaThumbnailsTest::exifRotatedPhotoIsUpright()
{
    const QString path = mediaPath(QStringLiteral("upright.jpg"));
    QVERIFY(writeFileBytes(path, MediaFixtures::jpegWithOrientation(redLeftBlueRight(), 6)));

    const std::optional<QImage> image
        = MediaThumbnailGenerator::decode(path, MediaThumbnailCache::maximumPixelSize);

    // Orientation 6 turns the stored picture a quarter clockwise: its left (red) half becomes the top.
    QVERIFY(image.has_value());
    QVERIFY(isRed(image->pixelColor(90, 40)));
    QVERIFY(isBlue(image->pixelColor(90, 320)));
}

void MediaThumbnailsTest::rotatedVideoIsUpright()
{
    skipWithoutVideo();

    const std::optional<QImage> image = MediaThumbnailGenerator::decode(
        mediaPath(QStringLiteral("rotated.mp4")), MediaThumbnailCache::maximumPixelSize);

    // The stored top row of colour bars, light grey on the left to blue on the right, turned a quarter
    // clockwise, runs down the right edge from light grey to blue.
    QVERIFY(image.has_value());
    const int right = image->width() - 3;
    QVERIFY(isLightGrey(image->pixelColor(right, 8)));
    QVERIFY(isBlue(image->pixelColor(right, image->height() - 8)));
}

void MediaThumbnailsTest::secondRequestIsServedFromMemory()
{
    QTemporaryDir thumbnails;
    const QString path = mediaPath(QStringLiteral("memory.png"));
    QVERIFY(filled({ 720, 360 }, Qt::darkCyan).save(path));
    MediaThumbnailCache cache(thumbnails.path());

    const QFuture<std::optional<QImage>> first = cache.thumbnail(path);
    QVERIFY(waitFor(first));
    QVERIFY(first.result().has_value());
    QCOMPARE(first.result()->size(), QSize(360, 180));
    const QString stored = thumbnails.filePath(MediaThumbnailCache::cacheKey(path) + QStringLiteral(".jpg"));
    QVERIFY(QFile::exists(stored));
    QCOMPARE(QImage(stored).size(), QSize(360, 180));
    QCOMPARE(cache.memoryCount(), 1);

    // With the stored file gone, only the memory can answer, and it answers at once.
    QVERIFY(QFile::remove(stored));
    const QFuture<std::optional<QImage>> second = cache.thumbnail(path);
    QVERIFY(second.isFinished());
    QVERIFY(second.result().has_value());
    QCOMPARE(*second.result(), *first.result());
    QVERIFY(!QFile::exists(stored));
}

void MediaThumbnailsTest::freshCacheReadsTheStoredJpegWithoutDecoding()
{
    QTemporaryDir thumbnails;
    const QString path = mediaPath(QStringLiteral("restart.png"));
    QVERIFY(filled({ 400, 400 }, Qt::darkMagenta).save(path));
    {
        MediaThumbnailCache earlierRun(thumbnails.path());
        QVERIFY(waitFor(earlierRun.thumbnail(path)));
    }
    // A marker in place of the stored picture shows where the answer came from.
    const QString stored = thumbnails.filePath(MediaThumbnailCache::cacheKey(path) + QStringLiteral(".jpg"));
    QVERIFY(QFile::exists(stored));
    QVERIFY(filled({ 7, 5 }, Qt::yellow).save(stored, "JPEG"));

    MediaThumbnailCache cache(thumbnails.path());
    const QFuture<std::optional<QImage>> restored = cache.thumbnail(path);

    QVERIFY(waitFor(restored));
    QVERIFY(restored.result().has_value());
    QCOMPARE(restored.result()->size(), QSize(7, 5));
    QCOMPARE(cache.memoryCount(), 1);
}

void MediaThumbnailsTest::touchedFileGetsANewThumbnail()
{
    QTemporaryDir thumbnails;
    const QString path = mediaPath(QStringLiteral("touched.png"));
    QVERIFY(filled({ 200, 100 }, Qt::darkGreen).save(path));
    MediaThumbnailCache cache(thumbnails.path());
    QVERIFY(waitFor(cache.thumbnail(path)));
    const QString oldKey = MediaThumbnailCache::cacheKey(path);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(
        file.fileTime(QFileDevice::FileModificationTime).addSecs(10), QFileDevice::FileModificationTime));
    file.close();
    const QString newKey = MediaThumbnailCache::cacheKey(path);
    QVERIFY(newKey != oldKey);

    const QFuture<std::optional<QImage>> renewed = cache.thumbnail(path);
    QVERIFY(waitFor(renewed));
    QVERIFY(renewed.result().has_value());
    QCOMPARE(jpegFilesIn(thumbnails.path()).size(), 2);
    QVERIFY(QFile::exists(thumbnails.filePath(oldKey + QStringLiteral(".jpg"))));
    QVERIFY(QFile::exists(thumbnails.filePath(newKey + QStringLiteral(".jpg"))));
}

void MediaThumbnailsTest::memoryHoldsAtMostFortyThumbnails()
{
    QTemporaryDir thumbnails;
    QTemporaryDir media;
    MediaThumbnailCache cache(thumbnails.path());
    for (int i = 0; i < 41; ++i) {
        const QString path = media.filePath(QStringLiteral("image-%1.png").arg(i));
        QVERIFY(filled({ 20, 10 }, QColor::fromHsv(i * 8, 200, 200)).save(path));
        const QFuture<std::optional<QImage>> thumbnail = cache.thumbnail(path);
        QVERIFY(waitFor(thumbnail));
        QVERIFY(thumbnail.result().has_value());
    }

    QCOMPARE(cache.memoryCount(), MediaThumbnailCache::memoryCountLimit);
    QCOMPARE(jpegFilesIn(thumbnails.path()).size(), 41);
}

void MediaThumbnailsTest::unwritableFolderStillGivesTheImage()
{
    // A folder below a plain file can be neither made nor written, whoever runs the test.
    QTemporaryDir root;
    QVERIFY(writeFileBytes(root.filePath(QStringLiteral("plain-file")), "x"));
    const QString thumbnails = root.filePath(QStringLiteral("plain-file/Thumbnails"));
    const QString path = mediaPath(QStringLiteral("unwritable.png"));
    QVERIFY(filled({ 500, 250 }, Qt::darkRed).save(path));
    MediaThumbnailCache cache(thumbnails);

    const QFuture<std::optional<QImage>> thumbnail = cache.thumbnail(path);

    QVERIFY(waitFor(thumbnail));
    QVERIFY(thumbnail.result().has_value());
    QCOMPARE(thumbnail.result()->size(), QSize(360, 180));
    QVERIFY(cache.thumbnail(path).isFinished());
}

void MediaThumbnailsTest::undecodableFileGivesNothing_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("missing file") << "" << QByteArray();
    QTest::newRow("text named as an image") << "notes.jpg" << QByteArray("hello\n");
    QTest::newRow("corrupt video") << "broken.mov" << MediaFixtures::noiseBytes(32 * 1024);
}

void MediaThumbnailsTest::undecodableFileGivesNothing()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QTemporaryDir thumbnails;
    QTemporaryDir media;
    QString path = media.filePath(QStringLiteral("missing.png"));
    if (!fileName.isEmpty()) {
        path = media.filePath(fileName);
        QVERIFY(writeFileBytes(path, bytes));
    }
    MediaThumbnailCache cache(thumbnails.path());

    const QFuture<std::optional<QImage>> first = cache.thumbnail(path);
    QVERIFY(waitFor(first));
    QVERIFY(!first.result().has_value());
    QCOMPARE(cache.memoryCount(), 0);
    QVERIFY(jpegFilesIn(thumbnails.path()).isEmpty());

    // Nothing was remembered, so the next request tries again.
    const QFuture<std::optional<QImage>> second = cache.thumbnail(path);
    QVERIFY(waitFor(second));
    QVERIFY(!second.result().has_value());
}

void MediaThumbnailsTest::videoThumbnailThroughTheCache()
{
    skipWithoutVideo();
    QTemporaryDir thumbnails;
    MediaThumbnailCache cache(thumbnails.path());

    const QFuture<std::optional<QImage>> thumbnail = cache.thumbnail(mediaPath(QStringLiteral("large.mp4")));

    QVERIFY(waitFor(thumbnail));
    QVERIFY(thumbnail.result().has_value());
    QCOMPARE(thumbnail.result()->size(), QSize(360, 270));
    QCOMPARE(jpegFilesIn(thumbnails.path()).size(), 1);
}

QUORVANE_TEST_MAIN(MediaThumbnailsTest)
#include "tst_media_thumbnails.moc"
