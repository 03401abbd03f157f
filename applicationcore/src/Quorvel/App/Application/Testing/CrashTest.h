#pragma once

#include <Quorvel/App/Application/Testing/ITest.h>

namespace Quorvel::App {

/// Makes the product crash on purpose, so that crash reporting can be checked:
/// "--test-crash-after \<ms\>" schedules the crash once the product has started,
/// "--test-crash-reason" chooses an access violation ("segfault") or an uncaught
/// std::runtime_error ("exception"), "--test-crash-thread" the GUI thread ("main") or a new
/// thread that the GUI thread waits for ("background"). A value outside those lists is one error
/// record and no crash.
class QUORVEL_APPLICATIONCORE_EXPORT CrashTest : public virtual ITest {
public:
    CrashTest();
    void initialize(const QCommandLineParser& parser) override;
    void run(const QCommandLineParser& parser) override;
    QList<QCommandLineOption> getCLO() const override;
};

}  // namespace Quorvel::App
