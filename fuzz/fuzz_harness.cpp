// The command line of the diagnostic harness: its option values (numbers, locale lists,
// crash reasons and threads, file names). The input is the command line, one argument per
// line. The harness reads it as it does in a product: the SSL test when it is registered,
// the crash and URL tests when they run, over real look-and-feel and customization services.
//
// The crash and the link openings those runs schedule are Qt timers that never fire: this
// target never runs an event loop. Links are given to a links service that opens nothing.

#include "FuzzSupport.h"

#include <Quorvel/App/Application/LifetimeManager.h>
#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/App/Application/Testing/CrashTest.h>
#include <Quorvel/App/Application/Testing/Testing.h>
#include <Quorvel/App/Application/Testing/UrlTest.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/ILinksManager.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <stdexcept>

namespace {

using namespace Quorvel::App;

class SilentLinks : public ILinksManager {
public:
    QString GetUrl(const QString&) override { return QString(); }
    QString GetUrl(Quorvel::URLKeys key) override {
        // One key with an address: every tested locale schedules one opening.
        return key == Quorvel::URLKeys::HELP_URL_menu ? "https://quorvel.example/help" : QString();
    }
    QString GenerateUrl(const QString&, QMap<QString, QString>) override { return QString(); }
    void OpenUrl(const QString&) override {}
    void OpenUrl(Quorvel::URLKeys) override {}
};

// The process's command line, which QCoreApplication reads from argc and argv on every call
// of arguments(): both stay ours and are refilled for each input.
constexpr int kMaxArguments = 64;
int g_argc = 1;
char g_program[] = "quorvel-fuzz";
char* g_argv[kMaxArguments + 2] = {g_program};

struct Services {
    Services() {
        const QString root = Quorvel::Fuzz::DataFolder({"de_DE", "en_US", "fr_FR", "ru_RU"});
        // Files the log option names land in a folder of their own.
        QDir().mkpath(Quorvel::Fuzz::ScratchFolder() + "/work");
        QDir::setCurrent(Quorvel::Fuzz::ScratchFolder() + "/work");
        lookAndFeel = std::make_shared<LookAndFeelManager>(Quorvel::ioPath(root.toStdString()),
                                                           "titles.json", std::list<std::string>{});
        lookAndFeel->SetLocale("en_US");
    }

    QCoreApplication application{g_argc, g_argv};
    std::shared_ptr<LifetimeManager> lifetime = std::make_shared<LifetimeManager>();
    std::shared_ptr<ICustomizationManager> customization =
        CustomizationManager::FromFile(QString(QUORVEL_DEMO_DATA "/customization.json"));
    std::shared_ptr<LookAndFeelManager> lookAndFeel;
    std::shared_ptr<ILinksManager> links = std::make_shared<SilentLinks>();
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Quorvel::Fuzz::Prepare();
    static Services services;

    QList<QByteArray> arguments = Quorvel::Fuzz::Bytes(data, size).split('\n');
    if (arguments.size() > kMaxArguments) {
        return 0;
    }
    for (const QByteArray& argument : arguments) {
        // A file named by the input stays in the working folder.
        if (argument.contains('/') || argument.contains('\\')) {
            return 0;
        }
    }
    g_argc = 1 + arguments.size();
    for (int i = 0; i < arguments.size(); ++i) {
        g_argv[i + 1] = arguments[i].data();
    }
    g_argv[g_argc] = nullptr;
    FUZZ_CHECK(QCoreApplication::arguments().size() == g_argc);

    try {
        Testing testing(services.lifetime);
        testing.initialize(services.customization, services.lookAndFeel, services.links);

        QCommandLineParser parser;
        parser.addOptions(testing.getCommandLineArguments());
        parser.parse(QCoreApplication::arguments());
        CrashTest().run(parser);
        UrlTest(services.customization, services.lookAndFeel, services.links).run(parser);
        FUZZ_CHECK(services.lookAndFeel->GetCurrentLocale() == "en_US");
        if (parser.isSet("test-log-urls")) {
            QFile::remove(parser.value("test-log-urls"));
        }
    } catch (const std::invalid_argument& error) {
        FUZZ_CHECK(std::string(error.what()) ==
                   "Invalid options combination: test-ssl-disable and test-ssl-enable");
    }
    g_argc = 1;
    return 0;
}
