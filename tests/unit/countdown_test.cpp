// The countdown, driven tick by tick with a clock the test sets.
#include "countdown/countdown.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "unit/countdown_fixture.h"

namespace morvex::countdown {
namespace {

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

}  // namespace
}  // namespace morvex::countdown
