#include <Quorvel/TestSupport/TestEnvironment.h>

#include <csignal>

// Quit signals sent to a real process go through its lifetime observers, and the process ends
// normally, not as glog's failure handler would end it.
class TestQuitSignalHandler : public QObject {
    Q_OBJECT

private slots:
    void signalsQuitThroughTheObservers_data() {
        QTest::addColumn<QList<int>>("sent");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("waits");  // what the output shows after each signal
        QTest::addColumn<int>("asked");
        QTest::newRow("SIGTERM") << QList<int>{SIGTERM} << "" << QStringList{"quit"} << 1;
        QTest::newRow("SIGHUP") << QList<int>{SIGHUP} << "" << QStringList{"quit"} << 1;
        QTest::newRow("refused, then asked again")
            << QList<int>{SIGTERM, SIGTERM} << "refuse-once" << QStringList{"refused", "quit"} << 2;
        QTest::newRow("a second signal while the question is open")
            << QList<int>{SIGTERM, SIGINT} << "hold" << QStringList{"asked", "SIGINT"} << 1;
    }
    void signalsQuitThroughTheObservers() {
        QFETCH(QList<int>, sent);
        QFETCH(QString, mode);
        QFETCH(QStringList, waits);
        QFETCH(int, asked);
        QProcess probe;
        probe.setProcessChannelMode(QProcess::MergedChannels);
        QString output;
        connect(&probe, &QProcess::readyRead, this,
                [&] { output += QString::fromUtf8(probe.readAll()); });
        probe.start(Quorvel::TestSupport::HelperProgram("quit_signal_probe"), {mode});
        QTRY_VERIFY_WITH_TIMEOUT(output.contains("started"), 30000);
        for (int i = 0; i < sent.size(); ++i) {
            ::kill(pid_t(probe.processId()), sent[i]);
            QTRY_VERIFY2_WITH_TIMEOUT(output.contains(waits[i]), qPrintable(output), 30000);
        }
        if (mode == "hold") {
            probe.write("answer\n");  // the open question is answered
        }
        QTRY_COMPARE_WITH_TIMEOUT(probe.state(), QProcess::NotRunning, 30000);
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QCOMPARE(probe.exitCode(), 0);
        QCOMPARE(output.count("asked\n"), asked);
        QCOMPARE(output.count("quit\n"), 1);
        QVERIFY2(output.contains(QTest::currentDataTag()) || mode != "",
                 qPrintable(output));  // the log names the signal
    }
};

QUORVEL_TEST_MAIN(TestQuitSignalHandler)
#include "tst_QuitSignalHandler.moc"
