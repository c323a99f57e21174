#include "TestProgram.h"
#include "app/CommandLine.h"

#include <QTest>

Q_DECLARE_METATYPE(LaunchRequest::View)

using namespace Qt::StringLiterals;

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitStatus");
        QTest::addColumn<QString>("outputHas");
        QTest::addColumn<LaunchRequest::View>("view");
        using View = LaunchRequest::View;
        QTest::newRow("none") << QStringList() << -1 << QString() << View::mainWindow;
        QTest::newRow("hidden") << QStringList { u"--hidden"_s } << -1 << QString() << View::none;
        QTest::newRow("statistics wins over hidden")
            << QStringList { u"--hidden"_s, u"--show-statistics"_s } << -1 << QString() << View::statistics;
        QTest::newRow("journal") << QStringList { u"--open-journal"_s } << -1 << QString() << View::journal;
        QTest::newRow("help") << QStringList { u"--help"_s } << 0 << u"--open-journal"_s << View::mainWindow;
        QTest::newRow("help with Qt's options")
            << QStringList { u"--help-all"_s } << 0 << u"--platform <platformName[:options]>"_s
            << View::mainWindow;
        QTest::newRow("Qt's option and its value left to Qt") << QStringList { u"-platform"_s, u"offscreen"_s,
            u"--open-journal"_s } << -1 << QString() << View::journal;
        QTest::newRow("version after a Qt option")
            << QStringList { u"-platform"_s, u"offscreen"_s, u"--version"_s } << 0
            << u"quorvane " QUORVANE_VERSION "\n"_s << View::mainWindow;
        QTest::newRow("version") << QStringList { u"--hidden"_s, u"-v"_s } << 0
                                 << u"quorvane " QUORVANE_VERSION "\n"_s << View::mainWindow;
        QTest::newRow("unknown option") << QStringList { u"--frobnicate"_s } << 2
                                        << u"quorvane: Unknown option 'frobnicate'."_s << View::mainWindow;
        QTest::newRow("stray argument")
            << QStringList { u"notes.txt"_s } << 2 << u"quorvane: unexpected argument 'notes.txt'."_s
            << View::mainWindow;
    }

    void parse()
    {
        QFETCH(QStringList, options);
        QFETCH(int, exitStatus);
        QFETCH(QString, outputHas);
        QFETCH(LaunchRequest::View, view);

        const CommandLine line
            = CommandLine::parse(QStringList { u"/usr/bin/quorvane"_s } + options, "launcher-1_TIME9");

        QCOMPARE(line.exits, exitStatus >= 0);
        QCOMPARE(line.exitStatus, std::max(exitStatus, 0));
        QVERIFY2(line.output.contains(outputHas), qPrintable(line.output));
        if (exitStatus == 2)
            QCOMPARE(line.output.count(u'\n'), 1);
        QCOMPARE(line.request.view, view);
        QCOMPARE(line.request.activationToken, line.exits ? QByteArray() : QByteArray("launcher-1_TIME9"));
    }
};

QUORVANE_TEST_GUILESS_MAIN(CommandLineTest)
#include "tst_command_line.moc"
