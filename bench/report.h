#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace quenzar::bench {

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline double minimum(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

// One line per figure, the same shape for all of them, so that run.sh only has to collect them:
//   FIGURE <name> | <measured values> | ratio <r> | target <= <t> | PASS or MISS
inline void printFigure(const std::string& name, const std::string& values, double ratio,
                        double target)
{
    std::printf("FIGURE %s | %s | ratio %.3fx | target <= %.2fx | %s\n", name.c_str(),
                values.c_str(), ratio, target, ratio <= target ? "PASS" : "MISS");
    std::fflush(stdout);
}

// A figure with an absolute target instead of a ratio.
inline void printFigure(const std::string& name, const std::string& values, double measured,
                        double target, const char* unit)
{
    std::printf("FIGURE %s | %s | ratio - | target < %g %s | %s\n", name.c_str(), values.c_str(),
                target, unit, measured < target ? "PASS" : "MISS");
    std::fflush(stdout);
}

// A figure that is only reported.
inline void printFigure(const std::string& name, const std::string& values)
{
    std::printf("FIGURE %s | %s | ratio - | target - | REPORT\n", name.c_str(), values.c_str());
    std::fflush(stdout);
}

// A ratio that is only reported.
inline void printFigure(const std::string& name, const std::string& values, double ratio)
{
    std::printf("FIGURE %s | %s | ratio %.3fx | target - | REPORT\n", name.c_str(), values.c_str(),
                ratio);
    std::fflush(stdout);
}

inline std::string format(const char* pattern, auto... arguments)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, pattern, arguments...);
    return buffer;
}

} // namespace quenzar::bench
