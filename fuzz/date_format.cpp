// The date and time format pictures and the day and month names come from the user's regional
// settings, which any program may change: formatting by them must stay safe on any text and any
// date the system clock can give.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "base/date_time.hpp"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool ValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80         ? 1
                          : (c >> 5) == 6  ? 2
                          : (c >> 4) == 14 ? 3
                          : (c >> 3) == 30 ? 4
                                           : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  tavu::LocalTime t;
  // The range of a Windows SYSTEMTIME.
  t.year = in.ConsumeIntegralInRange(1601, 30827);
  t.month = in.ConsumeIntegralInRange(1, 12);
  t.day = in.ConsumeIntegralInRange(1, 28);
  t.hour = in.ConsumeIntegralInRange(0, 23);
  t.minute = in.ConsumeIntegralInRange(0, 59);
  t.second = in.ConsumeIntegralInRange(0, 59);
  t.millisecond = in.ConsumeIntegralInRange(0, 999);
  const tavu::DateTime when = tavu::DateTime::FromLocal(t);
  Check(when.ToLocal() == t);

  tavu::DateTimeFormat f;
  f.short_date = in.ConsumeRandomLengthString(80);
  f.long_time = in.ConsumeRandomLengthString(80);
  f.am = in.ConsumeRandomLengthString(16);
  f.pm = in.ConsumeRandomLengthString(16);
  for (auto* names : {&f.short_days, &f.long_days})
    for (auto& name : *names) name = in.ConsumeRandomLengthString(16);
  for (auto* names : {&f.short_months, &f.long_months})
    for (auto& name : *names) name = in.ConsumeRandomLengthString(16);
  const std::string picture = in.ConsumeRemainingBytesAsString();

  const std::string text = tavu::FormatDateTime(picture, when, f);
  tavu::DateTimeText(when, f);
  const uint64_t span = static_cast<uint64_t>(when.ms < 0 ? -when.ms : when.ms);
  tavu::DurationText(tavu::MsToDateTime(span), f);

  // Cutting the seconds off never splits a character of a text that has whole ones.
  const std::string cut = tavu::CutSeconds(text);
  Check(text.compare(0, cut.size(), cut) == 0);
  if (ValidUtf8(text)) Check(ValidUtf8(cut));
  return 0;
}
