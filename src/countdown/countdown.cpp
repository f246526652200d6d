#include "countdown/countdown.h"

#include <charconv>
#include <system_error>

#include "forms/form1.h"

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

void RefuseInput(forms::Form1& form, const char* text, const char* title) {
  form.Svc().messages.Show(text, title, services::kExclamation);
}

// The three assignments that make MMC1 start playing a wave file.
void PlaySound(forms::Form1& form, const std::string& path) {
  ui::MediaPlayer& player = form.MMC1();
  player.SetFileName(path);
  player.SetWait(false);
  player.SetCommand("Sound");
}

void SetLocks(forms::Form1& form, bool locked) {
  form.txtHour().SetLocked(locked);
  form.txtMinute().SetLocked(locked);
  form.txtSekunde().SetLocked(locked);
}

}  // namespace

void CountdownScheduler::ArmCountDown(std::int64_t hours, std::int64_t minutes, std::int64_t seconds) {
  varHours = hours;
  varMinutes = minutes;
  varSeconds = seconds;
}

void CountdownScheduler::ArmClockTime(std::int16_t hour, std::int16_t minute, const services::LocalTime& now) {
  intSetHour = hour;
  intSetMinute = minute;
  std::int64_t minutesLeft = (std::int64_t{hour} * 60 + minute) - (now.hour * 60 + now.minute);
  if (minutesLeft <= 0) minutesLeft += 1440;
  varHours = (minutesLeft - 1) / 60;
  varMinutes = (minutesLeft - 1) % 60;
  varSeconds = 60 - now.second;
}

const std::string& CountdownScheduler::ShowTimeLeft() {
  strTimeLeft = TimeLeftText(varHours, varMinutes, varSeconds);
  return strTimeLeft;
}

void CountdownScheduler::CountDownOneSecond() {
  varSeconds -= 1;
  if (varSeconds == -1) {
    varSeconds = 59;
    varMinutes -= 1;
    if (varMinutes == -1 && varHours != 0) {
      varMinutes = 59;
      varHours -= 1;
    }
  }
}

void CountdownScheduler::Reset() {
  varHours = 0;
  varMinutes = 0;
  varSeconds = 0;
  strTimeLeft.clear();
  intSetHour = 0;
  intSetMinute = 0;
}

std::string TwoDigits(std::int64_t value) {
  std::string text = std::to_string(value);
  if (text.size() < 2) text.insert(0, 2 - text.size(), '0');
  return text;
}

std::string TimeLeftText(std::int64_t hours, std::int64_t minutes, std::int64_t seconds) {
  return TwoDigits(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(seconds);
}

void Start(forms::Form1& form, CountdownScheduler& scheduler) {
  const std::string hours = form.Combo1().Text();
  const std::string minutes = form.Combo2().Text();
  const std::string seconds = form.Combo3().Text();
  if (hours.empty() || minutes.empty() || seconds.empty()) {
    RefuseInput(form, kMissingInputText, kMissingInputTitle);
    return;
  }
  if (CharCount(hours) < 2 || CharCount(minutes) < 2 || CharCount(seconds) < 2) {
    RefuseInput(form, kLeadingZerosText, kWrongInputTitle);
    return;
  }

  if (form.optSetTime().Value()) {
    std::int16_t setHour = 0;
    std::int16_t setMinute = 0;
    if (!ParseField(hours, setHour) || !ParseField(minutes, setMinute)) {
      RefuseInput(form, kDigitsOnlyText, kWrongInputTitle);
      return;
    }
    scheduler.ArmClockTime(setHour, setMinute, form.Svc().clock.Now());
  } else if (form.optSetCount().Value()) {
    std::int64_t h = 0;
    std::int64_t m = 0;
    std::int64_t s = 0;
    if (!ParseField(hours, h) || !ParseField(minutes, m) || !ParseField(seconds, s)) {
      RefuseInput(form, kDigitsOnlyText, kWrongInputTitle);
      return;
    }
    scheduler.ArmCountDown(h, m, s);
  }
  // With neither mode selected the fields keep what they hold.

  scheduler.tickSoundPath = form.Svc().files.AppFolder() + "\\tick.wav";
  form.tmrCountDown().SetEnabled(true);
  form.cmdSet().SetEnabled(false);
  SetLocks(form, true);
}

void Stop(forms::Form1& form, CountdownScheduler& scheduler) {
  scheduler.Reset();
  SetLocks(form, false);
  form.tmrCountDown().SetEnabled(false);
  form.cmdSet().SetEnabled(true);
  form.Frame7().SetVisible(false);
}

void Pause(forms::Form1& form) {
  form.tmrCountDown().SetEnabled(false);
  form.cmdSet().SetEnabled(true);
}

void Tick(forms::Form1& form, CountdownScheduler& scheduler) {
  if (scheduler.tickSoundOn) PlaySound(form, scheduler.tickSoundPath);

  // The display shows what the previous tick left; the count-down follows.
  const std::string shown = scheduler.ShowTimeLeft();
  form.lblHaveTime().SetCaption(shown);
  form.SetCaption(form.Def().caption + " " + kRunningWords + " " + shown);
  form.Frame7().SetVisible(true);
  form.Label11().SetCaption(shown);
  form.Frame7().SetCaption(kRunningFrameCaption);

  if (form.optSetTime().Value() && scheduler.DueForRealignment()) scheduler.Realign(form.Svc().clock.Now().second);
  scheduler.CountDownOneSecond();

  if (shown == "00:00:00") {
    PlaySound(form, form.Svc().files.AppFolder() + "\\thx.wav");
    form.tmrCountDown().SetEnabled(false);
    form.cmdSet().SetEnabled(true);
    SetLocks(form, false);
    // Exactly what a click of the button does: the kill-list run.
    form.Command2().Click();
  }
}

void ClockTick(forms::Form1& form) {
  const services::LocalTime now = form.Svc().clock.Now();
  form.lblCurrentTimeShow().SetCaption(TimeLeftText(now.hour, now.minute, now.second));
}

void WireCountdown(forms::Form1& form, CountdownScheduler& scheduler) {
  form.cmdSet().onClick = [&form, &scheduler] { Start(form, scheduler); };
  form.cmdStop().onClick = [&form, &scheduler] { Stop(form, scheduler); };
  form.Combo1().onClick = [&form] { Pause(form); };
  form.Combo2().onClick = [&form] { Pause(form); };
  form.tmrCountDown().onTimer = [&form, &scheduler] { Tick(form, scheduler); };
  form.tmrTime().onTimer = [&form] { ClockTick(form); };
}

}  // namespace morvex::countdown
