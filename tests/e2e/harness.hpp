#pragma once
// Drives tavu.exe from outside: a fresh folder per test, the process, its windows, files and
// screenshots.
#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/text.hpp"

namespace e2e {

using namespace std::chrono_literals;
using Ms = std::chrono::milliseconds;

using tavu::win::Utf8;
using tavu::win::Wide;

// Waits, pumping this thread's messages, until `done` holds or the time is up.
bool WaitUntil(const std::function<bool()>& done, Ms timeout = 10s);

HWND FindTop(const wchar_t* cls, const wchar_t* title = nullptr);
HWND WaitTop(const wchar_t* cls, const wchar_t* title = nullptr, Ms timeout = 10s);
int CountTop(const wchar_t* cls);
std::wstring Text(HWND hwnd);
bool HasChildWithText(HWND parent, const std::wstring& text);
bool Visible(HWND hwnd);
RECT WindowRect(HWND hwnd);
RECT ClientRect(HWND hwnd);
RECT WorkArea();

// How many pixels of `r` (screen coordinates) are nearly black on the screen now: text that
// was really drawn there.
int DarkPixels(const RECT& r);

// Saves the whole screen as build/screens/<name>.png, once the windows had `settle` to paint.
void Screenshot(const std::string& name, Ms settle = 150ms);
// The same over every monitor (the virtual screen).
void ScreenshotAll(const std::string& name, Ms settle = 150ms);

struct Launch {
  PROCESS_INFORMATION pi{};
  ~Launch();
  bool Running() const;
  // Waits for the process to end; its exit code, or nothing if it still runs.
  std::optional<DWORD> WaitExit(Ms timeout);
  void Kill();
};

// A fresh folder with its own copy of tavu.exe, named after the running test.
class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  std::wstring Folder() const { return folder_; }
  std::wstring PathOf(const wchar_t* name) const { return folder_ + L"\\" + name; }
  void WriteFile(const wchar_t* name, const std::string& bytes) const;
  std::optional<std::string> ReadFile(const wchar_t* name) const;
  // Starts tavu.exe here with extra environment variables ("NAME=value"). Unless
  // `first_run` is set, this copy is recorded as the installed one first (the shared path file
  // "dir1"), so that the welcome of a first run stays out of tests about other things.
  Launch& Start(const std::vector<std::wstring>& env = {});
  // Starts it and waits until its main window is up (visible, unless pop-ups are off).
  HWND StartAndWaitMain(const std::vector<std::wstring>& env = {});
  bool first_run = false;
  // The screen density the program starts at (0: the prefix's 96). Wine reads it from the
  // user's LogPixels at each process's start, so it is set just before the start and put back
  // when the sandbox goes; scripts/e2e puts back 96 in case a run was cut short.
  int dpi = 0;

 private:
  std::wstring folder_;
  bool dpi_set_ = false;
  std::vector<std::unique_ptr<Launch>> launches_;
};

// ---- Driving the program as a user does ----

// Runs a command of the tray menu by its item name, as choosing it does.
void Command(HWND main, const char* item);
// Right-clicks the tray icon the way the shell reports it and waits for the menu.
HWND OpenTrayMenu(HWND main);
// A left click on the tray icon, as the shell reports it: opens or closes the statistics.
void TrayLeftClick(HWND main);
// A small mouse movement, the other way each time: the user at work (and enough to end a
// running screen saver).
void NudgeMouse();

// The statistics window and a click on its page button `page`.
inline constexpr wchar_t kStatClass[] = L"TfrmStat";
void ShowStatPage(HWND stat, int page);
// A key pressed and let go.
void Key(WORD vk);
int VisibleMenus();
// Picks an item of the open menu with the keyboard, as a user would: `downs` presses select
// the item (separators are skipped), then Right opens a submenu and `sub_downs` more presses
// select in it. Other processes' menus cannot be read under Wine, so tests check what the
// chosen item does.
void Choose(int downs, int sub_downs = -1);
// The tool-tip window that `owner` owns, if any.
HWND ToolTipOf(HWND owner);
// What Windows sends a window moved to a monitor of `dpi`: WM_DPICHANGED with the rectangle it
// suggests. The rectangle is put in the window's own process (the message's pointer is not
// carried across processes). False if it could not be sent.
bool SendDpiChanged(HWND window, int dpi, const RECT& suggested);
// `child`'s rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);

// Stands in for the shell's notification area while it lives: a program started after it
// gives its icon to it, since Shell_NotifyIcon hands each call to the first "Shell_TrayWnd"
// window (WM_COPYDATA). Keeps the last tip and icon bits given, read in the layout Wine's
// shell32 sends. Messages are taken while the driver waits (WaitUntil pumps them).
class TrayStandIn {
 public:
  TrayStandIn();
  ~TrayStandIn();
  TrayStandIn(const TrayStandIn&) = delete;
  TrayStandIn& operator=(const TrayStandIn&) = delete;
  std::wstring tip;
  std::string icon;  // the icon's mask and colour bits
  int calls = 0;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

// A configuration file with every default but "允许自动弹出帮助信息" and "显示银屏倩影" off: no
// welcome picture at start, and no on-top picture (a display without a compositor draws it
// opaque) to cover the windows a test looks at.
inline constexpr char kNoWelcome[] =
    "x\r\n[0]\r\n[1]\r\n[2]\r\n[3]\r\n[4]\r\n[5]\r\n[6]\r\n[7] FALSE FALSE FALSE\r\n";
// The same with the on-top picture on, as it is by default.
inline constexpr char kNoWelcomeWithOnTop[] =
    "x\r\n[0]\r\n[1]\r\n[2]\r\n[3]\r\n[4]\r\n[5]\r\n[6]\r\n[7] TRUE FALSE FALSE\r\n";

// The per-user folder of the maker's shared path files, and one of them written as the program
// writes it (two lines in the system code page).
std::wstring SharedPathFolder();
void WriteSharedPathFile(const wchar_t* name, const std::wstring& line1);

inline constexpr wchar_t kMainClass[] = L"ZQX050505_20";
inline constexpr wchar_t kSetupClass[] = L"TfrmSetup";
inline constexpr wchar_t kDialogClass[] = L"#32770";

}  // namespace e2e
