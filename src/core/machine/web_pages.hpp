#pragma once
#include <string>
#include <string_view>

#include "ports/clipboard.hpp"
#include "ports/dialogs.hpp"
#include "ports/shell.hpp"

namespace tavu {

inline constexpr std::string_view kMailAddress = "tavu@lanhesoft.cn";
inline constexpr std::string_view kMailCopiedText =
    "邮件地址已成功复制到剪贴板！您现在可以写信给作者了！";
inline constexpr std::string_view kMailNotCopiedText =
    "无法复制邮件地址到剪贴板，请记下作者的邮件地址：";

// The maker's web pages, each opened with the user's default browser through the shell, with
// the show mode of its opener (a browser that is already open may show a new tab instead).
// Percent-encodes bytes for a query (unreserved characters stay as they are).
std::string PercentEncode(std::string_view bytes);

class WebPages {
 public:
  explicit WebPages(Shell& shell) : shell_(shell) {}
  void OpenHomePage();
  void OpenHelpPage(int topic);
  // What the power-saving settings do and how to switch hibernation on.
  void OpenPowerHelpPage();
  void OpenVotePage(int n);
  void OpenSuggestionPage();
  void OpenDownloadPage();
  // The "实用链接" items: a web search for a fixed word, or the article page.
  void OpenUsefulLink(std::string_view item);

 private:
  Shell& shell_;
};

// The contact address on the clipboard, and a word to the user either way.
void CopyMailAddress(Clipboard& clipboard, Dialogs& dialogs);

}  // namespace tavu
