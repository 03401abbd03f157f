#pragma once

#include <benchmark/benchmark.h>

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

}  // namespace QuorvelBench
