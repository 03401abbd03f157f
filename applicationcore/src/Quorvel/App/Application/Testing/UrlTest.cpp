#include <Quorvel/App/Application/Testing/UrlTest.h>

#include <Quorvel/App/Application/Testing/DummytTestLocales.h>
#include <Quorvel/App/Application/Testing/LogURLHandler.h>
#include <Quorvel/NotNull.h>
#include <Quorvel/URLKeys.h>
#include <Quorvel/Util/AlertBox.h>
#include <Quorvel/Util/TextConversion.h>

#include <QDesktopServices>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>

#include <glog/logging.h>

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace Quorvel::App {

namespace {

const QCommandLineOption kDump("test-dump-urls", "Write URLs to dump file");
const QCommandLineOption kOpen("test-open-urls", "Open URLs in browser");
const QCommandLineOption kLog("test-log-urls", "Log opened URLs to file", "path");
const QCommandLineOption kDelay("test-open-urls-delay", "Set open url delay in ms", "delay",
                                "1000");

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
    const bool dump = parser.isSet(kDump);
    const bool open = parser.isSet(kOpen);
    if (dump || open) {
        const int delay = parser.value(kDelay).toInt(nullptr, 10);  // 0 when it does not convert
        m_impl->testUrls(GetDumpPath(*m_impl->customization),
                         m_impl->locales.GetTestLocales(parser, m_impl->lookAndFeel), open, delay);
    }
    if (parser.isSet(kLog)) {
        m_impl->logHandler = std::make_unique<LogURLHandler>(nullptr, parser.value(kLog));
        // Replaces the preferred browser's handler: from now on links are logged, not opened.
        QDesktopServices::setUrlHandler("http", m_impl->logHandler.get(), "logUrls");
        QDesktopServices::setUrlHandler("https", m_impl->logHandler.get(), "logUrls");
    }
}

QList<QCommandLineOption> UrlTest::getCLO() const {
    return QList<QCommandLineOption>{kDump, kOpen, kLog, kDelay} + m_impl->locales.getCLO();
}

ioPath UrlTest::GetDumpPath(const ICustomizationManager& customization) {
    // The product name comes from the product's data; it names a file and must not leave the
    // folder.
    std::string name = customization.GetProductName() + "-url-dump.csv";
    std::replace(name.begin(), name.end(), '/', '_');
    std::replace(name.begin(), name.end(), '\\', '_');
    return ioPath(Util::QStringToUtf8(
               QStandardPaths::writableLocation(QStandardPaths::DataLocation))) /
           name;
}

void UrlTest::Impl::testUrls(const ioPath& path, const std::list<std::string>& testLocales,
                             bool open, int delay) {
    path.parent_path().create_directories();  // a failure shows when the file does not open
    QFile file(Util::Utf8ToQString(path.utf8string()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        Util::AlertBox(Util::AlertBox::Warning, "Config test error",
                       "Can't open file to dump: " + Util::Utf8ToQString(path.utf8string()),
                       QMessageBox::Ok, nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
            .Exec();
        return;
    }
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
                file.write(
                    (locale + ";" + records[i].first + ";" + records[i].second + ";\n").c_str());
            }
        }
        if (open) {
            for (const auto& record : records) {
                QTimer::singleShot(g_nextOpenDelay, [links = links.get(), record] {
                    links->OpenUrl(Util::Utf8ToQString(record.second));
                });
                // A delay near the limits of int must not wrap the schedule around.
                g_nextOpenDelay = static_cast<int>(std::clamp<qint64>(
                    qint64{g_nextOpenDelay} + delay, std::numeric_limits<int>::min(),
                    std::numeric_limits<int>::max()));
            }
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

}  // namespace Quorvel::App
