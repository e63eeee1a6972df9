#include <gtest/gtest.h>

#include "harness.hpp"
#include "ui/control_ids.hpp"
#include "ui/menu.hpp"

namespace e2e {
namespace {

constexpr UINT kQuerySuspend = 0;   // PBT_APMQUERYSUSPEND
constexpr UINT kResumeSuspend = 7;  // PBT_APMRESUMESUSPEND

void Command(HWND main, tavu::MenuCommand command) {
  PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

int Remaining(HWND screen) {
  const std::wstring text = Text(GetDlgItem(screen, tavu::ids::kBreakRemainSec));
  return text.empty() ? -1 : _wtoi(text.c_str());
}

TEST(Power, ManualStandbyAsksFirstAndNoLeavesTheMachineAlone) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  Command(main, tavu::MenuCommand::LetStandBy);
  HWND question = WaitTop(kDialogClass, L"岚禾提示");
  ASSERT_NE(question, nullptr);
  EXPECT_TRUE(HasChildWithText(question, L"系统正准备待机,要继续吗?"));
  Screenshot("power-standby-question");
  PostMessageW(question, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 3s));
  Sleep(300);
  EXPECT_EQ(FindTop(kDialogClass, L"岚禾提示"), nullptr);
  EXPECT_TRUE(IsWindow(main));
}

// The system suspends during a break and wakes five seconds later: the time asleep counts as
// rest. Real time here, so that the count and the sleep can be told apart.
TEST(Power, ASleepDuringABreakLowersTheSecondsLeft) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  Command(main, tavu::MenuCommand::BreakNow);
  HWND question = WaitTop(kDialogClass, L"岚禾提示");
  ASSERT_NE(question, nullptr);
  PostMessageW(question, WM_COMMAND, IDYES, 0);
  HWND screen = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (screen = FindTop(L"TTWForm")) && Remaining(screen) > 0; }, 10s));
  // No question during a break: the suspend is allowed.
  EXPECT_EQ(SendMessageW(main, WM_POWERBROADCAST, kQuerySuspend, 0), TRUE);
  Sleep(5000);
  const int before = Remaining(screen);
  SendMessageW(main, WM_POWERBROADCAST, kResumeSuspend, 0);
  // The count alone would take off at most two seconds in this time.
  EXPECT_TRUE(WaitUntil([&] { return Remaining(screen) <= before - 4; }, 1500ms))
      << before << " -> " << Remaining(screen);
  EXPECT_GT(Remaining(screen), before - 9);
}

}  // namespace
}  // namespace e2e
