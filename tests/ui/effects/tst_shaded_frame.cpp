#include "ui/effects/ShadedFrameNode.h"

#include <QRegion>
#include <QTest>

// A video frame as the software adaptation copies it into the window, darkened line by line.
class ShadedFrameTest : public QObject
{
    Q_OBJECT

private slots:
    // Each line lands multiplied by its factor, on the pixels to draw and nowhere else.
    void aFrameIsCopiedDarkenedOnlyWhereDrawn_data()
    {
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<QRegion>("region");
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<bool>("copied");
        const QRegion all(0, 0, 10, 10);
        QTest::newRow("whole frame") << QPoint(0, 0) << all << QImage::Format_RGB32 << true;
        QTest::newRow("two parts of it")
            << QPoint(1, 2) << (QRegion(0, 0, 4, 4) + QRegion(6, 5, 3, 2)) << QImage::Format_RGB32 << true;
        QTest::newRow("hanging over the edges") << QPoint(-3, 6) << all << QImage::Format_RGB32 << true;
        QTest::newRow("into pixels with alpha")
            << QPoint(2, 1) << all << QImage::Format_ARGB32_Premultiplied << true;
        QTest::newRow("into another format") << QPoint(0, 0) << all << QImage::Format_RGB16 << false;
    }

    void aFrameIsCopiedDarkenedOnlyWhereDrawn()
    {
        QFETCH(QPoint, origin);
        QFETCH(QRegion, region);
        QFETCH(QImage::Format, format);
        QFETCH(bool, copied);
        QImage frame(8, 6, QImage::Format_RGB32);
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                frame.setPixel(x, y, qRgb(x * 30, y * 40, 200));
        const std::vector<std::uint16_t> factors { 256, 128, 64, 256, 0, 200 };
        QImage target(10, 10, format);
        target.fill(QColor(8, 16, 24));
        const QImage before = target.copy();

        QCOMPARE(copyShadedFrame(target, frame, origin, region, factors), copied);
        for (int y = 0; y < target.height(); ++y)
            for (int x = 0; x < target.width(); ++x) {
                QRgb expected = before.pixel(x, y);
                if (copied && region.contains(QPoint(x, y)) && QRect(origin, frame.size()).contains(x, y)) {
                    const QRgb source = frame.pixel(x - origin.x(), y - origin.y());
                    const int factor = factors[std::size_t(y - origin.y())];
                    expected = qRgb(qRed(source) * factor >> 8, qGreen(source) * factor >> 8,
                        qBlue(source) * factor >> 8);
                }
                QCOMPARE(target.pixel(x, y), expected);
            }
    }
};

QTEST_GUILESS_MAIN(ShadedFrameTest)
#include "tst_shaded_frame.moc"
