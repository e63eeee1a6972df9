#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "ports/code_page.hpp"
#include "ports/dialogs.hpp"
#include "ports/files.hpp"
#include "ports/registry.hpp"
#include "ports/shell_links.hpp"
#include "ports/timers.hpp"

namespace tavu {

inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kAutostartName = "LanHe";
inline constexpr std::string_view kShortcutName = "岚禾休息软件";
inline constexpr std::string_view kShortcutDescription = "岚禾护眼钟";
inline constexpr std::string_view kStartMenuFolder = "岚禾软件创新产品";
inline constexpr std::string_view kLnkExtensionText = "快捷方式的扩展名必须是 ′LNK′!";
inline constexpr std::string_view kWelcomeTitle = "欢迎使用岚禾休息软件！";
inline constexpr std::string_view kWelcomeText =
    "当您初次运行或安装有改变时会出现此欢迎界面，软件需要做一些配置，点击确定继续...";
inline constexpr std::string_view kAutostartOnFailedText =
    "无法设置开机自动运行：系统拒绝写入启动项。";
inline constexpr std::string_view kAutostartOffFailedText =
    "无法取消开机自动运行：启动项由管理员设置，请以管理员身份运行本软件后再试。";

// The command line an autostart entry runs: the path quoted, so that a folder with spaces can
// never start another program ("C:\Program.exe").
std::string AutostartCommand(std::string_view exe_path);

// How the program settles into the user's system: special folders, shortcuts, the autostart
// entry and the shared path files through which the maker's programs find each other. Every
// operation opens what it needs and keeps nothing.
class Integration {
 public:
  struct Deps {
    Files& files;
    Registry& registry;
    ShellLinks& links;
    CodePage& code_page;
    Dialogs& dialogs;
  };
  explicit Integration(const Deps& d) : d_(d) {}

  std::string GetShellFolder(ShellFolder folder);
  // A link path not ending in ".lnk" (any case) is said and refused.
  bool CreateShellLink(std::string_view target, std::string_view arguments,
                       std::string_view link_path, std::string_view description);
  // A shortcut to this program in `folder`, created (one level) when missing.
  bool CreateSelfShortcut(std::string_view folder, std::string_view link_name,
                          std::string_view description);

  std::string ReadSharedPathFile(std::string_view name);
  // Written when the folder is new, the file absent or its first line another. A first line the
  // system code page cannot hold is not written: a file with a mangled path would send the
  // maker's other programs to the wrong place.
  bool WriteSharedPathFile(std::string_view name, std::string_view line1, std::string_view line2);
  std::string ReadProductDir(std::string_view product_key);

  // The machine-wide entry when the system allows it, otherwise the user's own. Nothing is
  // written when an entry already holds this command line. True when an entry holds it.
  bool AddAutostart(std::string_view name, std::string_view command);
  // Both entries; true when neither is left.
  bool RemoveAutostart(std::string_view name);
  bool HasAutostart(std::string_view name);

  std::string ExePath() { return d_.files.ExePath(); }

 private:
  std::string SharedFolder();
  Deps d_;
};

// Runs once, 3 s after the start: records where the program lives (path file "dir1") and, on a
// first run or after the program was moved, welcomes the user, adds the Start-menu shortcut and
// the autostart entry. Any other start leaves the autostart entry as the user left it.
class InstallationCheck : public TimerSink {
 public:
  static constexpr int kTimer = 1;
  static constexpr uint32_t kDelayMs = 3000;
  InstallationCheck(Integration& integration, Dialogs& dialogs, Timers& timers)
      : integration_(integration), dialogs_(dialogs), timers_(timers) {}
  ~InstallationCheck() override { timers_.StopAll(*this); }
  InstallationCheck(const InstallationCheck&) = delete;
  InstallationCheck& operator=(const InstallationCheck&) = delete;

  void Arm() { timers_.Start(*this, kTimer, kDelayMs); }
  void OnTimer(int id) override;

 private:
  Integration& integration_;
  Dialogs& dialogs_;
  Timers& timers_;
};

}  // namespace tavu
