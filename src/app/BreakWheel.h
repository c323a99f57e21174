#pragma once

#include "app/AlertSink.h"
#include "core/KeyboardGrabBackend.h"
#include "core/SessionPhase.h"
#include "core/WeightedWheelItem.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>

struct AppPreferences;
class Clock;
class KeyboardLocker;
class OneShotTimer;
class RandomSource;

// The locked break: the wheel's entries weighted by the recent draws, the spin and the drawn activity,
// and the keyboard held for the break with its emergency way out. The phase stays with the round, which
// it reads; each step of the break it takes it says with a signal, and the round moves the phase.
class BreakWheel : public QObject
{
    Q_OBJECT
    // The eligible entries (as WheelEntryVariant maps) and the denominator of their base shares.
    Q_PROPERTY(QVariantList wheelEntries READ wheelEntries NOTIFY weightedItemsChanged FINAL)
    Q_PROPERTY(double wheelBaseWeightTotal READ wheelBaseWeightTotal NOTIFY wheelBaseWeightTotalChanged FINAL)
    Q_PROPERTY(bool isSpinning READ isSpinning NOTIFY isSpinningChanged FINAL)
    Q_PROPERTY(double wheelRotation READ wheelRotation NOTIFY wheelRotationChanged FINAL)
    Q_PROPERTY(bool hasSelectedItem READ hasSelectedItem NOTIFY selectedItemChanged FINAL)
    Q_PROPERTY(QString selectedItemID READ selectedItemID NOTIFY selectedItemChanged FINAL)
    Q_PROPERTY(QString selectedItemTitle READ selectedItemTitle NOTIFY selectedItemChanged FINAL)
    Q_PROPERTY(QString selectedItemSymbol READ selectedItemSymbol NOTIFY selectedItemChanged FINAL)
    Q_PROPERTY(QString selectedItemScoreText READ selectedItemScoreText NOTIFY selectedItemChanged FINAL)
    Q_PROPERTY(bool keyboardIsLocked READ keyboardIsLocked NOTIFY keyboardIsLockedChanged FINAL)
    Q_PROPERTY(bool emergencyUnlocked READ emergencyUnlocked NOTIFY emergencyUnlockedChanged FINAL)
    // The line about what holds the keyboard.
    Q_PROPERTY(QString breakLockText READ breakLockText NOTIFY breakLockTextChanged FINAL)
    // Whether anything of the keyboard is held, so that a lock and its way out are worth showing.
    Q_PROPERTY(bool holdsKeys READ holdsKeys NOTIFY breakLockTextChanged FINAL)

public:
    // The focus/break cycle's phase as the round has it now.
    using PhaseSource = std::function<SessionPhase()>;

    // Reads the recent draws from `root`, the data folder; `preferences` are the settings in force, which
    // followPreferences() takes on; `settleTimer` waits for the end of a spin.
    BreakWheel(std::unique_ptr<KeyboardLocker> locker, RandomSource &random, Clock &clock,
        const AppPreferences &preferences, AlertSink alert, PhaseSource phase,
        std::unique_ptr<OneShotTimer> settleTimer, const QString &root);
    ~BreakWheel() override;

    QVariantList wheelEntries() const;
    double wheelBaseWeightTotal() const;
    bool isSpinning() const { return m_isSpinning; }
    double wheelRotation() const { return m_wheelRotation; }
    const std::optional<WeightedWheelItem> &selectedItem() const { return m_selectedItem; }
    bool hasSelectedItem() const { return m_selectedItem.has_value(); }
    QString selectedItemID() const;
    QString selectedItemTitle() const;
    QString selectedItemSymbol() const;
    QString selectedItemScoreText() const;
    bool keyboardIsLocked() const { return m_keyboardIsLocked; }
    bool emergencyUnlocked() const { return m_emergencyUnlocked; }
    const QString &breakLockText() const { return m_breakLockText; }
    KeyboardHold keyboardHold() const;
    bool holdsKeys() const { return keyboardHold() != KeyboardHold::windowOnly; }
    // The drawn items, newest first, as far as a confirmed break has recorded them.
    const QList<QUuid> &recentHistory() const { return m_recentHistory; }

    // Back to a wheel with nothing drawn; a spin still turning no longer settles.
    void reset();
    // Gives the keyboard back, as at quit.
    void releaseKeyboard();
    // The settings changed: the weights follow the items and the discount, the lock line the language.
    void followPreferences();

    Q_INVOKABLE void enterLockedBreak();
    Q_INVOKABLE void spinWheel(double durationSeconds);
    Q_INVOKABLE void confirmActivityCompleted();
    void handleEmergencyUnlock();

signals:
    void weightedItemsChanged();
    void wheelBaseWeightTotalChanged();
    void isSpinningChanged();
    void wheelRotationChanged();
    void selectedItemChanged();
    void keyboardIsLockedChanged();
    void emergencyUnlockedChanged();
    void breakLockTextChanged();
    // What the keyboard lock holds, or will hold at the next break, changed.
    void keyboardHoldChanged();
    // The steps of the break: the keyboard is held for it, the spin settled on the drawn activity, an
    // emergency unlock left the break unfinished, or the user confirmed the activity and the keyboard is
    // given back.
    void lockedBreakEntered();
    void activityDrawn();
    void breakAbandoned();
    void activityConfirmed(
        const WeightedWheelItem &drawn, const QDateTime &startedAt, const QDateTime &endedAt);

private:
    void settleWheel(const QUuid &cycleID);
    void refreshWeightedItems();
    void refreshBreakLockText();

    std::unique_ptr<KeyboardLocker> m_keyboardLocker;
    RandomSource &m_random;
    Clock &m_clock;
    const AppPreferences &m_preferences;
    AlertSink m_alert;
    PhaseSource m_phase;
    std::unique_ptr<OneShotTimer> m_settleTimer;
    QString m_root;
    QList<QUuid> m_recentHistory;
    QList<WeightedWheelItem> m_weightedItems;
    bool m_isSpinning = false;
    double m_wheelRotation = 0;
    std::optional<WeightedWheelItem> m_selectedItem;
    std::optional<QDateTime> m_activityStartedAt;
    // Names the current draw, so that a settle from before a reset finds it gone.
    QUuid m_cycleID;
    bool m_keyboardIsLocked = false;
    bool m_emergencyUnlocked = false;
    QString m_breakLockText;
};
