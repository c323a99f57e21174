#include "ControllerHarness.h"
#include "FixedTimeTrackPlayer.h"
#include "LocalHttpServer.h"
#include "MainWindowViews.h"
#include "MediaFixtures.h"
#include "StatisticsHistory.h"
#include "media/AudioController.h"
#include "network/UpdateController.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"
#include "ui/developer-corner/DeveloperCornerController.h"
#include "ui/journal/JournalController.h"
#include "ui/settings/SettingsSession.h"
#include "ui/shell/ViewSetup.h"
#include "ui/statistics/StatisticsModel.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QPainter>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStyleHints>
#include <QTest>
#include <cstdio>

// The screenshot program: it starts the real main window over a temporary data folder and fake
// operating-system seams, in a chosen phase, size, background and language, and writes one PNG.
//
//   take_screenshot --shoot out.png [--phase focus|sessionComplete|wheel|activity] [--size 1240x880]
//       [--background default|image|video|unreadable] [--language chinese|english] [--overlay on|off]
//       [--alert] [--wait milliseconds] [--tracking waiting|tracking|idle|paused|permission] [--notes text]
//       [--lock-failure] [--sheet settings|statistics|notes|developerCorner] [--history none|thirty]
//       [--statistics-range 7|30] [--hover objectName] [--journal day|editor|empty]
//       [--settings PANE [--draft-language chinese|english] [--weight-alert] [--pane-end]
//           [--symbol-search text] [--manual-palette]] [--dock leading|trailing]
//       [--update-result newer|current|STATUS]
//       [--corner letter|sent|tiles|support|checkout|story]
//       [--drag PIXELS] [--hidden] [--backgrounds N] [--mixed-library]
//       [--music playing|paused|repeat-one|one-track|no-duration]
//
// With --sheet the sheet's window alone is written. --hover rests the pointer on the named control of
// the main window and takes the window once its tooltip has appeared. --history thirty logs thirty generated
// days, some with nothing, through the loggers before the program starts. --journal logs a day of a
// completed round and a break with notes before the running round, and shows that day in the journal, one
// record open in the editor, or an empty day. --settings takes the settings sheet on that pane;
// --draft-language switches its working copy to that language first, and --weight-alert saves it with a
// weight that is not a number; --pane-end scrolls the pane to its end, and --symbol-search opens the symbol
// picker of the first wheel item and types the text into its search field. --update-result checks a local
// feed that offers a newer release, only older ones, or answers with the HTTP STATUS, and takes the main
// window with the result. --corner puts the developer
// corner in one state: a section, the sent card, three attachments (one without a preview) or the checkout on
// its way. --drag holds the console's handle dragged by PIXELS (negative: to the left), as the handle's drag
// would report it. --hidden hides the focus interface. --backgrounds N puts N generated pictures into the
// library, so that the corner's previous and next buttons are enabled. --mixed-library puts five pictures
// and two short videos into the library, the second picture active, and waits for their tiles' thumbnails
// when the sheet shows them. --music plays generated tones (three,
// or one for one-track) from both playlists on a player that stands at 1:20 of 3:20 (its length unknown for
// no-duration), paused or repeating the track as named. tst_ui_screenshots takes the standard screens with
// it, each in a process of its own.

namespace {

struct Shot
{
    QString file;
    QString phase = QStringLiteral("focus");
    QSize size { 1240, 880 };
    QString background = QStringLiteral("default");
    QString language = QStringLiteral("chinese");
    bool overlay = true;
    bool alert = false;
    // How long the window runs before it is taken, for a screen in motion.
    int waitMilliseconds = 0;
    // The tracking state of the focus round; empty: as the round starts.
    QString tracking;
    // The round's notes.
    QString notes;
    // The round-complete screen's button was pressed and the keyboard could not be locked.
    bool lockFailure = false;
    // The sheet to open and take instead of the main window; empty: none.
    QString sheet;
    // "thirty": thirty days of logged history.
    QString history = QStringLiteral("none");
    // The period the statistics sheet shows.
    int statisticsRange = 7;
    // The control of the main window the pointer rests on; empty: none.
    QString hover;
    // What the journal shows: "day", "editor" or "empty"; empty: no journal logs.
    QString journal;
    // The settings sheet's pane, its working copy's language (empty: as saved) and a save refused for a
    // weight that is not a number.
    QString settingsPane;
    QString draftLanguage;
    bool weightAlert = false;
    // The settings pane scrolled to its end.
    bool paneEnd = false;
    // The text typed into the search of the first wheel item's symbol picker; empty: no picker.
    QString symbolSearch;
    // The settings' working copy with its automatic palette off (--manual-palette).
    bool manualPalette = false;
    // The corner that holds the focus console.
    QString dock = QStringLiteral("trailing");
    // The result of an update check: newer, current or a failing HTTP status; empty: no check.
    QString updateResult;
    // The developer corner's state; empty: as it opens.
    QString corner;
    // How far the console's handle is held dragged; 0: at rest.
    double drag = 0;
    // The focus interface hidden by its corner button.
    bool hidden = false;
    // How many generated pictures the background library holds.
    int backgrounds = 0;
    // Seven named pictures and videos in the library instead.
    bool mixedLibrary = false;
    // The music that plays; empty: none.
    QString music;
};

const QColor fallbackColour(10, 20, 26);

// A picture of the user's own: a dusk sky over a dark hill, with a bright sun left of centre.
QImage userPicture()
{
    QImage picture(1600, 900, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 900);
    sky.setColorAt(0, QColor(0x3A, 0x4E, 0x8C));
    sky.setColorAt(0.7, QColor(0xE0, 0x8A, 0x5A));
    painter.fillRect(picture.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0xE2, 0x9A));
    painter.drawEllipse(QPointF(620, 560), 90, 90);
    painter.setBrush(QColor(0x1E, 0x24, 0x2E));
    painter.drawEllipse(QPointF(800, 1500), 1200, 800);
    return picture;
}

// Puts the chosen background into the managed background folder, where start-up finds it.
QString prepareBackground(const ControllerHarness &harness, const QString &background)
{
    const QDir folder(AppStorageService::backgroundDirectory(harness.root()));
    folder.mkpath(QStringLiteral("."));
    if (background == u"image")
        return userPicture().save(folder.filePath(QStringLiteral("dusk.png")))
            ? QString()
            : QStringLiteral("cannot write");
    if (background == u"video")
        return MediaFixtures::writeMp4(folder.filePath(QStringLiteral("bars.mp4")), 640, 360, 60);
    if (background == u"unreadable")
        return writeFileBytes(folder.filePath(QStringLiteral("photo.heic")), MediaFixtures::noiseBytes(4096))
            ? QString()
            : QStringLiteral("cannot write");
    return background == u"default" ? QString() : QStringLiteral("unknown background ") + background;
}

// One of a library's generated pictures: a diagonal gradient whose hue steps with the index.
QImage generatedPicture(int index)
{
    QImage picture(1600, 900, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 1600, 900);
    gradient.setColorAt(0, QColor::fromHsv((200 + index * 70) % 360, 150, 170));
    gradient.setColorAt(1, QColor::fromHsv((240 + index * 70) % 360, 200, 60));
    painter.fillRect(picture.rect(), gradient);
    return picture;
}

// Puts the generated pictures into the managed background folder beside the chosen background.
bool prepareLibrary(const ControllerHarness &harness, int count)
{
    const QDir folder(AppStorageService::backgroundDirectory(harness.root()));
    folder.mkpath(QStringLiteral("."));
    for (int index = 0; index < count; ++index) {
        if (!generatedPicture(index).save(folder.filePath(QStringLiteral("library-%1.png").arg(index + 1))))
            return false;
    }
    return true;
}

// Five pictures and two videos in the library of the stored settings, the second active.
bool prepareMixedLibrary(const ControllerHarness &harness, AppPreferences &preferences)
{
    const QDir folder(AppStorageService::backgroundDirectory(harness.root()));
    const QStringList names { QStringLiteral("Dawn Ridge.png"), QStringLiteral("Quiet Lake.png"),
        QStringLiteral("Harbour Lights.mp4"), QStringLiteral("Night Market.png"),
        QStringLiteral("Long Road.png"), QStringLiteral("Rain on the Window.mp4"),
        QStringLiteral("Meadow.png") };
    for (qsizetype index = 0; index < names.size(); ++index) {
        const QString path = folder.filePath(QStringLiteral("%1/%2").arg(index + 1).arg(names[index]));
        folder.mkpath(QString::number(index + 1));
        const bool written = names[index].endsWith(u".mp4")
            ? MediaFixtures::writeMp4(path, 640, 360, 30).isEmpty()
            : generatedPicture(int(index) * 2).save(path);
        if (!written)
            return false;
        preferences.backgroundLibrary.append(
            { QUuid::createUuid(), QFileInfo(path).completeBaseName(), QDir::cleanPath(path) });
    }
    preferences.activeBackgroundID = preferences.backgroundLibrary[1].id;
    preferences.backgroundPath = preferences.backgroundLibrary[1].path;
    return true;
}

// Lists generated tones in both playlists, titled in the shot's language.
bool prepareMusic(const ControllerHarness &harness, AppPreferences &preferences, const QString &music)
{
    const bool english = preferences.language == AppLanguage::english;
    QStringList titles { english ? QStringLiteral("Rain on the Old Library Roof")
                                 : QStringLiteral("旧图书馆屋顶的雨"),
        english ? QStringLiteral("Harbour at Dawn") : QStringLiteral("黎明的港口"),
        english ? QStringLiteral("Low Tide") : QStringLiteral("退潮") };
    if (music == u"one-track")
        titles = titles.mid(0, 1);
    const QString folder = harness.file(QStringLiteral("music"));
    return addToneTracks(preferences.focusPlaylist, folder, titles)
        && addToneTracks(preferences.reminderPlaylist, folder, titles);
}

// Puts the playing music into the named state and has the player report where it stands.
bool reachMusicState(AppController &controller, const QString &music)
{
    if (!controller.music()->nowPlaying())
        return false;
    if (music == u"paused")
        controller.music()->togglePause();
    if (music == u"repeat-one")
        controller.music()->toggleRepeatCurrentTrack();
    controller.music()->player().reportPlaybackTime();
    return music == u"playing" || music == u"paused" || music == u"repeat-one" || music == u"one-track"
        || music == u"no-duration";
}

// Hides the focus interface and holds the console's handle dragged, as the shot asks, and waits until the
// window shows it: the interface has faded out and the console follows the drag.
bool prepareFocusScreen(AppController &controller, QQuickWindow &window, const Shot &shot)
{
    auto *rootView = window.findChild<QQuickItem *>(QStringLiteral("rootView"));
    auto *interfaceLayer = window.findChild<QQuickItem *>(QStringLiteral("interfaceLayer"));
    auto *handle = window.findChild<QQuickItem *>(QStringLiteral("consoleDragHandle"));
    auto *interfaceState = rootView ? rootView->property("interfaceState").value<QObject *>() : nullptr;
    if (!interfaceLayer || !handle || !interfaceState) {
        qCritical("the focus screen has no interface layer or console handle");
        return false;
    }
    if (shot.drag != 0) {
        FocusConsoleDocking &docking = *controller.console()->consoleDocking();
        docking.dragChanged(shot.drag, handle->property("travelDistance").toDouble());
        if (!docking.isDraggingConsole()) {
            qCritical("the console's handle could not be dragged");
            return false;
        }
    }
    if (shot.hidden) {
        interfaceState->setProperty("focusInterfaceIsHidden", true);
        return QTest::qWaitFor([interfaceLayer] { return interfaceLayer->opacity() == 0.0; }, 10000);
    }
    return true;
}

// Brings a fresh controller from its first focus round to the chosen phase the way a user would.
bool reachPhase(AppController &controller, const QString &phase)
{
    if (phase == u"focus")
        return true;
    controller.round()->finishFocusNow();
    if (phase == u"sessionComplete")
        return controller.round()->phase() == SessionPhase::SessionComplete;
    controller.breakWheel()->enterLockedBreak();
    if (phase == u"wheel")
        return controller.round()->phase() == SessionPhase::Wheel;
    controller.breakWheel()->spinWheel(0.2);
    return QTest::qWaitFor([&] { return controller.round()->phase() == SessionPhase::Activity; }, 30000)
        && phase == u"activity";
}

// Brings the running round into the chosen tracking state the way a user would.
bool reachTrackingState(ControllerHarness &harness, const QString &tracking)
{
    AppController &controller = *harness.controller;
    const qint64 second = 1000;
    if (tracking == u"permission")
        return controller.round()->trackingState() == WorkTrackingState::permissionRequired;
    if (tracking == u"waiting")
        return controller.round()->trackingState() == WorkTrackingState::waitingForActivity;
    controller.round()->handleInputActivity();
    if (tracking == u"tracking") {
        harness.tick(193 * second);
        return controller.round()->trackingState() == WorkTrackingState::tracking;
    }
    if (tracking == u"idle") {
        harness.tick(301 * second);
        return controller.round()->trackingState() == WorkTrackingState::idlePaused;
    }
    harness.tick(90 * second);
    controller.round()->toggleManualPause();
    return tracking == u"paused" && controller.round()->trackingState() == WorkTrackingState::manuallyPaused;
}

// The logs of the journal's day: a completed round and a break with notes, before the running round.
bool writeJournalDay(const ControllerHarness &harness, AppLanguage language)
{
    AppStorageService::storageDirectory(harness.root());
    const QDate day = harness.startTime.date();
    const auto at = [&](int hour, int minute) { return QDateTime(day, QTime(hour, minute), Qt::LocalTime); };
    const FocusSessionLogger focusLog(harness.file(QStringLiteral("focus-session-log.csv")));
    const CSVLogger activityLog(harness.file(QStringLiteral("daily-activity-log.csv")));
    const WheelItem stretch { QUuid::createUuid(),
        localized(language, QStringLiteral("肩颈拉伸"), QStringLiteral("Neck stretches")), 1, 8,
        QStringLiteral("figure.walk") };
    return focusLog
               .append({ QStringLiteral("journal-focus"), at(7, 30), at(7, 55), 1,
                   localized(language, QStringLiteral("第二章提纲"), QStringLiteral("Chapter two outline")),
                   1500, 1500, true,
                   localized(language, QStringLiteral("理清了第二章的结构。\n还剩两个问题明天再看。"),
                       QStringLiteral("Sorted out the structure of chapter two.\nTwo open questions left for "
                                      "tomorrow.")) })
               .ok()
        && activityLog
               .append({ QStringLiteral("journal-break"), at(7, 55), at(8, 3), 1,
                   localized(language, QStringLiteral("第 1 轮课间"), QStringLiteral("Break Round 1")),
                   stretch, 1, 8,
                   localized(language, QStringLiteral("肩膀松了不少。"),
                       QStringLiteral("Shoulders feel looser.")) })
               .ok();
}

// Brings the open journal to the chosen screen once its first read is in.
bool prepareJournal(QQuickWindow &sheet, const QString &screen)
{
    auto *view = sheet.property("view").value<QQuickItem *>();
    auto *journal = view ? view->property("journal").value<JournalController *>() : nullptr;
    if (!journal || !QTest::qWaitFor([&] { return journal->snapshotLoaded(); }, 30000))
        return false;
    if (screen == u"editor") {
        journal->beginEditing(QStringLiteral("journal-break"));
        return QTest::qWaitFor([&] { return !journal->focusedEntryID().isEmpty(); }, 30000);
    }
    if (screen == u"empty")
        journal->selectDay(journal->selectedDate().addDays(-1));
    return true;
}

// Shows the pane in the open settings sheet, switches its working copy's language and refuses a save
// for a weight that is not a number, as the shot asks.
bool prepareSettings(SettingsSession &session, const Shot &shot)
{
    if (!shot.settingsPane.isEmpty()) {
        session.setSelectedPaneName(shot.settingsPane);
        if (session.selectedPaneName() != shot.settingsPane) {
            qCritical("no settings pane %s", qPrintable(shot.settingsPane));
            return false;
        }
    }
    if (!shot.draftLanguage.isEmpty()) {
        AppPreferences draft = session.draft();
        draft.language = fromRawValue<AppLanguage>(shot.draftLanguage).value_or(AppLanguage::chinese);
        session.setDraft(draft);
    }
    if (shot.manualPalette) {
        AppPreferences draft = session.draft();
        draft.autoPalette = false;
        session.setDraft(draft);
    }
    if (shot.weightAlert) {
        session.setWeightInput(session.draft().items.constFirst().id, QStringLiteral("abc"));
        session.save();
    }
    return true;
}

// Scrolls the open settings sheet's pane to its end and opens the first wheel item's symbol picker with a
// search typed into it, as the shot asks.
bool prepareSettingsView(QQuickWindow &sheet, SettingsSession &session, const Shot &shot)
{
    if (shot.paneEnd) {
        QQuickItem *area = findItem(sheet.contentItem(), QStringLiteral("paneArea"));
        auto *flickable = area ? area->property("contentItem").value<QQuickItem *>() : nullptr;
        if (!flickable)
            return false;
        const auto end = [flickable] {
            return std::max(0.0, flickable->property("contentHeight").toReal() - flickable->height());
        };
        // The pane's height settles once its rows are laid out.
        if (!QTest::qWaitFor([&] { return end() > 0; }, 30000))
            return false;
        flickable->setProperty("contentY", end());
    }
    // Every tile of the library shows its thumbnail.
    if (shot.mixedLibrary) {
        const std::function<int(QQuickItem *)> pictures = [&pictures](QQuickItem *item) {
            int shown = item->objectName() == u"thumbnailPicture" && item->isVisible() ? 1 : 0;
            const QList<QQuickItem *> children = item->childItems();
            for (QQuickItem *child : children)
                shown += pictures(child);
            return shown;
        };
        if (!QTest::qWaitFor([&] { return pictures(sheet.contentItem()) == 7; }, 60000)) {
            qCritical("the library's thumbnails never all showed");
            return false;
        }
    }
    if (shot.symbolSearch.isEmpty())
        return true;
    session.setSymbolPickerItemId(session.draft().items.constFirst().id);
    QQuickItem *search = nullptr;
    if (!QTest::qWaitFor(
            [&] {
                search = findItem(sheet.contentItem(), QStringLiteral("symbolSearchField"));
                return search && search->hasActiveFocus();
            },
            30000))
        return false;
    for (const QChar key : shot.symbolSearch)
        QTest::keyClick(&sheet, key.toLatin1());
    return search->property("text").toString() == shot.symbolSearch;
}

// Brings the developer corner into the named state. Letters go to a local server that delivers them;
// checkouts wait there unanswered.
bool prepareCorner(DeveloperCornerController &corner, const QString &state, const QString &folder)
{
    const auto picture = [&folder](const QString &name, QColor colour, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = QDir(folder).filePath(name);
        image.save(path, "PNG");
        return path;
    };
    const auto waitFor
        = [](const std::function<bool()> &condition) { return QTest::qWaitFor(condition, 60000); };
    corner.setEmail(QStringLiteral("reader@example.com"));
    corner.setMessage(QStringLiteral("The wheel picked a stretch for me three times today. Thank you!"));
    if (state == u"sent") {
        corner.sendFeedback();
        return waitFor([&corner] { return corner.sent(); });
    }
    if (state == u"tiles") {
        const QString broken = QDir(folder).filePath(QStringLiteral("broken.png"));
        writeFileBytes(broken, "not a picture");
        corner.addImageFiles({ picture(QStringLiteral("dawn.png"), QColor(0xE8, 0x9F, 0x71), QSize(640, 480)),
            broken, picture(QStringLiteral("lake.png"), QColor(0x4F, 0x8F, 0xB5), QSize(300, 600)) });
        return corner.images().size() == 3;
    }
    if (state == u"support" || state == u"checkout") {
        corner.selectSection(QStringLiteral("support"));
        corner.setAmount(QStringLiteral("12"));
        if (state == u"checkout")
            corner.beginDonation();
        return state == u"support" || corner.creatingCheckout();
    }
    if (state == u"story")
        corner.selectSection(QStringLiteral("story"));
    return state == u"letter" || state == u"story";
}

// Opens the sheet over the main window and takes it once its content has settled: charts draw a frame
// after their data arrive, and a pane's sidebar row fades to its colour. A grab draws the scene as the
// animations left it, so grabs in quick succession agree in the middle of a fade: the picture is taken
// once the grabs have stayed the same for longer than the theme's longest animation.
std::optional<QImage> shootSheet(
    AppController &controller, QQuickWindow &mainWindow, const Shot &shot, const QString &folder)
{
    auto *sheet = mainWindow.findChild<QQuickWindow *>(shot.sheet + QStringLiteral("Sheet"));
    if (!sheet) {
        qCritical("no sheet %s", qPrintable(shot.sheet));
        return std::nullopt;
    }
    controller.sheets()->open(sheetNamed(shot.sheet));
    // The view is built in the step that opens the sheet; its settings are prepared before it first shows.
    if (shot.sheet == u"settings") {
        SettingsSession *session = settingsSession(sheet);
        if (!session || !prepareSettings(*session, shot))
            return std::nullopt;
    }
    if (!QTest::qWaitForWindowExposed(sheet, 30000))
        return std::nullopt;
    if (shot.sheet == u"settings" && !prepareSettingsView(*sheet, *settingsSession(sheet), shot)) {
        qCritical("the settings pane could not be prepared");
        return std::nullopt;
    }
    if (shot.sheet == u"statistics") {
        auto *view = sheet->property("view").value<QQuickItem *>();
        auto *statistics = view ? view->findChild<StatisticsModel *>() : nullptr;
        if (!statistics)
            return std::nullopt;
        statistics->setRange(shot.statisticsRange);
    }
    if (!shot.journal.isEmpty() && !prepareJournal(*sheet, shot.journal)) {
        qCritical("the journal could not show %s", qPrintable(shot.journal));
        return std::nullopt;
    }
    if (!shot.corner.isEmpty()) {
        auto *view = sheet->property("view").value<QQuickItem *>();
        auto *corner = view ? view->property("corner").value<DeveloperCornerController *>() : nullptr;
        if (!corner || !prepareCorner(*corner, shot.corner, folder))
            return std::nullopt;
        // The sidebar's plates fade for a moment after a switch.
        QTest::qWait(500);
        // The spinner of a request on its way never stands still: it is taken once it has been drawn.
        if (shot.corner == u"checkout") {
            QTest::qWait(400);
            return sheet->grabWindow();
        }
    }
    QImage last;
    QElapsedTimer unchanged;
    const auto settled = [&] {
        QImage grab = sheet->grabWindow();
        if (grab != last || !unchanged.isValid()) {
            last = std::move(grab);
            unchanged.start();
        }
        return unchanged.elapsed() > 500;
    };
    if (!QTest::qWaitFor(settled, 60000)) {
        qCritical("the sheet never settled");
        return std::nullopt;
    }
    return last;
}

// Rests the pointer on the named control and waits until its tooltip's bubble has fully appeared.
bool hoverOver(QQuickWindow &window, const QString &name)
{
    auto *target = window.findChild<QQuickItem *>(name);
    auto *bubble = window.findChild<QQuickItem *>(QStringLiteral("tooltipBubble"));
    if (!target || !bubble) {
        qCritical("nothing to hover named %s", qPrintable(name));
        return false;
    }
    QTest::mouseMove(
        &window, target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint());
    return QTest::qWaitFor([bubble] { return bubble->opacity() == 1.0 && bubble->scale() == 1.0; }, 10000);
}

int shoot(const Shot &shot)
{
    ControllerHarness harness;
    if (const QString problem = prepareBackground(harness, shot.background); !problem.isEmpty()) {
        qCritical("%s", qPrintable(problem));
        return 2;
    }
    if (!prepareLibrary(harness, shot.backgrounds)) {
        qCritical("cannot write the library's pictures");
        return 2;
    }
    AppPreferences preferences;
    preferences.language = fromRawValue<AppLanguage>(shot.language).value_or(AppLanguage::chinese);
    preferences.backgroundOverlayEnabled = shot.overlay;
    preferences.focusConsoleDock
        = fromRawValue<FocusConsoleDock>(shot.dock).value_or(FocusConsoleDock::trailing);
    if (shot.mixedLibrary && !prepareMixedLibrary(harness, preferences)) {
        qCritical("cannot write the library's pictures and videos");
        return 2;
    }
    if (!shot.music.isEmpty() && !prepareMusic(harness, preferences, shot.music)) {
        qCritical("cannot write the music");
        return 2;
    }
    writeFileBytes(
        harness.file(QStringLiteral("preferences.json")), QJsonDocument(preferences.toJson()).toJson());
    if (shot.history == u"thirty")
        StatisticsHistory::logThirtyDays(harness, harness.startTime.date());
    if (!shot.journal.isEmpty() && !writeJournalDay(harness, preferences.language)) {
        qCritical("cannot write the journal's logs");
        return 2;
    }
    // The permission alert is the one every first start without X11 input access shows.
    harness.trusted = !shot.alert && shot.tracking != u"permission";
    // A local feed offering a newer release, for the update result.
    LocalHttpServer feed;
    const QByteArray offered = shot.updateResult == u"current" ? "0.0.1" : "999.1";
    feed.setReply("/appcast.xml",
        LocalHttpServer::reply(std::max(200, shot.updateResult.toInt()),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\" "
            "xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\"><channel><title>Quorvane"
            "</title><item><title>Release</title><sparkle:version>"
                + offered
                + "</sparkle:version><link>https://example.org/release</link></item></channel></rss>\n"));
    const auto times = std::make_shared<FixedTrackTimes>();
    if (shot.music == u"no-duration")
        times->durationSeconds = FixedTrackTimes::unknown;
    LocalHttpServer developerService;
    developerService.setReply("/account/quorvane-contact", LocalHttpServer::reply(204));
    if (shot.corner == u"checkout")
        developerService.hold();
    AppController &controller = harness.start([&](AppControllerSeams &seams) {
        if (!shot.updateResult.isEmpty())
            seams.updateFeedAddress = feed.baseUrl().toString() + QStringLiteral("/appcast.xml");
        seams.developerCorner.baseUrl = developerService.baseUrl();
        if (!shot.music.isEmpty())
            seams.trackPlayers = FixedTimeTrackPlayer::factory(times);
    });
    if (!reachPhase(controller, shot.phase)) {
        qCritical("could not reach the phase %s", qPrintable(shot.phase));
        return 2;
    }
    if (!shot.tracking.isEmpty() && !reachTrackingState(harness, shot.tracking)) {
        qCritical("could not reach the tracking state %s", qPrintable(shot.tracking));
        return 2;
    }
    if (!shot.notes.isEmpty())
        controller.journal()->updateCurrentSessionNotes(shot.notes);
    if (shot.lockFailure) {
        harness.grab->canGrab = false;
        controller.breakWheel()->enterLockedBreak();
    }
    if (shot.alert)
        controller.round()->enableAutomaticTracking();
    if (!shot.music.isEmpty() && !reachMusicState(controller, shot.music)) {
        qCritical("could not play the music %s", qPrintable(shot.music));
        return 2;
    }

    setUpViews(controller);
    QQmlApplicationEngine engine;
    addImageProviders(engine, controller);
    engine.load(QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/Shell/Main.qml")));
    auto *window = engine.rootObjects().isEmpty()
        ? nullptr
        : qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    if (!window)
        return 2;
    window->resize(shot.size);
    if (!QTest::qWaitForWindowExposed(window, 30000))
        return 2;
    // The picture is decoded off the main thread and may arrive well after the window is on screen.
    if (!QTest::qWaitFor([window] { return MainWindowViews::backgroundHasLoaded(*window); }, 60000)) {
        qCritical("the background never finished loading");
        return 3;
    }
    if ((shot.drag != 0 || shot.hidden) && !prepareFocusScreen(controller, *window, shot))
        return 3;
    QTest::qWait(shot.waitMilliseconds);
    QImage image;
    // A video needs a moment for its first frame, a long one on a loaded machine; the library's shots judge
    // the glass over its picture, so they wait for it too rather than trust it to be drawn at once.
    // Under the software adaptation a painted item's new content (the glass's blur of a new capture) reaches
    // the window one frame later, so the window is taken from the second frame that looks ready.
    const QPoint centre(shot.size.width() / 2, shot.size.height() / 3);
    int readyFrames = 0;
    const auto ready = [&] {
        image = window->grabWindow();
        const bool looksReady = image.size() == shot.size * window->effectiveDevicePixelRatio()
            && (shot.background != u"video" || image.pixelColor(centre) != fallbackColour)
            && (shot.backgrounds == 0 || image.pixelColor(centre) != fallbackColour);
        readyFrames = looksReady ? readyFrames + 1 : 0;
        return readyFrames >= 2;
    };
    if (!QTest::qWaitFor(ready, 60000)) {
        qCritical("the window never showed its content");
        return 3;
    }
    if (!shot.hover.isEmpty()) {
        if (!hoverOver(*window, shot.hover))
            return 3;
        image = window->grabWindow();
    }
    // The running round has gone on a while when the journal opens.
    if (!shot.journal.isEmpty())
        harness.tick(12 * 60 * 1000);
    if (!shot.updateResult.isEmpty()) {
        UpdateController &updates = controller.updateController();
        if (!QTest::qWaitFor([&] { return updates.canCheckForUpdates(); }, 30000))
            return 3;
        updates.checkForUpdates();
        QList<QImage> grabs;
        const auto settled = [&] {
            grabs.append(window->grabWindow());
            return updates.showingResult() && !updates.isChecking() && grabs.size() >= 3
                && grabs[grabs.size() - 1] == grabs[grabs.size() - 2]
                && grabs[grabs.size() - 2] == grabs[grabs.size() - 3];
        };
        if (!QTest::qWaitFor(settled, 60000)) {
            qCritical("the update result never showed");
            return 3;
        }
        image = grabs.last();
    }
    if (!shot.sheet.isEmpty()) {
        const std::optional<QImage> sheet = shootSheet(controller, *window, shot, harness.root());
        if (!sheet)
            return 3;
        image = *sheet;
    }
    return image.save(shot.file) ? 0 : 4;
}

std::optional<Shot> parseShot(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption file(
        QStringLiteral("shoot"), QStringLiteral("PNG to write"), QStringLiteral("file"));
    const QCommandLineOption phase(QStringLiteral("phase"), QStringLiteral("phase"), QStringLiteral("phase"));
    const QCommandLineOption size(
        QStringLiteral("size"), QStringLiteral("WIDTHxHEIGHT"), QStringLiteral("size"));
    const QCommandLineOption background(
        QStringLiteral("background"), QStringLiteral("background"), QStringLiteral("kind"));
    const QCommandLineOption language(
        QStringLiteral("language"), QStringLiteral("language"), QStringLiteral("name"));
    const QCommandLineOption overlay(
        QStringLiteral("overlay"), QStringLiteral("on or off"), QStringLiteral("state"));
    const QCommandLineOption alert(QStringLiteral("alert"), QStringLiteral("show the permission alert"));
    const QCommandLineOption wait(QStringLiteral("wait"), QStringLiteral("milliseconds before the shot"),
        QStringLiteral("milliseconds"));
    const QCommandLineOption tracking(
        QStringLiteral("tracking"), QStringLiteral("tracking state of the round"), QStringLiteral("state"));
    const QCommandLineOption notes(
        QStringLiteral("notes"), QStringLiteral("the round's notes"), QStringLiteral("text"));
    const QCommandLineOption lockFailure(
        QStringLiteral("lock-failure"), QStringLiteral("the break's keyboard lock fails"));
    const QCommandLineOption settings(
        QStringLiteral("settings"), QStringLiteral("the settings pane to take"), QStringLiteral("pane"));
    const QCommandLineOption draftLanguage(QStringLiteral("draft-language"),
        QStringLiteral("language of the settings' working copy"), QStringLiteral("name"));
    const QCommandLineOption weightAlert(QStringLiteral("weight-alert"),
        QStringLiteral("save the settings with a weight that is not a number"));
    const QCommandLineOption manualPalette(
        QStringLiteral("manual-palette"), QStringLiteral("turn the settings' automatic palette off"));
    const QCommandLineOption sheet(
        QStringLiteral("sheet"), QStringLiteral("the sheet to take"), QStringLiteral("name"));
    const QCommandLineOption history(
        QStringLiteral("history"), QStringLiteral("none or thirty logged days"), QStringLiteral("kind"));
    const QCommandLineOption statisticsRange(
        QStringLiteral("statistics-range"), QStringLiteral("7 or 30 days"), QStringLiteral("days"));
    const QCommandLineOption corner(
        QStringLiteral("corner"), QStringLiteral("the developer corner's state"), QStringLiteral("state"));
    const QCommandLineOption hover(QStringLiteral("hover"),
        QStringLiteral("the control to rest the pointer on"), QStringLiteral("name"));
    const QCommandLineOption dock(
        QStringLiteral("dock"), QStringLiteral("the console's corner"), QStringLiteral("dock"));
    const QCommandLineOption drag(QStringLiteral("drag"),
        QStringLiteral("how far the console's handle is held dragged"), QStringLiteral("pixels"));
    const QCommandLineOption hidden(QStringLiteral("hidden"), QStringLiteral("hide the focus interface"));
    const QCommandLineOption music(QStringLiteral("music"),
        QStringLiteral("playing, paused, repeat-one, one-track or no-duration"), QStringLiteral("state"));
    const QCommandLineOption backgrounds(QStringLiteral("backgrounds"),
        QStringLiteral("generated pictures in the library"), QStringLiteral("count"));
    const QCommandLineOption journal(
        QStringLiteral("journal"), QStringLiteral("day, editor or empty"), QStringLiteral("screen"));
    const QCommandLineOption updateResult(QStringLiteral("update-result"),
        QStringLiteral("newer, current or an HTTP status"), QStringLiteral("result"));
    parser.addOptions({ file, phase, size, background, language, overlay, alert, wait, tracking, notes,
        lockFailure, sheet, history, statisticsRange, hover, journal, dock, settings, draftLanguage,
        weightAlert, updateResult, corner });
    const QCommandLineOption paneEnd(
        QStringLiteral("pane-end"), QStringLiteral("scroll the settings pane to its end"));
    const QCommandLineOption symbolSearch(QStringLiteral("symbol-search"),
        QStringLiteral("open the first wheel item's symbol picker and search"), QStringLiteral("text"));
    const QCommandLineOption mixedLibrary(
        QStringLiteral("mixed-library"), QStringLiteral("five pictures and two videos in the library"));
    parser.addOptions(
        { drag, hidden, backgrounds, music, paneEnd, symbolSearch, manualPalette, mixedLibrary });
    if (!parser.parse(arguments) || !parser.isSet(file))
        return std::nullopt;
    Shot shot;
    shot.file = parser.value(file);
    if (parser.isSet(phase))
        shot.phase = parser.value(phase);
    if (parser.isSet(size)) {
        const QStringList parts = parser.value(size).split(u'x');
        if (parts.size() != 2)
            return std::nullopt;
        shot.size = QSize(parts[0].toInt(), parts[1].toInt());
    }
    if (parser.isSet(background))
        shot.background = parser.value(background);
    if (parser.isSet(language))
        shot.language = parser.value(language);
    shot.overlay = parser.value(overlay) != u"off";
    shot.alert = parser.isSet(alert);
    shot.waitMilliseconds = parser.value(wait).toInt();
    shot.tracking = parser.value(tracking);
    shot.notes = parser.value(notes);
    shot.lockFailure = parser.isSet(lockFailure);
    shot.sheet = parser.value(sheet);
    shot.journal = parser.value(journal);
    if (parser.isSet(history))
        shot.history = parser.value(history);
    if (parser.isSet(statisticsRange))
        shot.statisticsRange = parser.value(statisticsRange).toInt();
    shot.hover = parser.value(hover);
    if (parser.isSet(dock))
        shot.dock = parser.value(dock);
    shot.drag = parser.value(drag).toDouble();
    shot.hidden = parser.isSet(hidden);
    shot.backgrounds = parser.value(backgrounds).toInt();
    shot.music = parser.value(music);
    if (parser.isSet(settings)) {
        shot.sheet = QStringLiteral("settings");
        shot.settingsPane = parser.value(settings);
    }
    shot.draftLanguage = parser.value(draftLanguage);
    shot.weightAlert = parser.isSet(weightAlert);
    shot.paneEnd = parser.isSet(paneEnd);
    shot.mixedLibrary = parser.isSet(mixedLibrary);
    shot.symbolSearch = parser.value(symbolSearch);
    shot.manualPalette = parser.isSet(manualPalette);
    shot.updateResult = parser.value(updateResult);
    shot.corner = parser.value(corner);
    return shot;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // A blinking caret would keep a sheet from ever settling; it is drawn steadily instead.
    QGuiApplication::styleHints()->setCursorFlashTime(0);
    const std::optional<Shot> shot = parseShot(application.arguments());
    if (!shot) {
        std::fputs("usage: take_screenshot --shoot file.png [options], as listed at the top of its source\n",
            stderr);
        return 1;
    }
    return shoot(*shot);
}
