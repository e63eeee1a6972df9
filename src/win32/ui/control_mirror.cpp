#include "ui/control_mirror.hpp"

#include <commctrl.h>

#include <algorithm>
#include <charconv>

#include "base/dpi.hpp"
#include "ui/dpi.hpp"
#include "ui/text.hpp"

namespace tavu::win {

namespace {

constexpr UINT_PTR kEditSubclass = 0x7A76;
constexpr UINT_PTR kParentSubclass = 0x7A77;
// A check box's box and the gap before its text, at 96 dpi.
constexpr int kCheckExtra = 22;
constexpr int kCheckMinHeight = 17;
// A number field's arrows, at 96 dpi.
constexpr int kArrowsWidth = 16;
// Radio items inside their group box, at 96 dpi.
constexpr int kItemIndent = 16;
constexpr int kItemsTop = 22;
constexpr int kItemHeight = 20;

std::wstring WindowText(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  return text;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::optional<int> ParseInt(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc{} || at != end) return std::nullopt;
  return value;
}

std::optional<ui::ScrollInput> ScrollOf(int code, int thumb) {
  switch (code) {
    case SB_LINEUP:
      return ui::ScrollInput{ui::ScrollStep::LineLess};
    case SB_LINEDOWN:
      return ui::ScrollInput{ui::ScrollStep::LineMore};
    case SB_PAGEUP:
      return ui::ScrollInput{ui::ScrollStep::PageLess};
    case SB_PAGEDOWN:
      return ui::ScrollInput{ui::ScrollStep::PageMore};
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      return ui::ScrollInput{ui::ScrollStep::Thumb, thumb};
    case SB_TOP:
      return ui::ScrollInput{ui::ScrollStep::ToMin};
    case SB_BOTTOM:
      return ui::ScrollInput{ui::ScrollStep::ToMax};
    default:
      return std::nullopt;  // the end of a scroll: nothing new
  }
}

}  // namespace

// Marks the mirror busy while it applies, so that the notifications its own changes cause are
// not taken for the user's.
class ControlMirror::Applying {
 public:
  explicit Applying(ControlMirror& mirror) : mirror_(mirror) { ++mirror_.applying_; }
  ~Applying() { --mirror_.applying_; }
  Applying(const Applying&) = delete;
  Applying& operator=(const Applying&) = delete;

 private:
  ControlMirror& mirror_;
};

ControlMirror::~ControlMirror() {
  if (parent_ && IsWindow(parent_)) RemoveWindowSubclass(parent_, ParentProc, kParentSubclass);
  if (tips_ && IsWindow(tips_)) DestroyWindow(tips_);
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
}

void ControlMirror::Attach(HWND parent, Units units, InputHandler on_input) {
  parent_ = parent;
  units_ = units;
  on_input_ = std::move(on_input);
  dpi_ = WindowDpi(parent);
  // Ahead of the view's own procedure: the view's hook finds its controls laid out anew.
  SetWindowSubclass(parent, ParentProc, kParentSubclass, reinterpret_cast<DWORD_PTR>(this));
}

int ControlMirror::Scale(int v) const {
  return units_ == Units::Design ? dpi::ToDevice(v, dpi_) : v;
}

Size ControlMirror::FrameSize(Size client) const {
  RECT r{0, 0, Scale(client.w), Scale(client.h)};
  AdjustFrameForDpi(&r, static_cast<DWORD>(GetWindowLongPtrW(parent_, GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongPtrW(parent_, GWL_EXSTYLE)), dpi_);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (units_ == Units::Design) return {dpi::ToDesign(w, dpi_), dpi::ToDesign(h, dpi_)};
  return {w, h};
}

void ControlMirror::SetDpi(int dpi) {
  dpi = dpi::Valid(dpi);
  if (dpi == dpi_) return;
  Applying applying(*this);
  dpi_ = dpi;
  // Every control takes a font made for the new dpi; the old ones go once none holds them.
  std::map<std::string, HFONT> old_fonts;
  old_fonts.swap(fonts_);
  // The tool tips' own font and width are the old dpi's: a new window, every tool added again.
  if (tips_) DestroyWindow(tips_);
  tips_ = nullptr;
  for (auto& [id, a] : controls_) {
    if (!a.hwnd) continue;
    std::string key;
    const HFONT font = FontFor(a.last.font, &key);
    a.font_key = std::move(key);
    SendMessageW(a.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (HWND part : a.parts) SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    a.device = {};
    ApplyRect(a, DeviceRect(a.last, a.extra));
    a.tipped.clear();
    ApplyTip(a, a.last.hint);
  }
  for (auto& [key, font] : old_fonts) DeleteObject(font);
  RedrawWindow(parent_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

COLORREF ControlMirror::Resolve(Color c) {
  if (IsSystemColor(c)) return GetSysColor(static_cast<int>(c & 0xFF));
  return static_cast<COLORREF>(c & 0x00FFFFFF);
}

HWND ControlMirror::Find(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second.hwnd;
}

HFONT ControlMirror::FontFor(const std::optional<ui::Font>& font, std::string* key_out) {
  const ui::Font& f = EffectiveFont(font);
  const int px = f.unit == ui::FontUnit::Points ? dpi::PointsToPixels(f.size, dpi_) : Scale(f.size);
  std::string key = f.face + '|' + std::to_string(px) + '|' + char('0' + f.bold) +
                    char('0' + f.italic) + char('0' + f.underline) + char('0' + f.strike_out) +
                    '|' + std::to_string(f.charset);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    LOGFONTW lf{};
    lf.lfHeight = -px;
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic;
    lf.lfUnderline = f.underline;
    lf.lfStrikeOut = f.strike_out;
    lf.lfCharSet = static_cast<BYTE>(f.charset);
    lf.lfQuality = CLEARTYPE_QUALITY;
    Wide(f.face).copy(lf.lfFaceName, LF_FACESIZE - 1);
    it = fonts_.emplace(key, CreateFontIndirectW(&lf)).first;
  }
  if (key_out) *key_out = std::move(key);
  return it->second;
}

HBRUSH ControlMirror::Brush(COLORREF color) {
  auto it = brushes_.find(color);
  if (it == brushes_.end()) it = brushes_.emplace(color, CreateSolidBrush(color)).first;
  return it->second;
}

Size ControlMirror::Measure(const ui::Font& font, std::string_view text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontFor(font));
  const std::wstring w = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
  if (w.empty()) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    size.cy = tm.tmHeight;
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  if (units_ == Units::Design) return {dpi::ToDesign(size.cx, dpi_), dpi::ToDesign(size.cy, dpi_)};
  return {size.cx, size.cy};
}

Size ControlMirror::Measure(const ui::Font& font, std::string_view text, int dpi) {
  const int own = dpi_;
  dpi_ = dpi::Valid(dpi);
  const Size size = Measure(font, text);
  dpi_ = own;
  return size;
}

// ---- The window -----------------------------------------------------------------------------

void ControlMirror::ApplyForm(const ui::FormState& form) {
  Applying applying(*this);
  if (form_fresh_ || form.caption != caption_) {
    caption_ = form.caption;
    SetWindowTextW(parent_, Wide(caption_).c_str());
  }
  if (form_fresh_ || form.color != form_color_) {
    form_color_ = form.color;
    if (!form_fresh_)
      RedrawWindow(parent_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  // Controls without a font of their own take a new one at their next Apply.
  form_font_ = form.font;

  const Rect& b = form.bounds;
  if (b.Width() > 0 && b.Height() > 0) {
    if (form_fresh_ || b != bounds_) {
      bounds_ = b;
      SetWindowPos(parent_, nullptr, Scale(b.left), Scale(b.top), Scale(b.right) - Scale(b.left),
                   Scale(b.bottom) - Scale(b.top), SWP_NOZORDER | SWP_NOACTIVATE);
    }
  } else if (form.client.w > 0 && form.client.h > 0) {
    if (form_fresh_ || form.client != client_) {
      client_ = form.client;
      RECT r{0, 0, Scale(client_.w), Scale(client_.h)};
      AdjustFrameForDpi(&r, static_cast<DWORD>(GetWindowLongPtrW(parent_, GWL_STYLE)),
                        static_cast<DWORD>(GetWindowLongPtrW(parent_, GWL_EXSTYLE)), dpi_);
      const int w = r.right - r.left, h = r.bottom - r.top;
      SetWindowPos(parent_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                   (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  form_fresh_ = false;
}

// ---- Creating and applying controls -----------------------------------------------------------

HWND ControlMirror::Create(const wchar_t* cls, DWORD style, int id) {
  HWND h = CreateWindowExW(0, cls, L"", WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, parent_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  // Each control goes above those made before it: a group box first, then what it holds.
  SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  owners_[h] = {id, -1};
  return h;
}

ControlMirror::Applied& ControlMirror::Ensure(int id, Kind kind, const ui::Control& c) {
  auto it = controls_.find(id);
  if (it != controls_.end() && it->second.kind == kind) return it->second;
  if (it != controls_.end()) {
    // Another kind under the same id: the old control goes, tool tips and all.
    ApplyTip(it->second, {});
    for (HWND part : it->second.parts) {
      owners_.erase(part);
      DestroyWindow(part);
    }
    owners_.erase(it->second.hwnd);
    DestroyWindow(it->second.hwnd);
    controls_.erase(it);
  }
  Applied& a = controls_[id];
  a.kind = kind;
  switch (kind) {
    case Kind::Label:
      a.hwnd = Create(L"STATIC",
                      SS_NOPREFIX | SS_NOTIFY | (c.auto_size ? SS_LEFTNOWORDWRAP : SS_LEFT), id);
      break;
    case Kind::Button:
      a.hwnd = Create(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, id);
      break;
    case Kind::GroupBox:
    case Kind::RadioChoice:
      a.hwnd = Create(L"BUTTON", BS_GROUPBOX, id);
      break;
    case Kind::Picture:
      a.hwnd = Create(L"STATIC", SS_OWNERDRAW | SS_NOTIFY, id);
      break;
    case Kind::CheckBox:
      // Not an automatic box: the presenter decides what it shows.
      a.hwnd = Create(L"BUTTON", BS_CHECKBOX | WS_TABSTOP, id);
      break;
    case Kind::Edit:
    case Kind::NumberField:
      a.hwnd = Create(
          WC_EDITW,
          WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP | (kind == Kind::NumberField ? ES_NUMBER : 0),
          id);
      SetWindowSubclass(a.hwnd, EditProc, kEditSubclass, reinterpret_cast<DWORD_PTR>(this));
      if (kind == Kind::NumberField) {
        HWND arrows = Create(UPDOWN_CLASSW, UDS_ARROWKEYS, id + 1);
        owners_[arrows] = {id, -1};
        a.parts.push_back(arrows);
      }
      break;
    case Kind::UpDown:
      a.hwnd = Create(UPDOWN_CLASSW, UDS_ARROWKEYS, id);
      break;
    case Kind::ComboBox:
      a.hwnd = Create(WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, id);
      break;
    case Kind::EditCombo:
      a.hwnd = Create(WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, id);
      break;
    case Kind::ColorCombo:
      a.hwnd = Create(
          WC_COMBOBOXW,
          CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP, id);
      break;
    case Kind::ScrollBar:
    case Kind::TrackBar:
      break;  // made by Apply(Bar), which knows the orientation
    case Kind::ProgressBar:
      a.hwnd = Create(PROGRESS_CLASSW, PBS_SMOOTH, id);
      break;
  }
  return a;
}

RECT ControlMirror::DeviceRect(const ui::Control& c, Size extra) {
  const int left = Scale(c.rect.left + origin_.x);
  const int top = Scale(c.rect.top + origin_.y);
  if (!c.auto_size)
    return {left, top, Scale(c.rect.right + origin_.x), Scale(c.rect.bottom + origin_.y)};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontFor(c.font));
  const std::wstring w = Wide(c.text);
  SIZE size{};
  GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  const int h = std::max<int>({size.cy, tm.tmHeight, dpi::ToDevice(extra.h, dpi_)});
  return {left, top, left + size.cx + dpi::ToDevice(extra.w, dpi_), top + h};
}

void ControlMirror::ApplyRect(Applied& a, const RECT& r) {
  if (!a.fresh && SameRect(r, a.device)) return;
  a.device = r;
  const int w = r.right - r.left, h = r.bottom - r.top;
  switch (a.kind) {
    case Kind::ComboBox:
    case Kind::EditCombo:
    case Kind::ColorCombo: {
      // The list's items were measured at the density the box was made at.
      if (a.kind == Kind::ColorCombo) SendMessageW(a.hwnd, CB_SETITEMHEIGHT, 0, Scale(18));
      const int drop = Scale(a.item_height);
      MoveWindow(a.hwnd, r.left, r.top, w, h + drop, TRUE);
      RECT field_rect;
      GetWindowRect(a.hwnd, &field_rect);
      int field = field_rect.bottom - field_rect.top;
      // Asks for the designed height of the closed field; where it is not given (Wine sizes it
      // by its font), its bottom edge stays where the layout puts it.
      const LRESULT item = SendMessageW(a.hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
      if (field != h && item > 0 && item + (h - field) > 0) {
        SendMessageW(a.hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item + (h - field));
        GetWindowRect(a.hwnd, &field_rect);
        field = field_rect.bottom - field_rect.top;
      }
      if (field != h && field > 0)
        MoveWindow(a.hwnd, r.left, r.bottom - field, w, field + drop, TRUE);
      break;
    }
    case Kind::NumberField: {
      const int arrows = Scale(kArrowsWidth);
      MoveWindow(a.hwnd, r.left, r.top, std::max(0, w - arrows), h, TRUE);
      MoveWindow(a.parts[0], r.right - arrows, r.top, arrows, h, TRUE);
      break;
    }
    case Kind::RadioChoice:
      MoveWindow(a.hwnd, r.left, r.top, w, h, TRUE);
      for (size_t i = 0; i < a.parts.size(); ++i) {
        const int item_top = r.top + Scale(kItemsTop + static_cast<int>(i) * a.item_height);
        MoveWindow(a.parts[i], r.left + Scale(kItemIndent), item_top,
                   std::max(0, w - 2 * Scale(kItemIndent) - 1), Scale(kItemHeight), TRUE);
      }
      break;
    default:
      MoveWindow(a.hwnd, r.left, r.top, w, h, TRUE);
      break;
  }
}

void ControlMirror::ApplyTip(Applied& a, const std::string& hint) {
  std::vector<HWND> windows{a.hwnd};
  windows.insert(windows.end(), a.parts.begin(), a.parts.end());
  if (hint.empty() && a.tipped.empty()) return;
  if (!tips_ && !hint.empty()) {
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, parent_, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(std::nullopt)), FALSE);
    SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, Scale(400));
  }
  std::wstring text = Wide(hint);
  for (HWND w : windows) {
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = parent_;
    ti.uId = reinterpret_cast<UINT_PTR>(w);
    ti.lpszText = text.data();
    const bool tipped = std::find(a.tipped.begin(), a.tipped.end(), w) != a.tipped.end();
    if (hint.empty()) {
      if (tipped) SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    } else if (tipped) {
      SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    } else {
      SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
  }
  a.tipped = hint.empty() ? std::vector<HWND>{} : windows;
}

// Everything every control has, but its visibility (Finish shows it once it is complete).
void ControlMirror::ApplyCommon(Applied& a, const ui::Control& c, Size extra) {
  const bool has_text = a.kind == Kind::Label || a.kind == Kind::Button ||
                        a.kind == Kind::GroupBox || a.kind == Kind::CheckBox ||
                        a.kind == Kind::RadioChoice || a.kind == Kind::Edit ||
                        a.kind == Kind::EditCombo;
  a.extra = extra;
  std::string key;
  HFONT font = FontFor(c.font, &key);
  const bool font_changed = a.fresh || key != a.font_key;
  if (font_changed) {
    a.font_key = key;
    SendMessageW(a.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), !a.fresh);
    for (HWND part : a.parts)
      SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(font), !a.fresh);
  }
  if (!a.fresh &&
      (EffectiveFont(c.font).color != EffectiveFont(a.last.font).color || c.back != a.last.back)) {
    InvalidateRect(a.hwnd, nullptr, TRUE);
    for (HWND part : a.parts) InvalidateRect(part, nullptr, TRUE);
  }
  const bool text_changed = a.fresh || c.text != a.last.text;
  if (has_text && text_changed) SetWindowTextW(a.hwnd, Wide(c.text).c_str());
  if (a.fresh || font_changed || (c.auto_size && text_changed) || c.rect != a.last.rect ||
      c.auto_size != a.last.auto_size)
    ApplyRect(a, DeviceRect(c, extra));
  if (a.fresh || c.enabled != a.last.enabled) {
    EnableWindow(a.hwnd, c.enabled);
    for (HWND part : a.parts) EnableWindow(part, c.enabled);
  }
  if (a.fresh || c.hint != a.last.hint) ApplyTip(a, c.hint);
}

void ControlMirror::Finish(Applied& a, const ui::Control& c) {
  if (a.fresh || c.visible != a.last.visible) {
    const int show = c.visible ? SW_SHOWNA : SW_HIDE;
    ShowWindow(a.hwnd, show);
    for (HWND part : a.parts) ShowWindow(part, show);
  }
  a.last = c;
  a.fresh = false;
}

void ControlMirror::Apply(int id, const ui::Label& c) {
  Applying applying(*this);
  Applied& a = Ensure(id, Kind::Label, c);
  a.link = c.link;
  ApplyCommon(a, c);
  Finish(a, c);
}

void ControlMirror::Apply(int id, const ui::Button& c) {
  Applying applying(*this);
  Applied& a = Ensure(id, Kind::Button, c);
  ApplyCommon(a, c);
  Finish(a, c);
}

void ControlMirror::Apply(int id, const ui::GroupBox& c) {
  Applying applying(*this);
  Applied& a = Ensure(id, Kind::GroupBox, c);
  ApplyCommon(a, c);
  Finish(a, c);
}

void ControlMirror::Apply(int id, const ui::Picture& c) {
  Applying applying(*this);
  Applied& a = Ensure(id, Kind::Picture, c);
  ApplyCommon(a, c);
  Finish(a, c);
}

void ControlMirror::Apply(int id, const ui::CheckBox& c) {
  Applying applying(*this);
  Applied& a = Ensure(id, Kind::CheckBox, c);
  ApplyCommon(a, c, {kCheckExtra, kCheckMinHeight});
  if (a.fresh || c.checked != a.checked) {
    a.checked = c.checked;
    SendMessageW(a.hwnd, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  Finish(a, c);
}

void ControlMirror::Apply(int id, const ui::RadioChoice& c) {
  Applying applying(*this);
  Applied& a = Ensure(id, Kind::RadioChoice, c);
  if (a.fresh || c.items != a.items) {
    for (HWND part : a.parts) {
      if (tips_ && std::find(a.tipped.begin(), a.tipped.end(), part) != a.tipped.end()) {
        TOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = parent_;
        ti.uId = reinterpret_cast<UINT_PTR>(part);
        SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
      }
      owners_.erase(part);
      DestroyWindow(part);
    }
    a.tipped.clear();
    a.parts.clear();
    for (size_t i = 0; i < c.items.size(); ++i) {
      const int item_id = id + 1 + static_cast<int>(i);
      HWND item = Create(L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP | (i == 0 ? WS_GROUP : 0), item_id);
      owners_[item] = {id, static_cast<int>(i)};
      SetWindowTextW(item, Wide(c.items[i]).c_str());
      a.parts.push_back(item);
    }
    a.items = c.items;
    a.fresh = true;  // the new items take everything
  }
  if (c.item_height != a.item_height) {
    a.item_height = c.item_height;
    a.device = {};
  }
  ApplyCommon(a, c);
  if (a.fresh || c.index != a.index) {
    a.index = c.index;
    for (size_t i = 0; i < a.parts.size(); ++i)
      SendMessageW(a.parts[i], BM_SETCHECK,
                   static_cast<int>(i) == c.index ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  Finish(a, c);
}

void ControlMirror::Apply(int id, const ui::Edit& c) {
  Applying applying(*this);
  Applied& a = Ensure(id, Kind::Edit, c);
  if (a.fresh || c.read_only != a.read_only) {
    a.read_only = c.read_only;
    SendMessageW(a.hwnd, EM_SETREADONLY, c.read_only, 0);
  }
  ApplyCommon(a, c);
  Finish(a, c);
}

void ControlMirror::Apply(int id, const ui::UpDown& c) {
  Applying applying(*this);
  Applied& a = Ensure(id, Kind::UpDown, c);
  ApplyCommon(a, c);
  if (a.fresh || c.min != a.min || c.max != a.max) {
    a.min = c.min;
    a.max = c.max;
    SendMessageW(a.hwnd, UDM_SETRANGE32, static_cast<WPARAM>(c.min), static_cast<LPARAM>(c.max));
  }
  if (a.fresh || c.position != a.position) {
    a.position = c.position;
    SendMessageW(a.hwnd, UDM_SETPOS32, 0, c.position);
  }
  Finish(a, c);
}

void ControlMirror::Apply(int id, const ui::NumberField& c) {
  Applying applying(*this);
  Applied& a = Ensure(id, Kind::NumberField, c);
  ApplyCommon(a, c);
  if (a.fresh || c.min != a.min || c.max != a.max) {
    a.min = c.min;
    a.max = c.max;
    SendMessageW(a.parts[0], UDM_SETRANGE32, static_cast<WPARAM>(c.min),
                 static_cast<LPARAM>(c.max));
  }
  if (a.fresh || c.value != a.position) {
    a.position = c.value;
    SendMessageW(a.parts[0], UDM_SETPOS32, 0, c.value);
    SetWindowTextW(a.hwnd, std::to_wstring(c.value).c_str());
  }
  Finish(a, c);
}

void ControlMirror::Apply(int id, const ui::ComboBox& c) {
  Applying applying(*this);
  const Kind kind = !c.swatches.empty() ? Kind::ColorCombo
                    : c.editable        ? Kind::EditCombo
                                        : Kind::ComboBox;
  Applied& a = Ensure(id, kind, c);
  if (a.fresh || c.swatches != a.swatches) {
    a.swatches = c.swatches;
    InvalidateRect(a.hwnd, nullptr, TRUE);
  }
  if (c.drop_height != a.item_height) {
    a.item_height = c.drop_height;
    a.device = {};
  }
  ApplyCommon(a, c);
  if (a.fresh || c.items != a.items) {
    a.items = c.items;
    SendMessageW(a.hwnd, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : c.items)
      SendMessageW(a.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
    a.index = -2;  // the selection went with the old items
  }
  if (a.fresh || c.index != a.index) {
    a.index = c.index;
    SendMessageW(a.hwnd, CB_SETCURSEL, static_cast<WPARAM>(c.index), 0);
    // Selecting replaces what the field of a list that takes text shows.
    if (kind == Kind::EditCombo) SetWindowTextW(a.hwnd, Wide(c.text).c_str());
  }
  Finish(a, c);
}

void ControlMirror::Apply(int id, const ui::Bar& c) {
  Applying applying(*this);
  const bool track = c.style == ui::Bar::Style::Track;
  Applied& a = Ensure(id, track ? Kind::TrackBar : Kind::ScrollBar, c);
  if (!a.hwnd) {
    a.hwnd = track ? Create(TRACKBAR_CLASSW,
                            (c.vertical ? TBS_VERT : TBS_HORZ) | TBS_AUTOTICKS | WS_TABSTOP, id)
                   : Create(L"SCROLLBAR", (c.vertical ? SBS_VERT : SBS_HORZ) | WS_TABSTOP, id);
  }
  ApplyCommon(a, c);
  if (a.fresh || c.min != a.min || c.max != a.max) {
    a.min = c.min;
    a.max = c.max;
    if (track) {
      SendMessageW(a.hwnd, TBM_SETRANGEMIN, FALSE, c.min);
      SendMessageW(a.hwnd, TBM_SETRANGEMAX, TRUE, c.max);
    } else {
      SetScrollRange(a.hwnd, SB_CTL, c.min, c.max, TRUE);
    }
  }
  if (track && (a.fresh || c.line != a.step_line || c.page != a.step_page)) {
    a.step_line = c.line;
    a.step_page = c.page;
    SendMessageW(a.hwnd, TBM_SETLINESIZE, 0, c.line);
    SendMessageW(a.hwnd, TBM_SETPAGESIZE, 0, c.page);
  }
  if (a.fresh || c.position != a.position) {
    a.position = c.position;
    if (track)
      SendMessageW(a.hwnd, TBM_SETPOS, TRUE, c.position);
    else
      SetScrollPos(a.hwnd, SB_CTL, c.position, TRUE);
  }
  Finish(a, c);
}

void ControlMirror::Apply(int id, const ui::ProgressBar& c) {
  Applying applying(*this);
  Applied& a = Ensure(id, Kind::ProgressBar, c);
  ApplyCommon(a, c);
  if (a.fresh || c.min != a.min || c.max != a.max) {
    a.min = c.min;
    a.max = c.max;
    SendMessageW(a.hwnd, PBM_SETRANGE32, static_cast<WPARAM>(c.min), static_cast<LPARAM>(c.max));
    a.position = c.position + 1;  // the range may have moved it
  }
  if (a.fresh || c.position != a.position) {
    a.position = c.position;
    SendMessageW(a.hwnd, PBM_SETPOS, static_cast<WPARAM>(c.position), 0);
  }
  Finish(a, c);
}

void ControlMirror::Apply(int id, const ui::AnyControl& c) {
  std::visit([&](const auto& control) { Apply(id, control); }, c);
}

// ---- What the user did ----------------------------------------------------------------------

void ControlMirror::Notify(int id, const ui::Input& input) {
  if (on_input_) on_input_(id, input);
}

bool ControlMirror::Colors(HDC dc, HWND control, LRESULT* result) {
  auto owner = owners_.find(control);
  if (owner == owners_.end()) return false;
  const Applied& a = controls_.at(owner->second.id);
  const bool editable = (a.kind == Kind::Edit && !a.read_only) || a.kind == Kind::NumberField ||
                        a.kind == Kind::ComboBox || a.kind == Kind::EditCombo ||
                        a.kind == Kind::ColorCombo;
  if (editable && !a.last.back) return false;  // the system's field colours
  const COLORREF back = a.last.back ? Resolve(*a.last.back) : FormColor();
  SetTextColor(dc, Resolve(EffectiveFont(a.last.font).color));
  SetBkColor(dc, back);
  *result = reinterpret_cast<LRESULT>(Brush(back));
  return true;
}

bool ControlMirror::Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return Colors(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), result);
    case WM_COMMAND: {
      auto owner = owners_.find(reinterpret_cast<HWND>(lp));
      if (owner == owners_.end()) return false;
      if (applying()) return true;
      const int id = owner->second.id;
      Applied& a = controls_.at(id);
      const int code = HIWORD(wp);
      ui::Input input;
      switch (a.kind) {
        case Kind::Button:
          if (code != BN_CLICKED) return true;
          input.kind = ui::Input::Kind::Click;
          break;
        case Kind::Picture:
          if (code != STN_CLICKED && code != STN_DBLCLK) return true;
          input.kind = ui::Input::Kind::Click;
          break;
        case Kind::Label:
          if (!a.link || code != STN_CLICKED) return true;
          input.kind = ui::Input::Kind::Click;
          break;
        case Kind::CheckBox:
          if (code != BN_CLICKED) return true;
          input.kind = ui::Input::Kind::Check;
          input.checked = !a.checked;
          break;
        case Kind::RadioChoice:
          if (code != BN_CLICKED || owner->second.item < 0) return true;
          input.kind = ui::Input::Kind::Select;
          input.value = owner->second.item;
          break;
        case Kind::Edit:
        case Kind::NumberField: {
          if (code != EN_CHANGE) return true;
          input.kind = ui::Input::Kind::Text;
          input.text = Utf8(WindowText(a.hwnd));
          // What the user typed is now in the control.
          a.last.text = input.text;
          if (a.kind == Kind::NumberField) a.position = ParseInt(input.text).value_or(a.position);
          break;
        }
        case Kind::ComboBox:
        case Kind::ColorCombo:
        case Kind::EditCombo:
          if (code == CBN_EDITCHANGE && a.kind == Kind::EditCombo) {
            input.kind = ui::Input::Kind::Text;
            input.text = Utf8(WindowText(a.hwnd));
            a.last.text = input.text;
            break;
          }
          if (code != CBN_SELCHANGE) return true;
          input.kind = ui::Input::Kind::Select;
          input.value = static_cast<int>(SendMessageW(a.hwnd, CB_GETCURSEL, 0, 0));
          a.index = input.value;
          if (a.kind == Kind::EditCombo && input.value >= 0 &&
              input.value < static_cast<int>(a.items.size()))
            a.last.text = a.items[static_cast<size_t>(input.value)];
          break;
        default:
          return false;
      }
      Notify(id, input);
      return true;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (item->CtlType != ODT_COMBOBOX) return false;
      item->itemHeight = static_cast<UINT>(Scale(18));
      *result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (item->CtlType != ODT_COMBOBOX || !DrawColorItem(*item)) return false;
      *result = TRUE;
      return true;
    }
    case WM_SETCURSOR: {
      auto owner = owners_.find(reinterpret_cast<HWND>(wp));
      if (owner == owners_.end() || !controls_.at(owner->second.id).link) return false;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      *result = TRUE;
      return true;
    }
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
      auto owner = owners_.find(hdr->hwndFrom);
      if (owner == owners_.end() || hdr->code != UDN_DELTAPOS) return false;
      *result = 1;  // the presenter owns the number
      if (applying()) return true;
      ui::Input input;
      input.kind = ui::Input::Kind::Step;
      input.value = reinterpret_cast<const NMUPDOWN*>(lp)->iDelta > 0 ? 1 : -1;
      Notify(owner->second.id, input);
      return true;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      auto owner = owners_.find(reinterpret_cast<HWND>(lp));
      if (owner == owners_.end()) return false;
      Applied& a = controls_.at(owner->second.id);
      if (applying() || (a.kind != Kind::ScrollBar && a.kind != Kind::TrackBar)) return true;
      int thumb = 0;
      if (a.kind == Kind::TrackBar) {
        // A track bar moves itself before it tells.
        thumb = static_cast<int>(SendMessageW(a.hwnd, TBM_GETPOS, 0, 0));
        a.position = thumb;
      } else if (a.min >= 0 && a.max <= 0xFFFF) {
        thumb = HIWORD(wp);
      } else {
        // The message carries 16 bits only.
        SCROLLINFO si{sizeof si, SIF_TRACKPOS};
        GetScrollInfo(a.hwnd, SB_CTL, &si);
        thumb = si.nTrackPos;
      }
      const auto scroll = ScrollOf(LOWORD(wp), thumb);
      if (!scroll) return true;
      ui::Input input;
      input.kind = ui::Input::Kind::Scroll;
      input.scroll = *scroll;
      Notify(owner->second.id, input);
      return true;
    }
    default:
      return false;
  }
}

// An item of a colour box: a sample of the colour, then its name.
bool ControlMirror::DrawColorItem(const DRAWITEMSTRUCT& item) {
  auto owner = owners_.find(item.hwndItem);
  if (owner == owners_.end()) return false;
  const Applied& a = controls_.at(owner->second.id);
  if (a.kind != Kind::ColorCombo) return false;
  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int index = static_cast<int>(item.itemID);
  if (index < 0 || index >= static_cast<int>(a.items.size())) return true;
  const int pad = Scale(2);
  RECT swatch{r.left + pad, r.top + pad, r.left + pad + Scale(22), r.bottom - pad};
  if (index < static_cast<int>(a.swatches.size())) {
    HBRUSH fill = CreateSolidBrush(Resolve(a.swatches[static_cast<size_t>(index)]));
    FillRect(dc, &swatch, fill);
    DeleteObject(fill);
  }
  FrameRect(dc, &swatch, GetSysColorBrush(COLOR_WINDOWTEXT));
  RECT text = r;
  text.left = swatch.right + Scale(4);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled   ? COLOR_GRAYTEXT
                               : selected ? COLOR_HIGHLIGHTTEXT
                                          : COLOR_WINDOWTEXT));
  const std::wstring name = Wide(a.items[static_cast<size_t>(index)]);
  DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
  return true;
}

LRESULT CALLBACK ControlMirror::ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                           DWORD_PTR ref) {
  if (msg == WM_DPICHANGED) {
    auto* self = reinterpret_cast<ControlMirror*>(ref);
    self->SetDpi(HIWORD(wp));
    const auto* suggested = reinterpret_cast<const RECT*>(lp);
    if (self->units_ == Units::Design && suggested) {
      // As applied, so that a window that refuses the user's sizing takes it all the same.
      Applying applying(*self);
      SetWindowPos(hwnd, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, ParentProc, kParentSubclass);
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ControlMirror::EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                         DWORD_PTR ref) {
  if (msg == WM_LBUTTONDOWN) {
    auto* self = reinterpret_cast<ControlMirror*>(ref);
    if (!self->applying()) {
      ui::Input input;
      input.kind = ui::Input::Kind::Click;
      self->Notify(GetDlgCtrlID(hwnd), input);
    }
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, EditProc, kEditSubclass);
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace tavu::win
