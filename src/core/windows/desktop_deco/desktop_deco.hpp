#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "ports/screen.hpp"
#include "ui/commands.hpp"
#include "ui/controls.hpp"
#include "ui/forms.hpp"

namespace tavu {

// What the desktop status picture asks of its view beyond showing and hiding.
class DesktopDecoHost : public FormHost {
 public:
  // The picture's own size in pixels, read from its header without decoding it.
  virtual Size PictureSize() = 0;
  // The window has closed: hide it, let go of the picture and let the owner free it.
  virtual void Close() = 0;
};

// PopupMenu1's items, in menu order; the values are the platform menu's command ids.
enum class DecoCommand : int { SetPosition = 1, Setup, Hide };

struct DecoMenuItem {
  DecoCommand command;
  std::string caption;
};

// Laid out in the screen's own pixels. White is the window's see-through colour.
struct DesktopDecoState : ui::FormState {
  DesktopDecoState();
  ui::Picture Image1;  // fills the window, stretched
  Color transparent_color = Rgb(255, 255, 255);
  std::array<DecoMenuItem, 3> PopupMenu1;
};

// `TfrmDesktopDeco`: a small borderless banner on the desktop, below every other window, saying
// that the program runs. It starts in the work area's top-right corner; its menu flips it
// between the top-right and the bottom-right corner, opens the settings or hides it, and a
// left-button drag moves it once, when the button is released.
class TfrmDesktopDeco {
 public:
  struct Deps {
    Screen& screen;
    OpenForms& forms;
    AppCommands& app;
  };

  static constexpr std::string_view kFormName = "frmDesktopDeco";
  static constexpr std::string_view kToTop = "置顶";
  static constexpr std::string_view kToBottom = "置底";
  // 250 pixels wide on a screen 1024 pixels wide, in proportion on others.
  static constexpr int kWidthPer1024 = 250;
  static constexpr int kEdgeGap = 10;  // from the work area's right edge, and its bottom
  static constexpr int kTopGap = 25;   // from the work area's top

  TfrmDesktopDeco(DesktopDecoHost& host, const Deps& deps) : host_(host), d_(deps) {}
  ~TfrmDesktopDeco();
  TfrmDesktopDeco(const TfrmDesktopDeco&) = delete;
  TfrmDesktopDeco& operator=(const TfrmDesktopDeco&) = delete;

  // Creates and shows the window.
  void Open();
  void FormCreate();
  void Image1MouseDown(ui::MouseButton button, Point at);
  void Image1MouseUp(ui::MouseButton button, Point at);
  void MenuClick(DecoCommand command);
  void NSetPositionClick();
  void NSetupClick();
  void NHideClick();
  void FormClose();

  bool IsOpen() const { return open_; }
  // 0: at the bottom-right corner (the next flip goes up); 1: at the top-right corner.
  uint8_t DecoCorner() const { return corner_; }
  const DesktopDecoState& State() const { return state_; }

 private:
  DesktopDecoHost& host_;
  Deps d_;
  DesktopDecoState state_;
  uint8_t corner_ = 0;
  bool pressed_ = false;
  Point press_;
  bool open_ = false;
};

}  // namespace tavu
