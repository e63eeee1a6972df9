#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "machine/integration.hpp"
#include "machine/web_pages.hpp"
#include "ports/dialogs.hpp"
#include "ports/files.hpp"
#include "ports/shell.hpp"
#include "ports/timers.hpp"
#include "ports/windows.hpp"

namespace tavu {

// The maker's programs: this one (1), the screen-saver tool KALO (2), the player KoPlayer (3).
enum class CompanionKind { Self = 1, Kalo = 2, KoPlayer = 3 };

// Where a product's executable is: beside this program, then the shared path file, then the
// maker's machine-wide key; the first that names an existing file.
std::optional<std::string> FindCompanionExe(CompanionKind kind, Files& files,
                                            Integration& integration);

// The window message of a command; nothing for a command the tool does not have.
std::optional<uint32_t> KaloMessage(int command);
std::optional<uint32_t> KoPlayerMessage(int command);

enum class CompanionState { Current, Old, Absent };
struct CompanionWindow {
  CompanionState state = CompanionState::Absent;
  std::string window_class;  // the class found, first in table order
};
CompanionWindow FindKaloWindow(TopWindows& windows);
CompanionWindow FindKoPlayerWindow(TopWindows& windows);

// Commands to the companion tools. A tool that is not running is started and looked for again
// 4 s later on a timer, once: if its window has not come by then, the command is dropped
// quietly (the tool is still starting or failed; a second start would only stack copies).
class Companions : public TimerSink {
 public:
  struct Deps {
    TopWindows& windows;
    Dialogs& dialogs;
    Shell& shell;
    Timers& timers;
    Files& files;
    Integration& integration;
    WebPages& pages;
  };
  static constexpr uint32_t kStartWaitMs = 4000;

  explicit Companions(const Deps& d) : d_(d) {}
  ~Companions() override { d_.timers.StopAll(*this); }
  Companions(const Companions&) = delete;
  Companions& operator=(const Companions&) = delete;

  void RunKaloCommand(int command);
  void RunKoPlayerCommand(int command);
  // Whether a tool started by a command is being waited for.
  bool Starting(CompanionKind kind) const;
  void OnTimer(int id) override;

  struct Tool;  // one tool's classes, commands, executable and texts

 private:
  void Run(const Tool& tool, int command, bool after_start);
  Deps d_;
  std::array<std::optional<int>, 2> pending_;  // the command waiting for KALO, KoPlayer
};

}  // namespace tavu
