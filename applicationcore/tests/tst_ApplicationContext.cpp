#include "helpers/context_probe.h"

#include <Quorvel/App/Application/ITopManager.h>
#include <Quorvel/App/Application/TopManagerObserver.h>
#include <Quorvel/ExternalStimulus/DirectCallGateway.h>
#include <Quorvel/TestSupport/StandIns.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

using Hardware = Quorvel::TestSupport::FixedHardware;
using Quorvel::App::IHardwareInfo;
using Quorvel::ExternalStimulus::DirectCallGateway;
using Quorvel::ExternalStimulus::IGateway;

namespace {

struct Context : Quorvel::App::ITopManager {};

QString TextOf(const std::shared_ptr<IHardwareInfo>& value) {
    return value ? QString::fromStdString(value->GetHardwareText()) : "-";
}

// Journals "<name><new><old>" for the hardware ("ayx": a heard y replace x), "<name>G" for a
// gateway.
struct Watcher : Quorvel::App::TopManagerObserver {
    Watcher(QChar name, QStringList* changes) : name(name), changes(changes) {}
    using TopManagerObserver::OnServiceChanged;
    void OnServiceChanged(const std::shared_ptr<IHardwareInfo>& now,
                          const std::shared_ptr<IHardwareInfo>& old) override {
        *changes << name + TextOf(now) + TextOf(old);
        if (onHardware) {
            onHardware();
        }
    }
    void OnServiceChanged(const std::shared_ptr<IGateway>&,
                          const std::shared_ptr<IGateway>&) override {
        *changes << name + QString("G");
    }
    QChar name;
    QStringList* changes;
    std::function<void()> onHardware;
};

}  // namespace

class TestApplicationContext : public QObject {
    Q_OBJECT

private slots:
    // Sets of x, y and - (empty), into a context watched by a and b and holding a gateway; in
    // the last row a unregisters itself and stores a gateway while told, and b hears that first.
    void setAndNotify_data() {
        QTest::addColumn<QString>("sets");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("first, replacement, same again, empty")
            << "xyy-" << QStringList{"ax-", "bx-", "ayx", "byx", "a-y", "b-y"};
        QTest::newRow("empty over never set does nothing") << "-" << QStringList{};
        QTest::newRow("observer acts while told")
            << "Axy" << QStringList{"ax-", "bG", "bx-", "byx"};
    }
    void setAndNotify() {
        QFETCH(QString, sets);
        QStringList changes;
        Watcher a('a', &changes), b('b', &changes);
        Context context;
        for (Watcher* watcher : {&a, &b, &a}) {  // twice is once
            context.RegisterEventHandler(watcher);
        }
        const std::shared_ptr<IGateway> gateway = std::make_shared<DirectCallGateway>();
        context.Set<IGateway>(gateway);
        changes.clear();
        if (sets.startsWith('A')) {
            a.onHardware = [&] {
                context.UnregisterEventHandler(&a);
                context.Set<IGateway>(std::make_shared<DirectCallGateway>());
            };
        }
        const std::shared_ptr<IHardwareInfo> x = std::make_shared<Hardware>("x"),
                                             y = std::make_shared<Hardware>("y");
        for (QChar name : sets.remove('A')) {
            context.Set<IHardwareInfo>(name == 'x' ? x : name == 'y' ? y : nullptr);
        }
        QTEST(changes, "expected");
        QCOMPARE(TextOf(context.Get<IHardwareInfo>()), QString(sets.back()));
        QCOMPARE(context.Get<IGateway>() == gateway, !a.onHardware);
        QVERIFY(!context.Get<Quorvel::App::ILinksManager>());
    }

    // Stored before the observers hear of it; the exception reaches the setter.
    void observerExceptionReachesSetter() {
        QStringList changes;
        Watcher a('a', &changes), b('b', &changes);
        Context context;
        context.RegisterEventHandler(&a);
        context.RegisterEventHandler(&b);
        a.onHardware = [] { throw std::runtime_error("no"); };
        auto hardware = std::make_shared<Hardware>("x");
        QVERIFY_EXCEPTION_THROWN(context.Set<IHardwareInfo>(hardware), std::runtime_error);
        QCOMPARE(context.Get<IHardwareInfo>(), std::shared_ptr<IHardwareInfo>(hardware));
        QCOMPARE(changes, QStringList{"ax-"});
    }

    // A service stored by code in another shared object is found here, and the reverse.
    void acrossSharedObjects() {
        Context context;
        const std::shared_ptr<IGateway> stored = ContextProbe::StoreGateway(context);
        QVERIFY(std::dynamic_pointer_cast<DirectCallGateway>(stored));
        QCOMPARE(context.Get<IGateway>(), stored);
        auto hardware = std::make_shared<Hardware>("here");
        context.Set<IHardwareInfo>(hardware);
        QCOMPARE(ContextProbe::FindHardwareInfo(context), std::shared_ptr<IHardwareInfo>(hardware));
    }
};

QUORVEL_TEST_MAIN(TestApplicationContext)
#include "tst_ApplicationContext.moc"
