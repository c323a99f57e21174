#pragma once

#include "core/KeyboardGrabBackend.h"
#include "core/WeightedWheelItem.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>
#include <QVariantList>
#include <memory>
#include <optional>

class AppController;
class KeyboardLocker;
class RandomSource;

// The locked break: the wheel's entries weighted by the recent draws, the spin and the drawn activity,
// and the keyboard held for the break with its emergency way out. The phase stays with the round;
// the break moves it through the round's break steps.
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
    // Reads the recent draws from `root`, the controller's data folder.
    BreakWheel(std::unique_ptr<KeyboardLocker> locker, RandomSource &random, const QString &root,
        AppController &controller);
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

private:
    void settleWheel(const QUuid &cycleID);
    void refreshWeightedItems();
    void refreshBreakLockText();

    AppController &m_controller;
    std::unique_ptr<KeyboardLocker> m_keyboardLocker;
    RandomSource &m_random;
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
