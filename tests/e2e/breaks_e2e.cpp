#include <gtest/gtest.h>

#include "app/menu.hpp"
#include "break_hint_ids.hpp"
#include "harness.hpp"

namespace e2e {
namespace {

void Command(HWND main, const char* item) {
  PostMessageW(main, WM_COMMAND, tavu::MainMenu::IdOf(item), 0);
}

// A user at work: a small mouse movement now and then.
void Nudge() {
  static int flip = 1;
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = flip;
  in.mi.dy = 0;
  in.mi.dwFlags = MOUSEEVENTF_MOVE;
  flip = -flip;
  SendInput(1, &in, sizeof in);
}

// Waits while working: input every half second.
bool WorkUntil(const std::function<bool()>& done, Ms timeout) {
  auto last = std::chrono::steady_clock::now() - 1s;
  return WaitUntil(
      [&] {
        if (std::chrono::steady_clock::now() - last >= 500ms) {
          Nudge();
          last = std::chrono::steady_clock::now();
        }
        return done();
      },
      timeout);
}


// The children's plan: 30 minutes of work, so the countdown is due after 29 engine ticks.
const char kChildrenPlan[] = "x\r\n[0] 0\r\n";

TEST(Engine, AtSixtyTimesTheTickRunsOnceASecondAndTheProgramAnswersThroughout) {
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
        DWORD_PTR result;
        // A few probes a second: more would measure the probing, not the program.
        if (std::chrono::steady_clock::now() - last_probe < 250ms) return (hint = FindTop(L"TfrmBreakHint")) != nullptr;
        last_probe = std::chrono::steady_clock::now();
        if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result)) {
          ++unanswered;
          ADD_FAILURE() << "no answer within 1 s at "
                        << std::chrono::duration<double>(std::chrono::steady_clock::now() - started)
                               .count()
                        << " s";
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
  // What the idle program costs between ticks is measured by make bench, not here.
  EXPECT_TRUE(tavu.Running());
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
