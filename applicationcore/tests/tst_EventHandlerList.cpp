#include <Quorvel/Core/EventHandlerList.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

#include <condition_variable>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#ifdef __linux__
#include <sys/syscall.h>
#include <unistd.h>
#endif

using Quorvel::Core::EventHandlerList;

namespace {

class IProbe {
public:
    virtual ~IProbe() = default;
    virtual void OnPing(int value) = 0;
    virtual void OnShared(const std::shared_ptr<int>& value) = 0;
};

using ProbeList = EventHandlerList<IProbe>;

// Records every call in a shared journal and runs an optional reaction afterwards.
class Probe : public IProbe {
public:
    Probe(std::string name, std::vector<std::string>* journal)
        : m_name(std::move(name)), m_journal(journal) {}

    void OnPing(int value) override {
        m_journal->push_back(m_name + ":" + std::to_string(value));
        if (m_reaction) {
            m_reaction(value);
        }
    }
    void OnShared(const std::shared_ptr<int>& value) override {
        m_journal->push_back(m_name + ":" + (value ? std::to_string(*value) : "null"));
        if (m_sharedReaction) {
            m_sharedReaction();
        }
    }

    std::function<void(int)> m_reaction;
    std::function<void()> m_sharedReaction;

private:
    std::string m_name;
    std::vector<std::string>* m_journal;
};

using Journal = std::vector<std::string>;

// Which probes a list is told about, by index into a fixed set of three; -1 is a null pointer.
struct Step {
    bool registering;
    int probe;
};

class Latch {
public:
    void Open() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_open = true;
        }
        m_condition.notify_all();
    }
    bool WaitFor(std::chrono::seconds safetyNet) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_condition.wait_for(lock, safetyNet, [this] { return m_open; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_open = false;
};

#ifdef __linux__
// Whether the thread sleeps in the kernel, that is, waits for a lock it cannot take.
bool ThreadIsSleeping(long tid) {
    std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
    std::string content((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = content.rfind(')');
    return close != std::string::npos && close + 2 < content.size() && content[close + 2] == 'S';
}
#endif

}  // namespace

Q_DECLARE_METATYPE(std::vector<Step>)

class TestEventHandlerList : public QObject {
    Q_OBJECT

private slots:
    void registration_data() {
        QTest::addColumn<std::vector<Step>>("steps");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("none") << std::vector<Step>{} << QStringList{};
        QTest::newRow("order of registration")
            << std::vector<Step>{{true, 2}, {true, 0}, {true, 1}} << QStringList{"c", "a", "b"};
        QTest::newRow("twice is once")
            << std::vector<Step>{{true, 0}, {true, 1}, {true, 0}} << QStringList{"a", "b"};
        QTest::newRow("null changes nothing")
            << std::vector<Step>{{true, 0}, {true, -1}, {false, -1}, {true, 1}}
            << QStringList{"a", "b"};
        QTest::newRow("unregistered")
            << std::vector<Step>{{true, 0}, {true, 1}, {false, 0}} << QStringList{"b"};
        QTest::newRow("unknown unregistration ignored")
            << std::vector<Step>{{true, 0}, {false, 2}} << QStringList{"a"};
        QTest::newRow("registered again moves to the end")
            << std::vector<Step>{{true, 0}, {true, 1}, {true, 2}, {false, 0}, {true, 0}}
            << QStringList{"b", "c", "a"};
    }

    void registration() {
        QFETCH(std::vector<Step>, steps);
        QFETCH(QStringList, expected);

        Journal journal;
        Probe a("a", &journal), b("b", &journal), c("c", &journal);
        Probe* probes[] = {&a, &b, &c};
        ProbeList list;
        for (const Step& step : steps) {
            IProbe* probe = step.probe < 0 ? nullptr : probes[step.probe];
            if (step.registering) {
                list.RegisterEventHandler(probe);
            } else {
                list.UnregisterEventHandler(probe);
            }
        }
        list.Notify(&IProbe::OnPing, 7);

        QStringList called;
        for (const std::string& entry : journal) {
            QVERIFY(QString::fromStdString(entry).endsWith(":7"));
            called << QString::fromStdString(entry).section(':', 0, 0);
        }
        QCOMPARE(called, expected);
    }

    // Changes made by observers while being notified take effect from the next notification.
    void changesDuringNotification_data() {
        QTest::addColumn<QString>("reaction");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");

        QTest::newRow("first registers a new observer")
            << "a registers d" << QStringList{"a:1", "b:1", "c:1"}
            << QStringList{"a:2", "b:2", "c:2", "d:2"};
        QTest::newRow("first unregisters a later one")
            << "a unregisters c" << QStringList{"a:1", "b:1", "c:1"} << QStringList{"a:2", "b:2"};
        QTest::newRow("an observer unregisters itself")
            << "b unregisters b" << QStringList{"a:1", "b:1", "c:1"} << QStringList{"a:2", "c:2"};
        QTest::newRow("last unregisters an earlier one")
            << "c unregisters a" << QStringList{"a:1", "b:1", "c:1"} << QStringList{"b:2", "c:2"};
    }

    void changesDuringNotification() {
        QFETCH(QString, reaction);
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);

        Journal journal;
        Probe a("a", &journal), b("b", &journal), c("c", &journal), d("d", &journal);
        std::map<QString, Probe*> byName{{"a", &a}, {"b", &b}, {"c", &c}, {"d", &d}};
        ProbeList list;
        list.RegisterEventHandler(&a);
        list.RegisterEventHandler(&b);
        list.RegisterEventHandler(&c);

        const QStringList words = reaction.split(' ');
        Probe* actor = byName[words[0]];
        Probe* target = byName[words[2]];
        const bool registers = words[1] == "registers";
        actor->m_reaction = [&, target, registers](int value) {
            if (value != 1) {
                return;
            }
            if (registers) {
                list.RegisterEventHandler(target);
            } else {
                list.UnregisterEventHandler(target);
            }
        };

        list.Notify(&IProbe::OnPing, 1);
        QCOMPARE(Names(journal), first);
        journal.clear();
        list.Notify(&IProbe::OnPing, 2);
        QCOMPARE(Names(journal), second);
    }

    void notifyFromInsideNotification() {
        Journal journal;
        Probe a("a", &journal), b("b", &journal);
        ProbeList list;
        list.RegisterEventHandler(&a);
        list.RegisterEventHandler(&b);
        a.m_reaction = [&](int value) {
            if (value == 1) {
                list.Notify(&IProbe::OnPing, 2);
            }
        };

        list.Notify(&IProbe::OnPing, 1);
        QCOMPARE(Names(journal), (QStringList{"a:1", "a:2", "b:2", "b:1"}));
    }

    void throwingObserver() {
        Journal journal;
        Probe a("a", &journal), b("b", &journal), c("c", &journal);
        ProbeList list;
        list.RegisterEventHandler(&a);
        list.RegisterEventHandler(&b);
        list.RegisterEventHandler(&c);
        b.m_reaction = [](int value) {
            if (value == 1) {
                throw std::runtime_error("refused");
            }
        };

        QVERIFY_EXCEPTION_THROWN(list.Notify(&IProbe::OnPing, 1), std::runtime_error);
        QCOMPARE(Names(journal), (QStringList{"a:1", "b:1"}));

        // Both locks were released: another thread can register and notify.
        journal.clear();
        Probe d("d", &journal);
        std::thread other([&] {
            list.RegisterEventHandler(&d);
            list.Notify(&IProbe::OnPing, 2);
        });
        other.join();
        QCOMPARE(Names(journal), (QStringList{"a:2", "b:2", "c:2", "d:2"}));
    }

    // Every observer of one notification hears the same value, even when an earlier observer
    // changes the variable the caller handed in.
    void argumentsAreCopied() {
        Journal journal;
        Probe a("a", &journal), b("b", &journal);
        ProbeList list;
        list.RegisterEventHandler(&a);
        list.RegisterEventHandler(&b);
        auto value = std::make_shared<int>(5);
        a.m_sharedReaction = [&] { value.reset(); };

        list.Notify(&IProbe::OnShared, value);
        QCOMPARE(Names(journal), (QStringList{"a:5", "b:5"}));
    }

    // A second thread that notifies waits until the running notification has finished.
    void secondThreadWaits() {
#ifndef __linux__
        QSKIP("Needs /proc to see that the second thread is blocked");
#else
        std::mutex journalMutex;
        bool firstFinished = false;
        bool secondSawFirstRunning = false;

        class Recorder : public IProbe {
        public:
            std::function<void(int)> onPing;
            void OnPing(int value) override { onPing(value); }
            void OnShared(const std::shared_ptr<int>&) override {}
        };
        Recorder first, last;
        ProbeList list;
        list.RegisterEventHandler(&first);
        list.RegisterEventHandler(&last);

        Latch secondAboutToNotify;
        long secondTid = 0;
        std::unique_ptr<std::thread> second;
        bool secondRan = false;

        first.onPing = [&](int value) {
            if (value != 1) {
                std::lock_guard<std::mutex> lock(journalMutex);
                secondRan = true;
                secondSawFirstRunning = !firstFinished;
                return;
            }
            second = std::make_unique<std::thread>([&] {
                secondTid = ::syscall(SYS_gettid);
                secondAboutToNotify.Open();
                list.Notify(&IProbe::OnPing, 2);
            });
            QVERIFY(secondAboutToNotify.WaitFor(std::chrono::seconds(60)));
            // Stay in this notification until the second thread is blocked, or (were the
            // lock missing) has already called an observer.
            QDeadlineTimer safetyNet(60000);
            while (!safetyNet.hasExpired()) {
                {
                    std::lock_guard<std::mutex> lock(journalMutex);
                    if (secondRan) {
                        break;
                    }
                }
                if (ThreadIsSleeping(secondTid)) {
                    break;
                }
                std::this_thread::yield();
            }
        };
        last.onPing = [&](int value) {
            if (value == 1) {
                std::lock_guard<std::mutex> lock(journalMutex);
                firstFinished = true;
            }
        };

        list.Notify(&IProbe::OnPing, 1);
        QVERIFY(second);
        second->join();
        QVERIFY(secondRan);
        QVERIFY(!secondSawFirstRunning);
#endif
    }

private:
    static QStringList Names(const Journal& journal) {
        QStringList names;
        for (const std::string& entry : journal) {
            names << QString::fromStdString(entry);
        }
        return names;
    }
};

QUORVEL_TEST_MAIN(TestEventHandlerList)
#include "tst_EventHandlerList.moc"
