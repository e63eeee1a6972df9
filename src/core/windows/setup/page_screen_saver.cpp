// Page "屏保与电源": when the screen saver starts and which one, and the power-saving actions.
#include <string>

#include "ui/hot_keys.hpp"
#include "windows/setup/page_rows.hpp"
#include "windows/setup/setup_form.hpp"
#include "windows/setup/setup_ids.hpp"

namespace tavu {
namespace {

using namespace rows;

// The screen-saving switch's hot key, as registered.
std::string SaverHint(const Settings& s) {
  return "勾选启用/不选禁用屏幕保护！快捷键 " + std::string(HotKeyOfEntry(s, kSaverSwitchEntry));
}
std::string SaverNote(const Settings& s) {
  return "<-：取消勾选即可禁用屏保！^" + std::string(HotKeyOfEntry(s, kSaverSwitchEntry));
}

bool ListChoosable(const TfrmSetup& form) { return !form.settings().UseKoPlayer; }

// The catalogue's entries but the built-in saver's.
std::string SaverCount(const Settings& s) {
  return std::to_string(std::max(0, s.SCRSavers.Count() - 1));
}

const PageRow kRows[] = {
    Colored(Text(ids::kSetupScrHint1, "*提示：系统的屏幕保护和电源管理已被岚禾软件所集成！",
                 At(24, 66)),
            kRed),
    Colored(
        Text(ids::kSetupScrHint2, "*岚禾软件将为你提供更加强大的屏保管理和电源管理！", At(24, 86)),
        kRed),

    Hint(Check(ids::kSetupEnableSelfSCR, "系统空闲", At(24, 118), &Settings::EnableSelfSCR,
               &TfrmSetup::cbxEnableSelfSCRClick),
         SaverHint),
    Hint(Number(ids::kSetupSCR, {104, 114, 160, 136}, &Settings::SCR), SaverHint),
    Hint(Text(ids::kSetupSCRUnit, "分钟即调用屏幕保护：", At(166, 118)), SaverHint),
    Hint(TextOf(Text(ids::kSetupSCRNote, {}, At(300, 118)), SaverNote), SaverHint),

    Text(ids::kSetupSaverCountLabel, "当前屏保总数：", At(24, 152)),
    TextOf(Text(ids::kSetupSaverCount, {}, At(112, 152)), SaverCount),
    Text(ids::kSetupSaverLabel, "当前屏保：", At(160, 152)),
    When(List(ids::kSetupSaverList, {224, 148, 540, 170}, &Settings::SCRSavers), ListChoosable),
    Check(ids::kSetupRandomSCR, "随机调用", At(24, 184), &Settings::RandomSCR),
    Press(ids::kSetupSCRSetup, "设置", {224, 180, 300, 204}, &TfrmSetup::btnSCRSetupClick),
    Press(ids::kSetupSCRPreview, "预览", {308, 180, 384, 204}, &TfrmSetup::btnSCRPreviewClick),
    Check(ids::kSetupUseKoPlayer, "启用可带伴音的屏保播放功能！", At(24, 216),
          &Settings::UseKoPlayer),
    Check(ids::kSetupAutoRestore, "屏保被禁", At(24, 248), &Settings::AutoRestoreDisabledSCR),
    Number(ids::kSetupRestoreAfter, {104, 244, 160, 266}, &Settings::RestoreSCRAfterMins),
    Text(ids::kSetupRestoreUnit, "分钟后自动恢复。", At(166, 248)),

    Group(ids::kSetupPowerGroup, "省电设置", {16, 280, 629, 434}),
    Check(ids::kSetupEnableDisplayOff, "系统空闲", At(32, 304), &Settings::EnableShutDownDisplayer),
    Number(ids::kSetupDisplayOff, {112, 300, 168, 322}, &Settings::ShutDownDisplayer),
    Text(ids::kSetupDisplayOffUnit, "分钟后如果没有进入工作状态则关闭显示器", At(174, 304)),
    Check(ids::kSetupEnableSuspend, "系统空闲", At(32, 336), &Settings::EnableSuspend),
    Number(ids::kSetupLetSuspend, {112, 332, 168, 354}, &Settings::LetSuspend),
    Text(ids::kSetupSuspendUnit, "分钟后如果没有进入工作状态则", At(174, 336)),
    List(ids::kSetupStandByOrSleep, {350, 332, 430, 354}, &Settings::StandByOrSleep),
    Text(ids::kSetupHibernateNote, "提示: 如果选择休眠,请确保你已经在WINDOWS系统中选择了启用休眠!",
         At(32, 368)),
    Press(ids::kSetupPowerSetup, "设置..", {32, 396, 108, 420}, &TfrmSetup::btnPowerSetupClick),
    Link(ids::kSetupPowerHelp, "帮助", At(120, 402), &TfrmSetup::lblPowerHelpClick),
};

}  // namespace

SetupPageTable ScreenSaverPage() { return {kPageScreenSaver, kRows}; }

}  // namespace tavu
