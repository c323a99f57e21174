#pragma once

#include "core/WindowFrame.h"

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <optional>

// Opens the main window where it was left and keeps its frame for the next launch. The frame is
// remembered whenever the window moves or resizes outside full screen, so that one closed in full
// screen comes back in the frame it had before, and written to the data folder when the window closes
// to the tray and when the program quits.
class WindowFrameKeeper : public QObject
{
    Q_OBJECT

public:
    // Made before the window first shows, so that it maps in its place.
    WindowFrameKeeper(QWindow &window, const QString &applicationSupportRoot);

    void save();

private:
    void remember();

    QPointer<QWindow> m_window;
    QString m_applicationSupportRoot;
    std::optional<WindowFrame> m_frame;
    std::optional<WindowFrame> m_saved;
};
