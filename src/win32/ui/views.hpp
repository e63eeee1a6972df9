#pragma once
#include <windows.h>

#include "app/views.hpp"

namespace tavu::win {

class BreakScreenView;
class StatView;

class Win32Views : public ViewFactory {
 public:
  // The main window's shut-down command, for the break screen's power button.
  std::function<void()> shut_down_dialog;
  // Key preview for the break screen and the statistics window that are open, if any.
  bool PreviewKey(const MSG& msg);

  std::unique_ptr<PopHintHost> CreatePopHint(std::function<void()> on_closed) override;
  std::unique_ptr<BreakHintHost> CreateBreakHint(std::function<void()> on_freed) override;
  std::unique_ptr<BreakScreenHost> CreateBreakScreen(std::function<void()> on_freed) override;
  std::unique_ptr<HintSmallWindowHost> CreateHintSmallWindow(
      std::function<void()> on_closed) override;
  std::unique_ptr<ReminderHost> CreateRemindWindowCenter(std::function<void()> on_closed) override;
  void Attach(PopHintHost& view, TfrmPopHint& presenter) override;
  void Attach(HintSmallWindowHost& view, TfrmHintSmallWindow& presenter) override;
  void Attach(ReminderHost& view, TfrmRemindWindowCenter& presenter) override;
  void Attach(BreakHintHost& view, TfrmBreakHint& presenter) override;
  void Attach(BreakScreenHost& view, TTWForm& presenter) override;
  std::unique_ptr<ScrZevoHost> CreateScrZevo(std::function<void()> on_freed) override;
  void Attach(ScrZevoHost& view, TfrmScrZEVO& presenter) override;
  std::unique_ptr<StatHost> CreateStat(std::function<void()> on_closed) override;
  void Attach(StatHost& view, TfrmStat& presenter) override;
  std::unique_ptr<DesktopDecoHost> CreateDesktopDeco(std::function<void()> on_closed) override;
  std::unique_ptr<SOTHost> CreateSOTForm(std::function<void()> on_closed) override;
  void Attach(DesktopDecoHost& view, TfrmDesktopDeco& presenter) override;
  void Attach(SOTHost& view, TSOTForm& presenter) override;
  void BringToFront(std::string_view form_name) override;

 private:
  BreakScreenView* break_screen_ = nullptr;  // the open one; cleared when it is freed
  StatView* stat_ = nullptr;                 // the open one; cleared when it closes
};

}  // namespace tavu::win
