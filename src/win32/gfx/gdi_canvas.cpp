#include "gfx/gdi_canvas.hpp"

#include <string>

#include "base/dpi.hpp"
#include "ui/text.hpp"

namespace tavu::win {
namespace {

uint32_t ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

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
  raster_.SetTarget({});
  if (bitmap_) {
    SelectObject(dc_, initial_bitmap_);
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
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
  raster_.SetTarget({static_cast<uint32_t*>(bits), size.w, size.h, size.w});
  HGDIOBJ previous = SelectObject(dc_, bitmap_);
  if (!initial_bitmap_) initial_bitmap_ = previous;
  size_ = size;
  return true;
}

HDC GdiCanvas::dc() {
  if (raster_.Pending()) Rasterise();
  return dc_;
}

void GdiCanvas::BlitTo(HDC target, const RECT& area) {
  if (!bitmap_) return;
  if (raster_.Pending()) Rasterise();
  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_,
         area.left, area.top, SRCCOPY);
}

void GdiCanvas::FillRect(const Rect& r, Color color) {
  ++generation_;
  raster_.Fill(r, ToPixel(ToColorRef(color)));
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
  if (!bitmap_ || from == to) return;  // the end point is excluded: nothing to draw
  if (pen_width_ == 1 && raster_.Line(from, to, pen_pixel_)) return;
  BeforeGdi();
  MoveToEx(dc_, from.x, from.y, nullptr);
  LineTo(dc_, to.x, to.y);
}

void GdiCanvas::Ellipse(const Rect& bounds) {
  ++generation_;
  if (!bitmap_) return;
  if (pen_width_ == 1 && !brush_ && raster_.Ellipse(bounds, pen_pixel_)) return;
  BeforeGdi();
  ::Ellipse(dc_, bounds.left, bounds.top, bounds.right, bounds.bottom);
}

void GdiCanvas::SetDpi(int dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  if (font_handle_) SetFont(CanvasFont(font_));  // the selected font, at the new size
}

void GdiCanvas::SetFont(const CanvasFont& font) {
  const int dpi = dpi_ > 0 ? dpi_ : GetDeviceCaps(dc_, LOGPIXELSY);
  if (font_handle_ && font.face == font_.face && font.size_pt == font_.size_pt &&
      dpi == font_dpi_) {
    font_.color = font.color;  // the colour is applied per text
    return;
  }
  LOGFONTW lf{};
  lf.lfHeight = -dpi::PointsToPixels(font.size_pt, dpi);
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
  font_dpi_ = dpi;
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

}  // namespace tavu::win
