#include "ui/common/BackgroundMediaTypes.h"

#include "core/MediaTypes.h"

bool BackgroundMediaTypes::isVideo(const QUrl &url) const
{
    return BackgroundMediaType::isVideo(url.path());
}
