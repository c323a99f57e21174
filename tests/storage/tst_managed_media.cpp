#include "ReadOnlyFolder.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "core/MediaTypes.h"
#include "core/Uuid.h"
#include "storage/AppStorageService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <sys/stat.h>

namespace {

const QString uuid1 = QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e");
const QString uuid2 = QStringLiteral("7c9e6679-7425-40de-944b-e07fc1f90ae7");
const QString uuid3 = QStringLiteral("16fd2706-8baf-433b-82eb-8c7fada847da");
const QString uuid4 = QStringLiteral("886313e1-3b8a-5372-9b90-0c9aee199e5d");

QString join(const QString &folder, const QString &relative)
{
    return folder + u'/' + relative;
}

void touch(const QString &path, const QByteArray &bytes = "media")
{
    QVERIFY2(writeFileBytes(path, bytes), qPrintable(path));
}

BackgroundMediaItem itemAt(const QString &path, const QString &name = QStringLiteral("old"))
{
    return { QUuid::createUuid(), name, path };
}

QStringList names(const QList<BackgroundMediaItem> &library)
{
    QStringList result;
    for (const BackgroundMediaItem &item : library)
        result.append(item.name);
    return result;
}

// Folders directly inside `folder`, hidden ones included.
QStringList subfolders(const QString &folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
}

// A temporary data home with the media tree made.
class MediaHome
{
public:
    MediaHome() { AppStorageService::ensureMediaDirectories(root()); }
    QString root() const { return m_home.path(); }
    QString application() const { return AppStorageService::storageDirectory(root()); }
    QString media() const { return AppStorageService::mediaDirectory(root()); }
    QString background() const { return AppStorageService::backgroundDirectory(root()); }
    QString focus() const { return AppStorageService::musicDirectory(AudioPlaylistKind::focus, root()); }
    QString reminder() const
    {
        return AppStorageService::musicDirectory(AudioPlaylistKind::reminder, root());
    }
    QString picked(const QString &name) const { return m_home.filePath(QStringLiteral("picked/") + name); }

private:
    TemporaryDataHome m_home;
};

} // namespace

class ManagedMediaTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The file-browser order must not depend on the user's locale.
        QLocale::setDefault(QLocale::c());
    }

    void reconcileKeepsOldItemsThenAdoptsNewFilesInNaturalOrder()
    {
        MediaHome home;
        const QString oldA = join(home.background(), uuid1 + QStringLiteral("/old-a.jpg"));
        const QString oldB = join(home.background(), uuid2 + QStringLiteral("/old-b.mov"));
        const QString oldC = join(home.background(), uuid3 + QStringLiteral("/old-c.png"));
        for (const QString &path : { oldA, oldB, oldC })
            touch(path);
        for (int i = 40; i >= 1; --i) {
            const QString prefix = i % 2 ? QStringLiteral("img") : QStringLiteral("Img");
            const QString extension = i % 3 ? QStringLiteral(".jpg") : QStringLiteral(".mp4");
            touch(join(home.background(), prefix + QString::number(i) + extension));
        }

        AppPreferences stored;
        stored.backgroundLibrary = { itemAt(oldC, QStringLiteral("C")), itemAt(oldA, QStringLiteral("A")),
            itemAt(oldB, QStringLiteral("B")) };
        stored.activeBackgroundID = stored.backgroundLibrary[2].id;
        stored.backgroundPath = QStringLiteral("/elsewhere/stale.jpg");
        stored.rotateBackgroundEachRound = true;

        const AppPreferences result
            = AppStorageService::reconciledBackgroundLibrary(stored, home.background());
        QCOMPARE(result.backgroundLibrary.size(), 30);
        QStringList expected { QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("B") };
        for (int i = 1; i <= 27; ++i)
            expected.append((i % 2 ? QStringLiteral("img") : QStringLiteral("Img")) + QString::number(i));
        QCOMPARE(names(result.backgroundLibrary), expected);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(result.backgroundLibrary[i], stored.backgroundLibrary[i]);
        QCOMPARE(result.backgroundLibrary[5].path, join(home.background(), QStringLiteral("img3.mp4")));
        QCOMPARE(result.activeBackgroundID, stored.activeBackgroundID);
        QCOMPARE(result.backgroundPath, std::optional(oldB));
        QVERIFY(result.rotateBackgroundEachRound);
        QCOMPARE(result.items, stored.items);
        QCOMPARE(result.palette, stored.palette);
    }

    void scanOrderIsTheFileBrowsers_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("digit runs by value, any case")
            << QStringList { QStringLiteral("img10.jpg"), QStringLiteral("Img2.jpg"),
                   QStringLiteral("img9.jpg") }
            << QStringList { QStringLiteral("Img2.jpg"), QStringLiteral("img9.jpg"),
                   QStringLiteral("img10.jpg") };
        QTest::newRow("letters ignore case")
            << QStringList { QStringLiteral("b.png"), QStringLiteral("a10.png"), QStringLiteral("A2.png"),
                   QStringLiteral("C.gif") }
            << QStringList { QStringLiteral("A2.png"), QStringLiteral("a10.png"), QStringLiteral("b.png"),
                   QStringLiteral("C.gif") };
        QTest::newRow("spaces before numbers")
            << QStringList { QStringLiteral("photo 10.jpg"), QStringLiteral("photo 1.jpg"),
                   QStringLiteral("photo 2.jpg") }
            << QStringList { QStringLiteral("photo 1.jpg"), QStringLiteral("photo 2.jpg"),
                   QStringLiteral("photo 10.jpg") };
        QTest::newRow("whole paths, folders included")
            << QStringList { QStringLiteral("z.jpg"), QStringLiteral("sub/x.jpg"), QStringLiteral("a.jpg") }
            << QStringList { QStringLiteral("a.jpg"), QStringLiteral("sub/x.jpg"), QStringLiteral("z.jpg") };
    }

    void scanOrderIsTheFileBrowsers()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, expected);
        MediaHome home;
        for (const QString &file : files)
            touch(join(home.background(), file));
        QStringList expectedPaths;
        for (const QString &file : expected)
            expectedPaths.append(join(home.background(), file));
        QCOMPARE(AppStorageService::supportedBackgroundFiles(home.background()), expectedPaths);
    }

    void scanTakesOnlyVisibleRegularImagesAndMovies()
    {
        MediaHome home;
        const QString bg = home.background();
        touch(join(bg, QStringLiteral("photo.jpg")));
        touch(join(bg, QStringLiteral("loop.gif")));
        touch(join(bg, QStringLiteral("clip.MOV")));
        touch(join(bg, QStringLiteral("deep/deeper/still.png")));
        touch(join(bg, QStringLiteral("song.mp3")));
        touch(join(bg, QStringLiteral("notes.txt")));
        touch(join(bg, QStringLiteral("noextension")));
        touch(join(bg, QStringLiteral(".hidden.jpg")));
        touch(join(bg, QStringLiteral(".hidden-folder/inside.jpg")));
        touch(home.picked(QStringLiteral("outside.jpg")));
        QVERIFY(
            QFile::link(home.picked(QStringLiteral("outside.jpg")), join(bg, QStringLiteral("link.jpg"))));
        QVERIFY(QFile::link(home.picked(QString()), join(bg, QStringLiteral("linked-folder"))));
        QDir().mkpath(join(bg, QStringLiteral("folder.jpg")));
        QCOMPARE(mkfifo(QFile::encodeName(join(bg, QStringLiteral("pipe.jpg"))).constData(), 0600), 0);

        const QStringList expected { join(bg, QStringLiteral("clip.MOV")),
            join(bg, QStringLiteral("deep/deeper/still.png")), join(bg, QStringLiteral("loop.gif")),
            join(bg, QStringLiteral("photo.jpg")) };
        QCOMPARE(AppStorageService::supportedBackgroundFiles(bg), expected);
        QCOMPARE(AppStorageService::supportedBackgroundFiles(bg + QStringLiteral("/./deep/..")), expected);
        QCOMPARE(
            AppStorageService::supportedBackgroundFiles(join(bg, QStringLiteral("missing"))), QStringList());
    }

    void reconcileStandardizesDropsDuplicatesAndOutsiders()
    {
        MediaHome home;
        const QString bg = home.background();
        const QString first = join(bg, uuid1 + QStringLiteral("/first.jpg"));
        const QString second = join(bg, uuid2 + QStringLiteral("/second.jpg"));
        touch(first);
        touch(second);
        const QString outside = join(home.application(), QStringLiteral("custom-background.jpg"));
        touch(outside);

        AppPreferences stored;
        stored.backgroundLibrary = {
            itemAt(outside, QStringLiteral("outside")),
            itemAt(bg + QStringLiteral("/./") + uuid1 + QStringLiteral("/gone/../first.jpg"),
                QStringLiteral("dots")),
            itemAt(first, QStringLiteral("duplicate")),
            itemAt(join(bg, QStringLiteral("missing.jpg")), QStringLiteral("missing")),
            itemAt(second, QStringLiteral("second")),
        };
        stored.activeBackgroundID = stored.backgroundLibrary[0].id;
        stored.backgroundPath = outside;

        const AppPreferences result = AppStorageService::reconciledBackgroundLibrary(stored, bg);
        QCOMPARE(names(result.backgroundLibrary),
            (QStringList { QStringLiteral("dots"), QStringLiteral("second") }));
        QCOMPARE(result.backgroundLibrary[0].path, first);
        QCOMPARE(result.backgroundLibrary[0].id, stored.backgroundLibrary[1].id);
        QCOMPARE(result.activeBackgroundID, std::optional(result.backgroundLibrary[0].id));
        QCOMPARE(result.backgroundPath, std::optional(first));
    }

    void reconcileSettlesTheActiveItem_data()
    {
        QTest::addColumn<int>("activeIndex");
        QTest::addColumn<QString>("backgroundPath");
        QTest::addColumn<int>("expectedIndex");

        // Items 0 and 1 are kept; item 2 is dropped (its file is gone).
        QTest::newRow("id of a kept item wins over the path") << 1 << QStringLiteral("first") << 1;
        QTest::newRow("dropped id, path of a kept item") << 2 << QStringLiteral("second") << 1;
        QTest::newRow("dropped id, path differs in standardisation")
            << 2 << QStringLiteral("second-dotted") << 0;
        QTest::newRow("dropped id, no path") << 2 << QString() << 0;
        QTest::newRow("no id, path of a kept item") << -1 << QStringLiteral("second") << 1;
        QTest::newRow("no id, unknown path") << -1 << QStringLiteral("/x/y.jpg") << 0;
    }

    void reconcileSettlesTheActiveItem()
    {
        QFETCH(int, activeIndex);
        QFETCH(QString, backgroundPath);
        QFETCH(int, expectedIndex);
        MediaHome home;
        const QString bg = home.background();
        const QString first = join(bg, uuid1 + QStringLiteral("/first.jpg"));
        const QString second = join(bg, uuid2 + QStringLiteral("/second.jpg"));
        touch(first);
        touch(second);
        AppPreferences stored;
        stored.backgroundLibrary
            = { itemAt(first), itemAt(second), itemAt(join(bg, QStringLiteral("gone.jpg"))) };
        if (activeIndex >= 0)
            stored.activeBackgroundID = stored.backgroundLibrary[activeIndex].id;
        if (backgroundPath == QStringLiteral("first"))
            stored.backgroundPath = first;
        else if (backgroundPath == QStringLiteral("second"))
            stored.backgroundPath = second;
        else if (backgroundPath == QStringLiteral("second-dotted"))
            stored.backgroundPath = bg + QStringLiteral("/./") + uuid2 + QStringLiteral("/second.jpg");
        else if (!backgroundPath.isEmpty())
            stored.backgroundPath = backgroundPath;

        const AppPreferences result = AppStorageService::reconciledBackgroundLibrary(stored, bg);
        QCOMPARE(result.backgroundLibrary.size(), 2);
        QCOMPARE(result.activeBackgroundID, std::optional(stored.backgroundLibrary[expectedIndex].id));
        QCOMPARE(result.backgroundPath, std::optional(stored.backgroundLibrary[expectedIndex].path));
    }

    void reconcileRotationAndEmptyLibrary_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<bool>("rotation");

        QTest::newRow("no file") << 0 << false;
        QTest::newRow("one file") << 1 << false;
        QTest::newRow("two files") << 2 << true;
    }

    void reconcileRotationAndEmptyLibrary()
    {
        QFETCH(int, files);
        QFETCH(bool, rotation);
        MediaHome home;
        for (int i = 0; i < files; ++i)
            touch(join(home.background(), QStringLiteral("b%1.jpg").arg(i)));
        AppPreferences stored;
        stored.backgroundLibrary = { itemAt(QStringLiteral("/gone/a.jpg")) };
        stored.activeBackgroundID = stored.backgroundLibrary[0].id;
        stored.backgroundPath = QStringLiteral("/gone/a.jpg");
        stored.rotateBackgroundEachRound = true;

        const AppPreferences result
            = AppStorageService::reconciledBackgroundLibrary(stored, home.background());
        QCOMPARE(result.backgroundLibrary.size(), files);
        QCOMPARE(result.rotateBackgroundEachRound, rotation);
        QCOMPARE(result.activeBackgroundID.has_value(), files > 0);
        QCOMPARE(result.backgroundPath.has_value(), files > 0);
    }

    void reconcileCutsAnOversizedLibraryAndCreatesTheFolder()
    {
        MediaHome home;
        const QString bg = home.background();
        AppPreferences stored;
        for (int i = 0; i < 35; ++i) {
            const QString path = join(bg, QStringLiteral("%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
            touch(path);
            stored.backgroundLibrary.append(itemAt(path, QString::number(i)));
        }
        const AppPreferences result = AppStorageService::reconciledBackgroundLibrary(stored, bg);
        QCOMPARE(result.backgroundLibrary, stored.backgroundLibrary.first(30));

        QDir(bg).removeRecursively();
        const AppPreferences empty = AppStorageService::reconciledBackgroundLibrary(stored, bg);
        QVERIFY(QFileInfo(bg).isDir());
        QVERIFY(empty.backgroundLibrary.isEmpty());
        QVERIFY(!empty.activeBackgroundID);
        QVERIFY(!empty.backgroundPath);
    }

    void adoptedNamesAreTrimmed_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("name");

        QTest::newRow("plain") << QStringLiteral("Forest.jpg") << QStringLiteral("Forest");
        QTest::newRow("last extension only")
            << QStringLiteral("city.night.png") << QStringLiteral("city.night");
        QTest::newRow("white space") << QStringLiteral("  Dunes \t.gif") << QStringLiteral("Dunes");
        QTest::newRow("white space only")
            << QStringLiteral("   .jpg") << QStringLiteral("Untitled Background");
    }

    void adoptedNamesAreTrimmed()
    {
        QFETCH(QString, file);
        QFETCH(QString, name);
        MediaHome home;
        touch(join(home.background(), file));
        const AppPreferences result
            = AppStorageService::reconciledBackgroundLibrary(AppPreferences(), home.background());
        QCOMPARE(names(result.backgroundLibrary), QStringList { name });
    }

    void importKeepsTheNameInAFreshFolder_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("copy");

        QTest::newRow("plain") << QStringLiteral("photo.JPG") << QStringLiteral("photo.JPG");
        QTest::newRow("trimmed") << QStringLiteral(" \tclip.mov\n") << QStringLiteral("clip.mov");
        QTest::newRow("no extension") << QStringLiteral("wallpaper") << QStringLiteral("wallpaper");
        QTest::newRow("white space only, no extension")
            << QStringLiteral("   ") << QStringLiteral("imported-media.dat");
        // A hidden copy would be invisible to the scan and to the clean-up.
        QTest::newRow("white space then extension")
            << QStringLiteral(" .JPG") << QStringLiteral("imported-media.JPG");
        QTest::newRow("hidden name") << QStringLiteral(".wallpaper.jpg")
                                     << QStringLiteral("imported-media.wallpaper.jpg");
    }

    void importKeepsTheNameInAFreshFolder()
    {
        QFETCH(QString, picked);
        QFETCH(QString, copy);
        MediaHome home;
        const QString source = home.picked(picked);
        touch(source, "picture bytes");

        const Result<QString> imported = AppStorageService::importManagedFile(source, home.background());
        QVERIFY2(imported.ok(), qPrintable(imported.ok() ? QString() : imported.error()));
        const QFileInfo file(*imported);
        QCOMPARE(file.fileName(), copy);
        const QString folder = file.dir().dirName();
        QVERIFY(Uuid::parse(folder));
        QCOMPARE(folder, folder.toLower());
        QCOMPARE(file.dir().absolutePath(), join(home.background(), folder));
        QCOMPARE(subfolders(home.background()), QStringList { folder });
        QCOMPARE(readFileBytes(*imported), QByteArray("picture bytes"));
        QCOMPARE(readFileBytes(source), QByteArray("picture bytes"));
        QVERIFY(AppStorageService::isManagedImportedMediaFile(*imported, home.media()));
        // The copy is visible to the scan, so the library can adopt it.
        QCOMPARE(AppStorageService::supportedBackgroundFiles(home.background()).contains(*imported),
            MediaTypes::isBackgroundMedia(copy));
    }

    void failedImportLeavesNoFolder_data()
    {
        QTest::addColumn<QString>("source");

        QTest::newRow("missing file") << QStringLiteral("missing.jpg");
        QTest::newRow("a folder") << QStringLiteral("folder.jpg");
    }

    void failedImportLeavesNoFolder()
    {
        QFETCH(QString, source);
        MediaHome home;
        QDir().mkpath(home.picked(QStringLiteral("folder.jpg")));
        const Result<QString> imported
            = AppStorageService::importManagedFile(home.picked(source), home.background());
        QVERIFY(!imported.ok());
        QVERIFY(imported.error().contains(source));
        QCOMPARE(subfolders(home.background()), QStringList());
    }

    void importIntoAnUncreatableFolderFails()
    {
        MediaHome home;
        touch(home.picked(QStringLiteral("a.jpg")));
        const QString blocked = join(home.media(), QStringLiteral("blocked"));
        touch(blocked);
        QVERIFY(!AppStorageService::importManagedFile(home.picked(QStringLiteral("a.jpg")), blocked).ok());
    }

    void musicImportNamesTracks_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<AudioPlaylistKind>("kind");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("name");

        QTest::newRow("focus") << QStringLiteral("Rain.mp3") << AudioPlaylistKind::focus
                               << AppLanguage::english << QStringLiteral("Rain");
        QTest::newRow("reminder") << QStringLiteral("Bell.m4a") << AudioPlaylistKind::reminder
                                  << AppLanguage::chinese << QStringLiteral("Bell");
        QTest::newRow("trimmed") << QStringLiteral("  Waves \n.wav") << AudioPlaylistKind::focus
                                 << AppLanguage::english << QStringLiteral("Waves");
        QTest::newRow("last extension only") << QStringLiteral("live.2024.mp3") << AudioPlaylistKind::focus
                                             << AppLanguage::english << QStringLiteral("live.2024");
        QTest::newRow("untitled, English") << QStringLiteral(" .mp3") << AudioPlaylistKind::focus
                                           << AppLanguage::english << QStringLiteral("Untitled Track");
        QTest::newRow("untitled, Chinese") << QStringLiteral(" .mp3") << AudioPlaylistKind::reminder
                                           << AppLanguage::chinese << QStringLiteral("未命名音乐");
    }

    void musicImportNamesTracks()
    {
        QFETCH(QString, picked);
        QFETCH(AudioPlaylistKind, kind);
        QFETCH(AppLanguage, language);
        QFETCH(QString, name);
        MediaHome home;
        touch(home.picked(picked), "sound");

        const auto tracks
            = AppStorageService::importAudioTracks({ home.picked(picked) }, kind, language, home.root());
        QVERIFY(tracks.ok());
        QCOMPARE(tracks->size(), 1);
        const AudioTrack &track = tracks->first();
        QCOMPARE(track.name, name);
        QVERIFY(!track.id.isNull());
        const QString folder = kind == AudioPlaylistKind::focus ? home.focus() : home.reminder();
        QCOMPARE(QFileInfo(QFileInfo(track.path).absolutePath()).absolutePath(), folder);
        QCOMPARE(readFileBytes(track.path), QByteArray("sound"));
        QVERIFY(!QFileInfo(track.path).fileName().startsWith(u'.'));
    }

    void musicImportStopsAtTheFirstFailure()
    {
        MediaHome home;
        touch(home.picked(QStringLiteral("one.mp3")), "one");
        touch(home.picked(QStringLiteral("three.mp3")), "three");
        const QStringList picked { home.picked(QStringLiteral("one.mp3")),
            home.picked(QStringLiteral("two.mp3")), home.picked(QStringLiteral("three.mp3")) };

        const auto tracks = AppStorageService::importAudioTracks(
            picked, AudioPlaylistKind::focus, AppLanguage::english, home.root());
        QVERIFY(!tracks.ok());
        QVERIFY(tracks.error().contains(QStringLiteral("two.mp3")));
        const QStringList folders = subfolders(home.focus());
        QCOMPARE(folders.size(), 1);
        QCOMPARE(readFileBytes(join(home.focus(), folders.first() + QStringLiteral("/one.mp3"))),
            QByteArray("one"));
        QCOMPARE(subfolders(home.reminder()), QStringList());
    }

    void recognition_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("file");
        QTest::addColumn<bool>("folder");

        const QString upper = uuid1.toUpper();
        QTest::newRow("import copy") << QStringLiteral("Focus/") + uuid1 + QStringLiteral("/x.mp3") << true
                                     << false;
        QTest::newRow("upper-case folder")
            << QStringLiteral("Focus/") + upper + QStringLiteral("/x.mp3") << true << false;
        QTest::newRow("deeper file") << QStringLiteral("Background/") + uuid1 + QStringLiteral("/sub/x.jpg")
                                     << true << false;
        QTest::newRow("import folder") << QStringLiteral("Reminder/") + uuid1 << false << true;
        QTest::newRow("dot components")
            << QStringLiteral("Focus/./") + uuid1 + QStringLiteral("/x.mp3") << true << false;
        QTest::newRow("thumbnail") << QStringLiteral("Thumbnails/abc.jpg") << false << false;
        QTest::newRow("hand-placed file") << QStringLiteral("Background/photo.jpg") << false << false;
        QTest::newRow("non-UUID folder") << QStringLiteral("Background/mine/photo.jpg") << false << false;
        QTest::newRow("braced UUID") << QStringLiteral("Focus/{") + uuid1 + QStringLiteral("}/x.mp3") << false
                                     << false;
        QTest::newRow("UUID first") << uuid1 + QStringLiteral("/x.mp3") << false << false;
        QTest::newRow("kind folder") << QStringLiteral("Focus") << false << false;
    }

    void recognition()
    {
        QFETCH(QString, relative);
        QFETCH(bool, file);
        QFETCH(bool, folder);
        const QString root = QStringLiteral("/data/Quorvane/Media");
        QCOMPARE(AppStorageService::isManagedImportedMediaFile(join(root, relative), root), file);
        QCOMPARE(AppStorageService::isManagedImportedDirectory(join(root, relative), root), folder);
    }

    void cleanupDeletesOnlyUnreferencedManagedCopies()
    {
        MediaHome home;
        const QString app = home.application();
        const QString thumbnail = join(home.media(), QStringLiteral("Thumbnails/0123abcd.jpg"));
        const QString handPlaced = join(home.background(), QStringLiteral("hand.jpg"));
        const QString nonUuid = join(home.background(), QStringLiteral("mine/kept.jpg"));
        const QString referencedBackground = join(home.background(), uuid1 + QStringLiteral("/ref.jpg"));
        const QString referencedTrack = join(home.reminder(), uuid2 + QStringLiteral("/bell.mp3"));
        const QString orphan = join(home.focus(), uuid3 + QStringLiteral("/x.mp3"));
        const QString orphanDeep = join(home.focus(), uuid4 + QStringLiteral("/sub/deep.mp3"));
        const QString hiddenOnly = join(home.reminder(), uuid3 + QStringLiteral("/.directory"));
        const QString emptyImport = join(home.background(), uuid4);
        const QString upperOrphan = join(home.background(), uuid2.toUpper() + QStringLiteral("/old.jpg"));
        for (const QString &path : { thumbnail, handPlaced, nonUuid, referencedBackground, referencedTrack,
                 orphan, orphanDeep, hiddenOnly, upperOrphan })
            touch(path);
        QDir().mkpath(emptyImport);
        const QString legacyImage = join(app, QStringLiteral("custom-background.jpg"));
        const QString legacyReferenced = join(app, QStringLiteral("custom-background-2.png"));
        const QString legacyUpper = join(app, QStringLiteral("Custom-Background.jpg"));
        const QString legacySound = join(app, QStringLiteral("old.MP3"));
        const QString legacyHidden = join(app, QStringLiteral(".old.mp3"));
        const QStringList stateFiles { join(app, QStringLiteral("preferences.json")),
            join(app, QStringLiteral("recent-history.json")),
            join(app, QStringLiteral("active-focus-session.json")),
            join(app, QStringLiteral("daily-activity-log.csv")),
            join(app, QStringLiteral("focus-session-log.csv")) };
        for (const QString &path :
            QStringList { legacyImage, legacyReferenced, legacyUpper, legacySound, legacyHidden }
                + stateFiles)
            touch(path);

        AppPreferences preferences;
        preferences.backgroundLibrary = { itemAt(referencedBackground) };
        preferences.backgroundPath = legacyReferenced;
        preferences.reminderPlaylist.tracks = { { QUuid::createUuid(), QStringLiteral("bell"),
            home.reminder() + QStringLiteral("/x/../") + uuid2 + QStringLiteral("/bell.mp3") } };

        QVERIFY(AppStorageService::cleanupUnreferencedMedia(preferences, app).ok());

        for (const QString &kept :
            QStringList { thumbnail, handPlaced, nonUuid, referencedBackground, referencedTrack, hiddenOnly,
                legacyReferenced, legacyUpper, legacyHidden }
                + stateFiles)
            QVERIFY2(QFileInfo::exists(kept), qPrintable(kept));
        for (const QString &gone : { orphan, orphanDeep, upperOrphan, legacyImage, legacySound })
            QVERIFY2(!QFileInfo::exists(gone), qPrintable(gone));
        // Emptied import folders go; a folder holding only a hidden file, or a non-import folder, stays.
        QVERIFY(!QFileInfo::exists(QFileInfo(orphan).absolutePath()));
        QVERIFY(!QFileInfo::exists(emptyImport));
        QVERIFY(!QFileInfo::exists(QFileInfo(upperOrphan).absolutePath()));
        QVERIFY(QFileInfo::exists(join(home.focus(), uuid4 + QStringLiteral("/sub"))));
        QVERIFY(QFileInfo::exists(QFileInfo(hiddenOnly).absolutePath()));
        QVERIFY(QFileInfo(home.focus()).isDir());
        QVERIFY(QFileInfo(home.media() + QStringLiteral("/Thumbnails")).isDir());
    }

    void cleanupWithoutMediaStillSweepsLegacyFiles()
    {
        MediaHome home;
        QDir(home.media()).removeRecursively();
        const QString legacy = join(home.application(), QStringLiteral("custom-background-old.heic"));
        touch(legacy);
        QVERIFY(AppStorageService::cleanupUnreferencedMedia(AppPreferences(), home.application()).ok());
        QVERIFY(!QFileInfo::exists(legacy));
        QVERIFY(!QFileInfo::exists(home.media()));
    }

    void cleanupStopsAtTheFirstRemovalError()
    {
        MediaHome home;
        const QString orphan = join(home.focus(), uuid1 + QStringLiteral("/x.mp3"));
        touch(orphan);
        const QString legacy = join(home.application(), QStringLiteral("custom-background.jpg"));
        touch(legacy);
        Status cleaned;
        {
            const ReadOnlyFolder readOnly(QFileInfo(orphan).absolutePath(), home.root());
            cleaned = AppStorageService::cleanupUnreferencedMedia(AppPreferences(), home.application());
        }
        QVERIFY(!cleaned.ok());
        QVERIFY2(cleaned.error().contains(orphan), qPrintable(cleaned.error()));
        QVERIFY(QFileInfo::exists(orphan));
        QVERIFY(QFileInfo::exists(legacy));
    }

    void cleanupOfAMissingApplicationFolderFails()
    {
        MediaHome home;
        QVERIFY(!AppStorageService::cleanupUnreferencedMedia(
            AppPreferences(), join(home.root(), QStringLiteral("none")))
                     .ok());
    }

    void removeBackgroundMediaStaysInsideTheBackgroundFolder()
    {
        MediaHome home;
        const QString bg = home.background();
        const QString imported = join(bg, uuid1 + QStringLiteral("/a.jpg"));
        const QString withHidden = join(bg, uuid2 + QStringLiteral("/b.jpg"));
        const QString hidden = join(bg, uuid2 + QStringLiteral("/.directory"));
        const QString handPlaced = join(bg, QStringLiteral("hand.jpg"));
        const QString nonUuid = join(bg, QStringLiteral("mine/c.jpg"));
        const QString sibling = join(home.media(), QStringLiteral("Background-old/d.jpg"));
        const QString outside = join(home.application(), QStringLiteral("custom-background.jpg"));
        const QString music = join(home.focus(), uuid3 + QStringLiteral("/x.mp3"));
        for (const QString &path :
            { imported, withHidden, hidden, handPlaced, nonUuid, sibling, outside, music })
            touch(path);

        AppStorageService::removeBackgroundMedia(
            { imported, withHidden, handPlaced, nonUuid, sibling, outside, music, bg,
                bg + QStringLiteral("/"),
                bg + QStringLiteral("/../Focus/") + uuid3 + QStringLiteral("/x.mp3"),
                join(bg, QStringLiteral("gone.jpg")), join(bg, uuid4 + QStringLiteral("/gone.jpg")) },
            bg);

        for (const QString &gone : { imported, withHidden, handPlaced, nonUuid })
            QVERIFY2(!QFileInfo::exists(gone), qPrintable(gone));
        for (const QString &kept : { hidden, sibling, outside, music })
            QVERIFY2(QFileInfo::exists(kept), qPrintable(kept));
        QVERIFY(!QFileInfo::exists(QFileInfo(imported).absolutePath()));
        QVERIFY(QFileInfo(QFileInfo(withHidden).absolutePath()).isDir());
        QVERIFY(QFileInfo(join(bg, QStringLiteral("mine"))).isDir());
        QVERIFY(QFileInfo(bg).isDir());
    }
};

QUORVANE_TEST_GUILESS_MAIN(ManagedMediaTest)
#include "tst_managed_media.moc"
