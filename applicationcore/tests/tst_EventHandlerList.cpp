#include <Quorvel/Core/EventHandlerList.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>

#ifdef __linux__
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

class IProbe {
public:
    virtual ~IProbe() = default;
    virtual void OnPing(int value) = 0;
};

// Appends its name and the value to a shared journal ("a1"), then runs its reaction.
class Probe : public IProbe {
public:
    Probe(char name, QString* journal) : m_name(name), m_journal(journal) {}
    void OnPing(int value) override {
        *m_journal += m_name + QString::number(value);
        if (reaction) {
            reaction(value);
        }
    }
    std::function<void(int)> reaction;

private:
    QChar m_name;
    QString* m_journal;
};

// Probes a..d sharing one journal, and a list holding those named in `registered`.
struct Fixture {
    QString journal;
    Probe a{'a', &journal}, b{'b', &journal}, c{'c', &journal}, d{'d', &journal};
    Quorvel::Core::EventHandlerList<IProbe> list;
    explicit Fixture(const QString& registered = "abc") {
        for (QChar name : registered) {
            list.RegisterEventHandler(ByName(name));
        }
    }
    Probe* ByName(QChar name) {
        Probe* probes[] = {&a, &b, &c, &d};
        return name == '_' ? nullptr : probes[name.unicode() - 'a'];
    }
};

#ifdef __linux__
// Whether the thread sleeps in the kernel, that is, waits for a lock it cannot take.
bool ThreadIsSleeping(long tid) {
    QFile stat(QString("/proc/self/task/%1/stat").arg(tid));
    const QByteArray content = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
    return content.mid(content.lastIndexOf(')') + 2, 1) == "S";
}
#endif

}  // namespace

class TestEventHandlerList : public QObject {
    Q_OBJECT

private slots:
    void registration_data() {
        QTest::addColumn<QStringList>("steps");  // +x registers, -x unregisters; _ is null
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QStringList{} << "";
        QTest::newRow("order of registration") << QStringList{"+c", "+a", "+b"} << "c7a7b7";
        QTest::newRow("twice is once") << QStringList{"+a", "+b", "+a"} << "a7b7";
        QTest::newRow("null changes nothing") << QStringList{"+a", "+_", "-_", "+b"} << "a7b7";
        QTest::newRow("unknown unregistration ignored") << QStringList{"+a", "-c"} << "a7";
        QTest::newRow("registered again moves to the end")
            << QStringList{"+a", "+b", "+c", "-a", "+a"} << "b7c7a7";
    }

    void registration() {
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);

        Fixture f("");
        for (const QString& step : steps) {
            step[0] == '+' ? f.list.RegisterEventHandler(f.ByName(step[1]))
                           : f.list.UnregisterEventHandler(f.ByName(step[1]));
        }
        f.list.Notify(&IProbe::OnPing, 7);
        QCOMPARE(f.journal, expected);
    }

    // What an observer does while being notified takes effect from the next notification.
    void changesDuringNotification_data() {
        QTest::addColumn<QString>("reaction");      // actor, action, target
        QTest::addColumn<QStringList>("journals");  // of the first and the second notification
        QTest::newRow("registers a new one")
            << "a registers d" << QStringList{"a1b1c1", "a2b2c2d2"};
        QTest::newRow("unregisters the next one")
            << "a unregisters b" << QStringList{"a1b1c1", "a2c2"};
        QTest::newRow("unregisters itself") << "b unregisters b" << QStringList{"a1b1c1", "a2c2"};
        QTest::newRow("unregisters an earlier one")
            << "c unregisters a" << QStringList{"a1b1c1", "b2c2"};
        QTest::newRow("notifies again") << "a notifies a" << QStringList{"a1a2b2c2b1c1", "a2b2c2"};
    }

    void changesDuringNotification() {
        QFETCH(QString, reaction);
        QFETCH(QStringList, journals);

        Fixture f;
        const QStringList words = reaction.split(' ');
        f.ByName(words[0][0])->reaction = [&, action = words[1],
                                           target = f.ByName(words[2][0])](int value) {
            if (value != 1) {
                return;
            }
            if (action == "registers") {
                f.list.RegisterEventHandler(target);
            } else if (action == "unregisters") {
                f.list.UnregisterEventHandler(target);
            } else {
                f.list.Notify(&IProbe::OnPing, 2);
            }
        };
        f.list.Notify(&IProbe::OnPing, 1);
        f.list.Notify(&IProbe::OnPing, 2);
        QCOMPARE(f.journal, journals.join(""));
    }

    void throwingObserverEndsNotification() {
        Fixture f;
        f.b.reaction = [](int value) {
            if (value == 1) {
                throw std::runtime_error("refused");
            }
        };
        QVERIFY_EXCEPTION_THROWN(f.list.Notify(&IProbe::OnPing, 1), std::runtime_error);
        QCOMPARE(f.journal, QString("a1b1"));

        // Both locks were released: another thread can register and notify.
        std::thread([&] {
            f.list.RegisterEventHandler(&f.d);
            f.list.Notify(&IProbe::OnPing, 2);
        }).join();
        QCOMPARE(f.journal, QString("a1b1a2b2c2d2"));
    }

    // Later observers hear the same value even when an earlier one changes the caller's variable.
    void argumentsAreCopied() {
        Fixture f("ab");
        int value = 5;
        f.a.reaction = [&](int) { value = 6; };
        f.list.Notify(&IProbe::OnPing, value);
        QCOMPARE(f.journal, QString("a5b5"));
    }

    void secondThreadWaitsForRunningNotification() {
#ifndef __linux__
        QSKIP("Needs /proc to see that the second thread is blocked");
#else
        Fixture f("ab");
        std::atomic<long> tid{0};
        std::atomic<bool> secondCalled{false};
        std::thread second;
        f.a.reaction = [&](int value) {
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
            while (!safetyNet.hasExpired() && !secondCalled && !(tid && ThreadIsSleeping(tid))) {
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
