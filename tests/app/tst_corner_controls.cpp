#include "ControllerHarness.h"
#include "TestProgram.h"
#include "app/FocusCornerControlsPresentation.h"

#include <QTest>

namespace {

struct Texts
{
    const char *name;
    AppLanguage language;
    QString previous, previousDetail, hide, hideDetail, show, showDetail, next, nextDetail;
};

} // namespace

class CornerControlsTest : public QObject
{
    Q_OBJECT

private slots:
    void buttonsFollowTheInterface_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("canNavigate");
        QTest::addColumn<FocusConsoleDock>("dock");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<double>("navigationOpacity");
        QTest::addColumn<bool>("navigationEnabled");
        QTest::addColumn<QString>("toggleSymbol");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("details");
        QTest::addColumn<QString>("placement");

        const Texts chinese { "zh", AppLanguage::chinese, QStringLiteral("上一张背景"),
            QStringLiteral("切换到图库中的上一张图片或视频"), QStringLiteral("隐藏界面"),
            QStringLiteral("只保留背景和这个恢复按键"), QStringLiteral("显示界面"),
            QStringLiteral("恢复计时、音乐与顶部信息"), QStringLiteral("下一张背景"),
            QStringLiteral("切换到图库中的下一张图片或视频") };
        const Texts english { "en", AppLanguage::english, QStringLiteral("Previous Background"),
            QStringLiteral("Show the previous image or video in your library"),
            QStringLiteral("Hide Interface"),
            QStringLiteral("Leave only the background and this restore button"),
            QStringLiteral("Show Interface"), QStringLiteral("Restore the timer, music, and status controls"),
            QStringLiteral("Next Background"),
            QStringLiteral("Show the next image or video in your library") };

        struct State
        {
            const char *name;
            bool hidden, canNavigate;
            double opacity;
            bool enabled;
        };
        const State states[] = {
            { "shown, several backgrounds", false, true, 1.0, true },
            { "shown, one background", false, false, 0.35, false },
            { "hidden, several backgrounds", true, true, 0.0, false },
            { "hidden, one background", true, false, 0.0, false },
        };
        const std::pair<FocusConsoleDock, const char *> docks[]
            = { { FocusConsoleDock::leading, "topTrailing" }, { FocusConsoleDock::trailing, "topLeading" } };

        for (const State &state : states) {
            for (const auto &[dock, placement] : docks) {
                for (const Texts *texts : { &chinese, &english }) {
                    QTest::addRow("%s, console %s, %s", state.name, qPrintable(rawValue(dock)), texts->name)
                        << state.hidden << state.canNavigate << dock << texts->language << state.opacity
                        << state.enabled << (state.hidden ? "chevron.up" : "chevron.down")
                        << QStringList { texts->previous, state.hidden ? texts->show : texts->hide,
                               texts->next }
                        << QStringList { texts->previousDetail,
                               state.hidden ? texts->showDetail : texts->hideDetail, texts->nextDetail }
                        << QString::fromLatin1(placement);
                }
            }
        }
    }

    void buttonsFollowTheInterface()
    {
        QFETCH(bool, hidden);
        QFETCH(bool, canNavigate);
        QFETCH(FocusConsoleDock, dock);
        QFETCH(AppLanguage, language);
        QFETCH(double, navigationOpacity);
        QFETCH(bool, navigationEnabled);
        QFETCH(QString, toggleSymbol);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, details);
        QFETCH(QString, placement);

        const auto shown = FocusCornerControlsPresentation::make(hidden, canNavigate, dock, language);
        const CornerControlButton buttons[] = { shown.previous, shown.toggle, shown.next };
        const QString symbols[]
            = { QStringLiteral("chevron.left"), toggleSymbol, QStringLiteral("chevron.right") };
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(buttons[i].symbol, symbols[i]);
            QCOMPARE(buttons[i].label, labels[i]);
            QCOMPARE(buttons[i].detail, details[i]);
        }
        QCOMPARE(shown.previous.opacity, navigationOpacity);
        QCOMPARE(shown.next.opacity, navigationOpacity);
        QCOMPARE(shown.previous.enabled, navigationEnabled);
        QCOMPARE(shown.next.enabled, navigationEnabled);
        // The restore button never goes away.
        QCOMPARE(shown.toggle.opacity, 1.0);
        QVERIFY(shown.toggle.enabled);
        QCOMPARE(shown.tooltipPlacement, placement);
    }

    void navigationNeedsMoreThanOneBackground_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<bool>("canNavigate");

        QTest::newRow("none") << 0 << false;
        QTest::newRow("one") << 1 << false;
        QTest::newRow("two") << 2 << true;
        QTest::newRow("three") << 3 << true;
    }

    void navigationNeedsMoreThanOneBackground()
    {
        QFETCH(int, items);
        QFETCH(bool, canNavigate);

        ControllerHarness harness;
        AppPreferences stored;
        for (int i = 0; i < items; ++i) {
            const QString path = harness.file(QStringLiteral("Media/Background/%1.png").arg(i));
            QVERIFY(writeFileBytes(path, "image"));
            stored.backgroundLibrary.append({ QUuid::createUuid(), QString::number(i), path });
        }
        AppController &controller = harness.startWithStored(stored);
        QCOMPARE(controller.preferences().backgroundLibrary.size(), items);
        QCOMPARE(controller.appearance()->canNavigateBackgrounds(), canNavigate);
        QCOMPARE(controller.appearance()->property("canNavigateBackgrounds").toBool(), canNavigate);
    }
};

QUORVANE_TEST_GUILESS_MAIN(CornerControlsTest)
#include "tst_corner_controls.moc"
