#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/ioPath.h>

#include <QtTest>

#include <fstream>

using Quorvel::ioPath;

namespace {
QString Utf8(const ioPath& path) { return QString::fromStdString(path.utf8string()); }

void Row(const char* name, const char* a, const char* b, const char* c = nullptr) {
    auto& row = QTest::newRow(name) << QString(a) << QString(b);
    if (c) row << QString(c);
}
}  // namespace

class ioPathTest : public QObject {
    Q_OBJECT

private slots:
    void joins_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("addition");
        QTest::addColumn<QString>("joined");
        Row("relative", "a", "b", "a/b");
        Row("base with separator", "a/", "b", "a/b");
        Row("absolute addition replaces", "a", "/abs", "/abs");
        Row("empty base", "", "b", "b");
        Row("UTF-8", "/d/\xD0\xA2\xD0\xB5\xD0\xBC\xD1\x8B", "\xE6\x9A\x97.json",
            "/d/\xD0\xA2\xD0\xB5\xD0\xBC\xD1\x8B/\xE6\x9A\x97.json");
    }
    void joins() {
        QFETCH(QString, base);
        QFETCH(QString, addition);
        QFETCH(QString, joined);
        const std::string a = base.toStdString(), b = addition.toStdString();
        QCOMPARE(Utf8(ioPath(a) / ioPath(b)), joined);
        QCOMPARE(Utf8(ioPath(a) / b), joined);
        QCOMPARE(Utf8(ioPath(a.c_str()) / b.c_str()), joined);
        ioPath appended(a);
        appended /= ioPath(b);
        QVERIFY(appended == ioPath(joined.toStdString()));
        // The native form here is the UTF-8 itself.
        QCOMPARE(QString::fromStdString(appended.platformString()), joined);
    }

    void splits_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("filename");
        Row("single name", "name", "", "name");
        Row("root child", "/etc", "/", "etc");
        Row("UTF-8", "/\xD0\xB0/\xC3\xA9t\xC3\xA9.qss", "/\xD0\xB0", "\xC3\xA9t\xC3\xA9.qss");
    }
    void splits() {
        QFETCH(QString, path);
        QFETCH(QString, parent);
        QFETCH(QString, filename);
        QCOMPARE(Utf8(ioPath(path.toStdString()).parent_path()), parent);
        QCOMPARE(Utf8(ioPath(path.toStdString()).filename()), filename);
    }

    void comparesAndOrders() {
        QVERIFY(ioPath("a/b") != ioPath("a/c"));
        QVERIFY(ioPath("a/b") < ioPath("a/c") && !(ioPath("a/c") < ioPath("a/b")));
        QVERIFY(ioPath().empty() && !ioPath("x").empty());
        QVERIFY(ioPath(static_cast<const char*>(nullptr)).empty());
    }

    void createsDirectories() {
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const ioPath root(temp.path().toStdString());
        const ioPath target = root / "\xD0\xA2\xD0\xB5\xD0\xBC\xD1\x8B" / "\xE6\x9A\x97";
        QVERIFY(!target.parent_path().exists());
        QVERIFY(target.create_directories());
        // Qt must see the same directory under the same UTF-8 name.
        QVERIFY(target.is_directory() && QFileInfo(Utf8(target)).isDir());
        QVERIFY(target.create_directories());  // already there is fine

        // A plain file stands where a directory would have to be: refused, never thrown.
        const ioPath file = root / "plain.txt";
        std::ofstream(file.stdPath()) << "x";
        QVERIFY(file.exists() && !file.is_directory());
        QVERIFY(!file.create_directories() && !(file / "below").create_directories());
        QVERIFY(!(file / "below").exists() && !ioPath().create_directories());
    }
};

QUORVEL_TEST_MAIN_NOAPP(ioPathTest)
#include "tst_ioPath.moc"
