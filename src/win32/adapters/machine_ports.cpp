#include "adapters/machine_ports.hpp"

#include <knownfolders.h>
#include <mmsystem.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "adapters/system_library.hpp"
#include "ui/resources.hpp"
#include "ui/text.hpp"

namespace tavu::win {

namespace {

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

}  // namespace

std::optional<std::string> Win32Registry::Read(RegistryRoot root, std::string_view key,
                                               std::string_view name) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(RootKey(root), Wide(key).c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS)
    return std::nullopt;
  const std::wstring value = Wide(name);
  std::optional<std::string> result;
  // A value may grow between the two calls: ask again with its new size.
  for (int tries = 0; tries < 4; ++tries) {
    DWORD bytes = 0;
    LSTATUS status =
        RegGetValueW(h, nullptr, value.c_str(), RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                     nullptr, nullptr, &bytes);
    if (status != ERROR_SUCCESS) break;
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    status =
        RegGetValueW(h, nullptr, value.c_str(), RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                     nullptr, data.data(), &bytes);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) break;
    data.resize(wcsnlen(data.c_str(), bytes / sizeof(wchar_t)));
    result = Utf8(data);
    break;
  }
  RegCloseKey(h);
  return result;
}

bool Win32Registry::Write(RegistryRoot root, std::string_view key, std::string_view name,
                          std::string_view data) {
  HKEY h = nullptr;
  if (RegCreateKeyExW(RootKey(root), Wide(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const std::wstring text = Wide(data);
  const LSTATUS status =
      RegSetValueExW(h, Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(h);
  return status == ERROR_SUCCESS;
}

bool Win32Registry::Delete(RegistryRoot root, std::string_view key, std::string_view name) {
  HKEY h = nullptr;
  const LSTATUS open = RegOpenKeyExW(RootKey(root), Wide(key).c_str(), 0, KEY_SET_VALUE, &h);
  if (open == ERROR_FILE_NOT_FOUND) return true;
  if (open != ERROR_SUCCESS) return !Read(root, key, name).has_value();
  const LSTATUS status = RegDeleteValueW(h, Wide(name).c_str());
  RegCloseKey(h);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::string Win32ShellLinks::FolderPath(ShellFolder folder) {
  if (folder == ShellFolder::Windows || folder == ShellFolder::System) {
    // Asked for its length first: a path of any length.
    auto get = folder == ShellFolder::Windows ? GetWindowsDirectoryW : GetSystemDirectoryW;
    std::wstring path(get(nullptr, 0), L'\0');
    const UINT n = get(path.data(), static_cast<UINT>(path.size()));
    if (n == 0 || n >= path.size()) return {};
    path.resize(n);
    return Utf8(path);
  }
  const KNOWNFOLDERID* id = &FOLDERID_RoamingAppData;
  if (folder == ShellFolder::Programs) id = &FOLDERID_Programs;
  if (folder == ShellFolder::Desktop) id = &FOLDERID_Desktop;
  PWSTR path = nullptr;
  std::string result;
  if (SUCCEEDED(SHGetKnownFolderPath(*id, KF_FLAG_DEFAULT, nullptr, &path))) result = Utf8(path);
  CoTaskMemFree(path);
  return result;
}

bool Win32ShellLinks::Save(const ShellLink& link, std::string_view link_path) {
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool ok = false;
  IShellLinkW* shell_link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shell_link)))) {
    IPersistFile* file = nullptr;
    ok = SUCCEEDED(shell_link->SetPath(Wide(link.target).c_str())) &&
         SUCCEEDED(shell_link->SetArguments(Wide(link.arguments).c_str())) &&
         SUCCEEDED(shell_link->SetWorkingDirectory(Wide(link.working_folder).c_str())) &&
         SUCCEEDED(shell_link->SetDescription(Wide(link.description).c_str())) &&
         SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    if (file) {
      ok = ok && SUCCEEDED(file->Save(Wide(link_path).c_str(), FALSE));
      file->Release();
    }
    shell_link->Release();
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return ok;
}

void Win32Sound::Play(SoundCue cue) {
  const int id = cue == SoundCue::Chime        ? kResChimeWave
                 : cue == SoundCue::BreakStart ? kResBreakStartWave
                                               : kResBreakEndWave;
  const auto play = SystemFunction<decltype(PlaySoundW)>(L"winmm.dll", "PlaySoundW");
  // SND_NODEFAULT: with no sound device there is silence, not the system's default beep.
  if (play)
    play(MAKEINTRESOURCEW(id), GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

bool Win32Clipboard::SetText(std::string_view utf8) {
  const std::wstring text = Wide(utf8);
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  if (void* p = GlobalLock(memory)) {
    memcpy(p, text.c_str(), bytes);
    GlobalUnlock(memory);
  }
  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!ok) GlobalFree(memory);  // the clipboard owns it only once taken
  return ok;
}

std::optional<std::string> Win32CodePage::Encode(std::string_view utf8) {
  const std::wstring wide = Wide(utf8);
  if (wide.empty()) return std::string();
  const UINT cp = GetACP();
  // A UTF-8 system code page holds everything, and refuses the lost-character flag.
  BOOL lost = FALSE;
  BOOL* lost_flag = cp == CP_UTF8 ? nullptr : &lost;
  const DWORD flags = cp == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int n = WideCharToMultiByte(cp, flags, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, lost_flag);
  if (n <= 0 || lost) return std::nullopt;
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(cp, flags, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                      lost_flag);
  if (lost) return std::nullopt;
  return out;
}

std::string Win32CodePage::Decode(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return Utf8(wide);
}

}  // namespace tavu::win
