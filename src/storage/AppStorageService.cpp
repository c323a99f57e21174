#include "storage/AppStorageService.h"

#include "core/JsonValue.h"
#include "storage/WholeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>

namespace AppStorageService {

namespace {

QString inStorageDirectory(const QString &applicationSupportRoot, const QString &name)
{
    return QDir(storageDirectory(applicationSupportRoot)).filePath(name);
}

Status writeAtomically(const QString &path, const QByteArray &bytes)
{
    if (Status written = WholeFileWrite::replace(path, bytes); !written)
        return Error { QStringLiteral("无法写入“%1”：%2"), { QFileInfo(path).fileName(), written.error() } };
    return {};
}

// Refuses what JSON cannot hold before anything reaches the disk.
Status writeDocument(const QString &path, const QJsonObject &object)
{
    if (Status finite = JsonValue::checkFinite(object); !finite)
        return Error {
            QStringLiteral("Could not encode “%1”: %2").arg(QFileInfo(path).fileName(), finite.error())
        };
    return writeAtomically(path, QJsonDocument(object).toJson(QJsonDocument::Indented));
}

// The whole file parsed as UTF-8 JSON; any read or syntax error fails.
Result<QJsonValue> readDocument(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error { file.errorString() };
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return Error { parseError.errorString() };
    if (document.isArray())
        return QJsonValue(document.array());
    return QJsonValue(document.object());
}

} // namespace

QString standardApplicationSupportRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString storageDirectory(const QString &applicationSupportRoot)
{
    const QString directory = QDir(applicationSupportRoot).filePath(QStringLiteral("Quorvane"));
    QDir().mkpath(directory);
    return directory;
}

QString preferencesPath(const QString &applicationSupportRoot)
{
    return inStorageDirectory(applicationSupportRoot, QStringLiteral("preferences.json"));
}

QString historyPath(const QString &applicationSupportRoot)
{
    return inStorageDirectory(applicationSupportRoot, QStringLiteral("recent-history.json"));
}

QString activeFocusSessionPath(const QString &applicationSupportRoot)
{
    return inStorageDirectory(applicationSupportRoot, QStringLiteral("active-focus-session.json"));
}

QString windowFramePath(const QString &applicationSupportRoot)
{
    return inStorageDirectory(applicationSupportRoot, QStringLiteral("window-frame.json"));
}

QString mediaDirectory(const QString &applicationSupportRoot)
{
    return inStorageDirectory(applicationSupportRoot, QStringLiteral("Media"));
}

QString backgroundDirectory(const QString &applicationSupportRoot)
{
    return QDir(mediaDirectory(applicationSupportRoot)).filePath(QStringLiteral("Background"));
}

QString thumbnailsDirectory(const QString &applicationSupportRoot)
{
    return QDir(mediaDirectory(applicationSupportRoot)).filePath(QStringLiteral("Thumbnails"));
}

QString musicDirectory(AudioPlaylistKind kind, const QString &applicationSupportRoot)
{
    const QString folder
        = kind == AudioPlaylistKind::reminder ? QStringLiteral("Reminder") : QStringLiteral("Focus");
    return QDir(mediaDirectory(applicationSupportRoot)).filePath(folder);
}

void ensureMediaDirectories(const QString &applicationSupportRoot)
{
    const QDir media(mediaDirectory(applicationSupportRoot));
    for (const char *folder : { "Background", "Focus", "Reminder", "Thumbnails" })
        QDir().mkpath(media.filePath(QLatin1StringView(folder)));
}

bool hasDecodablePreferences(const QString &applicationSupportRoot)
{
    return loadPreferences(applicationSupportRoot).ok();
}

Status savePreferences(const AppPreferences &preferences, const QString &applicationSupportRoot)
{
    return writeDocument(preferencesPath(applicationSupportRoot), preferences.toJson());
}

void saveHistory(const QList<QUuid> &history, const QString &applicationSupportRoot)
{
    QJsonArray array;
    for (const QUuid &id : history)
        array.append(Uuid::upperText(id));
    (void)writeAtomically(
        historyPath(applicationSupportRoot), QJsonDocument(array).toJson(QJsonDocument::Compact));
}

Status saveActiveFocusSession(
    const ActiveFocusSessionSnapshot &snapshot, const QString &applicationSupportRoot)
{
    const QString path = activeFocusSessionPath(applicationSupportRoot);
    const QJsonObject object = snapshot.toJson();
    if (Status finite = JsonValue::checkFinite(object); !finite)
        return Error {
            QStringLiteral("Could not encode “%1”: %2").arg(QFileInfo(path).fileName(), finite.error())
        };
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    // Trailing room, so that on a full disk the round's end and the notes typed since still fit in place.
    Status written = writeAtomically(path, bytes + QByteArray(activeFocusSessionReserve, ' ') + '\n');
    if (!written && WholeFileWrite::overwriteInPlace(path, bytes))
        return {};
    return written;
}

void saveWindowFrame(const WindowFrame &frame, const QString &applicationSupportRoot)
{
    (void)writeDocument(windowFramePath(applicationSupportRoot), frame.toJson());
}

void clearActiveFocusSession(const QString &applicationSupportRoot)
{
    const QString path = activeFocusSessionPath(applicationSupportRoot);
    if (QFileInfo::exists(path))
        QFile::remove(path);
}

Result<AppPreferences> loadPreferences(const QString &applicationSupportRoot)
{
    const Result<QJsonValue> document = readDocument(preferencesPath(applicationSupportRoot));
    if (!document)
        return Error { document.error() };
    return AppPreferences::fromJson(*document);
}

AppPreferences startupPreferences(const QString &applicationSupportRoot)
{
    Result<AppPreferences> stored = loadPreferences(applicationSupportRoot);
    const AppPreferences settings = stored ? std::move(stored).value() : AppPreferences();
    return reconciledBackgroundLibrary(settings, backgroundDirectory(applicationSupportRoot));
}

std::optional<ActiveFocusSessionSnapshot> loadActiveFocusSession(const QString &applicationSupportRoot)
{
    const Result<QJsonValue> document = readDocument(activeFocusSessionPath(applicationSupportRoot));
    if (!document)
        return std::nullopt;
    return ActiveFocusSessionSnapshot::fromJson(*document).toOptional();
}

std::optional<ActiveFocusSessionSnapshot> loadRestorableActiveFocusSession(
    const QString &applicationSupportRoot)
{
    std::optional<ActiveFocusSessionSnapshot> snapshot = loadActiveFocusSession(applicationSupportRoot);
    if (!snapshot || !snapshot->isRestorable())
        return std::nullopt;
    return snapshot;
}

std::optional<WindowFrame> loadWindowFrame(const QString &applicationSupportRoot)
{
    const Result<QJsonValue> document = readDocument(windowFramePath(applicationSupportRoot));
    if (!document || !document->isObject())
        return std::nullopt;
    return WindowFrame::fromJson(document->toObject());
}

QList<QUuid> loadHistory(const QString &applicationSupportRoot)
{
    const Result<QJsonValue> document = readDocument(historyPath(applicationSupportRoot));
    if (!document)
        return {};
    return JsonValue::Codec<QList<QUuid>>::decode(*document).toOptional().value_or(QList<QUuid>());
}

bool writeBackAfterStartup(
    const AppPreferences &liveSettings, bool storedSettingsDecoded, const QString &applicationSupportRoot)
{
    const QString storage = storageDirectory(applicationSupportRoot);
    if (!storedSettingsDecoded) {
        const QFileInfo stored(preferencesPath(applicationSupportRoot));
        if (stored.exists() || stored.isSymLink() || holdsDeletableMedia(storage))
            return false;
        return savePreferences(liveSettings, applicationSupportRoot).ok();
    }
    // When the write fails the stored file may still name files the live record dropped (a library
    // cut to its limit): nothing is deleted then.
    if (savePreferences(liveSettings, applicationSupportRoot))
        (void)cleanupUnreferencedMedia(liveSettings, storage);
    return true;
}

} // namespace AppStorageService
