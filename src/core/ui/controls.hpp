#pragma once
// The one vocabulary of what a window shows: its controls as plain values that presenters own
// and views mirror, and what the user does to them as the views report it.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "base/geometry.hpp"

namespace tavu {
struct StoredFont;
}

namespace tavu::ui {

inline constexpr int kDefaultCharset = 1;
inline constexpr int kGb2312Charset = 134;
inline constexpr uint8_t kSysColorBtnFace = 15;
// The face colour of dialogs and buttons.
inline constexpr Color kFaceColor = SystemColor(kSysColorBtnFace);

enum class FontUnit : uint8_t { Pixels, Points };

// A font in one unit: face, size, style and text colour. Pixels are design pixels (96 dpi);
// views scale both units to the screen's dpi.
struct Font {
  std::string face = "宋体";
  int size = 12;
  FontUnit unit = FontUnit::Pixels;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  Color color = 0;
  int charset = kGb2312Charset;

  bool operator==(const Font&) const = default;
  // The same face, size and style: only the colour may differ.
  bool SameFace(const Font& other) const;
  // Grows by `points`; a pixel size grows by 4 px for every 3 pt (96 dpi), never below 1.
  void Grow(int points);
};

Font PixelFont(std::string face, int px, bool bold = false, Color color = 0);
Font PointFont(std::string face, int pt, Color color = 0, int charset = kGb2312Charset);
// The settings' font (the break screen's slogan font) in this vocabulary.
Font FromSettings(const StoredFont& stored);

// What every control has. `rect` is in client coordinates of its window; an auto-sized control
// (a label or check box whose size follows its text and font) uses only its left and top.
struct Control {
  Rect rect;
  std::string text;
  std::string hint;  // tool tip; empty for none
  bool enabled = true;
  bool visible = true;
  bool auto_size = false;
  std::optional<Font> font;   // none: the window's font
  std::optional<Color> back;  // none: the window's colour, or see-through where it is drawn

  Point Pos() const { return {rect.left, rect.top}; }
  // Moves the top-left corner and keeps the size.
  void MoveTo(Point p) { rect = {p.x, p.y, p.x + rect.Width(), p.y + rect.Height()}; }
};

struct Label : Control {
  bool link = false;  // a web link: clicks are reported, the cursor is a hand
};
struct Button : Control {};
struct GroupBox : Control {};
// A picture the view draws (by the control's id); clicks on it are reported.
struct Picture : Control {};

struct CheckBox : Control {
  bool checked = false;
};

// A group box with one radio button per item, stacked inside it; exactly `index` is checked
// (none for -1).
struct RadioChoice : Control {
  std::vector<std::string> items;
  int index = -1;
  int item_height = 27;  // from one item's top to the next
};

struct Edit : Control {
  bool read_only = false;
};

// Arrows that step a number; the presenter owns the number (the view never binds them to an
// edit as its buddy).
struct UpDown : Control {
  int min = 0;
  int max = 0;
  int position = 0;
};

// An edit showing a number with arrows beside it, within bounds.
struct NumberField : Control {
  int min = 0;
  int max = 0;
  int value = 0;
};

// A drop-down list. `rect` is the closed field; the dropped list gets `drop_height` more.
// `editable`: the field takes typed text too (`text` is what it shows). `swatches`: a colour
// box, each item drawn after a sample of its colour.
struct ComboBox : Control {
  std::vector<std::string> items;
  int index = -1;
  int drop_height = 160;
  bool editable = false;
  std::vector<Color> swatches;
};

enum class ScrollStep : uint8_t { LineLess, LineMore, PageLess, PageMore, Thumb, ToMin, ToMax };

// A scroll step the user asked for; `thumb` is where the thumb was let go (Thumb only).
struct ScrollInput {
  ScrollStep step = ScrollStep::LineMore;
  int thumb = 0;
};

// A scroll bar or track bar. Arrows move by `line`, clicks beside the thumb by `page`; a thumb
// drag lands where it was let go.
struct Bar : Control {
  enum class Style : uint8_t { Scroll, Track };
  Style style = Style::Scroll;
  bool vertical = false;
  int min = 0;
  int max = 100;
  int position = 0;
  int line = 1;
  int page = 10;
  // Where `input` takes the bar from its position, within min..max.
  int Next(const ScrollInput& input) const;
};

struct ProgressBar : Control {
  int min = 0;
  int max = 100;
  int position = 0;
};

using AnyControl = std::variant<Label, Button, GroupBox, Picture, CheckBox, RadioChoice, Edit,
                                UpDown, NumberField, ComboBox, Bar, ProgressBar>;

// The window itself. `bounds` is the outer frame in screen coordinates; left empty, the view
// centres a frame around `client` on the screen.
struct FormState {
  std::string caption;
  Rect bounds;
  Size client;
  Color color = kFaceColor;
  Font font;  // the window's font: controls without one of their own
  bool visible = false;
};

// ---- What the user did, as the view reports it ------------------------------------------------

// The keys the windows tell apart.
enum class Key : uint8_t { Other, Escape };

enum class MouseButton : uint8_t { Left, Right, Middle };

struct Input {
  enum class Kind : uint8_t {
    Click,   // a button or picture; a click into an edit
    Check,   // a check box: `checked` is the state the user asks for
    Select,  // a list or radio choice: `value` is the item
    Text,    // an edit: `text` is what it holds now
    Step,    // arrows: `value` is +1 (up) or -1 (down)
    Scroll,  // a bar: `scroll`
  };
  Kind kind = Kind::Click;
  bool checked = false;
  int value = 0;
  std::string text;
  ScrollInput scroll;
};

}  // namespace tavu::ui
