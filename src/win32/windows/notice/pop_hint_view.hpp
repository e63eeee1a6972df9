#pragma once
#include <functional>

#include "ui/control_mirror.hpp"
#include "ui/view.hpp"
#include "windows/notice/pop_hint.hpp"

namespace tavu::win {

// "TfrmPopHint": a small top-most tool window with one centred label.
class PopHintView : public View, public PopHintHost {
 public:
  explicit PopHintView(std::function<void()> on_closed);
  void Attach(TfrmPopHint& presenter) { presenter_ = &presenter; }

  void Show() override;
  void Hide() override { ShowWindow(hwnd(), SW_HIDE); }
  void AnimateHide(int) override { Hide(); }
  Size MeasureText(const ui::Font& font, std::string_view text) override;
  int WindowWidth() override;
  void Close() override;
  void Sync() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  TfrmPopHint* presenter_ = nullptr;
  std::function<void()> on_closed_;
  ControlMirror mirror_;
};

}  // namespace tavu::win
