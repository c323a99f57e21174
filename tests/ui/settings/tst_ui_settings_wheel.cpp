#include "SettingsFixtures.h"
#include "SettingsSheetTest.h"
#include "TestProgram.h"
#include "core/SymbolGlyphs.h"
#include "core/Uuid.h"

#include <QLocale>
#include <QPointer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <algorithm>

using namespace SettingsFixtures;

namespace {

QString text(QQuickItem *item)
{
    return item ? item->property("text").toString() : QStringLiteral("(missing)");
}

} // namespace

// The wheel pane of the settings sheet on a real X server: typing weights, the symbol picker, adding and
// removing items, and which key goes where while the picker is open.
class UiSettingsWheelTest : public SettingsSheetTest
{
    Q_OBJECT

private:
    QQuickWindow *m_window = nullptr;
    QList<WheelItem> m_storedItems;

    // Searched from the window's root, so that what popups show in the overlay is found too.
    QQuickItem *inSheet(const QString &name) const { return findItem(sheet()->contentItem(), name); }
    QQuickItem *inRow(const QString &name, int row) const
    {
        return inSheet(name + u'_' + QString::number(row));
    }
    // What the open symbol picker shows, in the window's overlay; none while it is closed.
    QQuickItem *picker() const
    {
        for (QQuickItem *item = inSheet(QStringLiteral("symbolSearchField")); item;
             item = item->parentItem()) {
            if (item->inherits("QQuickPopupItem"))
                return item;
        }
        return nullptr;
    }

    // Opens the sheet on the wheel pane over these items, with the sheet active.
    void openWheelPane(const QList<WheelItem> &items)
    {
        openSettingsSheet(*m_controller, m_views);
        AppPreferences draft = session().draft();
        draft.items = items;
        session().setDraft(draft);
        chooseSettingsPane(m_views, QStringLiteral("wheel"));
        QTRY_VERIFY(inRow(QStringLiteral("weightField"), int(items.size()) - 1));
    }

    // Scrolls the pane until the item is in sight.
    void reveal(QQuickItem *item)
    {
        auto *pane = qobject_cast<QQuickItem *>(
            inSheet(QStringLiteral("paneArea"))->property("contentItem").value<QObject *>());
        if (!pane || !pane->isAncestorOf(item))
            return;
        auto *content = pane->property("contentItem").value<QQuickItem *>();
        const qreal top = item->mapToItem(content, QPointF(0, 0)).y();
        const qreal room = pane->height() - item->height() - 40;
        const qreal contentY = pane->property("contentY").toReal();
        if (top < contentY + 20 || top > contentY + room)
            pane->setProperty("contentY",
                std::clamp(top - room / 2, 0.0, std::max(0.0, content->height() - pane->height())));
    }

    void click(QQuickItem *item)
    {
        QVERIFY(item);
        QTRY_VERIFY(item->isVisible());
        reveal(item);
        QTest::mouseClick(item->window(), Qt::LeftButton, {}, centreOf(item));
    }

    QStringList probabilities(int count) const
    {
        QStringList texts;
        for (int row = 0; row < count; ++row)
            texts.append(text(inRow(QStringLiteral("probability"), row)));
        return texts;
    }

    // Types into whatever has the sheet's focus, one key at a time.
    void type(const QString &keys)
    {
        for (const QChar key : keys)
            QTest::keyClick(sheet(), key.toLatin1());
    }

    // The grid places its cells once a frame; a click must find them where the filter put them.
    void clickCell(const QString &symbol)
    {
        QVERIFY(QMetaObject::invokeMethod(inSheet(QStringLiteral("symbolGrid")), "forceLayout"));
        click(inSheet(QStringLiteral("symbolCell_") + symbol));
    }

    void openPickerOfRow(int row)
    {
        click(inRow(QStringLiteral("symbolButton"), row));
        QTRY_VERIFY(picker());
        QTRY_VERIFY(picker()->isVisible());
        QCOMPARE(session().symbolPickerItemIdText(), Uuid::upperText(session().draft().items[row].id));
    }

private slots:
    void initTestCase()
    {
        m_controller = &m_harness.startWithStored(AppPreferences());
        QVERIFY(m_views.load(*m_controller));
        m_window = m_views.window;
        m_storedItems = m_controller->preferences().items;
    }

    void cleanup() { closeSheet(); }

    void typingKeepsTheFieldWhileTheSharesMove_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shares");
        QTest::addColumn<double>("total");

        QTest::newRow("comma decimal") << "12,5" << strings({ "14.3%", "28.6%", "57.1%" }) << 87.5;
        QTest::newRow("trailing comma") << "12," << strings({ "13.8%", "28.7%", "57.5%" }) << 87.0;
        QTest::newRow("not a number keeps the weight")
            << "abc" << strings({ "25.0%", "25.0%", "50.0%" }) << 100.0;
        QTest::newRow("negative keeps the weight") << "-5" << strings({ "25.0%", "25.0%", "50.0%" }) << 100.0;
        QTest::newRow("blank weighs nothing") << "" << strings({ "0.0%", "33.3%", "66.7%" }) << 75.0;
    }

    void typingKeepsTheFieldWhileTheSharesMove()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, shares);
        QFETCH(double, total);
        openWheelPane(itemsWithWeights({ 25, 25, 50 }));
        QCOMPARE(probabilities(3), (strings({ "25.0%", "25.0%", "50.0%" })));
        // A field rebuilt under the typing would be another item: this one would go.
        QPointer<QQuickItem> field = inRow(QStringLiteral("weightField"), 0);
        click(field);
        QTRY_VERIFY(field->hasActiveFocus());
        // The first key replaces the whole text, so that the field is never blank on the way.
        QTest::keyClick(sheet(), Qt::Key_A, Qt::ControlModifier);
        if (typed.isEmpty())
            QTest::keyClick(sheet(), Qt::Key_Backspace);

        // After every key the field still has the focus, the text typed so far and its cursor at the end.
        for (qsizetype typedSoFar = 1; typedSoFar <= typed.size(); ++typedSoFar) {
            QTest::keyClick(sheet(), typed[typedSoFar - 1].toLatin1());
            QVERIFY(field && field->hasActiveFocus());
            QCOMPARE(text(field), typed.left(typedSoFar));
            QCOMPARE(field->property("cursorPosition").toInt(), int(typedSoFar));
        }

        QTRY_COMPARE(probabilities(3), shares);
        const QString totalText = QLocale::system().toString(total, 'f', 1);
        QCOMPARE(text(inSheet(QStringLiteral("weightSummary"))),
            QStringLiteral("总权重 ") + totalText + QStringLiteral(" · 概率自动换算"));
        QCOMPARE(session().weightInputs().value(session().draft().items[0].id), typed);
        QVERIFY(field->hasActiveFocus());
        QCOMPARE(inSheet(QStringLiteral("weightField_0")), field);
    }

    void addAndRemoveKeepTwoToSevenItems_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("left");
        QTest::addColumn<bool>("canAdd");
        QTest::addColumn<bool>("alert");

        QTest::newRow("add the seventh") << 6 << "addItemButton" << 7 << false << false;
        QTest::newRow("add the third") << 2 << "addItemButton" << 3 << true << false;
        QTest::newRow("delete from seven") << 7 << "deleteButton_0" << 6 << true << false;
        QTest::newRow("delete from three") << 3 << "deleteButton_2" << 2 << true << false;
        QTest::newRow("delete from two") << 2 << "deleteButton_1" << 2 << true << true;
    }

    void addAndRemoveKeepTwoToSevenItems()
    {
        QFETCH(int, count);
        QFETCH(QString, press);
        QFETCH(int, left);
        QFETCH(bool, canAdd);
        QFETCH(bool, alert);
        QTest::failOnWarning(QRegularExpression(QStringLiteral("TypeError")));
        QList<double> weights;
        for (int i = 0; i < count; ++i)
            weights.append(10);
        const QList<WheelItem> items = itemsWithWeights(weights);
        openWheelPane(items);
        QCOMPARE(inSheet(QStringLiteral("addItemButton"))->isVisible(), count < 7);

        click(inSheet(press));

        QTRY_COMPARE(session().draft().items.size(), qsizetype(left));
        QTRY_COMPARE(inSheet(QStringLiteral("addItemButton"))->isVisible(), canAdd);
        QTRY_COMPARE(session().showingMinimumItemsAlert(), alert);
        QObject *minimumAlert = view()->findChild<QObject *>(QStringLiteral("minimumItemsAlert"));
        QTRY_COMPARE(minimumAlert->property("opened").toBool(), alert);
        QTRY_VERIFY(inRow(QStringLiteral("weightField"), left - 1));
        QVERIFY(!inRow(QStringLiteral("weightField"), left));
        if (left > count) {
            QCOMPARE(text(inRow(QStringLiteral("weightField"), left - 1)), QStringLiteral("10"));
            QCOMPARE(text(inRow(QStringLiteral("titleField"), left - 1)), QStringLiteral("新项目"));
        }
        if (left < count) {
            // The other items stay, in their order.
            const int removed = press.section(u'_', 1).toInt();
            QList<WheelItem> expected = items;
            expected.removeAt(removed);
            QCOMPARE(session().draft().items, expected);
        }
    }

    void aTappedSymbolAppliesAndThePickerStays()
    {
        openWheelPane(itemsWithWeights({ 1, 1, 1 }));
        openPickerOfRow(1);
        QQuickItem *search = inSheet(QStringLiteral("symbolSearchField"));
        QTRY_VERIFY(search && search->hasActiveFocus());
        type(QStringLiteral("heart"));
        QTRY_VERIFY(!inSheet(QStringLiteral("symbolCell_star.fill")));

        clickCell(QStringLiteral("heart.fill"));

        QTRY_COMPARE(session().draft().items[1].symbol, QStringLiteral("heart.fill"));
        QCOMPARE(text(inRow(QStringLiteral("symbolGlyph"), 1)), SymbolGlyphs::text(u"heart.fill"));
        QCOMPARE(text(inRow(QStringLiteral("symbolGlyph"), 0)), SymbolGlyphs::text(u"star"));
        QVERIFY(picker()->isVisible());
        QTRY_VERIFY(inSheet(QStringLiteral("symbolCell_heart.fill"))->property("selected").toBool());

        // Another category, another symbol: the choice moves and the picker still stays.
        QTest::keyClick(sheet(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(sheet(), Qt::Key_Backspace);
        click(inSheet(QStringLiteral("symbolCategory_日常")));
        QTRY_VERIFY(!inSheet(QStringLiteral("symbolCell_heart.fill")));
        // A second click on the chosen category keeps it chosen and highlighted.
        click(inSheet(QStringLiteral("symbolCategory_日常")));
        QVERIFY(inSheet(QStringLiteral("symbolCategory_日常"))->property("prominent").toBool());
        QVERIFY(!inSheet(QStringLiteral("symbolCategory_全部"))->property("prominent").toBool());
        clickCell(QStringLiteral("star.fill"));
        QTRY_COMPARE(session().draft().items[1].symbol, QStringLiteral("star.fill"));
        QVERIFY(picker()->isVisible());
        QCOMPARE(m_controller->preferences().items, m_storedItems);
    }

    void thePickerClosesAloneAndReturnThereDoesNotSave_data()
    {
        QTest::addColumn<QString>("way");

        QTest::newRow("Escape") << "escape";
        QTest::newRow("Done") << "done";
        QTest::newRow("a press outside") << "outside";
    }

    void thePickerClosesAloneAndReturnThereDoesNotSave()
    {
        QFETCH(QString, way);
        openWheelPane(itemsWithWeights({ 1, 1, 1 }));
        openPickerOfRow(0);
        QPointer<QQuickItem> shown = picker();

        QTest::keyClick(sheet(), Qt::Key_Return);
        QVERIFY(shown && shown->isVisible());
        QVERIFY(m_controller->sheets()->isOpen(Sheets::Sheet::Settings));

        if (way == u"escape")
            QTest::keyClick(sheet(), Qt::Key_Escape);
        else if (way == u"done")
            click(inSheet(QStringLiteral("symbolPickerDone")));
        else
            click(inSheet(QStringLiteral("settingsTitle")));

        QTRY_VERIFY(!shown);
        QCOMPARE(session().symbolPickerItemIdText(), QString());
        QVERIFY(m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
        QVERIFY(sheet()->isVisible());
        QCOMPARE(m_controller->preferences().items, m_storedItems);
    }

    void anotherRowsSymbolButtonMovesThePicker()
    {
        openWheelPane(itemsWithWeights({ 1, 1, 1 }));
        openPickerOfRow(0);
        QPointer<QQuickItem> first = picker();

        click(inRow(QStringLiteral("symbolButton"), 2));

        // The first picker's dismissal comes before the second opens, and leaves the second alone.
        QTRY_VERIFY(!first);
        QTRY_COMPARE(session().symbolPickerItemIdText(), Uuid::upperText(session().draft().items[2].id));
        QTRY_VERIFY(picker() && picker()->isVisible());
        QTest::keyClick(sheet(), Qt::Key_Escape);
        QTRY_COMPARE(session().symbolPickerItemIdText(), QString());
        QVERIFY(m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
    }

    void returnInAWeightFieldSaves()
    {
        const QList<WheelItem> items = itemsWithWeights({ 1, 1, 1 });
        openWheelPane(items);
        QQuickItem *field = inRow(QStringLiteral("weightField"), 2);
        click(field);
        QTRY_VERIFY(field->hasActiveFocus());
        QTest::keyClick(sheet(), Qt::Key_End);
        type(QStringLiteral(",5"));

        QTest::keyClick(sheet(), Qt::Key_Return);

        QTRY_VERIFY(!m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
        QCOMPARE(weightsOf(m_controller->preferences().items), (QList<double> { 1, 1, 1.5 }));
        QCOMPARE(m_controller->preferences().items[2].id, items[2].id);
    }
};

QUORVANE_TEST_MAIN(UiSettingsWheelTest)
#include "tst_ui_settings_wheel.moc"
