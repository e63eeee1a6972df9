#include "adapters/engine_actions.hpp"

#include <windows.h>

#include "adapters/system_ports.hpp"

namespace tavu::win {

void Win32EngineActions::ShutdownDisplayer() {
  // 2: the display is being shut off.
  PostMessageW(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
}

void Win32EngineActions::ShellToggleDesktop() { CallShellApplication(L"ToggleDesktop"); }

}  // namespace tavu::win
