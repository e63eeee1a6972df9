#include "windows/desktop_deco/desktop_deco.hpp"

#include "ui/menu.hpp"

namespace tavu {

DesktopDecoState::DesktopDecoState() {
  color = transparent_color;
  font = ui::PixelFont("MS Sans Serif", 11);
  PopupMenu1 = {DecoMenuItem{DecoCommand::SetPosition, std::string(TfrmDesktopDeco::kToTop)},
                DecoMenuItem{DecoCommand::Setup, "设置"}, DecoMenuItem{DecoCommand::Hide, "隐藏"}};
}

TfrmDesktopDeco::~TfrmDesktopDeco() {
  if (open_) d_.forms.Remove(kFormName);
}

void TfrmDesktopDeco::Open() {
  open_ = true;
  d_.forms.Add(kFormName);
  FormCreate();
  state_.visible = true;
  host_.Show();
}

void TfrmDesktopDeco::FormCreate() {
  const Size screen = d_.screen.PrimarySize();
  const Size picture = host_.PictureSize();
  const int width = screen.w * kWidthPer1024 / 1024;
  // Integer arithmetic: the exact quotient, truncated.
  const int height = picture.w > 0 ? picture.h * width / picture.w : 0;
  state_.bounds = {0, 0, width, height};
  state_.Image1.rect = {0, 0, width, height};
  corner_ = 0;
  NSetPositionClick();
}

void TfrmDesktopDeco::NSetPositionClick() {
  const Rect work = d_.screen.WorkArea();
  const int width = state_.bounds.Width(), height = state_.bounds.Height();
  const int left = work.right - width - kEdgeGap;
  const int top = corner_ == 0 ? work.top + kTopGap : work.bottom - height - kEdgeGap;
  state_.bounds = {left, top, left + width, top + height};
  corner_ = corner_ == 0 ? 1 : 0;
  state_.PopupMenu1[0].caption = corner_ == 1 ? kToBottom : kToTop;
}

void TfrmDesktopDeco::Image1MouseDown(ui::MouseButton button, Point at) {
  if (button != ui::MouseButton::Left) return;
  pressed_ = true;
  press_ = at;
}

void TfrmDesktopDeco::Image1MouseUp(ui::MouseButton button, Point at) {
  if (button != ui::MouseButton::Left || !pressed_) return;
  pressed_ = false;
  const int dx = at.x - press_.x, dy = at.y - press_.y;
  Rect& b = state_.bounds;
  b = {b.left + dx, b.top + dy, b.right + dx, b.bottom + dy};
}

void TfrmDesktopDeco::MenuClick(DecoCommand command) {
  switch (command) {
    case DecoCommand::SetPosition:
      return NSetPositionClick();
    case DecoCommand::Setup:
      return NSetupClick();
    case DecoCommand::Hide:
      return NHideClick();
  }
}

void TfrmDesktopDeco::NSetupClick() { d_.app.ShowSetup(kPageGeneral, false); }

// The main menu's toggle turns the setting off, which closes this window.
void TfrmDesktopDeco::NHideClick() { d_.app.RunMenuCommand(MenuCommand::DesktopDeco); }

void TfrmDesktopDeco::FormClose() {
  if (!open_) return;
  open_ = false;
  pressed_ = false;
  d_.forms.Remove(kFormName);
  state_.visible = false;
  host_.Close();
}

}  // namespace tavu
