// Measures process start to main window for a program: coldstart <exe> <window class> [runs].
// Prints the file size and the median of the runs.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

static double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

static double CpuSeconds(HANDLE process) {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(process, &created, &exited, &kernel, &user);
  auto sum = [](FILETIME f) {
    return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
  };
  return static_cast<double>(sum(kernel) + sum(user)) / 1e7;
}

// Idle cost: CPU time the program uses over `seconds` once its window is up, untouched.
static int Idle(const std::wstring& exe, const std::wstring& cls, int seconds) {
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + exe + L"\"";
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return 1;
  const double t0 = Now();
  while (!FindWindowW(cls.c_str(), nullptr) && Now() - t0 < 20000) Sleep(10);
  Sleep(2000);  // start-up done
  const double before = CpuSeconds(pi.hProcess);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  const double used = CpuSeconds(pi.hProcess) - before;
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  wprintf(L"idle for %d s (TAVU_TIME_SCALE=%hs): %.3f s of CPU (%.2f %% of a core)\n", seconds,
          getenv("TAVU_TIME_SCALE") ? getenv("TAVU_TIME_SCALE") : "1", used, 100.0 * used / seconds);
  return 0;
}

int wmain(int argc, wchar_t** argv) {
  if (argc >= 4 && std::wstring(argv[1]) == L"--idle") return Idle(argv[2], argv[3], argc > 4 ? _wtoi(argv[4]) : 20);
  if (argc < 3) {
    fwprintf(stderr, L"usage: coldstart <exe> <window class> [runs] | --idle <exe> <class> [s]\n");
    return 2;
  }
  const std::wstring exe = argv[1], cls = argv[2];
  const int runs = argc > 3 ? _wtoi(argv[3]) : 5;
  WIN32_FILE_ATTRIBUTE_DATA fa{};
  GetFileAttributesExW(exe.c_str(), GetFileExInfoStandard, &fa);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\"";
    const double t0 = Now();
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      return 1;
    HWND h = nullptr;
    while (!(h = FindWindowW(cls.c_str(), nullptr)) && Now() - t0 < 20000) Sleep(1);
    const double t1 = Now();
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    while (FindWindowW(cls.c_str(), nullptr)) Sleep(5);
    if (h) times.push_back(t1 - t0);
  }
  std::sort(times.begin(), times.end());
  const double median = times.empty() ? -1 : times[times.size() / 2];
  wprintf(L"%-16ls size %8lu bytes   cold start (median of %d) %7.1f ms\n",
          exe.substr(exe.find_last_of(L"\\/") + 1).c_str(), fa.nFileSizeLow,
          static_cast<int>(times.size()), median);
  return 0;
}
