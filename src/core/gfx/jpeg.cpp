#include <csetjmp>
#include <cstdio>

#include "gfx/image.hpp"

extern "C" {
#include <jpeglib.h>
}

namespace tavu {
namespace {

constexpr int kMaxSide = 16384;
// What libjpeg may hold for a whole picture (a progressive one keeps every coefficient): far
// above any picture of the program's, far below what a damaged header could ask for.
constexpr long kMaxDecoderMemory = 256L << 20;

// Everything the decoder touches lives here, in memory that a longjmp leaves determinate;
// Run() itself holds no object with a destructor.
struct Decoder {
  jpeg_decompress_struct info{};
  jpeg_error_mgr err{};
  std::jmp_buf jump{};
  std::vector<unsigned char> row;
  Image image;
};

[[noreturn]] void OnError(j_common_ptr info) {
  auto* d = static_cast<Decoder*>(info->client_data);
  std::longjmp(d->jump, 1);
}

void OnMessage(j_common_ptr) {}

bool Run(Decoder& d) {
  if (setjmp(d.jump)) return false;
  jpeg_read_header(&d.info, TRUE);
  // Refused before libjpeg sizes its buffers by the header: a progressive picture claiming
  // 65000 x 65000 would have it allocate gigabytes first.
  if (d.info.image_width == 0 || d.info.image_height == 0 || d.info.image_width > kMaxSide ||
      d.info.image_height > kMaxSide)
    return false;
  d.info.mem->max_memory_to_use = kMaxDecoderMemory;
  d.info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d.info);
  const auto w = d.info.output_width, h = d.info.output_height;
  if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide || d.info.output_components != 3)
    return false;
  d.image.width = static_cast<int>(w);
  d.image.height = static_cast<int>(h);
  d.image.pixels.resize(static_cast<size_t>(w) * h);
  d.row.resize(static_cast<size_t>(w) * 3);
  while (d.info.output_scanline < h) {
    unsigned char* rows[] = {d.row.data()};
    uint32_t* out = &d.image.pixels[static_cast<size_t>(d.info.output_scanline) * w];
    jpeg_read_scanlines(&d.info, rows, 1);
    const unsigned char* in = d.row.data();
    for (unsigned x = 0; x < w; ++x, in += 3)
      out[x] = (uint32_t{in[0]} << 16) | (uint32_t{in[1]} << 8) | in[2];
  }
  jpeg_finish_decompress(&d.info);
  return true;
}

bool ReadHeader(Decoder& d) {
  if (setjmp(d.jump)) return false;
  jpeg_read_header(&d.info, TRUE);
  return d.info.image_width > 0 && d.info.image_height > 0 && d.info.image_width <= kMaxSide &&
         d.info.image_height <= kMaxSide;
}

void Begin(Decoder& d, std::string_view bytes) {
  d.info.err = jpeg_std_error(&d.err);
  d.err.error_exit = OnError;
  d.err.output_message = OnMessage;
  d.info.client_data = &d;
  jpeg_create_decompress(&d.info);
  jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
}

}  // namespace

std::optional<Size> JpegSize(std::string_view bytes) {
  if (bytes.size() < 4) return std::nullopt;
  Decoder d;
  Begin(d, bytes);
  const bool ok = ReadHeader(d);
  const Size size{static_cast<int>(d.info.image_width), static_cast<int>(d.info.image_height)};
  jpeg_destroy_decompress(&d.info);
  if (!ok) return std::nullopt;
  return size;
}

std::optional<Image> DecodeJpeg(std::string_view bytes) {
  if (bytes.size() < 4) return std::nullopt;
  Decoder d;
  Begin(d, bytes);
  const bool ok = Run(d);
  jpeg_destroy_decompress(&d.info);
  if (!ok) return std::nullopt;
  return std::move(d.image);
}

}  // namespace tavu
