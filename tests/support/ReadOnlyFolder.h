#pragma once

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <unistd.h>

// Makes a folder read-only while it lives, so that writes into it fail. Root ignores permissions,
// so a test running as root also acts as an unprivileged user meanwhile; the folders from
// `traversableFrom` down to `folder` are opened for others to read and enter.
class ReadOnlyFolder
{
public:
    ReadOnlyFolder(const QString &folder, const QString &traversableFrom)
        : m_folder(folder)
    {
        for (QString path = folder; path.startsWith(traversableFrom); path = QFileInfo(path).absolutePath()) {
            QFile::setPermissions(path, QFile::permissions(path) | readAndEnter);
            if (path == traversableFrom)
                break;
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | readAndEnter);
        if (geteuid() == 0)
            m_droppedRoot = seteuid(nobody) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (m_droppedRoot)
            (void)seteuid(0);
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

private:
    // For group and others: the process keeps its groups when it changes its user.
    static constexpr QFile::Permissions readAndEnter { QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::ExeOther };
    static constexpr uid_t nobody = 65534;
    QString m_folder;
    bool m_droppedRoot = false;
};
