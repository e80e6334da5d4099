// MainWindow's description: the places and texts of its controls, the relations between them (groups
// outside the window's height, children inside their groups, templates hidden) and its bindings.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "audio/testing/fake_endpoint.h"
#include "ui/panel_commands.h"
#include "ui/tests/panel_fixture.h"

namespace mastervol::ui {
namespace {

using toolkit::ControlDescription;
using toolkit::ControlKind;
using toolkit::Event;

const ControlDescription* Find(std::string_view name) {
  for (const ControlDescription& control : MainWindow().controls) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

TEST(MainWindow, TheWindowIsAHiddenFixedDialogThatEscCloses) {
  const ControlDescription& window = MainWindow().window;
  EXPECT_EQ(window.kind, ControlKind::Window);
  EXPECT_EQ(window.name, "");
  EXPECT_EQ(window.text, "");
  EXPECT_EQ(window.place, (toolkit::Place{50, 50, 337, 134}));
  EXPECT_FALSE(window.visible);
  EXPECT_EQ(std::get<toolkit::WindowSettings>(window.settings),
            (toolkit::WindowSettings{.dialogFrame = true, .closeBox = true, .minimizeBox = false,
                                     .maximizeBox = false, .centred = true, .escapeCloses = true,
                                     .inTaskbar = true}));
}

TEST(MainWindow, ControlsHaveTheirPlacesTextsAndKindsInOrder) {
  struct Row {
    const char* name;
    ControlKind kind;
    const char* parent;
    toolkit::Place place;
    const char* text;  // GBK bytes
  };
  using enum ControlKind;
  const Row rows[] = {
      {"分组框1", GroupBox, "", {120, 168, 304, 80}, "\xB7\xBD\xB7\xA8" "1\xA3\xBAWM_APPCOMMAND"},
      {"按钮1", Button, "分组框1", {24, 24, 80, 32}, "\xD2\xF4\xC1\xBF\xA3\xAB"},
      {"按钮2", Button, "分组框1", {112, 24, 80, 32}, "\xD2\xF4\xC1\xBF\xA3\xAD"},
      {"按钮3", Button, "分组框1", {200, 24, 80, 32}, "\xBE\xB2\xD2\xF4"},
      {"分组框2", GroupBox, "", {120, 256, 304, 112},
       "\xB7\xBD\xB7\xA8" "2\xA3\xBAIAudioEndpointVolume\xBD\xD3\xBF\xDA"},
      {"按钮5", Button, "分组框2", {8, 24, 80, 32}, "\xD2\xF4\xC1\xBF\xA3\xAB"},
      {"按钮6", Button, "分组框2", {96, 24, 80, 32}, "\xD2\xF4\xC1\xBF\xA3\xAD"},
      {"按钮7", Button, "分组框2", {184, 24, 40, 32}, "\xBE\xB2\xD2\xF4"},
      {"按钮8", Button, "分组框2", {232, 24, 64, 32}, "\xC8\xA1\xCF\xFB\xBE\xB2\xD2\xF4"},
      {"按钮9", Button, "分组框2", {8, 64, 80, 32}, "\xC8\xA1\xCA\xC7\xB7\xF1\xBE\xB2\xD2\xF4"},
      {"按钮4", Button, "分组框2", {96, 64, 80, 32}, "\xC8\xA1\xB5\xB1\xC7\xB0\xD2\xF4\xC1\xBF"},
      {"编辑框1", EditBox, "分组框2", {184, 64, 24, 32}, "0"},
      {"按钮10", Button, "分组框2", {232, 64, 64, 32}, "\xC9\xE8\xD6\xC3\xD2\xF4\xC1\xBF"},
      {"分组框3", GroupBox, "", {432, 168, 112, 200}, "\xC9\xF9\xB5\xC0\xD2\xF4\xC1\xBF\xBF\xD8\xD6\xC6"},
      {"滑块条1", SliderBar, "分组框3", {16, 16, 32, 152}, ""},
      {"标签1", Label, "分组框3", {12, 168, 32, 24}, "\xB1\xEA\xC7\xA9"},
  };
  const auto& controls = MainWindow().controls;
  ASSERT_EQ(controls.size(), std::size(rows));
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Row& row = rows[i];
    EXPECT_EQ(controls[i].name, row.name) << i;
    EXPECT_EQ(controls[i].kind, row.kind) << row.name;
    EXPECT_EQ(controls[i].parent, row.parent) << row.name;
    EXPECT_EQ(controls[i].place, row.place) << row.name;
    EXPECT_EQ(controls[i].text, row.text) << row.name;
    EXPECT_EQ(controls[i].tag, "") << row.name;
  }
}

TEST(MainWindow, GroupsLieBelowTheWindowsHeightAndChildrenInsideTheirGroups) {
  const int windowHeight = MainWindow().window.place.height;
  for (const ControlDescription& control : MainWindow().controls) {
    if (control.kind == ControlKind::GroupBox) {
      EXPECT_EQ(control.parent, "") << control.name;
      EXPECT_GE(control.place.top, 168) << control.name;
      EXPECT_GT(control.place.top, windowHeight) << control.name;
      continue;
    }
    const ControlDescription* group = Find(control.parent);
    ASSERT_NE(group, nullptr) << control.name;
    EXPECT_EQ(group->kind, ControlKind::GroupBox) << control.name;
    EXPECT_LE(control.place.left + control.place.width, group->place.width) << control.name;
    EXPECT_LE(control.place.top + control.place.height, group->place.height) << control.name;
  }
}

TEST(MainWindow, OnlyTheMixerTemplatesAreHiddenAndCarryTheirSettings) {
  for (const ControlDescription& control : MainWindow().controls) {
    const bool isTemplate = control.name == kSliderBar1 || control.name == kLabel1;
    EXPECT_EQ(control.visible, !isTemplate) << control.name;
  }
  EXPECT_EQ(std::get<toolkit::SliderSettings>(Find(kSliderBar1)->settings),
            (toolkit::SliderSettings{.vertical = true, .minimum = 0, .maximum = 100, .position = 1,
                                     .pageStep = 5, .lineStep = 1, .tickMarks = false}));
  EXPECT_EQ(std::get<toolkit::LabelSettings>(Find(kLabel1)->settings),
            (toolkit::LabelSettings{.centredHorizontally = true, .centredVertically = true, .border = false,
                                    .wordWrap = false}));
  EXPECT_EQ(std::get<toolkit::EditSettings>(Find(kEditBox1)->settings),
            (toolkit::EditSettings{.singleLine = true, .rightAligned = true, .integerEntry = true,
                                   .spinner = true, .manualSpinner = true, .spinnerMinimum = 0,
                                   .spinnerMaximum = 100}));
  EXPECT_EQ(Find(kGroupBox3)->kind, ControlKind::GroupBox);
}

TEST(MainWindow, BindingsNameKnownControlsAndEveryCommandIsBoundOnce) {
  audio::testing::FakeAudioDevice device;
  testing::RecordingSender sender;
  std::set<std::string, std::less<>> known;
  for (const auto& [name, command] : PanelCommands(device, sender)) known.insert(name);
  known.emplace(kOnMainWindowCreated);
  known.emplace(kOnChannelSliderMoved);

  std::map<std::string, std::string> commandOf;  // control name and event -> command
  std::multiset<std::string> bound;
  for (const toolkit::Binding& binding : MainWindow().bindings) {
    EXPECT_TRUE(binding.control.empty() || Find(binding.control) != nullptr) << binding.control;
    EXPECT_TRUE(known.contains(binding.command)) << binding.command;
    commandOf[binding.control + "/" + std::to_string(static_cast<int>(binding.event))] = binding.command;
    bound.insert(binding.command);
  }
  for (const std::string& command : known) EXPECT_EQ(bound.count(command), 1u) << command;

  const auto key = [](std::string_view control, Event event) {
    return std::string(control) + "/" + std::to_string(static_cast<int>(event));
  };
  EXPECT_EQ(commandOf[key("", Event::CreationComplete)], kOnMainWindowCreated);
  EXPECT_EQ(commandOf[key("按钮1", Event::Click)], kSendVolumeUp);
  EXPECT_EQ(commandOf[key("按钮2", Event::Click)], kSendVolumeDown);
  EXPECT_EQ(commandOf[key("按钮3", Event::Click)], kSendVolumeMute);
  EXPECT_EQ(commandOf[key("按钮10", Event::Click)], kSetVolumeFromEntry);
  EXPECT_EQ(commandOf[key(kEditBox1, Event::SpinnerPress)], kOnLevelSpinner);
  EXPECT_EQ(commandOf[key(kSliderBar1, Event::PositionChange)], kOnChannelSliderMoved);
  EXPECT_FALSE(commandOf.contains(key("按钮9", Event::Click)));
  EXPECT_FALSE(commandOf.contains(key("按钮4", Event::Click)));
}

TEST(MainWindow, LoadsWithThePanelCommandsAndStaysHidden) {
  testing::PanelFixture panel;
  EXPECT_EQ(panel.Run([](testing::PanelFixture&) {}), 0);
  EXPECT_TRUE(panel.faults.empty());
  for (const auto& [id, state] : panel.peer.mirrored) {
    if (state.kind == ControlKind::Window) {
      EXPECT_FALSE(state.visible);
    }
  }
}

}  // namespace
}  // namespace mastervol::ui
