#include <gtest/gtest.h>

#include "harness.hpp"
#include "ui/menu.hpp"

#include <commctrl.h>

namespace e2e {
namespace {

constexpr UINT kMsgOpenScreenSaverSetup = 0x8201;

HWND WaitNotice(const std::wstring& text) {
  HWND found = nullptr;
  WaitUntil([&] {
    found = FindTop(L"TfrmPopHint");
    return found && Visible(found) && HasChildWithText(found, text);
  });
  return found;
}

void PressHotKey(HWND main, UINT modifiers, UINT key) {
  PostMessageW(main, WM_HOTKEY, 0, MAKELPARAM(modifiers, key));
}

TEST(TrayMenu, RightClickOpensTheMenuAndItsItemsAct) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  ASSERT_TRUE(WaitUntil([&] { return !Visible(main); }, 8s));
  ASSERT_NE(OpenTrayMenu(main), nullptr);
  Screenshot("tray-menu");
  Choose(13);  // "设    置...": the settings window on the page it shows
  HWND setup = WaitTop(kSetupClass);
  ASSERT_TRUE(WaitUntil([&] { return Visible(setup); }));
  EXPECT_EQ(SendMessageW(GetDlgItem(setup, 1001), TCM_GETCURSEL, 0, 0), 2);
  PostMessageW(setup, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !Visible(setup); }));
}

// A Windows-key combination another program holds is taken with Ctrl+Alt instead, and the
// shortcut list names the key that works.
TEST(HotKeys, AKeyHeldElsewhereIsRegisteredWithCtrlAltAndListedSo) {
  constexpr int kHeld = 0x5a5a;
  ASSERT_TRUE(RegisterHotKey(nullptr, kHeld, MOD_WIN, 'Z'));
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  PostMessageW(main, WM_COMMAND, tavu::MainMenu::IdOf("NShortCuts"), 0);
  HWND list = WaitTop(L"#32770", L"随时随地一键调用！- 岚禾护眼钟的快捷键");
  UnregisterHotKey(nullptr, kHeld);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(
      HasChildWithText(list,
                       L"打开记事本 CTRL+ALT+Z, 启用计算器 WIN+C, 打开WORD WIN+W, "
                       L"打开EXCEL WIN+X, 启动屏保 WIN+S, 屏保开关 WIN+K, 倩影开关 WIN+V, "));
  Screenshot("hot-key-list");
  PostMessageW(list, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(list); }));
}

TEST(TrayMenu, WinKTwiceSwitchesScreenSavingOffAndOnWithNotices) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  PressHotKey(main, 8, 'K');
  HWND notice = WaitNotice(L"屏幕保护已禁用！");
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(Text(notice), L"岚禾软件提示");
  const RECT client = ClientRect(notice);
  EXPECT_EQ(client.right, 226);
  EXPECT_EQ(client.bottom, 129);
  Screenshot("notice-disabled");

  PressHotKey(main, 8, 'K');
  ASSERT_NE(WaitNotice(L"屏幕保护已启用！"), nullptr);
  Screenshot("notice-enabled");
  // The notice closes itself three seconds after it first appeared.
  EXPECT_TRUE(WaitUntil(
      [] {
        HWND n = FindTop(L"TfrmPopHint");
        return !n || !Visible(n);
      },
      6s));

  PressHotKey(main, 8 | MOD_SHIFT, 'K');  // not the Windows key alone: nothing
  Sleep(500);
  HWND n = FindTop(L"TfrmPopHint");
  EXPECT_TRUE(!n || !Visible(n));

  // The menu item does the same as Win+K; its caption follows (screenshot).
  ASSERT_NE(OpenTrayMenu(main), nullptr);
  for (int i = 0; i < 6; ++i) Key(VK_DOWN);
  Key(VK_RIGHT);
  WaitUntil([] { return VisibleMenus() >= 2; }, 3s);
  Screenshot("tray-menu-screen-saver");
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_NE(WaitNotice(L"屏幕保护已禁用！"), nullptr);
}

TEST(TrayMenu, BreakNowAnsweredNoChangesNothing) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  for (int round = 0; round < 2; ++round) {
    // The first time from the menu by keyboard, then by its command id.
    if (round == 0) {
      ASSERT_NE(OpenTrayMenu(main), nullptr);
      Choose(9);
    } else {
      PostMessageW(main, WM_COMMAND, tavu::MainMenu::IdOf("NBreakNow"), 0);
    }
    HWND question = WaitTop(L"#32770", L"岚禾提示");
    ASSERT_NE(question, nullptr) << "round " << round;
    EXPECT_TRUE(HasChildWithText(question, L"你主动选择了休息，确定要马上休息吗？"));
    if (round == 0) Screenshot("break-now-question");
    PostMessageW(question, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
    EXPECT_EQ(FindTop(L"TTWForm"), nullptr);
  }
}

TEST(TrayMenu, AModeChosenFromTheMenuIsSavedWithTheSettings) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  ASSERT_TRUE(WaitUntil([&] { return !Visible(main); }, 8s));
  ASSERT_NE(OpenTrayMenu(main), nullptr);
  Choose(7, 3);  // "模式切换" > "强制模式"
  PostMessageW(main, kMsgOpenScreenSaverSetup, 0, 0);
  HWND setup = WaitTop(kSetupClass);
  ASSERT_TRUE(WaitUntil([&] { return Visible(setup); }));
  PostMessageW(setup, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !Visible(setup); }));
  auto file = box.ReadFile(L"lh20cfg");
  ASSERT_TRUE(file);
  EXPECT_NE(file->find("\r\n[1] 3 30 FALSE FALSE\r\n"), std::string::npos);
}

}  // namespace
}  // namespace e2e
