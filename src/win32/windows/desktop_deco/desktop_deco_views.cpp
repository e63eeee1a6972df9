#include "windows/desktop_deco/desktop_deco_views.hpp"

#include <windowsx.h>

#include "ui/resources.hpp"
#include "ui/text.hpp"

namespace tavu::win {

namespace {

void PaintPicture(HWND hwnd, StretchedPicture& picture) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  picture.Draw(dc, 0, 0, client.right, client.bottom);
  EndPaint(hwnd, &ps);
}

Point MousePoint(LPARAM lp) { return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }

}  // namespace

// ---- desktop status picture ----

DesktopDecoView::DesktopDecoView(std::function<void()> on_closed)
    : on_closed_(std::move(on_closed)), jpeg_(LoadResourceBytes(kResDecoJpeg)), picture_(jpeg_) {
  // Owned by the desktop: no taskbar button, and it goes with the desktop, not with other
  // windows. Wine may have no such window; then it has no owner.
  Create(L"TfrmDesktopDeco", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_LAYERED, L"",
         FindWindowW(nullptr, L"Program Manager"),
         static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  mirror_.Attach(hwnd(), ControlMirror::Units::Device, nullptr);
}

Size DesktopDecoView::PictureSize() { return JpegSize(jpeg_).value_or(Size{}); }

void DesktopDecoView::Show() {
  Sync();
  // The rectangle given again: Wine leaves a pop-up placed while hidden off the screen otherwise.
  RECT r;
  GetWindowRect(hwnd(), &r);
  SetWindowPos(hwnd(), HWND_BOTTOM, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void DesktopDecoView::Hide() {
  ShowWindow(hwnd(), SW_HIDE);
  picture_.Release();
}

void DesktopDecoView::Close() {
  presenter_ = nullptr;
  if (closed_) return;
  closed_ = true;
  Hide();
  if (on_closed_) on_closed_();
}

void DesktopDecoView::Sync() {
  if (!presenter_ || closed_) return;
  const DesktopDecoState& s = presenter_->State();
  mirror_.ApplyForm(s);
  const COLORREF key = ControlMirror::Resolve(s.transparent_color);
  if (key != key_) {
    key_ = key;
    SetLayeredWindowAttributes(hwnd(), key_, 0, LWA_COLORKEY);
  }
}

void DesktopDecoView::PopupMenu(POINT at) {
  HMENU menu = CreatePopupMenu();
  for (const DecoMenuItem& item : presenter_->State().PopupMenu1)
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.command), Wide(item.caption).c_str());
  // A menu closes on a click elsewhere only if its window is in the foreground.
  SetForegroundWindow(hwnd());
  const int command = static_cast<int>(TrackPopupMenu(
      menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, hwnd(), nullptr));
  PostMessageW(hwnd(), WM_NULL, 0, 0);
  DestroyMenu(menu);
  if (command != 0 && presenter_) presenter_->MenuClick(static_cast<DecoCommand>(command));
}

LRESULT DesktopDecoView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_WINDOWPOSCHANGING) {
    // Whatever raises it (activation, a click, the shell), it stays just above the desktop.
    reinterpret_cast<WINDOWPOS*>(lp)->hwndInsertAfter = HWND_BOTTOM;
    return Default(msg, wp, lp);
  }
  if (!presenter_) return msg == WM_CLOSE ? 0 : Default(msg, wp, lp);
  switch (msg) {
    case WM_PAINT:
      PaintPicture(hwnd(), picture_);
      return 0;
    case WM_ERASEBKGND:
      return picture_.Empty() ? Default(msg, wp, lp) : 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // a click or a drag leaves the user's window active
    case WM_LBUTTONDOWN:
      SetCapture(hwnd());  // the release comes here wherever the mouse went
      presenter_->Image1MouseDown(ui::MouseButton::Left, MousePoint(lp));
      break;
    case WM_LBUTTONUP:
      presenter_->Image1MouseUp(ui::MouseButton::Left, MousePoint(lp));
      if (GetCapture() == hwnd()) ReleaseCapture();
      break;
    case WM_RBUTTONDOWN:
      presenter_->Image1MouseDown(ui::MouseButton::Right, MousePoint(lp));
      break;
    case WM_RBUTTONUP:
      presenter_->Image1MouseUp(ui::MouseButton::Right, MousePoint(lp));
      Default(msg, wp, lp);  // brings WM_CONTEXTMENU
      break;
    case WM_CONTEXTMENU: {
      POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (lp == -1) {  // from the keyboard: at the window's corner
        RECT r;
        GetWindowRect(hwnd(), &r);
        at = {r.left, r.top};
      }
      PopupMenu(at);
      break;
    }
    case WM_CLOSE:
      return 0;  // only its setting closes it
    case WM_QUERYENDSESSION:
      return TRUE;
    default:
      return Default(msg, wp, lp);
  }
  SyncAll();
  return 0;
}

// ---- on-top picture ----

SOTView::SOTView(std::function<void()> on_closed)
    : on_closed_(std::move(on_closed)),
      picture_(LoadResourceBytes(kResOnTopJpeg)),
      covers_(L"TSOTFormCover",
              WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE,
              [](HWND cover) {
                // Painted rarely (a layered window keeps its picture): decoded for the paint.
                StretchedPicture picture(LoadResourceBytes(kResOnTopJpeg));
                PaintPicture(cover, picture);
              }) {
  Create(L"TSOTForm", WS_POPUP,
         WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE,
         L"", GetDesktopWindow(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  mirror_.Attach(hwnd(), ControlMirror::Units::Device, nullptr);
}

void SOTView::Show() {
  Sync();
  ShowAt(hwnd());
}

void SOTView::Hide() {
  ShowWindow(hwnd(), SW_HIDE);
  covers_.Apply({}, false);
  picture_.Release();
}

void SOTView::Close() {
  presenter_ = nullptr;
  if (closed_) return;
  closed_ = true;
  Hide();
  if (on_closed_) on_closed_();
}

void SOTView::Sync() {
  if (!presenter_ || closed_) return;
  const SOTState& s = presenter_->State();
  mirror_.ApplyForm(s);
  if (s.alpha != alpha_) {
    alpha_ = s.alpha;
    SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(alpha_), LWA_ALPHA);
  }
  covers_.Apply(s.others, s.visible, s.alpha);
}

LRESULT SOTView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      // A layered window keeps what it was painted with, so the screen-sized copy goes at once;
      // the rare repaint decodes it again.
      PaintPicture(hwnd(), picture_);
      picture_.Release();
      return 0;
    case WM_ERASEBKGND:
      return picture_.Empty() ? Default(msg, wp, lp) : 1;
    case WM_CLOSE:
      return 0;  // only its setting closes it
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_DISPLAYCHANGE:
      if (presenter_) {
        presenter_->DisplayChanged();
        SyncAll();
      }
      return Default(msg, wp, lp);
    case WM_WINDOWPOSCHANGED:
      // Raised above the saver: the other monitors' pictures come up with it.
      if (!(reinterpret_cast<const WINDOWPOS*>(lp)->flags & SWP_NOZORDER)) covers_.Raise();
      return Default(msg, wp, lp);
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace tavu::win
