#include "ControllerHarness.h"
#include "SettingsFixtures.h"
#include "TestProgram.h"
#include "core/Uuid.h"
#include "media/AudioController.h"
#include "ui/settings/BackgroundLibraryModel.h"
#include "ui/settings/PlaylistModel.h"
#include "ui/settings/SettingsSession.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace SettingsFixtures;

namespace {

const QUuid idA = QUuid::fromString(u"{00000000-0000-0000-0000-00000000000a}"_s);
const QUuid idB = QUuid::fromString(u"{00000000-0000-0000-0000-00000000000b}"_s);
const QUuid idC = QUuid::fromString(u"{00000000-0000-0000-0000-00000000000c}"_s);

// A stored track whose file exists, so that the player takes it.
AudioTrack storedTrack(const ControllerHarness &harness, const QUuid &id, const QString &name)
{
    const QString path = harness.file(u"Media/Music/%1/%2.wav"_s.arg(Uuid::lowerText(id), name));
    [&] { QVERIFY(writeFileBytes(path, "RIFF")); }();
    return { id, name, path };
}

QList<AudioTrack> storedTracks(const ControllerHarness &harness, const QString &labels)
{
    const QHash<QChar, QUuid> ids { { u'A', idA }, { u'B', idB }, { u'C', idC } };
    QList<AudioTrack> tracks;
    for (const QChar label : labels)
        tracks.append(storedTrack(harness, ids.value(label, QUuid::createUuid()), QString(label)));
    return tracks;
}

QString namesOf(const QList<AudioTrack> &tracks)
{
    QString names;
    for (const AudioTrack &track : tracks)
        names += track.name;
    return names;
}

// Files outside the data folder, as the user picks or drops them.
QStringList userFiles(const QTemporaryDir &folder, const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names) {
        const QString path = folder.filePath(name);
        [&] { QVERIFY(writeFileBytes(path, "sound")); }();
        paths.append(path);
    }
    return paths;
}

// The rows as the view reads them, by name.
QString rowNames(const PlaylistModel &model)
{
    QString names;
    for (int row = 0; row < model.rowCount(); ++row)
        names += model.index(row).data(PlaylistModel::NameRole).toString();
    return names;
}

} // namespace

class PlaylistModelTest : public QObject
{
    Q_OBJECT

private:
    static PlaylistModel &editorOf(SettingsSession &session, const QString &kind)
    {
        return kind == u"focus"_s ? *session.focusPlaylist() : *session.reminderPlaylist();
    }

private slots:
    void pickerAndCount_data()
    {
        QTest::addColumn<int>("tracks");
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("modeEnabled");
        QTest::addColumn<QString>("countText");
        QTest::newRow("none, chinese") << 0 << u"chinese"_s << false << u"0 首"_s;
        QTest::newRow("none, english") << 0 << u"english"_s << false << u"0 tracks"_s;
        QTest::newRow("one, chinese") << 1 << u"chinese"_s << false << u"1 首"_s;
        QTest::newRow("one, english stays plural") << 1 << u"english"_s << false << u"1 tracks"_s;
        QTest::newRow("two, chinese") << 2 << u"chinese"_s << true << u"2 首"_s;
        QTest::newRow("two, english") << 2 << u"english"_s << true << u"2 tracks"_s;
    }

    void pickerAndCount()
    {
        QFETCH(int, tracks);
        QFETCH(QString, language);
        QFETCH(bool, modeEnabled);
        QFETCH(QString, countText);
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.reminderPlaylist.playbackMode = AudioPlaybackMode::shuffle;
        preferences.reminderPlaylist.tracks = storedTracks(harness, u"ABC"_s.first(tracks));
        AppController &controller = harness.startWithStored(preferences);
        SettingsSession &session = open(controller);
        session.setLanguageName(language);
        PlaylistModel &model = *session.reminderPlaylist();

        QCOMPARE(model.modeEnabled(), modeEnabled);
        QCOMPARE(model.countText(), countText);
        QCOMPARE(model.isEmpty(), tracks == 0);
        // A disabled picker still shows the stored mode.
        QCOMPARE(model.playbackModeName(), u"shuffle"_s);
    }

    void addingASecondTrackEnablesThePicker()
    {
        ControllerHarness harness;
        AppController &controller = harness.startWithStored(AppPreferences());
        PlaylistModel &model = *open(controller).focusPlaylist();
        QTemporaryDir picked;
        QSignalSpy counted(&model, &PlaylistModel::countChanged);

        harness.picker->selection = userFiles(picked, { u"one.mp3"_s });
        model.addFromPanel();
        QVERIFY(!model.modeEnabled());
        harness.picker->selection = userFiles(picked, { u"two.mp3"_s });
        model.addFromPanel();

        QVERIFY(model.modeEnabled());
        QCOMPARE(counted.size(), 2);
        QCOMPARE(model.countText(), u"2 首"_s);
    }

    void currentAndPaused_data()
    {
        QTest::addColumn<QString>("playing");
        QTest::addColumn<bool>("pause");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("current");
        QTest::addColumn<bool>("paused");
        // The shared row's capsule text; the symbol is the waveform exactly when the row is current.
        QTest::addColumn<QString>("status");
        QTest::newRow("focus plays, focus editor")
            << u"focus"_s << false << u"focus"_s << false << true << false << u"正在播放"_s;
        QTest::newRow("focus plays, same id in break editor")
            << u"focus"_s << false << u"reminder"_s << false << false << false << QString();
        QTest::newRow("focus paused")
            << u"focus"_s << true << u"focus"_s << false << true << true << u"已暂停"_s;
        QTest::newRow("focus paused, English")
            << u"focus"_s << true << u"focus"_s << true << true << true << u"Paused"_s;
        QTest::newRow("focus paused, same id in break editor")
            << u"focus"_s << true << u"reminder"_s << false << false << false << QString();
        QTest::newRow("break plays, break editor")
            << u"reminder"_s << false << u"reminder"_s << false << true << false << u"正在播放"_s;
        QTest::newRow("break plays, English")
            << u"reminder"_s << false << u"reminder"_s << true << true << false << u"Playing"_s;
        QTest::newRow("break plays, same id in focus editor")
            << u"reminder"_s << false << u"focus"_s << false << false << false << QString();
        QTest::newRow("no record") << u"none"_s << false << u"focus"_s << false << false << false
                                   << QString();
    }

    void currentAndPaused()
    {
        QFETCH(QString, playing);
        QFETCH(bool, pause);
        QFETCH(QString, editor);
        QFETCH(bool, english);
        QFETCH(bool, current);
        QFETCH(bool, paused);
        QFETCH(QString, status);
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.language = english ? AppLanguage::english : AppLanguage::chinese;
        // The same track id first in both lists, so that either playlist starts with it.
        const AudioTrack shared = storedTrack(harness, idA, u"shared"_s);
        preferences.focusPlaylist.isEnabled = playing == u"focus"_s;
        preferences.focusPlaylist.tracks = { shared, storedTrack(harness, idB, u"focus other"_s) };
        preferences.reminderPlaylist.isEnabled = playing == u"reminder"_s;
        preferences.reminderPlaylist.tracks = { shared, storedTrack(harness, idC, u"break other"_s) };
        if (playing == u"reminder"_s)
            harness.startInBreak(preferences);
        else
            harness.startWithStored(preferences);
        AppController &controller = *harness.controller;
        QCOMPARE(bool(controller.music()->nowPlaying()), playing != u"none"_s);
        if (pause)
            controller.music()->togglePause();
        PlaylistModel &model = editorOf(open(controller), editor);

        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex index = model.index(row);
            const bool isShared = index.data(PlaylistModel::IdRole).toString() == Uuid::upperText(idA);
            QCOMPARE(index.data(PlaylistModel::CurrentRole).toBool(), isShared && current);
            QCOMPARE(index.data(PlaylistModel::PausedRole).toBool(), isShared && paused);
            QCOMPARE(index.data(PlaylistModel::SymbolRole).toString(),
                isShared && current ? u"waveform"_s : u"music.note"_s);
            QCOMPARE(index.data(PlaylistModel::StatusTextRole).toString(), isShared ? status : QString());
        }
    }

    void rowsChangeOnlyWhenTrackOrPauseChanges()
    {
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.focusPlaylist.isEnabled = true;
        preferences.focusPlaylist.tracks = storedTracks(harness, u"AB"_s);
        AppController &controller = harness.startWithStored(preferences);
        SettingsSession &session = open(controller);
        PlaylistModel &focus = *session.focusPlaylist();
        PlaylistModel &reminder = *session.reminderPlaylist();
        QSignalSpy focusRows(&focus, &PlaylistModel::dataChanged);
        QSignalSpy reminderRows(&reminder, &PlaylistModel::dataChanged);
        QSignalSpy published(controller.music(), &Music::nowPlayingChanged);

        // The half-second report moves the time only.
        controller.music()->player().publishCurrentTrack(12, 100);
        controller.music()->player().publishCurrentTrack(12.5, 100);
        QCOMPARE(published.size(), 2);
        QCOMPARE(focusRows.size(), 0);

        controller.music()->togglePause();
        QCOMPARE(focusRows.size(), 1);
        QVERIFY(focus.index(0).data(PlaylistModel::PausedRole).toBool());
        controller.music()->skipToNextTrack();
        QCOMPARE(focusRows.size(), 2);
        QVERIFY(focus.index(1).data(PlaylistModel::CurrentRole).toBool());
        QVERIFY(!focus.index(0).data(PlaylistModel::CurrentRole).toBool());
        QCOMPARE(reminderRows.size(), 0);
    }

    void renameKeepsTheTextAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << QString();
        QTest::newRow("spaces around") << u"  Rain  "_s;
        QTest::newRow("non-Latin") << u"雨声"_s;
    }

    void renameKeepsTheTextAsTyped()
    {
        QFETCH(QString, typed);
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.focusPlaylist.tracks = storedTracks(harness, u"AB"_s);
        AppController &controller = harness.startWithStored(preferences);
        SettingsSession &session = open(controller);
        PlaylistModel &model = *session.focusPlaylist();

        model.rename(1, typed);

        QCOMPARE(session.draft().focusPlaylist.tracks[1].name, typed);
        QCOMPARE(model.index(1).data(PlaylistModel::NameRole).toString(), typed);
        QCOMPARE(session.draft().focusPlaylist.tracks[0].name, u"A"_s);
        QCOMPARE(controller.preferences().focusPlaylist.tracks[1].name, u"B"_s);
    }

    void remove_data()
    {
        QTest::addColumn<QString>("labels");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("left");
        QTest::newRow("first") << u"ABC"_s << 0 << u"BC"_s;
        QTest::newRow("middle") << u"ABC"_s << 1 << u"AC"_s;
        QTest::newRow("last") << u"ABC"_s << 2 << u"AB"_s;
        QTest::newRow("every entry sharing the id") << u"ABAC"_s << 2 << u"BC"_s;
        QTest::newRow("out of range") << u"ABC"_s << 3 << u"ABC"_s;
    }

    void remove()
    {
        QFETCH(QString, labels);
        QFETCH(int, row);
        QFETCH(QString, left);
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.focusPlaylist.isEnabled = true;
        preferences.focusPlaylist.tracks = storedTracks(harness, labels);
        AppController &controller = harness.startWithStored(preferences);
        const QList<AudioTrack> played = controller.music()->player().tracks();
        const std::optional<NowPlayingInfo> nowPlaying = controller.music()->nowPlaying();
        SettingsSession &session = open(controller);
        PlaylistModel &model = *session.focusPlaylist();
        QAbstractItemModelTester check(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

        model.remove(row);

        QCOMPARE(namesOf(session.draft().focusPlaylist.tracks), left);
        QCOMPARE(rowNames(model), left);
        QCOMPARE(model.count(), left.size());
        QCOMPARE(controller.music()->player().tracks(), played);
        QCOMPARE(controller.music()->nowPlaying(), nowPlaying);
        for (const AudioTrack &track : preferences.focusPlaylist.tracks)
            QVERIFY(QFile::exists(track.path));
    }

    void reorderByDrag_data()
    {
        QTest::addColumn<QStringList>("hovers");
        QTest::addColumn<QString>("order");
        QTest::newRow("A over C") << QStringList { u"C"_s } << u"BCA"_s;
        QTest::newRow("C over A") << QStringList { u"A"_s } << u"CAB"_s;
        QTest::newRow("A over B then C") << QStringList { u"B"_s, u"C"_s } << u"BCA"_s;
        QTest::newRow("over its own row") << QStringList { u"A"_s } << u"ABC"_s;
    }

    void reorderByDrag()
    {
        QFETCH(QStringList, hovers);
        QFETCH(QString, order);
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.reminderPlaylist.tracks = storedTracks(harness, u"ABC"_s);
        AppController &controller = harness.startWithStored(preferences);
        SettingsSession &session = open(controller);
        PlaylistModel &model = *session.reminderPlaylist();
        QAbstractItemModelTester check(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QHash<QString, QUuid> ids { { u"A"_s, idA }, { u"B"_s, idB }, { u"C"_s, idC } };
        const QString dragged = QTest::currentDataTag() == "C over A"_ba ? u"C"_s : u"A"_s;

        model.setDraggedIdText(Uuid::upperText(ids[dragged]));
        for (const QString &target : hovers)
            model.dragEntered(Uuid::upperText(ids[target]));
        QVERIFY(model.drop());

        QCOMPARE(namesOf(session.draft().reminderPlaylist.tracks), order);
        QCOMPARE(rowNames(model), order);
        QVERIFY(model.draggedIdText().isEmpty());
    }

    void eachEditorDragsItsOwnRows()
    {
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.focusPlaylist.tracks = storedTracks(harness, u"AB"_s);
        preferences.reminderPlaylist.tracks = storedTracks(harness, u"C"_s)
            + QList<AudioTrack> { storedTrack(harness, QUuid::createUuid(), u"D"_s) };
        AppController &controller = harness.startWithStored(preferences);
        SettingsSession &session = open(controller);
        QVERIFY(session.focusPlaylist()->rowDragKey() != session.reminderPlaylist()->rowDragKey());

        session.focusPlaylist()->setDraggedIdText(Uuid::upperText(idA));
        // The break list's rows see their own editor's dragged id, which is empty.
        session.reminderPlaylist()->dragEntered(Uuid::upperText(idC));
        session.focusPlaylist()->dragEntered(Uuid::upperText(idC));

        QCOMPARE(session.draft(), controller.preferences());
    }

    void switchAndMode()
    {
        ControllerHarness harness;
        AppController &controller = harness.startWithStored(AppPreferences());
        SettingsSession &session = open(controller);
        PlaylistModel &focus = *session.focusPlaylist();
        QVERIFY(!focus.isEnabled());
        QCOMPARE(focus.cardOpacity(), 0.72);
        QVERIFY(session.reminderPlaylist()->isEnabled());
        QCOMPARE(session.reminderPlaylist()->cardOpacity(), 1.0);
        QSignalSpy switched(&focus, &PlaylistModel::isEnabledChanged);

        focus.setEnabled(true);
        focus.setPlaybackMode(u"shuffle"_s);
        focus.setPlaybackMode(u"backwards"_s);

        QCOMPARE(switched.size(), 1);
        QVERIFY(focus.isEnabled());
        QCOMPARE(focus.cardOpacity(), 1.0);
        QCOMPARE(focus.playbackModeName(), u"shuffle"_s);
        QVERIFY(session.draft().focusPlaylist.isEnabled);
        QCOMPARE(session.draft().focusPlaylist.playbackMode, AudioPlaybackMode::shuffle);
        QCOMPARE(session.draft().reminderPlaylist, controller.preferences().reminderPlaylist);
        QVERIFY(!controller.preferences().focusPlaylist.isEnabled);
    }

    void modeTitlesFollowTheDraftLanguage()
    {
        ControllerHarness harness;
        AppController &controller = harness.startWithStored(AppPreferences());
        SettingsSession &session = open(controller);
        PlaylistModel &model = *session.focusPlaylist();
        const auto titles = [&model] {
            QStringList texts;
            for (const QVariant &mode : model.modes())
                texts.append(mode.toMap().value(u"symbol"_s).toString() + u':'
                    + mode.toMap().value(u"title"_s).toString());
            return texts;
        };
        QCOMPARE(titles(), (QStringList { u"repeat:顺序播放"_s, u"shuffle:随机播放"_s }));
        session.setLanguageName(u"english"_s);
        QCOMPARE(titles(), (QStringList { u"repeat:In order"_s, u"shuffle:Shuffle"_s }));
    }

    void extensionBadge_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("badge");
        QTest::newRow("mp3") << u"rain.mp3"_s << u"MP3"_s;
        QTest::newRow("mixed case") << u"rain.M4a"_s << u"M4A"_s;
        QTest::newRow("two dots") << u"rain.live.flac"_s << u"FLAC"_s;
        QTest::newRow("none") << u"rain"_s << QString();
    }

    void extensionBadge()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, badge);
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.focusPlaylist.tracks
            = { { idA, u"rain"_s, harness.file(u"Media/Music/x/"_s + fileName) } };
        AppController &controller = harness.startWithStored(preferences);
        PlaylistModel &model = *open(controller).focusPlaylist();
        QCOMPARE(model.index(0).data(PlaylistModel::ExtensionRole).toString(), badge);
    }

    void drops_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("remote");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("names");
        QTest::addColumn<int>("alerts");
        QTest::newRow("an image and an audio file")
            << QStringList { u"photo.png"_s, u"rain.mp3"_s } << false << true << u"Xrain"_s << 1;
        QTest::newRow("three audio files in drop order")
            << QStringList { u"c.mp3"_s, u"a.wav"_s, u"b.m4a"_s } << false << true << u"Xcab"_s << 0;
        QTest::newRow("only a remote address") << QStringList() << true << false << u"X"_s << 0;
        QTest::newRow("nothing") << QStringList() << false << false << u"X"_s << 0;
    }

    void drops()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, remote);
        QFETCH(bool, accepted);
        QFETCH(QString, names);
        QFETCH(int, alerts);
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.focusPlaylist.tracks = { storedTrack(harness, idA, u"X"_s) };
        AppController &controller = harness.startWithStored(preferences);
        SettingsSession &session = open(controller);
        PlaylistModel &model = *session.focusPlaylist();
        QAbstractItemModelTester check(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QTemporaryDir dropped;
        QList<QUrl> urls = urlsOf(userFiles(dropped, files));
        if (remote)
            urls.append(QUrl(u"https://example.com/song.mp3"_s));
        QSignalSpy alerted(controller.sheets(), &Sheets::alertChanged);

        QCOMPARE(model.dropUrls(urls), accepted);
        runDeferredImports(model);

        QCOMPARE(namesOf(session.draft().focusPlaylist.tracks), names);
        QCOMPARE(rowNames(model), names);
        QCOMPARE(alerted.size(), alerts);
        if (alerts > 0)
            QCOMPARE(controller.sheets()->alertTitle(), u"没有可导入的音乐"_s);
        for (const AudioTrack &track : session.draft().focusPlaylist.tracks) {
            QVERIFY(QFile::exists(track.path));
            QVERIFY(track.path.startsWith(harness.file(u"Media/"_s)));
        }
    }

    void eachDroppedFileJoinsTheListAsItIsThen()
    {
        ControllerHarness harness;
        AppController &controller = harness.startWithStored(AppPreferences());
        SettingsSession &session = open(controller);
        PlaylistModel &model = *session.reminderPlaylist();
        QTemporaryDir dropped;
        QVERIFY(model.dropUrls(urlsOf(userFiles(dropped, { u"late.mp3"_s }))));

        // An edit made before the import runs stays.
        harness.picker->selection = userFiles(dropped, { u"early.mp3"_s });
        model.addFromPanel();
        runDeferredImports(model);

        QCOMPARE(namesOf(session.draft().reminderPlaylist.tracks), u"earlylate"_s);
        QVERIFY(session.draft().reminderPlaylist.tracks[1].path.contains(u"/Media/"_s));
    }

    void panelImportStopsAtTheFirstFailedCopy()
    {
        ControllerHarness harness;
        AppController &controller = harness.startWithStored(AppPreferences());
        SettingsSession &session = open(controller);
        PlaylistModel &model = *session.focusPlaylist();
        QTemporaryDir picked;
        QStringList chosen = userFiles(picked, { u"one.mp3"_s, u"two.mp3"_s, u"four.mp3"_s });
        chosen.insert(2, picked.filePath(u"gone-三.mp3"_s));
        harness.picker->selection = chosen;

        model.addFromPanel();

        QVERIFY(model.isEmpty());
        QVERIFY(session.draft().focusPlaylist.tracks.isEmpty());
        QVERIFY(controller.sheets()->showingAlert());
        QCOMPARE(controller.sheets()->alertTitle(), u"音乐导入失败"_s);
        QVERIFY2(controller.sheets()->alertMessage().contains(u"gone-三.mp3"_s),
            qPrintable(controller.sheets()->alertMessage()));

        // The copies made before the failure go when the sheet closes.
        session.cancel();
        const QString musicFolder = harness.file(u"Media"_s);
        QDirIterator copies(musicFolder, QDir::Files, QDirIterator::Subdirectories);
        QVERIFY(!copies.hasNext());
    }

    void saveStoresBothLists()
    {
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.focusPlaylist.tracks = storedTracks(harness, u"AB"_s);
        AppController &controller = harness.startWithStored(preferences);
        SettingsSession &session = open(controller);
        QTemporaryDir dropped;
        PlaylistModel &focus = *session.focusPlaylist();
        PlaylistModel &reminder = *session.reminderPlaylist();
        focus.setEnabled(true);
        focus.setDraggedIdText(Uuid::upperText(idA));
        focus.dragEntered(Uuid::upperText(idB));
        focus.rename(0, QString());
        QVERIFY(reminder.dropUrls(urlsOf(userFiles(dropped, { u"bell.wav"_s }))));
        runDeferredImports(reminder);
        reminder.setPlaybackMode(u"shuffle"_s);

        session.save();

        const Result<AppPreferences> stored = AppStorageService::loadPreferences(harness.root());
        QVERIFY(stored);
        QVERIFY(stored->focusPlaylist.isEnabled);
        // The blank name is named after its file when saved.
        QCOMPARE(namesOf(stored->focusPlaylist.tracks), u"BA"_s);
        QCOMPARE(stored->focusPlaylist.tracks[1].id, idA);
        QCOMPARE(stored->reminderPlaylist.playbackMode, AudioPlaybackMode::shuffle);
        QCOMPARE(namesOf(stored->reminderPlaylist.tracks), u"bell"_s);
        QVERIFY(QFile::exists(stored->reminderPlaylist.tracks[0].path));
        QCOMPARE(controller.preferences().focusPlaylist, stored->focusPlaylist);
        QCOMPARE(controller.preferences().reminderPlaylist, stored->reminderPlaylist);
    }

    void cancelAfterADropDeletesTheCopy()
    {
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.focusPlaylist.isEnabled = true;
        preferences.focusPlaylist.tracks = storedTracks(harness, u"AB"_s);
        AppController &controller = harness.startWithStored(preferences);
        const std::optional<NowPlayingInfo> nowPlaying = controller.music()->nowPlaying();
        const QList<AudioTrack> played = controller.music()->player().tracks();
        QVERIFY(nowPlaying);
        SettingsSession &session = open(controller);
        PlaylistModel &focus = *session.focusPlaylist();
        QTemporaryDir dropped;
        const QStringList sources = userFiles(dropped, { u"new.mp3"_s });
        QVERIFY(focus.dropUrls(urlsOf(sources)));
        runDeferredImports(focus);
        focus.remove(0);
        QCOMPARE(focus.count(), 2);
        const QString copy = session.draft().focusPlaylist.tracks.last().path;
        QVERIFY(QFile::exists(copy));

        session.cancel();

        QVERIFY(!QFile::exists(copy));
        QVERIFY(QFile::exists(sources[0]));
        const Result<AppPreferences> stored = AppStorageService::loadPreferences(harness.root());
        QVERIFY(stored);
        QCOMPARE(stored->focusPlaylist, preferences.focusPlaylist);
        QCOMPARE(stored->reminderPlaylist, preferences.reminderPlaylist);
        QCOMPARE(controller.preferences().focusPlaylist, preferences.focusPlaylist);
        QCOMPARE(controller.music()->nowPlaying(), nowPlaying);
        QCOMPARE(controller.music()->player().tracks(), played);
        for (const AudioTrack &track : preferences.focusPlaylist.tracks)
            QVERIFY(QFile::exists(track.path));
    }

    void aDropStillQueuedWhenTheSheetClosesImportsNothing_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("save");
        QTest::newRow("focus music, Cancel") << u"focus"_s << false;
        QTest::newRow("break music, Save") << u"reminder"_s << true;
        QTest::newRow("background library, Cancel") << u"background"_s << false;
        QTest::newRow("background library, Save") << u"background"_s << true;
    }

    void aDropStillQueuedWhenTheSheetClosesImportsNothing()
    {
        QFETCH(QString, list);
        QFETCH(bool, save);
        ControllerHarness harness;
        AppController &controller = harness.startWithStored(AppPreferences());
        SettingsSession &session = open(controller);
        QTemporaryDir dropped;
        QAbstractListModel *model = nullptr;
        if (list == u"background"_s) {
            model = session.backgroundLibrary();
            QVERIFY(session.backgroundLibrary()->dropUrls(urlsOf(userFiles(dropped, { u"sea.png"_s }))));
        } else {
            model = &editorOf(session, list);
            QVERIFY(editorOf(session, list).dropUrls(urlsOf(userFiles(dropped, { u"rain.mp3"_s }))));
        }

        if (save)
            session.save();
        else
            session.cancel();
        QVERIFY(!controller.sheets()->isOpen(Sheets::Sheet::Settings));
        runDeferredImports(*model);

        QCOMPARE(model->rowCount(), 0);
        const QString media = AppStorageService::mediaDirectory(harness.root());
        QVERIFY(!QDirIterator(media, QDir::Files, QDirIterator::Subdirectories).hasNext());
        QVERIFY(controller.preferences().backgroundLibrary.isEmpty());
        QVERIFY(controller.preferences().focusPlaylist.tracks.isEmpty());
        QVERIFY(controller.preferences().reminderPlaylist.tracks.isEmpty());
        settle();
    }
};

QUORVANE_TEST_GUILESS_MAIN(PlaylistModelTest)
#include "tst_playlist_model.moc"
