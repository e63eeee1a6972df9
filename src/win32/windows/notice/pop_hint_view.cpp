#include "windows/notice/pop_hint_view.hpp"

#include "ui/control_ids.hpp"

namespace tavu::win {

namespace {
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;
}  // namespace

PopHintView::PopHintView(std::function<void()> on_closed) : on_closed_(std::move(on_closed)) {
  Create(L"TfrmPopHint", kStyle, kExStyle, L"", GetDesktopWindow());
  mirror_.Attach(hwnd(), ControlMirror::Units::Design, nullptr);
  // Sized and placed now: the presenter lays its label out against the window's width.
  mirror_.ApplyForm(PopHintState{});
}

void PopHintView::Show() {
  Sync();
  ShowAt(hwnd());
}

Size PopHintView::MeasureText(const ui::Font& font, std::string_view text) {
  return mirror_.Measure(font, text);
}

int PopHintView::WindowWidth() {
  RECT r;
  GetWindowRect(hwnd(), &r);
  return MulDiv(r.right - r.left, 96, mirror_.dpi());
}

void PopHintView::Close() {
  ShowWindow(hwnd(), SW_HIDE);
  presenter_ = nullptr;
  if (on_closed_) on_closed_();
}

void PopHintView::Sync() {
  if (!presenter_) return;
  const PopHintState& s = presenter_->State();
  mirror_.ApplyForm(s);
  mirror_.Apply(ids::kPopHintLabel, s.lblInfo);
}

LRESULT PopHintView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (mirror_.Handle(msg, wp, lp, &result)) return result;
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd(), &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, mirror_.FormBrush());
      return 1;
    }
    case WM_CLOSE:
      // The close box and Alt+F4 close the notice at once.
      if (presenter_) presenter_->Close();
      SyncAll();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace tavu::win
