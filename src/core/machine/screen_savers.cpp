#include "machine/screen_savers.hpp"

#include <array>
#include <utility>

namespace tavu {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kKnownSavers{{
    {"logon", "WINDOWS XP"},
    {"scrnsave", "空白"},
    {"ss3dfo", "三维飞行物"},
    {"ssbezier", "贝塞尔曲线"},
    {"ssflwbox", "三维花盒"},
    {"ssmyst", "变幻线"},
    {"ssmarque", "字幕"},
    {"ssmypics", "图片收藏幻片"},
    {"sspipes", "三维管道"},
    {"ssstars", "飞越星空"},
    {"sstext3d", "三维文字"},
}};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

}  // namespace

std::string SaverDisplayName(std::string_view file_name) {
  const std::size_t dot = file_name.rfind('.');
  const std::string stem =
      Lower(dot == std::string_view::npos ? file_name : file_name.substr(0, dot));
  for (const auto& [file, name] : kKnownSavers)
    if (stem == file) return std::string(name);
  return stem;
}

void ScreenSavers::AddSysSCR(const std::vector<std::string>& folders) {
  std::vector<std::string> paths{std::string(kNoSaver), std::string(kInternalSaver)};
  names_.resize(2);
  for (std::string folder : folders) {
    if (folder.empty()) continue;
    if (folder.back() != '\\') folder += '\\';
    for (const std::string& file : d_.files.List(folder, "*.scr")) {
      paths.push_back(folder + file);
      names_.push_back(SaverDisplayName(file));
    }
  }
  CatalogueChoice& chosen = d_.settings.SCRSavers;
  const bool held = !chosen.CatalogueBuilt() && chosen.Stored() >= 0;
  chosen.SetCatalogue(std::move(paths));
  // Entry 1 until the file says otherwise; a choice read before the catalogue existed stands.
  if (!held) chosen = 1;
}

void ScreenSavers::LaunchSCR(bool use_player) {
  if (use_player) return d_.host.RunKoPlayerCommand(10);
  CatalogueChoice& chosen = d_.settings.SCRSavers;
  const int count = chosen.Count();
  if (d_.settings.RandomSCR && count > 1) {
    d_.random.Randomize();
    chosen = 1 + d_.random.Next(count - 1);
  } else if (chosen.Index() < 1) {
    chosen = 1;
  }
  if (chosen.Index() <= 1) {
    d_.host.ShowInternalSCR();
    return;
  }
  // The saver file itself, told to run full screen ("/s"), as Windows starts a saver.
  d_.shell.Execute("open", chosen.Text(), "/s", ShowState::Normal);
}

void ScreenSavers::btnSCRSetupClick() {
  if (d_.settings.UseKoPlayer) return d_.host.RunKoPlayerCommand(7);
  const int index = d_.settings.SCRSavers.Index();
  if (index >= 2) {
    d_.shell.Execute("config", d_.settings.SCRSavers.Text(), "", ShowState::Normal);
  } else if (index == 1) {
    d_.dialogs.Inform(kNoSaverOptionsText, kSaverNoteCaption, false);
  }
}

}  // namespace tavu
