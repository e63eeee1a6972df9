#include <gtest/gtest.h>

#include "fakes.hpp"
#include "settings/config_file.hpp"

namespace tavu {
namespace {

using fake::Rig;

Rect At(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

// The program started on a screen of `screen` pixels with the work area `work`.
struct DecoRig {
  DecoRig(Size screen, Rect work) {
    rig.screen.size = screen;
    rig.screen.work = work;
    rig.app.Start();
  }
  DecoRig() : DecoRig({1920, 1080}, {0, 0, 1920, 1040}) {}
  TfrmDesktopDeco& deco() { return *rig.app.desktop_deco(); }
  bool DecoOpen() { return rig.app.forms().IsFormOpen(TfrmDesktopDeco::kFormName); }
  bool SOTOpen() { return rig.app.forms().IsFormOpen(TSOTForm::kFormName); }
  Rig rig;
};

TEST(DesktopDeco, TakesAQuarterOfA1024ScreenInThePicturesProportions) {
  struct Case {
    Size screen;
    Rect work;
    Size picture;
    Rect expected;  // right after opening: the top-right corner
  } const cases[] = {
      // 1920 / 1024 × 250 = 468.75 and 69 / 561 × 468 = 57.6, both truncated.
      {{1920, 1080}, {0, 0, 1920, 1040}, {561, 69}, At(1920 - 468 - 10, 25, 468, 57)},
      {{1024, 768}, {0, 0, 1024, 728}, {561, 69}, At(1024 - 250 - 10, 25, 250, 30)},
      // A taskbar at the top or on the right moves the corner with the work area.
      {{1920, 1080}, {0, 40, 1920, 1080}, {561, 69}, At(1920 - 468 - 10, 65, 468, 57)},
      {{1920, 1080}, {0, 0, 1860, 1080}, {561, 69}, At(1860 - 468 - 10, 25, 468, 57)},
      // Another picture keeps its own proportions.
      {{1024, 768}, {0, 0, 1024, 728}, {100, 100}, At(1024 - 250 - 10, 25, 250, 250)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.screen.w) + " wide, picture " + std::to_string(c.picture.w));
    Rig rig;
    rig.screen.size = c.screen;
    rig.screen.work = c.work;
    rig.app.OpenDesktopDeco(true);
    // The fake view reports the banner's size until told otherwise; a new window asks again.
    rig.views.desktop_deco->picture = c.picture;
    rig.app.desktop_deco()->FormCreate();
    const DesktopDecoState& s = rig.app.desktop_deco()->State();
    EXPECT_EQ(s.bounds, c.expected);
    EXPECT_EQ(s.Image1.rect, At(0, 0, c.expected.Width(), c.expected.Height()));
  }
}

TEST(DesktopDeco, ItsMenuFlipsItBetweenTheTopAndTheBottomRightCorner) {
  DecoRig r;
  struct Step {
    Rect bounds;
    uint8_t corner;
    const char* caption;
  } const steps[] = {
      {At(1442, 25, 468, 57), 1, "置底"},              // as opened
      {At(1442, 1040 - 57 - 10, 468, 57), 0, "置顶"},  // flipped down
      {At(1442, 25, 468, 57), 1, "置底"},              // and up again
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE("after " + std::to_string(i) + " flips");
    if (i > 0) r.deco().MenuClick(DecoCommand::SetPosition);
    const DesktopDecoState& s = r.deco().State();
    EXPECT_EQ(s.bounds, steps[i].bounds);
    EXPECT_EQ(r.deco().DecoCorner(), steps[i].corner);
    EXPECT_EQ(s.PopupMenu1[0].caption, steps[i].caption);
    EXPECT_EQ(s.PopupMenu1[0].command, DecoCommand::SetPosition);
  }
  EXPECT_EQ(r.deco().State().PopupMenu1[1].caption, "设置");
  EXPECT_EQ(r.deco().State().PopupMenu1[2].caption, "隐藏");
}

TEST(DesktopDeco, MovesByTheLeftButtonsWayOnceItIsReleased) {
  using B = ui::MouseButton;
  struct Case {
    const char* name;
    bool press;
    B down;
    Point from;
    B up;
    Point to;
    Point moved;
  } const cases[] = {
      {"left drag", true, B::Left, {10, 10}, B::Left, {60, 30}, {50, 20}},
      {"back up and left", true, B::Left, {60, 30}, B::Left, {10, 10}, {-50, -20}},
      {"out of the picture", true, B::Left, {5, 5}, B::Left, {-100, 300}, {-105, 295}},
      {"right button", true, B::Right, {10, 10}, B::Right, {60, 30}, {0, 0}},
      {"right press, left release", true, B::Right, {10, 10}, B::Left, {60, 30}, {0, 0}},
      {"release without a press", false, B::Left, {}, B::Left, {60, 30}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DecoRig r;
    const Rect before = r.deco().State().bounds;
    if (c.press) r.deco().Image1MouseDown(c.down, c.from);
    r.deco().Image1MouseUp(c.up, c.to);
    EXPECT_EQ(r.deco().State().bounds,
              At(before.left + c.moved.x, before.top + c.moved.y, before.Width(), before.Height()));
    // One press moves it once.
    r.deco().Image1MouseUp(c.up, {c.to.x + 7, c.to.y + 7});
    EXPECT_EQ(r.deco().State().bounds.left, before.left + c.moved.x);
  }
}

TEST(DesktopDeco, HidingItFromItsMenuTurnsTheSettingOffAndFreesIt) {
  DecoRig r;
  ASSERT_TRUE(r.DecoOpen());
  r.deco().MenuClick(DecoCommand::Hide);
  EXPECT_FALSE(r.rig.app.settings().ShowDesktopDeco);
  EXPECT_FALSE(r.rig.app.main().Menu().Checked("NDesktopDeco"));
  EXPECT_FALSE(r.DecoOpen());
  EXPECT_TRUE(r.rig.views.desktop_deco->closed);
  r.rig.loop.Advance(1);  // freed after its own handler, on the owner's timer
  EXPECT_EQ(r.rig.app.desktop_deco(), nullptr);
  EXPECT_TRUE(r.SOTOpen());
}

TEST(DesktopDeco, ItsSettingsItemOpensTheGeneralPage) {
  DecoRig r;
  r.deco().MenuClick(DecoCommand::Setup);
  EXPECT_TRUE(r.rig.app.setup().State().visible);
  EXPECT_EQ(r.rig.app.setup().State().page, kPageGeneral);
  EXPECT_FALSE(r.rig.app.setup().State().topmost);
  EXPECT_TRUE(r.DecoOpen());
}

TEST(DesktopPictures, TheMenuItemsCloseAndOpenThem) {
  struct Case {
    const char* item;
    bool (DecoRig::*open)();
    bool Settings::*setting;
    bool (DecoRig::*other)();
  } const cases[] = {
      {"NDesktopDeco", &DecoRig::DecoOpen, &Settings::ShowDesktopDeco, &DecoRig::SOTOpen},
      {"NShowSOT", &DecoRig::SOTOpen, &Settings::ShowSOT, &DecoRig::DecoOpen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    DecoRig r;
    ASSERT_TRUE((r.*c.open)());
    r.rig.app.main().MenuClick(c.item);
    EXPECT_FALSE(r.rig.app.settings().*c.setting);
    EXPECT_FALSE((r.*c.open)());
    EXPECT_TRUE((r.*c.other)());
    r.rig.loop.Advance(1);
    EXPECT_EQ(r.rig.app.desktop_deco() != nullptr, c.setting != &Settings::ShowDesktopDeco);
    EXPECT_EQ(r.rig.app.sot_form() != nullptr, c.setting != &Settings::ShowSOT);
    r.rig.app.main().MenuClick(c.item);
    EXPECT_TRUE(r.rig.app.settings().*c.setting);
    EXPECT_TRUE((r.*c.open)());
    // Told again that the settings are on, the open windows stay the only ones.
    const fake::FakeDesktopDecoHost* deco = r.rig.views.desktop_deco;
    const fake::FakeSOTHost* sot = r.rig.views.sot;
    r.rig.app.ShowDesktopDecoChanged();
    r.rig.app.ShowSOTChanged();
    EXPECT_EQ(r.rig.views.desktop_deco, deco);
    EXPECT_EQ(r.rig.views.sot, sot);
  }
}

TEST(DesktopPictures, AReopenedStatusPictureStartsAgainAtTheTop) {
  DecoRig r;
  r.deco().MenuClick(DecoCommand::SetPosition);
  r.deco().Image1MouseDown(ui::MouseButton::Left, {0, 0});
  r.deco().Image1MouseUp(ui::MouseButton::Left, {-300, -300});
  r.rig.app.main().MenuClick("NDesktopDeco");
  r.rig.loop.Advance(1);
  r.rig.app.main().MenuClick("NDesktopDeco");
  EXPECT_EQ(r.deco().State().bounds, At(1442, 25, 468, 57));
  EXPECT_EQ(r.deco().State().PopupMenu1[0].caption, "置底");
}

TEST(DesktopPictures, StartUpOpensThoseThatAreOn) {
  struct Case {
    bool sot, deco;
  } const cases[] = {{true, true}, {false, true}, {true, false}, {false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("on-top ") + (c.sot ? "on" : "off") + ", status " +
                 (c.deco ? "on" : "off"));
    Rig rig;
    Settings stored;
    stored.ShowSOT = c.sot;
    rig.files.files[rig.ConfigPath()] = EncodeConfig(stored);
    rig.app.settings().ShowDesktopDeco = c.deco;  // not in the configuration file
    rig.app.Start();
    EXPECT_EQ(rig.app.forms().IsFormOpen(TSOTForm::kFormName), c.sot);
    EXPECT_EQ(rig.app.forms().IsFormOpen(TfrmDesktopDeco::kFormName), c.deco);
    EXPECT_EQ(rig.views.sot != nullptr && rig.views.sot->shows == 1, c.sot);
    EXPECT_EQ(rig.views.desktop_deco != nullptr && rig.views.desktop_deco->shows == 1, c.deco);
  }
}

TEST(SOTForm, CoversThePrimaryScreenFaintly) {
  Rig rig;
  rig.screen.size = {2560, 1440};
  rig.screen.work = {0, 0, 2560, 1400};
  rig.app.Start();
  ASSERT_NE(rig.app.sot_form(), nullptr);
  const SOTState& s = rig.app.sot_form()->State();
  EXPECT_EQ(s.bounds, At(0, 0, 2560, 1440));
  EXPECT_EQ(s.Image1.rect, s.bounds);
  EXPECT_EQ(s.alpha, 50);
  EXPECT_TRUE(s.visible);
}

TEST(SOTForm, CoversEveryMonitorWhileBreaksDoAndFollowsDisplayChanges) {
  const Monitor primary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, true};
  const Monitor left{{-1280, -200, 0, 824}, {-1280, -200, 0, 824}, 120, false};
  const Monitor above{{0, -900, 1600, 0}, {0, -900, 1600, 0}, 144, false};
  struct Case {
    const char* name;
    bool all_monitors;
    std::vector<Monitor> monitors;
    std::vector<Rect> others;
  };
  const Case cases[] = {
      {"one monitor", true, {primary}, {}},
      {"two", true, {left, primary}, {left.rect}},
      {"three", true, {primary, left, above}, {left.rect, above.rect}},
      {"primary only", false, {primary, left, above}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.app.settings().BreakOnAllMonitors = c.all_monitors;
    rig.screen.SetMonitors(c.monitors);
    rig.app.Start();
    ASSERT_NE(rig.app.sot_form(), nullptr);
    TSOTForm& sot = *rig.app.sot_form();
    EXPECT_EQ(sot.State().bounds, At(0, 0, 1920, 1080));
    EXPECT_EQ(sot.State().others, c.others);

    // The monitor left of the primary is unplugged, the primary grows.
    rig.screen.SetMonitors({{{0, 0, 2560, 1440}, {0, 0, 2560, 1400}, 96, true}, above});
    sot.DisplayChanged();
    EXPECT_EQ(sot.State().bounds, At(0, 0, 2560, 1440));
    EXPECT_EQ(sot.State().Image1.rect, sot.State().bounds);
    EXPECT_EQ(sot.State().others,
              c.all_monitors ? std::vector<Rect>{above.rect} : std::vector<Rect>{});
  }
}

TEST(SOTForm, StaysAboveTheBuiltInScreenSaver) {
  for (bool on : {true, false}) {
    SCOPED_TRACE(on ? "on" : "off");
    DecoRig r;
    r.rig.views.cycle_windows = true;
    if (!on) r.rig.app.main().MenuClick("NShowSOT");
    ASSERT_TRUE(r.rig.app.ShowInternalScreenSaver());
    EXPECT_EQ(r.rig.views.fronted,
              on ? std::vector<std::string>{"SOTForm"} : std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace tavu
