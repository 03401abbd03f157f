#include <Quorvel/App/Application/Testing/CrashTest.h>

#include "AccessViolation.h"
#include "internal/OptionValue.h"

#include <Quorvel/Util/TextConversion.h>

#include <QTimer>

#include <glog/logging.h>

#include <stdexcept>
#include <thread>

namespace Quorvel::App {

namespace {

const QStringList kReasons{"segfault", "exception"};
const QStringList kThreads{"main", "background"};

const QString kAfterName = "test-crash-after";

const QCommandLineOption kAfter(kAfterName, "Set crash after timeout in ms", "crashTimeout",
                                "1000");
const QCommandLineOption kReason(
    "test-crash-reason",
    QString("Select a crash reason for %1, available: %2").arg(kAfterName, kReasons.join(", ")),
    "crashReason", "segfault");
const QCommandLineOption kThread(
    "test-crash-thread",
    QString("Select a crash thread for %1, available: %2").arg(kAfterName, kThreads.join(", ")),
    "crashThread", "background");

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
        throw std::runtime_error(Util::QStringToUtf8("Exception from " + kAfterName));
    }
}

}  // namespace

CrashTest::CrashTest() = default;

void CrashTest::initialize(const QCommandLineParser&) {}

void CrashTest::run(const QCommandLineParser& parser) {
    if (!parser.isSet(kAfter)) {
        return;
    }
    const int delay = Internal::OptionNumber(parser, kAfter);
    const QString reason = Validated(parser, kReason, kReasons);
    if (reason.isEmpty()) {
        return;
    }
    const QString thread = Validated(parser, kThread, kThreads);
    if (thread.isEmpty()) {
        return;
    }
    QTimer::singleShot(delay, [reason, thread] {
        if (thread == "main") {
            Crash(reason);
            return;
        }
        std::thread crashing([reason] { Crash(reason); });
        crashing.join();
    });
}

QList<QCommandLineOption> CrashTest::getCLO() const { return {kAfter, kReason, kThread}; }

}  // namespace Quorvel::App
