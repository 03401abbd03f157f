#include <Quorvel/Core/EventHandlerList.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <thread>

#ifdef __linux__
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

struct IProbe {
    virtual ~IProbe() = default;
    virtual void OnPing(int value) = 0;
};

// Appends its name and the value to a shared journal ("a1"), then runs its reaction.
struct Probe : IProbe {
    Probe(char name, QString* journal) : name(name), journal(journal) {}
    void OnPing(int value) override {
        *journal += name + QString::number(value);
        reaction(value);
    }
    QChar name;
    QString* journal;
    std::function<void(int)> reaction = [](int) {};
};

// Probes a..d sharing one journal; +x registers, -x unregisters, _ is null.
struct Fixture {
    QString journal;
    Probe probes[4] = {{'a', &journal}, {'b', &journal}, {'c', &journal}, {'d', &journal}};
    Quorvel::Core::EventHandlerList<IProbe> list;
    explicit Fixture(const QString& steps = "+a+b+c") {
        for (int i = 0; i + 1 < steps.size(); i += 2) {
            steps[i] == '+' ? list.RegisterEventHandler(At(steps[i + 1]))
                            : list.UnregisterEventHandler(At(steps[i + 1]));
        }
    }
    Probe* At(QChar name) { return name == '_' ? nullptr : &probes[name.unicode() - 'a']; }
};

}  // namespace

class TestEventHandlerList : public QObject {
    Q_OBJECT

private slots:
    void registration_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        QTest::newRow("in order, once, null and unknown ignored")
            << "+c+a+_+a-_-d+b" << QString("c7a7b7");
        QTest::newRow("registered again moves to the end") << "+a+b-a+a" << QString("b7a7");
    }
    void registration() {
        QFETCH(QString, steps);
        Fixture f(steps);
        f.list.Notify(&IProbe::OnPing, 7);
        QTEST(f.journal, "expected");
    }

    // What an observer does while being notified (x is the actor, the target, what it does)
    // takes effect from the next notification.
    void changesDuringNotification_data() {
        QTest::addColumn<QString>("reaction");
        QTest::addColumn<QString>("expected");
        QTest::newRow("registers") << "ad+" << QString("a1b1c1a2b2c2d2");
        QTest::newRow("unregisters the next one") << "ab-" << QString("a1b1c1a2c2");
        QTest::newRow("unregisters itself") << "bb-" << QString("a1b1c1a2c2");
        QTest::newRow("unregisters an earlier one") << "ca-" << QString("a1b1c1b2c2");
        QTest::newRow("notifies again") << "aa!" << QString("a1a2b2c2b1c1a2b2c2");
    }
    void changesDuringNotification() {
        QFETCH(QString, reaction);
        Fixture f;
        f.At(reaction[0])->reaction = [&f, target = f.At(reaction[1]), what = reaction[2]](int v) {
            if (v != 1) {
                return;
            }
            what == '+'   ? f.list.RegisterEventHandler(target)
            : what == '-' ? f.list.UnregisterEventHandler(target)
                          : f.list.Notify(&IProbe::OnPing, 2);
        };
        f.list.Notify(&IProbe::OnPing, 1);
        f.list.Notify(&IProbe::OnPing, 2);
        QTEST(f.journal, "expected");
    }

    // The exception ends the notification and releases both locks; arguments are copied, so a
    // later observer hears the value even when an earlier one changes the caller's variable.
    void throwingObserverAndCopiedArguments() {
        Fixture f;
        f.probes[1].reaction = [](int value) {
            if (value == 1) {
                throw std::runtime_error("refused");
            }
        };
        QVERIFY_EXCEPTION_THROWN(f.list.Notify(&IProbe::OnPing, 1), std::runtime_error);
        std::thread([&] {
            f.list.RegisterEventHandler(f.At('d'));
            f.list.Notify(&IProbe::OnPing, 2);
        }).join();
        int value = 5;
        f.probes[0].reaction = [&](int) { value = 6; };
        f.list.Notify(&IProbe::OnPing, value);
        QCOMPARE(f.journal, QString("a1b1a2b2c2d2a5b5c5d5"));
    }

    void secondThreadWaitsForRunningNotification() {
#ifndef __linux__
        QSKIP("Needs /proc to see that the second thread is blocked");
#else
        Fixture f("+a+b");
        std::atomic<long> tid{0};
        std::atomic<bool> secondCalled{false};
        std::thread second;
        // Whether the thread sleeps in the kernel, that is, waits for a lock it cannot take.
        const auto sleeping = [&tid] {
            const QByteArray text =
                Quorvel::TestSupport::ReadFile(QString("/proc/self/task/%1/stat").arg(tid));
            return text.mid(text.lastIndexOf(')') + 2, 1) == "S";
        };
        f.probes[0].reaction = [&](int value) {
            if (value != 1) {
                secondCalled = true;
                return;
            }
            second = std::thread([&] {
                tid = ::syscall(SYS_gettid);
                f.list.Notify(&IProbe::OnPing, 2);
            });
            // Stay until the second thread sleeps on the lock or, were it missing, got through.
            QDeadlineTimer safetyNet(60000);
            while (!safetyNet.hasExpired() && !secondCalled && !(tid && sleeping())) {
                std::this_thread::yield();
            }
        };
        f.list.Notify(&IProbe::OnPing, 1);
        second.join();
        QCOMPARE(f.journal, QString("a1b1a2b2"));
#endif
    }
};

QUORVEL_TEST_MAIN(TestEventHandlerList)
#include "tst_EventHandlerList.moc"
