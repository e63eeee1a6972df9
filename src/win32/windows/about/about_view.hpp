#pragma once
#include "ui/view.hpp"
#include "windows/about/about_form.hpp"

namespace tavu::win {

// The about/help window "TfrmAboutHelp": product text, the maker's pages as buttons, and a
// button that shows the welcome picture again.
class AboutView : public View, public FormHost {
 public:
  AboutView();
  ~AboutView() override;
  void Attach(TfrmAboutHelp& presenter) { presenter_ = &presenter; }
  void Show() override;
  void Hide() override { ShowWindow(hwnd(), SW_HIDE); }
  void AnimateHide(int) override { Hide(); }

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  HWND Child(const wchar_t* cls, std::string_view text, DWORD style, int id, RECT r);

  TfrmAboutHelp* presenter_ = nullptr;
  HFONT font_ = nullptr;
  HFONT title_font_ = nullptr;
};

}  // namespace tavu::win
