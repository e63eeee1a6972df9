// What a user does to the program's windows themselves: moving them, their tool tips, their
// close boxes, and settings that several paths change.
#include <gtest/gtest.h>

#include "harness.hpp"
#include "ui/control_ids.hpp"
#include "windows/countdown/break_hint_ids.hpp"

#include <commctrl.h>

namespace e2e {
namespace {

using namespace tavu::ids;

// The demonstration countdown: three one-second ticks, then a demonstration break.
HWND DemoCountdown(HWND main) {
  Command(main, "NBreakDemo");
  HWND hint = nullptr;
  WaitUntil([&] { return (hint = FindTop(L"TfrmBreakHint")) && Visible(hint); });
  EXPECT_NE(hint, nullptr) << "no countdown window";
  return hint;
}

// Waits for the countdown's next tick: its count changes.
bool NextTick(HWND hint) {
  const std::wstring before = Text(GetDlgItem(hint, kHintTimeRemain));
  return WaitUntil([&] { return Text(GetDlgItem(hint, kHintTimeRemain)) != before; }, 3s);
}

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

TEST(CountdownWindow, StaysWhereTheUserMovedIt) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  HWND hint = DemoCountdown(main);
  ASSERT_NE(hint, nullptr);
  const RECT placed = WindowRect(hint);
  const int w = placed.right - placed.left, h = placed.bottom - placed.top;
  // Moved, and (zoomed to fit the screen) asked for another size, which it refuses.
  SetWindowPos(hint, nullptr, 40, 30, w - 100, h - 100, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(NextTick(hint));
  ASSERT_TRUE(NextTick(hint));
  const RECT now = WindowRect(hint);
  EXPECT_EQ(now.left, 40);
  EXPECT_EQ(now.top, 30);
  EXPECT_EQ(now.right - now.left, w);
  EXPECT_EQ(now.bottom - now.top, h);
  Screenshot("countdown-moved");
}

TEST(CountdownWindow, StaysMinimisedWhileItCounts) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  HWND hint = DemoCountdown(main);
  ASSERT_NE(hint, nullptr);
  Click(GetDlgItem(hint, kHintApplyMins));  // "我知道了"
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(hint) != FALSE; }, 2s));
  ASSERT_TRUE(NextTick(hint));
  EXPECT_TRUE(IsIconic(hint));
}

TEST(CountdownWindow, MShowsItsToolTip) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  HWND hint = DemoCountdown(main);
  ASSERT_NE(hint, nullptr);
  HWND tips = ToolTipOf(hint);
  ASSERT_NE(tips, nullptr) << "no tool tip";
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
  // The pointer rests on "M".
  const RECT m = WindowRect(GetDlgItem(hint, kHintM));
  SetCursorPos((m.left + m.right) / 2, (m.top + m.bottom) / 2);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_MOVE;
  in.mi.dx = 1;
  SendInput(1, &in, sizeof in);
  EXPECT_TRUE(WaitUntil([&] { return Visible(tips); }, 2s)) << "the tool tip did not show";
  EXPECT_EQ(Text(tips), L"点击这里设置休息模式...");
  Screenshot("countdown-tool-tip");
}

TEST(CountdownWindow, TheDetailPopUpIsBorderless) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  HWND hint = DemoCountdown(main);
  ASSERT_NE(hint, nullptr);
  Click(GetDlgItem(hint, kHintDetails));
  HWND detail = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (detail = FindTop(L"TfrmShowDetail")) && Visible(detail); }));
  EXPECT_EQ(GetWindowLongPtrW(detail, GWL_STYLE) & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME), 0);
  EXPECT_EQ(GetWindowLongPtrW(detail, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE), 0);
  const RECT outer = WindowRect(detail), inner = ClientRect(detail);
  EXPECT_EQ(outer.right - outer.left, inner.right);
  EXPECT_EQ(outer.bottom - outer.top, inner.bottom);
  HWND line = GetDlgItem(detail, kDetailText);
  EXPECT_TRUE(Text(line).starts_with(L"你已申请 0 分钟,还可申请"));
  // Its black line of text is on the screen, above the countdown window.
  EXPECT_TRUE(WaitUntil([&] { return DarkPixels(WindowRect(line)) > 50; }, 2s));
  Screenshot("countdown-details");
}

TEST(Notice, ItsCloseBoxClosesIt) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  PostMessageW(main, WM_HOTKEY, 0, MAKELPARAM(8, 'K'));
  HWND notice = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (notice = FindTop(L"TfrmPopHint")) && Visible(notice); }));
  PostMessageW(notice, WM_SYSCOMMAND, SC_CLOSE, 0);
  // Long before its three seconds are up.
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(notice) || !Visible(notice); }, 1s));
}

TEST(AboutWindow, OpensFromTheMenuWithTheMakersPages) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  ASSERT_NE(OpenTrayMenu(main), nullptr);
  Choose(1, 0);  // "关于帮助" > "打开帮助主窗口..."
  HWND about = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (about = FindTop(L"TfrmAboutHelp")) && Visible(about); }));
  EXPECT_EQ(Text(about), L"关于帮助-[岚禾护眼钟]");
  EXPECT_EQ(Text(GetDlgItem(about, kAboutTitle)), L"岚禾休息软件");
  const wchar_t* links[] = {L"获得帮助 (点击进入)", L"软件升级 (点击进入)", L"投票评论 (点击进入)",
                            L"留言建议 (点击进入)"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Text(GetDlgItem(about, kAboutFirstLink + i)), links[i]);
  Screenshot("about-window");
  PostMessageW(about, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !Visible(about); }));
  EXPECT_TRUE(IsWindow(about));  // hidden, not destroyed
}

// The rest-mode page shows the mode however it was chosen: a mode picked from the tray menu
// while the page is open checks its item and shows its group.
TEST(SettingsModePage, FollowsTheModeChosenFromTheTrayMenu) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kNoWelcome);
  HWND main = box.StartAndWaitMain();
  ASSERT_NE(OpenTrayMenu(main), nullptr);
  Choose(7, 4);  // "模式切换" > "进入设置..."
  HWND setup = WaitTop(kSetupClass);
  ASSERT_TRUE(WaitUntil([&] { return Visible(setup); }));
  ASSERT_EQ(SendMessageW(GetDlgItem(setup, kSetupTabs), TCM_GETCURSEL, 0, 0), 1);
  ASSERT_TRUE(Checked(GetDlgItem(setup, kSetupModeRadio0)));

  for (int mode : {2, 3}) {
    ASSERT_NE(OpenTrayMenu(main), nullptr) << mode;
    Choose(7, mode);  // "模式切换" > "干扰模式", then "强制模式"
    EXPECT_TRUE(WaitUntil([&] { return Checked(GetDlgItem(setup, kSetupModeRadio0 + mode)); }, 3s))
        << mode;
    for (int m = 0; m < 4; ++m) {
      EXPECT_EQ(Checked(GetDlgItem(setup, kSetupModeRadio0 + m)), m == mode) << mode << m;
      EXPECT_EQ(Visible(GetDlgItem(setup, kSetupModeGroupBox0 + m)), m == mode) << mode << m;
    }
    if (mode == 2) Screenshot("settings-mode-from-menu");
  }
}

// A dragged thumb keeps its value; arrows step by 15 from there.
TEST(SettingsModePage, TheIntensityBarKeepsADraggedValue) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", "x\r\n[0] 2\r\n[1] 2 30 FALSE FALSE\r\n");
  HWND main = box.StartAndWaitMain();
  Command(main, "NSetupMode");
  HWND setup = WaitTop(kSetupClass);
  ASSERT_TRUE(WaitUntil([&] { return Visible(setup); }));
  HWND bar = GetDlgItem(setup, kSetupIntensityBar);
  HWND value = GetDlgItem(setup, kSetupIntensityValue);
  ASSERT_TRUE(WaitUntil([&] { return Visible(bar); }));
  EXPECT_EQ(Text(value), L"30秒");
  auto scroll = [&](WORD code, WORD pos = 0) {
    SendMessageW(setup, WM_HSCROLL, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(bar));
  };
  scroll(SB_THUMBTRACK, 22);
  scroll(SB_THUMBPOSITION, 22);
  scroll(SB_ENDSCROLL);
  EXPECT_EQ(Text(value), L"22秒");
  EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), 22);
  scroll(SB_LINERIGHT);
  scroll(SB_ENDSCROLL);
  EXPECT_EQ(Text(value), L"37秒");
  scroll(SB_PAGERIGHT);
  EXPECT_EQ(Text(value), L"45秒");
  EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), 45);
  scroll(SB_LINELEFT);
  PostMessageW(setup, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !Visible(setup); }));
  auto file = box.ReadFile(L"lh20cfg");
  ASSERT_TRUE(file);
  EXPECT_NE(file->find("\r\n[1] 2 30 FALSE FALSE\r\n"), std::string::npos);
}

}  // namespace
}  // namespace e2e
