// Runs the diagnostic harness as a product does, on stand-in customization and links over a
// real look-and-feel manager, and prints what the harness tests look for: the main thread, the
// https preference, the option names, the first message box, each opened link with the moment
// it opened, and the interface language at the end. Timers run on a virtual clock, so that the
// seconds-long opening schedule passes at once.
//   testing_probe [--raw-exec] --data-dir <dir> [--throw-in <locale>] [--prefer http] <options>
#include <Quorvel/App/Application/Application.h>
#include <Quorvel/App/Application/CommandLinePath.h>
#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/App/Application/Testing/Testing.h>
#include <Quorvel/TestSupport/ModalAnswerer.h>
#include <Quorvel/Util/SslUsage.h>

#include <QAbstractEventDispatcher>
#include <QDesktopServices>
#include <QTimerEvent>

#include <glog/logging.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Quorvel::App;

namespace {

QString Option(const QString& name) {
    const QStringList arguments = QCoreApplication::arguments();
    return arguments.value(arguments.indexOf(name) + 1);  // empty when absent
}

// Fires each timer at its due time on a clock that jumps there instead of waiting; the program
// ends when nothing more is due in its first minute.
class VirtualClock : public QAbstractEventDispatcher {
public:
    qint64 now = 0;

    bool processEvents(QEventLoop::ProcessEventsFlags flags) override {
        emit awake();
        QCoreApplication::sendPostedEvents();
        const auto next = std::min_element(m_timers.begin(), m_timers.end(), [](auto& a, auto& b) {
            return a.second.due < b.second.due;
        });
        if (next == m_timers.end() || next->second.due > 60000) {
            if (flags & QEventLoop::WaitForMoreEvents) QCoreApplication::exit(0);
            return false;
        }
        now = next->second.due;
        next->second.due += std::max(next->second.interval, 1);  // a single shot unregisters
        QTimerEvent event(next->first);
        QCoreApplication::sendEvent(next->second.object, &event);
        return true;
    }
    void registerTimer(int id, int interval, Qt::TimerType, QObject* object) override {
        m_timers[id] = {interval, object, now + interval};
    }
    bool unregisterTimer(int id) override { return m_timers.erase(id) > 0; }
    bool unregisterTimers(QObject* object) override {
        const auto count = m_timers.size();
        for (auto it = m_timers.begin(); it != m_timers.end();) {
            it = it->second.object == object ? m_timers.erase(it) : std::next(it);
        }
        return m_timers.size() != count;
    }
    // Only for objects moving between threads and for QTimer::remainingTime: not here.
    QList<TimerInfo> registeredTimers(QObject*) const override { return {}; }
    int remainingTime(int) override { return -1; }
    bool hasPendingEvents() override { return false; }
    void registerSocketNotifier(QSocketNotifier*) override {}
    void unregisterSocketNotifier(QSocketNotifier*) override {}
    void wakeUp() override {}
    void interrupt() override {}
    void flush() override {}

private:
    struct Timer {
        int interval = 0;
        QObject* object = nullptr;
        qint64 due = 0;
    };
    std::map<int, Timer> m_timers;
};

VirtualClock* g_clock = nullptr;

class Customization : public ICustomizationManager {
public:
    void SwitchLocale(const std::string& locale) override {
        if (QString::fromStdString(locale) == Option("--throw-in")) {
            throw std::runtime_error("no customization for " + locale);
        }
    }
    std::string GetOrganizationName() const override { return {}; }
    std::string GetPartnerName() const override { return {}; }
    Quorvel::Core::Version GetProductVersion() const override { return {}; }
    std::string GetApplicationName() const override { return {}; }
    UserAgentInfo GetUserAgentInfo() const override { return {}; }
    std::string GetProductName() const override { return "Probe"; }
    std::string GetThankYouPageMode() const override { return {}; }
    bool IsEmailCollectionEnabled() const override { return false; }
};

// Three keys have an address, in the current language.
class Links : public ILinksManager {
public:
    explicit Links(std::shared_ptr<ILookAndFeelManager> looks) : m_looks(std::move(looks)) {}
    QString GetUrl(Quorvel::URLKeys key) override {
        using Quorvel::URLKeys;
        if (key != URLKeys::HOMEPAGE_URL && key != URLKeys::HELP_URL_menu &&
            key != URLKeys::FAQ_URL) {
            return {};
        }
        return QString("https://probe.example/%1/%2")
            .arg(QString::fromStdString(m_looks->GetCurrentLocale()))
            .arg(int(key));
    }
    void OpenUrl(const QString& url) override {
        std::printf("open %lld %s\n", g_clock->now, qPrintable(url));
        QDesktopServices::openUrl(QUrl(url));
    }
    QString GetUrl(const QString&) override { return {}; }
    QString GenerateUrl(const QString&, QMap<QString, QString>) override { return {}; }
    void OpenUrl(Quorvel::URLKeys) override {}

private:
    std::shared_ptr<ILookAndFeelManager> m_looks;
};

}  // namespace

int main(int argc, char** argv) {
    // "--raw-exec" first: runs again with every \xff (four characters) of the arguments made the
    // byte 0xFF, which QProcess cannot pass.
    if (argc > 1 && std::strcmp(argv[1], "--raw-exec") == 0) {
        std::vector<std::string> raw{argv[0]};
        for (int i = 2; i < argc; ++i) {
            std::string argument = argv[i];
            for (size_t at; (at = argument.find("\\xff")) != std::string::npos;) {
                argument.replace(at, 4, "\xff");
            }
            raw.push_back(argument);
        }
        std::vector<char*> pointers;
        for (std::string& argument : raw) pointers.push_back(argument.data());
        pointers.push_back(nullptr);
        ::execv("/proc/self/exe", pointers.data());
        return 127;
    }
    google::InitGoogleLogging(argv[0]);
    FLAGS_logtostderr = true;
    FLAGS_minloglevel = google::GLOG_WARNING;  // what the tests look for is a warning or an error
    google::InstallFailureSignalHandler();
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // what was printed survives a crash
    std::printf("main thread 0x%lx\n", static_cast<unsigned long>(pthread_self()));  // as glog
    g_clock = new VirtualClock;  // owned by the application
    QCoreApplication::setEventDispatcher(g_clock);
    auto lifetime = std::make_shared<LifetimeManager>();
    Application app(argc, argv, lifetime, Application::DISABLE_APP_MUTEX);
    Quorvel::Util::SetDefaultSslUsage(Option("--prefer") != "http");
    auto looks = std::make_shared<LookAndFeelManager>(
        Quorvel::ioPath(CommandLinePath(Option("--data-dir")).toStdString()), "titles.json",
        std::list<std::string>());
    looks->SetLocale("en_US");
    Quorvel::TestSupport::ModalAnswerer answerer(QMessageBox::Ok);
    std::unique_ptr<Testing> testing;
    try {
        testing = std::make_unique<Testing>(lifetime);
        std::printf("https %d\n", Quorvel::Util::GetDefaultSslUsage());
        testing->initialize(std::make_shared<Customization>(), looks,
                            std::make_shared<Links>(looks));
        std::printf("names %s\n", qPrintable(testing->getCommandLineArgumentsString().join(' ')));
        lifetime->start();
    } catch (const std::exception& error) {
        std::printf("error %s\n", error.what());
    }
    if (testing) {
        app.exec();  // what escapes the event loop ends the program, as in a product
    }
    if (answerer.Answered()) {
        std::printf("box %s\n%s\nend of box\n", qPrintable(answerer.Title()),
                    qPrintable(answerer.Text()));
    }
    std::printf("locale %s\n", looks->GetCurrentLocale().c_str());
}
