#pragma once
#include <windows.h>

#include <string_view>

#include "gfx/image.hpp"

namespace tavu::win {

// Base of every window: registers its class (named after the form), routes messages to the
// derived view, and takes part in the refresh that follows every handled event.
class View {
 public:
  View();
  virtual ~View();
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  HWND hwnd() const { return hwnd_; }
  // Brings the window up to date with its presenter's state.
  virtual void Sync() {}
  static void SyncAll();

 protected:
  void Create(std::wstring_view window_class, DWORD style, DWORD ex_style, std::wstring_view title,
              HWND owner, HBRUSH background = nullptr, LPCWSTR cursor = IDC_ARROW);
  virtual LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  // The window moved to a monitor of another density. Its mirror has already laid its controls
  // out again and taken the frame Windows suggested; a view makes again what it owns itself at
  // the old dpi (fonts, controls outside the mirror). The refresh of every view follows.
  virtual void DpiChanged(int /*dpi*/) {}
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND hwnd_ = nullptr;
  View* next_ = nullptr;
  static View* first_;
};

// A picture kept compressed (its JPEG bytes, a resource mapped with the executable) and decoded
// only to be shown: stretched once to the size it is shown at, and that copy kept while it is on
// screen (stretching at paint time is slow under some GDI implementations). The copy is a DIB
// section, memory of its own that goes back to the system when Release() drops it as the
// picture leaves the screen; the next Draw decodes again.
class StretchedPicture {
 public:
  explicit StretchedPicture(std::string_view jpeg) : jpeg_(jpeg) {}
  ~StretchedPicture() { Release(); }
  StretchedPicture(const StretchedPicture&) = delete;
  StretchedPicture& operator=(const StretchedPicture&) = delete;

  bool Empty() const { return jpeg_.empty() || broken_; }
  void Draw(HDC dc, int x, int y, int w, int h);
  void Release();

 private:
  std::string_view jpeg_;
  bool broken_ = false;  // the bytes did not decode: never tried again
  HBITMAP scaled_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

// Shows a hidden top-most window where it already is, without activating it. The rectangle is
// given again: Wine leaves a borderless popup that was placed while hidden off the screen when
// it is shown with SWP_NOMOVE | SWP_NOSIZE.
void ShowAt(HWND hwnd, UINT flags = SWP_NOACTIVATE);

}  // namespace tavu::win
