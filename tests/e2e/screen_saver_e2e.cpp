#include <gtest/gtest.h>

#include "harness.hpp"

namespace e2e {
namespace {

constexpr wchar_t kSaverClass[] = L"TfrmScrZEVO";

// The saver as a user sees it: shown, over the whole screen.
HWND WaitSaver(Ms timeout) {
  HWND saver = nullptr;
  WaitUntil([&] { return (saver = FindTop(kSaverClass)) && Visible(saver); }, timeout);
  return saver;
}

// The pointer moved as a mouse moves it, to a place on the primary screen.
void MoveMouseTo(int x, int y) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

// Nobody at the machine: after two idle minutes (two seconds at sixty times) the engine starts
// the built-in saver. The pointer moving two pixels only repaints it; three pixels end it.
TEST(ScreenSaver, IdleTimeStartsTheBuiltInSaverAndAThreePixelMoveEndsIt) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  MoveMouseTo(400, 300);
  box.StartAndWaitMain({L"TAVU_TIME_SCALE=60"});
  HWND saver = WaitSaver(15s);
  ASSERT_NE(saver, nullptr);
  const RECT r = WindowRect(saver);
  EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN));
  Sleep(1200);  // a few ticks of the moving line
  Screenshot("screen-saver-1920x1080");
  MoveMouseTo(402, 298);
  Sleep(700);
  EXPECT_TRUE(IsWindow(saver) && Visible(saver));
  MoveMouseTo(403, 300);  // three pixels from where it started
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(saver) || !Visible(saver); }, 3s));
}

TEST(ScreenSaver, WinSShowsItAtOnceAndAKeyEndsIt) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  PostMessageW(main, WM_HOTKEY, 1, MAKELPARAM(MOD_WIN, 'S'));
  HWND saver = WaitSaver(3s);
  ASSERT_NE(saver, nullptr);
  Sleep(300);
  Key(VK_SPACE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(saver) || !Visible(saver); }, 3s));
}

std::wstring DriverFolder() {
  wchar_t path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring folder(path, n);
  return folder.substr(0, folder.rfind(L'\\'));
}

// A saver file in the Windows folder, chosen in the settings: "立即启动" starts it as Windows
// starts a saver, full screen.
TEST(ScreenSaver, AChosenSaverFileIsStartedFullScreen) {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring saver = std::wstring(windows) + L"\\tavutest.scr";
  const std::wstring record = saver + L".args";
  DeleteFileW(record.c_str());
  ASSERT_TRUE(CopyFileW((DriverFolder() + L"\\test_saver.exe").c_str(), saver.c_str(), FALSE));
  struct Cleanup {
    std::wstring a, b;
    ~Cleanup() {
      DeleteFileW(a.c_str());
      DeleteFileW(b.c_str());
    }
  } cleanup{saver, record};

  Sandbox box;
  // Entry 2 of the catalogue: the first saver file of the Windows folder.
  box.WriteFile(L"lh20cfg",
                "x\r\n[0]\r\n[1]\r\n[2] 2 2\r\n[3]\r\n[4]\r\n[5]\r\n[6]\r\n"
                "[7] TRUE FALSE FALSE\r\n");
  HWND main = box.StartAndWaitMain();
  Command(main, "NLaunchSCR");
  ASSERT_TRUE(WaitUntil(
      [&] { return GetFileAttributesW(record.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10s));
  Sleep(200);
  HANDLE f = CreateFileW(record.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  wchar_t line[1024] = {};
  DWORD read = 0;
  ReadFile(f, line, sizeof line - sizeof(wchar_t), &read, nullptr);
  CloseHandle(f);
  const std::wstring args(line);
  EXPECT_NE(args.find(L"/s"), std::wstring::npos) << Utf8(args);
  EXPECT_EQ(args.find(L"%1"), std::wstring::npos) << Utf8(args);
  EXPECT_EQ(FindTop(kSaverClass), nullptr);  // not the built-in one
}

// Run on the small screen with the break-screen backgrounds.
TEST(Interfaces, TheBuiltInSaverOnASmallScreen) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  PostMessageW(main, WM_HOTKEY, 1, MAKELPARAM(MOD_WIN, 'S'));
  HWND saver = WaitSaver(3s);
  ASSERT_NE(saver, nullptr);
  Sleep(1500);
  Screenshot("screen-saver-1024x768");
  Key(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(saver) || !Visible(saver); }, 3s));
}

}  // namespace
}  // namespace e2e
