#include "TestSupport.h"
#include "ext-idle-notify-v1-server-protocol.h"
#include "platform/WaylandIdleBackend.h"

#include <QTemporaryDir>
#include <QTest>
#include <mutex>
#include <thread>
#include <vector>

// No compositor in Debian 12 offers ext-idle-notify-v1 headless with a way to inject input that a test
// may use, so the client meets a compositor of the test's own: a seat and the idle notifier, nothing
// else, served on a thread of its own. The test tells it when the user idles and resumes.

namespace {

class IdleCompositor
{
public:
    explicit IdleCompositor(bool offersNotifier)
        : m_display(wl_display_create())
    {
        wl_display_add_socket(m_display, "idle-test");
        wl_global_create(
            m_display, &wl_seat_interface, 1, nullptr, [](wl_client *client, void *, uint32_t, uint32_t id) {
                wl_resource_create(client, &wl_seat_interface, 1, id);
            });
        if (offersNotifier)
            wl_global_create(m_display, &ext_idle_notifier_v1_interface, 1, this, bindNotifier);
        m_thread = std::thread([this] {
            while (!m_stop) {
                wl_event_loop_dispatch(wl_display_get_event_loop(m_display), 20);
                const std::lock_guard lock(m_mutex);
                for (const auto &[timeout, idled] : m_pendingEvents) {
                    for (const auto &[resource, notificationTimeout] : m_notifications) {
                        if (notificationTimeout == timeout && idled)
                            ext_idle_notification_v1_send_idled(resource);
                        else if (notificationTimeout == timeout)
                            ext_idle_notification_v1_send_resumed(resource);
                    }
                }
                m_pendingEvents.clear();
                wl_display_flush_clients(m_display);
            }
        });
    }

    ~IdleCompositor()
    {
        m_stop = true;
        m_thread.join();
        wl_display_destroy_clients(m_display);
        wl_display_destroy(m_display);
    }

    // The timeouts of the notifications alive now, in order of creation.
    std::vector<uint32_t> timeouts()
    {
        const std::lock_guard lock(m_mutex);
        std::vector<uint32_t> timeouts;
        for (const auto &notification : m_notifications)
            timeouts.push_back(notification.second);
        return timeouts;
    }

    std::atomic<bool> inhibited = false;

    // Sends idled or resumed to every notification with this timeout.
    void send(uint32_t timeout, bool idled)
    {
        const std::lock_guard lock(m_mutex);
        m_pendingEvents.emplace_back(timeout, idled);
    }

private:
    static void bindNotifier(wl_client *client, void *data, uint32_t, uint32_t id)
    {
        static const struct ext_idle_notification_v1_interface notificationImplementation
        {
            [](wl_client *, wl_resource *resource) { wl_resource_destroy(resource); },
        };
        static const struct ext_idle_notifier_v1_interface implementation
        {
            [](wl_client *, wl_resource *resource) { wl_resource_destroy(resource); },
                [](wl_client *client, wl_resource *notifier, uint32_t id, uint32_t timeout, wl_resource *) {
                    auto *self = static_cast<IdleCompositor *>(wl_resource_get_user_data(notifier));
                    wl_resource *resource
                        = wl_resource_create(client, &ext_idle_notification_v1_interface, 1, id);
                    wl_resource_set_implementation(
                        resource, &notificationImplementation, self, [](wl_resource *gone) {
                            auto *owner = static_cast<IdleCompositor *>(wl_resource_get_user_data(gone));
                            const std::lock_guard lock(owner->m_mutex);
                            std::erase_if(
                                owner->m_notifications, [&](const auto &n) { return n.first == gone; });
                        });
                    // Requests are dispatched outside the loop's step that holds the mutex.
                    const std::lock_guard lock(self->m_mutex);
                    self->m_notifications.emplace_back(resource, timeout);
                    // A watch of no time idles at once, unless an inhibitor holds the compositor.
                    if (timeout == 0 && !self->inhibited)
                        ext_idle_notification_v1_send_idled(resource);
                },
        };
        wl_resource_set_implementation(wl_resource_create(client, &ext_idle_notifier_v1_interface, 1, id),
            &implementation, data, nullptr);
    }

    wl_display *m_display;
    std::thread m_thread;
    std::atomic<bool> m_stop { false };
    std::mutex m_mutex;
    std::vector<std::pair<wl_resource *, uint32_t>> m_notifications;
    std::vector<std::pair<uint32_t, bool>> m_pendingEvents;
};

} // namespace

class IdleNotifyActivityTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_runtime;
    int m_reports = 0;
    IdleNotifyActivityBackend m_backend;

private slots:
    void initTestCase()
    {
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
        qputenv("WAYLAND_DISPLAY", "idle-test");
    }

    void init() { m_reports = 0; }
    void cleanup() { m_backend.remove(); }

    void notOfferedWithoutTheNotifier()
    {
        IdleCompositor compositor(false);
        QVERIFY(!IdleNotifyActivityBackend::isOffered());
        QVERIFY(!m_backend.install([this] { ++m_reports; }));
    }

    // A span reports at once and at each tick, and where its source can tell only fresh input, ends once
    // none came for the quiet ticks. Steps: b fresh input, t tick.
    void spanOfActivity_data()
    {
        QTest::addColumn<int>("quietTicks");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("reports");
        QTest::newRow("fresh input keeps it open") << 4 << "btbtbtbtttt" << 8;
        QTest::newRow("a user who left stops counting") << 4 << "btttttttt" << 5;
        QTest::newRow("fresh input after the end begins anew") << 4 << "bttttttb" << 6;
    }

    void spanOfActivity()
    {
        QFETCH(int, quietTicks);
        QFETCH(QString, steps);
        ActivitySpan span(quietTicks);
        span.start([this] { ++m_reports; });
        for (const QChar step : steps)
            step == u'b' ? span.begin() : span.tick();
        QTEST(m_reports, "reports");
    }

    // Input counts once a watch made after it idles. An inhibitor's start resumes the watch as input would,
    // but no watch idles after it: the span ends a second later, and the source says it is withheld until
    // a watch idles again.
    void inputCountsOnlyWhileTheCompositorTells()
    {
        IdleCompositor compositor(true);
        QVERIFY(m_backend.install([this] { ++m_reports; }));
        QTRY_COMPARE(compositor.timeouts(), (std::vector<uint32_t> { 0 }));
        compositor.send(0, false);
        QTRY_COMPARE(m_reports, 1);
        compositor.inhibited = true;
        compositor.send(0, false);
        QTRY_VERIFY(compositor.timeouts().empty());
        // The tick that makes a watch anew, then five seconds.
        for (int tick = 0; tick < 1 + 20; ++tick)
            m_backend.tick();
        QCOMPARE(m_reports, 1 + 4);
        QVERIFY(m_backend.isWithheld());
        compositor.send(0, true);
        QTRY_VERIFY(!m_backend.isWithheld());
        QCOMPARE(m_reports, 1 + 4);
    }
};

QTEST_GUILESS_MAIN(IdleNotifyActivityTest)
#include "tst_idle_notify_activity.moc"
