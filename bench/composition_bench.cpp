// How long one "Safe to File" composition takes, for a few control states a player produces.
// Google Benchmark prints its own table; the FIGURE lines at the end give each state's median.
#include "medianreporter.h"
#include "report.h"
#include "tweak/composition/composition.h"

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using quenzar::composition::checkBoxes;
using quenzar::composition::CheckValue;
using quenzar::composition::ControlState;

ControlState allBoxes(CheckValue value)
{
    ControlState state;
    for (const auto& box : checkBoxes)
        state.*box.value = value;
    return state;
}

ControlState everythingTicked(const char* ram, const char* vram)
{
    ControlState state = allBoxes(Qt::Checked);
    state.optBest = true;
    state.txtRam = QString::fromLatin1(ram);
    state.txtVRam = QString::fromLatin1(vram);
    return state;
}

ControlState grayed()
{
    ControlState state = allBoxes(Qt::PartiallyChecked);
    state.txtRam = QStringLiteral("512");
    state.txtVRam = QStringLiteral("128");
    return state;
}

void compose(benchmark::State& run, const ControlState& state)
{
    for (auto _ : run) {
        auto composition = quenzar::composition::composeTweak(state);
        benchmark::DoNotOptimize(composition);
    }
}

} // namespace

BENCHMARK_CAPTURE(compose, fresh_window, ControlState{})
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(compose, all_ticked_1024_256, everythingTicked("1024", "256"))
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(compose, all_ticked_too_small_128_32, everythingTicked("128", "32"))
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(compose, grayed_boxes, grayed())->Repetitions(10)->ReportAggregatesOnly(true);

int main(int argc, char* argv[])
{
    const auto medians = quenzar::bench::runForMedians(argc, argv);
    if (medians.empty())
        return 1;
    for (const auto& [name, ns] : medians)
        quenzar::bench::printFigure("composition, " + name,
                                    quenzar::bench::format("median %.1f ns per composition", ns),
                                    ns / 1000.0, 1.0, "us");
    return 0;
}
