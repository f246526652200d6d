// The clocks against the real API: the instant and the local time agree with
// the system's own, and the elapsed-time clock is the system's tick count.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "countdown/local_time.h"
#include "win32/services.h"

namespace morvex::win32 {
namespace {

TEST(Win32Clock, AgreesWithTheSystemsLocalTimeAndTickCount) {
  Win32Clock clock;
  SYSTEMTIME before;
  GetLocalTime(&before);
  const services::LocalTime local = clock.LocalAt(clock.Now());
  const std::int64_t elapsed = clock.Elapsed();
  const auto ticks = static_cast<std::int64_t>(GetTickCount64());
  const services::LocalTime system{before.wYear,   before.wMonth,  before.wDay,         before.wHour,
                                   before.wMinute, before.wSecond, before.wMilliseconds};
  EXPECT_LT(std::llabs(countdown::LocalMs(local) - countdown::LocalMs(system)), 1000);
  EXPECT_LE(elapsed, ticks);
  EXPECT_LT(ticks - elapsed, 100);
}

TEST(Win32Clock, LocalTimesAMonthApartFollowTheTimeZonesRules) {
  // Whatever the zone, each local time converts back to an instant that shows
  // it (in an hour shown twice, either of them).
  Win32Clock clock;
  const services::Instant now = clock.Now();
  for (int month = 0; month < 12; ++month) {
    const services::Instant at = now + month * 31LL * 24 * 3600 * 1000;
    const services::LocalTime local = clock.LocalAt(at);
    SYSTEMTIME localTime{static_cast<WORD>(local.year),   static_cast<WORD>(local.month), 0,
                         static_cast<WORD>(local.day),    static_cast<WORD>(local.hour),
                         static_cast<WORD>(local.minute), static_cast<WORD>(local.second),
                         static_cast<WORD>(local.millisecond)};
    SYSTEMTIME utc;
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &localTime, &utc));
    FILETIME file;
    SystemTimeToFileTime(&utc, &file);
    const std::int64_t back =
        ((static_cast<std::int64_t>(file.dwHighDateTime) << 32 | file.dwLowDateTime) - 116444736000000000LL) / 10000;
    EXPECT_EQ(countdown::LocalMs(clock.LocalAt(back)), countdown::LocalMs(local)) << month;
  }
}

}  // namespace
}  // namespace morvex::win32
