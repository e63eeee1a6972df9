#include "windows/setup/setup_view.hpp"

#include <commctrl.h>

#include "ui/control_ids.hpp"
#include "ui/resources.hpp"
#include "ui/text.hpp"
#include "windows/setup/setup_ids.hpp"

namespace tavu::win {

namespace {
// No WS_CLIPCHILDREN: group boxes leave their inside to the window to paint.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}  // namespace

// The countdown window's picture is a copy of the on-top picture.
SetupView::SetupView()
    : on_top_(LoadResourceBytes(kResOnTopJpeg)),
      hint_(LoadResourceBytes(kResOnTopJpeg)),
      deco_(LoadResourceBytes(kResDecoJpeg)) {
  Create(L"TfrmSetup", kStyle, WS_EX_CONTROLPARENT, L"", nullptr);
  mirror_.Attach(hwnd(), ControlMirror::Units::Design, [this](int id, const ui::Input& input) {
    if (!presenter_) return;
    presenter_->PageInput(id, input);
    SyncAll();
  });
  // Client area of the design, centred on the screen.
  const SetupFormState initial;
  mirror_.ApplyForm(initial);
}

// The tabs and the pages' controls are made when the window is first shown: a settings window
// that stays hidden costs no controls and no fonts.
void SetupView::BuildControls() {
  if (tabs_) return;
  const SetupFormState initial;
  tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"",
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_MULTILINE, 0,
                          0, mirror_.Scale(initial.client.w), mirror_.Scale(initial.client.h),
                          hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kSetupTabs)),
                          GetModuleHandleW(nullptr), nullptr);
  MakeTabFont();
  for (size_t i = 0; i < kSetupTabCaptions.size(); ++i) {
    std::wstring caption = Wide(kSetupTabCaptions[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
}

// The tabs' bold 16-pixel font, at the window's density.
void SetupView::MakeTabFont() {
  const SetupFormState initial;
  LOGFONTW lf{};
  lf.lfHeight = -mirror_.Scale(16);
  lf.lfWeight = FW_BOLD;
  lf.lfCharSet = GB2312_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  Wide(initial.font.face).copy(lf.lfFaceName, LF_FACESIZE - 1);
  HFONT old = tab_font_;
  tab_font_ = CreateFontIndirectW(&lf);
  SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(tab_font_), old != nullptr);
  if (old) DeleteObject(old);
}

void SetupView::DpiChanged(int) {
  if (!tabs_) return;  // made at the density of its first showing
  MakeTabFont();
  const SetupFormState initial;
  SetWindowPos(tabs_, nullptr, 0, 0, mirror_.Scale(initial.client.w),
               mirror_.Scale(initial.client.h), SWP_NOZORDER | SWP_NOACTIVATE);
}

SetupView::~SetupView() { DeleteObject(tab_font_); }

void SetupView::Show() {
  Sync();
  ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

void SetupView::Hide() {
  ShowWindow(hwnd(), SW_HIDE);
  on_top_.Release();
  hint_.Release();
  deco_.Release();
}

void SetupView::DrawPicture(const DRAWITEMSTRUCT& item) {
  const RECT& r = item.rcItem;
  StretchedPicture* picture = nullptr;
  switch (item.CtlID) {
    case ids::kSetupSotPicture:
      picture = &on_top_;
      break;
    case ids::kSetupHintPicture:
      picture = &hint_;
      break;
    case ids::kSetupDecoPicture:
      picture = &deco_;
      break;
    default:
      break;
  }
  if (picture) picture->Draw(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void SetupView::Sync() {
  if (!presenter_) return;
  const SetupFormState& s = presenter_->State();
  mirror_.ApplyForm(s);
  if (!tabs_ && !s.visible) return;
  BuildControls();
  if (SendMessageW(tabs_, TCM_GETCURSEL, 0, 0) != s.page)
    SendMessageW(tabs_, TCM_SETCURSEL, s.page, 0);
  for (const SetupControl& c : s.controls) mirror_.Apply(c.id, c.control);
  if (s.topmost && !topmost_) {
    topmost_ = true;
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

bool SetupView::PreviewKey(const MSG& msg) {
  if (!presenter_) return false;
  if (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd)) return false;
  if (msg.message == WM_KEYDOWN) {
    // Esc in an open drop-down list closes the list, not the window.
    bool list_open = false;
    if (msg.wParam == VK_ESCAPE)
      for (HWND w = msg.hwnd; w && w != hwnd(); w = GetParent(w))
        list_open = list_open || SendMessageW(w, CB_GETDROPPEDSTATE, 0, 0);
    if (!list_open) {
      const bool visible_before = presenter_->State().visible;
      presenter_->FormKeyDown(msg.wParam == VK_ESCAPE ? ui::Key::Escape : ui::Key::Other);
      SyncAll();
      if (visible_before != presenter_->State().visible) return true;
    }
  }
  // Tab, Shift+Tab and the arrows move between the controls as in a dialog.
  if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
    return IsDialogMessageW(hwnd(), const_cast<MSG*>(&msg));
  return false;
}

LRESULT SetupView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (!presenter_) return Default(msg, wp, lp);
  LRESULT result = 0;
  if (mirror_.Handle(msg, wp, lp, &result)) return result;
  switch (msg) {
    case WM_CLOSE:
      presenter_->FormClose();
      SyncAll();
      return 0;
    case WM_DRAWITEM:
      DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_ERASEBKGND: {
      // The form's colour, which group boxes show through.
      RECT r;
      GetClientRect(hwnd(), &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, mirror_.FormBrush());
      return TRUE;
    }
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
      if (hdr->hwndFrom == tabs_ && hdr->code == TCN_SELCHANGE) {
        presenter_->SelectPage(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
        SyncAll();
      }
      return 0;
    }
    case WM_QUERYENDSESSION:
      return TRUE;
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace tavu::win
