#pragma once

#include <QtTest>

#include <functional>

namespace Quorvel::TestSupport {

// Prepares a test process so that it never touches a real user's files: settings and data
// paths in Qt's test mode, a private 0700 XDG_RUNTIME_DIR (lock files live there), and glog
// writing to stderr only. Call first thing in main, before any QCoreApplication exists.
void InitTestEnvironment(const char* argv0);

// The path of a helper program built beside the test executables; works before any
// application object exists.
QString HelperProgram(const QString& name);

// Writes `bytes` to `path`, making its folders first, with `permissions` when given; whether all
// of it was written.
bool WriteFile(const QString& path, const QByteArray& bytes, QFile::Permissions permissions = {});

// The whole file; empty when it cannot be read.
QByteArray ReadFile(const QString& path);

// Runs `work` on `count` threads at once, each given its number, and waits for all of them.
void RunOnThreads(int count, const std::function<void(int)>& work);

}  // namespace Quorvel::TestSupport

// Like QTEST_MAIN, after InitTestEnvironment.
#define QUORVEL_TEST_MAIN(TestObject)                       \
    int main(int argc, char** argv) {                       \
        Quorvel::TestSupport::InitTestEnvironment(argv[0]); \
        QApplication app(argc, argv);                       \
        app.setAttribute(Qt::AA_Use96Dpi, true);            \
        TestObject test;                                    \
        QTEST_SET_MAIN_SOURCE_PATH                          \
        return QTest::qExec(&test, argc, argv);             \
    }

// For suites without widgets, which QProcess or QLocalSocket still need an event loop for.
#define QUORVEL_TEST_MAIN_CORE(TestObject)                  \
    int main(int argc, char** argv) {                       \
        Quorvel::TestSupport::InitTestEnvironment(argv[0]); \
        QCoreApplication app(argc, argv);                   \
        TestObject test;                                    \
        QTEST_SET_MAIN_SOURCE_PATH                          \
        return QTest::qExec(&test, argc, argv);             \
    }

// For suites that construct their own application object inside the tests.
#define QUORVEL_TEST_MAIN_NOAPP(TestObject)                 \
    int main(int argc, char** argv) {                       \
        Quorvel::TestSupport::InitTestEnvironment(argv[0]); \
        TestObject test;                                    \
        QTEST_SET_MAIN_SOURCE_PATH                          \
        return QTest::qExec(&test, argc, argv);             \
    }
