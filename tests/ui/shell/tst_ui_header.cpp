#include "ControllerHarness.h"
#include "MainWindowViews.h"
#include "TestProgram.h"
#include "ui/shell/FocusInterfaceState.h"

#include <QCursor>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>
#include <QTest>

// The header bar in the main window: each control reaches the controller, the commands rest while the
// keyboard is locked, and a control's instant tooltip shows at once on hover and goes when it should.
class UiHeaderTest : public QObject
{
    Q_OBJECT

private:
    ControllerHarness m_harness;
    AppController *m_controller = nullptr;
    MainWindowViews m_views;
    QQuickWindow *m_window = nullptr;
    QQuickItem *m_root = nullptr;

    QQuickItem *item(const QString &name) const { return m_root->findChild<QQuickItem *>(name); }
    QQuickItem *layer() const { return item(QStringLiteral("tooltipLayer")); }
    QQuickItem *bubble() const { return item(QStringLiteral("tooltipBubble")); }
    // The control whose tooltip the layer shows; null when none is shown.
    QQuickItem *tooltipOwner() const
    {
        auto *tooltip = layer()->property("current").value<QQuickItem *>();
        return tooltip ? tooltip->parentItem() : nullptr;
    }

    QPoint centreOf(QQuickItem *target) const
    {
        return target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint();
    }
    void click(QQuickItem *target) { QTest::mouseClick(m_window, Qt::LeftButton, {}, centreOf(target)); }
    // Somewhere in the middle of the window, away from every header control.
    void moveAway() { QTest::mouseMove(m_window, QPoint(m_window->width() / 2, m_window->height() / 2)); }

    // The state each control changes, as text, so that one table can name them all.
    QString stateOf(const QString &control) const
    {
        const AppPreferences &preferences = m_controller->preferences();
        if (control == u"trackingSwitch")
            return QString::number(preferences.trackActivity);
        if (control == u"windowOnTopSwitch")
            return QString::number(preferences.keepWindowOnTop);
        if (control == u"overlaySwitch")
            return QString::number(preferences.backgroundOverlayEnabled);
        if (control == u"journalCommand")
            return QStringLiteral("%1 %2")
                .arg(m_controller->sheets()->isOpen(Sheets::Sheet::Journal))
                .arg(m_controller->journal()->notesRevision());
        if (control == u"statisticsCommand")
            return QString::number(m_controller->sheets()->isOpen(Sheets::Sheet::Statistics));
        if (control == u"settingsCommand")
            return QString::number(m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
        return QString::number(m_controller->sheets()->isOpen(Sheets::Sheet::DeveloperCorner));
    }

    void closeSheets()
    {
        m_controller->sheets()->close(Sheets::Sheet::Journal);
        m_controller->sheets()->close(Sheets::Sheet::Statistics);
        m_controller->sheets()->close(Sheets::Sheet::Settings);
        m_controller->sheets()->close(Sheets::Sheet::DeveloperCorner);
    }

    static void addControlColumns()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("isCommand");

        QTest::newRow("tracking switch") << "trackingSwitch" << false;
        QTest::newRow("window-on-top switch") << "windowOnTopSwitch" << false;
        QTest::newRow("overlay switch") << "overlaySwitch" << false;
        QTest::newRow("journal") << "journalCommand" << true;
        QTest::newRow("statistics") << "statisticsCommand" << true;
        QTest::newRow("settings") << "settingsCommand" << true;
        QTest::newRow("developer corner") << "developerCornerButton" << true;
    }

private slots:
    void initTestCase()
    {
        // QTest moves only Qt's idea of the pointer; the X server's own pointer stays put. Left over the
        // main window, it earns the window a real enter event at its own spot each time a sheet window
        // above it closes, and on a busy machine that event can come after a test has hovered a control,
        // taking the hover, and the tooltip, away from it. Parked outside every window, it earns none.
        const QPoint corner = QGuiApplication::primaryScreen()->geometry().bottomRight();
        QCursor::setPos(corner);
        QTRY_COMPARE(QCursor::pos(), corner);
        m_controller = &m_harness.start();
        QVERIFY(m_views.load(*m_controller));
        m_window = m_views.window;
        m_root = m_views.root;
        QVERIFY(layer() && bubble());
        QVERIFY(!m_window->frameGeometry().contains(corner));
    }

    void init() { moveAway(); }

    void eachControlReachesTheController_data() { addControlColumns(); }

    void eachControlReachesTheController()
    {
        QFETCH(QString, control);

        QQuickItem *target = item(control);
        QVERIFY(target);
        QVERIFY(target->isEnabled());
        const QString before = stateOf(control);
        click(target);
        QVERIFY(stateOf(control) != before);
        closeSheets();
        // A switch pressed again returns to where it was.
        if (control.endsWith(u"Switch")) {
            click(target);
            QCOMPARE(stateOf(control), before);
        }
    }

    void statusRowsShowTheDay()
    {
        const auto value = [this](const char *row) {
            return item(QLatin1String(row))
                ->findChild<QQuickItem *>(QStringLiteral("statusValue"))
                ->property("text");
        };
        QCOMPARE(value("roundRow").toString(), QStringLiteral("第 1 轮"));
        QCOMPARE(value("healthRow").toString(), QStringLiteral("0 健康分"));
        QCOMPARE(value("completedRow").toString(), QStringLiteral("完成 0 项"));
    }

    void hoverShowsTheBubbleAtOnce_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("placement");
        QTest::addColumn<QString>("title");

        QTest::newRow("status row") << "healthRow"
                                    << "trailing"
                                    << "今日健康分";
        QTest::newRow("developer corner") << "developerCornerButton"
                                          << "trailing"
                                          << "和开发者谈心";
        QTest::newRow("switch") << "overlaySwitch"
                                << "bottomTrailing"
                                << "图片蒙版";
        QTest::newRow("command") << "settingsCommand"
                                 << "bottomTrailing"
                                 << "设置";
    }

    void hoverShowsTheBubbleAtOnce()
    {
        QFETCH(QString, control);
        QFETCH(QString, placement);
        QFETCH(QString, title);

        QQuickItem *target = item(control);
        QTest::mouseMove(m_window, centreOf(target));
        // No delay: the move itself shows it.
        QCOMPARE(tooltipOwner(), target);
        QTRY_COMPARE(bubble()->opacity(), 1.0);
        // Still this control's bubble once it has faded in: no stray pointer event took the hover.
        QCOMPARE(tooltipOwner(), target);
        QCOMPARE(bubble()->width(), 234.0);
        QCOMPARE(
            bubble()->findChild<QQuickItem *>(QStringLiteral("tooltipTitle"))->property("text").toString(),
            title);
        const QRectF anchor = target->mapRectToItem(layer(), QRectF(0, 0, target->width(), target->height()));
        QPointF expected;
        QVERIFY(QMetaObject::invokeMethod(
            m_views.engine->singletonInstance<QObject *>(qmlTypeId("Quorvane.Common", 1, 0, "Placement")),
            "tooltipPosition", Q_RETURN_ARG(QPointF, expected), Q_ARG(QRectF, anchor),
            Q_ARG(QString, placement), Q_ARG(double, bubble()->height())));
        QCOMPARE(bubble()->position(), expected);

        moveAway();
        QCOMPARE(tooltipOwner(), nullptr);
        QTRY_VERIFY(!bubble()->isVisible());
    }

    // Clicked without moving the pointer, a switch's bubble tells its new state.
    void aShownBubbleFollowsAClick_data()
    {
        QTest::addColumn<QString>("control");

        QTest::newRow("tracking switch") << "trackingSwitch";
        QTest::newRow("window-on-top switch") << "windowOnTopSwitch";
        QTest::newRow("overlay switch") << "overlaySwitch";
    }

    void aShownBubbleFollowsAClick()
    {
        QFETCH(QString, control);

        QQuickItem *target = item(control);
        QTest::mouseMove(m_window, centreOf(target));
        QTRY_COMPARE(bubble()->opacity(), 1.0);
        auto *tooltip = layer()->property("current").value<QQuickItem *>();
        auto *detail = bubble()->findChild<QQuickItem *>(QStringLiteral("tooltipDetail"));
        QCOMPARE(detail->property("text"), tooltip->property("detail"));
        const QString before = detail->property("text").toString();
        click(target);
        QTRY_VERIFY(detail->property("text").toString() != before);
        QCOMPARE(detail->property("text"), tooltip->property("detail"));
        click(target);
    }

    void hidingTheInterfaceTakesTheBubble()
    {
        auto *state = m_root->property("interfaceState").value<FocusInterfaceState *>();
        QQuickItem *target = item(QStringLiteral("roundRow"));
        QTest::mouseMove(m_window, centreOf(target));
        QCOMPARE(tooltipOwner(), target);
        state->setFocusInterfaceIsHidden(true);
        QCOMPARE(tooltipOwner(), nullptr);
        QTRY_VERIFY(!bubble()->isVisible());
        state->setFocusInterfaceIsHidden(false);
        QTRY_VERIFY(item(QStringLiteral("interfaceLayer"))->isVisible());
    }

    void aDisabledOrDestroyedControlTakesItsBubble()
    {
        QQmlComponent component(m_views.engine.get());
        component.setData(R"(
            import QtQuick
            import Quorvane.Common
            Rectangle {
                x: 400
                y: 300
                width: 40
                height: 40
                InstantTooltip {
                    title: "Title"
                    detail: "Detail"
                }
            }
        )",
            // Beside the views, so that it finds InstantTooltip.qml.
            QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/Common/TooltipTestControl.qml")));
        for (const bool destroy : { false, true }) {
            auto *control = qobject_cast<QQuickItem *>(component.create());
            QVERIFY2(control, qPrintable(component.errorString()));
            control->setParentItem(m_root);
            QTest::mouseMove(m_window, centreOf(control));
            QCOMPARE(tooltipOwner(), control);
            if (destroy)
                delete control;
            else
                control->setEnabled(false);
            QCOMPARE(tooltipOwner(), nullptr);
            QTRY_VERIFY(!bubble()->isVisible());
            if (!destroy)
                delete control;
            moveAway();
        }
    }

    // Last: it leaves the focus phase for good.
    void aLockedBreakRestsTheCommandsOnly_data() { addControlColumns(); }

    void aLockedBreakRestsTheCommandsOnly()
    {
        QFETCH(QString, control);
        QFETCH(bool, isCommand);

        if (!m_controller->breakWheel()->keyboardIsLocked()) {
            m_controller->round()->finishFocusNow();
            m_controller->breakWheel()->enterLockedBreak();
            QVERIFY(m_controller->breakWheel()->keyboardIsLocked());
        }
        QQuickItem *target = item(control);
        QCOMPARE(target->isEnabled(), !isCommand);
        const double restingOpacity = control == u"developerCornerButton" ? 0.82 : 1.0;
        QCOMPARE(target->opacity(), isCommand ? 0.35 : restingOpacity);
        const QString before = stateOf(control);
        click(target);
        QCOMPARE(stateOf(control) != before, !isCommand);
        // A resting command shows no tooltip either.
        QTest::mouseMove(m_window, centreOf(target));
        QCOMPARE(tooltipOwner(), isCommand ? nullptr : target);
        if (!isCommand)
            click(target);
    }
};

QUORVANE_TEST_MAIN(UiHeaderTest)
#include "tst_ui_header.moc"
