// Times two programs' start-up side by side: quenzar-bench-launch LABEL RUNS TIME_TARGET
// MEMORY_TARGET PROGRAM YARDSTICK [PROGRAM_ARGUMENT...]; a target of "-" only reports that
// figure. Runs alternate between the two (A B, B A, A B, ...) so that drift on a shared machine
// falls on both alike; wall time is taken around fork to reap, peak memory is the child's own
// ru_maxrss.
#include "report.h"

#include <sys/resource.h>
#include <sys/wait.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Run
{
    bool ok = false;
    double ms = 0;
    double cpuMs = 0; // user and system: less disturbed than wall time on a busy machine
    double maxRssKiB = 0;
};

Run launch(const std::vector<char*>& command, bool quiet)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return {};
    }
    if (child == 0) {
        if (quiet) {
            // Qt's warnings would only add terminal time to the measurement.
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execv(command[0], command.data());
        std::perror(command[0]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    pid_t reaped;
    do {
        reaped = wait4(child, &status, 0, &usage);
    } while (reaped < 0 && errno == EINTR);
    const auto end = std::chrono::steady_clock::now();
    Run run;
    run.ok = reaped == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.ms = std::chrono::duration<double, std::milli>(end - start).count();
    run.maxRssKiB = double(usage.ru_maxrss);
    const auto toMs = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    run.cpuMs = toMs(usage.ru_utime) + toMs(usage.ru_stime);
    if (!run.ok)
        std::fprintf(stderr, "%s did not end cleanly (status %d)\n", command[0], status);
    return run;
}

std::string baseName(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 7) {
        std::fprintf(stderr,
                     "usage: %s LABEL RUNS TIME_TARGET MEMORY_TARGET PROGRAM YARDSTICK "
                     "[PROGRAM_ARGUMENT...]\n",
                     argv[0]);
        return 2;
    }
    const std::string label = argv[1];
    const int runs = std::atoi(argv[2]);
    const bool timeReportOnly = std::strcmp(argv[3], "-") == 0;
    const double timeTarget = std::atof(argv[3]);
    const bool memoryReportOnly = std::strcmp(argv[4], "-") == 0;
    const double memoryTarget = std::atof(argv[4]);
    std::vector<char*> programs[2] = {{argv[5]}, {argv[6], nullptr}};
    programs[0].insert(programs[0].end(), argv + 7, argv + argc);
    programs[0].push_back(nullptr);

    // One visible run each first, so that a probe that cannot start says why; then warm-ups
    // that fill the page cache and are not counted.
    for (const std::vector<char*>& program : programs) {
        if (!launch(program, false).ok)
            return 1;
        for (int i = 0; i < 3; ++i)
            if (!launch(program, true).ok)
                return 1;
    }

    std::vector<double> ms[2], cpu[2], kib[2];
    for (int i = 0; i < runs; ++i) {
        for (int k = 0; k < 2; ++k) {
            const int which = (i % 2 == 0) ? k : 1 - k;
            const Run run = launch(programs[which], true);
            if (!run.ok)
                return 1;
            ms[which].push_back(run.ms);
            cpu[which].push_back(run.cpuMs);
            kib[which].push_back(run.maxRssKiB);
        }
    }

    using quenzar::bench::format;
    using quenzar::bench::median;
    using quenzar::bench::minimum;
    const std::string nameA = baseName(argv[5]), nameB = baseName(argv[6]);
    const double timeA = median(ms[0]), timeB = median(ms[1]);
    const std::string time =
        format("%s %.1f ms, %s %.1f ms (medians of %d runs each; fastest %.1f / %.1f ms; CPU %.1f "
               "/ %.1f ms)",
               nameA.c_str(), timeA, nameB.c_str(), timeB, runs, minimum(ms[0]), minimum(ms[1]),
               median(cpu[0]), median(cpu[1]));
    if (timeReportOnly)
        quenzar::bench::printFigure("start-up wall time (" + label + ")", time, timeA / timeB);
    else
        quenzar::bench::printFigure("start-up wall time (" + label + ")", time, timeA / timeB,
                                    timeTarget);
    const double memoryA = median(kib[0]), memoryB = median(kib[1]);
    const std::string memory =
        format("%s %.2f MiB, %s %.2f MiB (median max RSS of %d runs each)", nameA.c_str(),
               memoryA / 1024, nameB.c_str(), memoryB / 1024, runs);
    if (memoryReportOnly)
        quenzar::bench::printFigure("start-up peak memory (" + label + ")", memory,
                                    memoryA / memoryB);
    else
        quenzar::bench::printFigure("start-up peak memory (" + label + ")", memory,
                                    memoryA / memoryB, memoryTarget);
    return 0;
}
