#pragma once
#include <functional>

#include "gfx/gdi_canvas.hpp"
#include "ui/control_mirror.hpp"
#include "ui/view.hpp"
#include "windows/reminders/hint_small_window.hpp"
#include "windows/reminders/remind_window_center.hpp"

namespace tavu::win {

// What both reminder windows share: a borderless top-most tool window owned by the desktop
// window, painted from its presenter through a canvas, shown a growing part at a time while it
// rolls or grows into view (a window region the presenter's timer moves on; AnimateWindow would
// hold up the program), and freed once it has closed.
class ReminderView : public View {
 protected:
  ReminderView(const wchar_t* window_class, DWORD ex_style, std::function<void()> on_closed);
  // Texts in points are drawn at the new size; the window region is cut again.
  void DpiChanged(int dpi) override;
  void ShowWindowNow();
  void CloseWindow();
  // Shows only `part` (client coordinates in 96-dpi pixels) of a `client`-sized window.
  void ApplyRevealed(const Rect& part, Size client);
  // Paints the client area: the form colour, then what `draw` adds on the canvas, then what
  // `overlay` draws with GDI on the screen over it.
  void Paint(Color color, const std::function<void(Canvas&)>& draw,
             const std::function<void(HDC)>& overlay = nullptr);

  ControlMirror mirror_;
  GdiCanvas canvas_;
  bool closed_ = false;

 private:
  std::function<void()> on_closed_;
  Rect revealed_;
};

// "TfrmHintSmallWindow": three drawn lines at the bottom right.
class HintSmallWindowView : public ReminderView, public HintSmallWindowHost {
 public:
  explicit HintSmallWindowView(std::function<void()> on_closed);
  void Attach(TfrmHintSmallWindow& presenter) { presenter_ = &presenter; }

  void Show() override;
  void Hide() override { ShowWindow(hwnd(), SW_HIDE); }
  void AnimateHide(int) override { Hide(); }
  int Dpi() override { return mirror_.dpi(); }
  void Close() override;
  Size MeasureText(const CanvasFont& font, std::string_view text) override;
  void Sync() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  TfrmHintSmallWindow* presenter_ = nullptr;
  std::string painted_;  // the lines last painted
};

// "TfrmRemindWindowCenter": the framed reminder in the middle of the screen.
class RemindWindowCenterView : public ReminderView, public ReminderHost {
 public:
  explicit RemindWindowCenterView(std::function<void()> on_closed);
  void Attach(TfrmRemindWindowCenter& presenter) { presenter_ = &presenter; }

  void Show() override;
  void Hide() override { ShowWindow(hwnd(), SW_HIDE); }
  void AnimateHide(int) override { Hide(); }
  int Dpi() override { return mirror_.dpi(); }
  void Close() override;
  void Sync() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  TfrmRemindWindowCenter* presenter_ = nullptr;
  StretchedPicture alarm_;
};

}  // namespace tavu::win
