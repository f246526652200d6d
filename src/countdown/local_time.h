// Local dates and times as one number, and the instant at which the local
// clock first shows a given time, across the changes of daylight saving time.
#pragma once

#include <cstdint>

#include "services/services.h"

namespace morvex::countdown {

inline constexpr std::int64_t kMsPerSecond = 1000;
inline constexpr std::int64_t kMsPerMinute = 60 * kMsPerSecond;
inline constexpr std::int64_t kMsPerDay = 1440 * kMsPerMinute;

// A local date and time as milliseconds since 1970-01-01 00:00:00 on the
// local clock, and back. Days past the end of their month carry over (the
// 32nd of January is the 1st of February).
std::int64_t LocalMs(const services::LocalTime& local);
services::LocalTime LocalFromMs(std::int64_t localMs);

// The first instant, not before `from`, at which the local clock shows
// `localMs` or later: a time that the clocks skip when they are put forward
// gives the moment they jump, a time that they show twice when put back gives
// its first showing (or, from within the repeated hour, the next one).
services::Instant FirstInstantShowing(services::Clock& clock, std::int64_t localMs, services::Instant from);

}  // namespace morvex::countdown
