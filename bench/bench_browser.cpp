// The preferred browser's costs, each measured beside a baseline in the same run:
//
//   - GetCurrentProcessMap over all running processes against listing the same processes
//     with `ps -e -o comm=` through QProcess, what a product would otherwise do (target: not
//     slower);
//   - Path() of a browser whose path is known and whose file exists (the cached case, taken
//     by every link the product opens) against a plain QFile::exists of the same path.
//
// Prints "ratio <name>: X.XX" from the real time per iteration of each pair (the median of
// the repetitions, if any).

#include <Quorvel/App/Application/Browser/PreferredBrowser.h>
#include <Quorvel/App/Application/Browser/ProcessMap.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "RatioReport.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace QuorvelBrowserBench {

void ProcessMap(benchmark::State& state) {
    for (auto _ : state) {
        auto processes =
            Quorvel::App::GetCurrentProcessMap([](const QString& name) { return !name.isEmpty(); });
        benchmark::DoNotOptimize(processes);
    }
}

QByteArray ListWithPs() {
    QProcess ps;
    ps.start("ps", {"-e", "-o", "comm="});
    if (!ps.waitForFinished(60000) || ps.exitCode() != 0) {
        return {};
    }
    return ps.readAllStandardOutput();
}

void PsList(benchmark::State& state) {
    for (auto _ : state) {
        QByteArray listing = ListWithPs();
        if (listing.isEmpty()) {
            state.SkipWithError("ps failed");
            break;
        }
        benchmark::DoNotOptimize(listing);
    }
}

// A browser file, and a preferred browser that has found it.
class BrowserFixture {
public:
    BrowserFixture() : m_path(m_dir.filePath("qbrowser")), m_browser(nullptr) {
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly) || file.write("browser") != 7) {
            std::cerr << "cannot write " << m_path.toStdString() << '\n';
            std::abort();
        }
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_browser.Init({"en_US", "", m_path});
        if (m_browser.Path() != m_path) {
            std::cerr << "the browser did not take the remembered path\n";
            std::abort();
        }
    }

    const QString& FilePath() const { return m_path; }
    Quorvel::App::PreferredBrowser& Browser() { return m_browser; }

private:
    QTemporaryDir m_dir;
    QString m_path;
    Quorvel::App::PreferredBrowser m_browser;
};

void CachedPath(benchmark::State& state) {
    BrowserFixture fixture;
    for (auto _ : state) {
        QString path = fixture.Browser().Path();
        benchmark::DoNotOptimize(path);
    }
}

void FileExists(benchmark::State& state) {
    BrowserFixture fixture;
    for (auto _ : state) {
        bool exists = QFile::exists(fixture.FilePath());
        benchmark::DoNotOptimize(exists);
    }
}

const RatioPair kPairs[] = {
    {"GetCurrentProcessMap / ps -e listing", "ProcessMap/GetCurrentProcessMap",
     "ProcessMap/baseline_ps_e", 1.0},
    {"cached Path() / QFile::exists", "Path/cached", "Path/baseline_QFile_exists", 0},
};

// Both sides must see the same processes: one entry per process the enumeration reaches, one
// line per process that ps lists (ps itself among them).
void PrintProcessCounts() {
    int enumerated = 0;
    Quorvel::App::GetCurrentProcessMap([&](const QString&) {
        ++enumerated;
        return false;
    });
    const int listed = ListWithPs().count('\n');
    std::printf("processes: %d enumerated by GetCurrentProcessMap, %d listed by ps\n", enumerated,
                listed);
}

}  // namespace QuorvelBrowserBench

int main(int argc, char** argv) {
    using namespace QuorvelBrowserBench;
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    benchmark::RegisterBenchmark("ProcessMap/GetCurrentProcessMap", &ProcessMap);
    benchmark::RegisterBenchmark("ProcessMap/baseline_ps_e", &PsList);
    benchmark::RegisterBenchmark("Path/cached", &CachedPath);
    benchmark::RegisterBenchmark("Path/baseline_QFile_exists", &FileExists);
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintProcessCounts();
    PrintRatios(reporter.Medians(), kPairs, 1e6, "us");
    benchmark::Shutdown();
    return 0;
}
