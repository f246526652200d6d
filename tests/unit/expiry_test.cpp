// Nothing holds the countdown: not a box, not the tray menu, not a failed save.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/lifecycle.h"
#include "unit/fakes.h"

namespace morvex::testing {
namespace {

constexpr const char* kConfig = "C:\\Morvex\\config.ini";
using Step = std::function<void(forms::Form1&, Rig&)>;

void RightClickIcon(forms::Form1& form) { form.MouseMoved(0, 0, 0x205, 0); }

// A program with a kill list, started unless `start` is false; `config`
// after the section header.
struct Started {
  explicit Started(const std::string& config = "", bool start = true) {
    if (!config.empty()) rig.files.files[kConfig] = "[Form1]\r\n" + config;
    rig.files.files["C:\\Morvex\\List2.txt"] = "ziel.exe\r\ncsrss.exe\r\n";
    std::function<void()>& onExpiry = rig.Program().Countdown().onExpiry;
    onExpiry = [this, run = onExpiry] {
      ++runs;
      runInHandler = form.Events().HandlerRunning();
      run();
    };
    if (start) app::StartUp(rig.Program());
  }
  void Arm(const char* minutes) {
    form.Get<ui::ComboBox>("Combo1").SetText("00");
    form.Get<ui::ComboBox>("Combo2").SetText(minutes);
    form.Get<ui::Button>("cmdSet").UserClicked();
  }
  void Tick(std::int64_t ms) {
    rig.clock.Pass(ms);
    form.Get<ui::Timer>("tmrCountDown").Fire();
  }
  Rig rig;
  forms::Form1& form = rig.Form();
  int runs = 0;
  bool runInHandler = false;
};

TEST(Expiry, RunsOnTimeWhileABoxOfEachHandlerIsOpenAndTheBoxStays) {
  const std::pair<const char*, Step> cases[] = {
      {"About", [](forms::Form1& f, Rig&) { f.Get<ui::MenuItem>("mnuPopUpAbout").UserClicked(); }},
      {"tray message mode",
       [](forms::Form1& f, Rig&) { f.Get<ui::OptionButton>("optOnLeftClick", 0).SetValue(true), RightClickIcon(f); }},
      {"not saved", [](forms::Form1& f,
                       Rig& r) { r.files.writeErrors[kConfig] = "-", f.Get<ui::Button>("xpButton1").UserClicked(); }},
      {"Command6's name",
       [](forms::Form1& f, Rig&) {
         f.Get<ui::ListBox>("List1").AddItem("x.exe"), f.Get<ui::ListBox>("List1").SetListIndex(0),
             f.Get<ui::Button>("Command6").UserClicked();
       }},
  };
  for (const auto& [name, open] : cases) {
    SCOPED_TRACE(name);
    Started s;
    s.Arm("01");
    s.rig.clock.Pass(60000);
    bool handlerAtBox = true;
    s.rig.messages.onShow = [&] {
      s.rig.messages.onShow = nullptr;
      handlerAtBox = s.form.Events().HandlerRunning();
      s.Tick(1000);  // 61 s after Starten
    };
    open(s.form, s.rig);
    EXPECT_EQ(s.rig.messages.shown.size(), 1u);
    EXPECT_FALSE(handlerAtBox) << "shown once its handler has ended";
    EXPECT_EQ(s.runs, 1) << "the expiry ran while the box was open";
  }
}

TEST(Expiry, ADueTickClosesTheTrayMenuAndRunsRightAfterItsHandler) {
  Started s;
  s.Arm("01");
  int runsInMenu = -1;
  ui::HeadlessBackend::PeerOf(s.form.FrmDummy()).onPopup = [&] {
    s.Tick(30000);  // not due: the menu stays
    EXPECT_EQ(s.rig.backend.menusClosed, 0);
    s.form.Get<ui::MenuItem>("mnuPopUpAbout").UserClicked();  // chosen meanwhile: waits
    s.Tick(31000);
    runsInMenu = s.runs;
  };
  RightClickIcon(s.form);
  EXPECT_EQ(s.rig.backend.menusClosed, 1);
  EXPECT_EQ(runsInMenu, 0) << "no handler runs inside another";
  EXPECT_TRUE(s.runs == 1 && s.runInHandler);
  EXPECT_EQ(s.rig.messages.shown.size(), 1u) << "the item chosen in the menu is not lost";
}

TEST(Expiry, TheStartUpArmsBeforeItTellsAndASessionEndShowsNoBox) {
  for (const char* check1 : {"0", "1"}) {
    SCOPED_TRACE(check1);
    Started s(std::string("Check2=1\r\nCombo2=-1\r\nCombo2.Text=01\r\nCheck1=") + check1 + "\r\n", false);
    s.rig.files.writeErrors[kConfig] = "-";  // the shown window saves at start, the expiry's run always
    bool armedAtBox = false;
    int runsAtBox = -1;
    s.rig.messages.onShow = [&] { armedAtBox = s.form.Get<ui::Timer>("tmrCountDown").Enabled(), runsAtBox = s.runs; };
    app::StartUp(s.rig.Program());
    s.Tick(61000);
    ASSERT_EQ(s.rig.messages.shown.size(), 1u);
    EXPECT_EQ(armedAtBox, *check1 == '0') << "told at start, once armed";
    EXPECT_EQ(runsAtBox, *check1 == '0' ? 0 : 1) << "or after the run";
  }
  for (const bool sessionEnd : {true, false}) {
    Started s;
    s.rig.files.writeErrors[kConfig] = "-";
    int endedAtBox = -1;
    s.rig.messages.onShow = [&] { endedAtBox = s.rig.lifetime.ended; };
    sessionEnd ? s.form.SessionEnding() : s.form.RequestClose();
    EXPECT_EQ(s.rig.lifetime.ended, 1);
    EXPECT_EQ(endedAtBox, sessionEnd ? -1 : 0) << "no box during a session end; before any other end";
  }
}

TEST(Expiry, ClockTimeFollowsTheClockAndItsTimeZone) {
  const std::pair<std::function<void(FakeClock&)>, const char*> cases[] = {
      {[](FakeClock& c) { c.SetBy(30 * 60000); }, "00:29:30"},
      {[](FakeClock& c) { c.SetBy(-30 * 60000); }, "01:29:30"},
      {[](FakeClock& c) { c.zoneShift = -3600000; }, "01:59:30"},
      {[](FakeClock& c) { c.SetBy(2 * 3600000); }, "00:00:00"},         // set past the time: ends
      {[](FakeClock& c) { c.SetBy(-2 * 86400000LL); }, "00:59:30"},     // set back by days: next 11:20
  };
  for (const auto& [change, shown] : cases) {
    SCOPED_TRACE(shown);
    Started s;
    s.form.Get<ui::OptionButton>("optSetTime").SetValue(true);
    s.form.Get<ui::ComboBox>("Combo1").SetText("11");
    s.form.Get<ui::ComboBox>("Combo2").SetText("20");
    s.rig.clock.SetLocal({2026, 6, 15, 10, 20, 30, 0});
    s.form.Get<ui::Button>("cmdSet").UserClicked();
    change(s.rig.clock);
    s.form.ClockChanged();
    EXPECT_EQ(s.form.Get<ui::Label>("lblHaveTime").Caption(), shown);
    EXPECT_EQ(s.runs, std::string(shown) == "00:00:00" ? 1 : 0);
  }
}

TEST(Expiry, TheBalloonWarnsOnceAMinuteBeforeAndNotAfterAPauseAStopOrWithoutIcon) {
  const auto none = [](forms::Form1&, Rig&) {};
  const struct {
    const char* minutes;
    Step meanwhile;
    int atTick;  // 0: at Starten, -1: never
    const char* firstLine;
  } cases[] = {
      {"02", none, 61, "In einer Minute beendet Morvex:"},
      {"00", none, 0, "In 1 Sekunde beendet Morvex:"},
      {"02", [](forms::Form1& f, Rig&) { f.Get<ui::ComboBox>("Combo1").SetListIndex(3); }, -1, ""},
      {"02", [](forms::Form1& f, Rig&) { f.Get<ui::Button>("cmdStop").UserClicked(); }, -1, ""},
      {"02", [](forms::Form1& f, Rig&) { f.Get<ui::Button>("cmdRemove").UserClicked(); }, -1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.atTick);
    Started s;
    s.Arm(c.minutes);
    c.meanwhile(s.form, s.rig);
    int atTick = s.rig.tray.balloons.empty() ? -1 : 0;
    for (int tick = 1; tick <= 70; ++tick) {
      s.Tick(1000);
      if (atTick < 0 && !s.rig.tray.balloons.empty()) atTick = tick;
    }
    EXPECT_EQ(atTick, c.atTick);
    if (c.atTick < 0) continue;
    ASSERT_EQ(s.rig.tray.balloons.size(), 1u);
    EXPECT_EQ(s.rig.tray.balloons[0].id, s.rig.Program().TrayIcon().Record().id);
    EXPECT_EQ(s.rig.tray.balloons[0].title, "Morvex: Countdown läuft ab");
    EXPECT_EQ(s.rig.tray.balloons[0].text, std::string(c.firstLine) + "\r\nziel.exe") << "csrss.exe is never ended";
  }
}

// Where the shell holds balloons back (a full-screen game, a presentation),
// the same words go into the program's own notice, which goes at the expiry.
TEST(Expiry, TheWarningTakesTheProgramsOwnNoticeWhereTheShellHoldsBalloonsBack) {
  using S = services::UserState;
  for (const S state : {S::kAcceptsNotifications, S::kQuietTime, S::kNotPresent, S::kUnknown, S::kBusy,
                        S::kD3dFullScreen, S::kPresentation, S::kApp}) {
    Started s;
    s.rig.tray.userState = state;
    s.Arm("00");
    const bool notice = state == S::kBusy || state == S::kD3dFullScreen || state == S::kPresentation || state == S::kApp;
    EXPECT_EQ(s.rig.tray.notices.size() + s.rig.tray.balloons.size(), 1u) << static_cast<int>(state);
    EXPECT_EQ((notice ? s.rig.tray.notices : s.rig.tray.balloons).at(0).text, "In 1 Sekunde beendet Morvex:\r\nziel.exe");
    s.Tick(1000);
    EXPECT_EQ(s.runs + s.rig.tray.noticesClosed, 2) << "the notice goes at the expiry";
  }
}

// Check2 arms before the kill list is loaded: the warning waits for it.
TEST(Expiry, Check2ArmingWith30SecondsLeftWarnsOnceTheListIsLoaded) {
  Started s("Check2=1\r\nCombo1=-1\r\nCombo1.Text=00\r\nCombo2=-1\r\nCombo2.Text=00\r\n", false);
  s.form.Get<ui::ComboBox>("Combo3").SetText("30");
  app::StartUp(s.rig.Program());
  ASSERT_EQ(s.rig.tray.balloons.size(), 1u);
  EXPECT_EQ(s.rig.tray.balloons[0].text, "In 31 Sekunden beendet Morvex:\r\nziel.exe");
  for (int tick = 0; tick < 40; ++tick) s.Tick(1000);
  EXPECT_EQ(s.runs + s.rig.tray.balloons.size(), 2u) << "ended once, warned once";
}

TEST(TypedTexts, OnlyWhatTheUserCanTypeIsKept) {
  const auto none = [](forms::Form1&, Rig&) {};
  const struct {
    const char* stored;
    Step change;
    const char* combo3;  // after the start-up
    bool textKeyAfterSave;
  } cases[] = {
      {"Combo3=-1\r\nCombo3.Text=ab\r\n", none, "00", true},  // an older file's key stays, unused
      {"Combo3=-1\r\nCombo3.Text=0\r\n", none, "00", true},
      {"Combo3=-1\r\nCombo3.Text=05\r\n", none, "05", true},
      {"", [](forms::Form1& f, Rig&) { f.Get<ui::ComboBox>("Combo3").SetText("07"); }, "00", false},
      {"Combo2=-1\r\nCombo2.Text=01\r\n", [](forms::Form1& f, Rig&) { f.Get<ui::ComboBox>("Combo2").SetText("05"); },
       "00", false},
      {"Combo2=-1\r\nCombo2.Text=01\r\n", [](forms::Form1& f, Rig&) { f.Get<ui::ComboBox>("Combo2").SetText(""); },
       "00", false},
      {"Combo2=-1\r\nCombo2.Text=01\r\n", none, "00", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    Started s(std::string("Check1=1\r\n") + c.stored);
    EXPECT_EQ(s.form.Get<ui::ComboBox>("Combo3").Text(), c.combo3);
    c.change(s.form, s.rig);
    s.form.Get<ui::Button>("cmdExit").UserClicked();
    EXPECT_EQ(s.rig.files.files[kConfig].find(".Text=") != std::string::npos, c.textKeyAfterSave);
  }
}

}  // namespace
}  // namespace morvex::testing
