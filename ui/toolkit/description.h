// A window described as data: the window, its controls in control order, and the bindings that tie a
// control's event to a command by name. Descriptions are plain values; the toolkit loads them.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace mastervol::ui::toolkit {

enum class ControlKind { Window, GroupBox, Button, Label, SliderBar, EditBox };

// Pixels; a control's left and top are relative to its parent.
struct Place {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  friend bool operator==(const Place&, const Place&) = default;
};

struct WindowSettings {
  bool dialogFrame = true;   // fixed frame that cannot be resized
  bool closeBox = true;
  bool minimizeBox = false;
  bool maximizeBox = false;
  bool centred = true;       // centred on the screen when shown
  bool escapeCloses = true;
  bool inTaskbar = true;     // listed in the taskbar when shown

  friend bool operator==(const WindowSettings&, const WindowSettings&) = default;
};

struct SliderSettings {
  bool vertical = true;
  std::int32_t minimum = 0;
  std::int32_t maximum = 100;
  std::int32_t position = 0;
  std::int32_t pageStep = 5;
  std::int32_t lineStep = 1;
  bool tickMarks = false;

  friend bool operator==(const SliderSettings&, const SliderSettings&) = default;
};

struct EditSettings {
  bool singleLine = true;
  bool rightAligned = true;
  bool integerEntry = true;   // only digits and '-' can be typed; focus loss rewrites the content
  bool spinner = true;
  bool manualSpinner = true;  // presses only raise the spinner event; the content is left alone
  std::int32_t spinnerMinimum = 0;
  std::int32_t spinnerMaximum = 100;

  friend bool operator==(const EditSettings&, const EditSettings&) = default;
};

struct LabelSettings {
  bool centredHorizontally = true;
  bool centredVertically = true;
  bool border = false;
  bool wordWrap = false;

  friend bool operator==(const LabelSettings&, const LabelSettings&) = default;
};

// Group boxes and buttons have no settings of their own (std::monostate).
using Settings = std::variant<std::monostate, WindowSettings, SliderSettings, EditSettings, LabelSettings>;

struct ControlDescription {
  std::string name;
  ControlKind kind = ControlKind::Button;
  std::string parent;  // the parent control's name; empty means the window itself
  Place place;
  bool visible = true;
  std::string text;    // caption, or an edit box's content
  std::string tag;
  Settings settings;
};

enum class Event {
  CreationComplete,  // the window's; no argument
  Click,             // no argument
  PositionChange,    // a slider bar's; no argument, raised after the stored position changed
  SpinnerPress,      // an edit box's; argument +1 (up) or -1 (down)
};

struct Binding {
  std::string control;  // a control's name; empty names the window itself
  Event event = Event::Click;
  std::string command;  // a name in the program's command table
};

struct WindowDescription {
  ControlDescription window;              // kind Window, name usually empty
  std::vector<ControlDescription> controls;  // in control order; parents come before their children
  std::vector<Binding> bindings;
};

}  // namespace mastervol::ui::toolkit
