#include "app/BreakWheel.h"

#include "app/KeyboardHoldText.h"
#include "app/Publish.h"
#include "core/AppPreferences.h"
#include "core/Clock.h"
#include "core/OneShotTimer.h"
#include "core/RandomSource.h"
#include "core/StringTable.h"
#include "core/Uuid.h"
#include "session/KeyboardLocker.h"
#include "session/WheelEntryVariant.h"
#include "session/WheelLayout.h"
#include "session/WheelProbabilityEngine.h"
#include "storage/AppStorageService.h"

#include <cmath>

namespace {

constexpr qint64 historyLimit = 20;
constexpr double extraTurns = 4 * 360.0;
// A coarse timer may fire up to 5 % early, and the wheel would settle while the view still turns it.
constexpr std::chrono::milliseconds settleDelay { 50 };

} // namespace

BreakWheel::BreakWheel(std::unique_ptr<KeyboardLocker> locker, RandomSource &random, Clock &clock,
    const AppPreferences &preferences, AlertSink alert, PhaseSource phase,
    std::unique_ptr<OneShotTimer> settleTimer, const QString &root)
    : m_keyboardLocker(std::move(locker))
    , m_random(random)
    , m_clock(clock)
    , m_preferences(preferences)
    , m_alert(std::move(alert))
    , m_phase(std::move(phase))
    , m_settleTimer(std::move(settleTimer))
    , m_root(root)
    , m_recentHistory(AppStorageService::loadHistory(root))
    , m_cycleID(QUuid::createUuid())
{
    refreshWeightedItems();
    connect(this, &BreakWheel::keyboardIsLockedChanged, this, &BreakWheel::refreshBreakLockText);
    refreshBreakLockText();

    m_keyboardLocker->onEmergencyUnlock = [this] {
        // Queued, so that an unlock never runs inside the locker's own call-out.
        QMetaObject::invokeMethod(this, &BreakWheel::handleEmergencyUnlock, Qt::QueuedConnection);
    };
    // The locked break's Done, pressed from the keyboard that the grab otherwise keeps from every window.
    m_keyboardLocker->onConfirmKey = [this] { confirmActivityCompleted(); };
    m_keyboardLocker->onHoldChanged = [this] {
        refreshBreakLockText();
        emit keyboardHoldChanged();
    };
}

BreakWheel::~BreakWheel()
{
    m_keyboardLocker->onEmergencyUnlock = nullptr;
    m_keyboardLocker->onConfirmKey = nullptr;
    m_keyboardLocker->onHoldChanged = nullptr;
}

QVariantList BreakWheel::wheelEntries() const
{
    // The draw walks the same eligible list in the same order, so the slices match the stop angle.
    return WheelEntryVariant::fromEntries(WheelProbabilityEngine::eligibleItems(m_weightedItems));
}

double BreakWheel::wheelBaseWeightTotal() const
{
    return WheelLayout::baseWeightTotal(m_preferences.items);
}

QString BreakWheel::selectedItemID() const
{
    return m_selectedItem ? Uuid::upperText(m_selectedItem->id()) : QString();
}

QString BreakWheel::selectedItemTitle() const
{
    return m_selectedItem ? m_selectedItem->item.title : QString();
}

QString BreakWheel::selectedItemSymbol() const
{
    return m_selectedItem ? m_selectedItem->item.symbol : QString();
}

QString BreakWheel::selectedItemScoreText() const
{
    if (!m_selectedItem)
        return {};
    return StringTable::text(QStringLiteral("+%lld"), m_preferences.language)
        .replace(QStringLiteral("%lld"), QString::number(m_selectedItem->item.healthScore));
}

void BreakWheel::reset()
{
    m_cycleID = QUuid::createUuid();
    publish(*this, m_selectedItem, std::optional<WeightedWheelItem>(), &BreakWheel::selectedItemChanged);
    publish(*this, m_isSpinning, false, &BreakWheel::isSpinningChanged);
    m_activityStartedAt.reset();
}

void BreakWheel::followPreferences()
{
    refreshWeightedItems();
    emit wheelBaseWeightTotalChanged();
    refreshBreakLockText();
}

void BreakWheel::releaseKeyboard()
{
    m_keyboardLocker->unlock();
    publish(*this, m_keyboardIsLocked, false, &BreakWheel::keyboardIsLockedChanged);
}

void BreakWheel::enterLockedBreak()
{
    if (m_phase() != SessionPhase::SessionComplete)
        return;
    reset();
    publish(*this, m_emergencyUnlocked, false, &BreakWheel::emergencyUnlockedChanged);
    const AppLanguage language = m_preferences.language;
    if (!m_keyboardLocker->lock()) {
        m_alert(
            localized(language, QStringLiteral("无法锁定键盘"), QStringLiteral("Keyboard Lock Unavailable")),
            localized(language,
                QStringLiteral(
                    "柯帆无法锁定键盘：它需要 X11 会话，且键盘此刻不能被其他程序占用（请关闭打开的菜单后"
                    "重试）。后台 AI、终端、构建和下载不会被暂停。"),
                QStringLiteral(
                    "Quorvane could not lock the keyboard: it needs an X11 session, and no other "
                    "program may be holding the keyboard right now (close any open menu and try "
                    "again). Background AI, terminals, builds, and downloads will keep running.")));
        return;
    }
    // Locked before the wheel shows: the view starts its spin only on a locked wheel.
    publish(*this, m_keyboardIsLocked, true, &BreakWheel::keyboardIsLockedChanged);
    emit lockedBreakEntered();
}

void BreakWheel::spinWheel(double durationSeconds)
{
    if (m_phase() != SessionPhase::Wheel || m_isSpinning)
        return;
    const QUuid cycleID = m_cycleID;
    const QList<WeightedWheelItem> items = WheelProbabilityEngine::eligibleItems(m_weightedItems);
    double total = 0;
    for (const WeightedWheelItem &item : items)
        total += item.effectiveWeight;
    const AppLanguage language = m_preferences.language;
    const QString unableTitle
        = localized(language, QStringLiteral("无法转动"), QStringLiteral("Unable to Spin"));
    if (items.isEmpty() || !(total > 0)) {
        m_alert(unableTitle,
            localized(language, QStringLiteral("请至少为一个非近期项目设置大于 0 的基础概率。"),
                QStringLiteral("Give at least one eligible item a base probability greater than zero.")));
        return;
    }
    const auto chosen = WheelProbabilityEngine::choose(items, m_random.unitRoll());
    if (!chosen) {
        m_alert(unableTitle,
            localized(language, QStringLiteral("当前没有可抽取项目。"),
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
    publish(*this, m_selectedItem, chosen, &BreakWheel::selectedItemChanged);
    // The file records the draw now; the in-memory history changes only when the break is confirmed,
    // so the wheel keeps the weights it was drawn with.
    AppStorageService::saveHistory(
        WheelProbabilityEngine::historyByRecordingSelection(chosen->id(), m_recentHistory, historyLimit),
        m_root);
    publish(*this, m_isSpinning, true, &BreakWheel::isSpinningChanged);
    publish(*this, m_wheelRotation,
        std::ceil(m_wheelRotation / 360.0) * 360.0 + extraTurns + (360.0 - centre),
        &BreakWheel::wheelRotationChanged);
    const double seconds = std::isfinite(durationSeconds) ? std::clamp(durationSeconds, 0.0, 60.0) : 0.0;
    m_settleTimer->start(std::chrono::milliseconds(std::lround(seconds * 1000)) + settleDelay,
        [this, cycleID] { settleWheel(cycleID); });
}

void BreakWheel::settleWheel(const QUuid &cycleID)
{
    // A break that was reset meanwhile (emergency unlock, a new round) disowns this settle.
    if (cycleID != m_cycleID || m_phase() != SessionPhase::Wheel || !m_isSpinning)
        return;
    publish(*this, m_isSpinning, false, &BreakWheel::isSpinningChanged);
    m_activityStartedAt = m_clock.now();
    emit activityDrawn();
}

void BreakWheel::confirmActivityCompleted()
{
    if (m_phase() != SessionPhase::Activity || !m_selectedItem)
        return;
    const QDateTime at = m_clock.now();
    const WeightedWheelItem drawn = *m_selectedItem;
    const QDateTime startedAt = m_activityStartedAt.value_or(at);
    m_recentHistory
        = WheelProbabilityEngine::historyByRecordingSelection(drawn.id(), m_recentHistory, historyLimit);
    refreshWeightedItems();
    releaseKeyboard();
    publish(*this, m_emergencyUnlocked, false, &BreakWheel::emergencyUnlockedChanged);
    emit activityConfirmed(drawn, startedAt, at);
}

void BreakWheel::handleEmergencyUnlock()
{
    // The chord's callback is queued: a confirmation may already have ended the break and opened the
    // next round, which must not be thrown back to the round-complete screen.
    if (!m_keyboardIsLocked)
        return;
    reset();
    publish(*this, m_keyboardIsLocked, false, &BreakWheel::keyboardIsLockedChanged);
    publish(*this, m_emergencyUnlocked, true, &BreakWheel::emergencyUnlockedChanged);
    emit breakAbandoned();
    const AppLanguage language = m_preferences.language;
    m_alert(localized(language, QStringLiteral("已应急解锁"), QStringLiteral("Emergency Unlock Complete")),
        localized(language,
            QStringLiteral("键盘已经恢复，后台任务始终没有暂停。本轮休息尚未完成，准备好后可以再次进入。"),
            QStringLiteral("Keyboard input is restored and background work was never paused. This break is "
                           "unfinished; enter it again when ready.")));
}

void BreakWheel::refreshWeightedItems()
{
    const AppPreferences &preferences = m_preferences;
    publish(*this, m_weightedItems,
        WheelProbabilityEngine::weightedItems(
            preferences.items, m_recentHistory, preferences.recentDiscountStrength, preferences.recentWindow),
        &BreakWheel::weightedItemsChanged);
}

KeyboardHold BreakWheel::keyboardHold() const
{
    return m_keyboardLocker->hold();
}

void BreakWheel::refreshBreakLockText()
{
    // Each hold has a line of its own, so the line's signal also tells whether keys are held.
    publish(*this, m_breakLockText, keyboardHoldText(m_keyboardLocker->hold(), m_preferences.language),
        &BreakWheel::breakLockTextChanged);
}
