#pragma once

#include "core/AppPreferences.h"
#include "ui/settings/BackgroundLibraryModel.h"
#include "ui/settings/MinuteStepper.h"
#include "ui/settings/PlaylistModel.h"
#include "ui/settings/SettingsPane.h"
#include "ui/settings/SettingsPaneTexts.h"

#include <QColor>
#include <QHash>
#include <QObject>
#include <QUuid>
#include <QVariantList>
#include <QVariantMap>
#include <optional>

class AppController;

// The settings sheet while it is open: the working copy of the preferences that every pane edits, the
// texts of the weight fields, the pane shown and the sheet's own alerts. The sheet's view makes one when
// the sheet opens and it goes with the view, so every opening starts afresh. Nothing the user changes
// here reaches the controller before save(), and the session itself writes no file.
//
// Everything the sheet shows follows the working copy's language and accent, not the saved ones, so a
// change made in a pane shows at once in the whole sheet while the main window keeps the saved look.
class SettingsSession : public QObject
{
    Q_OBJECT
    // "chinese" or "english": the language for the sheet's keys and pairs (Texts.text(key, language),
    // Texts.L(chinese, english, language)).
    Q_PROPERTY(QString language READ languageName NOTIFY languageChanged FINAL)
    Q_PROPERTY(QColor accent READ accent NOTIFY accentChanged FINAL)
    Q_PROPERTY(QString title READ title NOTIFY languageChanged FINAL)
    // The sidebar, in order: maps of "pane" (the raw value), "title" and "symbol" (a symbol name).
    Q_PROPERTY(QVariantList sidebarRows READ sidebarRows NOTIFY languageChanged FINAL)
    Q_PROPERTY(
        QString selectedPane READ selectedPaneName WRITE setSelectedPaneName NOTIFY paneTextsChanged FINAL)
    // The header's second line: the selected pane's title and subtitle.
    Q_PROPERTY(QString paneLine READ paneLine NOTIFY paneTextsChanged FINAL)
    // The heading above the selected pane's content.
    Q_PROPERTY(QString headingTitle READ headingTitle NOTIFY paneTextsChanged FINAL)
    Q_PROPERTY(QString headingSubtitle READ headingSubtitle NOTIFY paneTextsChanged FINAL)
    Q_PROPERTY(bool showingWeightError READ showingWeightError WRITE setShowingWeightError NOTIFY
            showingWeightErrorChanged FINAL)
    Q_PROPERTY(bool showingMinimumItemsAlert READ showingMinimumItemsAlert WRITE setShowingMinimumItemsAlert
            NOTIFY showingMinimumItemsAlertChanged FINAL)
    // The wheel item whose symbol picker is open (its id in upper case), or empty.
    Q_PROPERTY(
        QString invalidWeightItemId READ invalidWeightItemIdText NOTIFY invalidWeightItemIdChanged FINAL)
    Q_PROPERTY(QString symbolPickerItemId READ symbolPickerItemIdText WRITE setSymbolPickerItemIdText NOTIFY
            symbolPickerItemIdChanged FINAL)
    Q_PROPERTY(QString weightErrorTitle READ weightErrorTitle NOTIFY languageChanged FINAL)
    Q_PROPERTY(QString weightErrorMessage READ weightErrorMessage NOTIFY languageChanged FINAL)
    Q_PROPERTY(QString minimumItemsTitle READ minimumItemsTitle NOTIFY languageChanged FINAL)
    Q_PROPERTY(QString minimumItemsMessage READ minimumItemsMessage NOTIFY languageChanged FINAL)
    // The rhythm, general, records and update panes (SettingsSessionPanes.cpp).
    Q_PROPERTY(SettingsPaneTexts paneTexts READ paneTexts NOTIFY languageChanged FINAL)
    Q_PROPERTY(QString sessionMinutesLabel READ sessionMinutesLabel NOTIFY draftChanged FINAL)
    Q_PROPERTY(bool canIncreaseSessionMinutes READ canIncreaseSessionMinutes NOTIFY draftChanged FINAL)
    Q_PROPERTY(bool canDecreaseSessionMinutes READ canDecreaseSessionMinutes NOTIFY draftChanged FINAL)
    Q_PROPERTY(QString idleMinutesLabel READ idleMinutesLabel NOTIFY draftChanged FINAL)
    Q_PROPERTY(bool canIncreaseIdleMinutes READ canIncreaseIdleMinutes NOTIFY draftChanged FINAL)
    Q_PROPERTY(bool canDecreaseIdleMinutes READ canDecreaseIdleMinutes NOTIFY draftChanged FINAL)
    // The minutes and their ranges as numbers, which a screen reader reads beside the labels.
    Q_PROPERTY(int sessionMinutes READ sessionMinutes NOTIFY draftChanged FINAL)
    Q_PROPERTY(int sessionMinutesMinimum READ sessionMinutesMinimum CONSTANT FINAL)
    Q_PROPERTY(int sessionMinutesMaximum READ sessionMinutesMaximum CONSTANT FINAL)
    Q_PROPERTY(int idleMinutes READ idleMinutes NOTIFY draftChanged FINAL)
    Q_PROPERTY(int idleMinutesMinimum READ idleMinutesMinimum CONSTANT FINAL)
    Q_PROPERTY(int idleMinutesMaximum READ idleMinutesMaximum CONSTANT FINAL)
    // The working copy's on/off settings by their keys in the settings file ("keepWindowOnTop": true), as a
    // pane's switch reads them; it sets one with setSwitch(key, on).
    Q_PROPERTY(QVariantMap switches READ switches NOTIFY draftChanged FINAL)
    Q_PROPERTY(QString windowLevelStatus READ windowLevelStatus NOTIFY draftChanged FINAL)
    Q_PROPERTY(QString windowLevelSymbol READ windowLevelSymbol NOTIFY draftChanged FINAL)
    // Whether the program is to start at login: read from the autostart entry when the sheet opens, written
    // to it by a save like the rest of the working copy.
    Q_PROPERTY(bool startsAtLogin READ startsAtLogin NOTIFY startsAtLoginChanged FINAL)
    // The switch's explanation, which names the program another copy's entry starts in this one's place.
    Q_PROPERTY(QString startAtLoginDetail READ startAtLoginDetail NOTIFY languageChanged FINAL)
    // The working copy's background library, as the appearance pane's editor shows and edits it.
    Q_PROPERTY(BackgroundLibraryModel *backgroundLibrary READ backgroundLibrary CONSTANT FINAL)
    // The working copy's two playlists, as the music pane's editors show and edit them.
    Q_PROPERTY(PlaylistModel *focusPlaylist READ focusPlaylist CONSTANT FINAL)
    Q_PROPERTY(PlaylistModel *reminderPlaylist READ reminderPlaylist CONSTANT FINAL)

public:
    // Takes its working copy and weight texts from the controller's preferences as they are now.
    explicit SettingsSession(AppController &controller, QObject *parent = nullptr);
    // As the sheet's view makes it: over the controller that the views show.
    explicit SettingsSession(QObject *parent = nullptr);

    const AppPreferences &draft() const { return m_draft; }
    // Replaces the working copy; the panes edit it through here.
    void setDraft(const AppPreferences &draft);
    // The text of each wheel item's weight field, by item id.
    const QHash<QUuid, QString> &weightInputs() const { return m_weightInputs; }
    void setWeightInput(const QUuid &itemId, const QString &text);
    void removeWeightInput(const QUuid &itemId);
    SettingsPane selectedPane() const { return m_selectedPane; }
    void selectPane(SettingsPane pane);
    const std::optional<QUuid> &symbolPickerItemId() const { return m_symbolPickerItemId; }
    void setSymbolPickerItemId(const std::optional<QUuid> &itemId);
    // The sheet has closed, and its unreferenced media are cleaned up: work still queued for this
    // session, such as a drop's imports, must not run and leave copies nothing refers to.
    bool hasEnded() const { return m_ended; }
    BackgroundLibraryModel *backgroundLibrary() const { return m_backgroundLibrary; }
    PlaylistModel *focusPlaylist() const { return m_focusPlaylist; }
    PlaylistModel *reminderPlaylist() const { return m_reminderPlaylist; }

    // Writes every weight text into the working copy's items, in order, stopping at the first text that
    // is not a number of 0 or more. True when every text passed and at least two items then weigh more
    // than 0. The weight texts themselves are never changed. On false, the item to fix is marked: the
    // one whose text is not a number, or else the first that weighs nothing.
    bool commitWeightInputs();

    // Commits the weight texts and hands the working copy to the controller, which closes the sheet once
    // it has stored it. When a weight text is wrong the invalid-weights alert shows instead and the
    // controller is not called; when the controller refuses, its alert shows. Either way the sheet stays
    // open with the working copy as it is.
    Q_INVOKABLE void save();
    // Closes the sheet; the working copy is dropped.
    Q_INVOKABLE void cancel();
    // Saves like save() and, once the controller has taken the working copy, closes the sheet and has
    // the update controller check shortly after. A refused working copy keeps the sheet open with the
    // alert and starts no check; a failed write still closes and checks.
    Q_INVOKABLE void beginUpdateCheck();

    SettingsPaneTexts paneTexts() const;
    QString sessionMinutesLabel() const;
    bool canIncreaseSessionMinutes() const;
    bool canDecreaseSessionMinutes() const;
    // +1 for a positive direction, −1 otherwise, kept within the range.
    Q_INVOKABLE void stepSessionMinutes(int direction);
    QString idleMinutesLabel() const;
    bool canIncreaseIdleMinutes() const;
    bool canDecreaseIdleMinutes() const;
    Q_INVOKABLE void stepIdleMinutes(int direction);
    int sessionMinutes() const { return int(m_draft.sessionMinutes); }
    static int sessionMinutesMinimum() { return int(MinuteSteppers::sessionMinutes.minimum); }
    static int sessionMinutesMaximum() { return int(MinuteSteppers::sessionMinutes.maximum); }
    int idleMinutes() const { return int(m_draft.keyboardIdleMinutes); }
    static int idleMinutesMinimum() { return int(MinuteSteppers::keyboardIdleMinutes.minimum); }
    static int idleMinutesMaximum() { return int(MinuteSteppers::keyboardIdleMinutes.maximum); }
    QVariantMap switches() const;
    // A key that names no on/off setting changes nothing.
    Q_INVOKABLE void setSwitch(const QString &key, bool on);
    QString windowLevelStatus() const;
    QString windowLevelSymbol() const;
    bool startsAtLogin() const { return m_startsAtLogin; }
    Q_INVOKABLE void setStartsAtLogin(bool on);
    QString startAtLoginDetail() const;
    // "chinese" or "english"; any other name changes nothing.
    Q_INVOKABLE void setLanguageName(const QString &name);

    QString languageName() const { return rawValue(m_draft.language); }
    QColor accent() const;
    QString title() const;
    QVariantList sidebarRows() const;
    QString selectedPaneName() const { return rawValue(m_selectedPane); }
    // An unknown name changes nothing.
    void setSelectedPaneName(const QString &name);
    QString paneLine() const;
    QString headingTitle() const;
    QString headingSubtitle() const;
    bool showingWeightError() const { return m_showingWeightError; }
    void setShowingWeightError(bool showing);
    bool showingMinimumItemsAlert() const { return m_showingMinimumItemsAlert; }
    void setShowingMinimumItemsAlert(bool showing);
    QString symbolPickerItemIdText() const;
    void setSymbolPickerItemIdText(const QString &itemId);
    // The item whose weight the last refused commit marked, until its text changes; empty for none.
    QString invalidWeightItemIdText() const;
    QString weightErrorTitle() const;
    QString weightErrorMessage() const;
    QString minimumItemsTitle() const;
    QString minimumItemsMessage() const;

signals:
    void draftChanged();
    void languageChanged();
    void accentChanged();
    void weightInputsChanged();
    void paneTextsChanged();
    void showingWeightErrorChanged();
    void showingMinimumItemsAlertChanged();
    void symbolPickerItemIdChanged();
    void invalidWeightItemIdChanged();
    void startsAtLoginChanged();

private:
    AppLanguage language() const { return m_draft.language; }
    // Commits the weight texts; when they are refused, shows the wheel pane and the invalid-weights
    // alert over it.
    bool commitWeightInputsOrShowError();
    void setInvalidWeightItemId(const std::optional<QUuid> &itemId);
    // Writes or removes the autostart entry when the switch was changed; a failure shows the alert.
    void saveStartsAtLogin();

    AppController &m_controller;
    AppPreferences m_draft;
    QHash<QUuid, QString> m_weightInputs;
    SettingsPane m_selectedPane = SettingsPane::appearance;
    bool m_showingWeightError = false;
    bool m_showingMinimumItemsAlert = false;
    std::optional<QUuid> m_symbolPickerItemId;
    std::optional<QUuid> m_invalidWeightItemId;
    bool m_ended = false;
    // What the autostart entry started when the sheet opened: this program, another, or nothing.
    const QString m_program;
    const QString m_programStartedAtLogin;
    const bool m_startedAtLogin = false;
    bool m_startsAtLogin = false;
    BackgroundLibraryModel *m_backgroundLibrary = nullptr;
    PlaylistModel *m_focusPlaylist = nullptr;
    PlaylistModel *m_reminderPlaylist = nullptr;
};
