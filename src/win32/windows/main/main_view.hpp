#pragma once
#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>

#include "gfx/image.hpp"
#include "ui/control_mirror.hpp"
#include "ui/view.hpp"
#include "windows/main/main_form.hpp"

namespace tavu::win {

// The main window "ZQX050505_20": the welcome picture, the tray icon and the messages other
// programs and the system send.
class MainView : public View, public MainFormHost {
 public:
  MainView();
  ~MainView() override;
  void Attach(TfrmMain& presenter) { presenter_ = &presenter; }
  // Called when the session ends, so that the icon and the system switches are restored.
  std::function<void()> on_session_end;

  void Show() override;
  void Hide() override;
  void AnimateHide(int ms) override;
  bool AddTrayIcon() override;
  void RemoveTrayIcon() override;
  void PopupMenu(const MainMenu& menu, Point at) override;
  bool RegisterHotKey(std::size_t index, uint32_t modifiers, char key) override;
  void UnregisterHotKeys() override;
  void Sync() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void Paint();
  NOTIFYICONDATAW TrayData() const;

  TfrmMain* presenter_ = nullptr;
  ControlMirror mirror_;
  StretchedPicture picture_;
  HBRUSH background_;
  bool tray_added_ = false;
  // The tip and picture the icon was last given; Sync gives them again only when they change.
  std::string tray_tip_{kTrayTip};
  bool tray_paused_ = false;
  bool tool_window_ = false;
  // The fade-out: a layered window whose opacity steps down on a view timer.
  DWORD fade_started_ = 0;
  int fade_ms_ = 0;
  void StopFade();
  UINT taskbar_created_ = 0;
  ATOM hot_key_atoms_[kHotKeyCount] = {};
};

}  // namespace tavu::win
