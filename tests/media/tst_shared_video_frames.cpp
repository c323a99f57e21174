#include "TestProgram.h"
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
