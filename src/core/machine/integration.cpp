#include "machine/integration.hpp"

#include <algorithm>

namespace tavu {
namespace {

constexpr std::size_t kPathFileLimit = 64 * 1024;

std::string Join(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + std::string(name);
}

std::string_view FolderOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash + 1);
}

bool EndsWithLnk(std::string_view path) {
  const std::size_t name = path.find_last_of("\\/");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || (name != std::string_view::npos && dot < name)) return false;
  std::string ext(path.substr(dot));
  for (char& c : ext)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return ext == ".LNK";
}

std::string_view FirstLine(std::string_view text) {
  return text.substr(0, std::min(text.find('\r'), text.find('\n')));
}

}  // namespace

std::string AutostartCommand(std::string_view exe_path) {
  std::string command;
  command.reserve(exe_path.size() + 2);
  command += '"';
  command += exe_path;
  command += '"';
  return command;
}

std::string Integration::GetShellFolder(ShellFolder folder) { return d_.links.FolderPath(folder); }

bool Integration::CreateShellLink(std::string_view target, std::string_view arguments,
                                  std::string_view link_path, std::string_view description) {
  if (!EndsWithLnk(link_path)) {
    d_.dialogs.Warn(kLnkExtensionText, kNoteCaption);
    return false;
  }
  return d_.links.Save(ShellLink{std::string(target), std::string(arguments),
                                 std::string(FolderOf(target)), std::string(description)},
                       link_path);
}

bool Integration::CreateSelfShortcut(std::string_view folder, std::string_view link_name,
                                     std::string_view description) {
  if (folder.empty()) return false;
  if (!d_.files.Exists(folder) && !d_.files.CreateFolder(folder)) return false;
  return CreateShellLink(d_.files.ExePath(), "", Join(folder, std::string(link_name) + ".lnk"),
                         description);
}

std::string Integration::SharedFolder() {
  const std::string app_data = GetShellFolder(ShellFolder::AppData);
  return app_data.empty() ? std::string() : Join(app_data, "LanHe");
}

std::string Integration::ReadSharedPathFile(std::string_view name) {
  const std::string folder = SharedFolder();
  if (folder.empty()) return {};
  const FileRead file = d_.files.Read(Join(folder, name), kPathFileLimit);
  if (file.status != FileRead::Status::Read) return {};
  return d_.code_page.Decode(FirstLine(file.bytes));
}

bool Integration::WriteSharedPathFile(std::string_view name, std::string_view line1,
                                      std::string_view line2) {
  const std::string folder = SharedFolder();
  if (folder.empty()) return false;
  const std::string path = Join(folder, name);
  if (d_.files.Exists(folder)) {
    if (d_.files.Exists(path) && ReadSharedPathFile(name) == line1) return false;
  } else if (!d_.files.CreateFolder(folder)) {
    return false;
  }
  const auto first = d_.code_page.Encode(line1);
  const auto second = d_.code_page.Encode(line2);
  if (!first || !second) return false;
  return d_.files.WriteAtomic(path, *first + "\r\n" + *second + "\r\n");
}

std::string Integration::ReadProductDir(std::string_view product_key) {
  return d_.registry
      .Read(RegistryRoot::LocalMachine, "SOFTWARE\\LanHe\\" + std::string(product_key), "dir")
      .value_or("");
}

bool Integration::AddAutostart(std::string_view name, std::string_view command) {
  auto& r = d_.registry;
  if (r.Read(RegistryRoot::LocalMachine, kRunKey, name) == command) return true;
  if (r.Write(RegistryRoot::LocalMachine, kRunKey, name, command)) {
    // One entry is enough: a second would start the program twice at log-on.
    r.Delete(RegistryRoot::CurrentUser, kRunKey, name);
    return true;
  }
  if (r.Read(RegistryRoot::CurrentUser, kRunKey, name) == command) return true;
  return r.Write(RegistryRoot::CurrentUser, kRunKey, name, command);
}

bool Integration::RemoveAutostart(std::string_view name) {
  const bool machine = d_.registry.Delete(RegistryRoot::LocalMachine, kRunKey, name);
  const bool user = d_.registry.Delete(RegistryRoot::CurrentUser, kRunKey, name);
  return machine && user;
}

bool Integration::HasAutostart(std::string_view name) {
  return d_.registry.Read(RegistryRoot::LocalMachine, kRunKey, name).has_value() ||
         d_.registry.Read(RegistryRoot::CurrentUser, kRunKey, name).has_value();
}

void InstallationCheck::OnTimer(int) {
  timers_.Stop(*this, kTimer);
  const std::string exe = integration_.ExePath();
  if (!integration_.WriteSharedPathFile("dir1", exe, "23")) return;
  dialogs_.Acknowledge(kWelcomeText, kWelcomeTitle);
  const std::string programs = integration_.GetShellFolder(ShellFolder::Programs);
  if (!programs.empty())
    integration_.CreateSelfShortcut(Join(programs, kStartMenuFolder), kShortcutName,
                                    kShortcutDescription);
  integration_.AddAutostart(kAutostartName, AutostartCommand(exe));
}

}  // namespace tavu
