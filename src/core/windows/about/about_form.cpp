#include "windows/about/about_form.hpp"

namespace tavu {

void TfrmAboutHelp::ShowAtPage(int page) {
  page_ = page;
  host_.Show();
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
