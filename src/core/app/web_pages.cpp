#include "app/web_pages.hpp"

#include <string>

namespace tavu {
namespace {
constexpr std::string_view kSite = "http://www.lanhesoft.cn/";
constexpr std::string_view kBrowser = "iexplore.exe";

std::string Page(std::string_view path) { return std::string(kSite) + std::string(path); }
}  // namespace

void WebPages::OpenHomePage() { shell_.Execute("", kBrowser, kSite, ShowState::Maximized); }

void WebPages::OpenHelpPage(int topic) {
  const bool known = topic == 1 || topic == 2 || topic == 3 || topic == 104;
  const std::string address =
      known ? Page("help/tavu/topic" + std::to_string(topic) + ".html") : Page("help/tavu/");
  shell_.Execute("open", address, "", ShowState::Normal);
}

void WebPages::OpenVotePage(int n) {
  if (n >= 1 && n <= 3)
    shell_.Execute("open", kBrowser, Page("vote/tavu" + std::to_string(n) + ".html"),
                   ShowState::Minimized);
  else
    shell_.Execute("", kBrowser, Page("vote/"), ShowState::Minimized);
}

void WebPages::OpenSuggestionPage() {
  shell_.Execute("open", kBrowser, Page("guestbook/"), ShowState::Minimized);
}

void WebPages::OpenDownloadPage() {
  shell_.Execute("open", kBrowser, Page("download/"), ShowState::Normal);
}

}  // namespace tavu
