#include "ControllerHarness.h"
#include "MediaFixtures.h"
#include "TestProgram.h"
#include "core/Tones.h"
#include "ui/common/InterfaceFonts.h"
#include "ui/effects/BackdropCapture.h"
#include "ui/shell/HiddenWindowGraphics.h"
#include "ui/shell/ViewSetup.h"

#include <QDir>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRawFont>
#include <QSGRendererInterface>
#include <QSignalSpy>
#include <QTest>
#include <QTextLayout>
#include <csignal>

namespace {

// Channels of two colours differ by no more than the tolerance.
bool near(QRgb actual, QColor expected, int tolerance = 2)
{
    return qAbs(qRed(actual) - expected.red()) <= tolerance
        && qAbs(qGreen(actual) - expected.green()) <= tolerance
        && qAbs(qBlue(actual) - expected.blue()) <= tolerance;
}

const QColor fallbackColour(10, 20, 26);

} // namespace

// The shared pieces of the views: fonts, symbols, button styles and the background view.
class UiPiecesTest : public QObject
{
    Q_OBJECT

private:
    ControllerHarness m_harness;
    AppController *m_controller = nullptr;
    std::unique_ptr<QQmlEngine> m_engine;
    std::vector<std::unique_ptr<QQuickWindow>> m_windows;

    // Builds a view from one of the application's QML files in a window of its own and shows it.
    QQuickItem *show(const QString &file, const QVariantMap &properties, QSize size)
    {
        QQmlComponent component(
            m_engine.get(), QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/") + file));
        auto window = std::make_unique<QQuickWindow>();
        window->resize(size);
        QObject *object = component.createWithInitialProperties(properties);
        if (!object) {
            qWarning() << component.errorString();
            return nullptr;
        }
        auto *item = qobject_cast<QQuickItem *>(object);
        item->setParent(window->contentItem());
        item->setParentItem(window->contentItem());
        if (item->width() == 0 || size != window->size())
            item->setSize(size);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return nullptr;
        m_windows.push_back(std::move(window));
        return item;
    }

    // Shows the background view over a video file and gives its loader once the video's item is made.
    QQuickItem *showVideo(const QString &path, QSize size)
    {
        QQuickItem *view = show(QStringLiteral("Common/BackgroundMediaView.qml"),
            { { QStringLiteral("url"), QUrl::fromLocalFile(path) },
                { QStringLiteral("videoAudioTakesPriority"), false } },
            size);
        auto *loader = view ? view->findChild<QQuickItem *>(QStringLiteral("backgroundVideo")) : nullptr;
        if (!loader
            || !QTest::qWaitFor([loader] { return loader->property("item").value<QObject *>() != nullptr; }))
            return nullptr;
        return loader;
    }

    // Writes `frames` of colour bars at 30 a second and shows them in the background view. Gives why no
    // video could be made here, or nothing.
    QString showBars(QQuickItem *&loader, int frames = 30)
    {
        const QString path = m_harness.home.filePath(QStringLiteral("bars.mp4"));
        const QString problem = MediaFixtures::writeMp4(path, 160, 120, frames);
        if (problem.isEmpty())
            loader = showVideo(path, { 160, 120 });
        return problem;
    }

    static QImage grab(QQuickItem *item) { return item->window()->grabWindow(); }

    // Where the video's pipeline stands, in milliseconds; -1 when it has none.
    static qint64 positionOf(QObject *player)
    {
        qint64 position = -1;
        QMetaObject::invokeMethod(player, "position", Q_RETURN_ARG(qint64, position));
        return position;
    }

private slots:
    void initTestCase()
    {
        m_controller = &m_harness.start();
        setUpViews(*m_controller);
        m_engine = std::make_unique<QQmlEngine>();
    }

    void cleanup() { m_windows.clear(); }

    // Each text in the faces of its language: every character has a glyph, drawn by the face named
    // (Chinese, its digits and quotes by the CJK face, which matches its weights; English by the Latin
    // face, so its quotes are not full width), or by either face for mixed text.
    void textIsDrawnByItsFace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("face");

        QTest::newRow("round number") << "第 1 轮" << false << "Noto Sans CJK SC";
        QTest::newRow("quoted hint") << "拖入专注音乐，或点击“添加音乐”" << false << "Noto Sans CJK SC";
        QTest::newRow("permission alert message")
            << "柯帆需要 X11 会话来发现键盘与鼠标活动并在休息时锁定键盘。请在登录界面选择 X11（Xorg）会话。"
            << false << "";
        QTest::newRow("apostrophe") << "You’re Up to Date" << true << "Noto Sans";
        QTest::newRow("curly quotes and digits") << "“Quorvane” 25:00" << true << "Noto Sans";
    }

    void textIsDrawnByItsFace()
    {
        QFETCH(QString, text);
        QFETCH(bool, english);
        QFETCH(QString, face);

        // The program starts in Chinese.
        QCOMPARE(QGuiApplication::font().families(), InterfaceFonts::interfaceFamilies(AppLanguage::chinese));
        const QFont font = InterfaceFonts::interfaceFont(
            InterfaceFonts::interfaceFamilies(english ? AppLanguage::english : AppLanguage::chinese), 13);
        QTextLayout layout(text, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun &run : layout.glyphRuns()) {
            QVERIFY(!run.glyphIndexes().contains(0));
            if (!face.isEmpty())
                QCOMPARE(run.rawFont().familyName(), face);
        }
    }

    void timerDigitsKeepTheirWidth_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("weight");
        QTest::addColumn<bool>("equal");

        QTest::newRow("timer face at the timer's weight")
            << InterfaceFonts::timerFamily() << int(InterfaceFonts::timerWeight) << true;
        QTest::newRow("timer face at normal weight")
            << InterfaceFonts::timerFamily() << int(QFont::Normal) << true;
        QTest::newRow("interface face") << InterfaceFonts::nameFamily() << int(QFont::Normal) << true;
        // Installed with the CJK faces, and a proof that the check can fail.
        QTest::newRow("a face with proportional digits")
            << "Noto Serif CJK SC" << int(QFont::Normal) << false;
    }

    void timerDigitsKeepTheirWidth()
    {
        QFETCH(QString, family);
        QFETCH(int, weight);
        QFETCH(bool, equal);

        QFont font(family);
        font.setPixelSize(52);
        font.setWeight(QFont::Weight(weight));
        QCOMPARE(InterfaceFonts::hasEqualDigitAdvances(font), equal);
    }

    // The face itself must be installed (fonts-dejavu-extra): without it the font matcher hands out the
    // regular face, which still reports the requested weight.
    void timerIsDrawnThin()
    {
        QCOMPARE(InterfaceFonts::timerFamily(), QStringLiteral("DejaVu Sans"));
        QFont font(InterfaceFonts::timerFamily());
        font.setWeight(InterfaceFonts::timerWeight);
        const QRawFont face = QRawFont::fromFont(font);
        QCOMPARE(face.familyName(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(face.styleName(), QStringLiteral("ExtraLight"));
    }

    void symbolIconDrawsTheNamedGlyph_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");

        QTest::newRow("interface symbol") << "lock.fill" << QString(QChar(0xE897));
        QTest::newRow("wheel symbol") << "figure.walk" << QString(QChar(0xE536));
        QTest::newRow("unknown name") << "no.such.symbol" << QString();
    }

    void symbolIconDrawsTheNamedGlyph()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);

        QQuickItem *icon
            = show(QStringLiteral("Common/SymbolIcon.qml"), { { QStringLiteral("name"), name } }, { 64, 64 });
        QVERIFY(icon);
        QCOMPARE(icon->property("text").toString(), text);
        QCOMPARE(icon->property("font").value<QFont>().family(), InterfaceFonts::symbolFamily());
        QCOMPARE(icon->implicitWidth() > 0, !text.isEmpty());
    }

    void buttonStyles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qreal>("height");
        QTest::addColumn<qreal>("pressedScale");
        QTest::addColumn<qreal>("labelAlpha");
        QTest::addColumn<qreal>("pressedLabelAlpha");
        QTest::addColumn<qreal>("fillAlpha");
        QTest::addColumn<qreal>("pressedFillAlpha");
        // Negative: the style has no shadow.
        QTest::addColumn<qreal>("shadowAlpha");
        QTest::addColumn<qreal>("pressedShadowAlpha");

        QTest::newRow("gold") << "Common/GoldButtonStyle.qml" << 52.0 << 0.985 << Tones::textOnAccent()
                              << Tones::textOnAccent() << 1.0 << Tones::accentPressed()
                              << Tones::accentOutline() << Tones::accentTint();
        QTest::newRow("secondary glass")
            << "Shell/SecondaryGlassButtonStyle.qml" << 48.0 << 1.0 << Tones::textBody()
            << Tones::textDescription() << Tones::glass() << Tones::scrim() << -1.0 << -1.0;
    }

    void buttonStyles()
    {
        QFETCH(QString, file);
        QFETCH(qreal, height);
        QFETCH(qreal, pressedScale);
        QFETCH(qreal, labelAlpha);
        QFETCH(qreal, pressedLabelAlpha);
        QFETCH(qreal, fillAlpha);
        QFETCH(qreal, pressedFillAlpha);
        QFETCH(qreal, shadowAlpha);
        QFETCH(qreal, pressedShadowAlpha);

        const QVariantMap shortLabel { { QStringLiteral("text"), QStringLiteral("开始") },
            { QStringLiteral("accent"), QColor(0xEB, 0xCB, 0x83) } };
        QVariantMap longLabel = shortLabel;
        longLabel[QStringLiteral("text")] = QStringLiteral("进入休息并锁定键盘 · 一个更长的标签");
        QQuickItem *shortButton = show(file, shortLabel, { 0, 0 });
        QQuickItem *longButton = show(file, longLabel, { 0, 0 });
        QVERIFY(shortButton && longButton);
        for (QQuickItem *button : { shortButton, longButton }) {
            button->setSize({ button->implicitWidth(), button->implicitHeight() });
            button->window()->resize(int(button->width()) + 40, 100);
            button->setPosition({ 20, 20 });
        }
        QCOMPARE(shortButton->implicitHeight(), height);
        QCOMPARE(longButton->implicitHeight(), height);
        QVERIFY(longButton->implicitWidth() > shortButton->implicitWidth());

        // Opacities in percent, read from the label, the capsule and the shadow.
        const auto percent = [](QObject *object, const char *property) {
            return object ? qRound(object->property(property).value<QColor>().alphaF() * 100) : -100;
        };
        QObject *capsule = shortButton->findChild<QObject *>(QStringLiteral("buttonCapsule"));
        QObject *shadow = shortButton->findChild<QObject *>(QStringLiteral("buttonShadow"));
        QVERIFY(capsule);
        QCOMPARE(percent(shortButton, "labelColor"), qRound(labelAlpha * 100));
        QCOMPARE(percent(capsule, "color"), qRound(fillAlpha * 100));
        QCOMPARE(percent(shadow, "color"), qRound(shadowAlpha * 100));
        const QPoint centre
            = shortButton->mapToScene(QPointF(shortButton->width() / 2, height / 2)).toPoint();
        QTest::mousePress(shortButton->window(), Qt::LeftButton, {}, centre);
        QTRY_VERIFY(shortButton->property("down").toBool());
        QCOMPARE(shortButton->scale(), pressedScale);
        QCOMPARE(percent(shortButton, "labelColor"), qRound(pressedLabelAlpha * 100));
        QCOMPARE(percent(capsule, "color"), qRound(pressedFillAlpha * 100));
        QCOMPARE(percent(shadow, "color"), qRound(pressedShadowAlpha * 100));
        QTest::mouseRelease(shortButton->window(), Qt::LeftButton, {}, centre);
        QTRY_VERIFY(!shortButton->property("down").toBool());
        QCOMPARE(shortButton->scale(), 1.0);
        QCOMPARE(percent(capsule, "color"), qRound(fillAlpha * 100));
        QCOMPARE(percent(shadow, "color"), qRound(shadowAlpha * 100));
    }

    // The shared pieces together over the built-in background, written beside the screenshots.
    void galleryOfTheSharedPieces()
    {
        QQmlComponent component(m_engine.get());
        component.setData(R"(
            import QtQuick
            import Quorvane.Common
            import Quorvane.Effects
            import Quorvane.Shell
            Item {
                width: 760
                height: 300
                BackgroundMediaView {
                    id: backdrop
                    anchors.fill: parent
                    url: "qrc:/quorvane/default-forest.png"
                    videoAudioTakesPriority: false
                }
                GlassPanel {
                    x: 24; y: 24; width: 712; height: 252
                    backdrop: backdrop
                    radius: 24
                    tint: Theme.glass
                    borderColor: Theme.separator
                }
                Row {
                    x: 56; y: 56; spacing: 18
                    Repeater {
                        model: ["timer", "figure.walk", "lock.fill", "music.note", "leaf.fill", "cup.and.saucer.fill",
                            "checkmark.circle.fill", "shield.lefthalf.filled", "no.such.symbol", "xmark"]
                        SymbolIcon { required property string modelData; name: modelData; size: 28 }
                    }
                }
                Text {
                    x: 56; y: 110
                    text: "25:09 · 知道了 · Quorvane"
                    color: AppController.appearance.textColor
                    font.family: Fonts.timerFamily
                    font.weight: Font.ExtraLight
                    font.pixelSize: 40
                }
                Row {
                    x: 56; y: 190; spacing: 16
                    GoldButtonStyle { objectName: "gold"; accent: AppController.appearance.accentColor; text: "进入休息并锁定键盘" }
                    SecondaryGlassButtonStyle { text: "提前休息" }
                    GoldButtonStyle { accent: "#7FC8A9"; text: "Start" }
                }
            }
        )",
            QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/Common/SharedPiecesGallery.qml")));
        auto window = std::make_unique<QQuickWindow>();
        window->resize(760, 300);
        std::unique_ptr<QObject> object(component.create());
        auto *gallery = qobject_cast<QQuickItem *>(object.get());
        QVERIFY2(gallery, qPrintable(component.errorString()));
        gallery->setParentItem(window->contentItem());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // The forest is decoded off the main thread and may arrive after the window is on screen.
        auto *forest = gallery->findChild<QQuickItem *>(QStringLiteral("backgroundPicture"));
        QVERIFY(forest);
        // The picture is shown once it is ready.
        QTRY_VERIFY_WITH_TIMEOUT(forest->isVisible(), 30000);
        const QImage shot = window->grabWindow();
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
        QDir().mkpath(folder);
        QVERIFY(shot.save(folder + QStringLiteral("/shared-pieces.png")));

        // The gold capsule is filled with the accent colour.
        auto *gold = gallery->findChild<QQuickItem *>(QStringLiteral("gold"));
        QVERIFY(gold);
        const QPoint inside = gold->mapToScene(QPointF(14, gold->height() / 2)).toPoint();
        QVERIFY(near(shot.pixel(inside), QColor(0xEB, 0xCB, 0x83), 3));
    }

    void pictureCoversTheViewAndIsCroppedAboutItsCentre()
    {
        // Red rises from left to right and green from top to bottom of a very wide picture.
        QImage picture(800, 200, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x * 255 / 799, y * 255 / 199, 0));
        }
        const QString path = m_harness.home.filePath(QStringLiteral("wide.png"));
        QVERIFY(picture.save(path));

        QQuickItem *view = show(QStringLiteral("Common/BackgroundMediaView.qml"),
            { { QStringLiteral("url"), QUrl::fromLocalFile(path) },
                { QStringLiteral("videoAudioTakesPriority"), false } },
            { 200, 400 });
        QVERIFY(view);
        QImage shot;
        QTRY_VERIFY((shot = grab(view)).pixel(100, 200) != fallbackColour.rgb());
        // Scaled to the full height, the 800-wide picture keeps its middle 100 columns: x 350 to 450.
        QVERIFY(near(shot.pixel(100, 200), QColor(127, 128, 0), 4));
        QVERIFY(near(shot.pixel(1, 200), QColor(112, 128, 0), 4));
        QVERIFY(near(shot.pixel(198, 200), QColor(143, 128, 0), 4));
        // Nothing is cut from the top or the bottom.
        QVERIFY(qGreen(shot.pixel(100, 1)) <= 4);
        QVERIFY(qGreen(shot.pixel(100, 398)) >= 251);
    }

    void pictureIsDecodedNoLargerThanTheView()
    {
        QImage picture(3000, 2000, QImage::Format_RGB32);
        picture.fill(QColor(0x40, 0x80, 0x20));
        const QString path = m_harness.home.filePath(QStringLiteral("large.png"));
        QVERIFY(picture.save(path));

        QQuickItem *view = show(QStringLiteral("Common/BackgroundMediaView.qml"),
            { { QStringLiteral("url"), QUrl::fromLocalFile(path) },
                { QStringLiteral("videoAudioTakesPriority"), false } },
            { 300, 300 });
        QVERIFY(view);
        auto *image = view->findChild<QQuickItem *>(QStringLiteral("backgroundPicture"));
        QVERIFY(image->property("asynchronous").toBool());
        const qreal ratio = view->window()->effectiveDevicePixelRatio();
        // Decoded to cover the square view, the 3:2 picture keeps its shape.
        QTRY_VERIFY(image->isVisible());
        QCOMPARE(image->implicitHeight(), std::ceil(300 * ratio));
        QCOMPARE(image->implicitWidth(), std::ceil(450 * ratio));

        // A smaller view keeps what was decoded; a larger one decodes again.
        view->setSize(QSizeF(200, 100));
        QCOMPARE(image->implicitHeight(), std::ceil(300 * ratio));
        view->setSize(QSizeF(600, 300));
        QTRY_COMPARE(image->implicitWidth(), std::ceil(600 * ratio));
        QCOMPARE(image->implicitHeight(), std::ceil(400 * ratio));
    }

    void pictureIsTurnedUprightFromItsOrientationTag()
    {
        // Stored wide with red on the left and blue on the right, tagged to be shown turned clockwise.
        QImage stored(200, 100, QImage::Format_RGB32);
        stored.fill(Qt::blue);
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x)
                stored.setPixel(x, y, qRgb(255, 0, 0));
        }
        const QString path = m_harness.home.filePath(QStringLiteral("upright.jpg"));
        QVERIFY(writeFileBytes(path, MediaFixtures::jpegWithOrientation(stored, 6)));

        QQuickItem *view = show(QStringLiteral("Common/BackgroundMediaView.qml"),
            { { QStringLiteral("url"), QUrl::fromLocalFile(path) },
                { QStringLiteral("videoAudioTakesPriority"), false } },
            { 100, 200 });
        QVERIFY(view);
        QImage shot;
        QTRY_VERIFY((shot = grab(view)).pixel(50, 100) != fallbackColour.rgb());
        QVERIFY(qRed(shot.pixel(50, 20)) > 200 && qBlue(shot.pixel(50, 20)) < 60);
        QVERIFY(qBlue(shot.pixel(50, 180)) > 200 && qRed(shot.pixel(50, 180)) < 60);
    }

    // A wallpaper of the desktop in WebP, imported as the user would, shows as the background.
    void aDesktopWallpaperIsImportedAndShown()
    {
        const QString wallpaper = QStringLiteral("/usr/share/backgrounds/gnome/vnc-d.webp");
        const QImage decoded(wallpaper);
        QVERIFY(!decoded.isNull());
        const QList<BackgroundMediaItem> items
            = m_controller->importBackgroundMediaFiles({ QUrl::fromLocalFile(wallpaper) });
        QCOMPARE(items.size(), 1);
        QVERIFY(!m_controller->sheets()->showingAlert());

        QQuickItem *view = show(QStringLiteral("Common/BackgroundMediaView.qml"),
            { { QStringLiteral("url"), QUrl::fromLocalFile(items.first().path) },
                { QStringLiteral("videoAudioTakesPriority"), false } },
            { 120, 80 });
        QVERIFY(view);
        const QColor centre = decoded.pixelColor(decoded.width() / 2, decoded.height() / 2);
        QTRY_VERIFY(near(grab(view).pixel(60, 40), centre, 3));
    }

    void nothingToShowGivesTheFallbackColour_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("no address") << QString() << QByteArray();
        QTest::newRow("missing file") << "gone.png" << QByteArray();
        QTest::newRow("unreadable picture") << "broken.png" << MediaFixtures::noiseBytes(4096);
        QTest::newRow("HEIC, which this build cannot decode")
            << "photo.heic" << MediaFixtures::noiseBytes(4096);
        QTest::newRow("empty file") << "empty.jpg" << QByteArray("");
    }

    void nothingToShowGivesTheFallbackColour()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);

        QUrl url;
        if (!fileName.isEmpty()) {
            const QString path = m_harness.home.filePath(fileName);
            if (!bytes.isNull())
                QVERIFY(writeFileBytes(path, bytes));
            url = QUrl::fromLocalFile(path);
        }
        QQuickItem *view = show(QStringLiteral("Common/BackgroundMediaView.qml"),
            { { QStringLiteral("url"), url }, { QStringLiteral("videoAudioTakesPriority"), false } },
            { 120, 80 });
        QVERIFY(view);
        const QImage shot = grab(view);
        for (const QPoint point : { QPoint(0, 0), QPoint(60, 40), QPoint(119, 79) })
            QVERIFY(near(shot.pixel(point), fallbackColour, 1));
    }

    // A file that cannot be played fails the same way each time, so it is not started again.
    void unplayableVideoShowsTheColourBehindIt()
    {
        const QString path = m_harness.home.filePath(QStringLiteral("broken.mp4"));
        QVERIFY(writeFileBytes(path, MediaFixtures::noiseBytes(8192)));

        QQuickItem *loader = showVideo(path, { 120, 80 });
        QVERIFY(loader);
        QQuickItem *view = loader->parentItem();
        QObject *player = loader->property("item").value<QObject *>()->property("player").value<QObject *>();
        QTRY_VERIFY(!player->property("errorString").toString().isEmpty());
        QVERIFY(!player->property("playing").toBool());
        QVERIFY(near(grab(view).pixel(60, 40), fallbackColour, 1));
    }

    // Phones mark a recording made upright as turned; it is shown as it was held.
    void aVideoMarkedAsTurnedIsShownUpright()
    {
        const QString path = m_harness.home.filePath(QStringLiteral("turned-bars.mp4"));
        if (const QString problem = MediaFixtures::writeMp4(path, 160, 120, 30); !problem.isEmpty())
            QSKIP(qPrintable(problem));
        QVERIFY(MediaFixtures::markMp4RotatedClockwise(path));

        QQuickItem *loader = showVideo(path, { 120, 160 });
        QVERIFY(loader);
        QQuickItem *view = loader->parentItem();
        // The bars' top row, light grey on the left to blue on the right, runs down the right edge.
        const auto lightGrey = [](QRgb c) { return qRed(c) > 150 && qAbs(qRed(c) - qBlue(c)) < 30; };
        const auto blue = [](QRgb c) { return qBlue(c) > 150 && qRed(c) < 80 && qGreen(c) < 80; };
        QTRY_VERIFY_WITH_TIMEOUT(lightGrey(grab(view).pixel(115, 6)), 60000);
        const QImage shot = grab(view);
        QVERIFY(lightGrey(shot.pixel(115, 6)));
        QVERIFY(blue(shot.pixel(115, 153)));
        QVERIFY(!lightGrey(shot.pixel(4, 6)));
    }

    // The player is made only while the address is a video, each time from the view's current settings.
    void aViewTurnedToAVideoPlaysItsAddress()
    {
        const QString video = m_harness.home.filePath(QStringLiteral("turned.mp4"));
        QVERIFY(writeFileBytes(video, MediaFixtures::noiseBytes(8192)));
        const QString picture = m_harness.home.filePath(QStringLiteral("still.png"));
        QImage still(8, 8, QImage::Format_RGB32);
        still.fill(Qt::darkGreen);
        QVERIFY(still.save(picture));
        QQuickItem *view = show(QStringLiteral("Common/BackgroundMediaView.qml"),
            { { QStringLiteral("url"), QUrl::fromLocalFile(picture) },
                { QStringLiteral("videoAudioTakesPriority"), false } },
            { 120, 80 });
        QVERIFY(view);
        auto *loader = view->findChild<QQuickItem *>(QStringLiteral("backgroundVideo"));
        QVERIFY(loader);
        QVERIFY(!loader->property("item").value<QObject *>());

        for (const bool audible : { true, false }) {
            view->setProperty("videoAudioTakesPriority", audible);
            view->setProperty("url", QUrl::fromLocalFile(video));
            auto *item = loader->property("item").value<QObject *>();
            QVERIFY(item);
            QObject *player = item->property("player").value<QObject *>();
            QCOMPARE(player->property("source").toUrl(), QUrl::fromLocalFile(video));
            QCOMPARE(player->property("muted").toBool(), !audible);

            view->setProperty("url", QUrl::fromLocalFile(picture));
            QVERIFY(!loader->property("item").value<QObject *>());
        }
    }

    void videoLoopsSilentlyAndUnmutesWithoutRestarting()
    {
        QQuickItem *loader = nullptr;
        if (const QString problem = showBars(loader); !problem.isEmpty())
            QSKIP(qPrintable(problem));
        QVERIFY(loader);
        QQuickItem *view = loader->parentItem();
        QPointer<QObject> player
            = loader->property("item").value<QObject *>()->property("player").value<QObject *>();
        QVERIFY(player);
        QVERIFY(player->property("muted").toBool());

        // Plays, and starts over after its one second instead of stopping.
        QVERIFY(player->property("playing").toBool());
        qint64 furthest = 0;
        bool startedOver = false;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                const qint64 position = positionOf(player);
                startedOver = startedOver || (furthest > 250 && position < furthest - 200);
                furthest = std::max(furthest, position);
                return startedOver;
            }(),
            60000);
        QVERIFY(player->property("playing").toBool());
        // Its frames are on screen, and each one drawn is told.
        QTRY_VERIFY(!near(grab(view).pixel(80, 30), fallbackColour, 3));
        QSignalSpy shown(loader->property("item").value<QObject *>(), SIGNAL(frameShown()));
        QTRY_VERIFY(shown.count() > 1);
        // The decoder darkens the frames as the view asks, so that nothing need be drawn over them.
        const QRgb clear = grab(view).pixel(80, 30);
        QVERIFY(view->property("shaded").toBool());
        view->setProperty("shadeOpacity", 0.5);
        QTRY_VERIFY(
            near(grab(view).pixel(80, 30), QColor(qRed(clear) / 2, qGreen(clear) / 2, qBlue(clear) / 2), 3));
        // A scene of nothing but the frames gives the glass the frame drawn, reduced, at once: no drawing.
        view->setProperty("showsFramesOnly", true);
        BackdropCapture *capture = BackdropCapture::of(*view);
        capture->setViewedPart(this, QRectF(0, 0, 40, 20));
        capture->addViewer();
        QVERIFY(capture->isCurrent());
        // Only the part a viewer shows is reduced; a part it moves to, at once.
        QVERIFY(!near(capture->image().pixel(20, 7), grab(view).pixel(80, 30), 3));
        capture->setViewedPart(this, QRectF(60, 20, 40, 20));
        QVERIFY(near(capture->image().pixel(20, 7), grab(view).pixel(80, 30), 3));
        // Each frame on its way is told, so that a panel showing the capture draws with it, not after it.
        QSignalSpy arriving(capture, &BackdropCapture::frameArriving);
        QTRY_VERIFY(!arriving.isEmpty());
        capture->removeViewer(this);

        view->setProperty("videoAudioTakesPriority", true);
        QVERIFY(!player->property("muted").toBool());
        QCOMPARE(loader->property("item").value<QObject *>()->property("player").value<QObject *>(),
            player.data());
        QVERIFY(player->property("playing").toBool());
        QCOMPARE(player->property("source").toUrl(),
            QUrl::fromLocalFile(m_harness.home.filePath(QStringLiteral("bars.mp4"))));

        // Removing the view stops the player with it.
        m_windows.clear();
        QTRY_VERIFY(!player);
    }

    // The decoder is a process of its own; one that dies takes nothing of the program with it and is started
    // again, until it has died three times in a row: then it is the video's error, said on the background,
    // until the background is chosen again.
    void aDecoderThatDiesIsStartedAgainTwice()
    {
        QQuickItem *loader = nullptr;
        if (const QString problem = showBars(loader, 90); !problem.isEmpty())
            QSKIP(qPrintable(problem));
        QVERIFY(loader);
        QObject *player = loader->property("item").value<QObject *>()->property("player").value<QObject *>();
        for (int death = 1; death <= 3; ++death) {
            QTRY_VERIFY_WITH_TIMEOUT(positionOf(player) > 0, 60000);
            QSignalSpy stoppedAndStarted(player, SIGNAL(playingChanged()));
            QFile children(
                QStringLiteral("/proc/self/task/%1/children").arg(QCoreApplication::applicationPid()));
            QVERIFY(children.open(QIODevice::ReadOnly));
            int killed = 0;
            for (const QByteArray &pid : children.readAll().simplified().split(' ')) {
                QFile name(QString::fromLatin1("/proc/" + pid + "/comm"));
                if (name.open(QIODevice::ReadOnly) && name.readAll().startsWith("quorvane-video"))
                    killed += ::kill(pid.toInt(), SIGKILL) == 0;
            }
            QCOMPARE(killed, 1);
            QTRY_COMPARE(stoppedAndStarted.count(), death < 3 ? 2 : 1);
        }

        QVERIFY(!player->property("errorString").toString().isEmpty());
        QVERIFY(!player->property("playing").toBool());
        QVERIFY(loader->findChild<QQuickItem *>(QStringLiteral("videoCannotBePlayed"))->isVisible());
        // Saving the settings with the same background tries it again.
        QVERIFY(m_controller->savePreferences(m_controller->preferences()));
        QTRY_VERIFY_WITH_TIMEOUT(positionOf(player) > 0, 60000);
        QVERIFY(player->property("errorString").toString().isEmpty());
    }

    // Closed to the tray, the window gives up its graphics and the video its pipeline; shown again, the
    // video goes on from where it stood, in the new graphics.
    void videoPlaysOnWhenTheWindowIsShownAgain()
    {
        QQuickItem *loader = nullptr;
        if (const QString problem = showBars(loader, 90); !problem.isEmpty())
            QSKIP(qPrintable(problem));
        QVERIFY(loader);
        QQuickItem *view = loader->parentItem();
        QQuickWindow *window = view->window();
        HiddenWindowGraphics hiddenGraphics(*window);
        QObject *player = loader->property("item").value<QObject *>()->property("player").value<QObject *>();
        QVERIFY(player);
        QSignalSpy frames(player, SIGNAL(frameReady()));
        QTRY_VERIFY_WITH_TIMEOUT(positionOf(player) > 1000, 60000);

        QSignalSpy released(window, &QQuickWindow::sceneGraphInvalidated);
        window->close();
        QVERIFY(!window->isVisible());
        // Nothing is decoded for a closed window: no pipeline is left.
        QVERIFY(!player->property("playing").toBool());
        QCOMPARE(positionOf(player), -1);
        // Without a graphics API the window keeps nothing worth giving up.
        if (window->rendererInterface()->graphicsApi() != QSGRendererInterface::Software)
            QTRY_VERIFY_WITH_TIMEOUT(!released.isEmpty(), 30000);

        const qsizetype framesWhenHidden = frames.count();
        window->showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(player->property("playing").toBool());
        // Its first frame is where it stood, never its start.
        QTRY_VERIFY_WITH_TIMEOUT(frames.count() > framesWhenHidden, 60000);
        QVERIFY(positionOf(player) > 900);
        // More than a second of frames: it plays on in the new graphics, not just a frame left over from
        // the old ones.
        QTRY_VERIFY_WITH_TIMEOUT(frames.count() > framesWhenHidden + 30, 60000);
        QTRY_VERIFY(!near(grab(view).pixel(80, 30), fallbackColour, 3));
    }
};

QUORVANE_TEST_MAIN(UiPiecesTest)
#include "tst_ui_pieces.moc"
