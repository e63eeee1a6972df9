#pragma once
#include <functional>

#include "ui/view.hpp"
#include "windows/notice/pop_hint.hpp"

namespace tavu::win {

// "TfrmPopHint": a small top-most tool window with one centred label.
class PopHintView : public View, public PopHintHost {
 public:
  explicit PopHintView(std::function<void()> on_closed);
  ~PopHintView() override;
  void Attach(TfrmPopHint& presenter) { presenter_ = &presenter; }

  void Show() override;
  void Hide() override { ShowWindow(hwnd(), SW_HIDE); }
  void AnimateHide(int) override { Hide(); }
  Size MeasureText(const HintFont& font, const std::string& text) override;
  int WindowWidth() override;
  void Close() override;
  void Sync() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  TfrmPopHint* presenter_ = nullptr;
  std::function<void()> on_closed_;
  HWND label_ = nullptr;
  HFONT font_ = nullptr;
  HBRUSH form_brush_ = nullptr;
  HBRUSH label_brush_ = nullptr;
  Color form_color_ = 0xFFFFFFFF;
  Color label_color_ = 0xFFFFFFFF;
};

}  // namespace tavu::win
