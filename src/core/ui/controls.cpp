#include "ui/controls.hpp"

#include <algorithm>

#include "base/rounding.hpp"
#include "settings/settings.hpp"

namespace tavu::ui {

bool Font::SameFace(const Font& other) const {
  Font a = *this;
  a.color = other.color;
  return a == other;
}

void Font::Grow(int points) {
  const int step =
      unit == FontUnit::Points ? points : static_cast<int>(RoundEven(points * 4.0 / 3.0));
  size = std::max(1, size + step);
}

Font PixelFont(std::string face, int px, bool bold, Color color) {
  Font f;
  f.face = std::move(face);
  f.size = px;
  f.bold = bold;
  f.color = color;
  return f;
}

Font PointFont(std::string face, int pt, Color color, int charset) {
  Font f;
  f.face = std::move(face);
  f.size = pt;
  f.unit = FontUnit::Points;
  f.color = color;
  f.charset = charset;
  return f;
}

Font FromSettings(const StoredFont& stored) {
  Font f = PointFont(stored.name, stored.size_pt, stored.color, stored.charset);
  f.bold = stored.bold;
  f.italic = stored.italic;
  f.underline = stored.underline;
  f.strike_out = stored.strike_out;
  return f;
}

int Bar::Next(const ScrollInput& input) const {
  int to = position;
  switch (input.step) {
    case ScrollStep::LineLess:
      to -= line;
      break;
    case ScrollStep::LineMore:
      to += line;
      break;
    case ScrollStep::PageLess:
      to -= page;
      break;
    case ScrollStep::PageMore:
      to += page;
      break;
    case ScrollStep::Thumb:
      to = input.thumb;
      break;
    case ScrollStep::ToMin:
      to = min;
      break;
    case ScrollStep::ToMax:
      to = max;
      break;
  }
  return std::clamp(to, min, std::max(min, max));
}

}  // namespace tavu::ui
