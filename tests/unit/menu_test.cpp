#include <gtest/gtest.h>

#include "engine_access.hpp"
#include "fakes.hpp"
#include "machine/web_pages.hpp"
#include "settings/config_file.hpp"
#include "windows/setup/setup_ids.hpp"

namespace tavu {
namespace {

using fake::Rig;

// Flattens the tree as "depth:name:caption" lines ("-" for separators).
void Flatten(const MenuItem& m, int depth, std::vector<std::string>& out) {
  for (const auto& c : m.children) {
    out.push_back(std::to_string(depth) + ":" + c.name + ":" + (c.separator ? "-" : c.caption));
    Flatten(c, depth + 1, out);
  }
}

TEST(TrayMenu, HasEveryItemWithItsCaptionInOrder) {
  const std::vector<std::string> expected = {
      "0:NAboutHelp00:关于帮助",
      "1:NAboutHelp:打开帮助主窗口...",
      "1:NWebPageOfThisProduct:进入本产品服务主页...",
      "1:NHomePage:进入岚禾软件主页...",
      "0:N7:-",
      "0:N8:实用链接",
      "1:NMore_PCKnowledge:电脑知识集粹",
      "1:NMore_Weather:天气预报",
      "1:NMore_Clock:时钟/较时",
      "1:NMore_RiLi:日历/历史上的今天",
      "1:NMore_Map:地图/公交查询",
      "1:NMore_Cidian:词典/翻译",
      "1:NMore_Game:游戏/娱乐",
      "0:NQuickLaunch:快速启动",
      "1:NOpenNotePad:打开记事本",
      "1:NOpenCalculator:打开计算器",
      "1:NOpenWord:打开WORD",
      "1:NOpenExcel:打开EXCEL",
      "1:N5:-",
      "1:NShortCuts:查看快捷键",
      "0:N3:屏幕美化",
      "1:NDesktopDeco:桌面状态",
      "1:NShowSOT:银屏倩影",
      "1:NSetupMeiHua:设 置...",
      "0:N1:电源管理",
      "1:NLetStandBy:立即系统待机",
      "1:NLetSleep:立即系统休眠",
      "1:NSysShutdownInterface:系统关机介面",
      "1:NSetupPower:设 置...",
      "0:NScreenSaver:屏幕保护",
      "1:NSetupSCR:设 置...",
      "1:NLaunchSCR:立即启动",
      "1:NDisableSelfSCR:已启用,点击禁用",
      "0:NMode:模式切换",
      "1:NModeFree:自由模式",
      "1:NModePassword:密码模式",
      "1:NModeInterference:干扰模式",
      "1:NModeEnforce:强制模式",
      "1:N4:-",
      "1:NSetupMode:进入设置...",
      "0:NBreakDemo:休息演示",
      "0:NBreakNow:立即休息",
      "0:NPause:暂停休息提醒",
      "1:NPause30:30分钟",
      "1:NPause60:1小时",
      "1:NPause120:2小时",
      "1:NPauseUntilTomorrow:直到明天",
      "0:N6:-",
      "0:NHintSmallWindow:最新提示...",
      "0:NStat:统    计...",
      "0:NSetup:设    置...",
      "0:N9:-",
      "0:NExit:退    出",
  };
  MainMenu menu;
  std::vector<std::string> actual;
  Flatten(menu.Root(), 0, actual);
  EXPECT_EQ(actual, expected);
  EXPECT_TRUE(menu.Checked("NDesktopDeco"));
  EXPECT_TRUE(menu.Checked("NShowSOT"));
  EXPECT_TRUE(menu.Checked("NModeFree"));
  // Command ids follow the menu order from 101, as the platform menu carries them.
  EXPECT_EQ(MainMenu::IdOf("NAboutHelp"), 101);
  EXPECT_EQ(MainMenu::IdOf("NExit"), 101 + static_cast<int>(kMenuCommandCount) - 1);
  EXPECT_EQ(menu.Find(MenuCommand::BreakNow)->name, "NBreakNow");
  EXPECT_EQ(MainMenu::IdOf("N6"), 0);
}

TEST(TrayMenu, CheckMarksFollowTheLoadedSettings) {
  Rig rig;
  Settings stored;
  stored.ShowSOT = false;
  stored.SelectBreakMode = 3;
  rig.files.files[rig.ConfigPath()] = EncodeConfig(stored);
  rig.app.Start();
  const MainMenu menu = rig.app.main().Menu();
  EXPECT_FALSE(menu.Checked("NShowSOT"));
  EXPECT_TRUE(menu.Checked("NModeEnforce"));
  EXPECT_TRUE(menu.Checked("NDesktopDeco"));
  rig.app.main().MenuClick("NDesktopDeco");
  EXPECT_FALSE(rig.app.main().Menu().Checked("NDesktopDeco"));
  EXPECT_FALSE(rig.app.settings().ShowDesktopDeco);
}

TEST(TrayMenu, AModeFromTheMenuChecksOneItemAndReachesTheSettingsFile) {
  Rig rig;
  rig.app.Start();
  rig.app.main().MenuClick("NModeInterference");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(rig.app.main().Menu().Checked(kModeItems[i]), i == 2);
  EXPECT_EQ(rig.app.settings().SelectBreakMode, 2);
  EXPECT_FALSE(rig.files.Exists(rig.ConfigPath()));  // written only when the settings close
  rig.app.ShowSetup(kPageUnchanged, false);
  rig.app.setup().FormClose();
  EXPECT_NE(rig.files.files.at(rig.ConfigPath()).find("[1] 2 30"), std::string::npos);
  // The settings window's own mode handler keeps the menu in step too.
  rig.app.settings().SelectBreakMode = 3;
  rig.app.setup().rbxSelectBreakModeClick();
  EXPECT_TRUE(rig.app.main().Menu().Checked("NModeEnforce"));
  EXPECT_FALSE(rig.app.main().Menu().Checked("NModeInterference"));
}

TEST(HotKeys, OnlyTheWindowsKeyAloneActs) {
  struct Case {
    uint32_t modifiers, key;
    std::vector<std::string> targets;
  };
  const Case cases[] = {
      {8, 'Z', {"notepad"}},
      {8, 'C', {"calc"}},
      {8, 'W', {"winword.exe"}},
      {8, 'X', {"excel.exe"}},
      {8 | 4, 'Z', {}},
      {8 | 2, 'C', {}},
      {0, 'Z', {}},
      {8, 'Q', {}},
  };
  for (const auto& c : cases) {
    Rig rig;
    rig.app.Start();
    rig.app.main().OnHotKey(c.modifiers, c.key);
    std::vector<std::string> targets;
    for (const auto& call : rig.shell.calls) targets.push_back(call.target);
    EXPECT_EQ(targets, c.targets) << c.modifiers << " " << char(c.key);
  }
  Rig rig;
  rig.app.Start();
  rig.app.main().OnHotKey(8, 'Z');
  EXPECT_EQ(rig.shell.calls[0].show, ShowState::Show);
  // Win+S starts the built-in saver and records that it was started by hand; with no saver
  // window to show, nothing is recorded.
  const std::size_t records = rig.app.log().Cycles().back().size();
  rig.app.main().OnHotKey(8, 'S');
  EXPECT_EQ(rig.app.log().Cycles().back().size(), records);
  rig.views.cycle_windows = true;
  rig.app.main().OnHotKey(8, 'S');
  EXPECT_NE(rig.app.screen_saver(), nullptr);
  EXPECT_EQ(rig.app.log().Cycles().back().back().Kind, kEventScreenSaverManual);
  rig.app.main().OnHotKey(8, 'V');
  EXPECT_FALSE(rig.app.settings().ShowSOT);
  EXPECT_FALSE(rig.app.main().Menu().Checked("NShowSOT"));
}

// Current Windows keeps many Win+letter keys: a refused key is registered with Ctrl+Alt, and
// every list and tip names the key that works.
TEST(HotKeys, AKeyTheSystemRefusesFallsBackToCtrlAltAndTheListsSaySo) {
  Rig rig;
  rig.main_host.taken = {"8Z", "8K", "8V", "3V"};  // Win+Z, Win+K, Win+V and Ctrl+Alt+V taken
  rig.app.Start();
  EXPECT_EQ(rig.main_host.hot_key_calls,
            (std::vector<std::string>{"8S", "8Z", "3Z", "8C", "8W", "8K", "3K", "8V", "3V", "8X"}));
  rig.app.main().MenuClick("NShortCuts");
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].text,
            "打开记事本 CTRL+ALT+Z, 启用计算器 WIN+C, 打开WORD WIN+W, 打开EXCEL WIN+X, "
            "启动屏保 WIN+S, 屏保开关 CTRL+ALT+K, 倩影开关 (已被其他程序占用), ");

  struct Case {
    uint32_t modifiers, key;
    std::vector<std::string> targets;
  };
  const Case cases[] = {{3, 'Z', {"notepad"}}, {8, 'Z', {}}, {3, 'C', {}}, {8, 'C', {"calc"}}};
  for (const auto& c : cases) {
    rig.shell.calls.clear();
    rig.app.main().OnHotKey(c.modifiers, c.key);
    std::vector<std::string> targets;
    for (const auto& call : rig.shell.calls) targets.push_back(call.target);
    EXPECT_EQ(targets, c.targets) << c.modifiers << " " << char(c.key);
  }
  // A key that works with neither does nothing, whatever arrives.
  rig.app.main().OnHotKey(8, 'V');
  rig.app.main().OnHotKey(0, 'V');
  EXPECT_TRUE(rig.app.settings().ShowSOT);

  // The settings window's tips and the saver's name the same keys.
  rig.app.ShowSetup(kPageScreenSaver, false);
  const auto* note = rig.app.setup().State().Find<ui::Label>(ids::kSetupSCRNote);
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->text, "<-：取消勾选即可禁用屏保！^CTRL+ALT+K");
  EXPECT_EQ(note->hint, "勾选启用/不选禁用屏幕保护！快捷键 CTRL+ALT+K");
  rig.app.ShowSetup(kPageGeneral, false);
  const auto* sot = rig.app.setup().State().Find<ui::CheckBox>(ids::kSetupShowSOT);
  ASSERT_NE(sot, nullptr);
  EXPECT_EQ(sot->hint, "快捷键 (已被其他程序占用)");
}

TEST(ScreenSaverSwitch, TogglesWithNoticesAndRestoresItselfOnTheTimer) {
  Rig rig;
  rig.app.Start();
  TfrmMain& main = rig.app.main();
  main.OnHotKey(8, 'K');
  EXPECT_TRUE(main.Menu().Checked("NDisableSelfSCR"));
  EXPECT_EQ(main.Menu().Find("NDisableSelfSCR")->caption, "已禁用,点击启用");
  EXPECT_FALSE(rig.app.settings().EnableSelfSCR);
  ASSERT_NE(rig.app.pop_hint(), nullptr);
  EXPECT_EQ(rig.app.pop_hint()->State().lblInfo.text, "屏幕保护已禁用！");
  EXPECT_EQ(rig.app.pop_hint()->State().color, 0x0000FFu);
  EXPECT_EQ(rig.app.pop_hint()->State().lblInfo.back, 0x808000u);
  EXPECT_EQ(rig.loop.Interval(rig.app.screen_saving(), ScreenSavingSwitch::kRestoreTimer),
            30u * 60000);

  main.MenuClick("NDisableSelfSCR");
  EXPECT_FALSE(main.Menu().Checked("NDisableSelfSCR"));
  EXPECT_EQ(main.Menu().Find("NDisableSelfSCR")->caption, "已启用,点击禁用");
  EXPECT_TRUE(rig.app.settings().EnableSelfSCR);
  EXPECT_EQ(rig.app.pop_hint()->State().lblInfo.text, "屏幕保护已启用！");
  EXPECT_EQ(rig.app.pop_hint()->State().color, 0x00FF00u);
  EXPECT_FALSE(rig.loop.IsRunning(rig.app.screen_saving(), ScreenSavingSwitch::kRestoreTimer));

  // Disabled again: the restore timer switches it back on after RestoreSCRAfterMins.
  rig.app.settings().RestoreSCRAfterMins = 5;
  main.OnHotKey(8, 'K');
  rig.loop.Advance(5 * 60000);
  EXPECT_TRUE(rig.app.settings().EnableSelfSCR);
  EXPECT_EQ(main.Menu().Find("NDisableSelfSCR")->caption, "已启用,点击禁用");

  // Without automatic restore nothing is armed.
  rig.app.settings().AutoRestoreDisabledSCR = false;
  main.OnHotKey(8, 'K');
  EXPECT_FALSE(rig.loop.IsRunning(rig.app.screen_saving(), ScreenSavingSwitch::kRestoreTimer));
}

TEST(PopHint, ASecondNoticeWithinItsLifeReusesTheWindowAndKeepsTheFirstTimer) {
  Rig rig;
  rig.app.Start();
  rig.app.PopHint(0x808000, 0x0000FF, "一");
  rig.loop.Advance(2000);
  rig.app.PopHint(0x808000, 0x00FF00, "第二条");
  EXPECT_EQ(rig.views.pop_hints_created, 1);
  const PopHintState& s = rig.app.pop_hint()->State();
  EXPECT_EQ(s.lblInfo.text, "第二条");
  EXPECT_EQ(s.color, 0x00FF00u);
  // Label centred on the window width (232) and the client height (129): 63 × 25.
  EXPECT_EQ(s.lblInfo.rect,
            (Rect{(232 - 63) / 2, (129 - 25) / 2, (232 - 63) / 2 + 63, (129 - 25) / 2 + 25}));
  rig.loop.Advance(1000);  // three seconds after the first
  EXPECT_FALSE(rig.app.forms().IsFormOpen("frmPopHint"));
  rig.loop.Advance(10);
  EXPECT_EQ(rig.app.pop_hint(), nullptr);  // freed outside its own handler
  rig.app.PopHint(0, 0, "三");
  EXPECT_EQ(rig.views.pop_hints_created, 2);
}

TEST(TrayMenu, UsefulLinksSearchForTheirWordInCodePage936) {
  const std::pair<const char*, const char*> cases[] = {
      {"NMore_Weather", "%CC%EC%C6%F8"}, {"NMore_Clock", "%CA%B1%BC%E4"},
      {"NMore_RiLi", "%C8%D5%C0%FA"},    {"NMore_Map", "%B5%D8%CD%BC"},
      {"NMore_Cidian", "%B7%AD%D2%EB"},  {"NMore_Game", "%D3%CE%CF%B7"},
  };
  for (auto [item, word] : cases) {
    Rig rig;
    rig.app.Start();
    rig.app.main().MenuClick(item);
    ASSERT_EQ(rig.shell.calls.size(), 1u) << item;
    const std::string& url = rig.shell.calls[0].target;
    EXPECT_NE(url.find("/baidu?word=" + std::string(word) + "&tn="), std::string::npos) << url;
    EXPECT_EQ(rig.shell.calls[0].show, ShowState::Normal);
  }
  EXPECT_EQ(PercentEncode("a b/~"), "a%20b%2F~");
}

TEST(TrayMenu, ShortcutsListEveryHotKeyEntry) {
  Rig rig;
  rig.app.Start();
  rig.app.main().MenuClick("NShortCuts");
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].caption, "随时随地一键调用！- 岚禾护眼钟的快捷键");
  EXPECT_EQ(rig.dialogs.shown[0].text,
            "打开记事本 WIN+Z, 启用计算器 WIN+C, 打开WORD WIN+W, 打开EXCEL WIN+X, 启动屏保 WIN+S, "
            "屏保开关 WIN+K, 倩影开关 WIN+V, ");
}

TEST(TrayMenu, BreakCommandsAreDisabledWhileABreakRunsAndRefusedThen) {
  Rig rig;
  rig.app.Start();
  rig.dialogs.answers = {true};
  rig.app.main().MenuClick("NBreakNow");
  EXPECT_FALSE(rig.app.main().Menu().Find("NBreakNow")->enabled);
  EXPECT_FALSE(rig.app.main().Menu().Find("NBreakDemo")->enabled);
  rig.app.main().MenuClick("NBreakNow");  // a disabled item cannot be chosen
  EXPECT_EQ(rig.dialogs.shown.size(), 1u);
  rig.app.main().MenuClick("NHintSmallWindow");  // nothing during a break
  EXPECT_EQ(rig.engine_actions.Whats().back(), "BreakScreen");
  EXPECT_FALSE(rig.app.setup().State().preview_break_enabled);
  EXPECT_TRUE(rig.app.setup().State().preview_hint_enabled);
}

TEST(TrayMenu, ReminderPreviewsOpenTheChosenWindowOrBringTheOpenOneForward) {
  Rig rig;
  rig.app.Start();
  EngineTestAccess::Values(rig.app.engine()).RemindReason = kRemindChime;
  rig.app.main().ShowRemindWindow(1);
  rig.app.main().ShowRemindWindow(0);
  rig.app.main().ShowRemindWindow(2);  // no such list entry
  const auto whats = rig.engine_actions.Whats();
  ASSERT_GE(whats.size(), 2u);
  EXPECT_EQ(whats[whats.size() - 2], "RemindCenter 2");
  EXPECT_EQ(whats.back(), "HintSmall 2");
  rig.app.forms().Add("frmRemindWindowCenter");
  rig.app.main().ShowRemindWindow(1);
  EXPECT_EQ(rig.views.fronted, std::vector<std::string>{"frmRemindWindowCenter"});
}

TEST(TrayMenu, RightClickPopsTheMenuUpAtTheCursor) {
  Rig rig;
  rig.app.Start();
  rig.screen.cursor = {1900, 1070};
  rig.app.main().OnTrayClick(ui::MouseButton::Right);
  EXPECT_EQ(rig.main_host.calls.back(), "PopupMenu 1900,1070");
}

TEST(TrayMenu, SettingsItemsOpenTheirPage) {
  const std::pair<const char*, int> cases[] = {{"NSetupMeiHua", kPageGeneral},
                                               {"NSetupPower", kPageScreenSaver},
                                               {"NSetupSCR", kPageScreenSaver},
                                               {"NSetupMode", kPageMode}};
  for (auto [item, page] : cases) {
    Rig rig;
    rig.app.Start();
    rig.app.main().MenuClick(item);
    EXPECT_TRUE(rig.app.setup().State().visible) << item;
    EXPECT_EQ(rig.app.setup().State().page, page) << item;
  }
}

}  // namespace
}  // namespace tavu
