#include "ControllerHarness.h"
#include "SettingsFixtures.h"
#include "TestProgram.h"
#include "core/DragReorder.h"
#include "core/Tones.h"
#include "core/Uuid.h"
#include "media/PaletteExtractor.h"
#include "ui/settings/BackgroundLibraryModel.h"
#include "ui/settings/SettingsSession.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace SettingsFixtures;

namespace {

struct Entry
{
    QUuid id;
    QString label;
};

const QUuid idA = QUuid::fromString(QStringLiteral("{00000000-0000-0000-0000-00000000000a}"));
const QUuid idB = QUuid::fromString(QStringLiteral("{00000000-0000-0000-0000-00000000000b}"));
const QUuid idC = QUuid::fromString(QStringLiteral("{00000000-0000-0000-0000-00000000000c}"));
const QUuid idGone = QUuid::fromString(QStringLiteral("{00000000-0000-0000-0000-0000000000ff}"));

QString labels(const QList<Entry> &entries)
{
    QString text;
    for (const Entry &entry : entries)
        text += entry.label;
    return text;
}

const AppPalette handPicked { u"#102030"_s, u"#405060"_s, u"#708090"_s, 0.5 };

QColor colorNumber(int number)
{
    return QColor::fromHsv((number * 47) % 360, 200, 80 + (number * 13) % 160);
}

bool writeImage(const QString &path, const QColor &color)
{
    QImage image(24, 24, QImage::Format_RGB32);
    image.fill(color);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && image.save(path);
}

// Pictures in the managed folder, adopted by the controller when it starts.
void seedLibrary(const ControllerHarness &harness, int count)
{
    const QString folder = AppStorageService::backgroundDirectory(harness.root());
    for (int number = 0; number < count; ++number) {
        const QString path = QDir(folder).filePath(QStringLiteral("%1/seed-%2.png")
                                                       .arg(Uuid::lowerText(QUuid::createUuid()))
                                                       .arg(number, 2, 10, QChar(u'0')));
        QVERIFY(writeImage(path, colorNumber(number)));
    }
}

// Pictures outside the managed folder, as the user picks or drops them.
QStringList userPictures(const QTemporaryDir &folder, int count, int firstColor = 40)
{
    QStringList paths;
    for (int number = 0; number < count; ++number) {
        const QString path = folder.filePath(QStringLiteral("pick-%1.png").arg(number));
        [&] { QVERIFY(writeImage(path, colorNumber(firstColor + number))); }();
        paths.append(path);
    }
    return paths;
}

AppPalette paletteOf(const QString &path)
{
    const std::optional<AppPalette> palette = PaletteExtractor().extract(path);
    [&] { QVERIFY(palette); }();
    return palette.value_or(AppPalette());
}

// Either the active id names an item whose path is the background path, or both are none.
bool invariantHolds(const AppPreferences &draft)
{
    if (!draft.activeBackgroundID)
        return !draft.backgroundPath;
    for (const BackgroundMediaItem &item : draft.backgroundLibrary) {
        if (item.id == *draft.activeBackgroundID)
            return draft.backgroundPath == item.path;
    }
    return false;
}

// The rows as the view reads them match the working copy.
bool rowsMatch(const BackgroundLibraryModel &model, const AppPreferences &draft)
{
    if (model.rowCount() != draft.backgroundLibrary.size())
        return false;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row);
        const BackgroundMediaItem &item = draft.backgroundLibrary[row];
        if (index.data(BackgroundLibraryModel::IdRole).toString() != Uuid::upperText(item.id)
            || index.data(BackgroundLibraryModel::IsActiveRole).toBool()
                != (draft.activeBackgroundID == item.id))
            return false;
    }
    return model.builtInActive() == !draft.activeBackgroundID;
}

} // namespace

class BackgroundLibraryModelTest : public QObject
{
    Q_OBJECT

private slots:
    void reorderMove_data()
    {
        QTest::addColumn<QString>("dragged");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("order");

        QTest::newRow("A over C") << u"A"_s << u"C"_s << u"BCA"_s;
        QTest::newRow("C over A") << u"C"_s << u"A"_s << u"CAB"_s;
        QTest::newRow("B over C") << u"B"_s << u"C"_s << u"ACB"_s;
        QTest::newRow("B over A") << u"B"_s << u"A"_s << u"BAC"_s;
        QTest::newRow("over itself") << u"A"_s << u"A"_s << u"ABC"_s;
        QTest::newRow("nothing dragged") << u""_s << u"B"_s << u"ABC"_s;
        QTest::newRow("dragged entry gone") << u"gone"_s << u"B"_s << u"ABC"_s;
        QTest::newRow("target gone") << u"A"_s << u"gone"_s << u"ABC"_s;
    }

    void reorderMove()
    {
        QFETCH(QString, dragged);
        QFETCH(QString, target);
        QFETCH(QString, order);
        const QHash<QString, QUuid> ids { { u"A"_s, idA }, { u"B"_s, idB }, { u"C"_s, idC },
            { u"gone"_s, idGone } };
        QList<Entry> entries { { idA, u"A"_s }, { idB, u"B"_s }, { idC, u"C"_s } };
        const std::optional<QUuid> draggedId
            = dragged.isEmpty() ? std::nullopt : std::optional(ids.value(dragged));

        const std::optional<DragReorder::Move> move
            = DragReorder::moveOnEnter(entries, draggedId, ids.value(target));
        if (move) {
            // The destination counts as beginMoveRows does; the entry lands on the target's index.
            QCOMPARE(move->destination, move->from < move->to ? move->to + 1 : move->to);
            entries.move(move->from, move->to);
        }

        QCOMPARE(labels(entries), order);
        QCOMPARE(bool(move), order != QStringLiteral("ABC"));
    }

    void chainedMovesStepOnePlaceAtATime()
    {
        QList<Entry> entries { { idA, u"A"_s }, { idB, u"B"_s }, { idC, u"C"_s } };
        for (const auto &[target, expected] : { std::pair { idB, "BAC" }, std::pair { idC, "BCA" } }) {
            const std::optional<DragReorder::Move> move = DragReorder::moveOnEnter(entries, idA, target);
            QVERIFY(move);
            entries.move(move->from, move->to);
            QCOMPARE(labels(entries), QString::fromLatin1(expected));
        }
        // Back over its own place now: nothing.
        QVERIFY(!DragReorder::moveOnEnter(entries, idA, idA));
    }

    void dropClearsTheDraggedIdAndIsAccepted()
    {
        std::optional<QUuid> dragged = idB;
        QVERIFY(DragReorder::performDrop(dragged));
        QVERIFY(!dragged);
        // A plain-text drag from elsewhere, with nothing dragged here: accepted, nothing set.
        QVERIFY(DragReorder::performDrop(dragged));
        QVERIFY(!dragged);
    }

    void modelMovesLiveAndSignalsTheMove()
    {
        ControllerHarness harness;
        seedLibrary(harness, 3);
        AppController &controller = harness.start();
        SettingsSession &session = open(controller);
        BackgroundLibraryModel &model = *session.backgroundLibrary();
        const QList<BackgroundMediaItem> before = session.draft().backgroundLibrary;
        QCOMPARE(before.size(), 3);
        QSignalSpy moved(&model, &QAbstractItemModel::rowsMoved);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

        model.setDraggedIdText(Uuid::upperText(before[0].id));
        model.dragEntered(Uuid::upperText(before[2].id));

        QCOMPARE(session.draft().backgroundLibrary,
            (QList<BackgroundMediaItem> { before[1], before[2], before[0] }));
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.first().at(1).toInt(), 0);
        QCOMPARE(moved.first().at(4).toInt(), 3);
        QCOMPARE(reset.count(), 0);
        QVERIFY(rowsMatch(model, session.draft()));

        QVERIFY(model.drop());
        QCOMPARE(model.draggedIdText(), QString());
        model.dragEntered(Uuid::upperText(before[1].id));
        QCOMPARE(moved.count(), 1);
    }

    void addingKeepsWhatFitsAndSelectsTheFirst_data()
    {
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("added");

        QTest::newRow("27 + 5") << 27 << 5 << 3;
        QTest::newRow("0 + 2") << 0 << 2 << 2;
        QTest::newRow("29 + 1") << 29 << 1 << 1;
    }

    void addingKeepsWhatFitsAndSelectsTheFirst()
    {
        QFETCH(int, held);
        QFETCH(int, chosen);
        QFETCH(int, added);
        ControllerHarness harness;
        seedLibrary(harness, held);
        AppController &controller = harness.start();
        SettingsSession &session = open(controller);
        BackgroundLibraryModel &model = *session.backgroundLibrary();
        QCOMPARE(model.count(), held);
        QTemporaryDir picks;
        harness.picker->selection = userPictures(picks, chosen);

        model.addMedia();

        QCOMPARE(model.count(), held + added);
        const AppPreferences &draft = session.draft();
        const BackgroundMediaItem &first = draft.backgroundLibrary.at(held);
        QCOMPARE(first.name, QStringLiteral("pick-0"));
        QCOMPARE(draft.activeBackgroundID, first.id);
        QCOMPARE(draft.backgroundPath, first.path);
        QCOMPARE(draft.palette, paletteOf(harness.picker->selection.first()));
        QVERIFY(rowsMatch(model, draft));
        QCOMPARE(model.countText(), QStringLiteral("%1 / 30").arg(held + added));
        // Nothing reaches the record before Save.
        QCOMPARE(controller.preferences().backgroundLibrary.size(), held);
    }

    void aFullLibraryRefusesAddAndDrop()
    {
        ControllerHarness harness;
        seedLibrary(harness, 30);
        AppController &controller = harness.start();
        BackgroundLibraryModel &model = *open(controller).backgroundLibrary();
        QTemporaryDir picks;
        harness.picker->selection = userPictures(picks, 1);

        QVERIFY(!model.canAdd());
        model.addMedia();
        QCOMPARE(harness.picker->shown, 0);
        QVERIFY(!model.dropUrls(urlsOf(harness.picker->selection)));
        runDeferredImports(model);
        QCOMPARE(model.count(), 30);
        QVERIFY(!controller.sheets()->showingAlert());
    }

    void aDropImportsWhatFitsOneByOneLater_data()
    {
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("dropped");
        QTest::addColumn<int>("imported");

        QTest::newRow("29 + 3") << 29 << 3 << 1;
        QTest::newRow("0 + 3") << 0 << 3 << 3;
        QTest::newRow("26 + 3") << 26 << 3 << 3;
    }

    void aDropImportsWhatFitsOneByOneLater()
    {
        QFETCH(int, held);
        QFETCH(int, dropped);
        QFETCH(int, imported);
        ControllerHarness harness;
        seedLibrary(harness, held);
        AppController &controller = harness.start();
        SettingsSession &session = open(controller);
        BackgroundLibraryModel &model = *session.backgroundLibrary();
        QTemporaryDir picks;
        const QStringList paths = userPictures(picks, dropped);

        QVERIFY(model.dropUrls(urlsOf(paths)));
        // The drop itself returns before any copy is made.
        QCOMPARE(model.count(), held);
        runDeferredImports(model);

        QCOMPARE(model.count(), held + imported);
        const BackgroundMediaItem &last = session.draft().backgroundLibrary.last();
        QCOMPARE(last.name, QStringLiteral("pick-%1").arg(imported - 1));
        QCOMPARE(session.draft().activeBackgroundID, last.id);
        QCOMPARE(session.draft().palette, paletteOf(paths.at(imported - 1)));
        QVERIFY(rowsMatch(model, session.draft()));
    }

    void theRoomIsCheckedAgainWhenTheImportRuns()
    {
        ControllerHarness harness;
        seedLibrary(harness, 28);
        AppController &controller = harness.start();
        BackgroundLibraryModel &model = *open(controller).backgroundLibrary();
        QTemporaryDir picks;
        const QStringList paths = userPictures(picks, 4);

        QVERIFY(model.dropUrls(urlsOf(paths.first(2))));
        harness.picker->selection = paths.mid(2);
        model.addMedia();
        QCOMPARE(model.count(), 30);
        runDeferredImports(model);

        QCOMPARE(model.count(), 30);
    }

    void aDropOfAPictureAndATextFile()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        BackgroundLibraryModel &model = *open(controller).backgroundLibrary();
        QTemporaryDir picks;
        const QStringList pictures = userPictures(picks, 1);
        const QString text = picks.filePath(QStringLiteral("notes.txt"));
        QVERIFY(writeFileBytes(text, "not a picture"));

        QVERIFY(model.dropUrls(urlsOf({ pictures.first(), text })));
        runDeferredImports(model);

        QCOMPARE(model.count(), 1);
        QVERIFY(controller.sheets()->showingAlert());
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("没有可导入的背景"));
    }

    void aDropWithoutLocalFilesIsRefused()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        BackgroundLibraryModel &model = *open(controller).backgroundLibrary();

        QVERIFY(!model.dropUrls({}));
        QVERIFY(!model.dropUrls({ QUrl(QStringLiteral("https://example.org/a.png")) }));
        runDeferredImports(model);
        QCOMPARE(model.count(), 0);
        QVERIFY(!controller.sheets()->showingAlert());
    }

    void deleting_data()
    {
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("active");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<bool>("autoPalette");
        // -1: the built-in background.
        QTest::addColumn<int>("activeAfter");

        QTest::newRow("the active of 3") << 3 << 1 << 1 << true << 0;
        QTest::newRow("the active first of 3") << 3 << 0 << 0 << true << 0;
        QTest::newRow("another than the active") << 3 << 2 << 0 << true << 1;
        QTest::newRow("the only item") << 1 << 0 << 0 << true << -1;
        QTest::newRow("the only item, palette by hand") << 1 << 0 << 0 << false << -1;
        QTest::newRow("the active of 3, palette by hand") << 3 << 1 << 1 << false << 0;
    }

    void deleting()
    {
        QFETCH(int, held);
        QFETCH(int, active);
        QFETCH(int, deleted);
        QFETCH(bool, autoPalette);
        QFETCH(int, activeAfter);
        ControllerHarness harness;
        seedLibrary(harness, held);
        AppController &controller = harness.start();
        SettingsSession &session = open(controller);
        BackgroundLibraryModel &model = *session.backgroundLibrary();
        const QList<BackgroundMediaItem> items = session.draft().backgroundLibrary;
        model.select(Uuid::upperText(items[active].id));
        AppPreferences draft = session.draft();
        draft.autoPalette = autoPalette;
        if (!autoPalette)
            draft.palette = handPicked;
        session.setDraft(draft);
        const AppPalette paletteBefore = session.draft().palette;

        model.remove(Uuid::upperText(items[deleted].id));

        const AppPreferences &after = session.draft();
        QList<BackgroundMediaItem> remaining = items;
        remaining.removeAt(deleted);
        QCOMPARE(after.backgroundLibrary, remaining);
        QVERIFY(invariantHolds(after));
        QVERIFY(rowsMatch(model, after));
        if (activeAfter < 0) {
            QVERIFY(!after.activeBackgroundID);
            QCOMPARE(after.palette, autoPalette ? AppPalette() : handPicked);
        } else {
            QCOMPARE(after.activeBackgroundID, remaining[activeAfter].id);
            if (!autoPalette)
                QCOMPARE(after.palette, handPicked);
            else if (active == deleted)
                QCOMPARE(after.palette, paletteOf(remaining[activeAfter].path));
            else
                QCOMPARE(after.palette, paletteBefore);
        }
        // The file stays until Save.
        QVERIFY(QFile::exists(items[deleted].path));
    }

    void selectingFollowsThePaletteSwitch_data()
    {
        QTest::addColumn<bool>("autoPalette");
        QTest::newRow("automatic") << true;
        QTest::newRow("by hand") << false;
    }

    void selectingFollowsThePaletteSwitch()
    {
        QFETCH(bool, autoPalette);
        ControllerHarness harness;
        seedLibrary(harness, 2);
        AppController &controller = harness.start();
        SettingsSession &session = open(controller);
        BackgroundLibraryModel &model = *session.backgroundLibrary();
        AppPreferences draft = session.draft();
        draft.autoPalette = autoPalette;
        draft.palette = handPicked;
        session.setDraft(draft);
        const BackgroundMediaItem second = draft.backgroundLibrary[1];
        QSignalSpy active(&model, &BackgroundLibraryModel::activeChanged);

        model.select(Uuid::upperText(second.id));
        QCOMPARE(session.draft().activeBackgroundID, second.id);
        QCOMPARE(session.draft().backgroundPath, second.path);
        QCOMPARE(session.draft().palette, autoPalette ? paletteOf(second.path) : handPicked);
        QVERIFY(rowsMatch(model, session.draft()));

        model.selectDefault();
        QVERIFY(!session.draft().activeBackgroundID);
        QVERIFY(!session.draft().backgroundPath);
        QCOMPARE(session.draft().palette, autoPalette ? AppPalette() : handPicked);
        QVERIFY(model.builtInActive());
        QCOMPARE(active.count(), 2);
    }

    void anUnreadablePictureKeepsThePalette()
    {
        ControllerHarness harness;
        seedLibrary(harness, 1);
        AppController &controller = harness.start();
        SettingsSession &session = open(controller);
        BackgroundLibraryModel &model = *session.backgroundLibrary();
        const BackgroundMediaItem item = session.draft().backgroundLibrary.first();
        model.selectDefault();
        QVERIFY(writeFileBytes(item.path, "broken"));

        model.select(Uuid::upperText(item.id));

        QCOMPARE(session.draft().activeBackgroundID, item.id);
        QCOMPARE(session.draft().palette, AppPalette());
    }

    void rotationGoesOffWhenTheCountFallsToOne()
    {
        ControllerHarness harness;
        seedLibrary(harness, 2);
        AppController &controller = harness.start();
        SettingsSession &session = open(controller);
        BackgroundLibraryModel &model = *session.backgroundLibrary();
        QVERIFY(model.canRotate());
        QCOMPARE(model.rotateRowOpacity(), 1.0);
        QCOMPARE(model.rotateSymbolColor(), Tones::white(Tones::textSecondary()));
        QSignalSpy symbolColor(&model, &BackgroundLibraryModel::rotateSymbolColorChanged);
        model.setRotatesEachRound(true);
        QVERIFY(session.draft().rotateBackgroundEachRound);
        QCOMPARE(model.rotateSymbolColor(), session.accent());
        QVERIFY(!symbolColor.isEmpty());

        model.remove(Uuid::upperText(session.draft().backgroundLibrary.first().id));
        QVERIFY(!model.canRotate());
        QCOMPARE(model.rotateRowOpacity(), 0.48);
        QVERIFY(!model.rotatesEachRound());
        QCOMPARE(model.rotateSymbolColor(), Tones::white(Tones::textSecondary()));
        QVERIFY(!session.draft().rotateBackgroundEachRound);

        QTemporaryDir picks;
        harness.picker->selection = userPictures(picks, 1);
        model.addMedia();
        QVERIFY(model.canRotate());
        QVERIFY(!model.rotatesEachRound());
    }

    void aLibraryShownWithOneItemKeepsItsRotation()
    {
        ControllerHarness harness;
        seedLibrary(harness, 1);
        AppController &controller = harness.start();
        SettingsSession &session = open(controller);
        // A record that reached the sheet that way (edited by hand after the folder was read).
        AppPreferences draft = session.draft();
        draft.rotateBackgroundEachRound = true;
        session.setDraft(draft);
        BackgroundLibraryModel shown(session, controller);
        QVERIFY(shown.rotatesEachRound());
        QVERIFY(!shown.canRotate());

        shown.selectDefault();
        shown.select(Uuid::upperText(draft.backgroundLibrary.first().id));
        QVERIFY(shown.rotatesEachRound());

        shown.remove(Uuid::upperText(draft.backgroundLibrary.first().id));
        QVERIFY(!session.draft().rotateBackgroundEachRound);
    }

    void openingTheFolderMakesItFirst()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        BackgroundLibraryModel &model = *open(controller).backgroundLibrary();
        const QString folder = AppStorageService::backgroundDirectory(harness.root());
        QDir(folder).removeRecursively();

        model.openFolder();

        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(harness.workspace->openedUrls, QList<QUrl> { QUrl::fromLocalFile(folder) });
    }

    void theCountTextFollowsTheDraftLanguage()
    {
        ControllerHarness harness;
        seedLibrary(harness, 12);
        AppController &controller = harness.start();
        SettingsSession &session = open(controller);
        BackgroundLibraryModel &model = *session.backgroundLibrary();
        QCOMPARE(model.countText(), QStringLiteral("12 / 30"));
        QSignalSpy changed(&model, &BackgroundLibraryModel::countTextChanged);
        AppPreferences draft = session.draft();
        draft.language = AppLanguage::english;
        session.setDraft(draft);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(model.countText(), QStringLiteral("12 / 30"));
    }

    void kindShowsInBadgeAndPlaceholder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("badge");
        QTest::addColumn<QString>("placeholder");
        QTest::newRow("picture") << u"/media/a.png"_s << u"IMAGE"_s << u"photo.fill"_s;
        QTest::newRow("video") << u"/media/a.mp4"_s << u"VIDEO"_s << u"film.fill"_s;
        QTest::newRow("video, upper-case suffix") << u"/media/a.MOV"_s << u"VIDEO"_s << u"film.fill"_s;
        QTest::newRow("no suffix") << u"/media/a"_s << u"IMAGE"_s << u"photo.fill"_s;
    }

    void kindShowsInBadgeAndPlaceholder()
    {
        QFETCH(QString, path);
        QFETCH(QString, badge);
        QFETCH(QString, placeholder);
        ControllerHarness harness;
        SettingsSession &session = open(harness.start());
        AppPreferences draft = session.draft();
        draft.backgroundLibrary = { { QUuid::createUuid(), u"item"_s, path } };
        session.setDraft(draft);

        const QModelIndex index = session.backgroundLibrary()->index(0);
        QCOMPARE(index.data(BackgroundLibraryModel::BadgeKeyRole).toString(), badge);
        QCOMPARE(index.data(BackgroundLibraryModel::PlaceholderSymbolRole).toString(), placeholder);
    }

    void thumbnailAddressesSurviveAnyPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << u"/media/a.png"_s;
        QTest::newRow("hash and question") << u"/media/dusk #1?.png"_s;
        QTest::newRow("percent and space") << u"/media/50% off.jpg"_s;
        QTest::newRow("non-Latin") << QString::fromUtf8("/媒体/森林.mp4");
    }

    void thumbnailAddressesSurviveAnyPath()
    {
        QFETCH(QString, path);
        const QUrl address(BackgroundLibraryModel::thumbnailAddress(path));
        QCOMPARE(address.scheme(), QStringLiteral("image"));
        QCOMPARE(address.host(), QStringLiteral("thumbnails"));
        // What the image provider is handed, decoded back.
        const QString id = address.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority).mid(1);
        QCOMPARE(QUrl::fromPercentEncoding(id.toUtf8()), path);
    }

    // Random operations from a seed; the active item and the path agree after every one.
    void randomOperationsKeepTheInvariant()
    {
        ControllerHarness harness;
        seedLibrary(harness, 4);
        AppController &controller = harness.start();
        SettingsSession &session = open(controller);
        BackgroundLibraryModel &model = *session.backgroundLibrary();
        QAbstractItemModelTester check(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QTemporaryDir picks;
        const QStringList pool = userPictures(picks, 3);
        QRandomGenerator random(27031);

        for (int step = 0; step < 150; ++step) {
            const QList<BackgroundMediaItem> items = session.draft().backgroundLibrary;
            const auto anyId = [&] {
                return items.isEmpty() ? QString()
                                       : Uuid::upperText(items[random.bounded(int(items.size()))].id);
            };
            const int operation = int(random.bounded(7));
            switch (operation) {
            case 0:
                model.selectDefault();
                break;
            case 1:
                model.select(anyId());
                break;
            case 2:
                model.remove(anyId());
                break;
            case 3:
                harness.picker->selection = pool.first(1 + int(random.bounded(3)));
                model.addMedia();
                break;
            case 4:
                model.dropUrls(urlsOf(pool.first(1 + int(random.bounded(3)))));
                runDeferredImports(model);
                break;
            case 5:
                model.setDraggedIdText(anyId());
                model.dragEntered(anyId());
                break;
            default:
                model.drop();
                break;
            }
            const AppPreferences &draft = session.draft();
            QVERIFY2(invariantHolds(draft),
                qPrintable(QStringLiteral("step %1, operation %2").arg(step).arg(operation)));
            QVERIFY(rowsMatch(model, draft));
            QVERIFY(draft.backgroundLibrary.size() <= BackgroundLibraryModel::capacity);
            QCOMPARE(model.count(), int(draft.backgroundLibrary.size()));
        }
    }
};

QUORVANE_TEST_GUILESS_MAIN(BackgroundLibraryModelTest)
#include "tst_background_library_model.moc"
