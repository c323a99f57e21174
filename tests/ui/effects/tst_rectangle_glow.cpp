#include "ui/effects/RectangleGlow.h"

#include <QTest>
#include <cmath>

class RectangleGlowTest : public QObject
{
    Q_OBJECT

private slots:
    void fadesFromTheShapeToNothingAtItsReach_data()
    {
        QTest::addColumn<QSizeF>("shape");
        QTest::addColumn<qreal>("glowRadius");
        QTest::addColumn<qreal>("cornerRadius");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<qreal>("reach");

        QTest::newRow("round button") << QSizeF(34, 34) << 8.0 << 25.0 << 1.0 << 33.0;
        QTest::newRow("panel, sharp pixels") << QSizeF(300, 120) << 16.0 << 29.0 << 2.0 << 45.0;
        QTest::newRow("fractional ratio") << QSizeF(9, 9) << 6.0 << 10.5 << 1.25 << 16.5;
        // The corners can round no more than the shape's half and the glow.
        QTest::newRow("corner too large") << QSizeF(20, 10) << 4.0 << 100.0 << 1.0 << 13.0;
        QTest::newRow("negative corner") << QSizeF(20, 10) << 4.0 << -3.0 << 1.0 << 4.0;
        QTest::newRow("no glow") << QSizeF(20, 10) << 0.0 << 10.0 << 1.0 << 0.0;
        QTest::newRow("negative glow") << QSizeF(20, 10) << -5.0 << 10.0 << 1.0 << 0.0;
    }

    void fadesFromTheShapeToNothingAtItsReach()
    {
        QFETCH(QSizeF, shape);
        QFETCH(qreal, glowRadius);
        QFETCH(qreal, cornerRadius);
        QFETCH(qreal, ratio);
        QFETCH(qreal, reach);

        RectangleGlow item;
        item.setSize(shape);
        item.setGlowRadius(glowRadius);
        item.setCornerRadius(cornerRadius);
        QCOMPARE(item.childItems().size(), 1);
        const QQuickItem *picture = item.childItems().first();
        QCOMPARE(picture->position(), QPointF(-reach, -reach));
        QCOMPARE(picture->size(), reach > 0 ? shape + QSizeF(2 * reach, 2 * reach) : QSizeF());

        const QColor colour(200, 160, 80, 153);
        const QImage image = RectangleGlow::image(shape, glowRadius, cornerRadius, colour, ratio);
        QCOMPARE(image.isNull(), reach == 0);
        if (image.isNull())
            return;
        const QSizeF pixels = (shape + QSizeF(2 * reach, 2 * reach)) * ratio;
        QCOMPARE(image.size(), QSize(int(std::ceil(pixels.width())), int(std::ceil(pixels.height()))));

        const auto alphaAt = [&image](int x, int y) { return qAlpha(image.pixel(x, y)); };
        const int right = image.width() - 1, bottom = image.height() - 1, middle = image.height() / 2;
        for (const QPoint &outer : { QPoint(0, 0), QPoint(right, bottom), QPoint(0, middle),
                 QPoint(right, middle), QPoint(image.width() / 2, 0) })
            QVERIFY2(alphaAt(outer.x(), outer.y()) <= 1,
                qPrintable(QString::number(alphaAt(outer.x(), outer.y()))));
        // Rising without a step from the reach to the middle, where it is strongest and in the glow's colour.
        for (int x = 1; x <= image.width() / 2; ++x)
            QVERIFY(alphaAt(x, middle) >= alphaAt(x - 1, middle));
        const QColor centre = QColor::fromRgba(qUnpremultiply(image.pixel(image.width() / 2, middle)));
        QVERIFY(centre.alpha() >= colour.alpha() / 2 && centre.alpha() <= colour.alpha());
        QVERIFY(std::abs(centre.red() - colour.red()) <= 2 && std::abs(centre.blue() - colour.blue()) <= 2);
        // Still strong at the shape's edge: the glow starts there, not inside it.
        const int edge = alphaAt(int(reach * ratio), middle);
        QVERIFY2(edge >= colour.alpha() / 4, qPrintable(QString::number(edge)));
    }
};

QTEST_MAIN(RectangleGlowTest)
#include "tst_rectangle_glow.moc"
