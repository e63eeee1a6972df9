#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "ports/dialogs.hpp"
#include "ports/files.hpp"
#include "ports/shell.hpp"
#include "settings/settings.hpp"

namespace tavu {

inline constexpr std::string_view kNoSaver = "(无)";
inline constexpr std::string_view kInternalSaver = "<Internal>";
inline constexpr std::string_view kInternalSaverName = "<岚禾屏幕保护演示>";
inline constexpr std::string_view kNoSaverOptionsText = "此屏幕保护程序没有可供设置的选项。";
inline constexpr std::string_view kSaverNoteCaption = "岚禾屏保提示";

// The name the user sees for a saver file, by its file name.
std::string SaverDisplayName(std::string_view file_name);

// What starting a saver needs beyond the shell.
class ScreenSaverHost {
 public:
  virtual ~ScreenSaverHost() = default;
  // The built-in saver; whether it started.
  virtual bool ShowInternalSCR() = 0;
  // The companion player's command (10: play the screen saver, 7: its saver settings).
  virtual void RunKoPlayerCommand(int command) = 0;
};

// The catalogue of screen savers (`SCRSavers` and the names shown beside it) and starting the
// chosen one.
class ScreenSavers {
 public:
  struct Deps {
    Settings& settings;
    Files& files;
    Shell& shell;
    Random& random;
    Dialogs& dialogs;
    ScreenSaverHost& host;
  };
  explicit ScreenSavers(const Deps& deps) : d_(deps) {}

  // AddSysSCR: the two fixed entries, then the *.scr files of each folder in order (the Windows
  // folder, then the system folder). Once per run, before the configuration file is read.
  void AddSysSCR(const std::vector<std::string>& folders);
  const std::vector<std::string>& Names() const { return names_; }
  // "当前屏保总数：": every entry but "(无)".
  int Count() const { return static_cast<int>(names_.size()) - 1; }
  // The chosen saver (by chance with `RandomSCR`), or the companion player's.
  void LaunchSCR(bool use_player);
  // The button "设置": the chosen saver's own settings.
  void btnSCRSetupClick();

 private:
  Deps d_;
  std::vector<std::string> names_{std::string(kNoSaver), std::string(kInternalSaverName)};
};

}  // namespace tavu
