// How long converting a tweak into its game-ready form takes: the longest tweak the window
// writes (everything ticked with 1024 and 256), and a tweak that names every setting of the
// game once, against it.
#include "gameconfig/catalogue.h"
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

// Each setting with its default, one a line.
QString everySetting()
{
    QString tweak;
    for (const quenzar::gameconfig::Setting& s : quenzar::gameconfig::allSettings())
        tweak += QStringLiteral("seta %1 \"%2\"\n")
                     .arg(s.name.toString(), s.declaration().defaultValue.toString());
    return tweak;
}

void run(benchmark::State& state, const QString& tweak)
{
    for (auto _ : state) {
        auto config = quenzar::gameconfig::convertTweak(tweak, QStringLiteral("tweak.cfg"),
                                                        QStringLiteral("quenzar.cfg"));
        benchmark::DoNotOptimize(config);
    }
}

void convert(benchmark::State& state)
{
    run(state, everythingTicked());
}

void convertEverySetting(benchmark::State& state)
{
    run(state, everySetting());
}

} // namespace

BENCHMARK(convert)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(convertEverySetting)->Repetitions(10)->ReportAggregatesOnly(true);

int main(int argc, char* argv[])
{
    const auto medians = quenzar::bench::runForMedians(argc, argv);
    if (medians.size() != 2)
        return 1;
    const double ticked = medians[0].second / 1000.0, every = medians[1].second / 1000.0;
    quenzar::bench::printFigure("game-ready form, all ticked 1024/256",
                                quenzar::bench::format("median %.1f us per conversion", ticked),
                                ticked / 1000.0, 0.1, "ms");
    // The window's longest tweak sets 49 settings, this one 706: 14.4 times as many, so a
    // conversion that costs the same per setting stays within 14.4 times the time.
    const auto settings = quenzar::gameconfig::allSettings().size();
    quenzar::bench::printFigure("game-ready form, every setting once",
                                quenzar::bench::format("median %.1f us for %zu settings vs %.1f us",
                                                       every, settings, ticked),
                                every / ticked, 706.0 / 49.0);
    return 0;
}
