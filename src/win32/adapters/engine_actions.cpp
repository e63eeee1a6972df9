#include "adapters/engine_actions.hpp"

#include <windows.h>

#include "adapters/system_ports.hpp"

namespace tavu::win {

void Win32EngineActions::ShutdownDisplayer() {
  // To the program's own window, synchronously: a broadcast would reach every program's windows.
  // 2: the display is being shut off.
  if (main_window) SendMessageW(main_window, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
}

void Win32EngineActions::ShellToggleDesktop() { CallShellApplication(L"ToggleDesktop"); }

}  // namespace tavu::win
