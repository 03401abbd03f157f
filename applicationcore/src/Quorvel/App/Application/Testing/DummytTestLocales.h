#pragma once

#include <Quorvel/App/Application/Testing/ITest.h>
#include <Quorvel/App/ILookAndFeelManager.h>

#include <list>
#include <memory>
#include <string>

namespace Quorvel::App {

/// The "--test-custom-locales" option of the URL test and the locales it chooses. Not registered
/// with the harness on its own: UrlTest owns one. initialize and run do nothing.
class QUORVEL_APPLICATIONCORE_EXPORT DummytTestLocales : public virtual ITest {
public:
    DummytTestLocales();
    void initialize(const QCommandLineParser& parser) override;
    void run(const QCommandLineParser& parser) override;
    QList<QCommandLineOption> getCLO() const override;

    /// The installed locales that the option names, in installed order, with "ru_RU", "de_DE"
    /// and "en_US" moved to the front.
    std::list<std::string> GetTestLocales(const QCommandLineParser& parser,
                                          const std::shared_ptr<ILookAndFeelManager>& lookAndFeel);
};

}  // namespace Quorvel::App
