#pragma once

#include <QPointF>
#include <QSizeF>
#include <optional>

class QEvent;

// The strip along the top of the main window where a double click toggles full screen: the top 72
// points, leaving the first 72 points on the left and the last 180 on the right to the controls there.
bool isInTitleBand(QPointF position, QSizeF windowSize);

// Turns left presses into full-screen toggles. Only presses count: the toolkit reports a second press
// as a double click too, and counting both would let a third press toggle again.
class TitleBandDoubleClick
{
public:
    // Whether this event of the window completes a double click in the band. Presses outside the band
    // are ignored entirely, so a stray click between two band clicks does not break the pair.
    bool handle(const QEvent &event, QSizeF windowSize, int doubleClickIntervalMs);

private:
    std::optional<quint64> m_lastBandPress;
};
