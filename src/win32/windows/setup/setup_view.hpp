#pragma once
#include <vector>

#include "ui/view.hpp"
#include "windows/setup/setup_form.hpp"

namespace tavu::win {

// The settings window "TfrmSetup": a fixed-size window with one tab control.
class SetupView : public View, public FormHost {
 public:
  SetupView();
  ~SetupView() override;
  void Attach(TfrmSetup& presenter) { presenter_ = &presenter; }

  void Show() override;
  void Hide() override;
  void AnimateHide(int) override { Hide(); }
  void Sync() override;
  // Key preview: every key pressed in the window or its controls reaches it first.
  bool PreviewKey(const MSG& msg);

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  HWND Control(const wchar_t* cls, std::string_view text, DWORD style, int id, RECT r);
  void SyncModePage();

  TfrmSetup* presenter_ = nullptr;
  // Page "休息模式": its controls, and the subset that belongs to each mode's group.
  std::vector<HWND> mode_page_;
  std::vector<HWND> mode_groups_[4];
  HWND radios_[4] = {};
  HWND intensity_bar_ = nullptr;
  bool syncing_ = false;
  HWND tabs_ = nullptr;
  HFONT font_ = nullptr;
  HFONT tab_font_ = nullptr;
  bool topmost_ = false;
};

}  // namespace tavu::win
