#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

// A fresh data folder for one test: XDG_DATA_HOME and XDG_CONFIG_HOME point into it,
// so nothing a test does can reach the real home folder.
class TemporaryDataHome
{
public:
    TemporaryDataHome();
    QString path() const { return m_directory.path(); }
    QString filePath(const QString &relative) const { return m_directory.filePath(relative); }

private:
    QTemporaryDir m_directory;
};

QByteArray readFileBytes(const QString &path);
bool writeFileBytes(const QString &path, const QByteArray &bytes);
// Every file below `folder`, hidden ones included, with its bytes.
QMap<QString, QByteArray> fileBytesBelow(const QString &folder);
