#include "models/SheetPlacement.h"

#include <QTest>

// Where the sheets open on the screen.
class WindowPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void sheetPosition_data()
    {
        QTest::addColumn<QRect>("parent");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("position");

        const QRect screen(0, 0, 1920, 1080);
        const QRect underPanel(0, 32, 1920, 1048);
        QTest::newRow("settings over the default window")
            << QRect(340, 100, 1240, 880) << QSize(920, 720) << screen << QPoint(500, 180);
        QTest::newRow("journal over the default window")
            << QRect(340, 100, 1240, 880) << QSize(1020, 720) << screen << QPoint(450, 180);
        QTest::newRow("statistics over the smallest window")
            << QRect(600, 300, 760, 540) << QSize(900, 720) << screen << QPoint(530, 210);
        QTest::newRow("full screen") << screen << QSize(920, 720) << screen << QPoint(500, 180);
        QTest::newRow("small window at the top: held below the panel")
            << QRect(0, 40, 760, 540) << QSize(1020, 720) << underPanel << QPoint(0, 32);
        QTest::newRow("window off the left edge")
            << QRect(-700, 200, 760, 540) << QSize(920, 720) << screen << QPoint(0, 110);
        QTest::newRow("window mostly below the screen: only the corner is kept on it")
            << QRect(1500, 1000, 760, 540) << QSize(920, 720) << screen << QPoint(1420, 910);
        QTest::newRow("window beyond the right edge")
            << QRect(2200, 100, 1240, 880) << QSize(920, 720) << screen << QPoint(1919, 180);
        QTest::newRow("second screen to the right") << QRect(2100, 50, 1240, 880) << QSize(920, 720)
                                                    << QRect(1920, 0, 2560, 1440) << QPoint(2260, 130);
        QTest::newRow("no screen known: centred")
            << QRect(-700, 200, 760, 540) << QSize(920, 720) << QRect() << QPoint(-780, 110);
    }

    void sheetPosition()
    {
        QFETCH(QRect, parent);
        QFETCH(QSize, size);
        QFETCH(QRect, available);
        QFETCH(QPoint, position);

        QCOMPARE(SheetPlacement::position(parent, size, available), position);
    }
};

QTEST_MAIN(WindowPlacementTest)
#include "tst_window_placement.moc"
