#include <Quorvel/App/Application/Browser/ProcessMap.h>

#include "BrowserTestSupport.h"

#include <QtTest>

#include <functional>

using Quorvel::App::GetCurrentProcessMap;
using namespace BrowserTestSupport;

class TestProcessMap : public QObject {
    Q_OBJECT

private slots:
    // Copies of a sleeping helper run under the names given; "-" after a name deletes its
    // file once it runs. `expected` is the copy whose path the key maps to, or "younger" for
    // the one with the higher process id: the system lists processes by ascending id.
    void runningCopiesAreListed_data() {
        QTest::addColumn<QStringList>("copies");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("capitals, under the lower-case name, spelled as reported")
            << QStringList{"Bin/QuorvelBrowser"} << "quorvelbrowser"
            << "Bin/QuorvelBrowser";
        QTest::newRow("Windows-style name in capitals")
            << QStringList{"QUORVEL.EXE"} << "quorvel.exe"
            << "QUORVEL.EXE";
        QTest::newRow("blank in the name") << QStringList{"Quorvel Browser"} << "quorvel browser"
                                           << "Quorvel Browser";
        QTest::newRow("non-ASCII capitals")
            << QStringList{QString::fromUtf8("БраузерÄ")} << QString::fromUtf8("браузерä")
            << QString::fromUtf8("БраузерÄ");
        QTest::newRow("two copies from different folders: the one listed last")
            << QStringList{"first/QuorvelTwin", "second/QuorvelTwin"} << "quorveltwin"
            << "younger";
        // A browser updated in place keeps running from a file that is gone.
        QTest::newRow("executable deleted while running: its path, without the mark")
            << QStringList{"QuorvelGone-"} << "quorvelgone"
            << "QuorvelGone";
    }

    void runningCopiesAreListed() {
        QFETCH(QStringList, copies);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        RunningCopies running;
        qint64 youngest = 0;
        QString youngestCopy;
        for (QString copy : copies) {
            const bool remove = copy.endsWith('-');
            copy.chop(remove ? 1 : 0);
            const QString path = CanonicalPath(dir) + "/" + copy;
            const qint64 id = running.Start(path);
            QVERIFY(id > 0);
            QVERIFY(!remove || QFile::remove(path));
            if (id > youngest) {
                youngest = id;
                youngestCopy = copy;
            }
        }
        if (expected == "younger") {
            expected = youngestCopy;
        }
        const auto processes =
            GetCurrentProcessMap([](const QString& name) { return !name.isEmpty(); });
        QVERIFY2(processes.count(key) == 1, qPrintable(key));
        QCOMPARE(processes.at(key), CanonicalPath(dir) + "/" + expected);
    }

    void filterSeesLowerCaseNamesAndDecides() {
        QTemporaryDir dir;
        const QString wanted = CanonicalPath(dir) + "/QuorvelWanted";
        RunningCopies running;
        QVERIFY(running.Start(wanted) > 0);
        QVERIFY(running.Start(CanonicalPath(dir) + "/QuorvelOther") > 0);

        QStringList seen;
        const auto processes = GetCurrentProcessMap([&](const QString& name) {
            seen << name;
            return name == "quorvelwanted";
        });
        QCOMPARE(processes.size(), size_t(1));
        QCOMPARE(processes.at("quorvelwanted"), wanted);
        const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QVERIFY(seen.contains("quorvelother") && seen.contains(self.toLower()));
        for (const QString& name : seen) {
            QCOMPARE(name, name.toLower());
        }
        QVERIFY_EXCEPTION_THROWN(GetCurrentProcessMap(std::function<bool(const QString&)>()),
                                 std::bad_function_call);
    }
};

QUORVEL_TEST_MAIN(TestProcessMap)
#include "tst_ProcessMap.moc"
