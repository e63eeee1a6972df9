#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/geometry.hpp"
#include "ui/view.hpp"

namespace tavu::win {

// The windows a full-screen window of the primary monitor puts over the other monitors: plain
// top-most popups, one per rectangle, black unless `paint` draws them (it gets the window and
// does its own BeginPaint), and any key or mouse message that reaches one handed to `input`.
class MonitorCovers {
 public:
  using Paint = std::function<void(HWND)>;
  using Input = std::function<void(UINT msg, WPARAM wp, LPARAM lp)>;

  MonitorCovers(std::wstring window_class, DWORD ex_style, Paint paint = {}, Input input = {});
  ~MonitorCovers();
  MonitorCovers(const MonitorCovers&) = delete;
  MonitorCovers& operator=(const MonitorCovers&) = delete;

  // One window per rectangle (virtual-screen pixels), placed there; shown without activation
  // while `shown`, hidden otherwise. A layered kind takes `alpha`.
  void Apply(const std::vector<Rect>& rects, bool shown, BYTE alpha = 255);
  // Raises them all to the top of the top-most windows, without activation.
  void Raise();
  void Clear();
  bool Owns(HWND window) const;

 private:
  class Window;
  std::wstring class_;
  DWORD ex_style_;
  Paint paint_;
  Input input_;
  std::vector<std::unique_ptr<Window>> windows_;
};

}  // namespace tavu::win
