#pragma once

#include "core/AppLanguage.h"
#include "core/WindowSystem.h"

#include <QObject>
#include <QString>

// The fixed texts of the settings sheet's rhythm, general, records and update panes in one language:
// the sheet passes the working copy's, so that a language picked in the sheet shows there at once.
struct SettingsPaneTexts
{
    Q_GADGET
    Q_PROPERTY(QString sessionMinutesTitle MEMBER sessionMinutesTitle CONSTANT FINAL)
    Q_PROPERTY(QString sessionMinutesDetail MEMBER sessionMinutesDetail CONSTANT FINAL)
    Q_PROPERTY(QString idleMinutesTitle MEMBER idleMinutesTitle CONSTANT FINAL)
    Q_PROPERTY(QString idleMinutesDetail MEMBER idleMinutesDetail CONSTANT FINAL)
    Q_PROPERTY(QString privacyNote MEMBER privacyNote CONSTANT FINAL)
    Q_PROPERTY(QString languageHeading MEMBER languageHeading CONSTANT FINAL)
    Q_PROPERTY(QString languageNote MEMBER languageNote CONSTANT FINAL)
    Q_PROPERTY(QString keepOnTopTitle MEMBER keepOnTopTitle CONSTANT FINAL)
    Q_PROPERTY(QString keepOnTopDetail MEMBER keepOnTopDetail CONSTANT FINAL)
    Q_PROPERTY(QString startAtLoginTitle MEMBER startAtLoginTitle CONSTANT FINAL)
    Q_PROPERTY(QString startAtLoginDetail MEMBER startAtLoginDetail CONSTANT FINAL)
    Q_PROPERTY(QString productName MEMBER productName CONSTANT FINAL)
    Q_PROPERTY(QString otherName MEMBER otherName CONSTANT FINAL)
    Q_PROPERTY(QString tagline MEMBER tagline CONSTANT FINAL)
    Q_PROPERTY(QString activityLogTitle MEMBER activityLogTitle CONSTANT FINAL)
    Q_PROPERTY(QString focusLogTitle MEMBER focusLogTitle CONSTANT FINAL)
    Q_PROPERTY(QString inputHeading MEMBER inputHeading CONSTANT FINAL)
    Q_PROPERTY(QString inputNote MEMBER inputNote CONSTANT FINAL)
    Q_PROPERTY(QString emergencyUnlock MEMBER emergencyUnlock CONSTANT FINAL)
    Q_PROPERTY(QString inputAccessButton MEMBER inputAccessButton CONSTANT FINAL)
    Q_PROPERTY(QString versionCaption MEMBER versionCaption CONSTANT FINAL)
    Q_PROPERTY(QString channelLine MEMBER channelLine CONSTANT FINAL)
    Q_PROPERTY(QString noFeedNote MEMBER noFeedNote CONSTANT FINAL)
    Q_PROPERTY(QString checkButton MEMBER checkButton CONSTANT FINAL)
    Q_PROPERTY(QString checkTooltip MEMBER checkTooltip CONSTANT FINAL)
    Q_PROPERTY(QString automaticChecksTitle MEMBER automaticChecksTitle CONSTANT FINAL)
    Q_PROPERTY(QString automaticChecksNote MEMBER automaticChecksNote CONSTANT FINAL)
    Q_PROPERTY(QString sourceTitle MEMBER sourceTitle CONSTANT FINAL)
    Q_PROPERTY(QString sourceNote MEMBER sourceNote CONSTANT FINAL)
    Q_PROPERTY(QString dataFolderNote MEMBER dataFolderNote CONSTANT FINAL)
    Q_PROPERTY(bool showsInputAccessButton MEMBER showsInputAccessButton CONSTANT FINAL)

public:
    // `dataFolder` is the application folder that holds the settings, media and logs, as shown to the user.
    static SettingsPaneTexts make(
        AppLanguage language, const QString &dataFolder, WindowSystem windowSystem = WindowSystem::x11);

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
    QString startAtLoginTitle;
    QString startAtLoginDetail;
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
    // Under Wayland there is no X11 input access to explain.
    bool showsInputAccessButton = true;
    // Updates.
    QString versionCaption;
    QString channelLine;
    // Shown in place of the channel line by a build without an update feed.
    QString noFeedNote;
    QString checkButton;
    QString checkTooltip;
    QString automaticChecksTitle;
    QString automaticChecksNote;
    QString sourceTitle;
    QString sourceNote;
    QString dataFolderNote;

    friend bool operator==(const SettingsPaneTexts &, const SettingsPaneTexts &) = default;
};
