#include "windows/main/main_view.hpp"

#include "ui/resources.hpp"
#include "ui/text.hpp"

namespace tavu::win {

MainView::MainView()
    : picture_(LoadResourceBytes(kResWelcomeJpeg)),
      background_(CreateSolidBrush(RGB(0, 128, 128))) {
  Create(Wide(kMainWindowClass), WS_POPUP, WS_EX_TOPMOST, L"欢迎使用...", nullptr, background_,
         IDC_HAND);
  // Sized from the screen by the presenter.
  mirror_.Attach(hwnd(), ControlMirror::Units::Device, nullptr);
  taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
}

MainView::~MainView() {
  RemoveTrayIcon();
  DeleteObject(background_);
}

namespace {
constexpr UINT_PTR kFadeTimer = 1;
constexpr UINT kFadeStepMs = 20;
}  // namespace

void MainView::StopFade() {
  if (!fade_ms_) return;
  KillTimer(hwnd(), kFadeTimer);
  fade_ms_ = 0;
  SetWindowLongPtrW(hwnd(), GWL_EXSTYLE,
                    GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
}

void MainView::Show() {
  StopFade();
  Sync();
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

void MainView::Hide() {
  StopFade();
  ShowWindow(hwnd(), SW_HIDE);
  picture_.Release();  // decoded again if the window shows again
}

void MainView::AnimateHide(int ms) {
  if (!IsWindowVisible(hwnd()) || ms <= 0) return Hide();
  SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(hwnd(), 0, 255, LWA_ALPHA);
  fade_started_ = GetTickCount();
  fade_ms_ = ms;
  SetTimer(hwnd(), kFadeTimer, kFadeStepMs, nullptr);
}

NOTIFYICONDATAW MainView::TrayData() const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = hwnd();
  data.uID = kTrayIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kMsgTrayCallback;
  data.hIcon = LoadIconW(GetModuleHandleW(nullptr),
                         MAKEINTRESOURCEW(tray_paused_ ? kResPausedIcon : kResAppIcon));
  Wide(tray_tip_).copy(data.szTip, std::size(data.szTip) - 1);
  return data;
}

bool MainView::AddTrayIcon() {
  if (presenter_) {
    tray_tip_ = presenter_->State().tray_tip;
    tray_paused_ = presenter_->State().tray_paused;
  }
  NOTIFYICONDATAW data = TrayData();
  tray_added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  return tray_added_;
}

void MainView::RemoveTrayIcon() {
  if (!tray_added_ || !hwnd()) return;
  NOTIFYICONDATAW data = TrayData();
  Shell_NotifyIconW(NIM_DELETE, &data);
  tray_added_ = false;
}

namespace {

HMENU BuildMenu(const MenuItem& item) {
  HMENU menu = CreatePopupMenu();
  for (const auto& c : item.children) {
    if (c.separator) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (c.checked ? MF_CHECKED : 0u) | (c.enabled ? 0u : MF_GRAYED);
    if (!c.children.empty()) {
      AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(BuildMenu(c)),
                  Wide(c.caption).c_str());
    } else {
      AppendMenuW(menu, flags, static_cast<UINT_PTR>(c.command), Wide(c.caption).c_str());
    }
  }
  return menu;
}

}  // namespace

void MainView::PopupMenu(const MainMenu& menu, Point at) {
  HMENU popup = BuildMenu(menu.Root());
  SetForegroundWindow(hwnd());
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
  PostMessageW(hwnd(), WM_NULL, 0, 0);  // lets the menu close when the user clicks elsewhere
  DestroyMenu(popup);
}

bool MainView::RegisterHotKey(std::size_t index, uint32_t modifiers, char key) {
  ATOM& atom = hot_key_atoms_[index];
  if (!atom) {
    atom = GlobalAddAtomW(Wide(kHotKeys[index].atom).c_str());
  } else {
    ::UnregisterHotKey(hwnd(), atom);
  }
  return atom && ::RegisterHotKey(hwnd(), atom, modifiers, static_cast<UINT>(key));
}

void MainView::UnregisterHotKeys() {
  for (ATOM& atom : hot_key_atoms_) {
    if (!atom) continue;
    ::UnregisterHotKey(hwnd(), atom);
    GlobalDeleteAtom(atom);
    atom = 0;
  }
}

void MainView::Sync() {
  if (!presenter_) return;
  const MainFormState& s = presenter_->State();
  mirror_.ApplyForm(s);
  if (tray_added_ && (s.tray_tip != tray_tip_ || s.tray_paused != tray_paused_)) {
    // The tip changes every minute; the icon's bits go to the shell only when it changes.
    const UINT flags = NIF_TIP | (s.tray_paused != tray_paused_ ? NIF_ICON : 0u);
    tray_tip_ = s.tray_tip;
    tray_paused_ = s.tray_paused;
    NOTIFYICONDATAW data = TrayData();
    data.uFlags = flags;
    Shell_NotifyIconW(NIM_MODIFY, &data);
  }
  if (tool_window_ != !s.taskbar_button) {
    tool_window_ = !s.taskbar_button;
    LONG_PTR ex = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    ex = tool_window_ ? (ex | WS_EX_TOOLWINDOW) : (ex & ~static_cast<LONG_PTR>(WS_EX_TOOLWINDOW));
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, ex);
  }
}

void MainView::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  RECT client;
  GetClientRect(hwnd(), &client);
  picture_.Draw(dc, 0, 0, client.right, client.bottom);
  EndPaint(hwnd(), &ps);
}

LRESULT MainView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == taskbar_created_ && taskbar_created_ != 0) {
    tray_added_ = false;  // a new shell holds no icon of ours
    if (presenter_) presenter_->OnTaskbarCreated();
    return 0;
  }
  if (!presenter_) return Default(msg, wp, lp);
  LRESULT result = 0;
  switch (msg) {
    case WM_TIMER:
      if (wp == kFadeTimer && fade_ms_) {
        const DWORD elapsed = GetTickCount() - fade_started_;
        if (elapsed >= static_cast<DWORD>(fade_ms_)) {
          Hide();
        } else {
          const int alpha = 255 - static_cast<int>(255 * elapsed / static_cast<DWORD>(fade_ms_));
          SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(alpha), LWA_ALPHA);
        }
        return 0;
      }
      return Default(msg, wp, lp);
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return picture_.Empty() ? Default(msg, wp, lp) : 1;
    case WM_CLOSE:
      if (presenter_->FormClose()) DestroyWindow(hwnd());
      break;
    case kMsgShowSplash:
      presenter_->ShowSplash();
      break;
    case kMsgTrayCallback:
      Default(msg, wp, lp);
      // The shell reports the mouse message the icon received.
      if (lp == WM_LBUTTONUP) presenter_->OnTrayClick(ui::MouseButton::Left);
      if (lp == WM_RBUTTONUP) presenter_->OnTrayClick(ui::MouseButton::Right);
      result = 0;
      break;
    case kMsgOpenScreenSaverSetup:
      presenter_->OnOpenScreenSaverSetup();
      break;
    case kMsgOpenStatistics:
      presenter_->NStatClick();
      break;
    case kMsgExitNow:
      presenter_->OnExitNow();
      break;
    case WM_COMMAND:
      if (HIWORD(wp) == 0) presenter_->OnMenuCommand(LOWORD(wp));
      break;
    case WM_POWERBROADCAST:
      result = presenter_->OnPowerBroadcast(static_cast<uint32_t>(wp));
      break;
    case WM_HOTKEY:
      presenter_->OnHotKey(LOWORD(lp), HIWORD(lp));
      break;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wp && on_session_end) on_session_end();
      return 0;
    default:
      return Default(msg, wp, lp);
  }
  SyncAll();
  return result;
}

}  // namespace tavu::win
