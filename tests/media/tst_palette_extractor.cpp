#include "MediaFixtures.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "media/PaletteExtractor.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using MediaFixtures::filled;

// The top three quarters in a muted dark blue, the bottom quarter in a vivid orange.
QImage twoColourImage()
{
    QImage image(144, 144, QImage::Format_ARGB32);
    image.fill(QColor(51, 61, 76));
    QPainter painter(&image);
    painter.fillRect(QRect(0, 108, 144, 36), QColor(230, 120, 23));
    return image;
}

} // namespace

class PaletteExtractorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void paletteOfImage_data();
    void paletteOfImage();
    void noPalette_data();
    void noPalette();
    void paletteOfVideo();
    void hexStringOfColour_data();
    void hexStringOfColour();
    void hexStringOfComponents_data();
    void hexStringOfComponents();

private:
    QString pathOf(const QString &name) const { return m_directory.filePath(name); }

    QTemporaryDir m_directory;
    QString m_videoSkipReason;
};

void PaletteExtractorTest::initTestCase()
{
    QVERIFY(m_directory.isValid());
    m_videoSkipReason = MediaFixtures::writeMp4(pathOf(QStringLiteral("bars.mp4")), 320, 180, 15);
}

void PaletteExtractorTest::paletteOfImage_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("wheelBaseHex");
    QTest::addColumn<QString>("accentHex");
    QTest::addColumn<QString>("textHex");
    QTest::addColumn<double>("overlayOpacity");

    // Grey has no hue or saturation: one bucket is both base and accent, the wheel takes the least
    // saturation (0.22), the accent hue moves on by 0.11 with saturation 0.3, the text saturation is 0.084.
    QTest::newRow("uniform grey") << filled({ 200, 120 }, QColor(160, 160, 160)) << "grey.png"
                                  << "#2E2424"
                                  << "#E6CEA1"
                                  << "#FAF3E5" << 0.32 + 0.25 * (160.0 / 255.0);
    // White lies outside the accent band, yet its single bucket is still the accent.
    QTest::newRow("all white") << filled({ 50, 50 }, Qt::white) << "white.png"
                               << "#2E2424"
                               << "#E6CEA1"
                               << "#FAF3E5" << 0.57;
    QTest::newRow("white at alpha 128 counts")
        << filled({ 50, 50 }, QColor(255, 255, 255, 128)) << "half-white.png"
        << "#2E2424"
        << "#E6CEA1"
        << "#FAF3E5" << 0.57;
    // Saturation is capped at 0.58 for the wheel and 0.72 for the accent.
    QTest::newRow("pure red") << filled({ 300, 300 }, Qt::red) << "red.png"
                              << "#2E1313"
                              << "#E64040"
                              << "#FAC8C8" << 0.57;
    // The large muted area is the base; the smaller vivid one wins the accent; the spread of brightness
    // raises the overlay.
    QTest::newRow("muted base, vivid accent") << twoColourImage() << "two.png"
                                              << "#1F252E"
                                              << "#E68E40"
                                              << "#FADFC8" << 0.5640537798826137;
    QTest::newRow("large JPEG") << filled({ 2000, 1500 }, QColor(160, 160, 160)) << "large.jpg"
                                << "#2E2424"
                                << "#E6CEA1"
                                << "#FAF3E5" << 0.32 + 0.25 * (160.0 / 255.0);
}

void PaletteExtractorTest::paletteOfImage()
{
    QFETCH(QImage, image);
    QFETCH(QString, fileName);
    QFETCH(QString, wheelBaseHex);
    QFETCH(QString, accentHex);
    QFETCH(QString, textHex);
    QFETCH(double, overlayOpacity);
    QVERIFY(image.save(pathOf(fileName), nullptr, 100));

    const std::optional<AppPalette> palette = PaletteExtractor().extract(pathOf(fileName));

    QVERIFY(palette.has_value());
    QCOMPARE(palette->wheelBaseHex, wheelBaseHex);
    QCOMPARE(palette->accentHex, accentHex);
    QCOMPARE(palette->textHex, textHex);
    QVERIFY2(qAbs(palette->overlayOpacity - overlayOpacity) < 1e-9,
        qPrintable(QString::number(palette->overlayOpacity)));
}

void PaletteExtractorTest::noPalette_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");

    const auto png = [](QColor colour) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        filled({ 40, 30 }, colour).save(&buffer, "PNG");
        return bytes;
    };
    QTest::newRow("fully transparent PNG") << "clear.png" << png(Qt::transparent);
    QTest::newRow("alpha 127 is not opaque enough") << "faint.png" << png(QColor(200, 40, 40, 127));
    QTest::newRow("text named as an image") << "notes.png" << QByteArray("not an image at all\n");
    QTest::newRow("empty file") << "empty.jpg" << QByteArray();
    QTest::newRow("corrupt video") << "broken.mp4" << MediaFixtures::noiseBytes(64 * 1024);
    QTest::newRow("missing file") << "" << QByteArray();
}

void PaletteExtractorTest::noPalette()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QString path = pathOf(QStringLiteral("missing.png"));
    if (!fileName.isEmpty()) {
        path = pathOf(fileName);
        QVERIFY(writeFileBytes(path, bytes));
    }

    QVERIFY(!PaletteExtractor().extract(path).has_value());
}

void PaletteExtractorTest::paletteOfVideo()
{
    if (!m_videoSkipReason.isEmpty())
        QSKIP(qPrintable(m_videoSkipReason));

    const std::optional<AppPalette> palette = PaletteExtractor().extract(pathOf(QStringLiteral("bars.mp4")));

    QVERIFY(palette.has_value());
    QCOMPARE(palette->wheelBaseHex.size(), 7);
    QVERIFY(palette->overlayOpacity >= 0.34 && palette->overlayOpacity <= 0.72);
}

void PaletteExtractorTest::hexStringOfColour_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("hex");

    QTest::newRow("pure red") << QColor(Qt::red) << "#FF0000";
    QTest::newRow("0.5 grey rounds 127.5 up") << QColor::fromRgbF(0.5f, 0.5f, 0.5f) << "#808080";
    QTest::newRow("lower-case digits never appear") << QColor(0xab, 0xcd, 0xef) << "#ABCDEF";
    QTest::newRow("a colour given as HSV is converted") << QColor::fromHsv(240, 255, 255) << "#0000FF";
    QTest::newRow("invalid colour") << QColor() << "#FFFFFF";
}

void PaletteExtractorTest::hexStringOfColour()
{
    QFETCH(QColor, colour);
    QFETCH(QString, hex);
    QCOMPARE(PaletteExtractor::hexString(colour), hex);
}

void PaletteExtractorTest::hexStringOfComponents_data()
{
    QTest::addColumn<double>("red");
    QTest::addColumn<double>("green");
    QTest::addColumn<double>("blue");
    QTest::addColumn<QString>("hex");

    QTest::newRow("halves round away from zero") << 0.5 << 0.5 << 0.5 << "#808080";
    QTest::newRow("0.9 gives 230") << 0.9 << 0.0 << 1.0 << "#E600FF";
    QTest::newRow("just below a half rounds down") << 0.499 << 0.001 << 0.999 << "#7F00FF";
    QTest::newRow("out of range is clamped") << 1.2 << -0.1 << 0.0 << "#FF0000";
}

void PaletteExtractorTest::hexStringOfComponents()
{
    QFETCH(double, red);
    QFETCH(double, green);
    QFETCH(double, blue);
    QFETCH(QString, hex);
    QCOMPARE(PaletteExtractor::hexString(red, green, blue), hex);
}

QUORVANE_TEST_MAIN(PaletteExtractorTest)
#include "tst_palette_extractor.moc"
