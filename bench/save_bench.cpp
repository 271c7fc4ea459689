// Saving a 10 MB edited tweak the way the program does (writeTweakFile) against the least any
// durable replace of a file costs: the same bytes written to a new file with write, flushed with
// fdatasync and renamed over the old one. In one temporary folder, runs interleaved.
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
#include <cerrno>
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

// The same bytes in a new file beside `path`, on the disk before it takes the old file's place;
// with `syncFolder`, the folder too, so that the rename lasts.
bool replaceDurably(const std::string& path, const QByteArray& bytes, bool syncFolder)
{
    const std::string spare = path + ".new";
    const int fd = open(spare.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const char* data = bytes.constData();
    std::size_t left = std::size_t(bytes.size());
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            close(fd);
            return false;
        }
        data += written;
        left -= std::size_t(written);
    }
    const bool synced = fdatasync(fd) == 0;
    if (close(fd) != 0 || !synced || rename(spare.c_str(), path.c_str()) != 0)
        return false;
    if (!syncFolder)
        return true;
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool ok = dir >= 0 && fsync(dir) == 0;
    if (dir >= 0)
        close(dir);
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
    const std::string durablePath = folder.filePath(QStringLiteral("durable.cfg")).toStdString();
    const std::string lastingPath = folder.filePath(QStringLiteral("lasting.cfg")).toStdString();
    const std::string plainPath = folder.filePath(QStringLiteral("plain.cfg")).toStdString();

    std::array<Contender, 6> contenders{{
        {"writeTweakFile",
         [&] {
             return quenzar::delivery::writeTweakFile(dialogs, tweakPath, text) && !dialogs.failed;
         },
         {}},
        {"write+fdatasync+rename", [&] { return replaceDurably(durablePath, bytes, false); }, {}},
        {"writeFileWhole", [&] { return !quenzar::writeFileWhole(wholePath, bytes); }, {}},
        {"write+fdatasync+rename+folder fsync",
         [&] { return replaceDurably(lastingPath, bytes, true); },
         {}},
        {"ofstream", [&] { return writeWithOfstream(plainPath, bytes); }, {}},
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
    const double tweak = median(contenders[0].ms), durable = median(contenders[1].ms),
                 whole = median(contenders[2].ms), lasting = median(contenders[3].ms),
                 plain = median(contenders[4].ms), convert = median(contenders[5].ms);
    quenzar::bench::printFigure(
        "saving a 10 MB edited tweak",
        format("writeTweakFile %.2f ms, write+fdatasync+rename %.2f ms (medians of %d "
               "interleaved runs)",
               tweak, durable, runs),
        tweak / durable, 1.1);
    quenzar::bench::printFigure(
        "saving 10 MB, breakdown",
        format("tweakFileBytes (UTF-8) %.2f ms; writeFileWhole alone %.2f ms (%.3fx); "
               "write+fdatasync+rename+folder fsync %.2f ms (%.3fx); unsynced std::ofstream "
               "%.2f ms (%.3fx)",
               convert, whole, whole / durable, lasting, lasting / durable, plain,
               plain / durable));
    return 0;
}
