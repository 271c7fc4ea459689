// How long converting the longest tweak the window writes, everything ticked with 1024 and 256,
// into its game-ready form takes.
#include "gameconfig/gameconfig.h"
#include "medianreporter.h"
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

} // namespace

BENCHMARK(convert)->Repetitions(10)->ReportAggregatesOnly(true);

int main(int argc, char* argv[])
{
    const auto medians = quenzar::bench::runForMedians(argc, argv);
    if (medians.empty())
        return 1;
    const double microseconds = medians.front().second / 1000.0;
    quenzar::bench::printFigure(
        "game-ready form, all ticked 1024/256",
        quenzar::bench::format("median %.1f us per conversion", microseconds),
        microseconds / 1000.0, 0.1, "ms");
    return 0;
}
