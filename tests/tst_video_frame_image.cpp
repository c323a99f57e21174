#include "services/VideoFrameImage.h"

#include <QTest>
#include <QVideoFrame>
#include <QVideoFrameFormat>
#include <array>
#include <cstring>

using Pixel = QVideoFrameFormat::PixelFormat;
using Space = QVideoFrameFormat::ColorSpace;
using Range = QVideoFrameFormat::ColorRange;
// One colour as the frame stores it: Y', Cb, Cr, or R, G, B for the packed RGB formats.
using Sample = std::array<int, 3>;

Q_DECLARE_METATYPE(Sample)

namespace {

constexpr int frameWidth = 4;
constexpr int frameHeight = 4;

// Writes `left` into the left half of every row and `right` into the right half, each plane as its
// format lays it out.
void fill(QVideoFrame &frame, Sample left, Sample right)
{
    const Pixel format = frame.pixelFormat();
    const auto at = [&](int plane, int row) { return frame.bits(plane) + row * frame.bytesPerLine(plane); };
    for (int row = 0; row < frameHeight; ++row) {
        for (int column = 0; column < frameWidth; ++column) {
            const Sample &s = column < frameWidth / 2 ? left : right;
            const int pair = column / 2;
            switch (format) {
            case QVideoFrameFormat::Format_YUV420P:
            case QVideoFrameFormat::Format_YV12: {
                const bool swapped = format == QVideoFrameFormat::Format_YV12;
                at(0, row)[column] = uchar(s[0]);
                at(swapped ? 2 : 1, row / 2)[pair] = uchar(s[1]);
                at(swapped ? 1 : 2, row / 2)[pair] = uchar(s[2]);
                break;
            }
            case QVideoFrameFormat::Format_YUV422P:
                at(0, row)[column] = uchar(s[0]);
                at(1, row)[pair] = uchar(s[1]);
                at(2, row)[pair] = uchar(s[2]);
                break;
            case QVideoFrameFormat::Format_NV12:
            case QVideoFrameFormat::Format_NV21: {
                const bool swapped = format == QVideoFrameFormat::Format_NV21;
                at(0, row)[column] = uchar(s[0]);
                at(1, row / 2)[pair * 2 + (swapped ? 1 : 0)] = uchar(s[1]);
                at(1, row / 2)[pair * 2 + (swapped ? 0 : 1)] = uchar(s[2]);
                break;
            }
            case QVideoFrameFormat::Format_UYVY: {
                uchar *quad = at(0, row) + pair * 4;
                quad[0] = uchar(s[1]);
                quad[column % 2 ? 3 : 1] = uchar(s[0]);
                quad[2] = uchar(s[2]);
                break;
            }
            case QVideoFrameFormat::Format_YUYV: {
                uchar *quad = at(0, row) + pair * 4;
                quad[column % 2 ? 2 : 0] = uchar(s[0]);
                quad[1] = uchar(s[1]);
                quad[3] = uchar(s[2]);
                break;
            }
            case QVideoFrameFormat::Format_BGRA8888:
            case QVideoFrameFormat::Format_BGRX8888: {
                const uchar bytes[4] = { uchar(s[2]), uchar(s[1]), uchar(s[0]), 255 };
                std::memcpy(at(0, row) + column * 4, bytes, 4);
                break;
            }
            case QVideoFrameFormat::Format_RGBA8888:
            case QVideoFrameFormat::Format_RGBX8888: {
                const uchar bytes[4] = { uchar(s[0]), uchar(s[1]), uchar(s[2]), 255 };
                std::memcpy(at(0, row) + column * 4, bytes, 4);
                break;
            }
            default:
                QFAIL("no way to fill this format");
            }
        }
    }
}

bool near(QRgb actual, QColor expected)
{
    constexpr int tolerance = 2;
    return qAbs(qRed(actual) - expected.red()) <= tolerance
        && qAbs(qGreen(actual) - expected.green()) <= tolerance
        && qAbs(qBlue(actual) - expected.blue()) <= tolerance;
}

const Sample redBt601 { 81, 90, 240 };
const Sample blueBt601 { 41, 240, 110 };

} // namespace

class VideoFrameImageTest : public QObject
{
    Q_OBJECT

private slots:
    // A frame whose left half holds one colour and right half another becomes a picture of the same
    // colours in the same places, turned by the frame's rotation.
    void convertsFrames_data()
    {
        QTest::addColumn<Pixel>("format");
        QTest::addColumn<Space>("space");
        QTest::addColumn<Range>("range");
        QTest::addColumn<Sample>("left");
        QTest::addColumn<Sample>("right");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QColor>("leftColour");
        QTest::addColumn<QColor>("rightColour");

        const QColor red(255, 0, 0);
        const QColor blue(0, 0, 255);
        const auto row = [&](const char *name, Pixel format, Sample left = redBt601,
                             Sample right = blueBt601) {
            QTest::newRow(name) << format << QVideoFrameFormat::ColorSpace_BT601
                                << QVideoFrameFormat::ColorRange_Video << left << right << 0 << red << blue;
        };
        row("planar 4:2:0", QVideoFrameFormat::Format_YUV420P);
        row("planar 4:2:0, red plane first", QVideoFrameFormat::Format_YV12);
        row("planar 4:2:2", QVideoFrameFormat::Format_YUV422P);
        row("semi-planar 4:2:0", QVideoFrameFormat::Format_NV12);
        row("semi-planar 4:2:0, red first", QVideoFrameFormat::Format_NV21);
        row("packed 4:2:2, chroma first", QVideoFrameFormat::Format_UYVY);
        row("packed 4:2:2, luma first", QVideoFrameFormat::Format_YUYV);
        row("BGRA", QVideoFrameFormat::Format_BGRA8888, { 255, 0, 0 }, { 0, 0, 255 });
        row("BGRX", QVideoFrameFormat::Format_BGRX8888, { 255, 0, 0 }, { 0, 0, 255 });
        row("RGBA", QVideoFrameFormat::Format_RGBA8888, { 255, 0, 0 }, { 0, 0, 255 });
        row("RGBX", QVideoFrameFormat::Format_RGBX8888, { 255, 0, 0 }, { 0, 0, 255 });

        QTest::newRow("high definition colours")
            << QVideoFrameFormat::Format_YUV420P << QVideoFrameFormat::ColorSpace_BT709
            << QVideoFrameFormat::ColorRange_Video << Sample { 63, 102, 240 } << Sample { 32, 240, 118 } << 0
            << red << blue;
        QTest::newRow("full range") << QVideoFrameFormat::Format_YUV420P
                                    << QVideoFrameFormat::ColorSpace_BT601
                                    << QVideoFrameFormat::ColorRange_Full << Sample { 76, 85, 255 }
                                    << Sample { 29, 255, 107 } << 0 << red << blue;
        QTest::newRow("an unknown range is the studio range")
            << QVideoFrameFormat::Format_NV12 << QVideoFrameFormat::ColorSpace_Undefined
            << QVideoFrameFormat::ColorRange_Unknown << Sample { 16, 128, 128 } << Sample { 235, 128, 128 }
            << 0 << QColor(Qt::black) << QColor(Qt::white);
        QTest::newRow("beyond the studio range is clamped")
            << QVideoFrameFormat::Format_YUV420P << QVideoFrameFormat::ColorSpace_BT601
            << QVideoFrameFormat::ColorRange_Video << Sample { 0, 128, 128 } << Sample { 255, 128, 128 } << 0
            << QColor(Qt::black) << QColor(Qt::white);

        for (const int rotation : { 90, 180, 270 })
            QTest::addRow("turned %d degrees", rotation)
                << QVideoFrameFormat::Format_YUV420P << QVideoFrameFormat::ColorSpace_BT601
                << QVideoFrameFormat::ColorRange_Video << redBt601 << blueBt601 << rotation << red << blue;
    }

    void convertsFrames()
    {
        QFETCH(Pixel, format);
        QFETCH(Space, space);
        QFETCH(Range, range);
        QFETCH(Sample, left);
        QFETCH(Sample, right);
        QFETCH(int, rotation);
        QFETCH(QColor, leftColour);
        QFETCH(QColor, rightColour);

        QVideoFrameFormat frameFormat(QSize(frameWidth, frameHeight), format);
        frameFormat.setColorSpace(space);
        frameFormat.setColorRange(range);
        QVideoFrame frame(frameFormat);
        QVERIFY(frame.map(QVideoFrame::WriteOnly));
        fill(frame, left, right);
        frame.unmap();
        frame.setRotationAngle(QVideoFrame::RotationAngle(rotation));

        const QImage image = VideoFrameImage::upright(frame);

        QCOMPARE(image.format(), QImage::Format_RGB32);
        const bool quarter = rotation % 180 != 0;
        QCOMPARE(image.size(), quarter ? QSize(frameHeight, frameWidth) : QSize(frameWidth, frameHeight));
        // The frame's left edge, turned clockwise: to the top at 90 degrees, the right at 180, the bottom
        // at 270.
        const QPoint first[] = { { 0, 0 }, { 3, 0 }, { 3, 3 }, { 0, 3 } };
        const QPoint last[] = { { 3, 3 }, { 0, 3 }, { 0, 0 }, { 3, 0 } };
        const int turn = rotation / 90;
        QVERIFY2(near(image.pixel(first[turn]), leftColour),
            qPrintable(QString::number(image.pixel(first[turn]), 16)));
        QVERIFY2(near(image.pixel(last[turn]), rightColour),
            qPrintable(QString::number(image.pixel(last[turn]), 16)));
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
