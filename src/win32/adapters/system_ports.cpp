#include "adapters/system_ports.hpp"

#include <ole2.h>
#include <oleauto.h>
#include <tlhelp32.h>

#include "ui/text.hpp"

namespace tavu::win {

std::vector<std::string> Win32Processes::ExecutableNames() {
  std::vector<std::string> names;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return names;
  PROCESSENTRY32W entry{sizeof entry};
  for (BOOL ok = Process32FirstW(snapshot, &entry); ok; ok = Process32NextW(snapshot, &entry))
    names.push_back(Utf8(entry.szExeFile));
  CloseHandle(snapshot);
  return names;
}

void Win32EventLoop::ProcessMessages(uint64_t max_wait_ms) {
  const DWORD wait = static_cast<DWORD>(std::min<uint64_t>(max_wait_ms / scale_, INFINITE - 1));
  MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool CallShellApplication(const wchar_t* method) {
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool ok = false;
  CLSID clsid;
  IDispatch* shell = nullptr;
  if (SUCCEEDED(CLSIDFromProgID(L"Shell.Application", &clsid)) &&
      SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                 IID_IDispatch, reinterpret_cast<void**>(&shell)))) {
    DISPID id;
    LPOLESTR name = const_cast<LPOLESTR>(method);
    if (SUCCEEDED(shell->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) {
      DISPPARAMS none{};
      ok = SUCCEEDED(shell->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                   nullptr, nullptr, nullptr));
    }
    shell->Release();
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return ok;
}

namespace {
std::string LocaleString(LCTYPE type, const char* fallback) {
  wchar_t buffer[128];
  const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 128);
  return n > 1 ? Utf8(std::wstring_view(buffer, static_cast<size_t>(n - 1))) : fallback;
}
}  // namespace

std::string ShortDateFormat() { return LocaleString(LOCALE_SSHORTDATE, "yyyy-M-d"); }
std::string LongTimeFormat() { return LocaleString(LOCALE_STIMEFORMAT, "H:mm:ss"); }

}  // namespace tavu::win
