#include "machine/web_pages.hpp"

#include <string>

namespace tavu {
namespace {
constexpr std::string_view kSite = "http://www.lanhesoft.cn/";

constexpr std::string_view kSearch = "http://www.baidu.com/baidu?word=";
constexpr std::string_view kPartner = "&tn=lanhe_tavu";

std::string Page(std::string_view path) { return std::string(kSite) + std::string(path); }

// The search words in code page 936, as the search expects them.
struct SearchLink {
  std::string_view item, word_cp936;
};
constexpr SearchLink kSearchLinks[] = {
    {"NMore_Weather", "\xcc\xec\xc6\xf8"},  // 天气
    {"NMore_Clock", "\xca\xb1\xbc\xe4"},    // 时间
    {"NMore_RiLi", "\xc8\xd5\xc0\xfa"},     // 日历
    {"NMore_Map", "\xb5\xd8\xcd\xbc"},      // 地图
    {"NMore_Cidian", "\xb7\xad\xd2\xeb"},   // 翻译
    {"NMore_Game", "\xd3\xce\xcf\xb7"},     // 游戏
};
}  // namespace

std::string PercentEncode(std::string_view bytes) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

void WebPages::OpenUsefulLink(std::string_view item) {
  if (item == "NMore_PCKnowledge") {
    shell_.Execute("", Page("blog/pc-knowledge.html"), "", ShowState::Normal);
    return;
  }
  for (const auto& link : kSearchLinks) {
    if (item != link.item) continue;
    shell_.Execute("",
                   std::string(kSearch) + PercentEncode(link.word_cp936) + std::string(kPartner),
                   "", ShowState::Normal);
  }
}

void WebPages::OpenHomePage() { shell_.Execute("", kSite, "", ShowState::Maximized); }

void WebPages::OpenHelpPage(int topic) {
  const bool known = topic == 1 || topic == 2 || topic == 3 || topic == 104;
  const std::string address =
      known ? Page("help/tavu/topic" + std::to_string(topic) + ".html") : Page("help/tavu/");
  shell_.Execute("open", address, "", ShowState::Normal);
}

void WebPages::OpenPowerHelpPage() {
  shell_.Execute("open", Page("help/tavu/power.html"), "", ShowState::Normal);
}

void WebPages::OpenVotePage(int n) {
  if (n >= 1 && n <= 3)
    shell_.Execute("open", Page("vote/tavu" + std::to_string(n) + ".html"), "",
                   ShowState::Minimized);
  else
    shell_.Execute("", Page("vote/"), "", ShowState::Minimized);
}

void WebPages::OpenSuggestionPage() {
  shell_.Execute("open", Page("guestbook/"), "", ShowState::Minimized);
}

void WebPages::OpenDownloadPage() {
  shell_.Execute("open", Page("download/"), "", ShowState::Normal);
}

void CopyMailAddress(Clipboard& clipboard, Dialogs& dialogs) {
  if (clipboard.SetText(kMailAddress))
    dialogs.Inform(kMailCopiedText, kNoteCaption, false);
  else
    dialogs.Inform(std::string(kMailNotCopiedText) + std::string(kMailAddress), kNoteCaption,
                   false);
}

}  // namespace tavu
