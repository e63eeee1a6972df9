#include "settings/settings_store.hpp"

#include "settings/config_file.hpp"

namespace tavu {

std::string ConfigUnreadableText(std::string_view path) {
  return "无法读取设置文件：\n" + std::string(path) +
         "\n\n它可能正被其他程序占用，或者没有读取它的权限。本次没有载入其中的设置，"
         "程序暂时使用默认设置运行。\n\n这个文件会原样保留，不会被覆盖：关闭设置窗口时，"
         "程序会先征求你的同意。";
}

std::string ReplaceUnreadableConfigQuestion(std::string_view path) {
  return "程序启动时无法读取设置文件：\n" + std::string(path) +
         "\n其中的设置没有载入。\n\n是否用当前的设置替换这个文件？\n"
         "选择“否”将保留原文件，本次的设置不保存，只在程序运行期间有效。";
}

std::string SettingsStore::Path() {
  if (!path_.empty()) return path_;
  const std::string exe_folder = files_.ExeFolder();
  const std::string app_data = links_.FolderPath(ShellFolder::AppData);
  if (files_.CanCreateIn(exe_folder) || app_data.empty()) {
    path_ = exe_folder + std::string(kConfigFileName);
  } else {
    user_folder_ = app_data;
    if (user_folder_.back() != '\\') user_folder_ += '\\';
    user_folder_ += kUserConfigFolder;
    path_ = user_folder_ + '\\' + std::string(kConfigFileName);
  }
  return path_;
}

bool SettingsStore::MakeUserFolder() {
  if (user_folder_.empty() || files_.Exists(user_folder_)) return true;
  // One level at a time, each only if missing: the maker's folder may already be there.
  for (std::size_t at = user_folder_.find('\\', user_folder_.size() - kUserConfigFolder.size());;
       at = user_folder_.find('\\', at + 1)) {
    const std::string folder = user_folder_.substr(0, at);
    if (!files_.Exists(folder) && !files_.CreateFolder(folder)) return false;
    if (at == std::string::npos) return true;
  }
}

std::string SettingsStore::IniPath() {
  const std::string config = Path();
  return config.substr(0, config.size() - kConfigFileName.size()) + std::string(kIniFileName);
}

SettingsStore::LoadResult SettingsStore::LoadFile(
    const std::string& path, std::size_t limit, Kept& kept,
    const std::function<void(std::string_view)>& decode) {
  const FileRead file = files_.Read(path, limit);
  switch (file.status) {
    case FileRead::Status::Absent:
      return LoadResult::Absent;
    case FileRead::Status::Read:
      decode(file.bytes);
      return LoadResult::Loaded;
    case FileRead::Status::Unreadable:
      break;
  }
  kept.ask_before_replacing = true;
  dialogs_.Warn(ConfigUnreadableText(path), kNoteCaption);
  return LoadResult::Unreadable;
}

SettingsStore::LoadResult SettingsStore::Load(Settings& s) {
  const LoadResult result = LoadFile(Path(), kConfigFileReadLimit, config_,
                                     [&](std::string_view bytes) { DecodeConfig(bytes, s); });
  LoadFile(IniPath(), kIniFileReadLimit, ini_,
           [&](std::string_view bytes) { ini_.foreign = DecodeIni(bytes, s); });
  return result;
}

bool SettingsStore::MayReplace(const std::string& path, Kept& kept) {
  // Only while the file is there: one the user has deleted since holds nothing to lose.
  if (kept.ask_before_replacing && files_.Exists(path) &&
      !dialogs_.Ask(ReplaceUnreadableConfigQuestion(path), kQuestionCaption))
    return false;
  kept.ask_before_replacing = false;  // consent, once given, holds for the rest of the run
  return true;
}

SettingsStore::SaveResult SettingsStore::Save(const Settings& s) {
  const std::string path = Path();
  const std::string ini_path = IniPath();
  // A "no" to either question keeps both files: the answer says this run's settings are not
  // saved, and half of them saved would be neither.
  if (!MayReplace(path, config_) || !MayReplace(ini_path, ini_)) return SaveResult::Kept;
  if (MakeUserFolder() && files_.WriteAtomic(path, EncodeConfig(s)) &&
      files_.WriteAtomic(ini_path, EncodeIni(s, ini_.foreign)))
    return SaveResult::Saved;
  dialogs_.Warn(kSaveFailedText, kNoteCaption);
  return SaveResult::Failed;
}

}  // namespace tavu
