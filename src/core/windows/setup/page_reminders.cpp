// Page "定时提醒": the chimes, the two daily quick reminders, and the window and colours of each.
#include <vector>

#include "windows/setup/page_rows.hpp"
#include "windows/setup/setup_form.hpp"
#include "windows/setup/setup_ids.hpp"

namespace tavu {
namespace {

using namespace rows;

// The centre window has a border colour; the small window has none.
template <Choice Settings::*Window>
bool CentreChosen(const TfrmSetup& form) {
  return form.settings().*Window == 1;
}

std::string* Content1(TfrmSetup& form) { return &form.MutableSettings().ContentOfRemindOnce1; }
std::string* Content2(TfrmSetup& form) { return &form.MutableSettings().ContentOfRemindOnce2; }

struct Reminder {
  bool Settings::*on;
  std::string_view caption;
  Bounded Settings::*hour;
  Bounded Settings::*minute;
  Choice Settings::*list;
  std::string* (*content)(TfrmSetup&);
};

struct WindowGroup {
  std::string_view caption;
  Choice Settings::*window;
  Color Settings::*main;
  Color Settings::*border;
  bool Settings::*use_scheme;
  React use_scheme_click, main_change, preview;
  Predicate border_active;
};

void AddReminder(std::vector<PageRow>& rows, int offset, int y, const Reminder& r) {
  rows.push_back(Check(ids::kSetupRemindOnce1 + offset, r.caption, At(24, y + 4), r.on));
  rows.push_back(Number(ids::kSetupHourOfRemind1 + offset, {116, y, 164, y + 22}, r.hour));
  rows.push_back(Text(ids::kSetupHourUnit1 + offset, "时", At(168, y + 4)));
  rows.push_back(Number(ids::kSetupMinOfRemind1 + offset, {186, y, 234, y + 22}, r.minute));
  rows.push_back(Text(ids::kSetupMinUnit1 + offset, "分", At(238, y + 4)));
  rows.push_back(Text(ids::kSetupContentLabel1 + offset, "提醒内容：", At(266, y + 4)));
  rows.push_back(
      Typed(List(ids::kSetupContent1 + offset, {328, y, 621, y + 22}, r.list), r.content));
}

void AddGroup(std::vector<PageRow>& rows, int offset, int left, const WindowGroup& g) {
  const int x = left + 16;
  rows.push_back(Group(ids::kSetupChimeGroup + offset, g.caption, {left, 168, left + 302, 344}));
  rows.push_back(Text(ids::kSetupChimeWindowLabel + offset, "提醒窗口：", At(x, 196)));
  rows.push_back(List(ids::kSetupChimeWindow + offset, {x + 68, 192, x + 270, 214}, g.window));
  rows.push_back(Text(ids::kSetupChimeMainLabel + offset, "主色调：", At(x, 230)));
  rows.push_back(
      ColorList(ids::kSetupChimeMain + offset, {x + 68, 226, x + 270, 248}, g.main, g.main_change));
  rows.push_back(Text(ids::kSetupChimeBorderLabel + offset, "边框色：", At(x, 264)));
  rows.push_back(When(ColorList(ids::kSetupChimeBorder + offset, {x + 68, 260, x + 270, 282},
                                g.border, g.main_change),
                      g.border_active));
  rows.push_back(Check(ids::kSetupChimeUseScheme + offset, "使用界面设置配色方案", At(x, 298),
                       g.use_scheme, g.use_scheme_click));
  rows.push_back(
      Press(ids::kSetupChimePreview + offset, "预览", {x + 194, 306, x + 270, 330}, g.preview));
}

std::vector<PageRow> Build() {
  std::vector<PageRow> rows{
      Check(ids::kSetupRemindOnHour, "准点报时", At(24, 68), &Settings::RemindOnHour),
      Check(ids::kSetupRemindOnHalfHour, "半点报时", At(130, 68), &Settings::RemindOnHalfHour),
  };
  AddReminder(rows, 0, 100,
              {&Settings::RemindOnce1, "快速提醒1", &Settings::HourOfRemindOnce1,
               &Settings::MinOfRemindOnce1, &Settings::ContentOfRemindOnce1List, Content1});
  AddReminder(rows, ids::kSetupReminderOffset, 132,
              {&Settings::RemindOnce2, "快速提醒2", &Settings::HourOfRemindOnce2,
               &Settings::MinOfRemindOnce2, &Settings::ContentOfRemindOnce2List, Content2});
  AddGroup(rows, 0, 16,
           {"报时界面选择", &Settings::SelectRemindHourWindow, &Settings::RemindHourWindowColorMain,
            &Settings::RemindHourWindowColorBorder, &Settings::RemindHourUseColorOfMainSetup,
            &TfrmSetup::cbxRemindHourUseColorClick, &TfrmSetup::cbbRemindHourColorChange,
            &TfrmSetup::btnPreviewChimeClick, CentreChosen<&Settings::SelectRemindHourWindow>});
  AddGroup(
      rows, ids::kSetupGroupOffset, 327,
      {"快速提醒界面选择", &Settings::SelectRemindOnceWindow, &Settings::RemindOnceWindowColorMain,
       &Settings::RemindOnceWindowColorBorder, &Settings::RemindOnceUseColorOfMainSetup,
       &TfrmSetup::cbxRemindOnceUseColorClick, &TfrmSetup::cbbRemindOnceColorChange,
       &TfrmSetup::btnPreviewQuickRemindClick, CentreChosen<&Settings::SelectRemindOnceWindow>});
  return rows;
}

}  // namespace

SetupPageTable RemindersPage() {
  static const std::vector<PageRow> rows = Build();
  return {kPageReminders, rows};
}

}  // namespace tavu
