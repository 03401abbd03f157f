// Runs the diagnostic harness as a product does, on stand-in customization and links over a
// real look-and-feel manager, and prints what the harness tests look for: the main thread, the
// https preference, the option names, the first message box, every opened link with the moment
// it opened, and the interface language afterwards. Timers run on a virtual clock, so the
// seconds-long opening schedule passes at once.
//   testing_probe --data-dir <dir> [--throw-in <locale>] [--prefer http] <harness options>
#include <Quorvel/App/Application/Application.h>
#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/App/Application/Testing/Testing.h>
#include <Quorvel/App/Application/Testing/UrlTest.h>
#include <Quorvel/TestSupport/ModalAnswerer.h>
#include <Quorvel/Util/SslUsage.h>

#include <QAbstractEventDispatcher>
#include <QDesktopServices>
#include <QTimerEvent>

#include <glog/logging.h>
#include <pthread.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

using namespace Quorvel::App;

namespace {

QString Option(const QString& name) {
    const QStringList arguments = QCoreApplication::arguments();
    const int at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : QString();
}

// Fires each timer at its due time on a clock that jumps there instead of waiting. The program
// ends when nothing more is due in its first minute.
class VirtualClock : public QAbstractEventDispatcher {
public:
    qint64 now = 0;

    bool processEvents(QEventLoop::ProcessEventsFlags flags) override {
        emit awake();
        QCoreApplication::sendPostedEvents();
        auto next = std::min_element(m_timers.begin(), m_timers.end(),
                                     [](const Timer& a, const Timer& b) { return a.due < b.due; });
        if (next == m_timers.end() || next->due > 60000) {
            if (flags & QEventLoop::WaitForMoreEvents) {
                QCoreApplication::exit(0);
            }
            return false;
        }
        now = next->due;
        next->due += std::max(next->interval, 1);  // a single shot unregisters itself
        QTimerEvent event(next->id);
        QCoreApplication::sendEvent(next->object, &event);
        return true;
    }
    bool hasPendingEvents() override { return false; }
    void registerSocketNotifier(QSocketNotifier*) override {}
    void unregisterSocketNotifier(QSocketNotifier*) override {}
    void registerTimer(int id, int interval, Qt::TimerType type, QObject* object) override {
        m_timers.push_back({id, interval, type, object, now + interval});
    }
    bool unregisterTimer(int id) override {
        return Remove([id](const Timer& timer) { return timer.id == id; });
    }
    bool unregisterTimers(QObject* object) override {
        return Remove([object](const Timer& timer) { return timer.object == object; });
    }
    QList<TimerInfo> registeredTimers(QObject* object) const override {
        QList<TimerInfo> timers;
        for (const Timer& timer : m_timers) {
            if (timer.object == object) {
                timers.append(TimerInfo(timer.id, timer.interval, timer.type));
            }
        }
        return timers;
    }
    int remainingTime(int id) override {
        for (const Timer& timer : m_timers) {
            if (timer.id == id) {
                return int(timer.due - now);
            }
        }
        return -1;
    }
    void wakeUp() override {}
    void interrupt() override {}
    void flush() override {}

private:
    struct Timer {
        int id;
        int interval;
        Qt::TimerType type;
        QObject* object;
        qint64 due;
    };
    template <class Match>
    bool Remove(Match match) {
        const auto end = std::remove_if(m_timers.begin(), m_timers.end(), match);
        const bool found = end != m_timers.end();
        m_timers.erase(end, m_timers.end());
        return found;
    }
    std::vector<Timer> m_timers;
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

// Three keys have an address in the current language; opening one prints it with the time.
class Links : public ILinksManager {
public:
    explicit Links(std::shared_ptr<ILookAndFeelManager> looks) : m_looks(std::move(looks)) {}
    QString GetUrl(const QString&) override { return {}; }
    QString GetUrl(Quorvel::URLKeys key) override {
        const bool known = key == Quorvel::URLKeys::HOMEPAGE_URL || key == Quorvel::URLKeys::HELP_URL_menu ||
                           key == Quorvel::URLKeys::FAQ_URL;
        return known ? QString("https://probe.example/%1/%2")
                           .arg(QString::fromStdString(m_looks->GetCurrentLocale()))
                           .arg(int(key))
                     : QString();
    }
    QString GenerateUrl(const QString&, QMap<QString, QString>) override { return {}; }
    void OpenUrl(const QString& url) override {
        std::printf("open %lld %s\n", g_clock->now, qPrintable(url));
        QDesktopServices::openUrl(QUrl(url));
    }
    void OpenUrl(Quorvel::URLKeys) override {}

private:
    std::shared_ptr<ILookAndFeelManager> m_looks;
};

}  // namespace

int main(int argc, char** argv) {
    google::InitGoogleLogging(argv[0]);
    FLAGS_logtostderr = true;
    google::InstallFailureSignalHandler();
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // whatever was printed survives a crash
    // As glog names the thread of a fault.
    std::printf("main thread 0x%lx\n", static_cast<unsigned long>(pthread_self()));
    g_clock = new VirtualClock;  // the application owns it
    QCoreApplication::setEventDispatcher(g_clock);
    auto lifetime = std::make_shared<LifetimeManager>();
    Application app(argc, argv, lifetime, Application::DISABLE_APP_MUTEX);
    Quorvel::Util::SetDefaultSslUsage(Option("--prefer") != "http");
    auto looks = std::make_shared<LookAndFeelManager>(
        Quorvel::ioPath(Option("--data-dir").toStdString()), "titles.json",
        std::list<std::string>());
    looks->SetLocale("en_US");
    Quorvel::TestSupport::ModalAnswerer answerer(QMessageBox::Ok);
    std::unique_ptr<Testing> testing;
    try {
        testing = std::make_unique<Testing>(lifetime);
        std::printf("https %d\n", Quorvel::Util::GetDefaultSslUsage());
        auto customization = std::make_shared<Customization>();
        testing->initialize(customization, looks, std::make_shared<Links>(looks));
        std::printf("names %s\n", qPrintable(testing->getCommandLineArgumentsString().join(' ')));
        std::printf("dump %s\n", UrlTest::GetDumpPath(*customization).utf8string().c_str());
        lifetime->start();
    } catch (const std::exception& error) {
        std::printf("error %s\n", error.what());
    }
    // What escapes the event loop ends the program, as in a product.
    if (testing) {
        app.exec();
    }
    if (answerer.Answered()) {
        std::printf("box %s\n%s\nend of box\n", qPrintable(answerer.Title()),
                    qPrintable(answerer.Text()));
    }
    std::printf("locale %s\n", looks->GetCurrentLocale().c_str());
    return 0;
}
