#include <Quorvel/ExternalStimulus/DirectCallGateway.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

#include <stdexcept>
#include <thread>

using Quorvel::ExternalStimulus::IGateway;

class TestDirectCallGateway : public QObject {
    Q_OBJECT

private slots:
    // The action runs before Send returns, on the calling thread; nothing is held back.
    void runsAtOnce() {
        Quorvel::ExternalStimulus::DirectCallGateway direct;
        IGateway& gateway = direct;
        gateway.Send({"EMAIL_DIALOG", {}});  // an empty action is accepted
        int runs = 0;
        std::thread::id ranOn;
        gateway.Send({"THANK_FOR_INSTALL", [&] {
                          ++runs;
                          ranOn = std::this_thread::get_id();
                      }});
        QCOMPARE(runs, 1);
        QCOMPARE(ranOn, std::this_thread::get_id());

        QVERIFY(!gateway.IsHolding());
        gateway.Flush();
        QCOMPARE(runs, 1);
        QVERIFY_EXCEPTION_THROWN(gateway.Send({"", [] { throw std::runtime_error("failed"); }}),
                                 std::runtime_error);
    }
};

QUORVEL_TEST_MAIN(TestDirectCallGateway)
#include "tst_DirectCallGateway.moc"
