#include "ControllerHarness.h"
#include "TestProgram.h"
#include "ui/shell/ViewSetup.h"
#include "ui/shell/WeightedWheelGraphic.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

namespace {

// A draw settles after its spin; a loaded machine may stretch that a long way.
constexpr int settleTimeoutMs = 30000;

} // namespace

// The break screen over a real controller: where it puts the wheel and its texts, when it starts the
// draw by itself, and what it shows while the wheel turns and once an activity is drawn.
class BreakWheelViewTest : public QObject
{
    Q_OBJECT

private:
    ControllerHarness m_harness;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QQuickWindow> m_window;

    AppController &controller() { return *m_harness.controller; }

    QQuickItem *show(QSize size, bool reduceMotion)
    {
        QQmlComponent component(m_engine.get(),
            QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/Shell/BreakWheelView.qml")));
        m_window = std::make_unique<QQuickWindow>();
        m_window->resize(size);
        auto *screen = qobject_cast<QQuickItem *>(
            component.createWithInitialProperties({ { QStringLiteral("reduceMotion"), reduceMotion } }));
        if (!screen) {
            qWarning() << component.errorString();
            return nullptr;
        }
        screen->setParent(m_window->contentItem());
        screen->setParentItem(m_window->contentItem());
        screen->setSize(size);
        m_window->show();
        return QTest::qWaitForWindowExposed(m_window.get()) ? screen : nullptr;
    }

    static QString text(QQuickItem *screen, const char *name)
    {
        auto *item = screen->findChild<QQuickItem *>(QLatin1String(name));
        return item ? item->property("text").toString()
                    : QStringLiteral("<missing %1>").arg(QLatin1String(name));
    }

    static bool shows(QQuickItem *screen, const char *name)
    {
        auto *item = screen->findChild<QQuickItem *>(QLatin1String(name));
        return item && item->isVisible();
    }

    // The name QML's attached Accessible object gives the item.
    static QString accessibleName(QObject *item)
    {
        for (QObject *child : item->children()) {
            if (QByteArray(child->metaObject()->className()).contains("Accessible"))
                return child->property("name").toString();
        }
        return {};
    }

    static bool drawIsScheduled(QQuickItem *screen)
    {
        return screen->findChild<QObject *>(QStringLiteral("automaticStart"))->property("running").toBool();
    }

    void checkLayout(QQuickItem *screen, QSizeF size, double diameter, double actionY)
    {
        auto *wheel = screen->findChild<WeightedWheelGraphic *>(QStringLiteral("wheel"));
        QVERIFY(wheel);
        QCOMPARE(wheel->width(), diameter);
        QCOMPARE(wheel->height(), diameter);
        QCOMPARE(wheel->x() + diameter / 2, size.width() / 2);
        QCOMPARE(wheel->y() + diameter / 2, size.height() / 2);
        auto *header = screen->findChild<QQuickItem *>(QStringLiteral("header"));
        QCOMPARE(header->y() + header->height() / 2, 54.0);
        QCOMPARE(header->width(), size.width());
        auto *action = screen->findChild<QQuickItem *>(QStringLiteral("actionArea"));
        QCOMPARE(action->x(), size.width() / 2);
        QCOMPARE(action->y(), actionY);
        auto *banner = screen->findChild<QQuickItem *>(QStringLiteral("keyboardBanner"));
        QCOMPARE(banner->y() + banner->height() / 2, size.height() - 26);
        QCOMPARE(banner->x(), 32.0);
        QCOMPARE(banner->width(), size.width() - 64);
    }

    void enterBreak()
    {
        controller().round()->finishFocusNow();
        controller().breakWheel()->enterLockedBreak();
        QCOMPARE(controller().round()->phase(), SessionPhase::Wheel);
    }

private slots:
    void initTestCase()
    {
        AppPreferences preferences;
        preferences.language = AppLanguage::english;
        setUpViews(m_harness.startWithStored(preferences));
        m_engine = std::make_unique<QQmlEngine>();
    }

    // A case that failed half-way must not leave the shared controller in its break, or in Chinese, for
    // the next one: every case starts in a focus round with English texts.
    void init()
    {
        if (controller().language() != AppLanguage::english) {
            AppPreferences english = controller().preferences();
            english.language = AppLanguage::english;
            QVERIFY(controller().savePreferences(english));
        }
        if (controller().round()->phase() == SessionPhase::SessionComplete)
            controller().breakWheel()->enterLockedBreak();
        if (controller().round()->phase() == SessionPhase::Wheel) {
            controller().breakWheel()->spinWheel(0);
            QTRY_COMPARE_WITH_TIMEOUT(controller().round()->phase(), SessionPhase::Activity, settleTimeoutMs);
        }
        controller().breakWheel()->confirmActivityCompleted();
        QCOMPARE(controller().round()->phase(), SessionPhase::Focus);
    }

    void cleanup() { m_window.reset(); }

    void aBreakRunsFromTheWheelToTheNextRound()
    {
        enterBreak();
        if (QTest::currentTestFailed())
            return;
        QQuickItem *screen = show(QSize(1240, 880), true);
        QVERIFY(screen);
        QCOMPARE(screen->property("spinSeconds").toDouble(), 0.22);
        auto *wheel = screen->findChild<WeightedWheelGraphic *>(QStringLiteral("wheel"));
        QCOMPARE(wheel->items(), controller().breakWheel()->wheelEntries());
        QCOMPARE(wheel->baseWeightTotal(), controller().breakWheel()->wheelBaseWeightTotal());
        QCOMPARE(wheel->accentColor(), QColor(0xEB, 0xCB, 0x83));
        QCOMPARE(accessibleName(wheel), QStringLiteral("Dynamic Probability Wheel"));
        QVERIFY(!wheel->showResult());

        // The default window: d = 540, action area at min(440 + 270 + 54, 760).
        checkLayout(screen, QSizeF(1240, 880), 540, 760);
        QCOMPARE(text(screen, "title"), QStringLiteral("Time to Unwind"));
        QCOMPARE(text(screen, "subtitle"),
            QStringLiteral("♫  Music playing · Probabilities reflect recent draws"));
        QCOMPARE(text(screen, "lockText"), QStringLiteral("Keyboard locked · Background work continues"));
        QCOMPARE(text(screen, "unlockHint"), QStringLiteral("Emergency unlock  Ctrl+Alt+Super+Esc"));

        // Before the draw the screen waits; it then starts the draw by itself.
        QVERIFY(shows(screen, "waitingCapsule"));
        QVERIFY(!shows(screen, "result"));
        if (!controller().breakWheel()->isSpinning()) {
            QVERIFY(drawIsScheduled(screen));
            QCOMPARE(text(screen, "waitingText"), QStringLiteral("Preparing the wheel"));
        }
        QTRY_VERIFY_WITH_TIMEOUT(controller().breakWheel()->isSpinning()
                || controller().round()->phase() == SessionPhase::Activity,
            settleTimeoutMs);
        QCOMPARE(wheel->selectedID(), controller().breakWheel()->selectedItemID());
        QCOMPARE(wheel->items(), controller().breakWheel()->wheelEntries());
        if (controller().breakWheel()->isSpinning())
            QCOMPARE(text(screen, "waitingText"), QStringLiteral("Choosing your break activity"));

        QTRY_COMPARE_WITH_TIMEOUT(controller().round()->phase(), SessionPhase::Activity, settleTimeoutMs);
        QVERIFY(wheel->showResult());
        QCOMPARE(wheel->wheelRotation(), controller().breakWheel()->wheelRotation());
        QVERIFY(!shows(screen, "waitingCapsule"));
        QVERIFY(shows(screen, "result"));
        QCOMPARE(text(screen, "title"), QStringLiteral("Break Activity"));
        QCOMPARE(text(screen, "subtitle"), QStringLiteral("Complete it before the next focus round"));
        QCOMPARE(text(screen, "resultTitle"), controller().breakWheel()->selectedItem()->item.title);
        QCOMPARE(text(screen, "resultScore"),
            QStringLiteral("+")
                + QString::number(controller().breakWheel()->selectedItem()->item.healthScore));
        QCOMPARE(text(screen, "completionButton"), QStringLiteral("Done · Start Next Round"));

        // The smallest window: the action area at min(270 + 150 + 54, 420), and the wheel, at most
        // min(680, 300, 540) across, moved and shrunk to end above the result.
        screen->setSize(QSizeF(760, 540));
        QCOMPARE(screen->findChild<QQuickItem *>(QStringLiteral("actionArea"))->y(), 420.0);
        const QQuickItem *result = screen->findChild<QQuickItem *>(QStringLiteral("result"));
        QVERIFY(wheel->width() <= 300 && wheel->y() + wheel->height() < result->mapToItem(screen, {}).y());

        QMetaObject::invokeMethod(
            screen->findChild<QObject *>(QStringLiteral("completionButton")), "clicked");
        QCOMPARE(controller().round()->phase(), SessionPhase::Focus);
        QVERIFY(!controller().breakWheel()->keyboardIsLocked());
    }

    void noDrawIsScheduledOnceADrawIsUnderWay()
    {
        enterBreak();
        if (QTest::currentTestFailed())
            return;
        controller().breakWheel()->spinWheel(0.22);
        QVERIFY(controller().breakWheel()->isSpinning());
        QQuickItem *screen = show(QSize(1240, 880), false);
        QVERIFY(screen);
        QCOMPARE(screen->property("spinSeconds").toDouble(), 3.1);
        QVERIFY(!drawIsScheduled(screen));
        QTRY_COMPARE_WITH_TIMEOUT(controller().round()->phase(), SessionPhase::Activity, settleTimeoutMs);

        // Shown in the activity phase: the drawn item and its button, and nothing scheduled.
        m_window.reset();
        screen = show(QSize(1240, 880), false);
        QVERIFY(screen);
        QVERIFY(!drawIsScheduled(screen));
        QVERIFY(shows(screen, "result"));
        controller().breakWheel()->confirmActivityCompleted();
    }

    void theTitleFollowsThePalette_data()
    {
        QTest::addColumn<QString>("textHex");
        QTest::newRow("default palette") << QStringLiteral("#F6EEDB");
        QTest::newRow("custom palette") << QStringLiteral("#3CB371");
    }

    void theTitleFollowsThePalette()
    {
        QFETCH(QString, textHex);
        AppPreferences custom = controller().preferences();
        custom.autoPalette = false;
        custom.palette.textHex = textHex;
        QVERIFY(controller().savePreferences(custom));
        enterBreak();
        if (QTest::currentTestFailed())
            return;
        QQuickItem *screen = show(QSize(1240, 880), true);
        QVERIFY(screen);
        auto *title = screen->findChild<QQuickItem *>(QStringLiteral("title"));
        QCOMPARE(title->property("color").value<QColor>(), QColor(textHex));
        QTRY_COMPARE_WITH_TIMEOUT(controller().round()->phase(), SessionPhase::Activity, settleTimeoutMs);
        controller().breakWheel()->confirmActivityCompleted();
    }

    // The view's spin lasts 3.1 s but the controller settles almost at once, as it would when a busy
    // machine leaves the animation behind: the wheel must stand at its final angle by the time the drawn
    // slice is highlighted.
    void theWheelStandsAtTheFinalAngleWhenTheDrawSettles()
    {
        enterBreak();
        if (QTest::currentTestFailed())
            return;
        QQuickItem *screen = show(QSize(1240, 880), false);
        QVERIFY(screen);
        auto *wheel = screen->findChild<WeightedWheelGraphic *>(QStringLiteral("wheel"));
        QVERIFY(wheel);
        double rotationWhenShown = -1;
        connect(wheel, &WeightedWheelGraphic::showResultChanged, this,
            [&] { rotationWhenShown = wheel->wheelRotation(); });
        const double before = wheel->wheelRotation();
        controller().breakWheel()->spinWheel(0);
        QVERIFY(controller().breakWheel()->isSpinning());
        QVERIFY(controller().breakWheel()->wheelRotation() != before);
        QTRY_COMPARE_WITH_TIMEOUT(controller().round()->phase(), SessionPhase::Activity, settleTimeoutMs);
        QVERIFY(wheel->showResult());
        QCOMPARE(rotationWhenShown, controller().breakWheel()->wheelRotation());
        QCOMPARE(wheel->wheelRotation(), controller().breakWheel()->wheelRotation());
        QVERIFY(shows(screen, "result"));
    }

    void chineseTexts()
    {
        AppPreferences chinese = controller().preferences();
        chinese.language = AppLanguage::chinese;
        QVERIFY(controller().savePreferences(chinese));
        enterBreak();
        if (QTest::currentTestFailed())
            return;
        QQuickItem *screen = show(QSize(1240, 880), true);
        QVERIFY(screen);
        QCOMPARE(text(screen, "title"), QStringLiteral("休息时间"));
        QCOMPARE(text(screen, "subtitle"), QStringLiteral("♫  音乐播放中  ·  本轮概率已按近期记录动态调整"));
        QCOMPARE(text(screen, "lockText"), QStringLiteral("键盘已锁定 · 后台任务继续运行"));
        QCOMPARE(text(screen, "unlockHint"), QStringLiteral("应急解锁  Ctrl+Alt+Super+Esc"));
        QCOMPARE(
            screen->findChild<QQuickItem *>(QStringLiteral("wheel"))->property("english").toBool(), false);
        QTRY_COMPARE_WITH_TIMEOUT(controller().round()->phase(), SessionPhase::Activity, settleTimeoutMs);
        QCOMPARE(text(screen, "title"), QStringLiteral("本轮休息"));
        QCOMPARE(text(screen, "subtitle"), QStringLiteral("完成后再开始下一轮"));
        QCOMPARE(text(screen, "completionButton"), QStringLiteral("我已完成 · 开始下一轮"));
    }
};

QUORVANE_TEST_MAIN(BreakWheelViewTest)
#include "tst_ui_break_wheel.moc"
