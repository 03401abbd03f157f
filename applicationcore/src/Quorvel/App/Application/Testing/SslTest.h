#pragma once

#include <Quorvel/App/Application/Testing/ITest.h>

namespace Quorvel::App {

/// "--test-ssl-disable" and "--test-ssl-enable" (aliases "--ssl-disable", "--ssl-enable") make
/// the utility library's network functions prefer http or https, as soon as the test is
/// registered, before the product starts.
class QUORVEL_APPLICATIONCORE_EXPORT SslTest : public virtual ITest {
public:
    SslTest();
    /// Throws std::invalid_argument when both options are given; nothing is changed then.
    void initialize(const QCommandLineParser& parser) override;
    void run(const QCommandLineParser& parser) override;
    QList<QCommandLineOption> getCLO() const override;
};

}  // namespace Quorvel::App
