// The whole tree of a kill-list entry on a system that ends processes as
// Windows does: the service ends exactly the one process at once, TASKKILL
// then finds the entry's processes gone (128), and an ended process stays
// listed for a while.
#include <gtest/gtest.h>

#include "processes/killlist.h"
#include "termination/texts.h"
#include "unit/termination_fixture.h"

namespace morvex::testing {
namespace {

TEST(ProcessTree, TheEntrysDescendantsEndAndTheReportWaitsForWhatWindsDown) {
  struct Case {
    const char* what;
    std::vector<FakeProcessTable::Process> processes;  // morvex.exe (4242) was started by explorer.exe (1)
    std::vector<std::uint32_t> endedByHandle;
    std::vector<termination::NotEnded> told;
  };
  const Case cases[] = {
      {"a launcher's child and grandchild end, not its neighbour",
       {{100, 1, "launcher.exe", 10}, {101, 100, "game.exe", 11}, {102, 101, "a.exe", 12}, {103, 1, "x.exe", 13}},
       {101, 102}, {}},
      {"a reused identifier's older process is no child", {{100, 1, "launcher.exe", 20}, {101, 100, "b.exe", 10}}, {}, {}},
      {"nothing of the tree above the program ends", {{7, 1, "notepad.exe", 6}, {8, 4242, "c.exe", 7}}, {}, {}},
      {"what winds down within the bound is not told",
       {{100, 1, "launcher.exe", 10, 1500}, {101, 100, "game.exe", 11, 400}}, {101}, {}},
      {"what outlives it is", {{100, 1, "launcher.exe", 10, 1500}, {101, 100, "game.exe", 11, 600}}, {101},
       {{"launcher.exe", "", 1, false}}},
      {"children that refuse their end",
       {{100, 1, "launcher.exe", 10}, {101, 100, "game.exe", 11, 0, false}, {102, 100, "b.exe", 12, 0, false}}, {},
       {{"launcher.exe", "Zugriff verweigert", 2, false}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    FakeProcessTable table;
    table.processes = {{1, 0, "explorer.exe", 1}, {4242, 1, "morvex.exe", 2}};
    table.processes.insert(table.processes.end(), c.processes.begin(), c.processes.end());
    table.passTime = [&](int ms) { rig.clock.Pass(ms); };
    rig.snapshot.table = rig.management.table = &table;
    rig.commands.exitCodes = {{"launcher.exe", 128}, {"explorer.exe", 128}};
    rig.files.files[processes::KillListPath(rig.files)] = "launcher.exe\r\nexplorer.exe\r\n";
    rig.Program().KillList().LoadKillList();
    rig.Form().Get<ui::Button>("Command2").UserClicked();

    EXPECT_EQ(table.endedByHandle, c.endedByHandle);
    EXPECT_FALSE(table.processes[1].ended);  // the program
    std::vector<ShownMessage> shown;
    if (!c.told.empty()) shown.push_back({termination::NotEndedText(c.told), "Fehler beim Beenden",
                                      services::kCritical | services::kTopmost});
    EXPECT_EQ(rig.messages.shown, shown);
  }
}

}  // namespace
}  // namespace morvex::testing
