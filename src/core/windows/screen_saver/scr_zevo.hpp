#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.hpp"
#include "gfx/canvas.hpp"
#include "ports/screen.hpp"
#include "ports/shell.hpp"
#include "ports/timers.hpp"
#include "settings/settings.hpp"
#include "ui/forms.hpp"

namespace tavu {

inline constexpr std::string_view kScrZevoForm = "frmScrZEVO";
inline constexpr std::string_view kScrZevoWelcome = "欢迎使用岚禾护眼钟";

// The tips the built-in saver draws; then "提示：快捷键 " and a hot-key entry.
inline constexpr std::string_view kScrZevoTips[10] = {
    "智能计算休息周期，功能强大。",
    "灵活的休息模式可供选择，满足不同需求。",
    "界面丰富且简洁易用。",
    "更方便的电源管理，节能环保！",
    "更丰富的屏保管理功能：随机屏保，一键禁用/恢复屏保（看电影时特别有用！）",
    "V2.0开始还加入了全新的自动屏保播放和自动屏保伴音功能！",
    "绿色软件，资源消耗小，不在您电脑上留下垃圾！",
    "健康和友好是软件的主基调。",
    "岚禾软件 - 打造优秀的软件产品！",
    "岚禾休息软件由岚禾软件工作室设计制作，感谢您的使用！",
};
inline constexpr std::string_view kHotKeyTipPrefix = "提示：快捷键 ";

// What the built-in saver shows: a moving, colour-changing welcome line over random vertical
// lines that leave its band free, and now and then a tip.
struct ScrZevoState {
  Rect bounds;  // the primary screen
  // Every other monitor while BreakOnAllMonitors: black, and any input on it ends the saver.
  std::vector<Rect> others;
  bool visible = false;
  std::string label_text{kScrZevoWelcome};
  CanvasFont label_font{"隶书", 24, 0};  // 32 px at 96 dpi
  Point label_pos;
  Size label_size;
  CanvasFont tip_font{"宋体", 10, 0};
  // The tip drawn after the lines since the last wrap; none after a plain repaint.
  std::optional<std::string> tip;
  Point tip_pos;
  bool moving_right = true;
  int16_t r = 0, g = 0, b = 0;
  int16_t dr = 5, dg = 5, db = 5;
  Point cursor_at_start;
};

class ScrZevoHost {
 public:
  virtual ~ScrZevoHost() = default;
  virtual Size MeasureText(const CanvasFont& font, std::string_view text) = 0;
  virtual void Show() = 0;
  // A new background (FormPaint): new random lines.
  virtual void Repaint() = 0;
  // Destroys the window; the presenter is freed once the running handler returned.
  virtual void Free() = 0;
};

// `TfrmScrZEVO`: the built-in screen saver. Every start creates a new one; it lives until the
// user's input closes it.
class TfrmScrZEVO : public TimerSink {
 public:
  static constexpr int kTimer1 = 1;
  static constexpr uint32_t kTimer1Ms = 500;
  static constexpr int kStepPx = 50;

  struct Deps {
    const Settings& settings;
    Screen& screen;
    Timers& timers;
    Random& random;
    OpenForms& forms;
  };
  TfrmScrZEVO(ScrZevoHost& host, const Deps& deps) : host_(host), d_(deps) {}
  ~TfrmScrZEVO() override;
  TfrmScrZEVO(const TfrmScrZEVO&) = delete;
  TfrmScrZEVO& operator=(const TfrmScrZEVO&) = delete;

  void FormCreate();
  void Timer1Timer();
  // The background: black, the random lines and the tip. The moving line is drawn over it by
  // the view at every tick, so the lines stay until the next repaint.
  void FormPaint(Canvas& canvas);
  void FormKeyDown();
  void FormMouseDown();
  void FormMouseMove(Point screen_pos);
  // Monitors were added, removed or rearranged: the other monitors' windows follow.
  void DisplayChanged();
  void OnTimer(int id) override;

  const ScrZevoState& State() const { return state_; }
  // Lines drawn by the last paint.
  int LinesPainted() const { return lines_painted_; }

 private:
  void Close();
  std::string RandomTip();

  ScrZevoHost& host_;
  Deps d_;
  ScrZevoState state_;
  int lines_painted_ = 0;
  bool closed_ = false;
};

}  // namespace tavu
