#pragma once

#include <Quorvel/ApplicationCoreExport.h>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>

namespace Quorvel::App {

/// One diagnostic of the test harness (Testing). It declares its own command-line options, reads
/// them when it is registered and again when the product has started, and does nothing when they
/// are absent. GUI thread only.
class QUORVEL_APPLICATIONCORE_EXPORT ITest {
public:
    virtual ~ITest() = default;
    /// Called once, when the test is registered.
    virtual void initialize(const QCommandLineParser& parser) = 0;
    /// Called once, when the product has started.
    virtual void run(const QCommandLineParser& parser) = 0;
    /// The test's options, always in the same order.
    virtual QList<QCommandLineOption> getCLO() const = 0;
};

}  // namespace Quorvel::App
