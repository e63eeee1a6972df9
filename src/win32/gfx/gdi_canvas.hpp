#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

#include "gfx/canvas.hpp"
#include "gfx/raster.hpp"

namespace tavu::win {

// The Win32 canvas: a 32-bit top-down DIB section held by a memory DC. The surface persists
// between paints; a view copies it to the screen in one BitBlt.
//
// Fills, 1 px lines and unfilled 1 px ellipses are left to the portable Rasteriser, which
// writes the DIB's pixels itself: through GDI (Wine's above all) a 4K break-screen pattern took
// up to a tenth of a second. Texts, wide pens, filled ellipses and shapes beyond the
// rasteriser's limits go through GDI, after whatever is recorded.
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
  // Point sizes are made for `dpi`, the density of the window the canvas is shown in (0: the
  // system's).
  void SetDpi(int dpi);
  void SetFont(const CanvasFont& font) override;
  void WriteText(Point at, std::string_view utf8) override;

 private:
  void Rasterise() {
    if (gdi_pending_) GdiFlush();
    gdi_pending_ = false;
    raster_.Flush();
  }
  void BeforeGdi() {
    if (raster_.Pending()) Rasterise();
    gdi_pending_ = true;
  }

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ initial_bitmap_ = nullptr;
  HGDIOBJ initial_pen_ = nullptr;
  HGDIOBJ initial_brush_ = nullptr;
  HGDIOBJ initial_font_ = nullptr;
  Size size_;
  Rasteriser raster_;         // draws into the bitmap's pixels
  bool gdi_pending_ = false;  // GDI may batch; the pixels are touched only after GdiFlush

  COLORREF pen_color_ = 0;
  uint32_t pen_pixel_ = 0;
  int pen_width_ = 1;
  HPEN wide_pen_ = nullptr;  // selected while the pen is wider than 1 px
  std::optional<COLORREF> brush_;
  CanvasFont font_;
  HFONT font_handle_ = nullptr;
  int dpi_ = 0;
  int font_dpi_ = 0;  // the dpi font_handle_ was made for
  uint64_t generation_ = 0;
};

// A canvas colour (possibly a system colour) as GDI takes it.
COLORREF ToColorRef(Color color);

}  // namespace tavu::win
