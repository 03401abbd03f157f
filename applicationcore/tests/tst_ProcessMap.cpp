#include <Quorvel/App/Application/Browser/ProcessMap.h>

#include "BrowserTestSupport.h"

using namespace BrowserTestSupport;

class TestProcessMap : public QObject {
    Q_OBJECT

private slots:
    // Every process is offered to the filter by its lower-case name, and the filter alone
    // decides; a key maps to the path as the system spells it, of the youngest copy (listed
    // last); a copy whose file was deleted while running keeps its path, without the mark.
    void runningCopiesAreListed() {
        QTemporaryDir dir;
        const QString root = CanonicalPath(dir) + "/";
        RunningCopies running;
        qint64 ids[2] = {};
        for (const char* copy : {"Bin/QuorvelBrowser", "Браузер Ä", "QuorvelGone-"}) {
            QVERIFY(running.Start(root + copy) > 0);
        }
        for (int i = 0; i < 2; ++i) {
            QVERIFY((ids[i] = running.Start(root + QString::number(i) + "/QuorvelTwin")) > 0);
        }
        QStringList seen;
        const QStringList keys{"quorvelbrowser", "браузер ä", "quorvelgone", "quorveltwin"};
        const auto processes = Quorvel::App::GetCurrentProcessMap([&](const QString& name) {
            seen << name;
            return keys.contains(name);
        });
        QCOMPARE(processes.size(), size_t(4));
        QCOMPARE(processes.at("quorvelbrowser"), root + "Bin/QuorvelBrowser");
        QCOMPARE(processes.at("браузер ä"), root + "Браузер Ä");
        QCOMPARE(processes.at("quorvelgone"), root + "QuorvelGone");
        QCOMPARE(processes.at("quorveltwin"),
                 root + (ids[1] > ids[0] ? "1" : "0") + "/QuorvelTwin");
        QVERIFY(seen.contains(QCoreApplication::applicationName().toLower()));
        for (const QString& name : seen) {
            QCOMPARE(name, name.toLower());
        }
    }
};

QUORVEL_TEST_MAIN(TestProcessMap)
#include "tst_ProcessMap.moc"
