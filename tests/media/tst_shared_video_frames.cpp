#include "TestProgram.h"
#include "media/SharedVideoFrames.h"

#include <QTest>
#include <unistd.h>

class SharedVideoFramesTest : public QObject
{
    Q_OBJECT

    static constexpr QSize slotSize { 16, 8 };

    // Both sides of one memory, mapped apart as in two processes.
    struct Sides
    {
        std::shared_ptr<SharedVideoFrames> program;
        std::shared_ptr<SharedVideoFrames> decoder;
    };

    static Sides map()
    {
        auto program = SharedVideoFrames::create(std::size_t(slotSize.width() * slotSize.height() * 4));
        auto decoder = program ? SharedVideoFrames::attach(dup(program.value()->descriptor()))
                               : Result<std::shared_ptr<SharedVideoFrames>>(Error {});
        return { program.toOptional().value_or(nullptr), decoder.toOptional().value_or(nullptr) };
    }

    static QImage filled(QSize size, QColor colour, QImage::Format format = QImage::Format_RGB32)
    {
        QImage image(size, format);
        image.fill(colour);
        return image;
    }

private slots:
    void aFrameIsSharedWhenItFitsASlot_data()
    {
        QTest::addColumn<QImage>("frame");
        QTest::addColumn<bool>("shared");

        QTest::newRow("the slot's size") << filled(slotSize, Qt::red) << true;
        QTest::newRow("smaller than the slot") << filled({ 5, 3 }, Qt::green) << true;
        QTest::newRow("larger than the slot") << filled({ 256, 256 }, Qt::blue) << false;
        QTest::newRow("not 32-bit pixels") << filled(slotSize, Qt::red, QImage::Format_RGB888) << false;
    }

    void aFrameIsSharedWhenItFitsASlot()
    {
        QFETCH(QImage, frame);
        QFETCH(bool, shared);
        const Sides sides = map();
        QVERIFY(sides.program && sides.decoder);

        const int slot = sides.decoder->put(frame, 1234);
        QCOMPARE(slot >= 0, shared);
        if (!shared)
            return;
        const QImage taken = sides.program->take(slot);
        QCOMPARE(taken.size(), frame.size());
        QCOMPARE(taken.pixel(taken.width() - 1, taken.height() - 1), frame.pixel(0, 0));
        QCOMPARE(sides.program->positionOf(slot), 1234);
    }

    // A program that draws late makes the decoder skip frames; each picture gone frees its slot.
    void aSlotIsFreeOnceTheProgramsPictureIsGone()
    {
        const Sides sides = map();
        QVERIFY(sides.program && sides.decoder);
        QList<QImage> drawn;
        for (int frame = 0; frame < SharedVideoFrames::slotCount; ++frame) {
            const int slot
                = sides.decoder->put(filled(slotSize, QColor::fromHsv(frame * 90, 255, 255)), frame);
            QVERIFY(slot >= 0);
            drawn.append(sides.program->take(slot));
        }
        QCOMPARE(sides.decoder->put(filled(slotSize, Qt::white), 9), -1);

        const QImage copy = drawn.takeAt(1);
        QCOMPARE(sides.decoder->put(filled(slotSize, Qt::white), 9), -1);
        QCOMPARE(copy.pixel(0, 0), QColor::fromHsv(90, 255, 255).rgb());
        drawn.clear();
        sides.program->releaseFreeSlots();
        const int reused = sides.decoder->put(filled(slotSize, Qt::white), 9);
        QVERIFY(reused >= 0);
        QCOMPARE(sides.program->take(reused).pixel(0, 0), QColor(Qt::white).rgb());
        // The picture still held kept its frame through the release.
        QCOMPARE(copy.pixel(3, 3), QColor::fromHsv(90, 255, 255).rgb());
    }
};

QUORVANE_TEST_MAIN(SharedVideoFramesTest)
#include "tst_shared_video_frames.moc"
