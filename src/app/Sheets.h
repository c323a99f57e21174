#pragma once

#include "core/FeedbackLetter.h"

#include <QList>
#include <QObject>
#include <QString>
#include <optional>
#include <utility>

// The sheets that open over the main window (settings, statistics, journal, developer corner) and the one
// alert, which shows over the newest open sheet. Each sheet's state belongs to its view, made when the
// sheet opens and gone with it.
class Sheets : public QObject
{
    Q_OBJECT
    // The open sheets, oldest first, as Sheet values.
    Q_PROPERTY(QList<int> openSheets READ openSheetValues NOTIFY openSheetsChanged FINAL)
    Q_PROPERTY(bool showingAlert READ showingAlert WRITE setShowingAlert NOTIFY showingAlertChanged FINAL)
    // The window the alert shows in: the newest open sheet, or None for the main window.
    Q_PROPERTY(Sheet alertHost READ alertHost NOTIFY alertHostChanged FINAL)
    Q_PROPERTY(QString alertTitle READ alertTitle NOTIFY alertChanged FINAL)
    Q_PROPERTY(QString alertMessage READ alertMessage NOTIFY alertChanged FINAL)

public:
    // QML reads only keys that begin with a capital. None is no sheet: the main window.
    enum class Sheet { None, Settings, Statistics, Journal, DeveloperCorner };
    Q_ENUM(Sheet)

    Q_INVOKABLE void open(Sheet sheet);
    Q_INVOKABLE void close(Sheet sheet);
    bool isOpen(Sheet sheet) const { return m_openSheets.contains(sheet); }
    bool anyOpen() const { return !m_openSheets.isEmpty(); }
    QList<int> openSheetValues() const;
    bool showingAlert() const { return m_showingAlert; }
    Sheet alertHost() const { return m_openSheets.isEmpty() ? Sheet::None : m_openSheets.constLast(); }
    const QString &alertTitle() const { return m_alertTitle; }
    const QString &alertMessage() const { return m_alertMessage; }

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
    void openSheetsChanged();
    void showingAlertChanged();
    void alertHostChanged();
    void alertChanged();
    void unsentLetterKept();
    // However the settings closed (Save, Cancel, Escape, the window's close button).
    void settingsClosed();
    // An open request for `sheet` while it is already open.
    void openedAgain(Sheets::Sheet sheet);

private:
    void setOpen(Sheet sheet, bool open);

    bool m_showingAlert = false;
    // In the order they opened: the alert shows over the newest, so that it is never hidden behind a
    // sheet, and falls back to the main window when none is open.
    QList<Sheet> m_openSheets;
    QString m_alertTitle;
    QString m_alertMessage;
    std::optional<FeedbackLetter> m_unsentLetter;
};
