#include "harness.hpp"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <memory>
#include <thread>

#include "ui/control_ids.hpp"
#include "ui/menu.hpp"

namespace e2e {

namespace {

std::wstring Env(const wchar_t* name) {
  wchar_t buffer[4096];
  DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
  return n && n < 4096 ? std::wstring(buffer, n) : std::wstring();
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A PNG of stored (uncompressed) deflate blocks: no library needed, files stay readable.
class PngWriter {
 public:
  static bool Write(const std::wstring& path, int w, int h, const std::vector<uint32_t>& bgra) {
    std::string raw;
    raw.reserve(static_cast<size_t>(h) * (1 + 3 * w));
    for (int y = 0; y < h; ++y) {
      raw += '\0';
      for (int x = 0; x < w; ++x) {
        uint32_t p = bgra[static_cast<size_t>(y) * w + x];
        raw += static_cast<char>((p >> 16) & 0xff);
        raw += static_cast<char>((p >> 8) & 0xff);
        raw += static_cast<char>(p & 0xff);
      }
    }
    std::string z = "\x78\x01";
    for (size_t pos = 0; pos < raw.size() || pos == 0;) {
      size_t n = std::min<size_t>(65535, raw.size() - pos);
      const bool last = pos + n >= raw.size();
      z += static_cast<char>(last ? 1 : 0);
      z += static_cast<char>(n & 0xff);
      z += static_cast<char>(n >> 8);
      z += static_cast<char>(~n & 0xff);
      z += static_cast<char>((~n >> 8) & 0xff);
      z.append(raw, pos, n);
      pos += n;
      if (last) break;
    }
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
      a = (a + c) % 65521;
      b = (b + a) % 65521;
    }
    Be32(z, (b << 16) | a);

    std::string png = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    Be32(ihdr, static_cast<uint32_t>(w));
    Be32(ihdr, static_cast<uint32_t>(h));
    ihdr += std::string("\x08\x02\x00\x00\x00", 5);
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", "");
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    fwrite(png.data(), 1, png.size(), f);
    fclose(f);
    return true;
  }

 private:
  static void Be32(std::string& s, uint32_t v) {
    for (int i = 3; i >= 0; --i) s += static_cast<char>((v >> (8 * i)) & 0xff);
  }
  static uint32_t Crc(const std::string& data) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
      for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
      }
      ready = true;
    }
    uint32_t c = 0xffffffffu;
    for (unsigned char ch : data) c = table[(c ^ ch) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
  }
  static void Chunk(std::string& png, const char* type, const std::string& data) {
    Be32(png, static_cast<uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    png += body;
    Be32(png, Crc(body));
  }
};

// Sets the user's LogPixels, which Wine reads at each process's start.
void SetLogPixels(DWORD dpi) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_SET_VALUE, &key) != 0)
    return;
  RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  RegCloseKey(key);
}

// The driver sees other processes' windows in their own pixels: a driver that is not dpi-aware
// would be given their rectangles scaled to its own density.
const bool kDriverDpiAware = [] {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
  return set && set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));
}();

std::wstring TestName() {
  const auto* info = testing::UnitTest::GetInstance()->current_test_info();
  if (!info) return L"e2e";
  return Wide(std::string(info->test_suite_name()) + "." + info->name());
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, Ms timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    Pump();
    Sleep(20);
  }
}

HWND FindTop(const wchar_t* cls, const wchar_t* title) { return FindWindowW(cls, title); }

HWND WaitTop(const wchar_t* cls, const wchar_t* title, Ms timeout) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowW(cls, title)) != nullptr; }, timeout);
  return found;
}

int CountTop(const wchar_t* cls) {
  struct Ctx {
    const wchar_t* cls;
    int count;
  } ctx{cls, 0};
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* c = reinterpret_cast<Ctx*>(lp);
        wchar_t name[256];
        if (GetClassNameW(h, name, 256) && wcscmp(name, c->cls) == 0) ++c->count;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ctx));
  return ctx.count;
}

std::wstring Text(HWND hwnd) {
  wchar_t buffer[4096];
  // WM_GETTEXT is marshalled across processes; GetWindowText does not read other processes'
  // controls.
  LRESULT n = SendMessageW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer));
  return std::wstring(buffer, static_cast<size_t>(n));
}

bool HasChildWithText(HWND parent, const std::wstring& text) {
  struct Ctx {
    const std::wstring* text;
    bool found;
  } ctx{&text, false};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM lp) -> BOOL {
        auto* c = reinterpret_cast<Ctx*>(lp);
        c->found = c->found || Text(child) == *c->text;
        return !c->found;
      },
      reinterpret_cast<LPARAM>(&ctx));
  return ctx.found;
}

bool Visible(HWND hwnd) { return hwnd && IsWindowVisible(hwnd); }

RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

RECT ClientRect(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return r;
}

RECT WorkArea() {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

// The screen's pixels in `r`, 0x00RRGGBB, row by row.
std::vector<uint32_t> Grab(const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return {};
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + w * h);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return pixels;
}

int DarkPixels(const RECT& r) {
  int n = 0;
  for (uint32_t p : Grab(r))
    n += ((p >> 16) & 0xff) < 64 && ((p >> 8) & 0xff) < 64 && (p & 0xff) < 64;
  return n;
}

void Screenshot(const std::string& name, Ms settle) {
  const std::wstring dir = Env(L"TAVU_SCREENS");
  if (dir.empty()) return;
  // A display without a compositor draws the on-top picture opaque, over the windows a shot is
  // about: it is left out of every shot but its own, and of none while a menu is open (hiding a
  // window would close the menu).
  std::vector<HWND> hidden;
  if (name.find("on-top") == std::string::npos && VisibleMenus() == 0) {
    for (HWND sot = nullptr; (sot = FindWindowExW(nullptr, sot, L"TSOTForm", nullptr));) {
      if (!IsWindowVisible(sot)) continue;
      ShowWindow(sot, SW_HIDE);
      hidden.push_back(sot);
    }
  }
  Sleep(static_cast<DWORD>(settle.count()));
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  const std::vector<uint32_t> pixels = Grab({0, 0, w, h});
  for (HWND sot : hidden) ShowWindow(sot, SW_SHOWNA);
  PngWriter::Write(dir + L"\\" + Wide(name) + L".png", w, h, pixels);
}

void ScreenshotAll(const std::string& name, Ms settle) {
  const std::wstring dir = Env(L"TAVU_SCREENS");
  if (dir.empty()) return;
  // As in Screenshot: the on-top picture, drawn opaque here, only in its own shots.
  std::vector<HWND> hidden;
  if (name.find("on-top") == std::string::npos) {
    for (const wchar_t* cls : {L"TSOTForm", L"TSOTFormCover"})
      for (HWND sot = nullptr; (sot = FindWindowExW(nullptr, sot, cls, nullptr));) {
        if (!IsWindowVisible(sot)) continue;
        ShowWindow(sot, SW_HIDE);
        hidden.push_back(sot);
      }
  }
  Sleep(static_cast<DWORD>(settle.count()));
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const std::vector<uint32_t> pixels = Grab({x, y, x + w, y + h});
  for (HWND sot : hidden) ShowWindow(sot, SW_SHOWNA);
  PngWriter::Write(dir + L"\\" + Wide(name) + L".png", w, h, pixels);
}

void Command(HWND main, const char* item) {
  PostMessageW(main, WM_COMMAND, tavu::MainMenu::IdOf(item), 0);
}

void TrayLeftClick(HWND main) { PostMessageW(main, 0x401, 0, WM_LBUTTONUP); }

void NudgeMouse() {
  static int dx = 8;
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = dx;
  in.mi.dwFlags = MOUSEEVENTF_MOVE;
  dx = -dx;
  SendInput(1, &in, sizeof in);
}

void ShowStatPage(HWND stat, int page) {
  HWND tabs = GetDlgItem(stat, tavu::ids::kStatPages);
  const RECT r = ClientRect(tabs);
  // Four buttons of 110 of the strip's 500 design pixels, with separators.
  const int x = (page * 116 + 55) * r.right / 500;
  const LPARAM at = MAKELPARAM(x, r.bottom / 2);
  PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(tabs, WM_LBUTTONUP, 0, at);
}

HWND OpenTrayMenu(HWND main) {
  constexpr UINT kTrayCallback = 0x401;
  PostMessageW(main, kTrayCallback, 100, WM_RBUTTONUP);
  HWND popup = nullptr;
  WaitUntil([&] { return (popup = FindTop(L"#32768")) && Visible(popup); });
  EXPECT_NE(popup, nullptr) << "menu did not open";
  return popup;
}

void Key(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
  Sleep(80);
}

int VisibleMenus() {
  int n = 0;
  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
       w = FindWindowExW(nullptr, w, L"#32768", nullptr))
    n += Visible(w) ? 1 : 0;
  return n;
}

void Choose(int downs, int sub_downs) {
  for (int i = 0; i < downs; ++i) Key(VK_DOWN);
  if (sub_downs >= 0) {
    Key(VK_RIGHT);
    WaitUntil([] { return VisibleMenus() >= 2; }, 3s);
    for (int i = 0; i < sub_downs; ++i) Key(VK_DOWN);
  }
  Key(VK_RETURN);
  WaitUntil([] { return VisibleMenus() == 0; }, 3s);
}

namespace {
// How Wine's shell32 packs a NOTIFYICONDATA for the shell: fixed-size fields, then the icon's
// bits when it has one.
struct WineNotifyData {
  LONG hwnd;
  UINT id, flags, callback_message;
  WCHAR tip[128];
  DWORD state, state_mask;
  WCHAR info[256];
  UINT timeout_or_version;
  WCHAR info_title[64];
  DWORD info_flags;
  GUID guid;
  UINT width, height, planes, bpp;
};
}  // namespace

TrayStandIn::TrayStandIn() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"Shell_TrayWnd";
  RegisterClassW(&wc);
  // Top-most, so that it comes before the real one in the search.
  hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", nullptr, WS_POPUP, 0,
                          0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TrayStandIn::~TrayStandIn() { DestroyWindow(hwnd_); }

LRESULT CALLBACK TrayStandIn::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TrayStandIn*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg != WM_COPYDATA || !self) return DefWindowProcW(hwnd, msg, wp, lp);
  const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
  if (cds->cbData < sizeof(WineNotifyData) || cds->dwData == NIM_DELETE) return TRUE;
  const auto* data = static_cast<const WineNotifyData*>(cds->lpData);
  ++self->calls;
  if (data->flags & NIF_TIP) self->tip.assign(data->tip, wcsnlen(data->tip, std::size(data->tip)));
  if (data->flags & NIF_ICON)
    self->icon.assign(static_cast<const char*>(cds->lpData) + sizeof(WineNotifyData),
                      cds->cbData - sizeof(WineNotifyData));
  return TRUE;
}

HWND ToolTipOf(HWND owner) {
  for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
       w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr))
    if (GetWindow(w, GW_OWNER) == owner) return w;
  return nullptr;
}

bool SendDpiChanged(HWND window, int dpi, const RECT& suggested) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return false;
  void* remote =
      VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  SIZE_T written = 0;
  const bool ok = remote &&
                  WriteProcessMemory(process, remote, &suggested, sizeof suggested, &written) &&
                  written == sizeof suggested;
  if (ok) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                        reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 10000, &result);
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return ok;
}

RECT RectInParent(HWND child) {
  RECT r = WindowRect(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

Launch::~Launch() {
  Kill();
  if (pi.hProcess) CloseHandle(pi.hProcess);
  if (pi.hThread) CloseHandle(pi.hThread);
}

bool Launch::Running() const {
  return pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Launch::WaitExit(Ms timeout) {
  if (!pi.hProcess) return std::nullopt;
  bool ended = WaitUntil([&] { return !Running(); }, timeout);
  if (!ended) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  return code;
}

void Launch::Kill() {
  if (Running()) {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 10000);
  }
}

Sandbox::Sandbox() {
  const std::wstring root = Env(L"TAVU_E2E_WORK");
  folder_ = root + L"\\" + TestName();
  CreateDirectoryW(root.c_str(), nullptr);
  CreateDirectoryW(folder_.c_str(), nullptr);
  DeleteFileW(PathOf(L"lh20cfg").c_str());
  CopyFileW(Env(L"TAVU_EXE").c_str(), PathOf(L"tavu.exe").c_str(), FALSE);
}

Sandbox::~Sandbox() {
  launches_.clear();  // kills what still runs
  if (dpi_set_) SetLogPixels(96);
  // The next test must not find this one's windows.
  WaitUntil([] { return FindTop(kMainClass) == nullptr; }, 10s);
}

void Sandbox::WriteFile(const wchar_t* name, const std::string& bytes) const {
  FILE* f = _wfopen(PathOf(name).c_str(), L"wb");
  ASSERT_NE(f, nullptr);
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}

std::optional<std::string> Sandbox::ReadFile(const wchar_t* name) const {
  FILE* f = _wfopen(PathOf(name).c_str(), L"rb");
  if (!f) return std::nullopt;
  std::string data;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
  fclose(f);
  return data;
}

std::wstring SharedPathFolder() {
  wchar_t app_data[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, app_data);
  return std::wstring(app_data) + L"\\LanHe";
}

void WriteSharedPathFile(const wchar_t* name, const std::wstring& line1) {
  const std::wstring folder = SharedPathFolder();
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring text = line1 + L"\r\n23\r\n";
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                      nullptr, nullptr);
  FILE* f = _wfopen((folder + L"\\" + name).c_str(), L"wb");
  ASSERT_NE(f, nullptr);
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}

Launch& Sandbox::Start(const std::vector<std::wstring>& env) {
  if (!first_run) WriteSharedPathFile(L"dir1", PathOf(L"tavu.exe"));
  if (dpi > 0) {
    SetLogPixels(static_cast<DWORD>(dpi));
    dpi_set_ = true;
  }
  // The parent's environment, then the extra variables.
  std::wstring block;
  wchar_t* parent = GetEnvironmentStringsW();
  for (wchar_t* p = parent; *p; p += wcslen(p) + 1) {
    std::wstring var = p;
    bool overridden = false;
    for (const auto& e : env)
      if (_wcsnicmp(var.c_str(), e.c_str(), e.find(L'=') + 1) == 0) overridden = true;
    if (!overridden) block += var + L'\0';
  }
  FreeEnvironmentStringsW(parent);
  for (const auto& e : env) block += e + L'\0';
  block += L'\0';

  auto launch = std::make_unique<Launch>();
  STARTUPINFOW si{sizeof si};
  std::wstring cmd = L"\"" + PathOf(L"tavu.exe") + L"\"";
  BOOL ok = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                           block.data(), folder_.c_str(), &si, &launch->pi);
  EXPECT_TRUE(ok) << "CreateProcess failed: " << GetLastError();
  launches_.push_back(std::move(launch));
  return *launches_.back();
}

HWND Sandbox::StartAndWaitMain(const std::vector<std::wstring>& env) {
  Start(env);
  HWND main = WaitTop(kMainClass);
  EXPECT_NE(main, nullptr) << "no main window";
  return main;
}

}  // namespace e2e
