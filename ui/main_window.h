// The program's one window, MainWindow, as data: a volume panel in three groups, and the names of the
// controls and commands the rest of the program refers to.
#pragma once

#include <string_view>

#include "ui/toolkit/description.h"

namespace mastervol::ui {

// Control names (GBK bytes once compiled).
inline constexpr std::string_view kGroupBox3 = "分组框3";
inline constexpr std::string_view kSliderBar1 = "滑块条1";
inline constexpr std::string_view kLabel1 = "标签1";
inline constexpr std::string_view kEditBox1 = "编辑框1";

// Commands the program supplies itself; the panel's own are in panel_commands.h.
inline constexpr std::string_view kOnMainWindowCreated = "OnMainWindowCreated";
inline constexpr std::string_view kOnChannelSliderMoved = "OnChannelSliderMoved";

[[nodiscard]] const toolkit::WindowDescription& MainWindow();

}  // namespace mastervol::ui
