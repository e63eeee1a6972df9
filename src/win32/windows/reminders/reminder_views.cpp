#include "windows/reminders/reminder_views.hpp"

#include "ui/control_ids.hpp"
#include "ui/resources.hpp"
#include "ui/text.hpp"

namespace tavu::win {

namespace {
constexpr DWORD kStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}  // namespace

// ---- shared ----

ReminderView::ReminderView(const wchar_t* window_class, DWORD ex_style,
                           std::function<void()> on_closed)
    : on_closed_(std::move(on_closed)) {
  Create(window_class, kStyle, kExStyle | ex_style, L"", GetDesktopWindow());
}

void ReminderView::ShowWindowNow() {
  View::SyncAll();
  ShowAt(hwnd());
}

void ReminderView::CloseWindow() {
  if (closed_) return;
  closed_ = true;
  ShowWindow(hwnd(), SW_HIDE);
  if (on_closed_) on_closed_();
}

void ReminderView::DpiChanged(int dpi) {
  canvas_.SetDpi(dpi);
  revealed_ = {};  // the region, if any, is set again in the new dpi's pixels
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void ReminderView::ApplyRevealed(const Rect& part, Size client) {
  if (part == revealed_) return;
  revealed_ = part;
  if (part == Rect{0, 0, client.w, client.h}) {
    SetWindowRgn(hwnd(), nullptr, TRUE);
    return;
  }
  // The window owns the region from here on.
  SetWindowRgn(hwnd(),
               CreateRectRgn(mirror_.Scale(part.left), mirror_.Scale(part.top),
                             mirror_.Scale(part.right), mirror_.Scale(part.bottom)),
               TRUE);
}

void ReminderView::Paint(Color color, const std::function<void(Canvas&)>& draw,
                         const std::function<void(HDC)>& overlay) {
  RECT client;
  GetClientRect(hwnd(), &client);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  if (canvas_.Resize({client.right, client.bottom})) {
    canvas_.FillRect({0, 0, client.right, client.bottom}, color);
    draw(canvas_);
    canvas_.BlitTo(dc, ps.rcPaint);
    if (overlay) overlay(dc);
  }
  EndPaint(hwnd(), &ps);
}

namespace {

// What both reminder windows do with the user's click and a close request.
template <typename Presenter>
bool HandleClickAndClose(Presenter& presenter, UINT msg) {
  if (msg == WM_LBUTTONUP)
    presenter.FormClick();
  else if (msg == WM_CLOSE)
    presenter.Close();
  else
    return false;
  View::SyncAll();
  return true;
}

}  // namespace

// ---- small window ----

HintSmallWindowView::HintSmallWindowView(std::function<void()> on_closed)
    : ReminderView(L"TfrmHintSmallWindow", WS_EX_LAYERED, std::move(on_closed)) {
  SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(HintSmallWindowState{}.alpha), LWA_ALPHA);
  mirror_.Attach(hwnd(), ControlMirror::Units::Design, nullptr);
  canvas_.SetDpi(mirror_.dpi());
}

void HintSmallWindowView::Show() { ShowWindowNow(); }

void HintSmallWindowView::Close() {
  presenter_ = nullptr;
  CloseWindow();
}

Size HintSmallWindowView::MeasureText(const CanvasFont& font, std::string_view text) {
  canvas_.SetFont(font);
  const std::wstring wide = Wide(text);
  SIZE extent{};
  GetTextExtentPoint32W(canvas_.dc(), wide.c_str(), static_cast<int>(wide.size()), &extent);
  return {extent.cx, extent.cy};
}

void HintSmallWindowView::Sync() {
  if (!presenter_ || closed_) return;
  const HintSmallWindowState& s = presenter_->State();
  mirror_.ApplyForm(s);
  ApplyRevealed(s.revealed, s.client);
  std::string lines;
  for (const DrawnLine& line : s.lines) (lines += line.text) += '\n';
  if (lines != painted_) {
    painted_ = lines;
    InvalidateRect(hwnd(), nullptr, FALSE);
  }
}

LRESULT HintSmallWindowView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (!presenter_) return msg == WM_CLOSE ? 0 : Default(msg, wp, lp);
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT:
      // Every paint draws the lines again: a window that was covered shows them all the same.
      Paint(presenter_->State().color, [&](Canvas& c) { presenter_->FormPaint(c); });
      return 0;
    default:
      break;
  }
  return HandleClickAndClose(*presenter_, msg) ? 0 : Default(msg, wp, lp);
}

// ---- centre window ----

RemindWindowCenterView::RemindWindowCenterView(std::function<void()> on_closed)
    : ReminderView(L"TfrmRemindWindowCenter", 0, std::move(on_closed)),
      alarm_(LoadResourceBytes(kResAlarmJpeg)) {
  mirror_.Attach(hwnd(), ControlMirror::Units::Design, nullptr);
  canvas_.SetDpi(mirror_.dpi());
}

void RemindWindowCenterView::Show() { ShowWindowNow(); }

void RemindWindowCenterView::Close() {
  presenter_ = nullptr;
  CloseWindow();
}

void RemindWindowCenterView::Sync() {
  if (!presenter_ || closed_) return;
  const RemindWindowCenterState& s = presenter_->State();
  mirror_.ApplyForm(s);
  mirror_.Apply(ids::kRemindLabel1, s.Label1);
  mirror_.Apply(ids::kRemindLabel2, s.Label2);
  mirror_.Apply(ids::kRemindLabel3, s.Label3);
  mirror_.Apply(ids::kRemindLabel4, s.Label4);
  mirror_.Apply(ids::kRemindContent, s.edtRemindContent);
  ApplyRevealed(s.revealed, s.client);
}

LRESULT RemindWindowCenterView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (!presenter_) return msg == WM_CLOSE ? 0 : Default(msg, wp, lp);
  LRESULT result = 0;
  if (mirror_.Handle(msg, wp, lp, &result)) return result;
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      const RemindWindowCenterState& s = presenter_->State();
      const Rect& r = s.imgAlarm.rect;
      Paint(
          s.color, [&](Canvas& c) { presenter_->FormPaint(c); },
          [&](HDC dc) {
            const int left = mirror_.Scale(r.left), top = mirror_.Scale(r.top);
            alarm_.Draw(dc, left, top, mirror_.Scale(r.right) - left,
                        mirror_.Scale(r.bottom) - top);
          });
      return 0;
    }
    default:
      break;
  }
  return HandleClickAndClose(*presenter_, msg) ? 0 : Default(msg, wp, lp);
}

}  // namespace tavu::win
