#include "MediaFixtures.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTest>

// The standard screens, each taken by take_screenshot into "screenshots" beside this program in a process of
// its own, so that every screen starts the program afresh, and a few pixels of each checked.

namespace {

const QColor fallbackColour(10, 20, 26);
// The palette's accent over the default background.
const QColor accent(0xEB, 0xCB, 0x83);

} // namespace

class ScreenshotTest : public QObject
{
    Q_OBJECT

private:
    static QString folder()
    {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    }

    // Takes one screen in a process of its own, so every screen starts the program afresh.
    static QImage take(const QString &name, const QStringList &options)
    {
        QDir().mkpath(folder());
        const QString file = folder() + u'/' + name + QStringLiteral(".png");
        QFile::remove(file);
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(QUORVANE_TAKE_SCREENSHOT),
            QStringList { QStringLiteral("--shoot"), file } + options);
        if (!program.waitForFinished(120000) || program.exitStatus() != QProcess::NormalExit
            || program.exitCode() != 0)
            return {};
        return QImage(file);
    }

    // A pixel's channels, each within the tolerance of the expected colour.
    static bool near(QColor actual, QColor expected, int tolerance)
    {
        return qAbs(actual.red() - expected.red()) <= tolerance
            && qAbs(actual.green() - expected.green()) <= tolerance
            && qAbs(actual.blue() - expected.blue()) <= tolerance;
    }

    static bool containsColour(const QImage &shot, const QRect &area, QColor expected, int tolerance)
    {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (near(shot.pixelColor(x, y), expected, tolerance))
                    return true;
            }
        }
        return false;
    }

private slots:
    void focusScreensAtBothSizes_data()
    {
        QTest::addColumn<QSize>("size");

        QTest::newRow("smallest window") << QSize(760, 540);
        QTest::newRow("default window") << QSize(1240, 880);
    }

    void focusScreensAtBothSizes()
    {
        QFETCH(QSize, size);

        const QString sizeText = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        const QImage withOverlay
            = take(QStringLiteral("focus-") + sizeText, { QStringLiteral("--size"), sizeText });
        const QImage withoutOverlay
            = take(QStringLiteral("focus-") + sizeText + QStringLiteral("-no-overlay"),
                { QStringLiteral("--size"), sizeText, QStringLiteral("--overlay"), QStringLiteral("off") });
        QCOMPARE(withOverlay.size(), size);
        QCOMPARE(withoutOverlay.size(), size);
        // Half way down the gradient is clear, so there the overlay is the black layer alone: 37 %.
        const QPoint middle(size.width() / 2, size.height() / 2);
        const QColor plain = withoutOverlay.pixelColor(middle);
        const QColor shaded = withOverlay.pixelColor(middle);
        QVERIFY(plain != fallbackColour);
        QVERIFY(near(
            shaded, QColor::fromRgbF(plain.redF() * 0.63, plain.greenF() * 0.63, plain.blueF() * 0.63), 3));
        // The gradient darkens the bottom more than the top.
        const QColor top = withOverlay.pixelColor(size.width() / 2, 0);
        const QColor bottom = withOverlay.pixelColor(size.width() / 2, size.height() - 1);
        QVERIFY(top.valueF() < withoutOverlay.pixelColor(size.width() / 2, 0).valueF() * 0.6);
        QVERIFY(bottom.valueF()
            <= withoutOverlay.pixelColor(size.width() / 2, size.height() - 1).valueF() * 0.45 + 0.01);
        // The console's glass, beside its content, shows the overlay it lies over.
        const QPoint glass(size.width() - 32 - 410 + 10, size.height() - 32 - 100);
        QVERIFY(withOverlay.pixelColor(glass).green() < withoutOverlay.pixelColor(glass).green() - 10);
    }

    void breakScreenInEnglishAtTheSmallestSize_data()
    {
        QTest::addColumn<int>("waitMilliseconds");

        QTest::newRow("before the draw") << 0;
        // The draw starts 0.55 s after the screen appears and turns for 3.1 s.
        QTest::newRow("mid-spin") << 1800;
    }

    void breakScreenInEnglishAtTheSmallestSize()
    {
        QFETCH(int, waitMilliseconds);

        const QString name = waitMilliseconds == 0 ? QStringLiteral("wheel-english-760x540")
                                                   : QStringLiteral("wheel-english-760x540-mid-spin");
        const QImage shot = take(name,
            { QStringLiteral("--phase"), QStringLiteral("wheel"), QStringLiteral("--language"),
                QStringLiteral("english"), QStringLiteral("--size"), QStringLiteral("760x540"),
                QStringLiteral("--wait"), QString::number(waitMilliseconds) });
        QCOMPARE(shot.size(), QSize(760, 540));
        // The title's ink is the palette's foreground.
        QVERIFY(containsColour(shot, QRect(200, 30, 360, 40), QColor(0xF6, 0xEE, 0xDB), 6));
    }

    void theUsersPictureFillsTheWindow()
    {
        const QImage shot = take(QStringLiteral("focus-1240x880-own-picture"),
            { QStringLiteral("--background"), QStringLiteral("image"), QStringLiteral("--overlay"),
                QStringLiteral("off") });
        QCOMPARE(shot.size(), QSize(1240, 880));
        // The 16:9 picture covers the taller window: its full height shows and its sides are cropped.
        const QColor skyTop = shot.pixelColor(620, 0);
        QVERIFY(near(skyTop, QColor(0x3A, 0x4E, 0x8C), 6));
        QVERIFY(shot.pixelColor(0, 440) != fallbackColour && shot.pixelColor(1239, 440) != fallbackColour);
    }

    void unreadableBackgroundShowsTheFallbackColour()
    {
        const QImage shot = take(QStringLiteral("focus-760x540-unreadable-background"),
            { QStringLiteral("--size"), QStringLiteral("760x540"), QStringLiteral("--background"),
                QStringLiteral("unreadable"), QStringLiteral("--overlay"), QStringLiteral("off") });
        QCOMPARE(shot.size(), QSize(760, 540));
        // Away from the focus console in the bottom-right corner and its shadow.
        for (const QPoint point : { QPoint(0, 0), QPoint(190, 135), QPoint(0, 539) })
            QVERIFY(near(shot.pixelColor(point), fallbackColour, 1));
    }

    void videoBackground()
    {
        const QImage shot = take(QStringLiteral("focus-760x540-video"),
            { QStringLiteral("--size"), QStringLiteral("760x540"), QStringLiteral("--background"),
                QStringLiteral("video"), QStringLiteral("--overlay"), QStringLiteral("off") });
        if (shot.isNull() && !MediaFixtures::mp4EncoderElements())
            QSKIP("no video encoder to make the test video with");
        QCOMPARE(shot.size(), QSize(760, 540));
        QVERIFY(!near(shot.pixelColor(380, 180), fallbackColour, 3));
    }

    void alertInEitherLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QSize>("size");

        QTest::newRow("chinese") << "chinese" << QSize(1240, 880);
        QTest::newRow("english") << "english" << QSize(760, 540);
    }

    void alertInEitherLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QSize, size);

        const QString sizeText = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        const QImage shot = take(QStringLiteral("alert-") + language + u'-' + sizeText,
            { QStringLiteral("--alert"), QStringLiteral("--language"), language, QStringLiteral("--size"),
                sizeText });
        QCOMPARE(shot.size(), size);
    }

    void focusConsoleInEachTrackingState_data()
    {
        QTest::addColumn<QString>("tracking");
        QTest::addColumn<bool>("goldButton");

        QTest::newRow("waiting") << "waiting" << false;
        QTest::newRow("tracking") << "tracking" << false;
        QTest::newRow("idle") << "idle" << false;
        QTest::newRow("paused") << "paused" << true;
        QTest::newRow("permission") << "permission" << true;
    }

    void focusConsoleInEachTrackingState()
    {
        QFETCH(QString, tracking);
        QFETCH(bool, goldButton);

        for (const QString &language : { QStringLiteral("chinese"), QStringLiteral("english") }) {
            for (const QSize size : { QSize(760, 540), QSize(1240, 880) }) {
                const QString sizeText = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
                const QImage shot = take(QStringLiteral("console-%1-%2-%3").arg(tracking, language, sizeText),
                    { QStringLiteral("--tracking"), tracking, QStringLiteral("--language"), language,
                        QStringLiteral("--size"), sizeText });
                QCOMPARE(shot.size(), size);
                // The console sits in the bottom-right corner; the first button of its control row is gold
                // while paused by hand (resume) or without input access (the permission button).
                const QPoint firstButton(size.width() - 32 - 410 + 22 + 20, size.height() - 32 - 22 - 26);
                QCOMPARE(near(shot.pixelColor(firstButton), accent, 8), goldButton);
            }
        }
    }

    void roundCompleteInEitherLanguage_data()
    {
        QTest::addColumn<QString>("language");

        QTest::newRow("chinese") << "chinese";
        QTest::newRow("english") << "english";
    }

    void roundCompleteInEitherLanguage()
    {
        QFETCH(QString, language);

        for (const QSize size : { QSize(760, 540), QSize(1240, 880) }) {
            const QString sizeText = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
            const QImage shot = take(QStringLiteral("round-complete-%1-%2").arg(language, sizeText),
                { QStringLiteral("--phase"), QStringLiteral("sessionComplete"), QStringLiteral("--language"),
                    language, QStringLiteral("--size"), sizeText });
            QCOMPARE(shot.size(), size);
            // The gold start-break button crosses the middle of the window below the centre line.
            const int half = size.height() / 2;
            QVERIFY(containsColour(
                shot, QRect(size.width() / 2 - 100, half, 1, size.height() - half), accent, 8));
        }
    }

    // The header's right column: the switches' row, then the commands' row, each button 34 wide with a gap
    // of 8, 32 from the window's right edge and 22 from its top.
    static QRect commandRow(QSize size) { return { size.width() - 32 - 118, 22 + 34 + 8, 118, 34 }; }

    // The brightest pixel of an area, by its value.
    static double brightest(const QImage &image, const QRect &area)
    {
        double value = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                value = std::max(value, double(image.pixelColor(x, y).valueF()));
        }
        return value;
    }

    void headerInEachLanguageAndSize_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QSize>("size");

        QTest::newRow("chinese, smallest") << "chinese" << QSize(760, 540);
        QTest::newRow("chinese, default") << "chinese" << QSize(1240, 880);
        QTest::newRow("english, smallest") << "english" << QSize(760, 540);
        QTest::newRow("english, default") << "english" << QSize(1240, 880);
    }

    void headerInEachLanguageAndSize()
    {
        QFETCH(QString, language);
        QFETCH(QSize, size);

        const QString sizeText = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        QImage shots[2];
        const QStringList phases { QStringLiteral("focus"), QStringLiteral("wheel") };
        for (int i = 0; i < 2; ++i) {
            shots[i] = take(QStringLiteral("header-%1-%2-%3").arg(phases[i], language, sizeText),
                { QStringLiteral("--phase"), phases[i], QStringLiteral("--language"), language,
                    QStringLiteral("--size"), sizeText });
            QCOMPARE(shots[i].size(), size);
        }
        // The status rows are drawn in the accent colour in both phases.
        for (const QImage &shot : shots)
            QVERIFY(containsColour(shot, QRect(32, 22, 18, 18), accent, 24));
        // The commands' white symbols are dimmed during the locked break.
        const double focusCommands = brightest(shots[0], commandRow(size));
        const double wheelCommands = brightest(shots[1], commandRow(size));
        QVERIFY2(wheelCommands < focusCommands - 0.2,
            qPrintable(QStringLiteral("%1 vs %2").arg(wheelCommands).arg(focusCommands)));
    }

    void hoveredControlsShowTheirTooltip_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("insideBubble");

        // Where each bubble opens in the default window (see the bubble's positions).
        QTest::newRow("status row") << "roundRow" << QPoint(220, 31);
        QTest::newRow("switch") << "overlaySwitch" << QPoint(1000, 100);
        QTest::newRow("command") << "settingsCommand" << QPoint(1090, 140);
    }

    void hoveredControlsShowTheirTooltip()
    {
        QFETCH(QString, control);
        QFETCH(QPoint, insideBubble);

        const QImage plain = take(QStringLiteral("header-focus-chinese-1240x880"), {});
        const QImage hovered
            = take(QStringLiteral("hover-") + control, { QStringLiteral("--hover"), control });
        QCOMPARE(hovered.size(), QSize(1240, 880));
        // The dark bubble covers the picture there.
        QVERIFY(!near(hovered.pixelColor(insideBubble), plain.pixelColor(insideBubble), 6));
        QVERIFY(hovered.pixelColor(insideBubble).valueF() < 0.35);
    }

    void nowPlayingCardWhileMusicPlays_data()
    {
        QTest::addColumn<QString>("phase");
        QTest::addColumn<QRect>("artwork");

        // The card's artwork in the default window: under the console docked right, and at the bottom
        // left of the break screens.
        QTest::newRow("focus") << "focus" << QRect(810, 767, 58, 58);
        QTest::newRow("wheel") << "wheel" << QRect(44, 726, 58, 58);
    }

    void nowPlayingCardWhileMusicPlays()
    {
        QFETCH(QString, phase);
        QFETCH(QRect, artwork);

        const QImage shot = take(QStringLiteral("music-") + phase,
            { QStringLiteral("--phase"), phase, QStringLiteral("--music"), QStringLiteral("playing") });
        QCOMPARE(shot.size(), QSize(1240, 880));
        // The waveform is drawn in the accent.
        QVERIFY(containsColour(shot, artwork, accent, 10));
    }

    // In the smallest window the break screens' card, in its place at the bottom left, covers the left
    // end of the completion button but leaves its middle free.
    void breakCardLeavesTheButtonsMiddleFree()
    {
        const QImage shot = take(QStringLiteral("music-activity-english-760x540"),
            { QStringLiteral("--phase"), QStringLiteral("activity"), QStringLiteral("--language"),
                QStringLiteral("english"), QStringLiteral("--size"), QStringLiteral("760x540"),
                QStringLiteral("--music"), QStringLiteral("playing") });
        QCOMPARE(shot.size(), QSize(760, 540));
        QVERIFY(containsColour(shot, QRect(44, 397, 58, 58), accent, 10));
        QVERIFY(containsColour(shot, QRect(380, 405, 1, 70), accent, 10));
    }

    void sheetsAndTheAlertOverSettings_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QSize>("size");

        QTest::newRow("settings") << "settings" << QSize(920, 720);
        QTest::newRow("journal") << "notes" << QSize(1020, 720);
        QTest::newRow("developer corner") << "developerCorner" << QSize(920, 720);
    }

    void sheetsAndTheAlertOverSettings()
    {
        QFETCH(QString, sheet);
        QFETCH(QSize, size);

        const QImage shot = take(QStringLiteral("sheet-") + sheet, { QStringLiteral("--sheet"), sheet });
        QCOMPARE(shot.size(), size);
        if (sheet != u"settings")
            return;
        // The permission alert raised before the sheet opened moves into it, at its centre.
        const QImage withAlert = take(QStringLiteral("sheet-settings-alert"),
            { QStringLiteral("--sheet"), sheet, QStringLiteral("--alert") });
        QCOMPARE(withAlert.size(), size);
        const QPoint centre(size.width() / 2, size.height() / 2);
        QVERIFY(withAlert != shot);
        QVERIFY(withAlert.pixelColor(centre) != shot.pixelColor(centre)
            || withAlert.pixelColor(centre.x(), centre.y() - 40)
                != shot.pixelColor(centre.x(), centre.y() - 40));
    }

    void journalScreensInEitherLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("screen");

        for (const char *language : { "chinese", "english" }) {
            for (const char *screen : { "day", "editor", "empty" })
                QTest::addRow("%s %s", language, screen) << language << screen;
        }
    }

    void journalScreensInEitherLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, screen);

        const QImage shot = take(QStringLiteral("journal-%1-%2").arg(screen, language),
            { QStringLiteral("--sheet"), QStringLiteral("notes"), QStringLiteral("--journal"), screen,
                QStringLiteral("--language"), language });
        QCOMPARE(shot.size(), QSize(1020, 720));
        // The accent fills the selected day or draws the summary's symbols in the calendar column.
        QVERIFY(containsColour(shot, QRect(22, 150, 308, 470), accent, 10));
    }

    void statisticsSheet_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("history");
        QTest::addColumn<int>("range");

        QTest::newRow("chinese, 7 days") << "chinese"
                                         << "thirty" << 7;
        QTest::newRow("chinese, 30 days") << "chinese"
                                          << "thirty" << 30;
        QTest::newRow("english, 7 days") << "english"
                                         << "thirty" << 7;
        QTest::newRow("english, 30 days") << "english"
                                          << "thirty" << 30;
        QTest::newRow("empty history") << "chinese"
                                       << "none" << 7;
    }

    void statisticsSheet()
    {
        QFETCH(QString, language);
        QFETCH(QString, history);
        QFETCH(int, range);

        const QImage shot = take(QStringLiteral("statistics-%1-%2-%3").arg(language, history).arg(range),
            { QStringLiteral("--sheet"), QStringLiteral("statistics"), QStringLiteral("--language"), language,
                QStringLiteral("--history"), history, QStringLiteral("--statistics-range"),
                QString::number(range) });
        QCOMPARE(shot.size(), QSize(900, 720));
        // Inside the plot areas of the two chart cards: the health marks in the accent colour (a day of
        // nothing is a point at 0 too), and the green bars only where rounds were logged.
        const QRect healthPlot(60, 390, 370, 115);
        const QRect roundsPlot(495, 390, 370, 115);
        QVERIFY(containsColour(shot, healthPlot, accent, 8));
        const bool green = containsColour(shot, roundsPlot, QColor(0x77, 0xC7, 0xB4), 12)
            || containsColour(shot, roundsPlot, QColor(0x3E, 0x79, 0x6F), 12);
        QCOMPARE(green, history == u"thirty");
    }

    void settingsSheet_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("options");

        const QString pane = QStringLiteral("--settings");
        const QString draft = QStringLiteral("--draft-language");
        QTest::newRow("visuals, Chinese")
            << "settings-appearance-chinese" << QStringList { pane, QStringLiteral("appearance") };
        QTest::newRow("visuals, English")
            << "settings-appearance-english"
            << QStringList { pane, QStringLiteral("appearance"), draft, QStringLiteral("english") };
        const QList<std::pair<const char *, QStringList>> appearance {
            { "appearance-video",
                { QStringLiteral("--background"), QStringLiteral("video"), QStringLiteral("--pane-end") } },
            { "appearance-manual-palette",
                { QStringLiteral("--manual-palette"), QStringLiteral("--pane-end") } },
            { "library", { QStringLiteral("--mixed-library") } },
        };
        for (const auto &[shown, extra] : appearance) {
            const QStringList options = QStringList { pane, QStringLiteral("appearance") } + extra;
            QTest::addRow("%s, Chinese", shown)
                << QStringLiteral("settings-%1-chinese").arg(QLatin1String(shown)) << options;
            QTest::addRow("%s, English", shown)
                << QStringLiteral("settings-%1-english").arg(QLatin1String(shown))
                << options + QStringList { draft, QStringLiteral("english") };
        }
        QTest::newRow("weight alert")
            << "settings-weight-alert"
            << QStringList { pane, QStringLiteral("wheel"), QStringLiteral("--weight-alert") };
        const QString wheel = QStringLiteral("wheel");
        const QString end = QStringLiteral("--pane-end");
        QTest::newRow("wheel items, Chinese")
            << "settings-wheel-items-chinese" << QStringList { pane, wheel, end };
        QTest::newRow("wheel items, English")
            << "settings-wheel-items-english"
            << QStringList { pane, wheel, end, draft, QStringLiteral("english") };
        QTest::newRow("symbol picker, English")
            << "settings-symbol-picker-english"
            << QStringList { pane, wheel, end, draft, QStringLiteral("english"),
                   QStringLiteral("--symbol-search"), QStringLiteral("heart") };
        // Music with the default playlists (focus off and dimmed, break on, both empty), then with three
        // tracks in each, the first of the focus list playing.
        for (const char *language : { "chinese", "english" }) {
            QTest::addRow("music playing, %s", language)
                << QStringLiteral("settings-audio-playing-") + QString::fromLatin1(language)
                << QStringList { pane, QStringLiteral("audio"), QStringLiteral("--music"),
                       QStringLiteral("playing"), QStringLiteral("--language"),
                       QString::fromLatin1(language) };
        }
        for (const char *shown : { "focus", "audio", "general", "records", "update" }) {
            const QString name = QString::fromLatin1(shown);
            QTest::addRow("%s, Chinese", shown) << QStringLiteral("settings-") + name
                    + QStringLiteral("-chinese") << QStringList { pane, name };
            QTest::addRow("%s, English", shown)
                << QStringLiteral("settings-") + name + QStringLiteral("-english")
                << QStringList { pane, name, draft, QStringLiteral("english") };
        }
    }

    void settingsSheet()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, options);

        const QImage shot = take(name, options);
        QCOMPARE(shot.size(), QSize(920, 720));
        // The Save button at the right end of the header is filled with the accent; under the weight
        // alert's dimming it is darker.
        const QColor save = shot.pixelColor(920 - 24 - 12, 38);
        QVERIFY2(save.red() > save.blue() + 40, qPrintable(save.name()));
    }

    void updateResult()
    {
        const QImage shot = take(
            QStringLiteral("update-result"), { QStringLiteral("--update-result"), QStringLiteral("newer") });
        QCOMPARE(shot.size(), QSize(1240, 880));
        // The dialog's glass lies over the middle of the window, dimmed around it.
        QVERIFY(shot.pixelColor(620, 440) != shot.pixelColor(60, 440));
    }

    void developerCorner_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("state");

        for (const char *language : { "chinese", "english" }) {
            for (const char *state : { "letter", "sent", "tiles", "support", "checkout", "story" })
                QTest::addRow("%s, %s", language, state) << language << state;
        }
    }

    void developerCorner()
    {
        QFETCH(QString, language);
        QFETCH(QString, state);

        const QImage shot = take(QStringLiteral("developer-corner-%1-%2").arg(language, state),
            { QStringLiteral("--sheet"), QStringLiteral("developerCorner"), QStringLiteral("--language"),
                language, QStringLiteral("--corner"), state });
        QCOMPARE(shot.size(), QSize(920, 720));
        // The selected section's plate in the sidebar is tinted with the accent, which lifts its red above
        // the sheet's blue-black; the other plates are clear.
        const int selectedRow = state == u"support" || state == u"checkout" ? 1 : state == u"story" ? 2 : 0;
        for (int row = 0; row < 3; ++row) {
            const QColor plate = shot.pixelColor(20, 114 + row * 52);
            QCOMPARE(plate.red() - plate.blue() > -6, row == selectedRow);
        }
    }

    // The console's handle, the hidden interface and the corner buttons, in both corners, languages and
    // sizes: one screen for each of their looks rather than every combination.
    void consoleHandleAndCornerControls_data()
    {
        QTest::addColumn<QString>("dock");
        QTest::addColumn<int>("drag");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<QString>("hover");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QSize>("size");

        const QSize smallest(760, 540);
        const QSize standard(1240, 880);
        // At 760 the handle travels 286 and switches past 80; at 1240 it travels 766 and switches past
        // 214.
        QTest::newRow("at rest, trailing") << "trailing" << 0 << false << ""
                                           << "chinese" << smallest;
        QTest::newRow("below the threshold, trailing") << "trailing" << -150 << false << ""
                                                       << "english" << standard;
        QTest::newRow("past the threshold, trailing") << "trailing" << -120 << false << ""
                                                      << "chinese" << smallest;
        QTest::newRow("below the threshold, leading") << "leading" << 40 << false << ""
                                                      << "chinese" << smallest;
        QTest::newRow("past the threshold, leading") << "leading" << 300 << false << ""
                                                     << "english" << standard;
        QTest::newRow("hidden, leading") << "leading" << 0 << true << ""
                                         << "chinese" << standard;
        QTest::newRow("next hovered, trailing") << "trailing" << 0 << false << "nextBackgroundButton"
                                                << "english" << smallest;
        QTest::newRow("previous hovered, leading") << "leading" << 0 << false << "previousBackgroundButton"
                                                   << "chinese" << standard;
    }

    void consoleHandleAndCornerControls()
    {
        QFETCH(QString, dock);
        QFETCH(int, drag);
        QFETCH(bool, hidden);
        QFETCH(QString, hover);
        QFETCH(QString, language);
        QFETCH(QSize, size);

        const QString sizeText = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        QStringList options { QStringLiteral("--dock"), dock, QStringLiteral("--drag"), QString::number(drag),
            QStringLiteral("--language"), language, QStringLiteral("--size"), sizeText,
            QStringLiteral("--backgrounds"), QStringLiteral("3") };
        if (hidden)
            options << QStringLiteral("--hidden");
        if (!hover.isEmpty())
            options << QStringLiteral("--hover") << hover;
        const QString look = hidden ? QStringLiteral("hidden")
            : !hover.isEmpty()      ? hover
            : drag == 0             ? QStringLiteral("rest")
                                    : QStringLiteral("drag%1").arg(drag);
        const QImage shot
            = take(QStringLiteral("docking-%1-%2-%3-%4").arg(look, dock, language, sizeText), options);
        QCOMPARE(shot.size(), size);

        // The 58 x 22 handle sits on the console's top edge, centred over the 410 wide console, and
        // follows the drag. While held its arrow turns to the accent, and past the threshold its bar,
        // right of the arrow, brightens from white 0.62 to 0.76.
        const bool leading = dock == u"leading";
        const int handleCentre = (leading ? 32 + 205 : size.width() - 32 - 205) + drag;
        const QRect handle(handleCentre - 29, size.height() - 275, 58, 22);
        const QRect bar(handleCentre + 2, handle.top(), 24, handle.height());
        const int travel = size.width() - 410 - 64;
        const bool pastThreshold = std::abs(drag) * 100 >= 28 * travel;
        QVERIFY2((brightest(shot, handle) > 0.5) == !hidden,
            qPrintable(QStringLiteral("handle: %1").arg(brightest(shot, handle))));
        QCOMPARE(containsColour(shot, handle, accent, 24), !hidden && drag != 0);
        QVERIFY2((brightest(shot, bar) > 0.75) == pastThreshold,
            qPrintable(QStringLiteral("bar: %1").arg(brightest(shot, bar))));

        // The three 34 wide buttons, 8 apart, 32 from the corner opposite the console; with three
        // pictures in the library all are drawn at full strength, and hidden only the middle one stays.
        const int clusterLeft = leading ? size.width() - 32 - 3 * 34 - 2 * 8 : 32;
        const int top = size.height() - 32 - 34;
        for (int button = 0; button < 3; ++button) {
            const QRect area(clusterLeft + button * 42 + 8, top + 8, 18, 18);
            const bool shown = !hidden || button == 1;
            QVERIFY2((brightest(shot, area) > 0.6) == shown,
                qPrintable(QStringLiteral("button %1: %2").arg(button).arg(brightest(shot, area))));
        }

        // The hovered button's bubble opens above it, from its leading edge when the cluster is on the
        // left and from its trailing edge when it is on the right; its white title lies over the dark
        // picture.
        if (hover.isEmpty())
            return;
        const int button = hover == u"previousBackgroundButton" ? 0 : 2;
        const int buttonLeft = clusterLeft + button * 42;
        const QRect title = leading ? QRect(buttonLeft + 34 - 230, top - 85, 130, 65)
                                    : QRect(buttonLeft + 30, top - 85, 130, 65);
        QVERIFY2(brightest(shot, title) > 0.85, qPrintable(QString::number(brightest(shot, title))));
    }

    void laterPhasesShowTheirBackground_data()
    {
        QTest::addColumn<QString>("phase");

        QTest::newRow("round complete") << "sessionComplete";
        QTest::newRow("wheel") << "wheel";
        QTest::newRow("activity") << "activity";
    }

    void laterPhasesShowTheirBackground()
    {
        QFETCH(QString, phase);

        const QImage shot = take(phase + QStringLiteral("-1240x880"), { QStringLiteral("--phase"), phase });
        QCOMPARE(shot.size(), QSize(1240, 880));
        QVERIFY(shot.pixelColor(620, 440) != fallbackColour);
    }
};

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    ScreenshotTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ui_screenshots.moc"
