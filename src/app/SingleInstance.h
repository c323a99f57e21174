#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// One running copy per user and data folder. The first start holds a lock file in the data folder and
// listens on a local socket named after that folder; a later start finds the lock held, asks the
// running copy to show its window and leaves without touching any file. A lock left behind by a crash or
// a kill names a process that no longer runs and is taken over.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &dataFolder, QObject *parent = nullptr);

    // True when this process may run: it holds the lock, or the lock could not be tried at all (an
    // unwritable folder, which the controller reports), so it cannot tell. False when another copy
    // holds it; that copy has then been asked to show its window.
    bool claim();

    // The socket name of the data folder: the same for every start of one user over one folder.
    static QString serverName(const QString &dataFolder);

signals:
    // A later start asked this copy to bring its window forward.
    void showRequested();

private:
    void listen();
    void askRunningCopyToShow() const;

    QString m_serverName;
    QLockFile m_lock;
    QLocalServer m_server;
};
