// Break-screen backgrounds painted through the GDI canvas, as the break screen paints them:
// a fill of the window colour, then the interface. Prints the median milliseconds per frame of
// every interface at 1920 x 1080 and 3840 x 2160. Usage: paint_bench [frames per case]
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gfx/gdi_canvas.hpp"
#include "windows/break_screen/interfaces.hpp"
#include "xorshift_random.hpp"

namespace {

using tavu::bench::XorShiftRandom;

double NowMs() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  const tavu::Size sizes[] = {{1920, 1080}, {3840, 2160}};
  XorShiftRandom random;
  std::printf("Break-screen paint through GdiCanvas (median of %d frames, ms per frame)\n", frames);
  std::printf("%-10s", "interface");
  for (const auto& s : sizes) std::printf("  %4dx%-4d", s.w, s.h);
  std::printf("\n");

  double worst[2] = {0, 0};
  for (int index = 0; index < tavu::break_interface::kCount; ++index) {
    std::printf("%-10d", index);
    for (size_t k = 0; k < std::size(sizes); ++k) {
      const tavu::Size size = sizes[k];
      tavu::win::GdiCanvas canvas;
      if (!canvas.Resize(size)) {
        std::printf("  %9s", "no bitmap");
        continue;
      }
      std::vector<double> times;
      for (int i = 0; i <= frames; ++i) {
        const double t0 = NowMs();
        canvas.FillRect({0, 0, size.w, size.h}, 0);
        tavu::DrawBreakInterface(canvas, index, size, random);
        canvas.dc();  // the canvas finishes its pixels before GDI may read them
        GdiFlush();
        const double t1 = NowMs();
        if (i > 0) times.push_back(t1 - t0);  // the first frame warms up
      }
      std::sort(times.begin(), times.end());
      const double median = times[times.size() / 2];
      worst[k] = std::max(worst[k], median);
      std::printf("  %9.2f", median);
    }
    std::printf("\n");
  }
  std::printf("%-10s", "slowest");
  for (double w : worst) std::printf("  %9.2f", w);
  std::printf("\n");
  return 0;
}
