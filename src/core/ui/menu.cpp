#include "ui/menu.hpp"

#include <functional>

namespace tavu {
namespace {

MenuItem Item(std::string_view name, std::string_view caption) {
  return MenuItem{std::string(name), std::string(caption)};
}
MenuItem Separator(std::string_view name) {
  MenuItem m{std::string(name)};
  m.separator = true;
  return m;
}
MenuItem Sub(std::string_view name, std::string_view caption, std::vector<MenuItem> children) {
  MenuItem m = Item(name, caption);
  m.children = std::move(children);
  return m;
}

MenuItem BuildTree() {
  MenuItem root{"PopupMenu1"};
  root.children = {
      Sub("NAboutHelp00", "关于帮助",
          {Item("NAboutHelp", "打开帮助主窗口..."),
           Item("NWebPageOfThisProduct", "进入本产品服务主页..."),
           Item("NHomePage", "进入岚禾软件主页...")}),
      Separator("N7"),
      Sub("N8", "实用链接",
          {Item("NMore_PCKnowledge", "电脑知识集粹"), Item("NMore_Weather", "天气预报"),
           Item("NMore_Clock", "时钟/较时"), Item("NMore_RiLi", "日历/历史上的今天"),
           Item("NMore_Map", "地图/公交查询"), Item("NMore_Cidian", "词典/翻译"),
           Item("NMore_Game", "游戏/娱乐")}),
      Sub("NQuickLaunch", "快速启动",
          {Item("NOpenNotePad", "打开记事本"), Item("NOpenCalculator", "打开计算器"),
           Item("NOpenWord", "打开WORD"), Item("NOpenExcel", "打开EXCEL"), Separator("N5"),
           Item("NShortCuts", "查看快捷键")}),
      Sub("N3", "屏幕美化",
          {Item("NDesktopDeco", "桌面状态"), Item("NShowSOT", "银屏倩影"),
           Item("NSetupMeiHua", "设 置...")}),
      Sub("N1", "电源管理",
          {Item("NLetStandBy", "立即系统待机"), Item("NLetSleep", "立即系统休眠"),
           Item("NSysShutdownInterface", "系统关机介面"), Item("NSetupPower", "设 置...")}),
      Sub("NScreenSaver", "屏幕保护",
          {Item("NSetupSCR", "设 置..."), Item("NLaunchSCR", "立即启动"),
           Item("NDisableSelfSCR", kScrEnabledCaption)}),
      Sub("NMode", "模式切换",
          {Item("NModeFree", "自由模式"), Item("NModePassword", "密码模式"),
           Item("NModeInterference", "干扰模式"), Item("NModeEnforce", "强制模式"), Separator("N4"),
           Item("NSetupMode", "进入设置...")}),
      Item("NBreakDemo", "休息演示"),
      Item("NBreakNow", "立即休息"),
      Separator("N6"),
      Item("NHintSmallWindow", "最新提示..."),
      Item("NStat", "统    计..."),
      Item("NSetup", "设    置..."),
      Separator("N9"),
      Item("NExit", "退    出"),
  };
  int next_id = 100;
  std::function<void(MenuItem&)> number = [&](MenuItem& m) {
    for (auto& c : m.children) {
      if (!c.separator && c.children.empty()) c.id = ++next_id;
      number(c);
    }
  };
  number(root);
  return root;
}

template <typename Item, typename Pred>
Item* Search(Item& m, const Pred& pred) {
  if (pred(m)) return &m;
  for (auto& c : m.children)
    if (Item* found = Search(c, pred)) return found;
  return nullptr;
}

}  // namespace

MainMenu::MainMenu() : root_(BuildTree()) {
  SetChecked("NDesktopDeco", true);
  SetChecked("NShowSOT", true);
  CheckMode(0);
}

MenuItem* MainMenu::Find(std::string_view name) {
  return Search(root_, [&](const MenuItem& m) { return m.name == name; });
}

const MenuItem* MainMenu::Find(std::string_view name) const {
  return Search(root_, [&](const MenuItem& m) { return m.name == name; });
}

const MenuItem* MainMenu::FindById(int id) const {
  if (id == 0) return nullptr;
  return Search(root_, [&](const MenuItem& m) { return m.id == id; });
}

int MainMenu::IdOf(std::string_view name) {
  static const MainMenu reference;
  const MenuItem* m = reference.Find(name);
  return m ? m->id : 0;
}

bool MainMenu::Checked(std::string_view name) const {
  const MenuItem* m = Find(name);
  return m && m->checked;
}

void MainMenu::SetChecked(std::string_view name, bool checked) {
  if (MenuItem* m = Find(name)) m->checked = checked;
}

void MainMenu::SetEnabled(std::string_view name, bool enabled) {
  if (MenuItem* m = Find(name)) m->enabled = enabled;
}

void MainMenu::SetCaption(std::string_view name, std::string_view caption) {
  if (MenuItem* m = Find(name)) m->caption = std::string(caption);
}

void MainMenu::CheckMode(int mode) {
  for (int i = 0; i < 4; ++i) SetChecked(kModeItems[i], i == mode);
}

}  // namespace tavu
