// The hot paths of the application core, each measured beside a baseline in the same run:
//
//   - Application::notify against a bare QApplication's notify, for an ordinary event and
//     for a timer event (every event of a product passes through it);
//   - Get<T> of the last of the 14 stored services (the longest walk of the list) against a
//     hash map keyed by type, and against copying one shared_ptr member (the floor: any Get
//     returns a shared_ptr copy);
//   - one EventHandlerList::Notify to 10 observers against a plain loop of virtual calls.
//
// Default mode runs Google Benchmark and prints "ratio <name>: X.XX" from the real time per
// iteration of each pair. Only one QApplication may exist at a time, so each notify half runs
// in a child forked before any application object exists, reporting back through a pipe.
//
// Counting mode (--count=<case> --events=N [--app=bare|quorvel]) sets up one case and runs its
// operation exactly N times, nothing else: run_benchmarks.sh runs it under callgrind with N and
// 2N, so that start-up cancels out of the difference.

#include <Quorvel/App/Application/Application.h>
#include <Quorvel/App/Application/ITopManager.h>
#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/App/Application/SplashController.h>
#include <Quorvel/Core/EventHandlerList.h>
#include <Quorvel/ExternalStimulus/DirectCallGateway.h>

#include <QApplication>
#include <QTimerEvent>

#include "CountingLoop.h"
#include "RatioReport.h"

#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <typeindex>
#include <unordered_map>
#include <vector>

// Outside an anonymous namespace on purpose: the compiler must not see a closed hierarchy and
// turn the observer calls into direct ones.
namespace QuorvelBench {

using namespace Quorvel::App;
using Quorvel::ExternalStimulus::IGateway;
using Quorvel::Networking::IHttpClient;

// ---------------------------------------------------------------------------------------------
// Application objects

// Quorvel is the application as a product runs it for nearly all its life: started, with the
// splash controller gone. QuorvelBeforeStart is the state between construction and start.
enum class AppKind { None, Bare, Quorvel, QuorvelBeforeStart };

const char* LabelOf(AppKind kind) {
    switch (kind) {
        case AppKind::Bare:
            return "QApplication";
        case AppKind::QuorvelBeforeStart:
            return "Application_before_start";
        default:
            return "Application";
    }
}

// Qt keeps references to argc and argv for the application's lifetime.
int g_argc = 1;
char g_argv0[] = "quorvel_bench_core";
char* g_argv[] = {g_argv0, nullptr};

std::unique_ptr<QApplication> MakeApplication(AppKind kind) {
    if (kind == AppKind::Bare) {
        return std::make_unique<QApplication>(g_argc, g_argv);
    }
    // The marker mutex has nothing to do with event delivery; leave it to the product.
    const auto lifetime = std::make_shared<LifetimeManager>();
    auto app =
        std::make_unique<Application>(g_argc, g_argv, lifetime, Application::DISABLE_APP_MUTEX);
    if (kind == AppKind::Quorvel) {
        lifetime->start();
        // The splash controller goes on the next turn of the event loop; this is that turn.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (app->findChild<SplashController*>()) {
            std::cerr << "the splash controller outlived start\n";
            std::abort();
        }
    }
    return app;
}

class QuietTimerTarget : public QObject {
protected:
    void timerEvent(QTimerEvent*) override {}
};

// Both cases call the application's notify straight through the QCoreApplication pointer, as
// Qt's sendEvent does after its own bookkeeping, so that only the two notify bodies differ.
class NotifyOrdinaryCase {
public:
    void operator()() { benchmark::DoNotOptimize(m_app->notify(&m_receiver, &m_event)); }

private:
    QCoreApplication* m_app = QCoreApplication::instance();
    QObject m_receiver;
    QEvent m_event{QEvent::User};
};

class NotifyTimerCase {
public:
    void operator()() { benchmark::DoNotOptimize(m_app->notify(&m_receiver, &m_event)); }

private:
    QCoreApplication* m_app = QCoreApplication::instance();
    QuietTimerTarget m_receiver;
    QTimerEvent m_event{1};
};

// The whole delivery of an event, Qt's bookkeeping included: what every event costs a product.
class SendOrdinaryCase {
public:
    void operator()() {
        benchmark::DoNotOptimize(QCoreApplication::sendEvent(&m_receiver, &m_event));
    }

private:
    QObject m_receiver;
    QEvent m_event{QEvent::User};
};

// ---------------------------------------------------------------------------------------------
// The context with all 14 services

// Stands in for the services without a cheap real implementation; the context only stores
// and hands out pointers, it never calls them.
class StubServices final : public ICustomizationManager,
                           public ILookAndFeelManager,
                           public IHardwareInfo,
                           public IApplicationSettingsManager,
                           public IProductSettingsManager,
                           public IMailSettingsManager,
                           public IInstallerSettingsManager,
                           public ILaunchTypeProcessor,
                           public ILinksManager,
                           public IInternetConnectionChecker,
                           public IUserSettingsManager,
                           public IHttpClient {
public:
    void SwitchLocale(const std::string&) override {}
    std::string GetOrganizationName() const override { return {}; }
    std::string GetPartnerName() const override { return {}; }
    Quorvel::Core::Version GetProductVersion() const override { return {}; }
    std::string GetApplicationName() const override { return {}; }
    UserAgentInfo GetUserAgentInfo() const override { return {}; }
    std::string GetProductName() const override { return {}; }
    std::string GetThankYouPageMode() const override { return {}; }
    bool IsEmailCollectionEnabled() const override { return false; }

    void Initialize(const std::string&, const std::string&) override {}
    const std::string& GetCurrentLocale() const override { return m_empty; }
    const std::list<std::string>& GetLocales() const override { return m_none; }
    const std::list<std::string>& GetThemes() const override { return m_none; }
    void SetLocale(const std::string&) override {}
    void SetTheme(const std::string&) override {}
    const std::string& GetCurrentTheme() const override { return m_empty; }
    std::string GetLocalizedThemeName(const std::string&) const override { return {}; }
    void ApplyTheme(const ThemeDescription&) override {}
    std::string GetUnitedStylesheet() override { return {}; }
    std::string GetDefaultLocale() const override { return {}; }
    void RegisterObserver(ILookAndFeelObserver*) override {}
    void UnregisterObserver(ILookAndFeelObserver*) override {}

    std::string GetHardwareText() const override { return {}; }

    void SetBool(const std::string&, bool) override {}
    void SetInt(const std::string&, int) override {}
    void SetString(const std::string&, const std::string&) override {}
    bool GetBool(const std::string&, bool defaultValue) const override { return defaultValue; }
    int GetInt(const std::string&, int defaultValue) const override { return defaultValue; }
    std::string GetString(const std::string&, const std::string& defaultValue) const override {
        return defaultValue;
    }
    uint32_t GetUInt(const std::string&, uint32_t defaultValue) const override {
        return defaultValue;
    }
    bool Contains(const std::string&) const override { return false; }
    void Remove(const std::string&) override {}

    LaunchType GetLaunchType() const override { return LaunchType::Regular; }

    QString GetUrl(const QString&) override { return {}; }
    QString GetUrl(Quorvel::URLKeys) override { return {}; }
    QString GenerateUrl(const QString&, QMap<QString, QString>) override { return {}; }
    void OpenUrl(const QString&) override {}
    void OpenUrl(Quorvel::URLKeys) override {}

    bool IsConnected() const override { return true; }

    void Get(const QNetworkRequest&, Callback) override {}
    void Post(const QNetworkRequest&, const QByteArray&, Callback) override {}

private:
    std::string m_empty;
    std::list<std::string> m_none;
};

class Context : public ITopManager {};

// The context filled in the order of its type list, so that the HTTP client is the last of
// 14 elements; the baselines hold the same pointers.
class ServiceSet {
public:
    ServiceSet() {
        auto stub = std::make_shared<StubServices>();
        Store<ICustomizationManager>(stub);
        Store<ILookAndFeelManager>(stub);
        Store<IHardwareInfo>(stub);
        Store<IApplicationSettingsManager>(stub);
        Store<IProductSettingsManager>(stub);
        Store<IMailSettingsManager>(stub);
        Store<IInstallerSettingsManager>(stub);
        Store<ILaunchTypeProcessor>(stub);
        Store<ILinksManager>(stub);
        Store<IGateway>(std::make_shared<Quorvel::ExternalStimulus::DirectCallGateway>());
        Store<ILifetimeManager>(std::make_shared<LifetimeManager>());
        Store<IInternetConnectionChecker>(stub);
        Store<IUserSettingsManager>(stub);
        Store<IHttpClient>(stub);
        m_httpClient = stub;
        if (m_byType.size() != 14 || !m_context.Get<IHttpClient>()) {
            std::cerr << "the context does not hold the 14 services\n";
            std::abort();
        }
    }

    std::shared_ptr<IHttpClient> ContextGet() const { return m_context.Get<IHttpClient>(); }

    // What a registry keyed by std::type_index would do (type_index compares names too, so it
    // keeps the cross-module identity of the list).
    std::shared_ptr<IHttpClient> HashMapGet() const {
        const auto it = m_byType.find(std::type_index(typeid(IHttpClient)));
        return it == m_byType.end() ? nullptr : std::static_pointer_cast<IHttpClient>(it->second);
    }

    std::shared_ptr<IHttpClient> MemberGet() const { return m_httpClient; }

private:
    template <class T>
    void Store(const std::shared_ptr<T>& service) {
        m_context.Set<T>(service);
        m_byType[std::type_index(typeid(T))] = service;
    }

    Context m_context;
    std::unordered_map<std::type_index, std::shared_ptr<void>> m_byType;
    std::shared_ptr<IHttpClient> m_httpClient;
};

class GetLastCase {
public:
    void operator()() {
        auto service = m_services.ContextGet();
        benchmark::DoNotOptimize(service);
    }

private:
    ServiceSet m_services;
};

class GetHashMapCase {
public:
    void operator()() {
        auto service = m_services.HashMapGet();
        benchmark::DoNotOptimize(service);
    }

private:
    ServiceSet m_services;
};

class GetMemberCopyCase {
public:
    void operator()() {
        auto service = m_services.MemberGet();
        benchmark::DoNotOptimize(service);
    }

private:
    ServiceSet m_services;
};

// ---------------------------------------------------------------------------------------------
// Observers

class IProbeObserver {
public:
    virtual ~IProbeObserver() = default;
    virtual void OnValue(int value) = 0;
};

// Two kinds alternate in the list, as different observers of one interface would.
class AddingObserver : public IProbeObserver {
public:
    void OnValue(int value) override { m_sum += value; }

private:
    long m_sum = 0;
};

class XoringObserver : public IProbeObserver {
public:
    void OnValue(int value) override { m_bits ^= value; }

private:
    int m_bits = 0;
};

constexpr int kObservers = 10;

class ObserverSet {
public:
    ObserverSet() {
        for (int i = 0; i < kObservers; ++i) {
            if (i % 2 == 0) {
                m_owned.push_back(std::make_unique<AddingObserver>());
            } else {
                m_owned.push_back(std::make_unique<XoringObserver>());
            }
            m_list.RegisterEventHandler(m_owned.back().get());
            m_plain.push_back(m_owned.back().get());
        }
    }

    void Notify(int value) { m_list.Notify(&IProbeObserver::OnValue, value); }

    void Loop(int value) {
        for (IProbeObserver* observer : m_plain) {
            observer->OnValue(value);
        }
    }

private:
    std::vector<std::unique_ptr<IProbeObserver>> m_owned;
    std::vector<IProbeObserver*> m_plain;
    Quorvel::Core::EventHandlerList<IProbeObserver> m_list;
};

class Notify10Case {
public:
    void operator()() { m_observers.Notify(++m_value); }

private:
    ObserverSet m_observers;
    int m_value = 0;
};

class Loop10Case {
public:
    void operator()() { m_observers.Loop(++m_value); }

private:
    ObserverSet m_observers;
    int m_value = 0;
};

// ---------------------------------------------------------------------------------------------
// Running

struct CountCase {
    const char* name;
    bool needsApp;
    void (*count)(long events);
};

const CountCase kCountCases[] = {
    {"notify-ordinary", true, &Count<NotifyOrdinaryCase>},
    {"notify-timer", true, &Count<NotifyTimerCase>},
    {"send-ordinary", true, &Count<SendOrdinaryCase>},
    {"get-last", false, &Count<GetLastCase>},
    {"get-hash-map", false, &Count<GetHashMapCase>},
    {"get-member-copy", false, &Count<GetMemberCopyCase>},
    {"notify-10", false, &Count<Notify10Case>},
    {"loop-10", false, &Count<Loop10Case>},
    {"empty", false, &Count<EmptyCase>},
};

Results RunRegistered() {
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::ClearRegisteredBenchmarks();
    return reporter.Medians();
}

Results RunNotifyBenchmarks(AppKind kind) {
    const auto app = MakeApplication(kind);
    const std::string label = LabelOf(kind);
    benchmark::RegisterBenchmark(("notify/ordinary/" + label).c_str(),
                                 &Measure<NotifyOrdinaryCase>);
    benchmark::RegisterBenchmark(("notify/timer/" + label).c_str(), &Measure<NotifyTimerCase>);
    return RunRegistered();
}

Results RunPlainBenchmarks() {
    benchmark::RegisterBenchmark("Get/last_of_14", &Measure<GetLastCase>);
    benchmark::RegisterBenchmark("Get/baseline_hash_map", &Measure<GetHashMapCase>);
    benchmark::RegisterBenchmark("Get/baseline_member_copy", &Measure<GetMemberCopyCase>);
    benchmark::RegisterBenchmark("Notify/EventHandlerList_10", &Measure<Notify10Case>);
    benchmark::RegisterBenchmark("Notify/baseline_virtual_loop_10", &Measure<Loop10Case>);
    return RunRegistered();
}

bool WriteAll(int fd, const std::string& text) {
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        written += static_cast<size_t>(n);
    }
    return true;
}

// Runs the notify benchmarks of one application kind in a child process, which starts with
// no application object, and collects its results.
bool RunNotifyInChild(AppKind kind, Results* results) {
    int fds[2];
    if (pipe(fds) != 0) {
        std::perror("pipe");
        return false;
    }
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return false;
    }
    if (pid == 0) {
        close(fds[0]);
        std::ostringstream text;
        text.precision(17);
        for (const auto& [name, seconds] : RunNotifyBenchmarks(kind)) {
            text << name << '\t' << seconds << '\n';
        }
        const bool sent = WriteAll(fds[1], text.str());
        std::cout.flush();
        std::fflush(nullptr);
        _exit(sent ? 0 : 1);
    }
    close(fds[1]);
    std::string received;
    char buffer[4096];
    while (true) {
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        received.append(buffer, static_cast<size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::cerr << "the " << LabelOf(kind) << " half failed\n";
        return false;
    }
    std::istringstream lines(received);
    std::string line;
    while (std::getline(lines, line)) {
        const auto tab = line.find('\t');
        if (tab != std::string::npos) {
            (*results)[line.substr(0, tab)] = std::strtod(line.c_str() + tab + 1, nullptr);
        }
    }
    return true;
}

const RatioPair kPairs[] = {
    {"Application::notify / QApplication::notify (ordinary event)", "notify/ordinary/Application",
     "notify/ordinary/QApplication"},
    {"Application::notify / QApplication::notify (timer event)", "notify/timer/Application",
     "notify/timer/QApplication"},
    {"Get<T> / baseline (type_index hash map)", "Get/last_of_14", "Get/baseline_hash_map"},
    {"Get<T> / shared_ptr member copy", "Get/last_of_14", "Get/baseline_member_copy"},
    {"Notify 10 observers / plain virtual loop", "Notify/EventHandlerList_10",
     "Notify/baseline_virtual_loop_10"},
};

int CountMode(const std::string& name, AppKind kind, long events) {
    const auto found = std::find_if(std::begin(kCountCases), std::end(kCountCases),
                                    [&](const CountCase& c) { return name == c.name; });
    if (found == std::end(kCountCases)) {
        std::cerr << "unknown case \"" << name << "\"; cases:";
        for (const CountCase& c : kCountCases) {
            std::cerr << ' ' << c.name;
        }
        std::cerr << '\n';
        return 2;
    }
    if (events < 0 || (found->needsApp && kind == AppKind::None)) {
        std::cerr << "--count=" << name << " needs --events=N"
                  << (found->needsApp ? " and --app=bare|quorvel" : "") << '\n';
        return 2;
    }
    std::unique_ptr<QApplication> app;
    if (kind != AppKind::None) {
        app = MakeApplication(kind);
    }
    found->count(events);
    return 0;
}

}  // namespace QuorvelBench

int main(int argc, char** argv) {
    using namespace QuorvelBench;
    std::string countCase;
    long events = -1;
    AppKind kind = AppKind::None;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--count=", 0) == 0) {
            countCase = arg.substr(8);
        } else if (arg.rfind("--events=", 0) == 0) {
            events = std::strtol(arg.c_str() + 9, nullptr, 10);
        } else if (arg == "--app=bare") {
            kind = AppKind::Bare;
        } else if (arg == "--app=quorvel") {
            kind = AppKind::Quorvel;
        } else if (arg == "--app=quorvel-before-start") {
            kind = AppKind::QuorvelBeforeStart;
        } else if (arg.rfind("--app=", 0) == 0) {
            std::cerr << "--app takes bare, quorvel or quorvel-before-start\n";
            return 2;
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (!countCase.empty()) {
        return CountMode(countCase, kind, events);
    }

    int restCount = static_cast<int>(rest.size());
    rest.push_back(nullptr);
    benchmark::Initialize(&restCount, rest.data());
    if (benchmark::ReportUnrecognizedArguments(restCount, rest.data())) {
        return 2;
    }
    if (kind != AppKind::None) {
        // One half only, in this process; no ratios.
        RunNotifyBenchmarks(kind);
        benchmark::Shutdown();
        return 0;
    }

    Results results;
    bool ok = RunNotifyInChild(AppKind::Bare, &results);
    ok = RunNotifyInChild(AppKind::Quorvel, &results) && ok;
    for (const auto& [name, seconds] : RunPlainBenchmarks()) {
        results[name] = seconds;
    }
    PrintRatios(results, kPairs, 1e9, "ns");
    benchmark::Shutdown();
    return ok ? 0 : 1;
}
