#pragma once

#include "PrivateXServer.h"
#include "platform/XcbHandles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

// An X server of the test's own with openbox managing it, so that the shared server stays without a
// window manager for every other test.
class ManagedDisplay
{
public:
    // `size` is the screen's, such as "1920x1080".
    explicit ManagedDisplay(const QString &size)
        : m_server(size)
    {
        m_running = start();
    }

    ~ManagedDisplay()
    {
        m_manager.terminate();
        m_manager.waitForFinished(10000);
    }

    bool isRunning() const { return m_running; }
    // Why it is not running.
    QString error() const { return m_server.isRunning() ? u"openbox did not start"_qs : m_server.error(); }

private:
    bool start()
    {
        if (!m_server.isRunning() || !m_home.isValid())
            return false;
        // The window manager keeps its settings and logs away from the user's home.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_home.filePath(QStringLiteral("cache")));
        m_manager.setProcessEnvironment(environment);
        m_manager.setStandardOutputFile(QProcess::nullDevice());
        m_manager.setStandardErrorFile(QProcess::nullDevice());
        m_manager.start(QStringLiteral("openbox"), { QStringLiteral("--sm-disable") });
        return m_manager.waitForStarted() && waitForManager();
    }

    // A window manager owns the WM_S0 selection once it manages the screen.
    static bool waitForManager()
    {
        const XcbConnection connection(xcb_connect(nullptr, nullptr));
        if (xcb_connection_has_error(connection.get()))
            return false;
        const xcb_atom_t selection = internAtom(connection.get(), "WM_S0");
        if (selection == XCB_ATOM_NONE)
            return false;
        for (int attempt = 0; attempt < 400; ++attempt) {
            const XcbReply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
                connection.get(), xcb_get_selection_owner(connection.get(), selection), nullptr));
            if (owner && owner->owner != XCB_NONE)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    PrivateXServer m_server;
    QTemporaryDir m_home;
    QProcess m_manager;
    bool m_running = false;
};
