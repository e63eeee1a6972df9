// Page "休息主界面": the break screen's interface, slogan, font, buttons, and the hidden group of
// its fading controls.
#include <array>

#include "windows/setup/page_rows.hpp"
#include "windows/setup/setup_form.hpp"
#include "windows/setup/setup_ids.hpp"

namespace tavu {
namespace {

using namespace rows;

constexpr std::array<std::string_view, 1> kAnimations = {"默认轨迹条"};

bool PreviewAllowed(const TfrmSetup& form) { return form.PreviewBreakEnabled(); }
// The fading controls are kept for the file, never shown.
bool Never(const TfrmSetup&) { return false; }
std::string* SloganText(TfrmSetup& form) { return &form.MutableSettings().Slogan; }

const PageRow kRows[] = {
    Group(ids::kSetupBreakGroup, "休息界面", {16, 60, 629, 434}),
    Text(ids::kSetupInterfaceLabel, "界面方案：", At(32, 90)),
    List(ids::kSetupInterface, {112, 86, 312, 108}, &Settings::BreakInterface),
    Check(ids::kSetupRandomInterface, "随机", At(324, 90), &Settings::RandomInterface),
    Text(ids::kSetupAnimationLabel, "倒计时动画：", At(32, 124)),
    Fixed(ids::kSetupAnimation, {112, 120, 312, 142}, kAnimations),
    // Nothing to set for the one animation there is.
    Disabled(Press(ids::kSetupAnimationSetup, "设置...", {324, 119, 400, 143})),
    Press(ids::kSetupBreakFont, "设置字体", {32, 158, 124, 184}, &TfrmSetup::btnBreakFontClick),
    When(Press(ids::kSetupPreviewBreak, "点击预览", {136, 158, 228, 184},
               &TfrmSetup::btnPreviewBreakClick),
         PreviewAllowed),
    Check(ids::kSetupShowSlogan, "显示警示文字", At(32, 202), &Settings::ShowSlogan),
    Typed(List(ids::kSetupSlogan, {140, 198, 612, 220}, &Settings::SloganList), SloganText),
    Check(ids::kSetupShowPowerButton, "显示电源按钮", At(32, 240), &Settings::ShowPowerButton),
    Text(ids::kSetupPowerButtonNote,
         "提示: 你也可以按下键盘上的WIN键弹出“开始”菜单后选择“关闭计算机”!", At(52, 264)),
    Check(ids::kSetupToggleB4Break, "休息前刷屏(全部窗口最小化)", At(32, 296),
          &Settings::ToggleB4Break),
    Check(ids::kSetupShowCurrentMode, "显示当前模式", At(32, 326), &Settings::ShowCurrentMode),

    Shown(Group(ids::kSetupControlGroup, "控制", {16, 352, 629, 434}), Never),
    Shown(Text(ids::kSetupFadeInSpeedLabel, "淡入速度：", At(32, 376)), Never),
    Shown(Number(ids::kSetupFadeInSpeed, {100, 372, 156, 394}, &Settings::FadeInSpeed,
                 &TfrmSetup::updFadeInSpeedClick),
          Never),
    Shown(Text(ids::kSetupFadeInStepLabel, "淡入平滑度：", At(176, 376)), Never),
    Shown(Number(ids::kSetupFadeInStep, {256, 372, 312, 394}, &Settings::FadeInStep), Never),
    Shown(Text(ids::kSetupTransparencyLabel, "不透明度：", At(332, 376)), Never),
    Shown(Number(ids::kSetupTransparency, {400, 372, 456, 394}, &Settings::Transparency), Never),
    Shown(Check(ids::kSetupUseMoiseEffect, "增强逐波淡入效果", At(32, 406),
                &Settings::UseMoiseEffect),
          Never),
    Shown(Text(ids::kSetupMoiseLabel, "波强度：", At(176, 406)), Never),
    Shown(Number(ids::kSetupMoiseStrenth, {256, 402, 312, 424}, &Settings::MoiseStrenth), Never),
};

}  // namespace

SetupPageTable BreakScreenPage() { return {kPageBreakScreen, kRows}; }

}  // namespace tavu
