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
    struct ThemeDescription {
        std::list<std::string> styleSheets;    ///< joined in this order
        std::list<std::string> fontConfigs;    ///< later files win
        std::list<std::string> fontManifests;  ///< font files to register
    };

    virtual ~ILookAndFeelManager() = default;
    virtual void Initialize(const std::string& locale, const std::string& theme) = 0;
    virtual const std::string& GetCurrentLocale() const = 0;
    virtual const std::list<std::string>& GetLocales() const = 0;
    virtual const std::list<std::string>& GetThemes() const = 0;
    virtual void SetLocale(const std::string& locale) = 0;
    virtual void SetTheme(const std::string& theme) = 0;
    virtual const std::string& GetCurrentTheme() const = 0;
    virtual std::string GetLocalizedThemeName(const std::string& theme) const = 0;
    virtual void ApplyTheme(const ThemeDescription& description) = 0;
    virtual std::string GetUnitedStylesheet() = 0;
    virtual std::string GetDefaultLocale() const = 0;
    virtual void RegisterObserver(ILookAndFeelObserver* observer) = 0;
    virtual void UnregisterObserver(ILookAndFeelObserver* observer) = 0;
};

}  // namespace Quorvel::App
