#pragma once

#include "app/SheetStack.h"
#include "core/FeedbackLetter.h"

#include <QObject>
#include <QString>
#include <optional>
#include <utility>

class AppController;

// The sheets that open over the main window (settings, statistics, journal, developer corner) and the one
// alert, which shows over the newest open sheet. Each sheet's state belongs to its view, made when the
// sheet opens and gone with it.
class Sheets : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool showingSettings READ showingSettings WRITE setShowingSettings NOTIFY
            showingSettingsChanged FINAL)
    Q_PROPERTY(bool showingStatistics READ showingStatistics WRITE setShowingStatistics NOTIFY
            showingStatisticsChanged FINAL)
    Q_PROPERTY(bool showingNotes READ showingNotes WRITE setShowingNotes NOTIFY showingNotesChanged FINAL)
    Q_PROPERTY(bool showingDeveloperCorner READ showingDeveloperCorner WRITE setShowingDeveloperCorner NOTIFY
            showingDeveloperCornerChanged FINAL)
    Q_PROPERTY(bool showingAlert READ showingAlert WRITE setShowingAlert NOTIFY showingAlertChanged FINAL)
    // The window the alert shows in: the newest open sheet ("settings", "statistics", "notes",
    // "developerCorner"), or empty for the main window.
    Q_PROPERTY(QString alertHost READ alertHost NOTIFY alertHostChanged FINAL)
    Q_PROPERTY(QString alertTitle READ alertTitle NOTIFY alertChanged FINAL)
    Q_PROPERTY(QString alertMessage READ alertMessage NOTIFY alertChanged FINAL)

public:
    explicit Sheets(AppController &controller);

    bool showingSettings() const { return m_showingSettings; }
    bool showingStatistics() const { return m_showingStatistics; }
    bool showingNotes() const { return m_showingNotes; }
    bool showingDeveloperCorner() const { return m_showingDeveloperCorner; }
    bool showingAlert() const { return m_showingAlert; }
    QString alertHost() const { return m_openSheets.top(); }
    const QString &alertTitle() const { return m_alertTitle; }
    const QString &alertMessage() const { return m_alertMessage; }

    void setShowingSettings(bool showing);
    void setShowingStatistics(bool showing);
    void setShowingNotes(bool showing);
    void setShowingDeveloperCorner(bool showing);
    void setShowingAlert(bool showing);
    void showAlert(const QString &title, const QString &message);

    // A letter that failed after its developer corner closed, kept for a corner with an empty form.
    void keepUnsentLetter(FeedbackLetter letter)
    {
        m_unsentLetter = std::move(letter);
        emit unsentLetterKept();
    }
    std::optional<FeedbackLetter> takeUnsentLetter() { return std::exchange(m_unsentLetter, std::nullopt); }

signals:
    void showingSettingsChanged();
    void showingStatisticsChanged();
    void showingNotesChanged();
    void showingDeveloperCornerChanged();
    void showingAlertChanged();
    void alertHostChanged();
    void alertChanged();
    void unsentLetterKept();
    // An open request for `sheet` while it is already open.
    void openedAgain(const QString &sheet);

private:
    void setSheetShown(bool &flag, bool showing, void (Sheets::*changed)(), const QString &sheet);

    AppController &m_controller;
    bool m_showingSettings = false;
    bool m_showingStatistics = false;
    bool m_showingNotes = false;
    bool m_showingDeveloperCorner = false;
    bool m_showingAlert = false;
    SheetStack m_openSheets;
    QString m_alertTitle;
    QString m_alertMessage;
    std::optional<FeedbackLetter> m_unsentLetter;
};
