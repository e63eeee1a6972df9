#include "windows/notice/pop_hint.hpp"

namespace tavu {

namespace {
constexpr std::string_view kFormName = "frmPopHint";
}

TfrmPopHint::~TfrmPopHint() {
  timers_.StopAll(*this);
  if (open_) forms_.Remove(kFormName);
}

void TfrmPopHint::Open() {
  open_ = true;
  forms_.Add(kFormName);
  timers_.Start(*this, kTimer1, kLifeMs);
  FormCreate();
  host_.Show();
}

void TfrmPopHint::FormCreate() {
  state_.text = values_.text;
  const Size label = host_.MeasureText(state_.font, state_.text);
  const int left = (host_.WindowWidth() - label.w) / 2;
  const int top = (state_.client.h - label.h) / 2;
  state_.label = {left, top, left + label.w, top + label.h};
  state_.form_color = values_.form_color;
  state_.label_color = values_.label_color;
}

void TfrmPopHint::Timer1Timer() {
  timers_.Stop(*this, kTimer1);
  if (open_) forms_.Remove(kFormName);
  open_ = false;
  host_.Close();
}

void TfrmPopHint::OnTimer(int id) {
  if (id == kTimer1) Timer1Timer();
}

}  // namespace tavu
