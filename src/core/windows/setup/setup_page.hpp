#pragma once
#include <cstdint>
#include <optional>
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
    Link,  // a label that opens something when clicked
    GroupBox,
    CheckBox,
    RadioChoice,
    ComboBox,  // a list: of its `Choice` setting's items, or of `items`
    ColorBox,  // a `Color` setting: named colours, the default and a custom one
    NumberField,
    Bar,
    Button,
    Picture,
  };
  // A switch, a choice from a list (whose items the control shows), a bounded number (whose
  // bounds the control keeps, also when they follow another setting), or a colour.
  using Setting = std::variant<std::monostate, bool Settings::*, Choice Settings::*,
                               CatalogueChoice Settings::*, Bounded Settings::*, Color Settings::*>;

  int id = 0;  // the control's stable id (setup_ids.hpp)
  Kind kind = Kind::Label;
  std::string_view caption;  // a label's or box's text; a radio choice's group caption
  // Client coordinates of the window; a label or check box of no width is as wide as its text.
  Rect rect;
  std::string_view hint;  // tool tip
  Setting setting;
  int line = 1;        // a bar's arrows move it by this much
  int page = 1;        // a click beside its thumb by this much
  bool track = false;  // a bar drawn as a track bar
  // Runs after the user changed the setting (or pressed the button).
  void (TfrmSetup::*react)() = nullptr;
  bool enabled = true;
  // Enabled only while this holds (none: as `enabled` says).
  bool (*active)(const TfrmSetup&) = nullptr;
  // Shown with its page only while this holds (none: always).
  bool (*shown)(const TfrmSetup&) = nullptr;
  // A text that follows the settings, instead of the caption.
  std::string (*text)(const Settings&) = nullptr;
  // A tool tip that follows the settings, instead of `hint`.
  std::string (*hint_text)(const Settings&) = nullptr;
  std::optional<Color> color;  // the text's colour, if not the window's
  // A list of fixed texts (the first one selected), for a list bound to no setting.
  std::span<const std::string_view> items;
  // A list the user may also type into: the text it shows.
  std::string* (*typed)(TfrmSetup&) = nullptr;
};

struct SetupPageTable {
  int page = 0;  // index in tab order
  std::span<const PageRow> rows;
};

// One function per page, each in its own file (page_<name>.cpp).
SetupPageTable BasicPage();
SetupPageTable ModePage();
SetupPageTable ScreenSaverPage();
SetupPageTable RemindersPage();
SetupPageTable BreakScreenPage();
SetupPageTable CountdownPage();
SetupPageTable ChimePage();
SetupPageTable GeneralPage();
SetupPageTable MorePage();

// Every page, in tab order.
std::span<const SetupPageTable> SetupPages();

}  // namespace tavu
