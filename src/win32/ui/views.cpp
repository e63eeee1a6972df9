#include "ui/views.hpp"

#include "windows/screen_saver/scr_zevo_view.hpp"

#include "ui/text.hpp"
#include "windows/break_screen/break_screen_view.hpp"
#include "windows/countdown/break_hint_view.hpp"
#include "windows/desktop_deco/desktop_deco_views.hpp"
#include "windows/notice/pop_hint_view.hpp"
#include "windows/reminders/reminder_views.hpp"
#include "windows/statistics/stat_view.hpp"

namespace tavu::win {

std::unique_ptr<PopHintHost> Win32Views::CreatePopHint(std::function<void()> on_closed) {
  return std::make_unique<PopHintView>(std::move(on_closed));
}

std::unique_ptr<BreakHintHost> Win32Views::CreateBreakHint(std::function<void()> on_freed) {
  return std::make_unique<BreakHintView>(std::move(on_freed));
}

std::unique_ptr<BreakScreenHost> Win32Views::CreateBreakScreen(std::function<void()> on_freed) {
  auto view = std::make_unique<BreakScreenView>(
      [this, on_freed = std::move(on_freed)] {
        break_screen_ = nullptr;
        on_freed();
      },
      shut_down_dialog);
  break_screen_ = view.get();
  return view;
}

bool Win32Views::PreviewKey(const MSG& msg) {
  return (break_screen_ && break_screen_->PreviewKey(msg)) || (stat_ && stat_->PreviewKey(msg));
}

std::unique_ptr<StatHost> Win32Views::CreateStat(std::function<void()> on_closed) {
  auto view = std::make_unique<StatView>([this, on_closed = std::move(on_closed)] {
    stat_ = nullptr;
    on_closed();
  });
  stat_ = view.get();
  return view;
}

void Win32Views::Attach(StatHost& view, TfrmStat& presenter) {
  static_cast<StatView&>(view).Attach(presenter);
}

void Win32Views::Attach(BreakHintHost& view, TfrmBreakHint& presenter) {
  static_cast<BreakHintView&>(view).Attach(presenter);
}

void Win32Views::Attach(BreakScreenHost& view, TTWForm& presenter) {
  static_cast<BreakScreenView&>(view).Attach(presenter);
}

std::unique_ptr<ScrZevoHost> Win32Views::CreateScrZevo(std::function<void()> on_freed) {
  return std::make_unique<ScrZevoView>(std::move(on_freed));
}

void Win32Views::Attach(ScrZevoHost& view, TfrmScrZEVO& presenter) {
  static_cast<ScrZevoView&>(view).Attach(presenter);
}

void Win32Views::Attach(PopHintHost& view, TfrmPopHint& presenter) {
  static_cast<PopHintView&>(view).Attach(presenter);
}

std::unique_ptr<HintSmallWindowHost> Win32Views::CreateHintSmallWindow(
    std::function<void()> on_closed) {
  return std::make_unique<HintSmallWindowView>(std::move(on_closed));
}

std::unique_ptr<ReminderHost> Win32Views::CreateRemindWindowCenter(
    std::function<void()> on_closed) {
  return std::make_unique<RemindWindowCenterView>(std::move(on_closed));
}

void Win32Views::Attach(HintSmallWindowHost& view, TfrmHintSmallWindow& presenter) {
  static_cast<HintSmallWindowView&>(view).Attach(presenter);
}

void Win32Views::Attach(ReminderHost& view, TfrmRemindWindowCenter& presenter) {
  static_cast<RemindWindowCenterView&>(view).Attach(presenter);
}

std::unique_ptr<DesktopDecoHost> Win32Views::CreateDesktopDeco(std::function<void()> on_closed) {
  return std::make_unique<DesktopDecoView>(std::move(on_closed));
}

std::unique_ptr<SOTHost> Win32Views::CreateSOTForm(std::function<void()> on_closed) {
  return std::make_unique<SOTView>(std::move(on_closed));
}

void Win32Views::Attach(DesktopDecoHost& view, TfrmDesktopDeco& presenter) {
  static_cast<DesktopDecoView&>(view).Attach(presenter);
}

void Win32Views::Attach(SOTHost& view, TSOTForm& presenter) {
  static_cast<SOTView&>(view).Attach(presenter);
}

void Win32Views::BringToFront(std::string_view form_name) {
  // A form's window class is its form name with the leading T.
  HWND h = FindWindowW((L"T" + Wide(form_name)).c_str(), nullptr);
  if (!h) return;
  // A window that takes no input (the on-top picture) is raised without taking the focus.
  if (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TRANSPARENT) {
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
  SetForegroundWindow(h);
}

}  // namespace tavu::win
