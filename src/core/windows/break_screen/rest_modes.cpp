#include "windows/break_screen/rest_modes.hpp"

namespace tavu {

std::string_view RestModeLabel(int mode) {
  return mode >= 0 && mode < static_cast<int>(kRestModeLabels.size()) ? kRestModeLabels[mode]
                                                                      : std::string_view{};
}

ExitControls ExitControlsAtTick(int mode, uint8_t ticks, int interfere_intensity,
                                ExitControls current) {
  switch (mode) {
    case kFreeMode:
      return {ticks >= 5, ticks >= 5, false};
    case kPasswordMode:
      return {ticks >= 5, ticks >= 5, ticks >= 5};
    case kInterfereMode:
      return {ticks >= interfere_intensity / 3, false, false};
    default:
      return current;
  }
}

Challenge DrawChallenge(int item, Random& random) {
  Challenge c;
  if (item < 1 || item > kRemindAgainNever) {
    c.text = kChallengePrompt;
    return c;
  }
  int32_t low = 1;  // the smallest number of `item` digits
  for (int i = 1; i < item; ++i) low *= 10;
  c.a = low + random.Next(9 * low);
  c.b = low + random.Next(9 * low);
  c.sum = c.a + c.b;
  c.text = std::string(kChallengeLead) + std::to_string(c.a) + " + " + std::to_string(c.b) + "=";
  return c;
}

bool ChallengeAnswered(std::string_view answer, const Challenge& challenge, int item) {
  // Item 0 has no challenge of its own: its prompt with a stale sum behind it must not unlock.
  if (item < 1 || item > kRemindAgainNever) return false;
  const std::string sum = std::to_string(challenge.sum);
  return answer == sum || answer == challenge.text + sum;
}

int SecondsAddedOnReturn(int mode, uint32_t interval_ms) {
  switch (mode) {
    case kFreeMode:
    case kPasswordMode:
      return static_cast<int>(interval_ms / 60'000) * 10;
    case kInterfereMode:
      return static_cast<int>(interval_ms / 1000);
    default:
      return 0;
  }
}

}  // namespace tavu
