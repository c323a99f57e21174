#include "views/RoundedGradient.h"

#include <QPainter>
#include <QTest>

namespace {

// Room around the item, where nothing may be drawn.
constexpr int margin = 4;
const QColor none(0, 0, 0, 0);

bool near(const QColor &actual, const QColor &expected)
{
    constexpr int tolerance = 3;
    if (expected.alpha() == 0)
        return actual.alpha() <= tolerance;
    return std::abs(actual.red() - expected.red()) <= tolerance
        && std::abs(actual.green() - expected.green()) <= tolerance
        && std::abs(actual.blue() - expected.blue()) <= tolerance
        && std::abs(actual.alpha() - expected.alpha()) <= tolerance;
}

} // namespace

class TestRoundedGradient : public QObject
{
    Q_OBJECT

private slots:
    void drawsTheGradientInsideItsRoundedBounds_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<qreal>("radius");
        QTest::addColumn<qreal>("strokeWidth");
        QTest::addColumn<QList<QColor>>("colours");
        // In the item's coordinates; the gradient runs from x = 20.5 to x = 80.5, so x = 50 is its middle.
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QColor>("expected");

        const QSizeF card(100, 60);
        const QList<QColor> redToBlue { Qt::red, Qt::blue };
        const QList<QColor> white { Qt::white };
        QTest::newRow("before the start")
            << card << 0.0 << 0.0 << redToBlue << QPoint(5, 30) << QColor(Qt::red);
        QTest::newRow("after the end")
            << card << 0.0 << 0.0 << redToBlue << QPoint(95, 30) << QColor(Qt::blue);
        QTest::newRow("three colours, the middle one midway")
            << card << 0.0 << 0.0 << QList<QColor> { Qt::red, Qt::green, Qt::blue } << QPoint(50, 30)
            << QColor(Qt::green);
        // As a gradient effect's: a plain interpolation would turn grey on its way to transparent.
        QTest::newRow("midway to transparent, premultiplied")
            << card << 0.0 << 0.0 << QList<QColor> { Qt::white, Qt::transparent } << QPoint(50, 30)
            << QColor(255, 255, 255, 128);
        QTest::newRow("the corner is rounded off") << card << 10.0 << 0.0 << white << QPoint(0, 0) << none;
        QTest::newRow("outline, top edge")
            << card << 10.0 << 1.0 << white << QPoint(50, 0) << QColor(Qt::white);
        QTest::newRow("outline, bottom edge")
            << card << 10.0 << 1.0 << white << QPoint(50, 59) << QColor(Qt::white);
        QTest::newRow("outline, hollow") << card << 10.0 << 1.0 << white << QPoint(50, 1) << none;
        QTest::newRow("outline, nothing below") << card << 10.0 << 1.0 << white << QPoint(50, 60) << none;
        QTest::newRow("outline, nothing to the left")
            << card << 10.0 << 1.0 << white << QPoint(-1, 30) << none;
        QTest::newRow("outline as wide as the shape fills it")
            << QSizeF(6, 6) << 0.0 << 3.0 << white << QPoint(3, 3) << QColor(Qt::white);
        QTest::newRow("zero size") << QSizeF(0, 0) << 0.0 << 0.0 << white << QPoint(0, 0) << none;
        QTest::newRow("no colours") << card << 0.0 << 0.0 << QList<QColor> {} << QPoint(50, 30) << none;
    }

    void drawsTheGradientInsideItsRoundedBounds()
    {
        QFETCH(QSizeF, size);
        QFETCH(qreal, radius);
        QFETCH(qreal, strokeWidth);
        QFETCH(QList<QColor>, colours);
        QFETCH(QPoint, pixel);
        QFETCH(QColor, expected);

        RoundedGradient item;
        item.setSize(size);
        item.setProperty("radius", radius);
        item.setProperty("strokeWidth", strokeWidth);
        item.setProperty("start", QPointF(20.5, 0));
        item.setProperty("end", QPointF(80.5, 0));
        item.setProperty("colors", QVariant::fromValue(colours));

        QImage image(100 + 2 * margin, 60 + 2 * margin, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.translate(margin, margin);
            item.paint(&painter);
        }
        const QColor actual = image.pixelColor(pixel + QPoint(margin, margin));
        QVERIFY2(near(actual, expected), qPrintable(actual.name(QColor::HexArgb)));
    }
};

QTEST_MAIN(TestRoundedGradient)
#include "tst_rounded_gradient.moc"
