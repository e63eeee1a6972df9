// Page "更多": the settings kept in the program's own file — breaks on every monitor, breaks
// deferred during presentations and calls, sound, and the history kept between runs.
#include "windows/setup/page_rows.hpp"
#include "windows/setup/setup_form.hpp"
#include "windows/setup/setup_ids.hpp"

namespace tavu {
namespace {

using namespace rows;

bool Deferring(const TfrmSetup& form) {
  return form.settings().DeferWhenPresenting || form.settings().DeferInCalls;
}
bool KeepingHistory(const TfrmSetup& form) { return form.settings().KeepHistory; }

constexpr std::string_view kDeferHint =
    "到了休息时间而你正在演示、全屏运行程序或游戏、或者正在通话时，休息倒计时等到结束后再开始；"
    "推迟的休息不会减少。";

const PageRow kRows[] = {
    Group(ids::kSetupMonitorGroup, "多显示器", {16, 60, 629, 108}),
    Hint(Check(ids::kSetupAllMonitors, "在所有显示器上显示休息界面", At(32, 80),
               &Settings::BreakOnAllMonitors),
         "休息界面、内置屏保和银屏倩影覆盖每一台显示器；只有一台显示器时没有区别。"),

    Group(ids::kSetupDeferGroup, "推迟休息", {16, 120, 629, 224}),
    Hint(Check(ids::kSetupDeferPresenting, "演示或全屏时推迟休息", At(32, 140),
               &Settings::DeferWhenPresenting),
         kDeferHint),
    Hint(Check(ids::kSetupDeferCalls, "通话时推迟休息", At(32, 166), &Settings::DeferInCalls),
         "其他程序正在使用麦克风或摄像头时，休息倒计时等到通话结束后再开始。"),
    When(Text(ids::kSetupDeferMaxLabel, "最多推迟", At(32, 196)), Deferring),
    When(Number(ids::kSetupDeferMax, {92, 192, 148, 214}, &Settings::DeferMaxMins), Deferring),
    When(Text(ids::kSetupDeferMaxUnit, "分钟，到时即开始休息倒计时。", At(154, 196)), Deferring),

    Group(ids::kSetupSoundGroup, "声音", {16, 236, 629, 284}),
    Hint(Check(ids::kSetupSoundCues, "声音提示", At(32, 256), &Settings::SoundCues),
         "正点、半点报时以及休息开始和结束时播放简短的提示音。"),

    Group(ids::kSetupHistoryGroup, "历史统计", {16, 296, 629, 374}),
    Hint(Check(ids::kSetupKeepHistory, "保留历史统计", At(32, 316), &Settings::KeepHistory),
         "把每次运行的工作和休息记录保存在设置文件旁的 tavu-history.db "
         "中，供“历史统计”页查看和导出。"),
    When(Text(ids::kSetupKeepDaysLabel, "保留", At(32, 346)), KeepingHistory),
    When(Number(ids::kSetupKeepDays, {64, 342, 128, 364}, &Settings::KeepHistoryDays),
         KeepingHistory),
    When(Text(ids::kSetupKeepDaysUnit, "天，更早的记录每天自动删除。", At(134, 346)),
         KeepingHistory),

    Press(ids::kSetupMoreClose, "关闭窗口", {533, 402, 621, 428}, &TfrmSetup::btnCloseClick),
};

}  // namespace

SetupPageTable MorePage() { return {kPageMore, kRows}; }

}  // namespace tavu
