#include <Quorvel/App/Application/Browser/ProcessMap.h>

#include "BrowserTestSupport.h"

#include <QtTest>

#include <functional>
#include <map>

using Quorvel::App::GetCurrentProcessMap;
using namespace BrowserTestSupport;

namespace {

std::map<QString, QString> AllNamed() {
    return GetCurrentProcessMap([](const QString& name) { return !name.isEmpty(); });
}

}  // namespace

class TestProcessMap : public QObject {
    Q_OBJECT

private slots:
    void runningCopyIsListedUnderLowerCaseName_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("key");
        QTest::newRow("capitals") << "QuorvelBrowser"
                                  << "quorvelbrowser";
        QTest::newRow("Windows-style name in capitals") << "QUORVEL.EXE"
                                                        << "quorvel.exe";
        QTest::newRow("blank in the name") << "Quorvel Browser"
                                           << "quorvel browser";
        QTest::newRow("non-ASCII capitals")
            << QString::fromUtf8("БраузерÄ") << QString::fromUtf8("браузерä");
    }

    void runningCopyIsListedUnderLowerCaseName() {
        QFETCH(QString, fileName);
        QFETCH(QString, key);
        QTemporaryDir dir;
        const QString path = CanonicalPath(dir) + "/Bin/" + fileName;
        RunningCopies copies;
        QVERIFY(copies.Start(path) > 0);

        const auto processes = AllNamed();
        const auto found = processes.find(key);
        QVERIFY2(found != processes.end(), qPrintable(key));
        // Spelled as the system reports it, capitals and all.
        QCOMPARE(found->second, path);
        QVERIFY(processes.find(fileName) == processes.end());
    }

    // The system enumerates processes by ascending id, so the younger copy is listed last.
    void lastListedCopyWins() {
        QTemporaryDir dir;
        const QString first = CanonicalPath(dir) + "/first/QuorvelTwin";
        const QString second = CanonicalPath(dir) + "/second/QuorvelTwin";
        RunningCopies copies;
        const qint64 firstId = copies.Start(first);
        const qint64 secondId = copies.Start(second);
        QVERIFY(firstId > 0 && secondId > 0);

        const auto processes = AllNamed();
        QVERIFY(processes.count("quorveltwin") == 1);
        QCOMPARE(processes.at("quorveltwin"), secondId > firstId ? second : first);
    }

    // A program replaced on disk while it runs (a browser updated in place) keeps its name.
    void deletedExecutableKeepsItsPath() {
        QTemporaryDir dir;
        const QString path = CanonicalPath(dir) + "/QuorvelGone";
        RunningCopies copies;
        QVERIFY(copies.Start(path) > 0);
        QVERIFY(QFile::remove(path));

        const auto processes = AllNamed();
        QVERIFY(processes.count("quorvelgone") == 1);
        QCOMPARE(processes.at("quorvelgone"), path);
    }

    void filterDecidesWhatIsListed() {
        QTemporaryDir dir;
        const QString wanted = CanonicalPath(dir) + "/QuorvelWanted";
        RunningCopies copies;
        QVERIFY(copies.Start(wanted) > 0);
        QVERIFY(copies.Start(CanonicalPath(dir) + "/QuorvelOther") > 0);

        QStringList seen;
        const auto processes = GetCurrentProcessMap([&](const QString& name) {
            seen << name;
            return name == "quorvelwanted";
        });
        QCOMPARE(processes.size(), size_t(1));
        QCOMPARE(processes.at("quorvelwanted"), wanted);
        // Every process is shown to the filter, by its lower-case name.
        QVERIFY(seen.contains("quorvelother"));
        const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QVERIFY(seen.contains(self.toLower()));
        for (const QString& name : seen) {
            QCOMPARE(name, name.toLower());
        }

        QVERIFY(GetCurrentProcessMap([](const QString&) { return false; }).empty());
    }

    void emptyFilterThrows() {
        QVERIFY_EXCEPTION_THROWN(GetCurrentProcessMap(std::function<bool(const QString&)>()),
                                 std::bad_function_call);
    }
};

QUORVEL_TEST_MAIN(TestProcessMap)
#include "tst_ProcessMap.moc"
