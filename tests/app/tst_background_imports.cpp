#include "ControllerHarness.h"
#include "MediaFixtures.h"
#include "TestProgram.h"
#include "core/MediaTypes.h"
#include "core/Uuid.h"
#include "media/AudioController.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <sys/stat.h>

namespace {

// The regular files below a folder, at any depth.
QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (entries.hasNext())
        files.append(entries.next());
    return files;
}

QList<QUrl> fileUrls(const QStringList &paths)
{
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    return urls;
}

QStringList namesOf(const QList<BackgroundMediaItem> &items)
{
    QStringList names;
    for (const BackgroundMediaItem &item : items)
        names.append(item.name);
    return names;
}

// The copies that importing the addresses as music (for the focus list) or as backgrounds made.
QStringList importedPaths(AppController &controller, const QList<QUrl> &urls, bool music)
{
    QStringList paths;
    if (music) {
        for (const AudioTrack &track : controller.importAudioFiles(urls, AudioPlaylistKind::focus))
            paths.append(track.path);
    } else {
        for (const BackgroundMediaItem &item : controller.importBackgroundMediaFiles(urls))
            paths.append(item.path);
    }
    return paths;
}

QString storedActiveBackground(const ControllerHarness &harness)
{
    return QJsonDocument::fromJson(readFileBytes(harness.file(QStringLiteral("preferences.json"))))
        .object()
        .value(QStringLiteral("activeBackgroundID"))
        .toString();
}

bool writeImage(const QString &path, Qt::GlobalColor color)
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(color);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.save(path);
}

} // namespace

class BackgroundImportsTest : public QObject
{
    Q_OBJECT

private:
    // Files the user picks or drops, made in a folder of their own. Each ends with "bytes of " and its
    // name; one named as a picture begins with a PNG picture, unless its name begins with "broken".
    QStringList pickedFiles(const ControllerHarness &harness, const QStringList &names)
    {
        QStringList paths;
        for (const QString &name : names) {
            const QString path = harness.home.filePath(QStringLiteral("picked/") + name);
            const bool picture
                = MediaTypes::kindForFileName(name) == MediaKind::image && !name.startsWith(u"broken");
            [&] {
                QVERIFY(writeFileBytes(
                    path, (picture ? MediaFixtures::pngBytes() : "") + "bytes of " + name.toUtf8()));
            }();
            paths.append(path);
        }
        return paths;
    }

    // A background library of images (and a video for every "mp4" name) in the managed folder, stored
    // before the controller starts.
    AppController &startWithLibrary(ControllerHarness &harness, const QStringList &names, int active,
        AppPreferences stored = AppPreferences())
    {
        for (const QString &name : names) {
            const QString path = harness.file(
                QStringLiteral("Media/Background/%1/%2").arg(Uuid::lowerText(QUuid::createUuid()), name));
            [&] { QVERIFY(writeFileBytes(path, "media")); }();
            stored.backgroundLibrary.append({ QUuid::createUuid(), name, path });
        }
        if (active >= 0)
            stored.activeBackgroundID = stored.backgroundLibrary[active].id;
        return harness.startWithStored(stored);
    }

    void completeBreak(ControllerHarness &harness)
    {
        AppController &controller = *harness.controller;
        controller.round()->finishFocusNow();
        controller.breakWheel()->enterLockedBreak();
        controller.breakWheel()->spinWheel(0);
        QTRY_COMPARE(controller.round()->phase(), SessionPhase::Activity);
        controller.breakWheel()->confirmActivityCompleted();
        QCOMPARE(controller.round()->phase(), SessionPhase::Focus);
    }

private slots:
    void chooseBackgroundMediaFiles_data()
    {
        QTest::addColumn<qint64>("capacity");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("imported");
        QTest::addColumn<bool>("libraryFull");

        QTest::newRow("capacity 0") << qint64(0) << 5 << 0 << true;
        QTest::newRow("negative capacity") << qint64(-4) << 5 << 0 << true;
        QTest::newRow("capacity 2, five chosen") << qint64(2) << 5 << 2 << false;
        QTest::newRow("capacity 30, three chosen") << qint64(30) << 3 << 3 << false;
        QTest::newRow("cancelled") << qint64(5) << 0 << 0 << false;
    }

    void chooseBackgroundMediaFiles()
    {
        QFETCH(qint64, capacity);
        QFETCH(int, chosen);
        QFETCH(int, imported);
        QFETCH(bool, libraryFull);

        ControllerHarness harness;
        AppController &controller = harness.start();
        QStringList names;
        for (int i = 0; i < chosen; ++i)
            names.append(QStringLiteral("picture %1.png").arg(i));
        harness.picker->selection = pickedFiles(harness, names);

        const QList<BackgroundMediaItem> items = controller.chooseBackgroundMediaFiles(capacity);
        QCOMPARE(harness.picker->shown, libraryFull ? 0 : 1);
        QCOMPARE(items.size(), imported);
        QCOMPARE(namesOf(items), names.first(imported).replaceInStrings(QStringLiteral(".png"), QString()));
        QCOMPARE(filesBelow(AppStorageService::backgroundDirectory(harness.root())).size(), imported);
        for (const BackgroundMediaItem &item : items) {
            QVERIFY(AppStorageService::isManagedImportedMediaFile(
                item.path, AppStorageService::mediaDirectory(harness.root())));
            QVERIFY(readFileBytes(item.path).endsWith("bytes of " + item.name.toUtf8() + ".png"));
        }
        if (libraryFull) {
            QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("图库已满"));
            QCOMPARE(
                controller.sheets()->alertMessage(), QStringLiteral("背景图库最多保存 30 个图片或视频。"));
        } else {
            QVERIFY(!controller.sheets()->showingAlert());
            QCOMPARE(harness.picker->lastTitle, QStringLiteral("添加到背景图库"));
            const QList<FileTypeFilter> &filters = harness.picker->lastFilters;
            QCOMPARE(filters.size(), 2);
            QCOMPARE(filters[0].name, QStringLiteral("图片"));
            QVERIFY(filters[0].patterns.contains(QStringLiteral("*.png")));
            QCOMPARE(filters[1].name, QStringLiteral("视频"));
            QVERIFY(filters[1].patterns.contains(QStringLiteral("*.mp4")));
            QCOMPARE(harness.picker->lastStartFolder, QStandardPaths::PicturesLocation);
        }
        // Importing never changes the settings: the settings sheet adds the items to its own copy.
        QVERIFY(controller.preferences().backgroundLibrary.isEmpty());
    }

    void importBackgroundMediaFiles_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("alert");

        QTest::newRow("text and an image")
            << strings({ "notes.txt", "sea.png" }) << false << strings({ "sea" }) << QString();
        QTest::newRow("images and a video in order") << strings({ "b.JPG", "clip.mp4", "a.png" }) << false
                                                     << strings({ "b", "clip", "a" }) << QString();
        QTest::newRow("name kept but trimmed")
            << strings({ "  hill top .png" }) << false << strings({ "hill top" }) << QString();
        QTest::newRow("blank name") << strings({ "   .png" }) << false << strings({ "未命名背景" })
                                    << QString();
        QTest::newRow("blank name, English")
            << strings({ "   .png" }) << true << strings({ "Untitled Background" }) << QString();
        QTest::newRow("only text") << strings({ "notes.txt", "README" }) << false << QStringList()
                                   << QStringLiteral("没有可导入的背景");
        QTest::newRow("music only, English") << strings({ "song.mp3" }) << true << QStringList()
                                             << QStringLiteral("No Importable Backgrounds");
        // What decides is the content: a picture named by another picture type is read all the same.
        QTest::newRow("picture named as another type")
            << strings({ "sea.webp" }) << false << strings({ "sea" }) << QString();
        QTest::newRow("undecodable picture beside a good one")
            << strings({ "broken.png", "sea.png" }) << false << strings({ "sea" })
            << QStringLiteral("无法显示的图片");
        QTest::newRow("undecodable pictures, English")
            << strings({ "broken.heic", "broken.avif" }) << true << QStringList()
            << QStringLiteral("Pictures Cannot Be Shown");
        // A video's content is left to the player, which shows the plain colour for what it cannot play.
        QTest::newRow("undecodable video")
            << strings({ "broken.mp4" }) << false << strings({ "broken" }) << QString();
    }

    void importBackgroundMediaFiles()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, english);
        QFETCH(QStringList, names);
        QFETCH(QString, alert);

        ControllerHarness harness;
        AppPreferences stored;
        stored.language = english ? AppLanguage::english : AppLanguage::chinese;
        AppController &controller = harness.startWithStored(stored);

        const QList<BackgroundMediaItem> items
            = controller.importBackgroundMediaFiles(fileUrls(pickedFiles(harness, files)));
        QCOMPARE(namesOf(items), names);
        QCOMPARE(filesBelow(AppStorageService::backgroundDirectory(harness.root())).size(), names.size());
        QCOMPARE(controller.sheets()->showingAlert(), !alert.isEmpty());
        if (alert.contains(u"导入") || alert.contains(u"Import")) {
            QCOMPARE(controller.sheets()->alertTitle(), alert);
            QCOMPARE(controller.sheets()->alertMessage(),
                english ? QStringLiteral("Drop images or videos in a common format.")
                        : QStringLiteral("请拖入常见格式的图片或视频。"));
        } else if (!alert.isEmpty()) {
            QCOMPARE(controller.sheets()->alertTitle(), alert);
            QVERIFY(controller.sheets()->alertMessage().contains(english ? u"cannot decode" : u"无法解码"));
            for (const QString &file : files.filter(u"broken"))
                QVERIFY(controller.sheets()->alertMessage().contains(file));
        }
        for (const BackgroundMediaItem &item : items)
            QVERIFY(QFile::exists(item.path));
    }

    void remoteAddressesAreNotImported()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        QVERIFY(controller.importBackgroundMediaFiles({ QUrl(QStringLiteral("https://example.com/sea.png")) })
                    .isEmpty());
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("没有可导入的背景"));
    }

    void onlyRegularFilesAreImported_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("music");
        QTest::addColumn<bool>("imported");

        QTest::newRow("named pipe, music") << QStringLiteral("fifo") << true << false;
        QTest::newRow("named pipe, background") << QStringLiteral("fifo") << false << false;
        QTest::newRow("folder, music") << QStringLiteral("folder") << true << false;
        QTest::newRow("link to a device, music") << QStringLiteral("device link") << true << false;
        QTest::newRow("link to a device, background") << QStringLiteral("device link") << false << false;
        QTest::newRow("link to a regular file, music") << QStringLiteral("file link") << true << true;
        QTest::newRow("link to a regular file, background") << QStringLiteral("file link") << false << true;
    }

    void onlyRegularFilesAreImported()
    {
        QFETCH(QString, entry);
        QFETCH(bool, music);
        QFETCH(bool, imported);

        ControllerHarness harness;
        AppController &controller = harness.start();
        const QString path = harness.home.filePath(
            QStringLiteral("picked/x") + (music ? QStringLiteral(".mp3") : QStringLiteral(".png")));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        const QString target = harness.home.filePath(QStringLiteral("picked/target.bin"));
        const QByteArray targetBytes = music ? QByteArray("bytes of the target") : MediaFixtures::pngBytes();
        QVERIFY(writeFileBytes(target, targetBytes));
        if (entry == QStringLiteral("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (entry == QStringLiteral("folder"))
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(QFile::link(
                entry == QStringLiteral("device link") ? QStringLiteral("/dev/zero") : target, path));

        const QStringList copies = importedPaths(controller, fileUrls({ path }), music);
        QCOMPARE(copies.size(), imported ? 1 : 0);
        QCOMPARE(controller.sheets()->showingAlert(), !imported);
        if (imported)
            QCOMPARE(readFileBytes(copies.first()), targetBytes);
        QCOMPARE(filesBelow(AppStorageService::mediaDirectory(harness.root())), copies);
    }

    void importFailureReturnsNothing_data()
    {
        QTest::addColumn<bool>("music");
        QTest::addColumn<QString>("alert");

        QTest::newRow("backgrounds") << false << QStringLiteral("背景导入失败");
        QTest::newRow("music") << true << QStringLiteral("音乐导入失败");
    }

    void importFailureReturnsNothing()
    {
        QFETCH(bool, music);
        QFETCH(QString, alert);

        ControllerHarness harness;
        AppController &controller = harness.startWithStored(AppPreferences());
        const QString extension = music ? QStringLiteral(".mp3") : QStringLiteral(".png");
        QStringList files = pickedFiles(harness,
            { QStringLiteral("one") + extension, QStringLiteral("two") + extension,
                QStringLiteral("four") + extension });
        // The third file is gone by the time it is copied.
        files.insert(2, harness.home.filePath(QStringLiteral("picked/three") + extension));

        const qsizetype imported = music
            ? controller.importAudioFiles(fileUrls(files), AudioPlaylistKind::focus).size()
            : controller.importBackgroundMediaFiles(fileUrls(files)).size();
        QCOMPARE(imported, 0);
        QCOMPARE(controller.sheets()->alertTitle(), alert);
        QVERIFY(controller.sheets()->alertMessage().contains(QStringLiteral("three")));
        // The first two copies stay until the next clean-up finds nothing refers to them.
        const QString folder = music
            ? AppStorageService::musicDirectory(AudioPlaylistKind::focus, harness.root())
            : AppStorageService::backgroundDirectory(harness.root());
        QCOMPARE(filesBelow(folder).size(), 2);
        QCOMPARE(QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
        controller.cleanupUnreferencedMedia();
        QCOMPARE(filesBelow(folder).size(), 0);
    }

    void chooseAudioFiles_data()
    {
        QTest::addColumn<AudioPlaylistKind>("kind");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("folder");

        QTest::newRow("focus") << AudioPlaylistKind::focus << false << QStringLiteral("选择专注音乐")
                               << QStringLiteral("Focus");
        QTest::newRow("break, English") << AudioPlaylistKind::reminder << true
                                        << QStringLiteral("Choose Break Music") << QStringLiteral("Reminder");
    }

    void chooseAudioFiles()
    {
        QFETCH(AudioPlaylistKind, kind);
        QFETCH(bool, english);
        QFETCH(QString, title);
        QFETCH(QString, folder);

        ControllerHarness harness;
        AppPreferences stored;
        stored.language = english ? AppLanguage::english : AppLanguage::chinese;
        AppController &controller = harness.startWithStored(stored);

        QVERIFY(controller.chooseAudioFiles(kind).isEmpty());
        QCOMPARE(harness.picker->shown, 1);
        QVERIFY(!controller.sheets()->showingAlert());
        QCOMPARE(harness.picker->lastTitle, title);
        const QList<FileTypeFilter> &filters = harness.picker->lastFilters;
        QCOMPARE(filters.size(), 2);
        QCOMPARE(filters[0].name, english ? QStringLiteral("Music") : QStringLiteral("音乐"));
        for (const char *pattern : { "*.mp3", "*.wav", "*.m4a" })
            QVERIFY2(filters[0].patterns.contains(QString::fromLatin1(pattern)), pattern);
        QCOMPARE(filters[1].name, english ? QStringLiteral("Videos") : QStringLiteral("视频"));
        QCOMPARE(harness.picker->lastStartFolder, QStandardPaths::MusicLocation);

        harness.picker->selection
            = pickedFiles(harness, strings({ "calm.mp3", "readme.txt", " .wav", "talk.mp4" }));
        const QList<AudioTrack> tracks = controller.chooseAudioFiles(kind);
        QCOMPARE(tracks.size(), 3);
        QCOMPARE(tracks[0].name, QStringLiteral("calm"));
        QCOMPARE(tracks[1].name, english ? QStringLiteral("Untitled Track") : QStringLiteral("未命名音乐"));
        QCOMPARE(tracks[2].name, QStringLiteral("talk"));
        for (const AudioTrack &track : tracks)
            QVERIFY(
                track.path.startsWith(harness.file(QStringLiteral("Media/") + folder + QStringLiteral("/"))));
        QCOMPARE(readFileBytes(tracks[2].path), "bytes of talk.mp4");
        QVERIFY(controller.preferences().focusPlaylist.tracks.isEmpty());
        QVERIFY(controller.preferences().reminderPlaylist.tracks.isEmpty());
    }

    void nothingMusicalIsRefused()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        const QStringList files = pickedFiles(harness, strings({ "notes.txt", "sea.png" }));
        QVERIFY(controller.importAudioFiles(fileUrls(files), AudioPlaylistKind::reminder).isEmpty());
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("没有可导入的音乐"));
        QCOMPARE(controller.sheets()->alertMessage(),
            QStringLiteral("请拖入或选择 MP3、M4A、WAV、MP4 等音频或视频文件。"));
        QVERIFY(filesBelow(AppStorageService::mediaDirectory(harness.root())).isEmpty());
    }

    void rotationAfterABreak_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("active");
        QTest::addColumn<bool>("rotate");
        QTest::addColumn<int>("nextActive");

        QTest::newRow("three, last active") << 3 << 2 << true << 0;
        QTest::newRow("three, first active") << 3 << 0 << true << 1;
        QTest::newRow("rotation off") << 3 << 1 << false << 1;
        QTest::newRow("one item") << 1 << 0 << true << 0;
    }

    void rotationAfterABreak()
    {
        QFETCH(int, items);
        QFETCH(int, active);
        QFETCH(bool, rotate);
        QFETCH(int, nextActive);

        ControllerHarness harness;
        AppPreferences stored;
        stored.autoPalette = false;
        stored.rotateBackgroundEachRound = rotate;
        const QStringList names = strings({ "a.png", "b.png", "c.png" }).first(items);
        AppController &controller = startWithLibrary(harness, names, active, stored);
        const QList<BackgroundMediaItem> library = controller.preferences().backgroundLibrary;
        QCOMPARE(library.size(), items);

        completeBreak(harness);
        QCOMPARE(controller.preferences().activeBackgroundID, std::optional(library[nextActive].id));
        QCOMPARE(controller.preferences().backgroundPath, std::optional(library[nextActive].path));
        QCOMPARE(controller.appearance()->backgroundURL(), QUrl::fromLocalFile(library[nextActive].path));
        QCOMPARE(storedActiveBackground(harness), Uuid::upperText(library[nextActive].id));
    }

    void rotationTakesThePaletteOfReadableBackgrounds()
    {
        ControllerHarness harness;
        AppPreferences stored;
        stored.rotateBackgroundEachRound = true;
        AppController &controller
            = startWithLibrary(harness, strings({ "a.png", "b.png", "c.png" }), 0, stored);
        const QList<BackgroundMediaItem> library = controller.preferences().backgroundLibrary;
        // The second file is not a picture at all; the third one is blue.
        QVERIFY(writeImage(library[2].path, Qt::blue));
        const AppPalette before = controller.preferences().palette;

        completeBreak(harness);
        QCOMPARE(controller.preferences().activeBackgroundID, std::optional(library[1].id));
        QCOMPARE(controller.preferences().palette, before);

        completeBreak(harness);
        QCOMPARE(controller.preferences().activeBackgroundID, std::optional(library[2].id));
        QVERIFY(controller.preferences().palette != before);
    }

    void steppingResynchronisesMusicOnlyForVideoSound_data()
    {
        QTest::addColumn<int>("active");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<bool>("videoSound");
        QTest::addColumn<int>("nextActive");
        QTest::addColumn<qsizetype>("tracksPlaying");
        QTest::addColumn<qsizetype>("currentTrack");

        // Library: still, clip (a video), other still. The second focus track plays before the step;
        // a resynchronisation stops the music or starts it from its first track.
        QTest::newRow("image to video, video sound")
            << 0 << true << true << 1 << qsizetype(0) << qsizetype(0);
        QTest::newRow("image to image") << 2 << true << true << 0 << qsizetype(2) << qsizetype(1);
        QTest::newRow("image to image, backwards") << 0 << false << true << 2 << qsizetype(2) << qsizetype(1);
        QTest::newRow("video to image, video sound")
            << 1 << true << true << 2 << qsizetype(2) << qsizetype(0);
        QTest::newRow("image to video, no video sound")
            << 0 << true << false << 1 << qsizetype(2) << qsizetype(1);
    }

    void steppingResynchronisesMusicOnlyForVideoSound()
    {
        QFETCH(int, active);
        QFETCH(bool, forward);
        QFETCH(bool, videoSound);
        QFETCH(int, nextActive);
        QFETCH(qsizetype, tracksPlaying);
        QFETCH(qsizetype, currentTrack);

        ControllerHarness harness;
        AppPreferences stored;
        stored.autoPalette = false;
        stored.videoAudioTakesPriority = videoSound;
        stored.focusPlaylist.isEnabled = true;
        for (const QString &name : { QStringLiteral("one.wav"), QStringLiteral("two.wav") }) {
            const QString path = harness.file(
                QStringLiteral("Media/Focus/%1/%2").arg(Uuid::lowerText(QUuid::createUuid()), name));
            QVERIFY(writeFileBytes(path, "sound"));
            stored.focusPlaylist.tracks.append({ QUuid::createUuid(), name, path });
        }
        AppController &controller = startWithLibrary(
            harness, strings({ "a-still.png", "b-clip.mp4", "c-still.jpg" }), active, stored);
        const QList<BackgroundMediaItem> library = controller.preferences().backgroundLibrary;
        AudioController &audio = controller.music()->player();
        audio.advanceToNextTrack();

        controller.appearance()->selectAdjacentBackground(forward);
        QCOMPARE(controller.preferences().activeBackgroundID, std::optional(library[nextActive].id));
        QCOMPARE(storedActiveBackground(harness), Uuid::upperText(library[nextActive].id));
        QCOMPARE(audio.tracks().size(), tracksPlaying);
        QCOMPARE(audio.currentIndex(), currentTrack);
    }

    void steppingNeedsTwoItems()
    {
        ControllerHarness harness;
        AppController &controller = startWithLibrary(harness, strings({ "a.png" }), 0);
        const AppPreferences before = controller.preferences();
        QVERIFY(QFile::remove(harness.file(QStringLiteral("preferences.json"))));
        controller.appearance()->selectAdjacentBackground(true);
        controller.appearance()->selectAdjacentBackground(false);
        QCOMPARE(controller.preferences(), before);
        QVERIFY(!QFile::exists(harness.file(QStringLiteral("preferences.json"))));
    }

    void refreshFromDiskWritesOnlyChanges()
    {
        ControllerHarness harness;
        AppController &controller = startWithLibrary(harness, strings({ "a.png" }), 0);
        const QString preferences = harness.file(QStringLiteral("preferences.json"));
        QVERIFY(QFile::remove(preferences));
        controller.appearance()->refreshBackgroundLibraryFromDisk();
        QVERIFY(!QFile::exists(preferences));

        const QString added = harness.file(QStringLiteral("Media/Background/b.png"));
        QVERIFY(writeFileBytes(added, "media"));
        controller.appearance()->refreshBackgroundLibraryFromDisk();
        QCOMPARE(controller.preferences().backgroundLibrary.size(), 2);
        QCOMPARE(controller.preferences().backgroundLibrary[1].path, added);
        QCOMPARE(AppStorageService::loadPreferences(harness.root()).value(), controller.preferences());
    }
};

QUORVANE_TEST_GUILESS_MAIN(BackgroundImportsTest)
#include "tst_background_imports.moc"
