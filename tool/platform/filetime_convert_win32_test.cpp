// The portable calendar arithmetic held against Windows' own.

#include <windows.h>

#include <gtest/gtest.h>

#include "decide/tick_time.hpp"
#include "platform/filetime_convert_win32.hpp"

namespace {

// What SystemTimeToFileTime makes of a calendar time; nullopt when it refuses.
std::optional<tick_time> windows_ticks(const calendar_time& c) {
  const SYSTEMTIME s{static_cast<WORD>(c.year),
                     static_cast<WORD>(c.month),
                     0,
                     static_cast<WORD>(c.day),
                     static_cast<WORD>(c.hour),
                     static_cast<WORD>(c.minute),
                     static_cast<WORD>(c.second),
                     0};
  FILETIME f;
  if (!SystemTimeToFileTime(&s, &f)) return std::nullopt;
  return from_filetime(f);
}

bool running_under_wine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Wine's SystemTimeToFileTime accepts February 29 of every year and the
// year 30828, which Windows refuses; so do we. Those cases are compared on
// Windows only.
bool wine_differs(const calendar_time& c) {
  return (c.month == 2 && c.day == 29) || c.year == 30828;
}

TEST(TickTimeOnWindows, AgreesWithSystemTimeToFileTime) {
  // A spread of years with every month, the days around each month's end,
  // and hours, minutes and seconds at and past their limits. Every field
  // stays within 16 bits, where both sides read the same numbers.
  const bool wine = running_under_wine();
  int compared = 0;
  int refused = 0;
  for (int year : {1600, 1601, 1700, 1899, 1900, 1970, 1980, 1999, 2000, 2004, 2010, 2024, 2100,
                   2107, 2108, 2400, 9999, 30827, 30828}) {
    for (int month = 0; month <= 13; ++month) {
      for (int day : {0, 1, 15, 28, 29, 30, 31, 32}) {
        for (const auto& [hour, minute, second] : {std::tuple{0, 0, 0},
                                                   {13, 40, 17},
                                                   {23, 59, 59},
                                                   {24, 0, 0},
                                                   {0, 60, 0},
                                                   {0, 0, 60}}) {
          const calendar_time c{year, month, day, hour, minute, second};
          if (wine && wine_differs(c)) continue;
          const std::optional<tick_time> ours = to_ticks(c);
          ASSERT_EQ(ours, windows_ticks(c)) << year << '-' << month << '-' << day << ' ' << hour
                                            << ':' << minute << ':' << second;
          ++compared;
          if (!ours) ++refused;
        }
      }
    }
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(compared - refused, 0);
}

}  // namespace
