#include "storage/WholeFileWrite.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace WholeFileWrite {

namespace {

// A rename is durable only once its folder is synced; a failure here loses nothing already written.
void syncFolderOf(const QString &path)
{
    const int folder = ::open(
        QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    (void)::fsync(folder);
    ::close(folder);
}

} // namespace

Status replace(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Error { file.errorString() };
    // A short write sets no error of QSaveFile's own, so commit() would put the cut file in place.
    if (file.write(bytes) != bytes.size()) {
        const QString reason
            = file.error() != QFileDevice::NoError ? file.errorString() : qt_error_string(errno);
        file.cancelWriting();
        return Error { reason };
    }
    if (::fsync(file.handle()) != 0) {
        const QString reason = qt_error_string(errno);
        file.cancelWriting();
        return Error { reason };
    }
    if (!file.commit())
        return Error { file.errorString() };
    syncFolderOf(path);
    return Status::success();
}

Status overwriteInPlace(const QString &path, const QByteArray &bytes)
{
    const int file = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (file < 0)
        return Error { qt_error_string(errno) };
    const off_t length = ::lseek(file, 0, SEEK_END);
    QByteArray padded = bytes;
    if (length >= padded.size())
        padded.append(QByteArray(length - padded.size(), ' '));
    Status written;
    if (length < bytes.size())
        written = Error { qt_error_string(ENOSPC) };
    else if (::pwrite(file, padded.constData(), padded.size(), 0) != padded.size() || ::fsync(file) != 0)
        written = Error { qt_error_string(errno) };
    ::close(file);
    return written;
}

Status probeFolder(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return Error { qt_error_string(ENOENT) };
    const QString probe = QDir(folder).filePath(QStringLiteral(".write-check"));
    // Big enough to need a block of its own, so that a full disk fails it.
    Status written = replace(probe, QByteArray(4096, '\n'));
    QFile::remove(probe);
    return written;
}

} // namespace WholeFileWrite
