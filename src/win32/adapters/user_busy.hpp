#pragma once
#include <windows.h>

#include <string>

#include "ports/user_busy.hpp"

namespace tavu::win {

// The shell's notification state and the system's record of which programs hold the
// microphone or camera (the privacy settings' "last used" times, per program).
class Win32UserBusy : public UserBusy {
 public:
  bool Presenting() override;
  bool InCall() override;

  // Where the system keeps, per device kind, a key per program with its last use; a program
  // that holds the device now has a start time and no stop time.
  static constexpr wchar_t kConsentStore[] =
      L"Software\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore";
  // Whether a program under `device` ("microphone", "webcam") of the user's store uses it now.
  static bool DeviceInUse(const std::wstring& device);
};

}  // namespace tavu::win
