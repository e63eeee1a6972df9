// The smallest program of tavu.exe's kind: common controls 6, COM, a tray icon and one hidden
// window with a tab control and thirty check boxes, then the message loop. The yardstick for
// tavu.exe's memory footprint.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(h, m, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = L"TavuTrayMinimal";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"tray", WS_OVERLAPPEDWINDOW, 0, 0, 660, 480,
                                nullptr, nullptr, instance, nullptr);
  HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 640, 440, window,
                              nullptr, instance, nullptr);
  for (int i = 0; i < 4; ++i) {
    wchar_t caption[] = L"page 0";
    caption[5] = static_cast<wchar_t>(L'1' + i);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  for (int i = 0; i < 30; ++i) {
    CreateWindowExW(0, L"BUTTON", L"check box", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                    20 + 200 * (i / 10), 40 + 30 * (i % 10), 180, 24, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), instance, nullptr);
  }

  NOTIFYICONDATAW tray{};
  tray.cbSize = sizeof tray;
  tray.hWnd = window;
  tray.uID = 1;
  tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  tray.uCallbackMessage = kTrayMessage;
  tray.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  lstrcpynW(tray.szTip, L"tray", ARRAYSIZE(tray.szTip));
  Shell_NotifyIconW(NIM_ADD, &tray);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Shell_NotifyIconW(NIM_DELETE, &tray);
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}
