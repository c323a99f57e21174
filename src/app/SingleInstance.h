#pragma once

#include "app/LaunchRequest.h"

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// One running copy per user and data folder. The first start holds a lock file in the data folder and
// listens on a local socket named after that folder; a later start finds the lock held, sends the running
// copy what it was asked for (LaunchRequest) and leaves without touching any file. A lock left behind by a
// crash or a kill names a process that no longer runs and is taken over.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &dataFolder, QObject *parent = nullptr);

    // True when this process may run: it holds the lock, or the lock could not be tried at all (an
    // unwritable folder, which the controller reports), so it cannot tell. False when another copy
    // holds it; that copy has then been sent `request`.
    bool claim(const LaunchRequest &request);

    // The socket name of the data folder: the same for every start of one user over one folder.
    static QString serverName(const QString &dataFolder);

signals:
    // A later start asked this copy for a view.
    void launchRequested(const LaunchRequest &request);

private:
    void listen();
    void sendToRunningCopy(const LaunchRequest &request) const;

    QString m_serverName;
    QLockFile m_lock;
    QLocalServer m_server;
};
