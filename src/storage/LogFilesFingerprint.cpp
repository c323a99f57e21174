#include "storage/LogFilesFingerprint.h"

#include <QFile>
#include <QStringEncoder>
#include <array>
#include <climits>
#include <sys/stat.h>

namespace {

LogFilesFingerprint::FileSignature signatureOf(const char *path)
{
    struct stat status;
    if (::lstat(path, &status) != 0)
        return {};
    return { true, static_cast<quint64>(status.st_dev), static_cast<quint64>(status.st_ino),
        static_cast<qint64>(status.st_size), static_cast<qint64>(status.st_mtim.tv_sec),
        static_cast<qint64>(status.st_mtim.tv_nsec), static_cast<qint64>(status.st_ctim.tv_sec),
        static_cast<qint64>(status.st_ctim.tv_nsec) };
}

LogFilesFingerprint::FileSignature signatureOf(const QString &path)
{
    // File names are UTF-8 on this platform; encoding into a stack buffer keeps the check off the heap.
    std::array<char, PATH_MAX> buffer;
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    if (encoder.requiredSpace(path.size()) < static_cast<qsizetype>(buffer.size())) {
        char *end = encoder.appendToBuffer(buffer.data(), path);
        *end = '\0';
        return signatureOf(buffer.data());
    }
    return signatureOf(QFile::encodeName(path).constData());
}

} // namespace

LogFilesFingerprint::LogFilesFingerprint(const QStringList &paths)
{
    signatures.reserve(paths.size());
    for (const QString &path : paths)
        signatures.append(signatureOf(path));
}
