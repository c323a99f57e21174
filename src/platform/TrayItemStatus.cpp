#include "platform/TrayItemStatus.h"

#include <QSystemTrayIcon>
#include <QtGui/private/qdbustrayicon_p.h>
#include <QtWidgets/private/qsystemtrayicon_p.h>

namespace {

// Qt's item keeps its status in a private member, and its setter is not exported from the library. An
// explicit instantiation may name a private member: the member is reached through the layout of Qt's
// private header, which is that of the Qt the program is built with (qt6-base-private-dev pins it).
struct StatusMember
{
    using Type = QString QDBusTrayIcon::*;
    friend Type statusMember(StatusMember);
};

template<StatusMember::Type member> struct StatusMemberOf
{
    friend StatusMember::Type statusMember(StatusMember) { return member; }
};

template struct StatusMemberOf<&QDBusTrayIcon::m_status>;

} // namespace

namespace TrayItemStatus {

void setNeedsAttention(QSystemTrayIcon &icon, bool needsAttention)
{
    QPlatformSystemTrayIcon *shown
        = static_cast<QSystemTrayIconPrivate *>(QObjectPrivate::get(&icon))->qpa_sys;
    if (!shown || !shown->inherits("QDBusTrayIcon"))
        return;
    auto *item = static_cast<QDBusTrayIcon *>(shown);
    const QString status = needsAttention ? QStringLiteral("NeedsAttention") : QStringLiteral("Active");
    QString &current = item->*statusMember(StatusMember());
    if (current == status)
        return;
    current = status;
    // Qt's item sends its own signal on to the hosts as NewStatus; the signal is called by name, as it is
    // not exported either.
    QMetaObject::invokeMethod(item, "statusChanged", Qt::DirectConnection, Q_ARG(QString, status));
}

} // namespace TrayItemStatus
