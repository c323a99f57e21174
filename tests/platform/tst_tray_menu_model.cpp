#include "TestProgram.h"
#include "platform/TrayMenuModel.h"

#include <QTest>

namespace {

using Action = TrayMenuModel::Action;
using EntryKind = TrayMenuModel::EntryKind;
using Entry = TrayMenuModel::Entry;

Entry action(const char *text, Action id, bool enabled = true)
{
    return Entry { EntryKind::action, QString::fromUtf8(text), enabled, id };
}

Entry text(const QString &text)
{
    return Entry { EntryKind::text, text, false, Action::none };
}

Entry separator()
{
    return Entry { EntryKind::separator, {}, false, Action::none };
}

char *describe(const Entry &entry)
{
    return qstrdup(QStringLiteral("kind %1, \"%2\", enabled %3, action %4")
                       .arg(QString::number(static_cast<int>(entry.kind)), entry.text,
                           QString::number(entry.enabled), QString::number(static_cast<int>(entry.action)))
                       .toUtf8()
                       .constData());
}

} // namespace

namespace QTest {
template<> char *toString(const Entry &entry)
{
    return describe(entry);
}
} // namespace QTest

class TrayMenuModelTest : public QObject
{
    Q_OBJECT

private slots:
    void menuFollowsPhaseTrackingAndLanguage_data()
    {
        QTest::addColumn<SessionPhase>("phase");
        QTest::addColumn<WorkTrackingState>("tracking");
        QTest::addColumn<AppLanguage>("language");

        for (const SessionPhase phase : allCases<SessionPhase>()) {
            for (const WorkTrackingState tracking : { WorkTrackingState::permissionRequired,
                     WorkTrackingState::waitingForActivity, WorkTrackingState::tracking,
                     WorkTrackingState::idlePaused, WorkTrackingState::manuallyPaused }) {
                for (const AppLanguage language : allCases<AppLanguage>()) {
                    const QString name = rawValue(phase) + u'/' + title(tracking, AppLanguage::english) + u'/'
                        + rawValue(language);
                    QTest::newRow(qPrintable(name)) << phase << tracking << language;
                }
            }
        }
    }

    void menuFollowsPhaseTrackingAndLanguage()
    {
        QFETCH(SessionPhase, phase);
        QFETCH(WorkTrackingState, tracking);
        QFETCH(AppLanguage, language);
        const bool chinese = language == AppLanguage::chinese;
        const QString time = QStringLiteral("24:59");

        QList<Entry> expected { action(chinese ? "显示柯帆" : "Show Quorvane", Action::showMainWindow),
            separator() };
        if (phase != SessionPhase::Focus) {
            expected << text(chinese ? QStringLiteral("正在休息") : QStringLiteral("Taking a Break"));
        } else {
            expected << text(title(tracking, language) + QStringLiteral(" · 24:59"));
            if (tracking == WorkTrackingState::permissionRequired) {
                expected << action(
                    chinese ? "授予活动监测权限" : "Grant Activity Access", Action::enableAutomaticTracking);
            } else {
                expected << text(chinese
                        ? QStringLiteral("键盘或鼠标活动自动开始或恢复")
                        : QStringLiteral("Keyboard or mouse activity starts and resumes focus"));
            }
        }
        expected << action(chinese ? "每日统计" : "Daily Insights", Action::showDailyInsights)
                 << action(chinese ? "检查更新…" : "Check for Updates…", Action::checkForUpdates)
                 << action(chinese ? "打开 CSV 记录" : "Open CSV Log", Action::openActivityLog) << separator()
                 << action(chinese ? "退出" : "Quit", Action::quit);

        const TrayMenuModel model = TrayMenuModel::make(phase, tracking, language, time, 24 * 60 + 59, true);
        QCOMPARE(model.entries.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QCOMPARE(model.entries[i], expected[i]);
        QCOMPARE(model.iconSymbol,
            phase == SessionPhase::Focus ? QStringLiteral("timer") : QStringLiteral("figure.mind.and.body"));
    }

    // Whole minutes, rounded up, so that the tooltip changes once a minute, not with every second.
    void toolTipCountsWholeMinutes_data()
    {
        QTest::addColumn<SessionPhase>("phase");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("24:59") << SessionPhase::Focus << AppLanguage::english << qint64(24 * 60 + 59)
                               << QStringLiteral("Quorvane · 25 min left");
        QTest::newRow("24:01, zh") << SessionPhase::Focus << AppLanguage::chinese << qint64(24 * 60 + 1)
                                   << QStringLiteral("柯帆 · 还剩 25 分钟");
        QTest::newRow("24:00") << SessionPhase::Focus << AppLanguage::english << qint64(24 * 60)
                               << QStringLiteral("Quorvane · 24 min left");
        QTest::newRow("overtime") << SessionPhase::Focus << AppLanguage::english << qint64(-5)
                                  << QStringLiteral("Quorvane · 0 min left");
        QTest::newRow("break") << SessionPhase::Wheel << AppLanguage::english << qint64(90)
                               << QStringLiteral("Quorvane · Taking a Break");
    }

    void toolTipCountsWholeMinutes()
    {
        QFETCH(SessionPhase, phase);
        QFETCH(AppLanguage, language);
        QFETCH(qint64, seconds);
        QFETCH(QString, toolTip);
        QCOMPARE(TrayMenuModel::make(phase, WorkTrackingState::tracking, language, QString(), seconds, true)
                     .toolTip,
            toolTip);
    }

    void statusLineShowsTrackingStateAndTime()
    {
        const TrayMenuModel model = TrayMenuModel::make(SessionPhase::Focus, WorkTrackingState::tracking,
            AppLanguage::english, QStringLiteral("24:59"), 24 * 60 + 59, true);
        QCOMPARE(model.entries[2].text, QStringLiteral("Focus in Progress · 24:59"));
        QCOMPARE(model.entries[2].kind, EntryKind::text);
        QVERIFY(!model.entries[2].enabled);
    }

    void updateEntryFollowsCanCheck_data()
    {
        QTest::addColumn<bool>("canCheck");
        QTest::newRow("can check") << true;
        QTest::newRow("cannot check") << false;
    }

    void updateEntryFollowsCanCheck()
    {
        QFETCH(bool, canCheck);
        for (const SessionPhase phase : allCases<SessionPhase>()) {
            const TrayMenuModel model = TrayMenuModel::make(phase, WorkTrackingState::waitingForActivity,
                AppLanguage::chinese, QStringLiteral("25:00"), 25 * 60, canCheck);
            int updateEntries = 0;
            for (const Entry &entry : model.entries) {
                if (entry.action == Action::checkForUpdates) {
                    ++updateEntries;
                    QCOMPARE(entry.enabled, canCheck);
                } else if (entry.kind == EntryKind::action) {
                    QVERIFY(entry.enabled);
                }
            }
            QCOMPARE(updateEntries, 1);
        }
    }

    void sameStateGivesEqualModels()
    {
        const auto make = [](const QString &time) {
            return TrayMenuModel::make(
                SessionPhase::Focus, WorkTrackingState::idlePaused, AppLanguage::english, time, 600, false);
        };
        QCOMPARE(make(QStringLiteral("10:00")), make(QStringLiteral("10:00")));
        QVERIFY(make(QStringLiteral("10:00")) != make(QStringLiteral("09:59")));
    }
};

QUORVANE_TEST_GUILESS_MAIN(TrayMenuModelTest)
#include "tst_tray_menu_model.moc"
