#pragma once
#include <windows.h>

#include <functional>

#include "gfx/gdi_canvas.hpp"
#include "ui/control_mirror.hpp"
#include "ui/view.hpp"
#include "windows/statistics/stat_form.hpp"

namespace tavu::win {

// "TfrmStat": the rest statistics, a dialog frame with the figures above three pages chosen by
// flat page buttons. The history's multi-line text box is the view's own: its text is handed
// over whole, only when the presenter rebuilt it.
class StatView : public View, public StatHost {
 public:
  explicit StatView(std::function<void()> on_closed);
  ~StatView() override;
  void Attach(TfrmStat& presenter);

  void Show() override;
  void Hide() override { ShowWindow(hwnd(), SW_HIDE); }
  void AnimateHide(int) override { Hide(); }
  int Dpi() override { return mirror_.dpi(); }
  Size FrameSize(Size client) override;
  Size MeasureText(const ui::Font& font, std::string_view text) override {
    return mirror_.Measure(font, text);
  }
  void DragByBackground() override;
  void Close() override;
  void Sync() override;
  // Esc anywhere in the window (keyboard preview).
  bool PreviewKey(const MSG& msg);

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void DpiChanged(int) override { LayOutOwnControls(); }
  void LayOutOwnControls();
  void OnInput(int id);
  void ApplyMemo(const StatState& s);
  void ApplyChart(const StatState& s);
  void DrawChart(const DRAWITEMSTRUCT& item);

  TfrmStat* presenter_ = nullptr;
  ControlMirror mirror_;
  std::function<void()> on_closed_;
  bool closed_ = false;
  HWND tabs_ = nullptr;
  HWND memo_ = nullptr;
  HWND chart_ = nullptr;
  GdiCanvas chart_canvas_;
  uint32_t chart_version_ = 0;
  bool chart_visible_ = false;
  HFONT tab_font_ = nullptr;
  HFONT memo_font_ = nullptr;
  uint32_t memo_version_ = 0;
  bool memo_visible_ = false;
  bool bar_vertical_ = false;
};

}  // namespace tavu::win
