#include "ControllerHarness.h"
#include "FixedTimeTrackPlayer.h"
#include "MainWindowViews.h"
#include "TestProgram.h"
#include "media/AudioController.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

// The now-playing card in the main window over a player that stands still: its controls act on the
// controller, a seek drag previews without seeking and seeks once on release, and each of its three
// hosts shows it only while music plays.
class UiNowPlayingTest : public QObject
{
    Q_OBJECT

private:
    ControllerHarness m_harness;
    AppController *m_controller = nullptr;
    MainWindowViews m_views;
    std::shared_ptr<FixedTrackTimes> m_times = std::make_shared<FixedTrackTimes>();

    QQuickItem *find(const QString &name, QObject *within = nullptr) const
    {
        return (within ? within : m_views.window)->findChild<QQuickItem *>(name);
    }

    bool isShown(const QString &name) const
    {
        const QQuickItem *item = find(name);
        return item && item->isVisible();
    }

    QQuickItem *consoleCard() const { return find(QStringLiteral("consoleNowPlayingCard")); }

    QString timeLabel() const
    {
        return find(QStringLiteral("nowPlayingTime"), consoleCard())->property("text").toString();
    }

    // The window point over x (in the item's own coordinates) on the item's middle line, rounded up to
    // a whole pixel.
    QPoint pointOver(QQuickItem *item, double x) const
    {
        const QPointF origin = item->mapToScene(QPointF(0, item->height() / 2));
        return QPoint(int(std::ceil(origin.x() + x)), int(std::round(origin.y())));
    }

    bool click(QQuickItem *item)
    {
        if (!item || !QTest::qWaitFor([item] { return item->isVisible() && item->width() > 0; }))
            return false;
        const QPoint centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
        QTest::mouseClick(m_views.window, Qt::LeftButton, {}, centre);
        return true;
    }

    // The player reports where it stands, as its periodic report would.
    void standAt(double seconds)
    {
        m_times->positionSeconds = seconds;
        m_controller->music()->player().reportPlaybackTime();
    }

private slots:
    void initTestCase()
    {
        AppPreferences preferences;
        const QString music = m_harness.file(QStringLiteral("music"));
        QVERIFY(addToneTracks(preferences.focusPlaylist, music, { u"Rain"_qs, u"River"_qs }));
        QVERIFY(addToneTracks(preferences.reminderPlaylist, music, { u"Birds"_qs, u"Wind"_qs }));
        QVERIFY(AppStorageService::savePreferences(preferences, m_harness.root()).ok());
        m_controller = &m_harness.start([this](AppControllerSeams &seams) {
            seams.trackPlayers = FixedTimeTrackPlayer::factory(m_times);
        });
        QVERIFY(m_controller->music()->nowPlaying());
        QVERIFY(m_views.load(*m_controller));
        m_views.window->resize(760, 540);
        QTRY_COMPARE(m_views.root->width(), 760.0);
        QTRY_VERIFY(consoleCard() && consoleCard()->isVisible());
        standAt(30);
    }

    // Each round button, pressed twice in turn where that brings the record back.
    void controlsReachTheController_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::newRow("pause") << u"nowPlayingPlayPause"_qs << u"isPaused"_qs;
        QTest::newRow("resume") << u"nowPlayingPlayPause"_qs << u"isPaused"_qs;
        QTest::newRow("repeat one on") << u"nowPlayingRepeatOne"_qs << u"isRepeatingCurrentTrack"_qs;
        QTest::newRow("repeat one off") << u"nowPlayingRepeatOne"_qs << u"isRepeatingCurrentTrack"_qs;
        QTest::newRow("shuffle") << u"nowPlayingMode"_qs << u"playbackMode"_qs;
        QTest::newRow("in order") << u"nowPlayingMode"_qs << u"playbackMode"_qs;
        QTest::newRow("next") << u"nowPlayingNext"_qs << u"trackIndex"_qs;
        QTest::newRow("previous") << u"nowPlayingPrevious"_qs << u"trackIndex"_qs;
    }

    void controlsReachTheController()
    {
        QFETCH(QString, button);
        QFETCH(QString, field);
        const auto read = [&](const NowPlayingInfo &info) {
            if (field == u"isPaused")
                return QVariant(info.isPaused);
            if (field == u"isRepeatingCurrentTrack")
                return QVariant(info.isRepeatingCurrentTrack);
            if (field == u"playbackMode")
                return QVariant(int(info.playbackMode));
            return QVariant(info.trackIndex);
        };
        const QVariant before = read(*m_controller->music()->nowPlaying());
        const bool wasPlaying = m_times->playing;

        QVERIFY(click(find(button, consoleCard())));
        QVERIFY(m_controller->music()->nowPlaying());
        QVERIFY(read(*m_controller->music()->nowPlaying()) != before);
        if (field == u"isPaused")
            QCOMPARE(m_times->playing, !wasPlaying);
        if (field == u"playbackMode")
            QCOMPARE(m_controller->preferences().focusPlaylist.playbackMode,
                m_controller->music()->nowPlaying()->playbackMode);
    }

    // A drag shows where it would seek and seeks nothing; the player's reports meanwhile do not move
    // the label. The release seeks once, and the label stays where the release put it.
    void dragPreviewsAndReleaseSeeksOnce_data()
    {
        QTest::addColumn<double>("releaseAt");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("grabLost");
        QTest::newRow("at 40 %") << 0.4 << 80.0 << u"1:20 / 3:20"_qs << false;
        QTest::newRow("left of the bar") << -0.1 << 0.0 << u"0:00 / 3:20"_qs << false;
        QTest::newRow("beyond its end") << 1.1 << 200.0 << u"3:20 / 3:20"_qs << false;
        // Another item takes the pointer mid drag: the preview goes at once and nothing seeks.
        QTest::newRow("grab lost") << 0.4 << 0.0 << u"0:30 / 3:20"_qs << true;
    }

    void dragPreviewsAndReleaseSeeksOnce()
    {
        QFETCH(double, releaseAt);
        QFETCH(double, seconds);
        QFETCH(QString, label);
        QFETCH(bool, grabLost);
        QQuickItem *strip = find(QStringLiteral("nowPlayingSeekStrip"), consoleCard());
        QObject *seekState = consoleCard()->findChild<QObject *>(QStringLiteral("nowPlayingSeekState"));
        QVERIFY(strip && seekState);
        QTRY_VERIFY(!seekState->property("isSeeking").toBool());
        standAt(30);
        m_times->seeks.clear();
        QCOMPARE(timeLabel(), u"0:30 / 3:20"_qs);
        const double width = strip->width();
        // The pointer over the strip alone gives it its active look, the knob with it.
        QQuickItem *knob = find(QStringLiteral("nowPlayingSeekKnob"), consoleCard());
        QTest::mouseMove(m_views.window, QPoint(5, 5));
        QTRY_VERIFY(!knob->isVisible());
        QTest::mouseMove(m_views.window, pointOver(strip, 0.1 * width));
        QTRY_VERIFY(knob->isVisible());

        QTest::mousePress(m_views.window, Qt::LeftButton, {}, pointOver(strip, 0.1 * width));
        QTest::mouseMove(m_views.window, pointOver(strip, 0.25 * width));
        QCOMPARE(timeLabel(), u"0:50 / 3:20"_qs);
        standAt(30);
        QCOMPARE(timeLabel(), u"0:50 / 3:20"_qs);
        QVERIFY(m_times->seeks.isEmpty());

        const QPoint release = pointOver(strip, releaseAt * width);
        if (grabLost) {
            find(QStringLiteral("nowPlayingSeekArea"), consoleCard())->ungrabMouse();
            QVERIFY(!seekState->property("isSeeking").toBool());
            QCOMPARE(timeLabel(), label);
            QTest::mouseRelease(m_views.window, Qt::LeftButton, {}, release);
            QVERIFY(m_times->seeks.isEmpty());
            return;
        }
        QTest::mouseRelease(m_views.window, Qt::LeftButton, {}, release);
        QCOMPARE(m_times->seeks.size(), 1);
        // The pointer lands on a whole pixel at or just right of the point asked for: at most one
        // pixel's worth of the 200 s track beyond the expected time.
        const double seek = m_times->seeks.constFirst();
        QVERIFY2(seek >= seconds && seek <= seconds + 200 / width, qPrintable(QString::number(seek)));
        QCOMPARE(timeLabel(), label);
        QTRY_VERIFY(!seekState->property("isSeeking").toBool());
        QCOMPARE(timeLabel(), label);
        QCOMPARE(m_times->seeks.size(), 1);
    }

    void theSliderSetsTheVolume_data()
    {
        QTest::addColumn<double>("at");
        QTest::addColumn<double>("volume");
        QTest::addColumn<QString>("symbol");
        // The handle is 10 wide: its middle travels from 5 to 57.
        QTest::newRow("left end") << 1.0 << 0.0 << u"speaker.slash.fill"_qs;
        QTest::newRow("a quarter") << 18.0 << 0.25 << u"speaker.wave.1.fill"_qs;
        QTest::newRow("right end") << 61.0 << 1.0 << u"speaker.wave.2.fill"_qs;
    }

    void theSliderSetsTheVolume()
    {
        QFETCH(double, at);
        QFETCH(double, volume);
        QFETCH(QString, symbol);
        QQuickItem *slider = find(QStringLiteral("nowPlayingVolumeSlider"), consoleCard());
        QVERIFY(slider);
        QTest::mouseClick(m_views.window, Qt::LeftButton, {}, pointOver(slider, at));
        QVERIFY(qAbs(m_controller->music()->volume() - volume) < 0.03);
        QCOMPARE(slider->property("value").toDouble(), m_controller->music()->volume());
        QCOMPARE(find(QStringLiteral("nowPlayingVolumeSymbol"), consoleCard())->property("name").toString(),
            symbol);
    }

    // Each host shows its card while music plays and gives up its place when it stops; the root view's
    // card is there only in the break phases.
    void eachHostShowsItsCard_data()
    {
        QTest::addColumn<SessionPhase>("phase");
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("card");
        QTest::addColumn<double>("width");
        QTest::newRow("focus") << SessionPhase::Focus << u"consoleNowPlayingPlace"_qs
                               << u"consoleNowPlayingCard"_qs << 410.0;
        QTest::newRow("round complete") << SessionPhase::SessionComplete << u"roundCompleteNowPlayingPlace"_qs
                                        << u"roundCompleteNowPlayingCard"_qs << 380.0;
        QTest::newRow("wheel") << SessionPhase::Wheel << u"breakNowPlayingPlace"_qs
                               << u"breakNowPlayingCard"_qs << 320.0;
        QTest::newRow("activity") << SessionPhase::Activity << u"breakNowPlayingPlace"_qs
                                  << u"breakNowPlayingCard"_qs << 320.0;
    }

    void eachHostShowsItsCard()
    {
        QFETCH(SessionPhase, phase);
        QFETCH(QString, place);
        QFETCH(QString, card);
        QFETCH(double, width);
        m_harness.reach(phase);
        QVERIFY(m_controller->music()->nowPlaying());
        QTRY_VERIFY(isShown(card));
        QCOMPARE(find(card)->width(), width);
        QVERIFY(isShown(place));
        const bool inBreak = phase == SessionPhase::Wheel || phase == SessionPhase::Activity;
        QCOMPARE(isShown(u"breakNowPlayingCard"_qs), inBreak);
        for (const QString &other : { u"consoleNowPlayingCard"_qs, u"roundCompleteNowPlayingCard"_qs }) {
            if (other != card)
                QVERIFY(!isShown(other));
        }

        const NowPlayingInfo playing = *m_controller->music()->nowPlaying();
        m_controller->music()->player().stop();
        QTRY_VERIFY(!isShown(card));
        QVERIFY(!isShown(place) || place == u"breakNowPlayingPlace");

        m_controller->music()->player().play(playing.kind == AudioPlaylistKind::focus
                ? m_controller->preferences().focusPlaylist
                : m_controller->preferences().reminderPlaylist,
            playing.kind, m_controller->music()->volume(), false);
        QTRY_VERIFY(isShown(card));
    }

    void cleanupTestCase() { m_controller->shutdown(); }
};

QUORVANE_TEST_MAIN(UiNowPlayingTest)
#include "tst_ui_now_playing.moc"
