// The countdown to a time of day, on the system clock: the time left to the
// chosen minute, the expiry across the changes of the clocks, and what can
// and cannot delay it.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "countdown/local_time.h"
#include "unit/countdown_fixture.h"

namespace morvex::countdown {
namespace {

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
