#include "helpers/context_probe.h"

#include <Quorvel/App/Application/ITopManager.h>
#include <Quorvel/App/Application/TopManagerObserver.h>
#include <Quorvel/ExternalStimulus/DirectCallGateway.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

using Quorvel::App::IHardwareInfo;
using Quorvel::App::IInternetConnectionChecker;
using Quorvel::App::ITopManager;
using Quorvel::ExternalStimulus::DirectCallGateway;
using Quorvel::ExternalStimulus::IGateway;

namespace {

class TestContext : public ITopManager {};

class FakeHardware : public IHardwareInfo {
public:
    explicit FakeHardware(std::string text) : m_text(std::move(text)) {}
    std::string GetHardwareText() const override { return m_text; }

private:
    std::string m_text;
};

class FakeChecker : public IInternetConnectionChecker {
public:
    bool IsConnected() const override { return true; }
};

struct Change {
    std::string observer;
    std::string newValue;  // the hardware text, or "-" for an empty pointer
    std::string oldValue;
    bool operator==(const Change& other) const {
        return observer == other.observer && newValue == other.newValue &&
               oldValue == other.oldValue;
    }
};

std::string TextOf(const std::shared_ptr<IHardwareInfo>& value) {
    return value ? value->GetHardwareText() : "-";
}

// Watches the hardware information and the connection checker; other types stay empty.
class Watcher : public Quorvel::App::TopManagerObserver {
public:
    Watcher(std::string name, std::vector<Change>* changes)
        : m_name(std::move(name)), m_changes(changes) {}

    using TopManagerObserver::OnServiceChanged;
    void OnServiceChanged(const std::shared_ptr<IHardwareInfo>& newValue,
                          const std::shared_ptr<IHardwareInfo>& oldValue) override {
        m_changes->push_back({m_name, TextOf(newValue), TextOf(oldValue)});
        if (onHardware) {
            onHardware();
        }
    }
    void OnServiceChanged(const std::shared_ptr<IInternetConnectionChecker>& newValue,
                          const std::shared_ptr<IInternetConnectionChecker>&) override {
        m_changes->push_back({m_name, newValue ? "checker" : "-", "checker?"});
    }

    std::function<void()> onHardware;

private:
    std::string m_name;
    std::vector<Change>* m_changes;
};

using Changes = std::vector<Change>;

}  // namespace

Q_DECLARE_METATYPE(Changes)

namespace QTest {
template <>
char* toString(const Changes& changes) {
    QByteArray text;
    for (const Change& change : changes) {
        text += QByteArray::fromStdString("[" + change.observer + " " + change.newValue + " <- " +
                                          change.oldValue + "] ");
    }
    return qstrdup(text.constData());
}
}  // namespace QTest

class TestApplicationContext : public QObject {
    Q_OBJECT

private slots:
    void neverSetIsEmpty() {
        TestContext context;
        QVERIFY(!context.Get<IHardwareInfo>());
        QVERIFY(!context.Get<Quorvel::App::ILifetimeManager>());
    }

    // The sequences of Set calls below use three hardware objects "x", "y" and "" (empty).
    void setAndNotify_data() {
        QTest::addColumn<QStringList>("sets");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<Changes>("expected");

        QTest::newRow("first value")
            << QStringList{"x"} << "x" << Changes{{"a", "x", "-"}, {"b", "x", "-"}};
        QTest::newRow("replacement: new then old, in registration order")
            << QStringList{"x", "y"} << "y"
            << Changes{{"a", "x", "-"}, {"b", "x", "-"}, {"a", "y", "x"}, {"b", "y", "x"}};
        QTest::newRow("same pointer again notifies nobody")
            << QStringList{"x", "x"} << "x" << Changes{{"a", "x", "-"}, {"b", "x", "-"}};
        QTest::newRow("empty over never set does nothing") << QStringList{""} << "-" << Changes{};
        QTest::newRow("empty over stored: empty new value, old service")
            << QStringList{"x", ""} << "-"
            << Changes{{"a", "x", "-"}, {"b", "x", "-"}, {"a", "-", "x"}, {"b", "-", "x"}};
        QTest::newRow("empty twice notifies once")
            << QStringList{"x", "", ""} << "-"
            << Changes{{"a", "x", "-"}, {"b", "x", "-"}, {"a", "-", "x"}, {"b", "-", "x"}};
        QTest::newRow("stored again after empty")
            << QStringList{"x", "", "y"} << "y"
            << Changes{{"a", "x", "-"}, {"b", "x", "-"}, {"a", "-", "x"},
                       {"b", "-", "x"}, {"a", "y", "-"}, {"b", "y", "-"}};
    }

    void setAndNotify() {
        QFETCH(QStringList, sets);
        QFETCH(QString, stored);
        QFETCH(Changes, expected);

        std::map<QString, std::shared_ptr<IHardwareInfo>> values{
            {"x", std::make_shared<FakeHardware>("x")},
            {"y", std::make_shared<FakeHardware>("y")},
            {"", nullptr}};
        Changes changes;
        Watcher a("a", &changes), b("b", &changes);
        TestContext context;
        context.RegisterEventHandler(&a);
        context.RegisterEventHandler(&b);
        context.RegisterEventHandler(&a);  // twice is once

        for (const QString& name : sets) {
            context.Set<IHardwareInfo>(values[name]);
        }

        QCOMPARE(changes, expected);
        QCOMPARE(QString::fromStdString(TextOf(context.Get<IHardwareInfo>())), stored);
        if (!stored.startsWith('-')) {
            QCOMPARE(context.Get<IHardwareInfo>(), values[stored]);
        }
        context.UnregisterEventHandler(&a);
        context.UnregisterEventHandler(&b);
    }

    void typesAreKeptApart() {
        TestContext context;
        auto hardware = std::make_shared<FakeHardware>("x");
        auto checker = std::make_shared<FakeChecker>();
        context.Set<IHardwareInfo>(hardware);
        context.Set<IInternetConnectionChecker>(checker);
        context.Set<IHardwareInfo>(nullptr);

        QCOMPARE(context.Get<IInternetConnectionChecker>(), checker);
        QVERIFY(!context.Get<IHardwareInfo>());
        QVERIFY(!context.Get<IGateway>());
    }

    // Inside OnServiceChanged an observer may store another type, and unregister itself.
    void observerActsDuringChange() {
        Changes changes;
        Watcher a("a", &changes), b("b", &changes);
        TestContext context;
        context.RegisterEventHandler(&a);
        context.RegisterEventHandler(&b);
        auto checker = std::make_shared<FakeChecker>();
        a.onHardware = [&] {
            context.UnregisterEventHandler(&a);
            context.Set<IInternetConnectionChecker>(checker);
        };

        context.Set<IHardwareInfo>(std::make_shared<FakeHardware>("x"));
        // b hears of the checker (a nested change) before it hears of the hardware, and a, gone
        // by then, is not told of the checker.
        QCOMPARE(changes,
                 (Changes{{"a", "x", "-"}, {"b", "checker", "checker?"}, {"b", "x", "-"}}));
        QCOMPARE(context.Get<IInternetConnectionChecker>(), checker);

        changes.clear();
        context.Set<IHardwareInfo>(std::make_shared<FakeHardware>("y"));
        QCOMPARE(changes, (Changes{{"b", "y", "x"}}));
        context.UnregisterEventHandler(&b);
    }

    void observerExceptionReachesSetter() {
        Changes changes;
        Watcher a("a", &changes), b("b", &changes);
        TestContext context;
        context.RegisterEventHandler(&a);
        context.RegisterEventHandler(&b);
        a.onHardware = [] { throw std::runtime_error("no"); };
        auto hardware = std::make_shared<FakeHardware>("x");

        QVERIFY_EXCEPTION_THROWN(context.Set<IHardwareInfo>(hardware), std::runtime_error);
        // Stored before the observers heard of it; b was not reached.
        QCOMPARE(context.Get<IHardwareInfo>(), std::shared_ptr<IHardwareInfo>(hardware));
        QCOMPARE(changes, (Changes{{"a", "x", "-"}}));
    }

    // A service stored by code in another shared object is found here, and the reverse.
    void acrossSharedObjects() {
        TestContext context;
        const std::shared_ptr<IGateway> stored = ContextProbe::StoreGateway(context);
        QVERIFY(stored);
        QCOMPARE(context.Get<IGateway>(), stored);
        QVERIFY(dynamic_cast<DirectCallGateway*>(context.Get<IGateway>().get()));

        auto hardware = std::make_shared<FakeHardware>("here");
        context.Set<IHardwareInfo>(hardware);
        QCOMPARE(ContextProbe::FindHardwareInfo(context), std::shared_ptr<IHardwareInfo>(hardware));
    }
};

QUORVEL_TEST_MAIN(TestApplicationContext)
#include "tst_ApplicationContext.moc"
