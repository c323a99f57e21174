#pragma once

#include "platform/XcbHandles.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

// A process of the test's own, stopped by its pid.
class ChildProcess
{
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;
    ~ChildProcess() { stop(); }

    // Runs `arguments` with its output thrown away; descriptors without close-on-exec stay open.
    bool start(const std::vector<std::string> &arguments)
    {
        m_pid = fork();
        if (m_pid < 0)
            return false;
        if (m_pid == 0) {
            const int null = open("/dev/null", O_RDWR);
            dup2(null, STDIN_FILENO);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            std::vector<char *> argv;
            for (const std::string &argument : arguments)
                argv.push_back(const_cast<char *>(argument.c_str()));
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        return true;
    }

    void stop()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
};

// An X server of the test's own with openbox managing it, so that the shared server stays without a
// window manager for every other test.
class ManagedDisplay
{
public:
    // `size` is the screen's, such as "1920x1080".
    bool start(const std::string &size)
    {
        int pipe[2];
        if (::pipe(pipe) != 0)
            return false;
        // The server picks a free display and writes its number to the pipe.
        const bool started = m_server.start({ "Xvfb", "-displayfd", std::to_string(pipe[1]), "-screen", "0",
            size + "x24", "-nolisten", "tcp", "-noreset" });
        close(pipe[1]);
        std::string number;
        char c = 0;
        while (started && read(pipe[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(pipe[0]);
        if (number.empty())
            return false;
        display = ":" + number;
        setenv("DISPLAY", display.c_str(), 1);
        // The window manager keeps its settings and logs away from the user's home.
        if (!m_home.isValid())
            return false;
        setenv("XDG_CONFIG_HOME", qPrintable(m_home.filePath(QStringLiteral("config"))), 1);
        setenv("XDG_CACHE_HOME", qPrintable(m_home.filePath(QStringLiteral("cache"))), 1);
        if (!m_manager.start({ "openbox", "--sm-disable" }))
            return false;
        return waitForManager();
    }

    void stop()
    {
        m_manager.stop();
        m_server.stop();
    }

    std::string display;

private:
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

    QTemporaryDir m_home;
    ChildProcess m_server;
    ChildProcess m_manager;
};

// A test's main: the display must be there before the application connects to it, and stays until it
// has gone.
template<typename Test> int runOnManagedDisplay(int argc, char *argv[], const std::string &size)
{
    ManagedDisplay display;
    if (!display.start(size)) {
        std::fprintf(stderr, "could not start Xvfb with openbox\n");
        return 1;
    }
    QApplication application(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}
