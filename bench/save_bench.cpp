// Saving a 10 MB edited tweak the way the program does (writeTweakFile) against writing the same
// bytes with a plain std::ofstream, in one temporary folder, runs interleaved.
// quenzar-bench-save [RUNS [FOLDER]]
#include "platform/dialogs.h"
#include "platform/textfile.h"
#include "report.h"
#include "tweak/delivery/delivery.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>

namespace {

// A save that fails would show a box; here it ends the benchmark instead.
class FailingDialogs final : public quenzar::Dialogs
{
public:
    quenzar::Answer message(const QString& prompt, quenzar::Buttons, const QString&) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(prompt));
        failed = true;
        return quenzar::Answer::Ok;
    }
    QString input(const QString&) override { return {}; }
    bool failed = false;
};

// An edited tweak as long as a player could make it: the usual lines, over and over.
QString editedTweak(qsizetype bytes)
{
    const QString lines = QStringLiteral("seta image_useCache \"1\"\n"
                                         "seta image_cacheMegs \"256\"\n"
                                         "seta image_cacheMinK \"8192\"\n"
                                         "seta r_shadows \"0\"\n"
                                         "seta com_machineSpec \"3\"\n"
                                         "seta g_showBrass \"0\"\n");
    QString text;
    text.reserve(bytes + lines.size());
    while (text.size() < bytes)
        text += lines;
    text.truncate(bytes);
    return text;
}

bool writeWithOfstream(const std::string& path, const QByteArray& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.constData(), std::streamsize(bytes.size()));
    out.close();
    return bool(out);
}

bool syncFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = fsync(fd) == 0;
    close(fd);
    return ok;
}

struct Contender
{
    const char* name;
    std::function<bool()> write;
    std::vector<double> ms;
};

} // namespace

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const QString base = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::tempPath();
    QTemporaryDir folder(QDir(base).filePath(QStringLiteral("quenzar-bench-XXXXXX")));
    if (!folder.isValid()) {
        std::fprintf(stderr, "no temporary folder under %s\n", qPrintable(base));
        return 1;
    }

    const qsizetype size = 10 * 1000 * 1000;
    const QString text = editedTweak(size - 1); // and the line end tweakFileBytes adds
    const QByteArray bytes = quenzar::delivery::tweakFileBytes(text);
    FailingDialogs dialogs;
    const QString tweakPath = folder.filePath(QStringLiteral("tweak.cfg"));
    const QString wholePath = folder.filePath(QStringLiteral("whole.cfg"));
    const std::string plainPath = folder.filePath(QStringLiteral("plain.cfg")).toStdString();
    const std::string syncedPath = folder.filePath(QStringLiteral("synced.cfg")).toStdString();

    std::array<Contender, 5> contenders{{
        {"writeTweakFile",
         [&] {
             return quenzar::delivery::writeTweakFile(dialogs, tweakPath, text) && !dialogs.failed;
         },
         {}},
        {"writeFileWhole", [&] { return !quenzar::writeFileWhole(wholePath, bytes); }, {}},
        {"ofstream", [&] { return writeWithOfstream(plainPath, bytes); }, {}},
        {"ofstream+fsync",
         [&] { return writeWithOfstream(syncedPath, bytes) && syncFile(syncedPath); },
         {}},
        // Not a write: the text's conversion to bytes that writeTweakFile does first.
        {"tweakFileBytes",
         [&] { return quenzar::delivery::tweakFileBytes(text).size() == bytes.size(); },
         {}},
    }};

    // Every file exists before timing starts, so each timed save replaces one, as a save over
    // an earlier tweak does.
    for (int warmUp = 0; warmUp < 2; ++warmUp)
        for (Contender& contender : contenders)
            if (!contender.write()) {
                std::fprintf(stderr, "%s failed\n", contender.name);
                return 1;
            }

    for (int i = 0; i < runs; ++i) {
        // The order turns each round so that no contender always follows the same one.
        for (std::size_t k = 0; k < contenders.size(); ++k) {
            Contender& contender = contenders[(k + std::size_t(i)) % contenders.size()];
            const auto start = std::chrono::steady_clock::now();
            const bool ok = contender.write();
            const auto end = std::chrono::steady_clock::now();
            if (!ok) {
                std::fprintf(stderr, "%s failed\n", contender.name);
                return 1;
            }
            contender.ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
    }
    if (QFileInfo(tweakPath).size() != bytes.size()) {
        std::fprintf(stderr, "the saved tweak has the wrong size\n");
        return 1;
    }

    using quenzar::bench::format;
    using quenzar::bench::median;
    const double tweak = median(contenders[0].ms), whole = median(contenders[1].ms),
                 plain = median(contenders[2].ms), synced = median(contenders[3].ms),
                 convert = median(contenders[4].ms);
    quenzar::bench::printFigure(
        "saving a 10 MB edited tweak",
        format("writeTweakFile %.2f ms, std::ofstream %.2f ms (medians of %d interleaved runs)",
               tweak, plain, runs),
        tweak / plain, 1.5);
    quenzar::bench::printFigure(
        "saving 10 MB, breakdown",
        format("tweakFileBytes (UTF-8) %.2f ms, writeFileWhole alone %.2f ms (%.3fx ofstream), "
               "ofstream+fsync %.2f ms (%.3fx ofstream)",
               convert, whole, whole / plain, synced, synced / plain));
    return 0;
}
