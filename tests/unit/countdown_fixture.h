// The countdown's fixture: a main window on the fakes whose clock the test
// sets, and helpers that tick it and read what it shows.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "countdown/countdown.h"
#include "unit/fakes.h"

namespace morvex::countdown {

using testing::Rig;
using testing::ShownMessage;

inline constexpr const char* kTitle = "Morvex  ( Für Windows Vista, Windows 7, Windows 8 )";

// A summer day without a change of the clocks.
inline services::LocalTime At(int hour, int minute, int second, int millisecond = 0) {
  return {2026, 6, 15, hour, minute, second, millisecond};
}

// What a tick shows with `ms` left: whole seconds, rounded up.
inline std::string Left(std::int64_t ms) {
  const std::int64_t s = ms > 0 ? (ms + 999) / 1000 : 0;
  return TimeLeftText(s / 3600, s / 60 % 60, s % 60);
}

// Runs an armed countdown with ticks `stepMs` apart, `before(tick)` running
// ahead of each, until it expires or `bound` ticks have run. Every tick must
// show the time left by `msLeft`, and the countdown must expire on the tick
// that shows none. Returns the ticks run.
inline int RunToExpiry(Rig& rig, const std::function<std::int64_t()>& msLeft, int bound, std::int64_t stepMs = 1000,
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

}  // namespace morvex::countdown
