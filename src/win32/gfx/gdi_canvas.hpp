#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "gfx/canvas.hpp"

namespace tavu::win {

// The Win32 canvas: a 32-bit top-down DIB section held by a memory DC. The surface persists
// between paints; a view copies it to the screen in one BitBlt.
//
// The break-screen patterns are a full fill and then thousands of 1 px lines or circle outlines.
// Through GDI (Wine's above all) they take up to a tenth of a second at 4K, mostly in cache and
// TLB misses: a steep line touches a new page with every pixel. So fills, 1 px lines and
// unfilled 1 px ellipses are recorded and rasterised straight into the pixels, band of rows by
// band of rows, every operation in its order within a band; the result is the same as drawing
// them one after the other. Texts, wide pens and filled ellipses go through GDI, after whatever
// is recorded. The conventions are GDI's: a line's end point and a shape's right and bottom
// edges are excluded.
//
// Pen and brush are the DC's stock DC_PEN/DC_BRUSH recoloured in place, and a wide pen or a
// font is created only when it differs from the one selected, so a pattern that changes colour
// for every line never creates a GDI object.
class GdiCanvas final : public Canvas {
 public:
  GdiCanvas();
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  // Gives the surface a new size (black afterwards); nothing happens if the size is unchanged.
  // False if the bitmap could not be made, and the surface is then empty.
  bool Resize(Size size);
  Size size() const { return size_; }
  // The memory DC, with everything drawn so far in its bitmap.
  HDC dc();
  // Copies `area` of the surface to the same place in `target`.
  void BlitTo(HDC target, const RECT& area);
  // Changes with every drawing call, so a view can tell whether the screen is behind.
  uint64_t generation() const { return generation_; }

  void FillRect(const Rect& r, Color color) override;
  void SetPen(Color color, int width) override;
  void SetBrush(std::optional<Color> color) override;
  void Line(Point from, Point to) override;
  void Ellipse(const Rect& bounds) override;
  void SetFont(const CanvasFont& font) override;
  void WriteText(Point at, std::string_view utf8) override;

 private:
  // A recorded operation; coordinates in pixels of the surface.
  struct Op {
    enum class Kind : uint8_t { Fill, Line, Ellipse } kind;
    uint32_t pixel;           // 0x00RRGGBB
    int x0, y0, x1, y1;       // fill: rectangle; line: from, to
    int row_top, row_bottom;  // the rows it may touch, bottom excluded
    // Ellipse: rows from the middle outwards, runs_[first_run + j] for the j-th row below
    // `lower` and above `upper`; the left side mirrors the right about `mirror` / 2. Only rows
    // j in [right_from, right_to) and [left_from, left_to) reach into the surface's columns.
    int lower, upper, mirror;
    uint32_t first_run, run_count;
    int right_from, right_to, left_from, left_to;
  };
  struct Run {
    int inner, outer;  // right side, inclusive
  };

  void RecordEllipse(int left, int top, int right, int bottom);  // inclusive corners
  void Rasterise();  // draws and forgets what is recorded
  void DrawFill(const Op& op, int row0, int row1);
  void DrawLine(const Op& op, int row0, int row1);
  void DrawEllipse(const Op& op, int row0, int row1);
  void DrawSpan(int y, int x0, int x1, uint32_t pixel);  // inclusive, clipped to the width
  void BeforeGdi() {
    if (!ops_.empty()) Rasterise();
    gdi_pending_ = true;
  }

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  uint32_t* pixels_ = nullptr;
  HGDIOBJ initial_bitmap_ = nullptr;
  HGDIOBJ initial_pen_ = nullptr;
  HGDIOBJ initial_brush_ = nullptr;
  HGDIOBJ initial_font_ = nullptr;
  Size size_;
  std::vector<Op> ops_;
  std::vector<Run> runs_;
  bool gdi_pending_ = false;  // GDI may batch; the pixels are touched only after GdiFlush

  COLORREF pen_color_ = 0;
  uint32_t pen_pixel_ = 0;
  int pen_width_ = 1;
  HPEN wide_pen_ = nullptr;  // selected while the pen is wider than 1 px
  std::optional<COLORREF> brush_;
  CanvasFont font_;
  HFONT font_handle_ = nullptr;
  uint64_t generation_ = 0;
};

// A canvas colour (possibly a system colour) as GDI takes it.
COLORREF ToColorRef(Color color);

}  // namespace tavu::win
