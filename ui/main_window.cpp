// MainWindow as one table: each control line reads name, kind, parent, place, visible, text, settings;
// then the window itself and the bindings. Every tag is empty.
#include "ui/main_window.h"

#include "ui/panel_commands.h"

namespace mastervol::ui {
namespace {

using toolkit::Binding;
using toolkit::ControlDescription;
using toolkit::ControlKind;
using toolkit::EditSettings;
using toolkit::Event;
using toolkit::LabelSettings;
using toolkit::Place;
using toolkit::Settings;
using toolkit::SliderSettings;
using toolkit::WindowDescription;
using toolkit::WindowSettings;

constexpr bool kShown = true;
constexpr bool kHidden = false;
constexpr const char* kWindow = "";  // the window itself, as a parent

// Single line, right-aligned, integer entry, spinner in manual mode with range 0 to 100.
constexpr EditSettings kLevelEntry{.singleLine = true, .rightAligned = true, .integerEntry = true,
                                   .spinner = true, .manualSpinner = true, .spinnerMinimum = 0,
                                   .spinnerMaximum = 100};
// Vertical, minimum 0, maximum 100, position 1, page step 5, line step 1, no tick marks.
constexpr SliderSettings kChannelSlider{.vertical = true, .minimum = 0, .maximum = 100, .position = 1,
                                        .pageStep = 5, .lineStep = 1, .tickMarks = false};
// Centred horizontally and vertically, no border, no word wrap.
constexpr LabelSettings kChannelLabel{.centredHorizontally = true, .centredVertically = true, .border = false,
                                      .wordWrap = false};

ControlDescription Control(const char* name, ControlKind kind, const char* parent, Place place, bool visible,
                           const char* text, Settings settings = {}) {
  return ControlDescription{name, kind, parent, place, visible, text, std::string(), std::move(settings)};
}

WindowDescription Describe() {
  WindowDescription d;
  // Empty name and caption; 50, 50, 337 x 134; hidden; fixed dialog frame with a close box and no
  // minimise or maximise box; centred when shown; Esc closes it; in the taskbar when shown.
  d.window = Control("", ControlKind::Window, kWindow, {50, 50, 337, 134}, kHidden, "",
                     WindowSettings{.dialogFrame = true, .closeBox = true, .minimizeBox = false,
                                    .maximizeBox = false, .centred = true, .escapeCloses = true,
                                    .inTaskbar = true});

  using enum ControlKind;
  d.controls = {
      Control("分组框1", GroupBox, kWindow, {120, 168, 304, 80}, kShown, "方法1：WM_APPCOMMAND"),
      Control("按钮1", Button, "分组框1", {24, 24, 80, 32}, kShown, "音量＋"),
      Control("按钮2", Button, "分组框1", {112, 24, 80, 32}, kShown, "音量－"),
      Control("按钮3", Button, "分组框1", {200, 24, 80, 32}, kShown, "静音"),
      Control("分组框2", GroupBox, kWindow, {120, 256, 304, 112}, kShown, "方法2：IAudioEndpointVolume接口"),
      Control("按钮5", Button, "分组框2", {8, 24, 80, 32}, kShown, "音量＋"),
      Control("按钮6", Button, "分组框2", {96, 24, 80, 32}, kShown, "音量－"),
      Control("按钮7", Button, "分组框2", {184, 24, 40, 32}, kShown, "静音"),
      Control("按钮8", Button, "分组框2", {232, 24, 64, 32}, kShown, "取消静音"),
      Control("按钮9", Button, "分组框2", {8, 64, 80, 32}, kShown, "取是否静音"),
      Control("按钮4", Button, "分组框2", {96, 64, 80, 32}, kShown, "取当前音量"),
      Control("编辑框1", EditBox, "分组框2", {184, 64, 24, 32}, kShown, "0", kLevelEntry),
      Control("按钮10", Button, "分组框2", {232, 64, 64, 32}, kShown, "设置音量"),
      Control("分组框3", GroupBox, kWindow, {432, 168, 112, 200}, kShown, "声道音量控制"),
      Control("滑块条1", SliderBar, "分组框3", {16, 16, 32, 152}, kHidden, "", kChannelSlider),
      Control("标签1", Label, "分组框3", {12, 168, 32, 24}, kHidden, "标签", kChannelLabel),
  };

  // 按钮9 and 按钮4 are bound to nothing. Copies of 滑块条1 run its command.
  d.bindings = {
      Binding{"", Event::CreationComplete, std::string(kOnMainWindowCreated)},
      Binding{"按钮1", Event::Click, std::string(kSendVolumeUp)},
      Binding{"按钮2", Event::Click, std::string(kSendVolumeDown)},
      Binding{"按钮3", Event::Click, std::string(kSendVolumeMute)},
      Binding{"按钮5", Event::Click, std::string(kStepMasterVolumeUp)},
      Binding{"按钮6", Event::Click, std::string(kStepMasterVolumeDown)},
      Binding{"按钮7", Event::Click, std::string(kMuteMaster)},
      Binding{"按钮8", Event::Click, std::string(kUnmuteMaster)},
      Binding{"按钮10", Event::Click, std::string(kSetVolumeFromEntry)},
      Binding{"编辑框1", Event::SpinnerPress, std::string(kOnLevelSpinner)},
      Binding{"滑块条1", Event::PositionChange, std::string(kOnChannelSliderMoved)},
  };
  return d;
}

}  // namespace

const toolkit::WindowDescription& MainWindow() {
  static const toolkit::WindowDescription description = Describe();
  return description;
}

}  // namespace mastervol::ui
