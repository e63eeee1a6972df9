#include "ui/color_box.hpp"

#include <algorithm>
#include <array>

namespace tavu::ui {

namespace {

constexpr std::array kColors = {
    // The sixteen standard colours.
    NamedColor{Rgb(0, 0, 0), "黑色"},
    NamedColor{Rgb(128, 0, 0), "褐红色"},
    NamedColor{Rgb(0, 128, 0), "绿色"},
    NamedColor{Rgb(128, 128, 0), "橄榄色"},
    NamedColor{Rgb(0, 0, 128), "藏青色"},
    NamedColor{Rgb(128, 0, 128), "紫色"},
    NamedColor{Rgb(0, 128, 128), "蓝绿色"},
    NamedColor{Rgb(128, 128, 128), "灰色"},
    NamedColor{Rgb(192, 192, 192), "银色"},
    NamedColor{Rgb(255, 0, 0), "红色"},
    NamedColor{Rgb(0, 255, 0), "酸橙色"},
    NamedColor{Rgb(255, 255, 0), "黄色"},
    NamedColor{Rgb(0, 0, 255), "蓝色"},
    NamedColor{Rgb(255, 0, 255), "紫红色"},
    NamedColor{Rgb(0, 255, 255), "浅绿色"},
    NamedColor{Rgb(255, 255, 255), "白色"},
    // Extended.
    NamedColor{Rgb(192, 220, 192), "美元绿"},
    NamedColor{Rgb(166, 202, 240), "天蓝色"},
    NamedColor{Rgb(255, 251, 240), "乳白色"},
    NamedColor{Rgb(160, 160, 164), "中灰色"},
    // The system's colours, which follow the user's colour scheme.
    NamedColor{SystemColor(0), "滚动条"},
    NamedColor{SystemColor(1), "桌面"},
    NamedColor{SystemColor(2), "活动标题栏"},
    NamedColor{SystemColor(3), "非活动标题栏"},
    NamedColor{SystemColor(4), "菜单"},
    NamedColor{SystemColor(5), "窗口背景"},
    NamedColor{SystemColor(6), "窗口框架"},
    NamedColor{SystemColor(7), "菜单文字"},
    NamedColor{SystemColor(8), "窗口文字"},
    NamedColor{SystemColor(9), "标题栏文字"},
    NamedColor{SystemColor(10), "活动边框"},
    NamedColor{SystemColor(11), "非活动边框"},
    NamedColor{SystemColor(12), "应用程序工作区"},
    NamedColor{SystemColor(13), "选定项目"},
    NamedColor{SystemColor(14), "选定项目文字"},
    NamedColor{SystemColor(15), "按钮表面"},
    NamedColor{SystemColor(16), "按钮阴影"},
    NamedColor{SystemColor(17), "灰色文字"},
    NamedColor{SystemColor(18), "按钮文字"},
    NamedColor{SystemColor(19), "非活动标题栏文字"},
    NamedColor{SystemColor(20), "按钮高光"},
    NamedColor{SystemColor(21), "三维深阴影"},
    NamedColor{SystemColor(22), "三维亮面"},
    NamedColor{SystemColor(23), "工具提示文字"},
    NamedColor{SystemColor(24), "工具提示背景"},
    NamedColor{SystemColor(26), "超链接"},
    NamedColor{SystemColor(27), "活动标题栏渐变"},
    NamedColor{SystemColor(28), "非活动标题栏渐变"},
    NamedColor{SystemColor(29), "菜单高亮"},
    NamedColor{SystemColor(30), "菜单栏"},
};

bool Named(Color c) {
  return std::any_of(kColors.begin(), kColors.end(),
                     [c](const NamedColor& n) { return n.color == c; });
}

}  // namespace

std::span<const NamedColor> NamedColors() { return kColors; }

ComboBox ColorBoxFor(Color current, Color fallback) {
  ComboBox box;
  box.drop_height = 240;
  const bool other = !Named(current);
  if (other) {
    box.items.emplace_back(kOtherColorEntry);
    box.swatches.push_back(current);
    box.index = 0;
  }
  for (const NamedColor& n : kColors) {
    if (n.color == current) box.index = static_cast<int>(box.items.size());
    box.items.emplace_back(n.name);
    box.swatches.push_back(n.color);
  }
  box.items.emplace_back(kDefaultColorEntry);
  box.swatches.push_back(fallback);
  box.items.emplace_back(kCustomColorEntry);
  box.swatches.push_back(current);
  return box;
}

ColorPick PickColor(Color current, Color fallback, int index) {
  const int first_named = Named(current) ? 0 : 1;
  const int named = static_cast<int>(kColors.size());
  if (index < 0) return {};
  if (index < first_named) return {ColorPick::Kind::Color, current};
  if (index < first_named + named)
    return {ColorPick::Kind::Color, kColors[index - first_named].color};
  if (index == first_named + named) return {ColorPick::Kind::Color, fallback};
  if (index == first_named + named + 1) return {ColorPick::Kind::Custom, current};
  return {};
}

}  // namespace tavu::ui
