#pragma once
// Short forms for the rows of the settings pages: a factory per control kind and modifiers
// that return a changed copy, so that a page reads as a list of its controls.
#include "windows/setup/setup_page.hpp"

namespace tavu::rows {

using Kind = PageRow::Kind;
using React = void (TfrmSetup::*)();
using Predicate = bool (*)(const TfrmSetup&);

// A label or check box as wide as its text, at (x, y).
constexpr Rect At(int x, int y) { return {x, y, x, y}; }

inline PageRow Make(int id, Kind kind, std::string_view caption, Rect rect,
                    PageRow::Setting setting = {}, React react = nullptr) {
  PageRow row;
  row.id = id;
  row.kind = kind;
  row.caption = caption;
  row.rect = rect;
  row.setting = setting;
  row.react = react;
  return row;
}

inline PageRow Text(int id, std::string_view caption, Rect rect) {
  return Make(id, Kind::Label, caption, rect);
}
inline PageRow Link(int id, std::string_view caption, Rect rect, React react) {
  return Make(id, Kind::Link, caption, rect, {}, react);
}
inline PageRow Group(int id, std::string_view caption, Rect rect) {
  return Make(id, Kind::GroupBox, caption, rect);
}
inline PageRow Check(int id, std::string_view caption, Rect rect, bool Settings::*setting,
                     React react = nullptr) {
  return Make(id, Kind::CheckBox, caption, rect, setting, react);
}
inline PageRow Number(int id, Rect rect, Bounded Settings::*setting, React react = nullptr) {
  return Make(id, Kind::NumberField, {}, rect, setting, react);
}
inline PageRow List(int id, Rect rect, PageRow::Setting setting, React react = nullptr) {
  return Make(id, Kind::ComboBox, {}, rect, setting, react);
}
// A list of fixed texts bound to no setting.
inline PageRow Fixed(int id, Rect rect, std::span<const std::string_view> items) {
  PageRow row = Make(id, Kind::ComboBox, {}, rect);
  row.items = items;
  return row;
}
inline PageRow ColorList(int id, Rect rect, Color Settings::*setting, React react = nullptr) {
  return Make(id, Kind::ColorBox, {}, rect, setting, react);
}
inline PageRow Press(int id, std::string_view caption, Rect rect, React react = nullptr) {
  return Make(id, Kind::Button, caption, rect, {}, react);
}
inline PageRow Bar(int id, Rect rect, Bounded Settings::*setting, int line, int page,
                   React react = nullptr) {
  PageRow row = Make(id, Kind::Bar, {}, rect, setting, react);
  row.line = line;
  row.page = page;
  return row;
}
inline PageRow Image(int id, Rect rect) { return Make(id, Kind::Picture, {}, rect); }

// Modifiers.
inline PageRow Hint(PageRow row, std::string_view hint) {
  row.hint = hint;
  return row;
}
inline PageRow Hint(PageRow row, std::string (*hint)(const Settings&)) {
  row.hint_text = hint;
  return row;
}
inline PageRow When(PageRow row, Predicate active) {
  row.active = active;
  return row;
}
inline PageRow Disabled(PageRow row) {
  row.enabled = false;
  return row;
}
inline PageRow Shown(PageRow row, Predicate shown) {
  row.shown = shown;
  return row;
}
inline PageRow Colored(PageRow row, Color color) {
  row.color = color;
  return row;
}
inline PageRow Track(PageRow row) {
  row.track = true;
  return row;
}
inline PageRow TextOf(PageRow row, std::string (*text)(const Settings&)) {
  row.text = text;
  return row;
}
inline PageRow Typed(PageRow row, std::string* (*typed)(TfrmSetup&)) {
  row.typed = typed;
  return row;
}

}  // namespace tavu::rows
