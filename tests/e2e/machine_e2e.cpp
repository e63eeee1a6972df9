#include <gtest/gtest.h>

#include "harness.hpp"

#include <objbase.h>
#include <shobjidl.h>

#include <thread>

#include "adapters/machine_ports.hpp"
#include "adapters/ports.hpp"
#include "machine/companions.hpp"
#include "machine/integration.hpp"
#include "ui/menu.hpp"

namespace e2e {
namespace {

using tavu::RegistryRoot;
using tavu::ShellFolder;

// The check runs 3 s after the start: a tenth of that at this scale.
const std::vector<std::wstring> kFast = {L"TAVU_TIME_SCALE=10"};
constexpr wchar_t kWelcomeTitle[] = L"欢迎使用岚禾休息软件！";
constexpr wchar_t kWelcomeText[] =
    L"当您初次运行或安装有改变时会出现此欢迎界面，软件需要做一些配置，点击确定继续...";

std::wstring EnvVar(const wchar_t* name) {
  wchar_t buffer[4096];
  const DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
  return n && n < 4096 ? std::wstring(buffer, n) : std::wstring();
}

std::optional<std::string> ReadAll(const std::wstring& path) {
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (!f) return std::nullopt;
  std::string data;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
  fclose(f);
  return data;
}

std::string Ansi(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::wstring Dir1() { return SharedPathFolder() + L"\\dir1"; }

std::wstring StartMenuLink() {
  return Wide(tavu::win::Win32ShellLinks().FolderPath(ShellFolder::Programs)) +
         L"\\岚禾软件创新产品\\岚禾休息软件.lnk";
}

std::optional<std::string> Autostart(RegistryRoot root) {
  return tavu::win::Win32Registry().Read(root, tavu::kRunKey, "LanHe");
}

// Leaves the machine as before the program's first run.
void ForgetInstallation() {
  DeleteFileW(Dir1().c_str());
  DeleteFileW(StartMenuLink().c_str());
  tavu::win::Win32Registry registry;
  registry.Delete(RegistryRoot::LocalMachine, tavu::kRunKey, "LanHe");
  registry.Delete(RegistryRoot::CurrentUser, tavu::kRunKey, "LanHe");
}

struct LinkRead {
  std::wstring target, description;
};
std::optional<LinkRead> ReadLink(const std::wstring& path) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::optional<LinkRead> result;
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t target[MAX_PATH] = {}, description[INFOTIPSIZE] = {};
      if (SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
          SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
          SUCCEEDED(link->GetDescription(description, INFOTIPSIZE)))
        result = LinkRead{target, description};
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return result;
}

FILETIME WriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

// Starts the program in the box and waits for its main window.
Launch& StartFast(Sandbox& box) {
  Launch& run = box.Start(kFast);
  EXPECT_NE(WaitTop(kMainClass), nullptr) << "no main window";
  return run;
}

void Stop(Launch& run) {
  run.Kill();
  WaitUntil([] { return FindTop(kMainClass) == nullptr; });
}

TEST(Installation, AFirstStartIsWelcomedAndSettlesInASecondStartDoesNothing) {
  ForgetInstallation();
  Sandbox box;
  box.first_run = true;
  const std::wstring exe = box.PathOf(L"tavu.exe");
  Launch& first = StartFast(box);
  HWND welcome = WaitTop(kDialogClass, kWelcomeTitle);
  ASSERT_NE(welcome, nullptr) << "no welcome";
  EXPECT_TRUE(HasChildWithText(welcome, kWelcomeText));
  Screenshot("first-run-welcome");
  EXPECT_EQ(ReadAll(Dir1()), Ansi(exe) + "\r\n23\r\n");
  PostMessageW(welcome, WM_COMMAND, IDOK, 0);

  ASSERT_TRUE(WaitUntil([] { return ReadLink(StartMenuLink()).has_value(); }))
      << "no Start-menu shortcut";
  const LinkRead link = *ReadLink(StartMenuLink());
  EXPECT_EQ(link.target, exe);
  EXPECT_EQ(link.description, L"岚禾护眼钟");
  const std::string command = tavu::AutostartCommand(Utf8(exe));
  EXPECT_TRUE(WaitUntil([&] {
    return Autostart(RegistryRoot::LocalMachine) == command ||
           Autostart(RegistryRoot::CurrentUser) == command;
  })) << "no autostart entry";
  Stop(first);

  // The same copy again: no welcome, no shortcut, the path file untouched.
  DeleteFileW(StartMenuLink().c_str());
  const FILETIME written = WriteTime(Dir1());
  Launch& second = StartFast(box);
  EXPECT_FALSE(WaitUntil([] { return FindTop(kDialogClass, kWelcomeTitle) != nullptr; }, 2s));
  EXPECT_EQ(GetFileAttributesW(StartMenuLink().c_str()), INVALID_FILE_ATTRIBUTES);
  const FILETIME now = WriteTime(Dir1());
  EXPECT_EQ(CompareFileTime(&written, &now), 0);
  Stop(second);
}

TEST(Installation, ACopyInAnotherFolderIsWelcomedAgain) {
  ForgetInstallation();
  WriteSharedPathFile(L"dir1", L"C:\\elsewhere\\tavu.exe");
  Sandbox box;
  box.first_run = true;
  Launch& run = StartFast(box);
  HWND welcome = WaitTop(kDialogClass, kWelcomeTitle);
  ASSERT_NE(welcome, nullptr) << "no welcome after a move";
  PostMessageW(welcome, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(ReadAll(Dir1()), Ansi(box.PathOf(L"tavu.exe")) + "\r\n23\r\n");
  Stop(run);
}

TEST(Installation, AutostartSwitchedOffStaysOffAfterARestart) {
  ForgetInstallation();
  Sandbox box;  // recorded as installed here: not a first run
  // The settings window's confirmed "取消开机自动运行" leaves no entry; the next start keeps it so.
  Launch& run = StartFast(box);
  EXPECT_FALSE(WaitUntil(
      [] { return Autostart(RegistryRoot::LocalMachine) || Autostart(RegistryRoot::CurrentUser); },
      2s));
  EXPECT_EQ(FindTop(kDialogClass, kWelcomeTitle), nullptr);
  Stop(run);
}

bool BrowserGot(const std::string& address) {
  const auto log = ReadAll(EnvVar(L"TAVU_E2E_WORK") + L"\\browser.log");
  return log && log->find(address + "\n") != std::string::npos;
}

TEST(WebPages, TheMakersHomePageOpensInTheDefaultBrowser) {
  Sandbox box;
  HWND main = box.StartAndWaitMain();
  PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(tavu::MenuCommand::HomePage), 0);
  EXPECT_TRUE(WaitUntil([] { return BrowserGot("http://www.lanhesoft.cn/"); }, 15s))
      << "the browser stand-in got no address";
}

// A companion tool's main window, owned by the driver; it records the messages it receives.
class FakeCompanion {
 public:
  explicit FakeCompanion(const wchar_t* cls) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, cls, L"companion", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            wc.hInstance, nullptr);
    received().clear();
  }
  ~FakeCompanion() { DestroyWindow(hwnd_); }
  static std::vector<UINT>& received() {
    static std::vector<UINT> messages;
    return messages;
  }

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg >= WM_USER) received().push_back(msg);
    return DefWindowProcW(h, msg, wp, lp);
  }
  HWND hwnd_ = nullptr;
};

// The companion commands over the program's own adapters: no window of tavu.exe offers them yet.
struct CompanionPorts {
  tavu::win::Win32Shell shell;
  tavu::win::Win32Dialogs dialogs;
  tavu::win::Win32Timers timers{1, nullptr};
  tavu::win::Win32Files files;
  tavu::win::Win32Registry registry;
  tavu::win::Win32ShellLinks links;
  tavu::win::Win32CodePage code_page;
  tavu::Integration integration{
      tavu::Integration::Deps{files, registry, links, code_page, dialogs}};
  tavu::WebPages pages{shell};
  tavu::Companions companions{
      tavu::Companions::Deps{shell, dialogs, shell, timers, files, integration, pages}};
};

TEST(Companions, ACurrentKaloGetsItsCommand) {
  FakeCompanion kalo(L"ZQX050505_230_KALO");
  CompanionPorts ports;
  ports.companions.RunKaloCommand(0);
  EXPECT_TRUE(WaitUntil([] { return FakeCompanion::received() == std::vector<UINT>{0x1620}; }));
}

TEST(Companions, AnOldKaloIsAskedToUpgradeAndOkOpensTheDownloadPage) {
  FakeCompanion kalo(L"ZQX050505_2_KALO");
  CompanionPorts ports;
  std::thread command([&] { ports.companions.RunKaloCommand(0); });  // the question is modal
  HWND question = WaitTop(kDialogClass, L"提示：旧版本需要升级！");
  EXPECT_NE(question, nullptr) << "no upgrade question";
  if (question) {
    EXPECT_TRUE(HasChildWithText(
        question,
        L"您正使用的是岚禾卡洛的旧版本,请升级最新版本,如果您已经下载，需要安装或首次运行它。"
        L"如果还没有下载，请点击确定进入下载页面。"));
    Screenshot("companion-upgrade");
    PostMessageW(question, WM_COMMAND, IDOK, 0);
  }
  command.join();
  EXPECT_TRUE(FakeCompanion::received().empty());
  EXPECT_TRUE(WaitUntil([] { return BrowserGot("http://www.lanhesoft.cn/download/"); }, 15s));
}

}  // namespace
}  // namespace e2e
