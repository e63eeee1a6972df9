#include <gtest/gtest.h>

#include <algorithm>

#include "app/startup.hpp"
#include "fakes.hpp"

namespace tavu {
namespace {

using fake::Rig;

TEST(Startup, ASecondStartHandsOverAndCreatesNothing) {
  fake::FakeTopWindows windows;
  fake::FakeDialogs dialogs;
  windows.classes = {"ZQX050505_20"};
  EXPECT_EQ(RunStartChecks(windows, dialogs), StartDecision::HandedOver);
  ASSERT_EQ(windows.posted.size(), 1u);
  EXPECT_EQ(windows.posted[0],
            std::make_tuple(std::string("ZQX050505_20"), 0x1520u, uintptr_t{0}, intptr_t{0}));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(Startup, AnOldVersionHoldsTheStartUntilItIsGone) {
  for (const char* old_class : {"ZQX050505_15", "ZQX050505_1"}) {
    fake::FakeTopWindows windows;
    fake::FakeDialogs dialogs;
    windows.classes = {old_class};
    int confirmations = 0;
    dialogs.on_inform = [&] {
      if (++confirmations == 3) windows.classes.clear();
    };
    EXPECT_EQ(RunStartChecks(windows, dialogs), StartDecision::Proceed);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].kind, "inform-system");
    EXPECT_EQ(dialogs.shown[0].caption, "提示");
    EXPECT_EQ(dialogs.shown[0].text,
              "岚禾护眼钟检测到已经有一个旧版本在运行,请您先关闭它,再继续！");
  }
}

TEST(WelcomePicture, IsSizedFromTheScreenAndCentredInTheWorkArea) {
  struct Case {
    Size screen;
    Rect work;
    Rect expected;
  };
  const Case cases[] = {
      {{1920, 1080}, {0, 0, 1920, 1040}, {428, 269, 428 + 1063, 269 + 502}},
      {{1024, 768}, {0, 0, 1024, 738}, {228, 190, 228 + 567, 190 + 357}},
      {{800, 600}, {0, 0, 800, 600}, {178, 160, 178 + 443, 160 + 279}},
  };
  for (const auto& c : cases) {
    Rig rig;
    rig.screen.size = c.screen;
    rig.screen.work = c.work;
    rig.app.Start();
    EXPECT_EQ(rig.app.main().State().bounds, c.expected) << c.screen.w << "x" << c.screen.h;
  }
}

TEST(WelcomePicture, FadesAfterThreeSecondsAndStaysHidden) {
  Rig rig;
  rig.app.Start();
  EXPECT_TRUE(rig.app.main().State().visible);
  rig.loop.Advance(2999);
  EXPECT_TRUE(rig.app.main().State().visible);
  rig.loop.Advance(1);
  EXPECT_FALSE(rig.app.main().State().visible);
  EXPECT_FALSE(rig.app.main().State().taskbar_button);
  EXPECT_FALSE(rig.loop.IsRunning(rig.app.main(), TfrmMain::kCloseAnimateTimer));
  EXPECT_EQ(rig.main_host.calls, (std::vector<std::string>{"RegisterHotKeys", "AddTrayIcon", "Show",
                                                           "AnimateHide 400"}));
}

TEST(WelcomePicture, ACloseRequestIsRefusedButHidesIt) {
  Rig rig;
  rig.app.Start();
  EXPECT_FALSE(rig.app.main().FormClose());
  EXPECT_FALSE(rig.app.main().State().visible);
}

TEST(WelcomePicture, ASecondStartShowsItAgainForThreeSeconds) {
  Rig rig;
  rig.app.settings().EnablePopHelpInfo = false;
  rig.files.files[rig.ConfigPath()] =
      "\r\n[0] 2\r\n\r\n\r\n\r\n\r\n\r\n\r\n[7] TRUE FALSE FALSE\r\n";
  rig.app.Start();
  EXPECT_FALSE(rig.app.main().State().visible);  // pop-ups switched off: no welcome at start
  EXPECT_FALSE(rig.loop.IsRunning(rig.app.main(), TfrmMain::kCloseAnimateTimer));
  rig.app.main().ShowSplash();
  EXPECT_TRUE(rig.app.main().State().visible);
  rig.loop.Advance(3000);
  EXPECT_FALSE(rig.app.main().State().visible);
}

TEST(MainWindow, ExitFollowsTheChosenAction) {
  struct Case {
    int action;
    std::vector<bool> quits;
    bool setup_shown;
  };
  const Case cases[] = {{0, {}, true}, {1, {true}, false}, {2, {false}, false}};
  for (const auto& c : cases) {
    Rig rig;
    rig.app.Start();
    rig.app.settings().ActionOnSelectTerminate = c.action;
    rig.app.main().NExitClick();
    EXPECT_EQ(rig.lifecycle.quits, c.quits) << c.action;
    EXPECT_EQ(rig.app.setup().State().visible, c.setup_shown) << c.action;
    if (c.setup_shown) {
      EXPECT_EQ(rig.app.setup().State().page, kPageGeneral);
    }
  }
}

TEST(MainWindow, AnExitRequestFromOutsideEndsTheProgramWhateverTheChosenAction) {
  for (int action : {0, 1, 2}) {
    Rig rig;
    rig.app.Start();
    rig.app.settings().ActionOnSelectTerminate = action;
    rig.app.main().OnExitNow();
    EXPECT_EQ(rig.lifecycle.quits, std::vector<bool>{false}) << action;  // never a restart
    EXPECT_FALSE(rig.app.setup().State().visible) << action;             // and no question
  }
}

TEST(MainWindow, TheSystemScreenSaverIsOffWhileTheProgramRunsAndGivenBackAsItWas) {
  Rig off;
  off.system.saver_on = false;  // the user had it off: it stays off, untouched
  off.app.Start();
  off.app.Shutdown();
  EXPECT_EQ(off.system.saver_active, std::vector<bool>{});
  Rig rig;
  rig.app.Start();
  EXPECT_EQ(rig.system.saver_active, std::vector<bool>{false});
  rig.app.Shutdown();
  rig.app.Shutdown();  // the session's end and the program's end both run it
  EXPECT_EQ(rig.system.saver_active, (std::vector<bool>{false, true}));
  EXPECT_EQ(rig.main_host.calls.back(), "RemoveTrayIcon");
}

TEST(MainWindow, TheTrayIconIsAddedUntilTheShellTakesItAndAgainAfterAShellRestart) {
  auto adds = [](const Rig& rig) {
    return std::count(rig.main_host.calls.begin(), rig.main_host.calls.end(), "AddTrayIcon");
  };
  Rig rig;
  rig.main_host.tray_failures = 2;  // the shell is not ready at log-on
  rig.app.Start();
  EXPECT_EQ(adds(rig), 1);
  rig.loop.Advance(TfrmMain::kTrayRetryMs * 5);
  EXPECT_EQ(adds(rig), 3);  // taken at the third try, then no more tries
  EXPECT_FALSE(rig.loop.IsRunning(rig.app.main(), TfrmMain::kTrayRetryTimer));
  rig.app.main().OnTaskbarCreated();
  EXPECT_EQ(adds(rig), 4);
  rig.app.Shutdown();
  rig.app.main().OnTaskbarCreated();  // no icon after the program let it go
  EXPECT_EQ(adds(rig), 4);
}

}  // namespace
}  // namespace tavu

namespace tavu {
namespace {

TEST(AboutWindow, ShowsTheBuildsVersionAndCopiesTheMailAddress) {
  fake::Rig rig;
  rig.app.Start();
  TfrmAboutHelp& about = rig.app.about();
  EXPECT_EQ(about.State().lblVersion.text, "版本 " + std::string(TAVU_VERSION_TEXT));
  EXPECT_NE(about.State().lblMail.text.find(kMailAddress), std::string::npos);
  const std::size_t boxes = rig.dialogs.shown.size();
  about.btnCopyMailClick();
  EXPECT_EQ(rig.clipboard.text, kMailAddress);
  ASSERT_EQ(rig.dialogs.shown.size(), boxes + 1);
  EXPECT_EQ(rig.dialogs.shown.back().text, kMailCopiedText);
}

}  // namespace
}  // namespace tavu
