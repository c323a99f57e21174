#include "ui/developer-corner/FeedbackPreviews.h"

#include "ui/developer-corner/DeveloperCornerController.h"

#include <QQmlEngine>
#include <QQuickImageProvider>

namespace {

const QString providerName = QStringLiteral("feedback");

class FeedbackPreviewProvider : public QQuickImageProvider
{
public:
    FeedbackPreviewProvider()
        : QQuickImageProvider(QQuickImageProvider::Image)
    { }

    // The previews are already decoded at tile size; the view scales and crops them.
    QImage requestImage(const QString &id, QSize *size, const QSize &) override
    {
        const QImage image = DeveloperCornerController::preview(id);
        if (size)
            *size = image.size();
        return image;
    }
};

} // namespace

FeedbackPreviews::FeedbackPreviews(QQmlEngine &engine)
{
    if (!engine.imageProvider(providerName))
        engine.addImageProvider(providerName, new FeedbackPreviewProvider);
}

FeedbackPreviews *FeedbackPreviews::create(QQmlEngine *engine, QJSEngine *)
{
    return new FeedbackPreviews(*engine);
}

QUrl FeedbackPreviews::source(const QString &id) const
{
    return QUrl(QStringLiteral("image://%1/%2").arg(providerName, id));
}
