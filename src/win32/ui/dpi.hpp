#pragma once
#include <windows.h>

namespace tavu::win {

// The density a window is shown at: that of the monitor it is on (per-monitor awareness), or the
// system's where Windows is older than the calls that tell (they are looked up at run time, so
// the program still starts on Windows 7).
int WindowDpi(HWND hwnd);
int SystemDpi();
// A monitor's effective density; the system's where Windows cannot tell one monitor's.
int MonitorDpi(HMONITOR monitor);

// The frame around a client rectangle at `dpi`: the caption and borders of a per-monitor aware
// window follow its monitor, not the system's metrics.
void AdjustFrameForDpi(RECT* rect, DWORD style, DWORD ex_style, int dpi);

}  // namespace tavu::win
