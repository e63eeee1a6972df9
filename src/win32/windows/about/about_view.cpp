#include "windows/about/about_view.hpp"

#include <string>

#include "ui/control_ids.hpp"
#include "ui/text.hpp"

namespace tavu::win {

namespace {
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr int kClientW = 420, kClientH = 290;
}  // namespace

HWND AboutView::Child(const wchar_t* cls, std::string_view text, DWORD style, int id, RECT r) {
  HWND h = CreateWindowExW(0, cls, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, hwnd(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return h;
}

AboutView::AboutView() {
  Create(L"TfrmAboutHelp", kStyle, 0, Wide(TfrmAboutHelp::kCaption), nullptr);
  font_ = MakeFont(L"宋体", 12, false);
  title_font_ = MakeFont(L"宋体", 22, true);
  RECT r{0, 0, kClientW, kClientH};
  AdjustWindowRectEx(&r, kStyle, FALSE, 0);
  const int w = r.right - r.left, h = r.bottom - r.top;
  SetWindowPos(hwnd(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);

  HWND title = Child(L"STATIC", kProductName, SS_LEFT, ids::kAboutTitle, {20, 16, 400, 44});
  SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(title_font_), FALSE);
  Child(L"STATIC", std::string("版本 ") + std::string(kProductVersion), SS_LEFT, ids::kAboutVersion,
        {22, 50, 400, 66});
  Child(L"STATIC", TfrmAboutHelp::kIntro, SS_LEFT, ids::kAboutIntro, {22, 76, 400, 130});
  for (int i = 0; i < TfrmAboutHelp::kLinkCount; ++i) {
    const int x = 22 + (i % 2) * 190, y = 146 + (i / 2) * 36;
    Child(L"BUTTON", TfrmAboutHelp::kLinkTexts[i], BS_PUSHBUTTON | WS_TABSTOP,
          ids::kAboutFirstLink + i, {x, y, x + 180, y + 28});
  }
  Child(L"BUTTON", "欢迎画面", BS_PUSHBUTTON | WS_TABSTOP, ids::kAboutPicture, {22, 236, 202, 264});
}

AboutView::~AboutView() {
  DeleteObject(font_);
  DeleteObject(title_font_);
}

void AboutView::Show() {
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

LRESULT AboutView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (!presenter_) return Default(msg, wp, lp);
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      if (id >= ids::kAboutFirstLink && id < ids::kAboutFirstLink + TfrmAboutHelp::kLinkCount)
        presenter_->LinkClick(static_cast<TfrmAboutHelp::Link>(id - ids::kAboutFirstLink));
      else if (id == ids::kAboutPicture)
        presenter_->imgWelcomeClick();
      SyncAll();
      return 0;
    }
    case WM_CLOSE:
      Hide();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace tavu::win
