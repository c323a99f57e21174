#include "core/StringTable.h"

#include <QTest>

class StringTableTest : public QObject
{
    Q_OBJECT

private slots:
    void lookUp_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("expected");

        QTest::newRow("alert button, english") << "知道了"
                                               << "english"
                                               << "OK";
        QTest::newRow("alert button, chinese") << "知道了"
                                               << "chinese"
                                               << "知道了";
        QTest::newRow("window title key, english") << "柯帆"
                                                   << "english"
                                                   << "Quorvane";
        QTest::newRow("window title key, chinese") << "柯帆"
                                                   << "chinese"
                                                   << "柯帆";
        QTest::newRow("no entry, english shows the key") << "没有这一条"
                                                         << "english"
                                                         << "没有这一条";
        QTest::newRow("no entry, chinese shows the key") << "没有这一条"
                                                         << "chinese"
                                                         << "没有这一条";
        QTest::newRow("empty key") << ""
                                   << "english"
                                   << "";
        // Keys match exactly: a key with extra space is another key.
        QTest::newRow("key with a trailing space") << "知道了 "
                                                   << "english"
                                                   << "知道了 ";
        QTest::newRow("an English text is no key") << "OK"
                                                   << "english"
                                                   << "OK";
        QTest::newRow("format key without entry keeps its placeholder") << "+%lld"
                                                                        << "english"
                                                                        << "+%lld";
    }

    void lookUp()
    {
        QFETCH(QString, key);
        QFETCH(QString, language);
        QFETCH(QString, expected);

        const std::optional<AppLanguage> parsed = fromRawValue<AppLanguage>(language);
        QVERIFY(parsed);
        QCOMPARE(StringTable::text(key, *parsed), expected);
    }
};

QTEST_APPLESS_MAIN(StringTableTest)
#include "tst_string_table.moc"
