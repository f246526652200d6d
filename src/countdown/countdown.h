// The countdown: Start, Stop and the pause that arm and disarm it, the
// once-a-second tick that shows the time left and expires, and the clock label.
//
// The countdown runs exactly while its tick (tmrCountDown) is enabled; the
// mode is read from the option buttons (optSetCount, optSetTime) whenever it
// matters.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "services/services.h"

namespace morvex::forms {
struct CountdownPart;
}

namespace morvex::countdown {

// The countdown's state and its arithmetic. The remaining time is kept as
// three independent fields, counted down with borrows and never normalised in
// count-down mode (0 hours and 90 minutes show 00:90:00, then 00:89:59). What
// the fields hold is taken afresh from the clocks at every tick, so late,
// held or merged ticks and a PC that slept make no difference:
// - count-down mode runs out N + 1 seconds after Start on the elapsed-time
//   clock (N the seconds the fields add up to; ticks one second apart show N
//   first and "00:00:00" last);
// - clock-time mode runs out when the local clock first shows the chosen
//   HH:MM:00 of the day fixed at Start. The instant is asked afresh of the
//   clock at every tick, so a clock that is set, or a new time zone, moves
//   it with the clock: the countdown ends when the clock shows HH:MM, and at
//   once when the clock is set past it.
// Zero and empty when the window is created; never written to a file.
class CountdownScheduler {
 public:
  // Count-down mode: the fields as entered, `elapsedNow` on the elapsed-time
  // clock being the moment of Start.
  void ArmCountDown(std::int64_t hours, std::int64_t minutes, std::int64_t seconds, std::int64_t elapsedNow);
  // Clock-time mode: HH:MM:00 of the chosen minute today or, when that minute
  // has begun or passed, tomorrow.
  void ArmClockTime(std::int16_t hour, std::int16_t minute, services::Clock& clock);
  // Brings the fields to the time left now; true when none is left.
  bool CatchUp(services::Clock& clock);
  // Whether the countdown has run out by now, the fields left as they are.
  bool Due(services::Clock& clock) const;
  // The seconds the fields add up to, capped at a day.
  std::int64_t SecondsShown() const;
  // Runs onFinalMinute the first time in a countdown that the expiry is a
  // minute or less away; while the warning is held, once it is released.
  void WarnIfNear(std::int64_t secondsToExpiry);
  // The start-up holds the warning while the kill list it names is not yet
  // loaded (a countdown armed by Check2 with a minute or less left).
  void HoldWarning() { held_ = true; }
  void ReleaseWarning();
  // Builds and records the text the tick shows (strTimeLeft).
  const std::string& ShowTimeLeft();
  // Stop: every field zero and the text empty.
  void Reset();
  // Whether the last Start armed clock-time mode (a chosen time of the day).
  bool ClockTimeMode() const { return clockTime_; }

  std::int16_t intSetHour = 0;    // clock-time mode: the chosen hour
  std::int16_t intSetMinute = 0;  // clock-time mode: the chosen minute
  std::int64_t varHours = 0;
  std::int64_t varMinutes = 0;
  std::int64_t varSeconds = 0;
  std::string strTimeLeft;  // the text the last tick showed; empty after Stop
  // A sound at every tick: its path is recorded at Start, but the switch is
  // never turned on, so no tick is heard.
  std::string tickSoundPath;
  bool tickSoundOn = false;
  // What the expiry runs after the sound: the kill-list run over every entry.
  std::function<void()> onExpiry;
  // The word before the end: a minute before the expiry (or at Start, when
  // less is left), once per countdown.
  std::function<void(std::int64_t secondsLeft)> onFinalMinute;

 private:
  // Counts `seconds` off the fields as that many one-second steps with
  // borrows would, stopping at zero.
  void CountOff(std::int64_t seconds);

  bool clockTime_ = false;       // the mode of the last Start
  std::int64_t armedAt_ = 0;     // count-down mode: the elapsed-time clock at Start
  std::int64_t countedOff_ = 0;  // count-down mode: the seconds counted off the fields so far
  std::int64_t targetLocal_ = 0;  // clock-time mode: the local date and time it runs out at
  bool warned_ = false;           // onFinalMinute has run for this countdown
  bool held_ = false;             // HoldWarning without ReleaseWarning yet
  std::int64_t heldSeconds_ = -1;  // the seconds a held warning names; -1: none held
};

// Message texts and titles of Start.
inline constexpr const char* kMissingInputTitle = "Fehlende Eingabe";
inline constexpr const char* kMissingInputText = "Bitte füllen Sie alle Felder aus !";
inline constexpr const char* kWrongInputTitle = "Falsche Eingabe";
inline constexpr const char* kLeadingZerosText =
    "Bitte geben Sie auch die führenden Nullen mit an !\r\n\r\n\r\n Beispiel :\r\n\r\n"
    "  Richtig = 08 : 15,   Falsch  =  8 : 15";
// Refuses text that is not a plain whole number (a sign, a blank, a letter, a
// decimal point) or that is too large for its field.
inline constexpr const char* kDigitsOnlyText = "Bitte geben Sie nur die Ziffern 0 bis 9 an !";

// Display texts of the tick.
inline constexpr const char* kRunningWords = "Countdown läuft / gestoppt";
inline constexpr const char* kRunningFrameCaption = "Countdown läuft....";
inline constexpr const char* kPausedFrameCaption = "Countdown angehalten....";
inline constexpr const char* kExpiredFrameCaption = "Countdown abgelaufen....";

// Connects Start, Stop, the hour and minute choosers and both timers.
void WireCountdown(forms::CountdownPart& part, services::Services& services, CountdownScheduler& scheduler);

// Start (the click of cmdSet, and start-up with Check2 ticked), Stop (the
// click of cmdStop) and Pause (a selection change of Combo1 or Combo2). With
// neither mode selected, Start selects count-down mode.
void Start(forms::CountdownPart& part, services::Services& services, CountdownScheduler& scheduler);
void Stop(forms::CountdownPart& part, CountdownScheduler& scheduler);
void Pause(forms::CountdownPart& part);
// The hidden seconds field, which the user cannot see or change: a text that
// Start would refuse (from an older config.ini) becomes "00".
void MendSecondsField(forms::CountdownPart& part);

// One event of tmrCountDown, and one of tmrTime.
void Tick(forms::CountdownPart& part, services::Services& services, CountdownScheduler& scheduler);
void ClockTick(forms::CountdownPart& part, services::Clock& clock);

// A number with at least two digits, zero-padded: 5 gives "05", 123 "123".
std::string TwoDigits(std::int64_t value);

// Hours, minutes and seconds, each zero-padded to at least two digits and
// joined by colons: 1, 39, 30 gives "01:39:30"; 123, 0, 5 gives "123:00:05".
std::string TimeLeftText(std::int64_t hours, std::int64_t minutes, std::int64_t seconds);

}  // namespace morvex::countdown
