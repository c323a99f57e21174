#pragma once

#include "core/AppLanguage.h"
#include "core/WindowSystem.h"
#include "core/WorkTrackingState.h"

#include <QObject>
#include <QString>

// One of the header's status rows: the day's round, health score or completed rounds.
struct HeaderStatusRow
{
    Q_GADGET
    Q_PROPERTY(QString symbol MEMBER symbol CONSTANT FINAL)
    Q_PROPERTY(QString value MEMBER value CONSTANT FINAL)
    Q_PROPERTY(QString accessibilityLabel MEMBER accessibilityLabel CONSTANT FINAL)
    Q_PROPERTY(QString tooltipTitle MEMBER tooltipTitle CONSTANT FINAL)
    Q_PROPERTY(QString tooltipDetail MEMBER tooltipDetail CONSTANT FINAL)

public:
    QString symbol;
    QString value;
    QString accessibilityLabel;
    QString tooltipTitle;
    QString tooltipDetail;

    friend bool operator==(const HeaderStatusRow &, const HeaderStatusRow &) = default;
};

// One of the header's round buttons: a switch (with its state) or a command.
struct HeaderButton
{
    Q_GADGET
    Q_PROPERTY(QString symbol MEMBER symbol CONSTANT FINAL)
    Q_PROPERTY(QString title MEMBER title CONSTANT FINAL)
    Q_PROPERTY(QString detail MEMBER detail CONSTANT FINAL)
    Q_PROPERTY(bool isOn MEMBER isOn CONSTANT FINAL)
    Q_PROPERTY(QString accessibilityValue MEMBER accessibilityValue CONSTANT FINAL)

public:
    QString symbol;
    QString title;
    QString detail;
    bool isOn = false;
    // A switch's state as read aloud; empty for a command.
    QString accessibilityValue;

    friend bool operator==(const HeaderButton &, const HeaderButton &) = default;
};

// What the main window's header bar shows, ready to draw in the interface language: three status rows,
// the developer-corner button, three switches and three commands. Numbers are plain decimal.
struct HeaderPresentation
{
    Q_GADGET
    Q_PROPERTY(HeaderStatusRow round MEMBER round CONSTANT FINAL)
    Q_PROPERTY(HeaderStatusRow health MEMBER health CONSTANT FINAL)
    Q_PROPERTY(HeaderStatusRow completed MEMBER completed CONSTANT FINAL)
    Q_PROPERTY(HeaderButton developerCorner MEMBER developerCorner CONSTANT FINAL)
    Q_PROPERTY(HeaderButton tracking MEMBER tracking CONSTANT FINAL)
    Q_PROPERTY(HeaderButton windowOnTop MEMBER windowOnTop CONSTANT FINAL)
    Q_PROPERTY(HeaderButton overlay MEMBER overlay CONSTANT FINAL)
    Q_PROPERTY(HeaderButton journal MEMBER journal CONSTANT FINAL)
    Q_PROPERTY(HeaderButton statistics MEMBER statistics CONSTANT FINAL)
    Q_PROPERTY(HeaderButton settings MEMBER settings CONSTANT FINAL)
    Q_PROPERTY(bool commandsEnabled MEMBER commandsEnabled CONSTANT FINAL)

public:
    struct State
    {
        AppLanguage language = AppLanguage::chinese;
        bool isActivityTrackingOn = false;
        WorkTrackingState trackingState = WorkTrackingState::waitingForActivity;
        bool keepWindowOnTop = false;
        bool backgroundOverlayEnabled = false;
        qint64 sessionNumber = 1;
        qint64 todayHealthScore = 0;
        qint64 todayCompletedSessions = 0;
        bool keyboardIsLocked = false;
        // The last look found no source of input activity in this session.
        bool inputAccessMissing = false;
        WindowSystem windowSystem = WindowSystem::x11;
    };

    static HeaderPresentation make(const State &state);

    HeaderStatusRow round;
    HeaderStatusRow health;
    HeaderStatusRow completed;
    HeaderButton developerCorner;
    HeaderButton tracking;
    HeaderButton windowOnTop;
    HeaderButton overlay;
    HeaderButton journal;
    HeaderButton statistics;
    HeaderButton settings;
    // The commands and the developer-corner button rest during a locked break; the switches never do.
    bool commandsEnabled = true;

    friend bool operator==(const HeaderPresentation &, const HeaderPresentation &) = default;
};
