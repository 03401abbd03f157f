#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/ioPath.h>

#include <fstream>

using Quorvel::ioPath;

namespace {
QString Utf8(const ioPath& path) { return QString::fromStdString(path.utf8string()); }
}  // namespace

class ioPathTest : public QObject {
    Q_OBJECT

private slots:
    // Base, addition, joined, parent, filename: joined in every way the class offers, then
    // split again.
    void joinsAndSplits_data() {
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("relative") << QStringList{"a", "b", "a/b", "a", "b"};
        QTest::newRow("base with separator") << QStringList{"a/", "b", "a/b", "a", "b"};
        QTest::newRow("absolute addition replaces") << QStringList{"a", "/abs", "/abs", "/", "abs"};
        QTest::newRow("empty base") << QStringList{"", "b", "b", "", "b"};
        QTest::newRow("UTF-8") << QStringList{"/d/Темы", "暗.json", "/d/Темы/暗.json", "/d/Темы",
                                              "暗.json"};
    }
    void joinsAndSplits() {
        QFETCH(QStringList, cells);
        const QString joined = cells[2];
        const std::string a = cells[0].toStdString(), b = cells[1].toStdString();
        QCOMPARE(Utf8(ioPath(a.c_str()) / b.c_str()), joined);
        ioPath appended(a);
        appended /= ioPath(b);
        QVERIFY(appended == ioPath(joined.toStdString()) && appended != ioPath(a + "x"));
        // The native form here is the UTF-8 itself.
        QCOMPARE(QString::fromStdString(appended.platformString()), joined);
        QCOMPARE(Utf8(appended.parent_path()), cells[3]);
        QCOMPARE(Utf8(appended.filename()), cells[4]);
    }

    // Compared and ordered by text; a plain file where a folder would have to be is refused,
    // never thrown; Qt sees the folders under the same UTF-8 names.
    void comparesAndCreatesDirectories() {
        QVERIFY(ioPath("a/b") < ioPath("a/c") && !(ioPath("a/c") < ioPath("a/b")));
        QVERIFY(ioPath(static_cast<const char*>(nullptr)).empty() && !ioPath("x").empty());
        QTemporaryDir temp;
        const ioPath target = ioPath(temp.path().toStdString()) / "Темы" / "暗";
        QVERIFY(target.create_directories() && target.create_directories());
        QVERIFY(target.is_directory() && QFileInfo(Utf8(target)).isDir());
        const ioPath file = target / "plain.txt";
        std::ofstream(file.stdPath()) << "x";
        QVERIFY(file.exists() && !file.is_directory() && !(file / "below").create_directories());
        QVERIFY(!(file / "below").exists() && !ioPath().create_directories());
    }
};

QUORVEL_TEST_MAIN_NOAPP(ioPathTest)
#include "tst_ioPath.moc"
