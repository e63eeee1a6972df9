// The smallest useful Win32 program: one window and a message loop. The yardstick for
// tavu.exe's cold start.
#include <windows.h>

static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(h, m, w, l);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = L"TavuMinimal";
  RegisterClassW(&wc);
  HWND h = CreateWindowExW(0, L"TavuMinimal", L"minimal", WS_POPUP, 0, 0, 100, 100, nullptr,
                           nullptr, instance, nullptr);
  ShowWindow(h, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
