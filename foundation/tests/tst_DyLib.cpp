#include <Quorvel/Core/DyLib.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <dlfcn.h>

#include <cstring>

using Quorvel::ioPath;
using Quorvel::Core::DyLib;

class DyLibTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_temp;
    std::string m_plugin;  // our test plugin under a UTF-8 name; nothing else loads it

    // Asks the loader, without loading anything, whether the plugin is mapped.
    bool PluginLoaded() const {
        void* handle = ::dlopen(m_plugin.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (handle) ::dlclose(handle);
        return handle != nullptr;
    }
    // What the plugin's entry returns, or -1 when the entry is not found.
    static int Answer(const DyLib& library) {
        void* address = library.GetProc("quorvel_test_plugin_answer");
        int (*answer)() = nullptr;
        std::memcpy(&answer, &address, sizeof(answer));
        return answer ? answer() : -1;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_temp.isValid());
        m_plugin = m_temp.path().toStdString() + "/\xD0\xB1\xD0\xB8\xD0\xB1 \xC3\xA9.so";
        QVERIFY(QFile::copy(QUORVEL_TEST_PLUGIN, QString::fromStdString(m_plugin)));
    }

    // Whatever the outcome, opening releases the library loaded before.
    void opensAndReleasesThePrevious_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("opens");
        QTest::newRow("bare name, searched") << "libm.so.6" << true;
        QTest::newRow("Windows-only, probed everywhere") << "Shcore.dll" << false;
        QTest::newRow("missing file") << "/nonexistent/libquorvel_missing.so" << false;
        QTest::newRow("not a library") << "/etc/passwd" << false;
        QTest::newRow("empty, not the program itself") << "" << false;
    }
    void opensAndReleasesThePrevious() {
        QFETCH(QString, path);
        QFETCH(bool, opens);
        DyLib library;
        QVERIFY(library.Open(ioPath(m_plugin)));
        QCOMPARE(library.Open(ioPath(path.toStdString())), opens);
        QCOMPARE(library.IsOpen(), opens);
        QVERIFY(!PluginLoaded());
        QCOMPARE(Answer(library), -1);
        QCOMPARE(library.GetProc("cos") != nullptr, opens);
    }

    // Closed by Close, by its destructor, or handed over by a move.
    void closesAndMoves() {
        auto library = std::make_unique<DyLib>();
        QVERIFY(library->Open(ioPath(m_plugin)) && PluginLoaded());
        QCOMPARE(Answer(*library), 42);
        QVERIFY(!library->GetProc("quorvel_no_such_symbol") && !library->GetProc(nullptr));
        DyLib moved(std::move(*library));
        QVERIFY(!library->IsOpen() && Answer(*library) == -1 && Answer(moved) == 42);
        moved.Close();
        QVERIFY(!moved.IsOpen() && !PluginLoaded());
        QVERIFY(library->Open(ioPath(m_plugin)));  // a moved-from loader can be used again
        library.reset();
        QVERIFY(!PluginLoaded());
    }
};

QUORVEL_TEST_MAIN_NOAPP(DyLibTest)
#include "tst_DyLib.moc"
