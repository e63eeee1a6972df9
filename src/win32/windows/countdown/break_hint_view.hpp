#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "ui/control_mirror.hpp"
#include "ui/view.hpp"
#include "windows/countdown/break_hint.hpp"

namespace tavu::win {

// "TfrmShowDetail": one line of text in a borderless top-most window under the countdown.
class ShowDetailView : public View, public ShowDetailHost {
 public:
  explicit ShowDetailView(int dpi);
  Size MeasureText(const ui::Font& font, std::string_view text) override;
  void Show(const ShowDetailState& state) override;
  void Free() override;
  bool freed() const { return freed_; }

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  ControlMirror mirror_;
  bool freed_ = false;
};

// "TfrmBreakHint": the last minute before a break.
class BreakHintView : public View, public BreakHintHost {
 public:
  explicit BreakHintView(std::function<void()> on_freed);
  ~BreakHintView() override;
  void Attach(TfrmBreakHint& presenter) { presenter_ = &presenter; }

  void Show() override;
  void Hide() override {
    ShowWindow(hwnd(), SW_HIDE);
    picture_.Release();  // off the screen: only its compressed bytes stay
  }
  void AnimateHide(int) override { Hide(); }
  void Minimize() override;
  void Restore() override;
  void Free() override;
  ShowDetailHost& NewDetailView() override;
  int Dpi() override { return mirror_.dpi(); }
  void Sync() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void DpiChanged(int dpi) override;
  // Tells the presenter where the user (or Windows) put the frame.
  void ReportFrame();
  void OnInput(int id, const ui::Input& input);
  void PaintDecorations(HDC dc);

  TfrmBreakHint* presenter_ = nullptr;
  std::function<void()> on_freed_;
  std::vector<std::unique_ptr<ShowDetailView>> details_;
  StretchedPicture picture_;
  ControlMirror mirror_;
  bool freed_ = false;
};

}  // namespace tavu::win
