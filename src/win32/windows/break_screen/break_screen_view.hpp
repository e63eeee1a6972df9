#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gfx/gdi_canvas.hpp"
#include "gfx/image.hpp"
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
  Size MeasureText(const FontSpec& font, std::string_view text) override;
  void Sync() override;

 private:
  // A child control and what was last applied to it.
  struct Child {
    HWND hwnd = nullptr;
    Rect bounds{-1, -1, -1, -1};
    bool visible = false;
    bool enabled = true;
  };
  struct Label : Child {
    FontSpec font;
    HFONT font_handle = nullptr;
    std::optional<Color> background;
    HBRUSH brush = nullptr;
  };

  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  HWND MakeChild(const wchar_t* cls, DWORD style, int id);
  // `list_height`: a drop-down list's extra height below its field.
  void SyncChild(Child& child, const ControlState& state, int list_height = 0);
  void SyncLabel(Label& label, const LabelState& state);
  // Sizes the canvas to the window and, if it is stale, runs FormPaint on it and schedules the
  // whole window for the screen. True if it painted.
  bool FreshCanvas();
  void Paint();
  LRESULT LabelColors(HDC dc, HWND control);
  void DrawIcon(const DRAWITEMSTRUCT& item);
  void OnCommand(int id, int code);
  void UpdateCursor();
  void ReleaseLock();
  void AfterEvent() { SyncAll(); }

  static constexpr Color kNoColor = 0xFFFFFFFF;

  TTWForm* presenter_ = nullptr;
  std::function<void()> on_freed_;
  std::function<void()> shut_down_dialog_;
  GdiCanvas canvas_;
  bool canvas_stale_ = true;       // the canvas needs a FormPaint before it is shown again
  uint64_t shown_generation_ = 0;  // the canvas generation last sent to the screen
  InputLock lock_;
  bool syncing_ = false;  // control notifications caused by Sync are not user input
  bool pressed_ = false;  // left button went down on the background
  int dpi_ = 96;

  Rect bounds_{-1, -1, -1, -1};
  int alpha_ = -1;
  Color color_ = kNoColor;

  Child progress_;
  int progress_min_ = 0, progress_max_ = -1, progress_pos_ = -1;
  Label remain_;
  Label mode_;
  Label slogan_;
  Child shut_down_icon_;
  Child exit_icon_;
  Child combo_;
  std::vector<std::string> combo_items_;
  Child edit_;
  HFONT control_font_ = nullptr;
  Image power_picture_;
  Image exit_picture_;

  // MeasureText's font, kept while the same font is asked for.
  FontSpec measure_spec_;
  HFONT measure_font_ = nullptr;
};

}  // namespace tavu::win
