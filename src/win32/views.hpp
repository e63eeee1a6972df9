#pragma once
#include "app/views.hpp"

namespace tavu::win {

class Win32Views : public ViewFactory {
 public:
  std::unique_ptr<PopHintHost> CreatePopHint(std::function<void()> on_closed) override;
  std::unique_ptr<BreakHintHost> CreateBreakHint(std::function<void()> on_freed) override;
  std::unique_ptr<BreakScreenHost> CreateBreakScreen(std::function<void()> on_freed) override;
  void Attach(PopHintHost& view, TfrmPopHint& presenter) override;
  void Attach(BreakHintHost& view, TfrmBreakHint& presenter) override;
  void Attach(BreakScreenHost& view, TTWForm& presenter) override;
  void BringToFront(std::string_view form_name) override;
};

}  // namespace tavu::win
