#pragma once
#include "ui/control_mirror.hpp"
#include "ui/view.hpp"
#include "windows/setup/setup_form.hpp"

namespace tavu::win {

// The settings window "TfrmSetup": a fixed-size window with one tab control; the controls of
// its pages come from the presenter's page tables.
class SetupView : public View, public FormHost {
 public:
  SetupView();
  ~SetupView() override;
  void Attach(TfrmSetup& presenter) { presenter_ = &presenter; }

  void Show() override;
  void Hide() override;
  void AnimateHide(int) override { Hide(); }
  int Dpi() override { return mirror_.dpi(); }
  void Sync() override;
  // Key preview: every key pressed in the window or its controls reaches it first.
  bool PreviewKey(const MSG& msg);

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  TfrmSetup* presenter_ = nullptr;
  ControlMirror mirror_;
  void BuildControls();
  HWND tabs_ = nullptr;
  HFONT tab_font_ = nullptr;
  bool topmost_ = false;
  // The pictures the pages show, decoded only while the window shows.
  StretchedPicture on_top_;
  StretchedPicture hint_;
  StretchedPicture deco_;
  void DrawPicture(const DRAWITEMSTRUCT& item);
  void DpiChanged(int dpi) override;
  void MakeTabFont();
};

}  // namespace tavu::win
