#pragma once

class QSystemTrayIcon;

// Whether a tray icon that Qt shows as a StatusNotifierItem asks for the user's attention; the host then
// marks it or lifts it out of the hidden icons. Qt sets that status only inside showMessage(), which also
// sends a desktop notification of its own. An XEmbed tray has no such status: its icon stays as it is.
namespace TrayItemStatus {

void setNeedsAttention(QSystemTrayIcon &icon, bool needsAttention);

} // namespace TrayItemStatus
