#include "BackgroundMediaTypes.h"

#include "models/MediaTypes.h"

bool BackgroundMediaTypes::isVideo(const QUrl &url) const
{
    return BackgroundMediaType::isVideo(url.path());
}
