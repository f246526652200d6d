#include "countdown/countdown.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "countdown/local_time.h"
#include "forms/parts.h"

namespace morvex::countdown {
namespace {

// The value of a field that holds digits only and fits the field's type.
template <class T>
bool ParseField(const std::string& text, T& value) {
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  const char* first = text.data();
  const char* last = first + text.size();
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last;
}

// Characters, not bytes: "ä" is one character of two bytes in UTF-8.
std::size_t CharCount(const std::string& utf8) {
  std::size_t n = 0;
  for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

void RefuseInput(services::Services& services, const char* text, const char* title) {
  services.messages.Show(text, title, services::kExclamation);
}

// The three assignments that make MMC1 start playing a wave file.
void PlaySound(forms::CountdownPart& part, const std::string& path) {
  ui::MediaPlayer& player = part.player;
  player.SetFileName(path);
  player.SetWait(false);
  player.SetCommand("Sound");
}

// The local date and time at which the clock next shows hour:minute after
// `today`: a minute that has begun counts as passed, and comes tomorrow. No
// range check, so 30:75 is tomorrow 07:15.
std::int64_t NextShowing(std::int16_t hour, std::int16_t minute, const services::LocalTime& today) {
  std::int64_t chosen = std::int64_t{hour} * 60 + minute;
  if (chosen <= today.hour * 60 + today.minute) chosen += 1440;
  return LocalMs({today.year, today.month, today.day, 0, 0, 0, 0}) + chosen * kMsPerMinute;
}

// How far beyond a day the local time the countdown ends at may lie ahead of
// the clock before it counts as set back by days: more than the hour the
// clocks go back in autumn.
constexpr std::int64_t kSetBackSlack = 2 * 60 * kMsPerMinute;

// The seconds of a minute's warning.
constexpr std::int64_t kWarningSeconds = 60;

void SetLocks(forms::CountdownPart& part, bool locked) {
  part.hourField.SetLocked(locked);
  part.minuteField.SetLocked(locked);
  part.secondField.SetLocked(locked);
}

}  // namespace

void CountdownScheduler::ArmCountDown(std::int64_t hours, std::int64_t minutes, std::int64_t seconds,
                                      std::int64_t elapsedNow) {
  varHours = hours;
  varMinutes = minutes;
  varSeconds = seconds;
  clockTime_ = false;
  armedAt_ = elapsedNow;
  countedOff_ = 0;
  warned_ = false;
  heldSeconds_ = -1;
}

void CountdownScheduler::ArmClockTime(std::int16_t hour, std::int16_t minute, services::Clock& clock) {
  intSetHour = hour;
  intSetMinute = minute;
  clockTime_ = true;
  warned_ = false;
  heldSeconds_ = -1;
  targetLocal_ = NextShowing(hour, minute, clock.LocalAt(clock.Now()));
  CatchUp(clock);
}

bool CountdownScheduler::CatchUp(services::Clock& clock) {
  if (clockTime_) {
    const services::Instant now = clock.Now();
    const services::LocalTime shown = clock.LocalAt(now);
    // A clock set back by days: the chosen time's next showing from now.
    if (targetLocal_ - LocalMs(shown) > kMsPerDay + kSetBackSlack) {
      targetLocal_ = NextShowing(intSetHour, intSetMinute, shown);
    }
    const std::int64_t leftMs = FirstInstantShowing(clock, targetLocal_, now) - now;
    // Whole seconds, rounded up: "00:00:00" only once the moment has come.
    const std::int64_t left = leftMs > 0 ? (leftMs + kMsPerSecond - 1) / kMsPerSecond : 0;
    varHours = left / 3600;
    varMinutes = left / 60 % 60;
    varSeconds = left % 60;
    return left == 0;
  }
  // The first tick, one second after Start, shows the fields as entered.
  const std::int64_t due = (clock.Elapsed() - armedAt_) / kMsPerSecond - 1;
  if (due > countedOff_) {
    CountOff(due - countedOff_);
    countedOff_ = due;
  }
  return varHours == 0 && varMinutes == 0 && varSeconds == 0;
}

bool CountdownScheduler::Due(services::Clock& clock) const {
  CountdownScheduler probe = *this;
  return probe.CatchUp(clock);
}

std::int64_t CountdownScheduler::SecondsShown() const {
  constexpr std::int64_t kDay = 86400;
  if (varHours >= 24 || varMinutes >= 1440 || varSeconds >= kDay) return kDay;
  return std::min(kDay, (varHours * 60 + varMinutes) * 60 + varSeconds);
}

void CountdownScheduler::WarnIfNear(std::int64_t secondsToExpiry) {
  if (warned_ || secondsToExpiry > kWarningSeconds) return;
  warned_ = true;
  if (held_) {
    heldSeconds_ = secondsToExpiry;
  } else if (onFinalMinute) {
    onFinalMinute(secondsToExpiry);
  }
}

void CountdownScheduler::ReleaseWarning() {
  held_ = false;
  const std::int64_t seconds = heldSeconds_;
  heldSeconds_ = -1;
  if (seconds >= 0 && onFinalMinute) onFinalMinute(seconds);
}

void CountdownScheduler::CountOff(std::int64_t seconds) {
  if (seconds <= varSeconds) {
    varSeconds -= seconds;
    return;
  }
  // Past zero the seconds borrow a minute at every 60th step, starting at 59.
  seconds -= varSeconds;
  std::int64_t minutes = (seconds + 59) / 60;
  varSeconds = minutes * 60 - seconds;
  if (minutes <= varMinutes) {
    varMinutes -= minutes;
    return;
  }
  // And past zero the minutes borrow an hour in the same way.
  minutes -= varMinutes;
  const std::int64_t hours = (minutes + 59) / 60;
  if (hours > varHours) {
    varHours = varMinutes = varSeconds = 0;
    return;
  }
  varHours -= hours;
  varMinutes = hours * 60 - minutes;
}

const std::string& CountdownScheduler::ShowTimeLeft() {
  strTimeLeft = TimeLeftText(varHours, varMinutes, varSeconds);
  return strTimeLeft;
}

void CountdownScheduler::Reset() {
  varHours = 0;
  varMinutes = 0;
  varSeconds = 0;
  strTimeLeft.clear();
  intSetHour = 0;
  intSetMinute = 0;
  heldSeconds_ = -1;
}

std::string TwoDigits(std::int64_t value) {
  std::string text = std::to_string(value);
  if (text.size() < 2) text.insert(0, 2 - text.size(), '0');
  return text;
}

std::string TimeLeftText(std::int64_t hours, std::int64_t minutes, std::int64_t seconds) {
  return TwoDigits(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(seconds);
}

void Start(forms::CountdownPart& part, services::Services& services, CountdownScheduler& scheduler) {
  const std::string hours = part.hours.Text();
  const std::string minutes = part.minutes.Text();
  const std::string seconds = part.seconds.Text();
  if (hours.empty() || minutes.empty() || seconds.empty()) {
    RefuseInput(services, kMissingInputText, kMissingInputTitle);
    return;
  }
  if (CharCount(hours) < 2 || CharCount(minutes) < 2 || CharCount(seconds) < 2) {
    RefuseInput(services, kLeadingZerosText, kWrongInputTitle);
    return;
  }

  // A window with neither mode selected (a hand-edited config.ini) counts down.
  if (!part.clockTime.Value() && !part.countDown.Value()) part.countDown.SetValue(true);
  if (part.clockTime.Value()) {
    std::int16_t setHour = 0;
    std::int16_t setMinute = 0;
    if (!ParseField(hours, setHour) || !ParseField(minutes, setMinute)) {
      RefuseInput(services, kDigitsOnlyText, kWrongInputTitle);
      return;
    }
    scheduler.ArmClockTime(setHour, setMinute, services.clock);
  } else {
    std::int64_t h = 0;
    std::int64_t m = 0;
    std::int64_t s = 0;
    if (!ParseField(hours, h) || !ParseField(minutes, m) || !ParseField(seconds, s)) {
      RefuseInput(services, kDigitsOnlyText, kWrongInputTitle);
      return;
    }
    scheduler.ArmCountDown(h, m, s, services.clock.Elapsed());
  }

  scheduler.tickSoundPath = services::InFolder(services.files.AppFolder(), "tick.wav");
  part.tick.SetEnabled(true);
  // The focus leaves Starten before it is disabled: a disabled button would
  // keep it, and the next Tab would go to the first Tab stop, "Beenden und
  // Deaktivieren".
  if (part.start.HasFocus()) part.stop.SetFocus();
  part.start.SetEnabled(false);
  SetLocks(part, true);
  // A frame still shown from a pause or an expiry runs again from now on.
  if (part.stateFrame.Visible()) part.stateFrame.SetCaption(kRunningFrameCaption);
  // Count-down mode runs out one second after the fields have been shown.
  scheduler.WarnIfNear(scheduler.SecondsShown() + (part.clockTime.Value() ? 0 : 1));
}

void MendSecondsField(forms::CountdownPart& part) {
  ui::ComboBox& seconds = part.seconds;
  std::int64_t value = 0;
  if (CharCount(seconds.Text()) < 2 || !ParseField(seconds.Text(), value)) seconds.SetText("00");
}

void Stop(forms::CountdownPart& part, CountdownScheduler& scheduler) {
  scheduler.Reset();
  SetLocks(part, false);
  part.tick.SetEnabled(false);
  part.start.SetEnabled(true);
  part.stateFrame.SetVisible(false);
}

void Pause(forms::CountdownPart& part) {
  // The frame keeps the last time shown and says that it stands still.
  if (part.tick.Enabled()) part.stateFrame.SetCaption(kPausedFrameCaption);
  part.tick.SetEnabled(false);
  part.start.SetEnabled(true);
}

void Tick(forms::CountdownPart& part, services::Services& services, CountdownScheduler& scheduler) {
  if (scheduler.tickSoundOn) PlaySound(part, scheduler.tickSoundPath);

  // The time left by the clocks, whenever this tick comes.
  const bool runOut = scheduler.CatchUp(services.clock);
  const std::string shown = scheduler.ShowTimeLeft();
  part.timeLeft.SetCaption(shown);
  part.window.SetCaption(part.window.Def().caption + " " + kRunningWords + " " + shown);
  part.stateFrame.SetVisible(true);
  part.stateTimeLeft.SetCaption(shown);
  part.stateFrame.SetCaption(runOut ? kExpiredFrameCaption : kRunningFrameCaption);

  if (!runOut) scheduler.WarnIfNear(scheduler.SecondsShown());
  if (runOut) {
    PlaySound(part, services::InFolder(services.files.AppFolder(), "thx.wav"));
    part.tick.SetEnabled(false);
    part.start.SetEnabled(true);
    SetLocks(part, false);
    if (scheduler.onExpiry) scheduler.onExpiry();
  }
}

void ClockTick(forms::CountdownPart& part, services::Clock& clock) {
  const services::LocalTime now = clock.LocalAt(clock.Now());
  part.clock.SetCaption(TimeLeftText(now.hour, now.minute, now.second));
}

void WireCountdown(forms::CountdownPart& part, services::Services& services, CountdownScheduler& scheduler) {
  part.start.onClick = [&part, &services, &scheduler] { Start(part, services, scheduler); };
  part.stop.onClick = [&part, &scheduler] { Stop(part, scheduler); };
  part.hours.onClick = [&part] { Pause(part); };
  part.minutes.onClick = [&part] { Pause(part); };
  part.tick.onTimer = [&part, &services, &scheduler] { Tick(part, services, scheduler); };
  // A due expiry does not wait behind the tray's menu.
  part.tick.urgentWhen = [&services, &scheduler] { return scheduler.Due(services.clock); };
  // A clock set or a new time zone moves a chosen time of the day: its time
  // left is shown afresh at once. A count-down counts elapsed time, which
  // neither moves, so it is left alone (every setting of the system, a theme
  // or an environment change, comes as the same event).
  part.window.onClockChanged = [&part, &services, &scheduler] {
    if (part.tick.Enabled() && scheduler.ClockTimeMode()) Tick(part, services, scheduler);
  };
  part.clockTick.onTimer = [&part, &services] { ClockTick(part, services.clock); };
}

}  // namespace morvex::countdown
