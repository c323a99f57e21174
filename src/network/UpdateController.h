#pragma once

#include "core/AppLanguage.h"
#include "core/OneShotTimer.h"
#include "network/UpdateCheckFailure.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class UpdateFeedChecker;

// Checks the build's update feed for a newer release and tells the user about it. Nothing is downloaded
// or installed here: a found release is offered as a link to its page, opened in the browser.
class UpdateController : public QObject
{
    Q_OBJECT
    // False for a build without a usable feed: then no check can ever run and the setting is moot.
    Q_PROPERTY(bool hasUpdateFeed READ hasUpdateFeed CONSTANT FINAL)
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY canCheckForUpdatesChanged FINAL)
    Q_PROPERTY(bool automaticallyChecksForUpdates READ automaticallyChecksForUpdates WRITE
            setAutomaticallyChecksForUpdates NOTIFY automaticallyChecksForUpdatesChanged FINAL)
    Q_PROPERTY(QString currentVersion READ currentVersion CONSTANT FINAL)
    Q_PROPERTY(bool isChecking READ isChecking NOTIFY isCheckingChanged FINAL)
    Q_PROPERTY(bool showingResult READ showingResult WRITE setShowingResult NOTIFY showingResultChanged FINAL)
    // The result shown is that the check the user asked for still runs.
    Q_PROPERTY(bool showsChecking READ showsChecking NOTIFY resultChanged FINAL)
    Q_PROPERTY(bool updateAvailable READ updateAvailable NOTIFY resultChanged FINAL)
    Q_PROPERTY(QString availableVersion READ availableVersion NOTIFY resultChanged FINAL)
    Q_PROPERTY(QString resultTitle READ resultTitle NOTIFY resultChanged FINAL)
    Q_PROPERTY(QString resultMessage READ resultMessage NOTIFY resultChanged FINAL)
    Q_PROPERTY(QString openPageButtonTitle READ openPageButtonTitle NOTIFY resultChanged FINAL)
    // A found release names a page to open: its own, its release notes or a download a browser shows.
    Q_PROPERTY(bool canOpenReleasePage READ canOpenReleasePage NOTIFY resultChanged FINAL)
    Q_PROPERTY(QString dismissButtonTitle READ dismissButtonTitle NOTIFY resultChanged FINAL)

public:
    using UrlOpener = std::function<void(const QUrl &)>;

    static constexpr std::chrono::hours automaticCheckInterval { 4 };
    // How long a check asked for from the settings sheet waits, so that the sheet is gone first.
    static constexpr std::chrono::milliseconds checkAfterSavingDelay { 350 };

    // The feed address this program was built with; empty when it was built without one.
    static QString builtInFeedAddress();
    // "2.1 (57)"; a missing part shows as "—".
    static QString versionText(const QString &version, const QString &build);

    // An empty or unacceptable feed address leaves canCheckForUpdates false for the whole run.
    // `delay` runs checkForUpdatesSoon() and `deadline` ends a check that runs too long; Qt timers when
    // none are given.
    UpdateController(const QString &feedAddress, UrlOpener openUrl, QObject *parent = nullptr,
        std::unique_ptr<OneShotTimer> delay = nullptr, std::unique_ptr<OneShotTimer> deadline = nullptr);
    ~UpdateController() override;

    bool hasUpdateFeed() const { return m_checker != nullptr; }
    bool canCheckForUpdates() const { return m_canCheckForUpdates; }
    bool automaticallyChecksForUpdates() const { return m_automaticallyChecksForUpdates; }
    // Kept in the program's QSettings, apart from the preferences file.
    void setAutomaticallyChecksForUpdates(bool enabled);
    QString currentVersion() const;
    bool isChecking() const { return m_isChecking; }

    bool showingResult() const { return m_showingResult; }
    // Closing the result while it says that the check runs stops the check.
    void setShowingResult(bool showing);
    bool showsChecking() const { return m_outcome == Outcome::checking; }
    bool updateAvailable() const { return m_outcome == Outcome::updateAvailable; }
    QString availableVersion() const;
    bool canOpenReleasePage() const;
    QString resultTitle() const;
    QString resultMessage() const;
    QString openPageButtonTitle() const;
    QString dismissButtonTitle() const;

    // The language of the result texts; follows the saved preferences.
    void setLanguage(AppLanguage language);

    // A check whose outcome is always shown: up to date, the newer release, or why it failed. It shows
    // that it is checking at once; a press while a check runs shows that again and waits for its result.
    Q_INVOKABLE void checkForUpdates();
    // checkForUpdates() after checkAfterSavingDelay. The timer is this object's, so the check runs
    // after whoever asked for it is gone.
    void checkForUpdatesSoon();
    // A quiet check: only a newer release is shown, and each release only once per run.
    void checkForUpdatesInBackground();
    // While holding, a release found by a quiet check waits, to show when holding ends.
    void setHoldingAnnouncements(bool holding);
    // Opens the found release's page and closes the result.
    Q_INVOKABLE void openReleasePage();

signals:
    void canCheckForUpdatesChanged();
    void automaticallyChecksForUpdatesChanged();
    void isCheckingChanged();
    void showingResultChanged();
    void resultChanged();

private:
    enum class Outcome { none, checking, upToDate, updateAvailable, failed };

    void start();
    void fetch();
    void setChecking(bool checking);
    void handleFeed(const UpdateCheckOutcome &outcome);
    QString failureMessage() const;
    void present(Outcome outcome, bool show = true);
    void cancelCheck();
    void updateSchedule();

    UrlOpener m_openUrl;
    std::unique_ptr<OneShotTimer> m_delay;
    UpdateFeedChecker *m_checker = nullptr;
    QTimer m_scheduleTimer;
    AppLanguage m_language = AppLanguage::chinese;
    bool m_canCheckForUpdates = false;
    bool m_automaticallyChecksForUpdates = true;
    bool m_isChecking = false;
    bool m_userIsWaiting = false;
    bool m_showingResult = false;
    bool m_holdingAnnouncements = false;
    bool m_announcementHeld = false;
    Outcome m_outcome = Outcome::none;
    std::optional<AppcastItem> m_availableItem;
    std::optional<UpdateCheckFailure> m_failure;
    QString m_lastAnnouncedVersion;
};
