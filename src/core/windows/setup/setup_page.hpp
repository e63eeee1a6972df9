#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "base/geometry.hpp"
#include "settings/settings.hpp"

namespace tavu {

class TfrmSetup;

// One control of a settings page as data: what it is, where it sits, what it says, the setting
// it edits and the handler that reacts to the user's change. A page's controls are derived from
// its rows and the settings at every refresh; nothing is copied, so a setting changed on any
// path (the menu, a hot key, another window) shows on the page at once.
struct PageRow {
  enum class Kind : uint8_t {
    Label,
    GroupBox,
    CheckBox,
    RadioChoice,
    ComboBox,
    NumberField,
    Bar,
    Button,
  };
  // A switch, a choice from a list (whose items the control shows), or a bounded number (whose
  // bounds the control keeps, also when they follow another setting).
  using Setting =
      std::variant<std::monostate, bool Settings::*, Choice Settings::*, Bounded Settings::*>;

  int id = 0;  // the control's stable id (setup_ids.hpp)
  Kind kind = Kind::Label;
  std::string_view caption;  // a label's or box's text; a radio choice's group caption
  Rect rect;                 // client coordinates of the window
  std::string_view hint;     // tool tip
  Setting setting;
  int line = 1;  // a bar's arrows move it by this much
  int page = 1;  // a click beside its thumb by this much
  // Runs after the user changed the setting (or pressed the button).
  void (TfrmSetup::*react)() = nullptr;
  bool enabled = true;
  // Shown with its page only while this holds (none: always).
  bool (*shown)(const TfrmSetup&) = nullptr;
  // A text that follows the settings, instead of the caption.
  std::string (*text)(const Settings&) = nullptr;
};

struct SetupPageTable {
  int page = 0;  // index in tab order
  std::span<const PageRow> rows;
};

// One function per page, each in its own file (page_<name>.cpp).
SetupPageTable ModePage();

// The pages built so far.
std::span<const SetupPageTable> SetupPages();

}  // namespace tavu
