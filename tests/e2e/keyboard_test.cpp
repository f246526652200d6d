// The main window with the keyboard, as a user presses the keys: Tab follows
// the eye over the page that is shown, then reaches what lies below the client
// area; a closed or covered page is never reached; a screen reader hears each
// Tab stop's caption and what it acts as.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "forms/window_tables.h"

namespace morvex::e2e {
namespace {

using Names = std::vector<std::string>;

const ui::ControlDef& DefOf(const std::string& name) {
  return forms::Form1Def().controls[static_cast<std::size_t>(IdOf("Form1", name) - ui::kFirstControlId)];
}

// Whether the control lies below Form1's client area, by the table.
bool BelowTheClientArea(const std::string& name) { return ui::LiesBelowClientArea(forms::Form1Def(), DefOf(name)); }

// Presses Tab until the focus comes back to where it was, at most `bound`
// times; the names of the controls it visited, in turn.
Names TabRound(const Morvex& app, int bound = 60) {
  const std::string start = app.FocusedControl();
  Names visited;
  for (int i = 0; i < bound; ++i) {
    const std::string before = app.FocusedControl();
    app.PressKey(VK_TAB);
    WaitFor([&] { return app.FocusedControl() != before; }, 3000);
    visited.push_back(app.FocusedControl());
    if (visited.back() == start) break;
  }
  return visited;
}

void Print(const char* what, const Names& names) {
  std::string line;
  for (const auto& name : names) line += (line.empty() ? "" : ", ") + name;
  std::printf("Tab order, %s: %s\n", what, line.c_str());
}

// Tabs to the control and presses Space on it.
void PressSpaceOn(const Morvex& app, const std::string& name) {
  for (int i = 0; i < 60 && app.FocusedControl() != name; ++i) {
    const std::string before = app.FocusedControl();
    app.PressKey(VK_TAB);
    WaitFor([&] { return app.FocusedControl() != before; }, 3000);
  }
  ASSERT_EQ(app.FocusedControl(), name);
  app.PressKey(VK_SPACE);
}

int PanelHeight(const Morvex& app) {
  RECT rect{};
  GetWindowRect(app.Control("xpRollUpContainer1"), &rect);
  return rect.bottom - rect.top;
}

// What a screen reader hears of each Tab stop: the caption (a list box's is
// its frame's, the hour and minute boxes have names of their own), and the
// role of what it acts as.
void ExpectAnnounced(const Morvex& app, const Names& stops) {
  for (const auto& name : stops) {
    SCOPED_TRACE(name);
    const ui::ControlDef& def = DefOf(name);
    const bool named = def.kind != ui::Kind::ListBox && def.kind != ui::Kind::ComboBox;
    const Accessible accessible = AccessibleOf(app.Control(name));
    ASSERT_TRUE(accessible.found);
    const std::string own = name == "Combo1" ? "Stunden" : name == "Combo2" ? "Minuten" : "";
    EXPECT_EQ(accessible.name, !own.empty() ? own : named ? def.caption : DefOf(def.parent).caption);
    const long role = def.kind == ui::Kind::ListBox    ? ROLE_SYSTEM_LIST
                      : def.kind == ui::Kind::ComboBox ? ROLE_SYSTEM_COMBOBOX
                      : def.kind == ui::Kind::CheckBox ? ROLE_SYSTEM_CHECKBUTTON
                                                       : ROLE_SYSTEM_PUSHBUTTON;
    EXPECT_EQ(accessible.role, role);
  }
}

const Names kStartPage = {"cmdExit",        "xpButton4", "xpRollUpContainer1", "List1",     "List2",
                          "cmduebernehmen", "Command2",  "Command1",           "xpButton6", "xpButton3"};
const Names kOptionsPage = {"xpButton2", "cmdSet", "Combo1",    "Combo2",    "cmdStop",  "xpButton5",
                            "Check2",    "Check1", "xpButton8", "xpButton7", "xpButton1"};

bool Visits(const Names& round, const std::string& name) {
  return std::find(round.begin(), round.end(), name) != round.end();
}

TEST(Keyboard, TabFromAFreshStartVisitsTheStartPageInReadingOrderThenWhatLiesBelow) {
  Morvex app(FreshFolder("keys-start"));
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitUntilShown());
  ASSERT_TRUE(app.BringToFront());
  // At start the focus is on the first visible control.
  EXPECT_TRUE(WaitFor([&] { return app.FocusedControl() == "cmdExit"; }, 5000)) << app.FocusedControl();

  const Names round = TabRound(app);
  Print("start page", round);
  ASSERT_GT(round.size(), kStartPage.size());
  ASSERT_EQ(round.back(), "cmdExit") << "Tab does not come round";
  // The start page (cmdloeschen is disabled at start), from the control after
  // cmdExit, then only controls below the client area, Command4 among them.
  EXPECT_EQ(Names(round.begin(), round.begin() + 9), Names(kStartPage.begin() + 1, kStartPage.end()));
  for (auto it = round.begin() + 9; it + 1 != round.end(); ++it) EXPECT_TRUE(BelowTheClientArea(*it)) << *it;
  EXPECT_TRUE(Visits(round, "Command4"));
  ExpectAnnounced(app, kStartPage);

  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
}

TEST(Keyboard, TheOpenPageIsVisitedAndNeitherTheCoveredNorTheClosedOne) {
  Morvex app(FreshFolder("keys-pages"));
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitUntilShown());
  ASSERT_TRUE(app.BringToFront());
  const int closed = PanelHeight(app);

  // xpButton6 opens the options page over the start page.
  PressSpaceOn(app, "xpButton6");
  ASSERT_TRUE(WaitFor([&] { return PanelHeight(app) > 2 * closed; }));
  // The covered button's focus goes to the header that switches the pages.
  EXPECT_TRUE(WaitFor([&] { return app.FocusedControl() == "xpRollUpContainer1"; }, 5000));
  const Names open = TabRound(app);
  Print("options page", open);
  for (const auto& name : kOptionsPage) EXPECT_TRUE(Visits(open, name)) << name;
  for (auto it = kStartPage.begin() + 3; it != kStartPage.end(); ++it) EXPECT_FALSE(Visits(open, *it)) << *it;
  ExpectAnnounced(app, kOptionsPage);

  // Space on Starten starts the countdown and disables it: the focus goes on
  // to Stop, whose Space stops it again.
  PressSpaceOn(app, "cmdSet");
  EXPECT_TRUE(WaitFor([&] { return app.FocusedControl() == "cmdStop"; }, 5000)) << app.FocusedControl();
  app.PressKey(VK_SPACE);
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(app.Control("cmdSet")) != 0; }));

  // Closed again by xpButton8, the options page has no Tab stop but its header.
  PressSpaceOn(app, "xpButton8");
  ASSERT_TRUE(WaitFor([&] { return PanelHeight(app) == closed; }));
  EXPECT_TRUE(WaitFor([&] { return app.FocusedControl() == "xpRollUpContainer1"; }, 5000));
  const Names shut = TabRound(app);
  for (const auto& name : kOptionsPage) EXPECT_FALSE(Visits(shut, name)) << name;
  for (const auto& name : kStartPage) EXPECT_TRUE(Visits(shut, name)) << name;

  // Space on the header opens the page and closes it again, as a click does.
  ASSERT_EQ(app.FocusedControl(), "xpRollUpContainer1");
  app.PressKey(VK_SPACE);
  EXPECT_TRUE(WaitFor([&] { return PanelHeight(app) > 2 * closed; }));
  app.PressKey(VK_SPACE);
  EXPECT_TRUE(WaitFor([&] { return PanelHeight(app) == closed; }));

  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
}

// The controls below the client area get their windows once the window has
// been shown and painted. A Tab pressed and a click made as soon as it is in
// front wait for them: the Tab goes on from the first Tab stop as it does in
// a settled window, and the click's save holds the values config.ini gave
// those controls.
TEST(Keyboard, ATabAndAClickAtOnceAfterTheShowFindTheSettledOrderAndValues) {
  for (const bool tab : {true, false}) {
    SCOPED_TRACE(tab ? "Tab" : "click");
    Morvex app(FreshFolder(tab ? "keys-at-once-tab" : "keys-at-once-click"));
    WriteFileBytes(app.PathOf(L"config.ini"), "[Form1]\r\nText1=Hallo\r\noptOnLeftClick(0)=-1\r\n");
    ASSERT_TRUE(app.Start(false));
    ASSERT_TRUE(WaitFor([&] { HWND form = app.Form1(); return form && GetForegroundWindow() == form; }, 30000));
    if (tab) {
      app.PressKey(VK_TAB);
      EXPECT_TRUE(WaitFor([&] { return app.FocusedControl() == "xpButton4"; }, 5000)) << app.FocusedControl();
      const Names round = TabRound(app);
      EXPECT_EQ(round.back(), "xpButton4");
      EXPECT_TRUE(Visits(round, "Command4")) << "a Tab stop below the client area";
    } else {
      app.Click("xpButton3");  // saves and hides to the tray
      ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(app.Form1()); }));
      const std::string saved = ReadFileBytes(app.PathOf(L"config.ini"));
      for (const char* line : {"\r\nText1=Hallo\r\n", "\r\noptOnLeftClick(0)=-1\r\n", "\r\noptOnLeftClick(1)=0\r\n"}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line;
      }
      EXPECT_FALSE(app.Enabled("cmdHideForm")) << "the message-box mode, restored, disables it";
    }
    app.RequestClose();
    EXPECT_TRUE(app.WaitForExit());
  }
}

}  // namespace
}  // namespace morvex::e2e
