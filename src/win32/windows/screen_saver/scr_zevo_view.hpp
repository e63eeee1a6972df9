#pragma once
#include <windows.h>

#include <functional>

#include "gfx/gdi_canvas.hpp"
#include "ui/monitor_cover.hpp"
#include "ui/view.hpp"
#include "windows/screen_saver/scr_zevo.hpp"

namespace tavu::win {

// The built-in screen saver: a top-most black window over the primary screen, and plain black
// ones over the other monitors while breaks cover them all. The presenter
// paints the background (lines, tip) into a canvas kept between paints; the moving line is
// drawn over it at every tick, so only its old and new places are repainted.
class ScrZevoView : public View, public ScrZevoHost {
 public:
  explicit ScrZevoView(std::function<void()> on_freed);
  ~ScrZevoView() override;
  void Attach(TfrmScrZEVO& presenter) { presenter_ = &presenter; }

  Size MeasureText(const CanvasFont& font, std::string_view text) override;
  void Show() override;
  void Repaint() override;
  void Free() override;
  void Sync() override;

 protected:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint();
  // Keys and the mouse, on the saver or on another monitor's cover: true if taken.
  bool TakeInput(UINT msg);
  RECT LabelRect() const;
  HFONT FontFor(const CanvasFont& font);

  std::function<void()> on_freed_;
  TfrmScrZEVO* presenter_ = nullptr;
  GdiCanvas canvas_;
  bool background_stale_ = true;
  RECT shown_label_{};
  HFONT label_font_ = nullptr;
  CanvasFont shown_label_font_;
  MonitorCovers covers_;
};

}  // namespace tavu::win
