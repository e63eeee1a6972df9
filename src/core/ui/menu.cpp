#include "ui/menu.hpp"

#include <iterator>

namespace tavu {

const MenuCommandInfo kMenuCommands[] = {
    {MenuCommand::AboutHelp, "NAboutHelp", "打开帮助主窗口..."},
    {MenuCommand::WebPageOfThisProduct, "NWebPageOfThisProduct", "进入本产品服务主页..."},
    {MenuCommand::HomePage, "NHomePage", "进入岚禾软件主页..."},
    {MenuCommand::More_PCKnowledge, "NMore_PCKnowledge", "电脑知识集粹"},
    {MenuCommand::More_Weather, "NMore_Weather", "天气预报"},
    {MenuCommand::More_Clock, "NMore_Clock", "时钟/较时"},
    {MenuCommand::More_RiLi, "NMore_RiLi", "日历/历史上的今天"},
    {MenuCommand::More_Map, "NMore_Map", "地图/公交查询"},
    {MenuCommand::More_Cidian, "NMore_Cidian", "词典/翻译"},
    {MenuCommand::More_Game, "NMore_Game", "游戏/娱乐"},
    {MenuCommand::OpenNotePad, "NOpenNotePad", "打开记事本"},
    {MenuCommand::OpenCalculator, "NOpenCalculator", "打开计算器"},
    {MenuCommand::OpenWord, "NOpenWord", "打开WORD"},
    {MenuCommand::OpenExcel, "NOpenExcel", "打开EXCEL"},
    {MenuCommand::ShortCuts, "NShortCuts", "查看快捷键"},
    {MenuCommand::DesktopDeco, "NDesktopDeco", "桌面状态"},
    {MenuCommand::ShowSOT, "NShowSOT", "银屏倩影"},
    {MenuCommand::SetupMeiHua, "NSetupMeiHua", "设 置..."},
    {MenuCommand::LetStandBy, "NLetStandBy", "立即系统待机"},
    {MenuCommand::LetSleep, "NLetSleep", "立即系统休眠"},
    {MenuCommand::SysShutdownInterface, "NSysShutdownInterface", "系统关机介面"},
    {MenuCommand::SetupPower, "NSetupPower", "设 置..."},
    {MenuCommand::SetupSCR, "NSetupSCR", "设 置..."},
    {MenuCommand::LaunchSCR, "NLaunchSCR", "立即启动"},
    {MenuCommand::DisableSelfSCR, "NDisableSelfSCR", kScrEnabledCaption},
    {MenuCommand::ModeFree, "NModeFree", "自由模式"},
    {MenuCommand::ModePassword, "NModePassword", "密码模式"},
    {MenuCommand::ModeInterference, "NModeInterference", "干扰模式"},
    {MenuCommand::ModeEnforce, "NModeEnforce", "强制模式"},
    {MenuCommand::SetupMode, "NSetupMode", "进入设置..."},
    {MenuCommand::BreakDemo, "NBreakDemo", "休息演示"},
    {MenuCommand::BreakNow, "NBreakNow", "立即休息"},
    {MenuCommand::Pause30, "NPause30", "30分钟"},
    {MenuCommand::Pause60, "NPause60", "1小时"},
    {MenuCommand::Pause120, "NPause120", "2小时"},
    {MenuCommand::PauseUntilTomorrow, "NPauseUntilTomorrow", "直到明天"},
    {MenuCommand::Resume, "NResume", "立即恢复"},
    {MenuCommand::HintSmallWindow, "NHintSmallWindow", "最新提示..."},
    {MenuCommand::Stat, "NStat", "统    计..."},
    {MenuCommand::Setup, "NSetup", "设    置..."},
    {MenuCommand::Exit, "NExit", "退    出"},
};
const std::size_t kMenuCommandCount = std::size(kMenuCommands);

MenuCommand MenuCommandNamed(std::string_view name) {
  for (const auto& c : kMenuCommands)
    if (c.name == name) return c.command;
  return MenuCommand::None;
}

const MenuCommandInfo* MenuCommandInfoOf(MenuCommand command) {
  const int i = static_cast<int>(command) - static_cast<int>(MenuCommand::AboutHelp);
  if (i < 0 || i >= static_cast<int>(kMenuCommandCount)) return nullptr;
  return &kMenuCommands[i];
}

namespace {

MenuItem Item(MenuCommand command) {
  const MenuCommandInfo& c = *MenuCommandInfoOf(command);
  return MenuItem{std::string(c.name), std::string(c.caption), command};
}
MenuItem Separator(std::string_view name) {
  MenuItem m{std::string(name)};
  m.separator = true;
  return m;
}
MenuItem Sub(std::string_view name, std::string_view caption, std::vector<MenuItem> children) {
  MenuItem m{std::string(name), std::string(caption)};
  m.children = std::move(children);
  return m;
}

MenuItem BuildTree(const MenuFacts& f) {
  using C = MenuCommand;
  auto checked = [](MenuItem m, bool on) {
    m.checked = on;
    return m;
  };
  auto enabled = [](MenuItem m, bool on) {
    m.enabled = on;
    return m;
  };
  MenuItem scr = checked(Item(C::DisableSelfSCR), !f.screen_saving);
  scr.caption = f.screen_saving ? kScrEnabledCaption : kScrDisabledCaption;
  std::vector<MenuItem> pause_items;
  for (C c : {C::Pause30, C::Pause60, C::Pause120, C::PauseUntilTomorrow})
    pause_items.push_back(enabled(Item(c), f.pause));
  if (f.paused) pause_items.push_back(enabled(Item(C::Resume), f.pause));
  MenuItem pause = enabled(Sub("NPause", "暂停休息提醒", std::move(pause_items)), f.pause);
  MenuItem root{"PopupMenu1"};
  root.children = {
      Sub("NAboutHelp00", "关于帮助",
          {Item(C::AboutHelp), Item(C::WebPageOfThisProduct), Item(C::HomePage)}),
      Separator("N7"),
      Sub("N8", "实用链接",
          {Item(C::More_PCKnowledge), Item(C::More_Weather), Item(C::More_Clock),
           Item(C::More_RiLi), Item(C::More_Map), Item(C::More_Cidian), Item(C::More_Game)}),
      Sub("NQuickLaunch", "快速启动",
          {Item(C::OpenNotePad), Item(C::OpenCalculator), Item(C::OpenWord), Item(C::OpenExcel),
           Separator("N5"), Item(C::ShortCuts)}),
      Sub("N3", "屏幕美化",
          {checked(Item(C::DesktopDeco), f.desktop_deco), checked(Item(C::ShowSOT), f.show_sot),
           Item(C::SetupMeiHua)}),
      Sub("N1", "电源管理",
          {Item(C::LetStandBy), Item(C::LetSleep), Item(C::SysShutdownInterface),
           Item(C::SetupPower)}),
      Sub("NScreenSaver", "屏幕保护", {Item(C::SetupSCR), Item(C::LaunchSCR), scr}),
      Sub("NMode", "模式切换",
          {checked(Item(C::ModeFree), f.mode == 0), checked(Item(C::ModePassword), f.mode == 1),
           checked(Item(C::ModeInterference), f.mode == 2),
           checked(Item(C::ModeEnforce), f.mode == 3), Separator("N4"), Item(C::SetupMode)}),
      enabled(Item(C::BreakDemo), f.break_commands),
      enabled(Item(C::BreakNow), f.break_commands),
      std::move(pause),
      Separator("N6"),
      Item(C::HintSmallWindow),
      Item(C::Stat),
      Item(C::Setup),
      Separator("N9"),
      Item(C::Exit),
  };
  return root;
}

template <typename Pred>
const MenuItem* Search(const MenuItem& m, const Pred& pred) {
  if (pred(m)) return &m;
  for (const auto& c : m.children)
    if (const MenuItem* found = Search(c, pred)) return found;
  return nullptr;
}

}  // namespace

MainMenu::MainMenu(const MenuFacts& facts) : root_(BuildTree(facts)) {}

const MenuItem* MainMenu::Find(std::string_view name) const {
  return Search(root_, [&](const MenuItem& m) { return m.name == name; });
}

const MenuItem* MainMenu::Find(MenuCommand command) const {
  if (command == MenuCommand::None) return nullptr;
  return Search(root_, [&](const MenuItem& m) { return m.command == command; });
}

bool MainMenu::Checked(std::string_view name) const {
  const MenuItem* m = Find(name);
  return m && m->checked;
}

bool MainMenu::Enabled(MenuCommand command) const {
  const MenuItem* m = Find(command);
  return m && m->enabled;
}

}  // namespace tavu
