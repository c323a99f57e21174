#include "app/WindowFrameKeeper.h"

#include "platform/WindowStates.h"
#include "storage/AppStorageService.h"

#include <QCoreApplication>
#include <QEvent>
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
    , m_frame(AppStorageService::loadWindowFrame(applicationSupportRoot))
    , m_saved(m_frame)
    , m_defaultSize(window.size())
{
    place();
    // Made before the window first shows, so that it holds its first state.
    MaximizedMemory::of(window).setMaximized(m_saved && m_saved->maximized);
    window.installEventFilter(this);
    // Read once the events at hand are all in: a window manager may resize a window for a state before it
    // tells the state.
    for (const auto changed :
        { &QWindow::xChanged, &QWindow::yChanged, &QWindow::widthChanged, &QWindow::heightChanged })
        connect(&window, changed, this, &WindowFrameKeeper::remember, Qt::QueuedConnection);
    connect(&window, &QWindow::windowStateChanged, this, &WindowFrameKeeper::remember, Qt::QueuedConnection);
    connect(&window, &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible)
            save();
    });
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &WindowFrameKeeper::save);
}

bool WindowFrameKeeper::eventFilter(QObject *watched, QEvent *event)
{
    // The state is set as the window first shows, before it maps, so that the window manager maps it
    // maximised: set earlier, it is reset when the QML window completes and applies its own.
    if (watched == m_window && event->type() == QEvent::Show && !m_shown) {
        m_shown = true;
        if (MaximizedMemory::of(*m_window).isMaximized())
            m_window->setWindowStates(Qt::WindowMaximized);
    }
    // The window manager's frame is known only once the window is framed: a window still where a fit put
    // it whose frame runs off the screen is fitted again, now with its frame.
    if (watched == m_window && event->type() == QEvent::Expose && m_window->isExposed()
        && frameRunsOffWherePlaced())
        place();
    return false;
}

bool WindowFrameKeeper::frameRunsOffWherePlaced() const
{
    return m_window->windowStates() == Qt::WindowNoState && m_window->geometry() == m_placed
        && m_window->screen() && !m_window->screen()->availableGeometry().contains(m_window->frameGeometry());
}

void WindowFrameKeeper::place()
{
    const QList<ScreenArea> screens = screenAreas();
    const QMargins frame = m_window->frameMargins();
    const auto geometry = m_frame
        ? m_frame->restoredGeometry(screens, m_window->minimumSize(), frame)
        : WindowFrame::firstGeometry(screens, m_defaultSize, m_window->minimumSize(), frame);
    if (!geometry)
        return;
    m_placed = *geometry;
    m_window->setGeometry(*geometry);
}

void WindowFrameKeeper::remember()
{
    if (!m_window)
        return;
    // A window that opened maximised was placed before it had a frame; put back to that place, it is
    // fitted again now that its frame is known, or its title bar would lie above the screen.
    if (frameRunsOffWherePlaced()) {
        place();
        return;
    }
    // The frame to come back to is the one before every state, never read while the user keeps the window
    // maximised: on its way from full screen back to maximised, it passes through no state at all in the
    // size of the screen.
    if (m_window->screen() && m_window->windowStates() == Qt::WindowNoState
        && !MaximizedMemory::of(*m_window).isMaximized())
        m_normal = { m_window->geometry(), areaOf(*m_window->screen()) };
}

void WindowFrameKeeper::save()
{
    if (!m_window)
        return;
    remember();
    // A window still where a fit put it keeps the frame it was fitted from. The window manager may move
    // and resize a window in steps on its way there, so it is judged by where it ended.
    if (m_normal && m_normal->first != m_placed)
        m_frame = WindowFrame::of(m_normal->first, m_normal->second);
    const bool maximized = MaximizedMemory::of(*m_window).isMaximized();
    // A first launch's window that was only maximised comes back maximised over its first frame.
    if (!m_frame && maximized && m_window->screen())
        m_frame = WindowFrame::of(m_placed, areaOf(*m_window->screen()));
    if (m_frame)
        m_frame->maximized = maximized;
    if (!m_frame || m_frame == m_saved)
        return;
    AppStorageService::saveWindowFrame(*m_frame, m_applicationSupportRoot);
    m_saved = m_frame;
}
