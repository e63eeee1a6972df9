// Starts a program and stops at the moments its memory is to be measured, for scripts/bench,
// which reads the process's pages from Linux. At each moment it prints "measure <when>" and waits
// for a line on its input. Usage: footprint_driver <exe> <main window class> [breaks]
//   a few seconds after the main window appeared ("start"); then, for each of `breaks` breaks
//   (tavu.exe at sixty times with the children's plan), during the break ("break", "break2", ...)
//   and a few seconds after it ended ("after", "after2", ...), working (moving the mouse)
//   meanwhile as a user would.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "ui/control_ids.hpp"

namespace {

constexpr DWORD kSettleMs = 4000;

bool Visible(HWND h) { return h && IsWindowVisible(h); }

// A user at work: a one-pixel mouse movement.
void Nudge() {
  static int flip = 1;
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = flip;
  in.mi.dwFlags = MOUSEEVENTF_MOVE;
  flip = -flip;
  SendInput(1, &in, sizeof in);
}

// Waits until `done` holds, moving the mouse every half second; false when time is up.
bool WorkUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  const ULONGLONG start = GetTickCount64();
  ULONGLONG nudged = 0;
  while (!done()) {
    const ULONGLONG now = GetTickCount64();
    if (now - start > timeout_ms) return false;
    if (now - nudged >= 500) {
      Nudge();
      nudged = now;
    }
    Sleep(20);
  }
  return true;
}

void Work(DWORD ms) {
  const ULONGLONG until = GetTickCount64() + ms;
  WorkUntil([&] { return GetTickCount64() >= until; }, ms + 1000);
}

// Tells the script to measure now and waits until it has.
bool Measure(const char* when, int round = 1) {
  if (round > 1)
    std::printf("measure %s%d\n", when, round);
  else
    std::printf("measure %s\n", when);
  std::fflush(stdout);
  char line[64];
  return std::fgets(line, sizeof line, stdin) != nullptr;
}

int Fail(const char* what) {
  std::printf("failed %s\n", what);
  std::fflush(stdout);
  return 1;
}

int RemainingSeconds(HWND screen) {
  wchar_t text[32] = L"";
  GetWindowTextW(GetDlgItem(screen, tavu::ids::kBreakRemainSec), text, 32);
  return text[0] ? _wtoi(text) : -1;
}

// One break: the children's plan brings the countdown after half a minute of work at sixty
// times; its minute runs out into the break screen, whose five minutes are five seconds here;
// then a click on the background ends it.
int Break(int round) {
  if (!WorkUntil([] { return FindWindowW(L"TfrmBreakHint", nullptr) != nullptr; }, 90000))
    return Fail("no countdown");
  HWND screen = nullptr;
  if (!WorkUntil([&] { return Visible(screen = FindWindowW(L"TTWForm", nullptr)); }, 20000))
    return Fail("no break screen");
  BYTE alpha = 0;
  if (!WorkUntil(
          [&] {
            return GetLayeredWindowAttributes(screen, nullptr, &alpha, nullptr) && alpha >= 150;
          },
          10000))
    return Fail("break screen never faded in");
  Sleep(1000);  // painted, counting
  if (!Measure("break", round)) return 1;

  if (!WorkUntil([&] { return RemainingSeconds(screen) == 0; }, 20000))
    return Fail("break never ended");
  Sleep(300);
  PostMessageW(screen, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 300));
  PostMessageW(screen, WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
  if (!WorkUntil([&] { return !IsWindow(screen) || !IsWindowVisible(screen); }, 5000))
    return Fail("break screen stayed");
  Work(kSettleMs);
  return Measure("after", round) ? 0 : 1;
}

int Drive(const std::wstring& cls, int breaks) {
  if (!WorkUntil([&] { return FindWindowW(cls.c_str(), nullptr) != nullptr; }, 20000))
    return Fail("no main window");
  Work(kSettleMs);
  if (!Measure("start")) return 1;
  for (int round = 1; round <= breaks; ++round)
    if (const int failed = Break(round)) return failed;
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: footprint_driver <exe> <main window class> [breaks]\n");
    return 2;
  }
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + std::wstring(argv[1]) + L"\"";
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return Fail("could not start");
  const int result = Drive(argv[2], argc > 3 ? _wtoi(argv[3]) : 0);
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return result;
}
