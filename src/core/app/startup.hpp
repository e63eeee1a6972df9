#pragma once
#include <cstdint>
#include <string_view>

#include "ports/dialogs.hpp"
#include "ports/windows.hpp"
#include "windows/main/main_form.hpp"

namespace tavu {

inline constexpr std::string_view kOldVersionClasses[] = {"ZQX050505_15", "ZQX050505_1"};
inline constexpr std::string_view kOldVersionText =
    "岚禾护眼钟检测到已经有一个旧版本在运行,请您先关闭它,再继续！";

enum class StartDecision { HandedOver, Proceed };

// The program's first steps: hand over to a running instance, then wait out old versions.
StartDecision RunStartChecks(TopWindows& windows, Dialogs& dialogs);

}  // namespace tavu
