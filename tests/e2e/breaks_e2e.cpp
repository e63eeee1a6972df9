#include <gtest/gtest.h>

#include "app/menu.hpp"
#include "break_hint_ids.hpp"
#include "harness.hpp"

namespace e2e {
namespace {

void Command(HWND main, const char* item) {
  PostMessageW(main, WM_COMMAND, tavu::MainMenu::IdOf(item), 0);
}

TEST(Countdown, TheDemonstrationShowsTheWindowWithItsCaptionAndCount) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  ASSERT_TRUE(WaitUntil([&] { return !Visible(main); }, 8s));
  Command(main, "NBreakDemo");
  HWND hint = WaitTop(L"TfrmBreakHint");
  ASSERT_NE(hint, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return Visible(hint); }));
  EXPECT_EQ(Text(hint), L"休息倒计时-[当前模式:自由模式,请在休息前选择您最合适的休息模式!点击M调用]");
  EXPECT_EQ(Text(GetDlgItem(hint, tavu::ids::kHintBreak)), L"马上休息");
  EXPECT_EQ(Text(GetDlgItem(hint, tavu::ids::kHintLabel2)), L"申请延长分钟数：");
  Screenshot("countdown-window");
  // Three seconds later it hands over and goes.
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hint) || !Visible(hint); }, 6s));
}

}  // namespace
}  // namespace e2e
