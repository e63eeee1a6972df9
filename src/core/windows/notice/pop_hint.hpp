#pragma once
#include <string>
#include <string_view>

#include "base/geometry.hpp"
#include "ports/timers.hpp"
#include "ui/controls.hpp"
#include "ui/forms.hpp"

namespace tavu {

// What the notice window needs beyond showing and closing: text measurement and its size.
class PopHintHost : public FormHost {
 public:
  virtual Size MeasureText(const ui::Font& font, std::string_view text) = 0;
  virtual int WindowWidth() = 0;  // outer width, border included
  // The window closes and frees itself; the presenter is not used again.
  virtual void Close() = 0;
};

// The colours and text of the next notice (unit-level state shared by every notice window).
struct PopHintValues {
  std::string text;
  Color label_color = 0;
  Color form_color = 0;
};

struct PopHintState : ui::FormState {
  PopHintState();
  ui::Label lblInfo;  // centred; its background is the label colour
};

// `TfrmPopHint`: the small self-closing notice.
class TfrmPopHint : public TimerSink {
 public:
  static constexpr std::string_view kFormName = "frmPopHint";
  static constexpr int kTimer1 = 1;
  static constexpr uint32_t kLifeMs = 3000;

  TfrmPopHint(PopHintHost& host, Timers& timers, OpenForms& forms, const PopHintValues& values)
      : host_(host), timers_(timers), forms_(forms), values_(values) {}
  ~TfrmPopHint() override;

  // Creation: the timer runs from here; FormCreate takes the current values and lays out.
  void Open();
  void FormCreate();
  void Timer1Timer();
  // A close request (the close box, Alt+F4): the notice goes at once; nothing once closed.
  void Close();
  void OnTimer(int id) override;

  const PopHintState& State() const { return state_; }

 private:
  PopHintHost& host_;
  Timers& timers_;
  OpenForms& forms_;
  const PopHintValues& values_;
  PopHintState state_;
  bool open_ = false;
};

}  // namespace tavu
