#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "ports/clock.hpp"

namespace tavu {

// A local wall-clock date-time, or a span of time, in whole milliseconds. A wall-clock value
// counts from 1970-01-01 00:00 local time (no zone: the program only ever shows local time);
// a span is its length. Days plus time of day, like a date-time value of the system.
struct DateTime {
  int64_t ms = 0;

  static DateTime FromLocal(const LocalTime& t);
  LocalTime ToLocal() const;
  int64_t Days() const;  // whole days (floor)
  bool operator==(const DateTime&) const = default;
  auto operator<=>(const DateTime&) const = default;
};

// The user's date and time formats, as Windows format pictures (d dd ddd dddd, M MM MMM MMMM,
// y yy yyyy, h hh H HH, m mm, s ss, t tt, g gg, 'quoted text'). The platform reads them from
// the system; the defaults are those of a Simplified Chinese system.
struct DateTimeFormat {
  std::string short_date = "yyyy/M/d";
  std::string long_time = "H:mm:ss";
  std::string am = "上午";
  std::string pm = "下午";
  std::array<std::string, 7> short_days{"周日", "周一", "周二", "周三", "周四", "周五", "周六"};
  std::array<std::string, 7> long_days{"星期日", "星期一", "星期二", "星期三",
                                       "星期四", "星期五", "星期六"};
  std::array<std::string, 12> short_months{"1月", "2月", "3月", "4月",  "5月",  "6月",
                                           "7月", "8月", "9月", "10月", "11月", "12月"};
  std::array<std::string, 12> long_months{"一月", "二月", "三月", "四月", "五月",   "六月",
                                          "七月", "八月", "九月", "十月", "十一月", "十二月"};
};

// Formats the time of day and calendar date of `t` by a format picture.
std::string FormatDateTime(std::string_view picture, DateTime t, const DateTimeFormat& f);
// Short date, a space, long time.
std::string DateTimeText(DateTime t, const DateTimeFormat& f);
// Long time only.
std::string TimeText(DateTime t, const DateTimeFormat& f);
// A span as the long time of its time of day; a span of a day or more is preceded by its
// whole days ("1天 2:03:00"), which a plain time of day would lose.
std::string DurationText(DateTime span, const DateTimeFormat& f);

// The wall-clock time of a tick, taken back (or forward) from the current tick and wall clock.
DateTime TickToDateTime(Clock& clock, uint64_t tick);
// A span in milliseconds as days and time of day, to the whole second (milliseconds dropped).
DateTime MsToDateTime(uint64_t ms);
// The text without its last three characters (drops ":ss" from a time). Counts characters,
// not bytes, so a format with Chinese letters is never cut inside one.
std::string CutSeconds(std::string_view s);

}  // namespace tavu
