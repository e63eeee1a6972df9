#pragma once
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "gfx/image.hpp"
#include "ui/view.hpp"
#include "windows/countdown/break_hint.hpp"

namespace tavu::win {

// "TfrmShowDetail": one line of text in a borderless top-most window under the countdown.
class ShowDetailView : public View, public ShowDetailHost {
 public:
  ShowDetailView();
  ~ShowDetailView() override;
  Size MeasureText(const HintFont& font, std::string_view text) override;
  void Show(const ShowDetailState& state) override;
  void Free() override;
  bool freed() const { return freed_; }

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  ShowDetailState state_;
  HFONT font_ = nullptr;
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
  void Sync() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  HWND Child(const wchar_t* cls, DWORD style, int id);
  HFONT Font(const HintFont& f);
  void PlaceLabel(HWND label, const HintLabel& l);
  void PaintPicture(HDC dc);
  Color Resolve(Color c) const;

  TfrmBreakHint* presenter_ = nullptr;
  std::function<void()> on_freed_;
  std::map<std::tuple<std::string, int, bool>, HFONT> fonts_;
  std::vector<std::unique_ptr<ShowDetailView>> details_;
  StretchedPicture picture_;
  HBRUSH background_ = nullptr;
  HBRUSH status_brush_ = nullptr;
  Color background_color_ = 0xFFFFFFFF;
  bool applying_bounds_ = false;
  bool freed_ = false;
  HWND time_remain_ = nullptr, label2_ = nullptr, mins_ = nullptr, updown_ = nullptr,
       label3_ = nullptr, status_ = nullptr, details_btn_ = nullptr, toggle_ = nullptr,
       apply_ = nullptr, break_ = nullptr, m_ = nullptr;
};

}  // namespace tavu::win
