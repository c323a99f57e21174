#include "app/AppController.h"

#include "core/QtOneShotTimer.h"
#include "core/StringTable.h"
#include "media/AudioController.h"
#include "media/MediaThumbnailCache.h"
#include "network/DeveloperCornerService.h"
#include "network/UpdateController.h"
#include "session/InputActivityMonitor.h"
#include "session/KeyboardLocker.h"
#include "storage/AppStorageService.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"
#include "storage/WholeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {

constexpr auto tickInterval = std::chrono::milliseconds(250);
constexpr double logCheckInterval = 1.0;
// Writing again on a full disk reads the log each time; every few seconds is soon enough.
constexpr double unsavedRetryInterval = 10.0;

double secondsBetween(const QDateTime &from, const QDateTime &to)
{
    return from.msecsTo(to) / 1000.0;
}

// A far past instant, so that the first throttled check always runs.
QDateTime distantPast()
{
    return QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
}

} // namespace

AppController::AppController(AppControllerSeams seams, QObject *parent)
    : QObject(parent)
    , m_root(seams.applicationSupportRoot)
    , m_seams(std::move(seams))
{
    auto &s = m_seams;
    m_updateController = std::make_unique<UpdateController>(
        s.updateFeedAddress, [this](const QUrl &url) { m_seams.workspace->openUrl(url); }, nullptr,
        std::move(s.updateCheckDelay));
    m_developerCornerService = std::make_unique<DeveloperCornerService>(s.developerCorner);
    m_thumbnailCache = std::make_unique<MediaThumbnailCache>(AppStorageService::thumbnailsDirectory(m_root));
    m_inputActivityMonitor = std::make_unique<InputActivityMonitor>(
        *s.trust, *s.clock, std::move(s.globalActivity), std::move(s.localActivity));
    m_lastLogFilesCheck = distantPast();
    m_lastUnsavedRetry = distantPast();

    const QString storage = AppStorageService::storageDirectory(m_root);
    const QDate today = now().toLocalTime().date();
    m_focusLog = std::make_unique<FocusSessionLogger>(
        QDir(storage).filePath(QStringLiteral("focus-session-log.csv")), today);
    m_activityLog = std::make_unique<CSVLogger>(
        QDir(storage).filePath(QStringLiteral("daily-activity-log.csv")), today);
    m_logFilePaths = { m_focusLog->filePath(), m_activityLog->filePath() };
    m_logFilesFingerprint = currentLogFingerprint();

    m_preferencesKnownGood = AppStorageService::hasDecodablePreferences(m_root);
    AppStorageService::ensureMediaDirectories(m_root);
    m_preferences = AppStorageService::startupPreferences(m_root);
    m_updateController->setLanguage(m_preferences.language);

    makeConcerns();

    const QDateTime startedAt = now();
    m_statistics->reload(startedAt);
    m_scoreDate = startedAt.toLocalTime().date();
    m_round->load(startedAt);
    m_appearance->refreshBackgroundURL();

    m_preferencesKnownGood
        = AppStorageService::writeBackAfterStartup(m_preferences, m_preferencesKnownGood, m_root);

    startTimer();
    tellAboutMovedAsideLogs();
    if (!tellAboutUnwritableDataFolder())
        tellAboutUnreadableLog();
}

void AppController::makeConcerns()
{
    auto &s = m_seams;
    const AlertSink alert
        = [this](const QString &title, const QString &message) { m_sheets->showAlert(title, message); };
    m_sheets = std::make_unique<Sheets>();
    // Media imported in the settings that the stored settings do not keep go when the sheet closes.
    connect(m_sheets.get(), &Sheets::settingsClosed, this, &AppController::cleanupUnreferencedMedia);
    const PreferencesEdit edit = [this](const AppPreferences &changed) { setPreferences(changed); };
    m_appearance = std::make_unique<Appearance>(m_preferences, edit, m_root, s.reduceMotion);
    connect(this, &AppController::preferencesChanged, m_appearance.get(), &Appearance::preferencesChanged);
    connect(
        m_appearance.get(), &Appearance::preferencesToWrite, this, &AppController::writePreferencesQuietly);
    m_music = std::make_unique<Music>(
        std::make_unique<AudioController>(s.trackPlayers, std::move(s.beep), std::move(s.shuffleRandom)),
        m_preferences, edit,
        s.volumeSaveDelay ? std::move(s.volumeSaveDelay) : std::make_unique<QtOneShotTimer>());
    connect(this, &AppController::preferencesChanged, m_music.get(), &Music::volumeChanged);
    connect(m_music.get(), &Music::preferencesToWrite, this, &AppController::writePreferencesQuietly);
    m_statistics = std::make_unique<Statistics>(*m_focusLog, *m_activityLog);
    m_window = std::make_unique<Window>(*s.window, *s.workspace, m_activityLog->filePath(),
        m_focusLog->filePath(), [this](const QString &folder) { tellAboutUnshownFolder(folder); });

    m_round = std::make_unique<Round>(*s.clock, m_preferences, alert, *m_focusLog, *m_activityLog,
        *m_statistics, *m_inputActivityMonitor, *s.trust, s.roundEndNotice.get(), s.windowSystem, m_root,
        [this](bool on) { return switchTracking(on); });
    // A release found in the background waits for the next round, not to cover a break.
    connect(m_round.get(), &Round::phaseChanged, m_updateController.get(),
        [this] { m_updateController->setHoldingAnnouncements(m_round->phase() != SessionPhase::Focus); });
    connect(m_round.get(), &Round::phaseChanged, m_window.get(), [this] {
        if (m_round->phase() == SessionPhase::Wheel)
            m_window->enterFullScreen();
    });
    // The music of the break stops before the background moves on and the next round's music starts.
    connect(m_round.get(), &Round::breakFinished, m_music.get(), &Music::stop);
    connect(
        m_round.get(), &Round::breakFinished, m_appearance.get(), &Appearance::advanceAfterCompletedRound);
    const auto playForPhase
        = [this] { m_music->playFor(m_round->phase(), m_appearance->videoSoundTakesPriority()); };
    for (const auto opened : { &Round::roundOpened, &Round::roundEnded })
        connect(m_round.get(), opened, m_music.get(), playForPhase);
    connect(m_appearance.get(), &Appearance::videoSoundChanged, m_music.get(), playForPhase);
    connect(m_round.get(), &Round::roundEnded, m_window.get(), &Window::bringMainWindowForward);
    connect(m_round.get(), &Round::logsWritten, this, &AppController::tellAboutMovedAsideLogs);
    connect(m_round.get(), &Round::ownLogEdited, this, &AppController::recordOwnLogWrite);

    m_journal = std::make_unique<Journal>(*m_focusLog, *m_activityLog, *m_round, *s.clock, m_preferences,
        alert, std::make_unique<QtOneShotTimer>());
    connect(m_round.get(), &Round::titleChanged, m_journal.get(), &Journal::currentSessionTitleChanged);
    connect(m_round.get(), &Round::notesChanged, m_journal.get(), &Journal::currentSessionNotesChanged);
    connect(m_round.get(), &Round::rowsWritten, m_journal.get(), &Journal::advanceRevision);
    connect(m_journal.get(), &Journal::logsWritten, this, &AppController::tellAboutMovedAsideLogs);
    // The own write is recorded before the statistics read the logs back, and both before the journal's
    // views read its entries again.
    connect(m_journal.get(), &Journal::ownLogEdited, this, &AppController::recordOwnLogWrite);
    connect(
        m_journal.get(), &Journal::ownLogEdited, m_statistics.get(), [this] { m_statistics->reload(now()); });

    m_breakWheel = std::make_unique<BreakWheel>(
        std::make_unique<KeyboardLocker>(*s.trust, std::move(s.keyboardGrab)), *s.wheelRandom, *s.clock,
        m_preferences, alert, [round = m_round.get()] { return round->phase(); },
        std::make_unique<QtOneShotTimer>(Qt::PreciseTimer), m_root);
    connect(this, &AppController::preferencesChanged, m_breakWheel.get(), &BreakWheel::followPreferences);
    // The round alone moves the phase, at each step of the break the wheel reports.
    connect(m_breakWheel.get(), &BreakWheel::lockedBreakEntered, m_round.get(), &Round::showLockedBreak);
    connect(m_breakWheel.get(), &BreakWheel::activityDrawn, m_round.get(), &Round::beginDrawnActivity);
    connect(m_breakWheel.get(), &BreakWheel::breakAbandoned, m_round.get(), &Round::leaveBreakUnfinished);
    connect(m_breakWheel.get(), &BreakWheel::activityConfirmed, m_round.get(), &Round::finishBreak);
    connect(m_round.get(), &Round::roundOpened, m_breakWheel.get(), &BreakWheel::reset);

    m_console = std::make_unique<Console>(
        m_preferences, s.windowSystem, *m_round, *m_breakWheel, *m_statistics, *m_appearance,
        [this](FocusConsoleDock dock) { setFocusConsoleDock(dock); }, std::move(s.consoleDockTimer));
    // The console's labels follow the tracking state, the interface language and what the break will hold,
    // which the compositor may change.
    connect(
        m_round.get(), &Round::trackingStateChanged, m_console.get(), &Console::refreshConsolePresentations);
    connect(this, &AppController::preferencesChanged, m_console.get(), &Console::refreshConsolePresentations);
    connect(m_breakWheel.get(), &BreakWheel::keyboardHoldChanged, m_console.get(),
        &Console::refreshConsolePresentations);
    // The header follows the day's numbers (read back at start-up after this), the switches' settings, the
    // round's number and tracking state, and the lock.
    connect(this, &AppController::preferencesChanged, m_console.get(), &Console::refreshHeader);
    for (const auto changed : { &Round::trackingStateChanged, &Round::sessionNumberChanged })
        connect(m_round.get(), changed, m_console.get(), &Console::refreshHeader);
    connect(
        m_breakWheel.get(), &BreakWheel::keyboardIsLockedChanged, m_console.get(), &Console::refreshHeader);
    for (const auto changed :
        { &Statistics::todayHealthScoreChanged, &Statistics::todayCompletedSessionsChanged })
        connect(m_statistics.get(), changed, m_console.get(), &Console::refreshHeader);
    connect(this, &AppController::preferencesChanged, m_console.get(), &Console::preferencesChanged);
}

Status AppController::switchTracking(bool on)
{
    const AppPreferences previous = m_preferences;
    AppPreferences changed = previous;
    changed.trackActivity = on;
    setPreferences(changed);
    Status written = writePreferences();
    if (!written)
        setPreferences(previous);
    return written;
}

AppController::~AppController()
{
    // The tick calls into the concern objects; make sure it does not while they are being torn down.
    m_tickTimer.stop();
}

QDateTime AppController::now() const
{
    return m_seams.clock->now();
}

void AppController::startTimer()
{
    m_tickTimer.stop();
    m_tickTimer.setInterval(tickInterval);
    m_tickTimer.setTimerType(Qt::CoarseTimer);
    connect(&m_tickTimer, &QTimer::timeout, this, &AppController::updateRemainingTime, Qt::UniqueConnection);
    m_tickTimer.start();
    m_round->open();
}

void AppController::updateRemainingTime()
{
    // Input held back since the last report counts before this tick accounts, in every phase: a round that
    // starts between two ticks must not miss it.
    m_inputActivityMonitor->tick();
    const QDateTime tickTime = now();
    updateDayIfNeeded(tickTime);
    refreshExternalLogChangesIfNeeded(tickTime);
    retryUnsavedWritesIfNeeded(tickTime);
    m_round->tick();
}

void AppController::updateDayIfNeeded(const QDateTime &now)
{
    // Compared as a date: formatting the day's text every tick cost most of an idle tick.
    const QDate today = now.toLocalTime().date();
    if (today == m_scoreDate)
        return;
    m_scoreDate = today;
    m_statistics->reload(now);
    m_round->followNewDay();
}

void AppController::refreshExternalLogChangesIfNeeded(const QDateTime &now)
{
    if (secondsBetween(m_lastLogFilesCheck, now) < logCheckInterval && m_lastLogFilesCheck <= now)
        return;
    m_lastLogFilesCheck = now;
    // The background file may come or go at any time; it is looked at with the same once-a-second check.
    m_appearance->refreshBackgroundURL();
    if (currentLogFingerprint() == m_logFilesFingerprint)
        return;
    // Another program saved a log: what it wrote is read, and converted before the next append.
    const QDate today = now.toLocalTime().date();
    m_focusLog->file().prepare(today);
    m_activityLog->file().prepare(today);
    tellAboutMovedAsideLogs();
    m_logFilesFingerprint = currentLogFingerprint();
    m_statistics->reload(now);
    m_journal->advanceRevision();
}

LogFilesFingerprint AppController::currentLogFingerprint() const
{
    return LogFilesFingerprint(m_logFilePaths);
}

void AppController::recordOwnLogWrite()
{
    m_logFilesFingerprint = currentLogFingerprint();
}

void AppController::tellAboutMovedAsideLogs()
{
    for (const CsvLogFile *log : { &m_focusLog->file(), &m_activityLog->file() }) {
        if (const std::optional<CsvLogFile::MovedAside> moved = log->takeMovedAside()) {
            m_sheets->showAlert(StringTable::text(QStringLiteral("记录文件无法读取"), language()),
                StringTable::text(
                    QStringLiteral("数据文件夹中的 %1 无法读取。它已原样改名为 %2 保留在同一文件夹中，"
                                   "新的记录从现在开始。"),
                    language())
                    .arg(moved->fileName, moved->newFileName));
        }
    }
}

void AppController::shutdown()
{
    emit aboutToShutDown();
    // Notes typed just before quitting are still waiting for their delayed save.
    m_journal->flushNotesDraft();
    m_music->stopVolumeSaveTimer();
    writePreferencesQuietly();
    m_round->saveForQuit();
    m_breakWheel->releaseKeyboard();
    m_inputActivityMonitor->stop();
    m_music->stop();
    m_tickTimer.stop();
}

bool AppController::confirmQuit()
{
    if (m_preferencesUnsaved)
        (void)writePreferences();
    m_round->writeUnsavedRows();
    if (!m_preferencesUnsaved && !m_round->hasUnsavedRows())
        return true;
    if (!m_seams.quitQuestion)
        return true;
    const AppLanguage lang = language();
    QStringList waiting;
    if (const qsizetype rows = m_round->unsavedRowCount())
        waiting << localized(lang, QStringLiteral("%1 条记录").arg(rows),
            rows == 1 ? QStringLiteral("1 log row") : QStringLiteral("%1 log rows").arg(rows));
    if (const qsizetype edits = m_round->unsavedEditCount())
        waiting << localized(lang, QStringLiteral("%1 处笔记修改").arg(edits),
            edits == 1 ? QStringLiteral("1 edited note") : QStringLiteral("%1 edited notes").arg(edits));
    if (m_preferencesUnsaved)
        waiting << localized(lang, QStringLiteral("设置"), QStringLiteral("the settings"));
    QString message = localized(lang,
        QStringLiteral("%1还没有写入磁盘，现在退出会丢失。为数据文件夹所在的磁盘腾出空间后，柯帆会自动写入。")
            .arg(waiting.join(QStringLiteral("、"))),
        QStringLiteral(
            "%1 could not be written to the disk yet; quitting now loses them. Once there is space on "
            "the data folder's disk, Quorvane writes them on its own.")
            .arg(waiting.join(QStringLiteral(", "))));
    message[0] = message[0].toUpper();
    return m_seams.quitQuestion->confirm(
        localized(lang, QStringLiteral("还有未保存的内容"), QStringLiteral("Not Everything Is Saved")),
        message, localized(lang, QStringLiteral("继续运行"), QStringLiteral("Keep Running")),
        localized(lang, QStringLiteral("仍然退出"), QStringLiteral("Quit Anyway")));
}

void AppController::openAccessibilitySettings()
{
    // There is no settings pane that grants X11 input access: explain what is needed instead.
    m_round->showPermissionAlert();
}

void AppController::showDailyInsights()
{
    m_statistics->reloadDays(now());
    m_sheets->open(Sheets::Sheet::Statistics);
    m_window->bringMainWindowForward();
}

void AppController::showLaunchView(LaunchRequest::View view)
{
    switch (view) {
    case LaunchRequest::View::none:
        break;
    case LaunchRequest::View::mainWindow:
        m_window->bringMainWindowForward();
        break;
    case LaunchRequest::View::statistics:
        showDailyInsights();
        break;
    case LaunchRequest::View::journal:
        openJournal();
        break;
    }
}

void AppController::openJournal()
{
    // A journal that is already loaded reads its entries again.
    m_journal->advanceRevision();
    m_sheets->open(Sheets::Sheet::Journal);
    m_window->bringMainWindowForward();
}

void AppController::openSettings()
{
    // The settings' working copy starts from a library that matches the background folder.
    m_appearance->refreshBackgroundLibraryFromDisk();
    m_sheets->open(Sheets::Sheet::Settings);
}

void AppController::openDeveloperCorner()
{
    m_sheets->open(Sheets::Sheet::DeveloperCorner);
}

AudioPlaylist AppController::sanitizedPlaylist(const AudioPlaylist &playlist)
{
    AudioPlaylist sanitized = playlist;
    for (AudioTrack &track : sanitized.tracks) {
        track.name = track.name.trimmed();
        if (track.name.isEmpty())
            track.name = QFileInfo(track.path).completeBaseName();
    }
    return sanitized;
}

void AppController::setPreferences(const AppPreferences &preferences)
{
    if (m_preferences == preferences)
        return;
    const bool languageChanged = m_preferences.language != preferences.language;
    // The tracking title follows the language, and whether tracking is on follows the switch.
    const bool trackingPresentationChanged
        = languageChanged || m_preferences.trackActivity != preferences.trackActivity;
    m_preferences = preferences;
    emit preferencesChanged();
    if (languageChanged)
        m_updateController->setLanguage(m_preferences.language);
    if (trackingPresentationChanged)
        emit m_round->trackingStateChanged();
    m_appearance->refreshBackgroundURL();
}

Status AppController::writePreferences()
{
    const QString path = AppStorageService::preferencesPath(m_root);
    if (!m_preferencesKnownGood && QFileInfo::exists(path)) {
        // The user saves a setting over a file that did not decode: keep the damaged one beside it.
        const QString kept = path + QStringLiteral(".damaged");
        QFile::remove(kept);
        if (!QFile::copy(path, kept))
            return Error { QStringLiteral("无法保留损坏的设置文件的副本。") };
    }
    Status status = AppStorageService::savePreferences(m_preferences, m_root);
    if (status)
        m_preferencesKnownGood = true;
    m_preferencesUnsaved = !status;
    return status;
}

void AppController::writePreferencesQuietly()
{
    // A damaged settings file stays untouched until the user saves a setting on purpose.
    if (m_preferencesKnownGood)
        m_preferencesUnsaved = !AppStorageService::savePreferences(m_preferences, m_root);
}

void AppController::retryUnsavedWritesIfNeeded(const QDateTime &now)
{
    if (!m_round->hasUnsavedRows() && !m_preferencesUnsaved)
        return;
    if (secondsBetween(m_lastUnsavedRetry, now) < unsavedRetryInterval && m_lastUnsavedRetry <= now)
        return;
    m_lastUnsavedRetry = now;
    if (m_preferencesUnsaved)
        (void)writePreferences();
    m_round->writeUnsavedRows();
}

void AppController::tellAboutUnreadableLog()
{
    for (const QString &path : std::as_const(m_logFilePaths)) {
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            continue;
        QFile file(path);
        QString reason;
        if (info.isDir())
            reason = qt_error_string(EISDIR);
        else if (!file.open(QIODevice::ReadOnly))
            reason = file.errorString();
        else
            continue;
        m_sheets->showAlert(
            localized(language(), QStringLiteral("无法读取记录文件"), QStringLiteral("Could Not Read Log")),
            localized(language(),
                QStringLiteral(
                    "柯帆无法读取“%1”（%2）。在此之前，记录和统计不会显示其中的历史，新的记录只保存在"
                    "内存中。请让该文件可读写（若它是文件夹，请移走或改名），然后重新打开柯帆。"),
                QStringLiteral(
                    "Quorvane cannot read “%1” (%2). Until it can, the journal and the statistics do "
                    "not show its history, and new rows are kept in memory only. Make the file "
                    "readable and writable (if it is a folder, move or rename it), then open "
                    "Quorvane again."))
                .arg(QDir::toNativeSeparators(path), StringTable::systemReason(reason, language())));
        return;
    }
}

bool AppController::tellAboutUnwritableDataFolder()
{
    const QString folder = AppStorageService::storageDirectory(m_root);
    const Status writable = WholeFileWrite::probeFolder(folder);
    if (writable)
        return false;
    m_sheets->showAlert(localized(language(), QStringLiteral("无法写入数据文件夹"),
                            QStringLiteral("Data Folder Not Writable")),
        localized(language(),
            QStringLiteral(
                "柯帆无法在“%1”中保存（%2）。在此之前，专注记录、笔记和设置只保存在内存中，退出后"
                "会丢失。请为该磁盘腾出空间，或让该文件夹可写入；能够写入后，未保存的内容会自动写入。"),
            QStringLiteral("Quorvane cannot save in “%1” (%2). Until it can, rounds, notes and settings are "
                           "kept in memory only and are lost when you quit. Free some space on that disk or "
                           "make the folder writable; what is not saved yet is then written on its own."))
            .arg(QDir::toNativeSeparators(folder), StringTable::systemReason(writable.error(), language())));
    return true;
}
