#include "TestProgram.h"
#include "app/HeaderPresentation.h"

#include <QTest>


// What the header bar shows for the controller's state, in both languages.
class HeaderPresentationTest : public QObject
{
    Q_OBJECT

private:
    static HeaderPresentation::State state(AppLanguage language)
    {
        HeaderPresentation::State state;
        state.language = language;
        return state;
    }

private slots:
    void statusRowsWriteNumbersPlainly_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QStringList>("round");
        QTest::addColumn<QStringList>("health");
        QTest::addColumn<QStringList>("completed");

        // Each row: value, accessibility label, tooltip title, tooltip detail.
        QTest::newRow("chinese, 12345") << AppLanguage::chinese << qint64(12345)
                                        << QStringList { u"第 12345 轮"_qs, u"第 12345 轮"_qs, u"当前轮次"_qs,
                                               u"今天正在进行第 12345 个番茄"_qs }
                                        << QStringList { u"12345 健康分"_qs, u"今日健康分 12345"_qs,
                                               u"今日健康分"_qs, u"完成休整项目后累计获得的健康分"_qs }
                                        << QStringList { u"完成 12345 项"_qs, u"今日番茄 12345"_qs,
                                               u"今日番茄"_qs, u"今天完整完成的专注时段数量"_qs };
        QTest::newRow("english, 12345")
            << AppLanguage::english << qint64(12345)
            << QStringList { u"Round 12345"_qs, u"Round 12345"_qs, u"Current Round"_qs,
                   u"Focus round 12345 for today"_qs }
            << QStringList { u"12345 Health"_qs, u"Health today: 12345"_qs, u"Today's Health"_qs,
                   u"Health points earned from completed break activities"_qs }
            << QStringList { u"12345 Completed"_qs, u"Focus rounds today: 12345"_qs, u"Focus Rounds Today"_qs,
                   u"Focus sessions fully completed today"_qs };
        QTest::newRow("chinese, 0") << AppLanguage::chinese << qint64(0)
                                    << QStringList { u"第 0 轮"_qs, u"第 0 轮"_qs, u"当前轮次"_qs,
                                           u"今天正在进行第 0 个番茄"_qs }
                                    << QStringList { u"0 健康分"_qs, u"今日健康分 0"_qs, u"今日健康分"_qs,
                                           u"完成休整项目后累计获得的健康分"_qs }
                                    << QStringList { u"完成 0 项"_qs, u"今日番茄 0"_qs, u"今日番茄"_qs,
                                           u"今天完整完成的专注时段数量"_qs };
        QTest::newRow("english, 0") << AppLanguage::english << qint64(0)
                                    << QStringList { u"Round 0"_qs, u"Round 0"_qs, u"Current Round"_qs,
                                           u"Focus round 0 for today"_qs }
                                    << QStringList { u"0 Health"_qs, u"Health today: 0"_qs,
                                           u"Today's Health"_qs,
                                           u"Health points earned from completed break activities"_qs }
                                    << QStringList { u"0 Completed"_qs, u"Focus rounds today: 0"_qs,
                                           u"Focus Rounds Today"_qs,
                                           u"Focus sessions fully completed today"_qs };
    }

    void statusRowsWriteNumbersPlainly()
    {
        QFETCH(AppLanguage, language);
        QFETCH(qint64, number);
        QFETCH(QStringList, round);
        QFETCH(QStringList, health);
        QFETCH(QStringList, completed);

        HeaderPresentation::State input = state(language);
        input.sessionNumber = number;
        input.todayHealthScore = number;
        input.todayCompletedSessions = number;
        const HeaderPresentation header = HeaderPresentation::make(input);
        const auto texts = [](const HeaderStatusRow &row) {
            return QStringList { row.value, row.accessibilityLabel, row.tooltipTitle, row.tooltipDetail };
        };
        QCOMPARE(texts(header.round), round);
        QCOMPARE(texts(header.health), health);
        QCOMPARE(texts(header.completed), completed);
        QCOMPARE(header.round.symbol, u"timer"_qs);
        QCOMPARE(header.health.symbol, u"heart.fill"_qs);
        QCOMPARE(header.completed.symbol, u"checkmark.circle.fill"_qs);
    }

    // With the permission missing the controller reports tracking off even when the setting is on.
    void trackingSwitchFollowsTheTrackingState_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<WorkTrackingState>("trackingState");
        QTest::addColumn<bool>("isOn");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("detail");

        const QString offZh = u"已关闭 · 按自然经过时间连续计时"_qs;
        const QString onZh = u"已开启 · 只累计键盘与鼠标活跃时间"_qs;
        QTest::newRow("chinese, permission missing")
            << AppLanguage::chinese << WorkTrackingState::permissionRequired << false << "keyboard"
            << "已关闭" << u"待授权 · 点击查看 X11 输入权限"_qs;
        QTest::newRow("english, permission missing")
            << AppLanguage::english << WorkTrackingState::permissionRequired << false << "keyboard"
            << "Off" << u"Permission needed · Click for X11 input access"_qs;
        QTest::newRow("chinese, waiting") << AppLanguage::chinese << WorkTrackingState::waitingForActivity
                                          << true << "keyboard.badge.ellipsis"
                                          << "已开启" << onZh;
        QTest::newRow("chinese, tracking")
            << AppLanguage::chinese << WorkTrackingState::tracking << true << "keyboard.badge.ellipsis"
            << "已开启" << onZh;
        QTest::newRow("english, idle")
            << AppLanguage::english << WorkTrackingState::idlePaused << true << "keyboard.badge.ellipsis"
            << "On" << u"On · Counts keyboard and mouse activity only"_qs;
        QTest::newRow("chinese, paused by hand")
            << AppLanguage::chinese << WorkTrackingState::manuallyPaused << true << "keyboard.badge.ellipsis"
            << "已开启" << onZh;
        QTest::newRow("chinese, switched off")
            << AppLanguage::chinese << WorkTrackingState::waitingForActivity << false << "keyboard"
            << "已关闭" << offZh;
        QTest::newRow("english, switched off")
            << AppLanguage::english << WorkTrackingState::tracking << false << "keyboard"
            << "Off" << u"Off · Counts continuously by elapsed time"_qs;
    }

    void trackingSwitchFollowsTheTrackingState()
    {
        QFETCH(AppLanguage, language);
        QFETCH(WorkTrackingState, trackingState);
        QFETCH(bool, isOn);
        QFETCH(QString, symbol);
        QFETCH(QString, value);
        QFETCH(QString, detail);

        HeaderPresentation::State input = state(language);
        input.trackingState = trackingState;
        input.isActivityTrackingOn = isOn;
        const HeaderButton tracking = HeaderPresentation::make(input).tracking;
        QCOMPARE(tracking.isOn, isOn);
        QCOMPARE(tracking.symbol, symbol);
        QCOMPARE(tracking.accessibilityValue, value);
        QCOMPARE(tracking.detail, detail);
        QCOMPARE(tracking.title, language == AppLanguage::chinese ? u"活动监测"_qs : u"Track Activity"_qs);
    }

    void theOtherSwitchesFollowTheirSettings_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<bool>("isOn");
        QTest::addColumn<QStringList>("windowOnTop");
        QTest::addColumn<QStringList>("overlay");

        // Each: symbol, title, detail, accessibility value.
        QTest::newRow("chinese, on") << AppLanguage::chinese << true
                                     << QStringList { u"pin.fill"_qs, u"窗口置顶"_qs,
                                            u"已开启 · 窗口不会被其他应用遮挡"_qs, u"已开启"_qs }
                                     << QStringList { u"circle.lefthalf.filled"_qs, u"图片蒙版"_qs,
                                            u"已开启 · 提升文字与控件的对比度"_qs, u"已开启"_qs };
        QTest::newRow("chinese, off")
            << AppLanguage::chinese << false
            << QStringList { u"pin.slash"_qs, u"窗口置顶"_qs, u"已关闭 · 使用普通窗口层级"_qs, u"已关闭"_qs }
            << QStringList { u"sun.max.fill"_qs, u"图片蒙版"_qs, u"已关闭 · 背景以原色呈现"_qs,
                   u"已关闭"_qs };
        QTest::newRow("english, on") << AppLanguage::english << true
                                     << QStringList { u"pin.fill"_qs, u"Always on Top"_qs,
                                            u"On · The window stays above other apps"_qs, u"On"_qs }
                                     << QStringList { u"circle.lefthalf.filled"_qs, u"Background Overlay"_qs,
                                            u"On · Improves text and control contrast"_qs, u"On"_qs };
        QTest::newRow("english, off")
            << AppLanguage::english << false
            << QStringList { u"pin.slash"_qs, u"Always on Top"_qs, u"Off · Uses the normal window level"_qs,
                   u"Off"_qs }
            << QStringList { u"sun.max.fill"_qs, u"Background Overlay"_qs,
                   u"Off · Shows the background in its original colors"_qs, u"Off"_qs };
    }

    void theOtherSwitchesFollowTheirSettings()
    {
        QFETCH(AppLanguage, language);
        QFETCH(bool, isOn);
        QFETCH(QStringList, windowOnTop);
        QFETCH(QStringList, overlay);

        HeaderPresentation::State input = state(language);
        input.keepWindowOnTop = isOn;
        input.backgroundOverlayEnabled = isOn;
        const HeaderPresentation header = HeaderPresentation::make(input);
        const auto texts = [](const HeaderButton &button) {
            return QStringList { button.symbol, button.title, button.detail, button.accessibilityValue };
        };
        QCOMPARE(texts(header.windowOnTop), windowOnTop);
        QCOMPARE(texts(header.overlay), overlay);
        QCOMPARE(header.windowOnTop.isOn, isOn);
        QCOMPARE(header.overlay.isOn, isOn);
    }

    void commandsAndTheDeveloperCorner_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("details");

        // Journal, statistics, settings, developer corner.
        QTest::newRow("chinese") << AppLanguage::chinese
                                 << QStringList { u"工作日志"_qs, u"每日统计"_qs, u"设置"_qs,
                                        u"和开发者谈心"_qs }
                                 << QStringList { u"按日历查看专注笔记与休整活动时间线"_qs,
                                        u"查看健康分、番茄数量与专注时长趋势"_qs,
                                        u"调整计时、音乐、画面、转盘与安全选项"_qs,
                                        u"写信反馈、给开发者买杯咖啡，或读一读柯帆的由来"_qs };
        QTest::newRow("english")
            << AppLanguage::english
            << QStringList { u"Notes Journal"_qs, u"Daily Insights"_qs, u"Settings"_qs,
                   u"Talk to Developer"_qs }
            << QStringList { u"Browse focus notes and break activities on a daily timeline"_qs,
                   u"Review health, completed rounds, and focus-time trends"_qs,
                   u"Adjust timing, music, visuals, wheel, and safety options"_qs,
                   u"Send feedback, buy the developer a coffee, or read Quorvane's story"_qs };
    }

    void commandsAndTheDeveloperCorner()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QStringList, titles);
        QFETCH(QStringList, details);

        const HeaderPresentation header = HeaderPresentation::make(state(language));
        const QList<HeaderButton> buttons { header.journal, header.statistics, header.settings,
            header.developerCorner };
        QStringList actualTitles;
        QStringList actualDetails;
        QStringList symbols;
        for (const HeaderButton &button : buttons) {
            actualTitles << button.title;
            actualDetails << button.detail;
            symbols << button.symbol;
            // Commands carry no state to read aloud.
            QVERIFY(button.accessibilityValue.isEmpty());
        }
        QCOMPARE(actualTitles, titles);
        QCOMPARE(actualDetails, details);
        QCOMPARE(symbols,
            QStringList({ u"note.text"_qs, u"chart.xyaxis.line"_qs, u"slider.horizontal.3"_qs,
                u"cup.and.saucer.fill"_qs }));
    }

    void aLockedBreakRestsTheCommands_data()
    {
        QTest::addColumn<bool>("locked");

        QTest::newRow("locked") << true;
        QTest::newRow("not locked") << false;
    }

    void aLockedBreakRestsTheCommands()
    {
        QFETCH(bool, locked);

        HeaderPresentation::State input = state(AppLanguage::chinese);
        input.keyboardIsLocked = locked;
        const HeaderPresentation header = HeaderPresentation::make(input);
        QCOMPARE(header.commandsEnabled, !locked);
        // Nothing else changes with the lock.
        HeaderPresentation unlocked = HeaderPresentation::make(state(AppLanguage::chinese));
        unlocked.commandsEnabled = header.commandsEnabled;
        QCOMPARE(header, unlocked);
    }
};

QUORVANE_TEST_MAIN(HeaderPresentationTest)
#include "tst_header_presentation.moc"
