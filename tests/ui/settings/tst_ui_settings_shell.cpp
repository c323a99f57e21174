#include "SettingsFixtures.h"
#include "SettingsSheetTest.h"
#include "TestProgram.h"

#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QTest>

using namespace SettingsFixtures;

namespace {

const QStringList paneNames { QStringLiteral("appearance"), QStringLiteral("general"),
    QStringLiteral("focus"), QStringLiteral("audio"), QStringLiteral("wheel"), QStringLiteral("records"),
    QStringLiteral("update") };

// Every text the item and its visible descendants show.
QStringList visibleTexts(QQuickItem *item)
{
    QStringList texts;
    if (!item->isVisible())
        return texts;
    const QVariant text = item->property("text");
    if (text.isValid() && !text.toString().isEmpty())
        texts.append(text.toString());
    for (QQuickItem *child : item->childItems())
        texts += visibleTexts(child);
    return texts;
}

} // namespace

// The settings sheet's frame on a real X server: its ways out, the sidebar, the draft's language and
// accent, and the alerts over it.
class UiSettingsShellTest : public SettingsSheetTest
{
    Q_OBJECT

private:
    QQuickWindow *m_window = nullptr;

    void startWith(const AppPreferences &stored)
    {
        m_controller = &m_harness.startWithStored(stored);
        QVERIFY(m_views.load(*m_controller));
        m_window = m_views.window;
    }

    QObject *popup(const QString &name) const
    {
        return view() ? view()->findChild<QObject *>(name) : nullptr;
    }

    void openSheet() { openSettingsSheet(*m_controller, m_views); }

    // Presses Tab until the item of that name has the keys, and returns it.
    QQuickItem *tabTo(const QString &name)
    {
        for (int press = 0; press < 80 && !isFocused(name); ++press)
            QTest::keyClick(sheet(), Qt::Key_Tab);
        [&] { QVERIFY2(isFocused(name), qPrintable(name)); }();
        return sheet()->activeFocusItem();
    }
    bool isFocused(const QString &name) const
    {
        return sheet()->activeFocusItem() && sheet()->activeFocusItem()->objectName() == name;
    }

    void setSessionMinutes(qint64 minutes)
    {
        AppPreferences draft = session().draft();
        draft.sessionMinutes = minutes;
        session().setDraft(draft);
    }

    void select(const QString &pane)
    {
        click(inView(QStringLiteral("paneRow_") + pane));
        QTRY_COMPARE(session().selectedPaneName(), pane);
    }

private slots:
    void initTestCase()
    {
        // As edited by hand: values beyond what the panes' controls offer.
        AppPreferences stored;
        stored.sessionMinutes = 500;
        stored.recentWindow = 40;
        stored.recentDiscountStrength = 3.5;
        stored.palette.overlayOpacity = 0.9;
        stored.items[0].healthScore = 400;
        startWith(stored);
        QCOMPARE(m_controller->preferences().sessionMinutes, qint64(500));
    }

    void cleanup() { closeSheet(); }

    void showingEveryPaneLeavesTheDraftAlone()
    {
        openSheet();
        for (const QString &pane : paneNames)
            select(pane);
        select(QStringLiteral("appearance"));
        QCOMPARE(session().draft(), m_controller->preferences());
        QCOMPARE(session().draft().sessionMinutes, qint64(500));
    }

    void waysOut_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("saves");

        QTest::newRow("Escape") << "escape" << false;
        QTest::newRow("the window's close button") << "close" << false;
        QTest::newRow("Cancel") << "cancel" << false;
        QTest::newRow("Return") << "return" << true;
        QTest::newRow("Save") << "save" << true;
    }

    void waysOut()
    {
        QFETCH(QString, way);
        QFETCH(bool, saves);

        openSheet();
        const qint64 before = m_controller->preferences().sessionMinutes;
        AppPreferences draft = session().draft();
        draft.sessionMinutes = 45;
        session().setDraft(draft);

        if (way == u"escape")
            QTest::keyClick(sheet(), Qt::Key_Escape);
        else if (way == u"close")
            QVERIFY(sheet()->close());
        else if (way == u"return") {
            // Where no button has the keys (the pane's scrolling area): a focused one would take Return.
            inView(QStringLiteral("paneArea"))->forceActiveFocus();
            QTest::keyClick(sheet(), Qt::Key_Return);
        } else
            click(inView(way + QStringLiteral("Button")));

        QTRY_VERIFY(!m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
        QTRY_VERIFY(!sheet()->isVisible());
        QCOMPARE(m_controller->preferences().sessionMinutes, saves ? qint64(45) : before);
        QCOMPARE(AppStorageService::loadPreferences(m_harness.root()).value().sessionMinutes,
            saves ? qint64(45) : before);
        QTRY_VERIFY(!view());
    }

    void sidebarSwitchesPaneAndLine()
    {
        openSheet();
        QCOMPARE(session().selectedPaneName(), QStringLiteral("appearance"));
        const QStringList lines { QStringLiteral("画面 · 背景、蒙版、自动取色"),
            QStringLiteral("通用 · 语言、窗口、应用信息"), QStringLiteral("节奏 · 时长、空闲、活动监测"),
            QStringLiteral("音乐 · 专注、休整播放列表"), QStringLiteral("转盘 · 项目、权重、自动概率"),
            QStringLiteral("记录 · 数据、权限、键盘安全"),
            QStringLiteral("更新 · 版本、自动检查、安全校验") };
        for (qsizetype i = paneNames.size() - 1; i >= 0; --i) {
            select(paneNames[i]);
            QTRY_COMPARE(inView(QStringLiteral("paneLine"))->property("text").toString(), lines[i]);
            QTRY_COMPARE(
                inView(QStringLiteral("paneTitle"))->property("text").toString(), session().headingTitle());
        }
    }

    void englishDraftShowsNoHan()
    {
        openSheet();
        AppPreferences draft = session().draft();
        draft.language = AppLanguage::english;
        session().setDraft(draft);
        const QRegularExpression han(QStringLiteral("\\p{Han}"));
        for (const QString &pane : paneNames) {
            select(pane);
            QTRY_COMPARE(
                inView(QStringLiteral("paneTitle"))->property("text").toString(), session().headingTitle());
            const QStringList texts = visibleTexts(view());
            QVERIFY(texts.contains(QStringLiteral("Quorvane Settings")));
            QVERIFY(texts.contains(QStringLiteral("Save Changes")));
            // The language picker names Chinese in Chinese, the about card gives the Chinese name, and
            // the wheel's items keep the titles they were given.
            QStringList ownScript { QStringLiteral("中文"), QStringLiteral("Chinese name: 柯帆") };
            for (const WheelItem &item : session().draft().items)
                ownScript.append(item.title);
            for (const QString &text : texts)
                QVERIFY2(ownScript.contains(text) || !han.match(text).hasMatch(),
                    qPrintable(pane + QStringLiteral(": ") + text));
        }
        QCOMPARE(m_window->title(), QStringLiteral("柯帆"));
        QCOMPARE(m_controller->language(), AppLanguage::chinese);
    }

    void accentRecoloursTheSelectedRowAndSave()
    {
        openSheet();
        QQuickItem *row = inView(QStringLiteral("paneRow_appearance"));
        QObject *saveBackground
            = inView(QStringLiteral("saveButton"))->property("background").value<QObject *>();
        QCOMPARE(saveBackground->property("color").value<QColor>(), QColor(0xEB, 0xCB, 0x83));
        AppPreferences draft = session().draft();
        draft.palette.accentHex = QStringLiteral("#3366CC");
        session().setDraft(draft);

        const QColor accent(0x33, 0x66, 0xCC);
        QTRY_COMPARE(saveBackground->property("color").value<QColor>(), accent);
        QCOMPARE(row->property("tint").value<QColor>(), accent);
        QObject *plate = row->property("background").value<QObject *>();
        QCOMPARE(plate->property("border").value<QObject *>()->property("color").value<QColor>().rgb(),
            accent.rgb());
        QTRY_COMPARE(plate->property("color").value<QColor>().rgb(), accent.rgb());
        // Another row stays in white.
        QCOMPARE(inView(QStringLiteral("paneRow_wheel"))->property("tint").value<QColor>().rgb(),
            QColor(Qt::white).rgb());
        QCOMPARE(m_controller->appearance()->accentColor(), QColor(0xEB, 0xCB, 0x83));
    }

    void keysCloseTheAlertAndReturnToTheControl_data()
    {
        QTest::addColumn<int>("key");

        QTest::newRow("Escape") << int(Qt::Key_Escape);
        // Pressing the alert's default button, not saving again.
        QTest::newRow("Return") << int(Qt::Key_Return);
    }

    void keysCloseTheAlertAndReturnToTheControl()
    {
        QFETCH(int, key);

        openSheet();
        QQuickItem *row = tabTo(QStringLiteral("paneRow_records"));
        // Two weights above 0, both beyond the seven items the controller keeps: it refuses the save.
        AppPreferences draft = session().draft();
        draft.items = itemsWithWeights({ 0, 0, 0, 0, 0, 0, 0, 2, 3 });
        session().setDraft(draft);
        session().save();
        QObject *alert = sheet()->findChild<QObject *>(QStringLiteral("settingsAlert"));
        QTRY_VERIFY(alert->property("opened").toBool());
        QTest::keyClick(sheet(), Qt::Key(key));
        QTRY_VERIFY(!m_controller->sheets()->showingAlert());
        QTRY_VERIFY(!alert->property("opened").toBool());
        QVERIFY(m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
        QTRY_COMPARE(sheet()->activeFocusItem(), row);
        QVERIFY(row->property("visualFocus").toBool());
    }

    // A weight that is not a number, typed on the wheel pane and saved from another: the alert shows
    // over the wheel pane, and once closed the keys are in the marked field.
    void refusedWeightsLeadToTheirField()
    {
        openSheet();
        select(QStringLiteral("wheel"));
        QQuickItem *field = inView(QStringLiteral("weightField_1"));
        click(field);
        QTest::keyClick(sheet(), Qt::Key_End);
        QTest::keyClick(sheet(), 'x');
        select(QStringLiteral("focus"));
        click(inView(QStringLiteral("saveButton")));
        QTRY_VERIFY(session().showingWeightError());
        QCOMPARE(session().selectedPaneName(), QStringLiteral("wheel"));
        QTest::keyClick(sheet(), Qt::Key_Return);
        QTRY_VERIFY(!session().showingWeightError());
        field = inView(QStringLiteral("weightField_1"));
        QVERIFY(field->property("invalid").toBool());
        QTRY_COMPARE(sheet()->activeFocusItem(), field);
        QVERIFY(!inView(QStringLiteral("weightField_0"))->property("invalid").toBool());

        QTest::keyClick(sheet(), Qt::Key_Backspace);
        QVERIFY(!field->property("invalid").toBool());
        QTest::keyClick(sheet(), Qt::Key_Return);
        QTRY_VERIFY(!m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
    }

    void tabReachesEverySidebarRowAndSpaceShowsItsPane()
    {
        openSheet();
        for (const QString &pane : paneNames) {
            QQuickItem *row = tabTo(QStringLiteral("paneRow_") + pane);
            QVERIFY(findItem(row, QStringLiteral("focusRing"))->isVisible());
            QTest::keyClick(sheet(), Qt::Key_Space);
            QTRY_COMPARE(session().selectedPaneName(), pane);
        }
    }

    void keysStepAFocusedStepper_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("to");

        QTest::newRow("Up") << int(Qt::Key_Up) << qint64(25) << qint64(26);
        QTest::newRow("Right") << int(Qt::Key_Right) << qint64(25) << qint64(26);
        QTest::newRow("Down") << int(Qt::Key_Down) << qint64(25) << qint64(24);
        QTest::newRow("Left") << int(Qt::Key_Left) << qint64(25) << qint64(24);
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << qint64(25) << qint64(35);
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << qint64(25) << qint64(15);
        QTest::newRow("Page Up stops at 180") << int(Qt::Key_PageUp) << qint64(175) << qint64(180);
        QTest::newRow("Page Down stops at 1") << int(Qt::Key_PageDown) << qint64(4) << qint64(1);
    }

    void keysStepAFocusedStepper()
    {
        QFETCH(int, key);
        QFETCH(qint64, from);
        QFETCH(qint64, to);

        openSheet();
        select(QStringLiteral("focus"));
        setSessionMinutes(from);
        tabTo(QStringLiteral("sessionMinutesStepper"));
        QTest::keyClick(sheet(), Qt::Key(key));
        QCOMPARE(session().draft().sessionMinutes, to);
    }

    // Held, the button keeps stepping until released; a release adds no step of its own.
    void aHeldStepperButtonRepeats()
    {
        openSheet();
        select(QStringLiteral("focus"));
        setSessionMinutes(100);
        QQuickItem *decrease = inView(QStringLiteral("sessionMinutesDecrease"));
        QTest::mousePress(sheet(), Qt::LeftButton, {}, centreOf(decrease));
        QTRY_VERIFY(session().draft().sessionMinutes <= 90);
        QTest::mouseRelease(sheet(), Qt::LeftButton, {}, centreOf(decrease));
        const qint64 released = session().draft().sessionMinutes;
        QTRY_VERIFY(!decrease->property("down").toBool());
        QCOMPARE(session().draft().sessionMinutes, released);
    }

    void symbolPickerTakesTheKeyboard()
    {
        openSheet();
        select(QStringLiteral("wheel"));
        const WheelItem item = session().draft().items[0];
        click(inView(QStringLiteral("symbolButton_0")));
        QQuickItem *grid = nullptr;
        // The picker is a popup: it lies in the sheet's overlay, not in the view.
        QTRY_VERIFY((grid = findItem(sheet()->contentItem(), QStringLiteral("symbolGrid"))));
        auto current = [grid] { return grid->property("currentItem").value<QQuickItem *>(); };
        // The grid hands the keys to its current cell.
        QVERIFY(findItem(tabTo(current()->objectName()), QStringLiteral("focusRing"))->isVisible());
        QTest::keyClick(sheet(), Qt::Key_Right);
        const QString second = current()->property("name").toString();
        QTest::keyClick(sheet(), Qt::Key_Return);
        QTRY_COMPARE(session().draft().items[0].symbol, second);
        QVERIFY(second != item.symbol);

        QQuickItem *search = findItem(sheet()->contentItem(), QStringLiteral("symbolSearchField"));
        search->forceActiveFocus();
        for (const char letter : { 'z', 'q', 'q' })
            QTest::keyClick(sheet(), letter);
        QTRY_VERIFY(findItem(grid, QStringLiteral("noSymbolMatches"))->isVisible());
    }

    void textsTakeTheSheetsLanguage_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("expected");

        QTest::newRow("pair, English") << "Texts.L('取消', 'Cancel', 'english')"
                                       << "Cancel";
        QTest::newRow("pair, Chinese") << "Texts.L('取消', 'Cancel', 'chinese')"
                                       << "取消";
        QTest::newRow("pair, unknown language") << "Texts.L('取消', 'Cancel', 'french')"
                                                << "取消";
        QTest::newRow("key, English") << "Texts.text('保存更改', 'english')"
                                      << "Save Changes";
        QTest::newRow("heading key, English") << "Texts.text('让背景成为界面的视觉主角', 'english')"
                                              << "Let the background lead the look";
        QTest::newRow("reveal key, English") << "Texts.text('在文件管理器中显示', 'english')"
                                             << "Show in File Manager";
        // The saved language stays Chinese meanwhile.
        QTest::newRow("pair, saved language") << "Texts.L('取消', 'Cancel')"
                                              << "取消";
    }

    void textsTakeTheSheetsLanguage()
    {
        QFETCH(QString, expression);
        QFETCH(QString, expected);

        QQmlComponent component(m_views.engine.get());
        component.setData(
            "import QtQuick\nimport Quorvane.Common\nQtObject { readonly property string value: "
                + expression.toUtf8() + " }",
            QUrl());
        std::unique_ptr<QObject> probe(component.create());
        QVERIFY2(probe, qPrintable(component.errorString()));
        QCOMPARE(probe->property("value").toString(), expected);
    }

    void fileRowKeepsALongPathOnOneLine()
    {
        QQmlComponent component(m_views.engine.get());
        component.setData(
            "import QtQuick\nimport Quorvane.Common\nimport Quorvane.Settings\n"
            "SettingsCard { width: 420\n"
            "  property int reveals: 0\n"
            "  FileRow { objectName: 'row'; width: parent.width; title: 'Log'; language: 'english'\n"
            "    path: '/home/someone/' + 'folder/'.repeat(40) + 'focus-session-log.csv'\n"
            "    onRevealRequested: parent.parent.reveals += 1 } }",
            // Beside the views, so that their files are found by name.
            QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/Settings/FileRowProbe.qml")));
        std::unique_ptr<QObject> card(component.create());
        QVERIFY2(card, qPrintable(component.errorString()));
        QQuickItem *row = findItem(qobject_cast<QQuickItem *>(card.get()), QStringLiteral("row"));
        QQuickItem *path = findItem(row, QStringLiteral("filePath"));
        QCOMPARE(path->property("lineCount").toInt(), 1);
        QVERIFY(path->property("truncated").toBool());
        QQuickItem *button = findItem(row, QStringLiteral("revealButton"));
        QCOMPARE(button->property("text").toString(), QStringLiteral("Show in File Manager"));
        QVERIFY(QMetaObject::invokeMethod(button, "clicked"));
        QCOMPARE(card->property("reveals").toInt(), 1);
        // The card wraps its content with 18 on every side.
        QCOMPARE(card->property("height").toReal(), row->height() + 36);
    }

    void refusedSaveShowsTheControllersAlertAboveTheSheet()
    {
        openSheet();
        // Two weights above 0, both beyond the seven items the controller keeps.
        AppPreferences draft = session().draft();
        draft.items = itemsWithWeights({ 0, 0, 0, 0, 0, 0, 0, 2, 3 });
        session().setDraft(draft);
        click(inView(QStringLiteral("saveButton")));

        QObject *alert = sheet()->findChild<QObject *>(QStringLiteral("settingsAlert"));
        QTRY_VERIFY(alert->property("opened").toBool());
        QVERIFY(m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
        // Escape goes to the alert, not to the sheet.
        QTest::keyClick(sheet(), Qt::Key_Escape);
        QTRY_VERIFY(!m_controller->sheets()->showingAlert());
        QVERIFY(m_controller->sheets()->isOpen(Sheets::Sheet::Settings));

        click(inView(QStringLiteral("saveButton")));
        QTRY_VERIFY(alert->property("opened").toBool());
        click(alert->findChild<QQuickItem *>(QStringLiteral("alertDismissButton")));
        QTRY_VERIFY(!m_controller->sheets()->showingAlert());
        QVERIFY(m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
        QCOMPARE(session().draft().items.size(), 9);
    }
};

QUORVANE_TEST_MAIN(UiSettingsShellTest)
#include "tst_ui_settings_shell.moc"
