// The program's own settings file is the user's to edit too: whatever it holds, reading it keeps
// every setting within its bounds, and what the program writes back reads as the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/ini_file.hpp"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckBounds(const tavu::Settings& s) {
  for (const tavu::Bounded* b :
       {&s.DeferMaxMins, &s.KeepHistoryDays, &s.RestoreSCRAfterMins, &s.HourOfRemindOnce1,
        &s.MinOfRemindOnce2, &s.ZoomPercent1, &s.ZoomPercentRemindCenterWindow})
    Check(b->Lo() <= b->Get() && b->Get() <= b->Hi());
  for (const tavu::Choice* c :
       {&s.ZoomRate1, &s.ZoomRate2, &s.ZoomRateRemindCenterWindow, &s.SelectRemindHourWindow,
        &s.ActionOnSelectTerminate, &s.HotKeyAction})
    Check(c->Index() >= 0 && c->Index() < c->Count());
  Check(!s.BreakFont.name.empty());
  Check(s.BreakFont.charset >= 0 && s.BreakFont.charset <= 255);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > tavu::kIniFileReadLimit) return -1;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  tavu::Settings read;
  const tavu::ForeignLines foreign = tavu::DecodeIni(bytes, read);
  CheckBounds(read);

  // Written, then read by a program that starts from its defaults: the same file again, the
  // foreign lines included.
  const std::string written = tavu::EncodeIni(read, foreign);
  tavu::Settings again;
  const tavu::ForeignLines foreign_again = tavu::DecodeIni(written, again);
  CheckBounds(again);
  Check(foreign_again == foreign);
  Check(tavu::EncodeIni(again, foreign_again) == written);
  return 0;
}
