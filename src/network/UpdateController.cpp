#include "network/UpdateController.h"

#include "core/QtOneShotTimer.h"
#include "core/StringTable.h"
#include "network/UpdateFeedChecker.h"

#include <QSettings>

namespace {

const QString automaticChecksKey = QStringLiteral("updates/automaticallyChecksForUpdates");

std::optional<VersionNumber> installedVersion()
{
    return VersionNumber::parse(QStringLiteral(QUORVANE_VERSION));
}

std::optional<VersionNumber> installedBuild()
{
    return VersionNumber::parseBuild(QStringLiteral(QUORVANE_BUILD_NUMBER));
}

} // namespace

QString UpdateController::builtInFeedAddress()
{
    return QStringLiteral(QUORVANE_UPDATE_FEED_URL);
}

QString UpdateController::versionText(const QString &version, const QString &build)
{
    const QString missing = QStringLiteral("—");
    return QStringLiteral("%1 (%2)").arg(
        version.isEmpty() ? missing : version, build.isEmpty() ? missing : build);
}

UpdateController::UpdateController(const QString &feedAddress, UrlOpener openUrl, QObject *parent,
    std::unique_ptr<OneShotTimer> delay, std::unique_ptr<OneShotTimer> deadline)
    : QObject(parent)
    , m_openUrl(std::move(openUrl))
    , m_delay(delay ? std::move(delay) : std::make_unique<QtOneShotTimer>())
    , m_automaticallyChecksForUpdates(QSettings().value(automaticChecksKey, true).toBool())
{
    m_scheduleTimer.setInterval(automaticCheckInterval);
    connect(&m_scheduleTimer, &QTimer::timeout, this, &UpdateController::checkForUpdatesInBackground);

    const QUrl feedUrl(feedAddress, QUrl::StrictMode);
    if (!feedAddress.isEmpty() && UpdateFeedChecker::isAcceptableFeedUrl(feedUrl)) {
        m_checker = new UpdateFeedChecker(feedUrl, std::move(deadline), this);
        connect(m_checker, &UpdateFeedChecker::finished, this, &UpdateController::handleFeed);
    } else if (!feedAddress.isEmpty()) {
        qWarning("Update checks are off: the feed address is not an HTTPS address");
    }
    // Like the rest of the start-up, the first check waits for the event loop to run.
    QMetaObject::invokeMethod(this, &UpdateController::start, Qt::QueuedConnection);
}

UpdateController::~UpdateController() = default;

void UpdateController::start()
{
    if (!m_checker)
        return;
    m_canCheckForUpdates = true;
    emit canCheckForUpdatesChanged();
    updateSchedule();
    if (m_automaticallyChecksForUpdates)
        checkForUpdatesInBackground();
}

void UpdateController::setAutomaticallyChecksForUpdates(bool enabled)
{
    if (enabled == m_automaticallyChecksForUpdates)
        return;
    m_automaticallyChecksForUpdates = enabled;
    QSettings().setValue(automaticChecksKey, enabled);
    updateSchedule();
    emit automaticallyChecksForUpdatesChanged();
}

void UpdateController::updateSchedule()
{
    if (m_canCheckForUpdates && m_automaticallyChecksForUpdates)
        m_scheduleTimer.start();
    else
        m_scheduleTimer.stop();
}

QString UpdateController::currentVersion() const
{
    return versionText(QStringLiteral(QUORVANE_VERSION), QStringLiteral(QUORVANE_BUILD_NUMBER));
}

void UpdateController::checkForUpdates()
{
    if (!m_canCheckForUpdates)
        return;
    // A background check already under way answers the user too.
    m_userIsWaiting = true;
    present(Outcome::checking);
    fetch();
}

void UpdateController::checkForUpdatesSoon()
{
    m_delay->start(checkAfterSavingDelay, [this] { checkForUpdates(); });
}

void UpdateController::checkForUpdatesInBackground()
{
    if (!m_canCheckForUpdates)
        return;
    fetch();
}

void UpdateController::fetch()
{
    if (m_isChecking)
        return;
    setChecking(true);
    m_checker->check();
}

void UpdateController::setChecking(bool checking)
{
    if (checking == m_isChecking)
        return;
    m_isChecking = checking;
    emit isCheckingChanged();
}

void UpdateController::handleFeed(const UpdateCheckOutcome &outcome)
{
    const bool userIsWaiting = std::exchange(m_userIsWaiting, false);
    setChecking(false);

    if (const auto *failure = std::get_if<UpdateCheckFailure>(&outcome)) {
        if (userIsWaiting) {
            m_failure = *failure;
            present(Outcome::failed);
        } else {
            qWarning("Background update check failed: %s", qUtf8Printable(failure->detail));
        }
        return;
    }

    const std::optional<AppcastItem> &item = std::get<std::optional<AppcastItem>>(outcome);
    if (!item || !item->isNewerThan(installedVersion(), installedBuild())) {
        if (userIsWaiting)
            present(Outcome::upToDate);
        return;
    }
    if (!userIsWaiting && item->displayVersion() == m_lastAnnouncedVersion)
        return;
    m_lastAnnouncedVersion = item->displayVersion();
    m_availableItem = item;
    // Over a break it would cover the wheel while the keyboard is locked.
    present(Outcome::updateAvailable, userIsWaiting || !m_holdingAnnouncements);
}

void UpdateController::setHoldingAnnouncements(bool holding)
{
    m_holdingAnnouncements = holding;
    if (!holding && std::exchange(m_announcementHeld, false))
        setShowingResult(true);
}

void UpdateController::present(Outcome outcome, bool show)
{
    m_outcome = outcome;
    if (outcome != Outcome::updateAvailable)
        m_availableItem.reset();
    if (outcome != Outcome::failed)
        m_failure.reset();
    emit resultChanged();
    m_announcementHeld = !show;
    if (show)
        setShowingResult(true);
}

void UpdateController::setShowingResult(bool showing)
{
    if (showing == m_showingResult)
        return;
    m_showingResult = showing;
    emit showingResultChanged();
    if (!showing && m_outcome == Outcome::checking)
        cancelCheck();
}

void UpdateController::cancelCheck()
{
    m_checker->cancel();
    m_userIsWaiting = false;
    setChecking(false);
    m_outcome = Outcome::none;
    emit resultChanged();
}

void UpdateController::openReleasePage()
{
    if (!m_availableItem)
        return;
    if (m_openUrl && canOpenReleasePage())
        m_openUrl(m_availableItem->page(m_language));
    setShowingResult(false);
}

void UpdateController::setLanguage(AppLanguage language)
{
    if (language == m_language)
        return;
    m_language = language;
    emit resultChanged();
}

bool UpdateController::canOpenReleasePage() const
{
    return m_availableItem && !m_availableItem->page(m_language).isEmpty();
}

QString UpdateController::availableVersion() const
{
    return m_availableItem ? m_availableItem->displayVersion() : QString();
}

QString UpdateController::resultTitle() const
{
    switch (m_outcome) {
    case Outcome::none:
        return {};
    case Outcome::checking:
        return StringTable::text(QStringLiteral("正在检查更新…"), m_language);
    case Outcome::upToDate:
        return localized(m_language, QStringLiteral("已是最新版本"), QStringLiteral("You’re Up to Date"));
    case Outcome::updateAvailable:
        return localized(
            m_language, QStringLiteral("发现新版本"), QStringLiteral("A New Version Is Available"));
    case Outcome::failed:
        return localized(m_language, QStringLiteral("无法检查更新"), QStringLiteral("Update Check Failed"));
    }
    return {};
}

QString UpdateController::resultMessage() const
{
    switch (m_outcome) {
    case Outcome::none:
        return {};
    case Outcome::checking:
        return StringTable::text(QStringLiteral("正在向更新服务器询问最新版本。"), m_language);
    case Outcome::upToDate:
        return localized(m_language, QStringLiteral("柯帆 %1 是目前可用的最新版本。"),
            QStringLiteral("Quorvane %1 is the newest version available."))
            .arg(currentVersion());
    case Outcome::updateAvailable:
        if (!canOpenReleasePage()) {
            return localized(m_language, QStringLiteral("柯帆 %1 已发布，你当前使用的是 %2。"),
                QStringLiteral("Quorvane %1 is available; you have %2."))
                .arg(availableVersion(), currentVersion());
        }
        return localized(m_language,
            QStringLiteral("柯帆 %1 已发布，你当前使用的是 %2。可在下载页面获取新版本。"),
            QStringLiteral("Quorvane %1 is available; you have %2. Get it from its download page."))
            .arg(availableVersion(), currentVersion());
    case Outcome::failed:
        return failureMessage();
    }
    return {};
}

QString UpdateController::failureMessage() const
{
    if (!m_failure)
        return {};
    using Kind = UpdateCheckFailure::Kind;
    const auto text = [this](const QString &key) { return StringTable::text(key, m_language); };
    switch (m_failure->kind) {
    case Kind::noConnection:
        return text(QStringLiteral("无法连接到更新服务器，请检查网络连接后稍后再试。"));
    case Kind::insecureConnection:
        return text(QStringLiteral("无法与更新服务器建立安全连接，因此没有读取任何更新信息。"));
    case Kind::timedOut:
        return text(QStringLiteral("更新服务器在一分钟内没有答复，请稍后再试。"));
    case Kind::serverError:
        // Only a fault on the server's side may pass by itself.
        return (m_failure->status >= 500 ? text(QStringLiteral("更新服务器出错了（代码 %1），请稍后再试。"))
                                         : text(QStringLiteral("更新服务器拒绝了请求（代码 %1）。")))
            .arg(m_failure->status);
    case Kind::notAFeed:
        return text(QStringLiteral("更新服务器的答复不是可以读取的更新信息。"));
    case Kind::redirectLoop:
        return text(QStringLiteral("更新服务器不停地把请求转到别处，陷入了循环，因此没有读取任何更新信息。"));
    case Kind::tooManyRedirects:
        return text(QStringLiteral("更新服务器把请求转了太多次，因此没有读取任何更新信息。"));
    case Kind::tooLarge:
        return text(QStringLiteral("更新服务器的答复太大，不像是更新信息。"));
    }
    return {};
}

QString UpdateController::openPageButtonTitle() const
{
    return localized(m_language, QStringLiteral("打开下载页面"), QStringLiteral("Open Download Page"));
}

QString UpdateController::dismissButtonTitle() const
{
    if (m_outcome == Outcome::updateAvailable)
        return localized(m_language, QStringLiteral("稍后"), QStringLiteral("Later"));
    if (m_outcome == Outcome::checking)
        return localized(m_language, QStringLiteral("取消"), QStringLiteral("Cancel"));
    return localized(m_language, QStringLiteral("好"), QStringLiteral("OK"));
}
