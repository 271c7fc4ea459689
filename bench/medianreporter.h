#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

namespace quenzar::bench {

// Keeps each benchmark's median, in nanoseconds, besides printing the usual table.
class MedianReporter : public benchmark::ConsoleReporter
{
public:
    // Plain text: the table goes through a pipe to run.sh.
    MedianReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians.emplace_back(run.run_name.function_name,
                                     run.GetAdjustedRealTime() /
                                         benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::vector<std::pair<std::string, double>> medians; // in the order they ran
};

// Runs the registered benchmarks as Google Benchmark's own main would and returns their
// medians; empty when the arguments were not understood or nothing ran.
inline std::vector<std::pair<std::string, double>> runForMedians(int argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return {};
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.medians;
}

} // namespace quenzar::bench
