#pragma once
#include <string>
#include <string_view>

#include "ports/shell.hpp"

namespace tavu {

// The maker's web pages and how each one is opened.
// Percent-encodes bytes for a query (unreserved characters stay as they are).
std::string PercentEncode(std::string_view bytes);

class WebPages {
 public:
  explicit WebPages(Shell& shell) : shell_(shell) {}
  void OpenHomePage();
  void OpenHelpPage(int topic);
  void OpenVotePage(int n);
  void OpenSuggestionPage();
  void OpenDownloadPage();
  // The "实用链接" items: a web search for a fixed word, or the article page.
  void OpenUsefulLink(std::string_view item);

 private:
  Shell& shell_;
};

}  // namespace tavu
