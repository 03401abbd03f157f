#pragma once

#include "CollectingReporter.h"

#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <utility>

// Two benchmarks of one run whose times are compared: the measured one over its baseline.
struct RatioPair {
    const char* label;
    const char* numerator;
    const char* denominator;
    double target = 0;  // the ratio not to exceed; 0: none
};

// Prints each pair's ratio with both times, in `unit` (seconds times `scale`).
template <std::size_t N>
void PrintRatios(const Results& results, const RatioPair (&pairs)[N], double scale,
                 const char* unit) {
    std::printf("\nReal time per iteration, each pair from this run:\n");
    for (const RatioPair& pair : pairs) {
        const auto numerator = results.find(pair.numerator);
        const auto denominator = results.find(pair.denominator);
        if (numerator == results.end() || denominator == results.end() ||
            denominator->second <= 0) {
            std::printf("ratio %s: n/a (not run)\n", pair.label);
            continue;
        }
        const double ratio = numerator->second / denominator->second;
        std::printf("ratio %s: %.3f  (%.2f %s / %.2f %s)", pair.label, ratio,
                    numerator->second * scale, unit, denominator->second * scale, unit);
        if (pair.target > 0) {
            std::printf("  (target <= %.2f: %s)", pair.target,
                        ratio <= pair.target ? "met" : "MISSED");
        }
        std::printf("\n");
    }
}

using BenchmarkFunction = void (*)(benchmark::State&);

// Registers the benchmarks, runs those the command line picks and prints the pairs' ratios;
// 2 for an option that Google Benchmark does not know.
template <std::size_t N>
int RunAndPrintRatios(int argc, char** argv,
                      std::initializer_list<std::pair<const char*, BenchmarkFunction>> benchmarks,
                      const RatioPair (&pairs)[N], double scale, const char* unit) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    for (const auto& [name, function] : benchmarks) {
        benchmark::RegisterBenchmark(name, function);
    }
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter.Medians(), pairs, scale, unit);
    benchmark::Shutdown();
    return 0;
}
