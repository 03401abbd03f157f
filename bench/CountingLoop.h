#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

// How each benchmark program runs one case: Google Benchmark's loop (Measure), or exactly N
// times for callgrind (Count). run_benchmarks.sh collects only Repeat by its name.
namespace QuorvelBench {

template <class Case>
void Measure(benchmark::State& state) {
    Case operation;
    for (auto _ : state) {
        operation();
    }
}

// Kept out of line so that callgrind can collect this function alone (--toggle-collect),
// leaving start-up, which varies from run to run, out of the counts.
template <class Case>
__attribute__((noinline)) void Repeat(Case& operation, long events) {
    for (long i = 0; i < events; ++i) {
        operation();
    }
}

template <class Case>
void Count(long events) {
    Case operation;
    Repeat(operation, events);
}

// The counting loop alone, subtracted from the other counts by run_benchmarks.sh.
class EmptyCase {
public:
    void operator()() { benchmark::ClobberMemory(); }
};

// A case of a program's counting mode.
struct CountedCase {
    const char* name;
    void (*count)(long events);
};

// Counting mode: with --count=<case> --events=N on the command line, runs that case of `cases`
// N times and gives the exit status (2, naming the cases, for an unknown one or no N); without
// --count, nothing, and the program runs Google Benchmark.
template <std::size_t N>
std::optional<int> CountIfAsked(int argc, char** argv, const CountedCase (&cases)[N]) {
    std::string name;
    long events = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--count=", 0) == 0) {
            name = arg.substr(8);
        } else if (arg.rfind("--events=", 0) == 0) {
            events = std::strtol(arg.c_str() + 9, nullptr, 10);
        }
    }
    if (name.empty()) {
        return std::nullopt;
    }
    const auto found = std::find_if(std::begin(cases), std::end(cases),
                                    [&](const CountedCase& c) { return name == c.name; });
    if (found == std::end(cases) || events < 0) {
        std::cerr << "--count=<case> --events=N; cases:";
        for (const CountedCase& c : cases) {
            std::cerr << ' ' << c.name;
        }
        std::cerr << '\n';
        return 2;
    }
    found->count(events);
    return 0;
}

}  // namespace QuorvelBench
