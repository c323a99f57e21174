#include "TestProgram.h"
#include "core/SymbolGlyphs.h"
#include "ui/settings/WheelSymbolLibrary.h"

#include <QSet>
#include <QTest>

namespace {

QStringList namesOf(const QList<WheelSymbolOption> &options)
{
    QStringList names;
    for (const WheelSymbolOption &option : options)
        names.append(option.name);
    return names;
}

} // namespace

class SymbolLibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void catalogueNamesAreUniqueAndDrawable()
    {
        const QList<WheelSymbolOption> &options = WheelSymbolLibrary::options();
        QCOMPARE(options.size(), 45);
        const QStringList names = namesOf(options);
        QCOMPARE(QSet<QString>(names.cbegin(), names.cend()).size(), 45);
        QCOMPARE(WheelSymbolLibrary::englishLabels().size(), 45);
        for (const WheelSymbolOption &option : options) {
            QVERIFY2(!option.label.isEmpty(), qPrintable(option.name));
            QVERIFY2(
                !WheelSymbolLibrary::englishLabels().value(option.name).isEmpty(), qPrintable(option.name));
            QVERIFY2(SymbolGlyphs::codePoint(option.name).has_value(), qPrintable(option.name));
        }
        QCOMPARE(options.first().name, QStringLiteral("figure.walk"));
        QCOMPARE(options.last().name, QStringLiteral("paintpalette.fill"));
    }

    void categoriesComeInDisplayOrder()
    {
        QCOMPARE(WheelSymbolLibrary::categories(),
            QStringList({ QStringLiteral("全部"), QStringLiteral("运动"), QStringLiteral("休息"),
                QStringLiteral("健康"), QStringLiteral("自然"), QStringLiteral("日常") }));
        QCOMPARE(WheelSymbolLibrary::allCategory(), WheelSymbolLibrary::categories().first());
        // The catalogue runs through the categories in their order, one block each.
        QStringList blocks;
        for (const WheelSymbolOption &option : WheelSymbolLibrary::options())
            if (blocks.isEmpty() || blocks.last() != option.category)
                blocks.append(option.category);
        QCOMPARE(blocks, WheelSymbolLibrary::categories().mid(1));
    }

    void nineOptionsPerCategory_data()
    {
        QTest::addColumn<QString>("category");
        for (const QString &category : WheelSymbolLibrary::categories().mid(1))
            QTest::newRow(qPrintable(category)) << category;
    }
    void nineOptionsPerCategory()
    {
        QFETCH(QString, category);
        QCOMPARE(WheelSymbolLibrary::visibleOptions(category, QString(), AppLanguage::chinese).size(), 9);
    }

    void visibleOptions_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("query");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QStringList>("expected");
        const QString all = QStringLiteral("全部");
        const QString health = QStringLiteral("健康");
        const auto zh = AppLanguage::chinese;
        const auto en = AppLanguage::english;

        QTest::newRow("everything") << all << QString() << zh << namesOf(WheelSymbolLibrary::options());
        QTest::newRow("whitespace query is empty")
            << all << QStringLiteral(" \t\n") << en << namesOf(WheelSymbolLibrary::options());
        QTest::newRow("name ignores case")
            << all << QStringLiteral("WALK") << zh << QStringList { QStringLiteral("figure.walk") };
        QTest::newRow("heart in English")
            << all << QStringLiteral("heart") << en
            << QStringList { QStringLiteral("heart.fill"), QStringLiteral("waveform.path.ecg") };
        QTest::newRow("heart in Chinese")
            << all << QStringLiteral("heart") << zh << QStringList { QStringLiteral("heart.fill") };
        QTest::newRow("English label not searched in Chinese")
            << all << QStringLiteral("Stretch") << zh << QStringList();
        QTest::newRow("English label searched in English")
            << all << QStringLiteral("stretch") << en << QStringList { QStringLiteral("figure.flexibility") };
        QTest::newRow("Chinese label searched in English")
            << all << QStringLiteral("散步") << en << QStringList { QStringLiteral("figure.walk") };
        QTest::newRow("label part") << all << QStringLiteral("音乐") << zh
                                    << QStringList { QStringLiteral("headphones"),
                                           QStringLiteral("music.note") };
        QTest::newRow("category name is no label, in all")
            << all << health << zh << QStringList { QStringLiteral("cross.case.fill") };
        QTest::newRow("category name is no label, in its category")
            << health << health << zh << QStringList { QStringLiteral("cross.case.fill") };
        QTest::newRow("category and query") << QStringLiteral("运动") << QStringLiteral("fill") << zh
                                            << QStringList { QStringLiteral("dumbbell.fill") };
        QTest::newRow("query outside the category")
            << QStringLiteral("运动") << QStringLiteral("heart") << en << QStringList();
        QTest::newRow("query trimmed")
            << all << QStringLiteral(" Look Far ") << en << QStringList { QStringLiteral("eye.fill") };
        QTest::newRow("inner space kept") << all << QStringLiteral("LookFar") << en << QStringList();
        QTest::newRow("one category")
            << QStringLiteral("休息") << QString() << en
            << QStringList { QStringLiteral("bed.double.fill"), QStringLiteral("moon.fill"),
                   QStringLiteral("zzz"), QStringLiteral("chair.lounge.fill"), QStringLiteral("timer"),
                   QStringLiteral("hourglass"), QStringLiteral("headphones"), QStringLiteral("music.note"),
                   QStringLiteral("book.closed.fill") };
        QTest::newRow("English category label is no key")
            << QStringLiteral("Health") << QString() << en << QStringList();
        QTest::newRow("empty category is no key") << QString() << QString() << zh << QStringList();
    }
    void visibleOptions()
    {
        QFETCH(QString, category);
        QFETCH(QString, query);
        QFETCH(AppLanguage, language);
        QFETCH(QStringList, expected);

        QCOMPARE(namesOf(WheelSymbolLibrary::visibleOptions(category, query, language)), expected);
    }

    void categoryLabel_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("expected");

        const QStringList english { QStringLiteral("All"), QStringLiteral("Exercise"), QStringLiteral("Rest"),
            QStringLiteral("Health"), QStringLiteral("Nature"), QStringLiteral("Everyday") };
        for (qsizetype i = 0; i < english.size(); ++i) {
            const QString &key = WheelSymbolLibrary::categories().at(i);
            QTest::addRow("%s in Chinese", qPrintable(key)) << key << AppLanguage::chinese << key;
            QTest::addRow("%s in English", qPrintable(key)) << key << AppLanguage::english << english[i];
        }
        QTest::newRow("unknown key in English")
            << QStringLiteral("杂项") << AppLanguage::english << QStringLiteral("杂项");
        QTest::newRow("unknown key in Chinese")
            << QStringLiteral("杂项") << AppLanguage::chinese << QStringLiteral("杂项");
    }
    void categoryLabel()
    {
        QFETCH(QString, category);
        QFETCH(AppLanguage, language);
        QFETCH(QString, expected);

        QCOMPARE(WheelSymbolLibrary::categoryLabel(category, language), expected);
    }

    void optionLabel_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("expected");

        QTest::newRow("Chinese") << QStringLiteral("figure.walk") << QStringLiteral("散步")
                                 << AppLanguage::chinese << QStringLiteral("散步");
        QTest::newRow("English") << QStringLiteral("figure.walk") << QStringLiteral("散步")
                                 << AppLanguage::english << QStringLiteral("Walk");
        QTest::newRow("English with an ampersand")
            << QStringLiteral("figure.mind.and.body") << QStringLiteral("身心") << AppLanguage::english
            << QStringLiteral("Mind & Body");
        QTest::newRow("unknown name in English falls back to the label")
            << QStringLiteral("custom.symbol") << QStringLiteral("自定") << AppLanguage::english
            << QStringLiteral("自定");
    }
    void optionLabel()
    {
        QFETCH(QString, name);
        QFETCH(QString, label);
        QFETCH(AppLanguage, language);
        QFETCH(QString, expected);

        QCOMPARE(
            WheelSymbolLibrary::optionLabel({ name, label, QStringLiteral("运动") }, language), expected);
    }
};

QUORVANE_TEST_GUILESS_MAIN(SymbolLibraryTest)
#include "tst_symbol_library.moc"
