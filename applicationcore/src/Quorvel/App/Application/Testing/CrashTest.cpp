#include <Quorvel/App/Application/Testing/CrashTest.h>

#include "AccessViolation.h"
#include "internal/OptionValue.h"

#include <Quorvel/Util/TextConversion.h>

#include <QTimer>

#include <glog/logging.h>

#include <optional>
#include <stdexcept>
#include <thread>

namespace Quorvel::App {

namespace {

const char* const kAfterName = "test-crash-after";

// Made at first use, not when the library is loaded: most runs never ask.
struct Options {
    QStringList reasons{"segfault", "exception"};
    QStringList threads{"main", "background"};
    QCommandLineOption after{kAfterName, "Set crash after timeout in ms", "crashTimeout", "1000"};
    QCommandLineOption reason{
        "test-crash-reason",
        QString("Select a crash reason for %1, available: %2").arg(kAfterName, reasons.join(", ")),
        "crashReason", "segfault"};
    QCommandLineOption thread{
        "test-crash-thread",
        QString("Select a crash thread for %1, available: %2").arg(kAfterName, threads.join(", ")),
        "crashThread", "background"};
};

const Options& Option() {
    static const Options options;
    return options;
}

// The option's value when it is one of `allowed`, else one error record and an empty string.
QString Validated(const QCommandLineParser& parser, const QCommandLineOption& option,
                  const QStringList& allowed) {
    const QString value = Internal::OptionValue(parser, option);
    if (allowed.contains(value)) {
        return value;
    }
    LOG(ERROR) << Util::QStringToUtf8(
        QString("%1 isn't supported value for %2").arg(value, option.names().first()));
    return QString();
}

void Crash(const QString& reason) {
    if (reason == "segfault") {
        Platform::RaiseAccessViolation();
    }
    if (reason == "exception") {
        throw std::runtime_error(std::string("Exception from ") + kAfterName);
    }
}

}  // namespace

CrashTest::CrashTest() = default;

void CrashTest::initialize(const QCommandLineParser&) {}

void CrashTest::run(const QCommandLineParser& parser) {
    if (!parser.isSet(Option().after)) {
        return;
    }
    const std::optional<int> delay = Internal::OptionMilliseconds(parser, Option().after);
    if (!delay) {
        return;
    }
    const QString reason = Validated(parser, Option().reason, Option().reasons);
    if (reason.isEmpty()) {
        return;
    }
    const QString thread = Validated(parser, Option().thread, Option().threads);
    if (thread.isEmpty()) {
        return;
    }
    QTimer::singleShot(*delay, [reason, thread] {
        if (thread == "main") {
            Crash(reason);
            return;
        }
        std::thread crashing([reason] { Crash(reason); });
        crashing.join();
    });
}

QList<QCommandLineOption> CrashTest::getCLO() const {
    return {Option().after, Option().reason, Option().thread};
}

}  // namespace Quorvel::App
