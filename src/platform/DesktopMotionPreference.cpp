#include "platform/DesktopMotionPreference.h"

#include "platform/DBusBooleanReply.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QSettings>
#include <QStandardPaths>

namespace DesktopMotionPreference {

namespace {

// A portal that never answers must not leave the question open.
constexpr int portalTimeoutMilliseconds = 1000;

const QString readOne = QStringLiteral("ReadOne");

QDBusMessage readCall(const QString &method)
{
    QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"), QStringLiteral("org.freedesktop.portal.Settings"),
        method);
    message << QStringLiteral("org.gnome.desktop.interface") << QStringLiteral("enable-animations");
    return message;
}

bool reducedWithoutPortal(const QStringList &kdeglobalsFiles)
{
    return !kdeAnimationsEnabled(kdeglobalsFiles).value_or(true);
}

void read(QDBusConnection bus, const QString &method, const QStringList &kdeglobalsFiles, QObject *context,
    const std::function<void(bool)> &answer)
{
    auto *call
        = new QDBusPendingCallWatcher(bus.asyncCall(readCall(method), portalTimeoutMilliseconds), context);
    QObject::connect(
        call, &QDBusPendingCallWatcher::finished, context, [=](QDBusPendingCallWatcher *finished) {
            finished->deleteLater();
            const QDBusMessage reply = finished->reply();
            // Portals before version 2 offer only the older Read.
            if (method == readOne && reply.type() == QDBusMessage::ErrorMessage
                && reply.errorName() == QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod")) {
                read(bus, QStringLiteral("Read"), kdeglobalsFiles, context, answer);
                return;
            }
            const std::optional<bool> enabled = dbusBooleanReply(reply);
            answer(enabled ? !*enabled : reducedWithoutPortal(kdeglobalsFiles));
        });
}

} // namespace

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

void askWhetherReduced(const QDBusConnection &bus, const QStringList &kdeglobalsFiles, QObject *context,
    std::function<void(bool reduced)> answer)
{
    if (!bus.isConnected()) {
        answer(reducedWithoutPortal(kdeglobalsFiles));
        return;
    }
    read(bus, readOne, kdeglobalsFiles, context, answer);
}

} // namespace DesktopMotionPreference
