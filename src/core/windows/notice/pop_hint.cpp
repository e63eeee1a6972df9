#include "windows/notice/pop_hint.hpp"

namespace tavu {

PopHintState::PopHintState() {
  caption = "岚禾软件提示";
  client = {226, 129};
  lblInfo.font = ui::PixelFont("宋体", 21, true, kRed);
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
  state_.visible = true;
  host_.Show();
}

void TfrmPopHint::FormCreate() {
  ui::Label& label = state_.lblInfo;
  label.text = values_.text;
  const Size size = host_.MeasureText(*label.font, label.text);
  const int left = (host_.WindowWidth() - size.w) / 2;
  const int top = (state_.client.h - size.h) / 2;
  label.rect = {left, top, left + size.w, top + size.h};
  label.back = values_.label_color;
  state_.color = values_.form_color;
}

void TfrmPopHint::Timer1Timer() {
  timers_.Stop(*this, kTimer1);
  Close();
}

void TfrmPopHint::Close() {
  if (!open_) return;
  timers_.Stop(*this, kTimer1);
  forms_.Remove(kFormName);
  open_ = false;
  state_.visible = false;
  host_.Close();
}

void TfrmPopHint::OnTimer(int id) {
  if (id == kTimer1) Timer1Timer();
}

}  // namespace tavu
