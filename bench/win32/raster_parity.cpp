// The portable rasteriser against GDI itself, pixel for pixel: random lines, ellipse outlines
// and fills (many of them clipped, some given right to left) drawn both ways, one shape at a time
// on a small surface and in overlapping batches of colours on a surface of several bands.
// Prints how many cases differ and the first few that do.
// Usage: raster_parity [cases per kind]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gfx/raster.hpp"
#include "xorshift_random.hpp"

namespace {

using tavu::bench::XorShiftRandom;

enum Shape { kLine, kEllipse, kFill, kShapeCount };
constexpr const char* kShapeNames[] = {"Line", "Ellipse", "FillRect"};

struct Op {
  Shape shape;
  int a, b, c, d;
  uint32_t pixel;  // 0x00RRGGBB
};

// A DIB section with a DC, a 1 px pen and no brush.
class GdiSurface {
 public:
  GdiSurface(int w, int h) : w_(w), h_(h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels_ = static_cast<uint32_t*>(bits);
    SelectObject(dc_, bitmap_);
    SelectObject(dc_, GetStockObject(DC_PEN));
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
  }
  ~GdiSurface() {
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  void Clear() {
    GdiFlush();
    std::memset(pixels_, 0, sizeof(uint32_t) * w_ * h_);
  }
  void Draw(const Op& op) {
    const COLORREF c = RGB(op.pixel >> 16, (op.pixel >> 8) & 0xFF, op.pixel & 0xFF);
    switch (op.shape) {
      case kLine:
        SetDCPenColor(dc_, c);
        MoveToEx(dc_, op.a, op.b, nullptr);
        LineTo(dc_, op.c, op.d);
        break;
      case kEllipse:
        SetDCPenColor(dc_, c);
        ::Ellipse(dc_, op.a, op.b, op.c, op.d);
        break;
      default: {
        const RECT r{op.a, op.b, op.c, op.d};
        SetDCBrushColor(dc_, c);
        FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
      }
    }
  }
  const uint32_t* Pixels() {
    GdiFlush();
    return pixels_;
  }

 private:
  int w_, h_;
  HDC dc_ = CreateCompatibleDC(nullptr);
  HBITMAP bitmap_ = nullptr;
  uint32_t* pixels_ = nullptr;
};

void Record(tavu::Rasteriser& raster, const Op& op) {
  switch (op.shape) {
    case kLine:
      (void)raster.Line({op.a, op.b}, {op.c, op.d}, op.pixel);
      break;
    case kEllipse:
      (void)raster.Ellipse({op.a, op.b, op.c, op.d}, op.pixel);
      break;
    default:
      raster.Fill({op.a, op.b, op.c, op.d}, op.pixel);
  }
}

void Show(const std::vector<Op>& ops, int w, int h, const uint32_t* gdi, const uint32_t* ours) {
  for (const Op& op : ops)
    std::printf("  %s(%d, %d, %d, %d) in %06X\n", kShapeNames[op.shape], op.a, op.b, op.c, op.d,
                op.pixel);
  std::printf("  G = GDI only, R = rasteriser only, x = both but another colour, # = same\n");
  for (int y = 0; y < h; ++y) {
    bool any = false;
    for (int x = 0; x < w; ++x) any |= gdi[y * w + x] || ours[y * w + x];
    if (!any) continue;
    std::printf("  %3d ", y);
    for (int x = 0; x < w; ++x) {
      const uint32_t g = gdi[y * w + x], r = ours[y * w + x];
      std::putchar(!g && !r ? '.' : g == r ? '#' : !r ? 'G' : !g ? 'R' : 'x');
    }
    std::putchar('\n');
  }
}

// Draws `count` batches of `batch` random shapes of one kind (or of every kind when `shape` is
// kShapeCount) both ways on a w × h surface; returns how many batches differ. `distant`: lines from
// as far as the rasteriser's limits, ellipses as big as they may be.
int Compare(XorShiftRandom& random, int w, int h, Shape shape, int batch, int count, bool distant,
            int& shown) {
  GdiSurface gdi(w, h);
  std::vector<uint32_t> ours(static_cast<size_t>(w) * h);
  tavu::Rasteriser raster;
  raster.SetTarget({ours.data(), w, h, w});
  auto coordinate = [&](int size) { return random.Next(size + 40) - 20; };
  int differ = 0;
  std::vector<Op> ops;
  for (int i = 0; i < count; ++i) {
    ops.clear();
    for (int n = 0; n < batch; ++n) {
      Op op{shape == kShapeCount ? static_cast<Shape>(random.Next(kShapeCount)) : shape,
            coordinate(w),
            coordinate(h),
            coordinate(w),
            coordinate(h),
            static_cast<uint32_t>(random.Next(0xFFFFFF) + 1)};
      if (distant) {
        constexpr int kFar = tavu::Rasteriser::kMaxCoordinate;
        constexpr int kBig = tavu::Rasteriser::kMaxEllipseSide;
        if (op.shape == kEllipse) {
          // A ring through the surface: its right side near the middle.
          const int side = kBig - random.Next(kBig / 2);
          op.c = w / 2 + random.Next(8);
          op.a = op.c - side;
          op.b = h / 2 - side / 2 + random.Next(side / 4);
          op.d = op.b + side - random.Next(side / 8);
        } else {
          op.a = random.Next(2 * kFar + 1) - kFar;
          op.b = random.Next(2 * kFar + 1) - kFar;
        }
      } else if (op.shape == kEllipse && random.Next(2)) {  // small ones, where rounding shows
        op.c = op.a + random.Next(12);
        op.d = op.b + random.Next(12);
      }
      ops.push_back(op);
    }
    gdi.Clear();
    std::fill(ours.begin(), ours.end(), 0u);
    for (const Op& op : ops) {
      gdi.Draw(op);
      Record(raster, op);
    }
    raster.Flush();
    const uint32_t* g = gdi.Pixels();
    if (std::equal(ours.begin(), ours.end(), g)) continue;
    ++differ;
    if (shown++ < 3) Show(ops, w, h, g, ours.data());
  }
  return differ;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
  XorShiftRandom random;
  int shown = 0, failures = 0;
  // Odd sizes, so that no symmetry hides an error.
  std::printf("Rasteriser against GDI, cases that differ:\n");
  for (int s = 0; s < kShapeCount; ++s) {
    const int d = Compare(random, 61, 47, static_cast<Shape>(s), 1, count, false, shown);
    std::printf("  %-9s one at a time on 61x47:        %d of %d\n", kShapeNames[s], d, count);
    failures += d;
  }
  const int batches = std::max(1, count / 20);
  const int mixed = Compare(random, 257, 131, kShapeCount, 12, batches, false, shown);
  std::printf("  mixed     12 at a time on 257x131:      %d of %d\n", mixed, batches);
  const int distant = Compare(random, 257, 131, kShapeCount, 4, batches, true, shown);
  std::printf("  far       lines from 2^24, rings 2^16:  %d of %d\n", distant, batches);
  failures += mixed + distant;
  return failures == 0 ? 0 : 1;
}
