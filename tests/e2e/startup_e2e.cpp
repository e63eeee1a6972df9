#include <gtest/gtest.h>

#include "harness.hpp"

#include <commctrl.h>

#include "settings/settings_store.hpp"

namespace e2e {
namespace {

const std::string kWarning =
    "\xc7\xeb\xce\xf0\xc9\xc3\xd7\xd4\xb8\xfc\xb8\xc4\xca\xfd\xbe\xdd\xa3\xac\xd3\xc9\xb4\xcb\xd4"
    "\xec\xb3\xc9\xb5\xc4\xc8\xed\xbc\xfe\xd4\xcb\xd0\xd0\xb4\xed\xce\xf3\xa3\xac\xba\xf3\xb9\xfb"
    "\xd7\xd4\xb8\xba\xa3\xa1\r\n";
const std::string kDefaultFile = kWarning +
                                 "[0] 2\r\n"
                                 "[1] 0 30 FALSE FALSE\r\n"
                                 "[2] 2 1 TRUE 10 TRUE 30 FALSE 0 FALSE\r\n"
                                 "[3] FALSE\r\n"
                                 "[4] 0 FALSE TRUE 24 5 32 12 200 112\r\n"
                                 "[5] 0 0\r\n"
                                 "[6] 0\r\n"
                                 "[7] TRUE FALSE TRUE\r\n";

constexpr UINT kMsgShowSplash = 0x1520;
constexpr UINT kMsgOpenScreenSaverSetup = 0x8201;

// Opens the settings window the way another program can, and waits for it.
HWND OpenSetup(HWND main) {
  PostMessageW(main, kMsgOpenScreenSaverSetup, 0, 0);
  HWND setup = WaitTop(kSetupClass);
  EXPECT_TRUE(WaitUntil([&] { return Visible(setup); })) << "settings window not shown";
  return setup;
}

TEST(Startup, WelcomePictureFillsItsShareOfTheScreenCentredInTheWorkArea) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  ASSERT_TRUE(WaitUntil([&] { return Visible(main); }));
  EXPECT_EQ(Text(main), L"欢迎使用...");
  Screenshot("welcome");
  const RECT r = WindowRect(main);
  const RECT wa = WorkArea();
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
  EXPECT_EQ(r.right - r.left, 1063);
  EXPECT_EQ(r.bottom - r.top, 502);
  EXPECT_EQ(r.left, (wa.right - wa.left - 1063) / 2);
  EXPECT_EQ(r.top, (wa.bottom - wa.top - 502) / 2);
  // Three seconds later it fades away; the program keeps running.
  EXPECT_TRUE(WaitUntil([&] { return !Visible(main); }, 8s));
  EXPECT_EQ(FindTop(kMainClass), main);
}

TEST(Startup, ASecondStartHandsOverToTheRunningInstance) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  ASSERT_TRUE(WaitUntil([&] { return !Visible(main); }, 8s));
  Launch& second = box.Start();
  EXPECT_EQ(second.WaitExit(5s), std::optional<DWORD>(0));
  EXPECT_TRUE(WaitUntil([&] { return Visible(main); }, 3s)) << "welcome not shown again";
  Screenshot("second-start-welcome");
  EXPECT_EQ(CountTop(kMainClass), 1);
  EXPECT_TRUE(WaitUntil([&] { return !Visible(main); }, 8s));
}

// A window of an old version's class, owned by the driver.
struct OldVersionWindow {
  HWND hwnd = nullptr;
  explicit OldVersionWindow(const wchar_t* cls) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, cls, L"old", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                           nullptr);
  }
  ~OldVersionWindow() { Close(); }
  void Close() {
    if (hwnd) DestroyWindow(hwnd);
    hwnd = nullptr;
  }
};

TEST(Startup, AnOldVersionHoldsTheStartUntilItIsClosed) {
  Sandbox box;
  OldVersionWindow old(L"ZQX050505_15");
  box.Start();
  const wchar_t* text = L"岚禾护眼钟检测到已经有一个旧版本在运行,请您先关闭它,再继续！";
  for (int round = 0; round < 2; ++round) {
    HWND dialog = WaitTop(kDialogClass, L"提示");
    ASSERT_NE(dialog, nullptr) << "round " << round;
    EXPECT_TRUE(HasChildWithText(dialog, text));
    if (round == 0) Screenshot("old-version-box");
    EXPECT_EQ(FindTop(kMainClass), nullptr);
    if (round == 1) old.Close();
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  }
  EXPECT_NE(WaitTop(kMainClass), nullptr);
}

TEST(Startup, CloseRequestsHideTheWelcomePictureAndTheProgramRuns) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  ASSERT_TRUE(WaitUntil([&] { return Visible(main); }));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !Visible(main); }, 2s));
  EXPECT_TRUE(IsWindow(main));
  PostMessageW(main, kMsgShowSplash, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return Visible(main); }, 2s));
  EXPECT_NE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);  // no taskbar button
}

// The uninstaller ends a running program this way: through its own exit, with no question
// even when "选择退出时" would ask, and the system's screen saver is given back.
TEST(Startup, AnExitRequestFromTheUninstallerEndsTheProgramCleanly) {
  BOOL was_on = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &was_on, 0);
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, SPIF_UPDATEINIFILE);
  auto saver_on = [] {
    BOOL on = FALSE;
    SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &on, 0);
    return on != FALSE;
  };
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);  // "选择退出时" is "不做什么": the menu would ask
  Launch& program = box.Start();
  HWND main = WaitTop(kMainClass);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return !saver_on(); }));  // the program's own saver took over
  SendMessageTimeoutW(main, 0x8203, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
  EXPECT_EQ(program.WaitExit(10s), std::optional<DWORD>(0));
  EXPECT_TRUE(saver_on());
  EXPECT_EQ(FindTop(kSetupClass), nullptr);
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, was_on, nullptr, SPIF_UPDATEINIFILE);
}

TEST(Settings, FirstCloseWritesTheDefaultFile) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  HWND setup = OpenSetup(main);
  EXPECT_EQ(Text(setup), L"设置-[岚禾护眼钟]");
  const RECT client = ClientRect(setup);
  EXPECT_EQ(client.right, 645);
  EXPECT_EQ(client.bottom, 447);
  HWND tabs = GetDlgItem(setup, 1001);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 9);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2);
  EXPECT_FALSE(box.ReadFile(L"lh20cfg"));
  Screenshot("settings-window");
  PostMessageW(setup, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !Visible(setup); }));
  EXPECT_EQ(box.ReadFile(L"lh20cfg"), std::optional<std::string>(kDefaultFile));
}

TEST(Settings, StoredValuesAreLoadedAndWrittenBackOnEsc) {
  Sandbox box;
  const std::string values =
      "[0] 5\r\n[1] 3 45 TRUE TRUE\r\n[2] 20 0 FALSE 60 FALSE 100 TRUE 1 TRUE\r\n[3] TRUE\r\n"
      "[4] 13 TRUE FALSE 30 9 150 36 255 99\r\n[5] -2 -15\r\n[6] -3\r\n[7] FALSE TRUE TRUE\r\n";
  box.WriteFile(L"lh20cfg", "any first line\r\n" + values);
  HWND main = box.StartAndWaitMain();
  HWND setup = OpenSetup(main);
  PostMessageW(GetDlgItem(setup, 1001), WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !Visible(setup); }));
  EXPECT_EQ(box.ReadFile(L"lh20cfg"), std::optional<std::string>(kWarning + values));
}

TEST(Settings, AMalformedFileStartsWithDefaults) {
  Sandbox box;
  std::string garbage("\xff\xfe\x00junk\r\n[0] x\r\n[1]  \r\n[2] 9999999999999 a b\r\n", 46);
  garbage += std::string(300, 'z') + "\r\n" + std::string(5000, '\x01');
  box.WriteFile(L"lh20cfg", garbage);
  HWND main = box.StartAndWaitMain();
  HWND setup = OpenSetup(main);
  PostMessageW(setup, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !Visible(setup); }));
  // Every unreadable field kept its default; the booleans that were present read as false.
  std::string expected = kDefaultFile;
  expected.replace(expected.find("[2] 2 1 TRUE"), 12, "[2] 2 1 FALSE");
  EXPECT_EQ(box.ReadFile(L"lh20cfg"), std::optional<std::string>(expected));
}

// The user's file held open without sharing by another program at start, and a folder named
// like the old temporary file beside it.
TEST(Settings, AFileThatCannotBeReadIsSaidAndReplacedOnlyWithConsent) {
  Sandbox box;
  const std::string users = kWarning + "[0] 5\r\n[1] 3 45 TRUE TRUE\r\n";
  box.WriteFile(L"lh20cfg", users);
  ASSERT_TRUE(CreateDirectoryW(box.PathOf(L"lh20cfg.tmp").c_str(), nullptr));
  HANDLE held = CreateFileW(box.PathOf(L"lh20cfg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  box.Start();
  const std::string path = Utf8(box.PathOf(L"lh20cfg"));
  HWND warning = WaitTop(kDialogClass, L"提示");
  ASSERT_NE(warning, nullptr) << "not said";
  EXPECT_TRUE(HasChildWithText(warning, Wide(tavu::ConfigUnreadableText(path))));
  Screenshot("settings-unreadable");
  PostMessageW(warning, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(warning); }));
  CloseHandle(held);  // readable again: the question still stands

  HWND main = WaitTop(kMainClass);
  const std::wstring question = Wide(tavu::ReplaceUnreadableConfigQuestion(path));
  for (const WPARAM answer : {IDNO, IDYES}) {
    HWND setup = OpenSetup(main);
    PostMessageW(setup, WM_CLOSE, 0, 0);
    HWND ask = WaitTop(kDialogClass, L"岚禾提示");
    ASSERT_NE(ask, nullptr) << "not asked";
    EXPECT_TRUE(HasChildWithText(ask, question));
    PostMessageW(ask, WM_COMMAND, answer, 0);
    ASSERT_TRUE(WaitUntil([&] { return !Visible(setup); })) << answer;
    if (answer == IDNO) {
      EXPECT_EQ(box.ReadFile(L"lh20cfg"), std::optional<std::string>(users));
    }
  }
  EXPECT_EQ(box.ReadFile(L"lh20cfg"), std::optional<std::string>(kDefaultFile));
  EXPECT_EQ(FindTop(kDialogClass, L"提示"), nullptr) << "the save failed";
  EXPECT_EQ(GetFileAttributesW(box.PathOf(L"lh20cfg.tmp").c_str()),
            DWORD{FILE_ATTRIBUTE_DIRECTORY});
  WIN32_FIND_DATAW found;
  HANDLE left = FindFirstFileW(box.PathOf(L"lh20cfg.*.tmp").c_str(), &found);
  EXPECT_EQ(left, INVALID_HANDLE_VALUE) << "a temporary file was left behind";
  if (left != INVALID_HANDLE_VALUE) FindClose(left);
}

}  // namespace
}  // namespace e2e
