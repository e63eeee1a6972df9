#include "setup_view.hpp"

#include <commctrl.h>

#include "control_ids.hpp"
#include "text.hpp"

namespace tavu::win {

namespace {
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
}

SetupView::SetupView() {
  Create(L"TfrmSetup", kStyle, WS_EX_CONTROLPARENT, Wide(kSetupCaption), nullptr);
  font_ = MakeFont(L"宋体", 12, false);
  tab_font_ = MakeFont(L"宋体", 16, true);
  SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

  // Client area of the design, centred on the screen.
  const SetupFormState initial;
  RECT r{0, 0, initial.client.w, initial.client.h};
  AdjustWindowRectEx(&r, kStyle, FALSE, WS_EX_CONTROLPARENT);
  const int w = r.right - r.left, h = r.bottom - r.top;
  SetWindowPos(hwnd(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);

  tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"",
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_MULTILINE, 0,
                          0, initial.client.w, initial.client.h, hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kSetupTabs)),
                          GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(tab_font_), FALSE);
  for (size_t i = 0; i < kSetupTabCaptions.size(); ++i) {
    std::wstring caption = Wide(kSetupTabCaptions[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
}

SetupView::~SetupView() {
  DeleteObject(font_);
  DeleteObject(tab_font_);
}

void SetupView::Show() {
  Sync();
  ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

void SetupView::Hide() { ShowWindow(hwnd(), SW_HIDE); }

void SetupView::Sync() {
  if (!presenter_) return;
  const SetupFormState& s = presenter_->State();
  if (SendMessageW(tabs_, TCM_GETCURSEL, 0, 0) != s.page) SendMessageW(tabs_, TCM_SETCURSEL, s.page, 0);
  if (s.topmost && !topmost_) {
    topmost_ = true;
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

bool SetupView::PreviewKey(const MSG& msg) {
  if (!presenter_ || msg.message != WM_KEYDOWN) return false;
  if (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd)) return false;
  const bool visible_before = presenter_->State().visible;
  presenter_->FormKeyDown(static_cast<int>(msg.wParam));
  SyncAll();
  return visible_before != presenter_->State().visible;
}

LRESULT SetupView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (!presenter_) return Default(msg, wp, lp);
  switch (msg) {
    case WM_CLOSE:
      presenter_->FormClose();
      SyncAll();
      return 0;
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
