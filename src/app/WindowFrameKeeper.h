#pragma once

#include "core/WindowFrame.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWindow>
#include <optional>
#include <utility>

// Opens the main window where it was left, maximised if it was, and keeps its frame for the next launch.
// The frame is remembered whenever the user moves or resizes the window outside full screen and
// maximised, so that one closed in full screen comes back in the frame it had before, and written to the
// data folder when the window closes to the tray and when the program quits.
//
// The window manager's frame around the window is known only once it has framed it: until the first
// exposure the window is placed as if it had none, and then placed again so that the whole frame, title
// bar included, lies on the screen. What is kept is the frame the user chose, never one that a fit made
// smaller or moved.
class WindowFrameKeeper : public QObject
{
    Q_OBJECT

public:
    // Made before the window first shows, so that it maps in its place.
    WindowFrameKeeper(QWindow &window, const QString &applicationSupportRoot);

    void save();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();
    void remember();
    // Still where a fit put it, outside every state, with the window manager's frame running off the screen.
    bool frameRunsOffWherePlaced() const;

    QPointer<QWindow> m_window;
    QString m_applicationSupportRoot;
    std::optional<WindowFrame> m_frame;
    std::optional<WindowFrame> m_saved;
    QSize m_defaultSize;
    bool m_shown = false;
    // Where the window was last placed by a fit.
    QRect m_placed;
    // The window's last place and size outside every state, on its screen then.
    std::optional<std::pair<QRect, ScreenArea>> m_normal;
};
