#include "ControllerHarness.h"
#include "FakeOneShotTimer.h"
#include "TestProgram.h"
#include "core/Tones.h"
#include "ui/now-playing/NowPlayingPresentation.h"
#include "ui/now-playing/NowPlayingSeekState.h"

#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <limits>

// The now-playing card's texts, geometry and buttons, its seek drag, and the controller's transport.
class NowPlayingTest : public QObject
{
    Q_OBJECT

private:
    static NowPlayingInfo track(double elapsed, double duration)
    {
        NowPlayingInfo info;
        info.trackID = QUuid(u"{6f1c2a3e-0000-4000-8000-000000000001}"_qs);
        info.title = u"Rain"_qs;
        info.fileExtension = u"MP3"_qs;
        info.trackIndex = 1;
        info.trackCount = 4;
        info.elapsedSeconds = elapsed;
        info.durationSeconds = duration;
        return info;
    }

    static NowPlayingPresentation::State state(
        const NowPlayingInfo &info, AppLanguage language = AppLanguage::chinese)
    {
        NowPlayingPresentation::State state;
        state.info = info;
        state.language = language;
        state.volume = 0.72;
        state.accent = QColor(0x33, 0xcc, 0x99);
        state.width = 410;
        state.barWidth = 200;
        return state;
    }

    static QColor white(double opacity) { return Tones::white(opacity); }

    // A seek state over a 200 s track on a 200-point strip, with its timer and the seeks it asked for.
    struct Seeking
    {
        Seeking()
        {
            auto owned = std::make_unique<FakeOneShotTimer>();
            timer = owned.get();
            seek = std::make_unique<NowPlayingSeekState>(std::move(owned));
            seek->setInfo(track(30, 200));
            seek->setBarWidth(200);
            QObject::connect(seek.get(), &NowPlayingSeekState::seekRequested,
                [this](double fraction) { seeks.append(fraction); });
        }
        FakeOneShotTimer *timer = nullptr;
        std::unique_ptr<NowPlayingSeekState> seek;
        QList<double> seeks;
    };

private slots:
    void format_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("3725 s") << 3725.0 << u"62:05"_qs;
        QTest::newRow("59.9 s") << 59.9 << u"0:59"_qs;
        QTest::newRow("zero") << 0.0 << u"0:00"_qs;
        QTest::newRow("80 s") << 80.0 << u"1:20"_qs;
        QTest::newRow("negative") << -3.0 << u"0:00"_qs;
        QTest::newRow("nan") << std::nan("") << u"0:00"_qs;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << u"0:00"_qs;
    }

    void format()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(NowPlayingPresentation::format(seconds), text);
    }

    void seekFraction_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("fraction");
        QTest::newRow("40 %") << 80.0 << 200.0 << 0.4;
        QTest::newRow("left of the start") << -35.0 << 200.0 << 0.0;
        QTest::newRow("beyond the end") << 480.0 << 200.0 << 1.0;
        QTest::newRow("width 0") << 50.0 << 0.0 << 0.0;
        QTest::newRow("width 0, x 0") << 0.0 << 0.0 << 0.0;
        QTest::newRow("x nan") << std::nan("") << 200.0 << 0.0;
        QTest::newRow("width nan") << 50.0 << std::nan("") << 0.0;
    }

    void seekFraction()
    {
        QFETCH(double, x);
        QFETCH(double, width);
        QFETCH(double, fraction);
        QCOMPARE(NowPlayingPresentation::seekFraction(x, width), fraction);
    }

    void timeAndBar_data()
    {
        QTest::addColumn<double>("elapsed");
        QTest::addColumn<double>("duration");
        QTest::addColumn<bool>("isSeeking");
        QTest::addColumn<double>("preview");
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("fill");
        QTest::addColumn<double>("knob");
        QTest::addColumn<double>("increment");
        QTest::addColumn<double>("decrement");
        // The accessible value: the player's position in seconds, never the drag's preview.
        QTest::addColumn<double>("elapsedSeconds");
        QTest::newRow("duration unknown")
            << 42.0 << 0.0 << false << 0.0 << u"0:42"_qs << 3.0 << 0.0 << 1.0 << 0.0 << 0.0;
        QTest::newRow("preview at 40 % of 200 s")
            << 30.0 << 200.0 << true << 0.4 << u"1:20 / 3:20"_qs << 80.0 << 75.5 << 0.2 << 0.1 << 30.0;
        QTest::newRow("playing at 80 s of 200 s")
            << 80.0 << 200.0 << false << 0.9 << u"1:20 / 3:20"_qs << 80.0 << 75.5 << 0.45 << 0.35 << 80.0;
        QTest::newRow("preview at the end")
            << 30.0 << 200.0 << true << 1.0 << u"3:20 / 3:20"_qs << 200.0 << 191.0 << 0.2 << 0.1 << 30.0;
        QTest::newRow("elapsed past the duration")
            << 250.0 << 200.0 << false << 0.0 << u"4:10 / 3:20"_qs << 200.0 << 191.0 << 1.0 << 0.95 << 200.0;
        QTest::newRow("at the start")
            << 0.0 << 200.0 << false << 0.0 << u"0:00 / 3:20"_qs << 3.0 << 0.0 << 0.05 << 0.0 << 0.0;
    }

    void timeAndBar()
    {
        QFETCH(double, elapsed);
        QFETCH(double, duration);
        QFETCH(bool, isSeeking);
        QFETCH(double, preview);
        NowPlayingPresentation::State input = state(track(elapsed, duration));
        input.isSeeking = isSeeking;
        input.seekPreviewProgress = preview;
        const NowPlayingPresentation p = NowPlayingPresentation::make(input);
        QTEST(p.timeLabel, "label");
        QTEST(p.fillWidth, "fill");
        QTEST(p.knobOffset, "knob");
        QTEST(p.incrementFraction, "increment");
        QTEST(p.decrementFraction, "decrement");
        QTEST(p.elapsedSeconds, "elapsedSeconds");
    }

    void knobStaysOnANarrowBar()
    {
        NowPlayingPresentation::State input = state(track(100, 200));
        input.barWidth = 5;
        const NowPlayingPresentation p = NowPlayingPresentation::make(input);
        QCOMPARE(p.fillWidth, 3.0);
        QCOMPARE(p.knobOffset, 0.0);
    }

    // The bar looks active while a drag is on or the pointer is over it.
    void seekBarActiveLook_data()
    {
        QTest::addColumn<bool>("isSeeking");
        QTest::addColumn<bool>("hovered");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("trackOpacity");
        QTest::addColumn<bool>("knob");
        QTest::newRow("idle") << false << false << 3.0 << Tones::separator() << false;
        QTest::newRow("hovered") << false << true << 4.0 << Tones::outlineStrong() << true;
        QTest::newRow("dragging") << true << false << 4.0 << Tones::outlineStrong() << true;
        QTest::newRow("dragging, hovered") << true << true << 4.0 << Tones::outlineStrong() << true;
    }

    void seekBarActiveLook()
    {
        QFETCH(bool, isSeeking);
        QFETCH(bool, hovered);
        QFETCH(double, trackOpacity);
        NowPlayingPresentation::State input = state(track(80, 200));
        input.isSeeking = isSeeking;
        input.progressIsHovered = hovered;
        const NowPlayingPresentation p = NowPlayingPresentation::make(input);
        QTEST(p.seekBarHeight, "height");
        QCOMPARE(p.seekTrackColor, white(trackOpacity));
        QTEST(p.showsSeekKnob, "knob");
    }

    void volume_data()
    {
        QTest::addColumn<double>("volume");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("muted");
        QTest::newRow("0") << 0.0 << u"speaker.slash.fill"_qs << u"0%"_qs << true;
        QTest::newRow("0.001") << 0.001 << u"speaker.slash.fill"_qs << u"0%"_qs << true;
        QTest::newRow("0.0011") << 0.0011 << u"speaker.wave.1.fill"_qs << u"0%"_qs << false;
        QTest::newRow("0.499") << 0.499 << u"speaker.wave.1.fill"_qs << u"50%"_qs << false;
        QTest::newRow("0.5") << 0.5 << u"speaker.wave.2.fill"_qs << u"50%"_qs << false;
        QTest::newRow("0.72") << 0.72 << u"speaker.wave.2.fill"_qs << u"72%"_qs << false;
        QTest::newRow("1") << 1.0 << u"speaker.wave.2.fill"_qs << u"100%"_qs << false;
    }

    void volume()
    {
        QFETCH(double, volume);
        QFETCH(bool, muted);
        NowPlayingPresentation::State input = state(track(0, 200));
        input.volume = volume;
        const NowPlayingPresentation p = NowPlayingPresentation::make(input);
        QTEST(p.volumeSymbol, "symbol");
        QTEST(p.volumeText, "text");
        QCOMPARE(p.volumeSymbolColor,
            muted ? white(Tones::textTertiary()) : QColor::fromRgbF(0.2f, 0.8f, 0.6f, 0.9f));
    }

    void infoLine_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<bool>("shuffle");
        QTest::addColumn<bool>("repeatOne");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("showsExtension");
        // position, separator, mode word, extension
        QTest::newRow("chinese, one track")
            << AppLanguage::chinese << qint64(1) << false << false << u"MP3"_qs
            << QStringList { u"第 1 / 1 首"_qs, u"·"_qs, u"顺序循环"_qs, u"MP3"_qs } << true;
        QTest::newRow("english, one track")
            << AppLanguage::english << qint64(1) << false << false << u"MP3"_qs
            << QStringList { u"1 / 1"_qs, u"·"_qs, u"In Order"_qs, u"MP3"_qs } << true;
        QTest::newRow("chinese, shuffle, no extension")
            << AppLanguage::chinese << qint64(5) << true << false << u""_qs
            << QStringList { u"第 1 / 5 首"_qs, u"·"_qs, u"随机循环"_qs, u""_qs } << false;
        QTest::newRow("english, shuffle")
            << AppLanguage::english << qint64(5) << true << false << u"FLAC"_qs
            << QStringList { u"1 / 5"_qs, u"·"_qs, u"Shuffle"_qs, u"FLAC"_qs } << true;
        QTest::newRow("chinese, repeat one")
            << AppLanguage::chinese << qint64(5) << true << true << u"WAV"_qs
            << QStringList { u"第 1 / 5 首"_qs, u"·"_qs, u"单曲循环"_qs, u"WAV"_qs } << true;
        QTest::newRow("english, repeat one")
            << AppLanguage::english << qint64(5) << false << true << u""_qs
            << QStringList { u"1 / 5"_qs, u"·"_qs, u"Repeat One"_qs, u""_qs } << false;
    }

    void infoLine()
    {
        QFETCH(AppLanguage, language);
        QFETCH(qint64, count);
        QFETCH(bool, shuffle);
        QFETCH(bool, repeatOne);
        QFETCH(QString, extension);
        QFETCH(QStringList, texts);
        NowPlayingInfo info = track(0, 200);
        info.trackIndex = 0;
        info.trackCount = count;
        info.playbackMode = shuffle ? AudioPlaybackMode::shuffle : AudioPlaybackMode::sequential;
        info.isRepeatingCurrentTrack = repeatOne;
        info.fileExtension = extension;
        const NowPlayingPresentation p = NowPlayingPresentation::make(state(info, language));
        QCOMPARE((QStringList { p.positionText, p.separator, p.modeWord, p.fileExtension }), texts);
        QTEST(p.showsExtension, "showsExtension");
    }

    void skipButtonsNeedTwoTracks_data()
    {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<double>("opacity");
        QTest::newRow("one track") << qint64(1) << false << Tones::textDisabled();
        QTest::newRow("two tracks") << qint64(2) << true << Tones::textParagraph();
        QTest::newRow("no tracks") << qint64(0) << false << Tones::textDisabled();
    }

    void skipButtonsNeedTwoTracks()
    {
        QFETCH(qint64, count);
        QFETCH(bool, enabled);
        QFETCH(double, opacity);
        NowPlayingInfo info = track(0, 200);
        info.trackCount = count;
        const NowPlayingPresentation p = NowPlayingPresentation::make(state(info));
        for (const NowPlayingButton &button : { p.previous, p.next }) {
            QCOMPARE(button.enabled, enabled);
            QCOMPARE(button.symbolColor, white(opacity));
        }
        QVERIFY(p.playPause.enabled && p.mode.enabled && p.repeatOne.enabled);
    }

    void buttons_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<bool>("repeatOne");
        // Each list: symbol, label, value, tooltip title, tooltip detail.
        QTest::addColumn<QStringList>("playPause");
        QTest::addColumn<QStringList>("mode");
        QTest::addColumn<QStringList>("repeat");
        QTest::newRow("chinese, playing")
            << AppLanguage::chinese << false << false
            << QStringList { u"pause.fill"_qs, u"暂停音乐"_qs, u""_qs, u"暂停音乐"_qs,
                   u"只暂停音乐，专注计时继续运行"_qs }
            << QStringList { u"repeat"_qs, u"随机循环"_qs, u""_qs, u"顺序循环"_qs, u"点击切换为随机循环"_qs }
            << QStringList { u"repeat.1"_qs, u"单曲循环"_qs, u""_qs, u"单曲循环"_qs,
                   u"重复当前音乐，并暂时弹起前面的列表模式"_qs };
        QTest::newRow("english, paused, repeat one")
            << AppLanguage::english << true << true
            << QStringList { u"play.fill"_qs, u"Pause Music"_qs, u""_qs, u"Resume Playback"_qs,
                   u"Continue the current track from this position"_qs }
            << QStringList { u"repeat"_qs, u"Shuffle"_qs, u"Inactive during Repeat One"_qs, u"In Order"_qs,
                   u"Exit Repeat One and switch the playlist mode"_qs }
            << QStringList { u"repeat.1"_qs, u"Repeat One"_qs, u""_qs, u"Turn Off Repeat One"_qs,
                   u"Restore the playlist mode"_qs };
        QTest::newRow("chinese, repeat one")
            << AppLanguage::chinese << true << true
            << QStringList { u"play.fill"_qs, u"暂停音乐"_qs, u""_qs, u"继续播放"_qs,
                   u"从当前位置继续当前音乐"_qs }
            << QStringList { u"repeat"_qs, u"随机循环"_qs, u"单曲循环期间暂停"_qs, u"顺序循环"_qs,
                   u"点击退出单曲循环并切换列表播放模式"_qs }
            << QStringList { u"repeat.1"_qs, u"单曲循环"_qs, u""_qs, u"关闭单曲循环"_qs,
                   u"恢复前面的列表播放模式"_qs };
        QTest::newRow("english, playing")
            << AppLanguage::english << false << false
            << QStringList { u"pause.fill"_qs, u"Pause Music"_qs, u""_qs, u"Pause Music"_qs,
                   u"Pause only the music; focus timing continues"_qs }
            << QStringList { u"repeat"_qs, u"Shuffle"_qs, u""_qs, u"In Order"_qs,
                   u"Switch to shuffle playback"_qs }
            << QStringList { u"repeat.1"_qs, u"Repeat One"_qs, u""_qs, u"Repeat One"_qs,
                   u"Repeat this track and temporarily deactivate the playlist mode"_qs };
    }

    void buttons()
    {
        QFETCH(AppLanguage, language);
        QFETCH(bool, paused);
        QFETCH(bool, repeatOne);
        NowPlayingInfo info = track(0, 200);
        info.isPaused = paused;
        info.isRepeatingCurrentTrack = repeatOne;
        const NowPlayingPresentation p = NowPlayingPresentation::make(state(info, language));
        const auto texts = [](const NowPlayingButton &b) {
            return QStringList { b.symbol, b.label, b.value, b.tooltipTitle, b.tooltipDetail };
        };
        QTEST(texts(p.playPause), "playPause");
        QTEST(texts(p.mode), "mode");
        QTEST(texts(p.repeatOne), "repeat");
        // Switches named alike in either state, which they tell as checked.
        QCOMPARE((QList<bool> { p.playPause.checked, p.mode.checked, p.repeatOne.checked }),
            (QList<bool> { paused, false, repeatOne }));
        QCOMPARE(p.mode.symbolColor,
            repeatOne ? white(Tones::placeholder()) : QColor::fromRgbF(0.2f, 0.8f, 0.6f, 0.9f));
    }

    void skipButtonTexts()
    {
        const NowPlayingPresentation zh = NowPlayingPresentation::make(state(track(0, 200)));
        const NowPlayingPresentation en
            = NowPlayingPresentation::make(state(track(0, 200), AppLanguage::english));
        QCOMPARE((QStringList { zh.previous.label, zh.next.label, en.previous.label, en.next.label }),
            (QStringList { u"上一首"_qs, u"下一首"_qs, u"Previous Track"_qs, u"Next Track"_qs }));
        QCOMPARE(en.next.tooltipDetail, u"Skip to another track in this playlist"_qs);
    }

    void statusAndSummary_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<bool>("focus");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("summary");
        QTest::newRow("chinese, focus, playing")
            << AppLanguage::chinese << true << false << u"专注声场 · 正在播放"_qs
            << u"专注音乐正在播放，Rain，第 2 首，共 4 首"_qs;
        QTest::newRow("chinese, break, paused")
            << AppLanguage::chinese << false << true << u"休整声场 · 已暂停"_qs
            << u"提醒音乐已暂停，Rain，第 2 首，共 4 首"_qs;
        QTest::newRow("english, focus, paused")
            << AppLanguage::english << true << true << u"FOCUS · PAUSED"_qs
            << u"Focus music paused: Rain, track 2 of 4"_qs;
        QTest::newRow("english, break, playing")
            << AppLanguage::english << false << false << u"BREAK · PLAYING"_qs
            << u"Break music playing: Rain, track 2 of 4"_qs;
    }

    void statusAndSummary()
    {
        QFETCH(AppLanguage, language);
        QFETCH(bool, focus);
        QFETCH(bool, paused);
        NowPlayingInfo info = track(0, 200);
        info.kind = focus ? AudioPlaylistKind::focus : AudioPlaylistKind::reminder;
        info.isPaused = paused;
        const NowPlayingPresentation p = NowPlayingPresentation::make(state(info, language));
        QTEST(p.statusText, "status");
        QTEST(p.summary, "summary");
    }

    void fixedTexts_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("chinese") << AppLanguage::chinese << QStringList { u"播放进度"_qs, u"音乐音量"_qs };
        QTest::newRow("english") << AppLanguage::english
                                 << QStringList { u"Playback Position"_qs, u"Music Volume"_qs };
    }

    void fixedTexts()
    {
        QFETCH(AppLanguage, language);
        const NowPlayingPresentation p = NowPlayingPresentation::make(state(track(0, 200), language));
        QTEST((QStringList { p.progressLabel, p.volumeLabel }), "texts");
    }

    void headerSpacing_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("spacing");
        QTest::newRow("320") << 320.0 << 4;
        QTest::newRow("359.9") << 359.9 << 4;
        QTest::newRow("360") << 360.0 << 6;
        QTest::newRow("380") << 380.0 << 6;
        QTest::newRow("410") << 410.0 << 6;
    }

    void headerSpacing()
    {
        QFETCH(double, width);
        NowPlayingPresentation::State input = state(track(0, 200));
        input.width = width;
        QTEST(NowPlayingPresentation::make(input).headerSpacing, "spacing");
    }

    void accessibilityStepIsTenSeconds_data()
    {
        QTest::addColumn<double>("duration");
        QTest::addColumn<double>("step");
        QTest::newRow("unknown") << 0.0 << 10.0;
        QTest::newRow("half a second") << 0.5 << 10.0;
        QTest::newRow("200 s") << 200.0 << 0.05;
    }

    void accessibilityStepIsTenSeconds()
    {
        QFETCH(double, duration);
        QTEST(NowPlayingPresentation::make(state(track(0, duration))).accessibilityStep, "step");
    }

    void releaseSeeksOnceAndHoldsThePreview()
    {
        Seeking s;
        s.seek->press(10);
        s.seek->move(60);
        s.seek->move(80);
        QVERIFY(s.seeks.isEmpty());
        QVERIFY(s.seek->isSeeking());
        s.seek->release(80);
        QCOMPARE(s.seeks, QList<double> { 0.4 });
        QCOMPARE(s.seek->presentation().timeLabel, u"1:20 / 3:20"_qs);
        // The player's record at the new position arrives at once.
        s.seek->setInfo(track(80, 200));
        s.timer->advance(std::chrono::milliseconds(179));
        QVERIFY(s.seek->isSeeking());
        s.timer->advance(std::chrono::milliseconds(1));
        QVERIFY(!s.seek->isSeeking());
        QCOMPARE(s.seek->presentation().timeLabel, u"1:20 / 3:20"_qs);
        QCOMPARE(s.seeks.size(), 1);
    }

    void dragsPastEitherEnd_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("fraction");
        QTest::newRow("left") << -50.0 << 0.0;
        QTest::newRow("right") << 900.0 << 1.0;
    }

    void dragsPastEitherEnd()
    {
        QFETCH(double, x);
        QFETCH(double, fraction);
        Seeking s;
        s.seek->press(100);
        s.seek->move(x);
        QCOMPARE(s.seek->seekPreviewProgress(), fraction);
        s.seek->release(x);
        QCOMPARE(s.seeks, QList<double> { fraction });
    }

    void withoutDurationOrWidthNothingSeeks_data()
    {
        QTest::addColumn<double>("duration");
        QTest::addColumn<double>("barWidth");
        QTest::newRow("duration 0") << 0.0 << 200.0;
        QTest::newRow("width 0") << 200.0 << 0.0;
    }

    void withoutDurationOrWidthNothingSeeks()
    {
        QFETCH(double, duration);
        QFETCH(double, barWidth);
        Seeking s;
        s.seek->setInfo(track(30, duration));
        s.seek->setBarWidth(barWidth);
        s.seek->press(50);
        QVERIFY(!s.seek->isSeeking());
        s.seek->release(50);
        QVERIFY(!s.seek->isSeeking());
        QVERIFY(!s.timer->isPending());
        QVERIFY(s.seeks.isEmpty());
    }

    // A drag that loses its pointer ends at once, before or during the hold after its release, and
    // asks for no seek of its own.
    void aLostGrabEndsTheDragWithoutSeeking_data()
    {
        QTest::addColumn<bool>("released");
        QTest::addColumn<QList<double>>("seeks");
        QTest::newRow("mid drag") << false << QList<double> {};
        QTest::newRow("in the hold after the release") << true << QList<double> { 0.6 };
    }

    void aLostGrabEndsTheDragWithoutSeeking()
    {
        QFETCH(bool, released);
        Seeking s;
        s.seek->press(40);
        s.seek->move(120);
        if (released)
            s.seek->release(120);
        s.seek->cancel();
        QVERIFY(!s.seek->isSeeking());
        QVERIFY(!s.timer->isPending());
        QCOMPARE(s.seek->presentation().timeLabel, u"0:30 / 3:20"_qs);
        QTEST(s.seeks, "seeks");
    }

    void newTrackResetsAtOnce()
    {
        Seeking s;
        s.seek->press(120);
        NowPlayingInfo next = track(0, 200);
        next.trackID = QUuid::createUuid();
        s.seek->setInfo(next);
        QVERIFY(!s.seek->isSeeking());
        QCOMPARE(s.seek->seekPreviewProgress(), 0.0);
        QCOMPARE(s.seek->presentation().timeLabel, u"0:00 / 3:20"_qs);
    }

    void newPressKeepsSeeking()
    {
        Seeking s;
        s.seek->press(40);
        s.seek->release(40);
        s.timer->advance(std::chrono::milliseconds(100));
        s.seek->press(150);
        s.timer->advance(std::chrono::milliseconds(500));
        QVERIFY(s.seek->isSeeking());
        QCOMPARE(s.seek->presentation().displayedProgress, 0.75);
        s.seek->release(150);
        QCOMPARE(s.seeks, (QList<double> { 0.2, 0.75 }));
    }

    void accessibleAdjustmentsSeekByTenSeconds()
    {
        Seeking s;
        s.seek->increment();
        s.seek->decrement();
        QCOMPARE(s.seeks.size(), 2);
        QCOMPARE(s.seeks.at(0), 0.2);
        QCOMPARE(s.seeks.at(1), 0.1);
        s.seek->setInfo(track(0, 0));
        s.seek->increment();
        QCOMPARE(s.seeks.last(), 1.0);
    }

    void skipsNeedTwoTracks_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("moves");
        QTest::newRow("one track") << 1 << false;
        QTest::newRow("two tracks") << 2 << true;
    }

    void skipsNeedTwoTracks()
    {
        QFETCH(int, count);
        QFETCH(bool, moves);
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.focusPlaylist.isEnabled = true;
        for (int i = 0; i < count; ++i) {
            const QString path = harness.file(u"track%1.wav"_qs.arg(i));
            QVERIFY(writeFileBytes(path, "RIFF"));
            preferences.focusPlaylist.tracks.append({ QUuid::createUuid(), u"track%1"_qs.arg(i), path });
        }
        AppController &controller = harness.startWithStored(preferences);
        QVERIFY(controller.music()->nowPlaying());
        const NowPlayingInfo first = *controller.music()->nowPlaying();
        QSignalSpy published(controller.music(), &Music::nowPlayingChanged);

        controller.music()->skipToNextTrack();
        QCOMPARE(controller.music()->nowPlaying()->trackID != first.trackID, moves);
        controller.music()->skipToPreviousTrack();
        QCOMPARE(controller.music()->nowPlaying()->trackID, first.trackID);
        QCOMPARE(published.size(), moves ? 2 : 0);
    }

    void transportReachesThePlayer()
    {
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.focusPlaylist.isEnabled = true;
        const QString path = harness.file(u"one.wav"_qs);
        QVERIFY(writeFileBytes(path, "RIFF"));
        preferences.focusPlaylist.tracks.append({ QUuid::createUuid(), u"one"_qs, path });
        AppController &controller = harness.startWithStored(preferences);
        QVERIFY(controller.music()->nowPlaying());
        QVERIFY(controller.music()->nowPlayingValue().canConvert<NowPlayingInfo>());
        controller.music()->togglePause();
        QVERIFY(controller.music()->nowPlaying()->isPaused);
        controller.music()->toggleRepeatCurrentTrack();
        QVERIFY(controller.music()->nowPlaying()->isRepeatingCurrentTrack);
        controller.music()->setVolume(0.25);
        QCOMPARE(controller.music()->volume(), 0.25);
    }
};

QUORVANE_TEST_GUILESS_MAIN(NowPlayingTest)
#include "tst_now_playing.moc"
