// The shared path files (AppData\LanHe\dir1..3) are written by the maker's other programs, and
// the maker's registry key by their installers: the program takes a path from their first line
// and finds a companion through them, whatever they hold.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "fakes.hpp"
#include "machine/companions.hpp"
#include "machine/integration.hpp"

namespace {

constexpr char kShared[] = "C:\\Users\\u\\AppData\\Roaming\\LanHe\\";

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  tavu::fake::FakeFiles files;
  tavu::fake::FakeRegistry registry;
  tavu::fake::FakeShellLinks links;
  tavu::fake::FakeCodePage code_page;
  tavu::fake::FakeDialogs dialogs;
  tavu::Integration integration({files, registry, links, code_page, dialogs});

  const std::string dir = in.ConsumeRandomLengthString(64);
  const std::string product = in.ConsumeRandomLengthString(64);
  const std::string bytes = in.ConsumeRemainingBytesAsString();
  files.files[std::string(kShared) + "dir2"] = bytes;
  registry.values["HKLM\\SOFTWARE\\LanHe\\KALO\\dir"] = product;
  // Whatever the files name may exist, so the lookup goes on to use it.
  files.files[dir] = "";

  // The path is the first line: never a line break in it, and nothing that was not in the file.
  const std::string path = integration.ReadSharedPathFile("dir2");
  Check(path.find_first_of("\r\n") == std::string::npos);
  Check(bytes.compare(0, path.size(), path) == 0);

  const auto exe = tavu::FindCompanionExe(tavu::CompanionKind::Kalo, files, integration);
  Check(!exe || files.Exists(*exe));

  // A first line the program writes reads back as written.
  if (dir.find_first_of("\r\n") == std::string::npos &&
      integration.WriteSharedPathFile("dir1", dir, "23"))
    Check(integration.ReadSharedPathFile("dir1") == dir);
  return 0;
}
