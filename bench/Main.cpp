#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "FrameBench.h"
#include "Startup.h"
#include "UpdateBench.h"

// Runs the update and frame cases (all Google Benchmark flags apply), then prints one table
// of the times and ratios measured in this run. `quorvex_bench --startup [launch-ns]` measures
// the start-up instead.

namespace {

// The console output as usual, and each case's mean time per iteration kept by name.
class TableReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
                millis[run.run_name.function_name] =
                    run.real_accumulated_time * 1e3 / static_cast<double>(run.iterations);
            }
        }
    }
    std::map<std::string, double> millis;
};

std::string cell(const std::map<std::string, double>& m, const std::string& name) {
    const auto it = m.find(name);
    char buf[32];
    std::snprintf(buf, sizeof buf, it == m.end() ? "-" : "%.3f", it == m.end() ? 0.0 : it->second);
    return buf;
}

std::string ratio(const std::map<std::string, double>& m, const std::string& a,
                  const std::string& b) {
    const auto x = m.find(a), y = m.find(b);
    if (x == m.end() || y == m.end() || y->second <= 0.0) {
        return "-";
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", x->second / y->second);
    return buf;
}

void printTable(const std::map<std::string, double>& m) {
    std::printf("\n%8s %14s %14s %12s %12s %14s\n", "N", "index ms", "scan ms", "scan/index",
                "frame ms", "each-drawn ms");
    for (int n : enemyCounts()) {
        const std::string s = std::to_string(n);
        std::printf("%8d %14s %14s %12s %12s %14s\n", n, cell(m, "update/index/" + s).c_str(),
                    cell(m, "update/scan/" + s).c_str(),
                    ratio(m, "update/scan/" + s, "update/index/" + s).c_str(),
                    cell(m, "frame/" + s).c_str(), cell(m, "frame-each/" + s).c_str());
    }
    for (const char* c : {"worst", "crowded"}) {
        const std::string k = c;
        std::printf("%8s %14s %14s %12s\n", c, cell(m, k + "/index").c_str(),
                    cell(m, k + "/scan").c_str(), ratio(m, k + "/scan", k + "/index").c_str());
    }
    std::printf("\nworst case, scan / index:        %s  (goal: at least 20)\n",
                ratio(m, "worst/scan", "worst/index").c_str());
    std::printf("crowded, index ms / scan / goal: %s ms, scan %s ms  (goal: under 2 ms, not "
                "slower than the scan)\n",
                cell(m, "crowded/index").c_str(), cell(m, "crowded/scan").c_str());
    std::printf("frame 1000 / frame 5:            %s  (goal: at most 1.5; each drawn: %s)\n",
                ratio(m, "frame/1000", "frame/5").c_str(),
                ratio(m, "frame-each/1000", "frame-each/5").c_str());
    std::printf("frame 5000 / frame 5:            %s  (goal: at most 3; each drawn: %s)\n",
                ratio(m, "frame/5000", "frame/5").c_str(),
                ratio(m, "frame-each/5000", "frame-each/5").c_str());
    std::printf("new game's frame / frame 5:      %s  (goal: about 2 at most; %s ms, of which the "
                "new world from the warm store %s ms)\n",
                ratio(m, "new-game-frame", "frame/5").c_str(), cell(m, "new-game-frame").c_str(),
                cell(m, "new-world").c_str());
    std::printf("1000 enemy draws, ms (depth / colour / both): enemy mesh %s / %s / %s, "
                "one triangle %s / %s / %s\n",
                cell(m, "draws1000/enemy-mesh/depth").c_str(),
                cell(m, "draws1000/enemy-mesh/colour").c_str(),
                cell(m, "draws1000/enemy-mesh/both").c_str(),
                cell(m, "draws1000/one-triangle/depth").c_str(),
                cell(m, "draws1000/one-triangle/colour").c_str(),
                cell(m, "draws1000/one-triangle/both").c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--startup") == 0) {
        return measureStartup(argc >= 3 ? std::atoll(argv[2]) : 0);
    }
    benchmark::Initialize(&argc, argv);
    registerUpdateBenchmarks();
    registerFrameBenchmarks();
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printTable(reporter.millis);
    benchmark::Shutdown();
    return 0;
}
