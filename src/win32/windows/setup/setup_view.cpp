#include "windows/setup/setup_view.hpp"

#include <commctrl.h>

#include <algorithm>

#include "ui/control_ids.hpp"
#include "ui/text.hpp"

namespace tavu::win {

namespace {
// No WS_CLIPCHILDREN: group boxes leave their inside to the window to paint.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}  // namespace

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

  // Page "休息模式": the radio group, then one group of settings per mode.
  const Settings defaults;
  Control(L"BUTTON", ModePageState::kRadioCaption, BS_GROUPBOX, ids::kSetupModeGroup,
          {16, 64, 629, 200});
  for (int i = 0; i < 4; ++i) {
    radios_[i] = Control(L"BUTTON", defaults.SelectBreakMode.Items()[i],
                         BS_AUTORADIOBUTTON | WS_TABSTOP | (i == 0 ? WS_GROUP : 0),
                         ids::kSetupModeRadio0 + i, {32, 86 + 27 * i, 612, 106 + 27 * i});
  }
  const RECT group{16, 212, 629, 300};
  for (int m = 0; m < 4; ++m) {
    mode_groups_[m].push_back(Control(L"BUTTON", ModePageState::kGroupCaptions[m], BS_GROUPBOX,
                                      ids::kSetupModeGroupBox0 + m, group));
  }
  for (int m = 0; m < 2; ++m) {
    mode_groups_[m].push_back(Control(
        L"STATIC", ModePageState::kRemindAgainText, SS_LEFT,
        m == 0 ? ids::kSetupRemindAgainFree : ids::kSetupRemindAgainPassword, {32, 238, 400, 256}));
    HWND box =
        Control(L"BUTTON", ModePageState::kNotShowText, BS_AUTOCHECKBOX,
                m == 0 ? ids::kSetupNotShowFree : ids::kSetupNotShowPassword, {32, 264, 400, 284});
    EnableWindow(box, FALSE);
    mode_groups_[m].push_back(box);
  }
  mode_groups_[2].push_back(Control(L"STATIC", ModePageState::kIntensityText, SS_LEFT,
                                    ids::kSetupIntensityLabel, {32, 250, 112, 268}));
  intensity_bar_ = Control(L"SCROLLBAR", "", SBS_HORZ | WS_TABSTOP, ids::kSetupIntensityBar,
                           {116, 248, 400, 268});
  SetScrollRange(intensity_bar_, SB_CTL, 15, 45, FALSE);
  mode_groups_[2].push_back(intensity_bar_);
  mode_groups_[2].push_back(
      Control(L"STATIC", "", SS_LEFT, ids::kSetupIntensityValue, {410, 250, 480, 268}));
  mode_groups_[3].push_back(Control(L"BUTTON", ModePageState::kDisableKeyboardText,
                                    BS_AUTOCHECKBOX | WS_TABSTOP, ids::kSetupDisableKeyboard,
                                    {32, 246, 200, 266}));
  mode_groups_[3].push_back(Control(L"BUTTON", ModePageState::kHideCursorText,
                                    BS_AUTOCHECKBOX | WS_TABSTOP, ids::kSetupHideCursor,
                                    {220, 246, 400, 266}));
}

void SetupView::SyncModePage() {
  const SetupFormState& s = presenter_->State();
  const ModePageState& p = s.mode_page;
  const bool on_page = s.page == kPageMode;
  syncing_ = true;
  for (HWND h : mode_page_) {
    bool shown = on_page;
    for (int m = 0; m < 4; ++m)
      if (m != s.mode_group &&
          std::find(mode_groups_[m].begin(), mode_groups_[m].end(), h) != mode_groups_[m].end())
        shown = false;
    const bool visible = (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible != shown) ShowWindow(h, shown ? SW_SHOWNA : SW_HIDE);
  }
  for (int m = 0; m < 4; ++m)
    SendMessageW(radios_[m], BM_SETCHECK, p.mode == m ? BST_CHECKED : BST_UNCHECKED, 0);
  auto check = [&](int id, bool on) {
    SendMessageW(GetDlgItem(hwnd(), id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  };
  check(ids::kSetupNotShowFree, p.not_show_free);
  check(ids::kSetupNotShowPassword, p.not_show_password);
  check(ids::kSetupDisableKeyboard, p.disable_keyboard);
  check(ids::kSetupHideCursor, p.hide_cursor);
  SetScrollPos(intensity_bar_, SB_CTL, p.interfere_intensity, TRUE);
  SetTextIfChanged(GetDlgItem(hwnd(), ids::kSetupIntensityValue), Wide(p.intensity_label));
  syncing_ = false;
}

HWND SetupView::Control(const wchar_t* cls, std::string_view text, DWORD style, int id, RECT r) {
  HWND h = CreateWindowExW(0, cls, Wide(text).c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, r.left,
                           r.top, r.right - r.left, r.bottom - r.top, hwnd(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  mode_page_.push_back(h);
  return h;
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
  if (SendMessageW(tabs_, TCM_GETCURSEL, 0, 0) != s.page)
    SendMessageW(tabs_, TCM_SETCURSEL, s.page, 0);
  SyncModePage();
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
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      if (syncing_ || HIWORD(wp) != BN_CLICKED) return Default(msg, wp, lp);
      const auto checked = [&] {
        return SendMessageW(reinterpret_cast<HWND>(lp), BM_GETCHECK, 0, 0) == BST_CHECKED;
      };
      if (id >= ids::kSetupModeRadio0 && id < ids::kSetupModeRadio0 + 4)
        presenter_->rbxSelectBreakModeChoose(id - ids::kSetupModeRadio0);
      else if (id == ids::kSetupDisableKeyboard)
        presenter_->cbxDisableKeyboardClick(checked());
      else if (id == ids::kSetupHideCursor)
        presenter_->cbxHideCursorClick(checked());
      SyncAll();
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // The page's controls sit on the window's own face colour.
      HDC dc = reinterpret_cast<HDC>(wp);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_HSCROLL: {
      if (reinterpret_cast<HWND>(lp) != intensity_bar_) return Default(msg, wp, lp);
      int pos = presenter_->State().mode_page.interfere_intensity;
      switch (LOWORD(wp)) {
        case SB_LINELEFT:
        case SB_PAGELEFT:
          pos -= 15;
          break;
        case SB_LINERIGHT:
        case SB_PAGERIGHT:
          pos += 15;
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
          pos = HIWORD(wp);
          break;
        default:
          return 0;
      }
      presenter_->scbInterfereIntensityChange(pos);
      SyncAll();
      return 0;
    }
    case WM_QUERYENDSESSION:
      return TRUE;
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace tavu::win
