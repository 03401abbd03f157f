#include <Quorvel/App/Application/Browser/ProcessMap.h>

#include "BrowserTestSupport.h"

#include <QtTest>

using Quorvel::App::GetCurrentProcessMap;
using namespace BrowserTestSupport;

class TestProcessMap : public QObject {
    Q_OBJECT

private slots:
    // Copies of the sleeping helper run under the names given ("-": file deleted once it runs).
    // `expected` is the copy the key maps to; "" for the youngest, as the system lists
    // processes by ascending id.
    void runningCopiesAreListed_data() {
        QTest::addColumn<QStringList>("copies");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* tag, const QStringList& copies, const QString& key,
                            const QString& expected) {
            QTest::newRow(tag) << copies << key << expected;
        };
        row("capitals, under the lower-case name, spelled as reported", {"Bin/QuorvelBrowser"},
            "quorvelbrowser", "Bin/QuorvelBrowser");
        row("non-ASCII capitals and a blank", {QString::fromUtf8("Браузер Ä")},
            QString::fromUtf8("браузер ä"), QString::fromUtf8("Браузер Ä"));
        row("two copies from different folders: the one listed last",
            {"first/QuorvelTwin", "second/QuorvelTwin"}, "quorveltwin", "");
        // A browser updated in place keeps running from a file that is gone.
        row("executable deleted while running: its path, without the mark", {"QuorvelGone-"},
            "quorvelgone", "QuorvelGone");
    }
    void runningCopiesAreListed() {
        QFETCH(QStringList, copies);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        RunningCopies running;
        qint64 youngest = 0;
        for (QString copy : copies) {
            const bool remove = copy.endsWith('-');
            copy.chop(remove ? 1 : 0);
            const QString path = CanonicalPath(dir) + "/" + copy;
            const qint64 id = running.Start(path);
            QVERIFY(id > 0);
            QVERIFY(!remove || QFile::remove(path));
            if (id > youngest && copies.size() > 1) {
                youngest = id;
                expected = copy;
            }
        }
        // The filter is offered every process by its lower-case name and decides alone.
        QStringList seen;
        const auto processes = GetCurrentProcessMap([&](const QString& name) {
            seen << name;
            return name == key;
        });
        QCOMPARE(processes.size(), size_t(1));
        QCOMPARE(processes.at(key), CanonicalPath(dir) + "/" + expected);
        const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QVERIFY(seen.contains(self.toLower()));
        for (const QString& name : seen) {
            QCOMPARE(name, name.toLower());
        }
    }
};

QUORVEL_TEST_MAIN(TestProcessMap)
#include "tst_ProcessMap.moc"
