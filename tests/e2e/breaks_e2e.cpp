#include <gtest/gtest.h>

#include "harness.hpp"
#include "ui/control_ids.hpp"
#include "windows/countdown/break_hint_ids.hpp"

#include <commctrl.h>

namespace e2e {
namespace {

// Waits while working: input every half second.
bool WorkUntil(const std::function<bool()>& done, Ms timeout) {
  auto last = std::chrono::steady_clock::now() - 1s;
  return WaitUntil(
      [&] {
        if (std::chrono::steady_clock::now() - last >= 500ms) {
          NudgeMouse();
          last = std::chrono::steady_clock::now();
        }
        return done();
      },
      timeout);
}

// The children's plan: 30 minutes of work, so the countdown is due after 29 engine ticks.
const char kChildrenPlan[] = "x\r\n[0] 0\r\n";

int RemainingSeconds(HWND screen) {
  const std::wstring text = Text(GetDlgItem(screen, tavu::ids::kBreakRemainSec));
  return text.empty() ? -1 : _wtoi(text.c_str());
}

// "立即休息" answered Yes; the break screen once it shows.
HWND BreakNow(HWND main) {
  Command(main, "NBreakNow");
  HWND question = WaitTop(L"#32770", L"岚禾提示");
  if (!question) return nullptr;
  PostMessageW(question, WM_COMMAND, IDYES, 0);
  HWND screen = nullptr;
  WaitUntil([&] { return (screen = FindTop(L"TTWForm")) && Visible(screen); }, 5s);
  return screen;
}

void ClickBackground(HWND window) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 300));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
}

// A whole cycle at sixty times: the engine ticks once a second, so with the children's plan the
// countdown opens after 29 ticks; its minute and the five minutes of rest pass in seconds.
TEST(RestCycle, AtSixtyTimesWorkCountdownBreakAndBackToWork) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", kChildrenPlan);
  Launch& tavu = box.Start({L"TAVU_TIME_SCALE=60"});
  HWND main = WaitTop(kMainClass);
  ASSERT_NE(main, nullptr);
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(WaitUntil([&] { return Visible(main); }));  // the message loop runs
  int unanswered = 0;
  auto last_probe = started;
  HWND hint = nullptr;
  WorkUntil(
      [&] {
        // A few probes a second: more would measure the probing, not the program.
        if (std::chrono::steady_clock::now() - last_probe >= 250ms) {
          last_probe = std::chrono::steady_clock::now();
          DWORD_PTR result;
          if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result)) ++unanswered;
        }
        hint = FindTop(L"TfrmBreakHint");
        return hint != nullptr;
      },
      90s);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  ASSERT_NE(hint, nullptr) << "no countdown after " << seconds << " s";
  // 29 ticks of a second each; generous bounds, the point is the order of magnitude.
  EXPECT_GT(seconds, 20.0);
  EXPECT_LT(seconds, 60.0);
  EXPECT_EQ(unanswered, 0);

  // The countdown's minute runs out into the break screen.
  HWND screen = nullptr;
  ASSERT_TRUE(WorkUntil([&] { return (screen = FindTop(L"TTWForm")) && Visible(screen); }, 10s));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hint) || !Visible(hint); }, 2s));
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(WaitUntil(
      [&] { return GetLayeredWindowAttributes(screen, nullptr, &alpha, &flags) && alpha >= 150; },
      5s));
  const RECT r = WindowRect(screen);
  EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN));
  Screenshot("break-screen-counting");
  // Five minutes of rest are five seconds here; at the end it waits for the user.
  EXPECT_TRUE(WaitUntil([&] { return RemainingSeconds(screen) == 0; }, 15s));
  Sleep(300);
  EXPECT_TRUE(IsWindow(screen));
  Screenshot("break-screen-over");
  ClickBackground(screen);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(screen) || !Visible(screen); }, 5s));
  EXPECT_TRUE(tavu.Running());
  EXPECT_EQ(CountTop(kMainClass), 1);
}

TEST(BreakNow, AnsweredYesOpensTheBreakScreenAtOnce) {
  Sandbox box;
  HWND main = box.StartAndWaitMain({L"TAVU_TIME_SCALE=60"});
  HWND screen = BreakNow(main);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(FindTop(L"TfrmBreakHint"), nullptr);  // no countdown first
  EXPECT_EQ(Text(GetDlgItem(screen, tavu::ids::kBreakSlogan)), L"累了吧，该歇一歇了~");
  // Closing it is refused while the break runs.
  PostMessageW(screen, WM_CLOSE, 0, 0);
  Sleep(300);
  EXPECT_TRUE(IsWindow(screen) && Visible(screen));
}

// Password mode: a postpone needs the sum of the challenge; it hides the screen for the chosen
// minutes (seconds here) and brings it back.
TEST(RestModes, APasswordPostponeWithTheRightSumHidesTheScreenAndBringsItBack) {
  Sandbox box;
  box.WriteFile(L"lh20cfg", "x\r\n[0] 2\r\n[1] 1 30 FALSE FALSE\r\n");
  HWND main = box.StartAndWaitMain({L"TAVU_TIME_SCALE=60"});
  HWND screen = BreakNow(main);
  ASSERT_NE(screen, nullptr);
  HWND combo = GetDlgItem(screen, tavu::ids::kBreakRemindAgainAt);
  HWND edit = GetDlgItem(screen, tavu::ids::kBreakExitPsw);
  HWND exit = GetDlgItem(screen, tavu::ids::kBreakUrgentExitIcon);
  ASSERT_TRUE(WaitUntil([&] { return Visible(combo) && Visible(exit); }, 10s));
  EXPECT_NE(Text(GetDlgItem(screen, tavu::ids::kBreakCurrentMode)).find(L"密码模式"),
            std::wstring::npos);

  // Down in the closed list moves the selection and notifies in one go, as a user's choice
  // does (a selection set from outside could be undone by the next refresh first).
  auto choose = [&](int item) {
    for (int i = 0; i < item; ++i) SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
  };
  auto answer = [&](const std::wstring& text) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PostMessageW(screen, WM_COMMAND, MAKEWPARAM(tavu::ids::kBreakUrgentExitIcon, STN_CLICKED),
                 reinterpret_cast<LPARAM>(exit));
  };
  choose(1);  // "1分钟后再提醒"
  std::wstring challenge;
  ASSERT_TRUE(WaitUntil([&] { return (challenge = Text(edit)).starts_with(L"请输入正确结果："); }));
  int a = 0, b = 0;
  ASSERT_EQ(swscanf(challenge.c_str() + 8, L"%d + %d=", &a, &b), 2) << Utf8(challenge);
  Screenshot("break-screen-password-challenge");

  answer(std::to_wstring(a + b + 1));  // wrong: the challenge is offered again
  EXPECT_TRUE(WaitUntil([&] { return Text(edit) == challenge; }));
  EXPECT_TRUE(Visible(screen));

  answer(std::to_wstring(a + b));
  EXPECT_TRUE(WaitUntil([&] { return !Visible(screen); }, 3s)) << "not postponed";
  EXPECT_TRUE(WaitUntil([&] { return Visible(screen); }, 10s)) << "not brought back";
}

// Enforce mode with keyboard and mouse locked: the lock holds from the end of the fade-in to
// the end of the count, and nothing stays locked afterwards.
TEST(RestModes, EnforceModeNeverLeavesInputBlockedAfterTheBreak) {
  Sandbox box;
  HWND main = box.StartAndWaitMain({L"TAVU_TIME_SCALE=60"});
  // The settings window's rest-mode page, as a user sets it.
  Command(main, "NSetupMode");  // "模式切换" > "进入设置..."
  HWND setup = WaitTop(kSetupClass);
  ASSERT_TRUE(WaitUntil([&] { return Visible(setup); }));
  EXPECT_EQ(SendMessageW(GetDlgItem(setup, 1001), TCM_GETCURSEL, 0, 0), 1);
  HWND enforce = GetDlgItem(setup, tavu::ids::kSetupModeRadio0 + 3);
  ASSERT_TRUE(WaitUntil([&] { return Visible(enforce); }));
  SendMessageW(enforce, BM_CLICK, 0, 0);
  HWND keyboard = GetDlgItem(setup, tavu::ids::kSetupDisableKeyboard);
  HWND mouse = GetDlgItem(setup, tavu::ids::kSetupHideCursor);
  ASSERT_TRUE(WaitUntil([&] { return Visible(keyboard) && Visible(mouse); }));
  SendMessageW(keyboard, BM_CLICK, 0, 0);
  SendMessageW(mouse, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(keyboard, BM_GETCHECK, 0, 0), BST_CHECKED);
  Screenshot("settings-rest-mode-page");
  PostMessageW(setup, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !Visible(setup); }));

  HWND screen = BreakNow(main);
  ASSERT_NE(screen, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return GetPropW(screen, L"TavuInputBlocked") != nullptr; }, 5s))
      << "no lock during the break";
  EXPECT_NE(GetPropW(screen, L"TavuCursorHidden"), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return RemainingSeconds(screen) == 0; }, 15s));
  EXPECT_TRUE(WaitUntil([&] { return GetPropW(screen, L"TavuInputBlocked") == nullptr; }, 3s))
      << "input still locked after the count";
  EXPECT_EQ(GetPropW(screen, L"TavuCursorHidden"), nullptr);
  // And input reaches windows again: a click ends the break as it should.
  ClickBackground(screen);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(screen) || !Visible(screen); }, 5s));
}

// Each background of the break screen at 1024 x 768 (run on a screen of that size).
TEST(Interfaces, EachBackgroundAt1024x768) {
  if (GetSystemMetrics(SM_CXSCREEN) != 1024) GTEST_SKIP() << "needs a 1024 x 768 screen";
  for (int i = 0; i < 14; ++i) {
    Sandbox box;
    box.WriteFile(L"lh20cfg",
                  "x\r\n[0] 2\r\n[1] 0\r\n[2]\r\n[3]\r\n[4] " + std::to_string(i) + "\r\n");
    HWND main = box.StartAndWaitMain({L"TAVU_TIME_SCALE=60"});
    HWND screen = BreakNow(main);
    ASSERT_NE(screen, nullptr) << i;
    BYTE alpha = 0;
    DWORD flags = 0;
    WaitUntil(
        [&] { return GetLayeredWindowAttributes(screen, nullptr, &alpha, &flags) && alpha >= 150; },
        5s);
    // Past the fade-in: the count is running.
    EXPECT_TRUE(WaitUntil(
        [&] { return RemainingSeconds(screen) >= 0 && RemainingSeconds(screen) < 300; }, 5s))
        << i;
    char name[32];
    snprintf(name, sizeof name, "break-screen-%02d", i);
    Screenshot(name);
  }
}

TEST(Countdown, TheDemonstrationShowsTheWindowWithItsCaptionAndCount) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  ASSERT_TRUE(WaitUntil([&] { return !Visible(main); }, 8s));
  Command(main, "NBreakDemo");
  HWND hint = WaitTop(L"TfrmBreakHint");
  ASSERT_NE(hint, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return Visible(hint); }));
  EXPECT_EQ(Text(hint),
            L"休息倒计时-[当前模式:自由模式,请在休息前选择您最合适的休息模式!点击M调用]");
  EXPECT_EQ(Text(GetDlgItem(hint, tavu::ids::kHintBreak)), L"马上休息");
  EXPECT_EQ(Text(GetDlgItem(hint, tavu::ids::kHintLabel2)), L"申请延长分钟数：");
  Screenshot("countdown-window");
  // Three seconds later it hands over and goes.
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hint) || !Visible(hint); }, 6s));
}

}  // namespace
}  // namespace e2e
