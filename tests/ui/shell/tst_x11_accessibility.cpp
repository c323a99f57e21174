#include "PrivateSessionBus.h"
#include "PrivateXServer.h"
#include "TestSupport.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDate>
#include <QDeadlineTimer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// What a user acts on: each needs a name.
const QStringList controlRoles = strings({ "push button", "check box", "slider", "text", "spin button" });

QString text(bool english, const char *chinese, const char *englishText)
{
    return QString::fromUtf8(english ? englishText : chinese);
}

QString exactly(const QString &name)
{
    return u'^' + QRegularExpression::escape(name) + u'$';
}

// A screen, the names pressed in turn to reach it, and what a screen reader and the keyboard meet there:
// `readable` patterns of texts, the name that takes the focus as it shows (`announced`), check boxes that
// tell their state, radio buttons `chosen`, `keys` that reach every control round the focus chain, `reaches`
// in this order, text `fields` (whole-name patterns) that hold text, `headings` patterns, and the names
// `selected` or checked.
struct Screen
{
    QStringList presses {};
    QString window {};
    QStringList readable {};
    QString announced {};
    QStringList switches {};
    QStringList chosen {};
    QStringList keys {};
    QStringList reaches {};
    QStringList fields {};
    QStringList headings {};
    QStringList selected {};
};

// What a blind user does and hears, in turn: "press:NAME" presses a control over AT-SPI, "key:KEYS" types,
// "log" makes the focus log unreadable as another program could, "unwritable" puts a folder in its place,
// "say:PATTERN" waits until Orca says a line that matches, after what it said before, and "unsaid:PATTERN"
// checks that it said none so far.
using Steps = QStringList;

} // namespace

// The real program as a screen reader and a keyboard-only user meet it: its tree read over AT-SPI (the
// bus Orca reads) under a window manager, and Tab pressed through its screens.
class AccessibilityTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrivateXServer> m_server;
    PrivateSessionBus m_bus;
    QTemporaryDir m_runtime;
    QProcess m_accessibilityBus;
    QProcess m_windowManager;
    QProcess m_probe;
    QTemporaryDir m_orcaHome;
    QProcess m_program;
    QProcess m_orca;
    QStringList m_spoken;
    std::unique_ptr<TemporaryDataHome> m_home;

    // Asks until `condition` holds, for at most `seconds`: every question walks the tree, so QTRY's count
    // of its waits alone would stretch the deadline many times over.
    static bool waitFor(const std::function<bool()> &condition, int seconds = 30)
    {
        const QDeadlineTimer deadline(seconds * 1000);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(100);
        }
        return true;
    }

    QJsonValue ask(const QStringList &command)
    {
        m_probe.write(
            QJsonDocument(QJsonArray::fromStringList(command)).toJson(QJsonDocument::Compact) + '\n');
        while (!m_probe.canReadLine() && m_probe.waitForReadyRead(60000)) { }
        return QJsonDocument::fromJson('[' + m_probe.readLine() + ']').array().at(0);
    }

    QString focused(const QString &window) { return ask({ u"focus"_s, window }).toString(); }

    void startProgram(bool english)
    {
        QVERIFY(writeFileBytes(m_home->filePath(u"data/Quorvane/preferences.json"_s),
            english ? R"({"language":"english"})" : R"({"language":"chinese"})"));
        m_program.start(QStringLiteral(QUORVANE_EXECUTABLE), {});
        QVERIFY(m_program.waitForStarted());
    }

    // Orca as a user runs it, its speech through speech-dispatcher's dummy output (where no sound device
    // can be opened, Orca speaks to no server and still says it all), its settings its own.
    void startOrca()
    {
        QVERIFY(m_orcaHome.isValid());
        QVERIFY(writeFileBytes(m_orcaHome.filePath(u"config/speech-dispatcher/speechd.conf"_s),
            "AddModule \"dummy\" \"sd_dummy\" \"\"\nDefaultModule dummy\n"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_s, m_orcaHome.filePath(u"config"_s));
        m_orca.setProcessEnvironment(environment);
        connect(&m_orca, &QProcess::readyReadStandardOutput, this, [this] {
            // SPEECH OUTPUT: 'what it says' and, for a key it echoes, its voice after the quote.
            static const QRegularExpression said(u"^SPEECH OUTPUT: '(.*)'"_s);
            while (m_orca.canReadLine()) {
                if (const auto line = said.match(QString::fromUtf8(m_orca.readLine())); line.hasMatch())
                    m_spoken.append(line.captured(1));
            }
        });
        m_orca.start(QStringLiteral(QUORVANE_PYTHON),
            { QStringLiteral(QUORVANE_ORCA_SPEECH), u"-u"_s, m_orcaHome.filePath(u"settings"_s) });
        QVERIFY(m_orca.waitForStarted());
        // An Orca that cannot start says why and ends, which is not waited out.
        const auto ready = [this] { return m_spoken.contains(u"Screen reader on."_s); };
        waitFor([&] { return ready() || m_orca.state() == QProcess::NotRunning; }, 60);
        QVERIFY2(ready(), m_orca.readAllStandardError().constData());
    }

    // Presses `key` round the focus chain of `window`: the focus never stays, every stop shows whole
    // when reached, every stop is reached, and `reaches` in that order.
    void checkKeyReachesEveryControl(const QString &window, const QString &key, const QStringList &reaches)
    {
        QVERIFY(waitFor([&] { return !focused(window).isEmpty(); }));
        const QJsonValue walk = ask({ u"walk"_s, window, key });
        QVERIFY2(!walk["stuck"_L1].toBool(true),
            QJsonDocument(walk.toObject()).toJson(QJsonDocument::Compact).constData());
        QCOMPARE(walk["hidden"_L1].toVariant().toStringList().join(u", "), QString());
        QCOMPARE(walk["unreached"_L1].toVariant().toStringList().join(u", "), QString());
        const QStringList reached = walk["reached"_L1].toVariant().toStringList();
        qsizetype at = 0;
        for (const QString &name : reaches)
            QVERIFY2(
                (at = reached.indexOf(name, at)) >= 0, qPrintable(name + u" after "_s + reached.join(u", ")));
    }

private slots:
    void initTestCase()
    {
        m_server = std::make_unique<PrivateXServer>();
        QVERIFY2(m_server->isRunning(), qPrintable(m_server->error()));
        QVERIFY(m_bus.start() && m_runtime.isValid());
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.address().toUtf8());
        // The accessibility bus's socket goes into a runtime folder of the test's own, not the home.
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
        // Qt's own switch: register on the accessibility bus although no screen reader runs.
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        m_program.setProcessChannelMode(QProcess::ForwardedChannels);
        m_accessibilityBus.start(QStringLiteral(QUORVANE_ATSPI_BUS_LAUNCHER), { u"--launch-immediately"_s });
        // Until the launcher owns its name, a question for it would make the session bus start another.
        QVERIFY(waitFor([] {
            return QDBusConnection::sessionBus().interface()->isServiceRegistered(u"org.a11y.Bus"_s);
        }));
        m_windowManager.start(u"openbox"_s, {});
        m_probe.start(QStringLiteral(QUORVANE_PYTHON), { QStringLiteral(QUORVANE_ATSPI_PROBE) });
        QVERIFY(m_windowManager.waitForStarted() && m_probe.waitForStarted());
    }

    void init() { m_home = std::make_unique<TemporaryDataHome>(); }

    void cleanup()
    {
        m_program.terminate();
        if (!m_program.waitForFinished(20000)) {
            m_program.kill();
            m_program.waitForFinished();
        }
        m_home.reset();
    }

    // Asked to end, the launcher ends the accessibility bus it started; killed, it would leave it running.
    void cleanupTestCase()
    {
        for (QProcess *process : { &m_orca, &m_probe, &m_windowManager, &m_accessibilityBus }) {
            process->terminate();
            process->waitForFinished();
        }
    }

    void screens_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<Screen>("screen");
        for (const bool english : { false, true }) {
            const auto t = [english](const char *zh, const char *en) { return text(english, zh, en); };
            const auto row = [&](const QString &name) -> QTestData & {
                return QTest::addRow("%s %s", english ? "english" : "chinese", qPrintable(name)) << english;
            };
            const QString main = t("柯帆", "Quorvane");
            const QString breakEarly = t("提前休息", "Break Early");
            const QString startBreak = t("进入休息并锁定键盘", "Start Break and Lock Keyboard");
            row(u"main window"_s) << Screen { .window = main,
                .readable = { u"^\\d+:\\d\\d$"_s },
                .switches = { t("活动监测", "Track Activity"), t("窗口置顶", "Always on Top"),
                    t("图片蒙版", "Background Overlay") },
                .keys = { u"Tab"_s } };
            row(u"statistics"_s) << Screen { .presses = { t("每日统计", "Daily Insights") },
                .window = t("每日节律", "Daily Rhythm"),
                .readable = { exactly(t("今日健康分", "Health Today")) } };
            row(u"round complete"_s) << Screen { .presses = { breakEarly },
                .window = main,
                .announced = t("这一轮完成了", "Round Complete"),
                .keys = { u"Tab"_s },
                .reaches = { t("本轮笔记", "Session Notes"), startBreak } };
            // The drawn activity with its score, and how to get the keyboard back, which the keys cannot.
            row(u"break"_s) << Screen { .presses = { breakEarly, startBreak },
                .window = main,
                .readable = { u"\\S \\+\\d+$"_s,
                    exactly(
                        t("键盘已锁定 · 后台任务继续运行", "Keyboard locked · Background work continues")),
                    exactly(t("应急解锁  Ctrl+Alt+Super+Esc", "Emergency unlock  Ctrl+Alt+Super+Esc")) } };
            // An entry of the journal (its times, title and how it went) open in the record editor.
            const QString journal = t("工作日志", "Notes Journal");
            const QString today = QLocale(english ? QLocale::English : QLocale::Chinese)
                                      .toString(QDate::currentDate(), t("M月d日dddd", "dddd, MMMM d"));
            row(u"journal"_s) << Screen { .presses
                = { journal,
                    t("^\\d+:\\d\\d 至 \\d+:\\d\\d，.+，进行中或提前结束$",
                        "^\\d+:\\d\\d [AP]M to \\d+:\\d\\d [AP]M, .+, In progress or ended early$") },
                .window = journal,
                .readable = { exactly(t("共 1 段节律记录", "1 moment in this day's rhythm")),
                    exactly(t("专注：1", "Focus: 1")) },
                .announced = t("笔记", "Notes"),
                .fields = { t("标题", "Title") },
                .headings = { exactly(today), t("^\\d{4}年\\d+月$", "^[A-Z][a-z]+ \\d{4}$") },
                .selected = { today } };
            // The letter's fields and the amount named, the section shown selected.
            for (const QString &section :
                { t("给开发者写信", "Write to the Developer"), t("给他买杯咖啡", "Buy Him a Coffee") })
                row(section) << Screen { .presses = { t("和开发者谈心", "Talk to Developer"), section },
                    .window = t("开发者角落", "Developer Corner"),
                    .selected = { section } };
            for (const QString &pane : { t("画面", "Visuals"), t("通用", "General"), t("节奏", "Rhythm"),
                     t("音乐", "Music"), t("转盘", "Wheel"), t("记录", "Records"), t("更新", "Updates") }) {
                row(pane) << Screen { .presses = { t("设置", "Settings"), pane },
                    .window = t("柯帆设置", "Quorvane Settings"),
                    .readable = { u'^' + QRegularExpression::escape(pane) + u" · "_s },
                    .chosen = pane == t("通用", "General") ? QStringList { pane, t("中文", "English") }
                                                           : QStringList { pane },
                    .keys = pane == t("转盘", "Wheel") ? strings({ "Tab", "shift+Tab" }) : strings({ "Tab" }),
                    .reaches = { pane },
                    .fields = pane == t("转盘", "Wheel") ? QStringList { t("权重，.+", "Weight, .+") }
                                                         : QStringList {} };
            }
        }
    }

    void screens()
    {
        QFETCH(bool, english);
        QFETCH(Screen, screen);
        startProgram(english);
        // Each pressed once, as soon as it shows.
        for (const QString &name : screen.presses)
            QVERIFY2(waitFor([&] { return ask({ u"press"_s, name }).toBool(); }, 60), qPrintable(name));
        for (const QString &text : screen.readable)
            QVERIFY2(waitFor(
                         [&] {
                             return ask({ u"find"_s, screen.window, text }).isObject();
                         },
                         60),
                qPrintable(text));
        if (!screen.announced.isEmpty())
            QVERIFY(waitFor([&] { return focused(screen.window) == screen.announced; }));
        for (const QString &name : screen.switches) {
            const QJsonValue node = ask({ u"find"_s, screen.window, exactly(name) });
            QCOMPARE(node["role"_L1].toString(), u"check box"_s);
            QCOMPARE(node["states"_L1].toArray().contains(u"checked"_s),
                node["description"_L1] == text(english, "已开启", "On"));
        }
        for (const QString &name : screen.chosen) {
            const QJsonValue node = ask({ u"find"_s, screen.window, exactly(name) });
            QCOMPARE(node["role"_L1].toString(), u"radio button"_s);
            QVERIFY2(node["states"_L1].toArray().contains(u"checked"_s), qPrintable(name));
        }
        QStringList headings, selected, fieldNames;
        for (const QJsonValue &node : ask({ u"tree"_s, screen.window }).toArray()) {
            const QString role = node["role"_L1].toString(), name = node["name"_L1].toString();
            if (role == "heading"_L1)
                headings.append(name);
            if (role == "text"_L1 && node["states"_L1].toArray().contains(u"editable"_s))
                fieldNames.append(name);
            if (const QJsonArray states = node["states"_L1].toArray();
                states.contains(u"selected"_s) || states.contains(u"checked"_s))
                selected.append(name);
            QVERIFY2(!controlRoles.contains(role) || !name.isEmpty(),
                qPrintable(role + node["path"_L1].toString()));
            QVERIFY2((role != "slider"_L1 && role != "spin button"_L1)
                    || node["range"_L1][1].toDouble() > node["range"_L1][0].toDouble(),
                qPrintable(name));
        }
        // Fields in rows alike are told apart by their names.
        QVERIFY2(fieldNames.removeDuplicates() == 0, qPrintable(fieldNames.join(u", ")));
        for (const QString &heading : screen.headings)
            QVERIFY2(headings.indexOf(QRegularExpression(heading)) >= 0, qPrintable(headings.join(u", ")));
        if (!screen.selected.isEmpty())
            QCOMPARE(selected, screen.selected);
        // Every piece of every text at every offset, as a screen reader asks at a caret: none may hang.
        const QJsonValue texts = ask({ u"texts"_s, screen.window });
        QCOMPARE(texts["failed"_L1].toVariant().toStringList().join(u"\n"), QString());
        for (const QString &field : screen.fields)
            QVERIFY2(texts["read"_L1].toVariant().toStringList().indexOf(QRegularExpression(field)) >= 0,
                qPrintable(field));
        for (const QString &key : screen.keys)
            checkKeyReachesEveryControl(screen.window, key, screen.reaches);
    }

    void spoken_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<Steps>("steps");
        for (const bool english : { false, true }) {
            const auto t = [english](const char *zh, const char *en) { return text(english, zh, en); };
            const auto row = [&](const char *name) -> QTestData & {
                return QTest::addRow("%s %s", english ? "english" : "chinese", name) << english;
            };
            const QString breakEarly = u"press:"_s + t("提前休息", "Break Early");
            const QString startBreak = u"press:"_s + t("进入休息并锁定键盘", "Start Break and Lock Keyboard");
            const QString breakStarts = u"say:^notification "_s
                + QRegularExpression::escape(t("休息时间. 键盘已锁定 · 后台任务继续运行. 应急解锁  ",
                    "Time to Unwind. Keyboard locked · Background work continues. Emergency unlock  "))
                + u"Ctrl\\+Alt\\+Super\\+Esc"_s;
            row("main window") << Steps { u"say:^"_s + t("柯帆", "Quorvane") + u" frame"_s, u"key:Tab"_s,
                u"say:^"_s + t("本轮笔记", "Session Notes") + u" text"_s };
            // Changes under the focus: a switch's state and a stepper's value, where a new name goes unheard.
            const QString pause = t("暂停计时", "Pause");
            row("pause") << Steps { u"say:frame"_s, u"key:Tab"_s, u"say:text"_s, u"key:Tab"_s,
                u"say:^"_s + pause + u" check box not checked"_s, u"key:space"_s,
                u"say:^"_s + pause + u" check box checked"_s };
            row("stepper") << Steps { u"press:"_s + t("设置", "Settings"), u"say:^"_s + t("取消", "Cancel"),
                u"press:"_s + t("节奏", "Rhythm"), u"key:Tab Tab Tab Tab Tab Tab Tab Tab Tab"_s,
                u"say:^"_s + t("每轮有效工作时长 25 分钟", "Active Work per Round 25 minutes")
                    + u" spin button"_s,
                u"key:Up"_s, u"say:^"_s + t("26 分钟", "26 minutes") + u'$' };
            // Done by the keyboard that the grab holds: the main window is back.
            row("break") << Steps { breakEarly, startBreak, breakStarts,
                u"say:^notification .+ \\+\\d+\\.$"_s,
                u"say:^"_s + t("我已完成 · 开始下一轮", "Done · Start Next Round"), u"key:Return"_s,
                breakEarly };
            // A chart's figures as a table: its name and size, a day's row, a cell with both its headers; the
            // daily table alike, newest day first.
            const QString today = u"say:^"_s + t("今天", "Today") + u"\\.$"_s;
            row("statistics") << Steps { breakEarly, u"press:"_s + t("每日统计", "Daily Insights"),
                u"say:check box checked"_s, u"key:Tab Tab Tab Tab"_s,
                u"say:^"_s + t("健康分趋势", "Health Trend"), u"say:^table with \\d+ rows 2 columns"_s,
                u"key:End"_s, today, u"key:KP_Enter"_s, u"say:^"_s + t("健康分", "Health") + u"\\.$"_s, today,
                u"say:^table cell"_s, u"key:Left"_s,
                u"say:^"_s + t("日期", "Date") + u" column header "_s + t("今天", "Today") + u"\\.$"_s,
                u"key:Tab Tab"_s, u"say:^"_s + t("每日明细", "Daily Details"),
                u"say:^table with \\d+ rows 4"_s, u"key:Right"_s,
                u"say:^"_s + t("番茄", "Rounds") + u" column header \\d+\\.$"_s };
            // The developer corner's section shown, and a field by its label.
            row("developer corner") << Steps { u"press:"_s + t("和开发者谈心", "Talk to Developer"),
                u"say:^"_s + t("完成", "Done") + u" push button"_s, u"key:Tab"_s,
                u"say:^"_s + t("给开发者写信", "Write to the Developer"), u"say:^selected radio button"_s,
                u"key:Tab"_s, u"say:^not selected radio button"_s, u"key:Tab"_s,
                u"say:^not selected radio button"_s, u"key:Tab"_s,
                u"say:^"_s + t("你的邮箱", "Your Email") + u" text"_s };
            // A field's text read as it takes the keys and in flat review, which the next field leaves. Orca
            // 43 names the sheet before its first control in most runs, not in all: that is not asked here.
            const QString nap = u"午睡 30 分钟"_s;
            row("field") << Steps { u"say:frame"_s, u"press:"_s + t("设置", "Settings"),
                u"say:^"_s + t("取消", "Cancel"), u"key:Tab Tab Down Down Down Down"_s,
                u"say:^"_s + t("转盘", "Wheel"), u"key:Tab Tab Tab Tab Tab Tab"_s,
                u"say:^"_s + t("项目内容", "Item") + u".* text\\.$"_s, u"say:^"_s + nap + u"\\.$"_s,
                u"key:KP_Up"_s, u"say:^"_s + nap, u"key:Tab"_s, u"say:^"_s + t("权重", "Weight") };
            if (!english)
                continue;
            row("alert") << Steps { u"say:frame"_s, u"log"_s, u"say:^alert A Log Could Not Be Read"_s,
                u"say:^focus-session-log\\.csv in the data folder could not be read"_s,
                u"say:^OK push button"_s };
            // The round ends under the journal, which keeps the keys; Esc leaves the record editor only.
            const QString entry
                = u"say:^\\d+:\\d\\d [AP]M to \\d+:\\d\\d [AP]M, .+, In progress or ended early push button"_s;
            row("journal") << Steps { u"press:Notes Journal"_s, u"say:^Done push button"_s, breakEarly,
                u"key:Tab"_s, u"say:^Previous month push button"_s, u"key:Tab"_s, u"key:Tab"_s, u"key:Tab"_s,
                entry, u"key:Return"_s, u"say:^Notes text"_s, u"key:Escape"_s, entry };
            // A weight reached by the keys alone: Home reads its first digit, End the blank after its last.
            row("wheel field") << Steps { u"press:Settings"_s, u"say:^Cancel"_s,
                u"key:Tab Tab Down Down Down Down"_s, u"say:^Wheel"_s, u"key:Tab Tab Tab Tab Tab Tab Tab"_s,
                u"say:^Weight, .+ text"_s, u"key:Home"_s, u"say:^\\d$"_s, u"key:End"_s, u"say:^blank$"_s };
            // The round's end under a sheet, which keeps the keys.
            row("round end under a sheet") << Steps { u"press:Notes Journal"_s, u"say:^Done push button"_s,
                breakEarly, u"say:^notification Round Complete"_s };
            // The round's end writes to a log that a folder stands in for: the alert has the keys over the
            // screen that comes with it, and gives them back to that screen's heading.
            row("alert at a round's end") << Steps { u"say:frame"_s, u"unwritable"_s, breakEarly,
                u"say:^alert Could Not Save Focus Record"_s, u"say:^OK push button"_s, u"key:Return"_s,
                u"say:^Round Complete"_s };
            // Started from the keyboard, whose button goes as the break comes: the break screen takes the
            // keys.
            row("break by the keys") << Steps { breakEarly, u"say:^Round Complete"_s, u"key:Tab Tab"_s,
                u"say:^Start Break and Lock Keyboard"_s, u"key:space"_s, breakStarts,
                u"say:^notification .+ \\+\\d+\\.$"_s, u"unsaid:check box"_s };
            row("emergency unlock") << Steps { breakEarly, startBreak, breakStarts,
                u"key:ctrl+alt+super+Escape"_s, u"say:^alert Emergency Unlock Complete"_s };
        }
    }

    void spoken()
    {
        QFETCH(bool, english);
        QFETCH(Steps, steps);
        if (m_orca.state() == QProcess::NotRunning)
            startOrca();
        m_spoken.clear();
        startProgram(english);
        qsizetype heard = 0;
        for (const QString &step : steps) {
            const QString verb = step.section(u':', 0, 0), argument = step.section(u':', 1);
            if (verb == "say"_L1) {
                const QRegularExpression pattern(argument);
                QVERIFY2(waitFor([&] {
                    for (; heard < m_spoken.size(); ++heard) {
                        if (pattern.match(m_spoken[heard]).hasMatch())
                            return true;
                    }
                    return false;
                }),
                    qPrintable(argument + u" not among: "_s + m_spoken.join(u" | ")));
                ++heard;
            } else if (verb == "key"_L1) {
                QCOMPARE(QProcess::execute(u"xdotool"_s, QStringList { u"key"_s } + argument.split(u' ')), 0);
            } else if (verb == "unsaid"_L1) {
                const QStringList said = m_spoken.first(heard);
                QVERIFY2(said.indexOf(QRegularExpression(argument)) < 0, qPrintable(said.join(u" | ")));
            } else if (verb == "unwritable"_L1) {
                const QString log = m_home->filePath(u"data/Quorvane/focus-session-log.csv"_s);
                QVERIFY(QFile::remove(log) && QDir().mkpath(log));
            } else if (verb == "log"_L1) {
                QVERIFY(writeFileBytes(
                    m_home->filePath(u"data/Quorvane/focus-session-log.csv"_s), "not,a,log\n1,2\n"));
            } else {
                QVERIFY2(waitFor([&] { return ask({ verb, argument }).toBool(); }, 60), qPrintable(step));
            }
        }
    }
};

QTEST_GUILESS_MAIN(AccessibilityTest)
#include "tst_x11_accessibility.moc"
