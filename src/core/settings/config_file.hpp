#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "settings/settings.hpp"

namespace tavu {

inline constexpr std::string_view kConfigFileName = "lh20cfg";
// Nothing legitimate comes near this; a larger file is read only this far.
inline constexpr std::size_t kConfigFileReadLimit = 64 * 1024;

// The file's bytes (code page 936, CR LF) for the current values.
std::string EncodeConfig(const Settings& s);

// Applies what can be read; every field that is missing or unreadable keeps its value.
void DecodeConfig(std::string_view bytes, Settings& s);

}  // namespace tavu
