#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "ports/dialogs.hpp"
#include "ports/files.hpp"
#include "ports/shell_links.hpp"
#include "settings/ini_file.hpp"
#include "settings/settings.hpp"

namespace tavu {

inline constexpr std::string_view kSaveFailedText =
    "设置文件保存失败！请确认程序所在的文件夹可以写入、设置文件不是只读的、磁盘没有写满，"
    "然后再关闭本窗口。本次的设置在程序运行期间仍然有效。";

// Said once at start when the file is there but cannot be read.
std::string ConfigUnreadableText(std::string_view path);
// Asked before a save would replace the file that could not be read.
std::string ReplaceUnreadableConfigQuestion(std::string_view path);

// The user's own folder for the configuration file when the program's folder takes no new
// file (an installation for all users under Program Files): AppData\LanHe\Tavu\.
inline constexpr std::string_view kUserConfigFolder = "LanHe\\Tavu";

// The configuration file beside the executable, or in the user's AppData folder when the
// program's folder takes no new file (decided once, by a real probe). A file that is there but
// could not be read holds the user's settings even so: the program runs on defaults, says so, and
// replaces the file only when the user agrees at a save. The question stands even if the file has
// become readable since: what it holds was never loaded, so writing over it would still lose it.
class SettingsStore {
 public:
  enum class LoadResult { Absent, Loaded, Unreadable };
  enum class SaveResult {
    Saved,
    Kept,    // the user chose to keep the unreadable file: nothing written
    Failed,  // said in a message box; the settings stay in memory
  };

  SettingsStore(Files& files, Dialogs& dialogs, ShellLinks& links)
      : files_(files), dialogs_(dialogs), links_(links) {}

  std::string Path();
  // The program's own settings file, in the same folder.
  std::string IniPath();
  // Applies what the files hold; every setting they do not hold keeps its value. The result
  // is the configuration file's; the other file is read the same way and says the same.
  LoadResult Load(Settings& s);
  SaveResult Save(const Settings& s);

 private:
  // One of the two files: what reading it found, and whether a save must ask first.
  struct Kept {
    bool ask_before_replacing = false;
    ForeignLines foreign;  // the program's own file only
  };
  LoadResult LoadFile(const std::string& path, std::size_t limit, Kept& kept,
                      const std::function<void(std::string_view)>& decode);
  bool MayReplace(const std::string& path, Kept& kept);
  bool MakeUserFolder();
  Files& files_;
  Dialogs& dialogs_;
  ShellLinks& links_;
  std::string path_;         // decided at the first use: the program's folder does not change
  std::string user_folder_;  // empty while the file lives beside the executable
  Kept config_;
  Kept ini_;
};

}  // namespace tavu
