#pragma once
#include <cstdint>
#include <string_view>

#include "ports/clock.hpp"
#include "ports/event_loop.hpp"
#include "ports/processes.hpp"
#include "ui/forms.hpp"

namespace tavu {

inline constexpr std::string_view kBuiltInSaverForm = "frmScrZEVO";

// Waits `ms` milliseconds of the tick while the program's windows and timers keep running.
void WaitWithMessages(Clock& clock, EventLoop& loop, uint64_t ms);

// Whether a running process's executable has this extension (".scr"); any letter case.
bool IsProcessRunningWithExt(Processes& processes, std::string_view ext);

// A screen-saver program or the built-in screen saver's window is running.
bool IsScreenSaverRunning(Processes& processes, const OpenForms& forms);

}  // namespace tavu
