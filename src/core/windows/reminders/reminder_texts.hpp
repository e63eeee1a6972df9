#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/geometry.hpp"
#include "ports/clock.hpp"
#include "settings/settings.hpp"

namespace tavu {

// What the two reminder windows show for a reason (RemindReasonCode); both read it at creation.

// The minute of `now` with the seconds always "00": a chime or reminder is about its minute,
// whenever in that minute it is drawn.
std::string MinuteText(const LocalTime& now);

// The small window's three lines.
struct HintSmallLines {
  std::string title, line2, line3;
};
// `next_break` is the next break's time (long time format) and `mins_left` the minutes before
// it; only reasons 0 and 1 use them.
HintSmallLines HintSmallWindowLines(uint8_t reason, std::string_view next_break, int mins_left,
                                    const LocalTime& now);

// The centre window's texts: `Label2`, and the content, which only some reasons replace.
struct RemindCenterTexts {
  std::string label2;
  std::optional<std::string> content;
  bool closes_by_itself = false;  // chimes
};
RemindCenterTexts RemindWindowCenterTexts(uint8_t reason, const Settings& s);

// The colours of each window by reason.
Color HintSmallWindowColor(const Settings& s, uint8_t reason);
struct FrameColors {
  Color main = 0;
  Color border = 0;
};
FrameColors RemindWindowCenterColors(const Settings& s, uint8_t reason);

// How much of a window that rolls or grows into view is shown, `elapsed` of `duration` ms
// into the animation: a band growing up from the bottom edge, or a box growing from the
// centre. Client coordinates; the whole window once the time is up.
enum class Reveal : uint8_t { FromBottom, FromCentre };
Rect RevealedPart(Reveal how, Size client, uint64_t elapsed, uint64_t duration);

}  // namespace tavu
