#pragma once
// The colour boxes of the settings window: the standard, extended and system colours by name,
// a default entry and a custom colour.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.hpp"
#include "ui/controls.hpp"

namespace tavu::ui {

struct NamedColor {
  Color color;
  std::string_view name;
};

inline constexpr std::string_view kDefaultColorEntry = "默认";
inline constexpr std::string_view kCustomColorEntry = "自定义...";
inline constexpr std::string_view kOtherColorEntry = "其它颜色";

// The named colours in the order the box lists them.
std::span<const NamedColor> NamedColors();

// The box for `current`: a colour that has no name is listed first as "其它颜色", then the named
// colours, then "默认" (the setting's own default, `fallback`) and "自定义..." (the colour dialog).
ComboBox ColorBoxFor(Color current, Color fallback);

// What choosing item `index` of ColorBoxFor(current, ...) means.
struct ColorPick {
  enum class Kind { Color, Custom, None } kind = Kind::None;
  Color color = 0;
};
ColorPick PickColor(Color current, Color fallback, int index);

}  // namespace tavu::ui
