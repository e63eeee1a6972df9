#include <gtest/gtest.h>

#include "settings/plans.hpp"

namespace tavu {
namespace {

TEST(BreakPlans, EachPresetCapturesItsEffectiveValues) {
  struct Row {
    int interval, mins, max_mins, ext_work, reset, add_secs, micro;
  };
  const Row expected[] = {{30, 5, 1, 6, 6, 10, 0},  {40, 5, 2, 7, 6, 8, 0},  {50, 5, 3, 8, 6, 6, 0},
                          {30, 5, 1, 5, 7, 16, -1}, {40, 5, 2, 6, 7, 14, -1}, {50, 5, 3, 7, 7, 12, -1}};
  for (int i = 0; i < 6; ++i) {
    Settings s;
    BreakPlans plans(s);
    s.BreakPlanPreSet = i;
    plans.cbxBreakPlanPreSetSelect();
    plans.CapturePlan();
    const BreakPlan& p = plans.Table()[i];
    const Row& e = expected[i];
    EXPECT_EQ(plans.Table().size(), 6u);
    EXPECT_EQ(p, (BreakPlan{uint8_t(e.interval), uint8_t(e.mins), uint8_t(e.max_mins), 3,
                            uint8_t(e.max_mins), int16_t(e.micro), uint8_t(e.add_secs),
                            uint8_t(e.ext_work), uint8_t(e.reset)}))
        << "plan " << i;
  }
}

TEST(BreakPlans, StrengthenedAdultPlanShowsPageValuesAndAppliesEffectiveOnes) {
  Settings s;
  BreakPlans plans(s);
  s.BreakPlanPreSet = 5;
  plans.cbxBreakPlanPreSetSelect();
  EXPECT_EQ(s.BreakInterval, 50);
  EXPECT_EQ(s.BreakMins, 5);
  EXPECT_EQ(s.CanApplyMaxMins, 3);
  EXPECT_EQ(s.CanApplyMaxTimes, 3);
  EXPECT_EQ(s.ApplyOnceMaxMins, 3);
  EXPECT_EQ(s.AddBreak4ExtTime_SECperMIN, 6);
  EXPECT_EQ(s.IdleMinsResetCycle, 6);
  EXPECT_EQ(s.ExtWorkMinsPerIdle, 8);
  EXPECT_EQ(s.MicroAdjust, -1);
  EXPECT_FALSE(plans.Page().groups_enabled);

  EXPECT_EQ(plans.btnApplyBreakPlanNowClick("*成人方案(加强)"), BreakPlans::ApplyResult::Applied);
  EXPECT_EQ(plans.AppliedPlanIndex(), 5);
  EXPECT_EQ(plans.Applied().ExtWorkMinsPerIdle, 7);
  EXPECT_EQ(plans.Applied().IdleMinsResetCycle, 7);
  EXPECT_EQ(plans.Applied().AddBreak4ExtTime_SECperMIN, 12);
}

TEST(BreakPlans, ApplyNeedsTheSelectedEntrysOwnText) {
  for (std::string_view shown : {"", "*成人方案", "我的方案"}) {
    Settings s;
    BreakPlans plans(s);
    plans.ApplyAtStart();
    s.BreakPlanPreSet = 0;
    EXPECT_EQ(plans.btnApplyBreakPlanNowClick(shown), BreakPlans::ApplyResult::NoPlanSelected);
    EXPECT_EQ(plans.AppliedPlanIndex(), 2);
  }
  Settings s;
  BreakPlans plans(s);
  s.BreakPlanPreSet = -1;
  EXPECT_EQ(plans.btnApplyBreakPlanNowClick(""), BreakPlans::ApplyResult::NoPlanSelected);
  EXPECT_TRUE(plans.Table().empty());
}

TEST(BreakPlans, ChoosingAnotherPlanLeavesThePlanInForceUntilApplied) {
  Settings s;
  BreakPlans plans(s);
  plans.ApplyAtStart();
  s.BreakPlanPreSet = 0;
  plans.cbxBreakPlanPreSetSelect();
  EXPECT_EQ(plans.Applied().BreakInterval, 50);
  EXPECT_EQ(plans.Selected().BreakInterval, 0);  // never captured yet
  plans.ApplySelected();
  EXPECT_EQ(plans.AppliedPlanIndex(), 0);
  EXPECT_EQ(plans.Applied().BreakInterval, 30);
}

TEST(BreakPlans, NoStoredSelectionFallsBackToTheDefaultPlan) {
  Settings s;
  s.BreakPlanPreSet = -1;
  BreakPlans plans(s);
  plans.ApplyAtStart();
  EXPECT_EQ(s.BreakPlanPreSet, 2);
  EXPECT_EQ(plans.AppliedPlanIndex(), 2);
  EXPECT_EQ(plans.Applied().BreakInterval, 50);
}

TEST(BreakPlans, OneRequestsLimitFollowsTheCycleLimit) {
  Settings s;
  BreakPlans plans(s);
  s.CanApplyMaxMins = 1;
  plans.updCanApplyMaxMinsClick();
  EXPECT_EQ(s.ApplyOnceMaxMins, 1);
  EXPECT_EQ(s.ApplyOnceMaxMins.Hi(), 1);
  s.CanApplyMaxMins = 4;
  plans.updCanApplyMaxMinsClick();
  EXPECT_EQ(s.ApplyOnceMaxMins, 4);
  s.ApplyOnceMaxMins = 5;
  EXPECT_EQ(s.ApplyOnceMaxMins, 4);
}

}  // namespace
}  // namespace tavu
