#include <Quorvel/Core/DyLib.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

#include <dlfcn.h>

#include <cmath>
#include <cstring>

using Quorvel::ioPath;
using Quorvel::Core::DyLib;

namespace {

template <class Function>
Function As(void* address) {
    Function function = nullptr;
    std::memcpy(&function, &address, sizeof(function));
    return function;
}

// Asks the loader, without loading anything, whether the library is mapped.
bool IsLoaded(const QString& path) {
    void* handle = ::dlopen(path.toUtf8().constData(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle) {
        return false;
    }
    ::dlclose(handle);
    return true;
}

const QString kPlugin = QStringLiteral(QUORVEL_TEST_PLUGIN);

}  // namespace

class DyLibTest : public QObject {
    Q_OBJECT

private slots:
    void callsIntoSystemLibrary() {
        DyLib library;
        QVERIFY(library.Open(ioPath("libm.so.6")));
        QVERIFY(library.IsOpen());
        auto cosine = As<double (*)(double)>(library.GetProc("cos"));
        QVERIFY(cosine != nullptr);
        QCOMPARE(cosine(0.0), 1.0);
        QCOMPARE(cosine(0.5), std::cos(0.5));
        QCOMPARE(library.GetProc("quorvel_no_such_symbol"), nullptr);
        QCOMPARE(library.GetProc(nullptr), nullptr);
    }

    void refusesWhatDoesNotLoad_data() {
        QTest::addColumn<QString>("path");
        // Windows-only; start-up code probes it on every platform.
        QTest::newRow("Shcore.dll") << "Shcore.dll";
        QTest::newRow("missing file") << "/nonexistent/dir/libquorvel_missing.so";
        QTest::newRow("missing name") << "libquorvel_missing.so.1";
        QTest::newRow("empty path") << "";
        QTest::newRow("not a library") << "/etc/hostname";
        QTest::newRow("directory") << "/usr/lib";
    }
    void refusesWhatDoesNotLoad() {
        QFETCH(QString, path);
        DyLib library;
        QVERIFY(!library.Open(ioPath(path.toStdString())));
        QVERIFY(!library.IsOpen());
        QCOMPARE(library.GetProc("SetProcessDpiAwareness"), nullptr);
        QCOMPARE(library.GetProc("cos"), nullptr);
    }

    void nothingOpenYieldsNull() {
        DyLib library;
        QVERIFY(!library.IsOpen());
        QCOMPARE(library.GetProc("cos"), nullptr);
    }

    void destructorReleases() {
        QVERIFY(!IsLoaded(kPlugin));
        {
            DyLib library;
            QVERIFY(library.Open(ioPath(kPlugin.toStdString())));
            QVERIFY(IsLoaded(kPlugin));
            auto answer = As<int (*)()>(library.GetProc("quorvel_test_plugin_answer"));
            QVERIFY(answer != nullptr);
            QCOMPARE(answer(), 42);
        }
        QVERIFY(!IsLoaded(kPlugin));
    }

    void openingAgainReleasesThePrevious() {
        DyLib library;
        QVERIFY(library.Open(ioPath(kPlugin.toStdString())));
        QVERIFY(IsLoaded(kPlugin));
        QVERIFY(library.Open(ioPath("libm.so.6")));
        QVERIFY(!IsLoaded(kPlugin));
        QVERIFY(library.GetProc("cos") != nullptr);
        QCOMPARE(library.GetProc("quorvel_test_plugin_answer"), nullptr);

        QVERIFY(library.Open(ioPath(kPlugin.toStdString())));
        QVERIFY(!library.Open(ioPath("libquorvel_missing.so.1")));
        QVERIFY(!IsLoaded(kPlugin));
        QCOMPARE(library.GetProc("quorvel_test_plugin_answer"), nullptr);
    }

    void closeAndMove() {
        DyLib library;
        QVERIFY(library.Open(ioPath(kPlugin.toStdString())));
        DyLib moved(std::move(library));
        QVERIFY(moved.GetProc("quorvel_test_plugin_answer") != nullptr);
        QVERIFY(IsLoaded(kPlugin));
        moved.Close();
        QVERIFY(!moved.IsOpen());
        QVERIFY(!IsLoaded(kPlugin));
        // A moved-from loader can be used again.
        QVERIFY(library.Open(ioPath(kPlugin.toStdString())));
        QVERIFY(library.GetProc("quorvel_test_plugin_answer") != nullptr);
    }

    void opensFromUtf8Path() {
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const QString copy =
            temp.path() + QString::fromUtf8("/\xD0\xB1\xD0\xB8\xD0\xB1 \xC3\xA9.so");
        QVERIFY(QFile::copy(kPlugin, copy));
        DyLib library;
        QVERIFY(library.Open(ioPath(copy.toStdString())));
        auto answer = As<int (*)()>(library.GetProc("quorvel_test_plugin_answer"));
        QVERIFY(answer != nullptr);
        QCOMPARE(answer(), 42);
    }
};

QUORVEL_TEST_MAIN_NOAPP(DyLibTest)
#include "tst_DyLib.moc"
