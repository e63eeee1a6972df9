#pragma once
#include "ports/shell.hpp"

namespace tavu {

// The maker's web pages and how each one is opened.
class WebPages {
 public:
  explicit WebPages(Shell& shell) : shell_(shell) {}
  void OpenHomePage();
  void OpenHelpPage(int topic);
  void OpenVotePage(int n);
  void OpenSuggestionPage();
  void OpenDownloadPage();

 private:
  Shell& shell_;
};

}  // namespace tavu
