#pragma once
#include <cstdint>
#include <vector>

#include "settings/settings.hpp"

namespace tavu {

// One slot of the plan table. The last three fields hold effective values (fine tuning applied).
struct BreakPlan {
  uint8_t BreakInterval = 0;
  uint8_t BreakMins = 0;
  uint8_t CanApplyMaxMins = 0;
  uint8_t CanApplyMaxTimes = 0;
  uint8_t ApplyOnceMaxMins = 0;
  int16_t MicroAdjust = 0;
  uint8_t AddBreak4ExtTime_SECperMIN = 0;
  uint8_t ExtWorkMinsPerIdle = 0;
  uint8_t IdleMinsResetCycle = 0;
  bool operator==(const BreakPlan&) const = default;
};

// What the plan page shows: whether its value groups may be edited.
struct PlanPageState {
  bool groups_enabled = false;
};

// The plan table and the plan in force, with the plan page's operations. The page values are
// the plan fields of Settings.
class BreakPlans {
 public:
  static constexpr int kFallbackPlan = 2;

  explicit BreakPlans(Settings& s) : s_(s) {}

  // Loads the page from the selected plan.
  void cbxBreakPlanPreSetSelect();
  // Copies the page into the slot of the selected entry.
  void CapturePlan();
  void updCanApplyMaxMinsClick();

  enum class ApplyResult { NoPlanSelected, Applied };
  // The "立即生效" button; `shown_text` is what the list's edit shows.
  ApplyResult btnApplyBreakPlanNowClick(std::string_view shown_text);

  // Start-up: select the stored plan (falling back to the default), capture and apply it.
  void ApplyAtStart();
  // End of a real break: the selected plan becomes the plan in force.
  void ApplySelected();

  const BreakPlan& Applied() const;
  // The slot of the entry selected in the list (the worked-percent figure reads this one).
  const BreakPlan& Selected() const;
  uint8_t AppliedPlanIndex() const { return applied_; }
  const std::vector<BreakPlan>& Table() const { return table_; }
  const PlanPageState& Page() const { return page_; }

 private:
  Settings& s_;
  std::vector<BreakPlan> table_;
  uint8_t applied_ = 0;
  PlanPageState page_;
};

}  // namespace tavu
