// A whole rest cycle through the real countdown window and break screen on the virtual loop.
#include <gtest/gtest.h>

#include "fakes.hpp"

namespace tavu {
namespace {

struct CycleRig : fake::Rig {
  CycleRig() {
    views.cycle_windows = true;
    app.Start();
  }
  // One minute of work: input, then the minute passes.
  void WorkMinute() {
    loop.Input();
    loop.Advance(60'000);
  }
};

TEST(RestCycle, WorkCountdownBreakAndANewCycle) {
  CycleRig r;
  Engine& engine = r.app.engine();
  for (int i = 0; i < 48; ++i) {
    r.WorkMinute();
    ASSERT_EQ(r.app.countdown(), nullptr) << "minute " << i + 1;
  }
  r.WorkMinute();  // tick 49 of a 50-minute plan: the countdown window opens
  ASSERT_NE(r.app.countdown(), nullptr);
  EXPECT_EQ(engine.Values().CycleState, CyclePhase::CountdownOpen);
  EXPECT_TRUE(r.app.forms().IsFormOpen("frmBreakHint"));

  r.loop.Input();
  r.loop.Advance(62'000);  // the minute of the countdown runs out into the break
  EXPECT_FALSE(r.app.forms().IsFormOpen("frmBreakHint"));
  EXPECT_EQ(r.app.countdown(), nullptr);  // freed after its last handler
  ASSERT_NE(r.app.break_screen(), nullptr);
  EXPECT_EQ(engine.Values().CycleState, CyclePhase::BreakOpen);
  const TTWForm& screen = *r.app.break_screen();
  EXPECT_EQ(screen.State().ProgressBar1.max, 300);

  r.loop.Advance(10 * 60'000);  // fade-in and five minutes of rest, and more
  EXPECT_EQ(screen.State().ProgressBar1.position, 0);
  EXPECT_EQ(screen.State().phase, BreakPhase::Finished);
  EXPECT_EQ(engine.Values().CycleState, CyclePhase::BreakOpen);  // waits for the user
  r.app.break_screen()->FormClick();
  r.loop.Advance(10);
  EXPECT_EQ(r.app.break_screen(), nullptr);
  EXPECT_EQ(engine.Values().CycleState, CyclePhase::Working);
  EXPECT_EQ(engine.Values().CycleNo, 2);
  EXPECT_EQ(engine.Values().MinsToHint, 49);
  EXPECT_TRUE(r.app.main().Menu().Find("NBreakNow")->enabled);
  // The break record closed with value 100: the whole break was taken. During the idle break
  // the screen saver started and the display went off, each with its record.
  const EventRecord& taken = fake::LastOf(r.app.log(), 0, kEventKeyBreak);
  EXPECT_EQ(taken.Kind, 11);
  EXPECT_EQ(taken.Value, 100);
  const auto& previous = r.app.log().Cycles()[0];
  ASSERT_GE(previous.size(), 2u);
  EXPECT_EQ(previous[previous.size() - 2].Kind, kEventScreenSaverAuto);
  EXPECT_EQ(previous.back().Kind, kEventDisplayOff);
}

TEST(RestCycle, BreakNowAnsweredYesOpensTheBreakScreenAtOnce) {
  CycleRig r;
  r.dialogs.answers = {true};
  r.app.main().MenuClick("NBreakNow");
  ASSERT_NE(r.app.break_screen(), nullptr);
  EXPECT_EQ(r.app.countdown(), nullptr);
  EXPECT_TRUE(r.views.break_screen->calls.size() >= 1);
  EXPECT_EQ(r.views.break_screen->calls.front(), "Show");
}

TEST(RestCycle, EnforceModeNeverLeavesInputBlocked) {
  for (int ending = 0; ending < 3; ++ending) {
    CycleRig r;
    r.app.settings().SelectBreakMode = 3;
    r.app.settings().DisableKeyboard = true;
    r.app.settings().HideCursor = true;
    r.dialogs.answers = {true};
    r.app.main().MenuClick("NBreakNow");
    fake::FakeBreakScreenHost& host = *r.views.break_screen;
    r.loop.Advance(30'000);  // past the fade-in
    EXPECT_TRUE(host.input_blocked);
    EXPECT_TRUE(host.cursor_hidden);
    if (ending == 0) r.loop.Advance(10 * 60'000);  // the count ends
    if (ending == 1) r.app.break_screen()->WMQueryEndSession();
    if (ending == 2) r.app.Shutdown();  // the program exits
    EXPECT_FALSE(host.input_blocked) << ending;
    EXPECT_FALSE(host.cursor_hidden) << ending;
  }
}

TEST(RestCycle, TheDemonstrationRunsCountdownAndBreakWithoutTouchingTheCycle) {
  CycleRig r;
  r.app.main().MenuClick("NBreakDemo");
  ASSERT_NE(r.app.countdown(), nullptr);
  r.loop.Advance(4'000);
  ASSERT_NE(r.app.break_screen(), nullptr);
  r.loop.Advance(60'000);
  EXPECT_EQ(r.app.break_screen(), nullptr);  // a demonstration closes itself
  EXPECT_EQ(r.app.engine().Values().CycleNo, 1);
  EXPECT_EQ(r.app.engine().Values().CycleState, CyclePhase::Working);
}

}  // namespace
}  // namespace tavu
