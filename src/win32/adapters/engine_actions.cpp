#include "adapters/engine_actions.hpp"

#include <windows.h>

#include "adapters/system_ports.hpp"

namespace tavu::win {

void Win32EngineActions::ShellToggleDesktop() { CallShellApplication(L"ToggleDesktop"); }

}  // namespace tavu::win
