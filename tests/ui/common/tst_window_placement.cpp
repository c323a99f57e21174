#include "TestProgram.h"
#include "core/WindowFrame.h"
#include "ui/common/InstantTooltipPlacement.h"
#include "ui/common/SheetPlacement.h"

#include <QTest>

// Where the sheets open on the screen, and where a tooltip's bubble opens beside its control.
class WindowPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void sheetPosition_data()
    {
        QTest::addColumn<QRect>("parent");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("position");

        const QRect screen(0, 0, 1920, 1080);
        const QRect underPanel(0, 32, 1920, 1048);
        const QMargins none;
        const QMargins titled(1, 24, 1, 1);
        QTest::newRow("settings over the default window")
            << QRect(340, 100, 1240, 880) << QSize(920, 720) << titled << screen << QPoint(500, 180);
        QTest::newRow("statistics over the smallest window")
            << QRect(600, 300, 760, 540) << QSize(900, 720) << titled << screen << QPoint(530, 210);
        QTest::newRow("small window at the top: the title bar held below the panel")
            << QRect(0, 40, 760, 540) << QSize(1020, 720) << titled << underPanel << QPoint(1, 56);
        QTest::newRow("window off the left edge")
            << QRect(-700, 200, 760, 540) << QSize(920, 720) << none << screen << QPoint(0, 110);
        QTest::newRow("window near the bottom right: the whole sheet stays on screen")
            << QRect(1160, 540, 760, 540) << QSize(920, 720) << titled << screen << QPoint(999, 359);
        QTest::newRow("window beyond the right edge")
            << QRect(2200, 100, 1240, 880) << QSize(920, 720) << none << screen << QPoint(1000, 180);
        QTest::newRow("second screen to the right") << QRect(2100, 50, 1240, 880) << QSize(920, 720) << none
                                                    << QRect(1920, 0, 2560, 1440) << QPoint(2260, 130);
        QTest::newRow("sheet larger than the screen: its top-left corner on it")
            << QRect(0, 0, 800, 600) << QSize(920, 720) << titled << QRect(0, 0, 800, 600) << QPoint(1, 24);
        QTest::newRow("no screen known: centred")
            << QRect(-700, 200, 760, 540) << QSize(920, 720) << titled << QRect() << QPoint(-780, 110);
    }

    void sheetPosition()
    {
        QFETCH(QRect, parent);
        QFETCH(QSize, size);
        QFETCH(QMargins, frame);
        QFETCH(QRect, available);
        QFETCH(QPoint, position);

        QCOMPARE(SheetPlacement::position(parent, size, frame, available), position);
    }

    // The main window at launch, with "left" (1920 x 1080, a panel on top) as the primary screen: its whole
    // frame, a title bar on top, goes on the screen.
    void restoredFrame_data()
    {
        QTest::addColumn<WindowFrame>("saved");
        QTest::addColumn<QRect>("rightScreen");
        QTest::addColumn<QRect>("geometry");

        const QRect right(1920, 0, 2560, 1440);
        const QSize size(1240, 880);
        QTest::newRow("on its screen as it was")
            << WindowFrame { u"right"_qs, { 300, 200 }, size } << right << QRect(QPoint(2220, 200), size);
        QTest::newRow("its screen moved: the place moves with it") << WindowFrame { u"right"_qs, { 300, 200 },
            size, true } << QRect(-2560, 0, 2560, 1440) << QRect(QPoint(-2260, 200), size);
        QTest::newRow("partly off its screen: moved onto it")
            << WindowFrame { u"right"_qs, { 2000, -50 }, size } << right << QRect(QPoint(3239, 24), size);
        QTest::newRow("its screen gone: wholly on the primary one")
            << WindowFrame { u"gone"_qs, { 1200, 300 }, size } << right << QRect(QPoint(679, 199), size);
        QTest::newRow("larger than the primary screen: shrunk to its free area")
            << WindowFrame { u"gone"_qs, { 0, 0 }, { 2400, 1400 } } << right << QRect(1, 56, 1918, 1023);
        QTest::newRow("never below the smallest window")
            << WindowFrame { u"right"_qs, { 10, 10 }, { 300, 200 } } << right << QRect(1930, 24, 760, 540);
    }

    void restoredFrame()
    {
        QFETCH(WindowFrame, saved);
        QFETCH(QRect, rightScreen);
        QFETCH(QRect, geometry);

        const QList<ScreenArea> screens { { u"left"_qs, QRect(0, 0, 1920, 1080), QRect(0, 32, 1920, 1048) },
            { u"right"_qs, rightScreen, rightScreen } };
        QCOMPARE(saved.restoredGeometry(screens, QSize(760, 540), QMargins(1, 24, 1, 1)).value_or(QRect()),
            geometry);
        QCOMPARE(WindowFrame::fromJson(saved.toJson()).value_or(WindowFrame()), saved);
    }

    void bubblePosition_data()
    {
        QTest::addColumn<QRectF>("anchor");
        QTest::addColumn<InstantTooltipPlacement>("placement");
        QTest::addColumn<double>("height");
        QTest::addColumn<QPointF>("position");

        const QRectF button(100, 100, 34, 34);
        QTest::newRow("trailing: 12 right of the control, centred on it")
            << button << InstantTooltipPlacement::trailing << 60.0 << QPointF(146, 87);
        QTest::newRow("trailing, a taller bubble rises as much as it falls")
            << button << InstantTooltipPlacement::trailing << 90.0 << QPointF(146, 72);
        QTest::newRow("top leading: left edges flush, 44 above the bottom")
            << button << InstantTooltipPlacement::topLeading << 60.0 << QPointF(100, 30);
        QTest::newRow("top trailing: right edges flush")
            << button << InstantTooltipPlacement::topTrailing << 60.0 << QPointF(-100, 30);
        QTest::newRow("bottom trailing: right edges flush, 44 below the top")
            << button << InstantTooltipPlacement::bottomTrailing << 60.0 << QPointF(-100, 144);
        QTest::newRow("bottom trailing ignores the height")
            << button << InstantTooltipPlacement::bottomTrailing << 120.0 << QPointF(-100, 144);
        QTest::newRow("status row, wider than high")
            << QRectF(32, 22, 96, 18) << InstantTooltipPlacement::trailing << 58.0 << QPointF(140, 2);
        QTest::newRow("header switch at the window's right edge: no clamping") << QRectF(1174, 22, 34,
            34) << InstantTooltipPlacement::bottomTrailing << 58.0 << QPointF(974, 66);
        QTest::newRow("near the top: may leave the window")
            << QRectF(10, 5, 34, 34) << InstantTooltipPlacement::topLeading << 58.0 << QPointF(10, -63);
    }

    void bubblePosition()
    {
        QFETCH(QRectF, anchor);
        QFETCH(InstantTooltipPlacement, placement);
        QFETCH(double, height);
        QFETCH(QPointF, position);

        QCOMPARE(InstantTooltipBubble::position(anchor, placement, height), position);
    }

    void placementNames()
    {
        for (const InstantTooltipPlacement placement : allCases<InstantTooltipPlacement>())
            QCOMPARE(fromRawValue<InstantTooltipPlacement>(rawValue(placement)), placement);
        QCOMPARE(rawValue(InstantTooltipPlacement::bottomTrailing), u"bottomTrailing"_qs);
        QCOMPARE(fromRawValue<InstantTooltipPlacement>(u"below"), std::nullopt);
    }
};

QUORVANE_TEST_MAIN(WindowPlacementTest)
#include "tst_window_placement.moc"
