// Bringing the user's files into the background library and the playlists: the open-file dialogs
// and the copies into the managed media folders.

#include "app/AppController.h"
#include "core/MediaTypes.h"
#include "core/PictureFormats.h"
#include "core/StringTable.h"
#include "media/MediaFileFilters.h"
#include "storage/AppStorageService.h"

#include <QFileInfo>

namespace {

// The local files among the addresses that the predicate accepts by name, in order, leaving out what
// exists but is no regular file (links followed): a pipe, a device or a folder named like media would
// block the copy, fill the disk or fail it. A file already gone stays, so that its copy fails aloud.
QStringList acceptedLocalFiles(const QList<QUrl> &files, bool (*accepts)(QStringView))
{
    QStringList paths;
    for (const QUrl &file : files) {
        if (!file.isLocalFile())
            continue;
        const QString path = file.toLocalFile();
        const QFileInfo entry(path);
        if (accepts(path) && (entry.isFile() || !entry.exists()))
            paths.append(path);
    }
    return paths;
}

// The pictures among the files that cannot be decoded; a file already gone is left to fail its copy.
QStringList undecodablePictures(const QStringList &paths)
{
    QStringList found;
    for (const QString &path : paths) {
        if (MediaTypes::kindForFileName(path) == MediaKind::image && QFileInfo::exists(path)
            && !PictureFormats::canDecode(path))
            found.append(path);
    }
    return found;
}

QList<QUrl> fileUrls(const QStringList &paths)
{
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    return urls;
}

} // namespace

QList<BackgroundMediaItem> AppController::chooseBackgroundMediaFiles(qint64 remainingCapacity)
{
    if (remainingCapacity < 1) {
        m_sheets->showAlert(localized(language(), QStringLiteral("图库已满"), QStringLiteral("Library Full")),
            localized(language(), QStringLiteral("背景图库最多保存 30 个图片或视频。"),
                QStringLiteral("The background library can hold up to 30 images or videos.")));
        return {};
    }
    const QStringList chosen = m_seams.filePicker->pickFiles(
        localized(language(), QStringLiteral("添加到背景图库"), QStringLiteral("Add to Background Library")),
        MediaFileFilters::forKinds({ MediaKind::image, MediaKind::movie }, language()),
        QStandardPaths::PicturesLocation);
    if (chosen.isEmpty())
        return {};
    return importBackgroundMediaFiles(
        fileUrls(chosen.first(std::min<qint64>(chosen.size(), remainingCapacity))));
}

QList<BackgroundMediaItem> AppController::importBackgroundMediaFiles(const QList<QUrl> &files)
{
    QStringList accepted = acceptedLocalFiles(files, MediaTypes::isBackgroundMedia);
    // A picture that no installed reader decodes would only ever show the plain colour: it is refused now,
    // not found out later.
    const QStringList undecodable = undecodablePictures(accepted);
    for (const QString &path : undecodable)
        accepted.removeOne(path);
    if (accepted.isEmpty() && undecodable.isEmpty()) {
        m_sheets->showAlert(localized(language(), QStringLiteral("没有可导入的背景"),
                                QStringLiteral("No Importable Backgrounds")),
            localized(language(), QStringLiteral("请拖入常见格式的图片或视频。"),
                QStringLiteral("Drop images or videos in a common format.")));
        return {};
    }
    const QString backgroundDirectory = AppStorageService::backgroundDirectory(m_root);
    QList<BackgroundMediaItem> items;
    for (const QString &source : accepted) {
        const Result<QString> copy = AppStorageService::importManagedFile(source, backgroundDirectory);
        if (!copy) {
            // Copies made before the failure stay until the next clean-up, which finds them unreferenced.
            m_sheets->showAlert(localized(language(), QStringLiteral("背景导入失败"),
                                    QStringLiteral("Could Not Import Background")),
                StringTable::error(copy.failure(), language()));
            return {};
        }
        QString name = QFileInfo(source).completeBaseName().trimmed();
        if (name.isEmpty())
            name = localized(language(), QStringLiteral("未命名背景"), QStringLiteral("Untitled Background"));
        items.append({ QUuid::createUuid(), name, *copy });
    }
    if (!undecodable.isEmpty())
        refuseUndecodablePictures(undecodable);
    return items;
}

void AppController::refuseUndecodablePictures(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths)
        names.append(QFileInfo(path).fileName());
    m_sheets->showAlert(StringTable::text(QStringLiteral("无法显示的图片"), language()),
        StringTable::text(
            QStringLiteral("这台电脑无法解码以下图片，它们未被导入：%1。请先转换为 JPEG、PNG 或 WebP 格式。"),
            language())
            .arg(names.join(StringTable::text(QStringLiteral("、"), language()))));
}

void AppController::openBackgroundFolder()
{
    AppStorageService::ensureMediaDirectories(m_root);
    const QString folder = AppStorageService::backgroundDirectory(m_root);
    if (!m_seams.workspace->openUrl(QUrl::fromLocalFile(folder)))
        tellAboutUnshownFolder(folder);
}

void AppController::tellAboutUnshownFolder(const QString &folder)
{
    m_sheets->showAlert(
        localized(language(), QStringLiteral("无法打开文件夹"), QStringLiteral("Cannot Open the Folder")),
        localized(language(),
            QStringLiteral("没有文件管理器或打开程序能显示 %1。请安装 xdg-utils，或自行打开这个文件夹。"),
            QStringLiteral(
                "No file manager or opener on this desktop could show %1. Install xdg-utils, or open "
                "the folder yourself."))
            .arg(folder));
}

QList<AudioTrack> AppController::chooseAudioFiles(AudioPlaylistKind kind)
{
    const QStringList chosen = m_seams.filePicker->pickFiles(
        localized(language(), QStringLiteral("选择"), QStringLiteral("Choose ")) + title(kind, language()),
        MediaFileFilters::forKinds({ MediaKind::audio, MediaKind::movie }, language()),
        QStandardPaths::MusicLocation);
    if (chosen.isEmpty())
        return {};
    return importAudioFiles(fileUrls(chosen), kind);
}

QList<AudioTrack> AppController::importAudioFiles(const QList<QUrl> &files, AudioPlaylistKind kind)
{
    const QStringList accepted = acceptedLocalFiles(files, MediaTypes::isMusicMedia);
    if (accepted.isEmpty()) {
        m_sheets->showAlert(
            localized(language(), QStringLiteral("没有可导入的音乐"), QStringLiteral("No Importable Music")),
            localized(language(), QStringLiteral("请拖入或选择 MP3、M4A、WAV、MP4 等音频或视频文件。"),
                QStringLiteral("Drop or choose MP3, M4A, WAV, MP4, or another supported audio/video "
                               "file.")));
        return {};
    }
    Result<QList<AudioTrack>> tracks
        = AppStorageService::importAudioTracks(accepted, kind, language(), m_root);
    if (!tracks) {
        m_sheets->showAlert(
            localized(language(), QStringLiteral("音乐导入失败"), QStringLiteral("Could Not Import Music")),
            StringTable::error(tracks.failure(), language()));
        return {};
    }
    return std::move(tracks).value();
}
