#include "TestProgram.h"
#include "media/FrameShade.h"
#include "media/SharedVideoFrames.h"

#include <QTest>
#include <unistd.h>

class SharedVideoFramesTest : public QObject
{
    Q_OBJECT

    // Both sides of one memory, mapped apart as in two processes.
    std::shared_ptr<SharedVideoFrames> m_program;
    std::shared_ptr<SharedVideoFrames> m_decoder;

    static QImage filled(QSize size, QColor colour, QImage::Format format = QImage::Format_RGB32)
    {
        QImage image(size, format);
        image.fill(colour);
        return image;
    }

private slots:
    void init()
    {
        m_program = SharedVideoFrames::create(16 * 8 * 4).toOptional().value_or(nullptr);
        QVERIFY(m_program);
        m_decoder = SharedVideoFrames::attach(dup(m_program->descriptor())).toOptional().value_or(nullptr);
        QVERIFY(m_decoder);
    }

    void aFrameIsSharedWhenItFitsASlot_data()
    {
        QTest::addColumn<QImage>("frame");
        QTest::addColumn<bool>("shared");

        QTest::newRow("the slot's size") << filled({ 16, 8 }, Qt::red) << true;
        QTest::newRow("smaller than the slot") << filled({ 5, 3 }, Qt::green) << true;
        QTest::newRow("larger than the slot") << filled({ 256, 256 }, Qt::blue) << false;
        QTest::newRow("not 32-bit pixels") << filled({ 16, 8 }, Qt::red, QImage::Format_RGB888) << false;
    }

    void aFrameIsSharedWhenItFitsASlot()
    {
        QFETCH(QImage, frame);
        QFETCH(bool, shared);
        const int slot = m_decoder->put(frame, 1234);
        QCOMPARE(slot >= 0, shared);
        if (shared) {
            const QImage taken = m_program->take(slot);
            QCOMPARE(taken.size(), frame.size());
            QCOMPARE(taken.pixel(taken.width() - 1, taken.height() - 1), frame.pixel(0, 0));
            QCOMPARE(m_program->positionOf(slot), 1234);
        }
    }

    // The decoder darkens each line as its "shade" command asks, opaque pixels staying opaque; a malformed
    // command darkens nothing. Five pixels a line: four go through the vectorised path, one the plain one.
    void aFrameIsDarkenedLineByLineAsTheShadeCommandSays_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("line");
        QTest::addColumn<qreal>("kept");

        QTest::newRow("nothing") << QByteArray("0") << 2 << 1.0;
        QTest::newRow("uniform") << QByteArray("0.5") << 3 << 0.5;
        QTest::newRow("gradient at a line's centre") << QByteArray("0 0 1") << 0 << 0.875;
        QTest::newRow("between the stops") << QByteArray("0 1 0 1") << 1 << 0.75;
        QTest::newRow("uniform and gradient") << QByteArray("0.5 0.5") << 2 << 0.25;
        QTest::newRow("no number") << QByteArray("dark") << 1 << 1.0;
        QTest::newRow("beyond black") << QByteArray("2 0") << 1 << 1.0;
    }

    void aFrameIsDarkenedLineByLineAsTheShadeCommandSays()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, line);
        QFETCH(qreal, kept);
        const QColor colour(200, 100, 40);
        const QImage frame = filled({ 5, 4 }, colour);
        const std::vector<std::uint16_t> factors
            = FrameShade::fromCommand(command).value_or(FrameShade {}).lineFactors(frame.height());
        const QImage taken = m_program->take(m_decoder->put(frame, 0, factors));
        for (const int x : { 0, 4 }) {
            const QRgb pixel = reinterpret_cast<const QRgb *>(taken.constScanLine(line))[x];
            QCOMPARE(
                pixel, qRgb(int(colour.red() * kept), int(colour.green() * kept), int(colour.blue() * kept)));
        }
    }

    // A slot lent for a frame to be written into is darkened where it lies when put, and the end of the
    // frame's buffer frees it only while it was not put: once put it is the program's, then a new lease's.
    void aLentSlotIsFreedByItsBufferOnlyUntilPut_data()
    {
        QTest::addColumn<bool>("put");
        QTest::addColumn<bool>("stillDrawn");
        QTest::addColumn<bool>("lentAgain");
        QTest::addColumn<int>("free");
        QTest::newRow("never put") << false << false << false << 3;
        QTest::newRow("put and still drawn") << true << true << false << 2;
        QTest::newRow("put, drawn, lent again") << true << false << true << 2;
    }

    void aLentSlotIsFreedByItsBufferOnlyUntilPut()
    {
        QFETCH(bool, put);
        QFETCH(bool, stillDrawn);
        QFETCH(bool, lentAgain);
        QFETCH(int, free);
        const SharedVideoFrames::Lease first = m_decoder->lend(16 * 8 * 4);
        QImage drawn;
        if (put) {
            QImage written(first.pixels, 16, 8, 16 * 4, QImage::Format_RGB32);
            written.fill(Qt::red);
            QCOMPARE(m_decoder->put(written, 0, std::vector<std::uint16_t>(8, 128)), first.slot);
            drawn = m_program->take(first.slot);
            QCOMPARE(drawn.pixel(15, 7), qRgb(127, 0, 0));
        }
        if (!stillDrawn)
            drawn = QImage();
        const SharedVideoFrames::Lease second = lentAgain ? m_decoder->lend(16 * 8 * 4) : first;
        QCOMPARE(second.slot, first.slot);
        m_decoder->giveBack(first);
        int taken = 0;
        while (m_decoder->lend(16 * 8 * 4).pixels)
            ++taken;
        QCOMPARE(taken, free);
    }

    // A program that draws late makes the decoder skip frames; each picture gone frees its slot, and one
    // still held keeps its frame through the release of the others.
    void aSlotIsFreeOnceTheProgramsPictureIsGone()
    {
        QList<QImage> drawn;
        for (int frame = 0; frame < SharedVideoFrames::slotCount; ++frame)
            drawn.append(
                m_program->take(m_decoder->put(filled({ 16, 8 }, QColor::fromHsv(frame * 90, 255, 255)), 0)));
        QCOMPARE(m_decoder->put(filled({ 16, 8 }, Qt::white), 0), -1);

        const QImage held = drawn.takeAt(1);
        drawn.clear();
        m_program->releaseFreeSlots();
        const int reused = m_decoder->put(filled({ 16, 8 }, Qt::white), 0);
        QVERIFY(reused >= 0);
        QCOMPARE(m_program->take(reused).pixel(0, 0), QColor(Qt::white).rgb());
        QCOMPARE(held.pixel(3, 3), QColor::fromHsv(90, 255, 255).rgb());
    }
};

QUORVANE_TEST_MAIN(SharedVideoFramesTest)
#include "tst_shared_video_frames.moc"
