#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "gfx/canvas.hpp"
#include "gfx/raster.hpp"
#include "windows/break_screen/interfaces.hpp"
#include "xorshift_random.hpp"

namespace {

using tavu::bench::XorShiftRandom;

// The part of the Win32 canvas that is the rasteriser: fills, 1 px lines and outlines into
// memory, no GDI. Texts are not drawn (the patterns have none).
class RasterCanvas final : public tavu::Canvas {
 public:
  explicit RasterCanvas(tavu::Size size) : pixels_(static_cast<size_t>(size.w) * size.h) {
    raster_.SetTarget({pixels_.data(), size.w, size.h, size.w});
  }
  void FillRect(const tavu::Rect& r, tavu::Color color) override { raster_.Fill(r, Pixel(color)); }
  void SetPen(tavu::Color color, int) override { pen_ = Pixel(color); }
  void SetBrush(std::optional<tavu::Color>) override {}
  void Line(tavu::Point from, tavu::Point to) override { (void)raster_.Line(from, to, pen_); }
  void Ellipse(const tavu::Rect& bounds) override { (void)raster_.Ellipse(bounds, pen_); }
  void SetFont(const tavu::CanvasFont&) override {}
  void WriteText(tavu::Point, std::string_view) override {}
  void Flush() { raster_.Flush(); }
  const uint32_t* data() const { return pixels_.data(); }

 private:
  static uint32_t Pixel(tavu::Color c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }
  std::vector<uint32_t> pixels_;
  tavu::Rasteriser raster_;
  uint32_t pen_ = 0;
};

// A break-screen frame drawn by the rasteriser alone, as the break screen paints it: a fill of
// the window, the pattern, and the flush. Args: interface index, width, height.
void BM_RasterFrame(benchmark::State& state) {
  const int index = static_cast<int>(state.range(0));
  const tavu::Size size{static_cast<int>(state.range(1)), static_cast<int>(state.range(2))};
  RasterCanvas canvas(size);
  XorShiftRandom random;
  for (auto _ : state) {
    canvas.FillRect({0, 0, size.w, size.h}, 0);
    tavu::DrawBreakInterface(canvas, index, size, random);
    canvas.Flush();
    benchmark::DoNotOptimize(canvas.data());
  }
  state.SetItemsProcessed(state.iterations() * size.w * size.h);  // pixels per second
}
BENCHMARK(BM_RasterFrame)
    ->ArgNames({"interface", "w", "h"})
    ->ArgsProduct({benchmark::CreateDenseRange(2, 13, 1), {1920}, {1080}})
    ->ArgsProduct({benchmark::CreateDenseRange(2, 13, 1), {3840}, {2160}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
