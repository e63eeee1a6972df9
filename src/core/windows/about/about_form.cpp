#include "windows/about/about_form.hpp"

#include <string>

#include "machine/web_pages.hpp"

namespace tavu {

namespace {
Rect At(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}
}  // namespace

AboutState::AboutState() {
  caption = TfrmAboutHelp::kCaption;
  client = {420, 326};
  lblTitle.rect = At(20, 16, 380, 28);
  lblTitle.text = kProductName;
  lblTitle.font = ui::PixelFont("宋体", 22, true);
  lblVersion.rect = At(22, 50, 378, 16);
  lblVersion.text = "版本 " + std::string(kProductVersion);
  lblIntro.rect = At(22, 76, 378, 54);
  lblIntro.text = TfrmAboutHelp::kIntro;
  for (int i = 0; i < kLinkCount; ++i) {
    btnLinks[i].rect = At(22 + (i % 2) * 190, 146 + (i / 2) * 36, 180, 28);
    btnLinks[i].text = TfrmAboutHelp::kLinkTexts[i];
  }
  btnWelcome.rect = At(22, 236, 180, 28);
  btnWelcome.text = "欢迎画面";
  lblMail.rect = At(22, 284, 190, 16);
  lblMail.text = "作者邮箱：" + std::string(kMailAddress);
  btnCopyMail.rect = At(212, 278, 180, 28);
  btnCopyMail.text = "复制邮件地址";
}

void TfrmAboutHelp::ShowAtPage(int page) {
  page_ = page;
  state_.visible = true;
  host_.Show();
}

void TfrmAboutHelp::FormClose() {
  state_.visible = false;
  host_.Hide();
}

void TfrmAboutHelp::LinkClick(Link link) {
  switch (link) {
    case kHelp:
    case kUpdate:
      pages_.OpenHelpPage(1);
      break;
    case kVote:
      pages_.OpenVotePage(1);
      break;
    case kSuggestion:
      pages_.OpenSuggestionPage();
      break;
    case kLinkCount:
      break;
  }
}

}  // namespace tavu
