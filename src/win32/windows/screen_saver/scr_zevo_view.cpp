#include "windows/screen_saver/scr_zevo_view.hpp"

#include "ui/text.hpp"

namespace tavu::win {
namespace {

constexpr UINT kMsgFree = WM_APP + 1;

}  // namespace

ScrZevoView::ScrZevoView(std::function<void()> on_freed)
    : on_freed_(std::move(on_freed)),
      covers_(L"TfrmScrZEVOCover", 0, {}, [this](UINT msg, WPARAM, LPARAM) { TakeInput(msg); }) {
  Create(L"TfrmScrZEVO", WS_POPUP, WS_EX_TOPMOST, L"", GetDesktopWindow(),
         static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

ScrZevoView::~ScrZevoView() {
  if (label_font_) DeleteObject(label_font_);
  if (hwnd()) DestroyWindow(hwnd());
}

HFONT ScrZevoView::FontFor(const CanvasFont& font) {
  LOGFONTW lf{};
  HDC screen = GetDC(nullptr);
  lf.lfHeight = -MulDiv(font.size_pt, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = GB2312_CHARSET;
  Wide(font.face).copy(lf.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}

Size ScrZevoView::MeasureText(const CanvasFont& font, std::string_view text) {
  HDC dc = GetDC(hwnd());
  HFONT f = FontFor(font);
  HGDIOBJ old = SelectObject(dc, f);
  const std::wstring w = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
  SelectObject(dc, old);
  DeleteObject(f);
  ReleaseDC(hwnd(), dc);
  return {size.cx, size.cy};
}

void ScrZevoView::Show() {
  const Rect& b = presenter_->State().bounds;
  SetWindowPos(hwnd(), HWND_TOPMOST, b.left, b.top, b.Width(), b.Height(), SWP_SHOWWINDOW);
  covers_.Apply(presenter_->State().others, true);
  SetForegroundWindow(hwnd());
  SetFocus(hwnd());
}

void ScrZevoView::Repaint() {
  background_stale_ = true;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void ScrZevoView::Free() { PostMessageW(hwnd(), kMsgFree, 0, 0); }

RECT ScrZevoView::LabelRect() const {
  const ScrZevoState& s = presenter_->State();
  return {s.label_pos.x, s.label_pos.y, s.label_pos.x + s.label_size.w,
          s.label_pos.y + s.label_size.h};
}

void ScrZevoView::Sync() {
  if (!presenter_ || !IsWindowVisible(hwnd())) return;
  const RECT now = LabelRect();
  if (EqualRect(&now, &shown_label_) &&
      presenter_->State().label_font.color == shown_label_font_.color)
    return;
  InvalidateRect(hwnd(), &shown_label_, FALSE);
  InvalidateRect(hwnd(), &now, FALSE);
}

void ScrZevoView::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  if (presenter_) {
    const ScrZevoState& s = presenter_->State();
    if (background_stale_ || canvas_.size() != Size{s.bounds.Width(), s.bounds.Height()}) {
      canvas_.Resize({s.bounds.Width(), s.bounds.Height()});
      presenter_->FormPaint(canvas_);
      background_stale_ = false;
    }
    canvas_.BlitTo(dc, ps.rcPaint);
    if (!label_font_ || !(shown_label_font_.face == s.label_font.face &&
                          shown_label_font_.size_pt == s.label_font.size_pt)) {
      if (label_font_) DeleteObject(label_font_);
      label_font_ = FontFor(s.label_font);
    }
    shown_label_font_ = s.label_font;
    HGDIOBJ old = SelectObject(dc, label_font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(s.label_font.color));
    const std::wstring text = Wide(s.label_text);
    TextOutW(dc, s.label_pos.x, s.label_pos.y, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, old);
    shown_label_ = LabelRect();
  }
  EndPaint(hwnd(), &ps);
}

LRESULT ScrZevoView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kMsgFree) {
    ShowWindow(hwnd(), SW_HIDE);
    covers_.Clear();
    presenter_ = nullptr;
    canvas_.Resize({0, 0});  // the screen-sized surface goes with the window
    if (on_freed_) on_freed_();
    return 0;
  }
  if (!presenter_) return Default(msg, wp, lp);
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_DISPLAYCHANGE:
      presenter_->DisplayChanged();
      covers_.Apply(presenter_->State().others, IsWindowVisible(hwnd()) != FALSE);
      return Default(msg, wp, lp);
    default:
      if (!TakeInput(msg)) return Default(msg, wp, lp);
      break;
  }
  SyncAll();
  return 0;
}

bool ScrZevoView::TakeInput(UINT msg) {
  if (!presenter_) return false;
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      presenter_->FormKeyDown();
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      presenter_->FormMouseDown();
      return true;
    case WM_MOUSEMOVE: {
      POINT p;
      GetCursorPos(&p);
      presenter_->FormMouseMove({p.x, p.y});
      return true;
    }
    default:
      return false;
  }
}

}  // namespace tavu::win
