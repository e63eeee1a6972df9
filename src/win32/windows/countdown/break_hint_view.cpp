#include "windows/countdown/break_hint_view.hpp"

#include <commctrl.h>

#include "ui/resources.hpp"
#include "ui/text.hpp"
#include "windows/countdown/break_hint_ids.hpp"

namespace tavu::win {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOPMOST;
constexpr UINT kMsgFree = WM_APP + 1;

SIZE Measure(HWND hwnd, HFONT font, std::string_view text) {
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, font);
  const std::wstring w = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return size;
}

void ReplaceBrush(HBRUSH& brush, COLORREF color) {
  if (brush) DeleteObject(brush);
  brush = CreateSolidBrush(color);
}

}  // namespace

// ---- detail pop-up ----

ShowDetailView::ShowDetailView() {
  Create(L"TfrmShowDetail", WS_POPUP | WS_BORDER, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"",
         GetDesktopWindow());
}

ShowDetailView::~ShowDetailView() {
  if (font_) DeleteObject(font_);
}

Size ShowDetailView::MeasureText(const HintFont& font, std::string_view text) {
  HFONT f = MakeFont(Wide(font.face), font.height_px, font.bold);
  const SIZE s = Measure(hwnd(), f, text);
  DeleteObject(f);
  return {s.cx, s.cy};
}

void ShowDetailView::Show(const ShowDetailState& state) {
  state_ = state;
  if (font_) DeleteObject(font_);
  font_ = MakeFont(Wide(state.font.face), state.font.height_px, state.font.bold);
  SetWindowTextW(hwnd(), Wide(state.text).c_str());
  SetWindowPos(hwnd(), HWND_TOPMOST, state.bounds.left, state.bounds.top, state.bounds.Width(),
               state.bounds.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void ShowDetailView::Free() {
  freed_ = true;
  ShowWindow(hwnd(), SW_HIDE);
}

LRESULT ShowDetailView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    RECT r;
    GetClientRect(hwnd(), &r);
    const Color c = IsSystemColor(state_.color) ? GetSysColor(state_.color & 0xFF) : state_.color;
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
    HGDIOBJ old = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, state_.font.color);
    const std::wstring text = Wide(state_.text);
    TextOutW(dc, state_.text_at.x, state_.text_at.y, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, old);
    EndPaint(hwnd(), &ps);
    return 0;
  }
  if (msg == WM_QUERYENDSESSION) return TRUE;
  return Default(msg, wp, lp);
}

// ---- countdown window ----

HWND BreakHintView::Child(const wchar_t* cls, DWORD style, int id) {
  return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, hwnd(),
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

BreakHintView::BreakHintView(std::function<void()> on_freed)
    : on_freed_(std::move(on_freed)), picture_(LoadResourceBytes(kResOnTopJpeg)) {
  Create(L"TfrmBreakHint", kStyle, kExStyle, L"", GetDesktopWindow());
  time_remain_ = Child(L"STATIC", SS_LEFT | SS_NOPREFIX, ids::kHintTimeRemain);
  label2_ = Child(L"STATIC", SS_LEFT | SS_NOPREFIX, ids::kHintLabel2);
  mins_ = Child(L"EDIT", ES_READONLY | ES_CENTER | WS_BORDER, ids::kHintMins);
  updown_ = Child(UPDOWN_CLASSW, UDS_ARROWKEYS, ids::kHintUpDown);
  label3_ = Child(L"STATIC", SS_LEFT | SS_NOPREFIX, ids::kHintLabel3);
  status_ = Child(L"STATIC", SS_LEFT | SS_NOPREFIX, ids::kHintStatus);
  details_btn_ = Child(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, ids::kHintDetails);
  toggle_ = Child(L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, ids::kHintToggleDesktop);
  apply_ = Child(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, ids::kHintApplyMins);
  break_ = Child(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, ids::kHintBreak);
  m_ = Child(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, ids::kHintM);
}

BreakHintView::~BreakHintView() {
  details_.clear();
  for (auto& [key, font] : fonts_) DeleteObject(font);
  if (background_) DeleteObject(background_);
  if (status_brush_) DeleteObject(status_brush_);
}

HFONT BreakHintView::Font(const HintFont& f) {
  auto key = std::make_tuple(f.face, f.height_px, f.bold);
  auto it = fonts_.find(key);
  if (it == fonts_.end())
    it = fonts_.emplace(key, MakeFont(Wide(f.face), f.height_px, f.bold)).first;
  return it->second;
}

Color BreakHintView::Resolve(Color c) const {
  return IsSystemColor(c) ? GetSysColor(static_cast<int>(c & 0xFF)) : c;
}

void BreakHintView::Show() {
  Sync();
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void BreakHintView::Minimize() {
  ShowWindow(hwnd(), SW_MINIMIZE);
  picture_.Release();
}

void BreakHintView::Restore() {
  if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
}

void BreakHintView::Free() {
  if (freed_) return;
  freed_ = true;
  ShowWindow(hwnd(), SW_HIDE);
  picture_.Release();
  for (auto& d : details_) d->Free();
  PostMessageW(hwnd(), kMsgFree, 0, 0);
}

ShowDetailHost& BreakHintView::NewDetailView() {
  std::erase_if(details_, [](const auto& d) { return d->freed(); });
  details_.push_back(std::make_unique<ShowDetailView>());
  return *details_.back();
}

void BreakHintView::PlaceLabel(HWND label, const HintLabel& l) {
  HFONT font = Font(l.font);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetTextIfChanged(label, Wide(l.text));
  const SIZE s = Measure(hwnd(), font, l.text);
  const int b = presenter_->State().border_width;
  MoveWindow(label, l.pos.x + b, l.pos.y + b, s.cx, s.cy, TRUE);
}

void BreakHintView::Sync() {
  if (!presenter_ || freed_) return;
  const BreakHintState& s = presenter_->State();
  const int b = s.border_width;
  SetTextIfChanged(hwnd(), Wide(s.caption));
  RECT r;
  GetWindowRect(hwnd(), &r);
  if (r.left != s.bounds.left || r.top != s.bounds.top || r.right != s.bounds.right ||
      r.bottom != s.bounds.bottom) {
    applying_bounds_ = true;
    SetWindowPos(hwnd(), nullptr, s.bounds.left, s.bounds.top, s.bounds.Width(), s.bounds.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    applying_bounds_ = false;
  }
  if (Resolve(s.color) != background_color_) {
    background_color_ = Resolve(s.color);
    ReplaceBrush(background_, background_color_);
    InvalidateRect(hwnd(), nullptr, TRUE);
  }
  if (!status_brush_ && s.lblStatus.back) ReplaceBrush(status_brush_, *s.lblStatus.back);

  auto place = [&](HWND h, const Rect& rc) {
    MoveWindow(h, rc.left + b, rc.top + b, rc.Width(), rc.Height(), TRUE);
  };
  PlaceLabel(time_remain_, s.lblTimeRemain);
  PlaceLabel(label2_, s.Label2);
  PlaceLabel(label3_, s.Label3);
  PlaceLabel(status_, s.lblStatus);

  SendMessageW(mins_, WM_SETFONT, reinterpret_cast<WPARAM>(Font(s.edtMins.font)), FALSE);
  SetTextIfChanged(mins_, Wide(s.edtMins.text));
  place(mins_, s.edtMins.rect);
  place(updown_, s.UpDown1.rect);
  SendMessageW(updown_, UDM_SETRANGE32, s.UpDown1.min, s.UpDown1.max);
  SendMessageW(updown_, UDM_SETPOS32, 0, s.UpDown1.position);
  EnableWindow(updown_, s.UpDown1.enabled);

  HFONT window_font = Font(s.font);
  auto button = [&](HWND h, const HintButton& btn) {
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(window_font), FALSE);
    SetTextIfChanged(h, Wide(btn.text));
    place(h, btn.rect);
    EnableWindow(h, btn.enabled);
  };
  button(details_btn_, s.btnDetails);
  button(apply_, s.btnApplyMins);
  button(break_, s.btnBreak);
  button(m_, s.btnM);

  SendMessageW(toggle_, WM_SETFONT, reinterpret_cast<WPARAM>(window_font), FALSE);
  SetTextIfChanged(toggle_, Wide(s.cbxToggleDesktop.text));
  const SIZE ts = Measure(hwnd(), window_font, s.cbxToggleDesktop.text);
  MoveWindow(toggle_, s.cbxToggleDesktop.pos.x + b, s.cbxToggleDesktop.pos.y + b, ts.cx + 22,
             std::max<LONG>(ts.cy, 17), TRUE);
  SendMessageW(toggle_, BM_SETCHECK, s.cbxToggleDesktop.checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void BreakHintView::PaintPicture(HDC dc) {
  if (!presenter_) return;
  const BreakHintState& s = presenter_->State();
  const int b = s.border_width;
  // The two bevels: a frame around the content and the line between picture and controls.
  RECT frame{s.Bevel1.left + b, s.Bevel1.top + b, s.Bevel1.right + b, s.Bevel1.bottom + b};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  RECT line{s.Bevel2.left + b, s.Bevel2.top + b, s.Bevel2.left + b + 2, s.Bevel2.bottom + b};
  DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
  picture_.Draw(dc, s.Image1.left + b, s.Image1.top + b, s.Image1.Width(), s.Image1.Height());
}

LRESULT BreakHintView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kMsgFree) {
    if (on_freed_) on_freed_();
    return 0;
  }
  if (!presenter_ || freed_) {
    if (msg == WM_CLOSE) return 0;
    return Default(msg, wp, lp);
  }
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd(), &r);
      FillRect(reinterpret_cast<HDC>(wp), &r,
               background_ ? background_ : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      PaintPicture(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wp);
      HWND child = reinterpret_cast<HWND>(lp);
      const BreakHintState& s = presenter_->State();
      const HintLabel* label = child == time_remain_ ? &s.lblTimeRemain
                               : child == label2_    ? &s.Label2
                               : child == label3_    ? &s.Label3
                               : child == status_    ? &s.lblStatus
                                                     : nullptr;
      SetTextColor(dc, label ? label->font.color : s.font.color);
      if (label && label->back) {
        SetBkColor(dc, *label->back);
        return reinterpret_cast<LRESULT>(status_brush_);
      }
      if (child == mins_) {
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
      }
      SetBkColor(dc, background_color_);
      return reinterpret_cast<LRESULT>(background_);
    }
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      if (HIWORD(wp) != BN_CLICKED) break;
      if (id == ids::kHintDetails) presenter_->btnDetailsClick();
      if (id == ids::kHintApplyMins) presenter_->btnApplyMinsClick();
      if (id == ids::kHintBreak) presenter_->btnBreakClick(true);
      if (id == ids::kHintM) presenter_->btnMClick();
      if (id == ids::kHintToggleDesktop)
        presenter_->cbxToggleDesktopClick(SendMessageW(toggle_, BM_GETCHECK, 0, 0) == BST_CHECKED);
      SyncAll();
      return 0;
    }
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
      if (hdr->hwndFrom == updown_ && hdr->code == UDN_DELTAPOS) {
        presenter_->UpDown1Click(reinterpret_cast<const NMUPDOWN*>(lp)->iDelta > 0);
        SyncAll();
        return 1;  // the presenter owns the position
      }
      break;
    }
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
      if (!applying_bounds_ && !presenter_->FormCanResize()) pos->flags |= SWP_NOSIZE;
      break;
    }
    case WM_CLOSE:
      presenter_->Close();
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
