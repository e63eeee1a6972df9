#include <gtest/gtest.h>

#include "fakes.hpp"
#include "machine/screen_savers.hpp"
#include "windows/setup/setup_ids.hpp"

namespace tavu {
namespace {

struct SaverHostLog : ScreenSaverHost {
  bool ShowInternalSCR() override {
    calls.push_back("Internal");
    return true;
  }
  void RunKoPlayerCommand(int command) override {
    calls.push_back("Player " + std::to_string(command));
  }
  std::vector<std::string> calls;
};

struct CatalogueRig {
  CatalogueRig() {
    files.files["C:\\Windows\\SSStars.SCR"] = "";
    files.files["C:\\Windows\\notes.txt"] = "";
    files.files["C:\\Windows\\system32\\Aquarium.scr"] = "";  // not in the Windows folder itself
    files.files["C:\\Windows\\system32\\ssmyst.scr"] = "";
  }
  ScreenSavers& Build(std::vector<std::string> folders = {"C:\\Windows",
                                                          "C:\\Windows\\system32\\"}) {
    savers.AddSysSCR(folders);
    return savers;
  }
  fake::FakeFiles files;
  fake::FakeShell shell;
  fake::FakeRandom random;
  fake::FakeDialogs dialogs;
  Settings settings;
  SaverHostLog host;
  ScreenSavers savers{{settings, files, shell, random, dialogs, host}};
};

TEST(ScreenSaverCatalogue, NamesKnownFilesAndLowerCasesTheRest) {
  const std::pair<const char*, const char*> cases[] = {
      {"SSStars.SCR", "飞越星空"}, {"Aquarium.scr", "aquarium"}, {"logon.scr", "WINDOWS XP"},
      {"scrnsave.scr", "空白"},    {"SSTEXT3D.scr", "三维文字"}, {"My.Saver.scr", "my.saver"},
  };
  for (auto [file, name] : cases) EXPECT_EQ(SaverDisplayName(file), name) << file;
}

TEST(ScreenSaverCatalogue, ListsTheWindowsThenTheSystemFolderAfterTheTwoFixedEntries) {
  CatalogueRig r;
  ScreenSavers& s = r.Build();
  EXPECT_EQ(s.Names(), (std::vector<std::string>{"(无)", "<岚禾屏幕保护演示>", "飞越星空",
                                                 "aquarium", "变幻线"}));
  EXPECT_EQ(r.settings.SCRSavers.Items(),
            (std::vector<std::string>{"(无)", "<Internal>", "C:\\Windows\\SSStars.SCR",
                                      "C:\\Windows\\system32\\Aquarium.scr",
                                      "C:\\Windows\\system32\\ssmyst.scr"}));
  EXPECT_EQ(s.Count(), 4);
  EXPECT_EQ(r.settings.SCRSavers.Index(), 1);
}

TEST(ScreenSaverCatalogue, AChoiceReadBeforeTheCatalogueStandsWhileItsFileExists) {
  CatalogueRig r;
  r.settings.SCRSavers.Restore(3);
  r.Build();
  EXPECT_EQ(r.settings.SCRSavers.Text(), "C:\\Windows\\system32\\Aquarium.scr");
  CatalogueRig gone;
  gone.settings.SCRSavers.Restore(9);
  gone.Build();
  EXPECT_EQ(gone.settings.SCRSavers.Index(), -1);  // falls back to the built-in saver at start
}

TEST(ScreenSaverLaunch, StartsTheChoiceOrFallsBackToTheBuiltInSaver) {
  struct Case {
    const char* what;
    int chosen;
    bool random_scr, use_player;
    std::deque<int> randoms;
    std::vector<std::string> host_calls;
    std::string shell_target;
    int chosen_after;
  };
  const Case cases[] = {
      {"none chosen", 0, false, false, {}, {"Internal"}, "", 1},
      {"built-in", 1, false, false, {}, {"Internal"}, "", 1},
      {"a file", 2, false, false, {}, {}, "C:\\Windows\\SSStars.SCR", 2},
      {"by chance", 0, true, false, {3}, {}, "C:\\Windows\\system32\\ssmyst.scr", 4},
      {"by chance, built-in", 4, true, false, {0}, {"Internal"}, "", 1},
      {"companion player", 2, false, true, {}, {"Player 10"}, "", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CatalogueRig r;
    r.Build();
    r.settings.SCRSavers = c.chosen;
    r.settings.RandomSCR = c.random_scr;
    r.random.values = c.randoms;
    r.savers.LaunchSCR(c.use_player);
    EXPECT_EQ(r.host.calls, c.host_calls);
    if (c.shell_target.empty()) {
      EXPECT_TRUE(r.shell.calls.empty());
    } else {
      ASSERT_EQ(r.shell.calls.size(), 1u);
      EXPECT_EQ(r.shell.calls[0].target, c.shell_target);
      EXPECT_EQ(r.shell.calls[0].params, "/s");
    }
    EXPECT_EQ(r.settings.SCRSavers.Index(), c.chosen_after);
  }
  // No saver files: chance always picks the built-in saver.
  CatalogueRig empty;
  empty.Build({});
  empty.settings.RandomSCR = true;
  empty.savers.LaunchSCR(false);
  EXPECT_EQ(empty.host.calls, std::vector<std::string>{"Internal"});
}

TEST(ScreenSaverLaunch, SettingsOpenTheSaversOwnOrSayThereAreNone) {
  CatalogueRig r;
  r.Build();
  r.settings.SCRSavers = 1;
  r.savers.btnSCRSetupClick();
  ASSERT_EQ(r.dialogs.shown.size(), 1u);
  EXPECT_EQ(r.dialogs.shown[0].text, "此屏幕保护程序没有可供设置的选项。");
  EXPECT_EQ(r.dialogs.shown[0].caption, "岚禾屏保提示");
  r.settings.SCRSavers = 0;
  r.savers.btnSCRSetupClick();
  EXPECT_EQ(r.dialogs.shown.size(), 1u);
  r.settings.SCRSavers = 2;
  r.savers.btnSCRSetupClick();
  ASSERT_EQ(r.shell.calls.size(), 1u);
  EXPECT_EQ(r.shell.calls[0].verb, "config");
  r.settings.UseKoPlayer = true;
  r.savers.btnSCRSetupClick();
  EXPECT_EQ(r.host.calls, std::vector<std::string>{"Player 7"});
}

}  // namespace
}  // namespace tavu

namespace tavu {
namespace {

TEST(ScreenSaverPage, TheCheckBoxTheSettingsAndThePreviewReachTheSaver) {
  fake::Rig rig;
  rig.views.cycle_windows = true;
  rig.app.Start();
  TfrmSetup& setup = rig.app.setup();
  rig.app.ShowSetup(kPageScreenSaver, false);
  ui::Input check{.kind = ui::Input::Kind::Check};
  setup.PageInput(ids::kSetupEnableSelfSCR, check);
  EXPECT_FALSE(rig.app.settings().EnableSelfSCR);
  EXPECT_TRUE(rig.app.main().Menu().Checked("NDisableSelfSCR"));
  EXPECT_TRUE(rig.app.screen_saving().RestoreArmed());
  check.checked = true;
  setup.PageInput(ids::kSetupEnableSelfSCR, check);
  EXPECT_FALSE(rig.app.main().Menu().Checked("NDisableSelfSCR"));
  EXPECT_FALSE(rig.app.screen_saving().RestoreArmed());
  setup.btnSCRSetupClick();  // the built-in saver has no settings of its own
  EXPECT_EQ(rig.dialogs.shown.back().text, kNoSaverOptionsText);
  setup.btnSCRPreviewClick();
  EXPECT_NE(rig.app.screen_saver(), nullptr);
  EXPECT_EQ(rig.app.log().Cycles().back().back().Kind, kEventScreenSaverManual);
}

}  // namespace
}  // namespace tavu
