#include "windows/countdown/break_hint_view.hpp"

#include "base/dpi.hpp"
#include "ui/resources.hpp"
#include "windows/countdown/break_hint_ids.hpp"

namespace tavu::win {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOPMOST;
constexpr UINT kMsgFree = WM_APP + 1;

}  // namespace

// ---- detail pop-up ----

ShowDetailView::ShowDetailView(int dpi) {
  // Borderless: its frame is its text's box.
  Create(L"TfrmShowDetail", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"", GetDesktopWindow());
  // Laid out in the countdown window's units, against where it is on the screen: at its dpi,
  // whichever monitor the hidden pop-up was made on.
  mirror_.Attach(hwnd(), ControlMirror::Units::Design, nullptr);
  mirror_.SetDpi(dpi);
}

Size ShowDetailView::MeasureText(const ui::Font& font, std::string_view text) {
  return mirror_.Measure(font, text);
}

void ShowDetailView::Show(const ShowDetailState& state) {
  mirror_.ApplyForm(state);
  mirror_.Apply(ids::kDetailText, state.lblText);
  ShowAt(hwnd());
}

void ShowDetailView::Free() {
  freed_ = true;
  ShowWindow(hwnd(), SW_HIDE);
}

LRESULT ShowDetailView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (mirror_.Handle(msg, wp, lp, &result)) return result;
  if (msg == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(hwnd(), &r);
    FillRect(reinterpret_cast<HDC>(wp), &r, mirror_.FormBrush());
    return 1;
  }
  if (msg == WM_QUERYENDSESSION) return TRUE;
  return Default(msg, wp, lp);
}

// ---- countdown window ----

BreakHintView::BreakHintView(std::function<void()> on_freed)
    : on_freed_(std::move(on_freed)), picture_(LoadResourceBytes(kResOnTopJpeg)) {
  Create(L"TfrmBreakHint", kStyle, kExStyle, L"", GetDesktopWindow());
  mirror_.Attach(hwnd(), ControlMirror::Units::Design,
                 [this](int id, const ui::Input& input) { OnInput(id, input); });
}

BreakHintView::~BreakHintView() { details_.clear(); }

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
  details_.push_back(std::make_unique<ShowDetailView>(mirror_.dpi()));
  return *details_.back();
}

void BreakHintView::Sync() {
  if (!presenter_ || freed_) return;
  const BreakHintState& s = presenter_->State();
  mirror_.SetOrigin({s.border_width, s.border_width});
  mirror_.ApplyForm(s);
  mirror_.Apply(ids::kHintTimeRemain, s.lblTimeRemain);
  mirror_.Apply(ids::kHintLabel2, s.Label2);
  mirror_.Apply(ids::kHintMins, s.edtMins);
  mirror_.Apply(ids::kHintUpDown, s.UpDown1);
  mirror_.Apply(ids::kHintLabel3, s.Label3);
  mirror_.Apply(ids::kHintStatus, s.lblStatus);
  mirror_.Apply(ids::kHintDetails, s.btnDetails);
  mirror_.Apply(ids::kHintToggleDesktop, s.cbxToggleDesktop);
  mirror_.Apply(ids::kHintApplyMins, s.btnApplyMins);
  mirror_.Apply(ids::kHintBreak, s.btnBreak);
  mirror_.Apply(ids::kHintM, s.btnM);
}

void BreakHintView::OnInput(int id, const ui::Input& input) {
  if (!presenter_ || freed_) return;
  switch (id) {
    case ids::kHintDetails:
      presenter_->btnDetailsClick();
      break;
    case ids::kHintApplyMins:
      presenter_->btnApplyMinsClick();
      break;
    case ids::kHintBreak:
      presenter_->btnBreakClick(true);
      break;
    case ids::kHintM:
      presenter_->btnMClick();
      break;
    case ids::kHintToggleDesktop:
      presenter_->cbxToggleDesktopClick(input.checked);
      break;
    case ids::kHintUpDown:
      presenter_->UpDown1Click(input.value > 0);
      break;
    default:
      return;
  }
  SyncAll();
}

void BreakHintView::ReportFrame() {
  RECT r;
  GetWindowRect(hwnd(), &r);
  presenter_->WindowMoved(dpi::ToDesign({r.left, r.top, r.right, r.bottom}, mirror_.dpi()));
}

void BreakHintView::DpiChanged(int) {
  // The mirror took the new frame as applied (the user's sizing may be locked): the presenter
  // learns it in the new dpi's pixels, or its next frame would put the window back.
  if (presenter_ && !freed_ && !IsIconic(hwnd())) ReportFrame();
}

void BreakHintView::PaintDecorations(HDC dc) {
  const BreakHintState& s = presenter_->State();
  auto device = [&](const Rect& r) {
    const int b = s.border_width;
    return RECT{mirror_.Scale(r.left + b), mirror_.Scale(r.top + b), mirror_.Scale(r.right + b),
                mirror_.Scale(r.bottom + b)};
  };
  // The two bevels: a frame around the content and the line between picture and controls.
  RECT frame = device(s.Bevel1);
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  RECT line = device(s.Bevel2);
  DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
  const RECT picture = device(s.Image1);
  picture_.Draw(dc, picture.left, picture.top, picture.right - picture.left,
                picture.bottom - picture.top);
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
  LRESULT result = 0;
  if (mirror_.Handle(msg, wp, lp, &result)) return result;
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd(), &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, mirror_.FormBrush());
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      PaintDecorations(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_GETMINMAXINFO: {
      // Once zoomed the window keeps its size: the user's sizing stops at it.
      if (mirror_.applying() || presenter_->FormCanResize()) break;
      WINDOWPLACEMENT placement{sizeof placement};
      if (!GetWindowPlacement(hwnd(), &placement)) break;
      const RECT& normal = placement.rcNormalPosition;
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      info->ptMinTrackSize =
          info->ptMaxTrackSize = {normal.right - normal.left, normal.bottom - normal.top};
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
      const bool moved = (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
      if (moved && !mirror_.applying() && !IsIconic(hwnd())) ReportFrame();
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
