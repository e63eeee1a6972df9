#include "settings/plans.hpp"

namespace tavu {
namespace {

struct Preset {
  int interval, mins, max_mins, ext_work, add_secs, micro;
};
constexpr Preset kPresets[lists::kPlanCount] = {
    {30, 5, 1, 6, 10, 0},  {40, 5, 2, 7, 8, 0},  {50, 5, 3, 8, 6, 0},
    {30, 5, 1, 6, 10, -1}, {40, 5, 2, 7, 8, -1}, {50, 5, 3, 8, 6, -1},
};

const BreakPlan kEmpty{};

uint8_t U8(int v) { return static_cast<uint8_t>(v); }

}  // namespace

void BreakPlans::cbxBreakPlanPreSetSelect() {
  const int index = s_.BreakPlanPreSet;
  if (index >= 0 && index < lists::kPlanCount) {
    const Preset& p = kPresets[index];
    s_.BreakInterval = p.interval;
    s_.BreakMins = p.mins;
    s_.CanApplyMaxMins = p.max_mins;
    updCanApplyMaxMinsClick();
    s_.CanApplyMaxTimes = 3;
    s_.MicroAdjust = p.micro;
    s_.AddBreak4ExtTime_SECperMIN = p.add_secs;
    s_.ExtWorkMinsPerIdle = p.ext_work;
    s_.IdleMinsResetCycle = s_.BreakMins + 1;
  } else if (index >= lists::kPlanCount && index < static_cast<int>(table_.size())) {
    const BreakPlan& slot = table_[index];
    s_.BreakInterval = slot.BreakInterval;
    s_.BreakMins = slot.BreakMins;
    s_.CanApplyMaxMins = slot.CanApplyMaxMins;
    s_.CanApplyMaxTimes = slot.CanApplyMaxTimes;
    s_.ApplyOnceMaxMins = slot.ApplyOnceMaxMins;
    s_.MicroAdjust = slot.MicroAdjust;
    s_.ExtWorkMinsPerIdle = slot.ExtWorkMinsPerIdle - slot.MicroAdjust;
    s_.IdleMinsResetCycle = slot.IdleMinsResetCycle + slot.MicroAdjust;
    s_.AddBreak4ExtTime_SECperMIN = slot.AddBreak4ExtTime_SECperMIN + 6 * slot.MicroAdjust;
  }
  // Presets are read-only; only a user plan (or no selection) opens the groups.
  page_.groups_enabled = static_cast<unsigned>(index) >= static_cast<unsigned>(lists::kPlanCount);
}

void BreakPlans::CapturePlan() {
  table_.resize(static_cast<std::size_t>(s_.BreakPlanPreSet.Count()));
  const int index = s_.BreakPlanPreSet;
  if (index < 0 || index >= static_cast<int>(table_.size())) return;
  const int micro = s_.MicroAdjust;
  BreakPlan& slot = table_[index];
  slot.BreakInterval = U8(s_.BreakInterval);
  slot.BreakMins = U8(s_.BreakMins);
  slot.CanApplyMaxMins = U8(s_.CanApplyMaxMins);
  slot.CanApplyMaxTimes = U8(s_.CanApplyMaxTimes);
  slot.ApplyOnceMaxMins = U8(s_.ApplyOnceMaxMins);
  slot.MicroAdjust = static_cast<int16_t>(micro);
  slot.ExtWorkMinsPerIdle = U8(s_.ExtWorkMinsPerIdle + micro);
  slot.IdleMinsResetCycle = U8(s_.IdleMinsResetCycle - micro);
  slot.AddBreak4ExtTime_SECperMIN = U8(s_.AddBreak4ExtTime_SECperMIN - 6 * micro);
}

void BreakPlans::updCanApplyMaxMinsClick() {
  s_.ApplyOnceMaxMins.SetBounds(s_.ApplyOnceMaxMins.Lo(), s_.CanApplyMaxMins);
  s_.ApplyOnceMaxMins = s_.CanApplyMaxMins;
}

BreakPlans::ApplyResult BreakPlans::btnApplyBreakPlanNowClick(std::string_view shown_text) {
  if (s_.BreakPlanPreSet < 0 || shown_text.empty() || shown_text != s_.BreakPlanPreSet.Text())
    return ApplyResult::NoPlanSelected;
  ApplySelected();
  return ApplyResult::Applied;
}

void BreakPlans::ApplyAtStart() {
  if (s_.BreakPlanPreSet < 0) s_.BreakPlanPreSet = kFallbackPlan;
  cbxBreakPlanPreSetSelect();
  ApplySelected();
}

void BreakPlans::ApplySelected() {
  CapturePlan();
  if (s_.BreakPlanPreSet >= 0) applied_ = U8(s_.BreakPlanPreSet);
}

const BreakPlan& BreakPlans::Applied() const {
  return applied_ < table_.size() ? table_[applied_] : kEmpty;
}

const BreakPlan& BreakPlans::Selected() const {
  const int index = s_.BreakPlanPreSet;
  return index >= 0 && index < static_cast<int>(table_.size()) ? table_[index] : kEmpty;
}

}  // namespace tavu
