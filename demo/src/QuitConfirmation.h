#pragma once

#include <Quorvel/App/Application/LifetimeObserver.h>
#include <Quorvel/App/IApplicationSettingsManager.h>

#include <functional>
#include <memory>

class QWidget;

// Asks "Quit?" before the demo quits, with "Don't show this again". Only a "Yes" is remembered:
// a remembered "No" would leave the user no way to quit. A quit that someone already asked
// about (unsaved notes, a restart) is not asked about twice.
class QuitConfirmation : public Quorvel::App::LifetimeObserver {
public:
    static constexpr const char* Id = "quit";

    // `parent` is the main window, whose title names the product.
    QuitConfirmation(std::shared_ptr<Quorvel::App::IApplicationSettingsManager> settings,
                     std::function<bool()> alreadyAsked, QWidget* parent);

    void onTryToQuit(const std::function<void()>& veto) override;

private:
    std::shared_ptr<Quorvel::App::IApplicationSettingsManager> m_settings;
    std::function<bool()> m_alreadyAsked;
    QWidget* m_parent;
};
