#include "app/Sheets.h"

#include "app/AppController.h"
#include "app/SettingsSession.h"

Sheets::Sheets(AppController &controller)
    : m_controller(controller)
{ }

Sheets::~Sheets() = default;

void Sheets::setShowingSettings(bool showing)
{
    const bool changes = showing != m_showingSettings;
    // The sheet's state exists before the sheet is shown and outlives it while its view is torn down.
    if (changes && showing)
        beginSettingsSession();
    setSheetShown(m_showingSettings, showing, &Sheets::showingSettingsChanged, QStringLiteral("settings"));
    if (changes && !showing)
        endSettingsSession();
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

SettingsSession *Sheets::settingsSession() const
{
    return m_settingsSession;
}

void Sheets::beginSettingsSession()
{
    // A session closed in this same turn of the event loop is still waiting for its deletion; it no
    // longer speaks for the property.
    if (m_settingsSession)
        disconnect(m_settingsSession, nullptr, this, nullptr);
    m_settingsSession = new SettingsSession(m_controller, this);
    // The view of a closed sheet is deleted later, not at once; the session goes in the same way, after
    // it, so that the view never sees its session vanish under its bindings. The property turns null
    // only when the session is really gone.
    connect(m_settingsSession, &QObject::destroyed, this, &Sheets::settingsSessionChanged);
    emit settingsSessionChanged();
}

void Sheets::endSettingsSession()
{
    // However the sheet closed (Save, Cancel, Escape, the window's close button), media imported in it
    // that the stored settings do not keep go now.
    m_controller.cleanupUnreferencedMedia();
    if (m_settingsSession) {
        m_settingsSession->end();
        m_settingsSession->deleteLater();
    }
}
