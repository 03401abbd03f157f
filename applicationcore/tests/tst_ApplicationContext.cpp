#include "helpers/context_probe.h"

#include <Quorvel/App/Application/ITopManager.h>
#include <Quorvel/App/Application/TopManagerObserver.h>
#include <Quorvel/ExternalStimulus/DirectCallGateway.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

#include <functional>
#include <map>
#include <stdexcept>

using Quorvel::App::IHardwareInfo;
using Quorvel::ExternalStimulus::DirectCallGateway;
using Quorvel::ExternalStimulus::IGateway;

namespace {

class TestContext : public Quorvel::App::ITopManager {};

class FakeHardware : public IHardwareInfo {
public:
    explicit FakeHardware(std::string text) : m_text(std::move(text)) {}
    std::string GetHardwareText() const override { return m_text; }

private:
    std::string m_text;
};

QString TextOf(const std::shared_ptr<IHardwareInfo>& value) {
    return value ? QString::fromStdString(value->GetHardwareText()) : "-";
}

// Journals "<name><new><old>" for the hardware ("ayx": a heard y replace x), "<name>G" for a
// new gateway.
class Watcher : public Quorvel::App::TopManagerObserver {
public:
    Watcher(QChar name, QStringList* changes) : m_name(name), m_changes(changes) {}

    using TopManagerObserver::OnServiceChanged;
    void OnServiceChanged(const std::shared_ptr<IHardwareInfo>& newValue,
                          const std::shared_ptr<IHardwareInfo>& oldValue) override {
        *m_changes << m_name + TextOf(newValue) + TextOf(oldValue);
        if (onHardware) {
            onHardware();
        }
    }
    void OnServiceChanged(const std::shared_ptr<IGateway>&,
                          const std::shared_ptr<IGateway>&) override {
        *m_changes << m_name + QString("G");
    }
    std::function<void()> onHardware;

private:
    QChar m_name;
    QStringList* m_changes;
};

// A context watched by a and b, in that order.
struct Fixture {
    QStringList changes;
    Watcher a{'a', &changes}, b{'b', &changes};
    TestContext context;
    Fixture() {
        context.RegisterEventHandler(&a);
        context.RegisterEventHandler(&b);
        context.RegisterEventHandler(&a);  // twice is once
    }
};

}  // namespace

class TestApplicationContext : public QObject {
    Q_OBJECT

private slots:
    // Sets of the hardware objects x, y and - (empty) into a context that holds a gateway.
    void setAndNotify_data() {
        QTest::addColumn<QString>("sets");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("first value") << "x" << QStringList{"ax-", "bx-"};
        QTest::newRow("replacement: new then old, in registration order")
            << "xy" << QStringList{"ax-", "bx-", "ayx", "byx"};
        QTest::newRow("same pointer again notifies nobody") << "xx" << QStringList{"ax-", "bx-"};
        QTest::newRow("empty over never set does nothing") << "-" << QStringList{};
        QTest::newRow("empty over stored: empty new value, old service")
            << "x-" << QStringList{"ax-", "bx-", "a-x", "b-x"};
    }

    void setAndNotify() {
        QFETCH(QString, sets);
        QFETCH(QStringList, expected);

        std::map<QChar, std::shared_ptr<IHardwareInfo>> values{
            {'x', std::make_shared<FakeHardware>("x")},
            {'y', std::make_shared<FakeHardware>("y")},
            {'-', nullptr}};
        Fixture f;
        const std::shared_ptr<IGateway> gateway = std::make_shared<DirectCallGateway>();
        f.context.Set<IGateway>(gateway);  // stored first, must survive the sets
        f.changes.clear();

        for (QChar name : sets) {
            f.context.Set<IHardwareInfo>(values[name]);
        }
        QCOMPARE(f.changes, expected);
        QCOMPARE(f.context.Get<IHardwareInfo>(), values[sets.back()]);
        QCOMPARE(f.context.Get<IGateway>(), gateway);
        QVERIFY(!f.context.Get<Quorvel::App::ILinksManager>());  // never set
    }

    // Inside OnServiceChanged an observer may store another type and unregister itself.
    void observerActsDuringChange() {
        Fixture f;
        f.a.onHardware = [&] {
            f.context.UnregisterEventHandler(&f.a);
            f.context.Set<IGateway>(std::make_shared<DirectCallGateway>());
        };
        f.context.Set<IHardwareInfo>(std::make_shared<FakeHardware>("x"));
        f.context.Set<IHardwareInfo>(std::make_shared<FakeHardware>("y"));
        // b hears of the nested change first; a, gone by then, does not.
        QCOMPARE(f.changes, (QStringList{"ax-", "bG", "bx-", "byx"}));
        QVERIFY(f.context.Get<IGateway>());
    }

    void observerExceptionReachesSetter() {
        Fixture f;
        f.a.onHardware = [] { throw std::runtime_error("no"); };
        auto hardware = std::make_shared<FakeHardware>("x");
        QVERIFY_EXCEPTION_THROWN(f.context.Set<IHardwareInfo>(hardware), std::runtime_error);
        // Stored before the observers heard of it; b was not reached.
        QCOMPARE(f.context.Get<IHardwareInfo>(), std::shared_ptr<IHardwareInfo>(hardware));
        QCOMPARE(f.changes, QStringList{"ax-"});
    }

    // A service stored by code in another shared object is found here, and the reverse.
    void acrossSharedObjects() {
        TestContext context;
        const std::shared_ptr<IGateway> stored = ContextProbe::StoreGateway(context);
        QVERIFY(std::dynamic_pointer_cast<DirectCallGateway>(stored));
        QCOMPARE(context.Get<IGateway>(), stored);

        auto hardware = std::make_shared<FakeHardware>("here");
        context.Set<IHardwareInfo>(hardware);
        QCOMPARE(ContextProbe::FindHardwareInfo(context), std::shared_ptr<IHardwareInfo>(hardware));
    }
};

QUORVEL_TEST_MAIN(TestApplicationContext)
#include "tst_ApplicationContext.moc"
