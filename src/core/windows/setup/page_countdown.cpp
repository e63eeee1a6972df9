// Pages "倒计时提醒界面" and "正点报时界面": how the large countdown window, the small window and
// the centre window follow the screen's size.
#include <array>
#include <string>
#include <vector>

#include "windows/setup/page_rows.hpp"
#include "windows/setup/setup_form.hpp"
#include "windows/setup/setup_ids.hpp"

namespace tavu {
namespace {

using namespace rows;

constexpr std::array<std::string_view, 1> kSkyPreset = {"蓝蓝的天(默认)"};
constexpr std::array<std::string_view, 1> kSeaPreset = {"蓝蓝的海(默认)"};
constexpr std::array<std::string_view, 1> kSilverPreset = {"银底金边(默认)"};

template <Bounded Settings::*Percent>
std::string PercentText(const Settings& s) {
  return std::to_string((s.*Percent).Get()) + "%";
}

bool HintPreviewAllowed(const TfrmSetup& form) { return form.PreviewHintEnabled(); }

struct ZoomGroup {
  int offset;  // of the ids
  Rect box;
  std::string_view caption;
  std::span<const std::string_view> preset;
  Color Settings::*main;
  Color Settings::*border;  // the centre window's only
  const WindowZoom& zoom;
  React rate_select, percent_change, preview;
  std::string (*percent_text)(const Settings&);
  Predicate preview_active;
  bool picture;  // the large countdown window's background picture
};

void AddGroup(std::vector<PageRow>& rows, const ZoomGroup& g) {
  const int o = g.offset, x = g.box.left + 16;
  int y = g.box.top + 24;
  rows.push_back(Group(ids::kSetupHintGroup + o, g.caption, g.box));
  rows.push_back(Text(ids::kSetupHintPresetLabel + o, "预设方案：", At(x, y + 4)));
  rows.push_back(Fixed(ids::kSetupHintPreset + o, {x + 68, y, x + 228, y + 22}, g.preset));
  y += 32;
  rows.push_back(Text(ids::kSetupHintZoomLabel + o, "缩放比例：", At(x, y + 4)));
  rows.push_back(
      List(ids::kSetupHintZoomRate + o, {x + 68, y, x + 168, y + 22}, g.zoom.rate, g.rate_select));
  rows.push_back(Track(Bar(ids::kSetupHintZoomPercent + o, {x + 174, y - 2, x + 314, y + 24},
                           g.zoom.percent, 1, 10, g.percent_change)));
  rows.push_back(
      TextOf(Text(ids::kSetupHintZoomValue + o, {}, At(x + 320, y + 4)), g.percent_text));
  y += 32;
  rows.push_back(Text(ids::kSetupHintFontLabel + o, "字体微调：", At(x, y + 4)));
  rows.push_back(
      Number(ids::kSetupHintFontAdjust + o, {x + 68, y, x + 124, y + 22}, g.zoom.font_adjust));
  y += 32;
  // The colours come with the preset; there is no other to choose.
  rows.push_back(Text(ids::kSetupHintColorLabel + o, "主色调：", At(x, y + 4)));
  rows.push_back(
      Disabled(ColorList(ids::kSetupHintColor + o, {x + 68, y, x + 228, y + 22}, g.main)));
  if (g.border) {
    y += 32;
    rows.push_back(Text(ids::kSetupHintBorderLabel + o, "边框色：", At(x, y + 4)));
    rows.push_back(
        Disabled(ColorList(ids::kSetupHintBorder + o, {x + 68, y, x + 228, y + 22}, g.border)));
  }
  const std::string_view preview = g.border ? "预览" : "点击预览";
  PageRow button =
      Press(ids::kSetupHintPreview + o, preview,
            {g.box.right - 108, g.box.bottom - 36, g.box.right - 16, g.box.bottom - 10}, g.preview);
  rows.push_back(g.preview_active ? When(button, g.preview_active) : button);
  if (g.picture) {
    const int px = g.box.left + 400, py = g.box.top + 24;
    rows.push_back(Text(ids::kSetupHintPictureLabel + o, "背景图像：", At(px - 72, py + 4)));
    // The on-top picture's proportions, 665 x 741.
    rows.push_back(Image(ids::kSetupHintPicture + o, {px, py, px + 100, py + 111}));
    rows.push_back(Disabled(
        Press(ids::kSetupHintPictureLoad + o, "->>...", {px + 106, py, px + 164, py + 24})));
  }
}

std::vector<PageRow> Build(bool chime_page) {
  std::vector<PageRow> rows;
  if (chime_page) {
    AddGroup(rows, {ids::kSetupCentreOffset,
                    {16, 60, 629, 290},
                    "屏幕中央窗口提醒界面",
                    kSilverPreset,
                    &Settings::ColorMainOfRemindCenterWindow,
                    &Settings::ColorBorderOfRemindCenterWindow,
                    kCentreWindowZoom,
                    &TfrmSetup::cbbZoomRateRemindCenterWindowSelect,
                    &TfrmSetup::scbZoomPercentRemindCenterWindowChange,
                    &TfrmSetup::btnPreviewChimeClick,
                    PercentText<&Settings::ZoomPercentRemindCenterWindow>,
                    nullptr,
                    false});
    return rows;
  }
  AddGroup(rows, {0,
                  {16, 60, 629, 244},
                  "大窗口倒计时提醒界面",
                  kSkyPreset,
                  &Settings::BreakHintColorMain,
                  nullptr,
                  kCountdownZoom,
                  &TfrmSetup::cbbZoomRate1Select,
                  &TfrmSetup::scbZoomPercent1Change,
                  &TfrmSetup::btnPreviewHintClick,
                  PercentText<&Settings::ZoomPercent1>,
                  HintPreviewAllowed,
                  true});
  AddGroup(rows, {ids::kSetupSmallOffset,
                  {16, 254, 629, 432},
                  "右下角小窗口提醒界面",
                  kSeaPreset,
                  &Settings::HintSmallWindowColorMain,
                  nullptr,
                  kSmallWindowZoom,
                  &TfrmSetup::cbbZoomRate2Select,
                  &TfrmSetup::scbZoomPercent2Change,
                  &TfrmSetup::btnPreviewSmallWindowClick,
                  PercentText<&Settings::ZoomPercent2>,
                  nullptr,
                  false});
  return rows;
}

}  // namespace

SetupPageTable CountdownPage() {
  static const std::vector<PageRow> rows = Build(false);
  return {kPageCountdown, rows};
}

SetupPageTable ChimePage() {
  static const std::vector<PageRow> rows = Build(true);
  return {kPageChime, rows};
}

}  // namespace tavu
