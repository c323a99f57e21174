#include "services/VideoFrameImage.h"

#include <QTest>
#include <QVideoFrame>
#include <QVideoFrameFormat>
#include <cstring>

using Pixel = QVideoFrameFormat::PixelFormat;
using Space = QVideoFrameFormat::ColorSpace;
using Range = QVideoFrameFormat::ColorRange;
using Planes = QList<QByteArray>;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (const int value : values)
        result.append(char(value));
    return result;
}

// Every line of each plane of a 4 x 4 frame: one colour in the left half, another in the right half.
// In the Y'CbCr rows the left is red, (81, 90, 240) in studio-range BT.601, the right blue, (41, 240, 110).
const QByteArray lumaLine = bytes({ 81, 81, 41, 41 });
const QByteArray blueLine = bytes({ 90, 240 });
const QByteArray redLine = bytes({ 240, 110 });

bool near(QRgb actual, QColor expected)
{
    return qAbs(qRed(actual) - expected.red()) <= 2 && qAbs(qGreen(actual) - expected.green()) <= 2
        && qAbs(qBlue(actual) - expected.blue()) <= 2;
}

} // namespace

class VideoFrameImageTest : public QObject
{
    Q_OBJECT

private slots:
    // The picture has the frame's colours in the same places, turned clockwise by the frame's rotation.
    void convertsFrames_data()
    {
        QTest::addColumn<Pixel>("format");
        QTest::addColumn<Planes>("planes");
        QTest::addColumn<Space>("space");
        QTest::addColumn<Range>("range");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QColor>("left");
        QTest::addColumn<QColor>("right");

        const QColor red(255, 0, 0);
        const QColor blue(0, 0, 255);
        const auto row = [&](const char *name, Pixel format, const Planes &planes, int rotation = 0) {
            QTest::newRow(name) << format << planes << QVideoFrameFormat::ColorSpace_BT601
                                << QVideoFrameFormat::ColorRange_Video << rotation << red << blue;
        };
        using F = QVideoFrameFormat;
        row("planar 4:2:0", F::Format_YUV420P, { lumaLine, blueLine, redLine });
        row("planar 4:2:0, red plane first", F::Format_YV12, { lumaLine, redLine, blueLine });
        row("planar 4:2:2", F::Format_YUV422P, { lumaLine, blueLine, redLine });
        row("semi-planar 4:2:0", F::Format_NV12, { lumaLine, bytes({ 90, 240, 240, 110 }) });
        row("semi-planar 4:2:0, red first", F::Format_NV21, { lumaLine, bytes({ 240, 90, 110, 240 }) });
        row("packed 4:2:2, chroma first", F::Format_UYVY, { bytes({ 90, 81, 240, 81, 240, 41, 110, 41 }) });
        row("packed 4:2:2, luma first", F::Format_YUYV, { bytes({ 81, 90, 81, 240, 41, 240, 41, 110 }) });
        row("BGRA", F::Format_BGRA8888,
            { bytes({ 0, 0, 255, 255, 0, 0, 255, 255, 255, 0, 0, 255, 255, 0, 0, 255 }) });
        row("RGBX", F::Format_RGBX8888,
            { bytes({ 255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 0, 0, 0, 255, 0 }) });
        for (const int rotation : { 90, 180, 270 })
            row(qPrintable(u"turned %1 degrees"_qs.arg(rotation)), F::Format_YUV420P,
                { lumaLine, blueLine, redLine }, rotation);

        QTest::newRow("high definition colours")
            << F::Format_YUV420P
            << Planes { bytes({ 63, 63, 32, 32 }), bytes({ 102, 240 }), bytes({ 240, 118 }) }
            << F::ColorSpace_BT709 << F::ColorRange_Video << 0 << red << blue;
        QTest::newRow("full range") << F::Format_YUV420P
                                    << Planes { bytes({ 76, 76, 29, 29 }), bytes({ 85, 255 }),
                                           bytes({ 255, 107 }) }
                                    << F::ColorSpace_BT601 << F::ColorRange_Full << 0 << red << blue;
        const Planes greys { bytes({ 16, 16, 235, 235 }), bytes({ 128, 128 }), bytes({ 128, 128 }) };
        QTest::newRow("an unknown range is the studio range")
            << F::Format_YUV420P << greys << F::ColorSpace_Undefined << F::ColorRange_Unknown << 0
            << QColor(Qt::black) << QColor(Qt::white);
        const Planes beyond { bytes({ 0, 0, 255, 255 }), bytes({ 128, 128 }), bytes({ 128, 128 }) };
        QTest::newRow("beyond the studio range is clamped")
            << F::Format_YUV420P << beyond << F::ColorSpace_BT601 << F::ColorRange_Video << 0
            << QColor(Qt::black) << QColor(Qt::white);
    }

    void convertsFrames()
    {
        QFETCH(Pixel, format);
        QFETCH(Planes, planes);
        QFETCH(Space, space);
        QFETCH(Range, range);
        QFETCH(int, rotation);
        QFETCH(QColor, left);
        QFETCH(QColor, right);

        QVideoFrameFormat frameFormat(QSize(4, 4), format);
        frameFormat.setColorSpace(space);
        frameFormat.setColorRange(range);
        QVideoFrame frame(frameFormat);
        QVERIFY(frame.map(QVideoFrame::WriteOnly));
        QCOMPARE(frame.planeCount(), planes.size());
        for (int plane = 0; plane < planes.size(); ++plane) {
            for (int line = 0; line < frame.mappedBytes(plane) / frame.bytesPerLine(plane); ++line)
                std::memcpy(frame.bits(plane) + line * frame.bytesPerLine(plane), planes[plane].constData(),
                    size_t(planes[plane].size()));
        }
        frame.unmap();
        frame.setRotationAngle(QVideoFrame::RotationAngle(rotation));

        const QImage image = VideoFrameImage::upright(frame);

        QCOMPARE(image.format(), QImage::Format_RGB32);
        QCOMPARE(image.size(), QSize(4, 4));
        // The frame's left half turned clockwise: at the top at 90 degrees, the right at 180, the bottom
        // at 270; each corner named is inside the half it stands for.
        const QPoint leftCorner[] = { { 0, 0 }, { 3, 0 }, { 3, 3 }, { 0, 3 } };
        const int turn = rotation / 90;
        QVERIFY(near(image.pixel(leftCorner[turn]), left));
        QVERIFY(near(image.pixel(leftCorner[(turn + 2) % 4]), right));
    }

    void anEmptyFrameGivesNoPicture() { QVERIFY(VideoFrameImage::upright(QVideoFrame()).isNull()); }

    void coversTheView_data()
    {
        QTest::addColumn<QSizeF>("picture");
        QTest::addColumn<QSizeF>("view");
        QTest::addColumn<QRectF>("source");

        QTest::newRow("same shape, whole picture")
            << QSizeF(320, 180) << QSizeF(640, 360) << QRectF(0, 0, 320, 180);
        QTest::newRow("wider picture loses its sides")
            << QSizeF(1280, 720) << QSizeF(1200, 900) << QRectF(160, 0, 960, 720);
        QTest::newRow("taller picture loses top and bottom")
            << QSizeF(360, 640) << QSizeF(1200, 900) << QRectF(0, 185, 360, 270);
        QTest::newRow("a picture larger than the view")
            << QSizeF(400, 400) << QSizeF(100, 50) << QRectF(0, 100, 400, 200);
        QTest::newRow("no view") << QSizeF(320, 180) << QSizeF(0, 360) << QRectF();
        QTest::newRow("no picture") << QSizeF() << QSizeF(640, 360) << QRectF();
    }

    void coversTheView()
    {
        QFETCH(QSizeF, picture);
        QFETCH(QSizeF, view);
        QFETCH(QRectF, source);

        QCOMPARE(VideoFrameImage::coverSource(picture, view), source);
    }
};

QTEST_MAIN(VideoFrameImageTest)
#include "tst_video_frame_image.moc"
