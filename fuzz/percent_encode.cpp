// Search words go into an address: every byte comes out as itself or as %XX, and the address
// decodes back to exactly the bytes given.
#include <cstdlib>
#include <string>
#include <string_view>

#include "machine/web_pages.hpp"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool Unreserved(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || c == '.' || c == '~';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;  // lower-case digits are never written
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string out = tavu::PercentEncode(bytes);
  std::string back;
  for (std::size_t i = 0; i < out.size();) {
    if (out[i] != '%') {
      Check(Unreserved(out[i]));
      back += out[i++];
      continue;
    }
    Check(i + 2 < out.size());
    const int hi = HexValue(out[i + 1]), lo = HexValue(out[i + 2]);
    Check(hi >= 0 && lo >= 0);
    const char c = static_cast<char>(hi * 16 + lo);
    Check(!Unreserved(c));  // a byte that may stand as itself is never escaped
    back += c;
    i += 3;
  }
  Check(back == bytes);
  return 0;
}
