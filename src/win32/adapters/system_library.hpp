#pragma once
#include <windows.h>

namespace tavu::win {

// The system folder's copy of a DLL, never one beside the program: by its full path, which every
// version of Windows takes (LOAD_LIBRARY_SEARCH_SYSTEM32 needs an update on Windows 7).
inline HMODULE LoadFromSystemFolder(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  const UINT n = GetSystemDirectoryW(path, MAX_PATH);
  if (n == 0 || n + 1 + lstrlenW(name) >= MAX_PATH) return nullptr;
  path[n] = L'\\';
  lstrcpyW(path + n + 1, name);
  return LoadLibraryW(path);
}

// A function of a system DLL the program uses rarely (the common dialogs, the power functions,
// the sound), or null when it is missing. The DLL is loaded at the first use, not at start: what
// it brings behind it (the printer spooler and its libraries, the audio stack) stays out of a
// process that may never need it. Once loaded it stays, so no thread or object it left behind
// can outlive its code.
template <typename Fn>
Fn* SystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  if (!module) module = LoadFromSystemFolder(library);
  if (!module) return nullptr;
  return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace tavu::win
