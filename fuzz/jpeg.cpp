// The pictures are the program's own resources, but the decoder must stay safe on any bytes:
// a damaged resource gives no picture or a picture of the size its header states.
#include <cstdlib>
#include <string_view>

#include "gfx/image.hpp"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Headers may claim up to 16384 x 16384 (a gigabyte of pixels); libjpeg then fills what the
// data lacks, which is correct but spends the run's time and memory on one input.
constexpr long kMaxPixels = 1L << 22;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto header = tavu::JpegSize(bytes);
  if (header) Check(header->w > 0 && header->h > 0);
  if (header && long{header->w} * header->h > kMaxPixels) return -1;
  const auto image = tavu::DecodeJpeg(bytes);
  if (!image) return 0;
  Check(header && image->width == header->w && image->height == header->h);
  Check(image->pixels.size() == static_cast<std::size_t>(image->width) * image->height);
  return 0;
}
