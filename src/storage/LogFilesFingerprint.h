#pragma once

#include <QString>
#include <QStringList>
#include <QVarLengthArray>

// The on-disk identity of the log files, so that a change made by another program can be noticed with
// one status call per file instead of a parse. Built once a second, so it is made without touching the
// heap for the usual two files.
class LogFilesFingerprint
{
public:
    // The status of one directory entry as lstat reports it (a symbolic link describes itself);
    // all zeros when the status cannot be read.
    struct FileSignature
    {
        bool exists = false;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modificationSeconds = 0;
        qint64 modificationNanoseconds = 0;
        qint64 changeSeconds = 0;
        qint64 changeNanoseconds = 0;

        friend bool operator==(const FileSignature &, const FileSignature &) = default;
    };

    LogFilesFingerprint() = default;
    // One signature per path, in order.
    explicit LogFilesFingerprint(const QStringList &paths);

    QVarLengthArray<FileSignature, 2> signatures;

    friend bool operator==(const LogFilesFingerprint &left, const LogFilesFingerprint &right)
    {
        return left.signatures == right.signatures;
    }
};
