#include <Quorvel/App/Application/LookAndFeelManager.h>

#include <Quorvel/App/Application/LookAndFeel/DataDirectory.h>
#include <Quorvel/App/Application/LookAndFeel/DesktopFontWatcher.h>
#include <Quorvel/App/Application/LookAndFeel/LocaleChooser.h>
#include <Quorvel/App/Application/LookAndFeel/ReportedProblems.h>
#include <Quorvel/App/Application/LookAndFeel/ThemeCatalogue.h>
#include <Quorvel/App/Application/LookAndFeel/ThemeResources.h>
#include <Quorvel/App/Application/LookAndFeel/Translators.h>
#include <Quorvel/App/Application/LookAndFeel/UnitedStyleSheet.h>
#include <Quorvel/Core/EventHandlerList.h>
#include <Quorvel/IQssPreprocessor.h>
#include <Quorvel/Reading/LogText.h>
#include <Quorvel/Util/TextConversion.h>

#include <QLocale>
#include <QPixmapCache>

#include <glog/logging.h>

namespace Quorvel::App {

using namespace LookAndFeel;

struct LookAndFeelManager::Impl {
    Impl(const Quorvel::ioPath& rootPath, const std::string& titleFileName,
         const std::list<std::string>& filter)
        : root(rootPath),
          resourceFilter(filter),
          catalogue(rootPath, titleFileName, problems),
          resources(rootPath, filter) {
        for (const QFileInfo& locale : InstalledFolders(root, QStringLiteral("locales"))) {
            locales.push_back(Util::QStringToUtf8(locale.baseName()));
        }
    }

    // First, so that the parts below may report while they are made.
    ReportedProblems problems;
    Quorvel::ioPath root;
    std::list<std::string> resourceFilter;
    std::list<std::string> locales;
    std::string currentLocale;
    ThemeCatalogue catalogue;
    ThemeResources resources;
    std::string currentTheme;
    QString unitedStyleSheet;
    Translators translators;
    Quorvel::Core::EventHandlerList<ILookAndFeelObserver> observers;
    std::shared_ptr<IQssPreprocessor> preprocessor;
    // While SetTheme applies the theme: its files, read as they were registered.
    const PrereadThemeFiles* preread = nullptr;
    // Sizes relative to the desktop's font are resolved again when that font changes.
    ThemeDescription applied;
    std::unique_ptr<DesktopFontWatcher> fontWatcher;
};

LookAndFeelManager::LookAndFeelManager(const Quorvel::ioPath& root,
                                       const std::string& titleFileName,
                                       const std::list<std::string>& resourceFilter)
    : m_impl(std::make_unique<Impl>(root, titleFileName, resourceFilter)) {
    m_impl->fontWatcher = std::make_unique<DesktopFontWatcher>([this] {
        if (m_impl->currentTheme.empty()) {
            return;
        }
        ApplyTheme(m_impl->applied);
        const std::string current = m_impl->currentTheme;
        m_impl->observers.Notify(&ILookAndFeelObserver::OnThemeChanged, current);
    });
}

LookAndFeelManager::~LookAndFeelManager() = default;

void LookAndFeelManager::Initialize(const std::string& locale, const std::string& theme) {
    // The theme's font placeholders depend on the locale, so the locale goes first.
    SetLocale(locale);
    SetTheme(theme);
}

const std::string& LookAndFeelManager::GetCurrentLocale() const { return m_impl->currentLocale; }

const std::list<std::string>& LookAndFeelManager::GetLocales() const { return m_impl->locales; }

const std::list<std::string>& LookAndFeelManager::GetThemes() const {
    return m_impl->catalogue.Themes();
}

const std::string& LookAndFeelManager::GetCurrentTheme() const { return m_impl->currentTheme; }

std::string LookAndFeelManager::GetDefaultLocale() const { return kUnknownLocale; }

QStringList LookAndFeelManager::GetSystemLanguages() const { return QLocale().uiLanguages(); }

std::string LookAndFeelManager::ValidateLocale(const std::string& locale) const {
    if (IsInstalledLocale(locale, m_impl->locales)) {
        return locale;
    }
    const QStringList languages = GetSystemLanguages();
    return ChooseLocale(m_impl->locales, languages, GetDefaultLocale());
}

void LookAndFeelManager::SetLocale(const std::string& locale) {
    const std::string resolved = ValidateLocale(locale);
    if (resolved == m_impl->currentLocale) {
        return;
    }
    m_impl->currentLocale = resolved;
    m_impl->translators.Replace(ToQt(m_impl->root / "resources" / "locales" / resolved), resolved,
                                m_impl->resourceFilter, m_impl->problems);

    // A copy, in case an observer changes the locale again while being told.
    const std::string current = m_impl->currentLocale;
    m_impl->observers.Notify(&ILookAndFeelObserver::OnLocaleChanged, current);
}

std::string LookAndFeelManager::GetLocalizedThemeName(const std::string& theme) const {
    if (auto title = m_impl->catalogue.Title(theme, m_impl->currentLocale)) {
        return *title;
    }
    LOG(WARNING) << "No title found for theme [" << Reading::LogText(theme) << "] on language ["
                 << Reading::LogText(m_impl->currentLocale) << "]!";
    return theme;
}

void LookAndFeelManager::SetTheme(const std::string& theme) {
    if (theme != m_impl->currentTheme) {
        ClearCurrentTheme();
    }
    if (theme.empty()) {
        return;
    }
    m_impl->currentTheme = theme;

    PrereadThemeFiles preread;
    const ThemeDescription description =
        ThemeResources::Register(GetFilteredResourceList(), preread, m_impl->problems);
    struct Forget {
        const PrereadThemeFiles*& preread;
        ~Forget() { preread = nullptr; }
    } forget{m_impl->preread = &preread};
    ApplyTheme(description);

    const std::string current = m_impl->currentTheme;
    m_impl->observers.Notify(&ILookAndFeelObserver::OnThemeChanged, current);
}

QList<QFileInfo> LookAndFeelManager::GetFilteredResourceList() {
    return m_impl->resources.Files(m_impl->currentTheme, m_impl->problems);
}

void LookAndFeelManager::ClearCurrentTheme() {
    if (!m_impl->currentTheme.empty()) {
        ThemeResources::Unregister(GetFilteredResourceList());
        m_impl->currentTheme.clear();
        m_impl->fontWatcher->SetActive(false);
    }
    // Images of the old theme's resources must not be served from the cache.
    QPixmapCache::clear();
}

void LookAndFeelManager::ApplyTheme(const ThemeDescription& description) {
    bool relative = false;
    m_impl->unitedStyleSheet =
        BuildUnitedStyleSheet(description, Util::Utf8ToQString(m_impl->currentLocale),
                              m_impl->problems, m_impl->preread, &relative);
    m_impl->applied = description;
    m_impl->fontWatcher->SetActive(relative);
    if (m_impl->preprocessor) {
        m_impl->preprocessor->Preprocess(m_impl->unitedStyleSheet);
    }
}

std::string LookAndFeelManager::GetUnitedStylesheet() {
    return Util::QStringToUtf8(m_impl->unitedStyleSheet);
}

void LookAndFeelManager::RegisterObserver(ILookAndFeelObserver* observer) {
    m_impl->observers.RegisterEventHandler(observer);
}

void LookAndFeelManager::UnregisterObserver(ILookAndFeelObserver* observer) {
    m_impl->observers.UnregisterEventHandler(observer);
}

void LookAndFeelManager::SetQssPreprocessor(const std::shared_ptr<IQssPreprocessor>& preprocessor) {
    m_impl->preprocessor = preprocessor;
}

}  // namespace Quorvel::App
