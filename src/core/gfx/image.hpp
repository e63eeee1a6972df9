#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tavu {

// A top-down 32-bit picture, pixels as 0x00RRGGBB (the layout of a Windows DIB).
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  bool Empty() const { return width <= 0 || height <= 0; }
};

// Resamples a picture to w × h (bilinear), for stretching it once instead of at every paint.
Image ScaleImage(const Image& source, int w, int h);

// Decodes a baseline or progressive JPEG; nothing for data that is not a readable JPEG.
std::optional<Image> DecodeJpeg(std::string_view bytes);

}  // namespace tavu
