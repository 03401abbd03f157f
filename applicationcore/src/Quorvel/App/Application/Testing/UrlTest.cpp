#include <Quorvel/App/Application/Testing/UrlTest.h>

#include "internal/OptionValue.h"

#include <Quorvel/App/Application/CommandLinePath.h>
#include <Quorvel/App/Application/Testing/DummytTestLocales.h>
#include <Quorvel/App/Application/Testing/LogURLHandler.h>
#include <Quorvel/NotNull.h>
#include <Quorvel/Reading/OutputFile.h>
#include <Quorvel/Reading/PathComponent.h>
#include <Quorvel/URLKeys.h>
#include <Quorvel/Util/AlertBox.h>
#include <Quorvel/Util/TextConversion.h>

#include <QDesktopServices>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>

#include <glog/logging.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <utility>
#include <vector>

namespace Quorvel::App {

namespace {

// Made at first use, not when the library is loaded: most runs never ask.
struct Options {
    QCommandLineOption dump{"test-dump-urls", "Write URLs to dump file"};
    QCommandLineOption open{"test-open-urls", "Open URLs in browser"};
    QCommandLineOption log{"test-log-urls", "Log opened URLs to file", "path"};
    QCommandLineOption delay{"test-open-urls-delay", "Set open url delay in ms", "delay", "1000"};
};

const Options& Option() {
    static const Options options;
    return options;
}

// When the next link opens, in milliseconds after the run that schedules it; shared by every
// URL test of the process, so a later run continues where an earlier one stopped.
int g_nextOpenDelay = 10000;

}  // namespace

struct UrlTest::Impl {
    void testUrls(const ioPath& path, const std::list<std::string>& locales, bool open, int delay);

    NotNull<std::shared_ptr<ICustomizationManager>> customization;
    NotNull<std::shared_ptr<ILookAndFeelManager>> lookAndFeel;
    NotNull<std::shared_ptr<ILinksManager>> links;
    std::unique_ptr<LogURLHandler> logHandler;
    DummytTestLocales locales;
};

UrlTest::UrlTest(const std::shared_ptr<ICustomizationManager>& customization,
                 const std::shared_ptr<ILookAndFeelManager>& lookAndFeel,
                 const std::shared_ptr<ILinksManager>& links)
    : m_impl(std::make_unique<Impl>(Impl{customization, lookAndFeel, links, nullptr, {}})) {}

UrlTest::~UrlTest() = default;

void UrlTest::initialize(const QCommandLineParser&) {}

void UrlTest::run(const QCommandLineParser& parser) {
    const bool dump = parser.isSet(Option().dump);
    const bool open = parser.isSet(Option().open);
    if (dump || open) {
        // A refused delay stops the dump as well: nothing half of what was asked for.
        if (const std::optional<int> delay = Internal::OptionMilliseconds(parser, Option().delay)) {
            m_impl->testUrls(GetDumpPath(*m_impl->customization),
                             m_impl->locales.GetTestLocales(parser, m_impl->lookAndFeel), open,
                             *delay);
        }
    }
    if (parser.isSet(Option().log)) {
        m_impl->logHandler = std::make_unique<LogURLHandler>(
            nullptr, CommandLinePath(Internal::OptionValue(parser, Option().log)));
        // Replaces the preferred browser's handler: from now on links are logged, not opened.
        QDesktopServices::setUrlHandler("http", m_impl->logHandler.get(), "logUrls");
        QDesktopServices::setUrlHandler("https", m_impl->logHandler.get(), "logUrls");
    }
}

QList<QCommandLineOption> UrlTest::getCLO() const {
    return QList<QCommandLineOption>{Option().dump, Option().open, Option().log, Option().delay} +
           m_impl->locales.getCLO();
}

ioPath UrlTest::GetDumpPath(const ICustomizationManager& customization) {
    // The names come from the product's data; the file stays in the product's data folder.
    const QString folder = Reading::ApplicationFolder(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    const QString name = Reading::PathComponent(
        Util::Utf8ToQString(customization.GetProductName()) + QStringLiteral("-url-dump.csv"));
    return ioPath(Util::QStringToUtf8(folder)) / Util::QStringToUtf8(name);
}

void UrlTest::Impl::testUrls(const ioPath& path, const std::list<std::string>& testLocales,
                             bool open, int delay) {
    path.parent_path().create_directories();  // a failure shows when the file does not open
    QString problem;
    const std::unique_ptr<QFile> file =
        Reading::OpenOutputFile(Util::Utf8ToQString(path.utf8string()), problem);
    if (!file) {
        LOG(WARNING) << "The URL dump cannot be written: " << Util::QStringToUtf8(problem);
        Util::AlertBox(Util::AlertBox::Warning, "Config test error",
                       "Can't open file to dump: " + Util::Utf8ToQString(path.utf8string()),
                       QMessageBox::Ok, nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
            .Exec();
        return;
    }
    file->setTextModeEnabled(true);
    // A copy: the manager hands out its own current value, which the loop changes.
    const std::string saved = lookAndFeel->GetCurrentLocale();
    auto restore = [&] {
        lookAndFeel->SetLocale(saved);
        customization->SwitchLocale(saved);
    };
    std::vector<std::pair<std::string, std::string>> records;
    try {
        for (const std::string& locale : testLocales) {
            lookAndFeel->SetLocale(locale);
            customization->SwitchLocale(locale);
            const size_t first = records.size();
            for (const auto& [key, name] : GetURLKeyNames()) {
                const std::string address = Util::QStringToUtf8(links->GetUrl(key));
                if (!address.empty()) {
                    records.emplace_back(name, address);
                } else {
                    LOG(WARNING) << "Cannot find url " + name + "for module " +
                                        customization->GetProductName();
                }
            }
            for (size_t i = first; i < records.size(); ++i) {
                file->write(
                    (locale + ";" + records[i].first + ";" + records[i].second + ";\n").c_str());
            }
        }
        if (open) {
            for (const auto& record : records) {
                QTimer::singleShot(g_nextOpenDelay, [links = links.get(), record] {
                    links->OpenUrl(Util::Utf8ToQString(record.second));
                });
                // Saturated: a huge delay must not wrap around into the past.
                g_nextOpenDelay = static_cast<int>(
                    std::clamp<qint64>(qint64(g_nextOpenDelay) + delay, INT_MIN, INT_MAX));
            }
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

}  // namespace Quorvel::App
