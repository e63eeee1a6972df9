#pragma once
#include "ui/control_mirror.hpp"
#include "ui/view.hpp"
#include "windows/about/about_form.hpp"

namespace tavu::win {

// The about/help window "TfrmAboutHelp": product text, the maker's pages as buttons, and a
// button that shows the welcome picture again.
class AboutView : public View, public FormHost {
 public:
  AboutView();
  void Attach(TfrmAboutHelp& presenter) {
    presenter_ = &presenter;
    Sync();
  }
  void Show() override;
  void Hide() override { ShowWindow(hwnd(), SW_HIDE); }
  void AnimateHide(int) override { Hide(); }
  void Sync() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnInput(int id);

  TfrmAboutHelp* presenter_ = nullptr;
  ControlMirror mirror_;
};

}  // namespace tavu::win
