#pragma once

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

// Seconds of real time per iteration, by benchmark name (the median over repetitions).
using Results = std::map<std::string, double>;

// Prints as the console reporter does and keeps each benchmark's times, so that a program can
// print ratios of pairs measured in the same run.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    // A reporter of our own does not follow --benchmark_color; colour only on a terminal.
    CollectingReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
                m_samples[run.benchmark_name()].push_back(run.real_accumulated_time /
                                                          static_cast<double>(run.iterations));
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    Results Medians() const {
        Results results;
        for (auto [name, samples] : m_samples) {
            std::sort(samples.begin(), samples.end());
            const size_t n = samples.size();
            results[name] = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
        }
        return results;
    }

private:
    std::map<std::string, std::vector<double>> m_samples;
};
