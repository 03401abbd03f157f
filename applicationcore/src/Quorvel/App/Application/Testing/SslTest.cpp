#include <Quorvel/App/Application/Testing/SslTest.h>

#include <Quorvel/Util/SslUsage.h>

#include <stdexcept>

namespace Quorvel::App {

namespace {

const QCommandLineOption kDisable(QStringList{"test-ssl-disable", "ssl-disable"},
                                  "Use http when possible");
const QCommandLineOption kEnable(QStringList{"test-ssl-enable", "ssl-enable"},
                                 "Use https when possible");

}  // namespace

SslTest::SslTest() = default;

void SslTest::initialize(const QCommandLineParser& parser) {
    const bool disable = parser.isSet(kDisable);
    const bool enable = parser.isSet(kEnable);
    if (disable && enable) {
        throw std::invalid_argument(
            "Invalid options combination: test-ssl-disable and test-ssl-enable");
    }
    if (disable) {
        Util::SetDefaultSslUsage(false);
    }
    if (enable) {
        Util::SetDefaultSslUsage(true);
    }
}

void SslTest::run(const QCommandLineParser&) {}

QList<QCommandLineOption> SslTest::getCLO() const { return {kDisable, kEnable}; }

}  // namespace Quorvel::App
