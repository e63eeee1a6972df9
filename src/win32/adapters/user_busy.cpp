#include "adapters/user_busy.hpp"

#include <shellapi.h>

namespace tavu::win {
namespace {

// A QWORD value of an open key; 0 when absent or of another type.
uint64_t QwordOf(HKEY key, const wchar_t* name) {
  uint64_t value = 0;
  DWORD bytes = sizeof value;
  if (RegGetValueW(key, nullptr, name, RRF_RT_REG_QWORD, nullptr, &value, &bytes) != ERROR_SUCCESS)
    return 0;
  return value;
}

// A program's key holds the device while it was started and not stopped. Desktop programs sit
// one level deeper, under "NonPackaged", a key per executable path; `depth` allows that level.
bool AnyInUse(HKEY key, int depth) {
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(std::size(name));
    const LSTATUS status = RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_MORE_DATA) continue;  // no program path is this long; skip it
    if (status != ERROR_SUCCESS) return false;
    HKEY sub = nullptr;
    if (RegOpenKeyExW(key, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    const bool in_use =
        (QwordOf(sub, L"LastUsedTimeStart") != 0 && QwordOf(sub, L"LastUsedTimeStop") == 0) ||
        (depth > 0 && AnyInUse(sub, depth - 1));
    RegCloseKey(sub);
    if (in_use) return true;
  }
}

}  // namespace

bool Win32UserBusy::Presenting() {
  QUERY_USER_NOTIFICATION_STATE state{};
  if (FAILED(SHQueryUserNotificationState(&state))) return false;
  return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN ||
         state == QUNS_PRESENTATION_MODE;
}

bool Win32UserBusy::InCall() { return DeviceInUse(L"microphone") || DeviceInUse(L"webcam"); }

bool Win32UserBusy::DeviceInUse(const std::wstring& device) {
  HKEY key = nullptr;
  const std::wstring path = std::wstring(kConsentStore) + L"\\" + device;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  const bool in_use = AnyInUse(key, 1);
  RegCloseKey(key);
  return in_use;
}

}  // namespace tavu::win
