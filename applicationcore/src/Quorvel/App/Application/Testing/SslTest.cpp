#include <Quorvel/App/Application/Testing/SslTest.h>

#include <Quorvel/Util/SslUsage.h>

#include <stdexcept>

namespace Quorvel::App {

namespace {

// Made at first use, not when the library is loaded: most runs never ask.
struct Options {
    QCommandLineOption disable{QStringList{"test-ssl-disable", "ssl-disable"},
                               "Use http when possible"};
    QCommandLineOption enable{QStringList{"test-ssl-enable", "ssl-enable"},
                              "Use https when possible"};
};

const Options& Option() {
    static const Options options;
    return options;
}

}  // namespace

SslTest::SslTest() = default;

void SslTest::initialize(const QCommandLineParser& parser) {
    const bool disable = parser.isSet(Option().disable);
    const bool enable = parser.isSet(Option().enable);
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

QList<QCommandLineOption> SslTest::getCLO() const { return {Option().disable, Option().enable}; }

}  // namespace Quorvel::App
