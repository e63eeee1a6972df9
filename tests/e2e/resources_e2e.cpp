#include <gtest/gtest.h>

#include "harness.hpp"

#include "base/version.hpp"

namespace e2e {
namespace {

// What Explorer and the installer's uninstall entry show of the built program: its version
// resource (CMake's project version), its icon and the manifest's requests.
class Resources : public ::testing::Test {
 protected:
  Sandbox box;
  std::wstring exe = box.PathOf(L"tavu.exe");

  std::wstring VersionString(const wchar_t* name) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &handle);
    if (size == 0) return L"(no version resource)";
    std::vector<char> info(size);
    if (!GetFileVersionInfoW(exe.c_str(), 0, size, info.data())) return L"(unreadable)";
    const std::wstring key = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
      return L"(missing)";
    return std::wstring(value, length > 0 ? length - 1 : 0);
  }
};

TEST_F(Resources, TheVersionResourceNamesTheProductItsMakerAndTheProjectVersion) {
  const struct {
    const wchar_t* name;
    std::wstring value;
  } rows[] = {{L"FileVersion", Wide(TAVU_VERSION_TEXT)},
              {L"ProductVersion", Wide(TAVU_VERSION_TEXT)},
              {L"ProductName", L"岚禾休息软件"},
              {L"CompanyName", L"岚禾软件"},
              {L"OriginalFilename", L"tavu.exe"}};
  for (const auto& row : rows) EXPECT_EQ(VersionString(row.name), row.value) << Utf8(row.name);

  DWORD handle = 0;
  std::vector<char> info(GetFileVersionInfoSizeW(exe.c_str(), &handle));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS,
            static_cast<DWORD>(MAKELONG(TAVU_VERSION_MINOR, TAVU_VERSION_MAJOR)));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, TAVU_VERSION_PATCH)));
}

TEST_F(Resources, TheIconAndTheManifestAreThere) {
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(module, nullptr);
  // The installer's uninstall entry shows icon 0 of the exe.
  EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr);
  HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0);
  EXPECT_NE(icon, nullptr);
  if (icon) DestroyIcon(static_cast<HICON>(icon));

  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
  ASSERT_NE(found, nullptr);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  const std::string manifest(bytes, SizeofResource(module, found));
  FreeLibrary(module);
  // Common controls 6 (themed controls, the tool tips), no elevation (a per-user install and
  // the settings beside it), per-monitor dpi (checked with its other forms in dpi_e2e.cpp).
  for (const char* element : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                              "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
                              ">PerMonitorV2, PerMonitor</dpiAwareness>"})
    EXPECT_NE(manifest.find(element), std::string::npos) << element << "\n" << manifest;
}

// One file with everything linked in, the history database included, and still small.
TEST_F(Resources, TheProgramIsOneFileUnderTwoMegabytes) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExW(exe.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeHigh, 0u);
  EXPECT_LT(data.nFileSizeLow, 2'000'000u);
}

// The sound cues are WAVE resources the system plays from the exe: PCM, and each plays by name.
TEST_F(Resources, TheSoundCuesAreWaveResourcesTheSystemCanPlay) {
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(module, nullptr);
  for (int id : {201, 202, 203}) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"WAVE");
    ASSERT_NE(found, nullptr) << id;
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string wave(bytes, SizeofResource(module, found));
    EXPECT_EQ(wave.substr(0, 4), "RIFF") << id;
    EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ") << id;
    EXPECT_EQ(wave[20], 1) << id;  // PCM
    EXPECT_LT(wave.size(), 16u * 1024) << id;
  }
  FreeLibrary(module);
}

}  // namespace
}  // namespace e2e
