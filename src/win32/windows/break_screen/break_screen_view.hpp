#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "gfx/gdi_canvas.hpp"
#include "gfx/image.hpp"
#include "ui/control_mirror.hpp"
#include "ui/view.hpp"
#include "windows/break_screen/break_screen.hpp"

namespace tavu::win {

// Enforce mode's hold on the machine. Input is swallowed by low-level keyboard and mouse hooks
// rather than BlockInput: the hooks live only as long as this object, and Windows skips a hook
// that stops answering, so a hung or crashed program cannot keep the machine locked. As a last
// guard the hooks let input through again after a deadline the owner gives (a little after the
// break should have ended). The pointer is hidden by the window that owns the lock, which
// answers WM_SETCURSOR with no cursor while `cursor_hidden()`.
class InputLock {
 public:
  InputLock() = default;
  ~InputLock() { Release(); }
  InputLock(const InputLock&) = delete;
  InputLock& operator=(const InputLock&) = delete;

  // Takes or gives back each part; a part already in the asked state is left alone.
  void Set(bool block_input, bool hide_cursor, ULONGLONG fail_safe_ms);
  void Release() { Set(false, false, 0); }
  bool blocking() const { return keyboard_hook_ || mouse_hook_; }
  bool cursor_hidden() const { return cursor_hidden_; }

 private:
  static LRESULT CALLBACK Swallow(int code, WPARAM wp, LPARAM lp);
  // Hook procedures carry no context: the one deadline of the one lock there is at a time.
  static ULONGLONG release_at_;

  HHOOK keyboard_hook_ = nullptr;
  HHOOK mouse_hook_ = nullptr;
  bool cursor_hidden_ = false;
};

class BreakScreenView;

// "TTWFormCover", the break on another monitor: a borderless, top-most, layered popup of the
// monitor's size with the background drawn at its own size and the slogan over it. It belongs
// to the break screen, which creates, shows, fades and destroys it with itself; input to it is
// input to the break screen.
class BreakCoverView : public View {
 public:
  BreakCoverView(BreakScreenView& screen, std::size_t index);
  ~BreakCoverView() override;
  // Brings the window up to the cover's state and the screen's opacity and colour.
  void Apply(const BreakCover& cover, const BreakScreenState& s);
  int dpi() const { return mirror_.dpi(); }

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void DpiChanged(int dpi) override;
  bool FreshCanvas();
  void Paint();

  BreakScreenView& screen_;
  std::size_t index_;
  ControlMirror mirror_;
  GdiCanvas canvas_;
  bool canvas_stale_ = true;
  bool pressed_ = false;
  int alpha_ = -1;
  Color color_ = 0xFFFFFFFF;
  Rect bounds_;
  Rect slogan_;
};

// "TTWForm", the break screen: a borderless, top-most, layered popup over the primary screen
// with the background pattern drawn on a persistent GDI canvas, and real child controls (ids in
// control_ids.hpp) mirroring the presenter's state.
class BreakScreenView : public View, public BreakScreenHost {
 public:
  // `on_freed` runs (from a posted message, outside any handler) once the window has hidden
  // after the presenter closed it; the owner then destroys presenter and view, presenter first.
  // `shut_down_dialog` is the main window's shut-down command (the power button).
  explicit BreakScreenView(std::function<void()> on_freed,
                           std::function<void()> shut_down_dialog = {});
  ~BreakScreenView() override;
  void Attach(TTWForm& presenter) { presenter_ = &presenter; }
  void SetShutDownDialog(std::function<void()> shut_down_dialog) {
    shut_down_dialog_ = std::move(shut_down_dialog);
  }
  // Key preview, called by the message loop for every message: a key pressed in the window or
  // any of its controls reaches the presenter first. True when the key ended the break and
  // should go no further.
  bool PreviewKey(const MSG& msg);

  void Show() override;
  void Hide() override;
  void AnimateHide(int) override { Hide(); }
  void Repaint() override;
  Canvas& WindowCanvas() override;
  void Free() override;
  void ShowShutDownDialog() override;
  void SetInputLock(bool block_input, bool hide_cursor) override;
  Size MeasureText(const ui::Font& font, std::string_view text) override;
  Size MeasureTextAt(const ui::Font& font, std::string_view text, int dpi) override;
  void Sync() override;

  // For the covers: the presenter (null once freed), the lock's pointer state, whether a window
  // is the screen's or a cover's (or a control of one), and a click or close on a cover.
  TTWForm* presenter() const { return presenter_; }
  bool cursor_hidden() const { return lock_.cursor_hidden(); }
  bool Owns(HWND window) const;
  void CoverClicked();
  void CoverCloseAsked();

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void DpiChanged(int dpi) override;
  void OnInput(int id, const ui::Input& input);

  // Sizes the canvas to the window and, if it is stale, runs FormPaint on it and schedules the
  // whole window for the screen. True if it painted.
  bool FreshCanvas();
  void Paint();
  // A label without a background of its own shows the drawn background through it.
  bool SeeThrough(HDC dc, HWND control, LRESULT* result);
  void DrawIcon(const DRAWITEMSTRUCT& item);
  void UpdateCursor();
  void ReleaseLock();
  void AfterEvent() { SyncAll(); }
  void SyncCovers(const BreakScreenState& s);

  static constexpr Color kNoColor = 0xFFFFFFFF;

  TTWForm* presenter_ = nullptr;
  std::function<void()> on_freed_;
  std::function<void()> shut_down_dialog_;
  ControlMirror mirror_;
  GdiCanvas canvas_;
  bool canvas_stale_ = true;       // the canvas needs a FormPaint before it is shown again
  uint64_t shown_generation_ = 0;  // the canvas generation last sent to the screen
  InputLock lock_;
  bool pressed_ = false;  // left button went down on the background

  int alpha_ = -1;
  Color color_ = kNoColor;
  Image power_picture_;
  Image exit_picture_;
  std::vector<std::unique_ptr<BreakCoverView>> covers_;
};

}  // namespace tavu::win
