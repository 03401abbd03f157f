#pragma once

#include <Quorvel/App/Application/Testing/Testing.h>

#include <memory>

// The diagnostic options for support staff ("--test-help" lists them): holds the library's test
// harness, and once the tests ran at start, prints where their files are.
class SupportDiagnostics {
public:
    // Create it once the application exists, before the product's own start-up callbacks, so
    // that the tests run first. Throws when the options contradict each other.
    explicit SupportDiagnostics(const std::shared_ptr<Quorvel::App::ILifetimeManager>& lifetime);

    // Adds the link test, once these services exist.
    void Initialize(const std::shared_ptr<Quorvel::App::ICustomizationManager>& customization,
                    const std::shared_ptr<Quorvel::App::ILookAndFeelManager>& lookAndFeel,
                    const std::shared_ptr<Quorvel::App::ILinksManager>& links);

private:
    void Report();

    Quorvel::App::Testing m_testing;
    std::shared_ptr<Quorvel::App::ICustomizationManager> m_customization;
};
