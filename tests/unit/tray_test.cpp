#include <gtest/gtest.h>

#include "app/lifecycle.h"
#include "tray/tray.h"
#include "unit/journal.h"

namespace morvex::testing {
namespace {

// A notification of the icon as Form1 sees it: the mouse message in place of
// x.
void Notify(forms::Form1& form, int mouseMessage) { form.MouseMoved(0, 0, mouseMessage, 0); }

TEST(Tray, RecordNamesTheWindowsIconWithItsFixedTip) {
  Rig rig;
  ui::HeadlessBackend::PeerOf(rig.Form()).iconHandle = 0x4D2;
  tray::AddTrayIcon(rig.Program().Parts().tray, rig.Program().TrayIcon());
  ASSERT_EQ(rig.tray.calls.size(), 1u);
  const auto& call = rig.tray.calls[0];
  EXPECT_EQ(call.message, services::kTrayAdd);
  EXPECT_EQ(call.record.size, 88u);
  EXPECT_EQ(call.record.flags, 7u);
  EXPECT_EQ(call.record.callbackMessage, 0x200u);
  EXPECT_EQ(call.record.icon, 0x4D2u);
  // The identifier is no handle, which differs from run to run: the shell
  // knows the icon again by it.
  EXPECT_EQ(call.record.id, tray::kTrayIconId);
  // The text itself, not its ANSI form: the same on every Windows.
  EXPECT_EQ(call.record.tip, "Rechtsklick um das Menu zu öffnen");
}

TEST(Tray, OnlyTheReleaseOfTheRightButtonActs) {
  const struct {
    int message;
    bool opens;
  } cases[] = {{0x200, false}, {0x201, false}, {0x202, false}, {0x203, false},
               {0x204, false}, {0x205, true},  {0x206, false}, {0x207, false}};
  for (const auto& c : cases) {
    Rig rig;
    Notify(rig.Form(), c.message);
    EXPECT_EQ(rig.Form().HasFrmDummy(), c.opens) << std::hex << c.message;
    if (c.opens) {
      auto& dummy = ui::HeadlessBackend::PeerOf(rig.Form().FrmDummy());
      EXPECT_EQ(dummy.foregroundCalls, 1);
      ASSERT_EQ(dummy.popups.size(), 1u);
      EXPECT_EQ(dummy.popups[0].menu, rig.Form().Get<ui::MenuItem>("mnuPopUp").Position());
      EXPECT_EQ(dummy.popups[0].defaultItem, rig.Form().Get<ui::MenuItem>("mnuPopUpShowForm").Position());
    }
    EXPECT_TRUE(rig.messages.shown.empty());
  }
}

TEST(Tray, MessageBoxModeShowsOnlyTheMessage) {
  Rig rig;
  rig.Form().Get<ui::OptionButton>("optOnLeftClick", 0).SetValue(true);
  EXPECT_FALSE(rig.Form().Get<ui::Button>("cmdHideForm").Enabled());
  Notify(rig.Form(), 0x205);
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_EQ(rig.messages.shown[0], (ShownMessage{"MorvexTask auf morvex.example.org", "Rechtsklick zum Menu", 64}));
  EXPECT_FALSE(rig.Form().HasFrmDummy());
  rig.Form().Get<ui::OptionButton>("optOnLeftClick", 1).SetValue(true);
  EXPECT_TRUE(rig.Form().Get<ui::Button>("cmdHideForm").Enabled());
}

TEST(Tray, PointerMovingOverTheVisibleWindowIsNoNotification) {
  Rig rig;
  auto& peer = ui::HeadlessBackend::PeerOf(rig.Form());
  rig.Form().Show();
  peer.pointerOver = true;
  Notify(rig.Form(), 0x205);
  EXPECT_FALSE(rig.Form().HasFrmDummy());
  peer.pointerOver = false;
  Notify(rig.Form(), 0x205);
  EXPECT_TRUE(rig.Form().HasFrmDummy());
}

TEST(Tray, HidingAgainAndAgainAddsTheSameIconAndTheMenuBringsTheWindowBack) {
  Rig rig;
  auto& form = rig.Form();
  form.Show();
  form.Get<ui::MenuItem>("mnuPopUpShowForm").SetEnabled(false);
  for (int i = 0; i < 3; ++i) form.Get<ui::Button>("cmdHideForm").UserClicked();
  ASSERT_EQ(rig.tray.calls.size(), 3u);
  for (const auto& call : rig.tray.calls) {
    EXPECT_EQ(call.message, services::kTrayAdd);
    EXPECT_EQ(call.record.id, rig.tray.calls[0].record.id);
    EXPECT_EQ(call.record.window, rig.tray.calls[0].record.window);
  }
  EXPECT_EQ(rig.tray.Icons(), 1u);
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(form.Get<ui::MenuItem>("mnuPopUpShowForm").Enabled());

  // Choosing the show item from the popup.
  ui::HeadlessBackend::PeerOf(form.FrmDummy()).onPopup = [&] {
    form.Get<ui::MenuItem>("mnuPopUpShowForm").UserClicked();
  };
  Notify(form, 0x205);
  EXPECT_TRUE(form.Visible());
  EXPECT_FALSE(form.Get<ui::MenuItem>("mnuPopUpShowForm").Enabled());

  form.Get<ui::Button>("cmdRemove").UserClicked();
  EXPECT_EQ(rig.tray.calls.back().message, services::kTrayDelete);
  EXPECT_EQ(rig.tray.calls.back().record.id, rig.tray.calls[0].record.id);
}

TEST(Tray, HideButtonsTakeTheirOwnStepsFirst) {
  const struct {
    const char* button;
    std::vector<std::string> calls;
  } cases[] = {
      {"cmdHideForm", {"tray add"}},
      {"xpButton1", {"config write", "tray add"}},
      {"xpButton3", {"config write", "write List2.txt", "tray add"}},
      {"xpButton4", {"config write", "write List2.txt", "tray add"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    JournalRig rig;
    auto& form = rig.Form();
    form.Show();
    form.Get<ui::ListBox>("List2").AddItem("a.exe");
    form.Get<ui::MenuItem>("mnuPopUpShowForm").SetEnabled(false);
    form.Find(c.button).UserClicked();
    EXPECT_EQ(rig.journal.Calls(), c.calls);
    // The icon is added while the window is still shown; then it is hidden.
    EXPECT_EQ(rig.journal.entries.back().state, "shown menu off L1=0 L2=1");
    EXPECT_EQ(StateOf(form), "hidden menu on L1=0 L2=1");
    if (c.calls.size() == 3) {
      EXPECT_EQ(rig.files.files["C:\\Morvex\\List2.txt"], "a.exe\r\n");
    }
    EXPECT_TRUE(rig.messages.shown.empty());
  }
}

TEST(Tray, ANewTaskbarGetsTheIconAgainANewDpiItsNewSize) {
  Rig rig;
  tray::AddTrayIcon(rig.Program().Parts().tray, rig.Program().TrayIcon());
  rig.Form().ShellRestarted();
  ui::HeadlessBackend::PeerOf(rig.Form()).iconHandle = 0x18;
  rig.Form().IconsChanged();
  ASSERT_EQ(rig.tray.calls.size(), 3u);
  EXPECT_EQ(rig.tray.calls[1].message, services::kTrayAdd);
  EXPECT_TRUE(rig.tray.calls[2].message == services::kTrayModify && rig.tray.calls[2].record.icon == 0x18u);
}

// At log-on the shell may refuse the add: it is tried again at each tick of
// tmrTrayIcon until the icon is shown, a bounded number of times, and at
// the shell's next new taskbar.
TEST(Tray, AnAddTheShellRefusesIsTriedAgainUntilTheIconIsShown) {
  const struct {
    int refused, ticks;
    bool newTaskbar;
    std::size_t adds;
    bool shown;
  } cases[] = {
      {0, 5, false, 1, true},
      {3, 5, false, 4, true},
      {1, 0, true, 2, true},
      {1000, tray::kTrayAddRetries + 5, false, 1 + tray::kTrayAddRetries, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refused);
    Rig rig;
    rig.tray.refusedAdds = c.refused;
    app::StartUp(rig.Program());
    EXPECT_EQ(rig.Form().Get<ui::Timer>("tmrTrayIcon").Enabled(), c.refused > 0);
    if (c.newTaskbar) rig.Form().ShellRestarted();
    for (int i = 0; i < c.ticks; ++i) rig.Form().Get<ui::Timer>("tmrTrayIcon").Fire();
    EXPECT_EQ(rig.tray.calls.size(), c.adds);
    EXPECT_EQ(rig.tray.Icons(), c.shown ? 1u : 0u);
    EXPECT_EQ(rig.Program().TrayIcon().Shown(), c.shown);
    EXPECT_FALSE(rig.Form().Get<ui::Timer>("tmrTrayIcon").Enabled());
  }
}

}  // namespace
}  // namespace morvex::testing
