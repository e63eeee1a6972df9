#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "ports/screen.hpp"
#include "settings/settings.hpp"
#include "ui/controls.hpp"
#include "ui/forms.hpp"

namespace tavu {

// What the on-top picture asks of its view beyond showing and hiding.
class SOTHost : public FormHost {
 public:
  // The window has closed: hide it, let go of the picture and let the owner free it.
  virtual void Close() = 0;
};

// Laid out in the screen's own pixels.
struct SOTState : ui::FormState {
  SOTState();
  ui::Picture Image1;  // fills the window, stretched
  uint8_t alpha = 255;
  // Every other monitor while BreakOnAllMonitors: the same picture, stretched to each.
  std::vector<Rect> others;
};

// `TSOTForm`: a picture over the whole primary screen (and the other monitors), above every window,
// so faint (50 of 255) that the screen stays readable through it; it takes no mouse input, so
// clicks reach the windows beneath.
class TSOTForm {
 public:
  struct Deps {
    Screen& screen;
    OpenForms& forms;
    const Settings& settings;
  };

  static constexpr std::string_view kFormName = "SOTForm";
  static constexpr uint8_t kAlpha = 50;

  TSOTForm(SOTHost& host, const Deps& deps) : host_(host), d_(deps) {}
  ~TSOTForm();
  TSOTForm(const TSOTForm&) = delete;
  TSOTForm& operator=(const TSOTForm&) = delete;

  // Creates and shows the window.
  void Open();
  void FormCreate();
  void FormClose();
  // Monitors were added, removed or rearranged: the picture covers them as they are now.
  void DisplayChanged();

  bool IsOpen() const { return open_; }
  const SOTState& State() const { return state_; }

 private:
  SOTHost& host_;
  Deps d_;
  SOTState state_;
  bool open_ = false;
};

}  // namespace tavu
