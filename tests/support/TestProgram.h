#pragma once

#include <QTest>

// The tests of one kind share one program, which runs the test named by its first argument, so that
// CTest keeps one entry per test while the build compiles and links them together. A file names its
// test class with QUORVANE_TEST_MAIN or QUORVANE_TEST_GUILESS_MAIN where it would write QTEST_MAIN or
// QTEST_GUILESS_MAIN; built alone (QUORVANE_TEST_PROGRAM undefined), they are exactly those.
namespace TestProgram {
using Run = int (*)(int argc, char *argv[]);
// Registers the test of `sourceFile`, named after the file without its folder and extension.
bool add(const char *sourceFile, Run run);
// Runs the test named by argv[1] with the remaining arguments.
int run(int argc, char *argv[]);
} // namespace TestProgram

#ifdef QUORVANE_TEST_PROGRAM
#define QUORVANE_TEST_PROGRAM_ENTRY(TestObject, ...)                                                         \
    static const bool quorvaneTestAdded##TestObject                                                          \
        = TestProgram::add(__FILE__, [](int argc, char *argv[]) -> int {                                     \
              QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();                             \
              __VA_ARGS__                                                                                    \
              TestObject tc;                                                                                 \
              QTEST_SET_MAIN_SOURCE_PATH                                                                     \
              return QTest::qExec(&tc, argc, argv);                                                          \
          });
#define QUORVANE_TEST_MAIN(TestObject) QUORVANE_TEST_PROGRAM_ENTRY(TestObject, QTEST_MAIN_SETUP())
#define QUORVANE_TEST_GUILESS_MAIN(TestObject)                                                               \
    QUORVANE_TEST_PROGRAM_ENTRY(TestObject, QTEST_QAPP_SETUP(QCoreApplication))
#else
#define QUORVANE_TEST_MAIN(TestObject) QTEST_MAIN(TestObject)
#define QUORVANE_TEST_GUILESS_MAIN(TestObject) QTEST_GUILESS_MAIN(TestObject)
#endif
