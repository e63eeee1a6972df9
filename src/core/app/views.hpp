#pragma once
#include <functional>
#include <memory>

#include "windows/break_screen/break_screen.hpp"
#include "windows/countdown/break_hint.hpp"
#include "windows/desktop_deco/desktop_deco.hpp"
#include "windows/desktop_deco/sot_form.hpp"
#include "windows/notice/pop_hint.hpp"
#include "windows/reminders/hint_small_window.hpp"
#include "windows/reminders/remind_window_center.hpp"
#include "windows/screen_saver/scr_zevo.hpp"
#include "windows/statistics/stat_form.hpp"

namespace tavu {

// Creates the views of windows that come and go. `on_closed` runs when the window has closed
// itself; the composition root then frees presenter and view outside any of their handlers.
class ViewFactory {
 public:
  virtual ~ViewFactory() = default;
  virtual std::unique_ptr<PopHintHost> CreatePopHint(std::function<void()> on_closed) = 0;
  virtual std::unique_ptr<BreakHintHost> CreateBreakHint(std::function<void()> on_freed) = 0;
  virtual std::unique_ptr<BreakScreenHost> CreateBreakScreen(std::function<void()> on_freed) = 0;
  virtual std::unique_ptr<ScrZevoHost> CreateScrZevo(std::function<void()> on_freed) = 0;
  virtual std::unique_ptr<HintSmallWindowHost> CreateHintSmallWindow(
      std::function<void()> on_closed) = 0;
  virtual std::unique_ptr<ReminderHost> CreateRemindWindowCenter(
      std::function<void()> on_closed) = 0;
  virtual std::unique_ptr<StatHost> CreateStat(std::function<void()> on_closed) = 0;
  virtual std::unique_ptr<DesktopDecoHost> CreateDesktopDeco(std::function<void()> on_closed) = 0;
  virtual std::unique_ptr<SOTHost> CreateSOTForm(std::function<void()> on_closed) = 0;
  // Lets a created view reach its presenter.
  virtual void Attach(PopHintHost& view, TfrmPopHint& presenter) = 0;
  virtual void Attach(BreakHintHost& view, TfrmBreakHint& presenter) = 0;
  virtual void Attach(BreakScreenHost& view, TTWForm& presenter) = 0;
  virtual void Attach(ScrZevoHost& view, TfrmScrZEVO& presenter) = 0;
  virtual void Attach(HintSmallWindowHost& view, TfrmHintSmallWindow& presenter) = 0;
  virtual void Attach(ReminderHost& view, TfrmRemindWindowCenter& presenter) = 0;
  virtual void Attach(StatHost& view, TfrmStat& presenter) = 0;
  virtual void Attach(DesktopDecoHost& view, TfrmDesktopDeco& presenter) = 0;
  virtual void Attach(SOTHost& view, TSOTForm& presenter) = 0;
  // Brings the open window of a form to the front (windows that exist at most once).
  virtual void BringToFront(std::string_view form_name) = 0;
};

}  // namespace tavu
