#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

#include <functional>
#include <map>
#include <string>

namespace oruhr::bench {

// Keeps each benchmark's real time per iteration and its counters, for the summary that
// compares them at the end of the run.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> milliseconds;
    std::map<std::string, std::map<std::string, double>> counters;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
            for (const auto &[name, counter] : run.counters)
                counters[run.run_name.function_name][name] = counter.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // 0 for a benchmark that did not run (left out by a filter).
    double time(const std::string &benchmark) const
    {
        const auto found = milliseconds.find(benchmark);
        return found == milliseconds.end() ? 0 : found->second;
    }
    double counter(const std::string &benchmark, const std::string &name) const
    {
        const auto found = counters.find(benchmark);
        if (found == counters.end() || !found->second.count(name))
            return 0;
        return found->second.at(name);
    }
};

// Runs the registered benchmarks offscreen: prepare builds the data first, so that it is
// not timed, and summarise prints what the run measured.
inline int runBenchmarks(int argc, char **argv, const std::function<void()> &prepare,
                         const std::function<void(const SummaryReporter &)> &summarise)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    prepare();
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    summarise(reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace oruhr::bench
