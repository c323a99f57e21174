#include "core/BackgroundLibraryPolicy.h"
#include "core/MediaTypes.h"
#include "core/Uuid.h"
#include "storage/AppStorageService.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

// Managed media: copies of picked files live in Media/<kind>/<lower-case uuid>/<file name>, and
// only files laid out that way are ever deleted. There are no sandbox bookmarks or file packages
// to care about on Linux.

namespace AppStorageService {

namespace {

QStringList components(const QString &standardized)
{
    return standardized.split(u'/', Qt::SkipEmptyParts);
}

QString pathFromComponents(const QStringList &parts)
{
    return QStringLiteral("/") + parts.join(u'/');
}

// Components of `path` below `root`; `root` itself is only counted, not compared.
QStringList relativeComponents(const QString &path, const QString &root)
{
    return components(standardizedPath(path)).mid(components(standardizedPath(root)).size());
}

bool isEmptyDirectory(const QString &path)
{
    const QDir::Filters everything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    return QDir(path).entryList(everything).isEmpty();
}

// Every regular file and folder below `directory`, a folder before its contents. Hidden entries
// and symbolic links are skipped and not entered.
void collectEntries(const QString &directory, QFileInfoList &entries)
{
    const QFileInfoList children = QDir(directory).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo &child : children) {
        if (child.isSymLink())
            continue;
        if (child.isDir()) {
            entries.append(child);
            collectEntries(child.absoluteFilePath(), entries);
        } else if (child.isFile()) {
            entries.append(child);
        }
    }
}

QString nameWithoutExtension(const QString &path)
{
    return QFileInfo(path).completeBaseName().trimmed();
}

QSet<QString> referencedPaths(const AppPreferences &preferences)
{
    QSet<QString> referenced;
    if (preferences.backgroundPath)
        referenced.insert(standardizedPath(*preferences.backgroundPath));
    for (const BackgroundMediaItem &item : preferences.backgroundLibrary)
        referenced.insert(standardizedPath(item.path));
    for (const AudioPlaylist *playlist : { &preferences.focusPlaylist, &preferences.reminderPlaylist }) {
        for (const AudioTrack &track : playlist->tracks)
            referenced.insert(standardizedPath(track.path));
    }
    return referenced;
}

Status removeFile(const QString &path)
{
    QFile file(path);
    if (!file.remove())
        return Error { QStringLiteral("无法删除“%1”：%2"), { path, file.errorString() } };
    return {};
}

// Files left by versions that kept media directly in the application folder.
bool isLegacyMediaFile(const QFileInfo &file)
{
    static const QStringList extensions { QStringLiteral("mp3"), QStringLiteral("mp4"), QStringLiteral("m4a"),
        QStringLiteral("wav"), QStringLiteral("aac"), QStringLiteral("aif"), QStringLiteral("aiff"),
        QStringLiteral("caf"), QStringLiteral("mov") };
    return file.fileName().startsWith(QLatin1StringView("custom-background"))
        || extensions.contains(file.suffix().toLower());
}

} // namespace

QString standardizedPath(const QString &path)
{
    if (path.isEmpty())
        return {};
    return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
}

Result<QString> importManagedFile(const QString &sourcePath, const QString &destinationDirectory)
{
    const QString importFolder = QDir(destinationDirectory).filePath(Uuid::lowerText(QUuid::createUuid()));
    if (!QDir().mkpath(importFolder))
        return Error { QStringLiteral("无法创建文件夹“%1”。"), { importFolder } };

    const QFileInfo source(sourcePath);
    const QString extension = source.suffix().isEmpty() ? QStringLiteral("dat") : source.suffix().toLower();
    QString name = source.fileName().trimmed();
    if (name.isEmpty())
        name = QStringLiteral("imported-media.") + extension;
    else if (name.startsWith(u'.'))
        name.prepend(QStringLiteral("imported-media"));

    const QString copyPath = QDir(importFolder).filePath(name);
    QFile sourceFile(sourcePath);
    if (!sourceFile.copy(copyPath)) {
        const QString reason = sourceFile.errorString();
        QDir(importFolder).removeRecursively();
        return Error { QStringLiteral("无法复制“%1”：%2"), { source.fileName(), reason } };
    }
    return copyPath;
}

Result<QList<AudioTrack>> importAudioTracks(const QStringList &sourcePaths, AudioPlaylistKind kind,
    AppLanguage language, const QString &applicationSupportRoot)
{
    const QString destination = musicDirectory(kind, applicationSupportRoot);
    QList<AudioTrack> tracks;
    for (const QString &sourcePath : sourcePaths) {
        Result<QString> copy = importManagedFile(sourcePath, destination);
        if (!copy)
            return copy.failure();
        QString name = nameWithoutExtension(sourcePath);
        if (name.isEmpty())
            name = localized(language, QStringLiteral("未命名音乐"), QStringLiteral("Untitled Track"));
        tracks.append(AudioTrack { QUuid::createUuid(), name, std::move(copy).value() });
    }
    return tracks;
}

QStringList supportedBackgroundFiles(const QString &directory)
{
    QFileInfoList entries;
    collectEntries(standardizedPath(directory), entries);
    QStringList files;
    for (const QFileInfo &entry : entries) {
        if (entry.isFile() && MediaTypes::isBackgroundMedia(entry.fileName()))
            files.append(standardizedPath(entry.absoluteFilePath()));
    }
    // A named locale: the C locale's collator would ignore both options.
    QCollator collator { QLocale(QLocale::English) };
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(files.begin(), files.end(),
        [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    return files;
}

AppPreferences reconciledBackgroundLibrary(
    const AppPreferences &preferences, const QString &backgroundDirectory)
{
    QDir().mkpath(backgroundDirectory);
    const QStringList files = supportedBackgroundFiles(backgroundDirectory);
    const QSet<QString> present(files.begin(), files.end());

    QList<BackgroundMediaItem> library;
    QSet<QString> seen;
    for (const BackgroundMediaItem &item : preferences.backgroundLibrary) {
        const QString path = standardizedPath(item.path);
        if (present.contains(path) && !seen.contains(path)) {
            seen.insert(path);
            library.append({ item.id, item.name, path });
        }
    }
    for (const QString &path : files) {
        if (library.size() >= backgroundLibraryLimit)
            break;
        if (seen.contains(path))
            continue;
        seen.insert(path);
        QString name = nameWithoutExtension(path);
        if (name.isEmpty())
            name = QStringLiteral("Untitled Background");
        library.append({ QUuid::createUuid(), name, path });
    }
    if (library.size() > backgroundLibraryLimit)
        library.resize(backgroundLibraryLimit);

    AppPreferences result = preferences;
    result.backgroundLibrary = library;
    if (const auto active = BackgroundLibraryPolicy::activeItem(
            library, preferences.activeBackgroundID, preferences.backgroundPath)) {
        result.activeBackgroundID = active->id;
        result.backgroundPath = active->path;
    } else {
        result.activeBackgroundID.reset();
        result.backgroundPath.reset();
    }
    if (library.size() <= 1)
        result.rotateBackgroundEachRound = false;
    return result;
}

bool isManagedImportedMediaFile(const QString &path, const QString &root)
{
    const QStringList relative = relativeComponents(path, root);
    return relative.size() >= 3 && Uuid::parse(relative[1]).has_value();
}

bool isManagedImportedDirectory(const QString &path, const QString &root)
{
    const QStringList relative = relativeComponents(path, root);
    return relative.size() == 2 && Uuid::parse(relative[1]).has_value();
}

bool holdsDeletableMedia(const QString &appSupportDirectory)
{
    const QString media = standardizedPath(QDir(appSupportDirectory).filePath(QStringLiteral("Media")));
    QFileInfoList entries;
    collectEntries(media, entries);
    const auto managed = [&](const QFileInfo &entry) {
        return entry.isFile() && isManagedImportedMediaFile(entry.absoluteFilePath(), media);
    };
    if (std::any_of(entries.cbegin(), entries.cend(), managed))
        return true;
    const QFileInfoList direct
        = QDir(appSupportDirectory).entryInfoList(QDir::Files | QDir::NoSymLinks, QDir::Name);
    return std::any_of(direct.cbegin(), direct.cend(), isLegacyMediaFile);
}

Status cleanupUnreferencedMedia(const AppPreferences &preferences, const QString &appSupportDirectory)
{
    const QString media = standardizedPath(QDir(appSupportDirectory).filePath(QStringLiteral("Media")));
    const QSet<QString> referenced = referencedPaths(preferences);

    if (QFileInfo::exists(media)) {
        QFileInfoList entries;
        collectEntries(media, entries);
        QStringList folders;
        for (const QFileInfo &entry : entries) {
            const QString path = standardizedPath(entry.absoluteFilePath());
            if (entry.isDir()) {
                folders.append(path);
            } else if (!referenced.contains(path) && isManagedImportedMediaFile(path, media)) {
                if (Status removed = removeFile(path); !removed)
                    return removed;
            }
        }
        // Deepest first, so a folder is looked at only after everything inside it.
        std::stable_sort(folders.begin(), folders.end(),
            [](const QString &a, const QString &b) { return a.size() > b.size(); });
        for (const QString &folder : folders) {
            if (isManagedImportedDirectory(folder, media) && isEmptyDirectory(folder))
                QDir().rmdir(folder);
        }
    }

    const QFileInfo application(appSupportDirectory);
    if (!application.isDir() || !application.isReadable())
        return Error { QStringLiteral("无法列出文件夹“%1”。"), { appSupportDirectory } };
    const QFileInfoList direct
        = QDir(appSupportDirectory).entryInfoList(QDir::Files | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo &entry : direct) {
        const QString path = standardizedPath(entry.absoluteFilePath());
        if (entry.isFile() && !entry.isSymLink() && !referenced.contains(path) && isLegacyMediaFile(entry)) {
            if (Status removed = removeFile(path); !removed)
                return removed;
        }
    }
    return {};
}

void removeBackgroundMedia(const QSet<QString> &paths, const QString &backgroundDirectory)
{
    const QStringList root = components(standardizedPath(backgroundDirectory));
    for (const QString &path : paths) {
        const QString target = standardizedPath(path);
        const QStringList parts = components(target);
        if (parts.size() <= root.size() || parts.first(root.size()) != root)
            continue;
        const QFileInfo file(target);
        if (!file.exists())
            continue;
        if (file.isDir() && !file.isSymLink())
            QDir(target).removeRecursively();
        else
            QFile::remove(target);
        const QStringList parent = parts.first(parts.size() - 1);
        if (parent.size() == root.size() + 1 && Uuid::parse(parent.last())) {
            const QString parentPath = pathFromComponents(parent);
            if (isEmptyDirectory(parentPath))
                QDir().rmdir(parentPath);
        }
    }
}

} // namespace AppStorageService
