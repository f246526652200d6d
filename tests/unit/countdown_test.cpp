// The countdown, driven tick by tick with a clock the test sets.
#include "countdown/countdown.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "unit/fakes.h"

namespace morvex::countdown {
namespace {

using testing::Rig;
using testing::ShownMessage;

constexpr const char* kTitle = "Morvex  ( Für Windows Vista, Windows 7, Windows 8 )";
constexpr std::int64_t kDayMs = 24LL * 3600 * 1000;

services::LocalTime TimeOfDay(std::int64_t ms) {
  ms %= kDayMs;
  return {static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60), static_cast<int>(ms / 1000 % 60),
          static_cast<int>(ms % 1000)};
}

std::int64_t Ms(int hour, int minute, int second, int millisecond = 0) {
  return ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
}

// Seconds a shown "h:m:s" text stands for.
std::int64_t SecondsOf(const std::string& shown) {
  const auto first = shown.find(':');
  const auto second = shown.find(':', first + 1);
  return std::stoll(shown.substr(0, first)) * 3600 + std::stoll(shown.substr(first + 1, second - first - 1)) * 60 +
         std::stoll(shown.substr(second + 1));
}

class Countdown : public ::testing::Test {
 protected:
  Countdown() {
    form.Command2().onClick = [this] {
      ++runs;
      timerEnabledAtRun = form.tmrCountDown().Enabled();
    };
  }

  // Typed text: no selection changes.
  void Type(const std::string& hours, const std::string& minutes, const std::string& seconds = "00") {
    form.Combo1().SetText(hours);
    form.Combo2().SetText(minutes);
    form.Combo3().SetText(seconds);
  }
  void ClockTime() { form.optSetTime().SetValue(true); }
  void StartAt(std::int64_t ms) {
    rig.clock.now = TimeOfDay(ms);
    form.cmdSet().UserClicked();
  }
  // One event of tmrCountDown; returns what it showed.
  std::string Tick() {
    form.tmrCountDown().Fire();
    return form.lblHaveTime().Caption();
  }
  bool Running() const { return form.tmrCountDown().Enabled() && !form.cmdSet().Enabled(); }
  bool Locked() const {
    return form.txtHour().Locked() && form.txtMinute().Locked() && form.txtSekunde().Locked();
  }
  bool Unlocked() const {
    return !form.txtHour().Locked() && !form.txtMinute().Locked() && !form.txtSekunde().Locked();
  }
  const std::vector<std::string>& Played() { return Rig::Peer(form.MMC1()).played; }

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
    f.Command2().onClick = [&] { expiredAt = tick; };
    f.Combo1().SetText(c.hours);
    f.Combo2().SetText(c.minutes);
    f.Combo3().SetText(c.seconds);
    f.cmdSet().UserClicked();
    std::vector<std::string> shown;
    const int ticks = c.expiringTick > 0 ? c.expiringTick + 5 : static_cast<int>(c.firstShown.size());
    while (f.tmrCountDown().Enabled() && tick < ticks) {
      ++tick;
      f.tmrCountDown().Fire();
      if (shown.size() < c.firstShown.size()) shown.push_back(f.lblHaveTime().Caption());
    }
    EXPECT_EQ(shown, c.firstShown);
    EXPECT_EQ(expiredAt, c.expiringTick);
    if (c.expiringTick > 0) {
      EXPECT_EQ(f.lblHaveTime().Caption(), "00:00:00");
    }
  }
}

TEST_F(Countdown, StartArmsWithoutChangingAnyDisplay) {
  Type("00", "00", "05");
  form.cmdSet().UserClicked();
  EXPECT_TRUE(Running());
  EXPECT_TRUE(Locked());
  EXPECT_TRUE(Rig::Peer(form.tmrCountDown()).TimerScheduled());
  EXPECT_EQ(form.lblHaveTime().Caption(), "00:00:00");
  EXPECT_EQ(form.Caption(), kTitle);
  EXPECT_FALSE(form.Frame7().Visible());
  EXPECT_EQ(form.Frame7().Caption(), "Countdown läuft");
  EXPECT_EQ(rig.Program().Countdown().tickSoundPath, "C:\\Morvex\\tick.wav");
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(Countdown, EveryTickShowsTheTimeInTheLabelTheTitleAndTheFrame) {
  Type("01", "39", "30");
  form.cmdSet().UserClicked();
  Tick();
  EXPECT_EQ(rig.Program().Countdown().strTimeLeft, "01:39:30");
  EXPECT_EQ(form.lblHaveTime().Caption(), "01:39:30");
  EXPECT_EQ(form.Caption(), std::string(kTitle) + " Countdown läuft / gestoppt 01:39:30");
  EXPECT_TRUE(form.Frame7().Visible());
  EXPECT_EQ(form.Frame7().Caption(), "Countdown läuft....");
  EXPECT_EQ(form.Label11().Caption(), "01:39:30");
  Tick();
  EXPECT_EQ(form.Label11().Caption(), "01:39:29");
  EXPECT_TRUE(Played().empty()) << "no sound while the countdown runs";
}

TEST_F(Countdown, ExpiryPlaysTheSoundDisarmsUnlocksAndThenRunsTheKillListButton) {
  Type("00", "00", "01");
  form.cmdSet().UserClicked();
  EXPECT_EQ(Tick(), "00:00:01");
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(Tick(), "00:00:00");
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(timerEnabledAtRun) << "the timer is off before the kill-list run starts";
  EXPECT_EQ(Played(), std::vector<std::string>{"C:\\Morvex\\thx.wav"});
  EXPECT_EQ(form.MMC1().FileName(), "C:\\Morvex\\thx.wav");
  EXPECT_FALSE(form.MMC1().Wait());
  EXPECT_FALSE(form.tmrCountDown().Enabled());
  EXPECT_TRUE(form.cmdSet().Enabled());
  EXPECT_TRUE(Unlocked());
  // The last count-down step borrowed no hour: the minutes stay at -1.
  EXPECT_EQ(rig.Program().Countdown().varHours, 0);
  EXPECT_EQ(rig.Program().Countdown().varMinutes, -1);
  EXPECT_EQ(rig.Program().Countdown().varSeconds, 59);

  // Nothing is reset: the last shown value stays everywhere.
  EXPECT_EQ(form.Caption(), std::string(kTitle) + " Countdown läuft / gestoppt 00:00:00");
  EXPECT_EQ(form.Label11().Caption(), "00:00:00");
  EXPECT_TRUE(form.Frame7().Visible());
  EXPECT_EQ(form.Frame7().Caption(), "Countdown läuft....");

  // A stray timer event after expiry does nothing.
  Tick();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(Played().size(), 1u);

  // Stop hides the frame but leaves the title and the labels.
  form.cmdStop().UserClicked();
  EXPECT_FALSE(form.Frame7().Visible());
  EXPECT_EQ(form.Caption(), std::string(kTitle) + " Countdown läuft / gestoppt 00:00:00");
  EXPECT_EQ(form.lblHaveTime().Caption(), "00:00:00");
}

TEST_F(Countdown, ClockTimeStartComputesTheTimeToTheChosenMinute) {
  struct Case {
    std::int64_t now;
    const char* hours;
    const char* minutes;
    std::vector<std::string> firstShown;
  };
  const Case cases[] = {
      {Ms(10, 20, 0), "10", "50", {"00:29:60", "00:29:59"}},  // a whole minute gives 60 seconds
      {Ms(10, 20, 30), "11", "20", {"00:59:30"}},
      {Ms(10, 20, 30), "10", "20", {"23:59:30"}},  // the current minute means tomorrow
      {Ms(10, 20, 30), "09", "05", {"22:44:30"}},
      {Ms(10, 50, 30), "10", "20", {"23:29:30"}},
      {Ms(23, 59, 59), "00", "00", {"00:00:01"}},
      {Ms(0, 0, 0), "30", "75", {"31:14:60"}},  // no range check on the chosen time
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.hours) + ":" + c.minutes);
    Rig fresh;
    forms::Form1& f = fresh.Form();
    f.optSetTime().SetValue(true);
    f.Combo1().SetText(c.hours);
    f.Combo2().SetText(c.minutes);
    f.Combo3().SetText("xx");  // not read in clock-time mode
    fresh.clock.now = TimeOfDay(c.now);
    f.cmdSet().UserClicked();
    ASSERT_TRUE(f.tmrCountDown().Enabled());
    EXPECT_EQ(fresh.Program().Countdown().intSetHour, std::atoi(c.hours));
    EXPECT_EQ(fresh.Program().Countdown().intSetMinute, std::atoi(c.minutes));
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < c.firstShown.size(); ++i) {
      fresh.clock.now = TimeOfDay(c.now + 1000 * static_cast<std::int64_t>(i + 1));
      f.tmrCountDown().Fire();
      shown.push_back(f.lblHaveTime().Caption());
    }
    EXPECT_EQ(shown, c.firstShown);
  }
}

TEST_F(Countdown, ClockTimeRealignsAndExpiresWithinTheChosenMinutesFirstSecond) {
  ClockTime();
  Type("10", "22");
  const std::int64_t start = Ms(10, 20, 30, 500);
  StartAt(start);
  int tick = 0;
  std::vector<std::string> shown;
  while (runs == 0 && tick < 200) {
    ++tick;
    rig.clock.now = TimeOfDay(start + 1000LL * tick);
    shown.push_back(Tick());
  }
  EXPECT_EQ(tick, 90);
  const services::LocalTime expiredAt = rig.clock.now;
  EXPECT_EQ(TimeOfDay(Ms(expiredAt.hour, expiredAt.minute, expiredAt.second)).second, 0);
  EXPECT_EQ(expiredAt.hour * 100 + expiredAt.minute, 1022);
  // The realignment at the first tick's 30 corrects the half second.
  EXPECT_EQ(shown[0], "00:01:30");
  EXPECT_EQ(shown[1], "00:01:28");
}

TEST_F(Countdown, ClockTimeStaysWithinTwoSecondsOverADayOfSlowTicks) {
  ClockTime();
  Type("07", "45");
  const std::int64_t start = Ms(7, 45, 12, 300);
  const std::int64_t target = Ms(7, 45, 0) + kDayMs;
  StartAt(start);
  const std::int64_t tickMs = 1050;
  bool realigned = false;
  std::int64_t worstMs = 0;
  std::int64_t now = start;
  int tick = 0;
  while (runs == 0 && now < target + 60000) {
    ++tick;
    now = start + tickMs * tick;
    rig.clock.now = TimeOfDay(now);
    const std::int64_t shownSeconds = SecondsOf(Tick());
    if (realigned) {
      const std::int64_t offMs = std::llabs(shownSeconds * 1000 - (target - now));
      if (offMs > worstMs) worstMs = offMs;
    }
    const std::int64_t seconds = shownSeconds % 60;
    if (!realigned && (seconds == 10 || seconds == 30 || seconds == 50)) realigned = true;
  }
  ASSERT_EQ(runs, 1);
  EXPECT_LE(worstMs, 2000);
  EXPECT_GE(now, target);
  EXPECT_LT(now - target, 2000);
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
    if (c.clockTime) f.optSetTime().SetValue(true);
    fresh.Program().Countdown().varHours = 7;
    fresh.Program().Countdown().varMinutes = 8;
    fresh.Program().Countdown().varSeconds = 9;
    f.Combo1().SetText(c.hours);
    f.Combo2().SetText(c.minutes);
    f.Combo3().SetText(c.seconds);
    f.cmdSet().UserClicked();
    EXPECT_EQ(fresh.messages.shown, std::vector<ShownMessage>{c.expected});
    EXPECT_FALSE(f.tmrCountDown().Enabled());
    EXPECT_TRUE(f.cmdSet().Enabled());
    EXPECT_FALSE(f.txtHour().Locked());
    EXPECT_EQ(TimeLeftText(fresh.Program().Countdown().varHours, fresh.Program().Countdown().varMinutes, fresh.Program().Countdown().varSeconds), "07:08:09");
    EXPECT_EQ(fresh.Program().Countdown().intSetHour, 0);
    EXPECT_TRUE(fresh.Program().Countdown().tickSoundPath.empty());
  }
}

TEST_F(Countdown, TheLargestFieldValuesAreAccepted) {
  ClockTime();
  Type("32767", "32767");
  StartAt(Ms(0, 0, 0));
  EXPECT_TRUE(Running());
  EXPECT_EQ(rig.Program().Countdown().intSetHour, 32767);
  form.optSetCount().SetValue(true);
  form.cmdStop().UserClicked();
  Type("9223372036854775807", "00", "00");
  form.cmdSet().UserClicked();
  EXPECT_EQ(Tick(), "9223372036854775807:00:00");
  EXPECT_EQ(Tick(), "9223372036854775806:59:59");
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(Countdown, APickFromTheHourOrMinuteListPausesAndANewStartBeginsAfresh) {
  for (const char* item : {"00", "01", "02"}) {
    form.Combo1().AddItem(item);
    form.Combo2().AddItem(item);
  }
  for (ui::ComboBox* picked : {&form.Combo1(), &form.Combo2()}) {
    SCOPED_TRACE(picked->Name());
    Type("00", "10", "00");
    form.cmdSet().UserClicked();
    Tick();
    EXPECT_EQ(Tick(), "00:09:59");
    const std::string title = form.Caption();

    // Typing does not pause.
    picked->SetText("05");
    picked->UserChanged();
    EXPECT_TRUE(Running());

    picked->SetListIndex(2);
    EXPECT_FALSE(form.tmrCountDown().Enabled());
    EXPECT_TRUE(form.cmdSet().Enabled());
    EXPECT_TRUE(Locked());
    Tick();  // a paused timer raises nothing
    EXPECT_EQ(form.lblHaveTime().Caption(), "00:09:59");
    EXPECT_EQ(form.Label11().Caption(), "00:09:59");
    EXPECT_EQ(form.Caption(), title);
    EXPECT_TRUE(form.Frame7().Visible());

    // A refused Start leaves it paused.
    form.Combo3().SetText("");
    form.cmdSet().UserClicked();
    EXPECT_FALSE(form.tmrCountDown().Enabled());
    form.Combo3().SetText("00");

    form.cmdSet().UserClicked();
    EXPECT_TRUE(Running());
    const std::string expected = picked == &form.Combo1() ? "02:10:00" : "00:02:00";
    EXPECT_EQ(Tick(), expected);
    form.cmdStop().UserClicked();
    picked->SetListIndex(-1);
  }
  EXPECT_EQ(rig.messages.shown.size(), 2u);
}

TEST_F(Countdown, StopResetsTheFieldsHidesTheFrameAndLeavesTheTitle) {
  ClockTime();
  Type("11", "20");
  StartAt(Ms(10, 20, 30));
  Tick();
  form.cmdStop().UserClicked();
  const CountdownScheduler& s = rig.Program().Countdown();
  EXPECT_EQ(TimeLeftText(s.varHours, s.varMinutes, s.varSeconds), "00:00:00");
  EXPECT_TRUE(s.strTimeLeft.empty());
  EXPECT_EQ(s.intSetHour, 0);
  EXPECT_EQ(s.intSetMinute, 0);
  EXPECT_FALSE(form.tmrCountDown().Enabled());
  EXPECT_FALSE(Rig::Peer(form.tmrCountDown()).TimerScheduled());
  EXPECT_TRUE(form.cmdSet().Enabled());
  EXPECT_TRUE(Unlocked());
  EXPECT_FALSE(form.Frame7().Visible());
  EXPECT_EQ(form.lblHaveTime().Caption(), "00:59:30");
  EXPECT_EQ(form.Caption(), std::string(kTitle) + " Countdown läuft / gestoppt 00:59:30");

  // Stop while idle does the same and shows nothing.
  form.cmdStop().UserClicked();
  EXPECT_FALSE(form.Frame7().Visible());
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(Countdown, WithNeitherModeSelectedStartKeepsTheFields) {
  Type("00", "00", "07");
  form.cmdSet().UserClicked();
  Tick();
  Tick();
  form.Combo1().AddItem("00");
  form.Combo1().SetListIndex(0);  // pause at 00:00:05
  form.optSetCount().SetValue(false);
  Type("xx", "yy", "zz");
  form.cmdSet().UserClicked();
  EXPECT_TRUE(rig.messages.shown.empty());
  EXPECT_EQ(Tick(), "00:00:05");
}

TEST_F(Countdown, TheClockTickShowsTheTimeOfDay) {
  EXPECT_EQ(form.lblCurrentTimeShow().Caption(), "00:00:00");
  rig.clock.now = {14, 5, 9, 999};
  form.tmrTime().Fire();
  EXPECT_EQ(form.lblCurrentTimeShow().Caption(), "14:05:09");
  rig.clock.now = {0, 0, 0, 0};
  form.tmrTime().Fire();
  EXPECT_EQ(form.lblCurrentTimeShow().Caption(), "00:00:00");
}

}  // namespace
}  // namespace morvex::countdown
