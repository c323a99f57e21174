#include "StatisticsHistory.h"
#include "TestProgram.h"
#include "ui/shell/ViewSetup.h"
#include "ui/statistics/StatisticsModel.h"

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Repeaters give their items no object parent, so the search walks the item tree.
void collectVisible(QQuickItem *item, const QString &name, QList<QQuickItem *> &found)
{
    if (!item->isVisible())
        return;
    if (item->objectName() == name)
        found.append(item);
    for (QQuickItem *child : item->childItems())
        collectVisible(child, name, found);
}

QList<QQuickItem *> visibleItems(QQuickWindow *window, const QString &name)
{
    QList<QQuickItem *> found;
    collectVisible(window->contentItem(), name, found);
    return found;
}

QString periodCardTitle(const StatisticsModel &model)
{
    return model.cards()[2].toMap().value(u"title"_s).toString();
}

} // namespace

// The statistics sheet over thirty days of logged history: its period picker, its bars and its Done
// button, in the real main window.
class UiStatisticsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        StatisticsHistory::logThirtyDays(m_harness, m_harness.startTime.date());
        AppController &controller = m_harness.start();
        setUpViews(controller);
        m_engine.load(QUrl(u"qrc:/qt-project.org/imports/Quorvane/Shell/Main.qml"_s));
        QVERIFY(!m_engine.rootObjects().isEmpty());
        m_mainWindow = qobject_cast<QQuickWindow *>(m_engine.rootObjects().constFirst());
        QVERIFY(m_mainWindow);
        QVERIFY(QTest::qWaitForWindowExposed(m_mainWindow));
        m_sheet = m_mainWindow->findChild<QQuickWindow *>(u"statisticsSheet"_s);
        QVERIFY(m_sheet);
    }

    void init()
    {
        m_harness.controller->showDailyInsights();
        QVERIFY(QTest::qWaitForWindowExposed(m_sheet));
        QTRY_VERIFY(model());
    }

    void cleanup()
    {
        m_harness.controller->sheets()->close(Sheets::Sheet::Statistics);
        QTRY_VERIFY(!m_sheet->isVisible());
    }

    void segmentsSwitchThePeriodAndTheCardTitle_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<int>("range");
        QTest::addColumn<QString>("cardTitle");
        QTest::newRow("opens on 7 days") << QList<int> {} << 7 << u"近 7 天有效专注"_s;
        QTest::newRow("30") << QList<int> { 30 } << 30 << u"近 30 天有效专注"_s;
        QTest::newRow("30, then 7") << QList<int> { 30, 7 } << 7 << u"近 7 天有效专注"_s;
        QTest::newRow("30 twice") << QList<int> { 30, 30 } << 30 << u"近 30 天有效专注"_s;
    }

    void segmentsSwitchThePeriodAndTheCardTitle()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(int, range);
        QFETCH(QString, cardTitle);

        for (const int days : clicks)
            click(u"statisticsPeriod%1"_s.arg(days));
        QTRY_COMPARE(model()->range(), range);
        QCOMPARE(periodCardTitle(*model()), cardTitle);
        QTRY_COMPARE(visibleItems(m_sheet, u"statisticsRow"_s).size(), range);
        QTRY_COMPARE(visibleItems(m_sheet, u"roundsBar"_s).size(), range);
        for (const int days : { 7, 30 }) {
            const QList<QQuickItem *> segments = visibleItems(m_sheet, u"statisticsPeriod%1"_s.arg(days));
            QCOMPARE(segments.size(), 1);
            QCOMPARE(segments.first()->property("checked").toBool(), days == range);
        }
    }

    // Each bar stands on the zero line over its own day and is as tall as its rounds, also right after
    // the period changed the axes.
    void barsStandOnTheirDays_data()
    {
        QTest::addColumn<int>("range");
        QTest::newRow("7 days") << 7;
        QTest::newRow("30 days") << 30;
    }

    void barsStandOnTheirDays()
    {
        QFETCH(int, range);
        if (range != 7)
            click(u"statisticsPeriod%1"_s.arg(range));
        QTRY_COMPARE(model()->range(), range);

        QCOMPARE(model()->presentation().roundBars.size(), range);
        // The chart lays itself out again after a change of period; the bars must follow.
        QTRY_COMPARE(misplacedBar(), QString());
    }

    void doneClosesAndTheNextOpeningStartsOnSevenDays()
    {
        click(u"statisticsPeriod30"_s);
        QTRY_COMPARE(model()->range(), 30);

        click(u"statisticsDone"_s);
        QTRY_VERIFY(!m_harness.controller->sheets()->isOpen(Sheets::Sheet::Statistics));
        QTRY_VERIFY(!m_sheet->isVisible());

        m_harness.controller->showDailyInsights();
        QVERIFY(QTest::qWaitForWindowExposed(m_sheet));
        QTRY_VERIFY(model());
        QCOMPARE(model()->range(), 7);
    }

private:
    StatisticsModel *model() const
    {
        auto *view = m_sheet->property("view").value<QQuickItem *>();
        return view ? view->findChild<StatisticsModel *>() : nullptr;
    }

    // The first bar that is not over its day, on the zero line and as tall as its rounds; empty when
    // every bar is in place.
    QString misplacedBar() const
    {
        const QList<QPointF> bars = model()->presentation().roundBars;
        const QList<QQuickItem *> drawn = visibleItems(m_sheet, u"roundsBar"_s);
        if (drawn.size() != bars.size() || drawn.isEmpty())
            return u"%1 bars drawn for %2 days"_s.arg(drawn.size()).arg(bars.size());
        const QQuickItem *plot = drawn.first()->parentItem();
        const double dayWidth = plot->width() / double(bars.size());
        const double axisMaximum = model()->roundsAxisMaximum();
        for (qsizetype day = 0; day < bars.size(); ++day) {
            const QQuickItem *bar = drawn[day];
            const double centre = bar->x() + bar->width() / 2;
            const double expectedHeight = plot->height() * bars[day].y() / axisMaximum;
            if (std::abs(centre - (double(day) + 0.5) * dayWidth) > 1.5
                || std::abs(bar->y() + bar->height() - plot->height()) > 1.5
                || std::abs(bar->height() - expectedHeight) > 1.5)
                return u"day %1: %2 %3 %4 x %5"_s.arg(day)
                    .arg(bar->x())
                    .arg(bar->y())
                    .arg(bar->width())
                    .arg(bar->height());
        }
        return {};
    }

    void click(const QString &name)
    {
        QTRY_COMPARE(visibleItems(m_sheet, name).size(), 1);
        QQuickItem *target = visibleItems(m_sheet, name).first();
        QTest::mouseClick(m_sheet, Qt::LeftButton, {},
            target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint());
    }

    ControllerHarness m_harness;
    QQmlApplicationEngine m_engine;
    QQuickWindow *m_mainWindow = nullptr;
    QQuickWindow *m_sheet = nullptr;
};

QUORVANE_TEST_MAIN(UiStatisticsTest)
#include "tst_ui_statistics.moc"
