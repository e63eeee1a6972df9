#include "base/date_time.hpp"

#include <chrono>

namespace tavu {
namespace {

constexpr int64_t kMsPerDay = 86'400'000;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

void AppendNumber(std::string& out, int value, int min_digits) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < min_digits)
    out.append(static_cast<std::size_t>(min_digits) - digits.size(), '0');
  out += digits;
}

// The first character (code point) of a UTF-8 text.
std::string_view FirstChar(std::string_view s) {
  if (s.empty()) return s;
  std::size_t n = 1;
  while (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) ++n;
  return s.substr(0, n);
}

}  // namespace

DateTime DateTime::FromLocal(const LocalTime& t) {
  using namespace std::chrono;
  const sys_days day{year{t.year} / month{static_cast<unsigned>(t.month)} /
                     std::chrono::day{static_cast<unsigned>(t.day)}};
  const int64_t days = day.time_since_epoch().count();
  return {days * kMsPerDay + ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond};
}

LocalTime DateTime::ToLocal() const {
  using namespace std::chrono;
  const int64_t days = Days();
  const int64_t in_day = ms - days * kMsPerDay;
  const year_month_day ymd{sys_days{std::chrono::days{days}}};
  LocalTime t;
  t.year = static_cast<int>(ymd.year());
  t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  t.hour = static_cast<int>(in_day / 3'600'000);
  t.minute = static_cast<int>(in_day / 60'000 % 60);
  t.second = static_cast<int>(in_day / 1000 % 60);
  t.millisecond = static_cast<int>(in_day % 1000);
  return t;
}

int64_t DateTime::Days() const { return FloorDiv(ms, kMsPerDay); }

std::string FormatDateTime(std::string_view picture, DateTime dt, const DateTimeFormat& f) {
  const LocalTime t = dt.ToLocal();
  const auto weekday = static_cast<int>(
      std::chrono::weekday{std::chrono::sys_days{std::chrono::days{dt.Days()}}}.c_encoding());
  std::string out;
  std::size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    if (c == '\'') {  // quoted text; '' inside it is one quote
      ++i;
      while (i < picture.size()) {
        if (picture[i] == '\'') {
          if (i + 1 < picture.size() && picture[i + 1] == '\'') {
            out += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += picture[i++];
      }
      continue;
    }
    std::size_t n = 1;
    while (i + n < picture.size() && picture[i + n] == c) ++n;
    const int count = static_cast<int>(n);
    switch (c) {
      case 'd':
        if (count <= 2)
          AppendNumber(out, t.day, count);
        else
          out += (count == 3 ? f.short_days : f.long_days)[static_cast<std::size_t>(weekday)];
        break;
      case 'M':
        if (count <= 2)
          AppendNumber(out, t.month, count);
        else
          out +=
              (count == 3 ? f.short_months : f.long_months)[static_cast<std::size_t>(t.month - 1)];
        break;
      case 'y':
        if (count <= 2)
          AppendNumber(out, t.year % 100, count);
        else
          AppendNumber(out, t.year, 4);
        break;
      case 'h':
        AppendNumber(out, t.hour % 12 == 0 ? 12 : t.hour % 12, count >= 2 ? 2 : 1);
        break;
      case 'H':
        AppendNumber(out, t.hour, count >= 2 ? 2 : 1);
        break;
      case 'm':
        AppendNumber(out, t.minute, count >= 2 ? 2 : 1);
        break;
      case 's':
        AppendNumber(out, t.second, count >= 2 ? 2 : 1);
        break;
      case 't': {
        const std::string& marker = t.hour < 12 ? f.am : f.pm;
        out += count == 1 ? std::string(FirstChar(marker)) : marker;
        break;
      }
      case 'g':  // era: the Gregorian calendar needs none
        break;
      default:
        out.append(n, c);
        break;
    }
    i += n;
  }
  return out;
}

std::string DateTimeText(DateTime t, const DateTimeFormat& f) {
  return FormatDateTime(f.short_date, t, f) + " " + FormatDateTime(f.long_time, t, f);
}

std::string TimeText(DateTime t, const DateTimeFormat& f) {
  return FormatDateTime(f.long_time, t, f);
}

std::string DurationText(DateTime span, const DateTimeFormat& f) {
  const int64_t days = span.Days();
  std::string text = days > 0 ? std::to_string(days) + "天 " : std::string();
  return text + FormatDateTime(f.long_time, span, f);
}

DateTime TickToDateTime(Clock& clock, uint64_t tick) {
  const uint64_t now = clock.Tick();
  const DateTime wall = DateTime::FromLocal(clock.Now());
  if (now > tick) return {wall.ms - MsToDateTime(now - tick).ms};
  return {wall.ms + MsToDateTime(tick - now).ms};
}

DateTime MsToDateTime(uint64_t ms) { return {static_cast<int64_t>(ms - ms % 1000)}; }

std::string CutSeconds(std::string_view s) {
  std::size_t end = s.size();
  for (int cut = 0; cut < 3 && end > 0; ++cut) {
    --end;
    while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
  }
  return std::string(s.substr(0, end));
}

}  // namespace tavu
