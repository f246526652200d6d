// Parsing speed of a large kill-list file.
#include "processes/killlist_format.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

// 10,000 lines in the shapes the file takes: plain names, a quoted name with
// a comma, a line of two names, a leading blank and an empty line.
std::string MakeKillListFile10000() {
    std::string bytes;
    for (int line = 0; line < 10000; ++line) {
        const std::string n = std::to_string(line);
        switch (line % 8) {
        case 0: bytes += "\"setup,part" + n + ".exe\""; break;
        case 1: bytes += "tool" + n + ".exe,updater" + n + ".exe"; break;
        case 2: bytes += "  service" + n + ".exe"; break;
        case 3: break;
        default: bytes += "process" + n + ".exe"; break;
        }
        bytes += "\r\n";
    }
    return bytes;
}

void BM_ParseKillList10000(benchmark::State& state) {
    const std::string bytes = MakeKillListFile10000();
    for (auto _ : state) {
        benchmark::DoNotOptimize(morvex::processes::ParseKillList(bytes));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ParseKillList10000);

}  // namespace

#ifndef MORVEX_BENCH_NO_MAIN
BENCHMARK_MAIN();
#endif
