#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/ioPath.h>

#include <QtTest>

#include <fstream>

using Quorvel::ioPath;

namespace {
QString Utf8(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

class ioPathTest : public QObject {
    Q_OBJECT

private slots:
    void joins_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("addition");
        QTest::addColumn<QString>("joined");

        QTest::newRow("relative") << "a"
                                  << "b"
                                  << "a/b";
        QTest::newRow("base with separator") << "a/"
                                             << "b"
                                             << "a/b";
        QTest::newRow("absolute base") << "/x/y"
                                       << "z.json"
                                       << "/x/y/z.json";
        QTest::newRow("absolute addition replaces") << "a"
                                                    << "/abs"
                                                    << "/abs";
        QTest::newRow("empty base") << ""
                                    << "b"
                                    << "b";
        QTest::newRow("utf8") << "/data/\xD0\xA2\xD0\xB5\xD0\xBC\xD1\x8B"
                              << "\xE6\x9A\x97.json"
                              << "/data/\xD0\xA2\xD0\xB5\xD0\xBC\xD1\x8B/\xE6\x9A\x97.json";
    }
    void joins() {
        QFETCH(QString, base);
        QFETCH(QString, addition);
        QFETCH(QString, joined);
        const std::string baseText = base.toStdString();
        const std::string additionText = addition.toStdString();

        QCOMPARE(Utf8((ioPath(baseText) / ioPath(additionText)).utf8string()), joined);
        QCOMPARE(Utf8((ioPath(baseText) / additionText).utf8string()), joined);
        QCOMPARE(Utf8((ioPath(baseText.c_str()) / additionText.c_str()).utf8string()), joined);
        ioPath appended(baseText);
        appended /= ioPath(additionText);
        QCOMPARE(Utf8(appended.utf8string()), joined);
        QVERIFY(appended == ioPath(joined.toStdString()));
    }

    void splits_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("filename");

        QTest::newRow("file") << "/a/b/c.txt"
                              << "/a/b"
                              << "c.txt";
        QTest::newRow("relative") << "themes/dark"
                                  << "themes"
                                  << "dark";
        QTest::newRow("single") << "name"
                                << ""
                                << "name";
        QTest::newRow("root child") << "/etc"
                                    << "/"
                                    << "etc";
        QTest::newRow("utf8") << "/\xD0\xB0/\xC3\xA9t\xC3\xA9.qss"
                              << "/\xD0\xB0"
                              << "\xC3\xA9t\xC3\xA9.qss";
    }
    void splits() {
        QFETCH(QString, path);
        QFETCH(QString, parent);
        QFETCH(QString, filename);
        const ioPath p(path.toStdString());
        QCOMPARE(Utf8(p.parent_path().utf8string()), parent);
        QCOMPARE(Utf8(p.filename().utf8string()), filename);
    }

    void platformStringIsUtf8Here() {
#ifndef _WIN32
        const std::string text = "/tmp/\xC3\xA9t\xC3\xA9";
        QCOMPARE(QByteArray::fromStdString(ioPath(text).platformString()),
                 QByteArray::fromStdString(text));
#else
        QCOMPARE(ioPath("C:/\xC3\xA9").platformString(), std::wstring(L"C:/\u00E9"));
#endif
    }

    void comparesAndOrders() {
        QVERIFY(ioPath("a/b") == ioPath("a") / "b");
        QVERIFY(ioPath("a/b") != ioPath("a/c"));
        QVERIFY(ioPath("a/b") < ioPath("a/c"));
        QVERIFY(!(ioPath("a/c") < ioPath("a/b")));
        QVERIFY(ioPath().empty());
        QVERIFY(!ioPath("x").empty());
        const char* null = nullptr;
        QVERIFY(ioPath(null).empty());
    }

    void createsDirectories() {
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const ioPath root(temp.path().toStdString());
        const ioPath target = root / "\xD0\xA2\xD0\xB5\xD0\xBC\xD1\x8B" / "dark" / "\xE6\x9A\x97";

        QVERIFY(root.exists());
        QVERIFY(!target.exists());
        QVERIFY(!target.parent_path().exists());
        QVERIFY(target.create_directories());
        QVERIFY(target.exists());
        QVERIFY(target.is_directory());
        // Qt must see the same directory under the same UTF-8 name.
        QVERIFY(QFileInfo(QString::fromStdString(target.utf8string())).isDir());
        // Already there is fine.
        QVERIFY(target.create_directories());
    }

    void refusesImpossibleDirectories() {
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const ioPath file = ioPath(temp.path().toStdString()) / "plain.txt";
        std::ofstream(file.stdPath()) << "x";
        QVERIFY(file.exists());
        QVERIFY(!file.is_directory());
        // A plain file stands where a directory would have to be.
        QVERIFY(!file.create_directories());
        QVERIFY(!(file / "below").create_directories());
        QVERIFY(!(file / "below").exists());
        QVERIFY(!ioPath().create_directories());
    }
};

QUORVEL_TEST_MAIN_NOAPP(ioPathTest)
#include "tst_ioPath.moc"
