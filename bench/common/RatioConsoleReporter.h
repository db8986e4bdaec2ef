// The console report with ratio counters shown as plain numbers. A ratio to
// a baseline time is computed by the library as an inverted rate, which the
// stock console report labels in seconds ("x_memcpy=1.10s"); the value is
// the ratio itself, so the label is dropped for counters named "x_...".
#pragma once

#include <benchmark/benchmark.h>

#include <vector>

class CRatioConsoleReporter : public benchmark::ConsoleReporter
{
public:
    using benchmark::ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& reports) override
    {
        std::vector<Run> shown(reports);
        for (Run& run : shown)
        {
            for (auto& counter : run.counters)
            {
                // The value is final by now; the flags only choose the label.
                if (counter.first.rfind("x_", 0) == 0)
                    counter.second.flags = benchmark::Counter::kDefaults;
            }
        }
        benchmark::ConsoleReporter::ReportRuns(shown);
    }
};
