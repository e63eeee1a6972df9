// The password mode's answer box takes whatever the user types or pastes: only the challenge's
// sum, alone or after the challenge's own text, may unlock, and only for a real choice.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "fakes.hpp"
#include "windows/break_screen/rest_modes.hpp"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int item = in.ConsumeIntegralInRange(-2, tavu::kRemindAgainNever + 2);
  tavu::fake::FakeRandom random;
  random.values = {in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>()};
  const tavu::Challenge c = tavu::DrawChallenge(item, random);
  const std::string answer = in.ConsumeRemainingBytesAsString();

  const bool real = item >= 1 && item <= tavu::kRemindAgainNever;
  if (real) {
    // Two addends of `item` digits each.
    Check(std::to_string(c.a).size() == static_cast<std::size_t>(item));
    Check(std::to_string(c.b).size() == static_cast<std::size_t>(item));
    Check(c.sum == c.a + c.b);
  }
  const std::string sum = std::to_string(c.sum);
  const bool unlocked = tavu::ChallengeAnswered(answer, c, item);
  Check(unlocked == (real && (answer == sum || answer == c.text + sum)));
  Check(tavu::ChallengeAnswered(sum, c, item) == real);
  Check(tavu::ChallengeAnswered(c.text + sum, c, item) == real);
  return 0;
}
