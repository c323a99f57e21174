#include "TestProgram.h"

#include <QFileInfo>
#include <QMap>
#include <cstdio>

namespace {
QMap<QString, TestProgram::Run> &tests()
{
    // Filled by the tests' static initialisers, so it must exist before the first of them runs.
    static QMap<QString, TestProgram::Run> registered;
    return registered;
}
} // namespace

bool TestProgram::add(const char *sourceFile, Run run)
{
    tests().insert(QFileInfo(QString::fromUtf8(sourceFile)).completeBaseName(), run);
    return true;
}

int TestProgram::run(int argc, char *argv[])
{
    const auto test = argc > 1 ? tests().constFind(QString::fromLocal8Bit(argv[1])) : tests().cend();
    if (test == tests().cend()) {
        std::fprintf(stderr, "usage: %s TEST [QtTest options]\ntests:\n", argv[0]);
        for (const QString &name : tests().keys())
            std::fprintf(stderr, "  %s\n", qPrintable(name));
        return 2;
    }
    // The test's name stands where a program of its own would have its name (the application's name).
    return test.value()(argc - 1, argv + 1);
}

int main(int argc, char *argv[])
{
    return TestProgram::run(argc, argv);
}
