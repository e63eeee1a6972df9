#include <algorithm>

#include "gfx/image.hpp"

namespace tavu {

Image ScaleImage(const Image& source, int w, int h) {
  Image out;
  if (source.Empty() || w <= 0 || h <= 0) return out;
  out.width = w;
  out.height = h;
  out.pixels.resize(static_cast<size_t>(w) * h);
  ScaleImage(source, PixelBuffer{out.pixels.data(), w, h, w});
  return out;
}

void ScaleImage(const Image& source, const PixelBuffer& target) {
  if (source.Empty() || target.Empty()) return;
  const int w = target.width, h = target.height;
  // Fixed point, 8 fractional bits; sample centres line up with pixel centres.
  const int64_t sx = (static_cast<int64_t>(source.width) << 8) / w;
  const int64_t sy = (static_cast<int64_t>(source.height) << 8) / h;
  auto channel = [](uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); };
  for (int y = 0; y < h; ++y) {
    const int64_t fy = std::max<int64_t>(0, y * sy + sy / 2 - 128);
    const int y0 = std::min(static_cast<int>(fy >> 8), source.height - 1);
    const int y1 = std::min(y0 + 1, source.height - 1);
    const int wy = static_cast<int>(fy & 0xFF);
    const uint32_t* r0 = &source.pixels[static_cast<size_t>(y0) * source.width];
    const uint32_t* r1 = &source.pixels[static_cast<size_t>(y1) * source.width];
    uint32_t* dst = target.pixels + y * target.stride;
    for (int x = 0; x < w; ++x) {
      const int64_t fx = std::max<int64_t>(0, x * sx + sx / 2 - 128);
      const int x0 = std::min(static_cast<int>(fx >> 8), source.width - 1);
      const int x1 = std::min(x0 + 1, source.width - 1);
      const int wx = static_cast<int>(fx & 0xFF);
      uint32_t pixel = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const int top = channel(r0[x0], shift) * (256 - wx) + channel(r0[x1], shift) * wx;
        const int bottom = channel(r1[x0], shift) * (256 - wx) + channel(r1[x1], shift) * wx;
        const int v = (top * (256 - wy) + bottom * wy + (1 << 15)) >> 16;
        pixel |= static_cast<uint32_t>(v) << shift;
      }
      dst[x] = pixel;
    }
  }
}

}  // namespace tavu
