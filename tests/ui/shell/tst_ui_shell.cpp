#include "ControllerHarness.h"
#include "MainWindowViews.h"
#include "TestProgram.h"
#include "platform/SoftwareSceneGraph.h"
#include "ui/shell/FocusInterfaceState.h"
#include "ui/shell/GraphicsAdaptation.h"
#include "ui/shell/KeyboardLockGuard.h"

#include <QImage>
#include <QJsonDocument>
#include <QPointer>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>

// The main window's shell: the root view's layers and hidden flag, the alert, the texts that follow the
// language, and the keys dropped while the keyboard is locked.
class UiShellTest : public QObject
{
    Q_OBJECT

private:
    ControllerHarness m_harness;
    AppController *m_controller = nullptr;
    MainWindowViews m_views;
    QQuickWindow *m_window = nullptr;
    QQuickItem *m_root = nullptr;
    QString m_firstBackground;
    QString m_secondBackground;

    QQuickItem *item(const char *objectName) const
    {
        return m_root->findChild<QQuickItem *>(QLatin1String(objectName));
    }
    FocusInterfaceState *interfaceState() const
    {
        return m_root->property("interfaceState").value<FocusInterfaceState *>();
    }

    // The live background view: the one child of the background layer that has a background's address.
    QQuickItem *backgroundView() const
    {
        for (QQuickItem *child : item("backgroundLayer")->childItems()) {
            if (child->property("url").isValid())
                return child;
        }
        return nullptr;
    }

    void click(QQuickItem *target)
    {
        const QPoint centre
            = target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint();
        QTest::mouseClick(target->window(), Qt::LeftButton, {}, centre);
    }

private slots:
    void initTestCase()
    {
        // Two pictures in the library, the first one active.
        const QDir folder(AppStorageService::backgroundDirectory(m_harness.root()));
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        m_firstBackground = folder.filePath(QStringLiteral("first.png"));
        m_secondBackground = folder.filePath(QStringLiteral("second.png"));
        QImage picture(64, 36, QImage::Format_RGB32);
        picture.fill(QColor(0x33, 0x66, 0x99));
        QVERIFY(picture.save(m_firstBackground));
        picture.fill(QColor(0x99, 0x66, 0x33));
        QVERIFY(picture.save(m_secondBackground));
        AppPreferences preferences;
        preferences.backgroundPath = m_firstBackground;
        preferences.autoPalette = false;
        QVERIFY(writeFileBytes(m_harness.file(QStringLiteral("preferences.json")),
            QJsonDocument(preferences.toJson()).toJson()));

        m_controller = &m_harness.start([](AppControllerSeams &seams) { seams.reduceMotion = true; });
        QVERIFY(m_views.load(*m_controller));
        m_window = m_views.window;
        m_root = m_views.root;
        QVERIFY(interfaceState());
    }

    void effectiveFlagNeedsTheFocusPhase_data()
    {
        QTest::addColumn<SessionPhase>("phase");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("effective");

        QTest::newRow("focus, hidden") << SessionPhase::Focus << true << true;
        QTest::newRow("focus, shown") << SessionPhase::Focus << false << false;
        QTest::newRow("round complete, hidden") << SessionPhase::SessionComplete << true << false;
        QTest::newRow("wheel, hidden") << SessionPhase::Wheel << true << false;
        QTest::newRow("activity, hidden") << SessionPhase::Activity << true << false;
    }

    void effectiveFlagNeedsTheFocusPhase()
    {
        QFETCH(SessionPhase, phase);
        QFETCH(bool, hidden);
        QFETCH(bool, effective);

        FocusInterfaceState state;
        state.setPhase(phase);
        state.setFocusInterfaceIsHidden(hidden);
        // Set outside the focus phase, the flag is kept but has no effect.
        QCOMPARE(state.focusInterfaceIsHidden(), hidden);
        QCOMPARE(state.isEffectivelyHidden(), effective);
    }

    void leavingTheFocusPhaseClearsTheFlag_data()
    {
        QTest::addColumn<SessionPhase>("nextPhase");
        QTest::addColumn<bool>("stillHidden");
        QTest::addColumn<int>("effectChanges");

        QTest::newRow("round complete") << SessionPhase::SessionComplete << false << 1;
        QTest::newRow("wheel") << SessionPhase::Wheel << false << 1;
        QTest::newRow("activity") << SessionPhase::Activity << false << 1;
        QTest::newRow("focus again") << SessionPhase::Focus << true << 0;
    }

    void leavingTheFocusPhaseClearsTheFlag()
    {
        QFETCH(SessionPhase, nextPhase);
        QFETCH(bool, stillHidden);
        QFETCH(int, effectChanges);

        FocusInterfaceState state;
        state.setPhase(SessionPhase::Focus);
        state.setFocusInterfaceIsHidden(true);
        QSignalSpy effect(&state, &FocusInterfaceState::isEffectivelyHiddenChanged);
        QSignalSpy flag(&state, &FocusInterfaceState::focusInterfaceIsHiddenChanged);
        state.setPhase(nextPhase);
        QCOMPARE(state.focusInterfaceIsHidden(), stillHidden);
        QCOMPARE(state.isEffectivelyHidden(), stillHidden);
        QCOMPARE(effect.size(), effectChanges);
        QCOMPARE(flag.size(), stillHidden ? 0 : 1);

        // Coming back to focus does not bring the hidden state back.
        state.setPhase(SessionPhase::Focus);
        QCOMPARE(state.isEffectivelyHidden(), stillHidden);
    }

    void flagChangesAreAnnouncedOnce()
    {
        FocusInterfaceState state;
        state.setPhase(SessionPhase::Focus);
        QSignalSpy effect(&state, &FocusInterfaceState::isEffectivelyHiddenChanged);
        state.setFocusInterfaceIsHidden(true);
        state.setFocusInterfaceIsHidden(true);
        QCOMPARE(effect.size(), 1);
        state.setFocusInterfaceIsHidden(false);
        QCOMPARE(effect.size(), 2);
    }

    void windowStartsWithTheChineseTitleAndTheActiveBackground()
    {
        QCOMPARE(m_window->title(), QStringLiteral("柯帆"));
        QCOMPARE(m_window->minimumSize(), QSize(760, 540));
        QQuickItem *view = backgroundView();
        QVERIFY(view);
        QCOMPARE(view->property("url").toUrl(), QUrl::fromLocalFile(m_firstBackground));
        QCOMPARE(view->size(), m_root->size());
    }

    void hiddenInterfaceIsInvisibleAndIgnoresInput()
    {
        QQuickItem *layer = item("interfaceLayer");
        QVERIFY(layer);
        QVERIFY(layer->isVisible());
        interfaceState()->setFocusInterfaceIsHidden(true);
        QVERIFY(!layer->isEnabled());
        QTRY_VERIFY(!layer->isVisible());
        QCOMPARE(layer->opacity(), 0.0);
        // The background and the overlay stay.
        QVERIFY(backgroundView()->isVisible());
        QVERIFY(item("overlayShade")->isVisible());

        interfaceState()->setFocusInterfaceIsHidden(false);
        QVERIFY(layer->isEnabled());
        QVERIFY(layer->isVisible());
        QTRY_COMPARE(layer->opacity(), 1.0);
    }

    void overlayFollowsItsSwitch()
    {
        QQuickItem *shade = item("overlayShade");
        QQuickItem *gradient = item("overlayGradient");
        QVERIFY(shade->isVisible());
        QCOMPARE(shade->opacity(), 0.37);
        QCOMPARE(gradient->opacity(), 1.0);

        m_controller->toggleBackgroundOverlay();
        QVERIFY(!shade->isVisible());
        // The gradient fades out rather than vanishing.
        QVERIFY(gradient->isVisible());
        QTRY_VERIFY(!gradient->isVisible());

        m_controller->toggleBackgroundOverlay();
        QVERIFY(shade->isVisible());
        QTRY_COMPARE(gradient->opacity(), 1.0);
    }

    void theGlassShowsTheOverlayBehindIt()
    {
        QQuickItem *glass = item("consoleGlass");
        QVERIFY(glass);
        // Beside the console's content, inside its border.
        const QPoint inside = glass->mapToScene(QPointF(10, glass->height() / 2)).toPoint();
        // A new capture reaches the glass's own picture in the frame after it is taken: a first grab draws
        // that frame, and the second shows it.
        const auto shownGreen = [&] {
            m_window->grabWindow();
            return qGreen(m_window->grabWindow().pixel(inside));
        };
        // The picture behind the glass arrives from a decoding thread; the panel is compared over it.
        QTRY_VERIFY_WITH_TIMEOUT(MainWindowViews::backgroundHasLoaded(*m_window), 30000);
        QVERIFY(m_controller->appearance()->backgroundOverlayEnabled());
        QTRY_VERIFY(item("overlayGradient")->opacity() == 1.0);
        QTRY_VERIFY(MainWindowViews::glassShowsTheScene(*m_window));
        const int darkened = shownGreen();

        m_controller->toggleBackgroundOverlay();
        QTRY_VERIFY(!item("overlayGradient")->isVisible());
        // The panel brightens with the scene behind it once the overlay is gone.
        QTRY_VERIFY(shownGreen() > darkened + 10);

        m_controller->toggleBackgroundOverlay();
        QTRY_COMPARE(item("overlayGradient")->opacity(), 1.0);
        QTRY_COMPARE(shownGreen(), darkened);
    }

    // The window draws with the adaptation chosen for its X server, and the views know which it is.
    void theWindowDrawsWithTheAdaptationChosenForItsServer()
    {
        const bool chosen = SoftwareSceneGraph::chosen(SoftwareSceneGraph::current());
        QCOMPARE(m_window->rendererInterface()->graphicsApi() == QSGRendererInterface::Software, chosen);
        const int type = qmlTypeId("Quorvane.Shell", 1, 0, "GraphicsAdaptation");
        const auto *adaptation = m_views.engine->singletonInstance<GraphicsAdaptation *>(type);
        QVERIFY(adaptation);
        QCOMPARE(adaptation->software(), chosen);
    }

    // The scene reaches the window drawn as it is under the software adaptation, which draws only what
    // changed, and as one texture under OpenGL: each change of the picture or of its overlay shows.
    void theWindowShowsTheSceneAsItChanges()
    {
        const bool software = m_window->rendererInterface()->graphicsApi() == QSGRendererInterface::Software;
        QQuickItem *texture = item("sceneTexture");
        QVERIFY(texture);
        QCOMPARE(texture->isVisible(), !software);
        // Between the header and the console, where nothing covers the scene.
        const QPoint open(m_window->width() / 3, m_window->height() / 2);
        const auto shownAt = [&](QPoint at) { return QColor(m_window->grabWindow().pixel(at)); };
        const auto shown = [&] { return shownAt(open); };
        QTRY_VERIFY_WITH_TIMEOUT(MainWindowViews::backgroundHasLoaded(*m_window), 30000);
        QTRY_COMPARE(item("overlayGradient")->opacity(), 1.0);
        // The first picture is blue, the second orange.
        QTRY_VERIFY(shown().blue() > shown().red() + 20);
        const QColor darkened = shown();
        // The right way up: the overlay's gradient darkens the bottom more than the top.
        const QPoint top(open.x(), 4);
        const QPoint bottom(open.x(), m_window->height() - 4);
        QVERIFY(shownAt(top).blue() > shownAt(bottom).blue() + 10);

        m_controller->toggleBackgroundOverlay();
        QTRY_VERIFY(shown().blue() > darkened.blue() + 10);
        m_controller->toggleBackgroundOverlay();
        QTRY_COMPARE(shown(), darkened);

        m_controller->appearance()->selectAdjacentBackground(true);
        QTRY_VERIFY_WITH_TIMEOUT(MainWindowViews::backgroundHasLoaded(*m_window), 30000);
        QTRY_VERIFY(shown().red() > shown().blue() + 20);
        m_controller->appearance()->selectAdjacentBackground(false);
        QTRY_VERIFY_WITH_TIMEOUT(MainWindowViews::backgroundHasLoaded(*m_window), 30000);
        QTRY_COMPARE(shown(), darkened);
    }

    void anotherBackgroundBuildsANewView()
    {
        QPointer<QQuickItem> first = backgroundView();
        QVERIFY(first);
        // Other settings reach the running view.
        m_controller->music()->setVolume(0.3);
        QCOMPARE(backgroundView(), first.data());

        m_controller->appearance()->selectAdjacentBackground(true);
        QTRY_VERIFY(!first);
        QQuickItem *second = backgroundView();
        QVERIFY(second);
        QCOMPARE(second->property("url").toUrl(), QUrl::fromLocalFile(m_secondBackground));
    }

    void alertShowsTheControllersMessageAndClears_data()
    {
        QTest::addColumn<bool>("byButton");

        QTest::newRow("dismiss button") << true;
        QTest::newRow("escape key") << false;
    }

    void alertShowsTheControllersMessageAndClears()
    {
        QFETCH(bool, byButton);

        m_controller->sheets()->showAlert(
            QStringLiteral("无法保存设置"), QStringLiteral("磁盘已满。<b>不是标记</b>"));
        QVERIFY(m_controller->sheets()->showingAlert());
        // The main window's alert; each sheet has one of its own.
        auto *alert = m_window->findChild<QObject *>(QStringLiteral("mainAlert"));
        QVERIFY(alert);
        auto *title = alert->findChild<QQuickItem *>(QStringLiteral("alertTitle"));
        auto *message = alert->findChild<QQuickItem *>(QStringLiteral("alertMessage"));
        auto *button = alert->findChild<QQuickItem *>(QStringLiteral("alertDismissButton"));
        QVERIFY(title && message && button);
        QTRY_VERIFY(button->isVisible());
        QCOMPARE(title->property("text").toString(), QStringLiteral("无法保存设置"));
        QCOMPARE(message->property("text").toString(), QStringLiteral("磁盘已满。<b>不是标记</b>"));
        QCOMPARE(message->property("textFormat").toInt(), int(Qt::PlainText));
        QCOMPARE(button->property("text").toString(), QStringLiteral("知道了"));

        if (byButton)
            click(button);
        else
            QTest::keyClick(m_window, Qt::Key_Escape);
        QTRY_VERIFY(!m_controller->sheets()->showingAlert());
        QTRY_VERIFY(!button->isVisible());
    }

    void textsFollowTheLanguage()
    {
        QQmlComponent component(m_views.engine.get());
        component.setData(R"(
            import QtQuick
            import Quorvane.Common
            QtObject {
                property string pair: Texts.L("专注", "Focus")
                property string key: Texts.text("知道了")
                property string draft: Texts.text("知道了", "english")
                property string unknownLanguage: Texts.text("知道了", "klingon")
            }
        )",
            QUrl());
        std::unique_ptr<QObject> texts(component.create());
        QVERIFY2(texts, qPrintable(component.errorString()));
        QCOMPARE(texts->property("pair").toString(), QStringLiteral("专注"));
        QCOMPARE(texts->property("key").toString(), QStringLiteral("知道了"));
        QCOMPARE(texts->property("draft").toString(), QStringLiteral("OK"));
        QCOMPARE(texts->property("unknownLanguage").toString(), QStringLiteral("知道了"));

        AppPreferences english = m_controller->preferences();
        english.language = AppLanguage::english;
        QVERIFY(m_controller->savePreferences(english));
        QCOMPARE(texts->property("pair").toString(), QStringLiteral("Focus"));
        QCOMPARE(texts->property("key").toString(), QStringLiteral("OK"));
        QCOMPARE(m_window->title(), QStringLiteral("Quorvane"));

        AppPreferences chinese = m_controller->preferences();
        chinese.language = AppLanguage::chinese;
        QVERIFY(m_controller->savePreferences(chinese));
        QCOMPARE(texts->property("pair").toString(), QStringLiteral("专注"));
        QCOMPARE(m_window->title(), QStringLiteral("柯帆"));
    }

    void keysAreDroppedWhileLocked()
    {
        QQmlComponent component(m_views.engine.get());
        component.setData(R"(
            import QtQuick
            import QtQuick.Window
            Window {
                property int shortcuts: 0
                width: 200
                height: 60
                visible: true
                TextInput {
                    objectName: "input"
                    anchors.fill: parent
                    focus: true
                }
                Shortcut {
                    sequence: "Ctrl+K"
                    onActivated: shortcuts += 1
                }
            }
        )",
            QUrl());
        std::unique_ptr<QObject> object(component.create());
        auto *window = qobject_cast<QQuickWindow *>(object.get());
        QVERIFY2(window, qPrintable(component.errorString()));
        window->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *input = window->findChild<QQuickItem *>(QStringLiteral("input"));

        KeyboardLockGuard guard;
        guard.setLocked(true);
        QTest::keyClick(window, 'a');
        QTest::keyClick(window, 'b');
        QTest::keyClick(window, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(input->property("text").toString(), QString());
        QCOMPARE(window->property("shortcuts").toInt(), 0);

        guard.setLocked(false);
        QTest::keyClick(window, 'a');
        QTest::keyClick(window, 'b');
        QTest::keyClick(window, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(input->property("text").toString(), QStringLiteral("ab"));
        QCOMPARE(window->property("shortcuts").toInt(), 1);
    }

    // Last: it leaves the focus phase for good.
    void theEndOfTheRoundShowsTheInterfaceAgainAndTheBreakLocksKeys()
    {
        auto *guard = m_window->findChild<KeyboardLockGuard *>();
        QVERIFY(guard);
        QVERIFY(!guard->locked());
        interfaceState()->setFocusInterfaceIsHidden(true);
        QTRY_VERIFY(!item("interfaceLayer")->isVisible());

        m_controller->round()->finishFocusNow();
        QCOMPARE(m_controller->round()->phase(), SessionPhase::SessionComplete);
        QVERIFY(!interfaceState()->focusInterfaceIsHidden());
        QVERIFY(item("interfaceLayer")->isEnabled());
        QTRY_COMPARE(item("interfaceLayer")->opacity(), 1.0);

        m_controller->breakWheel()->enterLockedBreak();
        QVERIFY(m_controller->breakWheel()->keyboardIsLocked());
        QVERIFY(guard->locked());

        // The desktop asked for less motion: the wheel turns briefly.
        QQuickItem *breakScreen = nullptr;
        QTRY_VERIFY((breakScreen = m_root->findChild<QQuickItem *>(QStringLiteral("breakWheelView"))));
        QCOMPARE(breakScreen->property("spinSeconds").toDouble(), 0.22);
    }
};

QUORVANE_TEST_MAIN(UiShellTest)
#include "tst_ui_shell.moc"
