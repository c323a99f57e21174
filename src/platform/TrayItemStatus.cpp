#include "platform/TrayItemStatus.h"

#include <QSystemTrayIcon>
#include <QtGui/private/qdbustrayicon_p.h>
#include <QtWidgets/private/qsystemtrayicon_p.h>

namespace {

// Qt's item keeps its status and its attention icon in private members, and their setters are not
// exported from the library. An explicit instantiation may name a private member: the member is reached
// through the layout of Qt's private header, which is that of the Qt the program is built with
// (qt6-base-private-dev pins it).
template<typename Tag, typename Tag::Type member> struct MemberOf
{
    friend typename Tag::Type memberOf(Tag) { return member; }
};

struct StatusMember
{
    using Type = QString QDBusTrayIcon::*;
    friend Type memberOf(StatusMember);
};

struct AttentionIconNameMember
{
    using Type = QString QDBusTrayIcon::*;
    friend Type memberOf(AttentionIconNameMember);
};

struct AttentionIconMember
{
    using Type = QIcon QDBusTrayIcon::*;
    friend Type memberOf(AttentionIconMember);
};

template struct MemberOf<StatusMember, &QDBusTrayIcon::m_status>;
template struct MemberOf<AttentionIconNameMember, &QDBusTrayIcon::m_attentionIconName>;
template struct MemberOf<AttentionIconMember, &QDBusTrayIcon::m_attentionIcon>;

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
    QString &current = item->*memberOf(StatusMember());
    if (current == status)
        return;
    current = status;
    if (needsAttention) {
        // A host draws the attention icon while the item asks for attention; without one some hosts
        // (swaybar) draw an empty image's noise. The icon itself serves.
        item->*memberOf(AttentionIconNameMember()) = item->iconName();
        item->*memberOf(AttentionIconMember()) = icon.icon();
        QMetaObject::invokeMethod(item, "attention", Qt::DirectConnection);
    }
    // Qt's item sends its own signal on to the hosts as NewStatus; the signal is called by name, as it is
    // not exported either.
    QMetaObject::invokeMethod(item, "statusChanged", Qt::DirectConnection, Q_ARG(QString, status));
}

} // namespace TrayItemStatus
