#pragma once

#include <Quorvel/App/ILookAndFeelObserver.h>
#include <Quorvel/ContractsExport.h>

#include <list>
#include <string>

namespace Quorvel::App {

/// Installed themes and interface languages, the current choice of each, and the united
/// style sheet of the current theme. The product applies the sheet itself.
class QUORVEL_CONTRACTS_EXPORT ILookAndFeelManager {
public:
    /// What a theme consists of: resource paths of its style sheets and font files.
    struct ThemeDescription {
        std::list<std::string> styleSheets;    ///< joined in this order
        std::list<std::string> fontConfigs;    ///< later files win
        std::list<std::string> fontManifests;  ///< font files to register
    };

    virtual ~ILookAndFeelManager() = default;
    /// Chooses the interface language and theme of the session (either may be one that is not
    /// installed: a fallback is chosen then) and applies them.
    virtual void Initialize(const std::string& locale, const std::string& theme) = 0;
    /// The interface language in effect ("de_DE"); the reference stays valid until the next
    /// change of language.
    virtual const std::string& GetCurrentLocale() const = 0;
    /// The installed interface languages.
    virtual const std::list<std::string>& GetLocales() const = 0;
    /// The installed themes, by folder name.
    virtual const std::list<std::string>& GetThemes() const = 0;
    /// Switches the interface language and tells the observers; an unknown locale is
    /// replaced by the best installed one.
    virtual void SetLocale(const std::string& locale) = 0;
    /// Switches the theme and tells the observers; an unknown theme changes nothing.
    virtual void SetTheme(const std::string& theme) = 0;
    /// The theme in effect; empty before Initialize.
    virtual const std::string& GetCurrentTheme() const = 0;
    /// The theme's title in the current interface language, else its folder name.
    virtual std::string GetLocalizedThemeName(const std::string& theme) const = 0;
    /// Registers the fonts of `description` and rebuilds the united style sheet from it.
    virtual void ApplyTheme(const ThemeDescription& description) = 0;
    /// The style sheet of the current theme, placeholders replaced, for the product to apply.
    virtual std::string GetUnitedStylesheet() = 0;
    /// The locale to fall back on when the system's languages match none installed.
    virtual std::string GetDefaultLocale() const = 0;
    /// Adds an observer of language and theme changes (not owned; null and repeats ignored);
    /// it must unregister before it is destroyed.
    virtual void RegisterObserver(ILookAndFeelObserver* observer) = 0;
    /// Removes an observer; one that is not registered is ignored.
    virtual void UnregisterObserver(ILookAndFeelObserver* observer) = 0;
};

}  // namespace Quorvel::App
