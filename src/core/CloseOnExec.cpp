#include "core/CloseOnExec.h"

#include <QDir>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/syscall.h>
#include <unistd.h>

void closeEveryDescriptorOnExec()
{
    // One call where the kernel has it (Linux 5.11), else each open descriptor in turn.
    if (::syscall(SYS_close_range, STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
    const QStringList open = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System);
    for (const QString &name : open) {
        const int descriptor = name.toInt();
        const int flags = descriptor > STDERR_FILENO ? ::fcntl(descriptor, F_GETFD) : -1;
        if (flags >= 0 && !(flags & FD_CLOEXEC))
            ::fcntl(descriptor, F_SETFD, flags | FD_CLOEXEC);
    }
}
