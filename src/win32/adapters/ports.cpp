#include "adapters/ports.hpp"

#include <commdlg.h>
#include <shellapi.h>

#include "adapters/system_library.hpp"
#include "adapters/system_ports.hpp"
#include "ui/dpi.hpp"
#include "ui/text.hpp"

namespace tavu::win {

// ---- time ----

namespace {

uint64_t SystemWall() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return (uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
}

constexpr uint64_t kFileTimePerMs = 10'000;  // FILETIME counts 100 ns

}  // namespace

Win32Clock::Win32Clock(int scale) : time_(scale, GetTickCount64(), SystemWall(), kFileTimePerMs) {}

uint64_t Win32Clock::Tick() { return time_.Tick(GetTickCount64()); }

LocalTime Win32Clock::Now() {
  const uint64_t wall = time_.Wall(GetTickCount64(), SystemWall());
  FILETIME utc{static_cast<DWORD>(wall), static_cast<DWORD>(wall >> 32)};
  SYSTEMTIME st_utc, st;
  FileTimeToSystemTime(&utc, &st_utc);
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &st_utc, &st)) st = st_utc;
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

uint64_t Win32Clock::LastInputTick() {
  LASTINPUTINFO info{sizeof info, 0};
  const uint64_t now = GetTickCount64();
  if (!GetLastInputInfo(&info)) return time_.Tick(now);
  // The system keeps a 32-bit tick; widen it against the 64-bit one.
  const uint32_t age = static_cast<uint32_t>(now) - info.dwTime;
  return time_.Tick(now - age);
}

// ---- timers ----

namespace {
constexpr wchar_t kTimerWindowClass[] = L"TavuTimers";
}

Win32Timers::Win32Timers(int scale, void (*after_event)())
    : scale_(scale), after_event_(after_event) {
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kTimerWindowClass;
  RegisterClassExW(&wc);
  hwnd_ = CreateWindowExW(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                          wc.hInstance, this);
}

Win32Timers::~Win32Timers() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Win32Timers::Start(TimerSink& sink, int id, uint32_t interval_ms) {
  auto [it, inserted] = keys_.try_emplace({&sink, id}, next_key_);
  if (inserted) sinks_[next_key_++] = {&sink, id};
  const uint32_t scaled = std::max<uint32_t>(1, interval_ms / static_cast<uint32_t>(scale_));
  SetTimer(hwnd_, it->second, scaled, nullptr);
}

void Win32Timers::Stop(TimerSink& sink, int id) {
  auto it = keys_.find({&sink, id});
  if (it == keys_.end()) return;
  KillTimer(hwnd_, it->second);
  sinks_.erase(it->second);
  keys_.erase(it);
}

void Win32Timers::StopAll(TimerSink& sink) {
  for (auto it = keys_.begin(); it != keys_.end();) {
    if (it->first.first != &sink) {
      ++it;
      continue;
    }
    KillTimer(hwnd_, it->second);
    sinks_.erase(it->second);
    it = keys_.erase(it);
  }
}

void Win32Timers::Fire(UINT_PTR key) {
  auto it = sinks_.find(key);
  if (it == sinks_.end()) {
    KillTimer(hwnd_, key);
    return;
  }
  auto [sink, id] = it->second;
  sink->OnTimer(id);
  if (after_event_) after_event_();
}

LRESULT CALLBACK Win32Timers::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Win32Timers*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else if (msg == WM_TIMER) {
    if (auto* self = reinterpret_cast<Win32Timers*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
      self->Fire(wp);
      return 0;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// ---- dialogs ----

bool Win32Dialogs::Ask(std::string_view text, std::string_view caption) {
  return MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL) == IDYES;
}

bool Win32Dialogs::Suggest(std::string_view text, std::string_view caption) {
  return MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(),
                     MB_YESNO | MB_ICONINFORMATION | MB_SYSTEMMODAL) == IDYES;
}

void Win32Dialogs::Inform(std::string_view text, std::string_view caption, bool system_modal) {
  MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(),
              MB_OK | MB_ICONINFORMATION | (system_modal ? MB_SYSTEMMODAL : MB_TASKMODAL));
}

void Win32Dialogs::Warn(std::string_view text, std::string_view caption) {
  MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(),
              MB_OK | MB_ICONWARNING | MB_TASKMODAL | MB_TOPMOST);
}

bool Win32Dialogs::Confirm(std::string_view text, std::string_view caption) {
  return MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(),
                     MB_OKCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL) == IDOK;
}

void Win32Dialogs::Acknowledge(std::string_view text, std::string_view caption) {
  MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(),
              MB_OK | MB_ICONQUESTION | MB_SYSTEMMODAL);
}

namespace {
// The window the dialogs belong to: the active window of this thread (the settings window that
// asked), so that they are modal to it.
HWND DialogOwner() { return GetActiveWindow(); }

const wchar_t kDialogsLibrary[] = L"comdlg32.dll";
}  // namespace

std::optional<Color> Win32Dialogs::AskColor(Color initial) {
  static COLORREF custom[16] = {};  // the dialog's own custom colours, for this run
  const COLORREF start = IsSystemColor(initial) ? GetSysColor(static_cast<int>(initial & 0xFF))
                                                : static_cast<COLORREF>(initial & 0xFFFFFF);
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = DialogOwner();
  cc.rgbResult = start;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  const auto choose = SystemFunction<decltype(ChooseColorW)>(kDialogsLibrary, "ChooseColorW");
  if (!choose || !choose(&cc)) return std::nullopt;
  return static_cast<Color>(cc.rgbResult & 0xFFFFFF);
}

std::optional<std::string> Win32Dialogs::AskSaveFile(std::string_view title,
                                                     std::string_view file_name,
                                                     std::string_view kind,
                                                     std::string_view extension) {
  // The filter is pairs of texts, each ended by a NUL, the list by a second one.
  std::wstring filter = Wide(kind);
  filter += L" (*.";
  filter += Wide(extension);
  filter += L')';
  filter += L'\0';
  filter += L"*.";
  filter += Wide(extension);
  filter += L'\0';
  filter += L'\0';
  std::wstring buffer(32768, L'\0');
  const std::wstring proposed = Wide(file_name);
  proposed.copy(buffer.data(), buffer.size() - 1);
  const std::wstring caption = Wide(title), default_ext = Wide(extension);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = DialogOwner();
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrTitle = caption.c_str();
  ofn.lpstrDefExt = default_ext.c_str();
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
  const auto ask = SystemFunction<decltype(GetSaveFileNameW)>(kDialogsLibrary, "GetSaveFileNameW");
  if (!ask || !ask(&ofn)) return std::nullopt;
  return Utf8(buffer.c_str());
}

bool Win32Dialogs::AskFont(FontChoice& font) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(font.size_pt, dpi, 72);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfStrikeOut = font.strike_out;
  lf.lfCharSet = static_cast<BYTE>(font.charset);
  Wide(font.face).copy(lf.lfFaceName, LF_FACESIZE - 1);
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = DialogOwner();
  cf.lpLogFont = &lf;
  // The slogan is written across: faces for vertical writing ("@...") are left out.
  cf.Flags = CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_SCREENFONTS | CF_NOVERTFONTS;
  cf.rgbColors = IsSystemColor(font.color) ? GetSysColor(static_cast<int>(font.color & 0xFF))
                                           : static_cast<COLORREF>(font.color & 0xFFFFFF);
  const auto choose = SystemFunction<decltype(ChooseFontW)>(kDialogsLibrary, "ChooseFontW");
  if (!choose || !choose(&cf)) return false;
  font.face = Utf8(lf.lfFaceName);
  font.size_pt = cf.iPointSize > 0 ? (cf.iPointSize + 5) / 10 : font.size_pt;
  font.bold = lf.lfWeight >= FW_SEMIBOLD;
  font.italic = lf.lfItalic != 0;
  font.underline = lf.lfUnderline != 0;
  font.strike_out = lf.lfStrikeOut != 0;
  font.charset = lf.lfCharSet;
  font.color = static_cast<Color>(cf.rgbColors & 0xFFFFFF);
  return true;
}

// ---- screen ----

Size Win32Screen::PrimarySize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

Rect Win32Screen::WorkArea() {
  RECT r{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) {
    const Size s = PrimarySize();
    return {0, 0, s.w, s.h};
  }
  return {r.left, r.top, r.right, r.bottom};
}

Point Win32Screen::Cursor() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(handle, &info)) return TRUE;
  const RECT& r = info.rcMonitor;
  const RECT& w = info.rcWork;
  reinterpret_cast<std::vector<Monitor>*>(data)->push_back(
      {{r.left, r.top, r.right, r.bottom},
       {w.left, w.top, w.right, w.bottom},
       MonitorDpi(handle),
       (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  return TRUE;
}

}  // namespace

std::vector<Monitor> Win32Screen::Monitors() {
  std::vector<Monitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    const Size s = PrimarySize();
    monitors.push_back({{0, 0, s.w, s.h}, WorkArea(), SystemDpi(), true});
  }
  return monitors;
}

// ---- files ----

std::string Win32Files::ExePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return Utf8(path);
    }
    path.resize(path.size() * 2);
  }
}

std::string Win32Files::ExeFolder() {
  std::string path = ExePath();
  return path.substr(0, path.find_last_of("\\/") + 1);
}

FileRead Win32Files::Read(std::string_view path, std::size_t limit) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // Anything but "not there" means a file the user may have: denied, locked, a folder.
    const bool absent = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {absent ? FileRead::Status::Absent : FileRead::Status::Unreadable, {}};
  }
  FileRead file{FileRead::Status::Read, {}};
  char buffer[16384];
  while (file.bytes.size() < limit) {
    const auto want = static_cast<DWORD>(std::min(sizeof buffer, limit - file.bytes.size()));
    DWORD got = 0;
    if (!ReadFile(h, buffer, want, &got, nullptr)) {
      file = {FileRead::Status::Unreadable, {}};  // a part is not the file
      break;
    }
    if (got == 0) break;
    file.bytes.append(buffer, got);
  }
  CloseHandle(h);
  return file;
}

bool Win32Files::WriteAtomic(std::string_view path, std::string_view bytes) {
  const std::wstring target = Wide(path);
  // Windows refuses to replace a read-only file; Wine would replace it. Refuse on both.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  // A fresh name for every attempt, created only if nothing has it: whatever an earlier run or
  // another program left beside the target (a file, a read-only file, a folder) is stepped over.
  std::wstring temp;
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int tries = 0; tries < 16; ++tries) {
    temp = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++temp_serial_) + L".tmp";
    h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                    nullptr);
    if (h != INVALID_HANDLE_VALUE) break;
    const DWORD error = GetLastError();
    // A folder of that name answers "access denied"; anything else will not change by renaming.
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED)
      return false;
  }
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size() && FlushFileBuffers(h);
  CloseHandle(h);
  ok = ok && MoveFileExW(temp.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
}

bool Win32Files::Exists(std::string_view path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Files::Rename(std::string_view from, std::string_view to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32Files::CanCreateIn(std::string_view folder) {
  std::wstring probe = Wide(folder);
  if (!probe.empty() && probe.back() != L'\\') probe += L'\\';
  probe += L"tavu-probe." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  // Deleted on close, so nothing is left even if the program ends here.
  HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

bool Win32Files::CreateFolder(std::string_view path) {
  const std::wstring folder = Wide(path);
  if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> Win32Files::List(std::string_view folder, std::string_view pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((Wide(folder) + Wide(pattern)).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(Utf8(fd.cFileName));
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return names;
}

// ---- shell and system ----

bool Win32Shell::Execute(std::string_view verb, std::string_view target, std::string_view params,
                         ShowState show) {
  int cmd = SW_SHOWNORMAL;
  switch (show) {
    case ShowState::Minimized:
      cmd = SW_SHOWMINIMIZED;
      break;
    case ShowState::Maximized:
      cmd = SW_SHOWMAXIMIZED;
      break;
    case ShowState::Hidden:
      cmd = SW_HIDE;
      break;
    case ShowState::Show:
      cmd = SW_SHOW;
      break;
    case ShowState::Normal:
      break;
  }
  const std::wstring v = Wide(verb), t = Wide(target), p = Wide(params);
  auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, v.empty() ? nullptr : v.c_str(), t.c_str(), p.c_str(), nullptr, cmd));
  return result > 32;
}

void Win32Shell::SetScreenSaverActive(bool active) {
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, 0);
}

bool Win32Shell::ScreenSaverActive() {
  BOOL active = FALSE;
  return SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0) && active;
}

bool Win32Shell::ExistsByClass(std::string_view window_class) {
  return FindWindowW(Wide(window_class).c_str(), nullptr) != nullptr;
}

bool Win32Shell::PostToClass(std::string_view window_class, uint32_t message, uintptr_t wparam,
                             intptr_t lparam) {
  HWND h = FindWindowW(Wide(window_class).c_str(), nullptr);
  return h && PostMessageW(h, message, wparam, lparam);
}

bool Win32Shell::PressCtrlPageDown(std::string_view title, int times) {
  HWND h = FindWindowW(nullptr, Wide(title).c_str());
  if (!h) return false;
  SetForegroundWindow(h);
  // Synthesised input goes to the foreground window: only once the found one is in front.
  if (GetForegroundWindow() != h) return false;
  for (int i = 0; i < times; ++i) {
    INPUT keys[4] = {};
    const WORD codes[4] = {VK_CONTROL, VK_NEXT, VK_NEXT, VK_CONTROL};
    for (int k = 0; k < 4; ++k) {
      keys[k].type = INPUT_KEYBOARD;
      keys[k].ki.wVk = codes[k];
      keys[k].ki.dwFlags =
          (k >= 2 ? KEYEVENTF_KEYUP : 0) | (codes[k] == VK_NEXT ? KEYEVENTF_EXTENDEDKEY : 0);
    }
    SendInput(4, keys, sizeof(INPUT));
  }
  return true;
}

void Win32Random::Randomize() {
  engine_.seed(static_cast<unsigned>(GetTickCount64() ^ (GetCurrentProcessId() << 16)));
}

int Win32Random::Next(int n) {
  if (n <= 0) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

void Win32Lifecycle::Quit(bool restart) {
  restart_requested = restart_requested || restart;
  PostQuitMessage(0);
}

}  // namespace tavu::win

namespace tavu::win {
bool Win32Shell::ShutDownWindows() { return CallShellApplication(L"ShutDownWindows"); }
}  // namespace tavu::win
