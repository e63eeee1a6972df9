#include "ui/monitor_cover.hpp"

namespace tavu::win {

class MonitorCovers::Window : public View {
 public:
  explicit Window(MonitorCovers& owner) : owner_(owner) {
    Create(owner.class_, WS_POPUP, WS_EX_TOPMOST | owner.ex_style_, L"", GetDesktopWindow(),
           static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  ~Window() override {
    if (hwnd()) DestroyWindow(hwnd());
  }
  Rect rect;
  int alpha = -1;
  bool shown = false;  // as last applied, like the mirror: what others did to it stays

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_PAINT:
        if (owner_.paint_) {
          owner_.paint_(hwnd());
        } else {
          PAINTSTRUCT ps;
          HDC dc = BeginPaint(hwnd(), &ps);
          FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
          EndPaint(hwnd(), &ps);
        }
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_CLOSE:
        return 0;  // closed only with the window it belongs to
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_MOUSEMOVE:
        if (owner_.input_) {
          owner_.input_(msg, wp, lp);
          SyncAll();
          return 0;
        }
        break;
      default:
        break;
    }
    return Default(msg, wp, lp);
  }

  MonitorCovers& owner_;
};

MonitorCovers::MonitorCovers(std::wstring window_class, DWORD ex_style, Paint paint, Input input)
    : class_(std::move(window_class)),
      ex_style_(ex_style),
      paint_(std::move(paint)),
      input_(std::move(input)) {}

MonitorCovers::~MonitorCovers() = default;

void MonitorCovers::Apply(const std::vector<Rect>& rects, bool shown, BYTE alpha) {
  while (windows_.size() > rects.size()) windows_.pop_back();
  while (windows_.size() < rects.size()) windows_.push_back(std::make_unique<Window>(*this));
  for (std::size_t i = 0; i < rects.size(); ++i) {
    Window& w = *windows_[i];
    if ((ex_style_ & WS_EX_LAYERED) && w.alpha != alpha) {
      w.alpha = alpha;
      SetLayeredWindowAttributes(w.hwnd(), 0, alpha, LWA_ALPHA);
    }
    if (rects[i] != w.rect || shown != w.shown) {
      w.rect = rects[i];
      w.shown = shown;
      const Rect& r = w.rect;
      SetWindowPos(w.hwnd(), HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(),
                   SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
      if (shown) InvalidateRect(w.hwnd(), nullptr, FALSE);
    }
  }
}

void MonitorCovers::Clear() { windows_.clear(); }

void MonitorCovers::Raise() {
  for (const auto& w : windows_)
    SetWindowPos(w->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool MonitorCovers::Owns(HWND window) const {
  for (const auto& w : windows_)
    if (w->hwnd() == window) return true;
  return false;
}

}  // namespace tavu::win
