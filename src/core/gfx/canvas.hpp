#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "base/geometry.hpp"

namespace tavu {

struct CanvasFont {
  std::string face = "MS Sans Serif";  // UTF-8
  int size_pt = 8;
  Color color = 0;
  bool operator==(const CanvasFont&) const = default;
};

// The portable drawing surface of the program's drawn windows. Coordinates are pixels of the
// surface, origin top left. Shapes cover the pixels GDI's do: right and bottom edges and a
// line's end point are excluded, and a rectangle given right to left or bottom to top is
// mirrored as GDI mirrors it.
// Pen, brush and font stay as set until set again, also between paints, because texts drawn
// later take their cell background from whatever brush the last painter left.
class Canvas {
 public:
  virtual ~Canvas() = default;

  // Solid fill of `r`, ignoring pen and brush.
  virtual void FillRect(const Rect& r, Color color) = 0;
  // Solid pen of `width` pixels for lines and outlines.
  virtual void SetPen(Color color, int width) = 0;
  // Brush for shape insides and text cells: a solid colour, or clear (nothing).
  virtual void SetBrush(std::optional<Color> color) = 0;
  virtual void Line(Point from, Point to) = 0;
  // Ellipse inside `bounds`: outline with the pen, inside with the brush.
  virtual void Ellipse(const Rect& bounds) = 0;
  virtual void SetFont(const CanvasFont& font) = 0;
  // One line of text, top left at `at`, in the font's colour on a cell of the brush (or
  // transparent when the brush is clear).
  virtual void WriteText(Point at, std::string_view utf8) = 0;
};

}  // namespace tavu
