#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

enum class MediaKind { image, movie, audio };

// The one table that tells media kinds apart by file-name extension. Import filters, the
// background scan, the music filter and the video test all ask it, so a file accepted by one of
// them is never dropped by another. The file itself is never opened.
namespace MediaTypes {

// The kind of the file named by the text after the last "." of the last path component (any
// case); none when there is no extension or it names no image, movie or audio type.
std::optional<MediaKind> kindForFileName(QStringView fileName);

// Patterns such as "*.jpg" for every extension of the kind, sorted, for file dialogs; for pictures,
// only those the installed readers decode.
QStringList nameFilters(MediaKind kind);

// What the background library accepts: an image or a movie.
bool isBackgroundMedia(QStringView fileName);

// What the music playlists accept: audio or a movie (its sound track plays).
bool isMusicMedia(QStringView fileName);

} // namespace MediaTypes

namespace BackgroundMediaType {

// True when the path names a movie by its extension; an empty path (no background) is no video.
bool isVideo(const QString &path);

} // namespace BackgroundMediaType
