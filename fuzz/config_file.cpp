// The configuration file is the user's to edit (or to break): whatever it holds, reading it
// keeps every setting within its bounds, and what the program writes back reads as the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/config_file.hpp"

namespace {

using tavu::Bounded;
using tavu::Choice;
using tavu::Settings;

constexpr Bounded Settings::*kNumbers[] = {
    &Settings::BreakInterval,
    &Settings::BreakMins,
    &Settings::CanApplyMaxMins,
    &Settings::CanApplyMaxTimes,
    &Settings::ApplyOnceMaxMins,
    &Settings::AddBreak4ExtTime_SECperMIN,
    &Settings::IdleMinsResetCycle,
    &Settings::ExtWorkMinsPerIdle,
    &Settings::MicroAdjust,
    &Settings::InterfereIntensity,
    &Settings::SCR,
    &Settings::RestoreSCRAfterMins,
    &Settings::ShutDownDisplayer,
    &Settings::LetSuspend,
    &Settings::HourOfRemindOnce1,
    &Settings::HourOfRemindOnce2,
    &Settings::MinOfRemindOnce1,
    &Settings::MinOfRemindOnce2,
    &Settings::FadeInSpeed,
    &Settings::FadeInStep,
    &Settings::Transparency,
    &Settings::MoiseStrenth,
    &Settings::ZoomPercent1,
    &Settings::FontAdjust1,
    &Settings::ZoomPercent2,
    &Settings::FontAdjust2,
    &Settings::ZoomPercentRemindCenterWindow,
    &Settings::FontAdjustOfRemindCenterWindow,
};

// Choices that must always name an entry.
constexpr Choice Settings::*kEntries[] = {&Settings::SelectBreakMode, &Settings::StandByOrSleep,
                                          &Settings::BreakInterface};
// Choices where -1 means "nothing selected".
constexpr Choice Settings::*kLists[] = {&Settings::BreakPlanPreSet, &Settings::SloganList};

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckBounds(const Settings& s) {
  for (auto m : kNumbers) Check((s.*m).Lo() <= (s.*m).Get() && (s.*m).Get() <= (s.*m).Hi());
  for (auto m : kEntries) Check((s.*m).Index() >= 0 && (s.*m).Index() < (s.*m).Count());
  for (auto m : kLists) Check((s.*m).Index() >= -1 && (s.*m).Index() < (s.*m).Count());
  Check(s.BreakFont.size_pt >= tavu::kMinSloganPoints &&
        s.BreakFont.size_pt <= tavu::kMaxSloganPoints);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The store reads no more than this; a longer input only repeats what is already covered.
  if (size > tavu::kConfigFileReadLimit) return -1;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  Settings read;
  tavu::DecodeConfig(bytes, read);
  CheckBounds(read);

  // Written, then read by a program that starts from its defaults: the same file again.
  const std::string written = tavu::EncodeConfig(read);
  Settings again;
  tavu::DecodeConfig(written, again);
  CheckBounds(again);
  Check(tavu::EncodeConfig(again) == written);

  // Reading the file a second time over what it set changes nothing either.
  tavu::DecodeConfig(bytes, read);
  Check(tavu::EncodeConfig(read) == written);
  return 0;
}
