#include "ui/effects/RoundedGradient.h"

#include <QPainter>
#include <QTest>

class TestRoundedGradient : public QObject
{
    Q_OBJECT

private slots:
    void drawsTheGradientInsideItsRoundedBounds_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<qreal>("strokeWidth");
        QTest::addColumn<QList<QColor>>("colours");
        // The gradient runs from x = 20.5 to x = 80.5, so x = 50 is its middle; the radius is 10.
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QColor>("expected");

        const QSizeF card(100, 60);
        const QList<QColor> redToBlue { Qt::red, Qt::blue }, white { Qt::white };
        const QColor none(Qt::transparent);
        QTest::newRow("padded before the start")
            << card << 0.0 << redToBlue << QPoint(5, 30) << QColor(Qt::red);
        QTest::newRow("padded after the end")
            << card << 0.0 << redToBlue << QPoint(95, 30) << QColor(Qt::blue);
        QTest::newRow("the middle colour midway")
            << card << 0.0 << QList<QColor> { Qt::red, Qt::green, Qt::blue } << QPoint(50, 30)
            << QColor(Qt::green);
        // As a gradient effect's: a plain interpolation would turn grey on its way to transparent.
        QTest::newRow("premultiplied midway to transparent")
            << card << 0.0 << QList<QColor> { Qt::white, Qt::transparent } << QPoint(50, 30)
            << QColor(255, 255, 255, 128);
        QTest::newRow("the corner rounded off") << card << 0.0 << white << QPoint(0, 0) << none;
        QTest::newRow("outline on the edge") << card << 1.0 << white << QPoint(50, 59) << QColor(Qt::white);
        QTest::newRow("outline hollow") << card << 1.0 << white << QPoint(50, 1) << none;
        QTest::newRow("outline inside the bounds") << card << 1.0 << white << QPoint(50, 60) << none;
        QTest::newRow("zero size") << QSizeF(0, 0) << 0.0 << white << QPoint(0, 0) << none;
    }

    void drawsTheGradientInsideItsRoundedBounds()
    {
        QFETCH(QSizeF, size);
        QFETCH(qreal, strokeWidth);
        QFETCH(QList<QColor>, colours);
        QFETCH(QPoint, pixel);
        QFETCH(QColor, expected);

        RoundedGradient item;
        item.setSize(size);
        item.setProperty("radius", 10.0);
        item.setProperty("strokeWidth", strokeWidth);
        item.setProperty("start", QPointF(20.5, 0));
        item.setProperty("end", QPointF(80.5, 0));
        item.setProperty("colors", QVariant::fromValue(colours));
        QImage image(100, 61, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        item.paint(&painter);
        painter.end();

        const QColor actual = image.pixelColor(pixel);
        const auto near = [](int a, int b) { return std::abs(a - b) <= 3; };
        QVERIFY2(near(actual.alpha(), expected.alpha())
                && (expected.alpha() == 0
                    || (near(actual.red(), expected.red()) && near(actual.green(), expected.green())
                        && near(actual.blue(), expected.blue()))),
            qPrintable(actual.name(QColor::HexArgb)));
    }
};

QTEST_MAIN(TestRoundedGradient)
#include "tst_rounded_gradient.moc"
