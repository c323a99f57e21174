#pragma once

#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>

// A stand-in for the StatusNotifier watcher that a panel's tray host runs on the session bus: it tells
// whether a host shows items, and items register with it. Export it with ExportAllContents: Qt
// introspects it first.
class StandInStatusNotifierWatcher : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)

public:
    bool host = true;

    bool hostRegistered() const { return host; }
    // The bus name of the registered item's owner, as a host addresses it.
    const QString &itemOwner() const { return m_itemOwner; }

public slots:
    // An item names either its own service or only its object path; the sender then owns it.
    void RegisterStatusNotifierItem(const QString &service)
    {
        m_itemOwner = service.startsWith(u'/') ? message().service() : service;
    }

private:
    QString m_itemOwner;
};
