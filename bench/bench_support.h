#pragma once

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

/// The console reporter of every store-against-SQLite benchmark: it prints the table as usual and
/// keeps each run's CPU and wall times, so that the binary can close with the ratios.
namespace bench {

struct Times {
    double cpu = 0;
    double wall = 0;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter()
        : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
                const Times times{run.GetAdjustedCPUTime(), run.GetAdjustedRealTime()};
                byFunction_[run.run_name.function_name] = times;
                byName_[run.benchmark_name()] = times;
            }
    }
    /// The last run of a benchmark function, whatever its arguments; null when it did not run.
    const Times* function(const std::string& name) const { return find(byFunction_, name); }
    /// The run with this full name ("BM_X/1"); null when it did not run.
    const Times* run(const std::string& name) const { return find(byName_, name); }
    /// "\n<what>: store N ms, raw SQLite N ms (CPU): ratio Nx (wall Nx)" for the store's
    /// benchmark function against raw SQLite's, when both ran.
    void printPair(const std::string& storeName, const std::string& rawName,
                   const char* what) const {
        const Times* store = function(storeName);
        const Times* raw = function(rawName);
        if (!store || !raw)
            return;
        std::printf("\n%s: store %.0f ms, raw SQLite %.0f ms (CPU): ratio %.2fx (wall %.2fx)\n",
                    what, store->cpu, raw->cpu, store->cpu / raw->cpu, store->wall / raw->wall);
    }

private:
    static const Times* find(const std::map<std::string, Times>& times, const std::string& name) {
        const auto found = times.find(name);
        return found == times.end() ? nullptr : &found->second;
    }
    std::map<std::string, Times> byFunction_;
    std::map<std::string, Times> byName_;
};

/// Runs the benchmarks chosen on the command line through a RatioReporter, then `summary` on it.
template <typename Summary> int runWithRatios(int argc, char** argv, Summary summary) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    summary(reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
