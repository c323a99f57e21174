#include "ControllerHarness.h"
#include "ReadOnlyFolder.h"
#include "SettingsFixtures.h"
#include "TestProgram.h"
#include "core/Color.h"
#include "session/ProbabilityTextCodec.h"
#include "ui/settings/SettingsSession.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace SettingsFixtures;

namespace { } // namespace

class SettingsSessionTest : public QObject
{
    Q_OBJECT

private slots:
    void opensOnACopyOfTheRecord()
    {
        ControllerHarness harness;
        AppPreferences stored;
        stored.items = itemsWithWeights({ 1.0 / 3, 2, 0.125 });
        AppController &controller = harness.startWithStored(stored);

        SettingsSession &session = open(controller);

        QCOMPARE(session.draft(), controller.preferences());
        const QList<WheelItem> &items = session.draft().items;
        QCOMPARE(session.weightInputs().size(), 3);
        QCOMPARE(session.weightInputs().value(items[0].id), QStringLiteral("0.33"));
        QCOMPARE(session.weightInputs().value(items[1].id), QStringLiteral("2"));
        QCOMPARE(session.weightInputs().value(items[2].id), QStringLiteral("0.12"));
        QCOMPARE(session.selectedPane(), SettingsPane::appearance);
        QVERIFY(!session.showingWeightError());
        QVERIFY(!session.showingMinimumItemsAlert());
        QVERIFY(!session.symbolPickerItemId());
    }

    void opensOverItemsSharingAnId()
    {
        ControllerHarness harness;
        AppPreferences stored;
        stored.items = itemsWithWeights({ 4, 5, 6 });
        stored.items[1].id = stored.items[0].id;
        AppController &controller = harness.startWithStored(stored);
        SettingsSession &session = open(controller);

        QCOMPARE(session.draft().items.size(), 3);
        QCOMPARE(session.weightInputs().size(), 2);
        QCOMPARE(session.weightInputs().value(stored.items[0].id), QStringLiteral("4"));
        // Both items read the one text of their id.
        QVERIFY(session.commitWeightInputs());
        QCOMPARE(weightsOf(session.draft().items), (QList<double> { 4, 4, 6 }));
    }

    void commitWeightInputs_data()
    {
        QTest::addColumn<QList<double>>("stored");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QList<double>>("added");
        QTest::addColumn<bool>("committed");
        QTest::addColumn<QList<double>>("weights");

        const QList<double> none;
        QTest::newRow("stops at the first bad text")
            << QList<double> { 1, 1, 1 } << strings({ "5", "abc", "7" }) << none << false
            << QList<double> { 5, 1, 1 };
        QTest::newRow("one positive weight: all written")
            << QList<double> { 1, 1 } << strings({ "10", "0" }) << none << false << QList<double> { 10, 0 };
        QTest::newRow("decimal comma and exponent") << QList<double> { 1, 1 } << strings({ " 12,5 ", "1e2" })
                                                    << none << true << QList<double> { 12.5, 100 };
        QTest::newRow("negative zero passes") << QList<double> { 1, 1, 1 } << strings({ "-0", "2", "3" })
                                              << none << true << QList<double> { -0.0, 2, 3 };
        QTest::newRow("blank") << QList<double> { 1, 1, 1 } << strings({ "2", " ", "3" }) << none << false
                               << QList<double> { 2, 1, 1 };
        QTest::newRow("negative") << QList<double> { 1, 1 } << strings({ "-1", "3" }) << none << false
                                  << QList<double> { 1, 1 };
        QTest::newRow("infinite") << QList<double> { 1, 1 } << strings({ "3", "1e400" }) << none << false
                                  << QList<double> { 3, 1 };
        QTest::newRow("the stored third is saved as 0.33")
            << QList<double> { 1.0 / 3, 1 } << QStringList() << none << true << QList<double> { 0.33, 1 };
        QTest::newRow("an item without a field uses its formatted weight")
            << QList<double> { 1, 1 } << strings({ "2", "3" }) << QList<double> { 2.0 / 3 } << true
            << QList<double> { 2, 3, 0.67 };
    }

    void commitWeightInputs()
    {
        QFETCH(QList<double>, stored);
        QFETCH(QStringList, inputs);
        QFETCH(QList<double>, added);
        QFETCH(bool, committed);
        QFETCH(QList<double>, weights);

        ControllerHarness harness;
        AppPreferences preferences;
        preferences.items = itemsWithWeights(stored);
        AppController &controller = harness.startWithStored(preferences);
        SettingsSession &session = open(controller);
        for (qsizetype i = 0; i < inputs.size(); ++i)
            session.setWeightInput(preferences.items[i].id, inputs[i]);
        AppPreferences draft = session.draft();
        draft.items += itemsWithWeights(added);
        session.setDraft(draft);
        const QHash<QUuid, QString> texts = session.weightInputs();

        QCOMPARE(session.commitWeightInputs(), committed);

        const QList<double> written = weightsOf(session.draft().items);
        QCOMPARE(written, weights);
        for (qsizetype i = 0; i < weights.size(); ++i)
            QCOMPARE(std::signbit(written[i]), std::signbit(weights[i]));
        QCOMPARE(session.weightInputs(), texts);
        QCOMPARE(controller.preferences(), preferences);
    }

    void commitWithoutItemsFails()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        SettingsSession &session = open(controller);
        AppPreferences draft = session.draft();
        draft.items.clear();
        session.setDraft(draft);

        QVERIFY(!session.commitWeightInputs());
        QVERIFY(session.draft().items.isEmpty());
    }

    void badWeightShowsTheSheetsAlertOnly()
    {
        ControllerHarness harness;
        AppController &controller = harness.startWithStored(AppPreferences());
        const QByteArray bytes = readFileBytes(harness.file(QStringLiteral("preferences.json")));
        const AppPreferences before = controller.preferences();
        SettingsSession &session = open(controller);
        session.setWeightInput(before.items[1].id, QStringLiteral("lots"));
        AppPreferences draft = session.draft();
        draft.sessionMinutes = 50;
        session.setDraft(draft);

        session.save();

        QVERIFY(session.showingWeightError());
        QVERIFY(controller.sheets()->isOpen(Sheets::Sheet::Settings));
        QVERIFY(!controller.sheets()->showingAlert());
        QCOMPARE(controller.preferences(), before);
        QCOMPARE(readFileBytes(harness.file(QStringLiteral("preferences.json"))), bytes);
        QCOMPARE(session.draft().sessionMinutes, qint64(50));
    }

    void refusedSaveKeepsTheSheetAndTheDraft()
    {
        ControllerHarness harness;
        AppPreferences stored;
        // By hand: nine items, and only the two beyond the seventh weigh anything.
        stored.items = itemsWithWeights({ 0, 0, 0, 0, 0, 0, 0, 2, 3 });
        AppController &controller = harness.startWithStored(stored);
        const QByteArray bytes = readFileBytes(harness.file(QStringLiteral("preferences.json")));
        SettingsSession &session = open(controller);
        AppPreferences draft = session.draft();
        draft.language = AppLanguage::english;
        session.setDraft(draft);

        session.save();
        settle();

        QVERIFY(!session.showingWeightError());
        QVERIFY(controller.sheets()->showingAlert());
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("至少需要两个有效权重"));
        QVERIFY(controller.sheets()->isOpen(Sheets::Sheet::Settings));
        QCOMPARE(session.draft(), draft);
        QCOMPARE(controller.preferences().items, stored.items);
        QCOMPARE(readFileBytes(harness.file(QStringLiteral("preferences.json"))), bytes);
    }

    void acceptedSaveClosesTheSheet()
    {
        ControllerHarness harness;
        AppController &controller = harness.startWithStored(AppPreferences());
        SettingsSession &session = open(controller);
        session.setWeightInput(session.draft().items[0].id, QStringLiteral("4,5"));
        AppPreferences draft = session.draft();
        draft.sessionMinutes = 40;
        session.setDraft(draft);

        session.save();

        QVERIFY(!controller.sheets()->isOpen(Sheets::Sheet::Settings));
        QVERIFY(!controller.sheets()->showingAlert());
        QCOMPARE(controller.preferences().sessionMinutes, qint64(40));
        QCOMPARE(controller.preferences().items[0].weight, 4.5);
        QCOMPARE(AppStorageService::loadPreferences(harness.root()).value(), controller.preferences());
    }

    void cancelDropsEverything()
    {
        ControllerHarness harness;
        AppController &controller = harness.startWithStored(AppPreferences());
        const QByteArray bytes = readFileBytes(harness.file(QStringLiteral("preferences.json")));
        const AppPreferences before = controller.preferences();
        SettingsSession &first = open(controller);
        AppPreferences draft = first.draft();
        draft.language = AppLanguage::english;
        draft.palette.accentHex = QStringLiteral("#3366CC");
        first.setDraft(draft);
        first.setWeightInput(draft.items[0].id, QStringLiteral("9"));
        first.selectPane(SettingsPane::wheel);
        first.setShowingMinimumItemsAlert(true);
        first.setSymbolPickerItemId(draft.items[0].id);

        first.cancel();

        QVERIFY(!controller.sheets()->isOpen(Sheets::Sheet::Settings));
        QCOMPARE(controller.preferences(), before);
        QCOMPARE(readFileBytes(harness.file(QStringLiteral("preferences.json"))), bytes);

        SettingsSession &second = open(controller);
        QCOMPARE(second.draft(), before);
        QCOMPARE(second.weightInputs().value(before.items[0].id),
            ProbabilityTextCodec::format(before.items[0].weight));
        QCOMPARE(second.selectedPane(), SettingsPane::appearance);
        QCOMPARE(second.languageName(), QStringLiteral("chinese"));
        QVERIFY(!second.showingMinimumItemsAlert());
        QVERIFY(!second.symbolPickerItemId());
    }

    void sessionEndsWithItsSheetNotWithTheNextOpening()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        SettingsSession &first = open(controller);
        controller.sheets()->close(Sheets::Sheet::Settings);
        SettingsSession &second = open(controller);
        QVERIFY(first.hasEnded());
        QVERIFY(!second.hasEnded());
    }

    void textsFollowTheDraft_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("pane");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("paneLine");
        QTest::addColumn<QString>("headingTitle");
        QTest::addColumn<QString>("headingSubtitle");
        QTest::addColumn<QString>("weightErrorTitle");

        QTest::newRow("appearance, Chinese") << "chinese"
                                             << "appearance"
                                             << "柯帆设置"
                                             << "画面 · 背景、蒙版、自动取色"
                                             << "画面"
                                             << "让背景成为界面的视觉主角"
                                             << "权重设置有误";
        QTest::newRow("appearance, English") << "english"
                                             << "appearance"
                                             << "Quorvane Settings"
                                             << "Visuals · Background, overlay, automatic palette"
                                             << "Visuals"
                                             << "Let the background lead the look"
                                             << "Invalid Weights";
        QTest::newRow("wheel, English") << "english"
                                        << "wheel"
                                        << "Quorvane Settings"
                                        << "Wheel · Items, weights, automatic probabilities"
                                        << "Wheel"
                                        << "Set weights, automatic probabilities and the recent-item discount"
                                        << "Invalid Weights";
        QTest::newRow("records, Chinese") << "chinese"
                                          << "records"
                                          << "柯帆设置"
                                          << "记录 · 数据、权限、键盘安全"
                                          << "记录"
                                          << "CSV 数据、权限与应急解锁"
                                          << "权重设置有误";
        QTest::newRow("general, English")
            << "english"
            << "general"
            << "Quorvane Settings"
            << "General · Language, window, app information"
            << "General"
            << "Choose the interface language, window level, and view product information"
            << "Invalid Weights";
        QTest::newRow("update, Chinese") << "chinese"
                                         << "update"
                                         << "柯帆设置"
                                         << "更新 · 版本、自动检查、安全校验"
                                         << "更新"
                                         << "安全地检查柯帆的新版本"
                                         << "权重设置有误";
        QTest::newRow("focus, English") << "english"
                                        << "focus"
                                        << "Quorvane Settings"
                                        << "Rhythm · Duration, inactivity, activity tracking"
                                        << "Rhythm"
                                        << "Set the focus length and the inactivity threshold"
                                        << "Invalid Weights";
        QTest::newRow("audio, English") << "english"
                                        << "audio"
                                        << "Quorvane Settings"
                                        << "Music · Focus and break playlists"
                                        << "Music"
                                        << "Two separate lists, each keeping its own order and playback mode"
                                        << "Invalid Weights";
        QTest::newRow("unknown pane keeps the first") << "chinese"
                                                      << "Appearance"
                                                      << "柯帆设置"
                                                      << "画面 · 背景、蒙版、自动取色"
                                                      << "画面"
                                                      << "让背景成为界面的视觉主角"
                                                      << "权重设置有误";
    }

    void textsFollowTheDraft()
    {
        QFETCH(QString, language);
        QFETCH(QString, pane);
        QFETCH(QString, title);
        QFETCH(QString, paneLine);
        QFETCH(QString, headingTitle);
        QFETCH(QString, headingSubtitle);
        QFETCH(QString, weightErrorTitle);

        ControllerHarness harness;
        AppController &controller = harness.start();
        SettingsSession &session = open(controller);
        QSignalSpy languageSpy(&session, &SettingsSession::languageChanged);
        AppPreferences draft = session.draft();
        draft.language = fromRawValue<AppLanguage>(language).value();
        session.setDraft(draft);
        session.setSelectedPaneName(pane);

        QCOMPARE(languageSpy.count(), language == QStringLiteral("english") ? 1 : 0);
        QCOMPARE(session.languageName(), language);
        QCOMPARE(session.title(), title);
        QCOMPARE(session.paneLine(), paneLine);
        QCOMPARE(session.headingTitle(), headingTitle);
        QCOMPARE(session.headingSubtitle(), headingSubtitle);
        QCOMPARE(session.weightErrorTitle(), weightErrorTitle);
        // The main window keeps the saved language.
        QCOMPARE(controller.language(), AppLanguage::chinese);
    }

    void sidebarFollowsTheDraft()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        SettingsSession &session = open(controller);
        QSignalSpy accentSpy(&session, &SettingsSession::accentChanged);
        AppPreferences draft = session.draft();
        draft.language = AppLanguage::english;
        draft.palette.accentHex = QStringLiteral("#3366CC");
        session.setDraft(draft);

        QStringList panes, titles, symbols;
        for (const QVariant &row : session.sidebarRows()) {
            panes.append(row.toMap().value(QStringLiteral("pane")).toString());
            titles.append(row.toMap().value(QStringLiteral("title")).toString());
            symbols.append(row.toMap().value(QStringLiteral("symbol")).toString());
        }
        QCOMPARE(
            panes, (strings({ "appearance", "general", "focus", "audio", "wheel", "records", "update" })));
        QCOMPARE(
            titles, (strings({ "Visuals", "General", "Rhythm", "Music", "Wheel", "Records", "Updates" })));
        QCOMPARE(symbols,
            (strings({ "photo.on.rectangle.angled", "globe", "timer", "music.note.list", "chart.pie.fill",
                "lock.doc.fill", "arrow.triangle.2.circlepath.circle.fill" })));
        QCOMPARE(accentSpy.count(), 1);
        QCOMPARE(session.accent(), QColor(0x33, 0x66, 0xCC));
        QCOMPARE(controller.appearance()->accentColor(), colorFromHex(AppPalette().accentHex));
    }

    // Opening the sheet over settings that cannot be trusted, then closing it, costs the user nothing.
    void untrustedSettingsLoseNothing_data()
    {
        QTest::addColumn<QByteArray>("stored");

        QTest::newRow("damaged") << QByteArray("{\"language\":");
        QTest::newRow("invalid") << QByteArray("{\"sessionMinutes\":\"long\"}");
        QTest::newRow("missing") << QByteArray();
    }

    void untrustedSettingsLoseNothing()
    {
        QFETCH(QByteArray, stored);

        ControllerHarness harness;
        const QString path = harness.file(QStringLiteral("preferences.json"));
        if (!stored.isNull())
            QVERIFY(writeFileBytes(path, stored));
        const QString background
            = importedFile(harness, QStringLiteral("Background"), QStringLiteral("sea.png"));
        const QString song = importedFile(harness, QStringLiteral("Focus"), QStringLiteral("song.mp3"));
        AppController &controller = harness.start();
        const bool existedAtStart = QFile::exists(path);
        const QByteArray bytesAtStart = readFileBytes(path);
        SettingsSession &session = open(controller);
        const QString openedWith
            = importedFile(harness, QStringLiteral("Reminder"), QStringLiteral("bell.mp3"));
        AppPreferences draft = session.draft();
        draft.language = AppLanguage::english;
        session.setDraft(draft);

        session.cancel();
        settle();

        QCOMPARE(QFile::exists(path), existedAtStart);
        QCOMPARE(readFileBytes(path), bytesAtStart);
        QVERIFY(!QFile::exists(path + QStringLiteral(".damaged")));
        QVERIFY(QFile::exists(background));
        QVERIFY(QFile::exists(song));
        QVERIFY(QFile::exists(openedWith));
    }

    void failedSaveDeletesNothingTheStoredRecordNames()
    {
        ControllerHarness harness;
        const QString sea = importedFile(harness, QStringLiteral("Background"), QStringLiteral("sea.png"));
        const QString hill = importedFile(harness, QStringLiteral("Background"), QStringLiteral("hill.png"));
        const QString song = importedFile(harness, QStringLiteral("Focus"), QStringLiteral("song.mp3"));
        AppPreferences stored;
        stored.backgroundLibrary = { { QUuid::createUuid(), QStringLiteral("Sea"), sea },
            { QUuid::createUuid(), QStringLiteral("Hill"), hill } };
        stored.focusPlaylist.tracks = { { QUuid::createUuid(), QStringLiteral("Song"), song } };
        AppController &controller = harness.startWithStored(stored);
        SettingsSession &session = open(controller);
        AppPreferences draft = session.draft();
        draft.backgroundLibrary.removeLast();
        draft.focusPlaylist.tracks.clear();
        session.setDraft(draft);
        {
            ReadOnlyFolder readOnly(
                QFileInfo(harness.file(QStringLiteral("preferences.json"))).absolutePath(),
                harness.home.path());
            session.save();
        }
        settle();

        QVERIFY(!controller.sheets()->isOpen(Sheets::Sheet::Settings));
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("设置保存失败"));
        QVERIFY(QFile::exists(sea));
        QVERIFY(QFile::exists(hill));
        QVERIFY(QFile::exists(song));
    }

    void backgroundImportedThenCancelledIsDeleted()
    {
        ControllerHarness harness;
        AppController &controller = harness.startWithStored(AppPreferences());
        QTemporaryDir picked;
        const QString source = picked.filePath(QStringLiteral("dunes.png"));
        QImage dunes(4, 4, QImage::Format_RGB32);
        dunes.fill(Qt::darkYellow);
        QVERIFY(dunes.save(source));
        SettingsSession &session = open(controller);
        const QList<BackgroundMediaItem> imported
            = controller.importBackgroundMediaFiles({ QUrl::fromLocalFile(source) });
        QCOMPARE(imported.size(), 1);
        QVERIFY(QFile::exists(imported[0].path));
        AppPreferences draft = session.draft();
        draft.backgroundLibrary += imported;
        session.setDraft(draft);

        session.cancel();

        QVERIFY(!QFile::exists(imported[0].path));
        QVERIFY(!QFileInfo::exists(QFileInfo(imported[0].path).absolutePath()));
        QVERIFY(QFile::exists(source));
    }
};

QUORVANE_TEST_GUILESS_MAIN(SettingsSessionTest)
#include "tst_settings_session.moc"
