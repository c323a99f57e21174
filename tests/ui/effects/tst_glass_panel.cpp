#include "FakeOneShotTimer.h"
#include "ui/effects/BackdropCapture.h"
#include "ui/effects/GlassBackdrop.h"
#include "ui/effects/RasterBands.h"

#include <QList>
#include <QPainter>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {

bool near(QRgb actual, QColor expected, int tolerance)
{
    return qAbs(qRed(actual) - expected.red()) <= tolerance
        && qAbs(qGreen(actual) - expected.green()) <= tolerance
        && qAbs(qBlue(actual) - expected.blue()) <= tolerance;
}

enum class Change { None, MovePanel, RepaintBackdrop, HideWindowAndRepaint };
enum class Viewing { Shown, AncestorHidden, AncestorHiddenThenShown, TakenOutOfWindow };

} // namespace

// The glass panel under Qt Quick's software adaptation, where shader effects draw nothing.
class GlassPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        qmlRegisterType<GlassBackdrop>("Quorvane.Effects", 1, 0, "GlassBackdrop");
    }

    // Drawn band by band, a picture comes out as drawn at once, within the painter's clip and transform.
    void bandsDrawWhatOneDrawingDraws_data()
    {
        QTest::addColumn<QRect>("clip");
        QTest::addColumn<qreal>("scale");
        QTest::newRow("no clip") << QRect() << 1.0;
        QTest::newRow("within a clip") << QRect(10, 70, 50, 100) << 1.0;
        QTest::newRow("under a scale") << QRect() << 2.0;
    }

    void bandsDrawWhatOneDrawingDraws()
    {
        QFETCH(QRect, clip);
        QFETCH(qreal, scale);
        QImage source(13, 47, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                source.setPixel(x, y, qRgba(x * 19, y * 5, 90, 255));
        const auto drawn = [&](bool inBands) {
            QImage target(100, 300, QImage::Format_ARGB32_Premultiplied);
            target.fill(Qt::transparent);
            QPainter painter(&target);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            if (!clip.isNull())
                painter.setClipRect(clip);
            painter.scale(scale, scale);
            const auto draw = [&] { painter.drawImage(QRectF(0, 0, 100 / scale, 300 / scale), source); };
            inBands ? drawInBands(painter, target.rect(), draw) : draw();
            return target;
        };
        QCOMPARE(drawn(true), drawn(false));
    }

    void cropCoversTheSliceInWholeCapturePixels_data()
    {
        QTest::addColumn<QRectF>("slice");
        QTest::addColumn<QSizeF>("backdrop");
        QTest::addColumn<QSize>("capture");
        QTest::addColumn<QRect>("crop");
        QTest::newRow("on whole pixels")
            << QRectF(40, 80, 120, 60) << QSizeF(400, 200) << QSize(100, 50) << QRect(10, 20, 30, 15);
        QTest::newRow("between pixels, widened")
            << QRectF(41, 81, 120, 60) << QSizeF(400, 200) << QSize(100, 50) << QRect(10, 20, 31, 16);
        QTest::newRow("capture rounded up")
            << QRectF(0, 0, 401, 201) << QSizeF(401, 201) << QSize(101, 51) << QRect(0, 0, 101, 51);
        QTest::newRow("hanging over the top left")
            << QRectF(-20, -20, 60, 60) << QSizeF(400, 200) << QSize(100, 50) << QRect(0, 0, 10, 10);
        QTest::newRow("hanging over the bottom right")
            << QRectF(380, 180, 60, 60) << QSizeF(400, 200) << QSize(100, 50) << QRect(95, 45, 5, 5);
        QTest::newRow("wholly outside")
            << QRectF(500, 0, 60, 60) << QSizeF(400, 200) << QSize(100, 50) << QRect();
        QTest::newRow("empty slice") << QRectF(40, 40, 0, 60) << QSizeF(400, 200) << QSize(100, 50)
                                     << QRect();
        QTest::newRow("no capture yet") << QRectF(40, 40, 60, 60) << QSizeF(400, 200) << QSize() << QRect();
    }

    void cropCoversTheSliceInWholeCapturePixels()
    {
        QFETCH(QRectF, slice);
        QFETCH(QSizeF, backdrop);
        QFETCH(QSize, capture);
        QFETCH(QRect, crop);
        QCOMPARE(GlassBackdrop::captureCrop(slice, backdrop, capture), crop);
    }

    // A backdrop red on its left half and blue on its right, hidden behind black; a panel over it shows
    // the blurred backdrop under its tint and outline (one colour here) or, where it draws nothing, the
    // black.
    void panelShowsTheBlurredBackdropUnderIt_data()
    {
        QTest::addColumn<QRectF>("panel");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QPointF>("probe");
        QTest::addColumn<QColor>("expected");
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<QColor>("tint");
        const QRectF overRed(20, 60, 120, 80);
        const QColor halfWhite(255, 255, 255, 128);
        const QColor noTint(Qt::transparent);
        QTest::newRow("under the tint")
            << overRed << Change::None << QPointF(60, 40) << QColor(255, 128, 128) << 6 << halfWhite;
        QTest::newRow("outline over the tint")
            << overRed << Change::None << QPointF(60, 0) << QColor(255, 191, 191) << 12 << halfWhite;
        QTest::newRow("over one colour")
            << overRed << Change::None << QPointF(60, 40) << QColor(255, 0, 0) << 6 << noTint;
        QTest::newRow("outside the rounded corner")
            << overRed << Change::None << QPointF(1, 1) << QColor(0, 0, 0) << 6 << noTint;
        QTest::newRow("across the edge, blurred") << QRectF(140, 60, 120, 80) << Change::None
                                                  << QPointF(60, 40) << QColor(128, 0, 128) << 30 << noTint;
        QTest::newRow("near the edge, mostly its side")
            << QRectF(140, 60, 120, 80) << Change::None << QPointF(20, 40) << QColor(245, 0, 10) << 12
            << noTint;
        QTest::newRow("moved over the other colour")
            << overRed << Change::MovePanel << QPointF(60, 40) << QColor(0, 0, 255) << 6 << noTint;
        QTest::newRow("backdrop repainted")
            << overRed << Change::RepaintBackdrop << QPointF(60, 40) << QColor(0, 255, 0) << 6 << noTint;
        QTest::newRow("backdrop repainted while hidden")
            << overRed << Change::HideWindowAndRepaint << QPointF(60, 40) << QColor(0, 255, 0) << 6 << noTint;
    }

    void panelShowsTheBlurredBackdropUnderIt()
    {
        QFETCH(QRectF, panel);
        QFETCH(Change, change);
        QFETCH(QPointF, probe);
        QFETCH(QColor, expected);
        QFETCH(int, tolerance);
        QFETCH(QColor, tint);

        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData(R"(
            import QtQuick
            Item {
                width: 400
                height: 200
                Item {
                    id: backdrop
                    objectName: "backdrop"
                    anchors.fill: parent
                    signal contentChanged()
                    Rectangle { objectName: "left"; width: 200; height: 200; color: "red" }
                    Rectangle { x: 200; width: 200; height: 200; color: "blue" }
                }
                Rectangle { anchors.fill: parent; color: "black" }
                GlassPanel {
                    objectName: "panel"
                    backdrop: backdrop
                    radius: 30
                    tint: "transparent"
                    borderColor: "transparent"
                }
            }
        )",
            QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/Effects/GlassPanelUnderTest.qml")));
        std::unique_ptr<QObject> object(component.create());
        auto *root = qobject_cast<QQuickItem *>(object.get());
        QVERIFY2(root, qPrintable(component.errorString()));
        auto *glass = root->findChild<QQuickItem *>(QStringLiteral("panel"));
        QVERIFY(glass);
        glass->setPosition(panel.topLeft());
        glass->setSize(panel.size());
        glass->setProperty("tint", tint);
        glass->setProperty("borderColor", tint);
        QQuickWindow window;
        window.resize(400, 200);
        root->setParentItem(window.contentItem());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto probed = [&] { return window.grabWindow().pixel(glass->mapToScene(probe).toPoint()); };
        // The first slice shows once the backdrop is captured, after a frame.
        const QPoint centre = glass->mapToScene(QPointF(panel.width() / 2, panel.height() / 2)).toPoint();
        QTRY_VERIFY_WITH_TIMEOUT(window.grabWindow().pixel(centre) != qRgb(0, 0, 0), 10000);

        auto *backdrop = root->findChild<QQuickItem *>(QStringLiteral("backdrop"));
        const auto repaint = [&] {
            root->findChild<QQuickItem *>(QStringLiteral("left"))->setProperty("color", QColor(Qt::green));
            QMetaObject::invokeMethod(backdrop, "contentChanged");
        };
        switch (change) {
        case Change::None:
            break;
        case Change::MovePanel:
            glass->setX(glass->x() + 240);
            break;
        case Change::RepaintBackdrop:
            repaint();
            break;
        case Change::HideWindowAndRepaint:
            window.hide();
            repaint();
            QTest::qWait(50);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            break;
        }
        QTRY_VERIFY_WITH_TIMEOUT(near(probed(), expected, tolerance), 10000);
    }

    // A dialog's panel is built hidden at start-up; while nothing shows it, the backdrop's changes are
    // not captured (a capture due or in flight would make it not current).
    void onlyAShownPanelHasTheBackdropCaptured_data()
    {
        QTest::addColumn<Viewing>("viewing");
        QTest::addColumn<bool>("captureDue");
        QTest::newRow("shown") << Viewing::Shown << true;
        QTest::newRow("under a hidden item") << Viewing::AncestorHidden << false;
        QTest::newRow("hidden, then shown again") << Viewing::AncestorHiddenThenShown << true;
        QTest::newRow("taken out of the window") << Viewing::TakenOutOfWindow << false;
    }

    void onlyAShownPanelHasTheBackdropCaptured()
    {
        QFETCH(Viewing, viewing);
        QFETCH(bool, captureDue);

        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData(R"(
            import QtQuick
            import Quorvane.Effects
            Item {
                width: 200
                height: 100
                Item {
                    id: backdrop
                    objectName: "backdrop"
                    anchors.fill: parent
                    signal contentChanged()
                    Rectangle { anchors.fill: parent; color: "red" }
                }
                Item {
                    objectName: "holder"
                    anchors.fill: parent
                    GlassBackdrop { objectName: "panel"; anchors.fill: parent; backdrop: backdrop }
                }
            }
        )",
            QUrl());
        std::unique_ptr<QObject> object(component.create());
        auto *root = qobject_cast<QQuickItem *>(object.get());
        QVERIFY2(root, qPrintable(component.errorString()));
        QQuickWindow window;
        window.resize(200, 100);
        root->setParentItem(window.contentItem());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *backdrop = root->findChild<QQuickItem *>(QStringLiteral("backdrop"));
        auto *capture = BackdropCapture::of(*backdrop);
        QTRY_VERIFY_WITH_TIMEOUT(capture->isCurrent(), 10000);

        auto *holder = root->findChild<QQuickItem *>(QStringLiteral("holder"));
        switch (viewing) {
        case Viewing::Shown:
            break;
        case Viewing::AncestorHidden:
            holder->setVisible(false);
            break;
        case Viewing::AncestorHiddenThenShown:
            holder->setVisible(false);
            holder->setVisible(true);
            break;
        case Viewing::TakenOutOfWindow:
            root->findChild<QQuickItem *>(QStringLiteral("panel"))->setParentItem(nullptr);
            break;
        }
        QMetaObject::invokeMethod(backdrop, "contentChanged");
        QCOMPARE(!capture->isCurrent(), captureDue);
    }

    // A backdrop that keeps changing (a playing video) is captured at most once per gap, and its last
    // change is still taken once the gap is over.
    void capturesAreSpacedAndTakeTheLastChange_data()
    {
        QTest::addColumn<QList<int>>("changesPerGap");
        QTest::addColumn<int>("captures");
        QTest::newRow("no change") << QList<int> { 0 } << 1;
        QTest::newRow("one change, taken after the gap") << QList<int> { 1 } << 2;
        QTest::newRow("five changes in one gap, one capture") << QList<int> { 5 } << 2;
        QTest::newRow("changes over two gaps") << QList<int> { 5, 3 } << 3;
        QTest::newRow("a quiet gap, then a change") << QList<int> { 0, 1 } << 2;
    }

    void capturesAreSpacedAndTakeTheLastChange()
    {
        QFETCH(QList<int>, changesPerGap);
        QFETCH(int, captures);

        QQuickWindow window;
        window.resize(200, 100);
        QQuickItem backdrop(window.contentItem());
        backdrop.setSize(QSizeF(200, 100));
        auto gap = std::make_unique<FakeOneShotTimer>();
        FakeOneShotTimer &time = *gap;
        // A plain item has no `contentChanged()`; its resizes are the changes here.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no contentChanged")));
        auto *capture = new BackdropCapture(backdrop, std::move(gap));
        QCOMPARE(BackdropCapture::of(backdrop), capture);
        QSignalSpy taken(capture, &BackdropCapture::captured);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        capture->addViewer();
        QTRY_VERIFY_WITH_TIMEOUT(capture->isCurrent(), 10000);

        for (const int changes : changesPerGap) {
            for (int i = 0; i < changes; ++i)
                backdrop.setWidth(backdrop.width() == 200 ? 199 : 200);
            time.advance(BackdropCapture::minimumGap - std::chrono::milliseconds(1));
            QCOMPARE(capture->isCurrent(), changes == 0);
            time.advance(std::chrono::milliseconds(1));
            QTRY_VERIFY_WITH_TIMEOUT(capture->isCurrent(), 10000);
        }
        QCOMPARE(taken.count(), captures);
    }
};

QTEST_MAIN(GlassPanelTest)
#include "tst_glass_panel.moc"
