#include "ControllerHarness.h"
#include "SettingsFixtures.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "core/SymbolGlyphs.h"
#include "core/Uuid.h"
#include "ui/settings/SettingsSession.h"
#include "ui/settings/SymbolPickerModel.h"
#include "ui/settings/WheelItemsModel.h"
#include "ui/settings/WheelPaneValues.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <limits>

using namespace SettingsFixtures;

namespace {

QStringList column(const WheelItemsModel &model, QString WheelItemRow::*field)
{
    QStringList values;
    for (const WheelItemRow &row : model.rows())
        values.append(row.*field);
    return values;
}

QStringList names(const SymbolPickerModel &model)
{
    QStringList values;
    for (const WheelSymbolOption &option : model.options())
        values.append(option.name);
    return values;
}

QString idOf(const WheelItem &item)
{
    return Uuid::upperText(item.id);
}

// The roles announced by the spied dataChanged signals, in order, as (row, role) pairs.
QList<std::pair<int, int>> announced(const QSignalSpy &spy)
{
    QList<std::pair<int, int>> pairs;
    for (const QList<QVariant> &signal : spy) {
        const int row = signal[0].toModelIndex().row();
        for (const int role : signal[2].value<QList<int>>())
            pairs.append({ row, role });
    }
    return pairs;
}

} // namespace

// The wheel pane of an open settings sheet over a stored record.
struct OpenWheelPane
{
    explicit OpenWheelPane(const AppPreferences &stored)
    {
        AppController &controller = harness.startWithStored(stored);
        session = &open(controller);
        model.setSession(session);
        values.setLocale([] { return QLocale(QLocale::English, QLocale::UnitedStates); });
        values.setSession(session);
    }
    explicit OpenWheelPane(const QList<double> &weights, AppLanguage language = AppLanguage::chinese)
        : OpenWheelPane(withItems(weights, language))
    { }

    static AppPreferences withItems(const QList<double> &weights, AppLanguage language)
    {
        AppPreferences preferences;
        preferences.language = language;
        preferences.items = itemsWithWeights(weights);
        return preferences;
    }

    const QList<WheelItem> &items() const { return session->draft().items; }
    void editDraft(const std::function<void(AppPreferences &)> &edit)
    {
        AppPreferences draft = session->draft();
        edit(draft);
        session->setDraft(draft);
    }

    ControllerHarness harness;
    SettingsSession *session = nullptr;
    WheelItemsModel model;
    QAbstractItemModelTester modelCheck { &model, QAbstractItemModelTester::FailureReportingMode::QtTest };
    WheelPaneValues values;
};

class WheelItemsModelTest : public QObject
{
    Q_OBJECT

private slots:
    void typedWeight_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("weight");
        QTest::addColumn<QString>("probability");

        // The row starts at 4 beside a 6.
        QTest::newRow("decimal comma") << QStringLiteral("12,5") << 12.5 << QStringLiteral("67.6%");
        QTest::newRow("trailing comma") << QStringLiteral("12,") << 12.0 << QStringLiteral("66.7%");
        QTest::newRow("blank") << QString() << 0.0 << QStringLiteral("0.0%");
        QTest::newRow("whitespace only") << QStringLiteral(" \t") << 0.0 << QStringLiteral("0.0%");
        QTest::newRow("letters keep the last good weight")
            << QStringLiteral("abc") << 4.0 << QStringLiteral("40.0%");
        QTest::newRow("a negative keeps the last good weight")
            << QStringLiteral("-5") << 4.0 << QStringLiteral("40.0%");
        QTest::newRow("negative zero is not positive")
            << QStringLiteral("-0") << -0.0 << QStringLiteral("0.0%");
        QTest::newRow("infinite keeps the last good weight")
            << QStringLiteral("1e400") << 4.0 << QStringLiteral("40.0%");
    }

    void typedWeight()
    {
        QFETCH(QString, text);
        QFETCH(double, weight);
        QFETCH(QString, probability);
        OpenWheelPane pane({ 4, 6 });

        pane.model.setWeightText(0, text);

        QCOMPARE(pane.items()[0].weight, weight);
        QCOMPARE(std::signbit(pane.items()[0].weight), std::signbit(weight));
        QCOMPARE(pane.items()[1].weight, 6.0);
        QCOMPARE(pane.session->weightInputs().value(pane.items()[0].id), text);
        QCOMPARE(pane.model.rows()[0].weightText, text);
        QCOMPARE(pane.model.rows()[0].probabilityText, probability);
    }

    void negativeZeroDoesNotMakeASecondPositiveWeight()
    {
        OpenWheelPane pane({ 4, 6 });
        pane.model.setWeightText(0, QStringLiteral("-0"));
        QVERIFY(!pane.session->commitWeightInputs());
    }

    void probabilities_data()
    {
        QTest::addColumn<QList<double>>("weights");
        QTest::addColumn<QStringList>("texts");

        QTest::newRow("thirds") << QList<double> { 1, 1, 1 } << strings({ "33.4%", "33.3%", "33.3%" });
        QTest::newRow("all zero") << QList<double> { 0, 0, 0 } << strings({ "0.0%", "0.0%", "0.0%" });
        QTest::newRow("the default items")
            << weightsOf(AppPreferences::defaultItems())
            << strings({ "18.0%", "16.0%", "16.0%", "14.0%", "12.0%", "12.0%", "12.0%" });
        QTest::newRow("one weight") << QList<double> { 0, 2.5 } << strings({ "0.0%", "100.0%" });
        QTest::newRow("not a number and negative count as 0")
            << QList<double> { notANumber, -3, 1, 3 } << strings({ "0.0%", "0.0%", "25.0%", "75.0%" });
    }

    void probabilities()
    {
        QFETCH(QList<double>, weights);
        QFETCH(QStringList, texts);
        OpenWheelPane pane({ 1, 1 });
        // Through the draft, as no stored file holds a weight that is not a number.
        pane.editDraft([&](AppPreferences &draft) { draft.items = itemsWithWeights(weights); });

        QCOMPARE(column(pane.model, &WheelItemRow::probabilityText), texts);
    }

    void itemsSharingAnIdEachDraw()
    {
        AppPreferences stored = OpenWheelPane::withItems({ 1, 3, 4 }, AppLanguage::chinese);
        stored.items[2].id = stored.items[0].id;
        OpenWheelPane pane(stored);

        QCOMPARE(
            column(pane.model, &WheelItemRow::probabilityText), (strings({ "12.5%", "37.5%", "50.0%" })));
        // Both rows show the one text kept for their id.
        QCOMPARE(column(pane.model, &WheelItemRow::weightText), (strings({ "1", "3", "1" })));
        // The last id is also the first row's: neither has a divider below it.
        QCOMPARE(pane.model.rows()[0].showsDivider, false);
        QCOMPARE(pane.model.rows()[1].showsDivider, true);
        QCOMPARE(pane.model.rows()[2].showsDivider, false);
    }

    void aWeightEditAnnouncesOnlyTheShares()
    {
        OpenWheelPane pane({ 1, 1, 1 });
        QSignalSpy changed(&pane.model, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(&pane.model, &QAbstractItemModel::modelReset);
        QSignalSpy removed(&pane.model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy total(&pane.values, &WheelPaneValues::weightSummaryTextChanged);
        QSignalSpy recency(&pane.values, &WheelPaneValues::recencyChanged);

        pane.model.setWeightText(1, QStringLiteral("2"));
        pane.model.setWeightText(1, QStringLiteral("2,"));
        pane.model.setWeightText(1, QStringLiteral("2,5"));

        QCOMPARE(reset.count(), 0);
        QCOMPARE(removed.count(), 0);
        QCOMPARE(recency.count(), 0);
        QCOMPARE(total.count(), 2);
        QCOMPARE(pane.values.weightSummaryText(), QStringLiteral("总权重 4.5 · 概率自动换算"));
        QVERIFY(!changed.isEmpty());
        for (const auto &[row, role] : announced(changed))
            QCOMPARE(role, int(WheelItemsModel::ProbabilityTextRole));
        QCOMPARE(
            column(pane.model, &WheelItemRow::probabilityText), (strings({ "22.2%", "55.6%", "22.2%" })));
        QCOMPARE(pane.model.rows()[1].weightText, QStringLiteral("2,5"));
    }

    void otherEditsAnnounceTheirRoles_data()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QList<int>>("roles");

        QTest::newRow("title") << 0 << QList<int> { WheelItemsModel::TitleRole };
        QTest::newRow("health score")
            << 1 << QList<int> { WheelItemsModel::HealthScoreRole, WheelItemsModel::HealthLabelRole };
        QTest::newRow("symbol") << 2
                                << QList<int> { WheelItemsModel::SymbolRole, WheelItemsModel::GlyphRole };
        QTest::newRow("health score to the top")
            << 3
            << QList<int> { WheelItemsModel::HealthScoreRole, WheelItemsModel::HealthLabelRole,
                   WheelItemsModel::CanIncreaseHealthRole };
    }

    void otherEditsAnnounceTheirRoles()
    {
        QFETCH(int, edit);
        QFETCH(QList<int>, roles);
        OpenWheelPane pane({ 1, 1, 1 });
        QSignalSpy changed(&pane.model, &QAbstractItemModel::dataChanged);

        if (edit == 0)
            pane.model.setTitle(2, QStringLiteral("  Tea "));
        else if (edit == 1)
            pane.model.setHealthScore(2, 55);
        else if (edit == 2)
            pane.model.setSymbol(2, QStringLiteral("heart.fill"));
        else
            pane.model.setHealthScore(2, 100);

        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed[0][0].toModelIndex().row(), 2);
        QCOMPARE(changed[0][2].value<QList<int>>(), roles);
    }

    void rowEdits()
    {
        OpenWheelPane pane({ 1, 1, 1 });
        pane.model.setTitle(0, QStringLiteral("  Tea "));
        pane.model.setSymbol(1, QStringLiteral("heart.fill"));
        pane.model.setHealthScore(2, 55);

        QCOMPARE(pane.items()[0].title, QStringLiteral("  Tea "));
        QCOMPARE(pane.items()[1].symbol, QStringLiteral("heart.fill"));
        QCOMPARE(pane.model.rows()[1].glyph, SymbolGlyphs::text(u"heart.fill"));
        QVERIFY(!pane.model.rows()[1].glyph.isEmpty());
        QCOMPARE(pane.items()[2].healthScore, qint64(55));
        QCOMPARE(pane.model.rows()[2].healthLabel, QStringLiteral("55 分"));
        // Nothing reaches the controller before Save.
        QCOMPARE(pane.harness.controller->preferences().items[0].title, QStringLiteral("Item 1"));
    }

    void healthScoreStaysWithinTheStepper_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<bool>("canDecrease");
        QTest::addColumn<bool>("canIncrease");

        QTest::newRow("lowest") << 0 << qint64(0) << false << true;
        QTest::newRow("one above the lowest") << 1 << qint64(1) << true << true;
        QTest::newRow("one below the highest") << 99 << qint64(99) << true << true;
        QTest::newRow("highest") << 100 << qint64(100) << true << false;
        QTest::newRow("below") << -1 << qint64(0) << false << true;
        QTest::newRow("above") << 101 << qint64(100) << true << false;
    }

    void healthScoreStaysWithinTheStepper()
    {
        QFETCH(int, score);
        QFETCH(qint64, stored);
        QFETCH(bool, canDecrease);
        QFETCH(bool, canIncrease);
        OpenWheelPane pane({ 1, 1 });
        pane.model.setHealthScore(0, score);
        QCOMPARE(pane.items()[0].healthScore, stored);
        QCOMPARE(pane.model.rows()[0].canDecreaseHealth, canDecrease);
        QCOMPARE(pane.model.rows()[0].canIncreaseHealth, canIncrease);
    }

    // − and + move one point or one item and stop at the range's ends; a hand-edited value beyond the
    // range comes back to the nearest end.
    void steppersMoveOneWithinTheirRanges_data()
    {
        QTest::addColumn<QString>("stepper");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<int>("direction");
        QTest::addColumn<qint64>("stored");

        QTest::newRow("health up") << "health" << qint64(10) << 1 << qint64(11);
        QTest::newRow("health down") << "health" << qint64(10) << -1 << qint64(9);
        QTest::newRow("health at 0, down") << "health" << qint64(0) << -1 << qint64(0);
        QTest::newRow("health at 100, up") << "health" << qint64(100) << 1 << qint64(100);
        QTest::newRow("health 400, down") << "health" << qint64(400) << -1 << qint64(100);
        QTest::newRow("window up") << "window" << qint64(3) << 1 << qint64(4);
        QTest::newRow("window down") << "window" << qint64(3) << -1 << qint64(2);
        QTest::newRow("window at 1, down") << "window" << qint64(1) << -1 << qint64(1);
        QTest::newRow("window at 10, up") << "window" << qint64(10) << 1 << qint64(10);
        QTest::newRow("window 40, down") << "window" << qint64(40) << -1 << qint64(10);
    }

    void steppersMoveOneWithinTheirRanges()
    {
        QFETCH(QString, stepper);
        QFETCH(qint64, start);
        QFETCH(int, direction);
        QFETCH(qint64, stored);
        AppPreferences preferences = OpenWheelPane::withItems({ 1, 1 }, AppLanguage::chinese);
        preferences.items[1].healthScore = start;
        preferences.recentWindow = start;
        OpenWheelPane pane(preferences);
        if (stepper == u"health") {
            pane.model.stepHealthScore(1, direction);
            QCOMPARE(pane.items()[1].healthScore, stored);
        } else {
            pane.values.stepRecentWindow(direction);
            QCOMPARE(pane.session->draft().recentWindow, stored);
        }
    }

    void aHandEditedHealthScoreDraws()
    {
        AppPreferences stored = OpenWheelPane::withItems({ 1, 1 }, AppLanguage::english);
        stored.items[1].healthScore = 400;
        OpenWheelPane pane(stored);
        QCOMPARE(pane.model.rows()[1].healthScore, 400);
        QCOMPARE(pane.model.rows()[1].healthLabel, QStringLiteral("400 pts"));
        QCOMPARE(pane.items()[1].healthScore, qint64(400));
        // Only − leads back into the stepper's range.
        QVERIFY(pane.model.rows()[1].canDecreaseHealth);
        QVERIFY(!pane.model.rows()[1].canIncreaseHealth);
    }

    void removeAtTwoItemsRaisesTheAlert()
    {
        OpenWheelPane pane({ 1, 2 });
        QSignalSpy removed(&pane.model, &QAbstractItemModel::rowsRemoved);
        const QList<WheelItem> before = pane.items();

        pane.model.remove(1);

        QVERIFY(pane.session->showingMinimumItemsAlert());
        QCOMPARE(pane.items(), before);
        QCOMPARE(pane.session->weightInputs().size(), 2);
        QCOMPARE(removed.count(), 0);
    }

    void removeAtThreeItems()
    {
        OpenWheelPane pane({ 1, 2, 3 });
        const QList<WheelItem> before = pane.items();
        pane.model.setWeightText(0, QStringLiteral("abc"));
        pane.model.setWeightText(2, QString());
        QSignalSpy removed(&pane.model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy reset(&pane.model, &QAbstractItemModel::modelReset);

        pane.model.remove(1);

        QVERIFY(!pane.session->showingMinimumItemsAlert());
        QCOMPARE(pane.items().size(), 2);
        QCOMPARE(pane.items()[0].id, before[0].id);
        QCOMPARE(pane.items()[1].id, before[2].id);
        QVERIFY(!pane.session->weightInputs().contains(before[1].id));
        QCOMPARE(pane.session->weightInputs().value(before[0].id), QStringLiteral("abc"));
        QCOMPARE(pane.session->weightInputs().value(before[2].id), QString());
        QCOMPARE(removed.count(), 1);
        QCOMPARE(reset.count(), 0);
        QCOMPARE(pane.model.count(), 2);
        QCOMPARE(column(pane.model, &WheelItemRow::weightText), (strings({ "abc", "" })));
        QCOMPARE(column(pane.model, &WheelItemRow::deleteHelp),
            (strings({ "至少保留两个项目", "至少保留两个项目" })));
    }

    void removeTakesEveryItemOfTheId()
    {
        AppPreferences stored = OpenWheelPane::withItems({ 1, 2, 3, 4 }, AppLanguage::chinese);
        stored.items[3].id = stored.items[1].id;
        OpenWheelPane pane(stored);

        pane.model.remove(3);

        QCOMPARE(pane.items().size(), 2);
        QCOMPARE(pane.items()[0].id, stored.items[0].id);
        QCOMPARE(pane.items()[1].id, stored.items[2].id);
        QCOMPARE(pane.model.count(), 2);
        QCOMPARE(column(pane.model, &WheelItemRow::title), (strings({ "Item 1", "Item 3" })));
    }

    void addItemWhileThereIsRoom()
    {
        OpenWheelPane pane(weightsOf(AppPreferences::defaultItems()), AppLanguage::english);
        QVERIFY(!pane.model.canAddItem());
        pane.model.addItem();
        QCOMPARE(pane.items().size(), 7);

        QSignalSpy counted(&pane.model, &WheelItemsModel::countChanged);
        pane.model.remove(0);
        QVERIFY(pane.model.canAddItem());
        QSignalSpy inserted(&pane.model, &QAbstractItemModel::rowsInserted);
        pane.model.addItem();

        QCOMPARE(inserted.count(), 1);
        QCOMPARE(counted.count(), 2);
        QVERIFY(!pane.model.canAddItem());
        const WheelItem &added = pane.items().last();
        QCOMPARE(added.title, QStringLiteral("New Item"));
        QCOMPARE(added.weight, 10.0);
        QCOMPARE(added.healthScore, qint64(10));
        QCOMPARE(added.symbol, QStringLiteral("figure.walk"));
        QVERIFY(!added.id.isNull());
        QVERIFY(!pane.items().first(6).contains(added));
        QCOMPARE(pane.session->weightInputs().value(added.id), QStringLiteral("10"));
        QCOMPARE(pane.model.rows().last().weightText, QStringLiteral("10"));
        QCOMPARE(pane.model.rows().last().title, QStringLiteral("New Item"));
        // It takes part in the shares at once: 16 + 16 + 14 + 12 + 12 + 12 + 10 = 92.
        QCOMPARE(pane.model.rows().last().probabilityText, QStringLiteral("10.9%"));
        QCOMPARE(pane.model.rows()[5].showsDivider, true);
        QCOMPARE(pane.model.rows()[6].showsDivider, false);
    }

    void addItemIsTitledInTheDraftsLanguage()
    {
        OpenWheelPane pane({ 1, 1 }, AppLanguage::english);
        pane.model.addItem();
        pane.editDraft([](AppPreferences &draft) { draft.language = AppLanguage::chinese; });
        pane.model.addItem();

        QCOMPARE(pane.items()[2].title, QStringLiteral("New Item"));
        QCOMPARE(pane.items()[3].title, QStringLiteral("新项目"));
        QCOMPARE(pane.model.rows()[0].healthLabel, QStringLiteral("1 分"));
        QCOMPARE(pane.model.rows()[0].deleteHelp, QStringLiteral("删除项目"));
    }

    void deleteHelpAndLabelsFollowTheLanguage_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("help");

        QTest::newRow("two, Chinese") << 2 << AppLanguage::chinese << QStringLiteral("至少保留两个项目");
        QTest::newRow("two, English")
            << 2 << AppLanguage::english << QStringLiteral("Keep at least two items");
        QTest::newRow("three, Chinese") << 3 << AppLanguage::chinese << QStringLiteral("删除项目");
        QTest::newRow("three, English") << 3 << AppLanguage::english << QStringLiteral("Delete Item");
    }

    void deleteHelpAndLabelsFollowTheLanguage()
    {
        QFETCH(int, items);
        QFETCH(AppLanguage, language);
        QFETCH(QString, help);
        OpenWheelPane pane(QList<double>(items, 1.0), language);
        QCOMPARE(column(pane.model, &WheelItemRow::deleteHelp), QStringList(items, help));
    }

    void weightTotal_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QList<double>>("weights");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("text");

        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("default items, English")
            << english << weightsOf(AppPreferences::defaultItems()) << AppLanguage::english
            << QStringLiteral("Total Weight 100.0 · Auto-calculated");
        QTest::newRow("Chinese pane, English numbers")
            << english << QList<double> { 1000, 234.5 } << AppLanguage::chinese
            << QStringLiteral("总权重 1,234.5 · 概率自动换算");
        QTest::newRow("German numbers in an English pane")
            << german << QList<double> { 1000, 234.5 } << AppLanguage::english
            << QStringLiteral("Total Weight 1.234,5 · Auto-calculated");
        QTest::newRow("negative and not a number add nothing")
            << english << QList<double> { 2.25, -4, notANumber, 1 } << AppLanguage::english
            << QStringLiteral("Total Weight 3.3 · Auto-calculated");
        QTest::newRow("no items") << english << QList<double>() << AppLanguage::english
                                  << QStringLiteral("Total Weight 0.0 · Auto-calculated");
        QTest::newRow("beyond the largest double")
            << german << QList<double> { 1e308, 1e308 } << AppLanguage::english
            << QStringLiteral("Total Weight 2,0E308 · Auto-calculated");
    }

    void weightTotal()
    {
        QFETCH(QLocale, locale);
        QFETCH(QList<double>, weights);
        QFETCH(AppLanguage, language);
        QFETCH(QString, text);
        OpenWheelPane pane({ 1, 1 }, language);
        pane.values.setLocale([locale] { return locale; });
        pane.editDraft([&](AppPreferences &draft) { draft.items = itemsWithWeights(weights); });

        QCOMPARE(pane.values.weightSummaryText(), text);
    }

    // The system's locale can change while the pane is open: the total follows at once.
    void aLocaleChangeMovesTheTotal()
    {
        QLocale system(QLocale::English, QLocale::UnitedStates);
        OpenWheelPane pane({ 1000, 234.5 }, AppLanguage::english);
        pane.values.setLocale([&system] { return system; });
        QCOMPARE(pane.values.weightSummaryText(), QStringLiteral("Total Weight 1,234.5 · Auto-calculated"));
        QSignalSpy announced(&pane.values, &WheelPaneValues::weightSummaryTextChanged);

        system = QLocale(QLocale::German, QLocale::Germany);
        QEvent change(QEvent::LocaleChange);
        QCoreApplication::sendEvent(QCoreApplication::instance(), &change);

        QCOMPARE(pane.values.weightSummaryText(), QStringLiteral("Total Weight 1.234,5 · Auto-calculated"));
        QCOMPARE(announced.count(), 1);
    }

    void typingMovesTheTotal()
    {
        OpenWheelPane pane(weightsOf(AppPreferences::defaultItems()), AppLanguage::english);
        pane.model.setWeightText(0, QString());
        QCOMPARE(pane.values.weightSummaryText(), QStringLiteral("Total Weight 82.0 · Auto-calculated"));
        pane.model.setWeightText(0, QStringLiteral("abc"));
        QCOMPARE(pane.values.weightSummaryText(), QStringLiteral("Total Weight 82.0 · Auto-calculated"));
        pane.model.setWeightText(0, QStringLiteral("1000"));
        QCOMPARE(pane.values.weightSummaryText(), QStringLiteral("Total Weight 1,082.0 · Auto-calculated"));
    }

    void discountStrength_data()
    {
        QTest::addColumn<double>("strength");
        QTest::addColumn<QString>("text");

        QTest::newRow("cut, not rounded") << 0.29 << QStringLiteral("28%");
        QTest::newRow("highest") << 0.95 << QStringLiteral("95%");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0%");
        QTest::newRow("hand-edited above the range") << 3.5 << QStringLiteral("95%");
        QTest::newRow("hand-edited below the range") << -2.0 << QStringLiteral("0%");
        QTest::newRow("not a number") << notANumber << QStringLiteral("0%");
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << QStringLiteral("95%");
    }

    void discountStrength()
    {
        QFETCH(double, strength);
        QFETCH(QString, text);
        for (const AppLanguage language : { AppLanguage::chinese, AppLanguage::english }) {
            OpenWheelPane pane({ 1, 1 }, language);
            pane.editDraft([&](AppPreferences &draft) { draft.recentDiscountStrength = strength; });
            QCOMPARE(pane.values.discountStrengthText(), text);
            // Shown as it is until the slider moves.
            QCOMPARE(std::isnan(pane.session->draft().recentDiscountStrength), std::isnan(strength));
        }
    }

    void recentWindow_data()
    {
        QTest::addColumn<qint64>("window");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("canDecrease");
        QTest::addColumn<bool>("canIncrease");

        QTest::newRow("Chinese") << qint64(3) << AppLanguage::chinese << QStringLiteral("3 项") << true
                                 << true;
        QTest::newRow("English") << qint64(3) << AppLanguage::english << QStringLiteral("3 items") << true
                                 << true;
        QTest::newRow("lowest") << qint64(1) << AppLanguage::english << QStringLiteral("1 item") << false
                                << true;
        QTest::newRow("highest") << qint64(10) << AppLanguage::english << QStringLiteral("10 items") << true
                                 << false;
        QTest::newRow("hand-edited") << qint64(40) << AppLanguage::english << QStringLiteral("40 items")
                                     << true << false;
    }

    void recentWindow()
    {
        QFETCH(qint64, window);
        QFETCH(AppLanguage, language);
        QFETCH(QString, text);
        QFETCH(bool, canDecrease);
        QFETCH(bool, canIncrease);
        AppPreferences stored = OpenWheelPane::withItems({ 1, 1 }, language);
        stored.recentWindow = window;
        OpenWheelPane pane(stored);
        QCOMPARE(pane.values.recentWindowText(), text);
        QCOMPARE(pane.values.recentWindow(), int(window));
        QCOMPARE(pane.values.canDecreaseRecentWindow(), canDecrease);
        QCOMPARE(pane.values.canIncreaseRecentWindow(), canIncrease);
    }

    void recencyControlsStayInTheirRanges_data()
    {
        QTest::addColumn<double>("strength");
        QTest::addColumn<int>("window");
        QTest::addColumn<double>("storedStrength");
        QTest::addColumn<qint64>("storedWindow");

        QTest::newRow("inside") << 0.5 << 4 << 0.5 << qint64(4);
        QTest::newRow("edges") << 0.95 << 10 << 0.95 << qint64(10);
        QTest::newRow("below") << -0.1 << 0 << 0.0 << qint64(1);
        QTest::newRow("above") << 1.5 << 11 << 0.95 << qint64(10);
    }

    void recencyControlsStayInTheirRanges()
    {
        QFETCH(double, strength);
        QFETCH(int, window);
        QFETCH(double, storedStrength);
        QFETCH(qint64, storedWindow);
        OpenWheelPane pane({ 1, 1 });
        QSignalSpy recency(&pane.values, &WheelPaneValues::recencyChanged);
        pane.values.setDiscountStrength(strength);
        pane.values.setRecentWindow(window);
        QCOMPARE(pane.session->draft().recentDiscountStrength, storedStrength);
        QCOMPARE(pane.session->draft().recentWindow, storedWindow);
        QCOMPARE(recency.count(), 2);
    }

    void aLateDismissalLeavesTheNewerPickerOpen()
    {
        OpenWheelPane pane({ 1, 1, 1 });
        const QString first = idOf(pane.items()[0]);
        const QString second = idOf(pane.items()[1]);

        pane.model.openSymbolPicker(first);
        QCOMPARE(pane.session->symbolPickerItemIdText(), first);
        pane.model.openSymbolPicker(second);
        QCOMPARE(pane.session->symbolPickerItemIdText(), second);
        pane.model.dismissSymbolPicker(first);
        QCOMPARE(pane.session->symbolPickerItemIdText(), second);
        pane.model.dismissSymbolPicker(QStringLiteral("not an id"));
        QCOMPARE(pane.session->symbolPickerItemIdText(), second);
        pane.model.dismissSymbolPicker(second);
        QVERIFY(!pane.session->symbolPickerItemId());
        // A late close once none is open changes nothing either.
        pane.model.dismissSymbolPicker(first);
        QVERIFY(!pane.session->symbolPickerItemId());
    }

    void symbolPickerStartsOnEveryCategory()
    {
        SymbolPickerModel picker;
        QCOMPARE(picker.category(), QStringLiteral("全部"));
        QCOMPARE(picker.searchText(), QString());
        QCOMPARE(picker.count(), 45);
        QCOMPARE(picker.categories().size(), 6);
    }

    void symbolPickerFilters_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("heart in English")
            << QStringLiteral("english") << QStringLiteral("全部") << QStringLiteral(" heart ")
            << strings({ "heart.fill", "waveform.path.ecg" });
        QTest::newRow("heart in Chinese") << QStringLiteral("chinese") << QStringLiteral("全部")
                                          << QStringLiteral("heart") << strings({ "heart.fill" });
        QTest::newRow("Chinese label") << QStringLiteral("english") << QStringLiteral("休息")
                                       << QStringLiteral("睡眠") << strings({ "bed.double.fill" });
        QTest::newRow("outside the category") << QStringLiteral("english") << QStringLiteral("运动")
                                              << QStringLiteral("heart") << QStringList();
        QTest::newRow("whole category")
            << QStringLiteral("chinese") << QStringLiteral("自然") << QString()
            << strings({ "leaf.fill", "tree.fill", "mountain.2.fill", "sun.max.fill", "cloud.fill", "wind",
                   "flame.fill", "snowflake", "water.waves" });
    }

    void symbolPickerFilters()
    {
        QFETCH(QString, language);
        QFETCH(QString, category);
        QFETCH(QString, search);
        QFETCH(QStringList, names);
        SymbolPickerModel picker;
        QAbstractItemModelTester check(&picker, QAbstractItemModelTester::FailureReportingMode::QtTest);
        // The cells as a view learns them: from the removals and insertions alone, never a reset.
        QStringList shown = ::names(picker);
        QSignalSpy resets(&picker, &QAbstractItemModel::modelReset);
        connect(&picker, &QAbstractItemModel::rowsRemoved, this,
            [&](const QModelIndex &, int first, int last) { shown.remove(first, last - first + 1); });
        connect(
            &picker, &QAbstractItemModel::rowsInserted, this, [&](const QModelIndex &, int first, int last) {
                for (int row = first; row <= last; ++row)
                    shown.insert(row, picker.index(row).data(SymbolPickerModel::NameRole).toString());
            });
        picker.setLanguageName(language);
        picker.setCategory(category);
        picker.setSearchText(search);
        QCOMPARE(::names(picker), names);
        QCOMPARE(shown, names);

        // And back to every cell.
        picker.setSearchText(QString());
        picker.setCategory(QStringLiteral("全部"));
        QCOMPARE(::names(picker), ::names(SymbolPickerModel()));
        QCOMPARE(shown, ::names(picker));
        QCOMPARE(resets.count(), 0);
    }

    void symbolPickerCells()
    {
        SymbolPickerModel picker;
        QAbstractItemModelTester check(&picker, QAbstractItemModelTester::FailureReportingMode::QtTest);
        picker.setSelection(QStringLiteral("wind"));
        picker.setCategory(QStringLiteral("自然"));
        const QModelIndex wind = picker.index(5);
        QCOMPARE(wind.data(SymbolPickerModel::NameRole).toString(), QStringLiteral("wind"));
        QCOMPARE(wind.data(SymbolPickerModel::LabelRole).toString(), QStringLiteral("清风"));
        QCOMPARE(wind.data(SymbolPickerModel::GlyphRole).toString(), SymbolGlyphs::text(u"wind"));
        QVERIFY(wind.data(SymbolPickerModel::SelectedRole).toBool());
        QVERIFY(!picker.index(0).data(SymbolPickerModel::SelectedRole).toBool());

        QSignalSpy changed(&picker, &QAbstractItemModel::dataChanged);
        picker.setLanguageName(QStringLiteral("english"));
        QCOMPARE(wind.data(SymbolPickerModel::LabelRole).toString(), QStringLiteral("Breeze"));
        QCOMPARE(picker.categories()[4].toMap().value(QStringLiteral("label")).toString(),
            QStringLiteral("Nature"));
        picker.setSelection(QStringLiteral("leaf.fill"));
        QVERIFY(picker.index(0).data(SymbolPickerModel::SelectedRole).toBool());
        QVERIFY(!wind.data(SymbolPickerModel::SelectedRole).toBool());
        QCOMPARE(changed.count(), 2);
    }
};

QUORVANE_TEST_GUILESS_MAIN(WheelItemsModelTest)
#include "tst_wheel_items_model.moc"
