#pragma once

#include <Quorvel/App/Application/Testing/ITest.h>
#include <Quorvel/App/ICustomizationManager.h>
#include <Quorvel/App/ILinksManager.h>
#include <Quorvel/App/ILookAndFeelManager.h>
#include <Quorvel/ioPath.h>

#include <list>
#include <memory>
#include <string>

namespace Quorvel::App {

/// Resolves every link key in every chosen interface language once the product has started:
/// "--test-dump-urls" writes them to GetDumpPath() as "\<locale\>;\<key name\>;\<address\>;" lines,
/// "--test-open-urls" also opens them one by one, ten seconds after the start and then
/// "--test-open-urls-delay" milliseconds apart, and "--test-log-urls \<file\>" writes every link
/// the product opens to that file instead of opening it. The interface language is restored
/// afterwards, also when a service throws. GUI thread only.
class QUORVEL_APPLICATIONCORE_EXPORT UrlTest : public virtual ITest {
public:
    /// Throws std::logic_error for an empty service.
    UrlTest(const std::shared_ptr<ICustomizationManager>& customization,
            const std::shared_ptr<ILookAndFeelManager>& lookAndFeel,
            const std::shared_ptr<ILinksManager>& links);
    ~UrlTest() override;

    void initialize(const QCommandLineParser& parser) override;
    void run(const QCommandLineParser& parser) override;
    QList<QCommandLineOption> getCLO() const override;

    /// "\<product name\>-url-dump.csv" in the writable data folder.
    static ioPath GetDumpPath(const ICustomizationManager& customization);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
