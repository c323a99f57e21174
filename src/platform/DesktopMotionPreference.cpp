#include "platform/DesktopMotionPreference.h"

#include "platform/DBusBooleanReply.h"

#include <QDBusMessage>
#include <QSettings>
#include <QStandardPaths>

namespace DesktopMotionPreference {

namespace {

// Start-up waits for the answer; a portal that hangs must not hold the window back for long.
constexpr int portalTimeoutMilliseconds = 1000;

QDBusMessage readCall(const QString &method)
{
    QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"), QStringLiteral("org.freedesktop.portal.Settings"),
        method);
    message << QStringLiteral("org.gnome.desktop.interface") << QStringLiteral("enable-animations");
    return message;
}

} // namespace

std::optional<bool> portalAnimationsEnabled(const QDBusConnection &bus)
{
    if (!bus.isConnected())
        return std::nullopt;
    QDBusConnection connection = bus;
    const QDBusMessage reply
        = connection.call(readCall(QStringLiteral("ReadOne")), QDBus::Block, portalTimeoutMilliseconds);
    if (reply.type() == QDBusMessage::ErrorMessage
        && reply.errorName() == QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod")) {
        // Portals before version 2 offer only the older Read.
        return dbusBooleanReply(
            connection.call(readCall(QStringLiteral("Read")), QDBus::Block, portalTimeoutMilliseconds));
    }
    return dbusBooleanReply(reply);
}

std::optional<bool> kdeAnimationsEnabled(const QStringList &kdeglobalsFiles)
{
    for (const QString &path : kdeglobalsFiles) {
        const QSettings settings(path, QSettings::IniFormat);
        bool isNumber = false;
        const double factor
            = settings.value(QStringLiteral("KDE/AnimationDurationFactor")).toDouble(&isNumber);
        if (isNumber)
            return factor != 0;
    }
    return std::nullopt;
}

QStringList standardKdeglobalsFiles()
{
    return QStandardPaths::locateAll(QStandardPaths::GenericConfigLocation, QStringLiteral("kdeglobals"));
}

bool reducesMotion(const QDBusConnection &bus, const QStringList &kdeglobalsFiles)
{
    if (const std::optional<bool> enabled = portalAnimationsEnabled(bus))
        return !*enabled;
    return !kdeAnimationsEnabled(kdeglobalsFiles).value_or(true);
}

} // namespace DesktopMotionPreference
