#pragma once
#include <array>
#include <string_view>
#include "base/version.hpp"

#include "machine/web_pages.hpp"
#include "ui/commands.hpp"
#include "ui/controls.hpp"
#include "ui/forms.hpp"

namespace tavu {

inline constexpr std::string_view kProductName = "岚禾休息软件";
inline constexpr std::string_view kProductVersion = TAVU_VERSION_TEXT;

struct AboutState : ui::FormState {
  static constexpr int kLinkCount = 4;
  AboutState();
  ui::Label lblTitle;
  ui::Label lblVersion;
  ui::Label lblIntro;
  std::array<ui::Button, kLinkCount> btnLinks;  // the maker's pages, in the order of Link
  ui::Button btnWelcome;                        // shows the welcome picture again
  ui::Label lblMail;                            // the maker's address
  ui::Button btnCopyMail;                       // puts it on the clipboard
};

// The about/help window: product text, the maker's pages, and the welcome picture again.
class TfrmAboutHelp {
 public:
  enum Link { kHelp, kUpdate, kVote, kSuggestion, kLinkCount };
  static_assert(kLinkCount == AboutState::kLinkCount);
  static constexpr std::string_view kCaption = "关于帮助-[岚禾护眼钟]";
  static constexpr std::string_view kLinkTexts[kLinkCount] = {
      "获得帮助 (点击进入)", "软件升级 (点击进入)", "投票评论 (点击进入)", "留言建议 (点击进入)"};
  static constexpr std::string_view kIntro =
      "岚禾休息软件在你长时间使用电脑时提醒你定时休息：它统计你的工作和空闲时间，"
      "把短暂的停顿计为休息，并在休息时间到来前一分钟给出倒计时。";

  TfrmAboutHelp(FormHost& host, WebPages& pages, AppCommands& app)
      : host_(host), pages_(pages), app_(app) {}

  void ShowAtPage(int page);
  // A close request hides the window; it lives until the program ends.
  void FormClose();
  void LinkClick(Link link);
  // The picture shows the welcome picture again.
  void imgWelcomeClick() { app_.ShowWelcome(); }
  void btnCopyMailClick() { app_.CopyMailAddress(); }
  int Page() const { return page_; }

  const AboutState& State() const { return state_; }

 private:
  FormHost& host_;
  WebPages& pages_;
  AppCommands& app_;
  AboutState state_;
  int page_ = 0;
};

}  // namespace tavu
