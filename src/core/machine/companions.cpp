#include "machine/companions.hpp"

#include <span>

namespace tavu {

struct Companions::Tool {
  int index;  // the timer id and the slot of its pending command
  CompanionKind kind;
  CompanionWindow (*find)(TopWindows&);
  std::optional<uint32_t> (*message)(int);
  std::string_view start_params;
  std::string_view upgrade_text;
  std::string_view missing_text;
};

namespace {

constexpr std::string_view kUpgradeTitle = "提示：旧版本需要升级！";
constexpr std::string_view kMissingTitle = "提示：未安装或启动时发生意外！";

struct Product {
  CompanionKind kind;
  std::span<const std::string_view> exe_names;
  std::string_view path_file, product_key;
};
constexpr std::string_view kSelfExes[] = {"tavu.exe", "岚禾护眼钟.exe"};
constexpr std::string_view kKaloExes[] = {"kalo.exe", "岚禾卡洛.exe", "岚禾卡洛星.exe",
                                          "岚禾卡洛宝.exe"};
constexpr std::string_view kKoPlayerExes[] = {"koplayer.exe", "岚禾酷玛.exe"};
constexpr Product kProducts[] = {
    {CompanionKind::Self, kSelfExes, "dir1", "ZEVO"},
    {CompanionKind::Kalo, kKaloExes, "dir2", "KALO"},
    {CompanionKind::KoPlayer, kKoPlayerExes, "dir3", "KoPlayer"},
};

constexpr std::string_view kKaloCurrent[] = {"ZQX050505_250_KALO", "ZQX050505_245_KALO",
                                             "ZQX050505_240_KALO", "ZQX050505_235_KALO",
                                             "ZQX050505_230_KALO"};
constexpr std::string_view kKaloOld[] = {"ZQX050505_225_KALO", "ZQX050505_220_KALO",
                                         "ZQX050505_2_KALO"};
constexpr std::string_view kKoPlayerCurrent[] = {
    "ZQX050505_350_KoPlayer", "ZQX050505_345_KoPlayer", "ZQX050505_340_KoPlayer",
    "ZQX050505_335_KoPlayer", "ZQX050505_330_KoPlayer", "ZQX050505_325_KoPlayer",
    "ZQX050505_320_KoPlayer", "ZQX050505_315_KoPlayer"};
constexpr std::string_view kKoPlayerOld[] = {"ZQX050505_3_KoPlayer"};

// KoPlayer's commands 0..14; 0x818A..0x818F are not used.
constexpr uint32_t kKoPlayerMessages[] = {0x1710, 0x8184, 0x8185, 0x8186, 0x8187,
                                          0x8188, 0x8189, 0x8190, 0x8191, 0x8192,
                                          0x8193, 0x8194, 0x8195, 0x8196, 0x8197};

CompanionWindow FindWindow(TopWindows& windows, std::span<const std::string_view> current,
                           std::span<const std::string_view> old) {
  for (std::string_view cls : current)
    if (windows.ExistsByClass(cls)) return {CompanionState::Current, std::string(cls)};
  for (std::string_view cls : old)
    if (windows.ExistsByClass(cls)) return {CompanionState::Old, std::string(cls)};
  return {};
}

}  // namespace

std::optional<std::string> FindCompanionExe(CompanionKind kind, Files& files,
                                            Integration& integration) {
  for (const Product& product : kProducts) {
    if (product.kind != kind) continue;
    const std::string folder = files.ExeFolder();
    for (std::string_view name : product.exe_names) {
      const std::string path = folder + std::string(name);
      if (files.Exists(path)) return path;
    }
    for (const std::string& path : {integration.ReadSharedPathFile(product.path_file),
                                    integration.ReadProductDir(product.product_key)})
      if (!path.empty() && files.Exists(path)) return path;
  }
  return std::nullopt;
}

std::optional<uint32_t> KaloMessage(int command) {
  if (command == 0) return 0x1620;
  return std::nullopt;
}

std::optional<uint32_t> KoPlayerMessage(int command) {
  if (command < 0 || command >= static_cast<int>(std::size(kKoPlayerMessages))) return std::nullopt;
  return kKoPlayerMessages[command];
}

CompanionWindow FindKaloWindow(TopWindows& windows) {
  return FindWindow(windows, kKaloCurrent, kKaloOld);
}

CompanionWindow FindKoPlayerWindow(TopWindows& windows) {
  return FindWindow(windows, kKoPlayerCurrent, kKoPlayerOld);
}

namespace {
constexpr Companions::Tool kKalo{
    0,
    CompanionKind::Kalo,
    FindKaloWindow,
    KaloMessage,
    "",
    "您正使用的是岚禾卡洛的旧版本,请升级最新版本,如果您已经下载，需要安装或首次运行它。如果还没有"
    "下载，请点击确定进入下载页面。",
    "您可能还没有安装岚禾卡洛,现在就下载试用吧？"};
constexpr Companions::Tool kKoPlayer{
    1,
    CompanionKind::KoPlayer,
    FindKoPlayerWindow,
    KoPlayerMessage,
    "/A",
    "您正使用的是岚禾酷玛的旧版本,请升级最新版本,如果您已经下载，需要安装或首次运行它。如果还没有"
    "下载，请点击确定进入下载页面。",
    "您可能还没有安装岚禾酷玛,现在就下载试用吧？"};
}  // namespace

void Companions::RunKaloCommand(int command) { Run(kKalo, command, false); }

void Companions::RunKoPlayerCommand(int command) { Run(kKoPlayer, command, false); }

bool Companions::Starting(CompanionKind kind) const {
  return pending_[kind == CompanionKind::Kalo ? 0 : 1].has_value();
}

void Companions::OnTimer(int id) {
  d_.timers.Stop(*this, id);
  const Tool& tool = id == kKalo.index ? kKalo : kKoPlayer;
  const auto command = pending_[tool.index];
  pending_[tool.index].reset();
  if (command) Run(tool, *command, true);
}

void Companions::Run(const Tool& tool, int command, bool after_start) {
  if (pending_[tool.index]) {
    pending_[tool.index] = command;  // the tool is starting: the newest command waits for it
    return;
  }
  CompanionWindow found = tool.find(d_.windows);
  if (found.state == CompanionState::Old) {
    if (d_.dialogs.Confirm(tool.upgrade_text, kUpgradeTitle)) {
      d_.pages.OpenDownloadPage();
      return;
    }
    found.state = CompanionState::Absent;
  }
  if (found.state == CompanionState::Current) {
    if (const auto message = tool.message(command))
      d_.windows.PostToClass(found.window_class, *message, 0, 0);
    return;
  }
  if (after_start) return;
  if (const auto exe = FindCompanionExe(tool.kind, d_.files, d_.integration)) {
    d_.shell.Execute("", *exe, tool.start_params, ShowState::Normal);
    pending_[tool.index] = command;
    d_.timers.Start(*this, tool.index, kStartWaitMs);
    return;
  }
  if (d_.dialogs.Ask(tool.missing_text, kMissingTitle)) d_.pages.OpenDownloadPage();
}

}  // namespace tavu
