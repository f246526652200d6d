// The toolkit's own semantics: which programmatic changes raise which event.
#include <gtest/gtest.h>

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
  form.Combo1().AddItem("00");
  form.Combo1().AddItem("01");
  form.List1().AddItem("a");
  form.List1().AddItem("b");
  form.List2().AddItem("x");

  Counter combo, list1, list2, check, option0, option1;
  form.Combo1().onClick = combo.Bind();
  form.List1().onClick = list1.Bind();
  form.List2().onClick = list2.Bind();
  form.Check1().onClick = check.Bind();
  form.optOnLeftClick(0).onClick = option0.Bind();
  form.optOnLeftClick(1).onClick = option1.Bind();

  const struct {
    const char* what;
    std::function<void()> change;
    Counter* counter;
    int expectedClicks;
  } steps[] = {
      {"combo selects", [&] { form.Combo1().SetListIndex(1); }, &combo, 1},
      {"combo same again", [&] { form.Combo1().SetListIndex(1); }, &combo, 1},
      {"combo cleared", [&] { form.Combo1().SetListIndex(-1); }, &combo, 2},
      {"single list selects", [&] { form.List1().SetListIndex(0); }, &list1, 1},
      {"single list same", [&] { form.List1().SetListIndex(0); }, &list1, 1},
      {"extended list selects", [&] { form.List2().SetListIndex(0); }, &list2, 1},
      {"check box checked", [&] { form.Check1().SetValue(1); }, &check, 1},
      {"check box same", [&] { form.Check1().SetValue(1); }, &check, 1},
      {"check box greyed", [&] { form.Check1().SetValue(2); }, &check, 2},
      {"option already selected", [&] { form.optOnLeftClick(1).SetValue(true); }, &option1, 0},
      {"other option selected", [&] { form.optOnLeftClick(0).SetValue(true); }, &option0, 1},
      {"option deselected raises nothing", [&] { form.optOnLeftClick(0).SetValue(false); }, &option0, 1},
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
  EXPECT_TRUE(form.optSetCount().Value());
  EXPECT_TRUE(form.optOnLeftClick(1).Value());
  form.optSetTime().SetValue(true);
  EXPECT_FALSE(form.optSetCount().Value());
  EXPECT_TRUE(form.optOnLeftClick(1).Value()) << "another container's group is untouched";
  form.optOnLeftClick(0).UserClicked();
  EXPECT_FALSE(form.optOnLeftClick(1).Value());
  EXPECT_TRUE(form.optSetTime().Value());
}

TEST(Toolkit, ComboKeepsItsTextWhenItsSelectionIsCleared) {
  Rig rig;
  auto& combo = rig.Form().Combo3();
  EXPECT_EQ(combo.Text(), "00");
  combo.SetListIndex(-1);
  EXPECT_EQ(combo.Text(), "00");
  rig.Form().Combo2().AddItem("03");
  rig.Form().Combo2().SetListIndex(0);
  EXPECT_EQ(rig.Form().Combo2().Text(), "03");
}

TEST(Toolkit, TimersFireOnlyWhileEnabledWithAnInterval) {
  Rig rig;
  auto& form = rig.Form();
  int countdown = 0, time = 0, never = 0;
  form.tmrCountDown().onTimer = [&] { ++countdown; };
  form.tmrTime().onTimer = [&] { ++time; };
  form.Timer1().onTimer = [&] { ++never; };
  for (auto* timer : {&form.tmrCountDown(), &form.tmrTime(), &form.Timer1()}) timer->Fire();
  EXPECT_EQ(countdown, 0);
  EXPECT_EQ(time, 1);
  EXPECT_EQ(never, 0) << "an interval of 0 never fires";
  form.tmrCountDown().SetEnabled(true);
  form.tmrCountDown().Fire();
  EXPECT_EQ(countdown, 1);
  EXPECT_TRUE(Rig::Peer(form.tmrCountDown()).TimerScheduled());
}

TEST(Toolkit, UserClicksOnCheckBoxesToggleAndRollUpHeadersToggleThePanel) {
  Rig rig;
  auto& form = rig.Form();
  form.Check2().UserClicked();
  EXPECT_EQ(form.Check2().Value(), 1);
  form.Check2().UserClicked();
  EXPECT_EQ(form.Check2().Value(), 0);
  EXPECT_FALSE(form.xpRollUpContainer1().Opened());
  form.xpRollUpContainer1().UserClicked();
  EXPECT_TRUE(form.xpRollUpContainer1().Opened());
  form.xpRollUpContainer1().UserClicked();
  EXPECT_FALSE(form.xpRollUpContainer1().Opened());
}

TEST(Toolkit, AControlIsReachedOnlyAsTheClassOfItsKind) {
  Rig rig;
  const ui::Window& form = rig.Form();
  EXPECT_EQ(&form.Get<ui::ComboBox>("Combo1"), &rig.Form().Combo1());
  EXPECT_THROW(form.Get<ui::ComboBox>("List1"), std::invalid_argument);
  EXPECT_THROW(form.Get<ui::Timer>("Label7"), std::invalid_argument);
  EXPECT_THROW(form.Get<ui::Control>("NoSuchControl"), std::out_of_range);
}

}  // namespace
}  // namespace morvex::testing
