#pragma once

#include "core/AppLanguage.h"
#include "core/FilePicker.h"
#include "core/MediaTypes.h"

namespace MediaFileFilters {

// The open-file dialog's choices for media of these kinds, in this order: "图片" / "Images", "音乐" /
// "Music" or "视频" / "Videos" in `language`, each with the patterns the import accepts for its kind.
QList<FileTypeFilter> forKinds(const QList<MediaKind> &kinds, AppLanguage language);

} // namespace MediaFileFilters
