#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.hpp"

namespace tavu {

// The program's own settings file beside the configuration file: the settings the
// configuration file has no place for. UTF-8, CR LF, one "Name=value" per line.
inline constexpr std::string_view kIniFileName = "tavu.ini";
inline constexpr std::size_t kIniFileReadLimit = 64 * 1024;

// Lines the reader did not know ("Name=value" of a newer version, say). They are written back
// as they were, so that running an older version does not lose a newer one's settings.
using ForeignLines = std::vector<std::string>;

std::string EncodeIni(const Settings& s, const ForeignLines& foreign = {});

// Applies every value that can be read; a missing, unknown or unreadable one keeps the
// setting's value. Returns the lines of names it does not know.
ForeignLines DecodeIni(std::string_view bytes, Settings& s);

}  // namespace tavu
