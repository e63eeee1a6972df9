#include "windows/break_screen/break_screen_view.hpp"

#include <commctrl.h>

#include <algorithm>

#include "ui/control_ids.hpp"
#include "ui/resources.hpp"
#include "ui/text.hpp"

namespace tavu::win {

namespace {

constexpr UINT kMsgFree = WM_APP + 1;
constexpr UINT_PTR kEditSubclass = 1;
// The dropped list of the remind-again choice: room for its seven items.
constexpr int kComboListHeight = 160;
// The input lock lets input through again this long after the break should have ended.
constexpr ULONGLONG kLockGraceMs = 60'000;
// Window properties that let a test see the input lock, which Wine cannot show otherwise.
constexpr wchar_t kPropInputBlocked[] = L"TavuInputBlocked";
constexpr wchar_t kPropCursorHidden[] = L"TavuCursorHidden";

bool SameFace(const FontSpec& a, const FontSpec& b) {
  return a.name == b.name && a.size_pt == b.size_pt && a.bold == b.bold && a.italic == b.italic &&
         a.underline == b.underline && a.strike_out == b.strike_out && a.charset == b.charset;
}

HFONT MakeSpecFont(const FontSpec& font, int dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(font.size_pt, dpi, 72);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfStrikeOut = font.strike_out;
  lf.lfCharSet = static_cast<BYTE>(font.charset);
  lf.lfQuality = DEFAULT_QUALITY;
  Wide(font.name).copy(lf.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}

std::wstring WindowText(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  return text;
}

void DrawPicture(HDC dc, const RECT& r, const Image& picture) {
  if (picture.Empty()) {
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return;
  }
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = picture.width;
  bi.bmiHeader.biHeight = -picture.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, picture.width,
                picture.height, picture.pixels.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

// ---- InputLock ---------------------------------------------------------------------------------

ULONGLONG InputLock::release_at_ = 0;

void InputLock::Set(bool block_input, bool hide_cursor, ULONGLONG fail_safe_ms) {
  if (block_input && !blocking()) {
    release_at_ = GetTickCount64() + fail_safe_ms;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    keyboard_hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, Swallow, instance, 0);
    mouse_hook_ = SetWindowsHookExW(WH_MOUSE_LL, Swallow, instance, 0);
  } else if (!block_input) {
    if (keyboard_hook_) UnhookWindowsHookEx(keyboard_hook_);
    if (mouse_hook_) UnhookWindowsHookEx(mouse_hook_);
    keyboard_hook_ = mouse_hook_ = nullptr;
  }
  cursor_hidden_ = hide_cursor;
}

LRESULT CALLBACK InputLock::Swallow(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && GetTickCount64() < release_at_) return 1;
  return CallNextHookEx(nullptr, code, wp, lp);
}

// ---- BreakScreenView ---------------------------------------------------------------------------

BreakScreenView::BreakScreenView(std::function<void()> on_freed,
                                 std::function<void()> shut_down_dialog)
    : on_freed_(std::move(on_freed)), shut_down_dialog_(std::move(shut_down_dialog)) {
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (auto image = DecodeJpeg(LoadResourceBytes(kResPowerJpeg))) power_picture_ = std::move(*image);
  if (auto image = DecodeJpeg(LoadResourceBytes(kResExitJpeg))) exit_picture_ = std::move(*image);

  // Layered from the start: nothing shows until Show() has set the opacity.
  Create(L"TTWForm", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW,
         L"", GetDesktopWindow(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  control_font_ = MakeFont(L"宋体", 12, false);

  progress_.hwnd = MakeChild(PROGRESS_CLASSW, PBS_SMOOTH, ids::kBreakProgress);
  remain_.hwnd = MakeChild(L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, ids::kBreakRemainSec);
  mode_.hwnd = MakeChild(L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, ids::kBreakCurrentMode);
  slogan_.hwnd = MakeChild(L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, ids::kBreakSlogan);
  shut_down_icon_.hwnd = MakeChild(L"STATIC", SS_OWNERDRAW | SS_NOTIFY, ids::kBreakShutDownIcon);
  exit_icon_.hwnd = MakeChild(L"STATIC", SS_OWNERDRAW | SS_NOTIFY, ids::kBreakUrgentExitIcon);
  combo_.hwnd =
      MakeChild(WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, ids::kBreakRemindAgainAt);
  edit_.hwnd = MakeChild(WC_EDITW, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, ids::kBreakExitPsw);
  SendMessageW(combo_.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(control_font_), FALSE);
  SendMessageW(edit_.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(control_font_), FALSE);
  SetWindowSubclass(edit_.hwnd, EditProc, kEditSubclass, reinterpret_cast<DWORD_PTR>(this));

  // Asks for the design height of the closed drop-down field (Windows honours it; Wine sizes the
  // field by its font, and SyncChild keeps its bottom edge in place instead).
  const Size combo = BreakScreenState::kComboSize;
  SetWindowPos(combo_.hwnd, nullptr, 0, 0, combo.w, combo.h + kComboListHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r;
  GetWindowRect(combo_.hwnd, &r);
  const LRESULT field = SendMessageW(combo_.hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  const LONG difference = combo.h - (r.bottom - r.top);
  if (field > 0 && difference != 0 && field + difference > 0)
    SendMessageW(combo_.hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + difference);
}

BreakScreenView::~BreakScreenView() {
  presenter_ = nullptr;
  ReleaseLock();
  if (hwnd()) DestroyWindow(hwnd());
  for (Label* label : {&remain_, &mode_, &slogan_}) {
    if (label->font_handle) DeleteObject(label->font_handle);
    if (label->brush) DeleteObject(label->brush);
  }
  if (control_font_) DeleteObject(control_font_);
  if (measure_font_) DeleteObject(measure_font_);
}

HWND BreakScreenView::MakeChild(const wchar_t* cls, DWORD style, int id) {
  return CreateWindowExW(0, cls, L"", WS_CHILD | style, 0, 0, 0, 0, hwnd(),
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

// ---- Host --------------------------------------------------------------------------------------

void BreakScreenView::Show() {
  Sync();  // opacity first, then bounds and controls
  const bool was_hidden = !IsWindowVisible(hwnd());
  // Every return draws a fresh pattern; what was written on the canvas goes with the old one.
  if (was_hidden) canvas_stale_ = true;
  SetWindowPos(hwnd(), HWND_TOPMOST, bounds_.left, bounds_.top, bounds_.Width(), bounds_.Height(),
               SWP_SHOWWINDOW);
  SetForegroundWindow(hwnd());
  BringWindowToTop(hwnd());
  SetFocus(hwnd());
  if (was_hidden) InvalidateRect(hwnd(), nullptr, FALSE);
}

void BreakScreenView::Hide() {
  pressed_ = false;
  if (GetCapture() == hwnd()) ReleaseCapture();
  ShowWindow(hwnd(), SW_HIDE);
}

void BreakScreenView::Repaint() {
  canvas_stale_ = true;
  FreshCanvas();
}

Canvas& BreakScreenView::WindowCanvas() {
  // Whatever the presenter draws must land on the current pattern, never under a later one.
  FreshCanvas();
  return canvas_;
}

void BreakScreenView::Free() { PostMessageW(hwnd(), kMsgFree, 0, 0); }

void BreakScreenView::ShowShutDownDialog() {
  if (shut_down_dialog_) shut_down_dialog_();
}

void BreakScreenView::SetInputLock(bool block_input, bool hide_cursor) {
  const bool was_hidden = lock_.cursor_hidden();
  ULONGLONG fail_safe = kLockGraceMs;
  if (presenter_)
    fail_safe +=
        static_cast<ULONGLONG>(std::max(presenter_->State().ProgressBar1.position, 0)) * 1000;
  lock_.Set(block_input, hide_cursor, fail_safe);
  if (hwnd()) {
    if (lock_.blocking())
      SetPropW(hwnd(), kPropInputBlocked, reinterpret_cast<HANDLE>(1));
    else
      RemovePropW(hwnd(), kPropInputBlocked);
    if (lock_.cursor_hidden())
      SetPropW(hwnd(), kPropCursorHidden, reinterpret_cast<HANDLE>(1));
    else
      RemovePropW(hwnd(), kPropCursorHidden);
  }
  if (was_hidden != lock_.cursor_hidden()) UpdateCursor();
}

Size BreakScreenView::MeasureText(const FontSpec& font, std::string_view text) {
  if (!measure_font_ || !SameFace(measure_spec_, font)) {
    if (measure_font_) DeleteObject(measure_font_);
    measure_font_ = MakeSpecFont(font, dpi_);
    measure_spec_ = font;
  }
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, measure_font_);
  const std::wstring w = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
  if (w.empty()) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    size.cy = tm.tmHeight;
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {size.cx, size.cy};
}

// ---- Mirroring the state -----------------------------------------------------------------------

void BreakScreenView::Sync() {
  if (!presenter_ || !hwnd()) return;
  syncing_ = true;
  const BreakScreenState& s = presenter_->State();

  // Opacity before anything else can show.
  if (s.alpha != alpha_) {
    alpha_ = s.alpha;
    SetLayeredWindowAttributes(hwnd(), 0, s.alpha, LWA_ALPHA);
  }
  if (s.bounds != bounds_) {
    bounds_ = s.bounds;
    SetWindowPos(hwnd(), nullptr, s.bounds.left, s.bounds.top, s.bounds.Width(), s.bounds.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (s.color != color_) {
    if (color_ != kNoColor) canvas_stale_ = true;  // the pattern is drawn over the colour
    color_ = s.color;
    InvalidateRect(hwnd(), nullptr, FALSE);
  }

  const ProgressBarState& bar = s.ProgressBar1;
  if (bar.min != progress_min_ || bar.max != progress_max_) {
    progress_min_ = bar.min;
    progress_max_ = bar.max;
    SendMessageW(progress_.hwnd, PBM_SETRANGE32, static_cast<WPARAM>(bar.min),
                 static_cast<LPARAM>(bar.max));
    progress_pos_ = -1;
  }
  if (bar.position != progress_pos_) {
    progress_pos_ = bar.position;
    SendMessageW(progress_.hwnd, PBM_SETPOS, static_cast<WPARAM>(bar.position), 0);
  }
  SyncChild(progress_, bar);

  SyncLabel(remain_, s.lblBreakRemainSec);
  SyncLabel(mode_, s.lblCurrentMode);
  SyncLabel(slogan_, s.lblSlogan);
  SyncChild(shut_down_icon_, s.imgShutDownIcon);
  SyncChild(exit_icon_, s.imgUrgentExitIcon);

  const ComboBoxState& combo = s.cbbRemindAgainAt;
  if (combo.items != combo_items_) {
    combo_items_ = combo.items;
    SendMessageW(combo_.hwnd, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : combo.items)
      SendMessageW(combo_.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
  }
  if (SendMessageW(combo_.hwnd, CB_GETCURSEL, 0, 0) != combo.item_index)
    SendMessageW(combo_.hwnd, CB_SETCURSEL, static_cast<WPARAM>(combo.item_index), 0);
  SyncChild(combo_, combo, kComboListHeight);

  SetTextIfChanged(edit_.hwnd, Wide(s.edtExitPsw.text));
  SyncChild(edit_, s.edtExitPsw);

  // What the presenter drew on the canvas shows now.
  if (canvas_.generation() != shown_generation_) {
    shown_generation_ = canvas_.generation();
    InvalidateRect(hwnd(), nullptr, FALSE);
    InvalidateRect(slogan_.hwnd, nullptr, TRUE);
  }
  // Keys keep reaching the window when the control that had them is hidden.
  HWND focus = GetFocus();
  if (focus && focus != hwnd() && IsChild(hwnd(), focus) && !IsWindowVisible(focus) &&
      IsWindowVisible(hwnd()))
    SetFocus(hwnd());
  syncing_ = false;
}

void BreakScreenView::SyncChild(Child& child, const ControlState& state, int list_height) {
  if (state.bounds != child.bounds) {
    const Rect& b = state.bounds;
    child.bounds = b;
    MoveWindow(child.hwnd, b.left, b.top, b.Width(), b.Height() + list_height, TRUE);
    if (list_height > 0) {
      // A drop-down field can come out taller than designed (Wine sizes it by its font); its
      // bottom edge stays where the layout puts it.
      RECT r;
      GetWindowRect(child.hwnd, &r);
      const int field = r.bottom - r.top;
      if (field != b.Height() && field > 0)
        MoveWindow(child.hwnd, b.left, b.bottom - field, b.Width(), field + list_height, TRUE);
    }
  }
  if (state.enabled != child.enabled) {
    child.enabled = state.enabled;
    EnableWindow(child.hwnd, state.enabled);
  }
  if (state.visible != child.visible) {
    child.visible = state.visible;
    ShowWindow(child.hwnd, state.visible ? SW_SHOWNA : SW_HIDE);
  }
}

void BreakScreenView::SyncLabel(Label& label, const LabelState& state) {
  if (!label.font_handle || !SameFace(label.font, state.font)) {
    HFONT font = MakeSpecFont(state.font, dpi_);
    SendMessageW(label.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (label.font_handle) DeleteObject(label.font_handle);
    label.font_handle = font;
  } else if (label.font.color != state.font.color) {
    InvalidateRect(label.hwnd, nullptr, TRUE);
  }
  label.font = state.font;
  if (state.background != label.background) {
    label.background = state.background;
    if (label.brush) DeleteObject(label.brush);
    label.brush = state.background ? CreateSolidBrush(ToColorRef(*state.background)) : nullptr;
    InvalidateRect(label.hwnd, nullptr, TRUE);
  }
  SetTextIfChanged(label.hwnd, Wide(state.text));
  SyncChild(label, state);
}

// ---- Painting ----------------------------------------------------------------------------------

bool BreakScreenView::FreshCanvas() {
  if (!presenter_) return false;
  const Rect& b = presenter_->State().bounds;
  const Size size{b.Width(), b.Height()};
  if (canvas_.size() != size) {
    if (!canvas_.Resize(size)) return false;
    canvas_stale_ = true;
  }
  if (!canvas_stale_) return false;
  canvas_stale_ = false;
  presenter_->FormPaint(canvas_);
  // The whole window and the transparent label over it show the new pattern.
  shown_generation_ = canvas_.generation();
  InvalidateRect(hwnd(), nullptr, FALSE);
  InvalidateRect(slogan_.hwnd, nullptr, TRUE);
  return true;
}

void BreakScreenView::Paint() {
  // Before BeginPaint, so that a fresh pattern widens this paint instead of causing another.
  const bool painted = FreshCanvas();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  if (canvas_.size().w > 0)
    canvas_.BlitTo(dc, ps.rcPaint);
  else
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EndPaint(hwnd(), &ps);
  if (painted) AfterEvent();
}

LRESULT BreakScreenView::LabelColors(HDC dc, HWND control) {
  Label* label = control == remain_.hwnd   ? &remain_
                 : control == mode_.hwnd   ? &mode_
                 : control == slogan_.hwnd ? &slogan_
                                           : nullptr;
  if (!label) return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
  SetTextColor(dc, ToColorRef(label->font.color));
  if (label->background && label->brush) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ToColorRef(*label->background));
    return reinterpret_cast<LRESULT>(label->brush);
  }
  // Transparent over the pattern: the label's background is the canvas beneath it.
  SetBkMode(dc, TRANSPARENT);
  FreshCanvas();
  if (canvas_.size().w > 0) {
    RECT r;
    GetClientRect(control, &r);
    BitBlt(dc, 0, 0, r.right, r.bottom, canvas_.dc(), label->bounds.left, label->bounds.top,
           SRCCOPY);
  }
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void BreakScreenView::DrawIcon(const DRAWITEMSTRUCT& item) {
  const Image& picture =
      item.CtlID == static_cast<UINT>(ids::kBreakShutDownIcon) ? power_picture_ : exit_picture_;
  DrawPicture(item.hDC, item.rcItem, picture);
}

void BreakScreenView::UpdateCursor() {
  POINT pt;
  if (!GetCursorPos(&pt)) return;
  HWND under = WindowFromPoint(pt);
  if (under != hwnd() && !IsChild(hwnd(), under)) return;
  SetCursor(lock_.cursor_hidden() ? nullptr : LoadCursorW(nullptr, IDC_ARROW));
}

void BreakScreenView::ReleaseLock() {
  const bool was_hidden = lock_.cursor_hidden();
  lock_.Release();
  if (hwnd()) {
    RemovePropW(hwnd(), kPropInputBlocked);
    RemovePropW(hwnd(), kPropCursorHidden);
    if (was_hidden) UpdateCursor();
  }
}

// ---- Input -------------------------------------------------------------------------------------

bool BreakScreenView::PreviewKey(const MSG& msg) {
  if (!presenter_ || !hwnd()) return false;
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd)) return false;
  presenter_->FormKeyDown(static_cast<int>(msg.wParam));
  const bool closed = presenter_->State().phase == BreakPhase::Closed;
  AfterEvent();
  return closed;
}

void BreakScreenView::OnCommand(int id, int code) {
  if (!presenter_) return;
  switch (id) {
    case ids::kBreakShutDownIcon:
      if (code != STN_CLICKED && code != STN_DBLCLK) return;
      presenter_->imgShutDownIconClick();
      break;
    case ids::kBreakUrgentExitIcon:
      if (code != STN_CLICKED && code != STN_DBLCLK) return;
      presenter_->imgUrgentExitIconClick();
      break;
    case ids::kBreakRemindAgainAt:
      if (code != CBN_SELCHANGE) return;
      presenter_->cbbRemindAgainAtSelect(
          static_cast<int>(SendMessageW(combo_.hwnd, CB_GETCURSEL, 0, 0)));
      break;
    case ids::kBreakExitPsw:
      if (code != EN_CHANGE || syncing_) return;
      presenter_->edtExitPswChange(Utf8(WindowText(edit_.hwnd)));
      break;
    default:
      return;
  }
  AfterEvent();
}

LRESULT CALLBACK BreakScreenView::EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                           DWORD_PTR ref) {
  if (msg == WM_LBUTTONDOWN) {
    auto* self = reinterpret_cast<BreakScreenView*>(ref);
    if (self->presenter_) {
      self->presenter_->edtExitPswClick();
      self->AfterEvent();
    }
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, EditProc, kEditSubclass);
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT BreakScreenView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kMsgFree: {
      Hide();
      ReleaseLock();
      presenter_ = nullptr;
      // The owner may destroy this view from here on (it does so later, from its own timer).
      if (on_freed_) on_freed_();
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CTLCOLORSTATIC:
      return LabelColors(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_DRAWITEM:
      DrawIcon(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      SetCapture(hwnd());
      return 0;
    case WM_LBUTTONUP: {
      const bool click = pressed_;
      pressed_ = false;
      if (GetCapture() == hwnd()) ReleaseCapture();
      if (click && presenter_) {
        presenter_->FormClick();
        AfterEvent();
      }
      return 0;
    }
    case WM_SETCURSOR:
      if (lock_.cursor_hidden()) {
        SetCursor(nullptr);
        return TRUE;
      }
      break;
    case WM_CLOSE:
      if (presenter_) {
        presenter_->Close();  // refused until the break allows it
        AfterEvent();
      }
      return 0;
    case WM_QUERYENDSESSION:
      if (presenter_) {
        presenter_->WMQueryEndSession();
        AfterEvent();
      }
      ReleaseLock();
      return TRUE;  // a break never keeps Windows from ending the session
    case WM_ENDSESSION:
      if (wp) {
        if (presenter_) presenter_->Release();
        ReleaseLock();
      }
      return 0;
    case WM_DESTROY:
      if (presenter_) presenter_->Release();
      ReleaseLock();
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace tavu::win
