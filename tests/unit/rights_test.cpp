// What the program does with the rights of its account: the debug privilege
// held only around each step that ends processes, the homepage never opened
// with an elevated token, and a box above the other windows when the program
// is not the one the user works with.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/texts.h"
#include "processes/killlist.h"
#include "processes/killlist_format.h"
#include "termination/texts.h"
#include "unit/fakes.h"

namespace morvex::testing {
namespace {

using Lines = std::vector<std::string>;

// A kill list of one entry and a process of it that the service lists; the
// steps of a way of ending and each change of the privilege in one log.
struct RightsRig : Rig {
  RightsRig() {
    files.files[processes::KillListPath(files)] = processes::SerializeKillList({"game.exe"});
    Form().Get<ui::ListBox>("List2").Clear();
    Program().KillList().LoadKillList();
    snapshot.names = {"game.exe"};
    Form().Get<ui::Button>("Command1").UserClicked();
    Peer(Form().Get<ui::ListBox>("List1")).UserSelect(0, false);
    Form().Get<ui::TextBox>("txtTargetTitle").SetText("game.exe");
    management.captions = {"game.exe"};
    windows.windows["game.exe"] = 11;
    windows.owners[11] = 99;
    windows.calls.clear();
    account.log = &windows.calls;
    management.onQuery = [this] { windows.calls.push_back("query"); };
    interpreter.onStart = [this] { windows.calls.push_back("taskkill"); };
    pause.onPause = [this] { windows.calls.push_back("pause"); };
  }
  void Click(const char* name) { Form().Get<ui::Control>(name).UserClicked(); }
};

TEST(Rights, TheDebugPrivilegeIsHeldAroundEachEndingStepOnly) {
  const Lines run{"privilege on", "query", "privilege off", "privilege on", "taskkill", "privilege off", "pause"};
  const struct Case {
    const char* name;
    bool elevated, holds, enabledBefore;
    std::function<void(RightsRig&)> act;
    Lines log;
  } cases[] = {
      {"Command2", true, true, false, [](RightsRig& r) { r.Click("Command2"); }, run},
      {"expiry", true, true, false, [](RightsRig& r) { r.Program().Countdown().onExpiry(); }, run},
      {"Command3", true, true, false, [](RightsRig& r) { r.Click("Command3"); },
       {"privilege on", "taskkill", "privilege off", "pause"}},
      {"Command6", true, true, false, [](RightsRig& r) { r.Click("Command6"); },
       {"privilege on", "query", "privilege off"}},
      {"cmdTerminate", true, true, false, [](RightsRig& r) { r.Click("cmdTerminate"); },
       {"FindTopWindow game.exe", "WindowProcessId 11", "privilege on", "OpenProcess 1048577 0 99",
        "TerminateProcess 7099 0", "CloseHandle 7099", "privilege off"}},
      {"unelevated", false, true, false, [](RightsRig& r) { r.Click("Command2"); }, {"query", "taskkill", "pause"}},
      {"the token refuses it", true, false, false, [](RightsRig& r) { r.Click("Command2"); },
       {"privilege refused", "query", "privilege refused", "taskkill", "pause"}},
      {"enabled before: left so", true, true, true, [](RightsRig& r) { r.Click("Command2"); },
       {"privilege on", "query", "privilege on", "taskkill", "pause"}},
      {"the homepage", true, true, false, [](RightsRig& r) { r.Click("xpButton7"); }, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RightsRig rig;
    rig.account.elevated = c.elevated;
    rig.account.holdsPrivilege = c.holds;
    rig.account.enabled = c.enabledBefore;
    c.act(rig);
    EXPECT_EQ(rig.windows.calls, c.log);
    EXPECT_EQ(rig.account.enabled, c.enabledBefore);
  }
}

TEST(Rights, TheHomepageIsNeverOpenedWithAnElevatedToken) {
  const struct Case {
    const char* name;
    bool elevated;
    std::string refusal;
    std::size_t executed, throughDesktop;
    std::vector<ShownMessage> shown;
  } cases[] = {
      {"unelevated: the program opens it", false, "", 1, 0, {}},
      {"elevated: the desktop's shell opens it", true, "", 0, 1, {}},
      {"elevated, the shell cannot", true, "Kein Desktop", 0, 1,
       {{forms::HomepageNotOpenedText("Kein Desktop"), "morvex", services::kExclamation}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.account.elevated = c.elevated;
    rig.shell.desktopRefusal = c.refusal;
    rig.Form().Get<ui::Button>("xpButton7").UserClicked();
    EXPECT_EQ(rig.shell.calls.size(), c.executed);
    EXPECT_EQ(rig.shell.desktopOpened, Lines(c.throughDesktop, forms::kHomepage));
    EXPECT_EQ(rig.messages.shown, c.shown);
  }
}

TEST(Rights, ABoxComesAboveTheOtherWindowsWhileTheProgramIsNotInFront) {
  const struct Case {
    const char* name;
    bool foreground;
    const char* control;
    int style;
  } cases[] = {
      {"About, in front", true, "mnuPopUpAbout", services::kOkOnly},
      {"About, behind", false, "mnuPopUpAbout", services::kOkOnly | services::kTopmost},
      {"the run's report, in front", true, "Command2", services::kCritical | services::kTopmost},
      {"the run's report, behind", false, "Command2", services::kCritical | services::kTopmost},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RightsRig rig;
    rig.windows.foreground = c.foreground;
    rig.Click(c.control);
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].style, c.style);
  }
}

}  // namespace
}  // namespace morvex::testing
