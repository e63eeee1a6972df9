#include "windows/desktop_deco/sot_form.hpp"

#include "ui/monitors.hpp"

namespace tavu {

SOTState::SOTState() { color = Rgb(0, 0, 0); }

TSOTForm::~TSOTForm() {
  if (open_) d_.forms.Remove(kFormName);
}

void TSOTForm::Open() {
  open_ = true;
  d_.forms.Add(kFormName);
  FormCreate();
  state_.visible = true;
  host_.Show();
}

void TSOTForm::FormCreate() {
  DisplayChanged();
  state_.alpha = kAlpha;
}

void TSOTForm::DisplayChanged() {
  const Size screen = d_.screen.PrimarySize();
  state_.bounds = {0, 0, screen.w, screen.h};
  state_.Image1.rect = state_.bounds;
  state_.others.clear();
  for (const Monitor& m : ui::OtherMonitors(d_.screen, d_.settings.BreakOnAllMonitors))
    state_.others.push_back(m.rect);
}

void TSOTForm::FormClose() {
  if (!open_) return;
  open_ = false;
  d_.forms.Remove(kFormName);
  state_.visible = false;
  host_.Close();
}

}  // namespace tavu
