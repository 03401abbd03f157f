#pragma once

#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/App/IApplicationSettingsManager.h>
#include <Quorvel/App/ICustomizationManager.h>

#include <memory>

// Applies what the look-and-feel manager decides: sets the united style sheet on the
// application whenever the theme changes, follows the interface language with the
// customization and the locale's fonts, and remembers both choices for the next start, unless
// told to leave them: the headless tour visits every theme and language and must never leave
// one of them behind as the user's choice, even when it is killed on the way.
class LookAndFeelApplier : public Quorvel::App::ILookAndFeelObserver {
public:
    enum class Choices { Remembered, LeftAlone };

    static constexpr const char* LocaleKey = "LookAndFeel/Locale";
    static constexpr const char* ThemeKey = "LookAndFeel/Theme";
    static constexpr const char* DefaultTheme = "light";

    LookAndFeelApplier(std::shared_ptr<Quorvel::App::LookAndFeelManager> manager,
                       std::shared_ptr<Quorvel::App::IApplicationSettingsManager> settings,
                       std::shared_ptr<Quorvel::App::ICustomizationManager> customization,
                       Choices choices);
    ~LookAndFeelApplier() override;

    // Initializes the manager with the choice remembered from the last run; an empty
    // locale lets the manager pick from the system's languages.
    void Restore();

    void OnLocaleChanged(const std::string& locale) override;
    void OnThemeChanged(const std::string& theme) override;

private:
    std::shared_ptr<Quorvel::App::LookAndFeelManager> m_manager;
    std::shared_ptr<Quorvel::App::IApplicationSettingsManager> m_settings;
    std::shared_ptr<Quorvel::App::ICustomizationManager> m_customization;
    Choices m_choices;
};
