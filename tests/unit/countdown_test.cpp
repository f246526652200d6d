// The countdown, driven tick by tick with a clock the test sets.
#include "countdown/countdown.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "countdown/local_time.h"
#include "unit/fakes.h"

namespace morvex::countdown {
namespace {

using testing::Rig;
using testing::ShownMessage;

constexpr const char* kTitle = "Morvex  ( Für Windows Vista, Windows 7, Windows 8 )";

// A summer day without a change of the clocks.
services::LocalTime At(int hour, int minute, int second, int millisecond = 0) {
  return {2026, 6, 15, hour, minute, second, millisecond};
}

// What a tick shows with `ms` left: whole seconds, rounded up.
std::string Left(std::int64_t ms) {
  const std::int64_t s = ms > 0 ? (ms + 999) / 1000 : 0;
  return TimeLeftText(s / 3600, s / 60 % 60, s % 60);
}

// Runs an armed countdown with ticks `stepMs` apart, `before(tick)` running
// ahead of each, until it expires or `bound` ticks have run. Every tick must
// show the time left by `msLeft`, and the countdown must expire on the tick
// that shows none. Returns the ticks run.
int RunToExpiry(Rig& rig, const std::function<std::int64_t()>& msLeft, int bound, std::int64_t stepMs = 1000,
                const std::function<void(int)>& before = {}) {
  forms::Form1& form = rig.Form();
  int runs = 0;
  rig.Program().Countdown().onExpiry = [&runs] { ++runs; };
  int tick = 0;
  while (runs == 0 && tick < bound) {
    ++tick;
    if (before) before(tick);
    rig.clock.Pass(stepMs);
    const std::int64_t left = msLeft();
    form.Get<ui::Timer>("tmrCountDown").Fire();
    EXPECT_EQ(form.Get<ui::Label>("lblHaveTime").Caption(), Left(left)) << "tick " << tick;
    EXPECT_EQ(runs, left <= 0 ? 1 : 0) << "tick " << tick;
    if (::testing::Test::HasFailure()) break;
  }
  return tick;
}

class Countdown : public ::testing::Test {
 protected:
  Countdown() {
    rig.Program().Countdown().onExpiry = [this] {
      ++runs;
      timerEnabledAtRun = form.Get<ui::Timer>("tmrCountDown").Enabled();
    };
  }

  // Typed text: no selection changes.
  void Type(const std::string& hours, const std::string& minutes, const std::string& seconds = "00") {
    form.Get<ui::ComboBox>("Combo1").SetText(hours);
    form.Get<ui::ComboBox>("Combo2").SetText(minutes);
    form.Get<ui::ComboBox>("Combo3").SetText(seconds);
  }
  void ClockTime() { form.Get<ui::OptionButton>("optSetTime").SetValue(true); }
  void StartAt(const services::LocalTime& local) {
    rig.clock.SetLocal(local);
    form.Get<ui::Button>("cmdSet").UserClicked();
  }
  // One event of tmrCountDown, a second after the last; returns what it showed.
  std::string Tick() {
    rig.clock.Pass(1000);
    form.Get<ui::Timer>("tmrCountDown").Fire();
    return form.Get<ui::Label>("lblHaveTime").Caption();
  }
  bool Running() const {
    return form.Get<ui::Timer>("tmrCountDown").Enabled() && !form.Get<ui::Button>("cmdSet").Enabled();
  }
  bool Locked() const {
    return form.Get<ui::TextBox>("txtHour").Locked() && form.Get<ui::TextBox>("txtMinute").Locked() &&
           form.Get<ui::TextBox>("txtSekunde").Locked();
  }
  bool Unlocked() const {
    return !form.Get<ui::TextBox>("txtHour").Locked() && !form.Get<ui::TextBox>("txtMinute").Locked() &&
           !form.Get<ui::TextBox>("txtSekunde").Locked();
  }
  const std::vector<std::string>& Played() { return Rig::Peer(form.Get<ui::MediaPlayer>("MMC1")).played; }

  Rig rig;
  forms::Form1& form = rig.Form();
  int runs = 0;
  bool timerEnabledAtRun = true;
};

TEST_F(Countdown, TimeLeftTextPadsEachFieldToTwoDigits) {
  struct Case {
    std::int64_t h, m, s;
    const char* text;
  };
  const Case cases[] = {{1, 39, 30, "01:39:30"}, {0, 29, 60, "00:29:60"}, {123, 0, 5, "123:00:05"},
                        {0, 0, 0, "00:00:00"},   {0, 90, 0, "00:90:00"},  {10, 5, 9, "10:05:09"}};
  for (const auto& c : cases) EXPECT_EQ(TimeLeftText(c.h, c.m, c.s), c.text);
}

TEST_F(Countdown, CountDownShowsEachValueBeforeCountingAndExpiresOnTheTickThatShowsZero) {
  struct Case {
    const char* hours;
    const char* minutes;
    const char* seconds;
    std::vector<std::string> firstShown;
    int expiringTick;  // 0: not run to the end
  };
  const Case cases[] = {
      {"00", "00", "05", {"00:00:05", "00:00:04", "00:00:03", "00:00:02", "00:00:01", "00:00:00"}, 6},
      {"00", "00", "00", {"00:00:00"}, 1},
      {"00", "01", "00", {"00:01:00", "00:00:59"}, 61},
      {"01", "00", "00", {"01:00:00", "00:59:59"}, 3601},
      {"01", "30", "00", {"01:30:00", "01:29:59"}, 5401},
      {"00", "90", "00", {"00:90:00", "00:89:59"}, 5401},  // no carry into the hours
      {"123", "00", "05", {"123:00:05", "123:00:04"}, 0},
      {"0002", "00", "00", {"02:00:00"}, 7201},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.hours) + ":" + c.minutes + ":" + c.seconds);
    Rig fresh;
    forms::Form1& f = fresh.Form();
    int expiredAt = 0;
    int tick = 0;
    fresh.Program().Countdown().onExpiry = [&] { expiredAt = tick; };
    f.Get<ui::ComboBox>("Combo1").SetText(c.hours);
    f.Get<ui::ComboBox>("Combo2").SetText(c.minutes);
    f.Get<ui::ComboBox>("Combo3").SetText(c.seconds);
    f.Get<ui::Button>("cmdSet").UserClicked();
    std::vector<std::string> shown;
    const int ticks = c.expiringTick > 0 ? c.expiringTick + 5 : static_cast<int>(c.firstShown.size());
    while (f.Get<ui::Timer>("tmrCountDown").Enabled() && tick < ticks) {
      ++tick;
      fresh.clock.Pass(1000);
      f.Get<ui::Timer>("tmrCountDown").Fire();
      if (shown.size() < c.firstShown.size()) shown.push_back(f.Get<ui::Label>("lblHaveTime").Caption());
    }
    EXPECT_EQ(shown, c.firstShown);
    EXPECT_EQ(expiredAt, c.expiringTick);
    if (c.expiringTick > 0) {
      EXPECT_EQ(f.Get<ui::Label>("lblHaveTime").Caption(), "00:00:00");
    }
  }
}

TEST_F(Countdown, StartArmsWithoutChangingAnyDisplay) {
  Type("00", "00", "05");
  form.Get<ui::Button>("cmdSet").UserClicked();
  EXPECT_TRUE(Running());
  EXPECT_TRUE(Locked());
  EXPECT_TRUE(Rig::Peer(form.Get<ui::Timer>("tmrCountDown")).TimerScheduled());
  EXPECT_EQ(form.Get<ui::Label>("lblHaveTime").Caption(), "00:00:00");
  EXPECT_EQ(form.Caption(), kTitle);
  EXPECT_FALSE(form.Get<ui::Frame>("Frame7").Visible());
  EXPECT_EQ(form.Get<ui::Frame>("Frame7").Caption(), "Countdown läuft");
  EXPECT_EQ(rig.Program().Countdown().tickSoundPath, "C:\\Morvex\\tick.wav");
  EXPECT_TRUE(rig.messages.shown.empty());
}

// Starten, focused, is disabled by its Start: the focus goes to Stop. A
// refused Start keeps it, and a Start from elsewhere takes it from nobody.
TEST_F(Countdown, AStartFromTheFocusedStartenLeavesTheFocusOnStop) {
  const struct {
    const char* hours;
    bool focused;
    const ui::Control* focus;
  } cases[] = {{"00", true, &form.Get<ui::Button>("cmdStop")},
               {"0", true, &form.Get<ui::Button>("cmdSet")},
               {"00", false, &form.Get<ui::ComboBox>("Combo1")}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.hours) + (c.focused ? " focused" : ""));
    form.Get<ui::Button>("cmdStop").UserClicked();
    form.Find(c.focused ? "cmdSet" : "Combo1").SetFocus();
    Type(c.hours, "05");
    form.Get<ui::Button>("cmdSet").UserClicked();
    for (const ui::Control* control : {&form.Find("cmdSet"), &form.Find("cmdStop"), &form.Find("Combo1")}) {
      EXPECT_EQ(control->HasFocus(), control == c.focus) << control->Name();
    }
  }
}

TEST_F(Countdown, EveryTickShowsTheTimeInTheLabelTheTitleAndTheFrame) {
  Type("01", "39", "30");
  form.Get<ui::Button>("cmdSet").UserClicked();
  Tick();
  EXPECT_EQ(rig.Program().Countdown().strTimeLeft, "01:39:30");
  EXPECT_EQ(form.Get<ui::Label>("lblHaveTime").Caption(), "01:39:30");
  EXPECT_EQ(form.Caption(), std::string(kTitle) + " Countdown läuft / gestoppt 01:39:30");
  EXPECT_TRUE(form.Get<ui::Frame>("Frame7").Visible());
  EXPECT_EQ(form.Get<ui::Frame>("Frame7").Caption(), "Countdown läuft....");
  EXPECT_EQ(form.Get<ui::Label>("Label11").Caption(), "01:39:30");
  Tick();
  EXPECT_EQ(form.Get<ui::Label>("Label11").Caption(), "01:39:29");
  EXPECT_TRUE(Played().empty()) << "no sound while the countdown runs";
}

TEST_F(Countdown, ExpiryPlaysTheSoundDisarmsUnlocksAndThenRunsTheKillListButton) {
  Type("00", "00", "01");
  form.Get<ui::Button>("cmdSet").UserClicked();
  EXPECT_EQ(Tick(), "00:00:01");
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(Tick(), "00:00:00");
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(timerEnabledAtRun) << "the timer is off before the kill-list run starts";
  EXPECT_EQ(Played(), std::vector<std::string>{"C:\\Morvex\\thx.wav"});
  EXPECT_EQ(form.Get<ui::MediaPlayer>("MMC1").FileName(), "C:\\Morvex\\thx.wav");
  EXPECT_FALSE(form.Get<ui::MediaPlayer>("MMC1").Wait());
  EXPECT_FALSE(form.Get<ui::Timer>("tmrCountDown").Enabled());
  EXPECT_TRUE(form.Get<ui::Button>("cmdSet").Enabled());
  EXPECT_TRUE(Unlocked());
  // The fields stop at zero.
  const CountdownScheduler& s = rig.Program().Countdown();
  EXPECT_EQ(TimeLeftText(s.varHours, s.varMinutes, s.varSeconds), "00:00:00");

  // The last shown value stays everywhere; the frame says it has run out.
  EXPECT_EQ(form.Caption(), std::string(kTitle) + " Countdown läuft / gestoppt 00:00:00");
  EXPECT_EQ(form.Get<ui::Label>("Label11").Caption(), "00:00:00");
  EXPECT_TRUE(form.Get<ui::Frame>("Frame7").Visible());
  EXPECT_EQ(form.Get<ui::Frame>("Frame7").Caption(), "Countdown abgelaufen....");

  // A stray timer event after expiry does nothing.
  Tick();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(Played().size(), 1u);

  // Stop hides the frame but leaves the title and the labels.
  form.Get<ui::Button>("cmdStop").UserClicked();
  EXPECT_FALSE(form.Get<ui::Frame>("Frame7").Visible());
  EXPECT_EQ(form.Caption(), std::string(kTitle) + " Countdown läuft / gestoppt 00:00:00");
  EXPECT_EQ(form.Get<ui::Label>("lblHaveTime").Caption(), "00:00:00");
}

TEST_F(Countdown, ClockTimeShowsTheTimeLeftToTheChosenMinute) {
  struct Case {
    services::LocalTime now;
    const char* hours;
    const char* minutes;
    std::vector<std::string> firstShown;  // a second after Start, and on
  };
  const Case cases[] = {
      {At(10, 20, 0), "10", "50", {"00:29:59", "00:29:58"}},
      {At(10, 20, 30), "11", "20", {"00:59:29"}},
      {At(10, 20, 30), "10", "20", {"23:59:29"}},  // the current minute means tomorrow
      {At(10, 20, 30), "09", "05", {"22:44:29"}},
      {At(10, 50, 30), "10", "20", {"23:29:29"}},
      {At(23, 59, 59), "00", "00", {"00:00:00"}},  // at midnight, on the dot
      {At(0, 0, 0), "30", "75", {"31:14:59"}},     // no range check on the chosen time
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.hours) + ":" + c.minutes);
    Rig fresh;
    forms::Form1& f = fresh.Form();
    f.Get<ui::OptionButton>("optSetTime").SetValue(true);
    f.Get<ui::ComboBox>("Combo1").SetText(c.hours);
    f.Get<ui::ComboBox>("Combo2").SetText(c.minutes);
    f.Get<ui::ComboBox>("Combo3").SetText("xx");  // not read in clock-time mode
    fresh.clock.SetLocal(c.now);
    f.Get<ui::Button>("cmdSet").UserClicked();
    ASSERT_TRUE(f.Get<ui::Timer>("tmrCountDown").Enabled());
    EXPECT_EQ(fresh.Program().Countdown().intSetHour, std::atoi(c.hours));
    EXPECT_EQ(fresh.Program().Countdown().intSetMinute, std::atoi(c.minutes));
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < c.firstShown.size(); ++i) {
      fresh.clock.Pass(1000);
      f.Get<ui::Timer>("tmrCountDown").Fire();
      shown.push_back(f.Get<ui::Label>("lblHaveTime").Caption());
    }
    EXPECT_EQ(shown, c.firstShown);
  }
}

TEST_F(Countdown, ClockTimeExpiresWithinTheChosenMinutesFirstSecond) {
  ClockTime();
  Type("10", "22");
  StartAt(At(10, 20, 30, 500));
  const services::Instant target = rig.clock.instant + 89500;
  EXPECT_EQ(RunToExpiry(rig, [&] { return target - rig.clock.Now(); }, 200), 90);
  const services::LocalTime expiredAt = rig.clock.Local();
  EXPECT_EQ(expiredAt.hour * 10000 + expiredAt.minute * 100 + expiredAt.second, 102200);
}

TEST_F(Countdown, EachModeStaysTrueOverADayOfSlowTicks) {
  for (const bool clockTime : {true, false}) {
    SCOPED_TRACE(clockTime ? "clock time" : "count-down");
    Rig fresh;
    fresh.Form().Get<ui::OptionButton>("optSetTime").SetValue(clockTime);
    fresh.Form().Get<ui::OptionButton>("optSetCount").SetValue(!clockTime);
    fresh.Form().Get<ui::ComboBox>("Combo1").SetText(clockTime ? "07" : "24");
    fresh.Form().Get<ui::ComboBox>("Combo2").SetText(clockTime ? "45" : "00");
    fresh.Form().Get<ui::ComboBox>("Combo3").SetText("00");
    fresh.clock.SetLocal(At(7, 45, 12, 300));
    const services::Instant target = fresh.clock.instant + 24LL * 3600 * 1000 - 12300;
    const std::int64_t end = fresh.clock.elapsed + (24LL * 3600 + 1) * 1000;
    fresh.Form().Get<ui::Button>("cmdSet").UserClicked();
    const auto left = [&] { return clockTime ? target - fresh.clock.Now() : end - fresh.clock.Elapsed(); };
    const int ticks = RunToExpiry(fresh, left, 90000, 1050);
    EXPECT_GT(left(), -1050) << "expired within a tick of its time";
    EXPECT_LT(ticks, 90000);
  }
}

TEST_F(Countdown, ClockTimeExpiresAtTheChosenLocalTimeAcrossTheDaylightSavingChanges) {
  struct Case {
    const char* what;
    services::LocalTime start;
    std::int64_t laterMs;  // from the first instant showing `start`
    const char* hours;
    const char* minutes;
    int seconds;                  // from Start to the expiry
    services::LocalTime expired;  // what the local clock shows then
  };
  const Case cases[] = {
      {"spring, 22:00 for 06:00", {2027, 3, 27, 22, 0, 0, 0}, 0, "06", "00", 7 * 3600, {2027, 3, 28, 6, 0, 0, 0}},
      {"autumn, 22:00 for 06:00", {2026, 10, 24, 22, 0, 0, 0}, 0, "06", "00", 9 * 3600, {2026, 10, 25, 6, 0, 0, 0}},
      {"a time the clocks skip: their jump", {2027, 3, 28, 1, 0, 0, 0}, 0, "02", "30", 3600,
       {2027, 3, 28, 3, 0, 0, 0}},
      {"a time shown twice: its first showing", {2026, 10, 25, 1, 0, 0, 0}, 0, "02", "30", 5400,
       {2026, 10, 25, 2, 30, 0, 0}},
      {"within the repeated hour: its next showing", {2026, 10, 25, 2, 10, 0, 0}, 3600 * 1000, "02", "40", 1800,
       {2026, 10, 25, 2, 40, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rig fresh;
    fresh.Form().Get<ui::OptionButton>("optSetTime").SetValue(true);
    fresh.Form().Get<ui::ComboBox>("Combo1").SetText(c.hours);
    fresh.Form().Get<ui::ComboBox>("Combo2").SetText(c.minutes);
    fresh.clock.SetLocal(c.start);
    fresh.clock.Pass(c.laterMs);
    const services::Instant target = fresh.clock.instant + c.seconds * 1000LL;
    fresh.Form().Get<ui::Button>("cmdSet").UserClicked();
    EXPECT_EQ(RunToExpiry(fresh, [&] { return target - fresh.clock.Now(); }, c.seconds + 10), c.seconds);
    EXPECT_EQ(countdown::LocalMs(fresh.clock.Local()), countdown::LocalMs(c.expired));
  }
}

// At the 60th tick something happens; the expiry stays where the clock that
// counts puts it: the system clock in clock-time mode (started at 10:00:00
// for 12:00), the elapsed-time clock in count-down mode (02:00:00).
TEST_F(Countdown, NeitherTheClockSetByHandNorSleepNorAHeldBoxDelaysTheExpiry) {
  constexpr std::int64_t kHour = 3600 * 1000;
  struct Case {
    const char* what;
    std::function<void(Rig&)> happen;
    int clockTimeSeconds;  // from Start to the expiry
    int countDownSeconds;
  };
  const auto holdABox = [](Rig& r) {
    // The removal hint stays open 30 s; the ticks meanwhile are held and merge.
    r.messages.onShow = [&r] {
      for (int i = 0; i < 30; ++i) {
        r.clock.Pass(1000);
        r.Form().Get<ui::Timer>("tmrCountDown").Fire();
      }
    };
    r.Form().Get<ui::Button>("xpButton5").UserClicked();
    r.messages.onShow = nullptr;
  };
  const Case cases[] = {
      {"clock set forward 20 s", [](Rig& r) { r.clock.SetBy(20000); }, 7180, 7201},
      {"clock set back 20 s", [](Rig& r) { r.clock.SetBy(-20000); }, 7220, 7201},
      {"clock set forward 1 h", [](Rig& r) { r.clock.SetBy(kHour); }, 3600, 7201},
      {"clock set back 1 h", [](Rig& r) { r.clock.SetBy(-kHour); }, 10800, 7201},
      {"asleep 1 h", [](Rig& r) { r.clock.Pass(kHour); }, 7200, 7201},
      {"asleep 3 h, past the time: at once on waking", [](Rig& r) { r.clock.Pass(3 * kHour); }, 10860, 10860},
      {"a box open 30 s", holdABox, 7200, 7201},
  };
  for (const auto& c : cases) {
    for (const bool clockTime : {true, false}) {
      SCOPED_TRACE(std::string(c.what) + (clockTime ? ", clock time" : ", count-down"));
      Rig fresh;
      fresh.Form().Get<ui::OptionButton>("optSetTime").SetValue(clockTime);
      fresh.Form().Get<ui::OptionButton>("optSetCount").SetValue(!clockTime);
      fresh.Form().Get<ui::ComboBox>("Combo1").SetText(clockTime ? "12" : "02");
      fresh.Form().Get<ui::ComboBox>("Combo2").SetText("00");
      fresh.clock.SetLocal(At(10, 0, 0));
      const std::int64_t started = fresh.clock.elapsed;
      services::Instant target = fresh.clock.instant + 2 * kHour;
      const std::int64_t end = started + 7201 * 1000;
      fresh.Form().Get<ui::Button>("cmdSet").UserClicked();
      const auto left = [&] { return clockTime ? target - fresh.clock.Now() : end - fresh.clock.Elapsed(); };
      RunToExpiry(fresh, left, 20000, 1000, [&](int tick) {
        if (tick == 60) c.happen(fresh);
      });
      EXPECT_EQ((fresh.clock.elapsed - started) / 1000, clockTime ? c.clockTimeSeconds : c.countDownSeconds);
    }
  }
}

TEST_F(Countdown, StartRefusesMissingShortAndNonDigitInputAndChangesNothing) {
  const char* const leadingZeros =
      "Bitte geben Sie auch die führenden Nullen mit an !\r\n\r\n\r\n Beispiel :\r\n\r\n"
      "  Richtig = 08 : 15,   Falsch  =  8 : 15";
  const ShownMessage missing{"Bitte füllen Sie alle Felder aus !", "Fehlende Eingabe", 48};
  const ShownMessage tooShort{leadingZeros, "Falsche Eingabe", 48};
  const ShownMessage notDigits{kDigitsOnlyText, "Falsche Eingabe", 48};
  struct Case {
    bool clockTime;
    const char* hours;
    const char* minutes;
    const char* seconds;
    ShownMessage expected;
  };
  const Case cases[] = {
      {false, "", "15", "00", missing},
      {false, "08", "", "00", missing},
      {false, "08", "15", "", missing},
      {true, "08", "15", "", missing},   // the hidden seconds are checked in both modes
      {false, "8", "", "00", missing},   // presence comes first
      {false, "8", "15", "00", tooShort},
      {false, "08", "5", "00", tooShort},
      {true, "08", "15", "0", tooShort},
      {false, "ä", "15", "00", tooShort},  // one character of two bytes
      {true, "08", "½", "00", tooShort},
      {false, "08", "15", "½", tooShort},
      {false, "-1", "00", "05", notDigits},
      {false, " 8", "15", "00", notDigits},
      {false, "08", "1.5", "00", notDigits},
      {false, "08", "15", "+5", notDigits},
      {false, "0x", "15", "00", notDigits},
      {false, "99999999999999999999", "00", "00", notDigits},  // beyond a 64-bit field
      {true, "ab", "15", "00", notDigits},
      {true, "08", "1 ", "00", notDigits},
      {true, "32768", "00", "00", notDigits},  // the chosen hour is a 16-bit field
      {true, "00", "40000", "00", notDigits},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("'") + c.hours + "' '" + c.minutes + "' '" + c.seconds + "'");
    Rig fresh;
    forms::Form1& f = fresh.Form();
    if (c.clockTime) f.Get<ui::OptionButton>("optSetTime").SetValue(true);
    fresh.Program().Countdown().varHours = 7;
    fresh.Program().Countdown().varMinutes = 8;
    fresh.Program().Countdown().varSeconds = 9;
    f.Get<ui::ComboBox>("Combo1").SetText(c.hours);
    f.Get<ui::ComboBox>("Combo2").SetText(c.minutes);
    f.Get<ui::ComboBox>("Combo3").SetText(c.seconds);
    f.Get<ui::Button>("cmdSet").UserClicked();
    EXPECT_EQ(fresh.messages.shown, std::vector<ShownMessage>{c.expected});
    EXPECT_FALSE(f.Get<ui::Timer>("tmrCountDown").Enabled());
    EXPECT_TRUE(f.Get<ui::Button>("cmdSet").Enabled());
    EXPECT_FALSE(f.Get<ui::TextBox>("txtHour").Locked());
    EXPECT_EQ(TimeLeftText(fresh.Program().Countdown().varHours, fresh.Program().Countdown().varMinutes, fresh.Program().Countdown().varSeconds), "07:08:09");
    EXPECT_EQ(fresh.Program().Countdown().intSetHour, 0);
    EXPECT_TRUE(fresh.Program().Countdown().tickSoundPath.empty());
  }
}

TEST_F(Countdown, TheLargestFieldValuesAreAccepted) {
  ClockTime();
  Type("32767", "32767");
  StartAt(At(0, 0, 0));
  EXPECT_TRUE(Running());
  EXPECT_EQ(rig.Program().Countdown().intSetHour, 32767);
  form.Get<ui::OptionButton>("optSetCount").SetValue(true);
  form.Get<ui::Button>("cmdStop").UserClicked();
  Type("9223372036854775807", "00", "00");
  form.Get<ui::Button>("cmdSet").UserClicked();
  EXPECT_EQ(Tick(), "9223372036854775807:00:00");
  EXPECT_EQ(Tick(), "9223372036854775806:59:59");
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(Countdown, APickFromTheHourOrMinuteListPausesAndANewStartBeginsAfresh) {
  for (const char* item : {"00", "01", "02"}) {
    form.Get<ui::ComboBox>("Combo1").AddItem(item);
    form.Get<ui::ComboBox>("Combo2").AddItem(item);
  }
  for (ui::ComboBox* picked : {&form.Get<ui::ComboBox>("Combo1"), &form.Get<ui::ComboBox>("Combo2")}) {
    SCOPED_TRACE(picked->Name());
    Type("00", "10", "00");
    form.Get<ui::Button>("cmdSet").UserClicked();
    Tick();
    EXPECT_EQ(Tick(), "00:09:59");
    const std::string title = form.Caption();

    // Typing does not pause.
    picked->SetText("05");
    picked->UserChanged();
    EXPECT_TRUE(Running());

    picked->SetListIndex(2);
    EXPECT_FALSE(form.Get<ui::Timer>("tmrCountDown").Enabled());
    EXPECT_TRUE(form.Get<ui::Button>("cmdSet").Enabled());
    EXPECT_TRUE(Locked());
    Tick();  // a paused timer raises nothing
    EXPECT_EQ(form.Get<ui::Label>("lblHaveTime").Caption(), "00:09:59");
    EXPECT_EQ(form.Get<ui::Label>("Label11").Caption(), "00:09:59");
    EXPECT_EQ(form.Caption(), title);
    EXPECT_TRUE(form.Get<ui::Frame>("Frame7").Visible());
    EXPECT_EQ(form.Get<ui::Frame>("Frame7").Caption(), "Countdown angehalten....");

    // A refused Start leaves it paused.
    form.Get<ui::ComboBox>("Combo3").SetText("");
    form.Get<ui::Button>("cmdSet").UserClicked();
    EXPECT_FALSE(form.Get<ui::Timer>("tmrCountDown").Enabled());
    form.Get<ui::ComboBox>("Combo3").SetText("00");

    form.Get<ui::Button>("cmdSet").UserClicked();
    EXPECT_TRUE(Running());
    const std::string expected = picked == &form.Get<ui::ComboBox>("Combo1") ? "02:10:00" : "00:02:00";
    EXPECT_EQ(Tick(), expected);
    form.Get<ui::Button>("cmdStop").UserClicked();
    picked->SetListIndex(-1);
  }
  EXPECT_EQ(rig.messages.shown.size(), 2u);
}

TEST_F(Countdown, StopResetsTheFieldsHidesTheFrameAndLeavesTheTitle) {
  ClockTime();
  Type("11", "20");
  StartAt(At(10, 20, 30));
  Tick();
  form.Get<ui::Button>("cmdStop").UserClicked();
  const CountdownScheduler& s = rig.Program().Countdown();
  EXPECT_EQ(TimeLeftText(s.varHours, s.varMinutes, s.varSeconds), "00:00:00");
  EXPECT_TRUE(s.strTimeLeft.empty());
  EXPECT_EQ(s.intSetHour, 0);
  EXPECT_EQ(s.intSetMinute, 0);
  EXPECT_FALSE(form.Get<ui::Timer>("tmrCountDown").Enabled());
  EXPECT_FALSE(Rig::Peer(form.Get<ui::Timer>("tmrCountDown")).TimerScheduled());
  EXPECT_TRUE(form.Get<ui::Button>("cmdSet").Enabled());
  EXPECT_TRUE(Unlocked());
  EXPECT_FALSE(form.Get<ui::Frame>("Frame7").Visible());
  EXPECT_EQ(form.Get<ui::Label>("lblHaveTime").Caption(), "00:59:29");
  EXPECT_EQ(form.Caption(), std::string(kTitle) + " Countdown läuft / gestoppt 00:59:29");

  // Stop while idle does the same and shows nothing.
  form.Get<ui::Button>("cmdStop").UserClicked();
  EXPECT_FALSE(form.Get<ui::Frame>("Frame7").Visible());
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(Countdown, WithNeitherModeSelectedStartCountsDown) {
  form.Get<ui::OptionButton>("optSetCount").SetValue(false);
  ASSERT_FALSE(form.Get<ui::OptionButton>("optSetTime").Value());
  Type("00", "00", "02");
  form.Get<ui::Button>("cmdSet").UserClicked();
  EXPECT_TRUE(form.Get<ui::OptionButton>("optSetCount").Value());
  EXPECT_FALSE(form.Get<ui::OptionButton>("optSetTime").Value());
  EXPECT_EQ(Tick(), "00:00:02");
  EXPECT_EQ(Tick(), "00:00:01");
  EXPECT_EQ(Tick(), "00:00:00");
  EXPECT_EQ(runs, 1);
}

TEST_F(Countdown, Frame7SaysWhetherTheCountdownRunsStandsStillOrHasRunOut) {
  form.Get<ui::ComboBox>("Combo1").AddItem("00");
  form.Get<ui::ComboBox>("Combo1").AddItem("01");
  form.Get<ui::ComboBox>("Combo1").SetListIndex(0);  // a pick while idle changes nothing
  EXPECT_EQ(form.Get<ui::Frame>("Frame7").Caption(), "Countdown läuft");
  Type("00", "00", "01");
  form.Get<ui::Button>("cmdSet").UserClicked();
  Tick();
  EXPECT_EQ(form.Get<ui::Frame>("Frame7").Caption(), "Countdown läuft....");
  form.Get<ui::ComboBox>("Combo1").SetListIndex(1);
  EXPECT_EQ(form.Get<ui::Frame>("Frame7").Caption(), "Countdown angehalten....");
  form.Get<ui::ComboBox>("Combo1").SetText("00");
  form.Get<ui::Button>("cmdSet").UserClicked();
  EXPECT_EQ(form.Get<ui::Frame>("Frame7").Caption(), "Countdown läuft....");  // before its first tick
  EXPECT_EQ(Tick(), "00:00:01");
  EXPECT_EQ(form.Get<ui::Frame>("Frame7").Caption(), "Countdown läuft....");
  EXPECT_EQ(Tick(), "00:00:00");
  EXPECT_EQ(form.Get<ui::Frame>("Frame7").Caption(), "Countdown abgelaufen....");
  form.Get<ui::ComboBox>("Combo1").SetListIndex(0);
  EXPECT_EQ(form.Get<ui::Frame>("Frame7").Caption(), "Countdown abgelaufen....");
  EXPECT_TRUE(form.Get<ui::Frame>("Frame7").Visible());
  form.Get<ui::Button>("cmdSet").UserClicked();
  EXPECT_EQ(form.Get<ui::Frame>("Frame7").Caption(), "Countdown läuft....");
  form.Get<ui::Button>("cmdStop").UserClicked();
  EXPECT_FALSE(form.Get<ui::Frame>("Frame7").Visible());
}

TEST_F(Countdown, TheClockTickShowsTheTimeOfDay) {
  EXPECT_EQ(form.Get<ui::Label>("lblCurrentTimeShow").Caption(), "00:00:00");
  rig.clock.SetLocal(At(14, 5, 9, 999));
  form.Get<ui::Timer>("tmrTime").Fire();
  EXPECT_EQ(form.Get<ui::Label>("lblCurrentTimeShow").Caption(), "14:05:09");
  rig.clock.SetLocal({2026, 10, 25, 2, 30, 0, 0});
  rig.clock.Pass(3600 * 1000);  // the hour shown twice, in winter time
  form.Get<ui::Timer>("tmrTime").Fire();
  EXPECT_EQ(form.Get<ui::Label>("lblCurrentTimeShow").Caption(), "02:30:00");
  rig.clock.SetLocal(At(0, 0, 0));
  form.Get<ui::Timer>("tmrTime").Fire();
  EXPECT_EQ(form.Get<ui::Label>("lblCurrentTimeShow").Caption(), "00:00:00");
}

}  // namespace
}  // namespace morvex::countdown
