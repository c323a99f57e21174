#include "ControllerHarness.h"
#include "MediaFixtures.h"
#include "SettingsFixtures.h"
#include "TestProgram.h"
#include "core/Uuid.h"
#include "media/PaletteExtractor.h"
#include "ui/settings/AppearanceSettings.h"
#include "ui/settings/SettingsSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <limits>

using namespace SettingsFixtures;

namespace {

// A palette no analysis and no default would give, with the automatic palette off.
AppPreferences handPicked()
{
    AppPreferences preferences;
    preferences.autoPalette = false;
    preferences.palette
        = { QStringLiteral("#102030"), QStringLiteral("#405060"), QStringLiteral("#708090"), 0.66 };
    return preferences;
}

} // namespace

class SettingsAppearanceTest : public QObject
{
    Q_OBJECT

private:
    ControllerHarness *m_harness = nullptr;
    AppController *m_controller = nullptr;
    AppearanceSettings *m_values = nullptr;
    SettingsSession *m_session = nullptr;

    SettingsSession &session() const { return *m_session; }

    void open(const AppPreferences &stored)
    {
        m_harness = new ControllerHarness;
        m_controller = &m_harness->startWithStored(stored);
        m_session = &SettingsFixtures::open(*m_controller);
        m_values = new AppearanceSettings;
        m_values->setSession(m_session);
    }

    void editDraft(const std::function<void(AppPreferences &)> &edit)
    {
        AppPreferences draft = session().draft();
        edit(draft);
        session().setDraft(draft);
    }

    QString mediaPath(const QString &name) const { return QDir(m_harness->home.path()).filePath(name); }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("QuorvaneTests"));
        QCoreApplication::setApplicationName(QStringLiteral("SettingsAppearanceTest"));
    }

    void cleanup()
    {
        delete m_values;
        m_values = nullptr;
        m_session = nullptr;
        m_controller = nullptr;
        delete m_harness;
        m_harness = nullptr;
        settle();
    }

    void reanalyse_data()
    {
        QTest::addColumn<QString>("background");

        QTest::newRow("built-in background") << "none";
        QTest::newRow("unreadable file") << "noise.png";
        QTest::newRow("uniform grey picture") << "grey.png";
    }

    // Always switches the automatic palette on; the palette then comes from where the background says.
    void reanalyse()
    {
        QFETCH(QString, background);

        open(handPicked());
        std::optional<AppPalette> expected;
        if (background == u"none") {
            expected = AppPalette();
        } else if (background == u"noise.png") {
            QVERIFY(writeFileBytes(mediaPath(background), MediaFixtures::noiseBytes(4096)));
            expected = handPicked().palette;
        } else {
            QImage grey(64, 48, QImage::Format_RGB32);
            grey.fill(QColor(0x80, 0x80, 0x80));
            QVERIFY(grey.save(mediaPath(background)));
            expected = PaletteExtractor().extract(mediaPath(background));
            QVERIFY(expected);
            QVERIFY(expected->overlayOpacity != handPicked().palette.overlayOpacity);
        }
        if (background != u"none")
            editDraft([&](AppPreferences &draft) { draft.backgroundPath = mediaPath(background); });

        m_values->reanalyse();

        QVERIFY(session().draft().autoPalette);
        QCOMPARE(session().draft().palette, *expected);
        QCOMPARE(m_values->autoPalette(), true);
        if (background == u"none")
            QCOMPARE(m_values->overlayPercentText(), QStringLiteral("37%"));
        QCOMPARE(m_controller->preferences().palette, handPicked().palette);
    }

    void colourWrites_data()
    {
        QTest::addColumn<AppearanceSettings::PaletteField>("field");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("stored");

        using Field = AppearanceSettings::PaletteField;
        QTest::newRow("opaque red, wheel base") << Field::WheelBase << QColor(255, 0, 0) << "#FF0000";
        QTest::newRow("red at half opacity, accent") << Field::Accent << QColor(255, 0, 0, 128) << "#FF0000";
        QTest::newRow("a colour given as HSV, text")
            << Field::Text << QColor::fromHsv(210, 255, 204) << "#0066CC";
        QTest::newRow("low components keep their zeros") << Field::Accent << QColor(1, 2, 3) << "#010203";
        QTest::newRow("an invalid colour, wheel base") << Field::WheelBase << QColor() << "#FFFFFF";
        QTest::newRow("an invalid colour, text") << Field::Text << QColor() << "#FFFFFF";
    }

    void colourWrites()
    {
        QFETCH(AppearanceSettings::PaletteField, field);
        QFETCH(QColor, colour);
        QFETCH(QString, stored);

        open(handPicked());
        m_values->setPaletteColor(field, colour);

        AppPalette expected = handPicked().palette;
        if (field == AppearanceSettings::PaletteField::WheelBase)
            expected.wheelBaseHex = stored;
        else if (field == AppearanceSettings::PaletteField::Accent)
            expected.accentHex = stored;
        else
            expected.textHex = stored;
        QCOMPARE(session().draft().palette, expected);
        QCOMPARE(session().draft().autoPalette, false);
        // The swatch shows the stored colour, opaque.
        const QColor shown = field == AppearanceSettings::PaletteField::WheelBase ? m_values->wheelBaseColor()
            : field == AppearanceSettings::PaletteField::Accent                   ? m_values->accentColor()
                                                                                  : m_values->textColor();
        QCOMPARE(shown.name(QColor::HexRgb).toUpper(), stored);
        QCOMPARE(shown.alpha(), 255);
    }

    void accentFollowsThePickedColour()
    {
        open(handPicked());
        QSignalSpy accent(&session(), &SettingsSession::accentChanged);
        m_values->setPaletteColor(AppearanceSettings::PaletteField::Accent, QColor(0x11, 0xAA, 0x55));
        QCOMPARE(accent.count(), 1);
        QCOMPARE(session().accent(), QColor(0x11, 0xAA, 0x55));
        QCOMPARE(m_values->overlaySymbolColor(), QColor(0x11, 0xAA, 0x55));
    }

    void videoTest_data()
    {
        QTest::addColumn<std::optional<QString>>("path");
        QTest::addColumn<bool>("video");

        QTest::newRow("built-in background") << std::optional<QString>() << false;
        QTest::newRow("a picture") << std::optional<QString>(QStringLiteral("/media/dusk.png")) << false;
        QTest::newRow("an MP4") << std::optional<QString>(QStringLiteral("/media/loop.mp4")) << true;
        QTest::newRow("upper-case MOV") << std::optional<QString>(QStringLiteral("/media/LOOP.MOV")) << true;
        QTest::newRow("a video folder name only")
            << std::optional<QString>(QStringLiteral("/media/mp4")) << false;
    }

    void videoTest()
    {
        QFETCH(std::optional<QString>, path);
        QFETCH(bool, video);

        AppPreferences stored;
        stored.videoAudioTakesPriority = true;
        open(stored);
        editDraft([&](AppPreferences &draft) { draft.backgroundPath = path; });

        QCOMPARE(m_values->backgroundIsVideo(), video);
        QCOMPARE(m_values->videoSymbol(), video ? QStringLiteral("film.stack.fill") : QStringLiteral("film"));
        QCOMPARE(m_values->videoSymbolColor() == session().accent(), video);
        QCOMPARE(m_values->videoRowOpacity(), video ? 1.0 : 0.48);
        QCOMPARE(m_values->videoBadge(), video ? QStringLiteral("VIDEO") : QString());
        QCOMPARE(m_values->videoHint(),
            video ? QStringLiteral("当前背景是循环视频") : QStringLiteral("导入视频后可使用此选项"));
        // A disabled switch still shows the stored choice.
        QVERIFY(m_values->videoAudioTakesPriority());

        editDraft([](AppPreferences &draft) { draft.language = AppLanguage::english; });
        QCOMPARE(m_values->videoHint(),
            video ? QStringLiteral("The current background is a looping video")
                  : QStringLiteral("Import a video to enable this option"));
    }

    void pickingAVideoInTheLibraryTurnsTheVideoRowOn()
    {
        AppPreferences stored;
        stored.autoPalette = false;
        open(stored);
        const BackgroundMediaItem picture { QUuid::createUuid(), QStringLiteral("dusk"),
            mediaPath(QStringLiteral("dusk.png")) };
        const BackgroundMediaItem movie { QUuid::createUuid(), QStringLiteral("rain"),
            mediaPath(QStringLiteral("rain.webm")) };
        editDraft([&](AppPreferences &draft) {
            draft.backgroundLibrary = { picture, movie };
            draft.activeBackgroundID = picture.id;
            draft.backgroundPath = picture.path;
        });
        QVERIFY(!m_values->backgroundIsVideo());
        QSignalSpy changed(m_values, &AppearanceSettings::valuesChanged);

        session().backgroundLibrary()->select(Uuid::upperText(movie.id));

        QCOMPARE(session().draft().backgroundPath, std::optional<QString>(movie.path));
        QVERIFY(changed.count() >= 1);
        QVERIFY(m_values->backgroundIsVideo());
        QCOMPARE(m_values->videoBadge(), QStringLiteral("VIDEO"));

        session().backgroundLibrary()->selectDefault();
        QVERIFY(!m_values->backgroundIsVideo());
    }

    void percentage_data()
    {
        QTest::addColumn<double>("stored");
        QTest::addColumn<double>("shown");
        QTest::addColumn<QString>("text");

        QTest::newRow("the slider's lower end") << 0.2 << 0.2 << "20%";
        QTest::newRow("the default") << 0.37 << 0.37 << "37%";
        QTest::newRow("cut, not rounded") << 0.57 << 0.57 << "56%";
        QTest::newRow("the slider's upper end") << 0.82 << 0.82 << "82%";
        QTest::newRow("beyond the slider, hand-edited") << 0.9 << 0.9 << "90%";
        QTest::newRow("above one") << 1.7 << 1.0 << "100%";
        QTest::newRow("negative") << -1.0 << 0.0 << "0%";
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0.0 << "0%";
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 1.0 << "100%";
    }

    void percentage()
    {
        QFETCH(double, stored);
        QFETCH(double, shown);
        QFETCH(QString, text);

        open(AppPreferences());
        editDraft([&](AppPreferences &draft) { draft.palette.overlayOpacity = stored; });

        QCOMPARE(m_values->overlayOpacity(), shown);
        QCOMPARE(m_values->overlayPercentText(), text);
        editDraft([](AppPreferences &draft) { draft.language = AppLanguage::english; });
        QCOMPARE(m_values->overlayPercentText(), text);
    }

    void overlay_data()
    {
        QTest::addColumn<bool>("enabled");

        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }

    void overlay()
    {
        QFETCH(bool, enabled);

        open(AppPreferences());
        m_values->setOverlayEnabled(enabled);

        QCOMPARE(session().draft().backgroundOverlayEnabled, enabled);
        QCOMPARE(m_values->overlaySymbol(),
            enabled ? QStringLiteral("circle.lefthalf.filled") : QStringLiteral("sun.max.fill"));
        QCOMPARE(m_values->overlaySymbolColor() == session().accent(), enabled);
        QCOMPARE(m_values->overlayRowOpacity(), enabled ? 1.0 : 0.45);
        // The stored strength still reads while the overlay is off.
        QCOMPARE(m_values->overlayPercentText(), QStringLiteral("37%"));
    }

    void sliderWrites_data()
    {
        QTest::addColumn<double>("moved");
        QTest::addColumn<double>("stored");

        QTest::newRow("inside the range") << 0.5 << 0.5;
        QTest::newRow("below the range") << 0.1 << 0.2;
        QTest::newRow("above the range") << 0.95 << 0.82;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0.9;
    }

    void sliderWrites()
    {
        QFETCH(double, moved);
        QFETCH(double, stored);

        AppPreferences hand;
        hand.palette.overlayOpacity = 0.9;
        open(hand);
        m_values->setOverlayOpacity(moved);
        QCOMPARE(session().draft().palette.overlayOpacity, stored);
    }

    void automaticOnLeavesThePalette()
    {
        open(handPicked());
        m_values->setAutoPalette(true);
        QVERIFY(session().draft().autoPalette);
        QCOMPARE(session().draft().palette, handPicked().palette);
        m_values->setAutoPalette(false);
        QVERIFY(!session().draft().autoPalette);
    }

    void cancelLeavesTheControllerAlone()
    {
        AppPreferences stored = handPicked();
        stored.palette.overlayOpacity = 0.9;
        open(stored);
        const AppPreferences before = m_controller->preferences();
        const QUrl backgroundBefore = m_controller->appearance()->backgroundURL();
        editDraft([](AppPreferences &draft) { draft.backgroundPath = QStringLiteral("/media/loop.mp4"); });
        m_values->setOverlayEnabled(false);
        m_values->setOverlayOpacity(0.3);
        m_values->setVideoAudioTakesPriority(true);
        m_values->setPaletteColor(AppearanceSettings::PaletteField::Accent, Qt::red);
        m_values->reanalyse();

        session().cancel();
        settle();

        QVERIFY(!m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
        QCOMPARE(m_controller->preferences(), before);
        QCOMPARE(m_controller->appearance()->backgroundURL(), backgroundBefore);
        QCOMPARE(m_controller->appearance()->accentColor(), QColor(0x40, 0x50, 0x60));
        QCOMPARE(m_controller->appearance()->overlayOpacity(), 0.9);
    }

    void valuesWithoutASessionReadAsDefaults()
    {
        AppearanceSettings values;
        values.setOverlayOpacity(0.5);
        values.reanalyse();
        QCOMPARE(values.overlayPercentText(), QStringLiteral("37%"));
        QVERIFY(!values.backgroundIsVideo());
    }
};

QUORVANE_TEST_GUILESS_MAIN(SettingsAppearanceTest)
#include "tst_settings_appearance.moc"
