#include "windows/notice/pop_hint_view.hpp"

#include "ui/control_ids.hpp"
#include "ui/text.hpp"

namespace tavu::win {

namespace {
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

void ReplaceBrush(HBRUSH& brush, Color color) {
  if (brush) DeleteObject(brush);
  brush = CreateSolidBrush(color);
}
}  // namespace

PopHintView::PopHintView(std::function<void()> on_closed) : on_closed_(std::move(on_closed)) {
  const PopHintState initial;
  Create(L"TfrmPopHint", kStyle, kExStyle, Wide(initial.caption), GetDesktopWindow());
  font_ = MakeFont(Wide(initial.font.face), initial.font.height_px, initial.font.bold);
  RECT r{0, 0, initial.client.w, initial.client.h};
  AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
  const int w = r.right - r.left, h = r.bottom - r.top;
  SetWindowPos(hwnd(), HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, SWP_NOACTIVATE);
  label_ =
      CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0,
                      hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kPopHintLabel)),
                      GetModuleHandleW(nullptr), nullptr);
  SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

PopHintView::~PopHintView() {
  DeleteObject(font_);
  if (form_brush_) DeleteObject(form_brush_);
  if (label_brush_) DeleteObject(label_brush_);
}

void PopHintView::Show() {
  Sync();
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

Size PopHintView::MeasureText(const HintFont& font, const std::string& text) {
  HDC dc = GetDC(hwnd());
  HFONT f = MakeFont(Wide(font.face), font.height_px, font.bold);
  HGDIOBJ old = SelectObject(dc, f);
  const std::wstring w = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
  SelectObject(dc, old);
  DeleteObject(f);
  ReleaseDC(hwnd(), dc);
  return {size.cx, size.cy};
}

int PopHintView::WindowWidth() {
  RECT r;
  GetWindowRect(hwnd(), &r);
  return r.right - r.left;
}

void PopHintView::Close() {
  ShowWindow(hwnd(), SW_HIDE);
  presenter_ = nullptr;
  if (on_closed_) on_closed_();
}

void PopHintView::Sync() {
  if (!presenter_) return;
  const PopHintState& s = presenter_->State();
  SetTextIfChanged(label_, Wide(s.text));
  MoveWindow(label_, s.label.left, s.label.top, s.label.Width(), s.label.Height(), TRUE);
  if (s.form_color != form_color_ || s.label_color != label_color_) {
    form_color_ = s.form_color;
    label_color_ = s.label_color;
    ReplaceBrush(form_brush_, form_color_);
    ReplaceBrush(label_brush_, label_color_);
    InvalidateRect(hwnd(), nullptr, TRUE);
  }
}

LRESULT PopHintView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      if (!form_brush_) break;
      RECT r;
      GetClientRect(hwnd(), &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, form_brush_);
      return 1;
    }
    case WM_CTLCOLORSTATIC: {
      if (!label_brush_ || !presenter_) break;
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, presenter_->State().font.color);
      SetBkColor(dc, label_color_);
      return reinterpret_cast<LRESULT>(label_brush_);
    }
    case WM_CLOSE:
      return 0;  // closes itself on its timer
    case WM_QUERYENDSESSION:
      return TRUE;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace tavu::win
