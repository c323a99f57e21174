#include "app/Sheets.h"

void Sheets::open(Sheet sheet)
{
    setOpen(sheet, true);
}

void Sheets::close(Sheet sheet)
{
    const bool closes = isOpen(sheet);
    setOpen(sheet, false);
    if (closes && sheet == Sheet::Settings)
        emit settingsClosed();
}

QList<int> Sheets::openSheetValues() const
{
    QList<int> values;
    for (const Sheet sheet : m_openSheets)
        values.append(int(sheet));
    return values;
}

void Sheets::setOpen(Sheet sheet, bool open)
{
    if (sheet == Sheet::None)
        return;
    if (isOpen(sheet) == open) {
        // A sheet that counts as open may still not be on screen: its window never appeared, or went
        // without the user closing it. Asked for again, it shows rather than the request doing nothing.
        if (open)
            emit openedAgain(sheet);
        return;
    }
    const Sheet hostBefore = alertHost();
    if (open)
        m_openSheets.append(sheet);
    else
        m_openSheets.removeOne(sheet);
    // The alert's host moves first, so that a sheet that closes under an open alert hands it over
    // before its window goes.
    if (alertHost() != hostBefore)
        emit alertHostChanged();
    emit openSheetsChanged();
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
