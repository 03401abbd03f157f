#pragma once

#include <Quorvel/App/Application/ILifetimeManager.h>
#include <Quorvel/App/Application/Testing/ITest.h>
#include <Quorvel/App/ICustomizationManager.h>
#include <Quorvel/App/ILinksManager.h>
#include <Quorvel/App/ILookAndFeelManager.h>
#include <Quorvel/ApplicationCoreExport.h>
#include <Quorvel/NotNull.h>

#include <QStringList>

#include <memory>

namespace Quorvel::App {

/// The diagnostic harness for support staff. The product's main creates one once the application
/// and its lifetime manager exist: it registers the built-in tests (help, SSL preference, crash),
/// which read the command line at once, and `initialize` adds the URL test once the services
/// exist. When the lifetime manager starts, every registered test runs once, in registration
/// order. The harness never reports command-line errors; an exception of a test leaves the call
/// that reached it (construction, addTest, start). GUI thread only.
class QUORVEL_APPLICATIONCORE_EXPORT Testing {
public:
    /// Throws std::logic_error for an empty manager, and whatever a built-in test's initialize
    /// throws (both SSL options at once).
    explicit Testing(const std::shared_ptr<ILifetimeManager>& lifetimeManager);
    ~Testing();
    Testing(const Testing&) = delete;
    Testing& operator=(const Testing&) = delete;

    /// Registers the URL test with these services; throws std::logic_error when one is empty.
    void initialize(const std::shared_ptr<ICustomizationManager>& customization,
                    const std::shared_ptr<ILookAndFeelManager>& lookAndFeel,
                    const std::shared_ptr<ILinksManager>& links);
    /// Appends the test and initialises it with the current command line. A test added after
    /// the start is never run.
    void addTest(const NotNull<std::shared_ptr<ITest>>& test);

    /// The options of every registered test, in registration order.
    QList<QCommandLineOption> getCommandLineArguments();
    /// All names of those options, aliases included, without dashes.
    QStringList getCommandLineArgumentsString();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
