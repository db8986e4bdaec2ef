// Steady figures for the benchmarks. A single cold run of a page-sized
// benchmark moves by tens of percent from run to run (first-touch page
// faults, caches, other work on the machine), so each figure is taken after
// a warm-up, over a minimum time, several times, and only the aggregates
// (mean, median, standard deviation, coefficient of variation) are printed.
// Figures that move page bytes also carry "x_memcpy": their time over that
// of a plain memcpy of the same number of bytes, measured in the same run.
//
// Use: register with BENCHMARK(BM_Something)->Apply(SBenchHarness::Steady),
// and in a benchmark that moves N bytes per iteration call
// SBenchHarness::ReportAgainstMemcpy(state, N) after its loop (or, for K
// blocks of N bytes, ReportAgainstMemcpy(state, N, K)). Register
// SBenchHarness::Memcpy with the same byte counts to show the baseline as a
// figure of its own, and end the file with
// "int main(int argc, char** argv) { return SBenchHarness::Main(argc, argv); }"
// in place of BENCHMARK_MAIN() so the ratios read as plain numbers.
#pragma once

#include "RatioConsoleReporter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <unistd.h>

class SBenchHarness
{
public:
    static constexpr double kWarmUpSeconds = 0.2;
    static constexpr double kMinSeconds = 0.5;
    static constexpr int kRepetitions = 3;

    // For Apply: BENCHMARK(BM_Something)->Apply(SBenchHarness::Steady).
    static void Steady(benchmark::internal::Benchmark* bench)
    {
        bench->MinWarmUpTime(kWarmUpSeconds)->MinTime(kMinSeconds)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
    }

    // CPU seconds of one memcpy of bytes between two warm blocks, measured
    // once per size in this process (the median of several timed runs).
    static double MemcpySeconds(size_t bytes)
    {
        static std::mutex lock;
        static std::map<size_t, double> measured;
        std::lock_guard<std::mutex> guard(lock);
        auto found = measured.find(bytes);
        if (found == measured.end())
            found = measured.emplace(bytes, _MeasureMemcpy(bytes)).first;
        return found->second;
    }

    // The counter "x_memcpy" of this figure: its time per iteration over
    // that of copiesPerIteration memcpys of blockBytes each; also sets the
    // bytes per second. (The counter is a rate of the memcpy time, inverted:
    // time / (iterations * memcpy time).)
    static void ReportAgainstMemcpy(benchmark::State& state, size_t blockBytes, int copiesPerIteration = 1)
    {
        state.counters["x_memcpy"] =
            benchmark::Counter(MemcpySeconds(blockBytes) * copiesPerIteration,
                               benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
        state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * copiesPerIteration *
                                static_cast<int64_t>(blockBytes));
    }

    // The baseline as a figure: memcpy of range(0) bytes between warm blocks.
    static void Memcpy(benchmark::State& state)
    {
        const size_t bytes = static_cast<size_t>(state.range(0));
        std::vector<uint8_t> from(bytes, 1), to(bytes, 0);
        for (auto _ : state)
        {
            std::memcpy(to.data(), from.data(), bytes);
            benchmark::ClobberMemory();
        }
        ReportAgainstMemcpy(state, bytes);
    }

    // BENCHMARK_MAIN with the ratio console report (any other format asked
    // for on the command line is left to the library).
    static int Main(int argc, char** argv)
    {
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv))
            return 1;
        if (_OtherFormatAsked(argc, argv))
        {
            benchmark::RunSpecifiedBenchmarks();
        }
        else
        {
            CRatioConsoleReporter console(isatty(STDOUT_FILENO) ? CRatioConsoleReporter::OO_Color
                                                                : CRatioConsoleReporter::OO_None);
            benchmark::RunSpecifiedBenchmarks(&console);
        }
        benchmark::Shutdown();
        return 0;
    }

private:
    static bool _OtherFormatAsked(int argc, char** argv)
    {
        const std::string flag = "--benchmark_format=";
        for (int i = 1; i < argc; ++i)
        {
            const std::string arg = argv[i];
            if (arg.rfind(flag, 0) == 0 && arg != flag + "console")
                return true;
        }
        return false;
    }

    static double _CpuSeconds()
    {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    }

    static double _MeasureMemcpy(size_t bytes)
    {
        constexpr double kRunSeconds = 0.05;
        constexpr int kRuns = 7;
        std::vector<uint8_t> from(std::max<size_t>(bytes, 1), 1), to(std::max<size_t>(bytes, 1), 0);
        std::vector<double> perCopy;
        for (int run = 0; run <= kRuns; ++run) // run 0 only warms up
        {
            const double start = _CpuSeconds();
            double elapsed = 0;
            long copies = 0;
            do
            {
                std::memcpy(to.data(), from.data(), bytes);
                benchmark::ClobberMemory();
                ++copies;
                elapsed = _CpuSeconds() - start;
            } while (elapsed < kRunSeconds);
            if (run > 0)
                perCopy.push_back(elapsed / static_cast<double>(copies));
        }
        std::nth_element(perCopy.begin(), perCopy.begin() + kRuns / 2, perCopy.end());
        return perCopy[kRuns / 2];
    }
};
