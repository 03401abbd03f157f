#include <Quorvel/ExternalStimulus/DirectCallGateway.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

class TestDirectCallGateway : public QObject {
    Q_OBJECT

private slots:
    // The action runs before Send returns; nothing is held back, an empty action is accepted.
    void runsAtOnce() {
        Quorvel::ExternalStimulus::DirectCallGateway gateway;
        gateway.Send({"EMAIL_DIALOG", {}});
        int runs = 0;
        gateway.Send({"THANK_FOR_INSTALL", [&] { ++runs; }});
        QCOMPARE(runs, 1);
        QVERIFY(!gateway.IsHolding());
        gateway.Flush();
        QCOMPARE(runs, 1);
        QVERIFY_EXCEPTION_THROWN(gateway.Send({"", [] { throw std::runtime_error("failed"); }}),
                                 std::runtime_error);
    }
};

QUORVEL_TEST_MAIN(TestDirectCallGateway)
#include "tst_DirectCallGateway.moc"
