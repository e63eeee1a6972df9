#include "adapters/power.hpp"

#include <powrprof.h>

#include "adapters/system_library.hpp"

namespace tavu::win {
namespace {

// The time the machine spent asleep so far: the tick counts sleep, the unbiased interrupt
// time does not.
uint64_t AsleepMs() {
  ULONGLONG unbiased = 0;  // 100 ns
  if (!QueryUnbiasedInterruptTime(&unbiased)) return 0;
  const uint64_t awake_ms = unbiased / 10'000;
  const uint64_t tick = GetTickCount64();
  return tick > awake_ms ? tick - awake_ms : 0;
}

const wchar_t kPowerLibrary[] = L"powrprof.dll";

}  // namespace

bool Win32Power::EnableShutdownPrivilege(bool enable) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
    return false;
  TOKEN_PRIVILEGES tp{};
  tp.PrivilegeCount = 1;
  bool ok = LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &tp.Privileges[0].Luid) != FALSE;
  if (ok) {
    tp.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    SetLastError(ERROR_SUCCESS);
    AdjustTokenPrivileges(token, FALSE, &tp, sizeof tp, nullptr, nullptr);
    ok = GetLastError() == ERROR_SUCCESS;
  }
  CloseHandle(token);
  return ok;
}

bool Win32Power::HasStandby() {
  SYSTEM_POWER_CAPABILITIES caps{};
  const auto capabilities =
      SystemFunction<decltype(GetPwrCapabilities)>(kPowerLibrary, "GetPwrCapabilities");
  if (!capabilities || !capabilities(&caps)) return true;  // unknown: try the classic request
  return caps.SystemS1 || caps.SystemS2 || caps.SystemS3;
}

SuspendOutcome Win32Power::Suspend(bool hibernate) {
  const uint64_t asleep_before = AsleepMs();
  const auto suspend = SystemFunction<decltype(SetSuspendState)>(kPowerLibrary, "SetSuspendState");
  const bool ok = suspend && suspend(hibernate ? TRUE : FALSE, TRUE, FALSE) != FALSE;
  const uint64_t asleep_after = AsleepMs();
  return {ok, asleep_after > asleep_before ? asleep_after - asleep_before : 0};
}

void Win32Power::DisplayOff() {
  // To the program's own window, synchronously: a broadcast would reach every program's
  // windows. 2: the display is being shut off.
  if (main_window) SendMessageW(main_window, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
}

}  // namespace tavu::win
