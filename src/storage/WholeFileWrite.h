#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>

namespace WholeFileWrite {

// Puts `bytes` in the file's place, all or nothing: they go to a temporary file beside it, unbuffered so
// that a full disk shows in the write itself rather than in a flush that could pass unnoticed, reach the
// disk before the rename, and only then replace the file. On any failure the old file stays exactly as
// it was (or stays missing) and the error gives the system's reason.
Status replace(const QString &path, const QByteArray &bytes);

// Writes `bytes` over the start of an existing file without asking the disk for a block, padded with spaces
// to the file's own length, so that it works on a full disk; fails when they are longer than the file.
// Unlike replace() a crash during the write may leave the file torn: a last resort, not a way of saving.
Status overwriteInPlace(const QString &path, const QByteArray &bytes);

// Whether a file can be written whole into the folder now: creates, fills, syncs and removes one. The
// error gives the system's reason (no permission, a read-only or full disk, a missing folder).
Status probeFolder(const QString &folder);

} // namespace WholeFileWrite
