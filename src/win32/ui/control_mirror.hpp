#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.hpp"

namespace tavu::win {

// Mirrors a presenter's description of a window onto the real window and its child controls.
// The first Apply creates a control; every later one applies only the properties that changed
// since they were last applied, one by one, comparing with what was applied and never with
// what the window shows now. So a window the user moved, sized or minimised stays as it is until
// the presenter changes its bounds, and a refresh never flickers or moves a caret.
//
// It also turns the controls' notifications into ui::Input (the core never sees a message
// number), gives every control with a hint a real tool tip, and answers the WM_CTLCOLOR*
// messages with each control's colours.
//
// Units: a window described in 96-dpi pixels (Design) is scaled to its monitor's dpi, frame,
// controls and fonts alike; a window laid out from the screen's own pixels (Device) is placed
// as it is. Font sizes in points follow the dpi in both. The dpi is the window's own: read from
// its monitor when attached, and changed when Windows says the window moved to a monitor of
// another density (WM_DPICHANGED, seen before the view's own handler).
class ControlMirror {
 public:
  enum class Units { Design, Device };
  using InputHandler = std::function<void(int id, const ui::Input& input)>;

  ControlMirror() = default;
  ~ControlMirror();
  ControlMirror(const ControlMirror&) = delete;
  ControlMirror& operator=(const ControlMirror&) = delete;

  void Attach(HWND parent, Units units, InputHandler on_input);
  // Added to every control's position: the inner border some windows have.
  void SetOrigin(Point origin) { origin_ = origin; }

  // The window itself: caption, frame, colour and the font of controls without their own.
  void ApplyForm(const ui::FormState& form);

  void Apply(int id, const ui::Label& c);
  void Apply(int id, const ui::Button& c);
  void Apply(int id, const ui::GroupBox& c);
  void Apply(int id, const ui::Picture& c);
  void Apply(int id, const ui::CheckBox& c);
  // The group box takes `id`, item i the id `id` + 1 + i.
  void Apply(int id, const ui::RadioChoice& c);
  void Apply(int id, const ui::Edit& c);
  void Apply(int id, const ui::UpDown& c);
  // The edit takes `id`, its arrows `id` + 1.
  void Apply(int id, const ui::NumberField& c);
  void Apply(int id, const ui::ComboBox& c);
  void Apply(int id, const ui::Bar& c);
  void Apply(int id, const ui::ProgressBar& c);
  void Apply(int id, const ui::AnyControl& c);

  // Routes a message of the parent window: a control's notification becomes input for the
  // handler, a colour query is answered. True if the message was taken; `result` is its answer.
  bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

  // True while a frame or control is being applied: the window's own notifications of it are
  // not the user's doing.
  bool applying() const { return applying_ > 0; }
  HWND Find(int id) const;
  // The tool-tip window (created with the first hint), owned by the parent.
  HWND tool_tips() const { return tips_; }
  // The extent of `text` in `font`, in this window's units.
  Size Measure(const ui::Font& font, std::string_view text);
  // The same as a window of this kind would measure it at `dpi`.
  Size Measure(const ui::Font& font, std::string_view text, int dpi);
  COLORREF FormColor() const { return Resolve(form_color_); }
  HBRUSH FormBrush() { return Brush(FormColor()); }
  int dpi() const { return dpi_; }
  // Lays every control out again at `dpi`, fonts and tool tips made anew. The frame is left to
  // the caller: on WM_DPICHANGED a Design window takes the rectangle Windows suggests.
  void SetDpi(int dpi);
  // This window's pixels to the screen's (identity for Device units).
  int Scale(int v) const;
  // The frame around a client area of `client`, both in this window's units, at its dpi.
  Size FrameSize(Size client) const;

  static COLORREF Resolve(Color c);

 private:
  enum class Kind {
    Label,
    Button,
    GroupBox,
    Picture,
    CheckBox,
    RadioChoice,
    Edit,
    UpDown,
    NumberField,
    ComboBox,
    EditCombo,   // a list that takes typed text
    ColorCombo,  // a list of colours, drawn by the mirror
    ScrollBar,
    TrackBar,
    ProgressBar
  };

  // A control and what was last applied to it.
  struct Applied {
    Kind kind = Kind::Label;
    HWND hwnd = nullptr;
    std::vector<HWND> parts;  // radio items, or a number field's arrows
    bool fresh = true;
    RECT device{};
    Size extra;  // added to an auto-sized control's text extent, in 96-dpi pixels
    ui::Control last;
    std::string font_key;
    bool checked = false;
    int index = -1;
    int min = 0;
    int max = 0;
    int position = 0;
    int step_line = 0;
    int step_page = 0;
    int item_height = 0;
    bool read_only = false;
    bool link = false;
    std::vector<std::string> items;
    std::vector<Color> swatches;
    std::vector<HWND> tipped;  // windows registered with the tool tip
  };
  // Whose notification a window sends: a control's id, and the item for radio buttons.
  struct Owner {
    int id = 0;
    int item = -1;
  };

  class Applying;

  Applied& Ensure(int id, Kind kind, const ui::Control& c);
  HWND Create(const wchar_t* cls, DWORD style, int id);
  // `extra` (96-dpi pixels, scaled in both units): width added to an auto-sized control's text
  // and its least height.
  void ApplyCommon(Applied& a, const ui::Control& c, Size extra = {});
  void ApplyRect(Applied& a, const RECT& device);
  void ApplyTip(Applied& a, const std::string& hint);
  // Shows or hides the control once everything else is applied, and remembers `c`.
  void Finish(Applied& a, const ui::Control& c);
  RECT DeviceRect(const ui::Control& c, Size extra);
  HFONT FontFor(const std::optional<ui::Font>& font, std::string* key = nullptr);
  HBRUSH Brush(COLORREF color);
  const ui::Font& EffectiveFont(const std::optional<ui::Font>& font) const {
    return font ? *font : form_font_;
  }
  void Notify(int id, const ui::Input& input);
  bool Colors(HDC dc, HWND control, LRESULT* result);
  bool DrawColorItem(const DRAWITEMSTRUCT& item);
  static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  static LRESULT CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  HWND parent_ = nullptr;
  Units units_ = Units::Design;
  InputHandler on_input_;
  Point origin_;
  int dpi_ = 96;
  int applying_ = 0;

  bool form_fresh_ = true;
  std::string caption_;
  Rect bounds_;
  Size client_;
  Color form_color_ = ui::kFaceColor;
  ui::Font form_font_;

  std::map<int, Applied> controls_;
  std::map<HWND, Owner> owners_;
  std::map<std::string, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  HWND tips_ = nullptr;
};

}  // namespace tavu::win
