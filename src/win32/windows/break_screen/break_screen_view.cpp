#include "windows/break_screen/break_screen_view.hpp"

#include <commctrl.h>

#include <algorithm>

#include "ui/control_ids.hpp"
#include "ui/resources.hpp"
#include "ui/text.hpp"

namespace tavu::win {

namespace {

constexpr UINT kMsgFree = WM_APP + 1;
// The input lock lets input through again this long after the break should have ended.
constexpr ULONGLONG kLockGraceMs = 60'000;
// Window properties that let a test see the input lock, which Wine cannot show otherwise.
constexpr wchar_t kPropInputBlocked[] = L"TavuInputBlocked";
constexpr wchar_t kPropCursorHidden[] = L"TavuCursorHidden";

// The left button pressed and then released on `hwnd`, captured in between, is a click: both
// the screen and its covers take one only after the whole press, as a button does. Returns
// whether the release of `msg` ended a click.
bool ClickEnded(HWND hwnd, UINT msg, bool& pressed) {
  if (msg == WM_LBUTTONDOWN) {
    pressed = true;
    SetCapture(hwnd);
    return false;
  }
  const bool click = pressed;
  pressed = false;
  if (GetCapture() == hwnd) ReleaseCapture();
  return click;
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

// ---- BreakCoverView ----------------------------------------------------------------------------

BreakCoverView::BreakCoverView(BreakScreenView& screen, std::size_t index)
    : screen_(screen), index_(index) {
  Create(L"TTWFormCover", WS_POPUP | WS_CLIPCHILDREN,
         WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"", GetDesktopWindow(),
         static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

BreakCoverView::~BreakCoverView() {
  if (hwnd()) DestroyWindow(hwnd());
}

void BreakCoverView::Apply(const BreakCover& cover, const BreakScreenState& s) {
  if (s.alpha != alpha_) {
    alpha_ = s.alpha;
    SetLayeredWindowAttributes(hwnd(), 0, s.alpha, LWA_ALPHA);
  }
  if (cover.bounds != bounds_) {
    const bool first = bounds_ == Rect{};
    bounds_ = cover.bounds;
    SetWindowPos(hwnd(), HWND_TOPMOST, bounds_.left, bounds_.top, bounds_.Width(), bounds_.Height(),
                 SWP_NOACTIVATE);
    // Attached once it stands on its monitor, so that the mirror starts at that monitor's dpi.
    if (first) {
      mirror_.Attach(hwnd(), ControlMirror::Units::Device, [](int, const ui::Input&) {});
      canvas_.SetDpi(mirror_.dpi());
    }
    canvas_stale_ = true;
    InvalidateRect(hwnd(), nullptr, FALSE);
  }
  if (s.color != color_) {
    color_ = s.color;
    canvas_stale_ = true;
    InvalidateRect(hwnd(), nullptr, FALSE);
  }
  mirror_.Apply(ids::kBreakSlogan, cover.lblSlogan);
  if (cover.lblSlogan.rect != slogan_) {
    slogan_ = cover.lblSlogan.rect;
    InvalidateRect(mirror_.Find(ids::kBreakSlogan), nullptr, TRUE);
  }
}

void BreakCoverView::DpiChanged(int dpi) {
  canvas_.SetDpi(dpi);
  canvas_stale_ = true;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

bool BreakCoverView::FreshCanvas() {
  TTWForm* presenter = screen_.presenter();
  if (!presenter || bounds_.Width() <= 0 || bounds_.Height() <= 0) return false;
  const Size size{bounds_.Width(), bounds_.Height()};
  if (canvas_.size() != size) {
    if (!canvas_.Resize(size)) return false;
    canvas_stale_ = true;
  }
  if (!canvas_stale_) return false;
  canvas_stale_ = false;
  presenter->CoverPaint(index_, canvas_);
  InvalidateRect(hwnd(), nullptr, FALSE);
  InvalidateRect(mirror_.Find(ids::kBreakSlogan), nullptr, TRUE);
  return true;
}

void BreakCoverView::Paint() {
  FreshCanvas();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  if (canvas_.size().w > 0)
    canvas_.BlitTo(dc, ps.rcPaint);
  else
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EndPaint(hwnd(), &ps);
}

LRESULT BreakCoverView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (msg == WM_CTLCOLORSTATIC && screen_.presenter()) {
    // The slogan shows the cover's background through it, as on the primary.
    const BreakScreenState& s = screen_.presenter()->State();
    if (index_ < s.covers.size()) {
      const ui::Label& label = s.covers[index_].lblSlogan;
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, ControlMirror::Resolve(label.font ? label.font->color : s.font.color));
      SetBkMode(dc, TRANSPARENT);
      FreshCanvas();
      if (canvas_.size().w > 0) {
        RECT r;
        GetClientRect(reinterpret_cast<HWND>(lp), &r);
        BitBlt(dc, 0, 0, r.right, r.bottom, canvas_.dc(), label.rect.left, label.rect.top, SRCCOPY);
      }
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
  }
  if (mirror_.Handle(msg, wp, lp, &result)) return result;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      if (ClickEnded(hwnd(), msg, pressed_)) screen_.CoverClicked();
      return 0;
    case WM_SETCURSOR:
      if (screen_.cursor_hidden()) {
        SetCursor(nullptr);
        return TRUE;
      }
      break;
    case WM_CLOSE:
      screen_.CoverCloseAsked();
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

// ---- BreakScreenView ---------------------------------------------------------------------------

BreakScreenView::BreakScreenView(std::function<void()> on_freed,
                                 std::function<void()> shut_down_dialog)
    : on_freed_(std::move(on_freed)), shut_down_dialog_(std::move(shut_down_dialog)) {
  if (auto image = DecodeJpeg(LoadResourceBytes(kResPowerJpeg))) power_picture_ = std::move(*image);
  if (auto image = DecodeJpeg(LoadResourceBytes(kResExitJpeg))) exit_picture_ = std::move(*image);

  // Layered from the start: nothing shows until Show() has set the opacity.
  Create(L"TTWForm", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW,
         L"", GetDesktopWindow(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  // Laid out from the screen's own size.
  mirror_.Attach(hwnd(), ControlMirror::Units::Device,
                 [this](int id, const ui::Input& input) { OnInput(id, input); });
  canvas_.SetDpi(mirror_.dpi());
}

void BreakScreenView::DpiChanged(int dpi) {
  // The pattern keeps its pixels; its texts in points are written again at the new size.
  canvas_.SetDpi(dpi);
  canvas_stale_ = true;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

BreakScreenView::~BreakScreenView() {
  presenter_ = nullptr;
  ReleaseLock();
  covers_.clear();
  if (hwnd()) DestroyWindow(hwnd());
}

bool BreakScreenView::Owns(HWND window) const {
  if (!window) return false;
  if (window == hwnd() || IsChild(hwnd(), window)) return true;
  for (const auto& cover : covers_)
    if (window == cover->hwnd() || IsChild(cover->hwnd(), window)) return true;
  return false;
}

void BreakScreenView::CoverClicked() {
  if (!presenter_) return;
  presenter_->FormClick();
  AfterEvent();
}

void BreakScreenView::CoverCloseAsked() {
  if (!presenter_) return;
  presenter_->Close();  // refused until the break allows it
  AfterEvent();
}

void BreakScreenView::SyncCovers(const BreakScreenState& s) {
  while (covers_.size() > s.covers.size()) covers_.pop_back();
  while (covers_.size() < s.covers.size())
    covers_.push_back(std::make_unique<BreakCoverView>(*this, covers_.size()));
  // The covers show exactly while the screen does.
  const bool shown = s.visible && IsWindowVisible(hwnd());
  for (std::size_t i = 0; i < covers_.size(); ++i) {
    BreakCoverView& cover = *covers_[i];
    cover.Apply(s.covers[i], s);
    if (shown && !IsWindowVisible(cover.hwnd())) {
      ShowAt(cover.hwnd());
      InvalidateRect(cover.hwnd(), nullptr, FALSE);
    } else if (!shown && IsWindowVisible(cover.hwnd())) {
      ShowWindow(cover.hwnd(), SW_HIDE);
    }
  }
}

// ---- Host --------------------------------------------------------------------------------------

void BreakScreenView::Show() {
  Sync();  // opacity first, then bounds and controls
  const bool was_hidden = !IsWindowVisible(hwnd());
  // Every return draws a fresh pattern; what was written on the canvas goes with the old one.
  if (was_hidden) canvas_stale_ = true;
  ShowAt(hwnd(), 0);
  if (presenter_) SyncCovers(presenter_->State());
  SetForegroundWindow(hwnd());
  BringWindowToTop(hwnd());
  SetFocus(hwnd());
  if (was_hidden) InvalidateRect(hwnd(), nullptr, FALSE);
}

void BreakScreenView::Hide() {
  pressed_ = false;
  if (GetCapture() == hwnd()) ReleaseCapture();
  ShowWindow(hwnd(), SW_HIDE);
  for (const auto& cover : covers_) ShowWindow(cover->hwnd(), SW_HIDE);
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

Size BreakScreenView::MeasureText(const ui::Font& font, std::string_view text) {
  return mirror_.Measure(font, text);
}

Size BreakScreenView::MeasureTextAt(const ui::Font& font, std::string_view text, int dpi) {
  return mirror_.Measure(font, text, dpi);
}

// ---- Mirroring the state -----------------------------------------------------------------------

void BreakScreenView::Sync() {
  if (!presenter_ || !hwnd()) return;
  const BreakScreenState& s = presenter_->State();

  // Opacity before anything else can show.
  if (s.alpha != alpha_) {
    alpha_ = s.alpha;
    SetLayeredWindowAttributes(hwnd(), 0, s.alpha, LWA_ALPHA);
  }
  if (s.color != color_) {
    if (color_ != kNoColor) canvas_stale_ = true;  // the pattern is drawn over the colour
    color_ = s.color;
    InvalidateRect(hwnd(), nullptr, FALSE);
  }
  mirror_.ApplyForm(s);
  mirror_.Apply(ids::kBreakProgress, s.ProgressBar1);
  mirror_.Apply(ids::kBreakRemainSec, s.lblBreakRemainSec);
  mirror_.Apply(ids::kBreakCurrentMode, s.lblCurrentMode);
  mirror_.Apply(ids::kBreakSlogan, s.lblSlogan);
  mirror_.Apply(ids::kBreakShutDownIcon, s.imgShutDownIcon);
  mirror_.Apply(ids::kBreakUrgentExitIcon, s.imgUrgentExitIcon);
  mirror_.Apply(ids::kBreakRemindAgainAt, s.cbbRemindAgainAt);
  mirror_.Apply(ids::kBreakExitPsw, s.edtExitPsw);
  SyncCovers(s);

  // What the presenter drew on the canvas shows now.
  if (canvas_.generation() != shown_generation_) {
    shown_generation_ = canvas_.generation();
    InvalidateRect(hwnd(), nullptr, FALSE);
    InvalidateRect(mirror_.Find(ids::kBreakSlogan), nullptr, TRUE);
  }
  // Keys keep reaching the window when the control that had them is hidden.
  HWND focus = GetFocus();
  if (focus && focus != hwnd() && IsChild(hwnd(), focus) && !IsWindowVisible(focus) &&
      IsWindowVisible(hwnd()))
    SetFocus(hwnd());
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
  InvalidateRect(mirror_.Find(ids::kBreakSlogan), nullptr, TRUE);
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

bool BreakScreenView::SeeThrough(HDC dc, HWND control, LRESULT* result) {
  if (!presenter_) return false;
  const BreakScreenState& s = presenter_->State();
  const ui::Label* label = nullptr;
  for (auto [id, l] : {std::pair{ids::kBreakRemainSec, &s.lblBreakRemainSec},
                       std::pair{ids::kBreakCurrentMode, &s.lblCurrentMode},
                       std::pair{ids::kBreakSlogan, &s.lblSlogan}})
    if (control == mirror_.Find(id)) label = l;
  if (!label || label->back) return false;
  SetTextColor(dc, ControlMirror::Resolve(label->font ? label->font->color : s.font.color));
  SetBkMode(dc, TRANSPARENT);
  FreshCanvas();
  if (canvas_.size().w > 0) {
    RECT r;
    GetClientRect(control, &r);
    BitBlt(dc, 0, 0, r.right, r.bottom, canvas_.dc(), label->rect.left, label->rect.top, SRCCOPY);
  }
  *result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  return true;
}

void BreakScreenView::DrawIcon(const DRAWITEMSTRUCT& item) {
  const Image& picture =
      item.CtlID == static_cast<UINT>(ids::kBreakShutDownIcon) ? power_picture_ : exit_picture_;
  DrawPicture(item.hDC, item.rcItem, picture);
}

void BreakScreenView::UpdateCursor() {
  POINT pt;
  if (!GetCursorPos(&pt)) return;
  if (!Owns(WindowFromPoint(pt))) return;
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
  if (!Owns(msg.hwnd)) return false;
  presenter_->FormKeyDown(msg.wParam == VK_ESCAPE ? ui::Key::Escape : ui::Key::Other);
  const bool closed = presenter_->State().phase == BreakPhase::Closed;
  AfterEvent();
  return closed;
}

void BreakScreenView::OnInput(int id, const ui::Input& input) {
  if (!presenter_) return;
  using Kind = ui::Input::Kind;
  switch (id) {
    case ids::kBreakShutDownIcon:
      presenter_->imgShutDownIconClick();
      break;
    case ids::kBreakUrgentExitIcon:
      presenter_->imgUrgentExitIconClick();
      break;
    case ids::kBreakRemindAgainAt:
      presenter_->cbbRemindAgainAtSelect(input.value);
      break;
    case ids::kBreakExitPsw:
      if (input.kind == Kind::Click)
        presenter_->edtExitPswClick();
      else if (input.kind == Kind::Text)
        presenter_->edtExitPswChange(input.text);
      break;
    default:
      return;
  }
  AfterEvent();
}

LRESULT BreakScreenView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (msg == WM_CTLCOLORSTATIC &&
      SeeThrough(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), &result))
    return result;
  if (mirror_.Handle(msg, wp, lp, &result)) return result;
  switch (msg) {
    case kMsgFree: {
      Hide();
      ReleaseLock();
      presenter_ = nullptr;
      // The owner may destroy this view from here on (it does so later, from its own timer).
      if (on_freed_) on_freed_();
      return 0;
    }
    case WM_DISPLAYCHANGE:
      // Monitors came, went or moved: the screen and its covers follow at once.
      if (presenter_) {
        presenter_->DisplayChanged();
        AfterEvent();
      }
      break;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT:
      Paint();
      return 0;
    case WM_DRAWITEM:
      DrawIcon(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      if (ClickEnded(hwnd(), msg, pressed_) && presenter_) {
        presenter_->FormClick();
        AfterEvent();
      }
      return 0;
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
