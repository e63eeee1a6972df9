#include <gtest/gtest.h>

#include "fakes.hpp"
#include "stats/history.hpp"
#include "ui/menu.hpp"
#include "windows/statistics/stat_form.hpp"

namespace tavu {
namespace {

// The statistics window opened through the program, as the menu and the tray icon open it.
struct StatRig : fake::Rig {
  StatRig() {
    // The virtual clock starts at tick 1 000 000 (0:16:40) at 8:00; the program starts 1:02:03
    // later, 1:18:43 after the computer.
    loop.wall_at_zero = {2026, 12, 9, 8, 0, 0, 0};
    loop.Advance(3'723'000);
    app.Start();
  }
  TfrmStat& Open(std::initializer_list<int> draws = {0, 0, 0, 0}) {
    random.values.assign(draws.begin(), draws.end());
    app.ShowStatistics();
    return *app.statistics();
  }
  // Up to the break screen of the first scheduled break.
  void IntoBreak() {
    app.engine().NBreakNowClick();
    app.engine().CountdownEnded(false, 0, false);
  }
};

TEST(StatWindow, CreationPlacesColoursNamesAndPicksAPage) {
  struct Case {
    int dpi;
    std::initializer_list<int> random;  // three colour draws, then the page
    Rect bounds;
    Color color;
    int page;
  };
  // The frame (16 + 624) x (39 + 513) ends 50 pixels inside the work area's right and bottom,
  // measured in the window's 96-dpi pixels.
  const Case cases[] = {
      {96, {0, 0, 0, 0}, {1230, 438, 1870, 990}, Rgb(255, 255, 255), 0},
      {96, {44, 1, 20, 2}, {1230, 438, 1870, 990}, Rgb(211, 254, 235), 2},
      {144, {10, 44, 0, 1}, {590, 91, 1230, 643}, Rgb(245, 211, 255), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    StatRig rig;
    rig.views.next_dpi = c.dpi;
    const int randomized = rig.random.randomized;
    const StatState& s = rig.Open(c.random).State();
    EXPECT_EQ(s.bounds, c.bounds);
    EXPECT_EQ(s.color, c.color);
    EXPECT_EQ(s.page, c.page);
    EXPECT_EQ(rig.random.randomized, randomized + 2);  // once for the colour, once for the page
    EXPECT_TRUE(s.visible);
    EXPECT_EQ(rig.views.stat->shows, 1);
    EXPECT_TRUE(rig.app.forms().IsFormOpen("frmStat"));
    EXPECT_TRUE(rig.loop.IsRunning(*rig.app.statistics(), TfrmStat::kRefreshTimer));
  }
}

TEST(StatWindow, CaptionNamesThePlanInForceAndTheModeAtCreation) {
  const std::string modes[] = {"自由模式", "密码模式", "干扰模式", "强制模式"};
  for (int mode = 0; mode < 4; ++mode) {
    StatRig rig;
    rig.app.settings().SelectBreakMode = mode;
    const BreakPlan& plan = rig.app.plans().Applied();
    TfrmStat& window = rig.Open();
    const std::string expected =
        "休息统计(供参考)-[当前方案:每隔" + std::to_string(plan.BreakInterval) + "分钟休息" +
        std::to_string(plan.BreakMins) + "分钟，当前模式:" + modes[mode] + "]";
    EXPECT_EQ(window.State().caption, expected);
    // Not updated while the window stays open.
    rig.app.settings().SelectBreakMode = (mode + 1) % 4;
    rig.loop.Advance(TfrmStat::kRefreshMs);
    EXPECT_EQ(window.State().caption, expected);
  }
}

TEST(StatWindow, FiguresBeforeTheFirstBreakAndAsTheyRefresh) {
  StatRig rig;
  TfrmStat& window = rig.Open();
  const StatState& s = window.State();
  EXPECT_EQ(s.lblPCStart.text, "2026/12/9 7:43");
  EXPECT_EQ(s.lblAppStartTime.text, "2026/12/9 9:02");
  EXPECT_EQ(s.lblSysStartSpeed.text, "1:18:43");
  EXPECT_EQ(s.lblPCTimeUsed.text, "0天 1:18");
  EXPECT_EQ(s.lblAppTimeUsed.text, "0天 0:00");
  EXPECT_EQ(s.lblScheduleBreakPrev.text, "无");
  EXPECT_EQ(s.lblBreakCount.text, "0");
  EXPECT_EQ(s.lblBreakUncompletedCount.text, "0");
  EXPECT_FALSE(s.lblScheduleBreakNext.text.empty());
  // Every 15 s: three refreshes in 45 s leave the minutes where they were; the fourth moves on.
  rig.loop.Advance(45'000);
  EXPECT_EQ(s.lblAppTimeUsed.text, "0天 0:00");
  rig.loop.Advance(15'000);
  EXPECT_EQ(s.lblAppTimeUsed.text, "0天 0:01");
  EXPECT_EQ(s.lblPCTimeUsed.text, "0天 1:19");
}

TEST(StatWindow, HealthPageScoresAndPlacesTheIndexLeftOfTheBar) {
  StatRig rig;
  TfrmStat& window = rig.Open({0, 0, 0, 0});
  const StatState& s = window.State();
  // Just started: the cycle's first worked share, a full break of rest over next to no running
  // time.
  EXPECT_EQ(s.pgbIndexTired.position, 2);
  EXPECT_EQ(s.lblIndexTired.text, "2 (饱满)");
  EXPECT_EQ(s.lblHealthScore.text, "100分");
  EXPECT_EQ(s.lblHealthStatus.text, "很好");
  EXPECT_EQ(s.lblAdvice2.text, "暂无建议。");
  // 8 px per character in the fakes: "2 (饱满)" is 6 wide, the title 11.
  EXPECT_EQ(s.lblIndexTired.rect.left, s.pgbIndexTired.rect.left - 6 * 8 - 5);
  EXPECT_EQ(s.lblIndexTiredTitle.rect.left, s.lblIndexTired.rect.left - 11 * 8 - 5);
  EXPECT_TRUE(s.lblIndexTired.visible);
  EXPECT_FALSE(s.Memo1.visible);
  EXPECT_FALSE(s.btnApps[0].visible);
}

TEST(StatWindow, PagesRefreshWhenShownAndNotDuringABreak) {
  StatRig rig;
  TfrmStat& window = rig.Open({0, 0, 0, 2});
  const StatState& s = window.State();
  EXPECT_EQ(s.history_version, 0u);  // the shortcuts page has nothing to refresh
  EXPECT_TRUE(s.btnApps[12].visible);
  window.PageClick(1);
  EXPECT_EQ(s.history_version, 1u);
  EXPECT_TRUE(s.Memo1.visible);
  EXPECT_FALSE(s.btnApps[12].visible);
  EXPECT_EQ(s.history, HistoryText(rig.loop, rig.app.time_format(), rig.app.log()));
  rig.loop.Advance(TfrmStat::kRefreshMs);
  EXPECT_EQ(s.history_version, 2u);

  rig.IntoBreak();
  ASSERT_EQ(rig.app.engine().Phase(), CyclePhase::BreakOpen);
  const std::string before = s.lblAppTimeUsed.text;
  rig.loop.Advance(4 * TfrmStat::kRefreshMs);
  EXPECT_EQ(s.history_version, 2u);          // the page keeps its last content
  EXPECT_NE(s.lblAppTimeUsed.text, before);  // the figures go on
  window.PageClick(0);
  EXPECT_EQ(s.lblHealthScore.text, "100分");  // the design text: never computed
}

TEST(StatWindow, RefreshButtonRefreshesAndRestartsTheTimer) {
  StatRig rig;
  TfrmStat& window = rig.Open({0, 0, 0, 1});
  const StatState& s = window.State();
  EXPECT_EQ(s.history_version, 1u);
  rig.loop.Advance(10'000);
  window.btnRefreshClick();
  EXPECT_EQ(s.history_version, 2u);
  rig.loop.Advance(14'999);
  EXPECT_EQ(s.history_version, 2u);  // the 15 s run from the click
  rig.loop.Advance(1);
  EXPECT_EQ(s.history_version, 3u);
}

// Records what the window asks of the rest of the program.
class RecordingCommands : public AppCommands {
 public:
  void ShowSetup(int, bool) override {}
  void Terminate(bool) override {}
  void ShowWelcome() override {}
  void ShowAbout(int) override {}
  void CopyMailAddress() override {}
  void PopHint(Color, Color, std::string_view) override {}
  void ModeChanged(int) override {}
  void ShowDesktopDecoChanged() override {}
  void ShowSOTChanged() override {}
  void ShowStatistics() override {}
  void CloseStatistics() override {}
  void RunMenuCommand(MenuCommand command) override {
    calls.push_back(std::string("menu ") + std::string(MenuCommandInfoOf(command)->name));
  }
  void RunKoPlayerCommand(int command) override {
    calls.push_back("KoPlayer " + std::to_string(command));
  }
  void RunKaloCommand(int command) override { calls.push_back("Kalo " + std::to_string(command)); }
  void PreviewReminder(uint8_t, int) override {}
  void PreviewBreak() override {}
  void PreviewCountdown() override {}
  void OpenPowerOptions() override {}
  void OpenPowerHelp() override {}
  bool AutostartOn() override { return false; }
  void SwitchAutostart(bool) override {}
  void BringToFront(std::string_view) override {}
  bool ShowInternalScreenSaver() override { return false; }
  void LaunchScreenSaver() override {}
  void ScreenSaverSettings() override {}
  void ScreenSavingBoxChanged() override {}
  void PowerStandBy(bool) override {}
  void PowerSleep(bool) override {}
  std::vector<std::string> calls;
};

struct CommandRig : fake::Rig {
  fake::FakeStatHost host{[] {}};
  RecordingCommands commands;
  TfrmStat window{
      host, TfrmStat::Deps{loop, loop, screen, random, dialogs, shell, app.settings(), app.plans(),
                           app.engine(), app.log(), app.time_format(), app.forms(), commands}};
  CommandRig() {
    app.Start();
    window.Open();
  }
};

TEST(StatWindow, AppButtonsReachTheProgramsCommands) {
  const struct {
    TfrmStat::AppButton button;
    std::string caption;
    const char* call;  // none: no action
  } cases[] = {
      {TfrmStat::kKoPlayer, "打开播放器", "KoPlayer 14"},
      {TfrmStat::kKalo, "卡洛宝", "Kalo 0"},
      {TfrmStat::kWeather, "查看天气", "menu NMore_Weather"},
      {TfrmStat::kOtherApp, "其它应用", nullptr},
      {TfrmStat::kExcel, "打开EXCEL", "menu NOpenExcel"},
      {TfrmStat::kWord, "打开WORD", "menu NOpenWord"},
      {TfrmStat::kCalc, "打开计算器", "menu NOpenCalculator"},
      {TfrmStat::kNotePad, "打开记事本", "menu NOpenNotePad"},
      {TfrmStat::kSOT, "倩影开关", "menu NShowSOT"},
      {TfrmStat::kSCRSwitch, "屏保开关", "menu NDisableSelfSCR"},
      {TfrmStat::kScrSetup, "屏保设置", "menu NSetupSCR"},
      {TfrmStat::kBreakDemo, "休息预演", "menu NBreakDemo"},
      {TfrmStat::kListShortCuts, "快捷键列表", "menu NShortCuts"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    CommandRig rig;
    EXPECT_EQ(rig.window.State().btnApps[c.button].text, c.caption);
    rig.window.AppButtonsClick(c.button);
    if (c.call)
      EXPECT_EQ(rig.commands.calls, std::vector<std::string>{c.call});
    else
      EXPECT_TRUE(rig.commands.calls.empty());
  }
}

TEST(StatWindow, MoreAsksAndYesOpensTheScreenSaverSettings) {
  for (bool yes : {false, true}) {
    CommandRig rig;
    rig.dialogs.answers = {yes};
    rig.window.btnMoreCommentClick();
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].kind, "suggest");  // information icon, Yes and No
    EXPECT_EQ(rig.dialogs.shown[0].caption, "您知道吗？");
    EXPECT_EQ(rig.dialogs.shown[0].text, TfrmStat::kMoreText);
    EXPECT_EQ(rig.commands.calls,
              yes ? std::vector<std::string>{"menu NSetupSCR"} : std::vector<std::string>{});
  }
}

TEST(StatWindow, IndexHelpOpensTheMakersPageShownNormally) {
  CommandRig rig;
  rig.window.btnHelpAboutIndexClick();
  ASSERT_EQ(rig.shell.calls.size(), 1u);
  EXPECT_EQ(rig.shell.calls[0].target, TfrmStat::kIndexHelpAddress);
  EXPECT_EQ(rig.shell.calls[0].show, ShowState::Normal);
}

TEST(StatWindow, LeftMouseDownOnTheBackgroundDrags) {
  CommandRig rig;
  rig.window.FormMouseDown(ui::MouseButton::Right);
  EXPECT_EQ(rig.host.drags, 0);
  rig.window.FormMouseDown(ui::MouseButton::Left);
  EXPECT_EQ(rig.host.drags, 1);
}

TEST(StatWindow, OneWindowAtMostAndClosingFreesIt) {
  StatRig rig;
  TfrmStat& window = rig.Open();
  rig.app.ShowStatistics();  // already open: to the front instead
  EXPECT_EQ(rig.app.statistics(), &window);
  EXPECT_EQ(rig.views.fronted, std::vector<std::string>{"frmStat"});

  window.FormKeyDown(ui::Key::Other);
  EXPECT_TRUE(window.IsOpen());
  window.FormKeyDown(ui::Key::Escape);
  EXPECT_FALSE(window.IsOpen());
  EXPECT_TRUE(rig.views.stat->closed);
  EXPECT_FALSE(rig.app.forms().IsFormOpen("frmStat"));
  rig.loop.Advance(1);
  EXPECT_EQ(rig.app.statistics(), nullptr);

  // The tray icon's left click opens a fresh one and closes it again.
  rig.app.main().OnTrayClick(ui::MouseButton::Left);
  ASSERT_NE(rig.app.statistics(), nullptr);
  EXPECT_TRUE(rig.app.forms().IsFormOpen("frmStat"));
  rig.app.main().OnTrayClick(ui::MouseButton::Left);
  EXPECT_FALSE(rig.app.forms().IsFormOpen("frmStat"));
  rig.loop.Advance(1);
  EXPECT_EQ(rig.app.statistics(), nullptr);
}

}  // namespace
}  // namespace tavu
