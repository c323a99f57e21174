#include "platform/TrayHostWatch.h"

#include "platform/TrayHostPresence.h"
#include "platform/XcbHandles.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

} // namespace

TrayHostWatch::TrayHostWatch(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_watcherService(watcherService, bus, QDBusServiceWatcher::WatchForRegistration)
{
    // A watcher that comes (or comes back) may already know a host; one that is here tells of hosts
    // that register later.
    connect(&m_watcherService, &QDBusServiceWatcher::serviceRegistered, this,
        &TrayHostWatch::statusNotifierHostAppeared);
    m_bus.connect(watcherService, QStringLiteral("/StatusNotifierWatcher"), watcherService,
        QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(statusNotifierHostAppeared()));

    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11)
        return;
    // An XEmbed tray announces its selection with a MANAGER message to the root window, which Qt's own
    // connection already listens to.
    m_x11 = x11->connection();
    m_manager = internAtom(m_x11, "MANAGER");
    m_xembedSelection = internAtom(m_x11, TrayHostPresence::defaultXembedSelection().constData());
    QCoreApplication::instance()->installNativeEventFilter(this);
}

TrayHostWatch::~TrayHostWatch()
{
    if (m_x11 && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool TrayHostWatch::statusNotifierHostRegistered() const
{
    return TrayHostPresence::statusNotifierHostRegistered(m_bus);
}

bool TrayHostWatch::xembedHostPresent() const
{
    return m_x11 && TrayHostPresence::xembedSelectionOwned(m_x11, m_xembedSelection);
}

void TrayHostWatch::statusNotifierHostAppeared()
{
    if (statusNotifierHostRegistered())
        emit hostAppeared();
}

bool TrayHostWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & ~0x80) != XCB_CLIENT_MESSAGE)
        return false;
    const auto *clientMessage = static_cast<const xcb_client_message_event_t *>(message);
    // Told after Qt has handled the message itself, so that Qt knows the tray when the icon is made.
    if (clientMessage->type == m_manager && clientMessage->format == 32
        && clientMessage->data.data32[1] == m_xembedSelection)
        QMetaObject::invokeMethod(this, &TrayHostWatch::hostAppeared, Qt::QueuedConnection);
    return false;
}
