#include <gtest/gtest.h>

#include "app/navigation.h"
#include "unit/fakes.h"

namespace morvex::testing {
namespace {

TEST(Navigation, OptionsPageOpensAndClosesAndNothingElseChanges) {
  Rig rig;
  auto& form = rig.Form();
  auto& options = form.Get<ui::RollUp>("xpRollUpContainer1");
  const struct {
    ui::Control* button;
    bool opened;
  } steps[] = {{&form.Get<ui::Button>("xpButton6"), true},
               {&form.Get<ui::Button>("xpButton6"), true},
               {&form.Get<ui::Button>("xpButton8"), false},
               {&form.Get<ui::Button>("xpButton8"), false},
               {&form.Get<ui::Button>("xpButton6"), true}};
  for (const auto& step : steps) {
    step.button->UserClicked();
    EXPECT_EQ(options.Opened(), step.opened) << step.button->Name();
    EXPECT_TRUE(form.Get<ui::RollUp>("xpRollUpContainer2").Opened());
  }
  EXPECT_FALSE(form.Get<ui::Timer>("tmrCountDown").Enabled());
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST(Navigation, CreditLineAndHomepageButtonOpenTheSameAddress) {
  Rig rig;
  rig.Form().Get<ui::Label>("Label7").UserClicked();
  rig.Form().Get<ui::Button>("xpButton7").UserClicked();
  ASSERT_EQ(rig.shell.calls.size(), 2u);
  for (const auto& call : rig.shell.calls) {
    EXPECT_EQ(call.operation, "Open");
    EXPECT_EQ(call.file, forms::kHomepage);
    EXPECT_EQ(call.parameters, "");
    EXPECT_EQ(call.directory, "C:\\Morvex");
    EXPECT_EQ(call.show, 1);
  }
}

TEST(Navigation, AboutMessageCarriesTheProgramTitle) {
  Rig rig;
  rig.Form().Get<ui::MenuItem>("mnuPopUpAbout").UserClicked();
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_EQ(rig.messages.shown[0],
            (ShownMessage{std::string("MorvexTask auf ") + forms::kWebAddress + "!", "morvex", 0}));
}

}  // namespace
}  // namespace morvex::testing
