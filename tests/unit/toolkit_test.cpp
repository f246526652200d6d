// The toolkit's own semantics: which programmatic changes raise which event.
#include <gtest/gtest.h>

#include "forms/parts.h"
#include "forms/window_tables.h"
#include "unit/fakes.h"

namespace morvex::testing {
namespace {

struct Counter {
  int clicks = 0;
  std::function<void()> Bind() {
    return [this] { ++clicks; };
  }
};

TEST(Toolkit, ProgrammaticChangesRaiseTheClickOnlyWhenTheValueChanges) {
  Rig rig;
  auto& form = rig.Form();
  form.Get<ui::ComboBox>("Combo1").AddItem("00");
  form.Get<ui::ComboBox>("Combo1").AddItem("01");
  form.Get<ui::ListBox>("List1").AddItem("a");
  form.Get<ui::ListBox>("List1").AddItem("b");
  form.Get<ui::ListBox>("List2").AddItem("x");

  Counter combo, list1, list2, check, option0, option1;
  form.Get<ui::ComboBox>("Combo1").onClick = combo.Bind();
  form.Get<ui::ListBox>("List1").onClick = list1.Bind();
  form.Get<ui::ListBox>("List2").onClick = list2.Bind();
  form.Get<ui::CheckBox>("Check1").onClick = check.Bind();
  form.Get<ui::OptionButton>("optOnLeftClick", 0).onClick = option0.Bind();
  form.Get<ui::OptionButton>("optOnLeftClick", 1).onClick = option1.Bind();

  const struct {
    const char* what;
    std::function<void()> change;
    Counter* counter;
    int expectedClicks;
  } steps[] = {
      {"combo selects", [&] { form.Get<ui::ComboBox>("Combo1").SetListIndex(1); }, &combo, 1},
      {"combo same again", [&] { form.Get<ui::ComboBox>("Combo1").SetListIndex(1); }, &combo, 1},
      {"combo cleared", [&] { form.Get<ui::ComboBox>("Combo1").SetListIndex(-1); }, &combo, 2},
      {"single list selects", [&] { form.Get<ui::ListBox>("List1").SetListIndex(0); }, &list1, 1},
      {"single list same", [&] { form.Get<ui::ListBox>("List1").SetListIndex(0); }, &list1, 1},
      {"extended list selects", [&] { form.Get<ui::ListBox>("List2").SetListIndex(0); }, &list2, 1},
      {"check box checked", [&] { form.Get<ui::CheckBox>("Check1").SetValue(1); }, &check, 1},
      {"check box same", [&] { form.Get<ui::CheckBox>("Check1").SetValue(1); }, &check, 1},
      {"check box greyed", [&] { form.Get<ui::CheckBox>("Check1").SetValue(2); }, &check, 2},
      {"option already selected", [&] { form.Get<ui::OptionButton>("optOnLeftClick", 1).SetValue(true); }, &option1, 0},
      {"other option selected", [&] { form.Get<ui::OptionButton>("optOnLeftClick", 0).SetValue(true); }, &option0, 1},
      {"option deselected raises nothing", [&] { form.Get<ui::OptionButton>("optOnLeftClick", 0).SetValue(false); },
       &option0, 1},
  };
  for (const auto& step : steps) {
    step.change();
    EXPECT_EQ(step.counter->clicks, step.expectedClicks) << step.what;
  }
  EXPECT_EQ(option1.clicks, 0);
}

TEST(Toolkit, OptionButtonsExcludeEachOtherWithinTheirContainerOnly) {
  Rig rig;
  auto& form = rig.Form();
  EXPECT_TRUE(form.Get<ui::OptionButton>("optSetCount").Value());
  EXPECT_TRUE(form.Get<ui::OptionButton>("optOnLeftClick", 1).Value());
  form.Get<ui::OptionButton>("optSetTime").SetValue(true);
  EXPECT_FALSE(form.Get<ui::OptionButton>("optSetCount").Value());
  EXPECT_TRUE(form.Get<ui::OptionButton>("optOnLeftClick", 1).Value()) << "another container's group is untouched";
  form.Get<ui::OptionButton>("optOnLeftClick", 0).UserClicked();
  EXPECT_FALSE(form.Get<ui::OptionButton>("optOnLeftClick", 1).Value());
  EXPECT_TRUE(form.Get<ui::OptionButton>("optSetTime").Value());
}

TEST(Toolkit, ComboKeepsItsTextWhenItsSelectionIsCleared) {
  Rig rig;
  auto& combo = rig.Form().Get<ui::ComboBox>("Combo3");
  EXPECT_EQ(combo.Text(), "00");
  combo.SetListIndex(-1);
  EXPECT_EQ(combo.Text(), "00");
  rig.Form().Get<ui::ComboBox>("Combo2").AddItem("03");
  rig.Form().Get<ui::ComboBox>("Combo2").SetListIndex(0);
  EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo2").Text(), "03");
}

TEST(Toolkit, TimersFireOnlyWhileEnabledWithAnInterval) {
  Rig rig;
  auto& form = rig.Form();
  int countdown = 0, time = 0, never = 0;
  form.Get<ui::Timer>("tmrCountDown").onTimer = [&] { ++countdown; };
  form.Get<ui::Timer>("tmrTime").onTimer = [&] { ++time; };
  form.Get<ui::Timer>("Timer1").onTimer = [&] { ++never; };
  for (auto* timer :
       {&form.Get<ui::Timer>("tmrCountDown"), &form.Get<ui::Timer>("tmrTime"), &form.Get<ui::Timer>("Timer1")})
    timer->Fire();
  EXPECT_EQ(countdown, 0);
  EXPECT_EQ(time, 1);
  EXPECT_EQ(never, 0) << "an interval of 0 never fires";
  form.Get<ui::Timer>("tmrCountDown").SetEnabled(true);
  form.Get<ui::Timer>("tmrCountDown").Fire();
  EXPECT_EQ(countdown, 1);
  EXPECT_TRUE(Rig::Peer(form.Get<ui::Timer>("tmrCountDown")).TimerScheduled());
}

TEST(Toolkit, UserClicksOnCheckBoxesToggleAndRollUpHeadersToggleThePanel) {
  Rig rig;
  auto& form = rig.Form();
  form.Get<ui::CheckBox>("Check2").UserClicked();
  EXPECT_EQ(form.Get<ui::CheckBox>("Check2").Value(), 1);
  form.Get<ui::CheckBox>("Check2").UserClicked();
  EXPECT_EQ(form.Get<ui::CheckBox>("Check2").Value(), 0);
  EXPECT_FALSE(form.Get<ui::RollUp>("xpRollUpContainer1").Opened());
  form.Get<ui::RollUp>("xpRollUpContainer1").UserClicked();
  EXPECT_TRUE(form.Get<ui::RollUp>("xpRollUpContainer1").Opened());
  form.Get<ui::RollUp>("xpRollUpContainer1").UserClicked();
  EXPECT_FALSE(form.Get<ui::RollUp>("xpRollUpContainer1").Opened());
}

TEST(Toolkit, AControlIsReachedOnlyAsTheClassOfItsKind) {
  Rig rig;
  const ui::Window& form = rig.Form();
  EXPECT_EQ(&form.Get<ui::ComboBox>("Combo1"), &form.Find("Combo1"));
  // The kinds without behaviour of their own are told apart as well.
  const std::vector<std::function<void()>> wrongKinds = {
      [&] { form.Get<ui::ComboBox>("List1"); },  [&] { form.Get<ui::Timer>("Label7"); },
      [&] { form.Get<ui::Button>("Label9"); },   [&] { form.Get<ui::Label>("Frame7"); },
      [&] { form.Get<ui::MenuItem>("cmdSet"); }, [&] { form.Get<ui::Frame>("mnuPopUp"); },
  };
  for (const auto& ask : wrongKinds) EXPECT_THROW(ask(), std::invalid_argument);
  EXPECT_THROW(form.Get<ui::Control>("NoSuchControl"), std::out_of_range);
}

TEST(Toolkit, APartTakingAControlOfTheWrongKindFails) {
  // The main window's table with the run's button (Command2) made a label.
  ui::WindowDef def = forms::Form1Def();
  for (ui::ControlDef& control : def.controls) {
    if (control.name == "Command2") control.kind = ui::Kind::Label;
  }
  ui::HeadlessBackend backend;
  ui::Window window(def, backend);
  forms::LazyWindow form2(forms::Form2Def, backend);
  forms::LazyWindow deskR(forms::DeskRDef, backend);
  forms::LazyWindow frmDummy(forms::FrmDummyDef, backend);
  EXPECT_THROW(forms::Parts(window, form2, deskR, frmDummy), std::invalid_argument);
}

}  // namespace
}  // namespace morvex::testing
