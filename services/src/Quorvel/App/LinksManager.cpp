#include <Quorvel/App/LinksManager.h>

#include <Quorvel/App/LinksTable.h>
#include <Quorvel/Core/Version.h>
#include <Quorvel/Reading/LogText.h>
#include <Quorvel/Reading/PathComponent.h>
#include <Quorvel/Util/BuildInfo.h>
#include <Quorvel/Util/TextConversion.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QUrl>

#include <glog/logging.h>

#include <mutex>
#include <utility>
#include <vector>

namespace Quorvel::App {

namespace {

using Util::QStringToUtf8;
using Util::Utf8ToQString;

QString Encoded(const QString& text) { return QString::fromLatin1(QUrl::toPercentEncoding(text)); }

QString KeyName(URLKeys key) {
    const auto& names = GetURLKeyNames();
    const auto found = names.find(key);
    return found != names.end() ? Utf8ToQString(found->second)
                                : QString::number(static_cast<int>(key));
}

// links.json in the product's data folders. Qt builds them from the application's names,
// which may come from a data file: names that would not stay one folder level each are
// looked up in their neutralised form instead.
QString LocateLinksFile() {
    const QString organization = QCoreApplication::organizationName();
    const QString application = QCoreApplication::applicationName();
    const QString safeOrganization = Reading::PathComponent(organization);
    const QString safeApplication = Reading::PathComponent(application);
    if (safeOrganization == organization && safeApplication == application) {
        return QStandardPaths::locate(QStandardPaths::AppDataLocation, LinksManager::FileName);
    }
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString candidate =
            Reading::ApplicationFolder(folder) + QLatin1Char('/') + LinksManager::FileName;
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return QString();
}

}  // namespace

struct LinksManager::Impl {
    using ValueOf = QString (*)(const Impl&, const QString& locale);

    static const std::vector<std::pair<QString, ValueOf>>& Placeholders() {
        static const std::vector<std::pair<QString, ValueOf>> placeholders{
            {"locale", [](const Impl&, const QString& locale) { return locale; }},
            {"language",
             [](const Impl&, const QString& locale) { return locale.section('_', 0, 0); }},
            {"country", [](const Impl&, const QString& locale) { return locale.section('_', 1); }},
            {"version",
             [](const Impl& d, const QString&) {
                 return Utf8ToQString(Core::ToString(d.customization->GetProductVersion()));
             }},
            {"application",
             [](const Impl& d, const QString&) {
                 return Utf8ToQString(d.customization->GetApplicationName());
             }},
            {"product",
             [](const Impl& d, const QString&) {
                 return Utf8ToQString(d.customization->GetProductName());
             }},
            {"organization",
             [](const Impl& d, const QString&) {
                 return Utf8ToQString(d.customization->GetOrganizationName());
             }},
            {"partner",
             [](const Impl& d, const QString&) {
                 return Utf8ToQString(d.customization->GetPartnerName());
             }},
            {"webuid",
             [](const Impl& d, const QString&) {
                 return Utf8ToQString(d.userSettings->GetString("WEBUID", "UNDEFINED"));
             }},
            {"launchType",
             [](const Impl& d, const QString&) {
                 return QString::number(static_cast<int>(d.launchType->GetLaunchType()));
             }},
            {"platform",
             [](const Impl&, const QString&) { return QString(Util::PlatformToken()); }},
            {"bits", [](const Impl&, const QString&) { return Utf8ToQString(Util::AppBits()); }},
            {"hardware",
             [](const Impl& d, const QString&) {
                 return Utf8ToQString(d.hardwareInfo->GetHardwareText());
             }},
            {"installer",
             [](const Impl& d, const QString&) {
                 return d.installerSettings
                            ? Utf8ToQString(d.installerSettings->GetString("InstallerName", ""))
                            : QString();
             }},
        };
        return placeholders;
    }

    QString Value(const QString& placeholder, const QString& locale) const {
        for (const auto& [name, valueOf] : Placeholders()) {
            if (name == placeholder) {
                return Encoded(valueOf(*this, locale));
            }
        }
        return QString();  // the reader lets no other name through
    }

    // links.json is read and checked on first use, not at start-up, where no link is opened;
    // a refused file is reported then, once.
    void Load() {
        std::call_once(loaded, [this] {
            if (!located) {
                return;  // reported by the constructor
            }
            try {
                table = LinksTable::FromFile(file, PlaceholderNames());
                file = table->Source();
            } catch (const std::exception& e) {
                LOG(ERROR) << Reading::LogText(std::string(e.what())) << "; every link stays empty";
            }
        });
    }

    QString Resolve(const QString& name) {
        Load();
        if (!table) {
            return QString();
        }
        const QString locale = Utf8ToQString(lookAndFeel->GetCurrentLocale());
        const LinksTable::Template* found = table->Find(name, locale);
        if (!found) {
            bool first = false;
            {
                std::lock_guard<std::mutex> lock(mutex);
                first = !warned.contains(name);
                warned.insert(name);
            }
            LOG_IF(WARNING, first) << Reading::LogText(file) << ": no address for the link \""
                                   << Reading::LogText(name) << "\"; it stays empty";
            return QString();
        }
        return found->Fill(
            [this, &locale](const QString& placeholder) { return Value(placeholder, locale); });
    }

    std::shared_ptr<ICustomizationManager> customization;
    std::shared_ptr<IHardwareInfo> hardwareInfo;
    std::shared_ptr<ILookAndFeelManager> lookAndFeel;
    std::shared_ptr<IUserSettingsManager> userSettings;
    std::shared_ptr<ILaunchTypeProcessor> launchType;
    std::shared_ptr<IInstallerSettingsManager> installerSettings;

    std::once_flag loaded;
    bool located = false;  // false: the file is in none of the data folders
    QString file;
    std::unique_ptr<LinksTable> table;  // empty when the file could not be used

    std::mutex mutex;
    QSet<QString> warned;
};

LinksManager::LinksManager(
    Quorvel::NotNull<std::shared_ptr<ICustomizationManager>> customization,
    Quorvel::NotNull<std::shared_ptr<IHardwareInfo>> hardwareInfo,
    Quorvel::NotNull<std::shared_ptr<ILookAndFeelManager>> lookAndFeel,
    Quorvel::NotNull<std::shared_ptr<IMailSettingsManager>>,
    Quorvel::NotNull<std::shared_ptr<IProductSettingsManager>>,
    Quorvel::NotNull<std::shared_ptr<IUserSettingsManager>> userSettings,
    Quorvel::NotNull<std::shared_ptr<ILaunchTypeProcessor>> launchTypeProcessor,
    std::shared_ptr<IInstallerSettingsManager> installerSettings, const QString& linksFile)
    : m_impl(std::make_unique<Impl>()) {
    m_impl->customization = customization.get();
    m_impl->hardwareInfo = hardwareInfo.get();
    m_impl->lookAndFeel = lookAndFeel.get();
    m_impl->userSettings = userSettings.get();
    m_impl->launchType = launchTypeProcessor.get();
    m_impl->installerSettings = std::move(installerSettings);

    m_impl->file = linksFile.isEmpty() ? LocateLinksFile() : linksFile;
    m_impl->located = !m_impl->file.isEmpty();
    if (!m_impl->located) {
        m_impl->file = FileName;
        LOG(ERROR)
            << FileName << ": the file is in none of the data folders "
            << Reading::LogText(
                   QStandardPaths::standardLocations(QStandardPaths::AppDataLocation).join(", "))
            << "; every link stays empty";
    }
}

LinksManager::~LinksManager() = default;

QString LinksManager::GetUrl(const QString& name) { return m_impl->Resolve(name); }

QString LinksManager::GetUrl(URLKeys key) { return m_impl->Resolve(KeyName(key)); }

QString LinksManager::GenerateUrl(const QString& name, QMap<QString, QString> parameters) {
    QString address = m_impl->Resolve(name);
    if (address.isEmpty()) {
        return address;
    }
    QStringList pairs;
    for (auto it = parameters.constBegin(); it != parameters.constEnd(); ++it) {
        if (!it.key().isEmpty()) {
            pairs << Encoded(it.key()) + '=' + Encoded(it.value());
        }
    }
    if (pairs.isEmpty()) {
        return address;
    }
    // The fragment starts at the first '#'; a '?' after it is part of the fragment.
    const int hash = address.indexOf('#');
    const QString fragment = hash < 0 ? QString() : address.mid(hash);
    QString base = hash < 0 ? address : address.left(hash);
    if (!base.contains('?')) {
        base += '?';
    } else if (!base.endsWith('?') && !base.endsWith('&')) {
        base += '&';
    }
    return base + pairs.join('&') + fragment;
}

void LinksManager::OpenUrl(const QString& url) {
    if (url.isEmpty()) {
        LOG(WARNING) << "An empty address is not opened";
        return;
    }
    LOG_IF(WARNING, !QDesktopServices::openUrl(QUrl(url)))
        << "Nothing could open the address " << Reading::LogText(url);
}

void LinksManager::OpenUrl(URLKeys key) {
    const QString name = KeyName(key);
    const QString url = m_impl->Resolve(name);
    if (url.isEmpty()) {
        LOG(WARNING) << "The link \"" << Reading::LogText(name)
                     << "\" has no address; nothing is opened";
        return;
    }
    OpenUrl(url);
}

const QString& LinksManager::GetFile() const {
    m_impl->Load();
    return m_impl->file;
}

bool LinksManager::IsLoaded() const {
    m_impl->Load();
    return m_impl->table != nullptr;
}

const QStringList& LinksManager::PlaceholderNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const auto& placeholder : Impl::Placeholders()) {
            list << placeholder.first;
        }
        return list;
    }();
    return names;
}

}  // namespace Quorvel::App
