// Filling the process catalogue and loading a large kill list, in the
// headless backend.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "processes/catalogue.h"
#include "processes/killlist.h"
#include "unit/fakes.h"

namespace {

std::vector<std::string> ThousandImageNames() {
  std::vector<std::string> names;
  for (int i = 0; i < 1000; ++i) names.push_back("process" + std::to_string(i % 700) + ".exe");
  return names;
}

std::string TenThousandLines() {
  std::string bytes;
  for (int line = 0; line < 10000; ++line) bytes += "process" + std::to_string(line) + ".exe\r\n";
  return bytes;
}

void BM_FillCatalogue1000(benchmark::State& state) {
  morvex::testing::Rig rig;
  rig.snapshot.names = ThousandImageNames();
  for (auto _ : state) {
    morvex::processes::FillProcessCatalogue(rig.Form().Svc(), rig.Form().Get<ui::ListBox>("List1"));
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_FillCatalogue1000);

void BM_LoadKillList10000(benchmark::State& state) {
  morvex::testing::Rig rig;
  rig.files.files[morvex::processes::KillListPath(rig.files)] = TenThousandLines();
  for (auto _ : state) {
    rig.Form().Get<ui::ListBox>("List2").Clear();
    rig.Program().KillList().LoadKillList();
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_LoadKillList10000);

}  // namespace
