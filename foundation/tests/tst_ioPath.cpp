#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/ioPath.h>

#include <QtTest>

#include <fstream>

using Quorvel::ioPath;

namespace {
QString Utf8(const ioPath& path) { return QString::fromStdString(path.utf8string()); }
}  // namespace

class ioPathTest : public QObject {
    Q_OBJECT

private slots:
    // Joined in every way the class offers, then split again.
    void joinsAndSplits_data() {
        for (const char* column : {"base", "addition", "joined", "parent", "filename"})
            QTest::addColumn<QString>(column);
        const auto row = [](const char* name, const QStringList& cells) {
            QTestData& data = QTest::newRow(name);
            for (const QString& cell : cells) data << cell;
        };
        row("relative", {"a", "b", "a/b", "a", "b"});
        row("base with separator", {"a/", "b", "a/b", "a", "b"});
        row("absolute addition replaces", {"a", "/abs", "/abs", "/", "abs"});
        row("empty base", {"", "b", "b", "", "b"});
        row("UTF-8", QStringList{"/d/Темы", "暗.json", "/d/Темы/暗.json", "/d/Темы", "暗.json"});
    }
    void joinsAndSplits() {
        QFETCH(QString, base);
        QFETCH(QString, addition);
        QFETCH(QString, joined);
        QFETCH(QString, parent);
        QFETCH(QString, filename);
        const std::string a = base.toStdString(), b = addition.toStdString();
        QCOMPARE(Utf8(ioPath(a) / ioPath(b)), joined);
        QCOMPARE(Utf8(ioPath(a.c_str()) / b.c_str()), joined);
        ioPath appended(a);
        appended /= b;
        QVERIFY(appended == ioPath(joined.toStdString()));
        // The native form here is the UTF-8 itself.
        QCOMPARE(QString::fromStdString(appended.platformString()), joined);
        QCOMPARE(Utf8(appended.parent_path()), parent);
        QCOMPARE(Utf8(appended.filename()), filename);
    }

    void comparesAndOrders() {
        QVERIFY(ioPath("a/b") != ioPath("a/c"));
        QVERIFY(ioPath("a/b") < ioPath("a/c") && !(ioPath("a/c") < ioPath("a/b")));
        QVERIFY(ioPath().empty() && !ioPath("x").empty());
        QVERIFY(ioPath(static_cast<const char*>(nullptr)).empty());
    }

    void createsDirectories() {
        QTemporaryDir temp;
        const ioPath root(temp.path().toStdString());
        const ioPath target = root / "Темы" / "暗";
        QVERIFY(temp.isValid() && !target.parent_path().exists());
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
