#pragma once

#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>

// A stand-in for the StatusNotifier watcher that a panel's tray host runs on the session bus: items
// register with it, and it tells whether a host shows them. Export it with ExportAllContents, so that
// clients that introspect it first (Qt does) find its members.
class StandInStatusNotifierWatcher : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    bool host = true;

    bool hostRegistered() const { return host; }
    QStringList items() const { return m_items; }
    int protocolVersion() const { return 0; }
    // The bus name of the item's owner, as a host addresses it.
    const QString &itemOwner() const { return m_itemOwner; }

public slots:
    // An item names either its own service or only its object path; the sender then owns it.
    void RegisterStatusNotifierItem(const QString &service)
    {
        m_itemOwner = service.startsWith(u'/') ? message().service() : service;
        m_items.append(service);
        emit StatusNotifierItemRegistered(service);
    }

    void RegisterStatusNotifierHost(const QString &) { }

signals:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierHostRegistered();

private:
    QStringList m_items;
    QString m_itemOwner;
};
