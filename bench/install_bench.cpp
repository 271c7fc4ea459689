// How long `--install` takes for one game folder against what it cannot do without: converting
// the tweak and replacing two files whole (quenzar.cfg and autoexec.cfg) with the program's
// own writer. The conversion alone is measured beside them, as in the game-ready form figure.
#include "gameconfig/gameconfig.h"
#include "gameinstall/gameinstall.h"
#include "platform/textfile.h"
#include "report.h"
#include "tweak/composition/composition.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace quenzar;

QString everythingTicked()
{
    composition::ControlState state;
    for (const auto& box : composition::checkBoxes)
        state.*box.value = Qt::Checked;
    state.txtRam = QStringLiteral("1024");
    state.txtVRam = QStringLiteral("256");
    return composition::composeTweak(state).fileText;
}

const QByteArray playersAutoexec = "bind F5 \"savegame quick\"\nseta com_showFPS 1\n";

// A Doom 3 for Linux folder as the game leaves it, with the player's own autoexec.cfg.
struct GameFolder
{
    GameFolder()
    {
        if (!QDir().mkpath(base))
            std::abort();
        put(QStringLiteral("DoomConfig.cfg"), "seta r_mode \"3\"\n");
        put(QStringLiteral("autoexec.cfg"), playersAutoexec);
        put(QStringLiteral("quenzar.cfg"), "// an earlier install\n");
    }
    void put(const QString& name, const QByteArray& bytes) const
    {
        QFile file(QDir(base).filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
    QTemporaryDir home;
    QString base = QDir(home.path()).filePath(QStringLiteral(".doom3/base"));
};

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

// quenzar-bench-install [ROUNDS]: the two durable ways are run interleaved, their order turning
// each round, so that the disk's moods on a shared machine fall on both alike.
int main(int argc, char* argv[])
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 40;
    const QString tweak = everythingTicked();
    const auto convert = [&] {
        return gameconfig::convertTweak(tweak, QStringLiteral("tweak.cfg"),
                                        QStringLiteral("quenzar.cfg"), gameconfig::Linux);
    };

    std::vector<double> conversion;
    for (int i = 0; i < 2000; ++i) {
        const auto start = Clock::now();
        const auto config = convert();
        conversion.push_back(msSince(start));
        if (config.settings.empty())
            return 1;
    }

    const GameFolder floorFolder, installFolder;
    gameinstall::Environment environment;
    environment.home = installFolder.home.path();
    const auto games = gameinstall::findGameFolders(environment);
    if (games.size() != 1)
        return 1;
    const QString quenzarCfg = QDir(floorFolder.base).filePath(QStringLiteral("quenzar.cfg"));
    const QString autoexec = QDir(floorFolder.base).filePath(QStringLiteral("autoexec.cfg"));
    const QByteArray withLine = playersAutoexec + "exec quenzar.cfg\n";

    std::vector<double> floor, install;
    for (int round = -3; round < rounds; ++round) { // three warm-up rounds
        for (int k = 0; k < 2; ++k) {
            // Each starts from the player's own autoexec.cfg, as a first install does.
            floorFolder.put(QStringLiteral("autoexec.cfg"), playersAutoexec);
            installFolder.put(QStringLiteral("autoexec.cfg"), playersAutoexec);
            const auto start = Clock::now();
            if ((round + k) % 2 == 0) {
                const auto config = convert();
                if (writeFileWhole(quenzarCfg, config.text.toUtf8()) ||
                    writeFileWhole(autoexec, withLine))
                    return 1;
                if (round >= 0)
                    floor.push_back(msSince(start));
            } else {
                const auto outcomes =
                    gameinstall::install(tweak, QStringLiteral("tweak.cfg"), games);
                if (!outcomes.front().ok) {
                    std::fprintf(stderr, "%s\n", qPrintable(outcomes.front().message));
                    return 1;
                }
                if (round >= 0)
                    install.push_back(msSince(start));
            }
        }
    }

    const double convertMs = bench::median(conversion);
    const double floorMs = bench::median(floor);
    const double installMs = bench::median(install);
    std::printf("conversion %.1f us; conversion and two whole-file writes %.2f ms (fastest %.2f); "
                "install %.2f ms (fastest %.2f); medians of %d rounds\n",
                convertMs * 1e3, floorMs, bench::minimum(floor), installMs, bench::minimum(install),
                rounds);
    bench::printFigure("--install, one game folder",
                       bench::format("install %.2f ms, conversion and two whole-file writes "
                                     "%.2f ms, conversion alone %.1f us (%.0fx)",
                                     installMs, floorMs, convertMs * 1e3, installMs / convertMs),
                       installMs / floorMs, 1.2);
    return 0;
}
