// The locked break: entering it, drawing an activity on the wheel, confirming it, and the way out.

#include "app/AppController.h"
#include "media/AudioController.h"
#include "session/KeyboardLocker.h"
#include "session/WheelProbabilityEngine.h"
#include "storage/AppStorageService.h"
#include "storage/CSVLogger.h"

#include <cmath>
#include <limits>

namespace {

constexpr qint64 historyLimit = 20;
constexpr double extraTurns = 4 * 360.0;
constexpr int settleDelayMilliseconds = 50;

qint64 saturatedSum(qint64 a, qint64 b)
{
    qint64 sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return sum;
}

} // namespace

void AppController::resetWheelPreparation()
{
    m_wheelCycleID = QUuid::createUuid();
    publish(m_selectedItem, std::optional<WeightedWheelItem>(), &AppController::selectedItemChanged);
    publish(m_isSpinning, false, &AppController::isSpinningChanged);
    m_currentActivityStartedAt.reset();
}

void AppController::enterLockedBreak()
{
    if (m_phase != SessionPhase::SessionComplete)
        return;
    resetWheelPreparation();
    publish(m_emergencyUnlocked, false, &AppController::emergencyUnlockedChanged);
    if (!m_keyboardLocker->lock()) {
        m_sheets->showAlert(localized(language(), QStringLiteral("无法锁定键盘"),
                                QStringLiteral("Keyboard Lock Unavailable")),
            localized(language(),
                QStringLiteral(
                    "柯帆无法锁定键盘：它需要 X11 会话，且键盘此刻不能被其他程序占用（请关闭打开的菜单后"
                    "重试）。后台 AI、终端、构建和下载不会被暂停。"),
                QStringLiteral(
                    "Quorvane could not lock the keyboard: it needs an X11 session, and no other "
                    "program may be holding the keyboard right now (close any open menu and try "
                    "again). Background AI, terminals, builds, and downloads will keep running.")));
        return;
    }
    if (m_seams.roundEndNotice)
        m_seams.roundEndNotice->withdraw();
    publish(m_keyboardIsLocked, true, &AppController::keyboardIsLockedChanged);
    publish(m_phase, SessionPhase::Wheel, &AppController::phaseChanged);
    enterFullScreenIfPossible();
}

void AppController::spinWheel(double durationSeconds)
{
    if (m_phase != SessionPhase::Wheel || m_isSpinning)
        return;
    const QUuid cycleID = m_wheelCycleID;
    const QList<WeightedWheelItem> items = WheelProbabilityEngine::eligibleItems(m_weightedItems);
    double total = 0;
    for (const WeightedWheelItem &item : items)
        total += item.effectiveWeight;
    const QString unableTitle
        = localized(language(), QStringLiteral("无法转动"), QStringLiteral("Unable to Spin"));
    if (items.isEmpty() || !(total > 0)) {
        m_sheets->showAlert(unableTitle,
            localized(language(), QStringLiteral("请至少为一个非近期项目设置大于 0 的基础概率。"),
                QStringLiteral("Give at least one eligible item a base probability greater than zero.")));
        return;
    }
    const auto chosen = WheelProbabilityEngine::choose(items, m_seams.wheelRandom->unitRoll());
    if (!chosen) {
        m_sheets->showAlert(unableTitle,
            localized(language(), QStringLiteral("当前没有可抽取项目。"),
                QStringLiteral("There are no eligible items to draw.")));
        return;
    }
    double start = 0;
    for (const WeightedWheelItem &item : items) {
        if (item.id() == chosen->id())
            break;
        start += 360.0 * item.effectiveWeight / total;
    }
    const double centre = start + 360.0 * chosen->effectiveWeight / total * 0.5;
    publish(m_selectedItem, chosen, &AppController::selectedItemChanged);
    // The file records the draw now; the in-memory history changes only when the break is confirmed,
    // so the wheel keeps the weights it was drawn with.
    AppStorageService::saveHistory(
        WheelProbabilityEngine::historyByRecordingSelection(chosen->id(), m_recentHistory, historyLimit),
        m_root);
    publish(m_isSpinning, true, &AppController::isSpinningChanged);
    publish(m_wheelRotation, std::ceil(m_wheelRotation / 360.0) * 360.0 + extraTurns + (360.0 - centre),
        &AppController::wheelRotationChanged);
    const double seconds = std::isfinite(durationSeconds) ? std::clamp(durationSeconds, 0.0, 60.0) : 0.0;
    // A coarse timer may fire up to 5 % early, and the wheel would settle while the view still turns it.
    QTimer::singleShot(int(std::lround(seconds * 1000)) + settleDelayMilliseconds, Qt::PreciseTimer, this,
        [this, cycleID] { settleWheel(cycleID); });
}

void AppController::settleWheel(const QUuid &cycleID)
{
    // A break that was reset meanwhile (emergency unlock, a new round) disowns this settle.
    if (cycleID != m_wheelCycleID || m_phase != SessionPhase::Wheel || !m_isSpinning)
        return;
    publish(m_isSpinning, false, &AppController::isSpinningChanged);
    m_currentActivityStartedAt = now();
    publish(m_phase, SessionPhase::Activity, &AppController::phaseChanged);
}

void AppController::confirmActivityCompleted()
{
    if (m_phase != SessionPhase::Activity || !m_selectedItem)
        return;
    const QDateTime at = now();
    const WeightedWheelItem drawn = *m_selectedItem;
    m_unsavedBreaks.append({
        Uuid::newEventID(),
        m_currentActivityStartedAt.value_or(at),
        at,
        m_sessionNumber,
        defaultBreakTitle(m_sessionNumber),
        drawn.item,
        drawn.effectiveWeight,
        0,
        m_journal->currentSessionNotes(),
    });
    (void)writeUnsavedRounds();
    const Status appended = writeUnsavedBreaks();
    tellAboutMovedAsideLogs();
    if (!appended) {
        m_sheets->showAlert(
            localized(language(), QStringLiteral("CSV 写入失败"), QStringLiteral("Could Not Write CSV")),
            logErrorText(appended, m_activityLog->filePath()));
    }
    m_recentHistory
        = WheelProbabilityEngine::historyByRecordingSelection(drawn.id(), m_recentHistory, historyLimit);
    refreshWeightedItems();
    m_keyboardLocker->unlock();
    publish(m_keyboardIsLocked, false, &AppController::keyboardIsLockedChanged);
    publish(m_emergencyUnlocked, false, &AppController::emergencyUnlockedChanged);
    m_music->stop();
    advanceBackgroundAfterCompletedRound();
    startNewFocusSession();
}

Status AppController::writeUnsavedBreaks()
{
    Status written;
    const qsizetype unsaved = m_unsavedBreaks.size();
    while (!m_unsavedBreaks.isEmpty()) {
        ActivityLogEntry &entry = m_unsavedBreaks.first();
        // The day's running total as the log holds it when the row goes in, whenever that is.
        entry.dailyTotal = saturatedSum(m_activityLog->todayTotal(entry.timestamp), entry.item.healthScore);
        if (!(written = m_activityLog->append(entry)))
            break;
        m_unsavedBreaks.removeFirst();
    }
    if (m_unsavedBreaks.size() < unsaved)
        publishWrittenRows();
    return written;
}

void AppController::handleEmergencyUnlock()
{
    // The chord's callback is queued: a confirmation may already have ended the break and opened the
    // next round, which must not be thrown back to the round-complete screen.
    if (!m_keyboardIsLocked)
        return;
    resetWheelPreparation();
    publish(m_keyboardIsLocked, false, &AppController::keyboardIsLockedChanged);
    publish(m_emergencyUnlocked, true, &AppController::emergencyUnlockedChanged);
    publish(m_phase, SessionPhase::SessionComplete, &AppController::phaseChanged);
    m_sheets->showAlert(
        localized(language(), QStringLiteral("已应急解锁"), QStringLiteral("Emergency Unlock Complete")),
        localized(language(),
            QStringLiteral("键盘已经恢复，后台任务始终没有暂停。本轮休息尚未完成，准备好后可以再次进入。"),
            QStringLiteral("Keyboard input is restored and background work was never paused. This break is "
                           "unfinished; enter it again when ready.")));
}
