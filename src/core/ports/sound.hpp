#pragma once
#include <cstdint>

namespace tavu {

// The program's short sound cues.
enum class SoundCue : uint8_t { Chime, BreakStart, BreakEnd };

class Sound {
 public:
  virtual ~Sound() = default;
  // Starts the cue and returns at once; a cue still playing is cut off.
  virtual void Play(SoundCue cue) = 0;
};

}  // namespace tavu
