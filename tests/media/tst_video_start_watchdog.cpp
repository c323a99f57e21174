#include "FakeOneShotTimer.h"
#include "TestProgram.h"
#include "media/VideoStartWatchdog.h"

#include <QTest>

using namespace Qt::StringLiterals;

class VideoStartWatchdogTest : public QObject
{
    Q_OBJECT

private slots:
    // Each step is one of: "play", "stop", "frame" (a frame is drawn), "wait <milliseconds>". A restart is
    // answered as the player does: it stops and plays again.
    void restartsAStartThatShowsNoFrame_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("restarts");

        const QString wait = u"wait %1"_s.arg(VideoStartWatchdog::firstFrameWait.count());
        const QString almost = u"wait %1"_s.arg(VideoStartWatchdog::firstFrameWait.count() - 1);

        QTest::newRow("a first frame in time") << QStringList { u"play"_s, u"frame"_s, wait, wait } << 0;
        QTest::newRow("a first frame just in time")
            << QStringList { u"play"_s, almost, u"frame"_s, wait } << 0;
        QTest::newRow("no frame") << QStringList { u"play"_s, wait } << 1;
        QTest::newRow("a frame shown before the start does not count")
            << QStringList { u"frame"_s, u"play"_s, wait } << 1;
        // Each start after one that showed nothing waits twice as long: 5 s, then 10 s, then 20 s.
        QTest::newRow("a restart that shows nothing either waits twice as long")
            << QStringList { u"play"_s, wait, wait, u"stop"_s, u"play"_s, wait, almost } << 1;
        QTest::newRow("and is then started again") << QStringList { u"play"_s, wait, wait, wait } << 2;
        QTest::newRow("a frame after the restart lets a later stall restart again")
            << QStringList { u"play"_s, wait, u"frame"_s, u"stop"_s, u"play"_s, wait } << 2;
        QTest::newRow("stopped before the wait ends")
            << QStringList { u"play"_s, almost, u"stop"_s, wait } << 0;
        QTest::newRow("each start waits afresh")
            << QStringList { u"play"_s, almost, u"stop"_s, u"play"_s, almost } << 0;
        QTest::newRow("a start after a shown frame is watched too")
            << QStringList { u"play"_s, u"frame"_s, u"stop"_s, u"play"_s, wait } << 1;
    }

    void restartsAStartThatShowsNoFrame()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, restarts);

        auto timer = std::make_unique<FakeOneShotTimer>();
        FakeOneShotTimer &time = *timer;
        VideoStartWatchdog watchdog(std::move(timer));
        int restarted = 0;
        connect(&watchdog, &VideoStartWatchdog::restartRequested, this, [&] {
            ++restarted;
            watchdog.setPlaying(false);
            watchdog.setPlaying(true);
        });

        for (const QString &step : steps) {
            if (step == u"play")
                watchdog.setPlaying(true);
            else if (step == u"stop")
                watchdog.setPlaying(false);
            else if (step == u"frame")
                watchdog.frameShown();
            else if (step.startsWith(u"wait "))
                time.advance(std::chrono::milliseconds(step.mid(5).toInt()));
            else
                QFAIL(qPrintable(u"unknown step "_s + step));
        }
        QCOMPARE(restarted, restarts);
    }
};

QUORVANE_TEST_MAIN(VideoStartWatchdogTest)
#include "tst_video_start_watchdog.moc"
