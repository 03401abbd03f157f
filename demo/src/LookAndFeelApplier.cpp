#include "LookAndFeelApplier.h"

#include <Quorvel/Util/TextConversion.h>

#include <QApplication>

#include <algorithm>

LookAndFeelApplier::LookAndFeelApplier(
    std::shared_ptr<Quorvel::App::LookAndFeelManager> manager,
    std::shared_ptr<Quorvel::App::IApplicationSettingsManager> settings,
    std::shared_ptr<Quorvel::App::ICustomizationManager> customization, Choices choices)
    : m_manager(std::move(manager)),
      m_settings(std::move(settings)),
      m_customization(std::move(customization)),
      m_choices(choices) {
    m_manager->RegisterObserver(this);
}

LookAndFeelApplier::~LookAndFeelApplier() { m_manager->UnregisterObserver(this); }

void LookAndFeelApplier::Restore() {
    const auto& themes = m_manager->GetThemes();
    std::string theme = m_settings->GetString(ThemeKey, DefaultTheme);
    // A theme removed since the last run falls back to the default one, or any one.
    if (std::find(themes.begin(), themes.end(), theme) == themes.end()) {
        const bool hasDefault =
            std::find(themes.begin(), themes.end(), DefaultTheme) != themes.end();
        theme = hasDefault || themes.empty() ? DefaultTheme : themes.front();
    }
    m_manager->Initialize(m_settings->GetString(LocaleKey, std::string()), theme);
}

void LookAndFeelApplier::OnLocaleChanged(const std::string& locale) {
    if (m_choices == Choices::Remembered) {
        m_settings->SetString(LocaleKey, locale);
    }
    m_customization->SwitchLocale(locale);
    // Font sizes may depend on the language, and only a theme change rebuilds the sheet.
    // Clearing first keeps the theme's resource files registered once, not once per switch.
    const std::string theme = m_manager->GetCurrentTheme();
    if (!theme.empty()) {
        m_manager->SetTheme(std::string());
        m_manager->SetTheme(theme);
    }
}

void LookAndFeelApplier::OnThemeChanged(const std::string& theme) {
    qApp->setStyleSheet(Quorvel::Util::Utf8ToQString(m_manager->GetUnitedStylesheet()));
    if (m_choices == Choices::Remembered) {
        m_settings->SetString(ThemeKey, theme);
    }
}
