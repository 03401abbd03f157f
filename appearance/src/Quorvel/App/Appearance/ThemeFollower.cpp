#include <Quorvel/App/Appearance/ThemeFollower.h>

#include "TitleBars.h"

#include <Quorvel/NotNull.h>
#include <Quorvel/Reading/LogText.h>

#include <QPointer>

#include <glog/logging.h>

#include <algorithm>

namespace Quorvel::App {

struct ThemeFollower::Impl {
    Impl(Quorvel::NotNull<std::shared_ptr<ILookAndFeelManager>> lookAndFeel,
         Quorvel::NotNull<std::shared_ptr<ISettingsManager>> store,
         Quorvel::NotNull<DesktopAppearance*> source)
        : manager(std::move(lookAndFeel)), settings(std::move(store)), desktop(source.get()) {}

    Quorvel::NotNull<std::shared_ptr<ILookAndFeelManager>> manager;
    Quorvel::NotNull<std::shared_ptr<ISettingsManager>> settings;
    QPointer<DesktopAppearance> desktop;
    std::string light;
    std::string dark;
    bool following = false;
    std::unique_ptr<Platform::TitleBars> titleBars;

    bool HasThemes() const { return !light.empty() && !dark.empty(); }

    bool Lists(const std::string& theme) const {
        const auto& themes = manager->GetThemes();
        return std::find(themes.begin(), themes.end(), theme) != themes.end();
    }

    void Follow(DesktopAppearance::Scheme scheme) {
        if (!following || scheme == DesktopAppearance::Scheme::NoPreference) {
            return;
        }
        const std::string& wanted = scheme == DesktopAppearance::Scheme::Dark ? dark : light;
        if (wanted != manager->GetCurrentTheme()) {
            manager->SetTheme(wanted);
        }
    }
};

ThemeFollower::ThemeFollower(std::shared_ptr<ILookAndFeelManager> manager,
                             std::shared_ptr<ISettingsManager> settings, DesktopAppearance* desktop,
                             QObject* parent)
    : QObject(parent),
      m_impl(std::make_unique<Impl>(std::move(manager), std::move(settings), desktop)) {
    m_impl->manager->RegisterObserver(this);
    connect(desktop, &DesktopAppearance::SchemeChanged, this,
            [this](DesktopAppearance::Scheme scheme) { m_impl->Follow(scheme); });
}

ThemeFollower::~ThemeFollower() { m_impl->manager->UnregisterObserver(this); }

bool ThemeFollower::SetThemes(const std::string& lightTheme, const std::string& darkTheme) {
    for (const std::string* theme : {&lightTheme, &darkTheme}) {
        if (!m_impl->Lists(*theme)) {
            LOG(WARNING) << "The theme [" << Reading::LogText(*theme)
                         << "] is not installed; the desktop's light and dark preference is "
                            "not followed";
            m_impl->light.clear();
            m_impl->dark.clear();
            if (m_impl->following) {
                m_impl->following = false;
                emit FollowingChanged(false);
            }
            return false;
        }
    }
    m_impl->light = lightTheme;
    m_impl->dark = darkTheme;
    if (!m_impl->titleBars) {
        m_impl->titleBars = Platform::CreateTitleBars();
    }
    OnThemeChanged(m_impl->manager->GetCurrentTheme());
    if (m_impl->settings->GetBool(FollowSystemKey, false)) {
        SetFollowing(true);
    }
    return true;
}

bool ThemeFollower::IsFollowing() const { return m_impl->following; }

void ThemeFollower::SetFollowing(bool follow) {
    if (follow && !m_impl->HasThemes()) {
        LOG(WARNING) << "The desktop's light and dark preference cannot be followed before the "
                        "product's light and dark themes are set";
        return;
    }
    // Written only when it changes: nothing the user did not change is rewritten.
    if (m_impl->settings->GetBool(FollowSystemKey, false) != follow) {
        m_impl->settings->SetBool(FollowSystemKey, follow);
    }
    const bool changed = follow != m_impl->following;
    m_impl->following = follow;
    if (m_impl->desktop) {
        m_impl->Follow(m_impl->desktop->CurrentScheme());
    }
    if (changed) {
        emit FollowingChanged(follow);
    }
}

void ThemeFollower::OnLocaleChanged(const std::string&) {}

void ThemeFollower::OnThemeChanged(const std::string& theme) {
    if (m_impl->titleBars && m_impl->HasThemes()) {
        m_impl->titleBars->SetDark(theme == m_impl->dark);
    }
}

}  // namespace Quorvel::App
