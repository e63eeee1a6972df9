#pragma once
// A canvas that draws nothing and keeps every call, for tests and benchmarks. Shapes are
// recorded together with the pen and brush in force, so a test can check colours per shape.
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "gfx/canvas.hpp"

namespace tavu::fake {

struct PenState {
  Color color = 0;
  int width = 1;
  bool operator==(const PenState&) const = default;
};

struct FillCall {
  Rect rect;
  Color color;
};
struct PenCall {
  PenState pen;
};
struct BrushCall {
  std::optional<Color> brush;
};
struct LineCall {
  Point from, to;
  PenState pen;
};
struct EllipseCall {
  Rect bounds;
  PenState pen;
  std::optional<Color> brush;
};
struct FontCall {
  CanvasFont font;
};
struct TextCall {
  Point at;
  std::string text;
  CanvasFont font;
  std::optional<Color> brush;
};

using CanvasCall =
    std::variant<FillCall, PenCall, BrushCall, LineCall, EllipseCall, FontCall, TextCall>;

class RecordingCanvas : public Canvas {
 public:
  void FillRect(const Rect& r, Color color) override { calls.emplace_back(FillCall{r, color}); }
  void SetPen(Color color, int width) override {
    pen = {color, width};
    calls.emplace_back(PenCall{pen});
  }
  void SetBrush(std::optional<Color> color) override {
    brush = color;
    calls.emplace_back(BrushCall{brush});
  }
  void Line(Point from, Point to) override { calls.emplace_back(LineCall{from, to, pen}); }
  void Ellipse(const Rect& bounds) override { calls.emplace_back(EllipseCall{bounds, pen, brush}); }
  void SetFont(const CanvasFont& f) override {
    font = f;
    calls.emplace_back(FontCall{f});
  }
  void WriteText(Point at, std::string_view utf8) override {
    calls.emplace_back(TextCall{at, std::string(utf8), font, brush});
  }

  // The recorded calls of one kind, in order.
  template <class T>
  std::vector<T> Only() const {
    std::vector<T> out;
    for (const CanvasCall& c : calls)
      if (const T* t = std::get_if<T>(&c)) out.push_back(*t);
    return out;
  }
  void Clear() { calls.clear(); }

  std::vector<CanvasCall> calls;
  // State in force; a fresh window canvas has a black pen and a solid brush of its black colour.
  PenState pen;
  std::optional<Color> brush = Color{0};
  CanvasFont font;
};

}  // namespace tavu::fake
