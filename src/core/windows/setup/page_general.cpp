// Page "综合/其它": what Exit does, the two desktop pictures, the hot-key list, start-up and help.
#include <array>
#include <string>

#include "ui/hot_keys.hpp"
#include "windows/setup/page_rows.hpp"
#include "windows/setup/setup_form.hpp"
#include "windows/setup/setup_ids.hpp"

namespace tavu {
namespace {

using namespace rows;

constexpr std::array<std::string_view, 1> kDecoTexts = {"岚禾休息软件运行中"};
constexpr std::array<std::string_view, 1> kSotTexts = {"岚禾软件您健康的好伴侣"};

std::string SotHint(const Settings& s) {
  return "快捷键 " + std::string(HotKeyOfEntry(s, kSotSwitchEntry));
}

std::string HotKeyText(const Settings& s) { return std::string(s.HotKeyAction.Text()); }

const PageRow kRows[] = {
    Text(ids::kSetupTerminateLabel, "选择退出时：", At(24, 70)),
    List(ids::kSetupTerminate, {100, 66, 240, 88}, &Settings::ActionOnSelectTerminate),

    Check(ids::kSetupShowDesktopDeco, "显示桌面状态", At(24, 106), &Settings::ShowDesktopDeco,
          &TfrmSetup::cbxShowDesktopDecoClick),
    Fixed(ids::kSetupDecoList, {140, 102, 330, 124}, kDecoTexts),
    // The banner's proportions, 561 x 69.
    Image(ids::kSetupDecoPicture, {140, 130, 465, 170}),
    // The pictures are the program's own; there is no other to load.
    Disabled(Press(ids::kSetupDecoLoad, "-->>...", {338, 101, 404, 125})),
    Hint(Check(ids::kSetupShowSOT, "显示银屏倩影", At(24, 188), &Settings::ShowSOT,
               &TfrmSetup::cbxShowSOTClick),
         SotHint),
    Fixed(ids::kSetupSotList, {140, 184, 330, 206}, kSotTexts),
    // The on-top picture's proportions, 665 x 741.
    Image(ids::kSetupSotPicture, {140, 212, 230, 312}),
    Disabled(Press(ids::kSetupSotLoad, "-->>...", {338, 183, 404, 207})),

    Group(ids::kSetupHotKeyGroup, "快速启动(快捷键)列表:", {16, 322, 629, 370}),
    Text(ids::kSetupHotKeyActionLabel, "动作：", At(32, 344)),
    List(ids::kSetupHotKeyAction, {72, 340, 252, 362}, &Settings::HotKeyAction,
         &TfrmSetup::cbbHotKeyActionChange),
    Text(ids::kSetupHotKeyLabel, "热键：", At(272, 344)),
    TextOf(Text(ids::kSetupHotKeyText, {}, At(312, 344)), HotKeyText),

    Check(ids::kSetupStartUpWithSys, "随系统启动", At(24, 382), &Settings::EnableStartUpWithSys,
          &TfrmSetup::cbxEnableStartUpWithSysClick),
    Check(ids::kSetupPopHelpInfo, "允许自动弹出帮助信息", At(140, 382),
          &Settings::EnablePopHelpInfo),
    Hint(Check(ids::kSetupIsLaptop, "我使用的是笔记本 (改善硬件兼容性)", At(24, 410),
               &Settings::HarwareIsLaptop),
         "请您确保正确选择！台式机请不要勾选。"),
    Press(ids::kSetupClose, "关闭窗口", {533, 402, 621, 428}, &TfrmSetup::btnCloseClick),
};

}  // namespace

SetupPageTable GeneralPage() { return {kPageGeneral, kRows}; }

}  // namespace tavu
