#include "platform/SoftwareSceneGraph.h"

#include "platform/XcbHandles.h"

#include <QDir>
#include <QGuiApplication>
#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace SoftwareSceneGraph {

namespace {

bool offers(xcb_connection_t *connection, xcb_query_extension_cookie_t cookie)
{
    const XcbReply<xcb_query_extension_reply_t> reply(xcb_query_extension_reply(connection, cookie, nullptr));
    return reply && reply->present;
}

xcb_query_extension_cookie_t queryExtension(xcb_connection_t *connection, const char *name)
{
    return xcb_query_extension(connection, uint16_t(std::strlen(name)), name);
}

} // namespace

bool chosen(const Signs &signs)
{
    // What the user asked Qt for is what Qt does.
    if (!signs.adaptationAsked.isEmpty())
        return signs.adaptationAsked == QLatin1String("software");
    if (!signs.graphicsApiAsked.isEmpty())
        return false;
    // Elsewhere (offscreen, Wayland) Qt's default stands.
    if (!signs.x11)
        return false;
    return !(signs.dri3 || signs.dri2) || !signs.renderNode;
}

bool renderNodeOpens(const QString &folder)
{
    const QStringList nodes
        = QDir(folder).entryList({ QStringLiteral("renderD*") }, QDir::System | QDir::Files);
    return std::any_of(nodes.cbegin(), nodes.cend(), [&folder](const QString &node) {
        const int descriptor
            = ::open(QFile::encodeName(folder + u'/' + node).constData(), O_RDWR | O_CLOEXEC);
        if (descriptor < 0)
            return false;
        ::close(descriptor);
        return true;
    });
}

Signs current()
{
    Signs signs;
    signs.adaptationAsked = qEnvironmentVariable("QT_QUICK_BACKEND");
    if (signs.adaptationAsked.isEmpty())
        signs.adaptationAsked = qEnvironmentVariable("QMLSCENE_DEVICE");
    signs.graphicsApiAsked = qEnvironmentVariable("QSG_RHI_BACKEND");
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11)
        return signs;
    signs.x11 = true;
    xcb_connection_t *connection = x11->connection();
    // Both questions leave together: one round trip.
    const xcb_query_extension_cookie_t dri3 = queryExtension(connection, "DRI3");
    const xcb_query_extension_cookie_t dri2 = queryExtension(connection, "DRI2");
    signs.dri3 = offers(connection, dri3);
    signs.dri2 = offers(connection, dri2);
    signs.renderNode = renderNodeOpens(QStringLiteral("/dev/dri"));
    return signs;
}

} // namespace SoftwareSceneGraph
