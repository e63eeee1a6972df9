// Measures process start to main window for a program: coldstart <exe> <window class> [runs].
// Prints the file size and the median of the runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

static double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    fwprintf(stderr, L"usage: coldstart <exe> <window class> [runs]\n");
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
