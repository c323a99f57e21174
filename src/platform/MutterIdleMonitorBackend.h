#pragma once

#include "core/InputActivityBackend.h"
#include "platform/ActivitySpan.h"

#include <QDBusConnection>
#include <QObject>

// Input of the whole session from GNOME's compositor, which tells over D-Bus when the user becomes active
// (a one-shot watch, armed again after each idle moment) and when no input came for a second. Mutter
// offers it in Wayland and X11 sessions alike; a Wayland client has no other way to see the input of
// other programs there.
class MutterIdleMonitorBackend : public QObject, public InputActivityBackend
{
    Q_OBJECT

public:
    explicit MutterIdleMonitorBackend(QDBusConnection bus);
    ~MutterIdleMonitorBackend() override;

    // Whether the compositor's idle monitor answers on `bus`.
    static bool isOffered(const QDBusConnection &bus);

    bool install(std::function<void()> onEvent) override;
    void remove() override;
    void tick() override { m_span.tick(); }

private slots:
    void handleWatchFired(uint id);

private:
    // The watch's id, or 0 when the monitor refused it (the monitor's ids start at 1).
    uint addWatch(const QString &method, const QVariantList &arguments);
    void removeWatch(uint &id);

    QDBusConnection m_bus;
    ActivitySpan m_span;
    bool m_installed = false;
    uint m_idleWatch = 0;
    uint m_activeWatch = 0;
};
