#include "settings/window_zoom.hpp"

#include "settings/screen_zoom.hpp"

namespace tavu {

void SelectZoom(Settings& s, const WindowZoom& zoom, Size screen) {
  SetZoomPercent(s, zoom, screen_zoom::PercentFor(s.*zoom.rate, s.*zoom.percent, screen));
}

void SetZoomPercent(Settings& s, const WindowZoom& zoom, int percent) {
  Bounded& current = s.*zoom.percent;
  const int before = current;
  current = percent;
  if (current == before) return;
  const int adjust = current / 10;
  Bounded& font = s.*zoom.font_adjust;
  if (zoom.bounds_follow) font.SetBounds(adjust - 3, adjust + 3);
  font = adjust;
}

}  // namespace tavu
