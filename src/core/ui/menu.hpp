#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tavu {

// The commands of the notification-area menu, in menu order; the value is the command id the
// platform menu carries (WM_COMMAND). Hot keys and other windows call the same commands.
enum class MenuCommand : int {
  None = 0,
  AboutHelp = 101,
  WebPageOfThisProduct,
  HomePage,
  More_PCKnowledge,
  More_Weather,
  More_Clock,
  More_RiLi,
  More_Map,
  More_Cidian,
  More_Game,
  OpenNotePad,
  OpenCalculator,
  OpenWord,
  OpenExcel,
  ShortCuts,
  DesktopDeco,
  ShowSOT,
  SetupMeiHua,
  LetStandBy,
  LetSleep,
  SysShutdownInterface,
  SetupPower,
  SetupSCR,
  LaunchSCR,
  DisableSelfSCR,
  ModeFree,
  ModePassword,
  ModeInterference,
  ModeEnforce,
  SetupMode,
  BreakDemo,
  BreakNow,
  Pause30,
  Pause60,
  Pause120,
  PauseUntilTomorrow,
  Resume,
  HintSmallWindow,
  Stat,
  Setup,
  Exit,
};

// One command: its item name in the menu and its caption.
struct MenuCommandInfo {
  MenuCommand command;
  std::string_view name;
  std::string_view caption;
};

// Every command once, in menu order.
extern const MenuCommandInfo kMenuCommands[];
extern const std::size_t kMenuCommandCount;

// The command of an item name (MenuCommand::None for none) and the other way round.
MenuCommand MenuCommandNamed(std::string_view name);
const MenuCommandInfo* MenuCommandInfoOf(MenuCommand command);

// What the menu's check marks, captions and enabled states follow: the settings and the cycle
// as they are when the menu is shown. Nothing of it is stored in the menu.
struct MenuFacts {
  int mode = 0;                // rest mode
  bool desktop_deco = true;    // "桌面状态"
  bool show_sot = true;        // "银屏倩影"
  bool screen_saving = true;   // off: "NDisableSelfSCR" carries the check mark
  bool break_commands = true;  // "立即休息" and "休息演示"
  bool pause = true;           // "暂停休息提醒": only at work
  bool paused = false;         // "立即恢复" is offered
};

// One item of the menu. Separators have no caption; submenus have children.
struct MenuItem {
  std::string name;
  std::string caption;
  MenuCommand command = MenuCommand::None;  // None for separators and submenus
  bool separator = false;
  bool checked = false;
  bool enabled = true;
  std::vector<MenuItem> children;
};

// The tree of `PopupMenu1` for a set of facts.
class MainMenu {
 public:
  explicit MainMenu(const MenuFacts& facts = {});
  const MenuItem& Root() const { return root_; }
  const MenuItem* Find(std::string_view name) const;
  const MenuItem* Find(MenuCommand command) const;
  bool Checked(std::string_view name) const;
  bool Enabled(MenuCommand command) const;
  // Command id of an item by name; 0 when there is none.
  static int IdOf(std::string_view name) { return static_cast<int>(MenuCommandNamed(name)); }

 private:
  MenuItem root_;
};

inline constexpr std::string_view kModeItems[4] = {"NModeFree", "NModePassword",
                                                   "NModeInterference", "NModeEnforce"};
inline constexpr std::string_view kScrEnabledCaption = "已启用,点击禁用";
inline constexpr std::string_view kScrDisabledCaption = "已禁用,点击启用";

}  // namespace tavu
