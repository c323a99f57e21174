#pragma once

#include "AppLanguage.h"

#include <QObject>
#include <QString>

// The fixed texts of the settings sheet's rhythm, general, records and update panes in one language:
// the sheet passes the working copy's, so that a language picked in the sheet shows there at once.
struct SettingsPaneTexts
{
    Q_GADGET
    Q_PROPERTY(QString sessionMinutesTitle MEMBER sessionMinutesTitle CONSTANT)
    Q_PROPERTY(QString sessionMinutesDetail MEMBER sessionMinutesDetail CONSTANT)
    Q_PROPERTY(QString idleMinutesTitle MEMBER idleMinutesTitle CONSTANT)
    Q_PROPERTY(QString idleMinutesDetail MEMBER idleMinutesDetail CONSTANT)
    Q_PROPERTY(QString privacyNote MEMBER privacyNote CONSTANT)
    Q_PROPERTY(QString languageHeading MEMBER languageHeading CONSTANT)
    Q_PROPERTY(QString languageNote MEMBER languageNote CONSTANT)
    Q_PROPERTY(QString keepOnTopTitle MEMBER keepOnTopTitle CONSTANT)
    Q_PROPERTY(QString keepOnTopDetail MEMBER keepOnTopDetail CONSTANT)
    Q_PROPERTY(QString productName MEMBER productName CONSTANT)
    Q_PROPERTY(QString otherName MEMBER otherName CONSTANT)
    Q_PROPERTY(QString tagline MEMBER tagline CONSTANT)
    Q_PROPERTY(QString activityLogTitle MEMBER activityLogTitle CONSTANT)
    Q_PROPERTY(QString focusLogTitle MEMBER focusLogTitle CONSTANT)
    Q_PROPERTY(QString inputHeading MEMBER inputHeading CONSTANT)
    Q_PROPERTY(QString inputNote MEMBER inputNote CONSTANT)
    Q_PROPERTY(QString emergencyUnlock MEMBER emergencyUnlock CONSTANT)
    Q_PROPERTY(QString inputAccessButton MEMBER inputAccessButton CONSTANT)
    Q_PROPERTY(QString versionCaption MEMBER versionCaption CONSTANT)
    Q_PROPERTY(QString channelLine MEMBER channelLine CONSTANT)
    Q_PROPERTY(QString noFeedNote MEMBER noFeedNote CONSTANT)
    Q_PROPERTY(QString checkButton MEMBER checkButton CONSTANT)
    Q_PROPERTY(QString checkTooltip MEMBER checkTooltip CONSTANT)
    Q_PROPERTY(QString automaticChecksTitle MEMBER automaticChecksTitle CONSTANT)
    Q_PROPERTY(QString automaticChecksNote MEMBER automaticChecksNote CONSTANT)
    Q_PROPERTY(QString noFeedAutomaticChecksNote MEMBER noFeedAutomaticChecksNote CONSTANT)
    Q_PROPERTY(QString sourceTitle MEMBER sourceTitle CONSTANT)
    Q_PROPERTY(QString sourceNote MEMBER sourceNote CONSTANT)
    Q_PROPERTY(QString dataFolderNote MEMBER dataFolderNote CONSTANT)

public:
    static SettingsPaneTexts make(AppLanguage language);

    // Rhythm.
    QString sessionMinutesTitle;
    QString sessionMinutesDetail;
    QString idleMinutesTitle;
    QString idleMinutesDetail;
    QString privacyNote;
    // General.
    QString languageHeading;
    QString languageNote;
    QString keepOnTopTitle;
    QString keepOnTopDetail;
    QString productName;
    // The product's name in the other language.
    QString otherName;
    QString tagline;
    // Records.
    QString activityLogTitle;
    QString focusLogTitle;
    QString inputHeading;
    QString inputNote;
    QString emergencyUnlock;
    QString inputAccessButton;
    // Updates.
    QString versionCaption;
    QString channelLine;
    // Shown in place of the channel line by a build without an update feed.
    QString noFeedNote;
    QString checkButton;
    QString checkTooltip;
    QString automaticChecksTitle;
    QString automaticChecksNote;
    // Shown in place of the automatic-checks note by a build without an update feed.
    QString noFeedAutomaticChecksNote;
    QString sourceTitle;
    QString sourceNote;
    QString dataFolderNote;

    friend bool operator==(const SettingsPaneTexts &, const SettingsPaneTexts &) = default;
};
