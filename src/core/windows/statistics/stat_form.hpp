#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/date_time.hpp"
#include "cycle/engine.hpp"
#include "cycle/event_log.hpp"
#include "gfx/canvas.hpp"
#include "history/day_totals.hpp"
#include "history/recorder.hpp"
#include "ports/clock.hpp"
#include "ports/dialogs.hpp"
#include "ports/files.hpp"
#include "ports/screen.hpp"
#include "ports/shell.hpp"
#include "ports/timers.hpp"
#include "settings/plans.hpp"
#include "settings/settings.hpp"
#include "ui/commands.hpp"
#include "ui/controls.hpp"
#include "ui/forms.hpp"

namespace tavu {

// What the statistics window asks of its view beyond showing and hiding.
class StatHost : public FormHost {
 public:
  virtual int Dpi() { return 96; }
  // The outer frame around a client area of `client` (96-dpi pixels).
  virtual Size FrameSize(Size client) = 0;
  // The extent of `text` in `font` (96-dpi pixels): labels that are placed by their width.
  virtual Size MeasureText(const ui::Font& font, std::string_view text) = 0;
  // Lets the user drag the window by where the mouse went down, as by its caption.
  virtual void DragByBackground() = 0;
  // The window has closed: hide it and let the owner free it.
  virtual void Close() = 0;
};

struct StatState : ui::FormState {
  static constexpr int kFigureCount = 8;
  static constexpr int kAppButtonCount = 13;
  static constexpr int kHistoryDays = 14;
  StatState();

  // Figures, above the pages: a caption and a value each.
  std::array<ui::Label, kFigureCount> lblFigureCaptions;
  ui::Label lblPCStart, lblPCTimeUsed, lblAppStartTime, lblAppTimeUsed;
  ui::Label lblScheduleBreakPrev, lblScheduleBreakNext, lblBreakCount, lblBreakUncompletedCount;
  ui::Button btnRefresh;
  int page = 0;  // PageControl1's active page

  // Page 0: health summary and advice.
  ui::Label lblHours, lblHoursUnit;
  ui::Label lblIndexTiredTitle, lblIndexTired;
  ui::ProgressBar pgbIndexTired;  // vertical
  std::array<ui::Label, 4> lblIndexScale;
  ui::Label lblHealthScoreTitle, lblHealthScore;
  ui::Label lblHealthStatusTitle, lblHealthStatus;
  ui::Label lblAdviceTitle, lblAdvice2;
  ui::Button btnHelpAboutIndex;
  ui::Label lblKeepRunning;
  ui::Button btnMoreComment;

  // Page 1: the history. The text box is multi-line with a vertical scroll bar; its text is
  // large, so it is handed over whole only when `history_version` changes, then scrolled to the
  // end.
  ui::Control Memo1;
  std::string history;
  uint32_t history_version = 0;

  // Page 2: boot speed and shortcuts to the program's commands.
  ui::Label lblSysStartSpeedTitle, lblSysStartSpeed, lblSysStartSpeedNote;
  std::array<ui::Button, kAppButtonCount> btnApps;  // in the order of TfrmStat::AppButton

  // Page 3: the last fourteen days from the history database. The chart is drawn by the view
  // through the canvas (TfrmStat::DrawChart) when `chart_version` changes; beneath it a table of
  // the same figures, a column of lines per day after a column of captions.
  ui::Control chtDays;
  std::array<ui::Label, kHistoryDays + 1> lblDayColumns;
  ui::Label lblHistoryNote;  // why there is nothing to show
  ui::Button btnExport;
  std::vector<DayTotals> days;
  uint32_t chart_version = 0;
};

// `TfrmStat`: the rest statistics. Every figure is computed afresh from the engine, the event
// log and the plans at each refresh; the window keeps none of its own.
class TfrmStat : public TimerSink {
 public:
  struct Deps {
    Clock& clock;
    Timers& timers;
    Screen& screen;
    Random& random;
    Dialogs& dialogs;
    Shell& shell;
    Settings& settings;
    BreakPlans& plans;
    const Engine& engine;
    const EventLog& log;
    const DateTimeFormat& format;
    OpenForms& forms;
    AppCommands& app;
    Files* files = nullptr;              // the export
    HistoryRecorder* history = nullptr;  // the history page; none: nothing kept
  };

  enum AppButton : int {
    kKoPlayer,
    kKalo,
    kWeather,
    kOtherApp,
    kExcel,
    kWord,
    kCalc,
    kNotePad,
    kSOT,
    kSCRSwitch,
    kScrSetup,
    kBreakDemo,
    kListShortCuts,
    kAppButtonCount
  };
  static_assert(kAppButtonCount == StatState::kAppButtonCount);

  static constexpr std::string_view kFormName = "frmStat";
  static constexpr Size kClient{624, 513};
  static constexpr int kPageCount = 4;
  static constexpr int kHistoryPage = 3;
  static constexpr std::array<std::string_view, kPageCount> kPageCaptions = {
      "健康总结建议", "查看历史记录", "更多应用...", "历史统计"};
  static constexpr std::array<std::string_view, 7> kDayRowCaptions = {
      "日期", "工作小时", "休息次数", "提前结束", "推迟", "暂停", "健康得分"};
  static constexpr std::string_view kNoHistoryText = "未保留历史统计（可在设置的“更多”页打开）。";
  // Kept, but the file could not be opened: held by another program or of a newer version.
  static constexpr std::string_view kHistoryUnavailableText =
      "历史统计文件暂时无法打开（可能正被其他程序使用，或由更新的版本创建）。";
  static constexpr std::string_view kExportTitle = "导出历史统计";
  static constexpr std::string_view kExportFileName = "tavu-history.csv";
  static constexpr std::string_view kExportKind = "CSV 文件";
  static constexpr std::string_view kExportFailedText = "无法保存文件：";
  static constexpr std::array<std::string_view, kAppButtonCount> kAppCaptions = {
      "打开播放器", "卡洛宝",   "查看天气", "其它应用", "打开EXCEL", "打开WORD",  "打开计算器",
      "打开记事本", "倩影开关", "屏保开关", "屏保设置", "休息预演",  "快捷键列表"};
  static constexpr int kRefreshTimer = 1;
  static constexpr uint32_t kRefreshMs = 15'000;
  static constexpr std::string_view kMoreCaption = "您知道吗？";
  static constexpr std::string_view kMoreText =
      "当您不使用电脑时您可以选择休眠来代替普通关机,这样软件就可以保持运行,"
      "休眠不但跟普通关机一样不消耗电量,还能保持您的桌面状态,开机速度也更快！ "
      "如果您还没有启用休眠,现在就进行设置吧？";
  // The maker's page that explains the tired index and the health score.
  static constexpr std::string_view kIndexHelpAddress =
      "http://www.lanhesoft.cn/help/tavu/index_explain.html";

  TfrmStat(StatHost& host, const Deps& deps) : host_(host), d_(deps) {}
  ~TfrmStat() override;
  TfrmStat(const TfrmStat&) = delete;
  TfrmStat& operator=(const TfrmStat&) = delete;

  // Creates and shows the window: FormCreate, then FormShow and the active page's refresh.
  void Open();
  void FormCreate();
  void FormShow() { RefreshFigures(); }
  // A page button was clicked: that page becomes the active one.
  void PageClick(int page);
  void tshIndexShow() { RefreshPage(state_.page); }
  void RefreshTimerTimer();
  void btnRefreshClick();
  void btnMoreCommentClick();
  void btnHelpAboutIndexClick();
  void AppButtonsClick(AppButton button);
  // "导出...": the whole history as CSV, to a file the save dialog names.
  void btnExportClick();
  // The history page's chart on a surface of `size` device pixels at the window's dpi.
  void DrawChart(Canvas& canvas, Size size) const;
  void FormMouseDown(ui::MouseButton button);
  void FormKeyDown(ui::Key key);
  // The close box, Esc or the tray icon: stops the refresh and lets the window be freed.
  void FormClose();
  void OnTimer(int id) override;

  void RefreshFigures();
  void RefreshPage(int page);
  void FillHistory();
  void FillDays();
  void RefreshHealth();

  std::string CurrentModeName() const;
  bool IsOpen() const { return open_; }
  const StatState& State() const { return state_; }

 private:
  void UpdateCaption();
  void RandomLightColor();
  void ShowPageControls();

  StatHost& host_;
  Deps d_;
  StatState state_;
  bool open_ = false;
};

}  // namespace tavu
