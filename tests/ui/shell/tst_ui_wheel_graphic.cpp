#include "TestProgram.h"
#include "core/Uuid.h"
#include "session/WheelEntryVariant.h"
#include "session/WheelLayout.h"
#include "ui/shell/WeightedWheelGraphic.h"

#include <QPainter>
#include <QQuickWindow>
#include <QRandomGenerator>
#include <QTest>
#include <cmath>

namespace {

constexpr int side = 540;
// Just below the pointer's tip and above the label of the slice under it.
const QPoint underThePointer(side / 2, 45);
// Below the wheel's lower rim, where only the wheel's shadow falls.
const QPoint belowTheRim(side / 2, side - 8);
const QColor red(255, 0, 0);
const QColor gold(0xEB, 0xCB, 0x83);

QList<WeightedWheelItem> entries(const QList<double> &weights)
{
    QList<WeightedWheelItem> list;
    for (double weight : weights) {
        WeightedWheelItem entry;
        entry.item
            = { QUuid::createUuid(), QStringLiteral("Stretch"), weight, 4, QStringLiteral("figure.walk") };
        entry.effectiveWeight = weight;
        list.append(entry);
    }
    return list;
}

// The wheel's square as the scene shows it: the drop shadow item behind, then the wheel's own painting.
QImage render(WeightedWheelGraphic &graphic)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (auto *shadow = graphic.findChild<QQuickPaintedItem *>(QStringLiteral("wheelDropShadow"))) {
        painter.save();
        painter.translate(shadow->position());
        shadow->paint(&painter);
        painter.restore();
    }
    graphic.paint(&painter);
    return image;
}

// The rotation the controller turns to for a slice centred `centre` degrees clockwise from the top.
double stopRotation(double oldRotation, double centre)
{
    return std::ceil(oldRotation / 360) * 360 + 1440 + (360 - centre);
}

// The fill opacity whose colour, red over the shadowed white below the wheel, is nearest to the pixel.
double nearestFill(QRgb pixel, const QList<double> &candidates)
{
    // Under the slices the wheel's shadow darkens the white to about half.
    const double shadowed = 255 * (1 - 0.48);
    double best = candidates.constFirst();
    for (double opacity : candidates) {
        if (std::abs(qGreen(pixel) - shadowed * (1 - opacity))
            < std::abs(qGreen(pixel) - shadowed * (1 - best)))
            best = opacity;
    }
    return best;
}

} // namespace

class WheelGraphicTest : public QObject
{
    Q_OBJECT

private:
    void setUp(WeightedWheelGraphic &graphic, const QList<WeightedWheelItem> &list)
    {
        graphic.setSize(QSizeF(side, side));
        graphic.setItems(WheelEntryVariant::fromEntries(list));
        graphic.setBaseWeightTotal(10);
        graphic.setWheelBaseColor(red);
        graphic.setAccentColor(gold);
        graphic.setTextColor(Qt::white);
        graphic.setEnglish(true);
    }

private slots:
    void theDrawnSliceIsUnderThePointer_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("showResult");
        for (quint32 seed = 1; seed <= 6; ++seed) {
            QTest::addRow("seed %u, turning", seed) << seed << false;
            QTest::addRow("seed %u, result", seed) << seed << true;
        }
    }

    void theDrawnSliceIsUnderThePointer()
    {
        QFETCH(quint32, seed);
        QFETCH(bool, showResult);
        QRandomGenerator random(seed);
        QList<double> weights;
        for (int i = 0; i < 3; ++i)
            weights.append(1 + random.generateDouble() * 9);
        const QList<WeightedWheelItem> list = entries(weights);
        WeightedWheelGraphic graphic;
        setUp(graphic, list);
        graphic.setShowResult(showResult);

        const WheelLayout layout = WheelLayout::compute(list, 10, QSizeF(side, side), QUuid(), false);
        double rotation = random.generateDouble() * 2000;
        for (qsizetype drawn = 0; drawn < list.size(); ++drawn) {
            rotation = stopRotation(rotation, layout.entries[drawn].midpoint + 90);
            graphic.setSelectedID(Uuid::upperText(list[drawn].id()));
            graphic.setWheelRotation(rotation);
            const QRgb pixel = render(graphic).pixel(underThePointer);
            // Pure red, no accent outline or label ink.
            QCOMPARE(qGreen(pixel), qBlue(pixel));
            QVERIFY(qRed(pixel) > qGreen(pixel) + 150);
            QCOMPARE(nearestFill(pixel, { 0.98, 0.88, 0.81, 0.74 }),
                WheelLayout::fillOpacity(drawn, true, showResult));
        }
    }

    void pointerAndShadowsStandStill()
    {
        WeightedWheelGraphic graphic;
        setUp(graphic, entries({ 2, 5, 3, 1 }));
        graphic.setWheelRotation(0);
        const QImage still = render(graphic);
        graphic.setWheelRotation(1234.5);
        const QImage turned = render(graphic);
        QVERIFY(still != turned);
        // The pointer's body and the shadow below the rim are the same at every angle.
        QCOMPARE(turned.pixel(side / 2, 12), still.pixel(side / 2, 12));
        QCOMPARE(turned.pixel(belowTheRim), still.pixel(belowTheRim));
        QCOMPARE(turned.pixel(side / 2 - 40, side - 10), still.pixel(side / 2 - 40, side - 10));
        // The shadow falls below the wheel, not above it.
        QVERIFY(qGreen(still.pixel(belowTheRim)) < 235);
        QVERIFY(qGreen(still.pixel(side / 2 + 60, 4)) >= 253);
        QCOMPARE(QColor(still.pixel(side / 2, 12)), gold);
    }

    void anEmptyWheelStillHasItsCentreAndPointer()
    {
        WeightedWheelGraphic graphic;
        setUp(graphic, {});
        const QImage image = render(graphic);
        QCOMPARE(QColor(image.pixel(side / 2, 12)), gold);
        // The hub: the accent at 0.92 over the dark centre disc.
        const QColor hub(image.pixel(side / 2, side / 2));
        QVERIFY(hub.red() > 200 && hub.green() > 170 && hub.blue() < 140);
        // Between the centre disc and the rim nothing is drawn, not even the wheel's shadow.
        QCOMPARE(image.pixel(side / 2, 100), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(belowTheRim), qRgb(255, 255, 255));
    }

    void theShadowReachesPastTheWheelsEdge_data()
    {
        QTest::addColumn<int>("fromCentre");
        QTest::newRow("under the centre") << 0;
        QTest::newRow("right of the centre") << 40;
        QTest::newRow("left of the centre") << -40;
    }

    void theShadowReachesPastTheWheelsEdge()
    {
        QFETCH(int, fromCentre);
        constexpr int diameter = 300;
        const QPoint origin(100, 60);
        QQuickWindow window;
        window.setColor(Qt::white);
        window.resize(500, 500);
        WeightedWheelGraphic graphic(window.contentItem());
        setUp(graphic, entries({ 2, 5, 3 }));
        graphic.setSize(QSizeF(diameter, diameter));
        graphic.setPosition(origin);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const int x = origin.x() + diameter / 2 + fromCentre;
        const int lastRow = origin.y() + diameter - 1;
        QImage image;
        // Wait for a frame that shows the wheel at all.
        QTRY_VERIFY((image = window.grabWindow(), qGreen(image.pixel(origin.x() + diameter / 2, 100)) < 200));
        const auto green = [&](int row) { return qGreen(image.pixel(x, row)); };
        // The shadow falls past the wheel's square on the white ...
        QVERIFY(green(lastRow + 1) < 250);
        // ... and brightens as smoothly across the square's edge as it does just above it.
        const int acrossTheEdge = green(lastRow + 1) - green(lastRow);
        const int aboveTheEdge = green(lastRow) - green(lastRow - 1);
        QVERIFY2(acrossTheEdge <= aboveTheEdge + 2,
            qPrintable(QStringLiteral("%1 %2 %3")
                           .arg(green(lastRow - 1))
                           .arg(green(lastRow))
                           .arg(green(lastRow + 1))));
        QCOMPARE(green(lastRow + 60), 255);
    }

    void labelsStayUpright()
    {
        // One entry: its label is the only drawing in the ring between the centre disc and the rim, so the
        // vertical order of its ink (symbol on top, the share lines at the bottom) shows which way is up.
        WeightedWheelGraphic graphic;
        setUp(graphic, entries({ 1 }));
        graphic.setWheelBaseColor(Qt::black);
        graphic.setTextColor(Qt::white);
        for (double rotation : { 0.0, 90.0, 180.0, 270.0 }) {
            graphic.setWheelRotation(rotation);
            const QImage image = render(graphic);
            // Where the label sits after the turn: 0.64 × (270 − 14) from the centre, starting straight
            // below.
            const double radians = (90 + rotation) * M_PI / 180;
            const QPoint centre(int(std::lround(side / 2 + 163.84 * std::cos(radians))),
                int(std::lround(side / 2 + 163.84 * std::sin(radians))));
            int widestRow = -1;
            int widest = 0;
            for (int y = centre.y() - 45; y <= centre.y() + 45; ++y) {
                int bright = 0;
                for (int x = centre.x() - 60; x <= centre.x() + 60; ++x)
                    bright += qGray(image.pixel(x, y)) > 128 ? 1 : 0;
                if (bright > widest) {
                    widest = bright;
                    widestRow = y;
                }
            }
            // The title, the widest line of ink, sits above the label's centre whatever the rotation.
            QVERIFY2(widestRow < centre.y() && widestRow > centre.y() - 30,
                qPrintable(QStringLiteral("rotation %1: widest row %2, centre %3")
                               .arg(rotation)
                               .arg(widestRow)
                               .arg(centre.y())));
        }
    }
};

QUORVANE_TEST_MAIN(WheelGraphicTest)
#include "tst_ui_wheel_graphic.moc"
