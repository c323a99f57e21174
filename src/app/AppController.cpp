#include "app/AppController.h"

#include "app/Publish.h"
#include "core/CsvDate.h"
#include "core/StringTable.h"
#include "media/AudioController.h"
#include "media/MediaThumbnailCache.h"
#include "network/DeveloperCornerService.h"
#include "network/UpdateController.h"
#include "session/InputActivityMonitor.h"
#include "session/KeyboardLocker.h"
#include "storage/AppStorageService.h"
#include "storage/CSVLogger.h"
#include "storage/DailyStatsRepository.h"
#include "storage/FocusSessionLogger.h"
#include "storage/WholeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <limits>

namespace {

constexpr auto tickInterval = std::chrono::milliseconds(250);
constexpr double logCheckInterval = 1.0;
constexpr double monitorRetryInterval = 3.0;
// Writing again on a full disk reads the log each time; every few seconds is soon enough.
constexpr double unsavedRetryInterval = 10.0;

double secondsBetween(const QDateTime &from, const QDateTime &to)
{
    return from.msecsTo(to) / 1000.0;
}

// Seconds as milliseconds; none for a number no date can carry (a hand-edited snapshot may hold one).
std::optional<qint64> milliseconds(double seconds)
{
    constexpr double largest = 1e11; // about 3,000 years
    if (!std::isfinite(seconds) || std::abs(seconds) > largest)
        return std::nullopt;
    return std::llround(seconds * 1000);
}

// A far past instant, so that the first throttled check always runs.
QDateTime distantPast()
{
    return QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
}

} // namespace

qint64 AppController::secondsFromMinutes(qint64 minutes)
{
    // A hand-edited settings file may hold a number so large that the product would overflow.
    constexpr qint64 largest = std::numeric_limits<qint64>::max() / 60;
    return std::clamp<qint64>(minutes, 1, largest) * 60;
}

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
    m_sheets = std::make_unique<Sheets>(*this);
    m_appearance = std::make_unique<Appearance>(*this, m_root, s.reduceMotion);
    m_music = std::make_unique<Music>(
        std::make_unique<AudioController>(s.trackPlayers, std::move(s.beep), std::move(s.shuffleRandom)),
        *this);

    m_lastMonitorRetry = distantPast();
    m_lastFocusSnapshotSave = distantPast();
    m_lastLogFilesCheck = distantPast();
    m_lastUnsavedRetry = distantPast();
    m_currentSessionID = Uuid::newEventID();
    m_currentFocusStartedAt = now();

    const QString storage = AppStorageService::storageDirectory(m_root);
    const QDate today = now().toLocalTime().date();
    m_focusLog = std::make_unique<FocusSessionLogger>(
        QDir(storage).filePath(QStringLiteral("focus-session-log.csv")), today);
    m_activityLog = std::make_unique<CSVLogger>(
        QDir(storage).filePath(QStringLiteral("daily-activity-log.csv")), today);
    m_statistics = std::make_unique<Statistics>(*m_focusLog, *m_activityLog);
    m_journal = std::make_unique<Journal>(*m_focusLog, *m_activityLog, *this);
    m_window = std::make_unique<Window>(
        *m_seams.window, *m_seams.workspace, m_activityLog->filePath(), m_focusLog->filePath());
    m_logFilePaths = { m_focusLog->filePath(), m_activityLog->filePath() };
    m_logFilesFingerprint = currentLogFingerprint();

    m_preferencesKnownGood = AppStorageService::hasDecodablePreferences(m_root);
    AppStorageService::ensureMediaDirectories(m_root);
    m_preferences = AppStorageService::startupPreferences(m_root);
    m_updateController->setLanguage(m_preferences.language);
    // A release found in the background waits for the next round, not to cover a break.
    connect(this, &AppController::phaseChanged, m_updateController.get(),
        [this] { m_updateController->setHoldingAnnouncements(m_phase != SessionPhase::Focus); });

    m_secondsRemaining = secondsFromMinutes(m_preferences.sessionMinutes);
    m_workTimer.duration = std::max(double(m_secondsRemaining), 1.0);
    m_workTimer.idleTimeout = std::max(double(secondsFromMinutes(m_preferences.keyboardIdleMinutes)), 1.0);

    const QDateTime startedAt = now();
    QString restoredTitle;
    QString restoredNotes;
    if (const auto snapshot = AppStorageService::loadRestorableActiveFocusSession(m_root)) {
        m_workTimer.restore(*snapshot, startedAt);
        m_secondsRemaining = remainingSeconds();
        m_restoredFocusSession = true;
        m_currentSessionID = snapshot->sessionID.value_or(Uuid::newEventID());
        const auto storedStart
            = snapshot->startedAtEpoch ? milliseconds(*snapshot->startedAtEpoch) : std::nullopt;
        m_currentFocusStartedAt = storedStart
            ? QDateTime::fromMSecsSinceEpoch(*storedStart, Qt::UTC)
            : startedAt.addMSecs(-milliseconds(snapshot->accumulatedActiveSeconds).value_or(0));
        restoredNotes = snapshot->notes.value_or(QString());
        restoredTitle = snapshot->title.value_or(QString());
    }

    m_breakWheel = std::make_unique<BreakWheel>(
        std::make_unique<KeyboardLocker>(*s.trust, std::move(s.keyboardGrab)), *s.wheelRandom, m_root, *this);
    m_statistics->reload(startedAt);
    m_scoreDate = startedAt.toLocalTime().date();
    m_sessionNumber = m_statistics->todayCompletedSessions() + 1;
    m_journal->setRoundText(
        restoredTitle.trimmed().isEmpty() ? defaultFocusTitle(m_sessionNumber) : restoredTitle,
        restoredNotes);
    m_appearance->refreshBackgroundURL();

    m_inputActivityMonitor->onActivity = [this] { handleInputActivity(); };

    m_preferencesKnownGood
        = AppStorageService::writeBackAfterStartup(m_preferences, m_preferencesKnownGood, m_root);

    m_console = std::make_unique<Console>(*this, std::move(m_seams.consoleDockTimer));

    startTimer();
    tellAboutMovedAsideLogs();
    tellAboutUnwritableDataFolder();
}

AppController::~AppController()
{
    // Services call back into the controller; make sure none does while it is being torn down.
    m_inputActivityMonitor->onActivity = nullptr;
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
    if (m_restoredFocusSession) {
        m_restoredFocusSession = false;
        restoreFocusSessionUI();
    } else {
        startNewFocusSession();
    }
    startKeyboardMonitoring();
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
    if (m_phase != SessionPhase::Focus)
        return;
    if (m_preferences.trackActivity) {
        retryKeyboardMonitoringIfNeeded(now());
        // Without both monitors the round cannot see activity: it stands still rather than idling away.
        if (!m_inputActivityMonitor->bothMonitorsInstalled())
            return;
    }
    const QDateTime accountingTime = now();
    const bool reached = m_preferences.trackActivity ? m_workTimer.tick(accountingTime)
                                                     : m_workTimer.tickContinuously(accountingTime);
    if (reached) {
        publish(*this, m_secondsRemaining, qint64(0), &AppController::secondsRemainingChanged);
        completeFocusSession(true);
        return;
    }
    publishWorkTimerState();
    persistFocusSession(false, now());
}

void AppController::updateDayIfNeeded(const QDateTime &now)
{
    // Compared as a date: formatting the day's text every tick cost most of an idle tick.
    const QDate today = now.toLocalTime().date();
    if (today == m_scoreDate)
        return;
    m_scoreDate = today;
    m_statistics->reload(now);
    publish(*this, m_sessionNumber, nextSessionNumber(), &AppController::sessionNumberChanged);
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

void AppController::retryKeyboardMonitoringIfNeeded(const QDateTime &now)
{
    if (!m_preferences.trackActivity || m_inputActivityMonitor->bothMonitorsInstalled())
        return;
    if (secondsBetween(m_lastMonitorRetry, now) < monitorRetryInterval && m_lastMonitorRetry <= now)
        return;
    m_lastMonitorRetry = now;
    startKeyboardMonitoring();
}

void AppController::publishWorkTimerState()
{
    publish(*this, m_trackingState, m_workTimer.state, &AppController::trackingStateChanged);
    publish(*this, m_secondsRemaining, remainingSeconds(), &AppController::secondsRemainingChanged);
}

void AppController::restoreFocusSessionUI()
{
    publish(*this, m_phase, SessionPhase::Focus, &AppController::phaseChanged);
    publish(*this, m_sessionNumber, m_statistics->todayCompletedSessions() + 1,
        &AppController::sessionNumberChanged);
    m_breakWheel->reset();
    publish(*this, m_secondsRemaining, remainingSeconds(), &AppController::secondsRemainingChanged);
    publish(*this, m_trackingState, m_workTimer.state, &AppController::trackingStateChanged);
    persistFocusSession(true, now());
    m_music->playFor(m_phase, m_appearance->videoSoundTakesPriority());
}

LogFilesFingerprint AppController::currentLogFingerprint() const
{
    return LogFilesFingerprint(m_logFilePaths);
}

void AppController::recordOwnLogWrite()
{
    m_logFilesFingerprint = currentLogFingerprint();
}

QString AppController::logErrorText(const Status &failed, const QString &logPath) const
{
    return StringTable::text(failed.error(), language()).arg(QFileInfo(logPath).fileName());
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
    (void)writeUnsavedRounds();
    (void)writeUnsavedBreaks();
    if (m_currentFocusLogID && m_phase != SessionPhase::Focus)
        (void)m_focusLog->updateEntry(*m_currentFocusLogID, m_journal->currentSessionTitle(),
            m_journal->currentSessionNotes(), now().toLocalTime().date());
    if (m_phase == SessionPhase::Focus) {
        const QDateTime at = now();
        // The round is accounted once more but not closed: a restart resumes it.
        m_workTimer.tick(at);
        publish(*this, m_secondsRemaining, remainingSeconds(), &AppController::secondsRemainingChanged);
        persistFocusSession(true, at);
    }
    m_breakWheel->releaseKeyboard();
    m_inputActivityMonitor->stop();
    m_music->stop();
    m_tickTimer.stop();
}

int AppController::secondsRemainingForDisplay() const
{
    return int(std::clamp<qint64>(m_secondsRemaining, 0, std::numeric_limits<int>::max()));
}

QString AppController::trackingStateName() const
{
    return rawValue(m_trackingState);
}

QString AppController::formattedTime() const
{
    return formattedTime(m_secondsRemaining);
}

QString AppController::formattedTime(qint64 seconds)
{
    const qint64 s = std::max<qint64>(seconds, 0);
    return QStringLiteral("%1:%2").arg(s / 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0'));
}

bool AppController::isActivityTrackingOn() const
{
    return m_preferences.trackActivity && m_trackingState != WorkTrackingState::permissionRequired;
}

void AppController::enterFullScreenIfPossible()
{
    m_seams.window->enterFullScreen();
}

void AppController::openAccessibilitySettings()
{
    // There is no settings pane that grants X11 input access: explain what is needed instead.
    showPermissionAlert();
}

void AppController::showDailyInsights()
{
    m_statistics->reloadDays(now());
    m_sheets->setShowingStatistics(true);
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
    m_sheets->setShowingNotes(true);
    m_window->bringMainWindowForward();
}

void AppController::openSettings()
{
    // The settings' working copy starts from a library that matches the background folder.
    m_appearance->refreshBackgroundLibraryFromDisk();
    m_sheets->setShowingSettings(true);
}

void AppController::openDeveloperCorner()
{
    m_sheets->setShowingDeveloperCorner(true);
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
        emit trackingStateChanged();
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
            return Error { QStringLiteral("Could not keep a copy of the damaged settings file.") };
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
    if (m_unsavedRounds.isEmpty() && m_unsavedBreaks.isEmpty() && !m_preferencesUnsaved)
        return;
    if (secondsBetween(m_lastUnsavedRetry, now) < unsavedRetryInterval && m_lastUnsavedRetry <= now)
        return;
    m_lastUnsavedRetry = now;
    if (m_preferencesUnsaved)
        (void)writePreferences();
    (void)writeUnsavedRounds();
    (void)writeUnsavedBreaks();
}

void AppController::tellAboutUnwritableDataFolder()
{
    const QString folder = AppStorageService::storageDirectory(m_root);
    const Status writable = WholeFileWrite::probeFolder(folder);
    if (writable)
        return;
    m_sheets->showAlert(localized(language(), QStringLiteral("无法写入数据文件夹"),
                            QStringLiteral("Data Folder Not Writable")),
        localized(language(),
            QStringLiteral(
                "柯帆无法在“%1”中保存（%2）。在此之前，专注记录、笔记和设置只保存在内存中，退出后"
                "会丢失。请为该磁盘腾出空间，或让该文件夹可写入；能够写入后，未保存的内容会自动写入。"),
            QStringLiteral("Quorvane cannot save in “%1” (%2). Until it can, rounds, notes and settings are "
                           "kept in memory only and are lost when you quit. Free some space on that disk or "
                           "make the folder writable; what is not saved yet is then written on its own."))
            .arg(QDir::toNativeSeparators(folder), writable.error()));
}
