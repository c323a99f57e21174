#pragma once

#include <QAbstractNativeEventFilter>
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <xcb/xcb.h>

// Tells when a tray host that could show the icon comes: a StatusNotifier host registering with the
// session bus's watcher, or, on X11, an XEmbed tray taking its selection.
//
// Qt decides once per process whether its tray icons are StatusNotifierItems: the first tray icon, or the
// first question whether a tray is available, asks the watcher and the answer is kept for the rest of the
// run. A program that starts before the panel, as it often does at login, would then never become an item
// on hosts that show only StatusNotifierItems. So the icon is made only once a host is here, and nothing
// asks Qt about trays before that.
class TrayHostWatch : public QObject, private QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit TrayHostWatch(const QDBusConnection &bus, QObject *parent = nullptr);
    ~TrayHostWatch() override;

    bool statusNotifierHostRegistered() const;
    bool xembedHostPresent() const;
    bool anyHostPresent() const { return statusNotifierHostRegistered() || xembedHostPresent(); }

signals:
    void hostAppeared();

private slots:
    void statusNotifierHostAppeared();

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcherService;
    xcb_connection_t *m_x11 = nullptr;
    xcb_atom_t m_manager = XCB_ATOM_NONE;
    xcb_atom_t m_xembedSelection = XCB_ATOM_NONE;
};
