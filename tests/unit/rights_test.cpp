// The debug privilege around each ending step only; boxes on top while behind.
#include <gtest/gtest.h>

#include <tuple>

#include "processes/killlist_format.h"
#include "unit/fakes.h"

namespace morvex::testing {
namespace {

using Lines = std::vector<std::string>;

// "game.exe" everywhere; the ending steps and the privilege in one log.
struct RightsRig : Rig {
  RightsRig() {
    files.files[processes::KillListPath(files)] = processes::SerializeKillList({"game.exe"});
    Program().KillList().LoadKillList();
    snapshot.names = management.captions = {"game.exe"};
    Act("Command1");
    Peer(Form().Get<ui::ListBox>("List1")).UserSelect(0, false);
    Form().Get<ui::TextBox>("txtTargetTitle").SetText("game.exe");
    windows.windows["game.exe"] = 11;
    windows.owners[11] = 99;
    account.log = &windows.calls;
    management.onQuery = [this] { windows.calls.push_back("query"); };
    commands.onStart = [this] { windows.calls.push_back("taskkill"); };
    pause.onPause = [this] { windows.calls.push_back("pause"); };
  }
  void Act(const std::string& name) {
    name == "expiry" ? Program().Countdown().onExpiry() : Form().Get<ui::Control>(name).UserClicked();
  }
};

TEST(Rights, ThePrivilegeAroundEachEndingStepOnlyAndBoxesOnTopWhileBehind) {
  // The tree's handles, the service step, TASKKILL, the descendants' end.
  const Lines run{"privilege on",  "privilege off", "privilege on", "query",        "privilege off", "privilege on",
                  "taskkill",      "privilege off", "privilege on", "privilege off"};
  const int report = services::kCritical | services::kTopmost;
  const struct Case {
    const char* act;
    bool elevated, holds, enabledBefore, inFront;
    Lines log;
    std::vector<int> boxes;  // their styles
  } cases[] = {
      {"Command2", true, true, false, true, run, {report}},
      {"expiry", true, true, false, false, run, {report}},
      {"Command3", true, true, false, true, {"privilege on", "taskkill", "privilege off"}, {}},
      {"Command6", true, true, false, true, {"privilege on", "query", "privilege off"}, {services::kOkOnly}},
      {"Command6", true, true, false, false, {"privilege on", "query", "privilege off"}, {services::kTopmost}},
      {"cmdTerminate", true, true, false, true, {"FindTopWindow game.exe", "WindowProcessId 11", "privilege on",
       "OpenProcess 1048577 0 99", "TerminateProcess 7099 0", "CloseHandle 7099", "privilege off"}, {}},
      {"Command2", false, true, false, true, {"query", "taskkill"}, {report}},  // unelevated
      {"Command2", true, false, false, true, {"privilege refused", "privilege refused", "query", "privilege refused", "taskkill",
                                   "privilege refused"},
       {report}},
      {"Command2", true, true, true, true, {"privilege on", "privilege on", "query", "privilege on", "taskkill", "privilege on"},
       {report}},
      {"xpButton7", true, true, false, true, {}, {}},  // elevated: through the desktop's shell
  };
  for (const Case& c : cases) {
    RightsRig rig;
    std::tie(rig.account.elevated, rig.account.holdsPrivilege, rig.account.enabled, rig.windows.foreground) =
        std::tie(c.elevated, c.holds, c.enabledBefore, c.inFront);
    rig.Act(c.act);
    EXPECT_EQ(rig.windows.calls, c.log) << c.act;
    EXPECT_EQ(rig.account.enabled, c.enabledBefore);
    std::vector<int> boxes;
    for (const ShownMessage& shown : rig.messages.shown) boxes.push_back(shown.style);
    EXPECT_EQ(boxes, c.boxes) << c.act << c.inFront;
    EXPECT_TRUE(rig.shell.calls.empty());
    EXPECT_EQ(rig.shell.desktopOpened.size(), std::string(c.act) == "xpButton7" ? 1u : 0u);
  }
}

}  // namespace
}  // namespace morvex::testing
