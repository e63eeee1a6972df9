#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "engine_access.hpp"
#include "engine_rig.hpp"
#include "recording_canvas.hpp"
#include "settings/screen_zoom.hpp"
#include "windows/break_screen/break_screen.hpp"
#include "windows/break_screen/interfaces.hpp"
#include "windows/break_screen/rest_modes.hpp"

namespace tavu {
namespace {

using fake::FillCall;
using fake::LineCall;
using fake::TextCall;
using Texts = std::vector<std::string>;

// The break screen's window: records the effects, paints into a recording canvas, and measures
// text as size_pt pixels per character and 2 × size_pt high.
class FakeBreakHost : public BreakScreenHost {
 public:
  void Show() override {
    calls.push_back("Show alpha " + std::to_string(form->State().alpha));
    covers_at_show.push_back(form->State().covers.size());
  }
  void Hide() override { calls.push_back("Hide"); }
  void AnimateHide(int) override { calls.push_back("AnimateHide"); }
  void Repaint() override {
    calls.push_back("Repaint");
    form->FormPaint(canvas);
  }
  Canvas& WindowCanvas() override { return canvas; }
  void Free() override { calls.push_back("Free"); }
  void ShowShutDownDialog() override { calls.push_back("ShutDownDialog"); }
  void SetInputLock(bool block_input, bool hide_cursor) override {
    calls.push_back(std::string("Lock") + (block_input ? " input" : "") +
                    (hide_cursor ? " cursor" : "") + (block_input || hide_cursor ? "" : " off"));
  }
  Size MeasureText(const ui::Font& font, std::string_view text) override {
    int chars = 0;
    for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
    return {chars * font.size, 2 * font.size};
  }
  Size MeasureTextAt(const ui::Font& font, std::string_view text, int dpi) override {
    const Size at96 = MeasureText(font, text);
    return {at96.w * dpi / 96, at96.h * dpi / 96};
  }

  Texts Calls(std::string_view prefix) const {
    Texts out;
    for (const auto& c : calls)
      if (c.starts_with(prefix)) out.push_back(c);
    return out;
  }

  TTWForm* form = nullptr;
  fake::RecordingCanvas canvas;
  Texts calls;
  std::vector<std::size_t> covers_at_show;  // the covers each Show brought up with the screen
};

// The program on fakes with a break screen on top: plan 40 min work, 4 min break, 6 s per
// delay minute; free mode, black interface, a fade-in without the moiré.
struct BreakScreenRig {
  BreakScreenRig() {
    Settings& s = settings();
    s.MicroAdjust = 0;
    s.BreakInterval = 40;
    s.BreakMins = 4;
    s.AddBreak4ExtTime_SECperMIN = 6;
    r.rig.app.plans().ApplySelected();
    r.rig.app.engine().StartCycle();
    s.SelectBreakMode = kFreeMode;
    s.BreakInterface = break_interface::kPureBlack;
    s.UseMoiseEffect = false;
    s.Slogan = "休息一下";
    r.rig.screen.size = {1024, 768};
    r.rig.screen.work = {0, 0, 1024, 728};
  }

  Settings& settings() { return r.rig.app.settings(); }
  Engine& engine() { return r.engine(); }
  fake::VirtualLoop& loop() { return r.rig.loop; }
  const BreakScreenState& st() const { return form->State(); }
  int Position() const { return st().ProgressBar1.position; }
  const EventCycle& LastCycle() { return r.rig.app.log().Cycles().back(); }

  // A real break, as the countdown window hands over.
  void Open() {
    EngineTestAccess::BreakNow(engine(), 0, kEventScheduledBreak);
    Create();
  }
  void OpenDemo() {
    engine().DemoBreak();
    Create();
  }
  void Create() {
    r.rig.engine_actions.Clear();
    form = std::make_unique<TTWForm>(
        host, TTWForm::Deps{settings(), r.rig.app.plans(), engine(), r.rig.screen, loop(), random,
                            r.rig.dialogs, r.rig.app.forms()});
    host.form = form.get();
    form->Open(r.rig.engine_actions.last_demo, r.rig.engine_actions.last_delayed_mins);
  }
  // Runs the fade-in to its end; the count starts there.
  void FadeIn() {
    while (st().phase == BreakPhase::FadingIn) loop().Advance(1);
  }
  void Seconds(int n) { loop().Advance(uint64_t(n) * 1000); }
  bool Running(int timer) { return loop().IsRunning(*form, timer); }
  // The break commands as the menu and the settings window show them.
  Texts Enabled() {
    Texts out;
    const MainMenu menu = r.rig.app.main().Menu();
    if (menu.Enabled(MenuCommand::BreakNow)) out.push_back("NBreakNow");
    if (menu.Enabled(MenuCommand::BreakDemo)) out.push_back("NBreakDemo");
    if (r.rig.app.setup().State().preview_break_enabled) out.push_back("btnPreviewBreakForm");
    return out;
  }

  test::EngineRig r;
  FakeBreakHost host;
  fake::FakeRandom random;
  std::unique_ptr<TTWForm> form;
};

// ---- Creation and layout ----------------------------------------------------------------------

TEST(BreakScreenLayout, FontIncrementFollowsTheScreenHalfSum) {
  const struct {
    Size screen;
    int k;
  } cases[] = {{{800, 600}, 0},    {{1024, 768}, 2}, {{1366, 768}, 5},
               {{1920, 1080}, 11}, {{640, 480}, -2}, {{2560, 1440}, 18}};
  for (const auto& c : cases)
    EXPECT_EQ(screen_zoom::FontIncrement(c.screen), c.k) << c.screen.w << " x " << c.screen.h;
}

TEST(BreakScreenLayout, PlacesEverythingByFractionsOfTheDesign) {
  struct Case {
    Size screen;
    Rect work;
    Rect bar;
    Point remain;
    int font_pt;
    Point text_at;
    int mode_left;
    Point slogan;
    Point power, exit, combo, edit;
  };
  // The task bar takes 40 px at the bottom. Texts measure size_pt px per character; the mode
  // label has 8 characters, the slogan 4 in 24 pt (96 × 48).
  const Case cases[] = {
      {{1024, 768},
       {0, 0, 1024, 728},
       {20, 20, 1004, 28},
       {28, 48},
       10,
       {110, 110},
       (1024 - 80) / 2,
       {464, 360},
       {51, 659},
       {939, 659},
       {824, 670},
       {605, 670}},
      // 37.5 and 52.5 round to even; the bar is 16 px high from 1536 px.
      {{1920, 1080},
       {0, 0, 1920, 1040},
       {38, 28, 1882, 44},
       {52, 68},
       19,
       {206, 155},
       (1920 - 152) / 2,
       {912, 516},
       {96, 956},
       {1791, 956},
       {1676, 967},
       {1457, 967}},
      // 12.5 is a true half of 480 × 20 / 768 and rounds to 12; the fonts shrink.
      {{640, 480},
       {0, 0, 640, 440},
       {12, 12, 628, 20},
       {18, 30},
       6,
       {69, 69},
       (640 - 48) / 2,
       {272, 216},
       {32, 386},
       {575, 386},
       {460, 397},
       {241, 397}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.screen.w) + " x " + std::to_string(c.screen.h));
    BreakScreenRig b;
    b.r.rig.screen.size = c.screen;
    b.r.rig.screen.work = c.work;
    b.Open();
    const BreakScreenState& s = b.st();
    EXPECT_EQ(s.bounds, (Rect{0, 0, c.screen.w, c.screen.h}));
    EXPECT_EQ(s.ProgressBar1.rect, c.bar);
    EXPECT_EQ(s.lblBreakRemainSec.rect.left, c.remain.x);
    EXPECT_EQ(s.lblBreakRemainSec.rect.top, c.remain.y);
    EXPECT_EQ(s.lblBreakRemainSec.font->size, c.font_pt);
    EXPECT_EQ(s.lblCurrentMode.font->size, c.font_pt);
    EXPECT_EQ(s.canvas_font.size_pt, c.font_pt);
    EXPECT_EQ(s.canvas_text_at, c.text_at);
    EXPECT_EQ(s.lblCurrentMode.rect.left, c.mode_left);
    EXPECT_EQ(s.lblCurrentMode.rect.top, c.remain.y);
    EXPECT_EQ(s.lblSlogan.rect, (Rect{c.slogan.x, c.slogan.y, c.slogan.x + 96, c.slogan.y + 48}));
    EXPECT_EQ(s.imgShutDownIcon.rect, (Rect{c.power.x, c.power.y, c.power.x + 33, c.power.y + 32}));
    EXPECT_EQ(s.imgUrgentExitIcon.rect, (Rect{c.exit.x, c.exit.y, c.exit.x + 33, c.exit.y + 32}));
    // List and box stand on the exit icon's bottom edge.
    EXPECT_EQ(s.cbbRemindAgainAt.rect,
              (Rect{c.combo.x, c.combo.y, c.combo.x + 105, c.exit.y + 32}));
    EXPECT_EQ(s.edtExitPsw.rect, (Rect{c.edit.x, c.edit.y, c.edit.x + 209, c.exit.y + 32}));
  }
}

TEST(BreakScreenLayout, ABreakIsItsMinutesPlusTheDelayedMinutesDue) {
  BreakScreenRig b;
  EngineTestAccess::Values(b.engine()).ApplyMinsTotal = 5;
  b.Open();
  EXPECT_EQ(b.st().ProgressBar1.max, 270);          // 4 × 60 + 6 × 5
  EXPECT_EQ(b.host.calls.front(), "Show alpha 1");  // never shown opaque
  EXPECT_TRUE(b.r.rig.app.forms().IsFormOpen(kBreakScreenForm));
  b.FadeIn();
  b.loop().Advance(999);
  EXPECT_EQ(b.st().lblBreakRemainSec.text, "270");
  b.loop().Advance(1);
  EXPECT_EQ(b.st().lblBreakRemainSec.text, "269");
  EXPECT_EQ(b.st().ProgressBar1.position, 269);
  // The opened break restarted the engine's tick with nothing due.
  EXPECT_EQ(b.engine().Values().MinsToHint, 0);
  EXPECT_TRUE(b.r.TickRunning());
}

TEST(BreakScreenLayout, ARandomInterfaceNeverPicksTheLastAndIsKeptInTheSetting) {
  struct CountingRandom : fake::FakeRandom {
    int Next(int n) override {
      asked.push_back(n);
      return FakeRandom::Next(n);
    }
    std::vector<int> asked;
  };
  BreakScreenRig b;
  CountingRandom random;
  b.settings().RandomInterface = true;
  random.values = {1, 10, 20, 30};  // the dim colour, then its channels
  b.form = std::make_unique<TTWForm>(
      b.host, TTWForm::Deps{b.settings(), b.r.rig.app.plans(), b.engine(), b.r.rig.screen, b.loop(),
                            random, b.r.rig.dialogs, b.r.rig.app.forms()});
  b.host.form = b.form.get();
  b.form->Open(false, 0);
  EXPECT_EQ(random.asked, (std::vector<int>{13, 50, 50, 50}));
  EXPECT_EQ(b.settings().BreakInterface, break_interface::kDimColour);
  EXPECT_EQ(b.st().color, Rgb(10, 20, 30));
}

TEST(BreakScreenLayout, OptionalControlsFollowTheirSettings) {
  for (bool on : {true, false}) {
    BreakScreenRig b;
    b.settings().ShowSlogan = on;
    b.settings().ShowPowerButton = on;
    b.settings().ShowCurrentMode = on;
    b.settings().SelectBreakMode = kInterfereMode;
    b.Open();
    EXPECT_EQ(b.st().lblSlogan.visible, on);
    EXPECT_EQ(b.st().imgShutDownIcon.visible, on);
    EXPECT_EQ(b.st().lblCurrentMode.visible, on);
    EXPECT_EQ(b.st().lblCurrentMode.text, on ? "[ 干扰模式 ]" : "[ 当前模式 ]");
    b.form->imgShutDownIconClick();
    EXPECT_EQ(b.host.Calls("ShutDownDialog").size(), on ? 1u : 0u);
  }
}

// ---- Fade-in ----------------------------------------------------------------------------------

TEST(BreakScreenFadeIn, ClimbsByStepsAndStopsAtTheLastValueNotAboveTheTarget) {
  std::vector<int> one_by_one;
  for (int a = 1; a <= 100; ++a) one_by_one.push_back(a);
  const struct {
    int transparency, fade_in_step;
    std::vector<int> alphas;
  } cases[] = {
      {100, 1, {1, 37, 73}},
      {100, 36, one_by_one},
      {200, 12, {1, 26, 51, 76, 101, 126, 151, 176}},
      {255, 1, {1, 37, 73, 109, 145, 181, 217, 253}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.transparency) + "/" + std::to_string(c.fade_in_step));
    BreakScreenRig b;
    b.settings().Transparency = c.transparency;
    b.settings().FadeInStep = c.fade_in_step;
    b.settings().FadeInSpeed = 150;  // every tick 1 ms
    b.Open();
    EXPECT_EQ(b.loop().Interval(*b.form, TTWForm::kCreateAnimateTimer), 1u);
    std::vector<int> seen{b.st().alpha};
    while (b.st().phase == BreakPhase::FadingIn) {
      b.loop().Advance(1);
      if (b.st().alpha != seen.back()) seen.push_back(b.st().alpha);
    }
    EXPECT_EQ(seen, c.alphas);
    // The last step is a tick that only stops: one tick per step, one more to stop.
    EXPECT_FALSE(b.Running(TTWForm::kCreateAnimateTimer));
    EXPECT_TRUE(b.Running(TTWForm::kTrackingTimer));
  }
}

TEST(BreakScreenFadeIn, TheMoireAddsARandomPartToEveryIntervalButTheFirst) {
  BreakScreenRig b;
  b.settings().UseMoiseEffect = true;
  b.settings().FadeInSpeed = 32;
  b.settings().MoiseStrenth = 112;
  b.random.values = {5, 50, 111};
  b.Open();
  std::vector<uint64_t> at;
  const uint64_t start = b.loop().Tick();
  uint8_t alpha = b.st().alpha;
  while (at.size() < 3) {
    b.loop().Advance(1);
    if (b.st().alpha != alpha) at.push_back(b.loop().Tick() - start), alpha = b.st().alpha;
  }
  EXPECT_EQ(at, (std::vector<uint64_t>{119, 119 + 124, 119 + 124 + 169}));
}

TEST(BreakScreenFadeIn, EndsWithTheRestTextInYellowAndStartsTheCount) {
  BreakScreenRig b;
  b.Open();
  EXPECT_FALSE(b.Running(TTWForm::kTrackingTimer));
  b.FadeIn();
  EXPECT_EQ(b.st().alpha, 176);
  const auto texts = b.host.canvas.Only<TextCall>();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, kRestNowText);
  EXPECT_EQ(texts[0].at, (Point{110, 110}));
  EXPECT_EQ(texts[0].font.color, Rgb(255, 255, 0));
  EXPECT_EQ(texts[0].font.size_pt, 10);
  EXPECT_EQ(b.host.Calls("Lock"), Texts{});  // free mode holds nothing
}

// ---- Paint ------------------------------------------------------------------------------------

TEST(BreakScreenPaint, EveryPaintDrawsAFreshPatternAndWipesTheText) {
  BreakScreenRig b;
  b.settings().BreakInterface = break_interface::kColourRaster;
  for (int i = 0; i < 2000; ++i) b.random.values.push_back(i);
  b.Open();
  b.FadeIn();
  ASSERT_EQ(b.st().canvas_text, kRestNowText);
  fake::RecordingCanvas first, second;
  b.form->FormPaint(first);
  b.form->FormPaint(second);
  EXPECT_TRUE(b.st().canvas_text.empty());
  for (const auto* c : {&first, &second}) {
    const auto fills = c->Only<FillCall>();
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(fills[0].color, 0u);
    EXPECT_EQ(c->Only<LineCall>().size(), 128u);
    EXPECT_TRUE(c->Only<TextCall>().empty());
  }
  EXPECT_NE(first.Only<LineCall>()[0].pen, second.Only<LineCall>()[0].pen);

  // The colour-only interfaces only fill.
  b.settings().BreakInterface = break_interface::kPureBlack;
  fake::RecordingCanvas plain;
  b.form->FormPaint(plain);
  EXPECT_EQ(plain.calls.size(), 1u);
}

// ---- Every monitor -------------------------------------------------------------------------

// Monitors as Windows arranges them: the primary's top left at 0,0; the task bar 40 px high.
constexpr Monitor kPrimary{{0, 0, 1024, 768}, {0, 0, 1024, 728}, 96, true};
constexpr Monitor kRight120{{1024, 0, 2304, 1024}, {1024, 0, 2304, 1024}, 120, false};
constexpr Monitor kLeft144{{-2560, -300, 0, 1140}, {-2560, -300, 0, 1100}, 144, false};
constexpr Monitor kAbove96{{0, -600, 800, 0}, {0, -600, 800, 0}, 96, false};

TEST(BreakScreenMonitors, EveryOtherMonitorGetsACoverOfItsSizeWithTheSloganCentredAtItsDpi) {
  struct Case {
    const char* name;
    std::vector<Monitor> monitors;
    bool all_monitors;
    std::vector<Rect> covers;
    std::vector<Rect> slogans;  // "休息一下" in 24 pt: 96 × 48 at 96 dpi
  };
  const Case cases[] = {
      {"one monitor", {kPrimary}, true, {}, {}},
      {"two, the other at 120 dpi",
       {kPrimary, kRight120},
       true,
       {kRight120.rect},
       {{580, 482, 580 + 120, 482 + 60}}},
      // The primary listed last, the others left of and above it.
      {"three, negative coordinates",
       {kLeft144, kAbove96, kPrimary},
       true,
       {kLeft144.rect, kAbove96.rect},
       {{1208, 684, 1208 + 144, 684 + 72}, {352, 276, 448, 324}}},
      {"switched off", {kPrimary, kRight120, kLeft144}, false, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BreakScreenRig b;
    b.settings().BreakFont.size_pt = 24;
    b.settings().BreakOnAllMonitors = c.all_monitors;
    b.r.rig.screen.SetMonitors(c.monitors);
    b.Open();
    // The primary keeps the whole layout of one monitor, wherever it is listed.
    EXPECT_EQ(b.st().bounds, (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(b.st().lblSlogan.rect, (Rect{464, 360, 560, 408}));
    ASSERT_EQ(b.st().covers.size(), c.covers.size());
    for (std::size_t i = 0; i < c.covers.size(); ++i) {
      const BreakCover& cover = b.st().covers[i];
      EXPECT_EQ(cover.bounds, c.covers[i]) << i;
      EXPECT_EQ(cover.lblSlogan.rect, c.slogans[i]) << i;
      EXPECT_EQ(cover.lblSlogan.text, "休息一下");
      EXPECT_EQ(cover.lblSlogan.font->size, 24);
      EXPECT_TRUE(cover.lblSlogan.visible);
    }
  }
}

TEST(BreakScreenMonitors, CoversShowFromTheFirstFramePaintTheScreensBackgroundAndFollowTheSlogan) {
  BreakScreenRig b;
  b.settings().BreakInterface = break_interface::kColourRaster;
  b.settings().ShowSlogan = false;
  for (int i = 0; i < 2000; ++i) b.random.values.push_back(i);
  b.r.rig.screen.SetMonitors({kPrimary, kRight120, kLeft144});
  b.Open();
  // Shown with the screen at its first, faintest frame: the covers fade in with it.
  ASSERT_EQ(b.host.covers_at_show, (std::vector<std::size_t>{2}));
  EXPECT_EQ(b.st().alpha, 1);
  EXPECT_FALSE(b.st().covers[0].lblSlogan.visible);

  for (std::size_t i = 0; i < 2; ++i) {
    fake::RecordingCanvas canvas;
    b.form->CoverPaint(i, canvas);
    const Rect& m = b.st().covers[i].bounds;
    const auto fills = canvas.Only<FillCall>();
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, (Rect{0, 0, m.Width(), m.Height()}));
    EXPECT_EQ(fills[0].color, b.st().color);
    EXPECT_FALSE(canvas.Only<LineCall>().empty()) << "the interface's pattern, as on the primary";
    EXPECT_TRUE(canvas.Only<TextCall>().empty()) << "the count's words are the primary's";
  }
  fake::RecordingCanvas none;
  b.form->CoverPaint(2, none);
  EXPECT_TRUE(none.calls.empty());
}

TEST(BreakScreenMonitors, CoversComeBackWithAPostponedScreenAndCloseWithIt) {
  BreakScreenRig b;
  b.r.rig.screen.SetMonitors({kPrimary, kRight120});
  b.Open();
  b.FadeIn();
  b.Seconds(60);
  ASSERT_TRUE(b.st().imgUrgentExitIcon.visible);
  b.form->cbbRemindAgainAtSelect(1);
  b.form->imgUrgentExitIconClick();
  ASSERT_EQ(b.st().phase, BreakPhase::Hidden);
  b.Seconds(60);
  ASSERT_EQ(b.st().phase, BreakPhase::Counting);
  EXPECT_EQ(b.host.covers_at_show, (std::vector<std::size_t>{1, 1}));
  b.Seconds(b.Position());
  b.form->FormClick();
  // One close for the screen and its covers: they are one window to the program.
  EXPECT_EQ(b.host.Calls("Free"), Texts{"Free"});
  EXPECT_FALSE(b.r.rig.app.forms().IsFormOpen(kBreakScreenForm));
}

TEST(BreakScreenMonitors, ADisplayChangeMidBreakIsFollowed) {
  struct Case {
    const char* name;
    std::vector<Monitor> after;
    std::vector<Rect> covers;
    Rect bounds;
  };  // the primary keeps its size here; a new size is the next test's
  const Monitor moved_left{{-1280, 0, 0, 1024}, {-1280, 0, 0, 1024}, 120, false};
  const Case cases[] = {
      {"a monitor added",
       {kPrimary, kRight120, kAbove96},
       {kRight120.rect, kAbove96.rect},
       {0, 0, 1024, 768}},
      {"a monitor removed", {kPrimary}, {}, {0, 0, 1024, 768}},
      {"rearranged", {moved_left, kPrimary}, {moved_left.rect}, {0, 0, 1024, 768}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BreakScreenRig b;
    b.r.rig.screen.SetMonitors({kPrimary, kRight120});
    b.Open();
    b.FadeIn();
    b.Seconds(3);
    const BreakScreenState before = b.st();
    b.r.rig.screen.SetMonitors(c.after);
    b.form->DisplayChanged();

    ASSERT_EQ(b.st().covers.size(), c.covers.size());
    for (std::size_t i = 0; i < c.covers.size(); ++i)
      EXPECT_EQ(b.st().covers[i].bounds, c.covers[i]);
    EXPECT_EQ(b.st().bounds, c.bounds);
    // The count goes on where it was.
    EXPECT_EQ(b.st().phase, BreakPhase::Counting);
    EXPECT_EQ(b.Position(), before.ProgressBar1.position);
    EXPECT_EQ(b.st().canvas_text, kRestNowText);
    EXPECT_EQ(b.st().lblBreakRemainSec.font, before.lblBreakRemainSec.font);
    EXPECT_EQ(b.st().canvas_font, before.canvas_font);
    EXPECT_TRUE(b.host.Calls("Repaint").empty()) << "the primary's pattern stays";
  }
}

TEST(BreakScreenMonitors, ANewPrimarySizeIsLaidOutAsIfTheBreakHadStartedOnIt) {
  // Laid out once on the new size, not grown again on top of the old layout.
  BreakScreenRig fresh;
  fresh.r.rig.screen.SetMonitors({{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, true}});
  fresh.Open();

  BreakScreenRig changed;
  changed.r.rig.screen.SetMonitors({kPrimary, kRight120});
  changed.Open();
  changed.FadeIn();
  changed.r.rig.screen.SetMonitors({{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, true}});
  changed.form->DisplayChanged();

  const BreakScreenState& a = fresh.st();
  const BreakScreenState& b = changed.st();
  EXPECT_EQ(b.bounds, a.bounds);
  EXPECT_EQ(b.ProgressBar1.rect, a.ProgressBar1.rect);
  EXPECT_EQ(b.lblBreakRemainSec.font, a.lblBreakRemainSec.font);
  EXPECT_EQ(b.lblBreakRemainSec.rect.left, a.lblBreakRemainSec.rect.left);
  EXPECT_EQ(b.lblCurrentMode.rect, a.lblCurrentMode.rect);
  EXPECT_EQ(b.lblSlogan.rect, a.lblSlogan.rect);
  EXPECT_EQ(b.canvas_font.size_pt, a.canvas_font.size_pt);
  EXPECT_EQ(b.canvas_text_at, a.canvas_text_at);
  EXPECT_EQ(b.imgUrgentExitIcon.rect, a.imgUrgentExitIcon.rect);
  EXPECT_TRUE(b.covers.empty());
  // The pattern is drawn again at the new size and the words written on it again.
  EXPECT_EQ(changed.host.Calls("Repaint").size(), 1u);
  const auto fills = changed.host.canvas.Only<FillCall>();
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills.back().rect, (Rect{0, 0, 1920, 1080}));
  EXPECT_EQ(changed.host.canvas.Only<TextCall>().back().text, kRestNowText);
}

// ---- The count and its end --------------------------------------------------------------------

TEST(BreakScreenCount, RunsToZeroThenAClickOrKeyLeavesAndTheEngineStartsANewCycle) {
  BreakScreenRig b;
  b.Open();
  EngineTestAccess::Values(b.engine()).TiredIndexCarry = 80;
  b.FadeIn();
  b.Seconds(100);
  // Nothing leaves before the end: clicks, keys, close requests.
  b.form->FormClick();
  b.form->FormKeyDown(ui::Key::Escape);
  b.form->Close();
  EXPECT_EQ(b.st().phase, BreakPhase::Counting);
  EXPECT_EQ(b.host.Calls("Free"), Texts{});
  EXPECT_EQ(b.Position(), 140);
  EXPECT_EQ(b.form->WMQueryEndSession(), 1);  // Windows may still end the session

  b.host.canvas.Clear();
  b.Seconds(140);
  EXPECT_EQ(b.st().phase, BreakPhase::Finished);
  EXPECT_EQ(b.st().lblBreakRemainSec.text, "0");
  EXPECT_FALSE(b.Running(TTWForm::kTrackingTimer));
  // A full repaint wipes the rest text, then the end text goes over it.
  ASSERT_FALSE(b.host.canvas.calls.empty());
  EXPECT_TRUE(std::holds_alternative<FillCall>(b.host.canvas.calls.front()));
  const auto texts = b.host.canvas.Only<TextCall>();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, kBreakOverText);
  EXPECT_EQ(texts[0].at, (Point{110, 110}));
  EXPECT_EQ(texts[0].font.color, Rgb(255, 255, 0));
  b.Seconds(10);
  EXPECT_EQ(b.Position(), 0);
  EXPECT_EQ(b.LastCycle().back().EndTick, 0u);  // still open until the user leaves

  b.form->FormKeyDown(ui::Key::Other);
  EXPECT_EQ(b.host.Calls("Free"), Texts{"Free"});
  EXPECT_EQ(b.st().phase, BreakPhase::Closed);
  EXPECT_FALSE(b.r.rig.app.forms().IsFormOpen(kBreakScreenForm));
  const auto& cycles = b.r.rig.app.log().Cycles();
  ASSERT_EQ(cycles.size(), 2u);
  EXPECT_EQ(fake::LastOf(b.r.rig.app.log(), 0, kEventKeyBreak).Kind, kEventScheduledBreak);
  EXPECT_EQ(fake::LastOf(b.r.rig.app.log(), 0, kEventKeyBreak).Value, 100);
  EXPECT_EQ(cycles[1].back().Kind, kEventNewCycle);
  EXPECT_EQ(b.engine().Values().TiredIndexCarry, 0);
  EXPECT_EQ(b.engine().Values().CycleNo, 2);
  EXPECT_EQ(b.engine().Values().CycleState, CyclePhase::Working);
  EXPECT_EQ(b.engine().Values().MinsToHint, 39);
  EXPECT_EQ(b.Enabled(), (Texts{"NBreakNow", "NBreakDemo", "btnPreviewBreakForm"}));
  // A late click does nothing twice.
  b.form->FormClick();
  EXPECT_EQ(b.host.Calls("Free").size(), 1u);
  EXPECT_EQ(b.r.rig.app.log().Cycles().size(), 2u);
}

TEST(BreakScreenCount, AResumeThatSleptPastTheCountEndsItAtTheNextTick) {
  BreakScreenRig b;
  b.Open();
  b.FadeIn();
  b.Seconds(10);
  b.form->LowerPosition(3600);
  EXPECT_EQ(b.Position(), 0);
  EXPECT_EQ(b.st().phase, BreakPhase::Counting);
  b.Seconds(1);
  EXPECT_EQ(b.Position(), 0);
  EXPECT_EQ(b.st().phase, BreakPhase::Finished);
}

TEST(BreakScreenDemo, LastsThreeSecondsAndClosesItselfLeavingTheCycleAlone) {
  BreakScreenRig b;
  EngineTestAccess::Values(b.engine()).TiredIndexCarry = 55;
  const auto cycles_before = b.r.rig.app.log().Cycles();
  const uint8_t mins_to_hint = b.engine().Values().MinsToHint;
  b.OpenDemo();
  EXPECT_EQ(b.st().ProgressBar1.max, 3);
  b.FadeIn();
  b.Seconds(2);
  EXPECT_EQ(b.host.Calls("Free"), Texts{});
  b.Seconds(1);
  EXPECT_EQ(b.host.Calls("Free"), Texts{"Free"});
  EXPECT_EQ(b.st().canvas_text, kBreakOverText);
  EXPECT_TRUE(b.engine().BreakCommandsEnabled());
  EXPECT_EQ(b.r.rig.app.log().Cycles(), cycles_before);
  EXPECT_EQ(b.engine().Values().TiredIndexCarry, 55);
  EXPECT_EQ(b.engine().Values().MinsToHint, mins_to_hint);
  EXPECT_EQ(b.engine().Values().CycleNo, 1);
  EXPECT_EQ(b.Enabled(), (Texts{"NBreakNow", "NBreakDemo", "btnPreviewBreakForm"}));
}

// ---- Rest modes -------------------------------------------------------------------------------

TEST(RestModeRules, UrgentExitControlsShowAfterTheirTicks) {
  const ExitControls none{}, kept{true, false, true};
  const struct {
    int mode, intensity, ticks;
    ExitControls shown;
  } cases[] = {
      {kFreeMode, 30, 4, none},       {kFreeMode, 30, 5, {true, true, false}},
      {kPasswordMode, 30, 4, none},   {kPasswordMode, 30, 5, {true, true, true}},
      {kInterfereMode, 15, 4, none},  {kInterfereMode, 15, 5, {true, false, false}},
      {kInterfereMode, 30, 9, none},  {kInterfereMode, 30, 10, {true, false, false}},
      {kInterfereMode, 45, 14, none}, {kInterfereMode, 45, 15, {true, false, false}},
      {kEnforceMode, 30, 200, kept},  {-1, 30, 200, kept},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExitControlsAtTick(c.mode, uint8_t(c.ticks), c.intensity, kept), c.shown)
        << "mode " << c.mode << ", intensity " << c.intensity << ", ticks " << c.ticks;
}

TEST(RestModeRules, TheTickCountWrapsAndHidesTheExitAgain) {
  BreakScreenRig b;
  b.settings().BreakMins = 5;  // 300 s: room for 256 ticks
  b.r.rig.app.plans().ApplySelected();
  b.Open();
  b.FadeIn();
  b.Seconds(255);
  EXPECT_TRUE(b.st().imgUrgentExitIcon.visible);
  b.Seconds(1);
  EXPECT_EQ(b.st().TicksSinceShown, 0);
  EXPECT_FALSE(b.st().imgUrgentExitIcon.visible);
  EXPECT_FALSE(b.st().cbbRemindAgainAt.visible);
  b.Seconds(4);
  EXPECT_FALSE(b.st().imgUrgentExitIcon.visible);
  b.Seconds(1);
  EXPECT_TRUE(b.st().imgUrgentExitIcon.visible);
}

TEST(RestModeChallenge, ItemKAsksForTwoKDigitAddends) {
  for (int k = 1; k <= 6; ++k) {
    fake::FakeRandom random;
    random.values = {0, -1};  // the smallest and the largest draw
    const Challenge c = DrawChallenge(k, random);
    int low = 1;
    for (int i = 1; i < k; ++i) low *= 10;
    EXPECT_EQ(c.a, low) << k;
    EXPECT_EQ(c.b, 10 * low - 1) << k;
    EXPECT_EQ(c.sum, c.a + c.b) << k;
  }
  fake::FakeRandom random;
  random.values = {37 - 10, 52 - 10};
  EXPECT_EQ(DrawChallenge(2, random).text, "请输入正确结果：37 + 52=");
  EXPECT_EQ(DrawChallenge(0, random).text, kChallengePrompt);
}

TEST(RestModeChallenge, AcceptsTheSumAloneOrTypedAfterTheEqualsSign) {
  const Challenge c{137, 552, 689, "请输入正确结果：137 + 552="};
  const struct {
    std::string answer;
    int item;
    bool accepted;
  } cases[] = {
      {"689", 3, true},
      {"请输入正确结果：137 + 552=689", 3, true},
      {"688", 3, false},
      {"", 3, false},
      {"请输入正确结果：137 + 552= 689", 3, false},
      {"689 ", 3, false},
      // The prompt of item 0 has no challenge: an old sum must not unlock it.
      {"689", 0, false},
      {std::string(kChallengePrompt) + "689", 0, false},
  };
  for (const auto& t : cases)
    EXPECT_EQ(ChallengeAnswered(t.answer, c, t.item), t.accepted) << t.answer << " / " << t.item;
}

TEST(RestModeChallenge, AWrongAnswerKeepsTheScreenAndOffersTheSameChallengeAgain) {
  BreakScreenRig b;
  b.settings().SelectBreakMode = kPasswordMode;
  b.random.values = {37, 452, 1, 2};
  b.Open();
  EXPECT_EQ(b.st().edtExitPsw.text, kChallengePrompt);
  b.FadeIn();
  b.Seconds(5);
  ASSERT_TRUE(b.st().edtExitPsw.visible);
  b.form->cbbRemindAgainAtSelect(3);
  EXPECT_EQ(b.st().edtExitPsw.text, "请输入正确结果：137 + 552=");
  b.form->edtExitPswClick();
  EXPECT_EQ(b.st().edtExitPsw.text, "");
  b.form->edtExitPswChange("690");
  b.form->imgUrgentExitIconClick();
  EXPECT_TRUE(b.st().visible);
  EXPECT_EQ(b.st().edtExitPsw.text, "请输入正确结果：137 + 552=");
  EXPECT_EQ(b.st().ChallengeSum, 689);
  EXPECT_TRUE(b.Running(TTWForm::kTrackingTimer));
  // Choosing again draws new numbers, also for the same item.
  b.form->cbbRemindAgainAtSelect(3);
  EXPECT_EQ(b.st().ChallengeSum, 101 + 102);
  // Back to item 0: its prompt, and an answer typed after it unlocks nothing.
  b.form->cbbRemindAgainAtSelect(0);
  b.form->edtExitPswChange(std::string(kChallengePrompt) + "203");
  b.form->imgUrgentExitIconClick();
  EXPECT_TRUE(b.st().visible);
  EXPECT_EQ(b.host.Calls("Hide"), Texts{});
}

// Postponement and interference leave: hidden for the time away with the count standing still,
// then back with the time given back, never above the full length.
TEST(RestModePostpone, ComesBackAfterItsTimeWithTheCountGivenBack) {
  struct Case {
    std::string name;
    int mode;
    int ticks_before;
    int item;
    std::deque<bool> answers;
    uint64_t away_ms;
    int back_at;
    int exit_again_after;
  };
  const Case cases[] = {
      {"free, 1 minute", kFreeMode, 60, 1, {}, 60'000, 180 + 10, 5},
      {"free, 5 minutes", kFreeMode, 60, 5, {}, 300'000, 180 + 50, 5},
      {"password, 3 minutes", kPasswordMode, 60, 3, {}, 180'000, 180 + 30, 5},
      {"free, no more reminders, No", kFreeMode, 60, 6, {false}, 1'000, 180, 5},
      {"interference 30 s", kInterfereMode, 60, 0, {}, 30'000, 180 + 30, 10},
      {"interference 30 s, capped", kInterfereMode, 10, 0, {}, 30'000, 240, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BreakScreenRig b;
    b.settings().SelectBreakMode = c.mode;
    b.settings().InterfereIntensity = 30;
    b.r.rig.dialogs.answers = c.answers;
    b.Open();
    b.FadeIn();
    b.Seconds(c.ticks_before);
    const int left = b.Position();
    ASSERT_TRUE(b.st().imgUrgentExitIcon.visible);
    b.form->cbbRemindAgainAtSelect(c.item);
    if (c.mode == kPasswordMode) {
      b.form->edtExitPswClick();
      b.form->edtExitPswChange(std::to_string(b.st().ChallengeSum));
    }
    b.form->imgUrgentExitIconClick();
    EXPECT_FALSE(b.st().visible);
    EXPECT_EQ(b.st().phase, BreakPhase::Hidden);
    EXPECT_EQ(b.host.Calls("Hide"), Texts{"Hide"});
    EXPECT_FALSE(b.Running(TTWForm::kTrackingTimer));
    b.loop().Advance(c.away_ms - 1);
    EXPECT_FALSE(b.st().visible);
    EXPECT_EQ(b.Position(), left);
    b.loop().Advance(1);
    EXPECT_TRUE(b.st().visible);
    EXPECT_EQ(b.Position(), c.back_at);
    EXPECT_EQ(b.st().lblBreakRemainSec.text, std::to_string(c.back_at));  // shown at once
    EXPECT_FALSE(b.Running(TTWForm::kInterfereControlTimer));
    EXPECT_EQ(b.st().cbbRemindAgainAt.index, 0);
    EXPECT_FALSE(b.st().imgUrgentExitIcon.visible);
    EXPECT_FALSE(b.st().cbbRemindAgainAt.visible);
    EXPECT_FALSE(b.st().edtExitPsw.visible);
    if (c.mode == kPasswordMode) {
      EXPECT_EQ(b.st().edtExitPsw.text, kChallengePrompt);
    }
    b.Seconds(c.exit_again_after - 1);
    EXPECT_FALSE(b.st().imgUrgentExitIcon.visible);
    b.Seconds(1);
    EXPECT_TRUE(b.st().imgUrgentExitIcon.visible);
    EXPECT_EQ(b.Position(), c.back_at - c.exit_again_after);
  }
}

TEST(RestModePostpone, AfterNoTheScreenReturnsWithTheLastPostponementsInterval) {
  BreakScreenRig b;
  b.r.rig.dialogs.answers = {false};
  b.Open();
  b.FadeIn();
  b.Seconds(60);
  b.form->cbbRemindAgainAtSelect(2);
  b.form->imgUrgentExitIconClick();
  b.loop().Advance(120'000);
  ASSERT_TRUE(b.st().visible);
  b.Seconds(10);
  b.form->cbbRemindAgainAtSelect(kRemindAgainNever);
  b.form->imgUrgentExitIconClick();
  ASSERT_FALSE(b.r.rig.dialogs.shown.empty());
  EXPECT_EQ(b.r.rig.dialogs.shown.back().kind, "ask");
  EXPECT_EQ(b.r.rig.dialogs.shown.back().text, kAbortBreakQuestion);
  EXPECT_EQ(b.r.rig.dialogs.shown.back().caption, kAbortBreakCaption);
  EXPECT_EQ(b.loop().Interval(*b.form, TTWForm::kInterfereControlTimer), 120'000u);
}

TEST(RestModePostpone, EndingTheBreakEarlyRecordsWhatWasLeft) {
  BreakScreenRig b;
  b.r.rig.dialogs.answers = {true};
  b.Open();
  EngineTestAccess::Values(b.engine()).TiredIndexCarry = 80;
  b.FadeIn();
  b.Seconds(180);  // 60 of 240 s left
  b.form->cbbRemindAgainAtSelect(kRemindAgainNever);
  b.form->imgUrgentExitIconClick();
  EXPECT_EQ(b.host.Calls("Free"), Texts{"Free"});
  EXPECT_FALSE(b.Running(TTWForm::kInterfereControlTimer));
  const auto& cycles = b.r.rig.app.log().Cycles();
  ASSERT_EQ(cycles.size(), 2u);
  EXPECT_EQ(fake::LastOf(b.r.rig.app.log(), 0, kEventKeyBreak).Value, 125);
  EXPECT_EQ(b.engine().Values().TiredIndexCarry,
            20);  // a quarter of the break left keeps a quarter
  EXPECT_EQ(b.engine().Values().CycleState, CyclePhase::Working);
}

TEST(RestModePostpone, InTheLastFiveSecondsTheUrgentExitOnlyLeavesAtZero) {
  for (int mode : {kFreeMode, kInterfereMode}) {
    SCOPED_TRACE(mode);
    BreakScreenRig b;
    b.settings().SelectBreakMode = mode;
    b.Open();
    b.FadeIn();
    b.Seconds(235);
    b.form->cbbRemindAgainAtSelect(1);
    b.form->imgUrgentExitIconClick();
    EXPECT_TRUE(b.st().visible);
    EXPECT_EQ(b.host.Calls("Hide"), Texts{});
    b.Seconds(5);
    b.form->imgUrgentExitIconClick();
    EXPECT_EQ(b.host.Calls("Free"), Texts{"Free"});
    EXPECT_EQ(fake::LastOf(b.r.rig.app.log(), 0, kEventKeyBreak).Value, 100);
  }
}

TEST(RestModePostpone, FreeModeWithoutAChoiceAndEnforceModeDoNothing) {
  for (int mode : {kFreeMode, kEnforceMode}) {
    BreakScreenRig b;
    b.Open();
    b.FadeIn();
    b.Seconds(60);
    b.settings().SelectBreakMode = mode;  // read afresh: a switch to enforce keeps the icon
    b.Seconds(1);
    ASSERT_TRUE(b.st().imgUrgentExitIcon.visible);
    b.form->cbbRemindAgainAtSelect(mode == kFreeMode ? 0 : 1);
    b.form->imgUrgentExitIconClick();
    EXPECT_TRUE(b.st().visible) << mode;
    EXPECT_TRUE(b.Running(TTWForm::kTrackingTimer)) << mode;
  }
}

// ---- Enforce mode's lock ----------------------------------------------------------------------

TEST(RestModeEnforce, LocksFromTheEndOfTheFadeInToTheEndOfTheCount) {
  const struct {
    bool block, hide;
    Texts at_fade_end;
  } cases[] = {
      {true, true, {"Lock input cursor"}},
      {true, false, {"Lock input"}},
      {false, true, {"Lock cursor"}},
      {false, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.at_fade_end.empty() ? "nothing" : c.at_fade_end[0]);
    BreakScreenRig b;
    b.settings().SelectBreakMode = kEnforceMode;
    b.settings().DisableKeyboard = c.block;
    b.settings().HideCursor = c.hide;
    b.Open();
    b.loop().Advance(900);
    EXPECT_EQ(b.host.Calls("Lock"), Texts{});
    b.FadeIn();
    EXPECT_EQ(b.host.Calls("Lock"), c.at_fade_end);
    EXPECT_EQ(b.st().input_locked, c.block);
    EXPECT_EQ(b.st().cursor_hidden, c.hide);
    b.Seconds(239);
    EXPECT_EQ(b.host.Calls("Lock").size(), c.at_fade_end.size());
    b.Seconds(1);
    // Given back at the end whether or not anything was taken.
    EXPECT_EQ(b.host.Calls("Lock").back(), "Lock off");
    EXPECT_FALSE(b.st().input_locked || b.st().cursor_hidden);
    EXPECT_FALSE(b.st().imgUrgentExitIcon.visible);
  }
}

TEST(RestModeEnforce, TheLockNeverOutlivesTheScreen) {
  enum Ending {
    kSessionEnd,
    kReleased,
    kDestroyed,
    kModeSwitchedThenCountOver,
    kModeSwitchedThenLeft
  };
  for (Ending ending :
       {kSessionEnd, kReleased, kDestroyed, kModeSwitchedThenCountOver, kModeSwitchedThenLeft}) {
    SCOPED_TRACE(ending);
    BreakScreenRig b;
    b.settings().SelectBreakMode = kEnforceMode;
    b.settings().DisableKeyboard = true;
    b.settings().HideCursor = true;
    b.settings().InterfereIntensity = 15;
    b.Open();
    b.FadeIn();
    b.Seconds(30);
    ASSERT_TRUE(b.st().input_locked && b.st().cursor_hidden);
    switch (ending) {
      case kSessionEnd:
        EXPECT_EQ(b.form->WMQueryEndSession(), 1);
        break;
      case kReleased:
        b.form->Release();
        EXPECT_FALSE(b.Running(TTWForm::kTrackingTimer));
        break;
      case kDestroyed:
        b.form.reset();
        break;
      case kModeSwitchedThenCountOver:
        b.settings().SelectBreakMode = kFreeMode;
        b.Seconds(210);
        break;
      case kModeSwitchedThenLeft:
        b.settings().SelectBreakMode = kInterfereMode;
        b.Seconds(1);
        b.form->imgUrgentExitIconClick();
        ASSERT_FALSE(b.form->State().visible);
        break;
    }
    EXPECT_EQ(b.host.Calls("Lock").back(), "Lock off");
    if (b.form) {
      EXPECT_FALSE(b.st().input_locked || b.st().cursor_hidden);
    }
  }
}

TEST(RestModeEnforce, ADemonstrationTakesAndGivesBackTheLockByItself) {
  BreakScreenRig b;
  b.settings().SelectBreakMode = kEnforceMode;
  b.settings().DisableKeyboard = true;
  b.OpenDemo();
  b.FadeIn();
  b.Seconds(3);
  EXPECT_EQ(b.host.Calls("Lock"), (Texts{"Lock input", "Lock off"}));
  EXPECT_EQ(b.host.Calls("Free"), Texts{"Free"});
}

}  // namespace
}  // namespace tavu
