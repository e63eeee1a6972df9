#include "ui/dpi.hpp"

namespace tavu::win {

namespace {

// GetDpiForMonitor's MDT_EFFECTIVE_DPI.
constexpr int kEffectiveDpi = 0;

template <typename Fn>
Fn Lookup(const wchar_t* module, const char* name, bool load) {
  HMODULE m = load ? LoadLibraryW(module) : GetModuleHandleW(module);
  return m ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

// Windows 10 1607 and later.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
// Windows 8.1 and later (shcore.dll).
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

struct Calls {
  GetDpiForWindowFn for_window = Lookup<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow", false);
  GetDpiForSystemFn for_system = Lookup<GetDpiForSystemFn>(L"user32.dll", "GetDpiForSystem", false);
  AdjustWindowRectExForDpiFn adjust =
      Lookup<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi", false);
  GetDpiForMonitorFn for_monitor =
      Lookup<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor", true);
};

const Calls& Api() {
  static const Calls calls;
  return calls;
}

}  // namespace

int SystemDpi() {
  if (Api().for_system) {
    if (const UINT dpi = Api().for_system()) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int WindowDpi(HWND hwnd) {
  if (hwnd && Api().for_window) {
    if (const UINT dpi = Api().for_window(hwnd)) return static_cast<int>(dpi);
  }
  if (hwnd && Api().for_monitor) {
    UINT x = 0, y = 0;
    HMONITOR monitor = MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY);
    if (SUCCEEDED(Api().for_monitor(monitor, kEffectiveDpi, &x, &y)) && y > 0)
      return static_cast<int>(y);
  }
  return SystemDpi();
}

int MonitorDpi(HMONITOR monitor) {
  UINT x = 0, y = 0;
  if (monitor && Api().for_monitor &&
      SUCCEEDED(Api().for_monitor(monitor, kEffectiveDpi, &x, &y)) && y > 0)
    return static_cast<int>(y);
  return SystemDpi();
}

void AdjustFrameForDpi(RECT* rect, DWORD style, DWORD ex_style, int dpi) {
  if (!Api().adjust || !Api().adjust(rect, style, FALSE, ex_style, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(rect, style, FALSE, ex_style);
}

}  // namespace tavu::win
