#include "media/MediaThumbnailCache.h"
#include "ui/settings/BackgroundLibraryModel.h"
#include "ui/settings/MediaThumbnailProvider.h"

#include <QDir>
#include <QImage>
#include <QQuickImageResponse>
#include <QQuickTextureFactory>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>

namespace {

// The id the engine hands the provider for a tile's address.
QString providerId(const QString &path)
{
    const QUrl address(BackgroundLibraryModel::thumbnailAddress(path));
    return address.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority).mid(1);
}

QImage answerOf(QQuickImageResponse &response)
{
    const std::unique_ptr<QQuickTextureFactory> factory(response.textureFactory());
    return factory ? factory->image() : QImage();
}

} // namespace

class MediaThumbnailProviderTest : public QObject
{
    Q_OBJECT

private slots:
    void servesThePictureOfAnyPath_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("plain") << QStringLiteral("dusk.png");
        QTest::newRow("hash and question mark") << QStringLiteral("dusk #1?.png");
        QTest::newRow("percent and space") << QStringLiteral("50% off.png");
        QTest::newRow("non-Latin") << QString::fromUtf8("黄昏.png");
    }

    void servesThePictureOfAnyPath()
    {
        QFETCH(QString, fileName);
        QTemporaryDir media;
        QTemporaryDir thumbnails;
        const QString path = media.filePath(fileName);
        QImage picture(720, 360, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(path, "PNG"));
        MediaThumbnailCache cache(thumbnails.path());
        MediaThumbnailProvider provider(cache);

        const std::unique_ptr<QQuickImageResponse> response(
            provider.requestImageResponse(providerId(path), QSize(120, 92)));
        QSignalSpy finished(response.get(), &QQuickImageResponse::finished);

        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        const QImage answer = answerOf(*response);
        QCOMPARE(answer.size(), QSize(360, 180));
        QCOMPARE(answer.pixelColor(180, 90).rgb(), QColor(Qt::darkCyan).rgb());
    }

    void aMissingOrBrokenFileGivesAnEmptyImage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a picture") << QByteArray("hello\n");
    }

    void aMissingOrBrokenFileGivesAnEmptyImage()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir media;
        QTemporaryDir thumbnails;
        const QString path = media.filePath(QStringLiteral("gone.png"));
        if (!bytes.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        MediaThumbnailCache cache(thumbnails.path());
        MediaThumbnailProvider provider(cache);

        const std::unique_ptr<QQuickImageResponse> response(
            provider.requestImageResponse(providerId(path), {}));
        QSignalSpy finished(response.get(), &QQuickImageResponse::finished);

        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QVERIFY(answerOf(*response).isNull());
        QVERIFY(response->errorString().isEmpty());
    }

    // A tile that goes away cancels its response, and the engine deletes it once it has finished; the
    // cache's answer arrives later and must leave the response alone.
    void aResponseCancelledEarlyIsNeverTouched_data()
    {
        QTest::addColumn<bool>("waitForFinished");
        QTest::newRow("deleted after its finished") << true;
        QTest::newRow("deleted at once") << false;
    }

    void aResponseCancelledEarlyIsNeverTouched()
    {
        QFETCH(bool, waitForFinished);
        QTemporaryDir media;
        QTemporaryDir thumbnails;
        const QString path = media.filePath(QStringLiteral("late.png"));
        QImage picture(2400, 1600, QImage::Format_RGB32);
        picture.fill(Qt::darkYellow);
        QVERIFY(picture.save(path, "PNG"));
        MediaThumbnailCache cache(thumbnails.path());
        MediaThumbnailProvider provider(cache);

        auto *response = provider.requestImageResponse(providerId(path), {});
        QSignalSpy finished(response, &QQuickImageResponse::finished);
        response->cancel();
        if (waitForFinished)
            QTRY_COMPARE(finished.count(), 1);
        delete response;

        // The late answer comes and goes; the cache still remembers the picture for the next tile.
        QTRY_COMPARE_WITH_TIMEOUT(cache.memoryCount(), 1, 60000);
        QCoreApplication::processEvents();
        const std::unique_ptr<QQuickImageResponse> next(provider.requestImageResponse(providerId(path), {}));
        QSignalSpy nextFinished(next.get(), &QQuickImageResponse::finished);
        QTRY_COMPARE(nextFinished.count(), 1);
        QCOMPARE(answerOf(*next).size(), QSize(360, 240));
    }
};

QTEST_MAIN(MediaThumbnailProviderTest)
#include "tst_media_thumbnail_provider.moc"
