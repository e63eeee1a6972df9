// Page "基本设置": the plan list, the apply button in the gap of its hint, and the plan's values
// in four groups that only a user plan may edit.
#include "windows/setup/page_rows.hpp"
#include "windows/setup/setup_form.hpp"
#include "windows/setup/setup_ids.hpp"

namespace tavu {
namespace {

using namespace rows;

bool PlanEditable(const TfrmSetup& form) { return form.plans().Page().groups_enabled; }
std::string* PlanText(TfrmSetup& form) { return form.PlanText(); }

// A value of the plan: its label, its field, and the word after it.
PageRow Value(PageRow row) { return When(row, PlanEditable); }

const PageRow kRows[] = {
    Text(ids::kSetupPlanLabel, "预设方案：", At(24, 70)),
    Typed(List(ids::kSetupPlanList, {96, 66, 336, 88}, &Settings::BreakPlanPreSet,
               &TfrmSetup::cbxBreakPlanPreSetSelect),
          PlanText),
    Colored(Text(ids::kSetupPlanHint1, "*提示：当前方案将在下一休息周期生效或者点击", At(24, 104)),
            kRed),
    Press(ids::kSetupApplyPlanNow, "立即生效", {288, 98, 360, 122},
          &TfrmSetup::btnApplyBreakPlanNowClick),
    Colored(Text(ids::kSetupPlanHint2, "后生效！", At(366, 104)), kRed),

    Value(Group(ids::kSetupBasicGroup, "基本设置", {16, 132, 629, 180})),
    Value(Text(ids::kSetupEveryLabel, "每", At(32, 154))),
    Value(Number(ids::kSetupBreakInterval, {50, 150, 106, 172}, &Settings::BreakInterval)),
    Value(Text(ids::kSetupBreakLabel, "分钟休息", At(112, 154))),
    Value(Number(ids::kSetupBreakMins, {166, 150, 222, 172}, &Settings::BreakMins)),
    Value(Text(ids::kSetupMinutesLabel, "分钟", At(228, 154))),

    Value(Group(ids::kSetupDelayGroup, "延时申请规则", {16, 188, 629, 270})),
    Value(Text(ids::kSetupMaxMinsLabel, "限制最多可申请延长分钟数：", At(32, 210))),
    Value(Number(ids::kSetupCanApplyMaxMins, {196, 206, 252, 228}, &Settings::CanApplyMaxMins,
                 &TfrmSetup::updCanApplyMaxMinsClick)),
    Value(Text(ids::kSetupMaxTimesLabel, "限制申请次数：", At(32, 240))),
    Value(Number(ids::kSetupCanApplyMaxTimes, {196, 236, 252, 258}, &Settings::CanApplyMaxTimes)),
    Value(Text(ids::kSetupOnceMaxLabel, "限制每次最多可申请分钟数：", At(330, 210))),
    Value(Number(ids::kSetupApplyOnceMaxMins, {500, 206, 556, 228}, &Settings::ApplyOnceMaxMins)),
    Value(Text(ids::kSetupAddBreakLabel, "延时补充休息（秒/分钟）：", At(330, 240))),
    Value(Number(ids::kSetupAddBreak, {500, 236, 556, 258}, &Settings::AddBreak4ExtTime_SECperMIN)),

    Value(Group(ids::kSetupIdleGroup, "空闲计算规则：系统自动计算你的小额休息，动态延长休息周期",
                {16, 278, 629, 364})),
    Value(Text(ids::kSetupFrequencyLabel, "我操作电脑的情形：", At(32, 300))),
    Value(Hint(List(ids::kSetupFrequency, {146, 296, 290, 318}, &Settings::FrequencyOfPCOperation),
               "指使用键盘鼠标以及眼镜盯屏幕,连续坐椅子的时间等综合情况")),
    Value(Text(ids::kSetupExtWorkLabel, "空闲补时标准：X ", At(330, 300))),
    Value(
        Number(ids::kSetupExtWorkMinsPerIdle, {432, 296, 488, 318}, &Settings::ExtWorkMinsPerIdle)),
    Value(Text(ids::kSetupExtWorkUnit, "分钟", At(494, 300))),
    Value(Text(ids::kSetupIdleResetLabel, "单次空闲超过", At(32, 334))),
    Value(
        Number(ids::kSetupIdleMinsResetCycle, {108, 330, 164, 352}, &Settings::IdleMinsResetCycle)),
    Value(Text(ids::kSetupIdleResetUnit, "分钟或延时超过额定休息周期重置休息周期", At(170, 334))),

    Value(Group(ids::kSetupTuneGroup, "微调", {16, 372, 629, 432})),
    Value(Text(ids::kSetupMoreRest, "更多的休息", At(32, 398))),
    Value(Track(Bar(ids::kSetupMicroAdjust, {100, 392, 300, 418}, &Settings::MicroAdjust, 1, 1))),
    Value(Text(ids::kSetupMoreWork, "更多的工作", At(306, 398))),
};

}  // namespace

SetupPageTable BasicPage() { return {kPageBasic, kRows}; }

}  // namespace tavu
