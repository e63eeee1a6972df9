#include <gtest/gtest.h>

#include <variant>

#include "fakes.hpp"
#include "recording_canvas.hpp"
#include "windows/screen_saver/scr_zevo.hpp"

namespace tavu {
namespace {

struct SaverHost : ScrZevoHost {
  Size MeasureText(const CanvasFont& font, std::string_view text) override {
    return {static_cast<int>(text.size()) * font.size_pt / 2, font.size_pt * 4 / 3};
  }
  void Show() override { calls.push_back("Show"); }
  void Repaint() override { calls.push_back("Repaint"); }
  void Free() override { calls.push_back("Free"); }
  std::vector<std::string> calls;
};

struct SaverRig {
  explicit SaverRig(Size screen = {1024, 768}) {
    rig.screen.size = screen;
    rig.screen.cursor = {500, 400};
  }
  TfrmScrZEVO& Create(std::initializer_list<int> randoms) {
    rig.random.values.assign(randoms.begin(), randoms.end());
    saver = std::make_unique<TfrmScrZEVO>(
        host,
        TfrmScrZEVO::Deps{rig.app.settings(), rig.screen, rig.loop, rig.random, rig.app.forms()});
    saver->FormCreate();
    return *saver;
  }
  fake::Rig rig;
  SaverHost host;
  std::unique_ptr<TfrmScrZEVO> saver;
};

TEST(BuiltInSaver, CreationScalesItsFontsAndPlacesTheLineAtRandom) {
  SaverRig r;
  // direction (1: left), R, G, B, left, top
  TfrmScrZEVO& s = r.Create({1, 10, 20, 30, 700, 300});
  EXPECT_EQ(s.State().label_font.size_pt, 26);  // 24 + 2 at 1024 x 768
  EXPECT_EQ(s.State().tip_font.size_pt, 12);
  EXPECT_FALSE(s.State().moving_right);
  EXPECT_EQ(s.State().label_font.color, Rgb(10, 20, 30));
  EXPECT_EQ(s.State().label_pos, (Point{700, 300}));
  EXPECT_TRUE(r.rig.app.forms().IsFormOpen(kScrZevoForm));
  EXPECT_EQ(r.host.calls, std::vector<std::string>{"Show"});
  EXPECT_TRUE(r.rig.loop.IsRunning(s, TfrmScrZEVO::kTimer1));
}

TEST(BuiltInSaver, BlacksOutEveryOtherMonitorWhileBreaksCoverThemAll) {
  const Monitor primary{{0, 0, 1024, 768}, {0, 0, 1024, 728}, 96, true};
  const Monitor right{{1024, 100, 2944, 1180}, {1024, 100, 2944, 1140}, 120, false};
  const Monitor left{{-1600, -300, 0, 900}, {-1600, -300, 0, 900}, 144, false};
  struct Case {
    const char* name;
    bool all_monitors;
    std::vector<Monitor> monitors;
    std::vector<Rect> others;
  };
  const Case cases[] = {
      {"one monitor", true, {primary}, {}},
      {"three", true, {right, primary, left}, {right.rect, left.rect}},
      {"primary only", false, {primary, right}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SaverRig r;
    r.rig.app.settings().BreakOnAllMonitors = c.all_monitors;
    r.rig.screen.SetMonitors(c.monitors);
    TfrmScrZEVO& s = r.Create({0, 0, 0, 0, 100, 300});
    EXPECT_EQ(s.State().bounds, (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(s.State().others, c.others);
    // Plugged in while it runs.
    r.rig.screen.SetMonitors({primary, left});
    s.DisplayChanged();
    EXPECT_EQ(s.State().others,
              c.all_monitors ? std::vector<Rect>{left.rect} : std::vector<Rect>{});
  }
}

TEST(BuiltInSaver, ColoursStepUntilTheyTurnAndTheLineWrapsWithANewTip) {
  SaverRig r;
  TfrmScrZEVO& s = r.Create({0, 250, 48, 100, 900, 10});
  r.rig.random.values = {};
  s.Timer1Timer();  // 255 turns down, 53 goes on up, 105 too
  EXPECT_EQ(s.State().label_pos.x, 950);
  EXPECT_EQ(s.State().label_font.color, Rgb(255, 53, 105));
  EXPECT_EQ(s.State().dr, -3);
  s.Timer1Timer();
  EXPECT_EQ(s.State().label_font.color, Rgb(252, 58, 110));
  EXPECT_FALSE(s.State().tip.has_value());
  // 1000 + 50 reaches the right edge: the line starts again outside the left edge, with a tip.
  r.rig.random.values = {200, 5, 6, 7, 3, 0, 0};  // top, tip colour, tip 3, its place
  s.Timer1Timer();
  EXPECT_EQ(s.State().label_pos.x, -s.State().label_size.w);
  EXPECT_EQ(s.State().label_pos.y, 200);
  ASSERT_TRUE(s.State().tip.has_value());
  EXPECT_EQ(*s.State().tip, "更方便的电源管理，节能环保！");
  EXPECT_EQ(s.State().tip_font.color, Rgb(5, 6, 7));
  EXPECT_EQ(r.host.calls.back(), "Repaint");
}

TEST(BuiltInSaver, TipsPastTheTenNameAHotKey) {
  SaverRig r;
  TfrmScrZEVO& s = r.Create({0, 0, 0, 0, 1000, 0});  // right from 1000: wraps at once
  r.rig.random.values = {0, 0, 0, 0, 12, 3};
  s.Timer1Timer();
  ASSERT_TRUE(s.State().tip.has_value());
  EXPECT_EQ(*s.State().tip, "提示：快捷键 " + r.rig.app.settings().HotKeyAction.Items()[3]);
}

TEST(BuiltInSaver, APaintLeavesTheLinesBandFreeAndDrawsTwelveToTwentyTwoLinesAt1024) {
  for (int extra : {0, 10}) {
    SaverRig r;
    TfrmScrZEVO& s = r.Create({0, 0, 0, 0, 100, 300});
    r.rig.random.values = {extra};
    fake::RecordingCanvas canvas;
    s.FormPaint(canvas);
    EXPECT_EQ(s.LinesPainted(), 12 + extra);
    const int top = s.State().label_pos.y, bottom = top + s.State().label_size.h;
    int lines = 0;
    for (const auto& call : canvas.calls)
      if (const auto* line = std::get_if<fake::LineCall>(&call)) {
        ++lines;
        EXPECT_TRUE(line->to.y <= top || line->from.y >= bottom);
      }
    EXPECT_EQ(lines, 2 * (12 + extra));
  }
}

TEST(BuiltInSaver, AKeyAClickOrAMoveOfMoreThanTwoPixelsEndsIt) {
  struct Case {
    const char* what;
    Point move;
    bool closes;
  };
  const Case cases[] = {{"2 px right", {502, 400}, false},
                        {"2 px up and left", {498, 398}, false},
                        {"3 px right", {503, 400}, true},
                        {"3 px down", {500, 403}, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SaverRig r;
    TfrmScrZEVO& s = r.Create({});
    s.FormMouseMove(c.move);
    EXPECT_EQ(r.host.calls.back(), c.closes ? "Free" : "Repaint");
    EXPECT_EQ(r.rig.app.forms().IsFormOpen(kScrZevoForm), !c.closes);
  }
  SaverRig key;
  key.Create({}).FormKeyDown();
  EXPECT_EQ(key.host.calls.back(), "Free");
  SaverRig click;
  click.Create({}).FormMouseDown();
  EXPECT_EQ(click.host.calls.back(), "Free");
  EXPECT_FALSE(click.rig.loop.IsRunning(*click.saver, TfrmScrZEVO::kTimer1));
}

}  // namespace
}  // namespace tavu
