#include "gfx/gdi_canvas.hpp"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "ui/text.hpp"

namespace tavu::win {
namespace {

// Rows rasterised together: a band of a 4K surface (32 × 15 KB) stays in the second-level cache
// while every recorded operation draws its part of it.
constexpr int kBandRows = 32;
// Beyond these the exact integer arithmetic could overflow; such shapes go through GDI.
constexpr int kMaxCoordinate = 1 << 24;
constexpr int kMaxEllipseSide = 1 << 16;

uint32_t ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

bool Representable(Point p) {
  return std::abs(p.x) <= kMaxCoordinate && std::abs(p.y) <= kMaxCoordinate;
}

// Division rounding towards minus infinity, for a positive divisor.
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

COLORREF ToColorRef(Color color) {
  if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0x00FFFFFF);
}

GdiCanvas::GdiCanvas() : dc_(CreateCompatibleDC(nullptr)) {
  initial_pen_ = SelectObject(dc_, GetStockObject(DC_PEN));
  SetDCPenColor(dc_, pen_color_);
  initial_brush_ = SelectObject(dc_, GetStockObject(NULL_BRUSH));
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  // Texts written before any font is set use the canvas's default face.
  SetFont(CanvasFont{});
}

GdiCanvas::~GdiCanvas() {
  SelectObject(dc_, initial_pen_);
  SelectObject(dc_, initial_brush_);
  if (initial_font_) SelectObject(dc_, initial_font_);
  if (initial_bitmap_) SelectObject(dc_, initial_bitmap_);
  if (wide_pen_) DeleteObject(wide_pen_);
  if (font_handle_) DeleteObject(font_handle_);
  if (bitmap_) DeleteObject(bitmap_);
  DeleteDC(dc_);
}

bool GdiCanvas::Resize(Size size) {
  if (size == size_ && bitmap_) return true;
  ops_.clear();
  runs_.clear();
  if (bitmap_) {
    SelectObject(dc_, initial_bitmap_);
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
    pixels_ = nullptr;
  }
  size_ = {};
  ++generation_;
  if (size.w <= 0 || size.h <= 0) return false;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = size.w;
  bi.bmiHeader.biHeight = -size.h;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_) return false;
  pixels_ = static_cast<uint32_t*>(bits);
  HGDIOBJ previous = SelectObject(dc_, bitmap_);
  if (!initial_bitmap_) initial_bitmap_ = previous;
  size_ = size;
  return true;
}

HDC GdiCanvas::dc() {
  if (!ops_.empty()) Rasterise();
  return dc_;
}

void GdiCanvas::BlitTo(HDC target, const RECT& area) {
  if (!bitmap_) return;
  if (!ops_.empty()) Rasterise();
  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_,
         area.left, area.top, SRCCOPY);
}

void GdiCanvas::FillRect(const Rect& r, Color color) {
  ++generation_;
  const int left = std::max(r.left, 0), right = std::min(r.right, size_.w);
  const int top = std::max(r.top, 0), bottom = std::min(r.bottom, size_.h);
  if (!pixels_ || left >= right || top >= bottom) return;
  Op op{};
  op.kind = Op::Kind::Fill;
  op.pixel = ToPixel(ToColorRef(color));
  op.x0 = left;
  op.y0 = top;
  op.x1 = right;
  op.y1 = bottom;
  op.row_top = top;
  op.row_bottom = bottom;
  ops_.push_back(op);
}

void GdiCanvas::SetPen(Color color, int width) {
  const COLORREF c = ToColorRef(color);
  if (width < 1) width = 1;
  if (c == pen_color_ && width == pen_width_) return;
  if (width == 1) {
    if (pen_width_ != 1) {
      SelectObject(dc_, GetStockObject(DC_PEN));
      DeleteObject(wide_pen_);
      wide_pen_ = nullptr;
    }
    SetDCPenColor(dc_, c);
  } else {
    HPEN pen = CreatePen(PS_SOLID, width, c);
    SelectObject(dc_, pen);
    if (wide_pen_) DeleteObject(wide_pen_);
    wide_pen_ = pen;
  }
  pen_color_ = c;
  pen_pixel_ = ToPixel(c);
  pen_width_ = width;
}

void GdiCanvas::SetBrush(std::optional<Color> color) {
  const std::optional<COLORREF> c =
      color ? std::optional<COLORREF>(ToColorRef(*color)) : std::nullopt;
  if (c == brush_) return;
  if (!c) {
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
  } else {
    if (!brush_) SelectObject(dc_, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc_, *c);
  }
  brush_ = c;
}

void GdiCanvas::Line(Point from, Point to) {
  ++generation_;
  if (!pixels_ || from == to) return;  // the end point is excluded: nothing to draw
  if (pen_width_ == 1 && Representable(from) && Representable(to)) {
    const int top = std::min(from.y, to.y), bottom = std::max(from.y, to.y) + 1;
    if (bottom <= 0 || top >= size_.h) return;
    Op op{};
    op.kind = Op::Kind::Line;
    op.pixel = pen_pixel_;
    op.x0 = from.x;
    op.y0 = from.y;
    op.x1 = to.x;
    op.y1 = to.y;
    op.row_top = top;
    op.row_bottom = bottom;
    ops_.push_back(op);
    return;
  }
  BeforeGdi();
  MoveToEx(dc_, from.x, from.y, nullptr);
  LineTo(dc_, to.x, to.y);
}

void GdiCanvas::Ellipse(const Rect& bounds) {
  ++generation_;
  if (!pixels_) return;
  if (pen_width_ == 1 && !brush_ && Representable({bounds.left, bounds.top}) &&
      Representable({bounds.right, bounds.bottom}) && bounds.Width() <= kMaxEllipseSide &&
      bounds.Height() <= kMaxEllipseSide) {
    RecordEllipse(bounds.left, bounds.top, bounds.right - 1, bounds.bottom - 1);
    return;
  }
  BeforeGdi();
  ::Ellipse(dc_, bounds.left, bounds.top, bounds.right, bounds.bottom);
}

void GdiCanvas::SetFont(const CanvasFont& font) {
  if (font_handle_ && font.face == font_.face && font.size_pt == font_.size_pt) {
    font_.color = font.color;  // the colour is applied per text
    return;
  }
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(font.size_pt, GetDeviceCaps(dc_, LOGPIXELSY), 72);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = GB2312_CHARSET;  // the texts are Chinese, whatever the face's own script
  lf.lfQuality = DEFAULT_QUALITY;
  Wide(font.face).copy(lf.lfFaceName, LF_FACESIZE - 1);
  HFONT handle = CreateFontIndirectW(&lf);
  if (!handle) return;
  HGDIOBJ previous = SelectObject(dc_, handle);
  if (!initial_font_) initial_font_ = previous;
  if (font_handle_) DeleteObject(font_handle_);
  font_handle_ = handle;
  font_ = font;
}

void GdiCanvas::WriteText(Point at, std::string_view utf8) {
  ++generation_;
  BeforeGdi();
  const std::wstring text = Wide(utf8);
  SetTextColor(dc_, ToColorRef(font_.color));
  if (brush_) {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, *brush_);
  } else {
    SetBkMode(dc_, TRANSPARENT);
  }
  TextOutW(dc_, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
}

// The ellipse inscribed in the inclusive rectangle, walked a quadrant at a time with an exact
// integer error term (even and odd diameters alike). The walk goes from the middle rows
// outwards and keeps, for each row, the run of pixels it sets on the right side; the other
// three quadrants are mirror images. Rows beyond the surface end the walk.
void GdiCanvas::RecordEllipse(int left, int top, int right, int bottom) {
  if (right < left || bottom < top) return;
  if (right < 0 || bottom < 0 || left >= size_.w || top >= size_.h) return;
  const int64_t a = int64_t{right} - left, b = int64_t{bottom} - top, b_odd = b & 1;
  int64_t x0 = left, x1 = right;
  int64_t dx = 4 * (1 - a) * b * b;
  int64_t dy = 4 * (b_odd + 1) * a * a;
  int64_t err = dx + dy + b_odd * a * a;
  const int64_t step_a = 8 * a * a, step_b = 8 * b * b;
  const int64_t lower = top + (b + 1) / 2;  // the first row of the lower half
  const int64_t upper = lower - b_odd;      // the first row of the upper half
  const int64_t last_row = std::max<int64_t>(size_.h - 1 - lower, upper);

  // The run of the current row j: the walk enters it at `outer` and moves inwards.
  const size_t first_run = runs_.size();
  int64_t j = 0;
  bool open = false;
  int64_t outer = 0, inner = 0;
  auto close_row = [&] {
    runs_.push_back({static_cast<int>(inner), static_cast<int>(outer)});
    open = false;
    ++j;
  };
  do {
    if (j > last_row) break;
    if (!open) {
      outer = x1;
      open = true;
    }
    inner = x1;
    const int64_t e2 = 2 * err;
    if (e2 <= dy) {
      dy += step_a;
      err += dy;
      close_row();
    }
    if (e2 >= dx || 2 * err > dy) {
      ++x0;
      --x1;
      dx += step_b;
      err += dx;
    }
  } while (x0 <= x1);
  // A very flat ellipse stops short of its tips.
  while (b_odd + 2 * j <= b && j <= last_row) {
    if (!open) {
      outer = inner = x1 + 1;
      open = true;
    }
    inner = std::min(inner, x1 + 1);
    outer = std::max(outer, x1 + 1);
    close_row();
  }
  if (open && j <= last_row) close_row();

  const uint32_t count = static_cast<uint32_t>(runs_.size() - first_run);
  if (count == 0) return;
  auto drop = [&] { runs_.resize(first_run); };
  Op op{};
  op.kind = Op::Kind::Ellipse;
  op.pixel = pen_pixel_;
  op.row_top = top;
  op.row_bottom = bottom + 1;
  op.lower = static_cast<int>(lower);
  op.upper = static_cast<int>(upper);
  op.mirror = left + right;
  op.first_run = static_cast<uint32_t>(first_run);
  op.run_count = count;
  // Away from the middle row the right side moves left and the left side right, so the rows
  // whose run reaches into the columns form one range on each side. Big rings keep most of
  // their rows outside; they are never visited.
  const Run* begin = runs_.data() + first_run;
  const Run* end = begin + count;
  const int w = size_.w;
  const int mirror = op.mirror;
  auto index = [&](const Run* r) { return static_cast<int>(r - begin); };
  op.right_from =
      index(std::partition_point(begin, end, [&](const Run& r) { return r.inner >= w; }));
  op.right_to = index(std::partition_point(begin, end, [&](const Run& r) { return r.outer >= 0; }));
  op.left_from =
      index(std::partition_point(begin, end, [&](const Run& r) { return mirror - r.inner < 0; }));
  op.left_to =
      index(std::partition_point(begin, end, [&](const Run& r) { return mirror - r.outer < w; }));
  if (op.right_from >= op.right_to && op.left_from >= op.left_to) return drop();
  ops_.push_back(op);
}

void GdiCanvas::Rasterise() {
  if (gdi_pending_) GdiFlush();
  gdi_pending_ = false;
  if (pixels_) {
    for (int row0 = 0; row0 < size_.h; row0 += kBandRows) {
      const int row1 = std::min(size_.h, row0 + kBandRows);
      for (const Op& op : ops_) {
        if (op.row_bottom <= row0 || op.row_top >= row1) continue;
        switch (op.kind) {
          case Op::Kind::Fill:
            DrawFill(op, row0, row1);
            break;
          case Op::Kind::Line:
            DrawLine(op, row0, row1);
            break;
          case Op::Kind::Ellipse:
            DrawEllipse(op, row0, row1);
            break;
        }
      }
    }
  }
  ops_.clear();
  runs_.clear();
}

void GdiCanvas::DrawSpan(int y, int x0, int x1, uint32_t pixel) {
  x0 = std::max(x0, 0);
  x1 = std::min(x1, size_.w - 1);
  if (x0 > x1) return;
  uint32_t* p = pixels_ + static_cast<size_t>(y) * static_cast<size_t>(size_.w);
  // Most spans of an outline are a pixel or two long.
  for (int x = x0; x <= x1; ++x) p[x] = pixel;
}

void GdiCanvas::DrawFill(const Op& op, int row0, int row1) {
  const int top = std::max(op.y0, row0), bottom = std::min(op.y1, row1);
  for (int y = top; y < bottom; ++y) DrawSpan(y, op.x0, op.x1 - 1, op.pixel);
}

// Bresenham along the major axis, end point excluded. The steps that fall inside the band and
// the surface are found by arithmetic (where the error term puts each row or column), so the
// loop draws without a test per pixel and starts exactly where the whole line would be.
void GdiCanvas::DrawLine(const Op& op, int row0, int row1) {
  const int64_t dx = std::abs(int64_t{op.x1} - op.x0);
  const int64_t dy = std::abs(int64_t{op.y1} - op.y0);
  const bool x_major = dx >= dy;
  const int64_t d_major = x_major ? dx : dy;
  const int64_t d_minor = x_major ? dy : dx;
  const int s_major = (x_major ? op.x1 >= op.x0 : op.y1 >= op.y0) ? 1 : -1;
  const int s_minor = d_minor == 0 ? 0 : ((x_major ? op.y1 >= op.y0 : op.x1 >= op.x0) ? 1 : -1);
  const int64_t major0 = x_major ? op.x0 : op.y0;
  const int64_t minor0 = x_major ? op.y0 : op.x0;
  const int64_t major_lo = x_major ? 0 : row0, major_hi = x_major ? size_.w : row1;
  const int64_t minor_lo = x_major ? row0 : 0, minor_hi = x_major ? row1 : size_.w;

  // Steps i in [first, last) with the major coordinate major0 + s_major·i in range.
  int64_t first = 0, last = d_major;
  if (s_major > 0) {
    first = std::max(first, major_lo - major0);
    last = std::min(last, major_hi - major0);
  } else {
    first = std::max(first, major0 - major_hi + 1);
    last = std::min(last, major0 - major_lo + 1);
  }
  // After i steps the minor axis has moved k(i) = ceil((2·i·d_minor − d_major) / (2·d_major))
  // times; k never decreases, so the minor range is a range of steps too.
  const int64_t two_major = 2 * d_major, two_minor = 2 * d_minor;
  if (s_minor == 0) {
    if (minor0 < minor_lo || minor0 >= minor_hi) return;
  } else {
    const int64_t k_lo = s_minor > 0 ? minor_lo - minor0 : minor0 - minor_hi + 1;
    const int64_t k_hi = s_minor > 0 ? minor_hi - minor0 : minor0 - minor_lo + 1;
    // The first step with k(i) >= k.
    auto step_reaching = [&](int64_t k) -> int64_t {
      return k <= 0 ? 0 : FloorDiv(d_major * (2 * k - 1), two_minor) + 1;
    };
    first = std::max(first, step_reaching(k_lo));
    last = std::min(last, step_reaching(k_hi));
  }
  if (first >= last) return;

  const int64_t k = -FloorDiv(d_major - first * two_minor, two_major);
  int64_t err = (first + 1) * two_minor - d_major - two_major * k;
  const int64_t major = major0 + s_major * first;
  const int64_t minor = minor0 + s_minor * k;
  const ptrdiff_t pitch = size_.w;
  const ptrdiff_t major_stride = (x_major ? 1 : pitch) * s_major;
  const ptrdiff_t minor_stride = (x_major ? pitch : 1) * s_minor;
  uint32_t* p = pixels_ + (x_major ? minor * pitch + major : major * pitch + minor);
  const uint32_t pixel = op.pixel;
  for (int64_t i = first;;) {
    *p = pixel;
    if (++i == last) break;
    if (err > 0) {
      p += minor_stride;
      err -= two_major;
    }
    err += two_minor;
    p += major_stride;
  }
}

void GdiCanvas::DrawEllipse(const Op& op, int row0, int row1) {
  const Run* const runs = runs_.data() + op.first_run;
  uint32_t* const pixels = pixels_;
  const ptrdiff_t pitch = size_.w;
  const int last_column = size_.w - 1;
  const int mirror = op.mirror;
  const uint32_t pixel = op.pixel;
  // Rows lower + j and upper − j that lie in the band.
  const int64_t lower_from = int64_t{row0} - op.lower, lower_to = int64_t{row1} - op.lower;
  const int64_t upper_from = int64_t{op.upper} - row1 + 1, upper_to = int64_t{op.upper} - row0 + 1;
  auto half = [&](int64_t from, int64_t to, int64_t middle, ptrdiff_t step, auto side) {
    uint32_t* row = pixels + (middle + (step > 0 ? from : -from)) * pitch;
    for (int64_t j = from; j < to; ++j, row += step) {
      int x0, x1;
      side(runs[j], x0, x1);
      x0 = std::max(x0, 0);
      x1 = std::min(x1, last_column);
      if (x0 == x1) {
        row[x0] = pixel;  // most runs of an outline are one pixel
      } else {
        for (int x = x0; x <= x1; ++x) row[x] = pixel;
      }
    }
  };
  auto right = [](const Run& r, int& x0, int& x1) {
    x0 = r.inner;
    x1 = r.outer;
  };
  auto left = [mirror](const Run& r, int& x0, int& x1) {
    x0 = mirror - r.outer;
    x1 = mirror - r.inner;
  };
  const int64_t rf = op.right_from, rt = op.right_to, lf = op.left_from, lt = op.left_to;
  half(std::max(lower_from, rf), std::min(lower_to, rt), op.lower, pitch, right);
  half(std::max(upper_from, rf), std::min(upper_to, rt), op.upper, -pitch, right);
  half(std::max(lower_from, lf), std::min(lower_to, lt), op.lower, pitch, left);
  half(std::max(upper_from, lf), std::min(upper_to, lt), op.upper, -pitch, left);
}

}  // namespace tavu::win
