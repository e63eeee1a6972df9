#include <gtest/gtest.h>

#include "fakes.hpp"
#include "settings/config_file.hpp"

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
  rig.app.setup().FormKeyDown(0x1B);  // Esc saves too
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
  rig.app.setup().btnApplyBreakPlanNowClick("");
  rig.app.setup().btnApplyBreakPlanNowClick("*成人方案(标准)");
  ASSERT_EQ(rig.dialogs.shown.size(), 2u);
  EXPECT_EQ(rig.dialogs.shown[0].text, "你还未选定方案！");
  EXPECT_EQ(rig.dialogs.shown[1].text, "当前设置已正式生效!");
}

}  // namespace
}  // namespace tavu

namespace tavu {
namespace {

TEST(SetupWindow, TheModePageEditsTheModeAndItsSettings) {
  fake::Rig rig;
  rig.app.Start();
  TfrmSetup& setup = rig.app.setup();
  setup.rbxSelectBreakModeChoose(3);
  EXPECT_EQ(rig.app.settings().SelectBreakMode, 3);
  EXPECT_EQ(setup.State().mode_group, 3);
  EXPECT_TRUE(rig.app.main().Menu().Checked("NModeEnforce"));
  setup.cbxDisableKeyboardClick(true);
  setup.cbxHideCursorClick(true);
  EXPECT_TRUE(rig.app.settings().DisableKeyboard);
  EXPECT_TRUE(setup.State().mode_page.hide_cursor);
  const std::pair<int, int> steps[] = {{16, 15}, {25, 30}, {44, 45}, {99, 45}, {0, 15}};
  for (auto [moved_to, kept] : steps) {
    setup.scbInterfereIntensityChange(moved_to);
    EXPECT_EQ(rig.app.settings().InterfereIntensity, kept) << moved_to;
  }
  EXPECT_EQ(setup.State().mode_page.intensity_label, "15秒");
  setup.rbxSelectBreakModeChoose(7);  // no such mode: nothing changes
  EXPECT_EQ(rig.app.settings().SelectBreakMode, 3);
}

}  // namespace
}  // namespace tavu
