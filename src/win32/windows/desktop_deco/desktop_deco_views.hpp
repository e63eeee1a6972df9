#pragma once
#include <windows.h>

#include <functional>
#include <string_view>

#include "ui/control_mirror.hpp"
#include "ui/monitor_cover.hpp"
#include "ui/view.hpp"
#include "windows/desktop_deco/desktop_deco.hpp"
#include "windows/desktop_deco/sot_form.hpp"

namespace tavu::win {

// "TfrmDesktopDeco": the banner on the desktop. A borderless tool window owned by the shell's
// desktop window ("Program Manager", when there is one), kept at the bottom of the z-order, with
// white see-through. The picture is decoded when it is first painted and only the copy stretched
// to the window is kept, until the window closes.
class DesktopDecoView : public View, public DesktopDecoHost {
 public:
  explicit DesktopDecoView(std::function<void()> on_closed);
  void Attach(TfrmDesktopDeco& presenter) { presenter_ = &presenter; }

  void Show() override;
  void Hide() override;
  void AnimateHide(int) override { Hide(); }
  Size PictureSize() override;
  void Close() override;
  void Sync() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void Paint();
  void PopupMenu(POINT at);

  TfrmDesktopDeco* presenter_ = nullptr;
  ControlMirror mirror_;
  std::function<void()> on_closed_;
  std::string_view jpeg_;
  StretchedPicture picture_;
  COLORREF key_ = CLR_INVALID;
  bool closed_ = false;
};

// "TSOTForm": the on-top picture. A top-most tool window over the primary screen (and one over
// every other monitor while breaks cover them all), blended in at
// the presenter's alpha and transparent to the mouse (layered and WS_EX_TRANSPARENT). Its
// screen-sized stretched copy of the picture lives only as long as the window.
class SOTView : public View, public SOTHost {
 public:
  explicit SOTView(std::function<void()> on_closed);
  void Attach(TSOTForm& presenter) { presenter_ = &presenter; }

  void Show() override;
  void Hide() override;
  void AnimateHide(int) override { Hide(); }
  void Close() override;
  void Sync() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  TSOTForm* presenter_ = nullptr;
  ControlMirror mirror_;
  std::function<void()> on_closed_;
  StretchedPicture picture_;
  int alpha_ = -1;
  bool closed_ = false;
  MonitorCovers covers_;  // the other monitors' pictures
};

}  // namespace tavu::win
