#pragma once

#include "app/AppControllerSeams.h"
#include "app/Appearance.h"
#include "app/BreakWheel.h"
#include "app/Console.h"
#include "app/Journal.h"
#include "app/LaunchRequest.h"
#include "app/Music.h"
#include "app/Round.h"
#include "app/Sheets.h"
#include "app/Statistics.h"
#include "app/Window.h"
#include "core/AppPreferences.h"
#include "core/Result.h"
#include "storage/LogFilesFingerprint.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <memory>

class CSVLogger;
class DeveloperCornerService;
class FocusSessionLogger;
class InputActivityMonitor;
class MediaThumbnailCache;
class UpdateController;

// The application's root: it owns every service and the object of each concern, wires them together, runs
// the focus/break cycle on a 0.25 s tick, and publishes each concern's object as one constant property,
// through which the views reach it. Every value the views show is a property with a change signal and
// every user action an invokable, here or on the object of its concern.
class AppController : public QObject
{
    Q_OBJECT
    Q_MOC_INCLUDE("network/UpdateController.h")
    Q_PROPERTY(bool english READ isEnglish NOTIFY preferencesChanged FINAL)
    Q_PROPERTY(Round *round READ round CONSTANT FINAL)
    Q_PROPERTY(Statistics *statistics READ statistics CONSTANT FINAL)
    Q_PROPERTY(Sheets *sheets READ sheets CONSTANT FINAL)
    Q_PROPERTY(BreakWheel *breakWheel READ breakWheel CONSTANT FINAL)
    Q_PROPERTY(Journal *journal READ journal CONSTANT FINAL)
    Q_PROPERTY(Console *console READ console CONSTANT FINAL)
    Q_PROPERTY(Appearance *appearance READ appearance CONSTANT FINAL)
    Q_PROPERTY(Music *music READ music CONSTANT FINAL)
    Q_PROPERTY(UpdateController *updateController READ updateControllerObject CONSTANT FINAL)
    Q_PROPERTY(Window *window READ window CONSTANT FINAL)

public:
    // Runs the whole start-up: reads the state files and logs, starts the tick, opens or restores
    // the first round and starts input monitoring.
    explicit AppController(AppControllerSeams seams, QObject *parent = nullptr);
    ~AppController() override;

    // Published state.
    const AppPreferences &preferences() const { return m_preferences; }
    AppLanguage language() const { return m_preferences.language; }
    bool isEnglish() const { return language() == AppLanguage::english; }
    Round *round() const { return m_round.get(); }
    Statistics *statistics() const { return m_statistics.get(); }
    Sheets *sheets() const { return m_sheets.get(); }
    BreakWheel *breakWheel() const { return m_breakWheel.get(); }
    WindowSystem windowSystem() const { return m_seams.windowSystem; }
    Journal *journal() const { return m_journal.get(); }

    // The controller's clock: what "today" is for everything it publishes.
    QDateTime now() const;

    // Whether the stored settings are known to be good: they decoded at start-up or were saved since.
    bool preferencesAreKnownGood() const { return m_preferencesKnownGood; }

    // Services the views reach directly.
    Appearance *appearance() const { return m_appearance.get(); }
    Console *console() const { return m_console.get(); }
    UpdateController &updateController() const { return *m_updateController; }
    UpdateController *updateControllerObject() const { return m_updateController.get(); }
    Music *music() const { return m_music.get(); }
    DeveloperCornerService &developerCornerService() const { return *m_developerCornerService; }
    const DeveloperCornerConfig &developerCornerConfig() const { return m_seams.developerCorner; }
    FilePicker &filePicker() const { return *m_seams.filePicker; }
    Workspace &workspace() const { return *m_seams.workspace; }

    // The 0.25 s tick; public so that tests can drive it with their own clock.
    void updateRemainingTime();
    // Saves what must survive the quit and releases the keyboard, monitors and music. Safe to call twice.
    // An open sheet saves its edits first, on aboutToShutDown().
    Q_INVOKABLE void shutdown();
    // Whether a quit the user asked for may go ahead. What waits for the disk is tried once more; what
    // still waits is named in a question whose default keeps the program running.
    bool confirmQuit();

    // Window operations.
    Window *window() const { return m_window.get(); }
    Q_INVOKABLE void openAccessibilitySettings();
    Q_INVOKABLE void showDailyInsights();
    // What a start of the program asked for: nothing for a start into the tray.
    void showLaunchView(LaunchRequest::View view);

    // The header's commands, each opening its sheet.
    Q_INVOKABLE void openJournal();
    Q_INVOKABLE void openSettings();
    Q_INVOKABLE void openDeveloperCorner();

    // Shows, once, where a log that could not be read was put aside.
    void tellAboutMovedAsideLogs();
    // The program rewrote a log itself: the look for other programs' changes must not take it for one.
    void recordOwnLogWrite();

    // The playlist with blank track names replaced by the file name without its extension.
    static AudioPlaylist sanitizedPlaylist(const AudioPlaylist &playlist);

    // Settings
    // Applies a changed record to everything that follows the settings, without writing it.
    void setPreferences(const AppPreferences &preferences);
    // Writes the settings in force, unless the stored file did not decode and no save was asked for.
    void writePreferencesQuietly();
    // Writes the settings in force; a failure is kept for the tick to try again.
    Status writePreferences();
    // Cleans, checks, applies and stores the settings sheet's edited record, then closes the sheet.
    // False when the record is refused (an alert says why): nothing changes and the sheet stays open.
    bool savePreferences(const AppPreferences &edited);
    Q_INVOKABLE void toggleWindowOnTop();
    Q_INVOKABLE void toggleBackgroundOverlay();
    void setFocusConsoleDock(FocusConsoleDock dock);
    // Deletes imported media that neither the stored nor the live settings refer to.
    Q_INVOKABLE void cleanupUnreferencedMedia();

    // Imports
    // Each returns the new entries for the settings sheet's edited record; empty when nothing was
    // added (cancelled, nothing acceptable, or a failure already shown by an alert).
    QList<BackgroundMediaItem> chooseBackgroundMediaFiles(qint64 remainingCapacity);
    QList<BackgroundMediaItem> importBackgroundMediaFiles(const QList<QUrl> &files);
    // Shows the managed background folder in the file manager, making it first when it is missing.
    void openBackgroundFolder();
    // The small pictures of the background library's tiles, kept for this run and on disk.
    MediaThumbnailCache &thumbnailCache() const { return *m_thumbnailCache; }
    QList<AudioTrack> chooseAudioFiles(AudioPlaylistKind kind);
    QList<AudioTrack> importAudioFiles(const QList<QUrl> &files, AudioPlaylistKind kind);

signals:
    void preferencesChanged();
    void aboutToShutDown();

private:
    // Makes the concern objects, each from what it uses, and connects what each says to those that
    // follow it, in the order they are made.
    void makeConcerns();
    // The round's tracking switch: applied and written, or put back when the write fails.
    Status switchTracking(bool on);
    // Start-up and the tick.
    void startTimer();
    void updateDayIfNeeded(const QDateTime &now);
    void refreshExternalLogChangesIfNeeded(const QDateTime &now);
    LogFilesFingerprint currentLogFingerprint() const;
    // Writes what failed writes left in memory only, rounds and settings, at most every few seconds.
    void retryUnsavedWritesIfNeeded(const QDateTime &now);
    // Says once at start-up that nothing can be saved in the data folder, where, why and what to do;
    // true when it did.
    bool tellAboutUnwritableDataFolder();
    // Says once at start-up that a log is there but cannot be read (a folder, no permission), rather than
    // letting the journal show it as an empty history.
    void tellAboutUnreadableLog();

    // Says that nothing on the desktop could show the folder, and how to get an opener.
    void tellAboutUnshownFolder(const QString &folder);
    // Says which picked pictures were left out because no installed reader decodes them.
    void refuseUndecodablePictures(const QStringList &paths);

    // Settings
    template<typename T>
    void writeSingleSetting(T AppPreferences::*field, const T &value, const QString &chineseAlertTitle,
        const QString &englishAlertTitle);
    Status removeMediaNoSettingRefersTo();

    QString m_root;
    AppControllerSeams m_seams;
    std::unique_ptr<UpdateController> m_updateController;
    // Outlives every sheet: its requests must finish even after the developer corner closes.
    std::unique_ptr<DeveloperCornerService> m_developerCornerService;
    std::unique_ptr<MediaThumbnailCache> m_thumbnailCache;
    std::unique_ptr<InputActivityMonitor> m_inputActivityMonitor;
    std::unique_ptr<Music> m_music;
    std::unique_ptr<Sheets> m_sheets;
    std::unique_ptr<BreakWheel> m_breakWheel;
    std::unique_ptr<Appearance> m_appearance;
    std::unique_ptr<FocusSessionLogger> m_focusLog;
    std::unique_ptr<CSVLogger> m_activityLog;
    std::unique_ptr<Statistics> m_statistics;
    // Writes to the logs and reads the input monitor; declared after them, so that it goes first.
    std::unique_ptr<Round> m_round;
    // Reads the logs on threads of its own; declared after them, so that it goes first.
    std::unique_ptr<Journal> m_journal;
    std::unique_ptr<Window> m_window;
    std::unique_ptr<Console> m_console;

    AppPreferences m_preferences;
    QTimer m_tickTimer;
    QDate m_scoreDate;
    // The settings in force did not reach the disk in their last write.
    bool m_preferencesUnsaved = false;
    QDateTime m_lastUnsavedRetry;
    QStringList m_logFilePaths;
    LogFilesFingerprint m_logFilesFingerprint;
    QDateTime m_lastLogFilesCheck;
    bool m_preferencesKnownGood = false;
    bool m_hasShutDown = false;
};
