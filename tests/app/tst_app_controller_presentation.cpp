#include "ControllerHarness.h"
#include "TestProgram.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

namespace {

void writePreferences(const ControllerHarness &harness, const AppPreferences &preferences)
{
    QVERIFY(writeFileBytes(
        harness.file(QStringLiteral("preferences.json")), QJsonDocument(preferences.toJson()).toJson()));
}

// A file in the managed background folder, where the library is read from at start-up.
QString writeBackgroundFile(const ControllerHarness &harness, const QString &name)
{
    const QString path = QDir(AppStorageService::backgroundDirectory(harness.root())).filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    writeFileBytes(path, "not decoded here");
    return path;
}

} // namespace

// What the views read of the preferences: colours, texts, the overlay and the background's name.
class AppControllerPresentationTest : public QObject
{
    Q_OBJECT

private slots:
    void paletteColours_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QColor>("colour");

        QTest::newRow("default accent") << "#EBCB83" << QColor(0xEB, 0xCB, 0x83);
        QTest::newRow("default text") << "#F6EEDB" << QColor(0xF6, 0xEE, 0xDB);
        QTest::newRow("lower case, no sign") << "1a2b3c" << QColor(0x1A, 0x2B, 0x3C);
        QTest::newRow("eight digits carry alpha") << "#11223380" << QColor(0x11, 0x22, 0x33, 0x80);
        QTest::newRow("signs at both ends trimmed") << "##ABCDEF!" << QColor(0xAB, 0xCD, 0xEF);
        QTest::newRow("no digits is opaque black") << "#zz" << QColor(0, 0, 0);
        QTest::newRow("empty is opaque black") << "" << QColor(0, 0, 0);
    }

    void paletteColours()
    {
        QFETCH(QString, hex);
        QFETCH(QColor, colour);

        ControllerHarness harness;
        AppPreferences preferences;
        preferences.palette.accentHex = hex;
        preferences.palette.textHex = hex;
        preferences.palette.wheelBaseHex = hex;
        writePreferences(harness, preferences);
        const AppController &controller = harness.start();
        QCOMPARE(controller.appearance()->accentColor(), colour);
        QCOMPARE(controller.appearance()->textColor(), colour);
        QCOMPARE(controller.appearance()->wheelBaseColor(), colour);
    }

    void defaultPaletteWithoutStoredSettings()
    {
        ControllerHarness harness;
        const AppController &controller = harness.start();
        QCOMPARE(controller.appearance()->accentColor(), QColor(0xEB, 0xCB, 0x83));
        QCOMPARE(controller.appearance()->textColor(), QColor(0xF6, 0xEE, 0xDB));
        QCOMPARE(controller.appearance()->wheelBaseColor(), QColor(0x17, 0x25, 0x32));
        QVERIFY(controller.appearance()->backgroundOverlayEnabled());
        QCOMPARE(controller.appearance()->overlayOpacity(), 0.37);
        QVERIFY(!controller.appearance()->videoAudioTakesPriority());
    }

    void overlayOpacityIsAnOpacity_data()
    {
        QTest::addColumn<double>("stored");
        QTest::addColumn<double>("shown");

        QTest::newRow("in range") << 0.5 << 0.5;
        QTest::newRow("zero") << 0.0 << 0.0;
        QTest::newRow("above one") << 1.7 << 1.0;
        QTest::newRow("negative") << -0.3 << 0.0;
    }

    void overlayOpacityIsAnOpacity()
    {
        QFETCH(double, stored);
        QFETCH(double, shown);

        ControllerHarness harness;
        AppPreferences preferences;
        preferences.palette.overlayOpacity = stored;
        preferences.backgroundOverlayEnabled = false;
        preferences.videoAudioTakesPriority = true;
        writePreferences(harness, preferences);
        const AppController &controller = harness.start();
        QCOMPARE(controller.appearance()->overlayOpacity(), shown);
        QVERIFY(!controller.appearance()->backgroundOverlayEnabled());
        QVERIFY(controller.appearance()->videoAudioTakesPriority());
    }

    void languageAndWindowTitle_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("title");

        QTest::newRow("chinese") << "chinese"
                                 << "柯帆";
        QTest::newRow("english") << "english"
                                 << "Quorvane";
    }

    void languageAndWindowTitle()
    {
        QFETCH(QString, language);
        QFETCH(QString, title);

        ControllerHarness harness;
        AppPreferences preferences;
        preferences.language = *fromRawValue<AppLanguage>(language);
        writePreferences(harness, preferences);
        const AppController &controller = harness.start();
        QCOMPARE(controller.appearance()->languageName(), language);
        QCOMPARE(controller.appearance()->windowTitle(), title);
        QCOMPARE(controller.appearance()->property("language").toString(), language);
        QCOMPARE(controller.appearance()->property("windowTitle").toString(), title);
    }

    void backgroundIdentityFollowsThePath()
    {
        ControllerHarness harness;
        const QString first = writeBackgroundFile(harness, QStringLiteral("a.png"));
        const QString second = writeBackgroundFile(harness, QStringLiteral("b.png"));
        AppPreferences preferences;
        preferences.backgroundPath = first;
        preferences.autoPalette = false;
        writePreferences(harness, preferences);
        AppController &controller = harness.start();
        QCOMPARE(controller.appearance()->backgroundIdentity(), first);

        QSignalSpy backgroundChanges(controller.appearance(), &Appearance::backgroundURLChanged);
        controller.appearance()->selectAdjacentBackground(true);
        QCOMPARE(controller.appearance()->backgroundIdentity(), second);
        QCOMPARE(backgroundChanges.size(), 1);

        // Another setting leaves the background's name alone.
        controller.music()->setVolume(0.2);
        QCOMPARE(backgroundChanges.size(), 1);
        QCOMPARE(controller.appearance()->backgroundIdentity(), second);
    }

    void withoutAnyBackgroundTheIdentityIsTheDefaultName()
    {
        // This test links no views, so even the built-in picture is missing: the address is empty.
        ControllerHarness harness;
        const AppController &controller = harness.start();
        QVERIFY(controller.appearance()->backgroundURL().isEmpty());
        QCOMPARE(
            controller.appearance()->backgroundIdentity(), QStringLiteral("quorvane-default-background"));
    }
};

QUORVANE_TEST_MAIN(AppControllerPresentationTest)
#include "tst_app_controller_presentation.moc"
