// How long converting the longest tweak the window writes, everything ticked with 1024 and 256,
// into its game-ready form takes.
#include "gameconfig/gameconfig.h"
#include "report.h"
#include "tweak/composition/composition.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

QString everythingTicked()
{
    quenzar::composition::ControlState state;
    for (const auto& box : quenzar::composition::checkBoxes)
        state.*box.value = Qt::Checked;
    state.txtRam = QStringLiteral("1024");
    state.txtVRam = QStringLiteral("256");
    return quenzar::composition::composeTweak(state).fileText;
}

void convert(benchmark::State& run)
{
    const QString tweak = everythingTicked();
    for (auto _ : run) {
        auto config = quenzar::gameconfig::convertTweak(tweak, QStringLiteral("tweak.cfg"),
                                                        QStringLiteral("quenzar.cfg"));
        benchmark::DoNotOptimize(config);
    }
}

double medianMicroseconds = 0;

class MedianReporter : public benchmark::ConsoleReporter
{
public:
    MedianReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medianMicroseconds = run.GetAdjustedRealTime() /
                                     benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e6;
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

BENCHMARK(convert)->Repetitions(10)->ReportAggregatesOnly(true);

int main(int argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (medianMicroseconds <= 0)
        return 1;
    quenzar::bench::printFigure(
        "game-ready form, all ticked 1024/256",
        quenzar::bench::format("median %.1f us per conversion", medianMicroseconds),
        medianMicroseconds / 1000.0, 0.1, "ms");
    return 0;
}
