#pragma once
#include <windows.h>

namespace tavu::win {

// A system DLL loaded for one use and released after it. The common dialogs, the sound and the
// power functions are used rarely, and what they load behind them (the printer spooler and its
// libraries, the audio stack) would otherwise stay in the process for as long as it runs.
class SystemLibrary {
 public:
  explicit SystemLibrary(const wchar_t* name) : module_(LoadFromSystemFolder(name)) {}
  ~SystemLibrary() {
    if (module_) FreeLibrary(module_);
  }
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;

  // The system folder's copy, never one beside the program: by its full path, which every
  // version of Windows takes (LOAD_LIBRARY_SEARCH_SYSTEM32 needs an update on Windows 7).
  static HMODULE LoadFromSystemFolder(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    const UINT n = GetSystemDirectoryW(path, MAX_PATH);
    if (n == 0 || n + 1 + lstrlenW(name) >= MAX_PATH) return nullptr;
    path[n] = L'\\';
    lstrcpyW(path + n + 1, name);
    return LoadLibraryW(path);
  }

  // The function `name` of type Fn, or null when the DLL or the function is missing.
  template <typename Fn>
  Fn* Get(const char* name) const {
    if (!module_) return nullptr;
    return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_;
};

}  // namespace tavu::win
