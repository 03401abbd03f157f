#pragma once

#include <Quorvel/App/Appearance/DesktopAppearance.h>
#include <Quorvel/App/ILookAndFeelManager.h>
#include <Quorvel/App/ILookAndFeelObserver.h>
#include <Quorvel/App/ISettingsManager.h>
#include <Quorvel/AppearanceExport.h>

#include <QObject>

#include <memory>
#include <string>

namespace Quorvel::App {

/// Switches the product between its light and its dark theme as the desktop's preference
/// changes, while the user has chosen to follow it. The switch goes through the look-and-feel
/// manager like a user's pick; "no preference" keeps the theme that is current. The choice is
/// kept as "LookAndFeel/FollowSystem" (default false) in `settings`, beside the theme in use.
/// On Windows, the title bars are dark while the dark theme is current. GUI thread only; the
/// product owns it and the desktop source, which must outlive it.
class QUORVEL_APPEARANCE_EXPORT ThemeFollower : public QObject, public ILookAndFeelObserver {
    Q_OBJECT
public:
    /// The settings key of the user's choice to follow the desktop (false when missing).
    static constexpr const char* FollowSystemKey = "LookAndFeel/FollowSystem";

    /// Throws std::logic_error when `manager`, `settings` or `desktop` is empty.
    ThemeFollower(std::shared_ptr<ILookAndFeelManager> manager,
                  std::shared_ptr<ISettingsManager> settings, DesktopAppearance* desktop,
                  QObject* parent = nullptr);
    ~ThemeFollower() override;

    /// Which of the product's themes is its light and which its dark one. A name the manager
    /// does not list is refused with a WARNING naming it, and following stays off; with a
    /// valid pair, a stored choice to follow takes effect.
    bool SetThemes(const std::string& lightTheme, const std::string& darkTheme);

    /// Whether the theme follows the desktop now.
    bool IsFollowing() const;

    void OnLocaleChanged(const std::string& locale) override;
    void OnThemeChanged(const std::string& theme) override;

public slots:
    /// Stored at once; turning it on switches to what the desktop wants now. Refused (a
    /// WARNING) while no valid pair of themes is set.
    void SetFollowing(bool follow);

signals:
    /// Following was turned on or off: by SetFollowing, or off by a theme picked by hand.
    void FollowingChanged(bool following);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
