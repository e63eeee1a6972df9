#include "windows/statistics/stat_view.hpp"

#include <commctrl.h>

#include "ui/control_ids.hpp"
#include "ui/text.hpp"

namespace tavu::win {

namespace {
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kTabsTop = 116, kTabsHeight = 26, kTabWidth = 110;
// Room for the four buttons and their separators: a narrower strip scrolls.
constexpr int kTabsWidth = 500;
// Room for a long log: an edit control holds only 32 KiB of text unless told otherwise.
constexpr WPARAM kMemoLimit = 0x7FFFFFFE;

HFONT MakeFont(int height, bool bold, std::string_view face) {
  LOGFONTW lf{};
  lf.lfHeight = -height;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  Wide(face).copy(lf.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&lf);
}
}  // namespace

StatView::StatView(std::function<void()> on_closed) : on_closed_(std::move(on_closed)) {
  Create(L"TfrmStat", kStyle, WS_EX_CONTROLPARENT, L"", nullptr);
  mirror_.Attach(hwnd(), ControlMirror::Units::Design,
                 [this](int id, const ui::Input&) { OnInput(id); });
  tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"",
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_BUTTONS |
                              TCS_FLATBUTTONS | TCS_FIXEDWIDTH,
                          0, 0, 0, 0, hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kStatPages)),
                          GetModuleHandleW(nullptr), nullptr);
  for (size_t i = 0; i < TfrmStat::kPageCaptions.size(); ++i) {
    std::wstring caption = Wide(TfrmStat::kPageCaptions[i]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  memo_ = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_EDITW, L"",
      WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, 0, 0,
      0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kStatMemo)),
      GetModuleHandleW(nullptr), nullptr);
  SendMessageW(memo_, EM_SETLIMITTEXT, kMemoLimit, 0);
  chart_ =
      CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_CLIPSIBLINGS | SS_OWNERDRAW, 0, 0, 0, 0,
                      hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::kStatChart)),
                      GetModuleHandleW(nullptr), nullptr);
  LayOutOwnControls();
}

// The page strip and the history are the view's own: their fonts and places at the window's dpi.
void StatView::LayOutOwnControls() {
  const StatState initial;
  HFONT old_tab_font = tab_font_, old_memo_font = memo_font_;
  tab_font_ = MakeFont(mirror_.Scale(12), true, initial.font.face);
  memo_font_ = MakeFont(mirror_.Scale(12), false, initial.font.face);
  SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(tab_font_), TRUE);
  SendMessageW(tabs_, TCM_SETITEMSIZE, 0,
               MAKELPARAM(mirror_.Scale(kTabWidth), mirror_.Scale(kTabsHeight - 4)));
  MoveWindow(tabs_, mirror_.Scale(16), mirror_.Scale(kTabsTop), mirror_.Scale(kTabsWidth),
             mirror_.Scale(kTabsHeight), TRUE);
  const Rect& m = initial.Memo1.rect;
  SendMessageW(memo_, WM_SETFONT, reinterpret_cast<WPARAM>(memo_font_), TRUE);
  MoveWindow(memo_, mirror_.Scale(m.left), mirror_.Scale(m.top), mirror_.Scale(m.Width()),
             mirror_.Scale(m.Height()), TRUE);
  const Rect& c = initial.chtDays.rect;
  MoveWindow(chart_, mirror_.Scale(c.left), mirror_.Scale(c.top), mirror_.Scale(c.Width()),
             mirror_.Scale(c.Height()), TRUE);
  if (old_tab_font) DeleteObject(old_tab_font);
  if (old_memo_font) DeleteObject(old_memo_font);
}

StatView::~StatView() {
  DeleteObject(tab_font_);
  DeleteObject(memo_font_);
}

void StatView::Attach(TfrmStat& presenter) { presenter_ = &presenter; }

Size StatView::FrameSize(Size client) { return mirror_.FrameSize(client); }

void StatView::Show() {
  Sync();
  ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

void StatView::DragByBackground() {
  ReleaseCapture();
  SendMessageW(hwnd(), WM_SYSCOMMAND, 0xF012, 0);
}

void StatView::Close() {
  presenter_ = nullptr;
  if (closed_) return;
  closed_ = true;
  ShowWindow(hwnd(), SW_HIDE);
  if (on_closed_) on_closed_();
}

void StatView::ApplyMemo(const StatState& s) {
  if (s.Memo1.visible != memo_visible_) {
    memo_visible_ = s.Memo1.visible;
    ShowWindow(memo_, memo_visible_ ? SW_SHOWNA : SW_HIDE);
  }
  if (s.history_version == memo_version_) return;
  memo_version_ = s.history_version;
  SetWindowTextW(memo_, Wide(s.history).c_str());
  const LRESULT length = GetWindowTextLengthW(memo_);
  SendMessageW(memo_, EM_SETSEL, static_cast<WPARAM>(length), length);
  SendMessageW(memo_, EM_SCROLLCARET, 0, 0);
}

void StatView::ApplyChart(const StatState& s) {
  if (s.chtDays.visible != chart_visible_) {
    chart_visible_ = s.chtDays.visible;
    ShowWindow(chart_, chart_visible_ ? SW_SHOWNA : SW_HIDE);
  }
  if (s.chart_version == chart_version_) return;
  chart_version_ = s.chart_version;
  InvalidateRect(chart_, nullptr, FALSE);
}

// The chart is drawn whole into the canvas and copied in one step, so it never flickers.
void StatView::DrawChart(const DRAWITEMSTRUCT& item) {
  const RECT& r = item.rcItem;
  const Size size{r.right - r.left, r.bottom - r.top};
  chart_canvas_.SetDpi(mirror_.dpi());
  if (!presenter_ || !chart_canvas_.Resize(size)) return;
  presenter_->DrawChart(chart_canvas_, size);
  chart_canvas_.BlitTo(item.hDC, r);
}

void StatView::Sync() {
  if (!presenter_ || closed_) return;
  const StatState& s = presenter_->State();
  mirror_.ApplyForm(s);
  if (SendMessageW(tabs_, TCM_GETCURSEL, 0, 0) != s.page)
    SendMessageW(tabs_, TCM_SETCURSEL, s.page, 0);
  const ui::Label* figures[StatState::kFigureCount] = {
      &s.lblPCStart,     &s.lblPCTimeUsed,           &s.lblAppStartTime,
      &s.lblAppTimeUsed, &s.lblScheduleBreakPrev,    &s.lblScheduleBreakNext,
      &s.lblBreakCount,  &s.lblBreakUncompletedCount};
  for (int i = 0; i < StatState::kFigureCount; ++i) {
    mirror_.Apply(ids::kStatFirstFigureCaption + i, s.lblFigureCaptions[i]);
    mirror_.Apply(ids::kStatFirstFigure + i, *figures[i]);
  }
  mirror_.Apply(ids::kStatRefresh, s.btnRefresh);

  int label = ids::kStatPageLabels;
  for (const ui::Label* l :
       {&s.lblHours, &s.lblHoursUnit, &s.lblIndexTiredTitle, &s.lblHealthScoreTitle,
        &s.lblHealthStatusTitle, &s.lblAdviceTitle, &s.lblKeepRunning, &s.lblSysStartSpeedTitle,
        &s.lblSysStartSpeedNote, &s.lblIndexScale[0], &s.lblIndexScale[1], &s.lblIndexScale[2],
        &s.lblIndexScale[3]})
    mirror_.Apply(label++, *l);
  mirror_.Apply(ids::kStatIndexTired, s.lblIndexTired);
  mirror_.Apply(ids::kStatIndexBar, s.pgbIndexTired);
  if (!bar_vertical_) {
    // The bar rises from the bottom; the mirror makes horizontal bars.
    bar_vertical_ = true;
    HWND bar = mirror_.Find(ids::kStatIndexBar);
    SetWindowLongPtrW(bar, GWL_STYLE, GetWindowLongPtrW(bar, GWL_STYLE) | PBS_VERTICAL);
    InvalidateRect(bar, nullptr, TRUE);
  }
  mirror_.Apply(ids::kStatHealthScore, s.lblHealthScore);
  mirror_.Apply(ids::kStatHealthStatus, s.lblHealthStatus);
  mirror_.Apply(ids::kStatAdvice, s.lblAdvice2);
  mirror_.Apply(ids::kStatHelpAboutIndex, s.btnHelpAboutIndex);
  mirror_.Apply(ids::kStatMoreComment, s.btnMoreComment);
  mirror_.Apply(ids::kStatSysStartSpeed, s.lblSysStartSpeed);
  for (int i = 0; i < StatState::kAppButtonCount; ++i)
    mirror_.Apply(ids::kStatFirstApp + i, s.btnApps[i]);
  for (size_t i = 0; i < s.lblDayColumns.size(); ++i)
    mirror_.Apply(ids::kStatFirstDayColumn + static_cast<int>(i), s.lblDayColumns[i]);
  mirror_.Apply(ids::kStatHistoryNote, s.lblHistoryNote);
  mirror_.Apply(ids::kStatExport, s.btnExport);
  ApplyMemo(s);
  ApplyChart(s);
}

void StatView::OnInput(int id) {
  if (!presenter_) return;
  if (id == ids::kStatRefresh)
    presenter_->btnRefreshClick();
  else if (id == ids::kStatHelpAboutIndex)
    presenter_->btnHelpAboutIndexClick();
  else if (id == ids::kStatMoreComment)
    presenter_->btnMoreCommentClick();
  else if (id == ids::kStatExport)
    presenter_->btnExportClick();
  else if (id >= ids::kStatFirstApp && id < ids::kStatFirstApp + StatState::kAppButtonCount)
    presenter_->AppButtonsClick(static_cast<TfrmStat::AppButton>(id - ids::kStatFirstApp));
  SyncAll();
}

bool StatView::PreviewKey(const MSG& msg) {
  if (!presenter_ || msg.message != WM_KEYDOWN) return false;
  if (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd)) return false;
  if (msg.wParam != VK_ESCAPE) return false;
  presenter_->FormKeyDown(ui::Key::Escape);
  SyncAll();
  return true;
}

LRESULT StatView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (!presenter_) return msg == WM_CLOSE ? 0 : Default(msg, wp, lp);
  LRESULT result = 0;
  if ((msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLOREDIT) && reinterpret_cast<HWND>(lp) == memo_) {
    // The history takes the window's colour.
    SetBkColor(reinterpret_cast<HDC>(wp), mirror_.FormColor());
    SetTextColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(mirror_.FormBrush());
  }
  if (msg == WM_DRAWITEM && wp == static_cast<WPARAM>(ids::kStatChart)) {
    DrawChart(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    return TRUE;
  }
  if (mirror_.Handle(msg, wp, lp, &result)) return result;
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd(), &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, mirror_.FormBrush());
      return 1;
    }
    case WM_LBUTTONDOWN:
      presenter_->FormMouseDown(ui::MouseButton::Left);
      SyncAll();
      return 0;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
      if (hdr->hwndFrom == tabs_ && hdr->code == TCN_SELCHANGE) {
        presenter_->PageClick(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
        SyncAll();
      }
      return 0;
    }
    case WM_CLOSE:
      presenter_->FormClose();
      SyncAll();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace tavu::win
