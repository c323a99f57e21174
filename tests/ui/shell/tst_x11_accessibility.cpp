#include "PrivateSessionBus.h"
#include "PrivateXServer.h"
#include "TestSupport.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// What a user acts on: each needs a name, and Tab must reach each one that can be used.
const QStringList controlRoles = strings({ "push button", "check box", "slider", "text", "spin button" });

QStringList states(const QJsonObject &node)
{
    return node.value(QStringLiteral("states")).toVariant().toStringList();
}

} // namespace

// The real program as a screen reader and a keyboard-only user meet it: its tree read over AT-SPI (the
// bus Orca reads) under a window manager, and Tab pressed through its screens.
class AccessibilityTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PrivateXServer> m_server;
    PrivateSessionBus m_bus;
    QProcess m_accessibilityBus;
    QProcess m_windowManager;
    QProcess m_probe;
    QProcess m_program;
    std::unique_ptr<TemporaryDataHome> m_home;
    bool m_english = false;

    QString t(const char *chinese, const char *english) const
    {
        return QString::fromUtf8(m_english ? english : chinese);
    }
    QString mainWindow() const { return t("柯帆", "Quorvane"); }

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

    QJsonValue ask(const QString &command)
    {
        m_probe.write(command.toUtf8() + '\n');
        while (!m_probe.canReadLine() && m_probe.waitForReadyRead(30000)) { }
        return QJsonDocument::fromJson('[' + m_probe.readLine() + ']').array().at(0);
    }

    // The shown nodes of `window`.
    QList<QJsonObject> shown(const QString &window)
    {
        QList<QJsonObject> found;
        for (const QJsonValue &node : ask(QStringLiteral("tree")).toArray()) {
            if (node[QStringLiteral("window")] == window
                && states(node.toObject()).contains(QStringLiteral("showing")))
                found.append(node.toObject());
        }
        return found;
    }

    // The innermost focused node of `window`: a focus scope around it reads focused too.
    QJsonObject focused(const QString &window)
    {
        QJsonObject found;
        for (const QJsonObject &node : shown(window)) {
            if (states(node).contains(QStringLiteral("focused"))
                && !node[QStringLiteral("path")].toString().isEmpty())
                found = node;
        }
        return found;
    }

    // Runs the Press action of the control named `name` once, as soon as it shows.
    void press(const QString &name)
    {
        bool pressed = false;
        QVERIFY(
            waitFor([&] { return pressed || (pressed = ask(QStringLiteral("press ") + name).toBool()); }));
    }

    void startProgram(bool english)
    {
        m_english = english;
        QVERIFY(writeFileBytes(m_home->filePath(QStringLiteral("data/Quorvane/preferences.json")),
            english ? R"({"language":"english"})" : R"({"language":"chinese"})"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Qt's own switch: register on the accessibility bus although no screen reader runs.
        environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        m_program.setProcessEnvironment(environment);
        m_program.setProcessChannelMode(QProcess::ForwardedChannels);
        m_program.start(QStringLiteral(QUORVANE_EXECUTABLE), {});
        QVERIFY(m_program.waitForStarted());
        QVERIFY(waitFor([&] { return !timeLeft().isEmpty(); }, 60));
    }

    // The time left as the focus console reads it, or nothing.
    QString timeLeft()
    {
        const QRegularExpression time(QStringLiteral("^\\d+:\\d\\d$"));
        for (const QJsonObject &node : shown(mainWindow())) {
            if (time.match(node[QStringLiteral("name")].toString()).hasMatch())
                return node[QStringLiteral("name")].toString();
        }
        return {};
    }

    // The first shown node of `window` whose name matches `pattern`, and that is no label if `control`.
    QJsonObject find(const QString &window, const QString &pattern, bool control = false)
    {
        const QRegularExpression name(pattern);
        for (const QJsonObject &node : shown(window)) {
            if (name.match(node[QStringLiteral("name")].toString()).hasMatch()
                && !(control && node[QStringLiteral("role")] == QStringLiteral("label")))
                return node;
        }
        return {};
    }

    static QString exactly(const QString &name) { return u'^' + QRegularExpression::escape(name) + u'$'; }

    QString focusedName(const QString &window) { return focused(window)[QStringLiteral("name")].toString(); }

    void checkEveryControlIsNamed(const QString &window)
    {
        for (const QJsonObject &node : shown(window)) {
            const QString role = node[QStringLiteral("role")].toString();
            QVERIFY2(!controlRoles.contains(role) || !node[QStringLiteral("name")].toString().isEmpty(),
                qPrintable(
                    role + u' ' + node[QStringLiteral("path")].toString() + QStringLiteral(" in ") + window));
            if (role == QStringLiteral("slider"))
                QVERIFY2(
                    node[QStringLiteral("range")][1].toDouble() > node[QStringLiteral("range")][0].toDouble(),
                    qPrintable(node[QStringLiteral("name")].toString()));
        }
    }

    // The usable controls of `window` by path, with their names.
    QMap<QString, QString> usableControls(const QString &window)
    {
        QMap<QString, QString> usable;
        for (const QJsonObject &node : shown(window)) {
            if (controlRoles.contains(node[QStringLiteral("role")].toString())
                && node[QStringLiteral("description")] != t("不可用", "Unavailable"))
                usable.insert(
                    node[QStringLiteral("path")].toString(), node[QStringLiteral("name")].toString());
        }
        return usable;
    }

    // Presses Tab until every usable control of `window` has had the focus; the focus moves at every press.
    // A control that goes away meanwhile (a layer that fades out as the screen changes) is not waited for.
    void checkTabReachesEveryControl(const QString &window)
    {
        QMap<QString, QString> unreached = usableControls(window);
        for (int press = 0; press < 2 * 80 && !unreached.isEmpty(); ++press) {
            const QString before = focused(window)[QStringLiteral("path")].toString();
            QProcess::execute(QStringLiteral("xdotool"), { QStringLiteral("key"), QStringLiteral("Tab") });
            QString now;
            QVERIFY2(
                waitFor(
                    [&] { return (now = focused(window)[QStringLiteral("path")].toString()) != before; }, 20),
                qPrintable(QStringLiteral("Tab stays on ") + before + QStringLiteral(" in ") + window));
            const QMap<QString, QString> usable = usableControls(window);
            unreached.removeIf(
                [&](const auto &control) { return control.key() == now || !usable.contains(control.key()); });
        }
        QVERIFY2(unreached.isEmpty(), qPrintable(QStringList(unreached.values()).join(QStringLiteral(", "))));
    }

private slots:
    void initTestCase()
    {
        m_server = std::make_unique<PrivateXServer>();
        QVERIFY2(m_server->isRunning(), qPrintable(m_server->error()));
        QVERIFY(m_bus.start());
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus.address().toUtf8());
        m_accessibilityBus.start(
            QStringLiteral(QUORVANE_ATSPI_BUS_LAUNCHER), { QStringLiteral("--launch-immediately") });
        m_windowManager.start(QStringLiteral("openbox"), {});
        m_probe.start(QStringLiteral(QUORVANE_PYTHON), { QStringLiteral(QUORVANE_ATSPI_PROBE) });
        QVERIFY(m_accessibilityBus.waitForStarted() && m_windowManager.waitForStarted()
            && m_probe.waitForStarted());
    }

    void init() { m_home = std::make_unique<TemporaryDataHome>(); }

    void cleanup()
    {
        m_program.terminate();
        if (!m_program.waitForFinished(20000))
            m_program.kill();
        m_home.reset();
    }

    void cleanupTestCase()
    {
        for (QProcess *process : { &m_probe, &m_windowManager, &m_accessibilityBus }) {
            process->kill();
            process->waitForFinished();
        }
    }

    void mainWindowIsReadable_data() { languages(); }
    void mainWindowIsReadable()
    {
        QFETCH(bool, english);
        startProgram(english);
        // The header's switches are checkable and tell their state from the start.
        for (const QString &name : { t("活动监测", "Track Activity"), t("窗口置顶", "Always on Top"),
                 t("图片蒙版", "Background Overlay") }) {
            const QJsonObject node = find(mainWindow(), exactly(name));
            QCOMPARE(node[QStringLiteral("role")].toString(), QStringLiteral("check box"));
            QCOMPARE(states(node).contains(QStringLiteral("checked")),
                node[QStringLiteral("description")] == t("已开启", "On"));
        }
        checkEveryControlIsNamed(mainWindow());
        press(t("每日统计", "Daily Insights"));
        const QString statistics = t("每日节律", "Daily Rhythm");
        QVERIFY(waitFor([&] { return !focused(statistics).isEmpty(); }, 20));
        QVERIFY(!find(statistics, exactly(t("今日健康分", "Health Today"))).isEmpty());
        checkEveryControlIsNamed(statistics);
    }

    void roundCompleteAndBreakAreAnnounced_data() { languages(); }
    void roundCompleteAndBreakAreAnnounced()
    {
        QFETCH(bool, english);
        startProgram(english);
        press(t("提前休息", "Break Early"));
        QVERIFY(
            waitFor([&] { return focusedName(mainWindow()) == t("这一轮完成了", "Round Complete"); }, 20));
        checkEveryControlIsNamed(mainWindow());
        press(t("进入休息并锁定键盘", "Start Break and Lock Keyboard"));
        QVERIFY(
            waitFor([&] { return !find(mainWindow(), exactly(t("本轮休息", "Break Activity"))).isEmpty(); }));
        // The drawn activity with its score, and how to get the keyboard back.
        for (const QString &text : { QStringLiteral("\\S \\+\\d+$"),
                 exactly(t("键盘已锁定 · 后台任务继续运行", "Keyboard locked · Background work continues")),
                 exactly(t("应急解锁  Ctrl+Alt+Super+Esc", "Emergency unlock  Ctrl+Alt+Super+Esc")) })
            QVERIFY2(!find(mainWindow(), text).isEmpty(), qPrintable(text));
        checkEveryControlIsNamed(mainWindow());
        press(t("我已完成 · 开始下一轮", "Done · Start Next Round"));
        QVERIFY(waitFor([&] { return !timeLeft().isEmpty(); }, 20));
    }

    void settingsPanesAreNamedAndReachable_data() { languages(); }
    void settingsPanesAreNamedAndReachable()
    {
        QFETCH(bool, english);
        startProgram(english);
        press(t("设置", "Settings"));
        const QString sheet = t("柯帆设置", "Quorvane Settings");
        QVERIFY(waitFor([&] { return !focused(sheet).isEmpty(); }, 20));
        for (const QString &pane : { t("画面", "Visuals"), t("通用", "General"), t("节奏", "Rhythm"),
                 t("音乐", "Music"), t("转盘", "Wheel"), t("记录", "Records"), t("更新", "Updates") }) {
            QVERIFY2(states(find(sheet, exactly(pane), true)).contains(QStringLiteral("focusable")),
                qPrintable(pane));
            press(pane);
            QVERIFY(waitFor(
                [&] {
                    return !find(sheet, u'^' + QRegularExpression::escape(pane) + QStringLiteral(" · "))
                                .isEmpty();
                },
                20));
            checkEveryControlIsNamed(sheet);
        }
    }

    void tabReachesEveryControl()
    {
        startProgram(false);
        checkTabReachesEveryControl(mainWindow());
        press(t("提前休息", "Break Early"));
        QVERIFY(
            waitFor([&] { return focusedName(mainWindow()) == t("这一轮完成了", "Round Complete"); }, 20));
        checkTabReachesEveryControl(mainWindow());
        for (const QJsonObject &node : shown(mainWindow()))
            QVERIFY(!node[QStringLiteral("text")].toString().contains(u'\t'));
    }

private:
    static void languages()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("chinese") << false;
        QTest::newRow("english") << true;
    }
};

QTEST_GUILESS_MAIN(AccessibilityTest)
#include "tst_x11_accessibility.moc"
