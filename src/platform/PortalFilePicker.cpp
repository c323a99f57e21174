#include "platform/PortalFilePicker.h"

#include "platform/FileDialogContext.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QUrl>
#include <QWindow>

namespace PortalTypes {

// One pattern of a filter; kind 0 is a glob such as "*.png".
struct Pattern
{
    uint kind = 0;
    QString pattern;
};

struct Filter
{
    QString name;
    QList<Pattern> patterns;
};

QDBusArgument &operator<<(QDBusArgument &argument, const Pattern &pattern)
{
    argument.beginStructure();
    argument << pattern.kind << pattern.pattern;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, Pattern &pattern)
{
    argument.beginStructure();
    argument >> pattern.kind >> pattern.pattern;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const Filter &filter)
{
    argument.beginStructure();
    argument << filter.name << filter.patterns;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, Filter &filter)
{
    argument.beginStructure();
    argument >> filter.name >> filter.patterns;
    argument.endStructure();
    return argument;
}

} // namespace PortalTypes

Q_DECLARE_METATYPE(PortalTypes::Pattern)
Q_DECLARE_METATYPE(PortalTypes::Filter)

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
constexpr uint responseSuccess = 0;

QList<PortalTypes::Filter> portalFilters(const QList<FileTypeFilter> &filters)
{
    QList<PortalTypes::Filter> converted;
    for (const FileTypeFilter &filter : filters) {
        PortalTypes::Filter portalFilter { filter.name, {} };
        for (const QString &pattern : filter.patterns)
            portalFilter.patterns.append({ 0, pattern });
        converted.append(portalFilter);
    }
    return converted;
}

// How the portal names the window its dialog belongs to; empty when there is none it can use.
QString parentWindowHandle()
{
    const QWindow *owner = FileDialogContext::ownerWindow();
    if (!owner || QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return QStringLiteral("x11:") + QString::number(owner->winId(), 16);
}

} // namespace

PortalFilePicker::PortalFilePicker(std::unique_ptr<FilePicker> fallback, const QDBusConnection &bus)
    : m_fallback(std::move(fallback))
    , m_bus(bus)
{
    qDBusRegisterMetaType<PortalTypes::Pattern>();
    qDBusRegisterMetaType<QList<PortalTypes::Pattern>>();
    qDBusRegisterMetaType<PortalTypes::Filter>();
    qDBusRegisterMetaType<QList<PortalTypes::Filter>>();
}

QStringList PortalFilePicker::pickFiles(
    const QString &title, const QList<FileTypeFilter> &filters, QStandardPaths::StandardLocation startFolder)
{
    const std::optional<QStringList> throughPortal = pickThroughPortal(title, filters, startFolder);
    const QStringList chosen
        = throughPortal ? *throughPortal : m_fallback->pickFiles(title, filters, startFolder);
    FileDialogContext::rememberChoice(startFolder, chosen);
    return chosen;
}

std::optional<QStringList> PortalFilePicker::pickThroughPortal(
    const QString &title, const QList<FileTypeFilter> &filters, QStandardPaths::StandardLocation startFolder)
{
    if (!m_bus.isConnected())
        return std::nullopt;
    const QString token = QStringLiteral("quorvane%1").arg(++m_requests);
    const QString sender = m_bus.baseService().mid(1).replace(u'.', u'_');
    QString requestPath = QStringLiteral("%1/request/%2/%3").arg(portalPath, sender, token);
    m_chosen.reset();
    if (!watchRequest(requestPath, true))
        return std::nullopt;

    const QList<PortalTypes::Filter> converted = portalFilters(filters);
    QVariantMap options { { QStringLiteral("handle_token"), token }, { QStringLiteral("modal"), true },
        { QStringLiteral("multiple"), true }, { QStringLiteral("filters"), QVariant::fromValue(converted) },
        // The folder goes as the bytes of a file name, ending in a zero byte.
        { QStringLiteral("current_folder"),
            QFile::encodeName(FileDialogContext::startDirectory(startFolder)) + '\0' } };
    if (!converted.isEmpty())
        options.insert(QStringLiteral("current_filter"), QVariant::fromValue(converted.first()));
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath,
        QStringLiteral("org.freedesktop.portal.FileChooser"), QStringLiteral("OpenFile"));
    call << parentWindowHandle() << title << options;
    // The portal may first have to be started; the interface keeps painting meanwhile.
    const QDBusMessage reply = m_bus.call(call, QDBus::BlockWithGui);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        watchRequest(requestPath, false);
        return std::nullopt;
    }
    // Older portals choose the request's path themselves.
    const QString handle = qvariant_cast<QDBusObjectPath>(reply.arguments().constFirst()).path();
    if (!handle.isEmpty() && handle != requestPath) {
        watchRequest(requestPath, false);
        requestPath = handle;
        watchRequest(requestPath, true);
    }
    if (!m_chosen) {
        // A portal that goes away never answers; its dialog went with it.
        QDBusServiceWatcher vanished(portalService, m_bus, QDBusServiceWatcher::WatchForUnregistration);
        QEventLoop loop;
        connect(this, &PortalFilePicker::answered, &loop, &QEventLoop::quit);
        connect(&vanished, &QDBusServiceWatcher::serviceUnregistered, &loop, &QEventLoop::quit);
        loop.exec();
    }
    watchRequest(requestPath, false);
    return m_chosen.value_or(QStringList());
}

bool PortalFilePicker::watchRequest(const QString &path, bool watch)
{
    const QString interface = QStringLiteral("org.freedesktop.portal.Request");
    const QString signal = QStringLiteral("Response");
    if (watch)
        return m_bus.connect(
            portalService, path, interface, signal, this, SLOT(receiveResponse(uint, QVariantMap)));
    return m_bus.disconnect(
        portalService, path, interface, signal, this, SLOT(receiveResponse(uint, QVariantMap)));
}

void PortalFilePicker::receiveResponse(uint response, const QVariantMap &results)
{
    QStringList paths;
    if (response == responseSuccess) {
        for (const QString &uri : results.value(QStringLiteral("uris")).toStringList()) {
            const QUrl url(uri);
            if (url.isLocalFile())
                paths.append(url.toLocalFile());
        }
    }
    m_chosen = paths;
    emit answered();
}
