#include "app/WindowFrameKeeper.h"

#include "storage/AppStorageService.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace {

ScreenArea areaOf(const QScreen &screen)
{
    return { screen.name(), screen.geometry(), screen.availableGeometry() };
}

// The primary screen first: a window whose screen is gone opens there.
QList<ScreenArea> screenAreas()
{
    QList<ScreenArea> areas;
    const QScreen *primary = QGuiApplication::primaryScreen();
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen == primary)
            areas.prepend(areaOf(*screen));
        else
            areas.append(areaOf(*screen));
    }
    return areas;
}

} // namespace

WindowFrameKeeper::WindowFrameKeeper(QWindow &window, const QString &applicationSupportRoot)
    : m_window(&window)
    , m_applicationSupportRoot(applicationSupportRoot)
    , m_saved(AppStorageService::loadWindowFrame(applicationSupportRoot))
{
    if (m_saved) {
        if (const auto geometry = m_saved->restoredGeometry(screenAreas(), window.minimumSize()))
            window.setGeometry(*geometry);
    }
    connect(&window, &QWindow::xChanged, this, &WindowFrameKeeper::remember);
    connect(&window, &QWindow::yChanged, this, &WindowFrameKeeper::remember);
    connect(&window, &QWindow::widthChanged, this, &WindowFrameKeeper::remember);
    connect(&window, &QWindow::heightChanged, this, &WindowFrameKeeper::remember);
    connect(&window, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible)
            save();
    });
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &WindowFrameKeeper::save);
}

void WindowFrameKeeper::remember()
{
    // Full screen and maximised are states of their own; the frame to come back to is the one before.
    // Our own requests change the state before the window manager resizes the window.
    if (m_window && m_window->windowStates() == Qt::WindowNoState && m_window->screen())
        m_frame = WindowFrame::of(m_window->geometry(), areaOf(*m_window->screen()));
}

void WindowFrameKeeper::save()
{
    remember();
    if (!m_frame || m_frame == m_saved)
        return;
    AppStorageService::saveWindowFrame(*m_frame, m_applicationSupportRoot);
    m_saved = m_frame;
}
