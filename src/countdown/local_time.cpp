#include "countdown/local_time.h"

#include <algorithm>
#include <chrono>

namespace morvex::countdown {

std::int64_t LocalMs(const services::LocalTime& local) {
  namespace chrono = std::chrono;
  const chrono::sys_days date = chrono::year{local.year} / chrono::month{static_cast<unsigned>(local.month)} /
                                chrono::day{static_cast<unsigned>(local.day)};
  const std::int64_t timeOfDay =
      ((local.hour * 60LL + local.minute) * 60 + local.second) * kMsPerSecond + local.millisecond;
  return date.time_since_epoch().count() * kMsPerDay + timeOfDay;
}

services::LocalTime LocalFromMs(std::int64_t localMs) {
  namespace chrono = std::chrono;
  std::int64_t days = localMs / kMsPerDay;
  std::int64_t ms = localMs % kMsPerDay;
  if (ms < 0) {
    ms += kMsPerDay;
    days -= 1;
  }
  const chrono::year_month_day date{chrono::sys_days{chrono::days{days}}};
  return {static_cast<int>(date.year()),
          static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())),
          static_cast<int>(ms / (60 * kMsPerMinute)),
          static_cast<int>(ms / kMsPerMinute % 60),
          static_cast<int>(ms / kMsPerSecond % 60),
          static_cast<int>(ms % kMsPerSecond)};
}

services::Instant FirstInstantShowing(services::Clock& clock, std::int64_t localMs, services::Instant from) {
  // What the local clock is ahead of UTC at an instant.
  const auto offsetAt = [&clock](services::Instant at) { return LocalMs(clock.LocalAt(at)) - at; };
  const std::int64_t before = offsetAt(from);
  if (from + before >= localMs) return from;
  // Where the clock would show the time if its offset stayed as it is now.
  const services::Instant guess = localMs - before;
  const std::int64_t after = offsetAt(guess);
  if (after == before) return guess;
  // Put back on the way: until then the clock stays below the time, which it
  // shows only afterwards, with the new offset.
  if (after < before) return localMs - after;
  // Put forward on the way: the clock shows the time, or jumps past it, at the
  // first instant of the new offset.
  services::Instant unchanged = from;
  services::Instant changed = guess;
  while (changed - unchanged > 1) {
    const services::Instant middle = unchanged + (changed - unchanged) / 2;
    (offsetAt(middle) == before ? unchanged : changed) = middle;
  }
  return std::max(changed, localMs - after);
}

}  // namespace morvex::countdown
