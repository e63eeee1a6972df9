#pragma once
// The zoom settings of the three windows that follow the screen's size (the large countdown
// window, the small window, the centre window): a choice, a percent and a font adjustment,
// kept consistent by one rule wherever they change.
#include "base/geometry.hpp"
#include "settings/settings.hpp"

namespace tavu {

struct WindowZoom {
  Choice Settings::*rate;
  Bounded Settings::*percent;
  Bounded Settings::*font_adjust;
  // The font adjustment's bounds follow the percent (±3 around it); else they stay as they are.
  bool bounds_follow;
};

inline constexpr WindowZoom kCountdownZoom{&Settings::ZoomRate1, &Settings::ZoomPercent1,
                                           &Settings::FontAdjust1, true};
inline constexpr WindowZoom kSmallWindowZoom{&Settings::ZoomRate2, &Settings::ZoomPercent2,
                                             &Settings::FontAdjust2, false};
inline constexpr WindowZoom kCentreWindowZoom{&Settings::ZoomRateRemindCenterWindow,
                                              &Settings::ZoomPercentRemindCenterWindow,
                                              &Settings::FontAdjustOfRemindCenterWindow, true};

// The zoom choice selected: "设计尺寸" → 0, "自动调节" → the screen's percent, "自定义..." keeps
// it; within 0..100. A new percent goes through SetZoomPercent.
void SelectZoom(Settings& s, const WindowZoom& zoom, Size screen);
// The percent changed: the font adjustment becomes percent div 10 (and its bounds follow).
// Nothing happens when it is the percent already set.
void SetZoomPercent(Settings& s, const WindowZoom& zoom, int percent);

}  // namespace tavu
