// Nothing holds the countdown: a box is shown after its handler, the tray's
// menu is closed by a due expiry, the start-up arms before it tells, the
// clock time follows the clock, and the balloon warns a minute before.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/lifecycle.h"
#include "countdown/countdown.h"
#include "tray/tray.h"
#include "unit/fakes.h"

namespace morvex::testing {
namespace {

constexpr const char* kConfig = "C:\\Morvex\\config.ini";

void Notify(forms::Form1& form, int mouseMessage) {
  form.MouseMoved(0, 0, static_cast<float>(mouseMessage) * form.TwipsPerPixelX(), 0);
}

// A started program with a kill list, a count-down of one minute armed.
struct Armed {
  Armed() {
    app::StartUp(rig.Program());
    form.List2().AddItem("ziel.exe");
    form.Combo1().SetText("00");
    form.Combo2().SetText("01");
    form.cmdSet().UserClicked();
    std::function<void()>& onExpiry = rig.Program().Countdown().onExpiry;
    onExpiry = [this, run = onExpiry] {
      ++runs;
      runInHandler = form.Events().HandlerRunning();
      run();
    };
  }
  // The tick at the due time, 61 s after Starten.
  void TickAtDueTime() {
    rig.clock.Pass(61000 - (rig.clock.elapsed - armedAt));
    form.tmrCountDown().Fire();
  }
  Rig rig;
  forms::Form1& form = rig.Form();
  std::int64_t armedAt = rig.clock.elapsed;
  int runs = 0;
  bool runInHandler = false;
};

TEST(Expiry, RunsOnTimeWhileABoxIsOpenAndTheBoxStays) {
  struct Case {
    const char* name;
    std::function<void(Armed&)> open;
    std::string title;
  };
  const Case cases[] = {
      {"About", [](Armed& a) { a.form.mnuPopUpAbout().UserClicked(); }, forms::kAppTitle},
      {"tray message mode",
       [](Armed& a) {
         a.form.optOnLeftClick(0).SetValue(true);
         Notify(a.form, 0x205);
       },
       "Rechtsklick zum Menu"},
      {"settings not saved",
       [](Armed& a) {
         a.rig.files.writeErrors[kConfig] = "Zugriff verweigert";
         a.form.xpButton1().UserClicked();
       },
       forms::kNotSavedTitle},
      {"Command6's name",
       [](Armed& a) {
         a.form.List1().AddItem("x.exe");
         a.form.List1().SetListIndex(0);
         a.form.Command6().UserClicked();
       },
       forms::kAppTitle},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Armed a;
    bool handlerRunningAtBox = true;
    a.rig.messages.onShow = [&] {
      handlerRunningAtBox = a.form.Events().HandlerRunning();
      a.TickAtDueTime();
      a.rig.messages.onShow = nullptr;
    };
    c.open(a);
    ASSERT_EQ(a.rig.messages.shown.size(), 1u);
    EXPECT_EQ(a.rig.messages.shown[0].title, c.title);
    EXPECT_FALSE(handlerRunningAtBox) << "the box's handler has ended before it is shown";
    EXPECT_EQ(a.runs, 1) << "the expiry ran while the box was open";
    EXPECT_FALSE(a.form.tmrCountDown().Enabled());
  }
}

TEST(Expiry, ADueTickClosesTheTrayMenuAndRunsRightAfterItsHandler) {
  Armed a;
  auto& dummy = ui::HeadlessBackend::PeerOf(a.form.FrmDummy());
  int runsInMenu = -1;
  dummy.onPopup = [&] {
    a.rig.clock.Pass(30000);
    a.form.tmrCountDown().Fire();  // not due: the menu stays
    EXPECT_EQ(a.rig.backend.menusClosed, 0);
    a.form.mnuPopUpAbout().UserClicked();  // chosen meanwhile: waits
    a.TickAtDueTime();
    runsInMenu = a.runs;
  };
  Notify(a.form, 0x205);
  EXPECT_EQ(a.rig.backend.menusClosed, 1);
  EXPECT_EQ(runsInMenu, 0) << "no handler runs inside another";
  EXPECT_EQ(a.runs, 1);
  EXPECT_TRUE(a.runInHandler) << "the expiry is a handler of its own";
  ASSERT_EQ(a.rig.messages.shown.size(), 1u) << "the item chosen in the menu is not lost";
}

TEST(Expiry, TheStartUpArmsBeforeItTellsAndASessionEndShowsNoBox) {
  for (const bool inTray : {false, true}) {
    SCOPED_TRACE(inTray ? "Check1" : "window shown");
    Rig rig;
    forms::Form1& form = rig.Form();
    rig.files.files[kConfig] = std::string("[Form1]\r\nCheck2=1\r\nCheck1=") + (inTray ? "1" : "0") +
                               "\r\nCombo1=0\r\nCombo2=-1\r\nCombo2.Text=01\r\n";
    rig.files.writeErrors[kConfig] = "Zugriff verweigert";
    bool armedAtBox = false;
    int runsAtBox = -1;
    int runs = 0;
    std::function<void()>& onExpiry = rig.Program().Countdown().onExpiry;
    onExpiry = [&runs, run = onExpiry] {
      ++runs;
      run();
    };
    rig.messages.onShow = [&] {
      armedAtBox = form.tmrCountDown().Enabled();
      runsAtBox = runs;
    };
    app::StartUp(rig.Program());
    if (!inTray) {
      // Told at start, once the countdown is armed.
      ASSERT_EQ(rig.messages.shown.size(), 1u);
      EXPECT_TRUE(armedAtBox);
      continue;
    }
    EXPECT_TRUE(rig.messages.shown.empty());
    rig.clock.Pass(61000);
    form.tmrCountDown().Fire();
    // The expiry's own save fails: told after the run.
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(runsAtBox, 1);
  }
  // A session end: the close's failed save shows nothing, the program ends.
  for (const bool sessionEnd : {true, false}) {
    Rig rig;
    app::StartUp(rig.Program());
    rig.files.writeErrors[kConfig] = "Zugriff verweigert";
    int endedAtBox = -1;
    rig.messages.onShow = [&] { endedAtBox = rig.lifetime.ended; };
    if (sessionEnd) {
      rig.Form().SessionEnding();
    } else {
      rig.Form().RequestClose();
    }
    EXPECT_EQ(rig.lifetime.ended, 1);
    EXPECT_EQ(rig.messages.shown.size(), sessionEnd ? 0u : 1u);
    if (!sessionEnd) {
      EXPECT_EQ(endedAtBox, 0) << "a closing program still shows its box first";
    }
  }
}

TEST(Expiry, ClockTimeFollowsTheClock) {
  struct Case {
    const char* name;
    std::function<void(FakeClock&)> change;
    const char* shown;  // at the tick after the change
  };
  const Case cases[] = {
      {"clock set on by 30 min", [](FakeClock& c) { c.SetBy(30 * 60000); }, "00:29:30"},
      {"clock set back by 30 min", [](FakeClock& c) { c.SetBy(-30 * 60000); }, "01:29:30"},
      {"time zone one hour west", [](FakeClock& c) { c.zoneShift = -3600000; }, "01:59:30"},
      {"clock set past the time", [](FakeClock& c) { c.SetBy(2 * 3600000); }, "00:00:00"},
      {"clock set back two days", [](FakeClock& c) { c.SetBy(-2 * 86400000LL); }, "00:59:30"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    forms::Form1& form = rig.Form();
    int runs = 0;
    rig.Program().Countdown().onExpiry = [&runs] { ++runs; };
    form.optSetTime().SetValue(true);
    form.Combo1().SetText("11");
    form.Combo2().SetText("20");
    rig.clock.SetLocal({2026, 6, 15, 10, 20, 30, 0});
    form.cmdSet().UserClicked();
    c.change(rig.clock);
    form.ClockChanged();  // shown at once
    EXPECT_EQ(form.lblHaveTime().Caption(), c.shown);
    EXPECT_EQ(runs, std::string(c.shown) == "00:00:00" ? 1 : 0);
  }
}

TEST(Expiry, TheBalloonWarnsOnceAMinuteBefore) {
  struct Case {
    const char* name;
    const char* minutes;
    std::function<void(forms::Form1&)> meanwhile;  // after Starten
    int ticks;
    int balloonAtTick;  // 0: at Starten, -1: none
    const char* firstLine;
  };
  const auto none = [](forms::Form1&) {};
  const Case cases[] = {
      {"two minutes", "02", none, 70, 61, "In einer Minute beendet Morvex:"},
      {"less than a minute at Start", "00", none, 1, 0, "In 1 Sekunde beendet Morvex:"},
      {"paused", "02", [](forms::Form1& f) { f.Combo1().SetListIndex(3); }, 70, -1, ""},
      {"stopped", "02", [](forms::Form1& f) { f.cmdStop().UserClicked(); }, 70, -1, ""},
      {"icon removed", "02", [](forms::Form1& f) { f.cmdRemove().UserClicked(); }, 70, -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    forms::Form1& form = rig.Form();
    app::StartUp(rig.Program());
    form.List2().AddItem("ziel.exe");
    form.List2().AddItem("csrss.exe");  // never ended, never named
    form.Combo1().SetText("00");
    form.Combo2().SetText(c.minutes);
    form.cmdSet().UserClicked();
    c.meanwhile(form);
    int balloonAt = rig.tray.balloons.empty() ? -1 : 0;
    for (int tick = 1; tick <= c.ticks; ++tick) {
      rig.clock.Pass(1000);
      form.tmrCountDown().Fire();
      if (balloonAt < 0 && !rig.tray.balloons.empty()) balloonAt = tick;
    }
    EXPECT_EQ(balloonAt, c.balloonAtTick);
    if (c.balloonAtTick < 0) continue;
    ASSERT_EQ(rig.tray.balloons.size(), 1u);
    EXPECT_EQ(rig.tray.balloons[0].id, rig.Program().TrayIcon().Record().id);
    EXPECT_EQ(rig.tray.balloons[0].title, "Morvex: Countdown läuft ab");
    EXPECT_EQ(rig.tray.balloons[0].text, std::string(c.firstLine) + "\r\nziel.exe");
  }
}

TEST(TypedTexts, OnlyWhatTheUserCanTypeIsKept) {
  struct Case {
    const char* stored;  // the Form1 section's lines after the header
    std::function<void(forms::Form1&)> change;
    const char* combo3;  // Combo3's text after the start-up
    bool textKeyAfterSave;
  };
  const auto none = [](forms::Form1&) {};
  const Case cases[] = {
      {"Combo3=-1\r\nCombo3.Text=ab\r\n", none, "00", true},
      {"Combo3=-1\r\nCombo3.Text=0\r\n", none, "00", true},
      {"Combo3=-1\r\nCombo3.Text=05\r\n", none, "05", true},
      {"", [](forms::Form1& f) { f.Combo3().SetText("07"); }, "00", false},
      {"Combo2=-1\r\nCombo2.Text=01\r\n", [](forms::Form1& f) { f.Combo2().SetText("05"); }, "00", false},
      {"Combo2=-1\r\nCombo2.Text=01\r\n", [](forms::Form1& f) { f.Combo2().SetText(""); }, "00", false},
      {"Combo2=-1\r\nCombo2.Text=01\r\n", none, "00", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    Rig rig;
    rig.files.files[kConfig] = std::string("[Form1]\r\nCheck1=1\r\n") + c.stored;
    app::StartUp(rig.Program());
    EXPECT_EQ(rig.Form().Combo3().Text(), c.combo3);
    c.change(rig.Form());
    rig.Form().cmdExit().UserClicked();
    const std::string& ini = rig.files.files[kConfig];
    EXPECT_EQ(ini.find(".Text=") != std::string::npos, c.textKeyAfterSave) << ini;
  }
}

}  // namespace
}  // namespace morvex::testing
