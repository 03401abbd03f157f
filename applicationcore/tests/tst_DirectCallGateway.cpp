#include <Quorvel/ExternalStimulus/DirectCallGateway.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

#include <stdexcept>
#include <thread>

using Quorvel::ExternalStimulus::DirectCallGateway;
using Quorvel::ExternalStimulus::IGateway;
using Quorvel::ExternalStimulus::Stimulus;

class TestDirectCallGateway : public QObject {
    Q_OBJECT

private slots:
    void runsBeforeSendReturns_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("e-mail dialog") << "EMAIL_DIALOG";
        QTest::newRow("thank-you page") << "THANK_FOR_INSTALL";
        QTest::newRow("name not looked at") << "";
    }

    void runsBeforeSendReturns() {
        QFETCH(QString, name);
        DirectCallGateway gateway;
        IGateway& asInterface = gateway;
        int runs = 0;
        std::thread::id ranOn;

        asInterface.Send({name.toStdString(), [&] {
                              ++runs;
                              ranOn = std::this_thread::get_id();
                          }});

        QCOMPARE(runs, 1);
        QCOMPARE(ranOn, std::this_thread::get_id());
    }

    void emptyActionIsAccepted() {
        DirectCallGateway gateway;
        gateway.Send(Stimulus{"EMAIL_DIALOG", {}});
        // Still usable afterwards.
        bool ran = false;
        gateway.Send({"EMAIL_DIALOG", [&] { ran = true; }});
        QVERIFY(ran);
    }

    void exceptionsPropagate() {
        DirectCallGateway gateway;
        QVERIFY_EXCEPTION_THROWN(
            gateway.Send({"THANK_FOR_INSTALL", [] { throw std::runtime_error("failed"); }}),
            std::runtime_error);
    }

    // Nothing is ever held back, so flushing runs nothing again.
    void holdsNothing() {
        DirectCallGateway gateway;
        int runs = 0;
        gateway.Send({"EMAIL_DIALOG", [&] { ++runs; }});
        QVERIFY(!gateway.IsHolding());
        gateway.Flush();
        QCOMPARE(runs, 1);
        QVERIFY(!gateway.IsHolding());
    }
};

QUORVEL_TEST_MAIN(TestDirectCallGateway)
#include "tst_DirectCallGateway.moc"
