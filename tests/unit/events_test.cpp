// One event at a time: an event that arrives while a handler runs (inside one
// of its message boxes, or while it waits on the management service) is
// raised only after the handler has ended, so nothing is saved half-way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/lifecycle.h"
#include "processes/killlist.h"
#include "unit/fakes.h"

namespace morvex::testing {
namespace {

constexpr const char* kKillList = "C:\\Morvex\\List2.txt";
constexpr const char* kConfig = "C:\\Morvex\\config.ini";
constexpr const char* kEntries = "a.exe\r\nb.exe\r\n";

std::string StoredValue(const std::string& ini, const std::string& key) {
  const auto at = ini.find("\r\n" + key + "=");
  if (at == std::string::npos) return {};
  const auto start = at + key.size() + 3;
  return ini.substr(start, ini.find("\r\n", start) - start);
}

TEST(OneEventAtATime, CloseAndSessionEndInsideAHandlerLoseNothing) {
  enum class Trigger { StartUpBox, BoxAtRunEnd, QueryInRun };
  struct Case {
    const char* name;
    Trigger trigger;
    const char* unreadable;   // a file that cannot be read during the handler
    const char* unwritable;   // a file that cannot be written during the handler
    bool sessionEnd;          // the event: a session end rather than a close request
    int killListWritesAfter;  // List2.txt writes from the event on
  };
  const Case cases[] = {
      {"close in the start-up's read error", Trigger::StartUpBox, kKillList, nullptr, false, 0},
      {"close in the report after a run", Trigger::BoxAtRunEnd, nullptr, nullptr, false, 1},
      {"close in the report after a failed reload", Trigger::BoxAtRunEnd, kKillList, nullptr, false, 1},
      {"session end inside a run", Trigger::QueryInRun, nullptr, nullptr, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    forms::Form1& form = rig.Form();
    rig.files.files[kKillList] = kEntries;
    rig.files.files[kConfig] = "[Form1]\r\nCombo1=5\r\n";
    rig.management.captions = {"a.exe"};
    rig.snapshot.names = {"a.exe"};  // still running after the run: reported
    if (c.trigger != Trigger::StartUpBox) app::StartUp(rig.Program());
    if (c.unreadable) rig.files.readErrors[c.unreadable] = "gesperrt";
    if (c.unwritable) rig.files.writeErrors[c.unwritable] = "gesperrt";

    int configWritesAtEvent = -1;
    int killListWritesAtEvent = -1;
    int endedAtEvent = -1;
    const auto deliver = [&] {
      if (configWritesAtEvent >= 0) return;
      configWritesAtEvent = rig.files.writes[kConfig];
      killListWritesAtEvent = rig.files.writes[kKillList];
      if (c.sessionEnd) {
        form.SessionEnding();
      } else {
        form.RequestClose();
      }
      endedAtEvent = rig.lifetime.ended;
    };
    if (c.trigger == Trigger::QueryInRun) {
      rig.management.onQuery = deliver;
    } else {
      rig.messages.onShow = deliver;
    }
    if (c.trigger == Trigger::StartUpBox) {
      app::StartUp(rig.Program());
    } else {
      form.Get<ui::Button>("Command2").UserClicked();
    }

    ASSERT_GE(configWritesAtEvent, 0) << "the event was delivered";
    // A close request waits for a running handler; a session end cannot.
    // A box is shown once its handler has ended: a close there runs at once.
    EXPECT_EQ(endedAtEvent, c.sessionEnd || c.trigger != Trigger::QueryInRun ? 1 : 0);
    EXPECT_EQ(rig.lifetime.ended, 1);
    EXPECT_EQ(rig.files.writes[kKillList] - killListWritesAtEvent, c.killListWritesAfter);
    EXPECT_EQ(rig.files.files[kKillList], kEntries);
    EXPECT_EQ(StoredValue(rig.files.files[kConfig], "Combo1"), "5");
    if (c.sessionEnd) {
      EXPECT_EQ(rig.files.writes[kConfig], configWritesAtEvent);
      ASSERT_FALSE(rig.tray.calls.empty());
      EXPECT_EQ(rig.tray.calls.back().message, services::kTrayDelete);
    }
  }
}

TEST(OneEventAtATime, HeldEventsComeInArrivalOrderWithTheTicksOfATimerAsOne) {
  Rig rig;
  forms::Form1& form = rig.Form();
  std::vector<std::string> log;
  form.Get<ui::Timer>("tmrTime").onTimer = [&] { log.push_back("tick"); };
  form.Get<ui::Button>("Command1").onClick = [&] { log.push_back("Command1"); };
  // The tray's popup menu holds its handler.
  ui::HeadlessBackend::PeerOf(form.FrmDummy()).onPopup = [&] {
    form.Get<ui::Timer>("tmrTime").Fire();
    form.Get<ui::Button>("Command1").UserClicked();
    form.Get<ui::Timer>("tmrTime").Fire();
    form.Get<ui::Timer>("tmrTime").Fire();
    EXPECT_TRUE(log.empty());
  };
  form.MouseMoved(0, 0, 0x205, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"tick", "Command1"}));

  // An event of a window that goes away before it is raised is dropped.
  bool raised = false;
  rig.commands.onWait = [&] {
    ui::Control& label = form.Form2().Find("Label1");
    label.onClick = [&] { raised = true; };
    label.UserClicked();
  };
  rig.files.files[kKillList] = "a.exe\r\n";
  rig.Program().KillList().LoadKillList();
  form.Get<ui::Button>("Command2").UserClicked();
  EXPECT_FALSE(form.HasForm2());
  EXPECT_FALSE(raised);
}

}  // namespace
}  // namespace morvex::testing
