#include <gtest/gtest.h>

#include "termination/window_title.h"
#include "unit/fakes.h"

namespace morvex::testing {
namespace {

using Calls = std::vector<std::string>;

// A rig with one window "Rechner" (window 11, process 4711); message boxes and
// the close request of Form1 are written into the same log as the calls.
struct TitleRig : Rig {
  int closeRequests = 0;
  TitleRig() {
    windows.windows["Rechner"] = 11;
    windows.windows["morvex"] = 11;
    windows.windows["Erhöht"] = 13;
    windows.owners[11] = 4711;
    messages.onShow = [this] { windows.calls.push_back("Message " + messages.shown.back().text); };
    Form().onCloseRequest = [this] {
      ++closeRequests;
      windows.calls.push_back("CloseRequest");
    };
  }
};

TEST(WindowTitleTermination, EveryOutcomeOfTerminate) {
  const std::string open = "OpenProcess 1048577 0 4711";
  const struct Case {
    const char* name;
    std::string title;
    std::uint32_t owner;
    bool openable, terminable;
    Calls calls;
  } cases[] = {
      {"empty title touches nothing", "", 4711, true, true, {"Message Error finding target window handle"}},
      {"no such window",
       "notepad.exe",
       4711,
       true,
       true,
       {"FindTopWindow notepad.exe", "Message Error finding target window handle"}},
      {"no owning process",
       "Rechner",
       0,
       true,
       true,
       {"FindTopWindow Rechner", "WindowProcessId 11", "Message Error finding target process ID"}},
      {"process cannot be opened",
       "Rechner",
       4711,
       false,
       true,
       {"FindTopWindow Rechner", "WindowProcessId 11", open, "Message Error finding target process handle"}},
      {"termination fails: the handle is closed, the message shown after the handler",
       "Rechner",
       4711,
       true,
       false,
       {"FindTopWindow Rechner", "WindowProcessId 11", open, "TerminateProcess 11711 0", "CloseHandle 11711",
        "Message Error terminating process"}},
      {"success: handle closed, no second lookup, no message, then the close request",
       "Rechner",
       4711,
       true,
       true,
       {"FindTopWindow Rechner", "WindowProcessId 11", open, "TerminateProcess 11711 0", "CloseHandle 11711",
        "CloseRequest"}},
      {"the program's own window: the close request alone", "morvex", 4242, true, true,
       {"FindTopWindow morvex", "WindowProcessId 11", "CloseRequest"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TitleRig rig;
    rig.Form().Get<ui::TextBox>("txtTargetTitle").SetText(c.title);
    rig.windows.owners[11] = c.owner;
    rig.windows.openable = c.openable;
    rig.windows.terminable = c.terminable;
    rig.Form().Get<ui::Button>("cmdTerminate").UserClicked();
    EXPECT_EQ(rig.windows.calls, c.calls);
    for (const auto& shown : rig.messages.shown) {
      EXPECT_EQ(shown.title, "morvex");
      EXPECT_EQ(shown.style, 0);
    }
    EXPECT_EQ(rig.closeRequests, c.calls.back() == "CloseRequest" ? 1 : 0);
    EXPECT_EQ(rig.lifetime.ended, 0);
  }
}

TEST(WindowTitleTermination, EveryOutcomeOfSendCloseMessage) {
  const struct Case {
    const char* name;
    std::string title;
    Calls calls;
  } cases[] = {
      {"empty title touches nothing", "", {"Message Error finding target window handle"}},
      {"no such window", "notepad.exe", {"FindTopWindow notepad.exe", "Message Error finding target window handle"}},
      {"window found: WM_CLOSE posted, nothing shown", "Rechner", {"FindTopWindow Rechner", "Post 11 16 0 0"}},
      {"refused (an elevated program's window): told", "Erhöht",
       {"FindTopWindow Erhöht", "Post 13 16 0 0", "Message Error sending close message"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TitleRig rig;
    rig.Form().Get<ui::TextBox>("txtTargetTitle").SetText(c.title);
    rig.Form().Get<ui::Button>("cmdSendCloseMessage").UserClicked();
    EXPECT_EQ(rig.windows.calls, c.calls);
    for (const auto& shown : rig.messages.shown) {
      EXPECT_EQ(shown.title, "morvex");
      EXPECT_EQ(shown.style, 0);
    }
    EXPECT_EQ(rig.closeRequests, 0);
  }
}

TEST(WindowTitleTermination, TitleReachesThePlatformWhole) {
  TitleRig rig;
  const std::string title = "Größe – Москва – 東京";
  rig.windows.windows[title] = 12;
  rig.windows.owners[12] = 99;
  rig.Form().Get<ui::TextBox>("txtTargetTitle").SetText(title);
  rig.Form().Get<ui::Button>("cmdSendCloseMessage").UserClicked();
  rig.Form().Get<ui::Button>("cmdTerminate").UserClicked();
  EXPECT_EQ(rig.windows.calls, (Calls{"FindTopWindow " + title, "Post 12 16 0 0", "FindTopWindow " + title,
                                      "WindowProcessId 12", "OpenProcess 1048577 0 99", "TerminateProcess 7099 0",
                                      "CloseHandle 7099", "CloseRequest"}));
  EXPECT_TRUE(rig.messages.shown.empty());
}

}  // namespace
}  // namespace morvex::testing
