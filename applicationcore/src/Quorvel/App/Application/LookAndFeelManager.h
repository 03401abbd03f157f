#pragma once

#include <Quorvel/App/ILookAndFeelManager.h>
#include <Quorvel/ApplicationCoreExport.h>
#include <Quorvel/ioPath.h>

#include <QFileInfo>
#include <QList>
#include <QStringList>

#include <list>
#include <memory>
#include <string>

class IQssPreprocessor;

namespace Quorvel::App {

/// Themes and interface languages installed in the product's data directory:
///
///   \<root\>/resources/themes/\<theme\>/\<title file\>   JSON titles, one member per locale
///   \<root\>/resources/themes/\<theme\>/\<name\>.rcc     compiled resources with the style sheets
///   \<root\>/resources/locales/\<locale\>/*.qm         translations
///
/// A theme's resources are registered while it is current; its style sheets, the product's
/// own ":/productStyle.qss" and ":/productStyle_\<platform\>.qss", and font placeholders are
/// joined into one united style sheet that the product applies itself. Bad input never
/// throws: missing files contribute nothing.
class QUORVEL_APPLICATIONCORE_EXPORT LookAndFeelManager : public ILookAndFeelManager {
public:
    /// Discovers the installed themes and locales under `root`; `titleFileName` names each
    /// theme's title file, `resourceFilter` the .rcc files to register (empty: all).
    /// Selects and applies nothing.
    LookAndFeelManager(const Quorvel::ioPath& root, const std::string& titleFileName,
                       const std::list<std::string>& resourceFilter);
    ~LookAndFeelManager() override;

    /// One manager per data directory.
    /// @{
    LookAndFeelManager(const LookAndFeelManager&) = delete;
    LookAndFeelManager& operator=(const LookAndFeelManager&) = delete;
    /// @}

    void Initialize(const std::string& locale, const std::string& theme) override;

    const std::string& GetCurrentLocale() const override;
    const std::list<std::string>& GetLocales() const override;
    void SetLocale(const std::string& locale) override;
    std::string GetLocalizedThemeName(const std::string& theme) const override;
    /// "unknown": no preference of the product. Derive to prefer a locale when the system's
    /// languages match none of the installed ones.
    std::string GetDefaultLocale() const override;

    const std::list<std::string>& GetThemes() const override;
    void SetTheme(const std::string& theme) override;
    const std::string& GetCurrentTheme() const override;
    void ApplyTheme(const ThemeDescription& description) override;
    std::string GetUnitedStylesheet() override;

    void RegisterObserver(ILookAndFeelObserver* observer) override;
    void UnregisterObserver(ILookAndFeelObserver* observer) override;

    /// Takes effect at the next ApplyTheme; the current sheet is left as it is.
    void SetQssPreprocessor(const std::shared_ptr<IQssPreprocessor>& preprocessor);

protected:
    /// The user's interface languages in order of preference, as BCP 47 names; by default
    /// those of the default QLocale. Virtual only so that tests can present a system with
    /// several preferred languages, which a single default QLocale cannot express.
    virtual QStringList GetSystemLanguages() const;

private:
    std::string ValidateLocale(const std::string& locale) const;
    QList<QFileInfo> GetFilteredResourceList();
    void ClearCurrentTheme();

    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
