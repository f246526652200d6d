// The keyboard's order through the main window: the visible page in reading
// order, then what lies below the client area; never a closed or covered page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/lifecycle.h"
#include "ui/tab_order.h"
#include "unit/fakes.h"

namespace morvex::testing {
namespace {

std::vector<std::string> Names(const std::vector<ui::Control*>& order) {
  std::vector<std::string> names;
  for (const ui::Control* control : order) names.push_back(ui::ControlKey(control->Name(), control->Index()));
  return names;
}

const std::vector<std::string> kBelowTheClientArea = {
    "cmdTerminate", "cmdSendCloseMessage", "Command8", "Command3", "Command7", "Command6", "Command5",    "txtHour",
    "txtMinute",    "txtSekunde",          "chkSound", "Command4", "Text1",    "cmdAdd",   "cmdHideForm", "List3"};

std::vector<std::string> Then(std::vector<std::string> page) {
  page.insert(page.end(), kBelowTheClientArea.begin(), kBelowTheClientArea.end());
  return page;
}

TEST(TabOrder, TheShownPageInReadingOrderThenWhatLiesBelowTheClientArea) {
  Rig rig;
  app::StartUp(rig.Program());
  auto& form = rig.Form();
  const std::vector<std::string> startPage = {"cmdExit",   "xpButton4",      "xpRollUpContainer1", "List1",
                                              "List2",     "cmduebernehmen", "Command2",           "Command1",
                                              "xpButton6", "xpButton3"};
  const std::vector<std::string> optionsPage = {
      "cmdExit", "xpButton4", "xpRollUpContainer1", "xpButton2", "cmdSet",   "Combo1", "Combo2", "cmdStop", "xpButton5",
      "Check2",  "Check1",    "xpButton8",          "xpButton7", "xpButton1"};
  std::vector<std::string> withRemove = startPage;
  withRemove.insert(withRemove.begin() + 6, "cmdloeschen");
  std::vector<std::string> withoutFrame2 = Then(withRemove);
  std::erase(withoutFrame2, "Command3");
  const struct {
    const char* what;
    std::function<void()> step;
    std::vector<std::string> order;
  } steps[] = {
      // cmdloeschen is disabled at start, txtTargetTitle in the design.
      {"fresh start", [] {}, Then(startPage)},
      {"options page opened", [&] { form.Get<ui::Button>("xpButton6").UserClicked(); }, Then(optionsPage)},
      {"closed again by its header", [&] { form.Get<ui::RollUp>("xpRollUpContainer1").UserClicked(); },
       Then(startPage)},
      {"cmdloeschen enabled", [&] { form.Get<ui::Button>("cmdloeschen").SetEnabled(true); }, Then(withRemove)},
      {"Frame2 hidden", [&] { form.Get<ui::Frame>("Frame2").SetVisible(false); }, withoutFrame2},
  };
  for (const auto& s : steps) {
    s.step();
    EXPECT_EQ(Names(ui::TabOrder(form)), s.order) << s.what;
  }
}

TEST(TabOrder, TabAndShiftTabWrapRoundAndStartAtTheEndsFromElsewhere) {
  Rig rig;
  app::StartUp(rig.Program());
  auto& form = rig.Form();
  const std::vector<ui::Control*> order = ui::TabOrder(form);
  ASSERT_GE(order.size(), 3u);
  EXPECT_EQ(ui::NextTabStop(form, order[0]), order[1]);
  EXPECT_EQ(ui::NextTabStop(form, order[1], true), order[0]);
  EXPECT_EQ(ui::NextTabStop(form, order.back()), order[0]);
  EXPECT_EQ(ui::NextTabStop(form, order[0], true), order.back());
  // From no control, or one that is no Tab stop (covered, a label).
  for (const ui::Control* from :
       {static_cast<ui::Control*>(nullptr), &form.Find("cmdloeschen"), &form.Find("Label9")}) {
    EXPECT_EQ(ui::NextTabStop(form, from), order.front());
    EXPECT_EQ(ui::NextTabStop(form, from, true), order.back());
  }
  // A window without Tab stops.
  EXPECT_EQ(ui::NextTabStop(form.Form2(), nullptr), nullptr);
}

}  // namespace
}  // namespace morvex::testing
