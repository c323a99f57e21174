#include "app/Sheets.h"

#include "app/AppController.h"

Sheets::Sheets(AppController &controller)
    : m_controller(controller)
{ }

void Sheets::setShowingSettings(bool showing)
{
    const bool closes = !showing && m_showingSettings;
    setSheetShown(m_showingSettings, showing, &Sheets::showingSettingsChanged, QStringLiteral("settings"));
    // However the sheet closed (Save, Cancel, Escape, the window's close button), media imported in it
    // that the stored settings do not keep go now.
    if (closes)
        m_controller.cleanupUnreferencedMedia();
}

void Sheets::setShowingStatistics(bool showing)
{
    setSheetShown(
        m_showingStatistics, showing, &Sheets::showingStatisticsChanged, QStringLiteral("statistics"));
}

void Sheets::setShowingNotes(bool showing)
{
    setSheetShown(m_showingNotes, showing, &Sheets::showingNotesChanged, QStringLiteral("notes"));
}

void Sheets::setShowingDeveloperCorner(bool showing)
{
    setSheetShown(m_showingDeveloperCorner, showing, &Sheets::showingDeveloperCornerChanged,
        QStringLiteral("developerCorner"));
}

void Sheets::setSheetShown(bool &flag, bool showing, void (Sheets::*changed)(), const QString &sheet)
{
    if (flag == showing) {
        // A sheet that counts as open may still not be on screen: its window never appeared, or went
        // without the user closing it. Asked for again, it shows rather than the request doing nothing.
        if (showing)
            emit openedAgain(sheet);
        return;
    }
    flag = showing;
    // The alert's host moves first, so that a sheet that closes under an open alert hands it over
    // before its window goes.
    if (m_openSheets.setOpen(sheet, showing))
        emit alertHostChanged();
    emit(this->*changed)();
}

void Sheets::setShowingAlert(bool showing)
{
    if (showing == m_showingAlert)
        return;
    m_showingAlert = showing;
    emit showingAlertChanged();
}

void Sheets::showAlert(const QString &title, const QString &message)
{
    m_alertTitle = title;
    m_alertMessage = message;
    emit alertChanged();
    setShowingAlert(true);
}
