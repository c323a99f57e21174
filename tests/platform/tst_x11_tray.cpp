#include "PrivateXServer.h"
#include "platform/TrayIcon.h"
#include "platform/TraySymbolIcon.h"

#include <QAction>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

namespace {

using Action = TrayMenuModel::Action;
using EntryKind = TrayMenuModel::EntryKind;

TrayMenuModel focusModel(const QString &time, WorkTrackingState tracking = WorkTrackingState::tracking)
{
    return TrayMenuModel::make(SessionPhase::Focus, tracking, AppLanguage::english, time, 600, true);
}

// Pixels whose lightness is far from the panel's: what the eye can tell from the panel.
int countContrasting(const QImage &image, const QColor &panel)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += std::abs(image.pixelColor(x, y).lightness() - panel.lightness()) > 128 ? 1 : 0;
    }
    return count;
}

int countLightPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor color = image.pixelColor(x, y);
            if (color.alpha() > 200 && color.lightness() > 200)
                ++count;
        }
    }
    return count;
}

} // namespace

class X11TrayTest : public QObject
{
    Q_OBJECT

private:
    QProcess m_trayHost;

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != u"xcb")
            QSKIP("needs an X server");
        const QString trayer = QStandardPaths::findExecutable(QStringLiteral("trayer"));
        if (trayer.isEmpty())
            QSKIP("trayer is not installed");
        // A dark panel, so the light glyph can be found in a screenshot.
        m_trayHost.start(trayer,
            { QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request"),
                QStringLiteral("--height"), QStringLiteral("32"), QStringLiteral("--transparent"),
                QStringLiteral("true"), QStringLiteral("--alpha"), QStringLiteral("0"),
                QStringLiteral("--tint"), QStringLiteral("0x202020") });
        QVERIFY(m_trayHost.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 15000);
    }

    void cleanupTestCase()
    {
        if (m_trayHost.state() == QProcess::NotRunning)
            return;
        m_trayHost.terminate();
        if (!m_trayHost.waitForFinished(5000))
            m_trayHost.kill();
    }

    void symbolIcons_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("themeName");
        QTest::newRow("timer") << "timer"
                               << "quorvane-timer-symbolic";
        QTest::newRow("figure.mind.and.body") << "figure.mind.and.body"
                                              << "quorvane-figure-mind-and-body-symbolic";
        QTest::newRow("unknown name draws nothing") << "no.such.symbol" << QString();
    }

    // Hosts that look the name up take the installed symbolic icon; the others take the drawn picture,
    // which must stand out on a light panel as well as on a dark one.
    void symbolIcons()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, themeName);
        const QIcon icon = TraySymbolIcon::make(symbol);
        QCOMPARE(icon.name(), themeName);
        QCOMPARE(icon.isNull(), themeName.isEmpty());
        QCOMPARE(TraySymbolIcon::svg(symbol).isEmpty(), themeName.isEmpty());
        if (icon.isNull())
            return;
        for (const QColor panel : { QColor(0xf2, 0xf2, 0xf2), QColor(0x20, 0x20, 0x20) }) {
            QImage shown(22, 22, QImage::Format_RGB32);
            shown.fill(panel);
            QPainter painter(&shown);
            icon.paint(&painter, shown.rect());
            painter.end();
            QVERIFY2(countContrasting(shown, panel) > 60, qPrintable(panel.name()));
        }
    }

    void theTwoSymbolsDiffer()
    {
        const QImage timer = TraySymbolIcon::make(QStringLiteral("timer")).pixmap(QSize(32, 32)).toImage();
        const QImage rest
            = TraySymbolIcon::make(QStringLiteral("figure.mind.and.body")).pixmap(QSize(32, 32)).toImage();
        QVERIFY(timer != rest);
    }

    void iconShowsInTheTrayHost()
    {
        // The tray host sits on the top edge; the embedded icon's geometry is relative to it.
        const auto lightPixelsOnTopEdge = [] {
            QScreen *screen = QGuiApplication::primaryScreen();
            return countLightPixels(screen->grabWindow(0, 0, 0, screen->size().width(), 40).toImage());
        };
        const int before = lightPixelsOnTopEdge();

        TrayIcon tray;
        tray.setModel(focusModel(QStringLiteral("24:59")));
        tray.show();
        QVERIFY(tray.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!tray.geometry().isEmpty(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(lightPixelsOnTopEdge() > before + 20, 10000);

        tray.hide();
        QTRY_VERIFY_WITH_TIMEOUT(lightPixelsOnTopEdge() <= before, 10000);
    }

    void menuFollowsTheModel()
    {
        TrayIcon tray;
        const TrayMenuModel model = focusModel(QStringLiteral("24:59"));
        tray.setModel(model);
        const QList<QAction *> actions = tray.menu()->actions();
        QCOMPARE(actions.size(), model.entries.size());
        for (qsizetype i = 0; i < actions.size(); ++i) {
            const TrayMenuModel::Entry &entry = model.entries[i];
            QCOMPARE(actions[i]->isSeparator(), entry.kind == EntryKind::separator);
            if (entry.kind == EntryKind::separator)
                continue;
            QCOMPARE(actions[i]->text(), entry.text);
            QCOMPARE(actions[i]->isEnabled(), entry.enabled);
        }
    }

    void tickingTimeKeepsTheMenuItems()
    {
        TrayIcon tray;
        tray.setModel(focusModel(QStringLiteral("24:59")));
        const QList<QAction *> before = tray.menu()->actions();
        tray.setModel(focusModel(QStringLiteral("24:58")));
        QCOMPARE(tray.menu()->actions(), before);
        QCOMPARE(before[2]->text(), QStringLiteral("Focus in Progress · 24:58"));

        tray.setModel(focusModel(QStringLiteral("24:58"), WorkTrackingState::permissionRequired));
        QCOMPARE(tray.menu()->actions().size(), before.size());
        QCOMPARE(tray.menu()->actions()[3]->text(), QStringLiteral("Grant Activity Access"));
        QVERIFY(tray.menu()->actions()[3]->isEnabled());

        tray.setModel(TrayMenuModel::make(SessionPhase::Wheel, WorkTrackingState::tracking,
            AppLanguage::english, QStringLiteral("25:00"), 1500, true));
        QCOMPARE(tray.menu()->actions().size(), before.size() - 1);
        QCOMPARE(tray.menu()->actions()[2]->text(), QStringLiteral("Taking a Break"));
    }

    void choosingAnEntryEmitsItsAction_data()
    {
        QTest::addColumn<Action>("action");
        QTest::newRow("show") << Action::showMainWindow;
        QTest::newRow("grant access") << Action::enableAutomaticTracking;
        QTest::newRow("daily insights") << Action::showDailyInsights;
        QTest::newRow("check for updates") << Action::checkForUpdates;
        QTest::newRow("open CSV log") << Action::openActivityLog;
        QTest::newRow("quit") << Action::quit;
    }

    void choosingAnEntryEmitsItsAction()
    {
        QFETCH(Action, action);
        TrayIcon tray;
        const TrayMenuModel model
            = focusModel(QStringLiteral("10:00"), WorkTrackingState::permissionRequired);
        tray.setModel(model);
        QSignalSpy chosen(&tray, &TrayIcon::actionTriggered);
        for (qsizetype i = 0; i < model.entries.size(); ++i) {
            if (model.entries[i].action == action)
                tray.menu()->actions()[i]->trigger();
        }
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.first().first().value<Action>(), action);
    }

    void iconFollowsThePhase()
    {
        TrayIcon tray;
        tray.setModel(focusModel(QStringLiteral("10:00")));
        tray.show();
        const auto image = [](const QIcon &icon) { return icon.pixmap(QSize(32, 32)).toImage(); };
        QCOMPARE(image(tray.icon()), image(TraySymbolIcon::make(QStringLiteral("timer"))));
        tray.setModel(TrayMenuModel::make(SessionPhase::Activity, WorkTrackingState::tracking,
            AppLanguage::chinese, QStringLiteral("25:00"), 1500, false));
        QCOMPARE(image(tray.icon()), image(TraySymbolIcon::make(QStringLiteral("figure.mind.and.body"))));
        QCOMPARE(tray.menu()->actions().first()->text(), QStringLiteral("显示柯帆"));
    }
};

// A tray host already running on a shared display would take the icon from the test's own.
QUORVANE_PRIVATE_X_TEST_MAIN(X11TrayTest)
#include "tst_x11_tray.moc"
