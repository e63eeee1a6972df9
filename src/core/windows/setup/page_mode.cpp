// Page "休息模式": the rest-mode choice, and below it the one group of settings of that mode.
#include <string>

#include "windows/setup/setup_form.hpp"
#include "windows/setup/setup_ids.hpp"

namespace tavu {
namespace {

using Kind = PageRow::Kind;

template <int Mode>
bool InModeGroup(const TfrmSetup& form) {
  return form.ModeGroup() == Mode;
}

std::string IntensityText(const Settings& s) {
  return std::to_string(s.InterfereIntensity.Get()) + "秒";
}

constexpr Rect kGroup{16, 212, 629, 300};
constexpr std::string_view kRemindAgain = "再次提醒：(在休息界面上选择)";
constexpr std::string_view kNotShow = "不显示最后一分钟倒计时界面";

const PageRow kRows[] = {
    {.id = ids::kSetupModeGroup,
     .kind = Kind::RadioChoice,
     .caption = "休息模式选择",
     .rect = {16, 64, 629, 200},
     .setting = &Settings::SelectBreakMode,
     .react = &TfrmSetup::rbxSelectBreakModeClick},

    // Free mode: postponing is chosen on the break screen itself.
    {.id = ids::kSetupModeGroupBox0 + 0,
     .kind = Kind::GroupBox,
     .caption = "自由模式设置",
     .rect = kGroup,
     .shown = InModeGroup<0>},
    {.id = ids::kSetupRemindAgainFree,
     .kind = Kind::Label,
     .caption = kRemindAgain,
     .rect = {32, 238, 400, 256},
     .shown = InModeGroup<0>},
    {.id = ids::kSetupNotShowFree,
     .kind = Kind::CheckBox,
     .caption = kNotShow,
     .rect = {32, 264, 400, 284},
     .setting = &Settings::NotShowFrmBreakHintLastOneMin_FreeMode,
     .enabled = false,
     .shown = InModeGroup<0>},

    // Password mode.
    {.id = ids::kSetupModeGroupBox0 + 1,
     .kind = Kind::GroupBox,
     .caption = "提醒模式设置",
     .rect = kGroup,
     .shown = InModeGroup<1>},
    {.id = ids::kSetupRemindAgainPassword,
     .kind = Kind::Label,
     .caption = kRemindAgain,
     .rect = {32, 238, 400, 256},
     .shown = InModeGroup<1>},
    {.id = ids::kSetupNotShowPassword,
     .kind = Kind::CheckBox,
     .caption = kNotShow,
     .rect = {32, 264, 400, 284},
     .setting = &Settings::NotShowFrmBreakHintLastOneMin_PasswordMode,
     .enabled = false,
     .shown = InModeGroup<1>},

    // Interference mode: how long the break screen may be left.
    {.id = ids::kSetupModeGroupBox0 + 2,
     .kind = Kind::GroupBox,
     .caption = "干扰模式设置",
     .rect = kGroup,
     .shown = InModeGroup<2>},
    {.id = ids::kSetupIntensityLabel,
     .kind = Kind::Label,
     .caption = "干扰强度：",
     .rect = {32, 250, 112, 268},
     .shown = InModeGroup<2>},
    {.id = ids::kSetupIntensityBar,
     .kind = Kind::Bar,
     .rect = {116, 248, 400, 268},
     .setting = &Settings::InterfereIntensity,
     .line = 15,
     .page = 15,
     .shown = InModeGroup<2>},
    {.id = ids::kSetupIntensityValue,
     .kind = Kind::Label,
     .rect = {410, 250, 480, 268},
     .shown = InModeGroup<2>,
     .text = IntensityText},

    // Enforce mode: what is locked during the break.
    {.id = ids::kSetupModeGroupBox0 + 3,
     .kind = Kind::GroupBox,
     .caption = "强制模式设置",
     .rect = kGroup,
     .shown = InModeGroup<3>},
    {.id = ids::kSetupDisableKeyboard,
     .kind = Kind::CheckBox,
     .caption = "禁用键盘",
     .rect = {32, 246, 200, 266},
     .setting = &Settings::DisableKeyboard,
     .shown = InModeGroup<3>},
    {.id = ids::kSetupHideCursor,
     .kind = Kind::CheckBox,
     .caption = "禁用鼠标",
     .rect = {220, 246, 400, 266},
     .setting = &Settings::HideCursor,
     .shown = InModeGroup<3>},
};

}  // namespace

SetupPageTable ModePage() { return {kPageMode, kRows}; }

}  // namespace tavu
