#pragma once

#include "core/ActiveFocusSessionSnapshot.h"
#include "core/AppLanguage.h"
#include "core/AppPreferences.h"
#include "core/AudioPlaylistKind.h"
#include "core/AudioTrack.h"
#include "core/Result.h"
#include "core/WindowFrame.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <optional>

// Every location of the application folder, the three JSON state files and the managed media
// folders. Stateless; every function takes the folder that holds the application folder, which
// defaults to the user's data folder ($XDG_DATA_HOME) and which tests point elsewhere.
//
// Layout below that folder:
//   Quorvane/preferences.json, recent-history.json, active-focus-session.json, window-frame.json,
//   the two CSV logs
//   Quorvane/Media/Background|Focus|Reminder/<lower-case uuid>/<file name>   managed copies
//   Quorvane/Media/Thumbnails/                                                cached thumbnails
namespace AppStorageService {

// The most background items the library holds.
inline constexpr int backgroundLibraryLimit = 30;

// $XDG_DATA_HOME, or ~/.local/share when it is unset.
QString standardApplicationSupportRoot();

// "Quorvane" inside the root. Created with its missing parents on every call, so any location
// below makes sure the application folder exists; a failure to create it is ignored.
QString storageDirectory(const QString &applicationSupportRoot = standardApplicationSupportRoot());

QString preferencesPath(const QString &applicationSupportRoot = standardApplicationSupportRoot());
QString historyPath(const QString &applicationSupportRoot = standardApplicationSupportRoot());
QString activeFocusSessionPath(const QString &applicationSupportRoot = standardApplicationSupportRoot());
QString windowFramePath(const QString &applicationSupportRoot = standardApplicationSupportRoot());

// "Media" in the application folder; not created here (see ensureMediaDirectories()).
QString mediaDirectory(const QString &applicationSupportRoot = standardApplicationSupportRoot());
QString backgroundDirectory(const QString &applicationSupportRoot = standardApplicationSupportRoot());
QString thumbnailsDirectory(const QString &applicationSupportRoot = standardApplicationSupportRoot());
// "Focus" or "Reminder": where the music of that playlist is copied.
QString musicDirectory(
    AudioPlaylistKind kind, const QString &applicationSupportRoot = standardApplicationSupportRoot());

// Creates Background, Focus, Reminder and Thumbnails in Media; each failure is ignored.
void ensureMediaDirectories(const QString &applicationSupportRoot = standardApplicationSupportRoot());

// JSON state files. Writes replace the file atomically: a reader sees the old or the new bytes.

// Whether "preferences.json" can be read and decodes as a whole.
bool hasDecodablePreferences(const QString &applicationSupportRoot = standardApplicationSupportRoot());

// Pretty-printed with keys sorted at every level. On failure the previous file stays as it was.
Status savePreferences(const AppPreferences &preferences,
    const QString &applicationSupportRoot = standardApplicationSupportRoot());

// Compact array of upper-case UUIDs, newest first. Failures are ignored: losing the draw history
// only weakens the recent-draw discount.
void saveHistory(
    const QList<QUuid> &history, const QString &applicationSupportRoot = standardApplicationSupportRoot());

// Pretty-printed with sorted keys, like the preferences, and followed by room to grow: when the disk is too
// full for a new file, a snapshot that fits is written over the old one in place.
inline constexpr int activeFocusSessionReserve = 2048;
Status saveActiveFocusSession(const ActiveFocusSessionSnapshot &snapshot,
    const QString &applicationSupportRoot = standardApplicationSupportRoot());

// The main window's frame for the next launch. Failures are ignored: the window then opens where the
// window manager puts it.
void saveWindowFrame(
    const WindowFrame &frame, const QString &applicationSupportRoot = standardApplicationSupportRoot());

// Removes the snapshot file if there is one; a failure is ignored.
void clearActiveFocusSession(const QString &applicationSupportRoot = standardApplicationSupportRoot());

// Reading back at start-up.

// The stored settings, or why they cannot be used (missing, unreadable, not JSON, invalid).
Result<AppPreferences> loadPreferences(
    const QString &applicationSupportRoot = standardApplicationSupportRoot());

// The settings to run with: the stored ones, or the defaults when they cannot be used, with the
// background library matched to the files of the Background folder.
AppPreferences startupPreferences(const QString &applicationSupportRoot = standardApplicationSupportRoot());

// The saved state as it decodes, resumable or not (rounds that ended but were not written).
std::optional<ActiveFocusSessionSnapshot> loadActiveFocusSession(
    const QString &applicationSupportRoot = standardApplicationSupportRoot());

// The interrupted round, only when it can be resumed (ActiveFocusSessionSnapshot::isRestorable()).
// An unusable file is left in place.
std::optional<ActiveFocusSessionSnapshot> loadRestorableActiveFocusSession(
    const QString &applicationSupportRoot = standardApplicationSupportRoot());

// The main window's last frame; none when the file is missing or damaged.
std::optional<WindowFrame> loadWindowFrame(
    const QString &applicationSupportRoot = standardApplicationSupportRoot());

// The draw history, or an empty list when the file is missing or does not decode as a whole.
QList<QUuid> loadHistory(const QString &applicationSupportRoot = standardApplicationSupportRoot());

// The last step of start-up. Settings that decoded are written back and, once that write succeeded,
// the managed media they no longer refer to are deleted. On a first launch (no settings file and no
// media file that a record of defaults could wrongly delete) the live defaults are written, so the
// default wheel items keep their identities across launches. Damaged or unreadable settings are never
// overwritten and never cost the user a media file. Errors are ignored. Returns whether the stored
// settings are known good afterwards.
bool writeBackAfterStartup(const AppPreferences &liveSettings, bool storedSettingsDecoded,
    const QString &applicationSupportRoot = standardApplicationSupportRoot());

// Managed media.

// An absolute path with "." and ".." components resolved and no trailing separator; symbolic
// links are not followed.
QString standardizedPath(const QString &path);

// Copies the file into a fresh "<lower-case uuid>" folder inside `destinationDirectory` and
// returns the path of the copy. The copy keeps the picked file's name, trimmed of white space;
// an empty name becomes "imported-media.<extension>" and a name that would be hidden (leading
// ".") gets the prefix "imported-media", so that the copy stays visible to the scan and the
// clean-up. A failed copy leaves no folder behind.
Result<QString> importManagedFile(const QString &sourcePath, const QString &destinationDirectory);

// Copies each file, in order, into the playlist's music folder and makes a track of it, named
// after the picked file without its extension ("未命名音乐" / "Untitled Track" when that is
// empty). Stops at the first failure and returns it; copies made before it stay on disk until
// the next clean-up.
Result<QList<AudioTrack>> importAudioTracks(const QStringList &sourcePaths, AudioPlaylistKind kind,
    AppLanguage language, const QString &applicationSupportRoot = standardApplicationSupportRoot());

// The standardized paths of the images and movies below the folder (recursive; hidden entries
// and symbolic links skipped, regular files only), in file-browser order: case-insensitive, digit
// runs compared by value. An unreadable folder gives an empty list.
QStringList supportedBackgroundFiles(const QString &directory);

// The settings with the background library matched to the files of the Background folder: items
// whose file is there stay (first item per file, path standardized), new files are adopted in
// scan order while fewer than 30 items are held, the library is cut to 30, the active item is
// settled and rotation is switched off for one item or none.
AppPreferences reconciledBackgroundLibrary(
    const AppPreferences &preferences, const QString &backgroundDirectory);

// A file at least three components below `root` whose second component is a UUID
// (kind folder / import folder / file).
bool isManagedImportedMediaFile(const QString &path, const QString &root);
// A folder exactly two components below `root` whose second component is a UUID.
bool isManagedImportedDirectory(const QString &path, const QString &root);

// Whether the application folder holds a file the clean-up may delete: a managed copy in "Media" or
// a legacy media file directly in the folder.
bool holdsDeletableMedia(const QString &appSupportDirectory);

// Deletes the managed copies in "Media" that the settings do not refer to, then the import
// folders left empty, then legacy media files lying directly in the application folder. Only
// managed copies are ever deleted from Media: thumbnails, hand-placed files and folders not
// named by a UUID stay. The first failed file removal (or an unlistable application folder)
// ends the clean-up and is returned.
Status cleanupUnreferencedMedia(const AppPreferences &preferences, const QString &appSupportDirectory);

// Deletes the given files when they lie strictly inside the Background folder, and their import
// folders when those become empty. Failures are ignored.
void removeBackgroundMedia(const QSet<QString> &paths, const QString &backgroundDirectory);

} // namespace AppStorageService
