// The settings window's pages: what each control edits and how the pages react.
#include <gtest/gtest.h>

#include "fakes.hpp"
#include "ui/color_box.hpp"
#include "windows/setup/setup_ids.hpp"

namespace tavu {
namespace {

using In = ui::Input::Kind;

struct Pages {
  explicit Pages(int page = kPageBasic, Size screen = {1920, 1080}) {
    rig.screen.size = screen;
    rig.app.Start();
    rig.app.ShowSetup(page, false);
  }
  TfrmSetup& setup() { return rig.app.setup(); }
  Settings& s() { return rig.app.settings(); }
  const SetupFormState& state() { return setup().State(); }
  void Show(int page) { rig.app.ShowSetup(page, false); }
  void Input(int id, ui::Input input) { setup().PageInput(id, input); }
  void Check(int id, bool on) { Input(id, {.kind = In::Check, .checked = on}); }
  void Select(int id, int item) { Input(id, {.kind = In::Select, .value = item}); }
  void Click(int id) { Input(id, {.kind = In::Click}); }
  void Scroll(int id, ui::ScrollStep step, int thumb = 0) {
    Input(id, {.kind = In::Scroll, .scroll = {step, thumb}});
  }
  template <typename T>
  const T& Find(int id) {
    const T* c = state().Find<T>(id);
    EXPECT_NE(c, nullptr) << id;
    static const T none{};
    return c ? *c : none;
  }
  fake::Rig rig;
};

// Every page stays inside the 645 x 447 client area below the tabs, and no two controls of a
// page with a fixed size overlap (a group box holds its controls, so it is left out).
TEST(SetupPages, EveryControlFitsItsPageAndNoneOverlap) {
  Pages p;
  for (const SetupPageTable& table : SetupPages()) {
    std::vector<const PageRow*> fixed;
    for (const PageRow& row : table.rows) {
      const Rect& r = row.rect;
      EXPECT_GE(r.left, 12) << row.id;
      EXPECT_GE(r.top, 60) << row.id;
      EXPECT_LE(r.right, 633) << row.id;
      EXPECT_LE(r.bottom, 437) << row.id;
      if (row.kind == PageRow::Kind::GroupBox || row.kind == PageRow::Kind::RadioChoice ||
          r.Width() == 0 || (row.shown && !row.shown(p.setup())))
        continue;
      for (const PageRow* other : fixed) {
        const Rect& o = other->rect;
        const bool apart =
            r.right <= o.left || o.right <= r.left || r.bottom <= o.top || o.bottom <= r.top;
        EXPECT_TRUE(apart) << row.id << " overlaps " << other->id;
      }
      fixed.push_back(&row);
    }
  }
}

TEST(SetupPages, ThePlanListLoadsAPresetAndLocksItsValues) {
  Pages p(kPageBasic);
  p.Select(ids::kSetupPlanList, 5);  // "*成人方案(加强)"
  struct Field {
    int id;
    int value;
  };
  for (const Field& f : {Field{ids::kSetupBreakInterval, 50},
                         {ids::kSetupBreakMins, 5},
                         {ids::kSetupCanApplyMaxMins, 3},
                         {ids::kSetupCanApplyMaxTimes, 3},
                         {ids::kSetupApplyOnceMaxMins, 3},
                         {ids::kSetupAddBreak, 6},
                         {ids::kSetupIdleMinsResetCycle, 6},
                         {ids::kSetupExtWorkMinsPerIdle, 8}}) {
    const auto& field = p.Find<ui::NumberField>(f.id);
    EXPECT_EQ(field.value, f.value) << f.id;
    EXPECT_FALSE(field.enabled) << f.id;
  }
  EXPECT_EQ(p.Find<ui::Bar>(ids::kSetupMicroAdjust).position, -1);
  EXPECT_FALSE(p.Find<ui::GroupBox>(ids::kSetupIdleGroup).enabled);
  // A preset's values take no input.
  p.Input(ids::kSetupBreakInterval, {.kind = In::Step, .value = 1});
  EXPECT_EQ(p.s().BreakInterval, 50);
  EXPECT_TRUE(p.Find<ui::ComboBox>(ids::kSetupPlanList).editable);
}

TEST(SetupPages, ShowingTheZoomPagesBringsThePercentsUpToDate) {
  struct Case {
    Size screen;
    int rate;
    int percent, adjust, lo, hi;
  };
  const Case cases[] = {
      {{1024, 768}, 1, 28, 2, -1, 5}, {{1920, 1080}, 1, 100, 10, 7, 13},
      {{800, 600}, 1, 0, 0, -3, 3},   {{640, 480}, 1, 0, 0, -3, 3},
      {{1024, 768}, 0, 0, 0, -3, 3},
  };
  for (const Case& c : cases) {
    Pages p(kPageBasic, c.screen);
    p.s().ZoomRate1 = c.rate;
    p.s().ZoomRate2 = c.rate;
    p.s().ZoomRateRemindCenterWindow = c.rate;
    p.s().ZoomPercent1 = 50;  // a value of its own, so that every case changes it
    p.s().ZoomPercent2 = 50;
    p.s().ZoomPercentRemindCenterWindow = 50;
    p.Show(kPageCountdown);
    p.Show(kPageChime);
    const std::string at = std::to_string(c.screen.w) + "x" + std::to_string(c.screen.h);
    for (const WindowZoom* zoom : {&kCountdownZoom, &kCentreWindowZoom}) {
      EXPECT_EQ(p.s().*zoom->percent, c.percent) << at;
      EXPECT_EQ(p.s().*zoom->font_adjust, c.adjust) << at;
      EXPECT_EQ((p.s().*zoom->font_adjust).Lo(), c.lo) << at;
      EXPECT_EQ((p.s().*zoom->font_adjust).Hi(), c.hi) << at;
    }
    // The small window's adjustment keeps its own bounds.
    EXPECT_EQ(p.s().ZoomPercent2, c.percent) << at;
    EXPECT_EQ(p.s().FontAdjust2, c.adjust) << at;
    EXPECT_EQ(p.s().FontAdjust2.Lo(), -15);
    EXPECT_EQ(p.s().FontAdjust2.Hi(), 15);
    EXPECT_EQ(p.Find<ui::Label>(ids::kSetupHintZoomValue + ids::kSetupCentreOffset).text,
              std::to_string(c.percent) + "%");
  }
}

TEST(SetupPages, MovingAPercentBarMakesTheZoomCustom) {
  Pages p(kPageCountdown, {1024, 768});
  EXPECT_EQ(p.s().ZoomPercent1, 28);
  p.Scroll(ids::kSetupHintZoomPercent, ui::ScrollStep::Thumb, 64);
  EXPECT_EQ(p.s().ZoomPercent1, 64);
  EXPECT_EQ(p.s().ZoomRate1, 2);  // "自定义..."
  EXPECT_EQ(p.s().FontAdjust1, 6);
  EXPECT_EQ(p.s().FontAdjust1.Lo(), 3);
  EXPECT_EQ(p.Find<ui::Label>(ids::kSetupHintZoomValue).text, "64%");
  // "自定义..." keeps the percent; "设计尺寸" takes it to 0.
  p.Select(ids::kSetupHintZoomRate, 2);
  EXPECT_EQ(p.s().ZoomPercent1, 64);
  p.Select(ids::kSetupHintZoomRate, 0);
  EXPECT_EQ(p.s().ZoomPercent1, 0);
  EXPECT_EQ(p.s().FontAdjust1, 0);
}

TEST(SetupPages, ThePreviewsSayWhenThereIsNothingToShow) {
  struct Case {
    bool hour, half, once1, once2;
    int button;
    std::string said;    // a message, or
    std::string opened;  // the reminder window asked for
  };
  const int chime = ids::kSetupChimePreview;
  const int quick = ids::kSetupChimePreview + ids::kSetupGroupOffset;
  const Case cases[] = {
      {false, false, true, true, chime, "你还没有启用报时功能！", ""},
      {false, true, false, false, chime, "", "RemindCenter 2"},
      {true, false, false, false, quick, "你还没有启用一个快速提醒！", ""},
      {false, false, true, true, quick, "", "RemindCenter 3"},
      {false, false, false, true, quick, "", "RemindCenter 4"},
  };
  for (const Case& c : cases) {
    Pages p(kPageReminders);
    p.s().RemindOnHour = c.hour;
    p.s().RemindOnHalfHour = c.half;
    p.s().RemindOnce1 = c.once1;
    p.s().RemindOnce2 = c.once2;
    p.rig.engine_actions.requests.clear();
    p.Click(c.button);
    if (!c.said.empty()) {
      ASSERT_FALSE(p.rig.dialogs.shown.empty());
      EXPECT_EQ(p.rig.dialogs.shown.back().text, c.said);
      EXPECT_EQ(p.rig.dialogs.shown.back().caption, "提示");
      EXPECT_TRUE(p.rig.engine_actions.requests.empty());
    } else {
      ASSERT_EQ(p.rig.engine_actions.requests.size(), 1u);
      EXPECT_EQ(p.rig.engine_actions.requests[0].what, c.opened);
    }
  }
  // The chime window page's preview opens the small window when that is the chime window.
  Pages p(kPageChime);
  p.s().SelectRemindHourWindow = 0;
  p.Click(ids::kSetupHintPreview + ids::kSetupCentreOffset);
  ASSERT_EQ(p.rig.engine_actions.requests.size(), 1u);
  EXPECT_EQ(p.rig.engine_actions.requests[0].what, "HintSmall 2");
}

TEST(SetupPages, TheColourSchemeFollowsTheChosenWindow) {
  Pages p(kPageReminders);
  Settings& s = p.s();
  s.HintSmallWindowColorMain = Rgb(1, 2, 3);
  s.ColorMainOfRemindCenterWindow = Rgb(4, 5, 6);
  s.ColorBorderOfRemindCenterWindow = Rgb(7, 8, 9);
  const int hour_scheme = ids::kSetupChimeUseScheme;
  const int once_scheme = ids::kSetupChimeUseScheme + ids::kSetupGroupOffset;

  // The border colour box is for the centre window only.
  p.Select(ids::kSetupChimeWindow, 0);
  EXPECT_FALSE(p.Find<ui::ComboBox>(ids::kSetupChimeBorder).enabled);
  p.Check(hour_scheme, true);
  EXPECT_EQ(s.RemindHourWindowColorMain, Rgb(1, 2, 3));
  EXPECT_EQ(s.RemindHourWindowColorBorder, kYellow);  // untouched

  p.Select(ids::kSetupChimeWindow + ids::kSetupGroupOffset, 1);
  EXPECT_TRUE(p.Find<ui::ComboBox>(ids::kSetupChimeBorder + ids::kSetupGroupOffset).enabled);
  p.Check(once_scheme, true);
  EXPECT_EQ(s.RemindOnceWindowColorMain, Rgb(4, 5, 6));
  EXPECT_EQ(s.RemindOnceWindowColorBorder, Rgb(7, 8, 9));

  // Picking a colour unchecks the scheme; showing the page again applies checked schemes only.
  const auto& items = p.Find<ui::ComboBox>(ids::kSetupChimeMain).items;
  p.Select(ids::kSetupChimeMain,
           static_cast<int>(std::find(items.begin(), items.end(), "红色") - items.begin()));
  EXPECT_EQ(s.RemindHourWindowColorMain, kRed);
  EXPECT_FALSE(s.RemindHourUseColorOfMainSetup);
  s.ColorMainOfRemindCenterWindow = Rgb(10, 11, 12);
  p.Show(kPageGeneral);
  p.Show(kPageReminders);
  EXPECT_EQ(s.RemindHourWindowColorMain, kRed);
  EXPECT_EQ(s.RemindOnceWindowColorMain, Rgb(10, 11, 12));
}

TEST(SetupPages, AColourBoxNamesColoursAndTakesCustomOnes) {
  Pages p(kPageReminders);
  const int box = ids::kSetupChimeMain + ids::kSetupGroupOffset;
  const auto& named = p.Find<ui::ComboBox>(box);
  EXPECT_EQ(named.items.at(named.index), "灰色");
  EXPECT_EQ(named.items.size(), named.swatches.size());

  const int custom = static_cast<int>(named.items.size()) - 1;
  EXPECT_EQ(named.items[custom], "自定义...");
  p.Select(box, custom);  // cancelled: nothing changes
  EXPECT_EQ(p.s().RemindOnceWindowColorMain, kGray);
  p.rig.dialogs.color_answer = Rgb(12, 34, 56);
  p.Select(box, custom);
  EXPECT_EQ(p.s().RemindOnceWindowColorMain, Rgb(12, 34, 56));
  const auto& other = p.Find<ui::ComboBox>(box);
  EXPECT_EQ(other.index, 0);
  EXPECT_EQ(other.items[0], "其它颜色");
  EXPECT_EQ(other.swatches[0], Rgb(12, 34, 56));
  // "默认" is the setting's own default.
  p.Select(box, static_cast<int>(other.items.size()) - 2);
  EXPECT_EQ(p.s().RemindOnceWindowColorMain, kGray);
}

TEST(SetupPages, StartingWithTheSystemAsksBeforeItStops) {
  Pages p(kPageGeneral);
  const std::string desktop_link = "C:\\Users\\u\\Desktop\\岚禾休息软件.lnk";
  p.Check(ids::kSetupStartUpWithSys, true);
  ASSERT_TRUE(p.rig.app.AutostartOn());

  p.Check(ids::kSetupStartUpWithSys, false);  // and the answer is No
  EXPECT_EQ(p.rig.dialogs.shown.back().text, "你真要取消开机自动运行吗？");
  EXPECT_TRUE(p.Find<ui::CheckBox>(ids::kSetupStartUpWithSys).checked);
  EXPECT_TRUE(p.rig.app.AutostartOn());
  EXPECT_EQ(p.rig.links.links.count(desktop_link), 0u);

  p.rig.dialogs.answers = {true};
  p.Check(ids::kSetupStartUpWithSys, false);
  EXPECT_FALSE(p.Find<ui::CheckBox>(ids::kSetupStartUpWithSys).checked);
  EXPECT_FALSE(p.rig.app.AutostartOn());
  EXPECT_EQ(p.rig.links.links.count(desktop_link), 1u);
}

TEST(SetupPages, TheHotKeyListOnlyChangesItsLabel) {
  Pages p(kPageGeneral);
  const Settings before = p.s();
  p.Select(ids::kSetupHotKeyAction, 6);
  EXPECT_EQ(p.Find<ui::Label>(ids::kSetupHotKeyText).text, "倩影开关 WIN+V");
  EXPECT_EQ(p.state().hotkey_label, "倩影开关 WIN+V");
  EXPECT_EQ(p.s().ShowSOT, before.ShowSOT);
}

TEST(SetupPages, TheBreakFontComesFromTheFontDialog) {
  Pages p(kPageBreakScreen);
  p.Click(ids::kSetupBreakFont);  // cancelled
  EXPECT_EQ(p.s().BreakFont.name, "楷体_GB2312");
  p.rig.dialogs.font_answer =
      FontChoice{"黑体", 200, Rgb(0, 0, 255), true, false, true, false, 134};
  p.Click(ids::kSetupBreakFont);
  EXPECT_EQ(p.s().BreakFont.name, "黑体");
  EXPECT_EQ(p.s().BreakFont.size_pt, 96);  // within the sizes the file keeps
  EXPECT_EQ(p.s().BreakFont.color, Rgb(0, 0, 255));
  EXPECT_TRUE(p.s().BreakFont.bold);
  EXPECT_TRUE(p.s().BreakFont.underline);
}

TEST(SetupPages, TypedTextsAndFadeControls) {
  Pages p(kPageBreakScreen);
  p.Input(ids::kSetupSlogan, {.kind = In::Text, .text = "站起来！"});
  EXPECT_EQ(p.s().Slogan, "站起来！");
  p.Select(ids::kSetupSlogan, 2);
  EXPECT_EQ(p.s().Slogan, "远眺窗外，让眼睛放松一会儿~");
  EXPECT_EQ(p.s().SloganList, 2);
  // The fading controls are never shown, so nothing reaches them.
  EXPECT_FALSE(p.Find<ui::GroupBox>(ids::kSetupControlGroup).visible);
  p.Input(ids::kSetupFadeInSpeed, {.kind = In::Step, .value = 1});
  EXPECT_EQ(p.s().FadeInSpeed, 32);

  p.Show(kPageReminders);
  p.Input(ids::kSetupContent1 + ids::kSetupReminderOffset, {.kind = In::Text, .text = "开会"});
  EXPECT_EQ(p.s().ContentOfRemindOnce2, "开会");
}

TEST(SetupPages, ScreenSaverAndPowerControls) {
  Pages p(kPageScreenSaver);
  EXPECT_EQ(p.Find<ui::Label>(ids::kSetupSaverCount).text,
            std::to_string(p.s().SCRSavers.Count() - 1));
  p.Check(ids::kSetupUseKoPlayer, true);
  EXPECT_FALSE(p.Find<ui::ComboBox>(ids::kSetupSaverList).enabled);

  // The power options, and keys only for the tabbed dialog once it is there.
  p.Click(ids::kSetupPowerSetup);
  ASSERT_FALSE(p.rig.shell.calls.empty());
  EXPECT_EQ(p.rig.shell.calls.back().target, "RunDll32.exe");
  EXPECT_EQ(p.rig.shell.calls.back().params, "Shell32.dll,Control_RunDLL powercfg.cpl");
  p.rig.loop.Advance(1000);
  EXPECT_TRUE(p.rig.windows.pressed.empty());

  p.rig.windows.titles.insert("电源选项 属性");
  p.Check(ids::kSetupIsLaptop, true);  // another page: no input there
  p.s().HarwareIsLaptop = true;
  p.Click(ids::kSetupPowerSetup);
  p.rig.loop.Advance(999);
  EXPECT_TRUE(p.rig.windows.pressed.empty());
  p.rig.loop.Advance(1);
  ASSERT_EQ(p.rig.windows.pressed.size(), 1u);
  EXPECT_EQ(p.rig.windows.pressed[0].second, 4);

  p.Click(ids::kSetupPowerHelp);
  EXPECT_EQ(p.rig.shell.calls.back().target, "http://www.lanhesoft.cn/help/tavu/power.html");
}

// The page of the program's own settings: the limits follow the switches they belong to.
TEST(SetupPages, TheMorePageEditsTheProgramsOwnSettings) {
  Pages p(kPageMore);
  EXPECT_EQ(p.state().page, kPageMore);
  EXPECT_TRUE(p.Find<ui::CheckBox>(ids::kSetupAllMonitors).checked);
  EXPECT_TRUE(p.Find<ui::CheckBox>(ids::kSetupSoundCues).checked);
  EXPECT_FALSE(p.Find<ui::NumberField>(ids::kSetupDeferMax).enabled);
  p.Check(ids::kSetupDeferCalls, true);
  EXPECT_TRUE(p.s().DeferInCalls);
  const auto& limit = p.Find<ui::NumberField>(ids::kSetupDeferMax);
  EXPECT_TRUE(limit.enabled);
  EXPECT_EQ(limit.value, 30);
  EXPECT_EQ(limit.max, 120);
  EXPECT_EQ(p.Find<ui::NumberField>(ids::kSetupKeepDays).value, 365);
  p.Check(ids::kSetupKeepHistory, false);
  EXPECT_FALSE(p.s().KeepHistory);
  EXPECT_FALSE(p.Find<ui::NumberField>(ids::kSetupKeepDays).enabled);
  p.Check(ids::kSetupAllMonitors, false);
  EXPECT_FALSE(p.s().BreakOnAllMonitors);
}

TEST(SetupPages, EscOnEveryPageSavesAndHides) {
  for (int page = 0; page < 8; ++page) {
    Pages p(page);
    p.rig.files.files.clear();
    p.setup().FormKeyDown(ui::Key::Escape);
    EXPECT_FALSE(p.state().visible) << page;
    EXPECT_EQ(p.rig.files.files.count(p.rig.ConfigPath()), 1u) << page;
  }
}

}  // namespace
}  // namespace tavu
