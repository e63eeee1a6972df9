#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/geometry.hpp"

namespace tavu {

// A top-down 32-bit picture, pixels as 0x00RRGGBB (the layout of a Windows DIB).
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  bool Empty() const { return width <= 0 || height <= 0; }
};

// Pixels owned elsewhere (a DIB section, a test's vector): `height` rows of `width` pixels, top
// row first, each row `stride` pixels after the one above it.
struct PixelBuffer {
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  ptrdiff_t stride = 0;
  bool Empty() const { return !pixels || width <= 0 || height <= 0; }
};

// Resamples a picture to w × h (bilinear), for stretching it once instead of at every paint.
Image ScaleImage(const Image& source, int w, int h);
// The same into pixels the caller owns, all of `target` (nothing if either picture is empty).
void ScaleImage(const Image& source, const PixelBuffer& target);

// Decodes a baseline or progressive JPEG; nothing for data that is not a readable JPEG.
std::optional<Image> DecodeJpeg(std::string_view bytes);
// A JPEG's size from its header alone, without decoding the picture; nothing for unreadable data.
std::optional<Size> JpegSize(std::string_view bytes);

}  // namespace tavu
