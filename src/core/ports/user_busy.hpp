#pragma once

namespace tavu {

// What the user is busy with that a due break should wait for. Asked once a minute at most,
// only while a break is due and its setting is on.
class UserBusy {
 public:
  virtual ~UserBusy() = default;
  // Presenting, or a full-screen program or game in front (the system's own notification state).
  virtual bool Presenting() = 0;
  // A microphone or camera in use by a program: a call.
  virtual bool InCall() = 0;
};

}  // namespace tavu
