#include <gtest/gtest.h>

#include "fakes.hpp"
#include "windows/reminders/hint_small_window.hpp"
#include "windows/reminders/remind_window_center.hpp"
#include "windows/reminders/reminder_texts.hpp"

namespace tavu {
namespace {

const LocalTime k143042{2026, 12, 9, 14, 30, 42, 0};

TEST(ReminderTexts, EachReasonInEachWindow) {
  Settings s;
  s.ContentOfRemindOnce1 = "会议时间到了！";
  s.ContentOfRemindOnce2 = "该喝水了";
  struct Case {
    uint8_t reason;
    HintSmallLines small;
    std::string label2;
    std::optional<std::string> content;
    bool closes;
  };
  const Case cases[] = {
      {0, {"岚禾休息提示", "下次休息时间", "15:05:00"}, "提醒时间已到", std::nullopt, false},
      {1, {"岚禾休息提示", "离休息还剩下", "5 分钟"}, "提醒时间已到", std::nullopt, false},
      // The minute with seconds 00, whenever in the minute the window comes.
      {2, {"岚禾定时提示", "现在时间是：", "14:30:00"}, "现在时间是：", "报时！", true},
      {3, {"岚禾定时提示", "提醒时间已到", "14:30:00"}, "提醒时间已到", "会议时间到了！", false},
      {4, {"岚禾定时提示", "提醒时间已到", "14:30:00"}, "提醒时间已到", "该喝水了", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int{c.reason});
    const HintSmallLines small = HintSmallWindowLines(c.reason, "15:05:00", 5, k143042);
    EXPECT_EQ(small.title, c.small.title);
    EXPECT_EQ(small.line2, c.small.line2);
    EXPECT_EQ(small.line3, c.small.line3);
    const RemindCenterTexts centre = RemindWindowCenterTexts(c.reason, s);
    EXPECT_EQ(centre.label2, c.label2);
    EXPECT_EQ(centre.content, c.content);
    EXPECT_EQ(centre.closes_by_itself, c.closes);
  }
  EXPECT_EQ(MinuteText({2026, 1, 1, 7, 5, 59, 999}), "07:05:00");
}

TEST(ReminderColors, ByReasonAndWindow) {
  Settings s;
  s.HintSmallWindowColorMain = 1;
  s.RemindHourWindowColorMain = 2;
  s.RemindHourWindowColorBorder = 3;
  s.RemindOnceWindowColorMain = 4;
  s.RemindOnceWindowColorBorder = 5;
  struct Case {
    uint8_t reason;
    Color small, centre_main, centre_border;
  };
  const Case cases[] = {{0, 1, 4, 5}, {1, 1, 4, 5}, {2, 2, 2, 3}, {3, 4, 4, 5}, {4, 4, 4, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int{c.reason});
    EXPECT_EQ(HintSmallWindowColor(s, c.reason), c.small);
    EXPECT_EQ(RemindWindowCenterColors(s, c.reason).main, c.centre_main);
    EXPECT_EQ(RemindWindowCenterColors(s, c.reason).border, c.centre_border);
  }
}

// A program whose engine really opens the reminder windows.
struct ReminderRig : fake::Rig {
  ReminderRig() {
    views.reminder_windows = true;
    loop.wall_at_zero = {2026, 12, 9, 14, 30, 42, 0};
    app.Start();
  }
  TfrmHintSmallWindow& OpenSmall(uint8_t reason) {
    app.engine().OpenReminder(reason, 0);
    return *app.hint_small_window();
  }
  TfrmRemindWindowCenter& OpenCentre(uint8_t reason) {
    app.engine().OpenReminder(reason, 1);
    return *app.remind_window_center();
  }
};

// Where the windows go and how large they are, in 96-dpi pixels, by zoom choice, screen and dpi.
// The design numbers (119 x 106 at the bottom right, 319 x 197 at (326, 229)) hold for "设计尺寸"
// on any screen, and for "自动调节" only on a screen no larger than 800 x 600 (half-sum 700),
// where the automatic percent is 0; the centre window is then centred in the work area.
TEST(ReminderWindows, ZoomAndPlacement) {
  struct Case {
    const char* name;
    int zoom_rate;
    Size screen;
    Rect work;
    int dpi;
    Rect small, centre;
  };
  const Case cases[] = {
      {"design size",
       0,
       {1024, 768},
       {0, 0, 1024, 738},
       96,
       {905, 632, 1024, 738},
       {326, 229, 645, 426}},
      {"automatic at 800 x 600",
       1,
       {800, 600},
       {0, 0, 800, 570},
       96,
       {681, 464, 800, 570},
       {240, 186, 559, 383}},
      // 28 % larger: 119 × 1.28 = 152.32, 106 × 1.28 = 135.68; 319 × 1.28 = 408.32, 197 × 1.28
      // = 252.16.
      {"automatic at 1024 x 768",
       1,
       {1024, 768},
       {0, 0, 1024, 738},
       96,
       {872, 602, 1024, 738},
       {308, 243, 716, 495}},
      {"design size at 200 %",
       0,
       {2048, 1536},
       {0, 0, 2048, 1476},
       192,
       {905, 632, 1024, 738},
       {326, 229, 645, 426}},
      {"automatic at 200 % sees the screen in its own pixels",
       1,
       {2048, 1536},
       {0, 0, 2048, 1476},
       192,
       {872, 602, 1024, 738},
       {308, 243, 716, 495}},
      {"task bar on the left",
       0,
       {1024, 768},
       {40, 0, 1024, 768},
       96,
       {905, 662, 1024, 768},
       {326, 229, 645, 426}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReminderRig rig;
    rig.screen.size = c.screen;
    rig.screen.work = c.work;
    Settings& s = rig.app.settings();
    s.ZoomRate2 = c.zoom_rate;
    s.ZoomRateRemindCenterWindow = c.zoom_rate;
    rig.views.next_dpi = c.dpi;
    EXPECT_EQ(rig.OpenSmall(kRemindChime).State().bounds, c.small);
    EXPECT_EQ(rig.OpenCentre(kRemindChime).State().bounds, c.centre);
  }
}

TEST(ReminderWindows, ZoomMovesAndScalesTheCentreWindowsControls) {
  ReminderRig rig;
  rig.screen.size = {1024, 768};
  rig.app.settings().ZoomRateRemindCenterWindow = 1;  // 28 %
  const RemindWindowCenterState& s = rig.OpenCentre(kRemindOnce1).State();
  EXPECT_EQ(rig.app.settings().ZoomPercentRemindCenterWindow, 28);
  // The zoom rule's font adjustment (percent div 10) grows every text by 2 points.
  EXPECT_EQ(rig.app.settings().FontAdjustOfRemindCenterWindow, 2);
  EXPECT_EQ(s.Label1.font->size, 21 + 3);  // 2 pt are 8/3 px, rounded
  EXPECT_EQ(s.Label1.Pos(), (Point{154, 41}));
  EXPECT_EQ(s.imgAlarm.rect, (Rect{61, 41, 125, 105}));
  EXPECT_EQ(s.edtRemindContent.rect, (Rect{174, 192, 174 + 165, 192 + 24}));
}

// The small window rolls up for 2.5 s, then shows ten seconds; the form name stays registered
// while any small window is open.
TEST(HintSmallWindow, RollsUpThenClosesTenSecondsLater) {
  ReminderRig rig;
  TfrmHintSmallWindow& first = rig.OpenSmall(kRemindNextBreak);
  const Size client = first.State().client;
  EXPECT_EQ(first.State().revealed.Height(), 0);
  EXPECT_TRUE(first.State().visible);
  rig.loop.Advance(1250);
  const Rect half = first.State().revealed;  // a band along the bottom edge, about half high
  EXPECT_EQ(half.bottom, client.h);
  EXPECT_NEAR(half.Height(), client.h / 2, 3);
  EXPECT_EQ(half.Width(), client.w);
  rig.loop.Advance(1250);
  EXPECT_EQ(first.State().revealed, (Rect{0, 0, client.w, client.h}));
  EXPECT_TRUE(rig.app.forms().IsFormOpen(TfrmHintSmallWindow::kFormName));

  TfrmHintSmallWindow& second = rig.OpenSmall(kRemindBreakApproaching);
  rig.loop.Advance(9990);
  EXPECT_TRUE(first.IsOpen());
  rig.loop.Advance(20);
  EXPECT_TRUE(rig.views.hint_small != nullptr);
  EXPECT_EQ(rig.app.hint_small_window(), &second);  // the first is freed
  EXPECT_TRUE(rig.app.forms().IsFormOpen(TfrmHintSmallWindow::kFormName));
  rig.loop.Advance(2500);
  EXPECT_EQ(rig.app.hint_small_window(), nullptr);
  EXPECT_FALSE(rig.app.forms().IsFormOpen(TfrmHintSmallWindow::kFormName));
}

// The lines are drawn at every paint, so a window that was covered shows them again; each is
// centred, the title on yellow, the third in red on the window colour.
TEST(HintSmallWindow, DrawsItsLinesAtEveryPaint) {
  ReminderRig rig;
  rig.app.settings().RemindHourWindowColorMain = 0x00AA00;
  rig.app.settings().ZoomRate2 = 0;
  rig.app.settings().FontAdjust2 = 1;
  TfrmHintSmallWindow& window = rig.OpenSmall(kRemindChime);
  fake::RecordingCanvas canvas;
  window.FormPaint(canvas);
  const auto first = canvas.Only<fake::TextCall>();
  ASSERT_EQ(first.size(), 3u);
  // 119 wide; the fake measures 8 px per character, 5/4 of 4/3 of the points high: 17 px for
  // 11 pt, 16 px for 10 pt.
  EXPECT_EQ(first[0].text, "岚禾定时提示");
  EXPECT_EQ(first[0].at, (Point{(119 - 48) / 2, 20}));
  EXPECT_EQ(first[0].font.size_pt, 11);
  EXPECT_EQ(first[0].brush, kYellow);
  EXPECT_EQ(first[1].text, "现在时间是：");
  EXPECT_EQ(first[1].at.y, 20 + 17 + 12);
  EXPECT_EQ(first[1].brush, Color{0x00AA00});
  EXPECT_EQ(first[2].text, "14:30:00");
  EXPECT_EQ(first[2].at, (Point{(119 - 64) / 2, 49 + 16 + 10}));
  EXPECT_EQ(first[2].font.color, kRed);
  EXPECT_EQ(first[2].font.size_pt, 17);
  EXPECT_EQ(first[2].brush, Color{0x00AA00});
  EXPECT_EQ(canvas.Only<fake::FillCall>().front().color, Color{0x00AA00});

  canvas.Clear();
  window.FormPaint(canvas);
  const auto again = canvas.Only<fake::TextCall>();
  ASSERT_EQ(again.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(again[i].at, first[i].at);
}

TEST(HintSmallWindow, DrawsInScreenPixelsAtTwiceTheDpi) {
  ReminderRig rig;
  rig.views.next_dpi = 192;
  rig.app.settings().ZoomRate2 = 0;
  TfrmHintSmallWindow& window = rig.OpenSmall(kRemindNextBreak);
  fake::RecordingCanvas canvas;
  window.FormPaint(canvas);
  EXPECT_EQ(canvas.Only<fake::FillCall>().front().rect, (Rect{0, 0, 238, 212}));
  EXPECT_EQ(canvas.Only<fake::TextCall>().front().at.y, 40);
}

// "最新提示..." opens the next-break notice once; while it is open it comes to the front.
TEST(HintSmallWindow, LatestNoticeBringsTheOpenOneToTheFront) {
  ReminderRig rig;
  rig.app.main().MenuClick(MenuCommand::HintSmallWindow);
  TfrmHintSmallWindow* window = rig.app.hint_small_window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Reason(), kRemindNextBreak);
  rig.app.main().MenuClick(MenuCommand::HintSmallWindow);
  EXPECT_EQ(rig.app.hint_small_window(), window);
  EXPECT_EQ(rig.views.fronted, std::vector<std::string>{"frmHintSmallWindow"});
}

TEST(HintSmallWindow, AClickOpensTheStatisticsAndTheWindowStays) {
  ReminderRig rig;
  TfrmHintSmallWindow& window = rig.OpenSmall(kRemindNextBreak);
  window.FormClick();
  EXPECT_TRUE(window.IsOpen());
  EXPECT_TRUE(rig.app.forms().IsFormOpen("frmStat"));
}

TEST(RemindWindowCenter, AChimeClosesSixSecondsAfterItHasGrown) {
  ReminderRig rig;
  rig.app.settings().ZoomRateRemindCenterWindow = 0;
  TfrmRemindWindowCenter& chime = rig.OpenCentre(kRemindChime);
  const Size client = chime.State().client;
  EXPECT_EQ(chime.State().revealed.Width(), 0);
  rig.loop.Advance(250);
  EXPECT_NEAR(chime.State().revealed.Width(), client.w / 2, 10);
  EXPECT_NEAR(chime.State().revealed.left, client.w / 4, 5);
  rig.loop.Advance(250);
  EXPECT_EQ(chime.State().revealed, (Rect{0, 0, client.w, client.h}));
  rig.loop.Advance(5990);
  EXPECT_TRUE(chime.IsOpen());
  rig.loop.Advance(20);
  EXPECT_FALSE(rig.app.forms().IsFormOpen(TfrmRemindWindowCenter::kFormName));
  EXPECT_EQ(rig.app.remind_window_center(), nullptr);
}

TEST(RemindWindowCenter, AQuickReminderStaysUntilClicked) {
  ReminderRig rig;
  rig.app.settings().ContentOfRemindOnce1 = "会议时间到了！";
  TfrmRemindWindowCenter& once = rig.OpenCentre(kRemindOnce1);
  EXPECT_EQ(once.State().Label2.text, "提醒时间已到");
  EXPECT_EQ(once.State().Label3.text, "14:30:00");
  EXPECT_EQ(once.State().edtRemindContent.text, "会议时间到了！");
  // A chime opened meanwhile closes by itself; the reminder stays.
  rig.OpenCentre(kRemindChime);
  rig.loop.Advance(60'000);
  EXPECT_TRUE(once.IsOpen());
  EXPECT_TRUE(rig.app.forms().IsFormOpen(TfrmRemindWindowCenter::kFormName));
  once.FormClick();
  rig.loop.Advance(10);
  EXPECT_EQ(rig.app.remind_window_center(), nullptr);
  EXPECT_FALSE(rig.app.forms().IsFormOpen(TfrmRemindWindowCenter::kFormName));
}

TEST(RemindWindowCenter, PaintsATwoPixelFrameFivePixelsIn) {
  ReminderRig rig;
  rig.app.settings().RemindOnceWindowColorBorder = 0x0000FF;
  rig.app.settings().ZoomRateRemindCenterWindow = 0;
  TfrmRemindWindowCenter& window = rig.OpenCentre(kRemindOnce2);
  fake::RecordingCanvas canvas;
  window.FormPaint(canvas);
  const auto fills = canvas.Only<fake::FillCall>();
  ASSERT_EQ(fills.size(), 5u);
  EXPECT_EQ(fills[0].rect, (Rect{0, 0, 319, 197}));
  // Bands of 2 px centred on x = 5, x = 314, y = 5 and y = 192.
  EXPECT_EQ(fills[1].rect, (Rect{4, 4, 6, 193}));
  EXPECT_EQ(fills[2].rect, (Rect{313, 4, 315, 193}));
  EXPECT_EQ(fills[3].rect, (Rect{4, 4, 315, 6}));
  EXPECT_EQ(fills[4].rect, (Rect{4, 191, 315, 193}));
  for (std::size_t i = 1; i < fills.size(); ++i) EXPECT_EQ(fills[i].color, Color{0x0000FF});
}

// The settings window's previews: the window of the list for the reason the caller set, or the
// open one brought to the front.
TEST(RemindWindowCenter, PreviewOpensOnceThenBringsToFront) {
  ReminderRig rig;
  rig.app.PreviewReminder(2, 1);
  EXPECT_NE(rig.app.remind_window_center(), nullptr);
  rig.app.PreviewReminder(2, 1);
  EXPECT_EQ(rig.views.fronted, std::vector<std::string>{"frmRemindWindowCenter"});
}

}  // namespace
}  // namespace tavu
