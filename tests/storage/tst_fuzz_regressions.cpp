#include "FuzzInvariants.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

using Check = std::function<Status(QByteArrayView input, const QString &folder)>;

// The fuzz targets by the name of their folder of inputs.
const QHash<QString, Check> &checks()
{
    static const QHash<QString, Check> table {
        { QStringLiteral("csv_codec"),
            [](QByteArrayView input, const QString &) { return FuzzInvariants::csvCodec(input); } },
        { QStringLiteral("csv_logs"), FuzzInvariants::csvLogs },
        { QStringLiteral("preferences"), FuzzInvariants::preferences },
        { QStringLiteral("state_files"), FuzzInvariants::stateFiles },
        { QStringLiteral("color_hex"),
            [](QByteArrayView input, const QString &) { return FuzzInvariants::colorHex(input); } },
    };
    return table;
}

} // namespace

// Every seed of the fuzzers and every input that once broke one of their invariants, replayed
// through the same checks.
class FuzzRegressionsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void replay_data();
    void replay();
};

void FuzzRegressionsTest::initTestCase()
{
    FuzzInvariants::useFixedTimeZone();
    // A folder named after no target would be skipped silently.
    for (const char *root : { QUORVANE_FUZZ_CORPUS, QUORVANE_FUZZ_REGRESSIONS }) {
        for (const QString &folder :
            QDir(QString::fromUtf8(root)).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QVERIFY2(checks().contains(folder), qPrintable(folder));
    }
}

void FuzzRegressionsTest::replay_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("path");
    const QList<std::pair<QString, QString>> roots {
        { QStringLiteral("seed"), QString::fromUtf8(QUORVANE_FUZZ_CORPUS) },
        { QStringLiteral("regression"), QString::fromUtf8(QUORVANE_FUZZ_REGRESSIONS) },
    };
    for (const auto &[kind, root] : roots) {
        for (const QString &target : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QDir folder(QDir(root).filePath(target));
            for (const QString &file : folder.entryList(QDir::Files, QDir::Name)) {
                QTest::addRow("%s/%s/%s", qPrintable(kind), qPrintable(target), qPrintable(file))
                    << target << folder.filePath(file);
            }
        }
    }
}

void FuzzRegressionsTest::replay()
{
    QFETCH(QString, target);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray input = file.readAll();
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const Status status = checks().value(target)(input, folder.path());
    QVERIFY2(status, qPrintable(status.error()));
}

QTEST_GUILESS_MAIN(FuzzRegressionsTest)
#include "tst_fuzz_regressions.moc"
