#include "windows/statistics/stat_form.hpp"

#include <algorithm>
#include <initializer_list>

#include "history/day_chart.hpp"
#include "stats/figures.hpp"
#include "stats/history.hpp"
#include "ui/menu.hpp"
#include "windows/break_screen/rest_modes.hpp"

namespace tavu {
namespace {

constexpr std::string_view kFace = "Tahoma";
constexpr Color kBlue = Rgb(0, 0, 255);
constexpr Color kMaroon = Rgb(128, 0, 0);
constexpr int kPageTop = 150;  // the pages' area, below the page buttons

Rect At(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

ui::Label AutoLabel(Point at, std::string_view text) {
  ui::Label label;
  label.rect = {at.x, at.y, at.x, at.y};
  label.text = text;
  label.auto_size = true;
  return label;
}

ui::Label AutoLabel(Point at, std::string_view text, ui::Font font) {
  ui::Label label = AutoLabel(at, text);
  label.font = std::move(font);
  return label;
}

// The bar's top and height: the scale captions sit at its values 0, 50, 100 and 150.
constexpr int kBarTop = 170, kBarHeight = 200, kBarLeft = 300;

}  // namespace

StatState::StatState() {
  caption = "休息统计";
  client = TfrmStat::kClient;
  font = ui::PixelFont(std::string(kFace), 12);

  // Two columns of four figures.
  static constexpr std::string_view kCaptions[kFigureCount] = {
      "开机时间：",     "开机运行总时间：",   "程序启动时间：", "程序运行总时间：",
      "上次休息时间：", "下次计划休息时间：", "休息总次数：",   "其中未完成的休息："};
  ui::Label* values[kFigureCount] = {
      &lblPCStart,           &lblPCTimeUsed,        &lblAppStartTime, &lblAppTimeUsed,
      &lblScheduleBreakPrev, &lblScheduleBreakNext, &lblBreakCount,   &lblBreakUncompletedCount};
  for (int i = 0; i < kFigureCount; ++i) {
    const int column = i / 4, row = i % 4;
    const int top = 16 + row * 26;
    lblFigureCaptions[i] = AutoLabel({20 + column * 300, top}, kCaptions[i]);
    *values[i] = AutoLabel({150 + column * 300, top}, i >= 6 ? "0" : "0:00:00",
                           ui::PixelFont(std::string(kFace), 12, true, kBlue));
  }
  btnRefresh.rect = At(528, 116, 80, 26);
  btnRefresh.text = "刷新";

  // Page 0.
  lblHours = AutoLabel({36, 176}, "24", ui::PixelFont(std::string(kFace), 48, true, kMaroon));
  lblHoursUnit = AutoLabel({100, 204}, "小时", ui::PixelFont("宋体", 16, true, kMaroon));
  lblIndexTiredTitle = AutoLabel({40, 262}, "短期：疲劳指数-->：");
  lblIndexTired = AutoLabel({160, 262}, "0", ui::PixelFont(std::string(kFace), 12, true, kRed));
  pgbIndexTired.rect = At(kBarLeft, kBarTop, 22, kBarHeight);
  pgbIndexTired.min = 0;
  pgbIndexTired.max = 200;
  static constexpr std::string_view kScale[4] = {"（饱满）0", "（健康）50", "（正常）100",
                                                 "（超标）150"};
  for (int i = 0; i < 4; ++i)
    lblIndexScale[i] = AutoLabel({kBarLeft + 28, kBarTop + kBarHeight - i * 50 - 7}, kScale[i]);
  lblHealthScoreTitle = AutoLabel({420, 176}, "综合健康得分：");
  lblHealthScore =
      AutoLabel({430, 198}, "100分", ui::PixelFont(std::string(kFace), 24, true, kRed));
  lblHealthStatusTitle = AutoLabel({420, 246}, "综合健康评定：");
  lblHealthStatus = AutoLabel({430, 268}, "良好", ui::PixelFont("楷体_GB2312", 32, true, kBlue));
  btnHelpAboutIndex.rect = At(420, 330, 90, 26);
  btnHelpAboutIndex.text = "指数说明";
  lblAdviceTitle = AutoLabel({36, 400}, "健康总结建议：");
  lblAdvice2 = AutoLabel({136, 400}, "暂无建议！", ui::PixelFont("宋体", 14, true, kRed));
  lblKeepRunning = AutoLabel({36, 470}, "为保证数据的准确性，建议软件保持运行！");
  btnMoreComment.rect = At(290, 466, 48, 22);
  btnMoreComment.text = "more";

  // Page 1.
  Memo1.rect = At(16, kPageTop, 592, 513 - kPageTop - 12);

  // Page 2.
  lblSysStartSpeedTitle = AutoLabel({36, 176}, "您的开机速度：");
  lblSysStartSpeed =
      AutoLabel({136, 176}, "0:00:00", ui::PixelFont(std::string(kFace), 12, true, kBlue));
  lblSysStartSpeedNote =
      AutoLabel({36, 204}, "注意：开机速度只有当本软件随系统启动时才能检测出来！");
  for (int i = 0; i < kAppButtonCount; ++i) {
    btnApps[i].rect = At(36 + (i % 4) * 140, 246 + (i / 4) * 50, 124, 34);
    btnApps[i].text = TfrmStat::kAppCaptions[i];
  }

  // Page 3.
  chtDays.rect = At(16, 154, 592, 208);
  constexpr int kTableTop = 368, kCaptionWidth = 64, kTableHeight = 108;
  constexpr int kDayWidth = (592 - kCaptionWidth) / kHistoryDays;
  const ui::Font table_font = ui::PixelFont(std::string(kFace), 11);
  for (int i = 0; i <= kHistoryDays; ++i) {
    ui::Label& column = lblDayColumns[static_cast<std::size_t>(i)];
    column.rect =
        i == 0 ? At(16, kTableTop, kCaptionWidth, kTableHeight)
               : At(16 + kCaptionWidth + (i - 1) * kDayWidth, kTableTop, kDayWidth, kTableHeight);
    column.font = table_font;
  }
  for (std::string_view caption : TfrmStat::kDayRowCaptions) {
    if (!lblDayColumns[0].text.empty()) lblDayColumns[0].text += '\n';
    lblDayColumns[0].text += caption;
  }
  lblHistoryNote = AutoLabel({36, 250}, TfrmStat::kNoHistoryText);
  btnExport.rect = At(528, 480, 80, 26);
  btnExport.text = "导出...";
}

TfrmStat::~TfrmStat() {
  d_.timers.StopAll(*this);
  if (open_) d_.forms.Remove(kFormName);
}

void TfrmStat::Open() {
  open_ = true;
  d_.forms.Add(kFormName);
  FormCreate();
  state_.visible = true;
  host_.Show();
  FormShow();
  tshIndexShow();
}

void TfrmStat::FormCreate() {
  const int dpi = std::max(1, host_.Dpi());
  const Rect work = d_.screen.WorkArea();
  const Size frame = host_.FrameSize(kClient);
  const int left = work.Width() * 96 / dpi - frame.w - 50;
  const int top = work.Height() * 96 / dpi - frame.h - 50;
  state_.bounds = At(left, top, frame.w, frame.h);
  RandomLightColor();
  UpdateCaption();
  d_.random.Randomize();
  state_.page = d_.random.Next(kPageCount);
  ShowPageControls();
  d_.timers.Start(*this, kRefreshTimer, kRefreshMs);
}

void TfrmStat::RandomLightColor() {
  d_.random.Randomize();
  const int r = d_.random.Next(45), g = d_.random.Next(45), b = d_.random.Next(45);
  state_.color = Rgb(static_cast<uint8_t>(255 - r), static_cast<uint8_t>(255 - g),
                     static_cast<uint8_t>(255 - b));
}

std::string TfrmStat::CurrentModeName() const {
  switch (d_.settings.SelectBreakMode.Index()) {
    case kFreeMode:
      return "自由模式";
    case kPasswordMode:
      return "密码模式";
    case kInterfereMode:
      return "干扰模式";
    default:
      return "强制模式";
  }
}

void TfrmStat::UpdateCaption() {
  const BreakPlan& plan = d_.plans.Applied();
  std::string caption = "休息统计(供参考)-[当前方案:每隔";
  caption += std::to_string(plan.BreakInterval);
  caption += "分钟休息";
  caption += std::to_string(plan.BreakMins);
  caption += "分钟，当前模式:";
  caption += CurrentModeName();
  caption += ']';
  state_.caption = std::move(caption);
}

void TfrmStat::ShowPageControls() {
  StatState& s = state_;
  const std::initializer_list<ui::Control*> health{
      &s.lblHours,         &s.lblHoursUnit,        &s.lblIndexTiredTitle, &s.lblIndexTired,
      &s.pgbIndexTired,    &s.lblIndexScale[0],    &s.lblIndexScale[1],   &s.lblIndexScale[2],
      &s.lblIndexScale[3], &s.lblHealthScoreTitle, &s.lblHealthScore,     &s.lblHealthStatusTitle,
      &s.lblHealthStatus,  &s.lblAdviceTitle,      &s.lblAdvice2,         &s.btnHelpAboutIndex,
      &s.lblKeepRunning,   &s.btnMoreComment};
  for (ui::Control* c : health) c->visible = s.page == 0;
  s.Memo1.visible = s.page == 1;
  for (ui::Control* c : {&s.lblSysStartSpeedTitle, &s.lblSysStartSpeed, &s.lblSysStartSpeedNote})
    c->visible = s.page == 2;
  for (ui::Button& b : s.btnApps) b.visible = s.page == 2;
  const bool days = s.page == kHistoryPage;
  const bool kept = d_.history && d_.history->db();
  s.chtDays.visible = days && kept;
  for (ui::Label& l : s.lblDayColumns) l.visible = days && kept;
  s.lblHistoryNote.visible = days && !kept;
  const bool wanted = d_.history && !d_.history->path().empty() && d_.settings.KeepHistory;
  s.lblHistoryNote.text = wanted ? kHistoryUnavailableText : kNoHistoryText;
  s.btnExport.visible = days;
  s.btnExport.enabled = kept && d_.files;
}

void TfrmStat::PageClick(int page) {
  if (page < 0 || page >= kPageCount || page == state_.page) return;
  state_.page = page;
  ShowPageControls();
  if (page < 2 || page == kHistoryPage) tshIndexShow();
}

void TfrmStat::RefreshTimerTimer() {
  RefreshFigures();
  RefreshPage(state_.page);
}

void TfrmStat::btnRefreshClick() {
  d_.timers.Stop(*this, kRefreshTimer);
  RefreshTimerTimer();
  d_.timers.Start(*this, kRefreshTimer, kRefreshMs);
}

void TfrmStat::RefreshFigures() {
  const StatFigures f = ComputeFigures(d_.clock, d_.format, d_.log, d_.engine);
  state_.lblPCStart.text = f.pc_start;
  state_.lblPCTimeUsed.text = f.pc_time_used;
  state_.lblAppStartTime.text = f.app_start;
  state_.lblAppTimeUsed.text = f.app_time_used;
  state_.lblSysStartSpeed.text = f.sys_start_speed;
  state_.lblScheduleBreakPrev.text = f.break_prev;
  state_.lblScheduleBreakNext.text = f.break_next;
  state_.lblBreakCount.text = f.break_count;
  if (!f.deferred.empty()) {
    state_.lblBreakCount.text += "（";
    state_.lblBreakCount.text += f.deferred;
    state_.lblBreakCount.text += "）";
  }
  state_.lblBreakUncompletedCount.text = f.uncompleted;
}

void TfrmStat::RefreshPage(int page) {
  // A break screen's pages keep their last content; the figures go on.
  if (d_.engine.Phase() == CyclePhase::BreakOpen) return;
  if (page == 0) RefreshHealth();
  if (page == 1) FillHistory();
  if (page == kHistoryPage) FillDays();
}

void TfrmStat::FillDays() {
  ShowPageControls();
  HistoryDb* db = d_.history ? d_.history->db() : nullptr;
  if (!db) return;
  const int64_t today = DateTime::FromLocal(d_.clock.Now()).Days();
  state_.days = RecentDays(*db, today, StatState::kHistoryDays);
  ++state_.chart_version;
  for (std::size_t i = 0; i < state_.days.size() && i < StatState::kHistoryDays; ++i) {
    const DayTotals& d = state_.days[i];
    const int64_t tenths = (d.WorkMs() + 180'000) / 360'000;
    std::string text = DayLabel(d.day);
    text += '\n';
    text += std::to_string(tenths / 10);
    text += '.';
    text += std::to_string(tenths % 10);
    for (const int n : {d.breaks, d.early, d.deferred, d.pauses}) {
      text += '\n';
      text += std::to_string(n);
    }
    text += '\n';
    text += d.Score() < 0 ? std::string(1, '-') : std::to_string(d.Score());
    state_.lblDayColumns[i + 1].text = std::move(text);
  }
}

void TfrmStat::DrawChart(Canvas& canvas, Size size) const {
  DrawDayChart(canvas, size, std::max(1, host_.Dpi()), state_.days);
}

void TfrmStat::btnExportClick() {
  HistoryDb* db = d_.history ? d_.history->db() : nullptr;
  if (!db || !d_.files) return;
  const std::optional<std::string> path =
      d_.dialogs.AskSaveFile(kExportTitle, kExportFileName, kExportKind, "csv");
  if (!path) return;
  if (!d_.files->WriteAtomic(*path, HistoryCsv(db->AllRows(), d_.format))) {
    std::string text(kExportFailedText);
    text += *path;
    d_.dialogs.Warn(text, kNoteCaption);
  }
}

void TfrmStat::FillHistory() {
  state_.history = HistoryText(d_.clock, d_.format, d_.log);
  ++state_.history_version;
}

void TfrmStat::RefreshHealth() {
  const auto& cycles = d_.log.Cycles();
  const uint64_t now = d_.clock.Tick();
  const uint64_t start = cycles.empty() || cycles[0].empty() ? now : cycles[0][0].StartTick;
  const Health h = ComputeHealth(RestMs(d_.log, d_.plans.Selected().BreakMins), now - start,
                                 d_.engine.WorkedPercent(), d_.engine.Values().TiredIndexCarry);
  StatState& s = state_;
  s.pgbIndexTired.position = h.bar;
  s.lblIndexTired.text = h.tired_text;
  // The index ends 5 pixels left of the bar, its title 5 pixels left of it.
  const auto width = [&](const ui::Label& l) {
    return host_.MeasureText(l.font ? *l.font : s.font, l.text).w;
  };
  s.lblIndexTired.MoveTo(
      {s.pgbIndexTired.rect.left - width(s.lblIndexTired) - 5, s.lblIndexTired.rect.top});
  s.lblIndexTiredTitle.MoveTo(
      {s.lblIndexTired.rect.left - width(s.lblIndexTiredTitle) - 5, s.lblIndexTiredTitle.rect.top});
  s.lblHealthScore.text = h.score_text;
  s.lblHealthStatus.text = h.status;
  s.lblAdvice2.text = h.advice;
}

void TfrmStat::btnMoreCommentClick() {
  if (d_.dialogs.Suggest(kMoreText, kMoreCaption)) d_.app.RunMenuCommand(MenuCommand::SetupSCR);
}

void TfrmStat::btnHelpAboutIndexClick() {
  d_.shell.Execute("open", kIndexHelpAddress, "", ShowState::Normal);
}

void TfrmStat::AppButtonsClick(AppButton button) {
  static constexpr MenuCommand kCommands[kAppButtonCount] = {
      MenuCommand::None,           MenuCommand::None,        MenuCommand::More_Weather,
      MenuCommand::None,           MenuCommand::OpenExcel,   MenuCommand::OpenWord,
      MenuCommand::OpenCalculator, MenuCommand::OpenNotePad, MenuCommand::ShowSOT,
      MenuCommand::DisableSelfSCR, MenuCommand::SetupSCR,    MenuCommand::BreakDemo,
      MenuCommand::ShortCuts};
  switch (button) {
    case kKoPlayer:
      d_.app.RunKoPlayerCommand(14);
      return;
    case kKalo:
      d_.app.RunKaloCommand(0);
      return;
    case kOtherApp:
    case kAppButtonCount:
      return;
    default:
      d_.app.RunMenuCommand(kCommands[button]);
  }
}

void TfrmStat::FormMouseDown(ui::MouseButton button) {
  if (button == ui::MouseButton::Left) host_.DragByBackground();
}

void TfrmStat::FormKeyDown(ui::Key key) {
  if (key == ui::Key::Escape) FormClose();
}

void TfrmStat::FormClose() {
  if (!open_) return;
  open_ = false;
  d_.timers.StopAll(*this);
  d_.forms.Remove(kFormName);
  state_.visible = false;
  host_.Close();
}

void TfrmStat::OnTimer(int id) {
  if (id == kRefreshTimer) RefreshTimerTimer();
}

}  // namespace tavu
