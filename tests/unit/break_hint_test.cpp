#include "windows/countdown/break_hint.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine_access.hpp"
#include "fakes.hpp"

namespace tavu {
namespace {

using Hint = TfrmBreakHint;

class FakeDetailView : public ShowDetailHost {
 public:
  explicit FakeDetailView(Size text_extent) : extent(text_extent) {}
  Size MeasureText(const ui::Font&, std::string_view) override { return extent; }
  void Show(const ShowDetailState& state) override { shown = state; }
  void Free() override { ++frees; }
  Size extent;
  std::optional<ShowDetailState> shown;
  int frees = 0;
};

class FakeBreakHintView : public BreakHintHost {
 public:
  void Show() override { calls.push_back("Show"); }
  void Hide() override { calls.push_back("Hide"); }
  void AnimateHide(int) override { calls.push_back("AnimateHide"); }
  void Minimize() override { calls.push_back("Minimize"); }
  void Restore() override { calls.push_back("Restore"); }
  void Free() override { calls.push_back("Free"); }
  ShowDetailHost& NewDetailView() override {
    details.push_back(std::make_unique<FakeDetailView>(detail_extent));
    return *details.back();
  }
  bool Called(std::string_view what) const {
    return std::find(calls.begin(), calls.end(), what) != calls.end();
  }
  std::vector<std::string> calls;
  int Dpi() override { return dpi; }
  std::vector<std::unique_ptr<FakeDetailView>> details;
  Size detail_extent{300, 14};
  int dpi = 96;
};

// The whole program on fakes; whenever the engine opens a countdown window, a real one is built
// on a fake view, as the platform does.
struct BreakHintRig {
  BreakHintRig() {
    rig.screen.size = {1024, 768};
    rig.app.Start();
    rig.engine_actions.Clear();
    rig.engine_actions.on_request = [this](const std::string& what) {
      if (what != "Countdown shown" && what != "Countdown hidden") return;
      opened_at = rig.loop.Tick();
      hint = std::make_unique<Hint>(
          view, Hint::Deps{app().settings(), app().plans(), engine(), app().log(), rig.loop,
                           rig.screen, app().forms(), app()});
      hint->Open(what == "Countdown shown", rig.engine_actions.last_demo);
    };
  }

  App& app() { return rig.app; }
  Settings& settings() { return rig.app.settings(); }
  Engine& engine() { return rig.app.engine(); }
  const BreakHintState& state() { return hint->State(); }

  // Puts delay limits in force.
  void Limits(int max_mins, int max_times, int once_max) {
    Settings& s = settings();
    s.CanApplyMaxMins = max_mins;
    app().plans().updCanApplyMaxMinsClick();
    s.CanApplyMaxTimes = max_times;
    s.ApplyOnceMaxMins = once_max;
    app().plans().ApplySelected();
  }

  // The countdown becomes due, as at an active engine tick.
  Hint& Countdown() {
    EngineTestAccess::BreakTimerTimer(engine());
    return *hint;
  }

  void Seconds(int n) { rig.loop.Advance(uint64_t(n) * 1000); }

  // `clicks` on the up arrow, then the request button.
  void Request(int clicks) {
    for (int i = 0; i < clicks; ++i) hint->UpDown1Click(true);
    hint->btnApplyMinsClick();
  }

  // Ticks until a request is open again; false if the break started first.
  bool UntilRequestOpens() {
    for (int i = 0; i < 400 && !BreakRequested(); ++i) {
      Seconds(1);
      if (state().lblStatus.text == Hint::kStatusOpen) return true;
    }
    return false;
  }

  bool BreakRequested() const { return WhenRequested("BreakScreen").has_value(); }

  // Seconds from the window's creation to the first engine request `what`.
  std::optional<uint64_t> WhenRequested(std::string_view what) const {
    for (const auto& r : rig.engine_actions.requests)
      if (r.what == what) return (r.tick - opened_at) / 1000;
    return std::nullopt;
  }

  std::vector<uint8_t> Kinds() {
    std::vector<uint8_t> out;
    for (const EventRecord& r : rig.app.log().Cycles().back()) out.push_back(r.Kind);
    return out;
  }

  std::vector<int> DelayValues() {
    std::vector<int> out;
    for (const EventRecord& r : rig.app.log().Cycles().back())
      if (r.Kind == kEventDelayRequest) out.push_back(r.Value);
    return out;
  }

  fake::Rig rig;
  FakeBreakHintView view;
  std::unique_ptr<Hint> hint;
  uint64_t opened_at = 0;
};

Rect At(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

// ---- Requests, limits and the hand-over -----------------------------------------------------

TEST(BreakHintRequests, ARequestLengthensTheCountAndReopensAtSixty) {
  BreakHintRig r;
  r.Limits(5, 3, 5);
  Hint& h = r.Countdown();
  EXPECT_EQ(r.state().lblStatus.text, Hint::kStatusNotYet);
  EXPECT_EQ(r.state().lblTimeRemain.text, Hint::kTimeRemainTitle);
  EXPECT_EQ(r.state().btnApplyMins.text, Hint::kIKnow);

  r.Seconds(1);
  EXPECT_EQ(r.state().lblStatus.text, Hint::kStatusOpen);
  EXPECT_EQ(r.state().lblTimeRemain.text, "还剩59秒!");
  EXPECT_TRUE(r.state().UpDown1.enabled);
  EXPECT_EQ(r.state().UpDown1.max, 5);

  r.Seconds(14);
  ASSERT_EQ(r.state().lblTimeRemain.text, "还剩45秒!");
  h.UpDown1Click(true);
  EXPECT_EQ(r.state().edtMins.text, "1");
  EXPECT_EQ(r.state().btnApplyMins.text, Hint::kApplyDelay);
  r.Request(1);
  EXPECT_EQ(h.HintSecondsLeft, 165);
  EXPECT_EQ(r.state().lblStatus.text, Hint::kStatusWait);
  EXPECT_EQ(r.state().lblTimeRemain.text, Hint::kTimeRemainTitle);
  EXPECT_FALSE(r.state().UpDown1.enabled);
  EXPECT_EQ(r.state().UpDown1.max, 3);
  EXPECT_EQ(r.state().UpDown1.position, 0);
  EXPECT_EQ(r.state().edtMins.text, "0");
  EXPECT_EQ(r.state().btnApplyMins.text, Hint::kIKnow);
  EXPECT_EQ(r.DelayValues(), std::vector<int>{2});

  r.Seconds(1);
  EXPECT_EQ(r.state().lblTimeRemain.text, "还剩2分44秒!");
  r.Seconds(103);
  EXPECT_EQ(r.state().lblTimeRemain.text, "还剩1分1秒!");
  r.Seconds(1);
  EXPECT_EQ(r.state().lblTimeRemain.text, "还剩60秒!");
  EXPECT_EQ(r.state().lblStatus.text, Hint::kStatusWait);
  r.Seconds(1);
  EXPECT_EQ(r.state().lblTimeRemain.text, "还剩59秒!");
  EXPECT_EQ(r.state().lblStatus.text, Hint::kStatusOpen);
  EXPECT_TRUE(r.state().UpDown1.enabled);
}

struct GrantCase {
  const char* name;
  int max_mins, max_times, once_max;
  std::vector<int> clicks;  // up-arrow clicks of each request, made as soon as one opens
  std::vector<int> granted;
  std::string_view status;
  std::string details;
  int up_down_max;
};

TEST(BreakHintRequests, GrantsStayWithinThePlanAndTheBreakCarriesThem) {
  const GrantCase cases[] = {
      {"one minute",
       5,
       3,
       5,
       {1},
       {1},
       Hint::kStatusWait,
       "你已申请 1 分钟,还可申请 4 分钟!你已申请 1 次,还可申请 2 次!",
       4},
      {"all minutes at once",
       5,
       3,
       5,
       {5},
       {5},
       Hint::kStatusUsedUp,
       "你已申请 5 分钟,还可申请 0 分钟!",
       0},
      {"all requests",
       5,
       3,
       5,
       {1, 1, 1},
       {1, 1, 1},
       Hint::kStatusUsedUp,
       "你已申请 3 次,还可申请 0 次!",
       2},
      {"two requests allowed",
       5,
       2,
       5,
       {2, 1},
       {2, 1},
       Hint::kStatusUsedUp,
       "你已申请 2 次,还可申请 0 次!",
       2},
      {"the arrow stops at what is left",
       3,
       3,
       3,
       {2, 9},
       {2, 1},
       Hint::kStatusUsedUp,
       "你已申请 3 分钟,还可申请 0 分钟!",
       0},
      {"the arrow stops at one request's most",
       4,
       3,
       2,
       {5, 5},
       {2, 2},
       Hint::kStatusUsedUp,
       "你已申请 4 分钟,还可申请 0 分钟!",
       0},
      {"minutes and requests used up together",
       3,
       3,
       3,
       {1, 1, 1},
       {1, 1, 1},
       Hint::kStatusUsedUp,
       "你已申请 3 分钟,还可申请 0 分钟!",
       0},
  };
  for (const GrantCase& c : cases) {
    SCOPED_TRACE(c.name);
    BreakHintRig r;
    r.Limits(c.max_mins, c.max_times, c.once_max);
    Hint& h = r.Countdown();
    for (int clicks : c.clicks) {
      ASSERT_TRUE(r.UntilRequestOpens());
      r.Request(clicks);
    }
    EXPECT_EQ(r.state().lblStatus.text, c.status);
    EXPECT_EQ(r.state().UpDown1.max, c.up_down_max);
    EXPECT_EQ(r.DelayValues(), c.granted);
    h.btnDetailsClick();
    ASSERT_EQ(r.view.details.size(), 1u);
    EXPECT_EQ(r.view.details[0]->shown->lblText.text, c.details);

    int total = 0;
    for (int m : c.granted) total += m;
    r.Seconds(400);
    // Each granted minute adds 60 seconds to the 61 ticks of a plain countdown.
    EXPECT_EQ(r.WhenRequested("BreakScreen"), 61u + 60u * total);
    EXPECT_EQ(r.engine().Values().ApplyMinsTotal, total);
    if (c.status == Hint::kStatusUsedUp) {
      EXPECT_EQ(r.state().lblStatus.text, c.status);
    }
  }
}

// "立即生效" while the window counts: the plan now in force bounds what is offered and granted.
TEST(BreakHintRequests, APlanAppliedDuringTheCountdownIsHonoured) {
  BreakHintRig r;
  r.Limits(5, 3, 5);
  r.Countdown();
  r.Limits(2, 3, 2);
  r.Seconds(1);
  EXPECT_EQ(r.state().UpDown1.max, 2);
  r.Request(5);
  EXPECT_EQ(r.DelayValues(), std::vector<int>{2});
  EXPECT_EQ(r.state().lblStatus.text, Hint::kStatusUsedUp);

  BreakHintRig late;
  late.Limits(5, 3, 5);
  late.Countdown();
  late.Seconds(1);
  for (int i = 0; i < 4; ++i) late.hint->UpDown1Click(true);
  late.Limits(1, 3, 1);
  late.hint->btnApplyMinsClick();
  EXPECT_EQ(late.DelayValues(), std::vector<int>{1});
  EXPECT_EQ(late.state().lblStatus.text, Hint::kStatusUsedUp);
  late.hint->btnDetailsClick();
  EXPECT_EQ(late.view.details[0]->shown->lblText.text, "你已申请 1 分钟,还可申请 0 分钟!");

  BreakHintRig cut;  // the new plan allows less than was already granted
  cut.Limits(5, 3, 5);
  cut.Countdown();
  cut.Seconds(1);
  cut.Request(3);
  cut.Limits(2, 3, 2);
  cut.hint->btnDetailsClick();
  EXPECT_EQ(cut.view.details[0]->shown->lblText.text, "你已申请 3 分钟,还可申请 0 分钟!");
  EXPECT_FALSE(cut.UntilRequestOpens());
}

TEST(BreakHintRequests, APlanWithoutDelaysNeverOpensARequest) {
  BreakHintRig r;
  r.Limits(0, 3, 0);
  r.Countdown();
  EXPECT_EQ(r.state().lblStatus.text, Hint::kStatusNever);
  r.Seconds(55);  // past the openings at 60 and 10
  EXPECT_EQ(r.state().lblStatus.text, Hint::kStatusNever);
  EXPECT_FALSE(r.state().UpDown1.enabled);
  r.hint->UpDown1Click(true);
  EXPECT_EQ(r.state().btnApplyMins.text, Hint::kIKnow);
}

TEST(BreakHintHandOver, TheCountRunsOutIntoTheScheduledBreak) {
  BreakHintRig r;
  Hint& h = r.Countdown();
  EXPECT_EQ(r.engine().Values().CycleState, CyclePhase::CountdownOpen);
  EXPECT_TRUE(r.app().forms().IsFormOpen("frmBreakHint"));

  r.Seconds(60);
  EXPECT_EQ(r.state().lblTimeRemain.text, "还剩0秒!");
  // The user cannot close the window before the break.
  h.Close();
  EXPECT_FALSE(h.FormCloseQuery());
  EXPECT_FALSE(r.view.Called("Free"));
  EXPECT_FALSE(r.BreakRequested());

  r.Seconds(1);
  EXPECT_EQ(r.state().lblTimeRemain.text, Hint::kTimeUp);
  EXPECT_EQ(r.WhenRequested("BreakScreen"), 61u);
  EXPECT_EQ(r.engine().Values().ApplyMinsTotal, 0);
  EXPECT_EQ(r.engine().Values().CycleState, CyclePhase::BreakOpen);
  const std::vector<uint8_t> kinds = r.Kinds();
  EXPECT_EQ(std::vector<uint8_t>(kinds.end() - 2, kinds.end()),
            (std::vector<uint8_t>{kEventCountdown, kEventScheduledBreak}));
  EXPECT_TRUE(h.HintCloseAllowed);
  EXPECT_EQ(r.view.calls.back(), "Free");
  EXPECT_TRUE(r.engine().CountdownPreviewEnabled());
  EXPECT_FALSE(r.app().forms().IsFormOpen("frmBreakHint"));
  EXPECT_FALSE(r.rig.loop.IsRunning(h, Hint::kTimer1));
}

TEST(BreakHintHandOver, TheBreakButtonStartsTheManualBreakOnlyOnce) {
  BreakHintRig r;
  Hint& h = r.Countdown();
  r.Seconds(1);
  r.Request(2);
  r.Seconds(5);
  h.btnBreakClick();
  h.btnBreakClick();  // a second click before the window is gone
  int breaks = 0;
  for (const auto& q : r.rig.engine_actions.requests) breaks += q.what == "BreakScreen";
  EXPECT_EQ(breaks, 1);
  EXPECT_EQ(r.engine().Values().ApplyMinsTotal, 2);
  const std::vector<uint8_t> kinds = r.Kinds();
  EXPECT_EQ(std::vector<uint8_t>(kinds.end() - 3, kinds.end()),
            (std::vector<uint8_t>{kEventCountdown, kEventDelayRequest, kEventManualBreak}));
  EXPECT_EQ(std::count(r.view.calls.begin(), r.view.calls.end(), "Free"), 1);
  EXPECT_FALSE(r.rig.loop.IsRunning(h, Hint::kTimer1));
}

TEST(BreakHintHandOver, IKnowMinimisesUntilTenSecondsAreLeft) {
  BreakHintRig r;
  Hint& h = r.Countdown();
  r.Seconds(1);
  h.btnDetailsClick();
  h.btnApplyMinsClick();  // "我知道了": no minutes chosen
  EXPECT_EQ(r.view.calls.back(), "Minimize");
  EXPECT_TRUE(r.state().minimised);
  EXPECT_EQ(r.view.details[0]->frees, 1);
  EXPECT_TRUE(r.DelayValues().empty());

  r.Seconds(49);
  EXPECT_EQ(h.HintSecondsLeft, 10);
  EXPECT_FALSE(r.view.Called("Restore"));
  r.Seconds(1);
  EXPECT_EQ(r.view.calls.back(), "Restore");
  EXPECT_FALSE(r.state().minimised);
  EXPECT_EQ(r.state().lblStatus.text, Hint::kStatusOpen);
  EXPECT_EQ(r.state().lblTimeRemain.text, "还剩9秒!");
}

struct ShowCase {
  int mode;
  bool hide_free, hide_password;
  bool shown;
};

TEST(BreakHintHandOver, TheLastMinuteSwitchesHideTheWindowButNotTheCount) {
  const ShowCase cases[] = {
      {0, true, false, false}, {1, false, true, false}, {0, false, true, true},
      {1, true, false, true},  {2, true, true, true},   {3, true, true, true},
  };
  for (const ShowCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode);
    BreakHintRig r;
    r.settings().SelectBreakMode = c.mode;
    r.settings().NotShowFrmBreakHintLastOneMin_FreeMode = c.hide_free;
    r.settings().NotShowFrmBreakHintLastOneMin_PasswordMode = c.hide_password;
    r.Countdown();
    EXPECT_EQ(r.state().visible, c.shown);
    r.Seconds(61);
    EXPECT_EQ(r.WhenRequested("BreakScreen"), 61u);
    EXPECT_EQ(r.Kinds().back(), kEventScheduledBreak);
    EXPECT_EQ(r.view.Called("Show"), c.shown);
    EXPECT_EQ(r.view.Called("Restore"), c.shown);  // restoring a hidden window would show it
  }
}

TEST(BreakHintHandOver, ADemonstrationRunsThreeSecondsAndLogsNothing) {
  for (bool with_break : {true, false}) {
    SCOPED_TRACE(with_break ? "menu demonstration" : "countdown preview");
    BreakHintRig r;
    const std::size_t records = r.app().log().Cycles().back().size();
    if (with_break)
      r.engine().NBreakDemoClick();
    else
      r.engine().DemoHint();
    Hint& h = *r.hint;
    EXPECT_EQ(h.HintSecondsLeft, 3);
    r.Seconds(1);
    EXPECT_EQ(r.state().lblTimeRemain.text, "还剩2秒!");
    EXPECT_EQ(r.state().lblStatus.text, Hint::kStatusNotYet);
    h.UpDown1Click(true);  // no request ever opens
    EXPECT_EQ(r.state().btnApplyMins.text, Hint::kIKnow);

    r.Seconds(3);
    EXPECT_EQ(r.WhenRequested("BreakScreen"),
              with_break ? std::optional<uint64_t>(4) : std::nullopt);
    EXPECT_EQ(r.app().log().Cycles().back().size(), records);
    EXPECT_EQ(r.engine().Values().CycleState, CyclePhase::Working);
    EXPECT_TRUE(r.rig.loop.IsRunning(r.engine(), Engine::kDetectPauseTimer));
    EXPECT_EQ(r.view.calls.back(), "Free");
    EXPECT_TRUE(r.engine().CountdownPreviewEnabled());
  }
}

// ---- Layout -----------------------------------------------------------------------------------

struct ZoomCase {
  Size screen;
  int choice;
  int percent_before;
  int percent_after;
  Rect bounds;
  Rect btnApplyMins;
  Point lblTimeRemain;
  int time_font_px;  // the font adjustment follows a new percent
  int dpi = 96;      // the view scales the design pixels; the zoom sees the screen in them
};

TEST(BreakHintLayout, ZoomChoicesScaleAndCentreTheWindow) {
  const ZoomCase cases[] = {
      {{1024, 768}, 0, 0, 0, At(264, 219, 496, 330), At(264, 224, 75, 25), {280, 48}, 29},
      {{1024, 768}, 1, 0, 28, At(194, 173, 635, 422), At(338, 287, 96, 32), {358, 61}, 32},
      {{1024, 768}, 2, 50, 50, At(140, 136, 744, 495), At(396, 336, 112, 38), {420, 72}, 29},
      {{1920, 1080}, 0, 0, 0, At(712, 375, 496, 330), At(264, 224, 75, 25), {280, 48}, 29},
      {{1920, 1080}, 1, 0, 100, At(464, 210, 992, 660), At(528, 448, 150, 50), {560, 96}, 42},
      {{1920, 1080}, 2, 50, 50, At(588, 292, 744, 495), At(396, 336, 112, 38), {420, 72}, 29},
      {{1920, 1080}, 1, 0, 7, At(214, 93, 531, 353), At(282, 240, 80, 27), {300, 51}, 29, 192},
  };
  for (const ZoomCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.screen.w << "x" << c.screen.h << " choice " << c.choice
                                    << " at " << c.dpi << " dpi");
    BreakHintRig r;
    r.rig.screen.size = c.screen;
    r.view.dpi = c.dpi;
    r.settings().ZoomRate1 = c.choice;
    r.settings().ZoomPercent1 = c.percent_before;
    Hint& h = r.Countdown();
    EXPECT_EQ(r.settings().ZoomPercent1, c.percent_after);
    EXPECT_EQ(r.state().bounds, c.bounds);
    EXPECT_EQ(r.state().btnApplyMins.rect, c.btnApplyMins);
    EXPECT_EQ(r.state().lblTimeRemain.Pos(), c.lblTimeRemain);
    EXPECT_EQ(r.state().lblTimeRemain.font->size, c.time_font_px);
    EXPECT_EQ(h.FormCanResize(), c.choice == 0);
  }
}

TEST(BreakHintLayout, AutomaticZoomOn1024x768MovesEveryControl) {
  BreakHintRig r;
  r.settings().ZoomRate1 = 1;
  r.settings().BreakHintColorMain = Rgb(1, 2, 3);
  r.Countdown();
  const BreakHintState& s = r.state();
  EXPECT_EQ(r.settings().FontAdjust1, 2);
  EXPECT_EQ(r.settings().FontAdjust1.Lo(), -1);
  EXPECT_EQ(r.settings().FontAdjust1.Hi(), 5);
  EXPECT_EQ(s.color, Rgb(1, 2, 3));
  EXPECT_EQ(s.Bevel1, At(20, 20, 575, 319));
  EXPECT_EQ(s.Bevel2, At(307, 20, 3, 319));
  EXPECT_EQ(s.Image1, At(31, 31, 268, 298));
  EXPECT_EQ(s.edtMins.rect, At(506, 133, 32, 26));
  EXPECT_EQ(s.UpDown1.rect, At(538, 133, 20, 26));
  EXPECT_EQ(s.btnDetails.rect, At(492, 206, 63, 32));
  EXPECT_EQ(s.btnBreak.rect, At(451, 287, 96, 32));
  EXPECT_EQ(s.btnM.rect, At(553, 287, 22, 32));
  EXPECT_EQ(s.Label2.Pos(), (Point{338, 133}));
  EXPECT_EQ(s.Label3.Pos(), (Point{338, 174}));
  EXPECT_EQ(s.lblStatus.Pos(), (Point{348, 215}));
  EXPECT_EQ(s.cbxToggleDesktop.Pos(), (Point{481, 262}));
  // Fonts grow by 2 points; buttons keep the window's font.
  EXPECT_EQ(s.Label2.font->size, 19);
  EXPECT_EQ(s.lblStatus.font->size, 17);
  EXPECT_EQ(s.edtMins.font->size, 15);
  EXPECT_EQ(s.font.size, 12);
  EXPECT_FALSE(s.btnBreak.font);
}

TEST(BreakHintLayout, AFontAdjustmentChangesOnlyTheFiveTexts) {
  BreakHintRig r;
  r.settings().ZoomRate1 = 0;
  r.settings().FontAdjust1 = -3;
  r.Countdown();
  const BreakHintState& s = r.state();
  EXPECT_EQ(s.lblTimeRemain.font, ui::PixelFont("宋体", 25, true, kRed));
  EXPECT_EQ(s.Label2.font->size, 12);
  EXPECT_EQ(s.Label3.font->size, 12);
  EXPECT_EQ(s.lblStatus.font, ui::PixelFont("宋体", 10, true, kRed));
  EXPECT_EQ(s.lblStatus.back, Rgb(255, 251, 240));
  EXPECT_EQ(s.edtMins.font->size, 8);
  EXPECT_EQ(s.font.size, 12);
  EXPECT_EQ(r.settings().FontAdjust1, -3);  // an unchanged percent leaves it alone
}

// ---- Detail pop-up, title and side controls ----------------------------------------------------

struct DetailCase {
  int zoom_choice;
  Size text;
  Rect bounds;
};

TEST(BreakHintDetail, SitsUnderTheTextCentreAndLivesEightSeconds) {
  const DetailCase cases[] = {
      {0, {300, 14}, At(362, 502, 320, 24)},
      {0, {100, 14}, At(462, 502, 240, 24)},  // at least 240 wide, placed by the text
      {1, {300, 14}, At(361, 539, 320, 24)},  // 422 × 0.9 rounds to 380
  };
  for (const DetailCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "choice " << c.zoom_choice << ", text " << c.text.w);
    BreakHintRig r;
    r.settings().ZoomRate1 = c.zoom_choice;
    r.view.detail_extent = c.text;
    Hint& h = r.Countdown();
    h.btnDetailsClick();
    ASSERT_EQ(r.view.details.size(), 1u);
    const FakeDetailView& v = *r.view.details[0];
    EXPECT_EQ(v.shown->bounds, c.bounds);
    EXPECT_EQ(v.shown->color, r.state().color);
    EXPECT_EQ(v.shown->lblText.Pos(), (Point{10, 5}));
    EXPECT_EQ(v.shown->lblText.text,
              "你已申请 0 分钟,还可申请 3 分钟!你已申请 0 次,还可申请 3 次!");
    r.rig.loop.Advance(TfrmShowDetail::kLifeMs - 1);
    EXPECT_EQ(v.frees, 0);
    r.rig.loop.Advance(1);
    EXPECT_EQ(v.frees, 1);
  }
}

// The user moved the window: the pop-up follows it there, and the window is not moved back.
TEST(BreakHintDetail, OpensUnderTheWindowWhereTheUserPutIt) {
  BreakHintRig r;
  r.view.detail_extent = {300, 14};
  Hint& h = r.Countdown();
  const Rect placed = r.state().bounds;
  h.WindowMoved(At(10, 20, 600, 400));
  h.btnDetailsClick();
  // 400 × 0.9 = 360: the text's foot 360 px below the window's top.
  EXPECT_EQ(r.view.details[0]->shown->bounds, At(10 + (600 - 300) / 2, 20 + 360 - 14, 320, 24));
  r.Seconds(2);
  EXPECT_EQ(r.state().bounds, placed);
}

TEST(BreakHintDetail, TheBreakClosesEveryPopUpStillOpen) {
  BreakHintRig r;
  Hint& h = r.Countdown();
  h.btnDetailsClick();
  r.Seconds(5);
  h.btnDetailsClick();
  h.btnDetailsClick();
  r.Seconds(4);  // the first one has closed itself
  ASSERT_EQ(r.view.details[0]->frees, 1);
  h.btnBreakClick();
  for (const auto& v : r.view.details) EXPECT_EQ(v->frees, 1);
  r.Seconds(10);
  for (const auto& v : r.view.details) EXPECT_EQ(v->frees, 1);
}

TEST(BreakHintWindow, TheTitleNamesTheRestMode) {
  const char* names[] = {"自由模式", "密码模式", "干扰模式", "强制模式"};
  BreakHintRig r;
  r.settings().SelectBreakMode = 2;
  r.Countdown();
  EXPECT_EQ(r.state().caption,
            "休息倒计时-[当前模式:干扰模式,请在休息前选择您最合适的休息模式!点击M调用]");
  for (int mode = 0; mode < 4; ++mode) {
    r.settings().SelectBreakMode = mode;
    r.hint->UpdateCaption();
    EXPECT_EQ(r.state().caption, std::string("休息倒计时-[当前模式:") + names[mode] +
                                     ",请在休息前选择您最合适的休息模式!点击M调用]");
  }
}

// Tool tips where the design gives them, and nowhere else.
TEST(BreakHintWindow, EveryHintedControlHasItsToolTip) {
  const std::pair<std::string_view, std::string_view> hints[] = {
      {"btnM", "点击这里设置休息模式..."},
  };
  BreakHintRig r;
  r.Countdown();
  for (const auto& [name, control] : r.state().Controls()) {
    std::string_view expected;
    for (const auto& [hinted, hint] : hints)
      if (hinted == name) expected = hint;
    EXPECT_EQ(control->hint, expected) << name;
  }
}

TEST(BreakHintWindow, MOpensTheModePageAndClearScreenFollowsTheBox) {
  BreakHintRig r;
  r.settings().ToggleB4Break = true;
  Hint& h = r.Countdown();
  EXPECT_TRUE(r.state().cbxToggleDesktop.checked);
  h.cbxToggleDesktopClick(false);
  EXPECT_FALSE(r.settings().ToggleB4Break);

  h.btnMClick();
  EXPECT_EQ(r.app().setup().State().page, kPageMode);
  EXPECT_TRUE(r.app().setup().State().topmost);
  EXPECT_TRUE(r.app().setup().State().visible);
  r.Seconds(1);
  EXPECT_EQ(r.state().lblTimeRemain.text, "还剩59秒!");  // the count goes on
}

}  // namespace
}  // namespace tavu
