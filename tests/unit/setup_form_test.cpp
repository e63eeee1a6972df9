#include <gtest/gtest.h>

#include "fakes.hpp"
#include "settings/config_file.hpp"
#include "windows/setup/setup_ids.hpp"

namespace tavu {
namespace {

using fake::Rig;

TEST(SetupWindow, FirstCloseWritesTheDefaultFile) {
  Rig rig;
  rig.app.Start();
  EXPECT_FALSE(rig.app.setup().State().visible);
  rig.app.ShowSetup(kPageUnchanged, false);
  EXPECT_EQ(rig.app.setup().State().page, kPageScreenSaver);
  EXPECT_TRUE(rig.app.setup().FormClose());
  EXPECT_EQ(rig.files.files.at(rig.ConfigPath()), EncodeConfig(Settings{}));
}

TEST(SetupWindow, StoredValuesAreLoadedAndWrittenBack) {
  Rig rig;
  const std::string stored =
      "x\r\n[0] 5\r\n[1] 1 45 TRUE FALSE\r\n[2] 3 0 FALSE 20 TRUE 60 TRUE 1 FALSE\r\n[3] TRUE\r\n"
      "[4] 7 TRUE FALSE 20 2 40 10 180 100\r\n[5] -2 3\r\n[6] 1\r\n[7] FALSE TRUE TRUE\r\n";
  rig.files.files[rig.ConfigPath()] = stored;
  rig.app.Start();
  EXPECT_EQ(rig.app.settings().SelectBreakMode, 1);
  EXPECT_EQ(rig.app.plans().AppliedPlanIndex(), 5);
  rig.app.setup().FormKeyDown(ui::Key::Escape);  // Esc saves too
  std::string expected = EncodeConfig(Settings{});
  expected = expected.substr(0, expected.find("\r\n") + 2) + stored.substr(3);
  EXPECT_EQ(rig.files.files.at(rig.ConfigPath()), expected);
}

TEST(SetupWindow, AFailedSaveSaysSoAndKeepsTheWindowOpen) {
  Rig rig;
  rig.app.Start();
  rig.app.ShowSetup(kPageBasic, false);
  rig.files.fail_writes = true;
  EXPECT_FALSE(rig.app.setup().FormClose());
  EXPECT_TRUE(rig.app.setup().State().visible);
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].kind, "warn");
  EXPECT_EQ(rig.dialogs.shown[0].text, kSaveFailedText);
  rig.files.fail_writes = false;
  EXPECT_TRUE(rig.app.setup().FormClose());
  EXPECT_FALSE(rig.app.setup().State().visible);
}

TEST(SetupWindow, KeepsThePageInFrontBetweenShowings) {
  Rig rig;
  rig.app.Start();
  rig.app.ShowSetup(kPageChime, false);
  rig.app.setup().FormClose();
  rig.app.ShowSetup(kPageUnchanged, false);
  EXPECT_EQ(rig.app.setup().State().page, kPageChime);
}

TEST(SetupWindow, EachShowingPicksARandomHotKeyTip) {
  Rig rig;
  rig.app.Start();
  EXPECT_EQ(rig.app.setup().State().hotkey_label, "打开WORD WIN+W");
  rig.random.values = {5};
  rig.app.ShowSetup(kPageGeneral, false);
  EXPECT_EQ(rig.app.setup().State().hotkey_label, "屏保开关 WIN+K");
  EXPECT_EQ(rig.random.randomized, 1);
}

TEST(SetupWindow, ScreenSaverMessageBringsItToTheTopOnItsPage) {
  Rig rig;
  rig.app.Start();
  rig.app.main().OnOpenScreenSaverSetup();
  EXPECT_TRUE(rig.app.setup().State().visible);
  EXPECT_TRUE(rig.app.setup().State().topmost);
  EXPECT_EQ(rig.app.setup().State().page, kPageScreenSaver);
}

TEST(SetupWindow, ApplyNowSaysWhatHappened) {
  Rig rig;
  rig.app.Start();
  rig.app.ShowSetup(kPageBasic, false);
  TfrmSetup& setup = rig.app.setup();
  setup.PageInput(ids::kSetupPlanList, {.kind = ui::Input::Kind::Text, .text = "我的方案"});
  setup.PageInput(ids::kSetupApplyPlanNow, {});
  setup.PageInput(ids::kSetupPlanList, {.kind = ui::Input::Kind::Select, .value = 5});
  EXPECT_EQ(setup.State().Find<ui::ComboBox>(ids::kSetupPlanList)->text, "*成人方案(加强)");
  setup.PageInput(ids::kSetupApplyPlanNow, {});
  ASSERT_EQ(rig.dialogs.shown.size(), 2u);
  EXPECT_EQ(rig.dialogs.shown[0].text, "你还未选定方案！");
  EXPECT_EQ(rig.dialogs.shown[1].text, "当前设置已正式生效!");
  EXPECT_EQ(rig.app.plans().AppliedPlanIndex(), 5);
}

}  // namespace
}  // namespace tavu

namespace tavu {
namespace {

// The settings window on its page "休息模式".
struct ModePage {
  ModePage() {
    rig.app.Start();
    rig.app.ShowSetup(kPageMode, false);
  }
  TfrmSetup& setup() { return rig.app.setup(); }
  Settings& settings() { return rig.app.settings(); }
  const SetupFormState& state() { return setup().State(); }
  void Choose(int id, ui::Input input) { setup().PageInput(id, input); }
  static ui::Input Check(bool on) { return {.kind = ui::Input::Kind::Check, .checked = on}; }
  static ui::Input Select(int item) { return {.kind = ui::Input::Kind::Select, .value = item}; }
  static ui::Input Scroll(ui::ScrollStep step, int thumb = 0) {
    return {.kind = ui::Input::Kind::Scroll, .scroll = {step, thumb}};
  }
  // Which mode's group shows; -1 for none, -2 for more than one.
  int VisibleGroup() {
    int shown = -1;
    for (int m = 0; m < 4; ++m) {
      const auto* box = state().Find<ui::GroupBox>(ids::kSetupModeGroupBox0 + m);
      if (box && box->visible) shown = shown == -1 ? m : -2;
    }
    return shown;
  }
  fake::Rig rig;
};

TEST(SetupModePage, TheRadioChoiceSetsTheModeShowsItsGroupAndChecksTheMenu) {
  ModePage p;
  const auto* radio = p.state().Find<ui::RadioChoice>(ids::kSetupModeGroup);
  ASSERT_NE(radio, nullptr);
  EXPECT_EQ(radio->text, "休息模式选择");
  EXPECT_EQ(radio->items, p.settings().SelectBreakMode.Items());
  EXPECT_EQ(radio->index, 0);
  EXPECT_EQ(p.VisibleGroup(), 0);

  p.Choose(ids::kSetupModeGroup, ModePage::Select(3));
  EXPECT_EQ(p.settings().SelectBreakMode, 3);
  EXPECT_EQ(p.state().Find<ui::RadioChoice>(ids::kSetupModeGroup)->index, 3);
  EXPECT_EQ(p.VisibleGroup(), 3);
  EXPECT_TRUE(p.rig.app.main().Menu().Checked("NModeEnforce"));
  EXPECT_FALSE(p.rig.app.main().Menu().Checked("NModeFree"));

  p.Choose(ids::kSetupModeGroup, ModePage::Select(7));  // no such mode: nothing changes
  EXPECT_EQ(p.settings().SelectBreakMode, 3);
  EXPECT_EQ(p.VisibleGroup(), 3);
}

// The menu changes the setting directly; the page shows it at its next refresh, open or not.
TEST(SetupModePage, FollowsAModeChosenFromTheMenu) {
  ModePage p;
  for (int mode : {2, 1, 3, 0}) {
    p.rig.app.main().NModeClick(mode);
    EXPECT_EQ(p.state().Find<ui::RadioChoice>(ids::kSetupModeGroup)->index, mode);
    EXPECT_EQ(p.VisibleGroup(), mode);
  }
}

TEST(SetupModePage, AModeOutOfRangeKeepsTheLastGroup) {
  ModePage p;
  p.Choose(ids::kSetupModeGroup, ModePage::Select(2));
  p.settings().SelectBreakMode = 9;  // names no entry: none selected
  EXPECT_EQ(p.state().Find<ui::RadioChoice>(ids::kSetupModeGroup)->index, -1);
  EXPECT_EQ(p.VisibleGroup(), 2);
}

TEST(SetupModePage, EachGroupEditsItsModesSettings) {
  ModePage p;
  p.Choose(ids::kSetupModeGroup, ModePage::Select(3));
  p.Choose(ids::kSetupDisableKeyboard, ModePage::Check(true));
  p.Choose(ids::kSetupHideCursor, ModePage::Check(true));
  EXPECT_TRUE(p.settings().DisableKeyboard);
  EXPECT_TRUE(p.settings().HideCursor);
  EXPECT_TRUE(p.state().Find<ui::CheckBox>(ids::kSetupHideCursor)->checked);
  p.Choose(ids::kSetupHideCursor, ModePage::Check(false));
  EXPECT_FALSE(p.settings().HideCursor);

  // The last-minute boxes of free and password mode are shown but disabled.
  p.Choose(ids::kSetupModeGroup, ModePage::Select(0));
  const auto* not_show = p.state().Find<ui::CheckBox>(ids::kSetupNotShowFree);
  ASSERT_NE(not_show, nullptr);
  EXPECT_TRUE(not_show->visible);
  EXPECT_FALSE(not_show->enabled);
  EXPECT_EQ(not_show->text, "不显示最后一分钟倒计时界面");
  p.Choose(ids::kSetupNotShowFree, ModePage::Check(true));
  EXPECT_FALSE(p.settings().NotShowFrmBreakHintLastOneMin_FreeMode);

  // A group that is not shown takes no input.
  p.Choose(ids::kSetupDisableKeyboard, ModePage::Check(false));
  EXPECT_TRUE(p.settings().DisableKeyboard);
}

TEST(SetupModePage, ThePageHidesBehindAnotherAndTakesNoInputThere) {
  ModePage p;
  p.rig.app.ShowSetup(kPageGeneral, false);
  for (const PageRow& row : tavu::ModePage().rows) {
    const SetupControl* c = nullptr;
    for (const SetupControl& each : p.state().controls)
      if (each.id == row.id) c = &each;
    ASSERT_NE(c, nullptr) << row.id;
    EXPECT_FALSE(std::visit([](const ui::Control& v) { return v.visible; }, c->control)) << c->id;
  }
  p.Choose(ids::kSetupModeGroup, ModePage::Select(2));
  EXPECT_EQ(p.settings().SelectBreakMode, 0);
}

// Arrows and clicks beside the thumb step by 15; a dragged thumb stays where it was let go.
// The setting keeps every value within 15..45.
TEST(SetupModePage, TheIntensityBarStepsBy15AndKeepsADraggedValue) {
  using enum ui::ScrollStep;
  struct Case {
    int from;
    ui::ScrollStep step;
    int thumb;
    int to;
  };
  const Case cases[] = {
      {30, LineMore, 0, 45}, {30, LineLess, 0, 15}, {15, PageMore, 0, 30}, {45, PageLess, 0, 30},
      {45, LineMore, 0, 45}, {15, LineLess, 0, 15}, {30, Thumb, 22, 22},   {22, LineMore, 0, 37},
      {22, PageLess, 0, 15}, {30, Thumb, 44, 44},   {30, Thumb, 99, 45},   {30, Thumb, 0, 15},
      {22, ToMax, 0, 45},    {22, ToMin, 0, 15},
  };
  ModePage p;
  p.Choose(ids::kSetupModeGroup, ModePage::Select(2));
  for (const Case& c : cases) {
    p.settings().InterfereIntensity = c.from;
    p.Choose(ids::kSetupIntensityBar, ModePage::Scroll(c.step, c.thumb));
    EXPECT_EQ(p.settings().InterfereIntensity, c.to) << c.from << " step " << int(c.step);
    const auto* bar = p.state().Find<ui::Bar>(ids::kSetupIntensityBar);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->position, c.to);
    EXPECT_EQ(p.state().Find<ui::Label>(ids::kSetupIntensityValue)->text,
              std::to_string(c.to) + "秒");
  }
  const auto* bar = p.state().Find<ui::Bar>(ids::kSetupIntensityBar);
  EXPECT_EQ(bar->min, 15);
  EXPECT_EQ(bar->max, 45);
}

}  // namespace
}  // namespace tavu
