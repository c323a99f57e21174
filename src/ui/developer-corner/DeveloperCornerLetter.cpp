#include "app/AppController.h"
#include "core/MediaTypes.h"
#include "media/MediaFileFilters.h"
#include "network/DeveloperCornerPolicy.h"
#include "network/DeveloperCornerService.h"
#include "ui/developer-corner/DeveloperCornerController.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QMimeDatabase>
#include <QMutex>
#include <QVariantMap>

namespace {

// The previews of every open corner's attachments, for the image provider, which may ask from a
// thread of its own; ids are unique across corners.
QMutex previewsLock;
QHash<QString, QImage> &previews()
{
    static QHash<QString, QImage> table;
    return table;
}

QString idText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces);
}

// Decoded straight at the size that covers a tile where the format allows, so that a large
// photograph is never held whole for a thumbnail.
QImage decodedPreview(const QByteArray &data)
{
    const QSize tile(DeveloperCornerController::tileWidth, DeveloperCornerController::tileHeight);
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && !size.isEmpty())
        reader.setScaledSize(size.scaled(tile, Qt::KeepAspectRatioByExpanding));
    const QImage image = reader.read();
    if (image.isNull() || image.size().expandedTo(tile) == tile)
        return image;
    return image.scaled(tile, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
}

QString mimeTypeFor(const QString &name)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    return type.isDefault() ? QStringLiteral("image/jpeg") : type.name();
}

} // namespace

QImage DeveloperCornerController::preview(const QString &id)
{
    const QMutexLocker locker(&previewsLock);
    return previews().value(id);
}

QVariantList DeveloperCornerController::imageEntries() const
{
    QVariantList entries;
    for (const FeedbackImage &image : m_images) {
        entries.append(QVariantMap {
            { QStringLiteral("id"), idText(image.id) },
            { QStringLiteral("name"), image.name },
            { QStringLiteral("hasPreview"), !image.preview.isNull() },
        });
    }
    return entries;
}

void DeveloperCornerController::setImages(QList<FeedbackImage> images)
{
    {
        const QMutexLocker locker(&previewsLock);
        for (const FeedbackImage &image : std::as_const(m_images))
            previews().remove(idText(image.id));
        for (const FeedbackImage &image : std::as_const(images)) {
            if (!image.preview.isNull())
                previews().insert(idText(image.id), image.preview);
        }
    }
    const bool changed = !m_images.isEmpty() || !images.isEmpty();
    m_images = std::move(images);
    if (changed)
        emit imagesChanged();
}

void DeveloperCornerController::chooseImages()
{
    if (!m_controller)
        return;
    addImageFiles(
        m_controller->filePicker().pickFiles(text(QStringLiteral("添加图片"), QStringLiteral("Add Images")),
            MediaFileFilters::forKinds({ MediaKind::image }, m_controller->language()),
            QStandardPaths::PicturesLocation));
}

void DeveloperCornerController::addImageFiles(const QStringList &paths)
{
    const qsizetype room = std::max<qsizetype>(0, maximumImages - m_images.size());
    QList<FeedbackImage> images = m_images;
    for (const QString &path : paths.first(std::min(room, paths.size()))) {
        if (std::optional<FeedbackImage> image = attachment(path))
            images.append(std::move(*image));
    }
    if (images.size() != m_images.size())
        setImages(std::move(images));
}

std::optional<FeedbackImage> DeveloperCornerController::attachment(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return std::nullopt;
    const auto refuseAsTooLarge = [this] {
        raiseAlert(text(QStringLiteral("图片太大"), QStringLiteral("Image Too Large")),
            text(QStringLiteral("每张图片不能超过 5MB。"),
                QStringLiteral("Each image must be 5MB or smaller.")));
        return std::nullopt;
    };
    // The size is asked first so that a huge file is never read; one byte more than the limit is read
    // so that a file that grew since is refused too.
    if (info.size() > maximumImageBytes)
        return refuseAsTooLarge();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = file.read(maximumImageBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    if (data.size() > maximumImageBytes)
        return refuseAsTooLarge();
    return FeedbackImage { QUuid::createUuid(), info.fileName(), mimeTypeFor(info.fileName()), data,
        decodedPreview(data) };
}

void DeveloperCornerController::removeImage(const QString &id)
{
    QList<FeedbackImage> images = m_images;
    images.removeIf([&id](const FeedbackImage &image) { return idText(image.id) == id; });
    if (images.size() != m_images.size())
        setImages(std::move(images));
}

void DeveloperCornerController::sendFeedback()
{
    if (!m_controller || m_sending)
        return;
    if (!DeveloperCornerPolicy::isValidEmail(m_email)) {
        raiseAlert(text(QStringLiteral("请填写邮箱"), QStringLiteral("Email Required")),
            text(QStringLiteral("请留下一个有效邮箱，以便我们回复。"),
                QStringLiteral("Enter a valid email so we can reply.")));
        return;
    }
    if (m_message.trimmed().isEmpty()) {
        raiseAlert(text(QStringLiteral("还没有内容"), QStringLiteral("Message Required")),
            text(QStringLiteral("请写下你遇到的问题或想告诉我们的事。"),
                QStringLiteral("Tell us what happened or what you'd like us to know.")));
        return;
    }
    m_sending = true;
    emit sendingChanged();
    // The reply may come after this corner's sheet closed: the user still hears of it, and a letter that
    // failed is not lost with the sheet.
    m_controller->developerCornerService().sendFeedback(m_email, m_message, m_images,
        [corner = QPointer(this), controller = m_controller,
            letter = FeedbackLetter { m_email, m_message, m_images }](
            const std::optional<DeveloperCornerError> &failure) {
            if (corner)
                corner->finishSending(failure, !letter.images.isEmpty());
            else if (controller)
                reportOrphanedLetter(*controller, letter, failure);
        });
}

QString DeveloperCornerController::letterFailureTitle(const DeveloperCornerError &error, AppLanguage language)
{
    // It may well have arrived: "could not send" would invite the second copy the message warns of.
    if (error == DeveloperCornerService::letterMayHaveArrived())
        return localized(
            language, QStringLiteral("信可能已经寄到"), QStringLiteral("The Letter May Have Arrived"));
    return localized(language, QStringLiteral("暂时寄不出去"), QStringLiteral("Could Not Send"));
}

void DeveloperCornerController::reportOrphanedLetter(
    AppController &controller, FeedbackLetter letter, const std::optional<DeveloperCornerError> &failure)
{
    const AppLanguage language = controller.language();
    if (!failure) {
        controller.sheets()->showAlert(
            localized(language, QStringLiteral("来信已经寄出"), QStringLiteral("Your message is on its way")),
            localized(language, QStringLiteral("我们会通过你留下的邮箱回复。谢谢你帮助柯帆变得更好。"),
                QStringLiteral(
                    "We'll reply to the email you provided. Thank you for helping Quorvane improve.")));
        return;
    }
    controller.sheets()->showAlert(letterFailureTitle(*failure, language),
        failureMessage(*failure, language, !letter.images.isEmpty()) + u'\n'
            + localized(language, QStringLiteral("这封信已为你保留在开发者角落里。"),
                QStringLiteral("The letter is kept for you in the developer corner.")));
    controller.sheets()->keepUnsentLetter(std::move(letter));
}

void DeveloperCornerController::finishSending(
    const std::optional<DeveloperCornerError> &failure, bool withImages)
{
    m_sending = false;
    emit sendingChanged();
    if (failure) {
        raiseAlert(
            letterFailureTitle(*failure, language()), failureMessage(*failure, language(), withImages));
        return;
    }
    m_sent = true;
    emit sentChanged();
    // Images added while the letter was on its way go too: the sent card has no place for them.
    setImages({});
}
